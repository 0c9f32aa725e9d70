#include "formmain.h"

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
#include <QFile>
#include <QFileInfo>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLayout>
#include <QLineEdit>
#include <QMenuBar>
#include <QPainter>
#include <QPushButton>
#include <QStyledItemDelegate>
#include <QTableView>
#include <QTimer>
#include <QToolButton>

namespace {

const QColor ErrorGround(255, 128, 128);
const QColor CurrentGround(166, 202, 240);
const QColor EnteredText(0, 0, 255);
// The desktop's gradient colour of an inactive caption.
const QColor InactiveCaption(215, 228, 242);

const QString HelpFileName = QStringLiteral("nghelp.chm");

QString Qs(const std::string &text) {
  return QString::fromUtf8(text.data(), text.size());
}
std::string Ss(const QString &text) {
  return text.toUtf8().toStdString();
}

// The title editor takes no more than the column holds.
class TTitleDelegate : public QStyledItemDelegate {
public:
  using QStyledItemDelegate::QStyledItemDelegate;
  QWidget *createEditor(QWidget *parent, const QStyleOptionViewItem &option,
                        const QModelIndex &index) const override {
    QWidget *editor = QStyledItemDelegate::createEditor(parent, option, index);
    if (auto *line = qobject_cast<QLineEdit *>(editor))
      line->setMaxLength(TPuzzleLibrary::TitleWidth);
    return editor;
  }
};

struct TToolSlot {
  const char *action; // nullptr: a separator
  const char *button;
};

// Left to right; separators are 8 pixels, buttons 23.
const TToolSlot ToolSlots[] = {
    {"MenuNewDatabase", "ToolButtonNewDatabase"},
    {"MenuOpenDatabase", "ToolButtonOpenDatabase"},
    {nullptr, nullptr},
    {"MenuPrintGrid", "ToolButtonPrint"},
    {nullptr, nullptr},
    {"MenuGenerate", "ToolButtonGenerate"},
    {nullptr, nullptr},
    {"MenuNewPuzzle", "ToolButtonNewPuzzle"},
    {"MenuDesignPuzzle", "ToolButtonDesignPuzzle"},
    {"MenuEditPuzzle", "ToolButtonEditLock"},
    {"MenuSavePuzzle", "ToolButtonSavePuzzle"},
    {"MenuLoadPuzzle", "ToolButtonLoadPuzzle"},
    {"MenuDeletePuzzle", "ToolButtonDeletePuzzle"},
    {nullptr, nullptr},
    {"MenuUndo", "ToolButtonUndo"},
    {"MenuRedo", "ToolButtonRedo"},
    {nullptr, nullptr},
    {"MenuSolve", "ToolButtonSolve"},
    {"MenuFill191", "ToolButtonFill19"},
    {"MenuReset", "ToolButtonReset"},
    {nullptr, nullptr},
    {"MenuClipboard", "ToolButtonClipboard"},
    {nullptr, nullptr},
    {"MenuContents", "ToolButtonHelp"},
};

// Draws the etched separators between the tool buttons.
class TToolBar : public QWidget {
public:
  using QWidget::QWidget;
  QList<int> separators;

protected:
  void paintEvent(QPaintEvent *) override {
    QPainter painter(this);
    for (int left : separators) {
      painter.setPen(palette().color(QPalette::Dark));
      painter.drawLine(left + 3, 2, left + 3, height() - 3);
      painter.setPen(palette().color(QPalette::Light));
      painter.drawLine(left + 4, 2, left + 4, height() - 3);
    }
  }
};

} // namespace

