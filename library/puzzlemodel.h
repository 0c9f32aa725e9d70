#pragma once

#include <QAbstractTableModel>
#include <QColor>
#include <QHash>
#include <QList>

#include <functional>

class QFontMetrics;
class TPuzzleLibrary;

// The rows of the open library for the Database tab: the number, read-only,
// and the title, edited in place. Odd record numbers on white, even ones on
// the button face, always in black.
//
// Rows are read from the file a block at a time as the view asks for them,
// and only a few blocks are kept, so a library of any size opens and
// scrolls at once.
class TPuzzleModel : public QAbstractTableModel {
  Q_OBJECT

public:
  static constexpr int BlockRows = 256;
  static constexpr int KeptBlocks = 16;

  // Shows the library's list again whenever it changes.
  TPuzzleModel(TPuzzleLibrary &library, QColor evenGround, QObject *parent = nullptr);

  // After every change of the library's rows.
  void Refresh();
  std::function<void(const QString &)> onError;

  int rowCount(const QModelIndex &parent = {}) const override;
  int columnCount(const QModelIndex &parent = {}) const override;
  QVariant data(const QModelIndex &index, int role) const override;
  QVariant headerData(int section, Qt::Orientation orientation, int role) const override;
  Qt::ItemFlags flags(const QModelIndex &index) const override;
  bool setData(const QModelIndex &index, const QVariant &value, int role) override;

private:
  struct TShownRow {
    qint64 number = 0;
    QString title;
  };
  // The row, read with its block when not at hand; nullptr when the file
  // cannot give it.
  const TShownRow *Shown(int row) const;

  TPuzzleLibrary &m_library;
  QColor m_evenGround;
  int m_count = 0;
  mutable QHash<int, QList<TShownRow>> m_blocks;
  mutable QList<int> m_blockOrder; // least recently read first
};

// Room in the N column beside the digits: the view's text margins and grid line.
constexpr int NumberColumnPadding = 8;
// The width of the N column for a library of count rows: 30 pixels while
// every number fits, otherwise room for count's digits in full, each as wide
// as the font's widest digit so the column does not twitch with each new row.
int NumberColumnWidth(qint64 count, const QFontMetrics &metrics);
