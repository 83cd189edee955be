// The multi-table stores on a fresh data folder: what moves, what stays,
// and that a refused or failed write leaves every file as it was.
#include "boravest/data/Stores.h"
#include "StoreFixture.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace stores = bv::data::stores;

namespace {

const char *const kTables[] = {"Bank1", "bankvh", "bankfz", "bankjd", "Tajhizat", "TypMas"};

class StoresTest : public StoreFixture {
protected:
    void SetUp() override
    {
        StoreFixture::SetUp();
        // Project 12 with one unit row (stored without Shsk) of two spaces
        // and three surfaces, a second unit row, and project 3 beside it.
        exec("insert into Bank1 (SHPROJE, NAME) values (12, 'a'), (3, 'b')");
        exec("insert into bankvh (Shproje,Shsk,Tabage,Shvahed) values (12,null,1,1),(12,null,1,2),(3,3,1,1)");
        exec("insert into bankfz (Shproje,Shsk,Tabage,Shvahed,Faza,Codefaza,Ti_) values "
             "(12,null,1,1,'x',5,70),(12,null,1,1,'y',6,70),(12,null,1,2,'x',5,70),(3,3,1,1,'x',5,70)");
        exec("insert into bankjd (Shproje,Shsk,Tabage,Shvahed,CodeFaza,Ti_) values "
             "(12,null,1,1,5,0),(12,null,1,1,5,0),(12,null,1,1,6,0),(12,null,1,2,5,0),(3,3,1,1,5,0)");
        exec("insert into Tajhizat (Shproje) values (12), (3)");
        exec("insert into TypMas (Shproje, Type) values (12, 1), (3, 1)");
    }
    void exec(const char *sql) { db.exec(QString::fromUtf8(sql)); }
    int count(const char *sql)
    {
        return db.select(QStringLiteral("select count(*) from ") + QString::fromUtf8(sql)).rows[0][0].toInt();
    }
    QList<QVector<QVector<QVariant>>> snapshot()
    {
        QList<QVector<QVector<QVariant>>> all;
        for (const char *t : kTables)
            all << db.select(QStringLiteral("select * from %1 order by rowid").arg(QLatin1String(t))).rows;
        return all;
    }
};

} // namespace

TEST_F(StoresTest, ProjectNumberTakesEveryRowAlongEvenWithEveryTableAttached)
{
    // Every table file of the folder touched first, as the open pages do:
    // the store makes room before its transaction.
    for (const auto &t : schema::dataFolderTables())
        db.attachTable(t.fileName);
    bool posted = false;
    stores::changeProjectNumber(db, 12, 15, [&] { posted = db.inTransaction(); });
    EXPECT_TRUE(posted);
    EXPECT_EQ(count("Bank1 where SHPROJE = 15"), 1);
    EXPECT_EQ(count("bankvh where Shproje = 15 and Shsk = 15"), 2);
    EXPECT_EQ(count("bankfz where Shproje = 15 and Shsk = 15"), 3);
    EXPECT_EQ(count("bankjd where Shproje = 15 and Shsk = 15"), 4);
    EXPECT_EQ(count("Tajhizat where Shproje = 15"), 1);
    EXPECT_EQ(count("TypMas where Shproje = 15"), 1);
    for (const char *t : kTables)
        EXPECT_EQ(count((std::string(t) + " where Shproje = 12").c_str()), 0) << t;
    EXPECT_EQ(count("bankjd where Shproje = 3"), 1);
}

TEST_F(StoresTest, UnitNumberTakesItsSpacesAndSurfacesOnly)
{
    stores::changeUnitNumber(db, {12, QVariant(), 1, 1}, 2, 3);
    EXPECT_EQ(count("bankvh where Tabage = 2 and Shvahed = 3"), 1);
    EXPECT_EQ(count("bankfz where Tabage = 2 and Shvahed = 3"), 2);
    EXPECT_EQ(count("bankjd where Tabage = 2 and Shvahed = 3"), 3);
    // The second unit row and the other project stay.
    EXPECT_EQ(count("bankjd where Tabage = 1"), 2);
}

TEST_F(StoresTest, RenamedSpaceTakesItsSurfacesAndAllTakeItsTemperature)
{
    stores::SpaceSave s{{12, QVariant(), 1, 1}, 5.0, 9, QStringLiteral("z"), 68};
    stores::saveSpace(db, s);
    EXPECT_EQ(count("bankfz where Codefaza = 9 and Faza = 'z'"), 1);
    EXPECT_EQ(count("bankjd where CodeFaza = 9 and Ti_ = 68"), 2);
    EXPECT_EQ(count("bankjd where Ti_ = 68"), 2); // the other spaces' surfaces untouched
    // A new space only gives its surfaces the temperature.
    stores::saveSpace(db, {{12, QVariant(), 1, 1}, std::nullopt, 6, QStringLiteral("y"), 71});
    EXPECT_EQ(count("bankjd where CodeFaza = 6 and Ti_ = 71"), 1);
}

TEST_F(StoresTest, RefusedOrFailedWriteChangesNothing)
{
    const auto fail = [] { throw pf::db::DbError(QStringLiteral("record refused")); };
    const struct {
        const char *what;
        std::function<void()> run;
    } cases[] = {
        {"project to a taken number", [&] { stores::changeProjectNumber(db, 12, 3); }},
        {"project, record fails", [&] { stores::changeProjectNumber(db, 12, 15, fail); }},
        {"unit to taken numbers", [&] { stores::changeUnitNumber(db, {12, QVariant(), 1, 1}, 1, 2); }},
        {"unit, record fails", [&] { stores::changeUnitNumber(db, {12, QVariant(), 1, 1}, 4, 4, fail); }},
        {"space to a taken code", [&] { stores::saveSpace(db, {{12, QVariant(), 1, 1}, 5.0, 6, QStringLiteral("y"), 60}); }},
        {"space, record fails",
         [&] { stores::saveSpace(db, {{12, QVariant(), 1, 1}, 5.0, 9, QStringLiteral("z"), 60}, fail); }},
    };
    for (const auto &c : cases) {
        const auto before = snapshot();
        EXPECT_THROW(c.run(), pf::db::DbError) << c.what;
        EXPECT_FALSE(db.inTransaction()) << c.what;
        EXPECT_EQ(snapshot(), before) << c.what;
    }
}