TFormMain::TFormMain(TServices &services, QWidget *parent)
    : QMainWindow(parent), m_services(services), m_random(services.clock) {
  setObjectName(QStringLiteral("FormMain"));
  setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                 Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint |
                 Qt::WindowCloseButtonHint);

  auto *central = new QWidget(this);
  central->setObjectName(QStringLiteral("ClientArea"));
  central->setFixedSize(485, 390);
  central->setFont(WindowFont(11));
  setCentralWidget(central);

  Timer = new QTimer(this);
  Timer->setObjectName(QStringLiteral("Timer"));
  Timer->setInterval(1000);
  connect(Timer, &QTimer::timeout, this, [this] { RunGuarded([this] { TimerTimer(); }); });

  BuildActions();
  BuildMenus();
  BuildToolBar(central);

  PageControl = new TPageControl(QSize(458, 357), central);
  PageControl->setObjectName(QStringLiteral("PageControl"));
  PageControl->setGeometry(0, 25, 485, 365);
  TabSheetGrid = new QWidget;
  TabSheetGrid->setObjectName(QStringLiteral("TabSheetGrid"));
  TabSheetDatabase = new QWidget;
  TabSheetDatabase->setObjectName(QStringLiteral("TabSheetDatabase"));
  PageControl->AddPage(TabSheetGrid, QStringLiteral("Sudoku Grid"));
  PageControl->AddPage(TabSheetDatabase, QStringLiteral("Database"));
  BuildGridPage(TabSheetGrid);

  DBGrid = new QTableView(TabSheetDatabase);
  DBGrid->setObjectName(QStringLiteral("DBGrid"));
  DBGrid->setGeometry(0, 0, 458, 357);
  DBGrid->setFont(WindowFont(11));
  {
    QPalette palette = DBGrid->palette();
    palette.setColor(QPalette::Base, InactiveCaption);
    DBGrid->setPalette(palette);
  }
  m_model = new TPuzzleModel(m_library, QApplication::palette().color(QPalette::Button), this);
  m_model->onError = [this](const QString &text) {
    m_services.messages.ApplicationError(this, text);
  };
  DBGrid->setModel(m_model);
  DBGrid->setItemDelegateForColumn(1, new TTitleDelegate(DBGrid));
  DBGrid->setColumnWidth(0, 30);
  DBGrid->setColumnWidth(1, 320);
  DBGrid->verticalHeader()->setDefaultSectionSize(18);
  DBGrid->verticalHeader()->setMinimumWidth(12);
  DBGrid->horizontalHeader()->setFont(WindowFont(11));
  // The current row is marked by the focus rectangle alone, not a highlight.
  DBGrid->setSelectionMode(QAbstractItemView::NoSelection);
  DBGrid->setEditTriggers(QAbstractItemView::EditKeyPressed | QAbstractItemView::AnyKeyPressed |
                          QAbstractItemView::SelectedClicked);
  connect(DBGrid, &QTableView::doubleClicked, this,
          [this] { RunGuarded([this] { MenuLoadPuzzleClick(); }); });

  layout()->setSizeConstraint(QLayout::SetFixedSize);
  qApp->installEventFilter(this);
  FormCreate();
}

TFormMain::~TFormMain() {
  qApp->removeEventFilter(this);
}

void TFormMain::FormCreate() {
  setWindowTitle(ApplicationTitle);
  MenuClearClick();
  EnableDatabaseItems(false);
  m_history.Reset();
  m_startTime = m_services.clock.MillisecondsSinceEpoch();
}

QAction *TFormMain::Command(const char *name, const QString &caption, const QString &hint,
                            const char *icon, void (TFormMain::*handler)()) {
  auto *action = new QAction(caption, this);
  action->setObjectName(QString::fromLatin1(name));
  action->setToolTip(hint);
  if (icon)
    action->setIcon(QIcon(QStringLiteral(":/icons/%1.svg").arg(QLatin1String(icon))));
  connect(action, &QAction::triggered, this,
          [this, handler] { RunGuarded([&] { (this->*handler)(); }); });
  return action;
}

void TFormMain::RunGuarded(const std::function<void()> &command) {
  try {
    command();
  } catch (const std::exception &error) {
    m_services.messages.ApplicationError(this, QString::fromUtf8(error.what()));
  }
}

