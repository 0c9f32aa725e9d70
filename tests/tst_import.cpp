#include "accessimport.h"
#include "fakeservices.h"
#include "formmain.h"
#include "pagecontrol.h"
#include "puzzlelibrary.h"

#include <QAction>
#include <QCryptographicHash>
#include <QLabel>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <QtEndian>
#include <QtTest>

class TestImport : public QObject {
  Q_OBJECT

private slots:
  void init();
  void cleanup();

  void importsTheLibrary();
  void notAPuzzleLibrary_data();
  void notAPuzzleLibrary();
  void cutAtAPage_data();
  void cutAtAPage();
  void overwriteAnsweredNo();
  void headerDecides();

private:
  QString Copy(const QString &name, const QString &as);
  void Open(const QString &path);

  std::unique_ptr<QTemporaryDir> m_dir;
  std::unique_ptr<TFakeServices> m_fakes;
  std::unique_ptr<TFormMain> m_form;
};

namespace {

const QString Legacy = QStringLiteral(NINEGROVE_TEST_DATA "/legacy");

QByteArray Digest(const QString &path) {
  QFile file(path);
  if (!file.open(QIODevice::ReadOnly))
    return {};
  return QCryptographicHash::hash(file.readAll(), QCryptographicHash::Sha256);
}

struct TExpectedRow {
  QString title;
  QStringList cells; // stored texts, "" for NULL
};

QList<TExpectedRow> ExpectedRows() {
  QFile file(Legacy + "/library_jet4.tsv");
  file.open(QIODevice::ReadOnly);
  QList<TExpectedRow> rows;
  for (const QString &line : QString::fromUtf8(file.readAll()).split('\n', Qt::SkipEmptyParts)) {
    QStringList fields = line.split('\t');
    for (QString &field : fields)
      if (field == "\\N")
        field.clear();
    rows.push_back({fields[1], fields.mid(2)});
  }
  return rows;
}

} // namespace

void TestImport::init() {
  m_dir = std::make_unique<QTemporaryDir>();
  m_fakes = std::make_unique<TFakeServices>();
  m_fakes->services.programFolder = m_dir->path();
  m_form = std::make_unique<TFormMain>(m_fakes->services);
}

void TestImport::cleanup() {
  m_form.reset();
  m_fakes.reset();
  m_dir.reset();
}

QString TestImport::Copy(const QString &name, const QString &as) {
  const QString path = m_dir->filePath(as);
  QFile::copy(Legacy + "/" + name, path);
  QFile::setPermissions(path, QFile::ReadOwner | QFile::WriteOwner);
  return path;
}

void TestImport::Open(const QString &path) {
  m_fakes->files.answers.push_back(path);
  m_form->findChild<QAction *>("MenuOpenDatabase")->trigger();
}

