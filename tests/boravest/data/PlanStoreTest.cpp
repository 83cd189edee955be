// Floor-plan copy and the deletes of each level on a fresh data folder: what
// is written or removed, what stays, and that a write failing half way
// leaves every file as it was.
#include "boravest/data/BackupStore.h"
#include "boravest/data/PlanStore.h"
#include "boravest/data/TableSchemas.h"
#include "StoreFixture.h"

#include <QDir>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <functional>
#include <stdexcept>

#ifdef Q_OS_UNIX
#include <csignal>
#include <sys/wait.h>
#include <unistd.h>
#endif

namespace stores = bv::data::stores;

namespace {

const char *const kTables[] = {"Bank1", "bankvh", "bankfz", "bankjd", "Tajhizat", "TypMas"};

class PlanStoreTest : public StoreFixture {
protected:
    void SetUp() override
    {
        StoreFixture::SetUp();
        // Project 7: floor 2 with units 1 and 2, floor 3 with unit 1; each
        // unit has spaces 5 and 6, each space two surfaces. Project 8 beside
        // it: floor 5 with one unit, one space, two surfaces.
        reset();
    }
    void addProject(double p, const QVector<QPair<double, double>> &units, const QVector<double> &codes)
    {
        db.exec(QStringLiteral("insert into Bank1 (SHPROJE, NAME) values (?, 'n')"), {p});
        db.exec(QStringLiteral("insert into Tajhizat (Shproje, NameS) values (?, 'e')"), {p});
        db.exec(QStringLiteral("insert into TypMas (Shproje, Type) values (?, 1)"), {p});
        for (const auto &[floor, unit] : units) {
            db.exec(QStringLiteral("insert into bankvh (Shproje,Shsk,T_tabage,Tabage,Ertefa,Shvahed,Q_Vahed,Delitfield) "
                                   "values (?,?,?,?,10,?,1234.5,0)"),
                    {p, p, floor + 100, floor, unit});
            for (double code : codes) {
                db.exec(QStringLiteral("insert into bankfz (Shproje,Shsk,Tabage,Shvahed,Faza,Codefaza,A_,Modelradiat,"
                                       "E_Hav) values (?,?,?,?,?,?,?,'A''1',1)"),
                        {p, p, floor, unit, QStringLiteral("o'fis %1").arg(code), code, unit * 10 + code + 0.5});
                for (int kind = 0; kind < 2; ++kind)
                    db.exec(QStringLiteral("insert into bankjd (Shproje,Shsk,Tabage,Shvahed,CodeFaza,Jedare,Id_jedar,"
                                           "Masa1,Z_1) values (?,?,?,?,?,?,?,12.5,0.403)"),
                            {p, p, floor, unit, code, QStringLiteral("ديوار"), kind});
            }
        }
    }
    // The rows of the project in each table, in the order of kTables.
    QVector<int> counts(double project)
    {
        QVector<int> c;
        for (const char *t : kTables)
            c << db.select(QStringLiteral("select count(*) from %1 where Shproje = ?").arg(QLatin1String(t)), {project})
                     .rows[0][0]
                     .toInt();
        return c;
    }
    void reset()
    {
        for (const char *t : kTables)
            db.exec(QStringLiteral("delete from %1").arg(QLatin1String(t)));
        addProject(7, {{2, 1}, {2, 2}, {3, 1}}, {5, 6});
        addProject(8, {{5, 1}}, {5});
    }
    qint64 firstSurface()
    {
        return db.select(QStringLiteral("select min(No) from bankjd where Shproje = 7")).rows[0][0].toLongLong();
    }
    QList<QVector<QVector<QVariant>>> snapshot()
    {
        QList<QVector<QVector<QVariant>>> all;
        for (const char *t : kTables)
            all << db.select(QStringLiteral("select * from %1 order by rowid").arg(QLatin1String(t))).rows;
        return all;
    }
    // The rows of a floor, every column but the row counter and the floor.
    QVector<QVector<QVariant>> floorRows(const char *table, double project, double floor)
    {
        auto r = db.select(QStringLiteral("select * from %1 where Shproje = ? and Tabage = ? order by No")
                               .arg(QLatin1String(table)),
                           {project, floor});
        const int no = r.columns.indexOf(QStringLiteral("No"));
        const int tabage = r.columns.indexOf(QStringLiteral("Tabage"));
        for (auto &row : r.rows) {
            row[no] = QVariant();
            row[tabage] = QVariant();
        }
        return r.rows;
    }
};

// Throws at the n-th statement of a store.
stores::Step failAt(int n)
{
    auto seen = std::make_shared<int>(0);
    return [seen, n] {
        if (++*seen == n)
            throw std::runtime_error("injected");
    };
}

} // namespace