void TFormMain::BuildActions() {
  using F = TFormMain;
  Command("MenuNewDatabase", "New Database...", "New Database", "newdatabase",
          &F::MenuNewDatabaseClick);
  Command("MenuOpenDatabase", "Open Database...", "Open Database", "opendatabase",
          &F::MenuOpenDatabaseClick);
  Command("MenuSaveAs", "Save Database As...", "Save Database As", nullptr, &F::MenuSaveAsClick);
  Command("MenuPrintGrid", "Print Sudoku Grid", "Print Sudoku Grid", "print",
          &F::MenuPrintGridClick);
  Command("MenuExit", "Exit", "Exit", nullptr, &F::MenuExitClick)
      ->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_X));
  Command("MenuGenerate", "Generate Puzzle...", "Generate Puzzle", "generate",
          &F::MenuGenerateClick);
  Command("MenuNewPuzzle", "New Puzzle", "New Puzzle", "newpuzzle", &F::MenuNewPuzzleClick);
  Command("MenuDesignPuzzle", "Design Puzzle", "Design Puzzle", "designpuzzle",
          &F::MenuDesignPuzzleClick);
  Command("MenuEditPuzzle", "Edit/Lock Puzzle", "Edit/Lock Puzzle", "editlock",
          &F::MenuEditPuzzleClick);
  Command("MenuSavePuzzle", "Save Puzzle", "Save Puzzle", "savepuzzle", &F::MenuSavePuzzleClick);
  Command("MenuLoadPuzzle", "Load Puzzle", "Load Puzzle", "loadpuzzle", &F::MenuLoadPuzzleClick);
  Command("MenuDeletePuzzle", "Delete Puzzle", "Delete Puzzle", "deletepuzzle",
          &F::MenuDeletePuzzleClick);
  Command("MenuUndo", "Undo", "Undo", "undo", &F::MenuUndoClick)
      ->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Z));
  Command("MenuRedo", "Redo", "Redo", "redo", &F::MenuRedoClick)
      ->setShortcut(QKeySequence(Qt::CTRL | Qt::ALT | Qt::Key_Z));
  Command("MenuSolve", "Solve", "Solve Puzzle", "solve", &F::MenuSolveClick);
  Command("MenuFill191", "Fill 1-9", "Fill 1-9", "fill19", &F::MenuFill19Click);
  Command("MenuReset", "Reset/Start Timer", "Reset/Start Timer", "reset", &F::MenuResetClick);
  Command("MenuClear", "Clear Grid", "Clear Grid", nullptr, &F::MenuClearClick);
  Command("MenuShowErrors", "Show Errors", "Show Errors", nullptr, &F::MenuShowErrorsClick);
  Command("MenuClipboard", "Copy to Clipboard", "Copy to Clipboard", "clipboard",
          &F::MenuClipboardClick)
      ->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_C));
  Command("MenuContents", "Help", "Help", "help", &F::MenuContentsClick);
  Command("MenuHomepage", "Ninegrove Home Page", "Ninegrove Home Page", nullptr,
          &F::MenuHomepageClick);
  Command("MenuAbout", "About", "About", nullptr, &F::MenuAboutClick);
}

void TFormMain::BuildMenus() {
  auto add = [this](QMenu *menu, std::initializer_list<const char *> names) {
    for (const char *name : names) {
      if (!name)
        menu->addSeparator();
      else
        menu->addAction(findChild<QAction *>(QString::fromLatin1(name)));
    }
  };
  QMenu *file = menuBar()->addMenu(QStringLiteral("&File"));
  file->setObjectName(QStringLiteral("MenuFile"));
  add(file, {"MenuNewDatabase", "MenuOpenDatabase", "MenuSaveAs", nullptr, "MenuPrintGrid", nullptr,
             "MenuExit"});
  QMenu *grid = menuBar()->addMenu(QStringLiteral("&Sudoku Grid"));
  grid->setObjectName(QStringLiteral("MenuGrid"));
  add(grid, {"MenuGenerate", nullptr, "MenuNewPuzzle", "MenuDesignPuzzle", "MenuEditPuzzle",
             "MenuSavePuzzle", "MenuLoadPuzzle", "MenuDeletePuzzle", nullptr, "MenuUndo",
             "MenuRedo", nullptr, "MenuSolve", "MenuFill191", "MenuReset", "MenuClear",
             "MenuShowErrors", nullptr, "MenuClipboard"});
  QMenu *help = menuBar()->addMenu(QStringLiteral("&Help"));
  help->setObjectName(QStringLiteral("MenuHelp"));
  add(help, {"MenuContents", nullptr, "MenuHomepage", nullptr, "MenuAbout"});
}

