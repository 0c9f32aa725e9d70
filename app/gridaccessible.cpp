#include "gridaccessible.h"

#include <QAccessibleWidget>
#include <QCoreApplication>
#include <QPointer>
#include <QStringList>

#include <array>

namespace {

// One cell of the grid. Cells have no object of their own; the table keeps
// them registered so that events and the bridge can reach them by id.
class TCellAccessible final : public QAccessibleInterface, public QAccessibleTableCellInterface {
public:
  TCellAccessible(TStringGrid *grid, int col, int row) : m_grid(grid), m_col(col), m_row(row) {}

  bool isValid() const override { return !m_grid.isNull(); }
  QObject *object() const override { return nullptr; }
  QWindow *window() const override { return m_grid ? Table()->window() : nullptr; }
  QAccessibleInterface *childAt(int, int) const override { return nullptr; }
  QAccessibleInterface *parent() const override { return Table(); }
  QAccessibleInterface *child(int) const override { return nullptr; }
  int childCount() const override { return 0; }
  int indexOfChild(const QAccessibleInterface *) const override { return -1; }

  QString text(QAccessible::Text type) const override {
    if (!m_grid)
      return {};
    if (type == QAccessible::Name)
      return CellAccessibleName(m_col, m_row, m_grid->Cell(m_col, m_row),
                                m_grid->Marks(m_col, m_row));
    if (type == QAccessible::Value)
      return m_grid->Cell(m_col, m_row);
    return {};
  }
  // Cells change only through the entry box, which the rules of play guard.
  void setText(QAccessible::Text, const QString &) override {}

  QRect rect() const override {
    if (!m_grid)
      return {};
    const QRect cell = TStringGrid::CellRect(m_col, m_row);
    return {m_grid->mapToGlobal(cell.topLeft()), cell.size()};
  }
  QAccessible::Role role() const override { return QAccessible::Cell; }
  QAccessible::State state() const override {
    QAccessible::State state;
    if (!m_grid)
      return state;
    state.focusable = true;
    state.selectable = true;
    state.selected = isSelected();
    state.focused = state.selected && m_grid->hasFocus();
    state.invisible = !m_grid->isVisible();
    return state;
  }
  void *interface_cast(QAccessible::InterfaceType type) override {
    if (type == QAccessible::TableCellInterface)
      return static_cast<QAccessibleTableCellInterface *>(this);
    return nullptr;
  }

  bool isSelected() const override {
    return m_grid && m_grid->Col() == m_col && m_grid->Row() == m_row;
  }
  QList<QAccessibleInterface *> columnHeaderCells() const override { return {}; }
  QList<QAccessibleInterface *> rowHeaderCells() const override { return {}; }
  int columnIndex() const override { return m_col; }
  int rowIndex() const override { return m_row; }
  int columnExtent() const override { return 1; }
  int rowExtent() const override { return 1; }
  QAccessibleInterface *table() const override { return Table(); }

  const TStringGrid *Grid() const { return m_grid; }

private:
  QAccessibleInterface *Table() const {
    return m_grid ? QAccessible::queryAccessibleInterface(m_grid) : nullptr;
  }

  QPointer<TStringGrid> m_grid;
  int m_col;
  int m_row;
};

// The grid: 9 rows of 9 cells, children in row order, the current cell the
// one selected. The cells are made when first asked for and live as long as
// the table.
class TGridAccessible final : public QAccessibleWidget, public QAccessibleTableInterface {
public:
  explicit TGridAccessible(TStringGrid *grid) : QAccessibleWidget(grid, QAccessible::Table) {}
  ~TGridAccessible() override {
    for (QAccessible::Id id : m_cells)
      if (id)
        QAccessible::deleteAccessibleInterface(id);
  }

  int childCount() const override { return 81; }
  QAccessibleInterface *child(int index) const override {
    return index >= 0 && index < 81 ? cellAt(index / 9, index % 9) : nullptr;
  }
  int indexOfChild(const QAccessibleInterface *child) const override {
    auto *cell = dynamic_cast<const TCellAccessible *>(child);
    if (!cell || cell->Grid() != Grid())
      return -1;
    return cell->rowIndex() * 9 + cell->columnIndex();
  }
  QAccessibleInterface *childAt(int x, int y) const override {
    const QPoint at = Grid()->mapFromGlobal(QPoint(x, y));
    if (!Grid()->rect().contains(at))
      return nullptr;
    return cellAt(std::min(at.y() / TStringGrid::Pitch, 8),
                  std::min(at.x() / TStringGrid::Pitch, 8));
  }
  QAccessibleInterface *focusChild() const override {
    return Grid()->hasFocus() ? CurrentCell() : nullptr;
  }
  void *interface_cast(QAccessible::InterfaceType type) override {
    if (type == QAccessible::TableInterface)
      return static_cast<QAccessibleTableInterface *>(this);
    return QAccessibleWidget::interface_cast(type);
  }

