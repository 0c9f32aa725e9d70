#pragma once

#include "board.h"
#include "history.h"
#include "puzzlelibrary.h"
#include "random.h"
#include "services.h"

#include <QMainWindow>
#include <QSet>

#include <array>
#include <cstdint>
#include <functional>

class QAction;
class QFrame;
class QLabel;
class QLineEdit;
class QPushButton;
class QTableView;
class QTimer;
class TPageControl;
class TStringGrid;
class TPuzzleModel;

// The main window. It owns the game: the board, the undo history, the mode
// (held as the caption of LabelMode), the title and the start time.
class TFormMain : public QMainWindow {
  Q_OBJECT

public:
  static inline const QString ApplicationTitle = QStringLiteral("Ninegrove 1.0");
  static inline const QString EditMode = QStringLiteral("Edit Mode");
  static inline const QString LockMode = QStringLiteral("Lock Mode");

  explicit TFormMain(TServices &services, QWidget *parent = nullptr);
  ~TFormMain() override;

  TGrid Board;
  const THistory &History() const { return m_history; }
  bool TimerRunning() const;

  // Commands, one per menu item; tool and push buttons share them.
  void MenuNewDatabaseClick();
  void MenuOpenDatabaseClick();
  void MenuSaveAsClick();
  void MenuPrintGridClick();
  void MenuExitClick();
  void MenuGenerateClick();
  void MenuNewPuzzleClick();
  void MenuDesignPuzzleClick();
  void MenuEditPuzzleClick();
  void MenuSavePuzzleClick();
  void MenuLoadPuzzleClick();
  void MenuDeletePuzzleClick();
  void MenuUndoClick();
  void MenuRedoClick();
  void MenuSolveClick();
  void MenuFill19Click();
  void MenuResetClick();
  void MenuClearClick();
  void MenuShowErrorsClick();
  void MenuClipboardClick();
  void MenuContentsClick();
  void MenuHomepageClick();
  void MenuAboutClick();

  // Play.
  void StringGridClick();
  void ApplyEntry();
  void ButtonDigitClick(int digit);
  void ButtonCClick();
  void TimerTimer();
  void ShowBoard();
  void StringGridDrawCell(QPainter &painter, int col, int row, const QRect &rect);

  // What the level dialog's OK runs.
  void GeneratePuzzle(int level);

  void EnableDatabaseItems(bool enabled);
  void NewPuzzleRecord();
  void CreateDatabase(const QString &path);
  QString DatabaseFileName() const { return m_library.FileName(); }
  const TPuzzleLibrary &Library() const { return m_library; }
  // The row that Load Puzzle and Delete Puzzle act on.
  int CurrentRecord() const;
  void SetCurrentRecord(int index);
  void DeleteRecordByKeyboard();
  // An old Access library becomes a new library file beside it.
  void ImportAccessLibrary(const QString &path);

protected:
  bool eventFilter(QObject *watched, QEvent *event) override;

private:
  void FormCreate();
  void BuildActions();
  void BuildMenus();
  void BuildToolBar(QWidget *central);
  void BuildGridPage(QWidget *page);
  QAction *Command(const char *name, const QString &caption, const QString &hint, const char *icon,
                   void (TFormMain::*handler)());
  void RunGuarded(const std::function<void()> &command);
  void SetTitle(const QString &title);
  void SetMode(const QString &mode);
  void StopTimerAndReset();
  void StartTimer();
  bool EditNumberKeyPress(QKeyEvent *event);
  QString DataFolder() const;
  // The open library is this file, by whatever spelling.
  bool IsOpenLibrary(const QString &path) const;
  // An existing file at path may go: not the open library, and the user says Yes.
  bool MayReplace(const QString &path, QMessageBox::StandardButtons buttons);
  void ConnectLibrary(const QString &path);

  TServices &m_services;
  THistory m_history;
  TSeededRandom m_random;
  std::int64_t m_startTime = 0;
  // Keys pressed while the entry box had the focus and not yet released.
  QSet<int> m_entryKeys;
  TPuzzleLibrary m_library;
  TPuzzleModel *m_model = nullptr;

public:
  // Controls, named as the rest of the program knows them.
  QWidget *ToolBar = nullptr;
  TPageControl *PageControl = nullptr;
  QWidget *TabSheetGrid = nullptr;
  QWidget *TabSheetDatabase = nullptr;
  QFrame *Panel2 = nullptr;
  QLabel *LabelTitle = nullptr;
  QFrame *Panel3 = nullptr;
  TStringGrid *StringGrid = nullptr;
  QLineEdit *EditNumber = nullptr;
  std::array<QPushButton *, 10> Buttons{}; // Button1 .. Button9 at 1 .. 9
  QPushButton *ButtonC = nullptr;
  QPushButton *ButtonGenerate = nullptr;
  QPushButton *ButtonSolve = nullptr;
  QPushButton *ButtonReset = nullptr;
  QFrame *Panel4 = nullptr;
  QLabel *LabelTime = nullptr;
  QLabel *LabelMode = nullptr;
  QTableView *DBGrid = nullptr;
  QTimer *Timer = nullptr;
};
