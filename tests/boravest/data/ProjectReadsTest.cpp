// Reads of a project kept while a scope is alive: read once inside it, per
// project, and never after it ends.
#include "boravest/data/CollectorsStore.h"
#include "boravest/data/ProjectReads.h"
#include "StoreFixture.h"
#include "boravest/sizing/BuildingLoad.h"

namespace {

class ProjectReadsTest : public StoreFixture {
protected:
    void SetUp() override
    {
        StoreFixture::SetUp();
        for (double p : {1.0, 2.0}) {
            db.exec(QStringLiteral("INSERT INTO Bank1 (SHPROJE, Ga, Tg) VALUES (?, 1, 50)"), {p});
            db.exec(QStringLiteral("INSERT INTO bankvh (Shproje, Shsk, Tabage, Shvahed, T_Rz) VALUES (?, ?, 1, 1, 1)"),
                    {p, p});
            db.exec(QStringLiteral("INSERT INTO bankfz (Shproje, Shsk, Tabage, Shvahed, Codefaza, Ti_) "
                                   "VALUES (?, ?, 1, 1, 1, 70)"),
                    {p, p});
            db.exec(QStringLiteral("INSERT INTO bankjd (Shproje, Shsk, Tabage, Shvahed, CodeFaza, Jedare, Id_jedar, "
                                   "Id_njedar, Id_gjedar, Masa1, To_, Z_1) VALUES (?, ?, 1, 1, 1, 'w', 0, 1, 1, ?, -30, 0.5)"),
                    {p, p, 100 * p});
        }
    }
    void setWallArea(double p, double area)
    {
        db.exec(QStringLiteral("UPDATE bankjd SET Masa1 = ? WHERE Shproje = ?"), {area, p});
    }
    // The wall area as the collector reader and the heat load see it
    // (50 Btu/h a sq.ft).
    std::pair<double, double> seen(double p)
    {
        const bv::data::CollectorProject c = bv::data::readCollectorUnits(db, p);
        return {c.units.at(0).unit.spaces.at(0).surfaces.at(0).Masa1, bv::sizing::buildingHeatLoadOf(db, p) / 50};
    }
};

TEST_F(ProjectReadsTest, KeptPerProjectWhileTheScopeLivesAndReadAfreshAfterIt)
{
    using Seen = std::pair<double, double>;
    EXPECT_EQ(seen(1), Seen(100, 100));
    setWallArea(1, 110);
    EXPECT_EQ(seen(1), Seen(110, 110)); // no scope: every read goes to the tables
    {
        bv::data::ProjectReadScope scope(db);
        EXPECT_EQ(seen(1), Seen(110, 110));
        setWallArea(1, 120);
        setWallArea(2, 220);
        EXPECT_EQ(seen(1), Seen(110, 110)); // read once in the scope
        EXPECT_EQ(seen(2), Seen(220, 220)); // each project on its own
        {
            bv::data::ProjectReadScope inner(db); // joins the outer one
            EXPECT_EQ(seen(1), Seen(110, 110));
        }
        pf::db::Database other;
        EXPECT_EQ(bv::data::ProjectReadScope::active(other), nullptr);
        EXPECT_EQ(seen(1), Seen(110, 110));
    }
    EXPECT_EQ(bv::data::ProjectReadScope::active(db), nullptr);
    EXPECT_EQ(seen(1), Seen(120, 120)); // the next run sees the change
}

// The rows come in the order they were stored, whatever order the tables'
// indexes keep them in.
TEST_F(ProjectReadsTest, ChainRowsComeInStoredOrder)
{
    const double codes[] = {5, 2, 9, 1, 7};
    for (double c : codes) {
        db.exec(QStringLiteral("INSERT INTO bankfz (Shproje, Shsk, Tabage, Shvahed, Codefaza) VALUES (3, 3, 2, 1, ?)"),
                {c});
        db.exec(QStringLiteral("INSERT INTO bankjd (Shproje, Shsk, Tabage, Shvahed, CodeFaza, Jedare, Id_jedar) "
                               "VALUES (3, 3, 2, 1, ?, 'w', ?)"),
                {c, 4 - c / 10});
    }
    const auto chain = bv::data::readProjectChain(db, 3);
    ASSERT_EQ(chain->spaces.size(), std::size(codes));
    ASSERT_EQ(chain->surfaces.size(), std::size(codes));
    for (size_t i = 0; i < std::size(codes); ++i) {
        EXPECT_EQ(chain->spaces[i].Codefaza.number, codes[i]);
        EXPECT_EQ(chain->surfaces[i].CodeFaza.number, codes[i]);
        if (i > 0) {
            EXPECT_LT(chain->spaces[i - 1].No, chain->spaces[i].No);
        }
    }
}

// Two floor-and-unit rows with one key both list the spaces under it.
TEST_F(ProjectReadsTest, SpacesOfUnitsWithOneKeyReachEach)
{
    db.exec(QStringLiteral("INSERT INTO bankvh (Shproje, Shsk, Tabage, Shvahed, T_Rz) VALUES (1, 1, 1, 1, 1)"));
    const bv::data::CollectorProject c = bv::data::readCollectorUnits(db, 1);
    ASSERT_EQ(c.units.size(), 2u);
    for (const auto &u : c.units) {
        ASSERT_EQ(u.unit.spaces.size(), 1u);
        ASSERT_EQ(u.unit.spaces[0].surfaces.size(), 1u);
        EXPECT_EQ(u.unit.spaces[0].surfaces[0].Masa1, 100);
    }
    EXPECT_EQ(bv::sizing::buildingHeatLoadOf(db, 1), 2 * 100 * 50);
}

// The details of each master, in the details' own order, whether or not
// they come in the order of their keys.
TEST(DetailRuns, FindEachMastersDetailsInTheirOwnOrder)
{
    struct Case {
        std::vector<int> masters, details;
        std::vector<std::vector<int>> expected; // detail indexes per master
    };
    const Case cases[] = {
        {{1, 2, 3}, {1, 1, 2, 3, 3}, {{0, 1}, {2}, {3, 4}}},
        {{3, 1, 2}, {2, 3, 1, 3, 2}, {{1, 3}, {2}, {0, 4}}},
        {{1, 2}, {2, 2, 5}, {{}, {0, 1}}},
    };
    const auto key = [](int v) { return std::array<bv::data::KeyValue, 2>{{{1, false}, {double(v), false}}}; };
    for (const Case &c : cases) {
        const bv::data::DetailRuns runs = bv::data::matchDetails<2>(bv::data::KeyRule::NumbersWithoutProject,
                                                                      c.masters, key, c.details, key);
        for (size_t m = 0; m < c.masters.size(); ++m) {
            std::vector<int> found;
            for (int k = runs.runs[m].first; k < runs.runs[m].second; ++k)
                found.push_back(runs.order[size_t(k)]);
            EXPECT_EQ(found, c.expected[m]) << "master " << c.masters[m];
        }
    }
}

} // namespace
