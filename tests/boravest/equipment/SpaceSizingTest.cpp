// A stored project of several spaces read, sized for every per-space family
// and its results stored back.
#include "boravest/data/StoreFixture.h"
#include "boravest/equipment/ExtractFans.h"
#include "boravest/equipment/Furnaces.h"
#include "boravest/equipment/Radiators.h"
#include "boravest/equipment/UnitHeaters.h"

using namespace bv::equipment;

namespace {

class SpaceSizing : public StoreFixture {
protected:
    void SetUp() override
    {
        StoreFixture::SetUp();
        // Floor 1 is made before the ground floor; two spaces share a code.
        db.exec(QStringLiteral("insert into bankvh (Shproje,Shsk,Tabage,Shvahed,Sf,Z_ertefa) values "
                               "(7,7,1,1,10,0),(7,7,0,1,0,0),(8,8,0,1,0,0)"));
        space(1, "hall", 1, "E_Rad", 1);
        space(0, "bath", 2, "T_UH", 2);
        space(0, "store", 3, "E_Kore", 1);
        space(0, "wc", 4, "Te_Hav", 1);
        wall(1, 1, 100); // hall: 100 x 0.4 x 68 x 1.1 = 2992
        wall(0, 2, 500);
        wall(0, 3, 200);
        db.exec(QStringLiteral("update bankfz set V_ = 3000, Air_ = 2, To_Mo_Hav = 100 where Faza = 'wc'"));
    }
    void space(double floor, const char *name, int code, const char *mark, double value)
    {
        db.exec(QStringLiteral("insert into bankfz (Shproje,Shsk,Tabage,Shvahed,Faza,Codefaza,Ti_,%1) "
                               "values (7,7,?,1,?,?,68,?)")
                    .arg(QLatin1String(mark)),
                {floor, QString::fromLatin1(name), code, value});
    }
    void wall(double floor, int code, double area)
    {
        db.exec(QStringLiteral("insert into bankjd (Shproje,Shsk,Tabage,Shvahed,CodeFaza,Jedare,Id_jedar,Id_njedar,"
                               "Id_gjedar,Masa1,Z_1,To_) values (7,7,?,1,?,'ديوار',0,0,0,?,0.4,0)"),
                {floor, code, area});
    }
    qint64 noOf(const char *name)
    {
        return db.select(QStringLiteral("select No from bankfz where Faza = ?"), {QString::fromLatin1(name)})
            .rows[0][0]
            .toLongLong();
    }
};

} // namespace

TEST_F(SpaceSizing, ProjectReadInWalkingOrder)
{
    const auto units = loadSizingUnits(db, 7);
    ASSERT_EQ(units.size(), 2u);
    EXPECT_DOUBLE_EQ(units[0].Tabage, 0);
    ASSERT_EQ(units[0].spaces.size(), 3u);
    EXPECT_EQ(units[0].spaces[0].Faza, QStringLiteral("bath"));
    EXPECT_DOUBLE_EQ(units[0].spaces[0].T_UH, 2);
    EXPECT_EQ(units[0].spaces[1].row.surfaces.size(), 1u);
    EXPECT_DOUBLE_EQ(units[1].Sf, 10);
    EXPECT_EQ(units[1].spaces[0].No, noOf("hall"));
    EXPECT_DOUBLE_EQ(units[1].spaces[0].row.surfaces[0].Masa1, 100);
}

TEST_F(SpaceSizing, EveryFamilyStoresItsResults)
{
    const auto units = loadSizingUnits(db, 7);
    const auto field = [&](const char *space, const char *name) { return this->field(noOf(space), name); };

    RadiatorInputs rad;
    rad.S_R_PG_R = 0;
    rad.DAbgarm = 176;
    rad.units = units;
    bv::data::storeRadiatorResults(db, 7, radiatorStoreRows(sizeRadiators(rad)));
    EXPECT_DOUBLE_EQ(field("hall", "Q_room").toDouble(), 2992); // 2720 with 10 % safety
    EXPECT_EQ(field("hall", "Modelradiat").toString(), QStringLiteral("8")); // 7.6 -> 8

    UnitHeaterInputs uh;
    uh.D_F_PG_UH = 0;
    uh.DAbgarm = 180;
    uh.TO1 = 52;
    uh.units = units;
    bv::data::storeUnitHeaterResults(db, unitHeaterStoreRows(sizeUnitHeaters(uh)));
    EXPECT_DOUBLE_EQ(field("bath", "Q_room").toDouble(), 13600);
    EXPECT_EQ(field("bath", "Modelradiat").toString(), QStringLiteral("1"));

    FurnaceInputs fu;
    fu.Rand_Kore = 80;
    fu.D_H_B_Kore = 100;
    fu.Ti1 = 68;
    fu.site.Ga = 1;
    fu.units = units;
    fu.reportMode = true;
    const auto furnace = sizeFurnace(fu);
    EXPECT_EQ(furnace.row, 1);
    bv::data::storeFurnaceResults(db, furnaceStoreRows(furnace));
    EXPECT_DOUBLE_EQ(field("store", "V_Kore").toDouble(), 136); // 5440 / (0.01805 x 60 x 37) = 135.76
    EXPECT_DOUBLE_EQ(field("hall", "V_Kore").toDouble(), 0);
    EXPECT_DOUBLE_EQ(field("hall", "Q_room").toDouble(), 2992);

    ExtractFanInputs fan;
    fan.So_Kh_H_Hav = 4000;
    fan.Oft_f_kan_Hav = 0.1;
    fan.units = units;
    bv::data::storeExtractFanResults(db, extractFanStoreRows(sizeExtractFans(fan)));
    EXPECT_DOUBLE_EQ(field("wc", "CFM_Hav").toDouble(), 100);
    EXPECT_DOUBLE_EQ(field("wc", "K_Oft_F_Hav").toDouble(), 1.1);
    EXPECT_EQ(field("wc", "Gh_Hav").toInt(), 4);
    EXPECT_EQ(field("wc", "Coun_Hav").toInt(), 1);
}
