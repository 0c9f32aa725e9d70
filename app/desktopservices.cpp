#include "desktopservices.h"

#include "version.h"

#include <QApplication>
#include <QDesktopServices>
#include <QDialog>
#include <QFileDialog>
#include <QMimeDatabase>
#include <QPainter>
#include <QPrinter>
#include <QPrinterInfo>
#include <QProcess>
#include <QStandardPaths>

namespace {

QMessageBox::StandardButton ShowBox(QWidget *parent, QMessageBox::Icon icon, const QString &caption,
                                    const QString &text, QMessageBox::StandardButtons buttons) {
  QMessageBox box(icon, caption, text, buttons, parent);
  return static_cast<QMessageBox::StandardButton>(box.exec());
}

class TDesktopMessages final : public TMessageBoxes {
public:
  void Warning(QWidget *parent, const QString &text) override {
    ShowBox(parent, QMessageBox::Warning,
            QCoreApplication::translate("TDesktopServices", "Warning"), text, QMessageBox::Ok);
  }
  void Information(QWidget *parent, const QString &caption, const QString &text) override {
    ShowBox(parent, QMessageBox::Information, caption, text, QMessageBox::Ok);
  }
  void Error(QWidget *parent, const QString &text) override {
    ShowBox(parent, QMessageBox::Critical, QCoreApplication::translate("TDesktopServices", "Error"),
            text, QMessageBox::Ok);
  }
  void ApplicationError(QWidget *parent, const QString &text) override {
    ShowBox(parent, QMessageBox::Critical, QString::fromLatin1(ApplicationTitle), text,
            QMessageBox::Ok);
  }
  QMessageBox::StandardButton Question(QWidget *parent, const QString &caption, const QString &text,
                                       QMessageBox::StandardButtons buttons,
                                       QMessageBox::Icon icon) override {
    return ShowBox(parent, icon, caption, text, buttons);
  }
};

class TDesktopFiles final : public TFileDialogs {
public:
  QString SaveFileName(QWidget *parent, const QString &title, const QString &folder,
                       const QString &filter, const QString &suffix) override {
    return Run(parent, QFileDialog::AcceptSave, title, folder, filter, suffix);
  }
  QString OpenFileName(QWidget *parent, const QString &title, const QString &folder,
                       const QString &filter, const QString &suffix) override {
    return Run(parent, QFileDialog::AcceptOpen, title, folder, filter, suffix);
  }

private:
  static QString Run(QWidget *parent, QFileDialog::AcceptMode mode, const QString &title,
                     const QString &folder, const QString &filter, const QString &suffix) {
    QFileDialog dialog(parent, title, folder, filter);
    dialog.setAcceptMode(mode);
    dialog.setDefaultSuffix(suffix);
    // The overwrite question is the command's own.
    dialog.setOption(QFileDialog::DontConfirmOverwrite);
    dialog.setFileMode(mode == QFileDialog::AcceptOpen ? QFileDialog::ExistingFile
                                                       : QFileDialog::AnyFile);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
      return {};
    return dialog.selectedFiles().constFirst();
  }
};

class TDesktopShell final : public TShell {
public:
  bool Open(const QUrl &url) override {
    if (url.isLocalFile() && !HasProgramFor(url.toLocalFile()))
      return false;
    return QDesktopServices::openUrl(url);
  }

private:
  // openUrl only starts xdg-open, which finds out too late that nothing opens
  // the file; the desktop's list of default programs answers beforehand. Where
  // that list cannot be asked, openUrl decides.
  static bool HasProgramFor(const QString &path) {
    const QString type = QMimeDatabase().mimeTypeForFile(path).name();
    QProcess query;
    query.start(QStringLiteral("xdg-mime"),
                {QStringLiteral("query"), QStringLiteral("default"), type});
    if (!query.waitForFinished(5000) || query.exitStatus() != QProcess::NormalExit ||
        query.exitCode() != 0) {
      query.kill();
      query.waitForFinished(1000);
      return true;
    }
    return !query.readAllStandardOutput().trimmed().isEmpty();
  }
};

class TApplicationCursor final : public TCursor {
public:
  void Push(Qt::CursorShape shape) override { QApplication::setOverrideCursor(shape); }
  void Pop() override { QApplication::restoreOverrideCursor(); }
};

class TDefaultPrinter final : public TPrintService {
public:
  void PrintPage(const std::function<void(QPainter &)> &paint) override {
    const QPrinterInfo info = QPrinterInfo::defaultPrinter();
    if (info.isNull())
      throw std::runtime_error(
          QCoreApplication::translate("TDesktopServices",
                                      "No default printer is set up. Install a printer and make it "
                                      "the default to print the grid.")
              .toStdString());
    QPrinter printer(info, QPrinter::HighResolution);
    // The page is laid out in device pixels for a 300 dots-per-inch device:
    // a grid of about 15 cm with type that fits its cells.
    printer.setResolution(300);
    printer.setPageOrientation(QPageLayout::Portrait);
    printer.setDocName(QStringLiteral("Ninegrove"));
    QPainter painter;
    if (!painter.begin(&printer))
      throw std::runtime_error(
          QCoreApplication::translate("TDesktopServices",
                                      "The printer \"%1\" could not start the document.")
              .arg(info.printerName())
              .toStdString());
    paint(painter);
    if (!painter.end())
      throw std::runtime_error(QCoreApplication::translate(
                                   "TDesktopServices", "The printer could not finish the document.")
                                   .toStdString());
  }
};

class TModalRunner final : public TDialogRunner {
public:
  int Exec(QDialog &dialog) override { return dialog.exec(); }
};

} // namespace

struct TDesktopServices::TImpl {
  TDesktopMessages messages;
  TDesktopFiles files;
  TDesktopShell shell;
  TApplicationCursor cursor;
  TModalRunner dialogs;
  TSystemClock clock;
  TDefaultPrinter printer;
};

TDesktopServices::TDesktopServices() : m_impl(std::make_unique<TImpl>()) {
  m_services = std::make_unique<TServices>(
      TServices{m_impl->messages, m_impl->files, m_impl->shell, m_impl->cursor, m_impl->dialogs,
                m_impl->clock, m_impl->printer, QCoreApplication::applicationDirPath(),
                QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation)});
}

TDesktopServices::~TDesktopServices() = default;

std::unique_ptr<TMessageBoxes> MakeDesktopMessages() {
  return std::make_unique<TDesktopMessages>();
}

std::unique_ptr<TPrintService> MakeDesktopPrinter() {
  return std::make_unique<TDefaultPrinter>();
}
