// Hint, Rate Puzzle and Generate Graded Puzzle: the game finds, the window
// shows.
#include "backgroundwork.h"
#include "formgraded.h"
#include "formmain.h"
#include "hintpanel.h"
#include "stringgrid.h"

#include <QAction>
#include <QTimer>

namespace {

QString Tenths(int tenths) {
  return QString::fromStdString(RatingText(tenths));
}

} // namespace

THintWords TFormMain::HintWords() const {
  THintWords words;
  auto s = [](const QString &text) { return text.toStdString(); };
  words.noSolution = s(tr("The puzzle has no solution."));
  words.severalSolutions = s(tr("The puzzle has more than one solution."));
  words.mistake = s(tr("The %1 in row %2, column %3 does not belong there."));
  words.look = s(tr("Look for a %1 in %2."));
  words.lookVowel = s(tr("Look for an %1 in %2."));
  words.solved = s(tr("The puzzle is solved."));
  words.noStep = s(tr("No logical step is left; only guessing goes on from here."));
  words.row = s(tr("row %1"));
  words.column = s(tr("column %1"));
  words.box = s(tr("box %1"));
  return words;
}

void TFormMain::MenuHintClick() {
  THint hint;
  {
    TBusyCursor busy(m_services.cursor);
    hint = m_game.Hint();
  }
  m_hint = hint;
  m_hintBoard = Board;
  m_hintShown = true;
  if (!HintPanel) {
    HintPanel = new THintPanel(this);
    connect(HintPanel, &THintPanel::ApplyClicked, this,
            [this] { RunGuarded([this] { ApplyHintClick(); }); });
  }
  const bool canApply = hint.kind == THintKind::Step && hint.stage == THintStage::WholeStep;
  HintPanel->ShowHint(QString::fromStdString(HintText(hint, HintWords())), canApply);
  StringGrid->update();
}

void TFormMain::ApplyHintClick() {
  if (!m_hintShown || !m_game.ApplyHint(m_hint))
    return;
  ShowGame();
}

bool TFormMain::HintShown() const {
  return m_hintShown;
}

void TFormMain::ForgetHintIfBoardChanged() {
  if (!m_hintShown || Board == m_hintBoard)
    return;
  m_hintShown = false;
  if (HintPanel)
    HintPanel->Retire();
  StringGrid->update();
}

TCellHighlight TFormMain::HighlightOf(int col, int row) const {
  TCellHighlight look;
  if (!m_hintShown)
    return look;
  const int cell = CellOf(col, row);
  const THintMarks &marks = m_hint.marks;
  for (const int unit : marks.units)
    look.unit = look.unit || UnitSets[unit].Has(cell);
  for (const int c : marks.cells)
    look.pattern = look.pattern || c == cell;
  look.mistake = m_hint.kind == THintKind::Mistake && look.pattern;
  for (const TCandidate &c : marks.candidates)
    if (c.cell == cell)
      look.candidates |= DigitBit(c.digit);
  for (const TCandidate &c : marks.eliminations)
    if (c.cell == cell)
      look.eliminations |= DigitBit(c.digit);
  for (const TCandidate &c : marks.placements)
    if (c.cell == cell)
      look.placements |= DigitBit(c.digit);
  return look;
}

void TFormMain::MenuRatePuzzleClick() {
  const TCandidateGrid givens = GivensGrid(Board);
  TRating rating;
  bool finished = false;
  {
    TBusyCursor busy(m_services.cursor);
    finished = RunInBackground(
        this, tr("Rate Puzzle"),
        [&](const std::atomic<bool> &cancel) {
          TRatingOptions options;
          options.cancel = &cancel;
          rating = RatePuzzle(givens, options);
        },
        [] { return tr("Rating the puzzle..."); });
  }
  if (!finished || rating.result == TRatingResult::Cancelled)
    return;
  QString text;
  switch (rating.result) {
  case TRatingResult::NoSolution:
    text = tr("The puzzle has no solution.");
    break;
  case TRatingResult::SeveralSolutions:
    text = tr("The puzzle has more than one solution.");
    break;
  case TRatingResult::NoLogicalStep:
    text = tr("The puzzle has exactly one solution, but logic alone cannot finish it "
              "(ER/EP/ED 20.0/%1/%2).")
               .arg(Tenths(rating.ep), Tenths(rating.ed));
    break;
  default:
    text = tr("ER/EP/ED: %1/%2/%3\nBand: %4\nHardest technique: %5\n"
              "The puzzle has exactly one solution.")
               .arg(Tenths(rating.er), Tenths(rating.ep), Tenths(rating.ed),
                    BandTitle(BandOf(rating.er)),
                    QString::fromUtf8(TechniqueName(rating.hardest).data(),
                                      qsizetype(TechniqueName(rating.hardest).size())));
  }
  m_services.messages.Information(this, tr("Rate Puzzle"), text);
}

void TFormMain::MenuExportRatedClick() {
  m_collections.ExportRatedPuzzles(DataFolder(), [this](const QString &path) {
    return MayReplace(path, QMessageBox::Yes | QMessageBox::No);
  });
}

void TFormMain::MenuGenerateGradedClick() {
  TFormGraded dialog(this,
                     [this](TBand band, TSymmetry symmetry) { GenerateGraded(band, symmetry); });
  m_services.dialogs.Exec(dialog);
}

bool TFormMain::GenerateGraded(TBand band, TSymmetry symmetry) {
  // The search draws from its own generator, seeded from the window's, so the
  // window's is never shared between threads.
  TSeededRandom random(std::uint32_t(m_random.Below(1 << 30)));
  std::optional<TGradedPuzzle> puzzle;
  std::atomic<int> attempts{0};
  bool finished = false;
  {
    TBusyCursor busy(m_services.cursor);
    finished = RunInBackground(
        this, tr("Generate Graded Puzzle"),
        [&](const std::atomic<bool> &cancel) {
          TGradedOptions options;
          options.cancel = &cancel;
          options.progress = [&](int tried) { attempts = tried; };
          puzzle = ::GenerateGraded(band, symmetry, random, options);
        },
        [&] {
          return tr("Looking for a puzzle of the band %1...\nPuzzles tried: %2")
              .arg(BandTitle(band))
              .arg(attempts.load());
        },
        band == TBand::Extreme ? TShow::AtOnce : TShow::AfterAMoment);
  }
  if (!finished || !puzzle)
    return false;
  m_game.OpenGenerated(puzzle->givens,
                       tr("%1 %2").arg(BandTitle(band), Tenths(puzzle->rating.er)).toStdString());
  ShowGame();
  Timer->start(m_game.MillisecondsToNextTick());
  return true;
}
