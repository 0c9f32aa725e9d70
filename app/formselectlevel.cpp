#include "formselectlevel.h"

#include "fonts.h"

#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QStyle>

QValidator::State TSpinEditLevel::validate(QString &input, int &pos) const {
  bool isNumber = false;
  const int value = input.trimmed().toInt(&isNumber);
  if (isNumber && value > maximum()) {
    input = QString::number(maximum());
    pos = input.size();
    return QValidator::Acceptable;
  }
  return QSpinBox::validate(input, pos);
}

TFormSelectLevel::TFormSelectLevel(QWidget *parent, std::function<void(int)> generate)
    : QDialog(parent), m_generate(std::move(generate)) {
  setObjectName(QStringLiteral("FormSelectLevel"));
  setWindowTitle(tr("Level"));
  setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                 Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint);
  setFixedSize(205, 75);
  setFont(WindowFont(11));

  auto *upper = new QFrame(this);
  upper->setGeometry(0, 0, 205, 40);
  auto *label = new QLabel(tr("Select a level from 1 to 50:"), upper);
  label->move(8, 12);
  label->adjustSize();
  SpinEditLevel = new TSpinEditLevel(upper);
  SpinEditLevel->setObjectName(QStringLiteral("SpinEditLevel"));
  SpinEditLevel->setRange(1, 50);
  SpinEditLevel->setValue(1);
  SpinEditLevel->setGeometry(148, 9, 50, 22);

  auto *lower = new QFrame(this);
  lower->setGeometry(0, 40, 205, 35);
  BitBtnOK = new QPushButton(style()->standardIcon(QStyle::SP_DialogOkButton), tr("OK"), lower);
  BitBtnOK->setObjectName(QStringLiteral("BitBtnOK"));
  BitBtnOK->setGeometry(25, 5, 75, 25);
  BitBtnOK->setDefault(true);
  BitBtnCancel =
      new QPushButton(style()->standardIcon(QStyle::SP_DialogCancelButton), tr("Cancel"), lower);
  BitBtnCancel->setObjectName(QStringLiteral("BitBtnCancel"));
  BitBtnCancel->setGeometry(108, 5, 75, 25);
  BitBtnCancel->setAutoDefault(false);

  connect(BitBtnOK, &QPushButton::clicked, this, &TFormSelectLevel::BitBtnOKClick);
  connect(BitBtnCancel, &QPushButton::clicked, this, &QDialog::reject);
  SpinEditLevel->setFocus();
}

int TFormSelectLevel::Level() const {
  bool isNumber = false;
  const int level = SpinEditLevel->cleanText().trimmed().toInt(&isNumber);
  return isNumber ? level : 1;
}

void TFormSelectLevel::BitBtnOKClick() {
  // The dialog closes whatever the generation does.
  struct TClose {
    QDialog *dialog;
    ~TClose() { dialog->accept(); }
  } close{this};
  if (m_generate)
    m_generate(Level());
}
