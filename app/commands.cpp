#include "commands.h"

#include <QAction>
#include <QCoreApplication>
#include <QMenuBar>
#include <QPainter>
#include <QToolButton>

namespace {

using C = TCommand;

constexpr int Ctrl(Qt::Key key) {
  return (Qt::CTRL | key).toCombined();
}

// In the order of the enum.
constexpr TCommandInfo Commands[] = {
    {C::NewDatabase, "MenuNewDatabase", QT_TRANSLATE_NOOP("TFormMain", "New Database..."),
     QT_TRANSLATE_NOOP("TFormMain", "New Database"), "newdatabase", 0},
    {C::OpenDatabase, "MenuOpenDatabase", QT_TRANSLATE_NOOP("TFormMain", "Open Database..."),
     QT_TRANSLATE_NOOP("TFormMain", "Open Database"), "opendatabase", 0},
    {C::SaveAs, "MenuSaveAs", QT_TRANSLATE_NOOP("TFormMain", "Save Database As..."),
     QT_TRANSLATE_NOOP("TFormMain", "Save Database As"), nullptr, 0},
    {C::PrintGrid, "MenuPrintGrid", QT_TRANSLATE_NOOP("TFormMain", "Print Sudoku Grid"),
     QT_TRANSLATE_NOOP("TFormMain", "Print Sudoku Grid"), "print", 0},
    {C::Exit, "MenuExit", QT_TRANSLATE_NOOP("TFormMain", "Exit"),
     QT_TRANSLATE_NOOP("TFormMain", "Exit"), nullptr, Ctrl(Qt::Key_X)},
    {C::Generate, "MenuGenerate", QT_TRANSLATE_NOOP("TFormMain", "Generate Puzzle..."),
     QT_TRANSLATE_NOOP("TFormMain", "Generate Puzzle"), "generate", 0},
    {C::NewPuzzle, "MenuNewPuzzle", QT_TRANSLATE_NOOP("TFormMain", "New Puzzle"),
     QT_TRANSLATE_NOOP("TFormMain", "New Puzzle"), "newpuzzle", 0},
    {C::DesignPuzzle, "MenuDesignPuzzle", QT_TRANSLATE_NOOP("TFormMain", "Design Puzzle"),
     QT_TRANSLATE_NOOP("TFormMain", "Design Puzzle"), "designpuzzle", 0},
    {C::EditPuzzle, "MenuEditPuzzle", QT_TRANSLATE_NOOP("TFormMain", "Edit/Lock Puzzle"),
     QT_TRANSLATE_NOOP("TFormMain", "Edit/Lock Puzzle"), "editlock", 0},
    {C::SavePuzzle, "MenuSavePuzzle", QT_TRANSLATE_NOOP("TFormMain", "Save Puzzle"),
     QT_TRANSLATE_NOOP("TFormMain", "Save Puzzle"), "savepuzzle", 0},
    {C::LoadPuzzle, "MenuLoadPuzzle", QT_TRANSLATE_NOOP("TFormMain", "Load Puzzle"),
     QT_TRANSLATE_NOOP("TFormMain", "Load Puzzle"), "loadpuzzle", 0},
    {C::DeletePuzzle, "MenuDeletePuzzle", QT_TRANSLATE_NOOP("TFormMain", "Delete Puzzle"),
     QT_TRANSLATE_NOOP("TFormMain", "Delete Puzzle"), "deletepuzzle", 0},
    {C::Undo, "MenuUndo", QT_TRANSLATE_NOOP("TFormMain", "Undo"),
     QT_TRANSLATE_NOOP("TFormMain", "Undo"), "undo", Ctrl(Qt::Key_Z)},
    {C::Redo, "MenuRedo", QT_TRANSLATE_NOOP("TFormMain", "Redo"),
     QT_TRANSLATE_NOOP("TFormMain", "Redo"), "redo", (Qt::CTRL | Qt::ALT | Qt::Key_Z).toCombined()},
    {C::Solve, "MenuSolve", QT_TRANSLATE_NOOP("TFormMain", "Solve"),
     QT_TRANSLATE_NOOP("TFormMain", "Solve Puzzle"), "solve", 0},
    {C::Fill19, "MenuFill191", QT_TRANSLATE_NOOP("TFormMain", "Fill 1-9"),
     QT_TRANSLATE_NOOP("TFormMain", "Fill 1-9"), "fill19", 0},
    {C::Reset, "MenuReset", QT_TRANSLATE_NOOP("TFormMain", "Reset/Start Timer"),
     QT_TRANSLATE_NOOP("TFormMain", "Reset/Start Timer"), "reset", 0},
    {C::Clear, "MenuClear", QT_TRANSLATE_NOOP("TFormMain", "Clear Grid"),
     QT_TRANSLATE_NOOP("TFormMain", "Clear Grid"), nullptr, 0},
    {C::ShowErrors, "MenuShowErrors", QT_TRANSLATE_NOOP("TFormMain", "Show Errors"),
     QT_TRANSLATE_NOOP("TFormMain", "Show Errors"), nullptr, 0},
    {C::Clipboard, "MenuClipboard", QT_TRANSLATE_NOOP("TFormMain", "Copy to Clipboard"),
     QT_TRANSLATE_NOOP("TFormMain", "Copy to Clipboard"), "clipboard", Ctrl(Qt::Key_C)},
    {C::Contents, "MenuContents", QT_TRANSLATE_NOOP("TFormMain", "Help"),
     QT_TRANSLATE_NOOP("TFormMain", "Help"), "help", 0},
    {C::Homepage, "MenuHomepage", QT_TRANSLATE_NOOP("TFormMain", "Ninegrove Home Page"),
     QT_TRANSLATE_NOOP("TFormMain", "Ninegrove Home Page"), nullptr, 0},
    {C::About, "MenuAbout", QT_TRANSLATE_NOOP("TFormMain", "About"),
     QT_TRANSLATE_NOOP("TFormMain", "About"), nullptr, 0},
    {C::ImportPuzzles, "MenuImportPuzzles", QT_TRANSLATE_NOOP("TFormMain", "Import Puzzles..."),
     QT_TRANSLATE_NOOP("TFormMain", "Import Puzzles"), nullptr, 0},
    {C::ExportPuzzles, "MenuExportPuzzles", QT_TRANSLATE_NOOP("TFormMain", "Export Puzzles..."),
     QT_TRANSLATE_NOOP("TFormMain", "Export Puzzles"), nullptr, 0},
    {C::CountSolutions, "MenuCountSolutions", QT_TRANSLATE_NOOP("TFormMain", "Count Solutions"),
     QT_TRANSLATE_NOOP("TFormMain", "Count Solutions"), nullptr, 0},
    {C::PastePuzzle, "MenuPastePuzzle", QT_TRANSLATE_NOOP("TFormMain", "Paste Puzzle"),
     QT_TRANSLATE_NOOP("TFormMain", "Paste Puzzle"), nullptr, Ctrl(Qt::Key_V)},
    {C::Hint, "MenuHint", QT_TRANSLATE_NOOP("TFormMain", "Hint"),
     QT_TRANSLATE_NOOP("TFormMain", "Hint"), nullptr, Ctrl(Qt::Key_H)},
    {C::RatePuzzle, "MenuRatePuzzle", QT_TRANSLATE_NOOP("TFormMain", "Rate Puzzle"),
     QT_TRANSLATE_NOOP("TFormMain", "Rate Puzzle"), nullptr, 0},
    {C::GenerateGraded, "MenuGenerateGraded",
     QT_TRANSLATE_NOOP("TFormMain", "Generate Graded Puzzle..."),
     QT_TRANSLATE_NOOP("TFormMain", "Generate Graded Puzzle"), nullptr, 0},
    {C::ExportRated, "MenuExportRated",
     QT_TRANSLATE_NOOP("TFormMain", "Export Puzzles with Ratings..."),
     QT_TRANSLATE_NOOP("TFormMain", "Export Puzzles with Ratings"), nullptr, 0},
};
constexpr bool InEnumOrder() {
  for (std::size_t i = 0; i < std::size(Commands); ++i)
    if (static_cast<std::size_t>(Commands[i].command) != i)
      return false;
  return std::size(Commands) == CommandCount;
}
static_assert(InEnumOrder());

constexpr TCommand FileItems[] = {C::NewDatabase,   C::OpenDatabase,  C::SaveAs,      C::Count,
                                  C::ImportPuzzles, C::ExportPuzzles, C::ExportRated, C::Count,
                                  C::PrintGrid,     C::Count,         C::Exit};
constexpr TCommand GridItems[] = {
    C::Generate,       C::Count,      C::NewPuzzle,      C::DesignPuzzle, C::EditPuzzle,
    C::SavePuzzle,     C::LoadPuzzle, C::DeletePuzzle,   C::Count,        C::Undo,
    C::Redo,           C::Count,      C::Solve,          C::Fill19,       C::Reset,
    C::Clear,          C::ShowErrors, C::CountSolutions, C::Hint,         C::RatePuzzle,
    C::GenerateGraded, C::Count,      C::Clipboard,      C::PastePuzzle};
constexpr TCommand HelpItems[] = {C::Contents, C::Count, C::Homepage, C::Count, C::About};

const TMenuInfo Menus[] = {
    {"MenuFile", QT_TRANSLATE_NOOP("TFormMain", "&File"), FileItems},
    {"MenuGrid", QT_TRANSLATE_NOOP("TFormMain", "&Sudoku Grid"), GridItems},
    {"MenuHelp", QT_TRANSLATE_NOOP("TFormMain", "&Help"), HelpItems},
};

constexpr TToolInfo Tools[] = {
    {C::NewDatabase, "ToolButtonNewDatabase"},
    {C::OpenDatabase, "ToolButtonOpenDatabase"},
    {C::Count, nullptr},
    {C::PrintGrid, "ToolButtonPrint"},
    {C::Count, nullptr},
    {C::Generate, "ToolButtonGenerate"},
    {C::Count, nullptr},
    {C::NewPuzzle, "ToolButtonNewPuzzle"},
    {C::DesignPuzzle, "ToolButtonDesignPuzzle"},
    {C::EditPuzzle, "ToolButtonEditLock"},
    {C::SavePuzzle, "ToolButtonSavePuzzle"},
    {C::LoadPuzzle, "ToolButtonLoadPuzzle"},
    {C::DeletePuzzle, "ToolButtonDeletePuzzle"},
    {C::Count, nullptr},
    {C::Undo, "ToolButtonUndo"},
    {C::Redo, "ToolButtonRedo"},
    {C::Count, nullptr},
    {C::Solve, "ToolButtonSolve"},
    {C::Fill19, "ToolButtonFill19"},
    {C::Reset, "ToolButtonReset"},
    {C::Count, nullptr},
    {C::Clipboard, "ToolButtonClipboard"},
    {C::Count, nullptr},
    {C::Contents, "ToolButtonHelp"},
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

QWidget *BuildToolBar(QWidget *parent, const TActions &actions) {
  auto *bar = new TToolBar(parent);
  bar->setObjectName(QStringLiteral("ToolBar"));
  bar->setGeometry(0, 0, 485, 25);
  int left = 0;
  for (const TToolInfo &slot : Tools) {
    if (slot.command == C::Count) {
      bar->separators << left;
      left += 8;
      continue;
    }
    auto *button = new QToolButton(bar);
    button->setObjectName(QString::fromLatin1(slot.button));
    button->setDefaultAction(actions[static_cast<std::size_t>(slot.command)]);
    button->setAccessibleName(button->toolTip());
    button->setAutoRaise(true);
    button->setFocusPolicy(Qt::NoFocus);
    button->setIconSize(QSize(16, 16));
    button->setGeometry(left, 1, 23, 22);
    left += 23;
  }
  return bar;
}

TActions BuildCommands(QWidget *window, QMenuBar *bar, const std::function<void(TCommand)> &run) {
  auto tr = [](const char *text) { return QCoreApplication::translate("TFormMain", text); };
  TActions actions{};
  for (const TCommandInfo &info : Commands) {
    auto *action = new QAction(tr(info.caption), window);
    action->setObjectName(QString::fromLatin1(info.name));
    action->setToolTip(tr(info.hint));
    if (info.icon)
      action->setIcon(QIcon(QStringLiteral(":/icons/%1.svg").arg(QLatin1String(info.icon))));
    if (info.shortcut)
      action->setShortcut(QKeySequence(info.shortcut));
    QObject::connect(action, &QAction::triggered, window,
                     [run, command = info.command] { run(command); });
    actions[static_cast<std::size_t>(info.command)] = action;
  }
  for (const TMenuInfo &info : Menus) {
    QMenu *menu = bar->addMenu(tr(info.caption));
    menu->setObjectName(QString::fromLatin1(info.name));
    for (TCommand command : info.items) {
      if (command == C::Count)
        menu->addSeparator();
      else
        menu->addAction(actions[static_cast<std::size_t>(command)]);
    }
  }
  return actions;
}
