#include "formmain.h"

#include "dbgrid.h"
#include "fonts.h"
#include "formabout.h"
#include "formselectlevel.h"
#include "gridpage.h"
#include "output.h"
#include "pagecontrol.h"
#include "programfiles.h"
#include "puzzlemodel.h"
#include "stringgrid.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QKeyEvent>
#include <QLabel>
#include <QLayout>
#include <QMenuBar>
#include <QPushButton>
#include <QTimer>

namespace {

// Cell texts are bytes; the window reads them as UTF-8.
QString Qs(const std::string &text) {
  return QString::fromStdString(text);
}
std::string Ss(const QString &text) {
  return text.toStdString();
}

} // namespace

TFormMain::TFormMain(TServices &services, QWidget *parent)
    : QMainWindow(parent), m_services(services), m_random(services.clock),
      m_game(services.clock, m_random), Board(m_game.Board()) {
  setObjectName(QStringLiteral("FormMain"));
  setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                 Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint |
                 Qt::WindowCloseButtonHint);
  m_game.levelTitle = [](int level) { return Ss(tr("Puzzle Level %1").arg(level)); };

  auto *central = new QWidget(this);
  central->setObjectName(QStringLiteral("ClientArea"));
  central->setFixedSize(485, 390);
  central->setFont(WindowFont(11));
  setCentralWidget(central);

  Timer = new QTimer(this);
  Timer->setObjectName(QStringLiteral("Timer"));
  // Each tick is timed to land just past a whole second of the game.
  Timer->setTimerType(Qt::PreciseTimer);
  Timer->setSingleShot(true);
  Timer->setInterval(1000);
  connect(Timer, &QTimer::timeout, this, [this] { RunGuarded([this] { TimerTimer(); }); });

  BuildActions();
  ToolBar = BuildToolBar(central, m_actions);

  PageControl = new TPageControl(QSize(458, 357), central);
  PageControl->setObjectName(QStringLiteral("PageControl"));
  PageControl->setGeometry(0, 25, 485, 365);
  TabSheetGrid = new QWidget;
  TabSheetGrid->setObjectName(QStringLiteral("TabSheetGrid"));
  TabSheetDatabase = new QWidget;
  TabSheetDatabase->setObjectName(QStringLiteral("TabSheetDatabase"));
  PageControl->AddPage(TabSheetGrid, tr("Sudoku Grid"));
  PageControl->AddPage(TabSheetDatabase, tr("Database"));
  BuildGridPage(TabSheetGrid);

  m_model =
      new TPuzzleModel(m_session.Library(), QApplication::palette().color(QPalette::Button), this);
  m_model->onError = [this](const QString &text) {
    m_services.messages.ApplicationError(this, text);
  };
  DBGrid = new TDBGrid(m_model, TabSheetDatabase);
  connect(DBGrid, &QTableView::doubleClicked, this,
          [this] { RunGuarded([this] { MenuLoadPuzzleClick(); }); });
  // The menu's shortcuts come first in the controls that would take them.
  connect(DBGrid, &TDBGrid::EditorCreated, this,
          [this](QWidget *editor) { editor->installEventFilter(this); });
  DBGrid->installEventFilter(this);
  EditNumber->installEventFilter(this);

  layout()->setSizeConstraint(QLayout::SetFixedSize);
  FormCreate();
}

void TFormMain::FormCreate() {
  setWindowTitle(ApplicationTitle);
  MenuClearClick();
  UpdateLibraryState(); // no library: the record commands are off
}

void TFormMain::BuildActions() {
  using F = TFormMain;
  // In the order of TCommand.
  static constexpr void (F::*Handlers[])() = {
      &F::MenuNewDatabaseClick,   &F::MenuOpenDatabaseClick,   &F::MenuSaveAsClick,
      &F::MenuPrintGridClick,     &F::MenuExitClick,           &F::MenuGenerateClick,
      &F::MenuNewPuzzleClick,     &F::MenuDesignPuzzleClick,   &F::MenuEditPuzzleClick,
      &F::MenuSavePuzzleClick,    &F::MenuLoadPuzzleClick,     &F::MenuDeletePuzzleClick,
      &F::MenuUndoClick,          &F::MenuRedoClick,           &F::MenuSolveClick,
      &F::MenuFill19Click,        &F::MenuResetClick,          &F::MenuClearClick,
      &F::MenuShowErrorsClick,    &F::MenuClipboardClick,      &F::MenuContentsClick,
      &F::MenuHomepageClick,      &F::MenuAboutClick,          &F::MenuImportPuzzlesClick,
      &F::MenuExportPuzzlesClick, &F::MenuCountSolutionsClick, &F::MenuPastePuzzleClick,
      &F::MenuHintClick,          &F::MenuRatePuzzleClick,     &F::MenuGenerateGradedClick,
      &F::MenuExportRatedClick};
  static_assert(std::size(Handlers) == CommandCount);
  m_actions = BuildCommands(this, menuBar(), [this](TCommand command) {
    const auto handler = Handlers[static_cast<std::size_t>(command)];
    RunGuarded([this, handler] { (this->*handler)(); });
  });
}

