#include "dbgrid.h"
#include "fakeservices.h"
#include "formmain.h"
#include "gametitle.h"
#include "libraryfiles.h"
#include "pagecontrol.h"
#include "puzzlelibrary.h"
#include "puzzles.h"

#include <QAction>
#include <QLabel>
#include <QProcess>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QTableView>
#include <QTemporaryDir>
#include <QtTest>

class TestLibrary : public QObject {
  Q_OBJECT

private slots:
  void init();
  void cleanup();

  void newLibrary();
  void dialogs();
  void awkwardNames_data();
  void awkwardNames();
  void newPuzzleTitles();
  void saveOverwritesOrAppends();
  void storedTexts();
  void cutCountsCharacters_data();
  void cutCountsCharacters();
  void cellBytesRoundTrip_data();
  void cellBytesRoundTrip();
  void titlesKeptExactly();
  void longTitlesOverwrite_data();
  void longTitlesOverwrite();
  void markupShownAsText_data();
  void markupShownAsText();
  void deletePuzzle();
  void keyboardDeleteAndTitleEditor();
  void inUseByAnotherSpelling();
  void overwriteAnswers();
  void saveAsCopies();
  void badFilesStayUntouched_data();
  void badFilesStayUntouched();
  void readOnlyOrLockedLibrary();
  void rowColours();
  void newDatabaseFailure_data();
  void newDatabaseFailure();

private:
  QString PathOf(const QString &name) const { return m_dir->filePath(name); }
  void NewLibrary(const QString &name);
  void LoadForeignRow(const QString &title, const QByteArray &cell, bool utf16);
  QAction *Action(const char *name) { return m_form->findChild<QAction *>(name); }
  QStringList Titles() const;
  QList<qint64> Numbers() const;

  std::unique_ptr<QTemporaryDir> m_dir;
  std::unique_ptr<TFakeServices> m_fakes;
  std::unique_ptr<TFormMain> m_form;
};

void TestLibrary::init() {
  m_dir = std::make_unique<QTemporaryDir>();
  QDir(m_dir->path()).mkdir("Data");
  m_fakes = std::make_unique<TFakeServices>();
  m_fakes->services.programFolder = m_dir->path();
  m_form = std::make_unique<TFormMain>(m_fakes->services);
}

void TestLibrary::cleanup() {
  m_form.reset();
  m_fakes.reset();
  m_dir.reset();
}

void TestLibrary::NewLibrary(const QString &name) {
  m_fakes->files.answers.push_back(PathOf(name));
  Action("MenuNewDatabase")->trigger();
  QVERIFY(m_form->Library().IsOpen());
}

// A library that another program made and wrote one row into, opened and
// its row loaded.
void TestLibrary::LoadForeignRow(const QString &title, const QByteArray &cell, bool utf16) {
  const QString path = PathOf("foreign.ngl");
  {
    TOtherConnection other(path);
    if (utf16)
      other.Query("PRAGMA encoding = 'UTF-16le'");
    QVERIFY(other.Query(DesignCreateStatement).isActive());
    QSqlQuery insert(other.Database());
    insert.prepare(QString("INSERT INTO Puzzles (N, Title, S00) VALUES (1, ?, %1)")
                       .arg(utf16 ? "?" : "CAST(? AS TEXT)"));
    insert.addBindValue(title);
    insert.addBindValue(utf16 ? QVariant(QString::fromUtf8(cell)) : QVariant(cell));
    QVERIFY2(insert.exec(), qPrintable(insert.lastError().text()));
  }
  m_fakes->files.answers.push_back(path);
  Action("MenuOpenDatabase")->trigger();
  QCOMPARE(m_fakes->messages.Texts(), QStringList());
  Action("MenuLoadPuzzle")->trigger();
}

QStringList TestLibrary::Titles() const {
  QStringList titles;
  for (int i = 0; i < m_form->Library().Count(); ++i)
    titles << m_form->Library().Row(i).title;
  return titles;
}

QList<qint64> TestLibrary::Numbers() const {
  TOtherConnection other(m_form->DatabaseFileName());
  QSqlQuery query = other.Query("SELECT N FROM Puzzles ORDER BY rowid");
  QList<qint64> numbers;
  while (query.next())
    numbers << query.value(0).toLongLong();
  return numbers;
}