void TFormMain::BuildToolBar(QWidget *central) {
  auto *bar = new TToolBar(central);
  ToolBar = bar;
  bar->setObjectName(QStringLiteral("ToolBar"));
  bar->setGeometry(0, 0, 485, 25);
  int left = 0;
  for (const TToolSlot &slot : ToolSlots) {
    if (!slot.action) {
      bar->separators << left;
      left += 8;
      continue;
    }
    auto *button = new QToolButton(bar);
    button->setObjectName(QString::fromLatin1(slot.button));
    button->setDefaultAction(findChild<QAction *>(QString::fromLatin1(slot.action)));
    button->setAutoRaise(true);
    button->setFocusPolicy(Qt::NoFocus);
    button->setIconSize(QSize(16, 16));
    button->setGeometry(left, 1, 23, 22);
    left += 23;
  }
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
  SetTitle(QString());

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
  ButtonC = pushButton("ButtonC", QStringLiteral("Clear"), 150);
  connect(ButtonC, &QPushButton::clicked, this, [this] { RunGuarded([this] { ButtonCClick(); }); });
  ButtonGenerate = pushButton("ButtonGenerate", QStringLiteral("Generate Puzzle"), 195);
  ButtonSolve = pushButton("ButtonSolve", QStringLiteral("Solve Puzzle"), 225);
  ButtonReset = pushButton("ButtonReset", QStringLiteral("Reset/Start Timer"), 255);
  connect(ButtonGenerate, &QPushButton::clicked, findChild<QAction *>("MenuGenerate"),
          &QAction::trigger);
  connect(ButtonSolve, &QPushButton::clicked, findChild<QAction *>("MenuSolve"), &QAction::trigger);
  connect(ButtonReset, &QPushButton::clicked, findChild<QAction *>("MenuReset"), &QAction::trigger);

  Panel4 = new QFrame(Panel2);
  Panel4->setObjectName(QStringLiteral("Panel4"));
  Panel4->setGeometry(350, 300, 100, 50);
  Panel4->setFrameStyle(QFrame::Panel | QFrame::Sunken);
  Panel4->setLineWidth(1);
  Panel4->setAutoFillBackground(true);
  Panel4->setPalette(QApplication::palette());
  LabelTime = new QLabel(QStringLiteral("Time  00:00:00"), Panel4);
  LabelTime->setObjectName(QStringLiteral("LabelTime"));
  LabelTime->move(10, 10);
  LabelTime->adjustSize();
  LabelMode = new QLabel(LockMode, Panel4);
  LabelMode->setObjectName(QStringLiteral("LabelMode"));
  LabelMode->move(10, 30);
  LabelMode->adjustSize();
}

// ---------------------------------------------------------------- the board

