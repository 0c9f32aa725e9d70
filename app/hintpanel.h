#pragma once

#include <QDialog>

class QLabel;
class QPushButton;

// The hint's words beside the main window, never over the grid: a tool
// window that stays open while the player goes on, with a button that makes
// the step when the hint gives the whole of it.
class THintPanel : public QDialog {
  Q_OBJECT

public:
  explicit THintPanel(QWidget *window);

  // Shows the text beside the window; Apply only when canApply.
  void ShowHint(const QString &text, bool canApply);
  // The step is no longer the board's: Apply goes, and the words say so.
  void Retire();
  static QString RetiredNote();
  QString Text() const;

  QLabel *LabelHint;
  QPushButton *ButtonApply;
  QPushButton *ButtonClose;

signals:
  void ApplyClicked();

private:
  void PlaceBesideWindow();
};