void TestLibrary::newLibrary() {
  NewLibrary("first.ngl");
  QCOMPARE(m_form->windowTitle(), QString("Ninegrove 1.0 - first.ngl"));
  for (const char *name : {"MenuSavePuzzle", "MenuLoadPuzzle", "MenuDeletePuzzle", "MenuSaveAs"})
    QVERIFY(Action(name)->isEnabled());
  QCOMPARE(m_form->PageControl->Current(), m_form->TabSheetGrid);
  QCOMPARE(m_fakes->cursor.busyCount, 1);
  QCOMPARE(m_fakes->cursor.depth, 0);
  {
    TOtherConnection other(PathOf("first.ngl"));
    QSqlQuery columns = other.Query("PRAGMA table_info(Puzzles)");
    QStringList names, types;
    while (columns.next()) {
      names << columns.value(1).toString();
      types << columns.value(2).toString();
    }
    QCOMPARE(names.size(), 83);
    QCOMPARE(names.mid(0, 4), QStringList({"N", "Title", "S00", "S10"}));
    QCOMPARE(names[10], QString("S80"));
    QCOMPARE(names[11], QString("S01"));
    QCOMPARE(names[82], QString("S88"));
    QCOMPARE(types.mid(0, 3), QStringList({"Number", "TEXT(50)", "TEXT(10)"}));
    QCOMPARE(other.Value("SELECT sql FROM sqlite_master WHERE name = 'Puzzles'").toString(),
             DesignCreateStatement);
    QCOMPARE(other.Query("SELECT COUNT(*) FROM Puzzles").next(), true);
    QSqlQuery count = other.Query("SELECT COUNT(*) FROM Puzzles");
    count.next();
    QCOMPARE(count.value(0).toInt(), 0);
  }
  // Opening it again shows the Database tab.
  m_fakes->files.answers.push_back(PathOf("first.ngl"));
  Action("MenuOpenDatabase")->trigger();
  QCOMPARE(m_form->PageControl->Current(), m_form->TabSheetDatabase);
  QVERIFY(m_fakes->messages.shown.empty());
}

void TestLibrary::dialogs() {
  NewLibrary("a.ngl");
  m_fakes->files.answers.push_back(QString()); // cancelled
  Action("MenuOpenDatabase")->trigger();
  m_fakes->files.answers.push_back(QString());
  Action("MenuSaveAs")->trigger();
  QCOMPARE(m_fakes->files.asked.size(), std::size_t(3));
  const QString data = QDir(m_dir->path()).filePath("Data");
  const QStringList titles = {"New Database", "Open", "Save As..."};
  for (std::size_t i = 0; i < 3; ++i) {
    QCOMPARE(m_fakes->files.asked[i].title, titles[int(i)]);
    QCOMPARE(m_fakes->files.asked[i].folder, data);
    QCOMPARE(m_fakes->files.asked[i].filter,
             QString(i == 1 ? "Ninegrove Library (*.ngl);;Access Database (*.mdb)"
                            : "Ninegrove Library (*.ngl)"));
    QCOMPARE(m_fakes->files.asked[i].suffix, QString("ngl"));
  }
  QCOMPARE(m_form->windowTitle(), QString("Ninegrove 1.0 - a.ngl"));
}

void TestLibrary::awkwardNames_data() {
  QTest::addColumn<QString>("name");
  // A file is opened through a URI: none of these may name another file.
  for (const char *name : {"a b#c?d%e.ngl", "x%20y.ngl", "数独 ü.ngl"})
    QTest::newRow(name) << QString(name);
}

void TestLibrary::awkwardNames() {
  QFETCH(QString, name);
  NewLibrary(name);
  Action("MenuNewPuzzle")->trigger();
  m_fakes->files.answers.push_back(PathOf(name));
  Action("MenuOpenDatabase")->trigger();
  QCOMPARE(m_fakes->messages.Texts(), QStringList());
  QCOMPARE(Titles(), QStringList{"New Puzzle"});
  QCOMPARE(QDir(m_dir->path()).entryList(QDir::Files), QStringList{name});
}

void TestLibrary::newPuzzleTitles() {
  // The titles are the session's rules; the window shows the title and the new row.
  Action("MenuNewPuzzle")->trigger();
  QCOMPARE(m_form->LabelTitle->text(), QString("New Puzzle"));

  NewLibrary("titles.ngl");
  Action("MenuNewPuzzle")->trigger();
  Action("MenuDesignPuzzle")->trigger();
  QCOMPARE(m_form->LabelTitle->text(), QString("New Puzzle (1)"));
  QCOMPARE(m_form->LabelMode->text(), QString("Edit Mode"));
  QCOMPARE(m_form->CurrentRecord(), 1);
  Action("MenuNewPuzzle")->trigger();
  QCOMPARE(Titles(), QStringList({"New Puzzle", "New Puzzle (1)", "New Puzzle (2)"}));
  QCOMPARE(m_form->LabelTitle->text(), QString("New Puzzle (2)"));
  QCOMPARE(m_form->CurrentRecord(), 2);
}