void TFormMain::RunGuarded(const std::function<void()> &command) {
  try {
    command();
  } catch (const std::exception &error) {
    m_services.messages.ApplicationError(this, QString::fromUtf8(error.what()));
  }
  UpdateLibraryState();
}

void TFormMain::BuildGridPage(QWidget *page) {
  new TGridPage(page, *this);
  StringGrid->SetDrawCell([this](QPainter &painter, int col, int row, const QRect &rect) {
    StringGridDrawCell(painter, col, row, rect);
  });
  connect(StringGrid, &TStringGrid::Clicked, this,
          [this] { RunGuarded([this] { StringGridClick(); }); });
  connect(EditNumber, &TEntryBox::KeyUp, this, [this] { RunGuarded([this] { ApplyEntry(); }); });
  for (int digit = 1; digit <= 9; ++digit)
    connect(Buttons[digit], &QPushButton::clicked, this,
            [this, digit] { RunGuarded([=, this] { ButtonDigitClick(digit); }); });
  connect(ButtonC, &QPushButton::clicked, this, [this] { RunGuarded([this] { ButtonCClick(); }); });
  connect(ButtonGenerate, &QPushButton::clicked, Action(TCommand::Generate), &QAction::trigger);
  connect(ButtonSolve, &QPushButton::clicked, Action(TCommand::Solve), &QAction::trigger);
  connect(ButtonReset, &QPushButton::clicked, Action(TCommand::Reset), &QAction::trigger);
}

// ---------------------------------------------------------------- the view

void TFormMain::ShowBoard() {
  for (int c = 0; c < 9; ++c)
    for (int r = 0; r < 9; ++r) {
      // The grid's copy of the flags is what a screen reader hears; painting reads Board.
      TCellMarks marks;
      marks.setFlag(TCellMark::Given, Board[c][r].Fixed)
          .setFlag(TCellMark::Error, Board[c][r].Error);
      StringGrid->SetCell(c, r, Qs(Board[c][r].Text), marks);
    }
  ForgetHintIfBoardChanged();
}

void TFormMain::ShowGame() {
  ShowBoard();
  auto show = [](QLabel *label, const QString &text) {
    label->setText(text);
    label->adjustSize();
  };
  show(LabelTitle, Qs(m_game.Title()));
  show(LabelMode, m_game.Mode() == TMode::Edit ? tr("Edit Mode") : tr("Lock Mode"));
  show(LabelTime, tr("Time  %1").arg(Qs(m_game.ElapsedText())));
  // The game says whether its clock runs; the timer only wakes the window
  // just past each of its whole seconds.
  if (m_game.TimerRunning())
    Timer->start(m_game.MillisecondsToNextTick());
  else
    Timer->stop();
}

void TFormMain::StringGridDrawCell(QPainter &painter, int col, int row, const QRect &rect) {
  const TSquare &cell = Board[col][row];
  PaintCell(painter, rect, StringGrid->Cell(col, row),
            {cell.Fixed, cell.Error, col == StringGrid->Col() && row == StringGrid->Row()},
            HighlightOf(col, row));
}

// ---------------------------------------------------------------- the timer

void TFormMain::TimerTimer() {
  m_game.Tick();
  ShowGame();
}

void TFormMain::MenuResetClick() {
  m_game.ResetTimer();
  ShowGame();
}

// ---------------------------------------------------------------- entry

void TFormMain::StringGridClick() {
  EditNumber->setText(StringGrid->Cell(StringGrid->Col(), StringGrid->Row()));
}

void TFormMain::WarnIfRefused(TEntryResult result) {
  if (result == TEntryResult::Refused)
    m_services.messages.Warning(this, tr("Fixed numbers cannot be edited in Lock Mode."));
  ShowGame();
}

void TFormMain::ApplyEntry() {
  WarnIfRefused(m_game.ApplyEntry(StringGrid->Col(), StringGrid->Row(), Ss(EditNumber->text())));
}

