#include "desktopservices.h"
#include "formmain.h"
#include "programfiles.h"
#include "translations.h"
#include "version.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QScreen>
#include <QStandardPaths>
#include <QStyle>

#include <cstdio>
#include <optional>

namespace {

// The general error box for errors that reach the event loop: the command
// ends, the program goes on.
class TApplication : public QApplication {
public:
  using QApplication::QApplication;
  TMessageBoxes *messages = nullptr;

  bool notify(QObject *receiver, QEvent *event) override {
    try {
      return QApplication::notify(receiver, event);
    } catch (const std::exception &error) {
      if (messages)
        messages->ApplicationError(activeWindow(), QString::fromUtf8(error.what()));
      return false;
    }
  }
};

struct TCommandLine {
  QCommandLineParser parser;
  QCommandLineOption help = parser.addHelpOption();
  QCommandLineOption version = parser.addVersionOption();
  TCommandLine() {
    parser.setApplicationDescription(
        QStringLiteral("Play, solve, generate and collect 9x9 Sudoku puzzles."));
  }
};

// --help and --version are answered before any window exists, so that they
// work where there is no display. --version names the files the program found,
// for anyone checking an install.
std::optional<int> AnswerWithoutWindow(int argc, char *argv[]) {
  TCommandLine line;
  QStringList arguments;
  for (int i = 0; i < argc; ++i)
    arguments << QString::fromLocal8Bit(argv[i]);
  // Options of Qt's own, such as -platform, are left to the application.
  line.parser.parse(arguments);
  const bool helpAll = line.parser.isSet(QStringLiteral("help-all"));
  if (!line.parser.isSet(line.help) && !line.parser.isSet(line.version) && !helpAll)
    return std::nullopt;
  QCoreApplication core(argc, argv);
  if (line.parser.isSet(line.version)) {
    const QString documents = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    std::printf("%s\n%s", qPrintable(TFormMain::ApplicationTitle),
                qPrintable(FolderReport(FindProgramFiles(QCoreApplication::applicationDirPath()),
                                        documents)));
    return 0;
  }
  if (helpAll)
    line.parser.process(core); // shows Qt's options too and ends the program
  std::fputs(qPrintable(line.parser.helpText()), stdout);
  return 0;
}

} // namespace

int main(int argc, char *argv[]) {
  QCoreApplication::setApplicationName(QStringLiteral("Ninegrove"));
  QCoreApplication::setApplicationVersion(QString::fromLatin1(ProgramVersion));
  if (const std::optional<int> answered = AnswerWithoutWindow(argc, argv))
    return *answered;

  TApplication application(argc, argv);
  InstallTranslations(application);
  // Anything Qt did not take from the command line is an error.
  TCommandLine line;
  line.parser.process(application);
  // No application display name: X11 title bars would append it to every
  // caption ("Level — Ninegrove 1.0"); each window sets its whole caption.
  // Ties the window to its desktop entry (task bars, Wayland icons).
  QGuiApplication::setDesktopFileName(QStringLiteral(NINEGROVE_APP_ID));
  QApplication::setWindowIcon(QIcon(QStringLiteral(":/images/ninegrove.svg")));

  TDesktopServices desktop;
  application.messages = &desktop.Services().messages;
  TFormMain form(desktop.Services());
  form.adjustSize();
  form.setGeometry(QStyle::alignedRect(Qt::LeftToRight, Qt::AlignCenter, form.size(),
                                       form.screen()->availableGeometry()));
  form.show();
  return application.exec();
}