void TestLibrary::saveOverwritesOrAppends() {
  NewLibrary("save.ngl");
  Action("MenuNewPuzzle")->trigger(); // "New Puzzle", row 1
  m_fakes->dialogs.scripts.push_back([](QDialog &dialog) {
    static_cast<QDialog &>(dialog).accept();
    return 1;
  });
  m_form->GeneratePuzzle(3); // "Puzzle Level 3", no record yet
  Action("MenuSavePuzzle")->trigger();
  QCOMPARE(Titles(), QStringList({"New Puzzle", "Puzzle Level 3"}));
  QCOMPARE(m_form->CurrentRecord(), 1);
  const TGrid generated = m_form->Game().Board();

  // Same title, other letter case: that row is overwritten in place.
  m_form->Game().Board()[0][0] = {false, "123", false};
  Retitle(m_form->Game(), QString("puzzle level 3").toStdString());
  Action("MenuSavePuzzle")->trigger();
  QCOMPARE(Titles(), QStringList({"New Puzzle", "Puzzle Level 3"}));
  QCOMPARE(Numbers(), QList<qint64>({1, 2}));

  m_form->MenuClearClick();
  m_form->SetCurrentRecord(1);
  Action("MenuLoadPuzzle")->trigger();
  QCOMPARE(m_form->Game().Board()[0][0].Text, std::string("123"));
  QVERIFY(!m_form->Game().Board()[0][0].Fixed);
  for (int c = 0; c < 9; ++c)
    for (int r = 0; r < 9; ++r)
      if (c || r) {
        QCOMPARE(m_form->Game().Board()[c][r].Text, generated[c][r].Text);
        QCOMPARE(m_form->Game().Board()[c][r].Fixed, generated[c][r].Fixed);
      }
  QCOMPARE(m_form->LabelTitle->text(), QString("Puzzle Level 3"));
  QCOMPARE(m_form->PageControl->Current(), m_form->TabSheetGrid);

  // A new title appends a last row; loading a never-saved row gives an empty board.
  Retitle(m_form->Game(), QString("Mine").toStdString());
  Action("MenuSavePuzzle")->trigger();
  QCOMPARE(Titles(), QStringList({"New Puzzle", "Puzzle Level 3", "Mine"}));
  QCOMPARE(Numbers(), QList<qint64>({1, 2, 3}));
  m_form->show();
  QVERIFY(QTest::qWaitForWindowExposed(m_form.get()));
  m_form->PageControl->SetCurrent(m_form->TabSheetDatabase);
  m_form->SetCurrentRecord(0);
  const QPoint first = m_form->DBGrid->visualRect(m_form->DBGrid->model()->index(0, 1)).center();
  QTest::mouseClick(m_form->DBGrid->viewport(), Qt::LeftButton, {}, first);
  QTest::mouseDClick(m_form->DBGrid->viewport(), Qt::LeftButton, {}, first);
  QCOMPARE(m_form->LabelTitle->text(), QString("New Puzzle"));
  QVERIFY(m_form->Game().Board() == TGrid());
}

void TestLibrary::storedTexts() {
  TGrid board;
  board[0][0] = {true, "7", false};
  board[1][0] = {false, "123456789", false};
  board[2][0] = {false, "123456789012", false};
  board[0][1] = {false, "", true};
  const TStoredCells stored = StoredCells(board);
  QCOMPARE(stored[0], QByteArray("+7"));
  QCOMPARE(stored[1], QByteArray("-123456789"));
  QCOMPARE(stored[2], QByteArray("-123456789"));
  QCOMPARE(stored[9], QByteArray("-"));
  QCOMPARE(stored[80], QByteArray("-"));

  NewLibrary("cells.ngl");
  {
    TOtherConnection other(PathOf("cells.ngl"));
    // A row written elsewhere: NULLs, empty strings, texts longer than the column.
    QSqlQuery insert(QSqlDatabase::database("other", false));
    insert.prepare("INSERT INTO Puzzles (N, Title, S00, S10, S20, S30, S01) "
                   "VALUES (7, 'Foreign', '+7', '', NULL, '-123456789012', 'x+9')");
    QVERIFY2(insert.exec(), qPrintable(insert.lastError().text()));
  }
  m_fakes->files.answers.push_back(PathOf("cells.ngl"));
  Action("MenuOpenDatabase")->trigger();
  m_form->Game().Board()[5][5] = {true, "5", true};
  Action("MenuLoadPuzzle")->trigger();
  const TGrid &loaded = m_form->Game().Board();
  QVERIFY(loaded[0][0].Fixed);
  QCOMPARE(loaded[0][0].Text, std::string("7"));
  QVERIFY(!loaded[1][0].Fixed && loaded[1][0].Text.empty());
  QVERIFY(!loaded[2][0].Fixed && loaded[2][0].Text.empty());
  QCOMPARE(loaded[3][0].Text, std::string("123456789"));
  QVERIFY(loaded[0][1].Fixed); // a "+" anywhere marks a given
  QCOMPARE(loaded[0][1].Text, std::string("+9"));
  QVERIFY(loaded[5][5].Error); // marks stay
  QVERIFY(!loaded[5][5].Fixed && loaded[5][5].Text.empty());
  QCOMPARE(m_form->Library().Row(0).number, qint64(7));

  // Round trip through the file: nine candidates, a given, twelve characters.
  m_form->Game().Board() = board;
  Retitle(m_form->Game(), QString("Round trip").toStdString());
  Action("MenuSavePuzzle")->trigger();
  QCOMPARE(Numbers(), QList<qint64>({1, 2}));
  m_form->MenuClearClick();
  Action("MenuLoadPuzzle")->trigger();
  QCOMPARE(m_form->Game().Board()[1][0].Text, std::string("123456789"));
  QCOMPARE(m_form->Game().Board()[2][0].Text, std::string("123456789"));
  QVERIFY(m_form->Game().Board()[0][0].Fixed);
  TOtherConnection other(PathOf("cells.ngl"));
  QSqlQuery row = other.Query("SELECT S00, S10, S01 FROM Puzzles WHERE Title = 'Round trip'");
  QVERIFY(row.next());
  QCOMPARE(row.value(0).toString(), QString("+7"));
  QCOMPARE(row.value(1).toString(), QString("-123456789"));
  QCOMPARE(row.value(2).toString(), QString("-"));
}

