// The data module over a fresh data folder: the chain, the calculated and
// lookup fields, and the installed layout.
#include "boravest/data/TableSchemas.h"
#include "boravest/data/UnitDm.h"
#include "../ProgramGlobals.h"

#include <QDir>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

class DataModuleTest : public ::testing::Test {
protected:
    QTemporaryDir dir;
    std::unique_ptr<TDM1> dm;

    void SetUp() override
    {
        testsupport::resetProgramGlobals();
        pf::db::Session::addPassword(QStringLiteral("38617"));
        schema::createDataFolder(dir.path());
        dm = std::make_unique<TDM1>();
        dm->Database1->setDirectory(dir.path());
        dm->Database1->open();
    }
    void exec(const QString &sql, const QVariantList &b = {}) { dm->Database1->exec(sql, b); }
    void surface(const char *jedare, int kind, int state, int dir, double m1, double m2, double z1, double z2)
    {
        exec(QStringLiteral("insert into bankjd (Shproje,Shsk,Tabage,Shvahed,CodeFaza,Jedare,Id_jedar,Id_njedar,"
                            "Id_gjedar,Masa1,Masa2,Z_1,Z_2) values (1,1,0,1,1,?,?,?,?,?,?,?,?)"),
             {QString::fromUtf8(jedare), kind, state, dir, m1, m2, z1, z2});
    }
};

} // namespace

TEST_F(DataModuleTest, EveryTableFileIsLaidOutWithSettingsRows)
{
    EXPECT_EQ(schema::tableDef(QStringLiteral("tajhizat.db"))->fields.size(), 144);
    for (const auto &t : schema::dataFolderTables())
        EXPECT_FALSE(dm->Database1->findTableFile(t.fileName).isEmpty()) << t.fileName.toStdString();
    dm->Table16->open();
    EXPECT_EQ(dm->Table16->recordCount(), 1);
    EXPECT_EQ(dm->Table16->fieldByName(QStringLiteral("FldMenu_R")).asInteger(), 9737861);
    dm->Table1->open();
    EXPECT_TRUE(dm->Table1->isEmpty());
    EXPECT_EQ(dm->Database1->indexNames(QStringLiteral("bankfz.DB")),
              (QStringList{"IDXFZ", "IDXFZ1", "IFz", "IPSTV", "IPSTVF"}));
}

TEST_F(DataModuleTest, ChainFollowsProjectUnitSpaceSurface)
{
    exec(QStringLiteral("insert into Bank1 (SHPROJE, NAME, SHAHR) values (1, 'p1', 'tehran'), (2, 'p2', 'x')"));
    exec(QStringLiteral("insert into bankvh (Shproje,Shsk,Tabage,Shvahed) values (1,1,0,1),(1,1,21,1),(2,2,-6,1)"));
    exec(QStringLiteral("insert into bankfz (Shproje,Shsk,Tabage,Shvahed,Faza,Codefaza,E_Hav,Te_Hav) values "
                        "(1,1,0,1,'a',1,0,0),(1,1,21,1,'b',2,0,2),(2,2,-6,1,'c',3,1,0)"));
    exec(QStringLiteral("insert into faza (Faza) values ('اتاق خواب طبقه بالا'), ('b')"));
    surface("ديوار", 0, 1, 0, 100, 0, 0.3, 0);
    dm->Table1->open();
    dm->Table3->open();
    dm->Table4->open();
    dm->Table5->open();
    EXPECT_EQ(dm->Table3->recordCount(), 2);
    EXPECT_EQ(dm->Table3->fieldByName(QStringLiteral("NameT")).asString(), QStringLiteral("همكف"));
    EXPECT_EQ(dm->Table4->fieldByName(QStringLiteral("Star")).asString(), QStringLiteral(" "));
    EXPECT_EQ(dm->Table5->recordCount(), 1);
    EXPECT_EQ(dm->Table5->fieldByName(QStringLiteral("ZaribJ")).asFloat(), 1.10);
    EXPECT_EQ(dm->Table5->fieldByName(QStringLiteral("NameFaza")).asString(), QStringLiteral("اتاق خواب طبقه "));
    dm->Table3->next();
    EXPECT_EQ(dm->Table3->fieldByName(QStringLiteral("NameT")).asString(), QString::fromUtf8("بيست\u200Cويكم"));
    EXPECT_EQ(dm->Table4->fieldByName(QStringLiteral("Faza")).asString(), QStringLiteral("b"));
    EXPECT_EQ(dm->Table4->fieldByName(QStringLiteral("Star")).asString(), QStringLiteral("*")); // fans by count
    EXPECT_TRUE(dm->Table5->isEmpty());
    dm->Table1->next();
    EXPECT_EQ(dm->Table3->fieldByName(QStringLiteral("NameT")).asString(), QStringLiteral("-6"));
    EXPECT_EQ(dm->Table4->fieldByName(QStringLiteral("Star")).asString(), QStringLiteral("*"));

    dm->Query1->open();
    EXPECT_EQ(dm->Query1->recordCount(), 3);
    EXPECT_EQ(dm->Query1->fieldByName(QStringLiteral("Shahr")).asString(), QStringLiteral("tehran"));
}

