// The delete form over the running program: the confirmation it asks, the
// rows a yes removes, and that each delete needs a fresh choice.
#include "../app/MainWindowFixture.h"
#include "boravest/app/U3.h"
#include "boravest/sidejobs/U16.h"

#include <QLabel>

namespace {

class U16Test : public testsupport::MainWindowFixture {
protected:
    QStringList questions;
    bool answerYes = true;

    void SetUp() override
    {
        MainWindowFixture::SetUp();
        auto &db = *DM1->Database1;
        db.exec(QStringLiteral("insert into Bank1 (SHPROJE, NAME) values (7, 'a')"));
        for (double unit : {1, 2}) {
            db.exec(QStringLiteral("insert into bankvh (Shproje,Shsk,Tabage,Shvahed) values (7,7,2,?)"), {unit});
            db.exec(QStringLiteral("insert into bankfz (Shproje,Shsk,Tabage,Shvahed,Faza,Codefaza) values (7,7,2,?,'x',5)"),
                    {unit});
            db.exec(QStringLiteral("insert into bankjd (Shproje,Shsk,Tabage,Shvahed,CodeFaza) values (7,7,2,?,5)"), {unit});
        }
        onModal = [this](QWidget *w) {
            if (w == Form3) {
                questions << Form3->Mode + QLatin1Char('|') +
                                 testsupport::part<QLabel>(Form3, "Label2")->text();
                Form3->Confirmed = answerYes;
            }
            return 0;
        };
    }
    int rows(const char *table)
    {
        return DM1->Database1->select(QStringLiteral("select count(*) from %1").arg(QLatin1String(table)))
            .rows[0][0]
            .toInt();
    }
    void chooseUnit(double unit)
    {
        ASSERT_TRUE(DM1->Table3->locate(QStringLiteral("Shproje;Tabage;Shvahed"), {7, 2, unit}));
        Form16->GridCellClick(2);
    }
};

const QString kAsk = QStringLiteral("Delete|آيابراي حذف مطمئنيد!؟");

} // namespace

TEST_F(U16Test, UnitDeleteAsksFirstAndWaitsForAFreshChoice)
{
    choose("N14");
    // Nothing chosen yet: no question.
    Form16->Label4Click();
    EXPECT_TRUE(questions.isEmpty());

    chooseUnit(2);
    answerYes = false;
    Form16->Label4Click();
    EXPECT_EQ(questions, QStringList{kAsk});
    EXPECT_EQ(rows("bankjd"), 2);

    answerYes = true;
    Form16->Label4Click();
    EXPECT_EQ(rows("bankvh"), 1);
    EXPECT_EQ(rows("bankfz"), 1);
    EXPECT_EQ(rows("bankjd"), 1);
    EXPECT_EQ(DM1->Database1->select(QStringLiteral("select Shvahed from bankfz")).rows[0][0].toDouble(), 1.0);
    // The cursor moved on: the next delete needs a new click in the grid.
    EXPECT_FALSE(Form16->ui->Label4->isEnabled());
    Form16->Label4Click();
    EXPECT_EQ(questions.size(), 2);
}

TEST_F(U16Test, AClickInAnotherGridOrAnEmptyLevelAsksNothing)
{
    choose("N16"); // space level
    Form16->GridCellClick(2);
    EXPECT_FALSE(Form16->ui->Label4->isEnabled());
    DM1->Database1->exec(QStringLiteral("delete from bankfz"));
    DM1->Table4->refresh();
    Form16->GridCellClick(3);
    Form16->Label4Click();
    EXPECT_TRUE(questions.isEmpty());
    // Leaving puts the exit question back.
    Form16->Label6Click();
    EXPECT_TRUE(Form3->Mode.isEmpty());
}
