#include "formgraded.h"

#include "fonts.h"

#include <QComboBox>
#include <QCoreApplication>
#include <QFrame>
#include <QLabel>
#include <QPushButton>
#include <QStyle>

namespace {
const char *BandNames[BandCount] = {
    QT_TRANSLATE_NOOP("TFormMain", "Easy"),       QT_TRANSLATE_NOOP("TFormMain", "Medium"),
    QT_TRANSLATE_NOOP("TFormMain", "Hard"),       QT_TRANSLATE_NOOP("TFormMain", "Fiendish"),
    QT_TRANSLATE_NOOP("TFormMain", "Diabolical"), QT_TRANSLATE_NOOP("TFormMain", "Extreme")};

QString Tenths(int tenths) {
  return QStringLiteral("%1.%2").arg(tenths / 10).arg(tenths % 10);
}
} // namespace

QString BandTitle(TBand band) {
  return QCoreApplication::translate("TFormMain", BandNames[int(band)]);
}

TFormGraded::TFormGraded(QWidget *parent, std::function<void(TBand, TSymmetry)> generate)
    : QDialog(parent), m_generate(std::move(generate)) {
  setObjectName(QStringLiteral("FormGraded"));
  setWindowTitle(tr("Graded Puzzle"));
  setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                 Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint);
  setFixedSize(285, 105);
  setFont(WindowFont(11));

  auto *upper = new QFrame(this);
  upper->setGeometry(0, 0, 285, 70);
  auto *bandLabel = new QLabel(tr("&Band:"), upper);
  bandLabel->setGeometry(8, 12, 70, 16);
  ComboBand = new QComboBox(upper);
  ComboBand->setObjectName(QStringLiteral("ComboBand"));
  ComboBand->setGeometry(80, 9, 197, 22);
  for (int band = 0; band < BandCount; ++band) {
    const TBandRange range = BandRange(TBand(band));
    ComboBand->addItem(
        range.high ? tr("%1 (ER %2 to %3)")
                         .arg(BandTitle(TBand(band)), Tenths(range.low), Tenths(range.high))
                   : tr("%1 (ER %2 and above)").arg(BandTitle(TBand(band)), Tenths(range.low)));
  }
  bandLabel->setBuddy(ComboBand);
  auto *symmetryLabel = new QLabel(tr("&Symmetry:"), upper);
  symmetryLabel->setGeometry(8, 42, 70, 16);
  ComboSymmetry = new QComboBox(upper);
  ComboSymmetry->setObjectName(QStringLiteral("ComboSymmetry"));
  ComboSymmetry->setGeometry(80, 39, 197, 22);
  ComboSymmetry->addItems(
      {tr("None"), tr("Rotation by 180 degrees"), tr("Rotation by 90 degrees"), tr("Mirror")});
  symmetryLabel->setBuddy(ComboSymmetry);

  auto *lower = new QFrame(this);
  lower->setGeometry(0, 70, 285, 35);
  BitBtnOK = new QPushButton(style()->standardIcon(QStyle::SP_DialogOkButton), tr("OK"), lower);
  BitBtnOK->setObjectName(QStringLiteral("BitBtnOK"));
  BitBtnOK->setGeometry(65, 5, 75, 25);
  BitBtnOK->setDefault(true);
  BitBtnCancel =
      new QPushButton(style()->standardIcon(QStyle::SP_DialogCancelButton), tr("Cancel"), lower);
  BitBtnCancel->setObjectName(QStringLiteral("BitBtnCancel"));
  BitBtnCancel->setGeometry(148, 5, 75, 25);
  BitBtnCancel->setAutoDefault(false);

  connect(BitBtnOK, &QPushButton::clicked, this, &TFormGraded::BitBtnOKClick);
  connect(BitBtnCancel, &QPushButton::clicked, this, &QDialog::reject);
  ComboBand->setFocus();
}

TBand TFormGraded::Band() const {
  return TBand(ComboBand->currentIndex());
}

TSymmetry TFormGraded::Symmetry() const {
  return TSymmetry(ComboSymmetry->currentIndex());
}

void TFormGraded::BitBtnOKClick() {
  // The dialog closes whatever the generation does.
  struct TClose {
    QDialog *dialog;
    ~TClose() { dialog->accept(); }
  } close{this};
  if (m_generate)
    m_generate(Band(), Symmetry());
}
