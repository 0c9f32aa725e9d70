#pragma once

#include <QWidget>

class QStackedWidget;
class QTabBar;

// A page control with its tabs standing on its left edge, one below the
// other, and pages of a fixed client size beside them.
class TPageControl : public QWidget {
  Q_OBJECT

public:
  TPageControl(const QSize &pageSize, QWidget *parent = nullptr);

  void AddPage(QWidget *page, const QString &caption);
  void SetCurrent(QWidget *page);
  QWidget *Current() const;
  QTabBar *Tabs() const { return m_tabs; }

protected:
  void paintEvent(QPaintEvent *event) override;

private:
  QTabBar *m_tabs;
  QStackedWidget *m_pages;
};
