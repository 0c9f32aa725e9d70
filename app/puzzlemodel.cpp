#include "puzzlemodel.h"

#include "puzzlelibrary.h"

#include <QFontMetrics>
#include <QPointer>

#include <cmath>

TPuzzleModel::TPuzzleModel(TPuzzleLibrary &library, QColor evenGround, QObject *parent)
    : QAbstractTableModel(parent), m_library(library), m_evenGround(evenGround) {
  // The model may go before the library does.
  m_library.onRowsChanged = [model = QPointer<TPuzzleModel>(this)] {
    if (model)
      model->Refresh();
  };
}

void TPuzzleModel::Refresh() {
  beginResetModel();
  m_count = m_library.IsOpen() ? m_library.Count() : 0;
  endResetModel();
}

int TPuzzleModel::rowCount(const QModelIndex &parent) const {
  return parent.isValid() || !m_library.IsOpen() ? 0 : m_count;
}

int TPuzzleModel::columnCount(const QModelIndex &parent) const {
  return parent.isValid() ? 0 : 2;
}

QVariant TPuzzleModel::data(const QModelIndex &index, int role) const {
  // A change under way (an import behind its progress window) may have read
  // the list again before telling the view.
  if (!index.isValid() || index.row() >= rowCount() || index.row() >= m_library.Count())
    return {};
  switch (role) {
  case Qt::DisplayRole:
  case Qt::EditRole: {
    const TPuzzleRow &row = m_library.Row(index.row());
    return index.column() == 0 ? QVariant(row.number) : QVariant(row.title);
  }
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
  if (role != Qt::EditRole || index.column() != 1 || index.row() >= rowCount())
    return false;
  try {
    m_library.SetTitle(index.row(), value.toString());
  } catch (const TLibraryError &error) {
    if (onError)
      onError(QString::fromUtf8(error.what()));
    // Another copy of the program may have changed the rows: show them as
    // the file has them, once the editor has closed.
    QMetaObject::invokeMethod(
        this,
        [this] {
          try {
            if (m_library.IsOpen())
              m_library.Reload();
          } catch (const TLibraryError &error) {
            if (onError)
              onError(QString::fromUtf8(error.what()));
          }
        },
        Qt::QueuedConnection);
    return false;
  }
  emit dataChanged(index, index);
  return true;
}

int NumberColumnWidth(qint64 count, const QFontMetrics &metrics) {
  constexpr int DesignedWidth = 30;
  // Measured as whole strings in fractions of a pixel: rounded per digit,
  // four digits can come out a pixel short.
  const QFontMetricsF exact(metrics);
  const int digits = int(QString::number(std::max<qint64>(count, 1)).size());
  qreal widest = 0;
  for (char digit = '0'; digit <= '9'; ++digit)
    widest = std::max(widest, exact.horizontalAdvance(QString(digits, QLatin1Char(digit))));
  return std::max(DesignedWidth, int(std::ceil(widest)) + NumberColumnPadding);
}
