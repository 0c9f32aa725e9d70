#include "desktopservices.h"
#include "formmain.h"

#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QScreen>
#include <QStyle>

#include <cstdio>
#include <cstring>

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

// Where an installed program looks for its files, for anyone checking an install.
int PrintVersion(int argc, char *argv[]) {
  QCoreApplication core(argc, argv);
  const QDir folder(QCoreApplication::applicationDirPath());
  auto line = [&](const char *what, const QString &path) {
    std::printf("%s: %s%s\n", what, qPrintable(QDir::toNativeSeparators(path)),
                QFileInfo::exists(path) ? "" : " (missing)");
  };
  std::printf("%s\n", qPrintable(TFormMain::ApplicationTitle));
  line("Program folder", folder.path());
  line("Help file", folder.filePath(QStringLiteral("nghelp.chm")));
  line("Library folder", folder.filePath(QStringLiteral("Data")));
  return 0;
}

} // namespace

int main(int argc, char *argv[]) {
  if (argc == 2 && std::strcmp(argv[1], "--version") == 0)
    return PrintVersion(argc, argv);
  TApplication application(argc, argv);
  QApplication::setApplicationName(QStringLiteral("Ninegrove"));
  QApplication::setApplicationDisplayName(TFormMain::ApplicationTitle);
  QApplication::setApplicationVersion(QStringLiteral("1.0"));
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
