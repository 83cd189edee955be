// Two programs on one data folder: program A through the data module's
// chain, program B through a connection of its own. A save never leaves a
// row without its owner and never writes over B's change from an old copy.
#include "boravest/data/Stores.h"
#include "boravest/data/TableSchemas.h"
#include "boravest/data/UnitDm.h"
#include "../ProgramGlobals.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

QString changedMessage(const char *file)
{
    return QStringLiteral("ركوردي از جدول %1 را برنامه ديگري تغيير داده يا حذف كرده است").arg(QLatin1String(file));
}

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
        a->Database1->open();
        b.setDirectory(dir.path());
        b.open();
        fill();
    }
    // Project 1, its unit row, a space of 152 sq.ft by 9 ft and a wall, all
    // shown by A.
    void fill()
    {
        for (pf::db::Table *t : {a->Table1, a->Table3, a->Table4, a->Table5, a->Table12})
            t->close();
        b.exec(QStringLiteral("delete from bankjd; delete from bankfz; delete from bankvh; delete from Bank1; "
                              "delete from Tajhizat"));
        b.exec(QStringLiteral("insert into Bank1 (SHPROJE, NAME) values (1, 'p')"));
        b.exec(QStringLiteral("insert into bankvh (Shproje,Shsk,Tabage,Shvahed,Ertefa) values (1,1,0,1,9)"));
        b.exec(QStringLiteral("insert into bankfz (Shproje,Shsk,Tabage,Shvahed,Faza,Codefaza,A_,Ertefa,V_) values "
                              "(1,1,0,1,'a',1,152,9,1368)"));
        b.exec(QStringLiteral("insert into bankjd (Shproje,Shsk,Tabage,Shvahed,CodeFaza,Id_jedar) values (1,1,0,1,1,0)"));
        for (pf::db::Table *t : {a->Table1, a->Table3, a->Table4, a->Table5, a->Table12})
            t->open();
    }
    int count(const QString &table)
    {
        return b.select(QStringLiteral("select count(*) from ") + table).rows[0][0].toInt();
    }
    // A's space saved as the spaces page saves it.
    void saveSpace(const std::function<void()> &change)
    {
        bv::data::stores::saveSpace(*a->Database1, {{1, 1.0, 0, 1}, std::nullopt, 1, QStringLiteral("a"), 70}, [&] {
            change();
            pf::db::Table *t = a->Table4;
            t->fieldByName(QStringLiteral("V_")).setAsFloat(t->fieldByName(QStringLiteral("A_")).asFloat() *
                                                           t->fieldByName(QStringLiteral("Ertefa")).asFloat());
            t->post();
        });
    }
};

} // namespace

TEST_F(SecondProgramTest, NewRowWhoseOwnerAnotherProgramDeletedIsRefused)
{
    struct Case {
        const char *what;
        pf::db::Table *TDM1::*table;
        const char *file;
        const char *deletes; // B's delete between New and Save; empty: none
    };
    const Case cases[] = {
        {"space, project deleted", &TDM1::Table4, "bankfz.DB",
         "delete from bankjd; delete from bankfz; delete from bankvh; delete from Bank1"},
        {"space, its unit row deleted", &TDM1::Table4, "bankfz.DB", "delete from bankvh"},
        {"surface, project deleted", &TDM1::Table5, "bankjd.DB",
         "delete from bankjd; delete from bankfz; delete from bankvh; delete from Bank1"},
        {"surface, its space deleted", &TDM1::Table5, "bankjd.DB", "delete from bankfz"},
        {"unit row, project deleted", &TDM1::Table3, "bankvh.DB", "delete from Bank1"},
        {"equipment record, project deleted", &TDM1::Table12, "Tajhizat.DB", "delete from Bank1"},
        {"space, nothing deleted", &TDM1::Table4, "bankfz.DB", ""},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.what);
        pf::db::Table *t = (*a).*(c.table);
        const QString table = QString::fromLatin1(c.file).section(QLatin1Char('.'), 0, 0);
        t->append();
        t->fieldByName(QStringLiteral("Shproje")).setAsFloat(1);
        if (*c.deletes)
            b.exec(QString::fromLatin1(c.deletes));
        const int left = count(table);
        if (*c.deletes) {
            try {
                t->post();
                ADD_FAILURE() << "stored";
            } catch (const pf::db::DbError &e) {
                EXPECT_EQ(e.message(), changedMessage(c.file));
            }
            EXPECT_EQ(count(table), left); // nothing written
            t->cancel();
        } else {
            t->post();
            EXPECT_EQ(count(table), left + 1);
        }
        fill();
    }
}

TEST_F(SecondProgramTest, SaveFromACopyOlderThanAnotherProgramsChangeIsRefused)
{
    struct Case {
        const char *what;
        bool editFirst;     // A's edit began before the other write
        bool otherProgram;  // B wrote; else A's own connection (a store's result)
    };
    const Case cases[] = {
        {"B saved the area while A was editing the height", true, true},
        {"B saved the area after A read the row, before A's edit", false, true},
        {"A's own result write meanwhile is no conflict", false, false},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.what);
        pf::db::Database &writer = c.otherProgram ? b : *a->Database1;
        pf::db::Table *t = a->Table4;
        t->refresh();
        if (c.editFirst)
            t->edit();
        if (c.otherProgram)
            writer.exec(QStringLiteral("update bankfz set A_ = 200, V_ = 1800"));
        else
            writer.exec(QStringLiteral("update bankfz set Q_room = 5"));
        t->edit();
        bool refused = false;
        try {
            saveSpace([&] { t->fieldByName(QStringLiteral("Ertefa")).setAsFloat(10); });
        } catch (const pf::db::DbError &e) {
            refused = true;
            EXPECT_EQ(e.message(), changedMessage("bankfz.DB"));
            t->cancel();
        }
        EXPECT_EQ(refused, c.otherProgram);
        // Whatever happened, what is stored is consistent.
        const auto row = b.select(QStringLiteral("select A_, Ertefa, V_ from bankfz")).rows.at(0);
        EXPECT_EQ(row[2].toDouble(), row[0].toDouble() * row[1].toDouble());
        EXPECT_EQ(row[1].toDouble(), c.otherProgram ? 9 : 10);
        if (!c.otherProgram) {
            EXPECT_EQ(b.select(QStringLiteral("select Q_room from bankfz")).rows[0][0].toDouble(), 5);
        }
        b.exec(QStringLiteral("update bankfz set A_ = 152, Ertefa = 9, V_ = 1368"));
    }
}
