#pragma once

#include <QTableView>

class TPuzzleModel;

// The Database tab's list of puzzles: the number, read-only, and the title,
// edited in place and held to the column's width.
class TDBGrid : public QTableView {
  Q_OBJECT

public:
  TDBGrid(TPuzzleModel *model, QWidget *parent);

  // The row Load Puzzle and Delete Puzzle act on; -1 with no rows.
  int CurrentRecord() const;
  void SetCurrentRecord(int row);

signals:
  // A title editor was made; the window serves its shortcuts first.
  void EditorCreated(QWidget *editor);
};