void TestLibrary::cutCountsCharacters_data() {
  QTest::addColumn<QByteArray>("text");
  QTest::addColumn<int>("width");
  QTest::addColumn<QByteArray>("cut");
  QTest::newRow("ASCII") << QByteArray("abcdef") << 3 << QByteArray("abc");
  QTest::newRow("emoji counts one") << QByteArray("ab😀c") << 3 << QByteArray("ab😀");
  QTest::newRow("emoji never split") << QByteArray("ab😀") << 2 << QByteArray("ab");
  QTest::newRow("CJK") << QByteArray("数独数独") << 2 << QByteArray("数独");
  QTest::newRow("invalid bytes one each")
      << QByteArray("\xff\xfe\xfd") << 2 << QByteArray("\xff\xfe");
  QTest::newRow("broken sequence") << QByteArray("a\xe6\x95"
                                                 "b")
                                   << 3 << QByteArray("a\xe6\x95");
  QTest::newRow("shorter than the width") << QByteArray("ab") << 5 << QByteArray("ab");
}

void TestLibrary::cutCountsCharacters() {
  QFETCH(QByteArray, text);
  QFETCH(int, width);
  QFETCH(QByteArray, cut);
  QCOMPARE(Cut(text, width), cut);
  if (QString::fromUtf8(text).toUtf8() == text)
    QCOMPARE(Cut(QString::fromUtf8(text), width), QString::fromUtf8(cut));
}

void TestLibrary::cellBytesRoundTrip_data() {
  QTest::addColumn<QByteArray>("stored");
  QTest::addColumn<bool>("utf16");
  QTest::addColumn<QByteArray>("text"); // on the board
  QTest::addColumn<QByteArray>("saved");
  const QByteArray emoji = "😀";
  QTest::newRow("CJK") << QByteArray("-数") << false << QByteArray("数") << QByteArray("-数");
  QTest::newRow("emoji") << "-" + emoji << false << emoji << "-" + emoji;
  QTest::newRow("invalid UTF-8") << QByteArray("+\xff\xfe\x80") << false
                                 << QByteArray("\xff\xfe\x80") << QByteArray("+\xff\xfe\x80");
  QTest::newRow("broken sequence")
      << QByteArray("-7\xe6\x95") << false << QByteArray("7\xe6\x95") << QByteArray("-7\xe6\x95");
  QTest::newRow("eleven characters")
      << "-" + emoji.repeated(10) << false << emoji.repeated(9) << "-" + emoji.repeated(9);
  QTest::newRow("UTF-16 file") << QByteArray("-数😀") << true << QByteArray("数😀")
                               << QByteArray("-数😀");
}

void TestLibrary::cellBytesRoundTrip() {
  QFETCH(QByteArray, stored);
  QFETCH(bool, utf16);
  QFETCH(QByteArray, text);
  QFETCH(QByteArray, saved);
  LoadForeignRow("Bytes", stored, utf16);
  if (QTest::currentTestFailed())
    return;
  QCOMPARE(QByteArray::fromStdString(m_form->Game().Board()[0][0].Text), text);
  QCOMPARE(m_form->Game().Board()[0][0].Fixed, stored.startsWith('+'));
  m_form->Game().Board()[4][4] = {false, "7", false}; // the player changed another cell only
  Action("MenuSavePuzzle")->trigger();
  QCOMPARE(Titles(), QStringList{"Bytes"});
  TOtherConnection other(PathOf("foreign.ngl"));
  QSqlQuery row = other.Query("SELECT typeof(S00), CAST(S00 AS BLOB), S00, S44 FROM Puzzles");
  QVERIFY(row.next());
  QCOMPARE(row.value(0).toString(), QString("text"));
  QCOMPARE(utf16 ? row.value(2).toString().toUtf8() : row.value(1).toByteArray(), saved);
  QCOMPARE(row.value(3).toString(), QString("-7"));
}

void TestLibrary::titlesKeptExactly() {
  NewLibrary("titles.ngl");
  const QStringList titles = {"It's \"quoted\"; DROP TABLE Puzzles; --", "Ünïcödé ☃ 数独",
                              QString(60, QChar('x'))};
  for (const QString &title : titles) {
    Retitle(m_form->Game(), QString(title).toStdString());
    Action("MenuSavePuzzle")->trigger();
  }
  QCOMPARE(Titles(), QStringList({titles[0], titles[1], QString(50, QChar('x'))}));
  QCOMPARE(ListedIndex(m_form->Library(), titles[1]), 1);
  // Saved again, each is found, not appended.
  for (const QString &title : titles) {
    Retitle(m_form->Game(), QString(title).toStdString());
    Action("MenuSavePuzzle")->trigger();
  }
  QCOMPARE(m_form->Library().Count(), 3);
  TOtherConnection other(PathOf("titles.ngl"));
  QSqlQuery query = other.Query("SELECT Title FROM Puzzles ORDER BY rowid");
  QVERIFY(query.next());
  QCOMPARE(query.value(0).toString(), titles[0]);
  QVERIFY(query.next());
  QCOMPARE(query.value(0).toString(), titles[1]);
}

