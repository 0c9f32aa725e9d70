#include "desktopservices.h"
#include "formmain.h"

#include <QApplication>
#include <QScreen>
#include <QStyle>

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

} // namespace

int main(int argc, char *argv[]) {
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