void TFormMain::ButtonDigitClick(int digit) {
  std::string entry = Ss(EditNumber->text());
  const TEntryResult result =
      m_game.AppendDigit(StringGrid->Col(), StringGrid->Row(), entry, digit);
  EditNumber->setText(Qs(entry));
  WarnIfRefused(result);
}

void TFormMain::ButtonCClick() {
  std::string entry;
  const TEntryResult result = m_game.ClearEntry(StringGrid->Col(), StringGrid->Row(), entry);
  EditNumber->clear();
  WarnIfRefused(result);
}

bool TFormMain::eventFilter(QObject *watched, QEvent *event) {
  if (event->type() == QEvent::ShortcutOverride) {
    const QKeySequence pressed(static_cast<QKeyEvent *>(event)->keyCombination());
    for (TCommand command : {TCommand::Exit, TCommand::Undo, TCommand::Redo, TCommand::Clipboard,
                             TCommand::PastePuzzle, TCommand::Hint}) {
      if (Action(command)->shortcut() == pressed) {
        // The window's command, not the focused control, takes the key, and
        // the chord's releases do not count as typing in the entry box.
        EditNumber->ForgetKeys();
        event->ignore();
        return true;
      }
    }
  }
  if (watched == DBGrid && event->type() == QEvent::KeyPress) {
    auto *key = static_cast<QKeyEvent *>(event);
    if (key->key() == Qt::Key_Delete && key->modifiers() == Qt::ControlModifier) {
      RunGuarded([this] { DeleteRecordByKeyboard(); });
      return true;
    }
  }
  return QMainWindow::eventFilter(watched, event);
}

// ---------------------------------------------------------------- commands

void TFormMain::MenuClearClick() {
  m_game.ClearGrid();
  ShowGame();
}

void TFormMain::MenuNewPuzzleClick() {
  TBusyCursor busy(m_services.cursor);
  const int index = m_session.NewPuzzle();
  if (index >= 0)
    ShowLibraryRows(index);
  ShowGame();
}

void TFormMain::MenuDesignPuzzleClick() {
  TBusyCursor busy(m_services.cursor);
  const int index = m_session.DesignPuzzle();
  if (index >= 0)
    ShowLibraryRows(index);
  ShowGame();
}

void TFormMain::MenuEditPuzzleClick() {
  m_game.EditLock();
  ShowGame();
}

void TFormMain::MenuGenerateClick() {
  TFormSelectLevel dialog(this, [this](int level) { GeneratePuzzle(level); });
  m_services.dialogs.Exec(dialog);
}

void TFormMain::GeneratePuzzle(int level) {
  TBusyCursor busy(m_services.cursor);
  m_game.Generate(level);
  ShowGame();
}

void TFormMain::MenuUndoClick() {
  if (m_game.Undo())
    ShowBoard();
}

void TFormMain::MenuRedoClick() {
  if (m_game.Redo())
    ShowBoard();
}

void TFormMain::MenuSolveClick() {
  TBusyCursor busy(m_services.cursor);
  if (m_game.Solve() == TSolveResult::Unsolvable)
    m_services.messages.Warning(this, tr("Puzzle is unsolvable"));
  ShowGame();
}

void TFormMain::MenuFill19Click() {
  m_game.Fill19();
  ShowGame();
}

void TFormMain::MenuShowErrorsClick() {
  TBusyCursor busy(m_services.cursor);
  m_game.ShowErrors();
  ShowBoard();
}

// ---------------------------------------------------------------- output

void TFormMain::MenuPrintGridClick() {
  const QString title = Qs(m_game.Title());
  const TGrid board = Board;
  m_services.printer.PrintPage([&](QPainter &painter) { PaintPage(painter, title, board); });
}

void TFormMain::MenuClipboardClick() {
  QGuiApplication::clipboard()->setText(ClipboardText(Board));
}

// ---------------------------------------------------------------- the shell

void TFormMain::MenuExitClick() {
  close();
}

void TFormMain::MenuContentsClick() {
  OpenHelp(FindProgramFiles(m_services.programFolder), m_services.shell, m_services.messages, this);
}

void TFormMain::MenuHomepageClick() {
  m_services.shell.Open(QUrl(TFormAbout::HomePage));
}

void TFormMain::MenuAboutClick() {
  TFormAbout about(m_services, this);
  m_services.dialogs.Exec(about);
}

void TFormMain::MenuCountSolutionsClick() {
  m_collections.CountSolutions();
}

void TFormMain::MenuPastePuzzleClick() {
  if (!m_collections.PastePuzzle())
    return;
  ShowGame();
  PageControl->SetCurrent(TabSheetGrid);
}