void TestLibrary::longTitlesOverwrite_data() {
  QTest::addColumn<QString>("title");
  QTest::newRow("60 letters") << QString(60, QChar('x'));
  QTest::newRow("50 characters, the last an emoji") << QString(49, QChar('a')) + "😀";
  QTest::newRow("50 emoji") << QString("😀").repeated(50);
}

void TestLibrary::longTitlesOverwrite() {
  QFETCH(QString, title);
  LoadForeignRow(title, "+1", false);
  if (QTest::currentTestFailed())
    return;
  QCOMPARE(m_form->LabelTitle->text(), title);
  m_form->Game().Board()[0][0] = {true, "2", false};
  Action("MenuSavePuzzle")->trigger();
  QCOMPARE(Titles(), QStringList{title});
  TOtherConnection other(PathOf("foreign.ngl"));
  QCOMPARE(other.Value("SELECT S00 FROM Puzzles").toString(), QString("+2"));
}

void TestLibrary::markupShownAsText_data() {
  QTest::addColumn<QString>("title");
  QTest::newRow("bold") << "<b>Bold</b>";
  QTest::newRow("font") << "<font color=red>Red</font>";
  QTest::newRow("entity") << "a &lt; b";
}

void TestLibrary::markupShownAsText() {
  QFETCH(QString, title);
  LoadForeignRow(title, "-", false);
  if (QTest::currentTestFailed())
    return;
  // Shown as text, the label is as wide as every character of it.
  QCOMPARE(m_form->LabelTitle->text(), title);
  QVERIFY(m_form->LabelTitle->sizeHint().width() >=
          m_form->LabelTitle->fontMetrics().horizontalAdvance(title));
  QCOMPARE(m_form->DBGrid->model()->index(0, 1).data().toString(), title);
  QVERIFY(static_cast<QAbstractItemView *>(m_form->DBGrid)->sizeHintForColumn(1) >=
          m_form->DBGrid->fontMetrics().horizontalAdvance(title));
}

void TestLibrary::deletePuzzle() {
  // With no library or an empty one, nothing happens.
  Action("MenuLoadPuzzle")->trigger();
  NewLibrary("delete.ngl");
  m_form->MenuDeletePuzzleClick();
  QVERIFY(m_fakes->messages.shown.empty());

  for (const char *title : {"One", "Two", "Three"}) {
    Retitle(m_form->Game(), QString(title).toStdString());
    m_form->Game().Board()[0][0] = {true, std::string(1, title[1]), false};
    Action("MenuSavePuzzle")->trigger();
  }
  m_form->SetCurrentRecord(1);
  m_fakes->messages.answers = {QMessageBox::No};
  Action("MenuDeletePuzzle")->trigger();
  QCOMPARE(Titles(), QStringList({"One", "Two", "Three"}));
  QCOMPARE(m_form->CurrentRecord(), 1);
  const auto &question = m_fakes->messages.shown.back();
  QCOMPARE(question.caption, QString("Delete"));
  QCOMPARE(question.text, QString("Do you really want to delete this puzzle?"));
  QCOMPARE(int(question.buttons), int(QMessageBox::Yes | QMessageBox::No));
  QCOMPARE(question.icon, QMessageBox::Question);

  m_form->PageControl->SetCurrent(m_form->TabSheetDatabase);
  m_fakes->messages.answers = {QMessageBox::Yes};
  Action("MenuDeletePuzzle")->trigger();
  QCOMPARE(Titles(), QStringList({"One", "Three"}));
  QCOMPARE(Numbers(), QList<qint64>({1, 2}));
  QCOMPARE(m_form->LabelTitle->text(), QString("One"));
  QCOMPARE(m_form->Game().Board()[0][0].Text, std::string("n"));
  QCOMPARE(m_form->PageControl->Current(), m_form->TabSheetGrid);

  m_fakes->messages.answers = {QMessageBox::Yes, QMessageBox::Yes};
  Action("MenuDeletePuzzle")->trigger();
  m_form->Game().Board()[4][4] = {false, "4", false};
  Action("MenuDeletePuzzle")->trigger();
  QCOMPARE(m_form->Library().Count(), 0);
  QCOMPARE(m_form->Game().Board()[4][4].Text, std::string("4")); // nothing left to load
}

void TestLibrary::keyboardDeleteAndTitleEditor() {
  NewLibrary("keys.ngl");
  for (int i = 0; i < 3; ++i)
    Action("MenuNewPuzzle")->trigger();
  // Two rows with the same title: editing one must leave the other alone.
  QVERIFY(m_form->DBGrid->model()->setData(m_form->DBGrid->model()->index(1, 1), "Same"));
  QVERIFY(m_form->DBGrid->model()->setData(m_form->DBGrid->model()->index(2, 1), "Same"));
  QVERIFY(m_form->DBGrid->model()->setData(m_form->DBGrid->model()->index(2, 1),
                                           QString(70, QChar('t'))));
  QCOMPARE(Titles(), QStringList({"New Puzzle", "Same", QString(50, QChar('t'))}));
  QVERIFY(
      !(m_form->DBGrid->model()->flags(m_form->DBGrid->model()->index(0, 0)) & Qt::ItemIsEditable));

  m_form->show();
  QApplication::setActiveWindow(m_form.get());
  QVERIFY(QTest::qWaitForWindowActive(m_form.get()));
  m_form->PageControl->SetCurrent(m_form->TabSheetDatabase);
  m_form->DBGrid->setFocus();
  m_form->SetCurrentRecord(0);
  m_fakes->messages.answers = {QMessageBox::Ok};
  QTest::keyClick(m_form->DBGrid, Qt::Key_Delete, Qt::ControlModifier);
  QCOMPARE(m_fakes->messages.shown.back().text, QString("Delete record?"));
  QCOMPARE(Titles(), QStringList({"Same", QString(50, QChar('t'))}));
  QCOMPARE(Numbers(), QList<qint64>({1, 2}));
}

