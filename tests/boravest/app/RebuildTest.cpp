// The data rebuild: the secondary indexes of the floor and unit, space and
// surface tables are made again, from the menu with its completion message
// and quietly from the side-job forms; a table another program holds keeps
// the indexes it had.
#include "MainWindowFixture.h"

#include "boravest/app/U3.h"
#include "boravest/sidejobs/U16.h"
#include "boravest/sidejobs/Ureport2.h"

#include <QLabel>

using testsupport::RawFile;

namespace {

const QString kDone = QStringLiteral(".بازسازي داده ها انجام شد");

QStringList expectedVh()
{
    return {QStringLiteral("IDXVH(shproje;shsk;shvahed)"), QStringLiteral("IPSTV(shproje;shsk;tabage;shvahed)"),
            QStringLiteral("IPT(shproje;tabage)"), QStringLiteral("ISHP(shproje)"), QStringLiteral("ISHS(shproje;shsk)")};
}
QStringList expectedFz()
{
    return {QStringLiteral("IDXFZ(shproje;shsk;shvahed;codefaza)"), QStringLiteral("IDXFZ1(shproje;shsk;shvahed)"),
            QStringLiteral("IFz(faza)"), QStringLiteral("IPSTV(shproje;shsk;tabage;shvahed)"),
            QStringLiteral("IPSTVF(shproje;shsk;tabage;shvahed;codefaza)")};
}
QStringList expectedJd()
{
    return {QStringLiteral("IDXJD1(shproje;shsk;tabage;shvahed;codefaza;id_jedar;id_njedar;id_gjedar)"),
            QStringLiteral("IDXJEDAR(shproje;shsk;shvahed;codefaza)"),
            QStringLiteral("IPSTVF(shproje;shsk;tabage;shvahed;codefaza)")};
}

class RebuildTest : public testsupport::MainWindowFixture {
protected:
    // Spoils the index sets the way an interrupted program or another tool
    // might: one index missing and one stray index in each table.
    void spoil()
    {
        RawFile vh(tableFile(QStringLiteral("bankvh.DB")));
        ASSERT_TRUE(vh.exec("DROP INDEX IPT; CREATE INDEX Stray ON bankvh (Sf)"));
        RawFile fz(tableFile(QStringLiteral("bankfz.DB")));
        ASSERT_TRUE(fz.exec("DROP INDEX IFz; CREATE INDEX Stray ON bankfz (Radiat)"));
        RawFile jd(tableFile(QStringLiteral("bankjd.DB")));
        ASSERT_TRUE(jd.exec("DROP INDEX IPSTVF; CREATE INDEX Stray ON bankjd (Masa1)"));
    }
    QStringList indexesOf(const char *file) { return RawFile(tableFile(QString::fromLatin1(file))).indexes(); }
    void expectExactSets()
    {
        EXPECT_EQ(indexesOf("bankvh.DB"), expectedVh());
        EXPECT_EQ(indexesOf("bankfz.DB"), expectedFz());
        EXPECT_EQ(indexesOf("bankjd.DB"), expectedJd());
    }
};

} // namespace

TEST_F(RebuildTest, FromTheMenuRemakesExactlyTheIndexSetAndSaysSoOnce)
{
    DM1->Table1->open();
    DM1->Table3->open();
    DM1->Table4->open();
    DM1->Table5->open();
    spoil();
    choose("N19");
    expectExactSets();
    EXPECT_EQ(testsupport::takeMessages(), QStringList{kDone});
    EXPECT_FALSE(RebuildFromMenu);
    // The tables and the database stay closed until a form needs them.
    EXPECT_FALSE(DM1->Table1->active());
    EXPECT_FALSE(DM1->Table3->active());
    EXPECT_FALSE(DM1->Table5->active());
    EXPECT_FALSE(DM1->Database1->connected());
    // The rebuilt indexes serve the chain again.
    DM1->Database1->exec(QStringLiteral("insert into bankvh (Shproje,Shsk,Tabage,Shvahed) values (1,1,2,1)"));
    DM1->Table3->setIndexName(QStringLiteral("IPT"));
    DM1->Table3->open();
    EXPECT_TRUE(DM1->Table3->findKey({1, 2}));
    // Rebuilding again changes nothing and says so again, once.
    choose("N19");
    expectExactSets();
    EXPECT_EQ(testsupport::takeMessages(), QStringList{kDone});
}

TEST_F(RebuildTest, SideJobFormsRebuildQuietly)
{
    // Leaving the delete form (which opened its tables when it showed).
    Form3->Mode = QStringLiteral("Delete");
    testsupport::part<QLabel>(Form3, "Label2")->setText(QStringLiteral("آيابراي حذف مطمئنيد!؟"));
    choose("N12");
    ASSERT_TRUE(Form16->isVisible());
    spoil();
    Form16->Label6Click();
    expectExactSets();
    EXPECT_TRUE(testsupport::takeMessages().isEmpty());
    EXPECT_TRUE(Form3->Mode.isEmpty());
    EXPECT_EQ(testsupport::part<QLabel>(Form3, "Label2")->text(), TForm3::exitQuestion());
    EXPECT_FALSE(Form16->isVisible());
    // The main window becomes active again and opens the database.
    EXPECT_FALSE(DM1->Database1->connected());
    QCoreApplication::processEvents();
    EXPECT_TRUE(DM1->Database1->connected());

    // Closing the copy, backup and restore form after a copy was started,
    // however it is closed.
    spoil();
    Form17->show();
    Form17->CopyAttempted = true;
    Form17->close();
    expectExactSets();
    EXPECT_TRUE(testsupport::takeMessages().isEmpty());
    spoil();
    choose("N8"); // shown through the hook: the form closes itself
    Form17->CopyAttempted = true;
    Form17->FormClose();
    expectExactSets();
    EXPECT_TRUE(testsupport::takeMessages().isEmpty());

    // A quiet rebuild leaves no flag behind for the next one.
    choose("N19");
    EXPECT_EQ(testsupport::takeMessages(), QStringList{kDone});
}

TEST_F(RebuildTest, ATableHeldByAnotherProgramKeepsItsIndexes)
{
    spoil();
    const QStringList fzBefore = indexesOf("bankfz.DB");
    const QStringList jdBefore = indexesOf("bankjd.DB");
    {
        // Another program reads the space table and keeps its transaction
        // open: the rebuild may change the file but cannot commit.
        RawFile other(tableFile(QStringLiteral("bankfz.DB")));
        ASSERT_TRUE(other.exec("BEGIN; SELECT count(*) FROM bankfz;"));
        choose("N19");
        const QStringList messages = testsupport::takeMessages();
        ASSERT_EQ(messages.size(), 1);
        EXPECT_NE(messages[0], kDone); // the engine's own message, not success
        EXPECT_FALSE(RebuildFromMenu);
        EXPECT_FALSE(DM1->Database1->connected());
        other.exec("COMMIT");
    }
    // The table before it was rebuilt; the held one is exactly as it was
    // (no index lost, none added); the one after it was not touched.
    EXPECT_EQ(indexesOf("bankvh.DB"), expectedVh());
    EXPECT_EQ(indexesOf("bankfz.DB"), fzBefore);
    EXPECT_EQ(indexesOf("bankjd.DB"), jdBefore);

    // Once the other program lets go, the rebuild completes.
    choose("N19");
    expectExactSets();
    EXPECT_EQ(testsupport::takeMessages(), QStringList{kDone});
}
