// The dataset layer against real table files in a temporary folder.
#include "platform/db/Db.h"
#include "DbFixture.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <sqlite3.h>
#include <gtest/gtest.h>

using namespace pf::db;


TEST_F(DbTest, DirectoryHasTrailingSeparatorAndFilesMatchWithoutCase)
{
    EXPECT_TRUE(db.directory().endsWith(QLatin1Char('/')));
    EXPECT_FALSE(db.findTableFile(QStringLiteral("BANK1.db")).isEmpty());
    EXPECT_FALSE(db.findTableFile(QStringLiteral("bank1.DB")).isEmpty());
    EXPECT_TRUE(db.findTableFile(QStringLiteral("Bank2.DB")).isEmpty());
    // A file renamed to another case is still the same table.
    QFile::rename(tmp.filePath(QStringLiteral("Bank1.DB")), tmp.filePath(QStringLiteral("BANK1.DB")));
    Table t;
    t.setDatabase(&db);
    t.setTableName(QStringLiteral("Bank1.db"));
    EXPECT_NO_THROW(t.open());
}

TEST_F(DbTest, CursorEditInsertDeleteAndAutoInc)
{
    Table t;
    t.setDatabase(&db);
    t.setTableName(QStringLiteral("bankvh.DB"));
    t.open();
    EXPECT_TRUE(t.isEmpty());
    EXPECT_TRUE(t.eof());
    t.insert();
    t.fieldByName(QStringLiteral("shproje")).setAsFloat(7);
    t.fieldByName(QStringLiteral("TABAGE")).setAsString(QStringLiteral("-2"));
    t.post();
    EXPECT_EQ(t.recordCount(), 1);
    const int no = t.fieldByName(QStringLiteral("No")).asInteger();
    EXPECT_GT(no, 0);
    EXPECT_EQ(t.fieldByName(QStringLiteral("Tabage")).asFloat(), -2);
    t.append();
    t.fieldByName(QStringLiteral("Shproje")).setAsFloat(7);
    t.post();
    EXPECT_EQ(t.fieldByName(QStringLiteral("No")).asInteger(), no + 1);
    // Edit and cancel leaves the stored value.
    t.first();
    t.edit();
    t.fieldByName(QStringLiteral("Tabage")).setAsFloat(9);
    t.cancel();
    EXPECT_EQ(t.fieldByName(QStringLiteral("Tabage")).asFloat(), -2);
    // Moving the cursor posts a changed record.
    t.edit();
    t.fieldByName(QStringLiteral("Tabage")).setAsFloat(3);
    t.next();
    t.first();
    EXPECT_EQ(t.fieldByName(QStringLiteral("Tabage")).asFloat(), 3);
    t.remove();
    EXPECT_EQ(t.recordCount(), 1);
    // Writing outside edit state is refused.
    EXPECT_THROW(t.fieldByName(QStringLiteral("Tabage")).setAsFloat(1), DbError);
    EXPECT_THROW(t.fieldByName(QStringLiteral("NoSuchField")), DbError);
}