void TestLibrary::inUseByAnotherSpelling() {
  NewLibrary("open.ngl");
  Retitle(m_form->Game(), QString("Keep me").toStdString());
  Action("MenuSavePuzzle")->trigger();
  const QByteArray before = Digest(PathOf("open.ngl"));
  QVERIFY(QFile::link(PathOf("open.ngl"), PathOf("link.ngl")));
  const QStringList spellings = {PathOf("open.ngl"), PathOf("link.ngl"),
                                 m_dir->path() + "/./open.ngl", m_dir->path() + "//open.ngl",
                                 m_dir->path() + "/Data/../open.ngl"};
  for (const QString &spelling : spellings) {
    m_fakes->messages.shown.clear();
    m_fakes->files.answers.push_back(spelling);
    m_fakes->messages.answers = {QMessageBox::Yes};
    Action("MenuNewDatabase")->trigger();
    QCOMPARE(m_fakes->messages.Texts(), QStringList{"Can not create file. File is still in use."});
    QCOMPARE(m_fakes->messages.shown[0].kind, QString("warning"));
    m_fakes->files.answers.push_back(spelling);
    m_fakes->messages.answers = {QMessageBox::Yes};
    Action("MenuSaveAs")->trigger();
    QCOMPARE(m_fakes->messages.shown.size(), std::size_t(2));
  }
  QCOMPARE(Digest(PathOf("open.ngl")), before);
  QCOMPARE(Titles(), QStringList{"Keep me"});
  QCOMPARE(m_fakes->cursor.busyCount, 1);
}

void TestLibrary::overwriteAnswers() {
  NewLibrary("open.ngl");
  QFile other(PathOf("other.ngl"));
  QVERIFY(other.open(QIODevice::WriteOnly));
  other.write("precious");
  other.close();
  m_fakes->files.answers.push_back(PathOf("other.ngl"));
  m_fakes->messages.answers = {QMessageBox::No};
  Action("MenuNewDatabase")->trigger();
  const auto &question = m_fakes->messages.shown.back();
  QCOMPARE(question.caption, QString("Overwrite"));
  QCOMPARE(question.text, QString("File already exists. Overwrite?"));
  QCOMPARE(int(question.buttons), int(QMessageBox::Yes | QMessageBox::No));
  QCOMPARE(question.icon, QMessageBox::NoIcon);
  m_fakes->files.answers.push_back(PathOf("other.ngl"));
  m_fakes->messages.answers = {QMessageBox::Cancel};
  Action("MenuSaveAs")->trigger();
  QCOMPARE(int(m_fakes->messages.shown.back().buttons),
           int(QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel));
  QFile check(PathOf("other.ngl"));
  QVERIFY(check.open(QIODevice::ReadOnly));
  QCOMPARE(check.readAll(), QByteArray("precious"));
  QCOMPARE(m_form->windowTitle(), QString("Ninegrove 1.0 - open.ngl"));

  m_fakes->files.answers.push_back(PathOf("other.ngl"));
  m_fakes->messages.answers = {QMessageBox::Yes};
  Action("MenuNewDatabase")->trigger();
  QCOMPARE(m_form->windowTitle(), QString("Ninegrove 1.0 - other.ngl"));
  QVERIFY(TPuzzleLibrary::IsLibrary(PathOf("other.ngl")));
}