TEST_F(PlanStoreTest, CopiedFloorEqualsItsSourceRowForRow)
{
    // Floor 5 exists in project 8 only: no conflict for project 7.
    const auto r = stores::copyFloorPlan(db, {7, 2, 5});
    EXPECT_EQ(r.outcome, stores::CopyOutcome::Copied);
    EXPECT_EQ(r.units, 2);
    EXPECT_EQ(r.spaces, 4);
    EXPECT_EQ(r.surfaces, 8);
    for (const char *t : {"bankvh", "bankfz", "bankjd"})
        EXPECT_EQ(floorRows(t, 7, 5), floorRows(t, 7, 2)) << t;
    // Numbered in the order of the floor: unit 1, its space 5, its space 6 ...
    const auto order = db.select(QStringLiteral("select Shvahed, CodeFaza from bankjd where Shproje = 7 and Tabage = 5 "
                                                "order by No"))
                           .rows;
    EXPECT_EQ(order.first(), (QVector<QVariant>{1.0, 5.0}));
    EXPECT_EQ(order.last(), (QVector<QVariant>{2.0, 6.0}));
    EXPECT_EQ(counts(8), (QVector<int>{1, 1, 1, 2, 1, 1}));
}

TEST_F(PlanStoreTest, RowsThatHangOnNothingOfTheFloorAreNotCopied)
{
    // A space of a unit the floor does not have, a surface of a space it
    // does not have.
    db.exec(QStringLiteral("insert into bankfz (Shproje,Shsk,Tabage,Shvahed,Codefaza) values (7,7,2,9,5)"));
    db.exec(QStringLiteral("insert into bankjd (Shproje,Shsk,Tabage,Shvahed,CodeFaza) values (7,7,2,9,5),(7,7,2,1,77)"));
    const auto r = stores::copyFloorPlan(db, {7, 2, 5});
    EXPECT_EQ(r.spaces, 4);
    EXPECT_EQ(r.surfaces, 8);
    EXPECT_EQ(db.select(QStringLiteral("select count(*) from bankjd where Tabage = 5 and Shproje = 7")).rows[0][0], 8);
}

TEST_F(PlanStoreTest, RefusedCopiesWriteNothing)
{
    struct Case {
        stores::FloorCopy copy;
        stores::CopyOutcome outcome;
    };
    const Case cases[] = {
        {{7, 2, 3}, stores::CopyOutcome::TargetExists},
        {{7, 9, 10}, stores::CopyOutcome::SourceMissing},
        {{7, 2, 51}, stores::CopyOutcome::BadFloor},
        {{7, 2, -6}, stores::CopyOutcome::BadFloor},
        {{7, 2, 4.5}, stores::CopyOutcome::BadFloor},
    };
    const auto before = snapshot();
    for (const auto &c : cases) {
        EXPECT_EQ(stores::copyFloorPlan(db, c.copy).outcome, c.outcome) << c.copy.toFloor;
        EXPECT_EQ(snapshot(), before) << c.copy.toFloor;
    }
}

TEST_F(PlanStoreTest, TargetFloorIsAWholeNumberOfANamedFloor)
{
    const QVector<QPair<QString, std::optional<int>>> cases = {
        {"5", 5}, {" -5 ", -5}, {"50", 50}, {"7.0", 7}, {"0", 0},
        {"51", {}}, {"-6", {}}, {"2.5", {}}, {"", {}}, {"abc", {}}, {"3-", {}},
    };
    for (const auto &[text, floor] : cases)
        EXPECT_EQ(stores::parseTargetFloor(text), floor) << text.toStdString();
}

