// The window in the desktop's language. Each CTest entry sets LANGUAGE and
// names in NINEGROVE_EXPECTED_LANGUAGE which column of the tables it must read.
#include "fakeservices.h"
#include "formabout.h"
#include "formmain.h"
#include "formselectlevel.h"
#include "gridaccessible.h"
#include "pagecontrol.h"
#include "puzzlemodel.h"
#include "stringgrid.h"
#include "translations.h"

#include <QAbstractButton>
#include <QAction>
#include <QLabel>
#include <QMenuBar>
#include <QPushButton>
#include <QTabBar>
#include <QTableView>
#include <QtTest>

#include <map>
#include <memory>

namespace {

using TReader = std::function<QString(TFormMain &, TFakeServices &)>;

QString MenuTitle(TFormMain &form, const char *name) {
  return form.menuBar()->findChild<QMenu *>(QLatin1String(name))->title();
}

// The level dialog as the Generate command shows it.
QString LevelDialogText(TFormMain &form, TFakeServices &fakes,
                        const std::function<QString(TFormSelectLevel &)> &read) {
  QString text;
  fakes.dialogs.scripts.push_back([&](QDialog &dialog) {
    text = read(static_cast<TFormSelectLevel &>(dialog));
    return int(QDialog::Rejected);
  });
  form.MenuGenerateClick();
  return text;
}

QString LevelPrompt(TFormSelectLevel &dialog) {
  for (QLabel *label : dialog.findChildren<QLabel *>())
    if (!label->text().isEmpty())
      return label->text();
  return {};
}

const std::map<QString, TReader> &Readers() {
  static const std::map<QString, TReader> readers{
      {"file menu", [](TFormMain &f, TFakeServices &) { return MenuTitle(f, "MenuFile"); }},
      {"grid menu", [](TFormMain &f, TFakeServices &) { return MenuTitle(f, "MenuGrid"); }},
      {"help menu", [](TFormMain &f, TFakeServices &) { return MenuTitle(f, "MenuHelp"); }},
      {"generate item",
       [](TFormMain &f, TFakeServices &) { return f.Action(TCommand::Generate)->text(); }},
      {"solve tooltip",
       [](TFormMain &f, TFakeServices &) { return f.Action(TCommand::Solve)->toolTip(); }},
      {"database tab",
       [](TFormMain &f, TFakeServices &) { return f.PageControl->Tabs()->tabText(1); }},
      {"reset button", [](TFormMain &f, TFakeServices &) { return f.ButtonReset->text(); }},
      {"mode label",
       [](TFormMain &f, TFakeServices &) {
         f.MenuEditPuzzleClick();
         return f.LabelMode->text();
       }},
      {"title header",
       [](TFormMain &f, TFakeServices &) {
         return f.findChild<QTableView *>()->model()->headerData(1, Qt::Horizontal).toString();
       }},
      {"lock mode warning",
       [](TFormMain &f, TFakeServices &fakes) {
         f.Game().Board()[6][2] = {true, "3", false};
         f.ShowBoard();
         f.StringGrid->SetCurrent(6, 2);
         f.Buttons[5]->click();
         return fakes.messages.shown.empty() ? QString() : fakes.messages.shown.back().text;
       }},
      {"no library error",
       [](TFormMain &f, TFakeServices &fakes) {
         f.Action(TCommand::SavePuzzle)->setEnabled(true);
         f.Action(TCommand::SavePuzzle)->trigger();
         return fakes.messages.shown.empty() ? QString() : fakes.messages.shown.back().text;
       }},
      {"level caption",
       [](TFormMain &f, TFakeServices &fakes) {
         return LevelDialogText(f, fakes, [](TFormSelectLevel &d) { return d.windowTitle(); });
       }},
      {"level prompt",
       [](TFormMain &f, TFakeServices &fakes) { return LevelDialogText(f, fakes, LevelPrompt); }},
      {"level cancel",
       [](TFormMain &f, TFakeServices &fakes) {
         return LevelDialogText(f, fakes,
                                [](TFormSelectLevel &d) { return d.BitBtnCancel->text(); });
       }},
      {"generated title",
       [](TFormMain &f, TFakeServices &) {
         f.GeneratePuzzle(7);
         return f.LabelTitle->text();
       }},
      {"cell name",
       [](TFormMain &, TFakeServices &) {
         return CellAccessibleName(4, 2, QStringLiteral("7"), TCellMark::Given);
       }},
      {"about caption",
       [](TFormMain &, TFakeServices &fakes) { return TFormAbout(fakes.services).windowTitle(); }},
      // Qt's own words, from its catalog.
      {"Qt's Yes button",
       [](TFormMain &, TFakeServices &) {
         QMessageBox box;
         return box.addButton(QMessageBox::Yes)->text();
       }},
  };
  return readers;
}

} // namespace

class TestTranslation : public QObject {
  Q_OBJECT

public:
  TestTranslation(QString language, QStringList loaded)
      : m_language(std::move(language)), m_loaded(std::move(loaded)) {}

private slots:
  void init();
  void cleanup();

  void catalogs();
  void texts_data();
  void texts();
  void captionsFit();

private:
  QString m_language; // "en", "de" or "fr"
  QStringList m_loaded;
  std::unique_ptr<TFakeServices> m_fakes;
  std::unique_ptr<TFormMain> m_form;
};

