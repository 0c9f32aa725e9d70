#include "pagecontrol.h"

#include <QPainter>
#include <QStackedWidget>
#include <QStyle>
#include <QStyleOptionFrame>
#include <QTabBar>

namespace {
constexpr int FrameWidth = 2;
}

TPageControl::TPageControl(const QSize &pageSize, QWidget *parent)
    : QWidget(parent), m_tabs(new QTabBar(this)), m_pages(new QStackedWidget(this)) {
  m_tabs->setShape(QTabBar::RoundedWest);
  m_tabs->setExpanding(false);
  m_tabs->setDrawBase(false);
  m_tabs->setFocusPolicy(Qt::TabFocus);
  m_pages->setFixedSize(pageSize);
  connect(m_tabs, &QTabBar::currentChanged, m_pages, &QStackedWidget::setCurrentIndex);
}

void TPageControl::AddPage(QWidget *page, const QString &caption) {
  page->setFixedSize(m_pages->size());
  m_pages->addWidget(page);
  m_tabs->addTab(caption);
  // The pages sit against the right edge; the tabs take what is left.
  const int pagesLeft = width() - m_pages->width() - FrameWidth;
  m_pages->move(pagesLeft, FrameWidth * 2);
  m_tabs->setGeometry(FrameWidth, FrameWidth * 2, pagesLeft - FrameWidth,
                      m_tabs->sizeHint().height());
}

void TPageControl::SetCurrent(QWidget *page) {
  const int index = m_pages->indexOf(page);
  if (index >= 0)
    m_tabs->setCurrentIndex(index);
}

QWidget *TPageControl::Current() const {
  return m_pages->currentWidget();
}

void TPageControl::paintEvent(QPaintEvent *) {
  QPainter painter(this);
  QStyleOptionFrame frame;
  frame.initFrom(this);
  frame.rect = m_pages->geometry().adjusted(-FrameWidth, -FrameWidth, FrameWidth, FrameWidth);
  frame.lineWidth = FrameWidth;
  frame.frameShape = QFrame::Panel;
  frame.state |= QStyle::State_Raised;
  style()->drawPrimitive(QStyle::PE_FrameTabWidget, &frame, &painter, this);
}