void TestLibrary::saveAsCopies() {
  NewLibrary("source.ngl");
  for (int i = 0; i < 3; ++i)
    Action("MenuNewPuzzle")->trigger();
  const QByteArray before = Digest(PathOf("source.ngl"));
  m_fakes->files.answers.push_back(PathOf("copy.ngl"));
  Action("MenuSaveAs")->trigger();
  QCOMPARE(Digest(PathOf("copy.ngl")), before);
  QCOMPARE(Digest(PathOf("source.ngl")), before);
  // The program goes on with the copy, and says so.
  QCOMPARE(m_form->windowTitle(), QString("Ninegrove 1.0 - copy.ngl"));
  QCOMPARE(QFileInfo(m_form->DatabaseFileName()).fileName(), QString("copy.ngl"));
  Action("MenuNewPuzzle")->trigger();
  QCOMPARE(Digest(PathOf("source.ngl")), before);
  QCOMPARE(m_form->Library().Count(), 4);
  QCOMPARE(m_fakes->cursor.depth, 0);

  // A copy that cannot be written leaves the target's old file and the library.
  QDir(m_dir->path()).mkdir("locked");
  QFile old(PathOf("locked/old.ngl"));
  QVERIFY(old.open(QIODevice::WriteOnly));
  old.write("old contents");
  old.close();
  // A folder nobody may write in; root is held back only by an immutable one.
  const QString locked = PathOf("locked");
  QFile::setPermissions(locked, QFile::ReadOwner | QFile::ExeOwner);
  const bool root = ::geteuid() == 0;
  if (root && QProcess::execute("chattr", {"+i", locked}) != 0)
    QSKIP("running as root on a file system without immutable folders");
  m_fakes->files.answers.push_back(PathOf("locked/old.ngl"));
  m_fakes->messages.answers = {QMessageBox::Yes};
  Action("MenuSaveAs")->trigger();
  if (root)
    QProcess::execute("chattr", {"-i", locked});
  QFile::setPermissions(locked, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
  QCOMPARE(m_fakes->messages.shown.back().kind, QString("application"));
  QFile check(PathOf("locked/old.ngl"));
  QVERIFY(check.open(QIODevice::ReadOnly));
  QCOMPARE(check.readAll(), QByteArray("old contents"));
  QCOMPARE(QDir(locked).entryList(QDir::Files), QStringList{"old.ngl"});
  QCOMPARE(m_form->windowTitle(), QString("Ninegrove 1.0 - copy.ngl"));
  QVERIFY(m_form->Library().IsOpen());
}

void TestLibrary::badFilesStayUntouched_data() {
  QTest::addColumn<QString>("kind");
  for (const char *kind : {"text", "empty", "other table", "other columns", "few columns",
                           "truncated", "missing", "view", "no rowid"})
    QTest::newRow(kind) << kind;
}

void TestLibrary::badFilesStayUntouched() {
  QFETCH(QString, kind);
  NewLibrary("good.ngl");
  for (int i = 0; i < 3; ++i)
    Action("MenuNewPuzzle")->trigger();
  const QString bad = PathOf("bad.ngl");
  auto sqlite = [&](const QStringList &statements) {
    QSqlDatabase db = QSqlDatabase::addDatabase("QSQLITE", "maker");
    db.setDatabaseName(bad);
    QVERIFY(db.open());
    for (const QString &statement : statements)
      QVERIFY(QSqlQuery(db).exec(statement));
    db.close();
  };
  if (kind == "text") {
    QFile file(bad);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write("N;Title\n1;Not a library\n");
  } else if (kind == "empty") {
    QFile file(bad);
    QVERIFY(file.open(QIODevice::WriteOnly));
  } else if (kind == "other table") {
    sqlite({"CREATE TABLE Games (N Number, Title TEXT(50))"});
  } else if (kind == "other columns") {
    QString statement = DesignCreateStatement;
    sqlite({statement.replace("S44", "X44")});
  } else if (kind == "few columns") {
    sqlite({"CREATE TABLE Puzzles (N Number, Title TEXT(50), S00 TEXT(10))"});
  } else if (kind == "view") {
    QString statement = DesignCreateStatement;
    sqlite({statement.replace("TABLE Puzzles", "TABLE Data"),
            "CREATE VIEW Puzzles AS SELECT * FROM Data"});
  } else if (kind == "no rowid") {
    QString statement = DesignCreateStatement;
    sqlite({statement.replace("N Number", "N Number PRIMARY KEY") + " WITHOUT ROWID"});
  } else if (kind == "truncated") {
    QFile::copy(PathOf("good.ngl"), bad);
    QFile file(bad);
    QVERIFY(file.open(QIODevice::ReadWrite));
    file.resize(100);
  }
  QSqlDatabase::removeDatabase("maker");
  const QByteArray before = Digest(bad);
  const QStringList filesBefore = QDir(m_dir->path()).entryList(QDir::Files);

  m_fakes->files.answers.push_back(bad);
  Action("MenuOpenDatabase")->trigger();
  QCOMPARE(m_fakes->messages.Texts(), QStringList{"Error opening league file."});
  QCOMPARE(m_fakes->messages.shown[0].caption, QString("Error"));
  QCOMPARE(Digest(bad), before);
  QCOMPARE(QDir(m_dir->path()).entryList(QDir::Files), filesBefore);
  QCOMPARE(m_form->windowTitle(), QString("Ninegrove 1.0 - good.ngl"));
  QCOMPARE(m_form->PageControl->Current(), m_form->TabSheetGrid);
  QCOMPARE(m_fakes->cursor.depth, 0);
  // The library that was open stays open.
  QCOMPARE(m_form->Library().Count(), 3);
}

void TestLibrary::readOnlyOrLockedLibrary() {
  NewLibrary("guarded.ngl");
  Retitle(m_form->Game(), QString("Stored").toStdString());
  m_form->Game().Board()[0][0] = {true, "1", false};
  Action("MenuSavePuzzle")->trigger();
  Retitle(m_form->Game(), QString("Second").toStdString());
  Action("MenuSavePuzzle")->trigger();

  // Locked by another program for the length of its transaction.
  {
    TOtherConnection other(PathOf("guarded.ngl"));
    other.Query("PRAGMA busy_timeout = 0");
    QVERIFY(other.Query("BEGIN EXCLUSIVE").isActive());
    m_form->Game().Board()[0][0] = {true, "9", false};
    Retitle(m_form->Game(), QString("Stored").toStdString());
    Action("MenuSavePuzzle")->trigger();
    QCOMPARE(m_fakes->messages.shown.size(), std::size_t(1));
    QCOMPARE(m_fakes->messages.shown[0].kind, QString("application"));
    QCOMPARE(m_fakes->messages.shown[0].text, QString("database is locked"));
    other.Query("ROLLBACK");
  }
  QCOMPARE(Titles(), QStringList({"Stored", "Second"}));
  m_form->SetCurrentRecord(0);
  m_form->MenuLoadPuzzleClick();
  QCOMPARE(m_form->Game().Board()[0][0].Text, std::string("1"));

  // A read-only file. Permissions do not stop root, an immutable file does.
  const QString guarded = PathOf("guarded.ngl");
  QFile::setPermissions(guarded, QFile::ReadOwner | QFile::ReadGroup);
  const bool root = ::geteuid() == 0;
  if (root && QProcess::execute("chattr", {"+i", guarded}) != 0)
    QSKIP("running as root on a file system without immutable files");
  m_fakes->files.answers.push_back(guarded);
  Action("MenuOpenDatabase")->trigger();
  Retitle(m_form->Game(), QString("Third").toStdString());
  Action("MenuSavePuzzle")->trigger();
  if (root)
    QProcess::execute("chattr", {"-i", guarded});
  QFile::setPermissions(guarded, QFile::ReadOwner | QFile::WriteOwner);
  QCOMPARE(m_fakes->messages.shown.back().kind, QString("application"));
  QCOMPARE(m_fakes->messages.shown.back().text, QString("attempt to write a readonly database"));
  QCOMPARE(Titles(), QStringList({"Stored", "Second"}));
}

void TestLibrary::rowColours() {
  NewLibrary("colours.ngl");
  for (int i = 0; i < 4; ++i)
    Action("MenuNewPuzzle")->trigger();
  QAbstractItemModel *model = m_form->DBGrid->model();
  QCOMPARE(model->headerData(0, Qt::Horizontal).toString(), QString("N"));
  QCOMPARE(model->headerData(1, Qt::Horizontal).toString(), QString("Puzzle"));
  const QColor face = QApplication::palette().color(QPalette::Button);
  for (int row = 0; row < 4; ++row)
    for (int column = 0; column < 2; ++column) {
      const QModelIndex index = model->index(row, column);
      QCOMPARE(index.data(Qt::BackgroundRole).value<QColor>(),
               row % 2 == 0 ? QColor(Qt::white) : face);
      QCOMPARE(index.data(Qt::ForegroundRole).value<QColor>(), QColor(Qt::black));
    }
  QCOMPARE(model->index(3, 0).data().toLongLong(), qint64(4));
}

void TestLibrary::newDatabaseFailure_data() {
  QTest::addColumn<bool>("folderExists");
  QTest::newRow("folder missing") << false;
  QTest::newRow("folder read-only") << true;
}

void TestLibrary::newDatabaseFailure() {
  // The new file cannot be made: the open library stays open and named, and
  // the file the user agreed to overwrite stays as it was.
  QFETCH(bool, folderExists);
  NewLibrary("kept.ngl");
  Retitle(m_form->Game(), "Keep me");
  Action("MenuSavePuzzle")->trigger();
  const QString folder = PathOf("target");
  const QString target = folder + "/new.ngl";
  const bool root = ::geteuid() == 0;
  if (folderExists) {
    QDir().mkdir(folder);
    QFile old(target);
    QVERIFY(old.open(QIODevice::WriteOnly));
    old.write("bytes the user agreed to overwrite");
    old.close();
    if (root && QProcess::execute("chattr", {"+i", folder}) != 0)
      QSKIP("running as root where folders cannot be made read-only");
    QFile::setPermissions(folder, QFile::ReadOwner | QFile::ExeOwner);
  }
  const QByteArray before = Digest(target);
  m_fakes->files.answers.push_back(target);
  m_fakes->messages.answers.push_back(QMessageBox::Yes);
  Action("MenuNewDatabase")->trigger();
  const QStringList entries = QDir(folder).entryList(QDir::Files);
  if (folderExists) {
    if (root)
      QProcess::execute("chattr", {"-i", folder});
    QFile::setPermissions(folder, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
  }
  QCOMPARE(m_fakes->messages.shown.back().kind, QString("application"));
  QCOMPARE(Digest(target), before);
  QCOMPARE(entries, folderExists ? QStringList{"new.ngl"} : QStringList());
  QCOMPARE(m_form->DatabaseFileName(), PathOf("kept.ngl"));
  QCOMPARE(m_form->windowTitle(), QString("Ninegrove 1.0 - kept.ngl"));
  QVERIFY(Action("MenuSavePuzzle")->isEnabled());
  QCOMPARE(Titles(), QStringList{"Keep me"});
  Action("MenuSavePuzzle")->trigger(); // the library still takes writes
  QCOMPARE(m_fakes->messages.shown.size(), std::size_t(folderExists ? 2 : 1));
}

QTEST_MAIN(TestLibrary)
#include "tst_library.moc"
