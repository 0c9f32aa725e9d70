#pragma once

#include <QAbstractTableModel>
#include <QColor>

#include <functional>

class QFontMetrics;
class TPuzzleLibrary;

// The rows of the open library for the Database tab: the number, read-only,
// and the title, edited in place. Odd record numbers on white, even ones on
// the button face, always in black. A view of the library's own list.
class TPuzzleModel : public QAbstractTableModel {
  Q_OBJECT

public:
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
  TPuzzleLibrary &m_library;
  QColor m_evenGround;
  int m_count = 0;
};

// Room in the N column beside the digits: the view's text margins and grid line.
constexpr int NumberColumnPadding = 8;
// The width of the N column for a library of count rows: 30 pixels while
// every number fits, otherwise room for count's digits in full, each as wide
// as the font's widest digit so the column does not twitch with each new row.
int NumberColumnWidth(qint64 count, const QFontMetrics &metrics);
