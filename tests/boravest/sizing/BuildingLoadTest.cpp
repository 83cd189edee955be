// The building heat load read from the project tables: small projects
// worked by hand, and the keys that keep one project's rows out of another.
#include "boravest/data/TableSchemas.h"
#include "boravest/sizing/BuildingLoad.h"
#include "platform/db/Db.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <functional>

namespace {

const QString kWall = QStringLiteral("ديوار");
const QString kWindow = QStringLiteral("پنجره");
const QString kRoof = QStringLiteral("سقف");
const QString kFloor = QStringLiteral("كف");

class ProjectHeatLoadTest : public ::testing::Test {
public:
    QTemporaryDir dir;
    pf::db::Database db;

    void SetUp() override
    {
        pf::db::Session::clearPasswords();
        pf::db::Session::addPassword(QStringLiteral("38617"));
        schema::createDataFolder(dir.path());
        db.setDirectory(dir.path());
        db.open();
    }

    void project(double p, double ga, double tg)
    {
        db.exec(QStringLiteral("INSERT INTO Bank1 (SHPROJE, NAME, Ga, Tg) VALUES (?, 'p', ?, ?)"), {p, ga, tg});
    }
    void unit(double p, double floor, double unit, double sf, double z)
    {
        db.exec(QStringLiteral("INSERT INTO bankvh (Shproje, Shsk, Tabage, Shvahed, Sf, Z_ertefa) "
                               "VALUES (?, ?, ?, ?, ?, ?)"),
                {p, p, floor, unit, sf, z});
    }
    void space(double p, double floor, double unit, double code, double ti, double to, double a, double v,
               double air, double vVarm = 0)
    {
        db.exec(QStringLiteral("INSERT INTO bankfz (Shproje, Shsk, Tabage, Shvahed, Codefaza, Faza, Ti_, To_, A_, V_, "
                               "Air_, V_varm) VALUES (?, ?, ?, ?, ?, 'room', ?, ?, ?, ?, ?, ?)"),
                {p, p, floor, unit, code, ti, to, a, v, air, vVarm});
    }
    // Kind code from the word; state, direction, areas, U-values, far side
    // and (false ceiling) inside temperature.
    void surface(double p, double floor, double unit, double code, const QString &word, int state, int dir,
                 double masa1, double z1, double to, double masa2 = 0, double z2 = 0, double ti = 0)
    {
        const int kind = word == kWall ? 0 : word == kWindow ? 1 : word == kRoof ? 3 : 4;
        db.exec(QStringLiteral("INSERT INTO bankjd (Shproje, Shsk, Tabage, Shvahed, CodeFaza, Jedare, Id_jedar, "
                               "Id_njedar, Id_gjedar, Masa1, Masa2, To_, Ti_, Z_1, Z_2) "
                               "VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?)"),
                {p, p, floor, unit, code, word, kind, state, dir, masa1, masa2, to, ti, z1, z2});
    }

    // Project p: two floors, one unit and one space each.
    //  floor 1, Sf 10 %, height 5 %, space Ti 70 To 10 A 200 V 1600, 0.5
    //  air changes, appliances 300:
    //    external wall north  100 x 0.3 x 70 x 1.10             = 2310
    //    external window north 20 x 1.0 x 70                   = 1400
    //    floor on the ground, area 0 (counted), perimeter 40:
    //       40 x 0.6 x 70 + 200 x 0.05 x (70 - 50)             = 1880
    //    roof over a false ceiling, c1 = c2 = 50, attic 40:
    //       50 x (70 - 40)                                     = 1500
    //    infiltration 0.5 x 1.2 x 0.01805 x 1600 x 60          = 1039.68
    //    (8129.68 x 1.10 x 1.05) - 300                         = 9089.7804
    //  floor 2, no factors: a south wall 4 x 0.25 x 72.5      = 72.5
    //  building 9162.2804 -> 9162
    void workedProject(double p)
    {
        project(p, 1.2, 50);
        unit(p, 1, 1, 10, 5);
        space(p, 1, 1, 1, 70, 10, 200, 1600, 0.5, 300);
        surface(p, 1, 1, 1, kWall, 1, 0, 100, 0.3, 0);
        surface(p, 1, 1, 1, kWindow, 1, 0, 20, 1.0, 0);
        surface(p, 1, 1, 1, kFloor, 0, -1, 0, 0.2, 0, 40);
        surface(p, 1, 1, 1, kRoof, 1, 1, 100, 0.5, 10, 100, 0.5, 70);
        unit(p, 2, 1, 0, 0);
        space(p, 2, 1, 1, 72.5, 72.5, 0, 0, 0);
        surface(p, 2, 1, 1, kWall, 1, 1, 4, 0.25, 0);
    }

    double load(double p) { return bv::sizing::buildingHeatLoadOf(db, p); }
};

} // namespace

TEST_F(ProjectHeatLoadTest, ProjectsWorkedByHand)
{
    const struct Case {
        const char *what;
        std::function<void(ProjectHeatLoadTest &, double)> seed;
        double expected;
    } cases[] = {
        {"floors, walls, windows, false ceiling, zero-area floor counted",
         [](ProjectHeatLoadTest &t, double p) { t.workedProject(p); }, 9162},
        {"a half goes down to the even neighbour",
         [](ProjectHeatLoadTest &t, double p) {
             t.project(p, 1, 50);
             t.unit(p, 0, 1, 0, 0);
             t.space(p, 0, 1, 1, 72.5, 72.5, 0, 0, 0);
             t.surface(p, 0, 1, 1, kWall, 1, 1, 4, 0.25, 0); // 72.5
         },
         72},
        {"a half goes up to the even neighbour",
         [](ProjectHeatLoadTest &t, double p) {
             t.project(p, 1, 50);
             t.unit(p, 0, 1, 0, 0);
             t.space(p, 0, 1, 1, 73.5, 73.5, 0, 0, 0);
             t.surface(p, 0, 1, 1, kWall, 1, 1, 4, 0.25, 0); // 73.5
         },
         74},
        // Ga 1/3: the air factor 0.0060166666... taken to ten decimals would
        // add 0.2 over 2 x 3e7 cu.ft x 100 F and carry the sum past the half.
        {"the air factor is used unrounded",
         [](ProjectHeatLoadTest &t, double p) {
             t.project(p, 1.0 / 3.0, 50);
             t.unit(p, 0, 1, 0, 0);
             t.space(p, 0, 1, 1, 100, 0, 0, 3e7, 2);          // 36 100 000
             t.surface(p, 0, 1, 1, kWall, 1, 1, 4, 0.001, 0); // + 0.4
         },
         36100000},
        {"a project without floors", [](ProjectHeatLoadTest &t, double p) { t.project(p, 1, 50); }, 0},
        {"no project row", [](ProjectHeatLoadTest &, double) {}, 0},
    };
    double p = 1;
    for (const Case &c : cases) {
        c.seed(*this, p);
        EXPECT_EQ(load(p), c.expected) << c.what;
        ++p;
    }
}

TEST_F(ProjectHeatLoadTest, AnotherProjectWithTheSameKeysChangesNothing)
{
    workedProject(7);
    ASSERT_EQ(load(7), 9162);
    // Project 8 uses the same floor, unit and space codes with rows of its own.
    workedProject(8);
    surface(8, 1, 1, 1, kWall, 1, 3, 500, 0.5, 0);
    space(8, 1, 1, 2, 70, 0, 100, 800, 1);
    EXPECT_EQ(load(7), 9162);
    EXPECT_GT(load(8), 9162);
}
