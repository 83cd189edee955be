// Reading the unit rows of a project and writing the collector results back.
#include "boravest/data/CollectorsStore.h"
#include "boravest/data/TableSchemas.h"
#include "boravest/equipment/Collectors.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

class CollectorsStoreTest : public ::testing::Test {
protected:
    QTemporaryDir dir;
    pf::db::Database db;

    void SetUp() override
    {
        pf::db::Session::addPassword(QStringLiteral("38617"));
        schema::createDataFolder(dir.path());
        db.setDirectory(dir.path());
        db.open();
        exec("INSERT INTO Bank1 (SHPROJE, NAME, Ga, Tg) VALUES (1, 'p1', 1, 50), (2, 'p2', 1, 50)");
        // Stale results of an earlier run in every row.
        exec("INSERT INTO bankvh (Shproje, Shsk, Tabage, Shvahed, Sf, Z_ertefa, T_Rz, Q_Vahed, GP, Col, Row) VALUES "
             "(1, 1, 1, 1, 0, 0, 1, 9, 9, 9, 9), (1, 1, 0, 1, 0, 0, 2, 9, 9, 9, 9), "
             "(1, 1, 1, 2, 0, 0, 0, 9, 9, 9, 9), (2, 2, 0, 1, 0, 0, 1, 9, 9, 9, 9)");
    }
    void TearDown() override { db.close(); }

    void exec(const char *sql, const QVariantList &binds = {}) { db.exec(QString::fromUtf8(sql), binds); }

    // A space behind one external south wall: 50 Btu/h per sq.ft.
    void space(double project, double floor, double unit, double code, double wallArea)
    {
        exec("INSERT INTO bankfz (Shproje, Shsk, Tabage, Shvahed, Codefaza, Ti_, To_, A_, V_, Air_, V_varm) "
             "VALUES (?, ?, ?, ?, ?, 70, 0, 100, 800, 0, 0)",
             {project, project, floor, unit, code});
        exec("INSERT INTO bankjd (Shproje, Shsk, Tabage, Shvahed, CodeFaza, Jedare, Id_jedar, Id_njedar, "
             "Id_gjedar, Masa1, Masa2, To_, Ti_, Z_1, Z_2) VALUES (?, ?, ?, ?, ?, 'ديوار', 0, 1, 1, ?, 0, -30, 0, 0.5, 0)",
             {project, project, floor, unit, code, wallArea});
    }

    QVariantList unitResults(double project, double floor, double unit)
    {
        const auto r = db.select(QStringLiteral("SELECT Q_Vahed, GP, Col, \"Row\" FROM bankvh WHERE Shproje = ? AND "
                                                "Tabage = ? AND Shvahed = ?"),
                                 {project, floor, unit});
        return r.rows.isEmpty() ? QVariantList{} : QVariantList(r.rows[0].begin(), r.rows[0].end());
    }
};

} // namespace

TEST_F(CollectorsStoreTest, ReadsTheProjectByFloorWithItsSpaces)
{
    space(1, 0, 1, 1, 1200);
    space(1, 0, 1, 2, 800);
    space(1, 1, 1, 1, 600);
    space(2, 0, 1, 1, 5000);
    const bv::data::CollectorProject p = bv::data::readCollectorUnits(db, 1);
    EXPECT_DOUBLE_EQ(p.site.Tg, 50);
    ASSERT_EQ(p.units.size(), 3u);
    EXPECT_DOUBLE_EQ(p.units[0].unit.Tabage, 0);
    EXPECT_EQ(p.units[0].T_Rz, 2);
    ASSERT_EQ(p.units[0].unit.spaces.size(), 2u);
    EXPECT_DOUBLE_EQ(p.units[0].unit.spaces[1].surfaces.at(0).Masa1, 800);
    EXPECT_EQ(p.units[1].unit.spaces.size(), 1u);
    EXPECT_TRUE(p.units[2].unit.spaces.empty());
}

TEST_F(CollectorsStoreTest, SizedUnitsWrittenOthersClearedOtherProjectsUntouched)
{
    space(1, 0, 1, 1, 2000); // 100000 Btu/h, 2 risers
    space(1, 1, 1, 1, 600);  // 30000 Btu/h, 1 riser
    space(1, 1, 2, 1, 1000); // no risers

    const bv::data::CollectorProject p = bv::data::readCollectorUnits(db, 1);
    bv::equipment::CollectorsInputs in;
    in.units = p.units;
    in.site = p.site;
    in.EkhtDama = 20;
    in.OfteFeshar = 1;
    in.Typ_MAM = 2;
    const bv::equipment::CollectorsResults r = bv::equipment::sizeCollectors(in);
    bv::data::storeCollectorResults(db, 1, bv::equipment::collectorStoreRows(r));

    EXPECT_EQ(unitResults(1, 0, 1), (QVariantList{100000.0, 10.0, 4.0, 2.0}));
    EXPECT_EQ(unitResults(1, 1, 1), (QVariantList{30000.0, 3.0, 3.0, 2.0}));
    for (const QVariant &v : unitResults(1, 1, 2))
        EXPECT_TRUE(v.isNull());
    EXPECT_EQ(unitResults(2, 0, 1), (QVariantList{9.0, 9.0, 9.0, 9.0}));
}

TEST_F(CollectorsStoreTest, AFailedWriteLeavesEveryRowAsItWas)
{
    const bv::data::CollectorProject p = bv::data::readCollectorUnits(db, 1);
    std::vector<bv::data::CollectorStoreRow> rows;
    for (const auto &u : p.units)
        rows.push_back({u.No, true, 1, 1, 1, 1});
    // The last row's write fails.
    const QString units = db.attachTable(QStringLiteral("bankvh.DB"));
    db.exec(QStringLiteral("CREATE TEMP TRIGGER refuse BEFORE UPDATE ON %1 WHEN new.\"No\" = %2 "
                           "BEGIN SELECT RAISE(ABORT, 'refused'); END")
                .arg(units)
                .arg(rows.back().No));
    EXPECT_ANY_THROW(bv::data::storeCollectorResults(db, 1, rows));
    EXPECT_EQ(unitResults(1, 0, 1), (QVariantList{9.0, 9.0, 9.0, 9.0}));
}