  QAccessibleInterface *caption() const override { return nullptr; }
  QAccessibleInterface *summary() const override { return nullptr; }
  QAccessibleInterface *cellAt(int row, int column) const override {
    if (row < 0 || row > 8 || column < 0 || column > 8)
      return nullptr;
    QAccessible::Id &id = m_cells[row * 9 + column];
    if (!id)
      id = QAccessible::registerAccessibleInterface(new TCellAccessible(Grid(), column, row));
    return QAccessible::accessibleInterface(id);
  }
  int selectedCellCount() const override { return 1; }
  QList<QAccessibleInterface *> selectedCells() const override { return {CurrentCell()}; }
  QString columnDescription(int) const override { return {}; }
  QString rowDescription(int) const override { return {}; }
  int selectedColumnCount() const override { return 0; }
  int selectedRowCount() const override { return 0; }
  int columnCount() const override { return 9; }
  int rowCount() const override { return 9; }
  QList<int> selectedColumns() const override { return {}; }
  QList<int> selectedRows() const override { return {}; }
  bool isColumnSelected(int) const override { return false; }
  bool isRowSelected(int) const override { return false; }
  // One cell is selected at a time, and only the player moves it.
  bool selectRow(int) override { return false; }
  bool selectColumn(int) override { return false; }
  bool unselectRow(int) override { return false; }
  bool unselectColumn(int) override { return false; }
  // The 81 cells never come or go.
  void modelChange(QAccessibleTableModelChangeEvent *) override {}

private:
  TStringGrid *Grid() const { return static_cast<TStringGrid *>(widget()); }
  QAccessibleInterface *CurrentCell() const { return cellAt(Grid()->Row(), Grid()->Col()); }

  mutable std::array<QAccessible::Id, 81> m_cells{};
};

QAccessibleInterface *GridFactory(const QString &, QObject *object) {
  if (auto *grid = qobject_cast<TStringGrid *>(object))
    return new TGridAccessible(grid);
  return nullptr;
}

// The grid's table interface, when someone listens.
QAccessibleTableInterface *ListenedTable(TStringGrid &grid) {
  if (!QAccessible::isActive())
    return nullptr;
  QAccessibleInterface *table = QAccessible::queryAccessibleInterface(&grid);
  return table ? table->tableInterface() : nullptr;
}

void Send(QAccessibleInterface *cell, QAccessible::Event type) {
  QAccessibleEvent event(cell, type);
  QAccessible::updateAccessibility(&event);
}

} // namespace

void InstallGridAccessible() {
  QAccessible::installFactory(GridFactory);
}

// Every word said about a cell is here.
QString CellAccessibleName(int col, int row, const QString &text, TCellMarks marks) {
  QString content;
  if (text.isEmpty()) {
    content = QCoreApplication::translate("TGridAccessible", "empty");
  } else if (text.size() == 1) {
    content = text;
  } else {
    QStringList digits;
    for (QChar digit : text)
      if (!digit.isSpace())
        digits << QString(digit);
    content = QCoreApplication::translate("TGridAccessible", "candidates %1")
                  .arg(digits.join(QLatin1Char(' ')));
  }
  if (marks & TCellMark::Given)
    content = QCoreApplication::translate("TGridAccessible", "%1, given").arg(content);
  if (marks & TCellMark::Error)
    content = QCoreApplication::translate("TGridAccessible", "%1, error").arg(content);
  return QCoreApplication::translate("TGridAccessible", "row %1, column %2, %3")
      .arg(QString::number(row + 1), QString::number(col + 1), content);
}

void NotifyCellChanged(TStringGrid &grid, int col, int row) {
  QAccessibleTableInterface *table = ListenedTable(grid);
  if (!table)
    return;
  // A screen reader speaks the new name; the table event lets a bridge that
  // caches cells refresh this one.
  Send(table->cellAt(row, col), QAccessible::NameChanged);
  QAccessibleTableModelChangeEvent changed(QAccessible::queryAccessibleInterface(&grid),
                                           QAccessibleTableModelChangeEvent::DataChanged);
  changed.setFirstRow(row);
  changed.setLastRow(row);
  changed.setFirstColumn(col);
  changed.setLastColumn(col);
  QAccessible::updateAccessibility(&changed);
}

void NotifyCurrentMoved(TStringGrid &grid, int oldCol, int oldRow) {
  QAccessibleTableInterface *table = ListenedTable(grid);
  if (!table)
    return;
  Send(table->cellAt(oldRow, oldCol), QAccessible::SelectionRemove);
  Send(table->cellAt(grid.Row(), grid.Col()), QAccessible::SelectionAdd);
}

void NotifyCurrentFocused(TStringGrid &grid) {
  QAccessibleTableInterface *table = ListenedTable(grid);
  if (table && grid.hasFocus())
    Send(table->cellAt(grid.Row(), grid.Col()), QAccessible::Focus);
}
