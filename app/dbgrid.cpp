#include "dbgrid.h"

#include "fonts.h"
#include "puzzlelibrary.h"
#include "puzzlemodel.h"

#include <QHeaderView>
#include <QLineEdit>
#include <QStyledItemDelegate>

namespace {

class TTitleDelegate : public QStyledItemDelegate {
public:
  explicit TTitleDelegate(TDBGrid *grid) : QStyledItemDelegate(grid), m_grid(grid) {}
  QWidget *createEditor(QWidget *parent, const QStyleOptionViewItem &option,
                        const QModelIndex &index) const override {
    QWidget *editor = QStyledItemDelegate::createEditor(parent, option, index);
    if (auto *line = qobject_cast<QLineEdit *>(editor))
      line->setMaxLength(TitleWidth);
    emit m_grid->EditorCreated(editor);
    return editor;
  }

private:
  TDBGrid *m_grid;
};

} // namespace

TDBGrid::TDBGrid(TPuzzleModel *model, QWidget *parent) : QTableView(parent) {
  setObjectName(QStringLiteral("DBGrid"));
  setAccessibleName(tr("Puzzle library"));
  setGeometry(0, 0, 458, 357);
  setFont(WindowFont(11));
  QPalette ground = palette();
  ground.setColor(QPalette::Base, InactiveCaption);
  setPalette(ground);
  setModel(model);
  setItemDelegateForColumn(1, new TTitleDelegate(this));
  setColumnWidth(0, 30);
  // 30 pixels while the numbers fit, wider once the largest would not.
  connect(model, &QAbstractItemModel::modelReset, this, [this] {
    setColumnWidth(0, NumberColumnWidth(this->model()->rowCount(), fontMetrics()));
  });
  setColumnWidth(1, 320);
  verticalHeader()->setDefaultSectionSize(18);
  verticalHeader()->setMinimumWidth(12);
  horizontalHeader()->setFont(WindowFont(11));
  // The current row is marked by the focus rectangle alone, not a highlight.
  setSelectionMode(QAbstractItemView::NoSelection);
  setEditTriggers(QAbstractItemView::EditKeyPressed | QAbstractItemView::AnyKeyPressed |
                  QAbstractItemView::SelectedClicked);
}

int TDBGrid::CurrentRecord() const {
  if (model()->rowCount() == 0)
    return -1;
  return currentIndex().isValid() ? currentIndex().row() : 0;
}

void TDBGrid::SetCurrentRecord(int row) {
  if (row >= 0 && row < model()->rowCount())
    setCurrentIndex(model()->index(row, std::max(currentIndex().column(), 0)));
}
