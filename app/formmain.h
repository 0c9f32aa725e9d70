#pragma once

#include "collectioncommands.h"
#include "commands.h"
#include "game.h"
#include "gridpage.h"
#include "services.h"
#include "session.h"
#include "version.h"

#include <QMainWindow>

class QTimer;
class TDBGrid;
class THintPanel;
struct TCellHighlight;
class TPageControl;
class TPuzzleModel;

// The main window: a view over the game and the open library. Each command
// goes to one of them and the window shows what comes back.
class TFormMain : public QMainWindow, public TGridControls {
  Q_OBJECT

  // Ahead of Board, which refers into the game.
  TServices &m_services;
  TSeededRandom m_random;
  TGame m_game;
  TSession m_session{m_game};

public:
  static inline const QString ApplicationTitle = QString::fromLatin1(::ApplicationTitle);

  explicit TFormMain(TServices &services, QWidget *parent = nullptr);

  TGame &Game() { return m_game; }
  // The game's board, by the name the rest of the program knows it.
  const TGrid &Board;
  QAction *Action(TCommand command) const { return m_actions[static_cast<std::size_t>(command)]; }

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
  void MenuImportPuzzlesClick();
  void MenuExportPuzzlesClick();
  void MenuCountSolutionsClick();
  void MenuPastePuzzleClick();
  void MenuHintClick();
  void MenuRatePuzzleClick();
  void MenuGenerateGradedClick();
  void MenuExportRatedClick();

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
  // What the graded dialog's OK runs; false when cancelled.
  bool GenerateGraded(TBand band, TSymmetry symmetry);
  // The hint panel's Apply.
  void ApplyHintClick();
  // Whether the grid shows a hint's marks.
  bool HintShown() const;
  TCellHighlight HighlightOf(int col, int row) const;

  // The library.
  void EnableDatabaseItems(bool enabled);
  QString DatabaseFileName() const { return m_session.Library().FileName(); }
  const TPuzzleLibrary &Library() const { return m_session.Library(); }
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
  void BuildGridPage(QWidget *page);
  void RunGuarded(const std::function<void()> &command);
  // The labels, the grid and the clock after the game changed.
  void ShowGame();
  void WarnIfRefused(TEntryResult result);
  // Whether a library is open, and which, decides the record commands and the caption.
  void UpdateLibraryState();
  void ShowLibraryRows(int current);
  QString DataFolder() const;
  // An existing file at path may go: not the open library, and the user says Yes.
  bool MayReplace(const QString &path, QMessageBox::StandardButtons buttons);

  THintWords HintWords() const;
  // A hint's marks stay until the board changes.
  void ForgetHintIfBoardChanged();

  TActions m_actions{};
  THint m_hint;
  TGrid m_hintBoard;
  bool m_hintShown = false;
  TCollectionCommands m_collections{this, m_services, m_session.Library(), m_game};
  TPuzzleModel *m_model = nullptr;

public:
  // Controls, named as the rest of the program knows them; the grid page's
  // come from TGridControls.
  QWidget *ToolBar = nullptr;
  TPageControl *PageControl = nullptr;
  QWidget *TabSheetGrid = nullptr;
  QWidget *TabSheetDatabase = nullptr;
  TDBGrid *DBGrid = nullptr;
  QTimer *Timer = nullptr;
  THintPanel *HintPanel = nullptr; // made at the first hint
};
