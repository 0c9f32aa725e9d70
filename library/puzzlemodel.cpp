#include "puzzlemodel.h"

#include "puzzlelibrary.h"

TPuzzleModel::TPuzzleModel(TPuzzleLibrary &library, QColor evenGround, QObject *parent)
    : QAbstractTableModel(parent), m_library(library), m_evenGround(evenGround) {}

void TPuzzleModel::Refresh() {
  beginResetModel();
  endResetModel();
}

int TPuzzleModel::rowCount(const QModelIndex &parent) const {
  return parent.isValid() || !m_library.IsOpen() ? 0 : m_library.Count();
}

int TPuzzleModel::columnCount(const QModelIndex &parent) const {
  return parent.isValid() ? 0 : 2;
}

QVariant TPuzzleModel::data(const QModelIndex &index, int role) const {
  if (!index.isValid() || index.row() >= m_library.Count())
    return {};
  const TPuzzleRow &row = m_library.Row(index.row());
  switch (role) {
  case Qt::DisplayRole:
  case Qt::EditRole:
    return index.column() == 0 ? QVariant(row.number) : QVariant(row.title);
  case Qt::BackgroundRole:
    return (index.row() + 1) % 2 ? QColor(Qt::white) : m_evenGround;
  case Qt::ForegroundRole:
    return QColor(Qt::black);
  default:
    return {};
  }
}

QVariant TPuzzleModel::headerData(int section, Qt::Orientation orientation, int role) const {
  if (role != Qt::DisplayRole)
    return {};
  if (orientation == Qt::Vertical)
    return {};
  return section == 0 ? tr("N") : tr("Puzzle");
}

Qt::ItemFlags TPuzzleModel::flags(const QModelIndex &index) const {
  Qt::ItemFlags flags = QAbstractTableModel::flags(index);
  if (index.column() == 1)
    flags |= Qt::ItemIsEditable;
  return flags;
}

bool TPuzzleModel::setData(const QModelIndex &index, const QVariant &value, int role) {
  if (role != Qt::EditRole || index.column() != 1 || index.row() >= m_library.Count())
    return false;
  try {
    m_library.SetTitle(index.row(), value.toString());
  } catch (const TLibraryError &error) {
    if (onError)
      onError(QString::fromStdString(error.what()));
    return false;
  }
  emit dataChanged(index, index);
  return true;
}