TEST_F(DbTest, ValuesConvertAndRefuseBadText)
{
    Table t;
    t.setDatabase(&db);
    t.setTableName(QStringLiteral("Bank1.DB"));
    t.open();
    t.insert();
    t.fieldByName(QStringLiteral("SHPROJE")).setAsString(QStringLiteral("2.5"));
    EXPECT_EQ(t.fieldByName(QStringLiteral("SHPROJE")).asInteger(), 2); // half to even
    t.fieldByName(QStringLiteral("SHPROJE")).setAsFloat(3.5);
    EXPECT_EQ(t.fieldByName(QStringLiteral("SHPROJE")).asInteger(), 4);
    EXPECT_THROW(t.fieldByName(QStringLiteral("SHPROJE")).setAsString(QStringLiteral("1.2.3")), DbError);
    EXPECT_EQ(t.fieldByName(QStringLiteral("SHPROJE")).asFloat(), 3.5);
    // Refused in Persian, naming the text only.
    try {
        t.fieldByName(QStringLiteral("SHPROJE")).setAsString(QStringLiteral("20-5"));
        ADD_FAILURE();
    } catch (const DbError &e) {
        EXPECT_EQ(e.message(), QStringLiteral("«20-5» عدد معتبر نيست"));
    }
    // String(15) is cut on write.
    t.fieldByName(QStringLiteral("SHAHR")).setAsString(QStringLiteral("abcdefghijklmnopqrstuvwxyz"));
    EXPECT_EQ(t.fieldByName(QStringLiteral("SHAHR")).asString(), QStringLiteral("abcdefghijklmno"));
    t.post();
    EXPECT_EQ(t.fieldByName(QStringLiteral("SHPROJE")).asString(), QStringLiteral("3.5"));
    EXPECT_TRUE(t.fieldByName(QStringLiteral("NAME")).isNull());
    EXPECT_EQ(t.fieldByName(QStringLiteral("NAME")).asString(), QString());
}

TEST_F(DbTest, MasterDetailChainFollowsTheCursor)
{
    addProject(1, QStringLiteral("a"));
    addProject(2, QStringLiteral("b"));
    addUnit(1, 0, 1);
    addUnit(1, 1, 1);
    addUnit(2, 0, 1);
    addSpace(1, 0, 1, QStringLiteral("x"), 10);
    addSpace(1, 1, 1, QStringLiteral("y"), 20);
    addSpace(1, 1, 1, QStringLiteral("z"), 30);
    addSpace(2, 0, 1, QStringLiteral("w"), 40);

    Chain chain(db);
    Table &projects = chain.projects, &units = chain.units, &spaces = chain.spaces;

    // While the master is closed the detail is not restricted.
    units.open();
    EXPECT_EQ(units.recordCount(), 3);
    projects.open();
    EXPECT_EQ(units.recordCount(), 2);
    spaces.open();
    EXPECT_EQ(spaces.recordCount(), 1);
    units.next();
    EXPECT_EQ(units.fieldByName(QStringLiteral("Tabage")).asInteger(), 1);
    EXPECT_EQ(spaces.recordCount(), 2);
    projects.next();
    EXPECT_EQ(units.recordCount(), 1);
    EXPECT_EQ(spaces.recordCount(), 1);
    EXPECT_EQ(spaces.fieldByName(QStringLiteral("Faza")).asString(), QStringLiteral("w"));

    // A new detail record takes the master's link values.
    spaces.insert();
    EXPECT_EQ(spaces.fieldByName(QStringLiteral("Shproje")).asFloat(), 2);
    spaces.fieldByName(QStringLiteral("Faza")).setAsString(QStringLiteral("v"));
    spaces.post();
    EXPECT_EQ(spaces.recordCount(), 2);

    // Closing the database closes every dataset on it.
    db.close();
    EXPECT_FALSE(projects.active());
    EXPECT_FALSE(spaces.active());
}

TEST_F(DbTest, IndexSwitchKeyLookupAndNearest)
{
    addUnit(1, 3, 1);
    addUnit(1, -1, 2);
    addUnit(1, 0, 1);
    addUnit(2, 5, 1);
    Table t;
    t.setDatabase(&db);
    t.setTableName(QStringLiteral("bankvh.DB"));
    t.setIndexName(QStringLiteral("ipt")); // names match without case
    t.open();
    t.first();
    EXPECT_EQ(t.fieldByName(QStringLiteral("Tabage")).asInteger(), -1);
    EXPECT_TRUE(t.findKey({1, 3}));
    EXPECT_EQ(t.fieldByName(QStringLiteral("Tabage")).asInteger(), 3);
    EXPECT_FALSE(t.findKey({1, 4}));
    t.findNearest({1, 1});
    EXPECT_EQ(t.fieldByName(QStringLiteral("Tabage")).asInteger(), 3);
    t.setIndexFieldNames(QStringLiteral("Shvahed;Tabage"));
    t.first();
    EXPECT_EQ(t.fieldByName(QStringLiteral("Tabage")).asInteger(), 0);
    EXPECT_TRUE(t.locate(QStringLiteral("Shproje;Tabage"), {2, 5}));
    EXPECT_THROW(t.setIndexName(QStringLiteral("NOPE")), DbError);
}

