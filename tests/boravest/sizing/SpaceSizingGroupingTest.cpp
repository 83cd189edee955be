// Spaces and surfaces read for the per-space sizings reach their own unit
// and space only, in stored order, however the rows are interleaved.
#include "boravest/data/StoreFixture.h"
#include "boravest/sizing/SpaceSizing.h"

using namespace bv::sizing;

TEST_F(StoreFixture, SizingProjectSpacesAndSurfacesStayWithTheirOwnUnit)
{
    db.exec(QStringLiteral("insert into bankvh (Shproje,Shsk,Tabage,Shvahed) values (7,7,0,1),(7,7,0,2),(7,9,0,1)"));
    // The same space code in three units, their rows interleaved.
    db.exec(QStringLiteral("insert into bankfz (Shproje,Shsk,Tabage,Shvahed,Faza,Codefaza) values "
                           "(7,7,0,2,'b1',1),(7,7,0,1,'a1',1),(7,9,0,1,'c1',1),(7,7,0,1,'a2',2),(7,7,0,2,'b2',2)"));
    db.exec(QStringLiteral("insert into bankjd (Shproje,Shsk,Tabage,Shvahed,CodeFaza,Jedare,Masa1) values "
                           "(7,7,0,1,1,'x',10),(7,7,0,2,1,'x',20),(7,7,0,1,2,'x',30),(7,7,0,1,1,'x',11),"
                           "(7,9,0,1,1,'x',40)"));
    const auto units = loadSizingUnits(db, 7);
    ASSERT_EQ(units.size(), 3u);
    const struct {
        std::size_t unit;
        std::vector<std::pair<const char *, std::vector<double>>> spaces;
    } expected[] = {
        {0, {{"a1", {10, 11}}, {"a2", {30}}}},
        {1, {{"b1", {20}}, {"b2", {}}}},
        {2, {{"c1", {40}}}},
    };
    for (const auto &e : expected) {
        const SizingUnit &u = units[e.unit];
        ASSERT_EQ(u.spaces.size(), e.spaces.size()) << e.unit;
        for (std::size_t i = 0; i < e.spaces.size(); ++i) {
            EXPECT_EQ(u.spaces[i].Faza, QString::fromLatin1(e.spaces[i].first));
            std::vector<double> areas;
            for (const auto &s : u.spaces[i].row.surfaces)
                areas.push_back(s.Masa1);
            EXPECT_EQ(areas, e.spaces[i].second) << e.spaces[i].first;
        }
    }
}