void TestImport::importsTheLibrary() {
  const QString mdb = Copy("library_jet4.mdb", "collection.mdb");
  const QByteArray before = Digest(mdb);
  Open(mdb);
  QVERIFY2(m_fakes->messages.shown.empty(), qPrintable(m_fakes->messages.Texts().join('|')));
  QCOMPARE(Digest(mdb), before);
  const QString ngl = m_dir->filePath("collection.ngl");
  QCOMPARE(m_form->windowTitle(), QString("Ninegrove 1.0 - collection.ngl"));
  QCOMPARE(QFileInfo(m_form->DatabaseFileName()).canonicalFilePath(),
           QFileInfo(ngl).canonicalFilePath());
  QCOMPARE(m_form->PageControl->Current(), m_form->TabSheetDatabase);
  QVERIFY(m_form->findChild<QAction *>("MenuSavePuzzle")->isEnabled());
  QCOMPARE(m_fakes->cursor.depth, 0);
  QVERIFY(m_fakes->cursor.busyCount >= 1);
  QCOMPARE(QDir(m_dir->path()).entryList(QDir::Files),
           QStringList({"collection.mdb", "collection.ngl"}));

  const QList<TExpectedRow> expected = ExpectedRows();
  QCOMPARE(expected.size(), 8);
  QCOMPARE(m_form->Library().Count(), 8);
  {
    QSqlDatabase db = QSqlDatabase::addDatabase("QSQLITE", "check");
    db.setDatabaseName(ngl);
    QVERIFY(db.open());
    QSqlQuery query(db);
    QVERIFY(query.exec("SELECT * FROM Puzzles ORDER BY rowid"));
    int row = 0;
    while (query.next()) {
      QCOMPARE(query.value(0).toLongLong(), qint64(row + 1));
      QCOMPARE(query.value(1).toString(), expected[row].title);
      for (int i = 0; i < 81; ++i)
        QCOMPARE(query.value(2 + i).toString(), expected[row].cells[i]);
      ++row;
    }
    QCOMPARE(row, 8);
  }
  QSqlDatabase::removeDatabase("check");

  // Loading each row puts the stored board on the grid.
  for (int row = 0; row < 8; ++row) {
    m_form->SetCurrentRecord(row);
    m_form->MenuLoadPuzzleClick();
    QCOMPARE(m_form->LabelTitle->text(), expected[row].title);
    for (int r = 0; r < 9; ++r)
      for (int c = 0; c < 9; ++c) {
        const TSquare cell = CellFromStored(expected[row].cells[r * 9 + c].toUtf8());
        QCOMPARE(m_form->Game().Board()[c][r].Text, cell.Text);
        QCOMPARE(m_form->Game().Board()[c][r].Fixed, cell.Fixed);
      }
  }
}

void TestImport::notAPuzzleLibrary_data() {
  QTest::addColumn<QString>("kind");
  for (const char *kind : {"games table", "truncated", "cut at a page", "text", "header only"})
    QTest::newRow(kind) << kind;
}

void TestImport::notAPuzzleLibrary() {
  QFETCH(QString, kind);
  QString path;
  if (kind == "games table") {
    path = Copy("games_table_jet4.mdb", "games.mdb");
  } else if (kind == "truncated" || kind == "cut at a page") {
    path = Copy("library_jet4.mdb", "cut.mdb");
    QFile file(path);
    QVERIFY(file.open(QIODevice::ReadWrite));
    file.resize(kind == "truncated" ? file.size() / 2 + 123 : 4096 * 3);
  } else if (kind == "header only") {
    path = m_dir->filePath("header.mdb");
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write(QByteArray("\x00\x01\x00\x00Standard Jet DB", 19));
    file.write(QByteArray(4096 * 2 - 19, '\0'));
  } else {
    path = m_dir->filePath("notes.mdb");
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write("Puzzle Level 7\t-4\t-135\n");
  }
  const QByteArray before = Digest(path);
  Open(path);
  QCOMPARE(m_fakes->messages.Texts(), QStringList{"Error opening league file."});
  QCOMPARE(Digest(path), before);
  QCOMPARE(QDir(m_dir->path()).entryList(QDir::Files), QStringList{QFileInfo(path).fileName()});
  QCOMPARE(m_form->windowTitle(), QString("Ninegrove 1.0"));
  QCOMPARE(m_fakes->cursor.depth, 0);
}

void TestImport::cutAtAPage_data() {
  QTest::addColumn<int>("copies"); // of the page that holds the rows
  QTest::addColumn<int>("pages");  // left after the cut
  QTest::addColumn<int>("rows");   // imported; 0: refused
  QTest::newRow("rows cut off") << 1 << 26 << 0;
  QTest::newRow("page map cut off") << 1 << 27 << 0;
  QTest::newRow("one of three row pages left") << 3 << 28 << 0;
  QTest::newRow("two of three row pages left") << 3 << 29 << 0;
  QTest::newRow("three row pages, whole") << 3 << 30 << 24;
}

