#pragma once

#include <QFrame>
#include <QLineEdit>
#include <QSet>

#include <array>
#include <cstdint>

class QLabel;
class QPushButton;
class TStringGrid;

// The entry box: only Backspace, Delete and the digits 1 to 9 get in, at most
// nine of them by typing; every release of a key pressed here is an entry.
class TEntryBox : public QLineEdit {
  Q_OBJECT

public:
  using QLineEdit::QLineEdit;
  // The keys held now belong to a menu shortcut, not to typing.
  void ForgetKeys() { m_keys.clear(); }

signals:
  void KeyUp();

protected:
  void keyPressEvent(QKeyEvent *event) override;
  void keyReleaseEvent(QKeyEvent *event) override;

private:
  // Pressed here and not yet released: the release of the key that closed a
  // message box must not count as typing.
  QSet<int> m_keys;
};

// The controls of the "Sudoku Grid" page, named as the rest of the program
// knows them.
struct TGridControls {
  QFrame *Panel2 = nullptr;
  QLabel *LabelTitle = nullptr;
  QFrame *Panel3 = nullptr;
  TStringGrid *StringGrid = nullptr;
  TEntryBox *EditNumber = nullptr;
  std::array<QPushButton *, 10> Buttons{}; // Button1 .. Button9 at 1 .. 9
  QPushButton *ButtonC = nullptr;
  QPushButton *ButtonGenerate = nullptr;
  QPushButton *ButtonSolve = nullptr;
  QPushButton *ButtonReset = nullptr;
  QFrame *Panel4 = nullptr;
  QLabel *LabelTime = nullptr;
  QLabel *LabelMode = nullptr;
};

// The "Sudoku Grid" page: the grid in its black frame, the entry box, the
// keypad, the three command buttons and the status panel. It is Panel2, and
// hands its controls to whoever shows it.
class TGridPage : public QFrame, public TGridControls {
  Q_OBJECT

public:
  TGridPage(QWidget *page, TGridControls &controls);
};

// One cell of the grid: its ground, its text in the type the cell calls for,
// and the box lines over it.
struct TCellLook {
  bool fixed;
  bool error;
  bool current;
};
// What a hint marks in a cell. Drawn under the text and as frames and small
// digits over it, so the grounds of errors and the current cell, and the
// type of givens, still show.
struct TCellHighlight {
  bool unit = false;                                              // in a unit where to look
  bool pattern = false;                                           // one of the step's cells
  bool mistake = false;                                           // the mistaken digit's cell
  std::uint16_t candidates = 0, eliminations = 0, placements = 0; // digit bits
};
void PaintCell(QPainter &painter, const QRect &rect, const QString &text, TCellLook look,
               const TCellHighlight &highlight = {});
