// Saves a picture of the real main window with a generated puzzle, for the
// AppStream entry: screenshot TARGET.png (run under the offscreen platform)
#include "desktopservices.h"
#include "formmain.h"

#include <QApplication>
#include <QPixmap>

#include <cstdio>

int main(int argc, char **argv) {
  qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication application(argc, argv);
  if (argc != 2) {
    std::fprintf(stderr, "usage: screenshot TARGET.png\n");
    return 2;
  }
  QApplication::setApplicationDisplayName(TFormMain::ApplicationTitle);
  TDesktopServices desktop;
  TFormMain form(desktop.Services());
  form.GeneratePuzzle(30);
  form.adjustSize();
  form.show();
  QApplication::processEvents();
  return form.grab().save(QString::fromLocal8Bit(argv[1])) ? 0 : 1;
}
