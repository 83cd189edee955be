// Two programs on one data folder: A through the data module's chain, B
// through a connection of its own. A's save never leaves a row without its
// owner and never writes over B's change from an older copy.
#include "boravest/data/Stores.h"
#include "boravest/data/TableSchemas.h"
#include "boravest/data/UnitDm.h"
#include "../ProgramGlobals.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

class SecondProgramTest : public ::testing::Test {
protected:
    QTemporaryDir dir;
    std::unique_ptr<TDM1> a;
    pf::db::Database b;

    void SetUp() override
    {
        testsupport::resetProgramGlobals();
        pf::db::Session::addPassword(QStringLiteral("38617"));
        schema::createDataFolder(dir.path());
        a = std::make_unique<TDM1>();
        a->Database1->setDirectory(dir.path());
        b.setDirectory(dir.path());
        b.open();
        fill();
    }
    // Project 1, its unit row, a space of 152 sq.ft by 9 ft and a wall, as
    // A shows them.
    void fill()
    {
        a->Database1->close();
        b.exec(QStringLiteral("delete from bankjd; delete from bankfz; delete from bankvh; delete from Bank1; "
                              "delete from Tajhizat; insert into Bank1 (SHPROJE) values (1);"
                              "insert into bankvh (Shproje,Shsk,Tabage,Shvahed) values (1,1,0,1);"
                              "insert into bankfz (Shproje,Shsk,Tabage,Shvahed,Codefaza,A_,Ertefa,V_) values "
                              "(1,1,0,1,1,152,9,1368);"
                              "insert into bankjd (Shproje,Shsk,Tabage,Shvahed,CodeFaza) values (1,1,0,1,1)"));
        a->Database1->open();
        for (pf::db::Table *t : {a->Table1, a->Table3, a->Table4, a->Table5, a->Table12})
            t->open();
    }
    int count(const QString &table)
    {
        return b.select(QStringLiteral("select count(*) from ") + table).rows[0][0].toInt();
    }
};

const QString kChanged = QStringLiteral("ركوردي از جدول %1 را برنامه ديگري تغيير داده يا حذف كرده است");
const char *const kProjectDeleted = "delete from bankjd; delete from bankfz; delete from bankvh; delete from Bank1";

} // namespace

TEST_F(SecondProgramTest, NewRowWhoseOwnerAnotherProgramDeletedIsRefused)
{
    const struct {
        pf::db::Table *TDM1::*table;
        const char *table_, *deletes; // B's delete between New and Save
    } cases[] = {
        {&TDM1::Table4, "bankfz", kProjectDeleted},  {&TDM1::Table4, "bankfz", "delete from bankvh"},
        {&TDM1::Table5, "bankjd", kProjectDeleted},  {&TDM1::Table5, "bankjd", "delete from bankfz"},
        {&TDM1::Table3, "bankvh", "delete from Bank1"}, {&TDM1::Table12, "Tajhizat", "delete from Bank1"},
        {&TDM1::Table4, "bankfz", nullptr}, // nothing deleted: stored
    };
    for (const auto &c : cases) {
        const QString table = QString::fromLatin1(c.table_);
        SCOPED_TRACE(table.toStdString() + " " + (c.deletes ? c.deletes : ""));
        pf::db::Table *t = (*a).*(c.table);
        t->append();
        if (c.deletes)
            b.exec(QString::fromLatin1(c.deletes));
        const int left = count(table);
        try {
            t->post();
            EXPECT_FALSE(c.deletes);
            EXPECT_EQ(count(table), left + 1);
        } catch (const pf::db::DbError &e) {
            EXPECT_TRUE(c.deletes);
            EXPECT_EQ(e.message(), kChanged.arg(table + QStringLiteral(".DB")));
            EXPECT_EQ(count(table), left);
        }
        fill();
    }
}

TEST_F(SecondProgramTest, SaveFromACopyOlderThanAnotherProgramsChangeIsRefused)
{
    const struct {
        bool editFirst;    // A's edit of the height began before the other write
        bool otherProgram; // B saved the area; else A itself stored a result
    } cases[] = {{true, true}, {false, true}, {false, false}};
    for (const auto &c : cases) {
        SCOPED_TRACE(c.editFirst * 2 + c.otherProgram);
        pf::db::Table *t = a->Table4;
        t->refresh();
        if (c.editFirst)
            t->edit();
        (c.otherProgram ? b : *a->Database1)
            .exec(QString::fromLatin1(c.otherProgram ? "update bankfz set A_ = 200, V_ = 1800"
                                                     : "update bankfz set Q_room = 5"));
        t->edit();
        try {
            // As the spaces page saves: the volume from the record as typed.
            bv::data::stores::saveSpace(*a->Database1, {{1, 1.0, 0, 1}, std::nullopt, 1, QString(), 70}, [&] {
                t->fieldByName(QStringLiteral("Ertefa")).setAsFloat(10);
                t->fieldByName(QStringLiteral("V_")).setAsFloat(t->fieldByName(QStringLiteral("A_")).asFloat() * 10);
                t->post();
            });
            EXPECT_FALSE(c.otherProgram);
        } catch (const pf::db::DbError &e) {
            EXPECT_EQ(e.message(), kChanged.arg(QStringLiteral("bankfz.DB")));
            t->cancel();
        }
        const auto row = b.select(QStringLiteral("select A_, Ertefa, V_, Q_room from bankfz")).rows.at(0);
        EXPECT_EQ(row[2].toDouble(), row[0].toDouble() * row[1].toDouble());
        EXPECT_EQ(row[1].toDouble(), c.otherProgram ? 9 : 10);
        EXPECT_EQ(row[3].toDouble(), c.otherProgram ? 0 : 5); // A's own result kept
        b.exec(QStringLiteral("update bankfz set A_ = 152, Ertefa = 9, V_ = 1368"));
    }
}
