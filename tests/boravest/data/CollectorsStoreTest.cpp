// Reading the unit rows of a project and writing the collector results back.
#include "boravest/data/CollectorsStore.h"
#include "StoreFixture.h"
#include "boravest/sizing/Collectors.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

class CollectorsStoreTest : public StoreFixture {
protected:
    void SetUp() override
    {
        StoreFixture::SetUp();
        exec("INSERT INTO Bank1 (SHPROJE, Ga, Tg) VALUES (1, 1, 50), (2, 1, 50)");
        // Rows of project 1 (floor 1 first) and of project 2, all holding results of an earlier run.
        exec("INSERT INTO bankvh (Shproje, Shsk, Tabage, Shvahed, T_Rz, Q_Vahed, GP, Col, Row) VALUES "
             "(1, 1, 1, 1, 1, 9, 9, 9, 9), (1, 1, 0, 1, 2, 9, 9, 9, 9), (1, 1, 1, 2, 0, 9, 9, 9, 9), "
             "(2, 2, 0, 1, 1, 9, 9, 9, 9)");
        // Spaces behind one external south wall each: 50 Btu/h per sq.ft.
        space(0, 1, 1, 1200), space(0, 1, 2, 800), space(1, 1, 1, 600), space(1, 2, 1, 1000);
    }

    void exec(const char *sql, const QVariantList &binds = {}) { db.exec(QString::fromUtf8(sql), binds); }
    void space(double floor, double unit, double code, double wallArea)
    {
        exec("INSERT INTO bankfz (Shproje, Shsk, Tabage, Shvahed, Codefaza, Ti_) VALUES (1, 1, ?, ?, ?, 70)",
             {floor, unit, code});
        exec("INSERT INTO bankjd (Shproje, Shsk, Tabage, Shvahed, CodeFaza, Jedare, Id_jedar, Id_njedar, Id_gjedar, "
             "Masa1, To_, Z_1) VALUES (1, 1, ?, ?, ?, 'ديوار', 0, 1, 1, ?, -30, 0.5)",
             {floor, unit, code, wallArea});
    }
    QVariantList results(double project, double floor, double unit)
    {
        const auto r = db.select(QStringLiteral("SELECT Q_Vahed, GP, Col, \"Row\" FROM bankvh WHERE Shproje = ? "
                                                "AND Tabage = ? AND Shvahed = ?"), {project, floor, unit});
        const QVector<QVariant> row = r.rows.value(0);
        return QVariantList(row.begin(), row.end());
    }
};

} // namespace

TEST_F(CollectorsStoreTest, ReadSizeAndStoreAProject)
{
    const bv::data::CollectorProject p = bv::data::readCollectorUnits(db, 1);
    ASSERT_EQ(p.units.size(), 3u); // floor 0 first, with its two spaces
    EXPECT_EQ(std::pair(p.units[0].unit.Tabage, p.units[0].unit.spaces.size()), std::pair(0.0, std::size_t(2)));

    bv::sizing::CollectorsInputs in;
    in.units = p.units, in.site = p.site, in.EkhtDama = 20, in.OfteFeshar = 1, in.Typ_MAM = 2;
    bv::data::storeCollectorResults(db, 1, bv::sizing::collectorStoreRows(bv::sizing::sizeCollectors(in)));
    EXPECT_EQ(results(1, 0, 1), (QVariantList{100000.0, 10.0, 4.0, 2.0})); // 2 risers of 5.002 gpm
    EXPECT_EQ(results(1, 1, 1), (QVariantList{30000.0, 3.0, 3.0, 2.0}));
    for (const QVariant &v : results(1, 1, 2)) // no risers: the old results are cleared
        EXPECT_TRUE(v.isNull());
    EXPECT_EQ(results(2, 0, 1), (QVariantList{9.0, 9.0, 9.0, 9.0}));
}

TEST_F(CollectorsStoreTest, AFailedWriteLeavesEveryRowAsItWas)
{
    std::vector<bv::data::CollectorStoreRow> rows;
    for (const auto &u : bv::data::readCollectorUnits(db, 1).units)
        rows.push_back({u.No, true, 1, 1, 1, 1});
    db.exec(QStringLiteral("CREATE TEMP TRIGGER refuse BEFORE UPDATE ON %1 WHEN new.\"No\" = %2 "
                           "BEGIN SELECT RAISE(ABORT, 'refused'); END")
                .arg(db.attachTable(QStringLiteral("bankvh.DB")))
                .arg(rows.back().No));
    EXPECT_ANY_THROW(bv::data::storeCollectorResults(db, 1, rows));
    EXPECT_EQ(results(1, 0, 1), (QVariantList{9.0, 9.0, 9.0, 9.0}));
}