TEST_F(DbTest, FiltersAndRecordFilter)
{
    addUnit(1, 0, 1);
    addUnit(1, 1, 1);
    addUnit(2, 0, 1);
    Table t;
    t.setDatabase(&db);
    t.setTableName(QStringLiteral("bankvh.DB"));
    t.open();
    t.setFilter(QStringLiteral("Shproje = 1 and Tabage <> 0"));
    EXPECT_EQ(t.recordCount(), 3);
    t.setFiltered(true);
    EXPECT_EQ(t.recordCount(), 1);
    t.setFiltered(false);
    t.onFilterRecord = [](Dataset &d) { return d.fieldByName(QStringLiteral("Shproje")).asInteger() == 2; };
    t.setFiltered(true);
    t.setFilter(QString());
    EXPECT_EQ(t.recordCount(), 1);
}

TEST_F(DbTest, CalculatedAndLookupFields)
{
    addProject(1, QStringLiteral("A very long project name"));
    addUnit(1, 0, 1);
    addUnit(1, 2, 1);
    Table projects;
    projects.setDatabase(&db);
    projects.setTableName(QStringLiteral("Bank1.DB"));
    Query q;
    q.setDatabase(&db);
    q.setSql(QStringLiteral("select * from  bankvh"));
    q.addLookupField(QStringLiteral("Name Projec"), FieldType::String, 10, QStringLiteral("Shproje"), &projects,
                     QStringLiteral("SHPROJE"), QStringLiteral("NAME"));
    q.addCalcField(QStringLiteral("Twice"), FieldType::Float);
    q.onCalcFields = [](Dataset &d) {
        d.fieldByName(QStringLiteral("Twice")).setAsFloat(2 * d.fieldByName(QStringLiteral("Tabage")).asFloat());
    };
    q.open();
    EXPECT_EQ(q.recordCount(), 2);
    EXPECT_EQ(q.fieldByName(QStringLiteral("Name Projec")).asString(), QStringLiteral("A very lon"));
    q.next();
    EXPECT_EQ(q.fieldByName(QStringLiteral("Twice")).asFloat(), 4);
    EXPECT_EQ(q.rowText(0, q.fieldByName(QStringLiteral("Twice")).index()), QStringLiteral("0"));
    EXPECT_THROW(q.edit(), DbError); // query rows are read-only
}

TEST_F(DbTest, QueriesRunTheSystemsOwnTexts)
{
    addUnit(3, 0, 1);
    addUnit(3, 1, 1);
    addUnit(3, 1, 2);
    addSpace(3, 1, 2, QStringLiteral("x"), 5);
    Query q;
    q.setDatabase(&db);
    q.sql() << QStringLiteral("select Count(tabage)Cu from bankvh") << QStringLiteral("Where bankvh.shproje=3");
    q.open();
    EXPECT_EQ(q.fieldByName(QStringLiteral("Cu")).asInteger(), 3);
    q.close();
    q.sql().clear();
    q.sql() << QStringLiteral("SELECT Bankfz.Shproje,Bankfz.Faza ") << QStringLiteral("FROM Bankvh,Bankfz WHERE (Bankvh.Shproje=3) ")
            << QStringLiteral("AND (Bankvh.Tabage = Bankfz.Tabage) AND (Bankvh.Shvahed = Bankfz.Shvahed) ")
            << QStringLiteral("order by Bankfz.Shproje");
    q.open();
    EXPECT_EQ(q.recordCount(), 1);
    EXPECT_EQ(q.fieldByName(QStringLiteral("faza")).asString(), QStringLiteral("x"));
    q.close();
    q.setSql(QStringLiteral("delete from bankvh where Tabage = 0"));
    q.execSQL();
    Query c;
    c.setDatabase(&db);
    c.setSql(QStringLiteral("select count(*) n from bankvh"));
    c.open();
    EXPECT_EQ(c.fieldByName(QStringLiteral("n")).asInteger(), 2);
}

