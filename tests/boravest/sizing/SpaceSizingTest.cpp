// A stored project read in walking order, sized and its results stored.
#include "boravest/data/StoreFixture.h"
#include "boravest/sizing/Radiators.h"

using namespace bv::sizing;

TEST_F(StoreFixture, SizingProjectReadInWalkingOrder)
{
    // Floor 1 is made before the ground floor; project 8 is not read.
    db.exec(QStringLiteral("insert into bankvh (Shproje,Shsk,Tabage,Shvahed,Sf) values (7,7,1,1,10),(7,7,0,1,0),"
                           "(8,8,0,1,0)"));
    db.exec(QStringLiteral("insert into bankfz (Shproje,Shsk,Tabage,Shvahed,Faza,Codefaza,Ti_,E_Rad,T_UH) values "
                           "(7,7,1,1,'hall',1,68,1,0),(7,7,0,1,'bath',2,68,0,2),(7,7,0,1,'wc',3,68,1,0)"));
    db.exec(QStringLiteral("insert into bankjd (Shproje,Shsk,Tabage,Shvahed,CodeFaza,Jedare,Id_jedar,Id_njedar,"
                           "Id_gjedar,Masa1,Z_1,To_) values (7,7,1,1,1,'ديوار',0,0,0,100,0.4,0),"
                           "(7,7,0,1,2,'ديوار',0,0,0,500,0.4,0)"));
    const auto units = loadSizingUnits(db, 7);
    ASSERT_EQ(units.size(), 2u);
    ASSERT_EQ(units[0].spaces.size(), 2u);
    EXPECT_EQ(units[0].spaces[0].Faza, QStringLiteral("bath"));
    EXPECT_DOUBLE_EQ(units[0].spaces[0].T_UH, 2);
    EXPECT_TRUE(units[0].spaces[1].row.surfaces.empty());
    EXPECT_DOUBLE_EQ(units[1].Sf, 10);

    // The hall loses 2720 x 1.1 = 2992 Btu/h: 7.6 sections of 600*150, so 8;
    // the wc loses nothing and its stale result is cleared.
    db.exec(QStringLiteral("update bankfz set Q_room = 5, Modelradiat = '4'"));
    bv::data::storeRadiatorResults(db, 7, radiatorStoreRows(sizeRadiators({0, 176, {}, units})));
    const auto stored = db.select(QStringLiteral("select Faza, Q_room, Modelradiat from bankfz order by No")).rows;
    EXPECT_EQ(stored[0], (QVector<QVariant>{"hall", 2992.0, "8"}));
    EXPECT_EQ(stored[1][2].toString(), QStringLiteral("4")); // not marked
    EXPECT_TRUE(stored[2][1].isNull() && stored[2][2].isNull());
}
