#include "collectioncommands.h"

#include "game.h"
#include "puzzleimport.h"
#include "puzzletext.h"
#include "solver.h"

#include <QClipboard>
#include <QEventLoop>
#include <QFutureWatcher>
#include <QGuiApplication>
#include <QProgressDialog>
#include <QTimer>
#include <QtConcurrent/QtConcurrentRun>

namespace {

const char *PuzzleFilter = QT_TRANSLATE_NOOP("TFormMain", "Puzzle files (*.txt);;All files (*)");
const QString PuzzleSuffix = QStringLiteral("txt");

// Shown only when the work takes more than a moment; modal, so no other
// command runs inside the work's transaction. Cancel stops the work.
class TProgressWindow {
public:
  TProgressWindow(QWidget *parent, const QString &caption, const QString &label)
      : m_dialog(label, QCoreApplication::translate("TFormMain", "Cancel"), 0, 1000, parent) {
    m_dialog.setWindowTitle(caption);
    m_dialog.setWindowModality(Qt::ApplicationModal);
    m_dialog.setMinimumDuration(400);
    m_dialog.setAutoReset(false);
  }
  bool Cancelled() const { return m_dialog.wasCanceled(); }
  bool Shown() const { return m_dialog.isVisible(); }
  void Show() { m_dialog.show(); }
  TProgress Callback() {
    return [this](qint64 done, qint64 total) {
      m_dialog.setValue(total > 0 ? int(done * 1000 / total) : 0);
      return !m_dialog.wasCanceled();
    };
  }

private:
  QProgressDialog m_dialog;
};

} // namespace

TCollectionCommands::TCollectionCommands(QWidget *window, TServices &services,
                                         TPuzzleLibrary &library, TGame &game)
    : m_window(window), m_services(services), m_library(library), m_game(game) {}

bool TCollectionCommands::ImportPuzzles(const QString &folder) {
  const QString path = m_services.files.OpenFileName(m_window, tr("Import Puzzles"), folder,
                                                     tr(PuzzleFilter), PuzzleSuffix);
  if (path.isEmpty())
    return false;
  TImportResult result;
  {
    TBusyCursor busy(m_services.cursor);
    TProgressWindow progress(m_window, tr("Import Puzzles"), tr("Importing puzzles..."));
    result = ::ImportPuzzles(m_library, path, progress.Callback());
  }
  if (result.canceled)
    return true;
  QString text = tr("Puzzles imported: %1.").arg(result.imported);
  if (result.skipped > 0) {
    QStringList lines;
    for (qint64 line : result.firstSkipped.mid(0, 5))
      lines << QString::number(line);
    if (result.skipped > lines.size())
      lines << QStringLiteral("...");
    text += QLatin1Char('\n') +
            tr("Lines skipped: %1 (lines %2).").arg(result.skipped).arg(lines.join(", "));
  }
  m_services.messages.Information(m_window, tr("Import Puzzles"), text);
  return true;
}

void TCollectionCommands::ExportPuzzles(const QString &folder,
                                        const std::function<bool(const QString &)> &mayReplace) {
  const QString path = m_services.files.SaveFileName(m_window, tr("Export Puzzles"), folder,
                                                     tr(PuzzleFilter), PuzzleSuffix);
  if (path.isEmpty() || !mayReplace(path))
    return;
  TExportResult result;
  {
    TBusyCursor busy(m_services.cursor);
    TProgressWindow progress(m_window, tr("Export Puzzles"), tr("Exporting puzzles..."));
    result = ::ExportPuzzles(m_library, path, progress.Callback());
  }
  if (!result.canceled)
    m_services.messages.Information(m_window, tr("Export Puzzles"),
                                    tr("Puzzles exported: %1.").arg(result.exported));
}

void TCollectionCommands::ExportRatedPuzzles(
    const QString &folder, const std::function<bool(const QString &)> &mayReplace) {
  const QString path = m_services.files.SaveFileName(m_window, tr("Export Puzzles with Ratings"),
                                                     folder, tr(PuzzleFilter), PuzzleSuffix);
  if (path.isEmpty() || !mayReplace(path))
    return;
  TExportResult result;
  {
    TBusyCursor busy(m_services.cursor);
    TProgressWindow progress(m_window, tr("Export Puzzles with Ratings"),
                             tr("Rating and exporting puzzles..."));
    // Each rating runs aside while the progress window's Cancel stays live;
    // Cancel also stops a long rating halfway.
    const auto rate = [&](const QByteArray &givens) {
      std::atomic<bool> cancel{false};
      QFutureWatcher<TRating> watcher;
      QEventLoop loop;
      QObject::connect(&watcher, &QFutureWatcher<TRating>::finished, &loop, &QEventLoop::quit);
      QTimer poll;
      QObject::connect(&poll, &QTimer::timeout, &loop, [&] {
        if (progress.Cancelled())
          cancel = true;
      });
      poll.start(50);
      watcher.setFuture(QtConcurrent::run([&] {
        TRatingOptions options;
        options.cancel = &cancel;
        return RatePuzzle(TCandidateGrid::FromText(givens.constData()), options);
      }));
      // Until the modal progress window is up, the user's input waits, so no
      // other command reaches the library in the middle of the export; a
      // long rating brings the window up.
      while (!watcher.isFinished()) {
        if (progress.Shown()) {
          loop.exec();
          continue;
        }
        QTimer::singleShot(400, &loop, &QEventLoop::quit);
        loop.exec(QEventLoop::ExcludeUserInputEvents);
        if (!watcher.isFinished())
          progress.Show();
      }
      watcher.waitForFinished();
      return QString::fromStdString(RatingText(watcher.result().er));
    };
    result = ::ExportPuzzles(m_library, path, progress.Callback(), rate);
  }
  if (!result.canceled)
    m_services.messages.Information(m_window, tr("Export Puzzles with Ratings"),
                                    tr("Puzzles exported: %1.").arg(result.exported));
}

void TCollectionCommands::CountSolutions() {
  int count = 0;
  {
    TBusyCursor busy(m_services.cursor);
    count = m_game.CountSolutions();
  }
  m_services.messages.Information(m_window, tr("Count Solutions"),
                                  count == 0   ? tr("The puzzle has no solution.")
                                  : count == 1 ? tr("The puzzle has exactly one solution.")
                                               : tr("The puzzle has more than one solution."));
}

bool TCollectionCommands::PastePuzzle() {
  const std::optional<TGrid> puzzle = PastedPuzzle(QGuiApplication::clipboard()->text());
  if (!puzzle) {
    m_services.messages.Warning(m_window, tr("The clipboard holds no puzzle."));
    return false;
  }
  m_game.OpenPuzzle(*puzzle, tr("Pasted Puzzle").toStdString());
  return true;
}
