#pragma once

#include <array>
#include <cstddef>
#include <functional>
#include <span>

class QAction;
class QMenuBar;
class QWidget;

// Every command of the window, one QAction each, shared by its menu item,
// its tool button and (for three) a push button.
enum class TCommand {
  NewDatabase,
  OpenDatabase,
  SaveAs,
  PrintGrid,
  Exit,
  Generate,
  NewPuzzle,
  DesignPuzzle,
  EditPuzzle,
  SavePuzzle,
  LoadPuzzle,
  DeletePuzzle,
  Undo,
  Redo,
  Solve,
  Fill19,
  Reset,
  Clear,
  ShowErrors,
  Clipboard,
  Contents,
  Homepage,
  About,
  ImportPuzzles,
  ExportPuzzles,
  CountSolutions,
  PastePuzzle,
  Hint,
  RatePuzzle,
  GenerateGraded,
  ExportRated,
  Count
};

constexpr std::size_t CommandCount = static_cast<std::size_t>(TCommand::Count);

struct TCommandInfo {
  TCommand command;
  const char *name;    // the menu item's name
  const char *caption; // menu caption, translated in the window's context
  const char *hint;    // tool button tooltip
  const char *icon;    // resource image, or nullptr
  int shortcut;        // a combined key, or 0
};

// The menus in their order: a caption and the commands, Count standing for a separator.
struct TMenuInfo {
  const char *name;
  const char *caption;
  std::span<const TCommand> items;
};

// The tool bar from left to right: Count stands for a separator.
struct TToolInfo {
  TCommand command;
  const char *button;
};

using TActions = std::array<QAction *, CommandCount>;

// One action per command, owned by window, with the window's words; the menus
// on bar; every action runs run with its command.
TActions BuildCommands(QWidget *window, QMenuBar *bar, const std::function<void(TCommand)> &run);

// The flat tool bar of 23-pixel buttons and 8-pixel etched separators.
QWidget *BuildToolBar(QWidget *parent, const TActions &actions);