TEST_F(DbTest, TransactionAcrossTablesRollsBackWhole)
{
    addProject(1, QStringLiteral("a"));
    addUnit(1, 0, 1);
    EXPECT_THROW(db.transaction([&] {
        db.exec(QStringLiteral("update Bank1 set SHPROJE = 9"));
        db.exec(QStringLiteral("update bankvh set Shproje = 9"));
        db.exec(QStringLiteral("update nosuchtable set x = 1"));
    }),
                 DbError);
    auto r = db.select(QStringLiteral("select SHPROJE from Bank1"));
    EXPECT_EQ(r.rows[0][0].toDouble(), 1);
    r = db.select(QStringLiteral("select Shproje from bankvh"));
    EXPECT_EQ(r.rows[0][0].toDouble(), 1);
    db.transaction([&] {
        db.exec(QStringLiteral("update Bank1 set SHPROJE = 9"));
        db.exec(QStringLiteral("update bankvh set Shproje = 9"));
    });
    r = db.select(QStringLiteral("select Shproje from bankvh"));
    EXPECT_EQ(r.rows[0][0].toDouble(), 9);
}

TEST_F(DbTest, MissingDamagedAndProtectedFilesGiveMessages)
{
    Table t;
    t.setDatabase(&db);
    t.setTableName(QStringLiteral("nothere.DB"));
    try {
        t.open();
        FAIL() << "opened a missing table";
    } catch (const DbError &e) {
        EXPECT_TRUE(e.message().contains(QStringLiteral("nothere.DB")));
    }
    QFile junk(tmp.filePath(QStringLiteral("junk.DB")));
    ASSERT_TRUE(junk.open(QIODevice::WriteOnly));
    junk.write(QByteArray(4096, 'x'));
    junk.close();
    t.setTableName(QStringLiteral("junk.DB"));
    EXPECT_THROW(t.open(), DbError);
    EXPECT_EQ(QFileInfo(tmp.filePath(QStringLiteral("junk.DB"))).size(), 4096); // nothing written over it

    db.close();
    Session::clearPasswords();
    t.setTableName(QStringLiteral("Bank1.DB"));
    EXPECT_THROW(t.open(), DbError);
    Session::addPassword(QStringLiteral("38617"));
    EXPECT_NO_THROW(t.open());
}

TEST_F(DbTest, SecondaryIndexesListDeleteAddAndEmptyTable)
{
    EXPECT_EQ(db.indexNames(QStringLiteral("bankvh.DB")), (QStringList{"IPT", "IPTV", "ISHP"}));
    db.deleteIndex(QStringLiteral("bankvh.DB"), QStringLiteral("ipt"));
    EXPECT_EQ(db.indexNames(QStringLiteral("bankvh.DB")), (QStringList{"IPTV", "ISHP"}));
    db.addIndex(QStringLiteral("bankvh.DB"), {QStringLiteral("IPT"), {"shproje", "Tabage"}});
    const auto defs = db.indexDefs(QStringLiteral("bankvh.DB"));
    ASSERT_EQ(defs.size(), 3);
    EXPECT_EQ(defs[0].fields, (QStringList{"Shproje", "Tabage"}));
    addUnit(1, 0, 1);
    Table t;
    t.setDatabase(&db);
    t.setTableName(QStringLiteral("bankvh.DB"));
    t.open();
    EXPECT_EQ(t.recordCount(), 1);
    t.emptyTable();
    EXPECT_EQ(t.recordCount(), 0);
}