void TestTranslation::init() {
  m_fakes = std::make_unique<TFakeServices>();
  m_form = std::make_unique<TFormMain>(m_fakes->services);
}

void TestTranslation::cleanup() {
  m_form.reset();
  m_fakes.reset();
}

void TestTranslation::catalogs() {
  if (m_language == QLatin1String("en")) {
    QCOMPARE(m_loaded, QStringList());
    return;
  }
  QCOMPARE(m_loaded.size(), 2);
  QCOMPARE(m_loaded[0], QStringLiteral(":/i18n/ninegrove_%1.qm").arg(m_language));
  QVERIFY2(m_loaded[1].endsWith(QStringLiteral("/qtbase_%1.qm").arg(m_language)),
           qPrintable(m_loaded[1]));
}

void TestTranslation::texts_data() {
  QTest::addColumn<QString>("what");
  QTest::addColumn<QString>("en");
  QTest::addColumn<QString>("de");
  QTest::addColumn<QString>("fr");
  auto row = [](const char *what, const char *en, const char *de, const char *fr) {
    QTest::newRow(what) << QString(what) << QString::fromUtf8(en) << QString::fromUtf8(de)
                        << QString::fromUtf8(fr);
  };
  row("file menu", "&File", "&Datei", "&Fichier");
  row("grid menu", "&Sudoku Grid", "&Sudoku-Gitter", "&Grille de sudoku");
  row("help menu", "&Help", "&Hilfe", "&Aide");
  row("generate item", "Generate Puzzle...", "Rätsel erzeugen...", "Générer une grille...");
  row("solve tooltip", "Solve Puzzle", "Rätsel lösen", "Résoudre la grille");
  row("database tab", "Database", "Datenbank", "Base de données");
  row("reset button", "Reset/Start Timer", "Uhr neu starten", "Relancer le chrono");
  row("mode label", "Edit Mode", "Editiermodus", "Mode édition");
  row("title header", "Puzzle", "Rätsel", "Grille");
  row("lock mode warning", "Fixed numbers cannot be edited in Lock Mode.",
      "Vorgegebene Zahlen können im Sperrmodus nicht geändert werden.",
      "Les chiffres donnés ne peuvent pas être modifiés en mode verrouillé.");
  row("no library error", "No library is open.", "Es ist keine Bibliothek geöffnet.",
      "Aucune bibliothèque n'est ouverte.");
  row("level caption", "Level", "Stufe", "Niveau");
  row("level prompt",
      "Select a level from 1 to 50:", "Stufe von 1 bis 50 wählen:", "Niveau, de 1 à 50\u00A0:");
  row("level cancel", "Cancel", "Abbrechen", "Annuler");
  row("generated title", "Puzzle Level 7", "Rätsel der Stufe 7", "Grille de niveau 7");
  row("cell name", "row 3, column 5, 7, given", "Zeile 3, Spalte 5, 7, vorgegeben",
      "ligne 3, colonne 5, 7, donné");
  row("about caption", "About Ninegrove", "Über Ninegrove", "À propos de Ninegrove");
  row("Qt's Yes button", "&Yes", "&Ja", "&Oui");
}

void TestTranslation::texts() {
  QFETCH(QString, what);
  QFETCH(QString, en);
  QFETCH(QString, de);
  QFETCH(QString, fr);
  const QString want = m_language == QLatin1String("de")   ? de
                       : m_language == QLatin1String("fr") ? fr
                                                           : en;
  QCOMPARE(Readers().at(what)(*m_form, *m_fakes), want);
}

// Translated words must still fit the fixed pixel layout.
void TestTranslation::captionsFit() {
  const auto advance = [](const QWidget *widget, const QString &text) {
    return widget->fontMetrics().horizontalAdvance(QString(text).remove(QLatin1Char('&')));
  };
  for (QPushButton *button :
       {m_form->ButtonC, m_form->ButtonGenerate, m_form->ButtonSolve, m_form->ButtonReset})
    QVERIFY2(advance(button, button->text()) <= button->width() - 8, qPrintable(button->text()));
  for (TMode mode : {TMode::Edit, TMode::Lock}) {
    if (m_form->Game().Mode() != mode)
      m_form->MenuEditPuzzleClick();
    QLabel *label = m_form->LabelMode;
    QVERIFY2(label->x() + label->width() <= m_form->Panel4->width(), qPrintable(label->text()));
  }
  TFormSelectLevel levels(nullptr, nullptr);
  const QString prompt = LevelPrompt(levels);
  QVERIFY2(8 + advance(&levels, prompt) < levels.SpinEditLevel->x(), qPrintable(prompt));
  TFormAbout about(m_fakes->services);
  QVERIFY(about.Label4->x() + about.Label4->width() < about.LabelHLink->x());
  QVERIFY(about.Label5->x() + about.Label5->width() < about.LabelEmail->x());
}

int main(int argc, char *argv[]) {
  QApplication application(argc, argv);
  const QStringList loaded = InstallTranslations(application);
  const QString language = qEnvironmentVariable("NINEGROVE_EXPECTED_LANGUAGE", "en");
  TestTranslation test(language, loaded);
  return QTest::qExec(&test, argc, argv);
}

#include "tst_translation.moc"