// The deletes of each level, as one table for the two tests below.
struct DeleteCase {
    const char *what;
    std::function<void(pf::db::Database &, qint64 surface, const stores::Step &)> remove;
    QVector<int> left; // Bank1, bankvh, bankfz, bankjd, Tajhizat, TypMas of project 7
};
const DeleteCase kDeletes[] = {
    {"project", [](auto &db, qint64, const auto &s) { stores::deleteProject(db, 7, s); }, {0, 0, 0, 0, 0, 0}},
    {"floor", [](auto &db, qint64, const auto &s) { stores::deleteFloor(db, 7, 2, s); }, {1, 1, 2, 4, 1, 1}},
    {"unit", [](auto &db, qint64, const auto &s) { stores::deleteUnit(db, 7, 2, 1, s); }, {1, 2, 4, 8, 1, 1}},
    {"space", [](auto &db, qint64, const auto &s) { stores::deleteSpace(db, 7, 2, 1, 5, s); }, {1, 3, 5, 10, 1, 1}},
    {"surface", [](auto &db, qint64 no, const auto &s) { stores::deleteSurface(db, no, s); }, {1, 3, 6, 11, 1, 1}},
};

TEST_F(PlanStoreTest, EachDeleteRemovesExactlyItsDependants)
{
    for (const auto &c : kDeletes) {
        reset();
        const auto other = db.select(QStringLiteral("select * from bankjd where Shproje = 8")).rows;
        c.remove(db, firstSurface(), {});
        EXPECT_EQ(counts(7), c.left) << c.what;
        EXPECT_EQ(counts(8), (QVector<int>{1, 1, 1, 2, 1, 1})) << c.what;
        EXPECT_EQ(db.select(QStringLiteral("select * from bankjd where Shproje = 8")).rows, other) << c.what;
    }
}

TEST_F(PlanStoreTest, AWriteFailingHalfWayLeavesTheDataAsBefore)
{
    const auto before = snapshot();
    // The copy fails after its first unit row and first space.
    EXPECT_THROW(stores::copyFloorPlan(db, {7, 2, 5}, failAt(2)), std::runtime_error);
    EXPECT_EQ(snapshot(), before);
    for (const auto &c : kDeletes) {
        const int statements = c.what == std::string("surface") ? 1 : 2;
        EXPECT_THROW(c.remove(db, firstSurface(), failAt(statements)), std::runtime_error) << c.what;
        EXPECT_EQ(snapshot(), before) << c.what;
    }
}

#ifdef Q_OS_UNIX
// A delete killed with SIGKILL at any moment leaves every table file sound
// and the project either whole or gone from every table.
TEST_F(PlanStoreTest, ADeleteKilledAtAnyMomentLeavesTheProjectWholeOrGone)
{
    const QVector<int> whole = counts(7);
    const QVector<int> gone(whole.size(), 0);
    for (int delayMs : {0, 1, 2, 4, 7, 11, 16, 25, 40}) {
        SCOPED_TRACE(delayMs);
        db.close();
        const pid_t child = fork();
        ASSERT_GE(child, 0);
        if (child == 0) {
            pf::db::Database own;
            own.setDirectory(dir.path());
            own.open();
            // Each statement takes a moment, so the kill lands inside the write.
            stores::deleteProject(own, 7, [] { usleep(3000); });
            _exit(0);
        }
        usleep(useconds_t(delayMs) * 1000);
        kill(child, SIGKILL);
        waitpid(child, nullptr, 0);
        // The first reader rolls a half-done write back from its journals.
        db.open();
        const QVector<int> now = counts(7);
        EXPECT_TRUE(now == whole || now == gone);
        for (const auto &t : schema::dataFolderTables()) {
            QString why;
            EXPECT_TRUE(bv::data::backup::tableFileIsSound(QDir(dir.path()).filePath(t.fileName), &why))
                << t.fileName.toStdString() << ": " << why.toStdString();
        }
        reset();
    }
}
#endif