TEST_F(DbTest, PersianTextOrdersAsReadersExpect)
{
    // alef, be, pe, che, zhe, kaf (Arabic form), gaf, yeh (Arabic form)
    const QStringList words = {QStringLiteral("ي"), QStringLiteral("گ"), QStringLiteral("ك"), QStringLiteral("ژ"),
                               QStringLiteral("چ"), QStringLiteral("پ"), QStringLiteral("ب"), QStringLiteral("ا")};
    for (const QString &w : words)
        addSpace(1, 0, 1, w, 0);
    addSpace(1, 0, 1, QStringLiteral("Abc"), 0);
    Table t;
    t.setDatabase(&db);
    t.setTableName(QStringLiteral("bankfz.DB"));
    t.setIndexName(QStringLiteral("IFz"));
    t.open();
    QStringList got;
    for (t.first(); !t.eof(); t.next())
        got << t.fieldByName(QStringLiteral("Faza")).asString();
    QStringList want = words;
    std::reverse(want.begin(), want.end());
    want.prepend(QStringLiteral("Abc"));
    EXPECT_EQ(got, want);
    EXPECT_EQ(persianCompare(QStringLiteral("abc"), QStringLiteral("ABC")), 0);
    EXPECT_EQ(persianCompare(QStringLiteral("كتاب"), QStringLiteral("کتاب")), 0);
    EXPECT_TRUE(t.findKey({QStringLiteral("abc")}));
}

TEST_F(DbTest, ManyTableFilesCanBeUsedTogether)
{
    // More files than the engine attaches at once.
    for (int i = 0; i < 14; ++i)
        db.createTable({QStringLiteral("t%1.DB").arg(i), {{"x", FieldType::Float}}, {}, true});
    std::vector<std::unique_ptr<Table>> tables;
    for (int i = 0; i < 14; ++i) {
        auto t = std::make_unique<Table>();
        t->setDatabase(&db);
        t->setTableName(QStringLiteral("t%1.DB").arg(i));
        t->open();
        t->insert();
        t->fieldByName(QStringLiteral("x")).setAsFloat(i);
        t->post();
        tables.push_back(std::move(t));
    }
    for (int i = 0; i < 14; ++i) {
        tables[i]->refresh();
        EXPECT_EQ(tables[i]->fieldByName(QStringLiteral("x")).asInteger(), i);
    }
}

TEST_F(DbTest, LockedTableRefusesWithAMessageAndRecovers)
{
    addProject(1, QStringLiteral("a"));
    Table t;
    t.setDatabase(&db);
    t.setTableName(QStringLiteral("Bank1.DB"));
    t.open();
    // Another program holds the file for writing.
    sqlite3 *other = nullptr;
    ASSERT_EQ(sqlite3_open(tmp.filePath(QStringLiteral("Bank1.DB")).toUtf8().constData(), &other), SQLITE_OK);
    ASSERT_EQ(sqlite3_exec(other, "BEGIN EXCLUSIVE", nullptr, nullptr, nullptr), SQLITE_OK);
    t.edit();
    t.fieldByName(QStringLiteral("NAME")).setAsString(QStringLiteral("b"));
    try {
        t.post();
        FAIL() << "posted into a locked table";
    } catch (const DbError &e) {
        EXPECT_FALSE(e.message().isEmpty());
    }
    // The edit is still there to post once the file is free.
    EXPECT_EQ(t.state(), DatasetState::Edit);
    sqlite3_exec(other, "COMMIT", nullptr, nullptr, nullptr);
    sqlite3_close(other);
    t.post();
    EXPECT_EQ(db.select(QStringLiteral("select NAME from Bank1")).rows[0][0].toString(), QStringLiteral("b"));
}
