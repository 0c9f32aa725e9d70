#pragma once

#include <QFlags>
#include <QPointer>
#include <QString>
#include <QWidget>

#include <array>
#include <functional>

// What a cell is besides its text. The painting reads these from the board;
// the grid keeps a copy only to tell assistive technology about the cell.
enum class TCellMark : unsigned { Given = 0x1, Error = 0x2 };
Q_DECLARE_FLAGS(TCellMarks, TCellMark)
Q_DECLARE_OPERATORS_FOR_FLAGS(TCellMarks)

// The 9x9 grid control: 35-pixel cells with 1-pixel silver lines, one current
// cell, texts of its own. Cells are painted by the owner's handler; the grid
// draws the lines under them and the focus rectangle over them. To assistive
// technology it is a table of 81 cells (gridaccessible.h).
class TStringGrid : public QWidget {
  Q_OBJECT

public:
  static constexpr int CellSize = 35;
  static constexpr int Pitch = CellSize + 1;
  static constexpr int Extent = 9 * Pitch; // 324

  using TDrawCell = std::function<void(QPainter &, int col, int row, const QRect &)>;

  explicit TStringGrid(QWidget *parent = nullptr);

  void SetDrawCell(TDrawCell drawCell) { m_drawCell = std::move(drawCell); }
  // Every assignment repaints the cell, even when the text is the same.
  void SetCell(int col, int row, const QString &text, TCellMarks marks);
  const QString &Cell(int col, int row) const { return m_cells[col][row]; }
  TCellMarks Marks(int col, int row) const { return m_marks[col][row]; }
  // The digits, Backspace and Delete typed while the grid has the focus go
  // to this widget, as if typed there.
  void SetEntryTarget(QWidget *target) { m_entryTarget = target; }

  int Col() const { return m_col; }
  int Row() const { return m_row; }
  void SetCurrent(int col, int row);
  static QRect CellRect(int col, int row);

signals:
  // The user selected a cell, by mouse or keyboard.
  void Clicked();

protected:
  void paintEvent(QPaintEvent *event) override;
  void mousePressEvent(QMouseEvent *event) override;
  void keyPressEvent(QKeyEvent *event) override;
  void keyReleaseEvent(QKeyEvent *event) override;
  void focusInEvent(QFocusEvent *event) override;
  void focusOutEvent(QFocusEvent *event) override;

private:
  bool ForwardEntryKey(QKeyEvent *event);

  std::array<std::array<QString, 9>, 9> m_cells;
  std::array<std::array<TCellMarks, 9>, 9> m_marks{};
  int m_col = 0;
  int m_row = 0;
  TDrawCell m_drawCell;
  QPointer<QWidget> m_entryTarget;
  // The focus came in and the current cell is yet to be announced.
  bool m_focusPending = false;
};
