#include "formabout.h"

#include "fonts.h"
#include "version.h"

#include <QEvent>
#include <QLabel>
#include <QMouseEvent>
#include <QPainter>
#include <QSvgRenderer>

namespace {

// Drawn at 245 x 245 and shown stretched to 200 x 200, in device pixels so
// it stays sharp on a screen of any pixel ratio.
QPixmap AboutPicture(qreal ratio) {
  QSvgRenderer renderer(QStringLiteral(":/images/about.svg"));
  QPixmap picture(QSize(200, 200) * ratio);
  picture.setDevicePixelRatio(ratio);
  picture.fill(Qt::white);
  QPainter painter(&picture);
  renderer.render(&painter, QRectF(0, 0, 200, 200));
  return picture;
}

} // namespace

TFormAbout::TFormAbout(TServices &services, QWidget *parent)
    : QDialog(parent), m_services(services) {
  setObjectName(QStringLiteral("FormAbout"));
  setWindowTitle(tr("About Ninegrove"));
  setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                 Qt::WindowCloseButtonHint);
  setFixedSize(440, 210);
  setFont(WindowFont(11));
  setMouseTracking(true);

  auto label = [this](const char *name, const QString &text, int left, int top) {
    auto *l = new QLabel(text, this);
    l->setObjectName(QString::fromLatin1(name));
    l->move(left, top);
    return l;
  };
  Image = label("Image", QString(), 5, 5);
  Image->setFixedSize(200, 200);
  Image->setPixmap(AboutPicture(devicePixelRatioF()));
  Label1 = label("Label1", QStringLiteral("Ninegrove"), 215, 5);
  Label1->setFont(ImpactFont(29));
  Label2 = label("Label2", tr("Version %1").arg(QLatin1String(AboutVersion)), 215, 45);
  LabelCopyR1 = label("LabelCopyR1", tr("Copyright \u00A9 2026 The Ninegrove developers"), 215, 75);
  Label4 = label("Label4", tr("WWW:"), 215, 167);
  LabelHLink = label("LabelHLink", HomePage, 255, 165);
  Label5 = label("Label5", tr("E-mail:"), 215, 186);
  LabelEmail = label("LabelEmail", Email, 255, 184);
  for (QLabel *link : {LabelHLink, LabelEmail}) {
    QFont font = ArialFont(13);
    font.setUnderline(true);
    link->setFont(font);
    QPalette palette = link->palette();
    palette.setColor(QPalette::WindowText, Qt::blue);
    link->setPalette(palette);
    link->setMouseTracking(true);
    link->installEventFilter(this);
  }
  LabelHLink->setToolTip(tr("Visit the Ninegrove website"));
  LabelEmail->setToolTip(tr("Write to the Ninegrove team"));
  for (QLabel *l : findChildren<QLabel *>())
    if (l != Image)
      l->adjustSize();
}

void TFormAbout::LabelHLinkClick() {
  m_services.shell.Open(QUrl(HomePage));
}

void TFormAbout::LabelEmailClick() {
  m_services.shell.Open(QUrl(QStringLiteral("mailto:") + Email));
}

bool TFormAbout::eventFilter(QObject *watched, QEvent *event) {
  if (watched == LabelHLink || watched == LabelEmail) {
    if (event->type() == QEvent::MouseMove) {
      setCursor(Qt::PointingHandCursor);
      return true;
    }
    if (event->type() == QEvent::MouseButtonRelease &&
        static_cast<QMouseEvent *>(event)->button() == Qt::LeftButton) {
      if (watched == LabelHLink)
        LabelHLinkClick();
      else
        LabelEmailClick();
      return true;
    }
  }
  return QDialog::eventFilter(watched, event);
}

void TFormAbout::mouseMoveEvent(QMouseEvent *event) {
  // The bare surface brings the arrow back; the other labels leave the cursor.
  setCursor(Qt::ArrowCursor);
  QDialog::mouseMoveEvent(event);
}
