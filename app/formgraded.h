#pragma once

#include "grading.h"

#include <QDialog>

#include <functional>

class QComboBox;
class QPushButton;

// The dialog of Generate Graded Puzzle, laid out as the level dialog: the
// band and the symmetry; OK runs the generation before the dialog closes.
class TFormGraded : public QDialog {
  Q_OBJECT

public:
  TFormGraded(QWidget *parent, std::function<void(TBand, TSymmetry)> generate);

  TBand Band() const;
  TSymmetry Symmetry() const;
  void BitBtnOKClick();

  QComboBox *ComboBand;
  QComboBox *ComboSymmetry;
  QPushButton *BitBtnOK;
  QPushButton *BitBtnCancel;

private:
  std::function<void(TBand, TSymmetry)> m_generate;
};

// A band's name in the window's language.
QString BandTitle(TBand band);
