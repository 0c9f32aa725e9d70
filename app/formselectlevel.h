#pragma once

#include <QDialog>
#include <QSpinBox>

#include <functional>

// Typing a level above the maximum shows the maximum at once.
class TSpinEditLevel : public QSpinBox {
  Q_OBJECT

public:
  using QSpinBox::QSpinBox;

protected:
  QValidator::State validate(QString &input, int &pos) const override;
};

// The level dialog. Its OK runs the generation before the dialog closes.
class TFormSelectLevel : public QDialog {
  Q_OBJECT

public:
  TFormSelectLevel(QWidget *parent, std::function<void(int)> generate);

  // The number in the box's text; a text that is no number counts as 1.
  int Level() const;
  void BitBtnOKClick();

  TSpinEditLevel *SpinEditLevel;
  QPushButton *BitBtnOK;
  QPushButton *BitBtnCancel;

private:
  std::function<void(int)> m_generate;
};
