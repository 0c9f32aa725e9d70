#include "formmain.h"

#include "dbgrid.h"
#include "engine.h"
#include "fonts.h"
#include "formabout.h"
#include "formselectlevel.h"
#include "output.h"
#include "pagecontrol.h"
#include "puzzlemodel.h"
#include "stringgrid.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QDir>
#include <QFileInfo>
#include <QKeyEvent>
#include <QLabel>
#include <QLayout>
#include <QLineEdit>
#include <QMenuBar>
#include <QPainter>
#include <QPushButton>
#include <QTimer>

namespace {

const QColor ErrorGround(255, 128, 128);
const QColor CurrentGround(166, 202, 240);
const QColor EnteredText(0, 0, 255);

const QString HelpFileName = QStringLiteral("nghelp.chm");

// Cell texts are bytes; the window reads them as UTF-8.
QString Qs(const std::string &text) {
  return QString::fromStdString(text);
}
std::string Ss(const QString &text) {
  return text.toStdString();
}

TCellTexts GridTexts(const TStringGrid &grid) {
  TCellTexts cells;
  for (int c = 0; c < 9; ++c)
    for (int r = 0; r < 9; ++r)
      cells[c][r] = grid.Cell(c, r);
  return cells;
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

  m_model = new TPuzzleModel(m_library, QApplication::palette().color(QPalette::Button), this);
  m_model->onError = [this](const QString &text) {
    m_services.messages.ApplicationError(this, text);
  };
  DBGrid = new TDBGrid(m_model, TabSheetDatabase);
  connect(DBGrid, &QTableView::doubleClicked, this,
          [this] { RunGuarded([this] { MenuLoadPuzzleClick(); }); });
  connect(DBGrid, &TDBGrid::EditorCreated, this, &TFormMain::WatchShortcuts);
  WatchShortcuts(DBGrid);
  WatchShortcuts(EditNumber);

  layout()->setSizeConstraint(QLayout::SetFixedSize);
  FormCreate();
}

TFormMain::~TFormMain() = default;

void TFormMain::FormCreate() {
  setWindowTitle(ApplicationTitle);
  MenuClearClick();
  EnableDatabaseItems(false);
}

void TFormMain::BuildActions() {
  using F = TFormMain;
  // In the order of TCommand.
  static constexpr void (F::*Handlers[])() = {
      &F::MenuNewDatabaseClick, &F::MenuOpenDatabaseClick, &F::MenuSaveAsClick,
      &F::MenuPrintGridClick,   &F::MenuExitClick,         &F::MenuGenerateClick,
      &F::MenuNewPuzzleClick,   &F::MenuDesignPuzzleClick, &F::MenuEditPuzzleClick,
      &F::MenuSavePuzzleClick,  &F::MenuLoadPuzzleClick,   &F::MenuDeletePuzzleClick,
      &F::MenuUndoClick,        &F::MenuRedoClick,         &F::MenuSolveClick,
      &F::MenuFill19Click,      &F::MenuResetClick,        &F::MenuClearClick,
      &F::MenuShowErrorsClick,  &F::MenuClipboardClick,    &F::MenuContentsClick,
      &F::MenuHomepageClick,    &F::MenuAboutClick};
  static_assert(std::size(Handlers) == CommandCount);
  for (std::size_t i = 0; i < CommandCount; ++i) {
    const TCommandInfo &info = CommandInfo(static_cast<TCommand>(i));
    auto *action = new QAction(tr(info.caption), this);
    action->setObjectName(QString::fromLatin1(info.name));
    action->setToolTip(tr(info.hint));
    if (info.icon)
      action->setIcon(QIcon(QStringLiteral(":/icons/%1.svg").arg(QLatin1String(info.icon))));
    if (info.shortcut)
      action->setShortcut(QKeySequence(info.shortcut));
    const auto handler = Handlers[i];
    connect(action, &QAction::triggered, this,
            [this, handler] { RunGuarded([&] { (this->*handler)(); }); });
    m_actions[i] = action;
  }
  for (const TMenuInfo &info : MenuLayout()) {
    QMenu *menu = menuBar()->addMenu(tr(info.caption));
    menu->setObjectName(QString::fromLatin1(info.name));
    for (TCommand command : info.items) {
      if (command == TCommand::Count)
        menu->addSeparator();
      else
        menu->addAction(Action(command));
    }
  }
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
  Panel2 = new QFrame(page);
  Panel2->setObjectName(QStringLiteral("Panel2"));
  Panel2->setGeometry(0, 0, 458, 357);
  Panel2->setAutoFillBackground(true);
  QPalette ground = Panel2->palette();
  ground.setColor(QPalette::Window, InactiveCaption);
  Panel2->setPalette(ground);

  LabelTitle = new QLabel(Panel2);
  LabelTitle->setObjectName(QStringLiteral("LabelTitle"));
  LabelTitle->setTextFormat(Qt::PlainText);
  LabelTitle->move(10, 5);

  Panel3 = new QFrame(Panel2);
  Panel3->setObjectName(QStringLiteral("Panel3"));
  Panel3->setGeometry(10, 20, 330, 330);
  Panel3->setAutoFillBackground(true);
  QPalette black = Panel3->palette();
  black.setColor(QPalette::Window, Qt::black);
  Panel3->setPalette(black);

  StringGrid = new TStringGrid(Panel3);
  StringGrid->setObjectName(QStringLiteral("StringGrid"));
  StringGrid->move(3, 3);
  StringGrid->SetDrawCell([this](QPainter &painter, int col, int row, const QRect &rect) {
    StringGridDrawCell(painter, col, row, rect);
  });
  connect(StringGrid, &TStringGrid::Clicked, this,
          [this] { RunGuarded([this] { StringGridClick(); }); });

  EditNumber = new QLineEdit(Panel2);
  EditNumber->setObjectName(QStringLiteral("EditNumber"));
  EditNumber->setGeometry(350, 20, 100, 21);
  EditNumber->setContextMenuPolicy(Qt::NoContextMenu);
  EditNumber->setAcceptDrops(false);
  EditNumber->setDragEnabled(false);

  QWidget *previous = EditNumber;
  QWidget::setTabOrder(StringGrid, EditNumber);
  for (int digit : {1, 2, 3, 6, 5, 4, 7, 8, 9}) {
    auto *button = new QPushButton(QString::number(digit), Panel2);
    button->setObjectName(QStringLiteral("Button%1").arg(digit));
    button->setGeometry(350 + (digit - 1) % 3 * 35, 45 + (digit - 1) / 3 * 35, 30, 30);
    button->setAutoDefault(false);
    connect(button, &QPushButton::clicked, this,
            [this, digit] { RunGuarded([=, this] { ButtonDigitClick(digit); }); });
    Buttons[digit] = button;
    QWidget::setTabOrder(previous, button);
    previous = button;
  }

  auto pushButton = [&](const char *name, const QString &caption, int top) {
    auto *button = new QPushButton(caption, Panel2);
    button->setObjectName(QString::fromLatin1(name));
    button->setGeometry(350, top, 100, 25);
    button->setAutoDefault(false);
    QWidget::setTabOrder(previous, button);
    previous = button;
    return button;
  };
  ButtonC = pushButton("ButtonC", tr("Clear"), 150);
  connect(ButtonC, &QPushButton::clicked, this, [this] { RunGuarded([this] { ButtonCClick(); }); });
  ButtonGenerate = pushButton("ButtonGenerate", tr("Generate Puzzle"), 195);
  ButtonSolve = pushButton("ButtonSolve", tr("Solve Puzzle"), 225);
  ButtonReset = pushButton("ButtonReset", tr("Reset/Start Timer"), 255);
  connect(ButtonGenerate, &QPushButton::clicked, Action(TCommand::Generate), &QAction::trigger);
  connect(ButtonSolve, &QPushButton::clicked, Action(TCommand::Solve), &QAction::trigger);
  connect(ButtonReset, &QPushButton::clicked, Action(TCommand::Reset), &QAction::trigger);

  Panel4 = new QFrame(Panel2);
  Panel4->setObjectName(QStringLiteral("Panel4"));
  Panel4->setGeometry(350, 300, 100, 50);
  Panel4->setFrameStyle(QFrame::Panel | QFrame::Sunken);
  Panel4->setLineWidth(1);
  Panel4->setAutoFillBackground(true);
  Panel4->setPalette(QApplication::palette());
  LabelTime = new QLabel(Panel4);
  LabelTime->setObjectName(QStringLiteral("LabelTime"));
  LabelTime->move(10, 10);
  LabelMode = new QLabel(Panel4);
  LabelMode->setObjectName(QStringLiteral("LabelMode"));
  LabelMode->move(10, 30);
}

// ---------------------------------------------------------------- the view

void TFormMain::ShowBoard() {
  for (int c = 0; c < 9; ++c)
    for (int r = 0; r < 9; ++r)
      StringGrid->SetCell(c, r, Qs(Board[c][r].Text));
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
  if (!m_game.TimerRunning())
    Timer->stop();
}

void TFormMain::StringGridDrawCell(QPainter &painter, int col, int row, const QRect &rect) {
  const TSquare &cell = Board[col][row];
  QColor ground = Qt::white;
  if (cell.Error)
    ground = ErrorGround;
  else if (col == StringGrid->Col() && row == StringGrid->Row())
    ground = CurrentGround;
  painter.fillRect(rect, ground);

  const QString &text = StringGrid->Cell(col, row);
  const TCellType type = CellType(cell.Fixed, Ss(text), TMedium::Screen);
  // 24 and 8 points at 96 dots per inch, whatever the screen says.
  painter.setFont(WindowFont(type.large ? 32 : 11));
  painter.setPen(type.given ? QColor(Qt::black) : EnteredText);
  const QRect textRect = rect.adjusted(1, 0, 0, 0);
  painter.setClipRect(textRect, Qt::IntersectClip);
  painter.drawText(textRect, Qt::AlignHCenter | Qt::AlignTop | Qt::TextSingleLine, text);
  painter.setClipping(false);

  // The box lines go over every cell just painted, across the whole grid;
  // the paint event keeps them to the area being repainted.
  painter.setPen(QPen(Qt::black, 3, Qt::SolidLine, Qt::FlatCap));
  for (int at : {107, 215}) {
    painter.drawLine(0, at, TStringGrid::Extent, at);
    painter.drawLine(at, 0, at, TStringGrid::Extent);
  }
}

// ---------------------------------------------------------------- the timer

void TFormMain::TimerTimer() {
  m_game.Tick();
  ShowGame();
  if (m_game.TimerRunning())
    Timer->start(m_game.MillisecondsToNextTick());
}

void TFormMain::StartTimer() {
  Timer->start(m_game.MillisecondsToNextTick());
}

void TFormMain::MenuResetClick() {
  m_game.ResetTimer();
  ShowGame();
  StartTimer();
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

bool TFormMain::EditNumberKeyPress(QKeyEvent *event) {
  const QString text = event->text();
  if (text.isEmpty() || event->key() == Qt::Key_Tab || event->key() == Qt::Key_Backtab)
    return false;
  const QChar ch = text.at(0);
  const bool allowed = text.size() == 1 && (ch == QChar(8) || ch == QChar(127) ||
                                            (ch >= QLatin1Char('1') && ch <= QLatin1Char('9')));
  if (!allowed)
    return true;
  if (ch.isDigit() && EditNumber->text().size() - EditNumber->selectedText().size() >= 9)
    return true;
  return false;
}

void TFormMain::WatchShortcuts(QWidget *widget) {
  widget->installEventFilter(this);
}

bool TFormMain::eventFilter(QObject *watched, QEvent *event) {
  if (event->type() == QEvent::ShortcutOverride) {
    const QKeySequence pressed(static_cast<QKeyEvent *>(event)->keyCombination());
    for (TCommand command : {TCommand::Exit, TCommand::Undo, TCommand::Redo, TCommand::Clipboard}) {
      if (Action(command)->shortcut() == pressed) {
        // The window's command, not the focused control, takes the key, and
        // the chord's releases do not count as typing in the entry box.
        m_entryKeys.clear();
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
  if (watched == EditNumber &&
      (event->type() == QEvent::KeyPress || event->type() == QEvent::KeyRelease)) {
    auto *key = static_cast<QKeyEvent *>(event);
    if (event->type() == QEvent::KeyPress) {
      m_entryKeys.insert(key->key());
      return EditNumberKeyPress(key);
    }
    if (!key->isAutoRepeat()) {
      // Only a key that went down here counts: the release of the key that
      // closed a message box must not bring the box back.
      if (m_entryKeys.remove(key->key()))
        RunGuarded([this] { ApplyEntry(); });
      return false;
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
  m_game.NewPuzzle(NewPuzzleRecord());
  ShowGame();
}

void TFormMain::MenuDesignPuzzleClick() {
  TBusyCursor busy(m_services.cursor);
  m_game.DesignPuzzle(NewPuzzleRecord());
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
  StartTimer();
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
  const TCellTexts cells = GridTexts(*StringGrid);
  const QString title = LabelTitle->text();
  const TGrid board = Board;
  m_services.printer.PrintPage([&](QPainter &painter) { PaintPage(painter, title, cells, board); });
}

void TFormMain::MenuClipboardClick() {
  QGuiApplication::clipboard()->setText(ClipboardText(GridTexts(*StringGrid)));
}

// ---------------------------------------------------------------- the shell

void TFormMain::MenuExitClick() {
  close();
}

void TFormMain::MenuContentsClick() {
  const QString path = QDir(m_services.programFolder).filePath(HelpFileName);
  // A missing help file is not worth a message.
  if (QFileInfo::exists(path))
    m_services.shell.Open(QUrl::fromLocalFile(path));
}

void TFormMain::MenuHomepageClick() {
  m_services.shell.Open(QUrl(TFormAbout::HomePage));
}

void TFormMain::MenuAboutClick() {
  TFormAbout about(m_services, this);
  m_services.dialogs.Exec(about);
}