void TFormMain::ShowBoard() {
  for (int c = 0; c < 9; ++c)
    for (int r = 0; r < 9; ++r)
      StringGrid->SetCell(c, r, Qs(Board[c][r].Text));
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
  const bool large = cell.Fixed || text.size() == 1 || text.contains(QLatin1Char(' '));
  // 24 and 8 points at 96 dots per inch, whatever the screen says.
  painter.setFont(WindowFont(large ? 32 : 11));
  painter.setPen(cell.Fixed ? QColor(Qt::black) : EnteredText);
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

void TFormMain::SetTitle(const QString &title) {
  LabelTitle->setText(title);
  LabelTitle->adjustSize();
}

void TFormMain::SetMode(const QString &mode) {
  LabelMode->setText(mode);
  LabelMode->adjustSize();
}

// ---------------------------------------------------------------- the timer

bool TFormMain::TimerRunning() const {
  return Timer->isActive();
}

void TFormMain::TimerTimer() {
  // Measured on the calendar, so a game that runs past midnight counts on.
  const std::int64_t elapsed =
      std::max<std::int64_t>(0, m_services.clock.MillisecondsSinceEpoch() - m_startTime);
  const std::int64_t seconds = elapsed / 1000;
  LabelTime->setText(QStringLiteral("Time  %1:%2:%3")
                         .arg(seconds / 3600 % 24, 2, 10, QLatin1Char('0'))
                         .arg(seconds / 60 % 60, 2, 10, QLatin1Char('0'))
                         .arg(seconds % 60, 2, 10, QLatin1Char('0')));
  LabelTime->adjustSize();
}

void TFormMain::StopTimerAndReset() {
  Timer->stop();
  LabelTime->setText(QStringLiteral("Time  00:00:00"));
  LabelTime->adjustSize();
}

void TFormMain::StartTimer() {
  m_startTime = m_services.clock.MillisecondsSinceEpoch();
  Timer->start();
}

void TFormMain::MenuResetClick() {
  ClearOpenCells(Board);
  ShowBoard();
  StartTimer();
}

// ---------------------------------------------------------------- entry

void TFormMain::StringGridClick() {
  EditNumber->setText(StringGrid->Cell(StringGrid->Col(), StringGrid->Row()));
}

void TFormMain::ApplyEntry() {
  m_history.PushHistory(Board);
  ClearErrors(Board);
  TSquare &cell = Board[StringGrid->Col()][StringGrid->Row()];
  const std::string text = Ss(EditNumber->text());
  if (LabelMode->text() == EditMode)
    cell.Fixed = text.size() == 1;
  if (LabelMode->text() != LockMode || !cell.Fixed) {
    cell.Text = text;
    ShowBoard();
  } else {
    m_services.messages.Warning(this,
                                QStringLiteral("Fixed numbers cannot be edited in Lock Mode."));
  }
  if (BoardState(Board) == bsComplete && !CheckErrors(Board, false))
    Timer->stop();
}

void TFormMain::ButtonDigitClick(int digit) {
  // Unlike typing, the buttons are not held to nine characters.
  EditNumber->setText(EditNumber->text() + QString::number(digit));
  ApplyEntry();
}

void TFormMain::ButtonCClick() {
  EditNumber->clear();
  ApplyEntry();
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

bool TFormMain::eventFilter(QObject *watched, QEvent *event) {
  if (event->type() == QEvent::ShortcutOverride) {
    auto *widget = qobject_cast<QWidget *>(watched);
    if (widget && widget->window() == this) {
      const QKeySequence pressed(static_cast<QKeyEvent *>(event)->keyCombination());
      for (const char *name : {"MenuExit", "MenuUndo", "MenuRedo", "MenuClipboard"}) {
        if (findChild<QAction *>(QString::fromLatin1(name))->shortcut() == pressed) {
          // The window's command, not the focused control, takes the key, and
          // the chord's releases do not count as typing in the entry box.
          m_entryKeys.clear();
          event->ignore();
          return true;
        }
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
  ClearBoard(Board);
  ShowBoard();
}

void TFormMain::MenuNewPuzzleClick() {
  TBusyCursor busy(m_services.cursor);
  NewPuzzleRecord();
  MenuClearClick();
  SetMode(EditMode);
  StopTimerAndReset();
}

void TFormMain::MenuDesignPuzzleClick() {
  TBusyCursor busy(m_services.cursor);
  NewPuzzleRecord();
  MenuClearClick();
  SetMode(EditMode);
  Propagate(Board);
  SearchSolution(Board, m_random);
  RemoveClues(Board, 0, m_random);
  ShowBoard();
  StopTimerAndReset();
}

void TFormMain::MenuEditPuzzleClick() {
  SetMode(LabelMode->text() == LockMode ? EditMode : LockMode);
  StopTimerAndReset();
}

void TFormMain::MenuGenerateClick() {
  TFormSelectLevel dialog(this, [this](int level) { GeneratePuzzle(level); });
  m_services.dialogs.Exec(dialog);
}

void TFormMain::GeneratePuzzle(int level) {
  TBusyCursor busy(m_services.cursor);
  MenuClearClick();
  SetMode(LockMode);
  SetTitle(QStringLiteral("Puzzle Level %1").arg(level));
  Propagate(Board);
  SearchSolution(Board, m_random);
  RemoveClues(Board, level, m_random);
  ShowBoard();
  StartTimer();
}

void TFormMain::MenuUndoClick() {
  if (m_history.Undo(Board))
    ShowBoard();
}

void TFormMain::MenuRedoClick() {
  if (m_history.Redo(Board))
    ShowBoard();
}

void TFormMain::MenuSolveClick() {
  TBusyCursor busy(m_services.cursor);
  SetMode(LockMode);
  Propagate(Board);
  if (SearchSolution(Board, m_random) == TSearchResult::Unsolvable)
    m_services.messages.Warning(this, QStringLiteral("Puzzle is unsolvable"));
  ClearErrors(Board);
  ShowBoard();
}

void TFormMain::MenuFill19Click() {
  SetMode(LockMode);
  ComputeCandidates(Board);
  ClearErrors(Board);
  ShowBoard();
}

void TFormMain::MenuShowErrorsClick() {
  TBusyCursor busy(m_services.cursor);
  CheckErrors(Board, true);
  ShowBoard();
}

// ---------------------------------------------------------------- output

namespace {

TCellTexts GridTexts(const TStringGrid &grid) {
  TCellTexts cells;
  for (int c = 0; c < 9; ++c)
    for (int r = 0; r < 9; ++r)
      cells[c][r] = grid.Cell(c, r);
  return cells;
}

} // namespace

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
