#pragma once

#include "services.h"

#include <QDialog>

class QLabel;

// The about box, made anew each time it is shown.
class TFormAbout : public QDialog {
  Q_OBJECT

public:
  static inline const QString HomePage = QStringLiteral("https://ninegrove.example.org/");
  static inline const QString Email = QStringLiteral("info@ninegrove.example.org");

  TFormAbout(TServices &services, QWidget *parent = nullptr);

  void LabelHLinkClick();
  void LabelEmailClick();

  QLabel *Image;
  QLabel *Label1;
  QLabel *Label2;
  QLabel *LabelCopyR1;
  QLabel *Label4;
  QLabel *LabelHLink;
  QLabel *Label5;
  QLabel *LabelEmail;

protected:
  bool eventFilter(QObject *watched, QEvent *event) override;
  void mouseMoveEvent(QMouseEvent *event) override;

private:
  TServices &m_services;
};
