#pragma once

#include <QAbstractTableModel>
#include <QColor>

#include <functional>

class TPuzzleLibrary;

// The rows of the open library for the Database tab: the number, read-only,
// and the title, edited in place. Odd record numbers on white, even ones on
// the button face, always in black.
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
};