TEST_F(DataModuleTest, SurfaceCalculatedFieldsFollowTheStoredWords)
{
    exec(QStringLiteral("insert into Bank1 (SHPROJE) values (1)"));
    exec(QStringLiteral("insert into bankvh (Shproje,Shsk,Tabage,Shvahed) values (1,1,0,1)"));
    exec(QStringLiteral("insert into bankfz (Shproje,Shsk,Tabage,Shvahed,Faza,Codefaza) values (1,1,0,1,'a',1)"));
    surface("سقف", 3, 1, 1, 100.4, 80.6, 0.2, 0.5); // false ceiling
    surface("سقف", 3, 1, 2, 100.4, 80.6, 0.2, 0.5); // odd code keeps Masa1
    surface("كف", 4, 0, 0, 50, 20, 0.1, 0);
    surface("پنجره", 1, 1, 5, 20, 0, 1.1, 0);
    dm->Table1->open();
    dm->Table3->open();
    dm->Table4->open();
    dm->Table5->setIndexName(QStringLiteral("IDXJD1"));
    dm->Table5->open();
    ASSERT_EQ(dm->Table5->recordCount(), 4);
    // Ordered by kind: window, roof (1), roof (2), floor.
    EXPECT_EQ(dm->Table5->fieldByName(QStringLiteral("Ngjedar")).asString(), QStringLiteral("شمال غربي"));
    EXPECT_EQ(dm->Table5->fieldByName(QStringLiteral("Dv_gJedar")).asInteger(), 5);
    dm->Table5->next();
    EXPECT_EQ(dm->Table5->fieldByName(QStringLiteral("Ngjedar")).asString(), QStringLiteral("كاذب"));
    EXPECT_EQ(dm->Table5->fieldByName(QStringLiteral("Mmasa")).asInteger(), 81);
    EXPECT_EQ(dm->Table5->fieldByName(QStringLiteral("Z_z")).asFloat(), 0.5);
    dm->Table5->next();
    EXPECT_EQ(dm->Table5->fieldByName(QStringLiteral("Ngjedar")).asString(), QString());
    EXPECT_EQ(dm->Table5->fieldByName(QStringLiteral("Mmasa")).asInteger(), 100);
    EXPECT_EQ(dm->Table5->fieldByName(QStringLiteral("Z_z")).asFloat(), 0.2);
    dm->Table5->next();
    EXPECT_EQ(dm->Table5->fieldByName(QStringLiteral("Nnjedar")).asString(), QStringLiteral("متصل به زمين"));
    // Fields recompute while a record is edited.
    dm->Table5->edit();
    dm->Table5->fieldByName(QStringLiteral("Id_njedar")).setAsInteger(1);
    EXPECT_EQ(dm->Table5->fieldByName(QStringLiteral("Nnjedar")).asString(), QStringLiteral("منفصل از زمين"));
    dm->Table5->cancel();
}