void TestImport::cutAtAPage() {
  QFETCH(int, copies);
  QFETCH(int, pages);
  QFETCH(int, rows);
  // library_jet4.mdb keeps its 8 rows on page 26, the table's definition on
  // page 24 and the map of the table's pages on page 27. Copies of page 26
  // appended, marked in the map and counted in the definition, spread the
  // table over more pages, as a larger library has it.
  constexpr int Page = 4096;
  QFile original(Legacy + "/library_jet4.mdb");
  QVERIFY(original.open(QIODevice::ReadOnly));
  QByteArray mdb = original.readAll();
  QCOMPARE(mdb.size(), 28 * Page);
  QCOMPARE(qFromLittleEndian<quint32>(mdb.constData() + 24 * Page + 16), 8u);
  qToLittleEndian<quint32>(8 * copies, mdb.data() + 24 * Page + 16);
  for (int copy = 1; copy < copies; ++copy) {
    mdb[27 * Page + 4 + (27 + copy) / 8] |= char(1 << ((27 + copy) % 8));
    mdb += mdb.mid(26 * Page, Page);
  }
  const QString path = m_dir->filePath("cut.mdb");
  QFile cut(path);
  QVERIFY(cut.open(QIODevice::WriteOnly));
  cut.write(mdb.left(pages * Page));
  cut.close();

  Open(path);
  if (rows == 0) {
    QCOMPARE(m_fakes->messages.Texts(), QStringList{"Error opening league file."});
    QCOMPARE(QDir(m_dir->path()).entryList(QDir::Files), QStringList{"cut.mdb"});
    QVERIFY(!m_form->Library().IsOpen());
  } else {
    QCOMPARE(m_fakes->messages.Texts(), QStringList());
    QCOMPARE(m_form->Library().Count(), rows);
  }
}

void TestImport::overwriteAnsweredNo() {
  const QString mdb = Copy("library_jet4.mdb", "old.mdb");
  QFile existing(m_dir->filePath("old.ngl"));
  QVERIFY(existing.open(QIODevice::WriteOnly));
  existing.write("keep");
  existing.close();
  m_fakes->messages.answers = {QMessageBox::No};
  Open(mdb);
  QCOMPARE(m_fakes->messages.shown.size(), std::size_t(1));
  QCOMPARE(m_fakes->messages.shown[0].caption, QString("Overwrite"));
  QCOMPARE(m_fakes->messages.shown[0].text, QString("File already exists. Overwrite?"));
  QCOMPARE(int(m_fakes->messages.shown[0].buttons), int(QMessageBox::Yes | QMessageBox::No));
  QVERIFY(existing.open(QIODevice::ReadOnly));
  QCOMPARE(existing.readAll(), QByteArray("keep"));
  existing.close();
  QVERIFY(!m_form->Library().IsOpen());

  m_fakes->messages.answers = {QMessageBox::Yes};
  Open(mdb);
  QCOMPARE(m_form->Library().Count(), 8);
  QCOMPARE(QDir(m_dir->path()).entryList(QDir::Files), QStringList({"old.mdb", "old.ngl"}));
}

void TestImport::headerDecides() {
  // An Access file under another name is still imported; a library named .mdb is opened.
  const QString disguised = Copy("library_jet4.mdb", "puzzles.dat");
  QVERIFY(IsAccessFile(disguised));
  Open(disguised);
  QCOMPARE(m_form->Library().Count(), 8);
  QCOMPARE(m_form->windowTitle(), QString("Ninegrove 1.0 - puzzles.ngl"));

  const QString library = m_dir->filePath("library.mdb");
  TPuzzleLibrary::Create(library);
  QVERIFY(!IsAccessFile(library));
  Open(library);
  QCOMPARE(m_form->windowTitle(), QString("Ninegrove 1.0 - library.mdb"));
  QVERIFY(m_fakes->messages.shown.empty());
}

QTEST_MAIN(TestImport)
#include "tst_import.moc"
