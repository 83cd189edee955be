// The floors and units page: floor numbers with their minus sign anywhere,
// the checks of Save, the duplicate key, floor words, and a changed floor
// or unit number taking its spaces and surfaces along.
#include "PageFixture.h"

#include "boravest/app/U3.h"
#include "boravest/help/U11.h"
#include "boravest/help/U15.h"
#include "boravest/help/UHelp.h"
#include "platform/ui/ClickLabel.h"
#include "platform/ui/DbControls.h"

#include <QFrame>
#include <QLineEdit>

using namespace pagetest;

namespace {

struct FloorCase {
    QString typed;
    bool converts;
    int number;
    QString shown;
};

} // namespace

TEST(FloorNumber, MinusSignTypedAnywhere)
{
    const FloorCase cases[] = {
        {"-2", true, -2, "2-"},   {"2-", true, -2, "2-"},   {"0-", true, 0, "0"},     {"-0", true, 0, "0"},
        {"", true, 0, "0"},       {"12", true, 12, "12"},   {"007", true, 7, "007"},  {"1-2", true, -12, "12-"},
        {"-", true, 0, "0"},      {"50", true, 50, "50"},   {"--2", false, 99, "--2"}, {"2--", false, 99, "2--"},
        {"-2-", false, 99, "-2-"}, {"1.5", false, 99, "1.5"}, {"abc", false, 99, "abc"},
        {"99999999999", false, 99, "99999999999"},
    };
    for (const FloorCase &c : cases) {
        QString text = c.typed;
        int number = 99;
        EXPECT_EQ(TForm8::StrToIntmenha(text, number), c.converts) << c.typed.toStdString();
        EXPECT_EQ(number, c.number) << c.typed.toStdString();
        EXPECT_EQ(text, c.shown) << c.typed.toStdString();
    }
    EXPECT_EQ(TForm8::floorText(-5), QStringLiteral("5-"));
    EXPECT_EQ(TForm8::floorText(0), QStringLiteral("0"));
    EXPECT_EQ(TForm8::floorText(21), QStringLiteral("21"));
    EXPECT_EQ(TForm8::minusToEnd(QStringLiteral("-2")), QStringLiteral("2-"));
    EXPECT_EQ(TForm8::minusToEnd(QStringLiteral("2-")), QStringLiteral("2-"));
    EXPECT_EQ(TForm8::minusToEnd(QStringLiteral(" ")), QStringLiteral(" "));
    EXPECT_EQ(TForm8::minusToEnd(QStringLiteral("12")), QStringLiteral("12"));
}

namespace {

class Form8Test : public PageFixture {
protected:
    void SetUp() override
    {
        PageFixture::SetUp();
        showPage(Form8);
    }

    // Insert, then the five inputs typed in Enter order (an empty text
    // leaves an input as New set it), then F2.
    void enterRow(const QString &floor, const QString &unit, const QString &height = QString(),
                  const QString &factor = QString(), const QString &sf = QString())
    {
        press(Form8, Qt::Key_Insert);
        ASSERT_TRUE(Form8->entryState());
        type(Form8, floor);
        press(Form8, Qt::Key_Return);
        type(Form8, unit);
        press(Form8, Qt::Key_Return);
        if (!height.isEmpty())
            type(Form8, height);
        press(Form8, Qt::Key_Return);
        if (!factor.isEmpty())
            type(Form8, factor);
        press(Form8, Qt::Key_Return);
        if (!sf.isEmpty())
            retype(Form8, sf);
        press(Form8, Qt::Key_F2);
    }

    // (Tabage, Shvahed) of every floor-and-unit row, in storage order.
    QVector<QPair<double, double>> keys()
    {
        QVector<QPair<double, double>> out;
        for (const auto &r : rows(QStringLiteral("SELECT Tabage, Shvahed FROM bankvh ORDER BY No")).rows)
            out.append({r[0].toDouble(), r[1].toDouble()});
        return out;
    }

    static void insertUnit(double floor, double unit)
    {
        DM1->Database1->exec(QStringLiteral("INSERT INTO bankvh (Shproje, Shsk, Tabage, Shvahed, Ertefa, Sf, Z_ertefa) "
                                            "VALUES (7, 7, ?, ?, 10, 15, 0)"),
                             {floor, unit});
    }
};

} // namespace

TEST_F(Form8Test, FloorNumbersAreStoredWithTheirSignAndShownByWord)
{
    enterRow(QStringLiteral("-2"), QStringLiteral("1"), QStringLiteral("10"), QStringLiteral("3"));
    EXPECT_TRUE(testsupport::takeMessages().isEmpty());
    EXPECT_FALSE(Form8->entryState());
    EXPECT_EQ(Form8->Edit1->text(), QStringLiteral("2-"));
    const auto r = rows(QStringLiteral("SELECT Shproje, Shsk, Tabage, Shvahed, Ertefa, Z_ertefa, Sf FROM bankvh")).rows;
    ASSERT_EQ(r.size(), 1);
    EXPECT_EQ(r[0], (QVector<QVariant>{7.0, 7.0, -2.0, 1.0, 10.0, 3.0, 15.0})); // Sf from the project
    EXPECT_EQ(DM1->Table3->fieldByName(QStringLiteral("NameT")).asString(), QStringLiteral("منهاي دو"));
    EXPECT_EQ(Form8->DBGrid1->datasetModel()->index(0, 0).data().toString(), QStringLiteral("منهاي دو"));

    // The same floor typed with its sign behind is the same key.
    enterRow(QStringLiteral("2-"), QStringLiteral("1"));
    EXPECT_EQ(testsupport::takeMessages(), QStringList{QStringLiteral("ركورد تكراري است")});
    EXPECT_TRUE(Form8->entryState());
    Form8->DE2->setFocus();
    retype(Form8, QStringLiteral("2"));
    press(Form8, Qt::Key_F2);
    EXPECT_TRUE(testsupport::takeMessages().isEmpty());

    // "0-" and an empty floor are the ground floor.
    enterRow(QStringLiteral("0-"), QStringLiteral("1"));
    EXPECT_EQ(Form8->Edit1->text(), QStringLiteral("0"));
    enterRow(QString(), QStringLiteral("2"));
    EXPECT_EQ(Form8->Edit1->text(), QStringLiteral("0"));
    EXPECT_TRUE(testsupport::takeMessages().isEmpty());
    EXPECT_EQ(keys(), (QVector<QPair<double, double>>{{-2, 1}, {-2, 2}, {0, 1}, {0, 2}}));
}

TEST_F(Form8Test, SaveChecksStopAtTheFirstFailureAndStoreNothing)
{
    struct Case {
        QString floor, unit, height, factor, sf;
        QString message;
    } refused[] = {
        {"1", "0", "10", "0", "10", "شماره واحد را وارد كنيد"},
        {"1", "", "10", "0", "10", "شماره واحد را وارد كنيد"},
        {"1", "1", "10", "0", "101", "ضريب اطمينان را تصحيح كنيد"},
        {"1", "1", "10", "101", "10", "ضريب ارتفاع را تصحيح كنيد"},
        // A sign after the digits is a negative number, as the page shows
        // one: the ranges refuse it in their own words.
        {"1", "1", "10", "0", "5-", "ضريب اطمينان را تصحيح كنيد"},
        {"1", "1-", "10", "0", "10", "شماره واحد را وارد كنيد"},
    };
    for (const Case &c : refused) {
        enterRow(c.floor, c.unit, c.height, c.factor, c.sf);
        EXPECT_EQ(testsupport::takeMessages(), QStringList{c.message}) << c.message.toStdString();
        EXPECT_TRUE(Form8->entryState());
        EXPECT_EQ(count(QStringLiteral("bankvh")), 0);
        press(Form8, Qt::Key_Escape); // cancel the entry
        ASSERT_FALSE(Form8->entryState());
    }
    // The limits themselves pass.
    enterRow(QStringLiteral("1"), QStringLiteral("1"), QStringLiteral("10"), QStringLiteral("100"), QStringLiteral("100"));
    enterRow(QStringLiteral("1"), QStringLiteral("2"), QStringLiteral("10"), QStringLiteral("0"), QStringLiteral("0"));
    EXPECT_TRUE(testsupport::takeMessages().isEmpty());
    EXPECT_EQ(count(QStringLiteral("bankvh")), 2);
}

TEST_F(Form8Test, InputsRefuseOtherKeysAndPastedNonNumbers)
{
    press(Form8, Qt::Key_Insert);
    type(Form8, QStringLiteral("1a"));
    EXPECT_EQ(Form8->Edit1->text(), QStringLiteral("1"));
    EXPECT_EQ(testsupport::takeMessages(), QStringList{QStringLiteral(" عدد معتبر است")});
    // A height that reaches the input without the keyboard filter.
    Form8->DE2->setText(QStringLiteral("1"));
    Form8->De6->setText(QStringLiteral("1.2.3"));
    press(Form8, Qt::Key_F2);
    EXPECT_EQ(testsupport::takeMessages(), QStringList{QStringLiteral(" عدد معتبر است")});
    EXPECT_TRUE(Form8->entryState());
    // A minus sign between the digits is refused as it is typed.
    Form8->De6->setFocus();
    retype(Form8, QStringLiteral("1-0"));
    EXPECT_EQ(Form8->De6->text(), QStringLiteral("1-"));
    EXPECT_EQ(testsupport::takeMessages(), QStringList{QStringLiteral(" عدد معتبر است")});
    EXPECT_TRUE(Form8->entryState());
    EXPECT_EQ(count(QStringLiteral("bankvh")), 0);
    // Esc drops the entry without a word about the half-typed number.
    press(Form8, Qt::Key_Escape);
    EXPECT_FALSE(Form8->entryState());
    EXPECT_TRUE(testsupport::takeMessages().isEmpty());
}

TEST_F(Form8Test, EditKeepsOrChangesTheKeyAndTakesSpacesAndSurfacesAlong)
{
    insertUnit(1, 1);
    insertUnit(1, 2);
    DM1->Database1->exec(QStringLiteral("INSERT INTO bankfz (Shproje, Shsk, Tabage, Shvahed, Faza, Codefaza) VALUES "
                                        "(7, 7, 1, 1, 'هال', 1), (7, 7, 1, 2, 'هال', 1)"));
    DM1->Database1->exec(QStringLiteral("INSERT INTO bankjd (Shproje, Shsk, Tabage, Shvahed, CodeFaza, Jedare) VALUES "
                                        "(7, 7, 1, 1, 1, 'ديوار'), (7, 7, 1, 1, 1, 'كف'), (7, 7, 1, 2, 1, 'ديوار')"));
    DM1->Table3->refresh();
    DM1->Table3->first();
    Form8->DBGrid1->setFocus();

    // Enter in the grid edits the row; saving it unchanged skips the check.
    press(Form8, Qt::Key_Return);
    ASSERT_TRUE(Form8->entryState());
    EXPECT_EQ(Form8->Edit1->text(), QStringLiteral("1"));
    EXPECT_EQ(Form8->EditedUnitText, QStringLiteral("1"));
    press(Form8, Qt::Key_F2);
    EXPECT_TRUE(testsupport::takeMessages().isEmpty());

    // Changing only the unit to one on the same floor is a duplicate; the
    // other row's spaces stay where they were.
    press(Form8, Qt::Key_Return);
    Form8->DE2->setFocus();
    retype(Form8, QStringLiteral("2"));
    press(Form8, Qt::Key_F2);
    EXPECT_EQ(testsupport::takeMessages(), QStringList{QStringLiteral("ركورد تكراري است")});
    // "01" is the same unit: the row is no duplicate of itself.
    retype(Form8, QStringLiteral("01"));
    press(Form8, Qt::Key_F2);
    EXPECT_TRUE(testsupport::takeMessages().isEmpty());
    EXPECT_FALSE(Form8->entryState());

    // A new floor and unit: spaces and surfaces follow the row.
    DM1->Table3->first();
    press(Form8, Qt::Key_Return);
    retype(Form8, QStringLiteral("-3"));
    press(Form8, Qt::Key_Return);
    retype(Form8, QStringLiteral("4"));
    press(Form8, Qt::Key_F2);
    EXPECT_TRUE(testsupport::takeMessages().isEmpty());
    EXPECT_EQ(rows(QStringLiteral("SELECT Tabage, Shvahed FROM bankfz ORDER BY No")).rows,
              (QVector<QVector<QVariant>>{{-3.0, 4.0}, {1.0, 2.0}}));
    EXPECT_EQ(rows(QStringLiteral("SELECT Tabage, Shvahed FROM bankjd ORDER BY No")).rows,
              (QVector<QVector<QVariant>>{{-3.0, 4.0}, {-3.0, 4.0}, {1.0, 2.0}}));
    EXPECT_EQ(rows(QStringLiteral("SELECT Tabage, Shvahed FROM bankvh ORDER BY No")).rows,
              (QVector<QVector<QVariant>>{{-3.0, 4.0}, {1.0, 2.0}}));
}

TEST_F(Form8Test, KeysGuideAndNavigation)
{
    // Esc in browse asks the exit question.
    press(Form8, Qt::Key_Escape);
    EXPECT_EQ(modalsShown, QStringList{QStringLiteral("Form3")});
    modalsShown.clear();

    // The guide opens with F6 in the height factor and Esc closes it first.
    press(Form8, Qt::Key_Insert);
    Form8->De7->setFocus();
    press(Form8, Qt::Key_F6);
    EXPECT_FALSE(Form8->Panel7->isHidden());
    EXPECT_EQ(Form8->focusWidget(), Form8->De7);
    press(Form8, Qt::Key_Escape);
    EXPECT_TRUE(Form8->Panel7->isHidden());
    EXPECT_TRUE(Form8->entryState());
    // F3 and F4 do nothing during entry; Esc cancels it.
    press(Form8, Qt::Key_F3);
    press(Form8, Qt::Key_F4);
    EXPECT_TRUE(modalsShown.isEmpty());
    EXPECT_TRUE(Form8->isVisible());
    press(Form8, Qt::Key_Escape);
    EXPECT_FALSE(Form8->entryState());
    EXPECT_TRUE(modalsShown.isEmpty());
    EXPECT_EQ(count(QStringLiteral("bankvh")), 0);

    // Help keys.
    press(Form8, Qt::Key_F1);
    press(Form8, Qt::Key_F10);
    press(Form8, Qt::Key_F11);
    EXPECT_EQ(modalsShown, (QStringList{"FormHelp", "Form15", "Form11"}));
    EXPECT_EQ(FormHelp->windowTitle(), QStringLiteral("     راهنماي كاربران - ايجاد و ويرايش"));
    modalsShown.clear();

    // F3: the spaces page of the row, with the spaces table open.
    insertUnit(0, 1);
    DM1->Table3->refresh();
    press(Form8, Qt::Key_F3);
    EXPECT_EQ(modalsShown, QStringList{QStringLiteral("Form9")});
    EXPECT_TRUE(DM1->Table4->active());
    // F4 closes the page and its table.
    press(Form8, Qt::Key_F4);
    EXPECT_FALSE(Form8->isVisible());
    EXPECT_FALSE(DM1->Table3->active());
}

TEST_F(Form8Test, CalculatorKeyReportsAProgramThatCannotStart)
{
    // F12 starts the calculator of the data folder and waits for it; this
    // data folder has none, which is reported and leaves the page as it was.
    press(Form8, Qt::Key_F12);
    const QStringList shown = testsupport::takeMessages();
    ASSERT_EQ(shown.size(), 1);
    EXPECT_TRUE(shown[0].startsWith(QStringLiteral("Failed to excecute program"))) << shown[0].toStdString();
    EXPECT_TRUE(shown[0].contains(QStringLiteral("Rodiz.exe"))) << shown[0].toStdString();
    EXPECT_TRUE(Form8->isVisible());
    EXPECT_FALSE(Form8->entryState());
}

TEST_F(Form8Test, HoverTurnsTheLabelRedAndRestoresTheOthers)
{
    Form8->Hover->hover(Form8->Label21);
    EXPECT_EQ(Form8->Label21->y(), 6);
    EXPECT_EQ(Form8->Label21->palette().color(QPalette::WindowText), QColor(255, 0, 0));
    Form8->Hover->hover(Form8->Label16);
    EXPECT_EQ(Form8->Label21->y(), 5);
    EXPECT_EQ(Form8->Label16->y(), 6);
    Form8->Hover->leave(Form8->Label16);
    EXPECT_EQ(Form8->Label16->y(), 5);
}

// Typed signs and points as each box of the page takes them: the floor its
// sign anywhere but once, the others at either end; the floor height a
// point. Whatever is refused is refused in the box's own words, and what is
// stored is the number shown.
TEST_F(Form8Test, SignsAndPointsAsEachBoxTakesThem)
{
    const struct {
        const char *floor, *unit, *height, *sf;
        int refusals;
        double storedFloor, storedHeight, storedSf;
    } cases[] = {
        {"--2", "1", "9.5", "", 1, -2, 9.5, 15},
        {"1-2", "2", "۱۰", "۱۰", 0, -12, 10, 10},
        {"3", "3", "1.2.", "1.5", 2, 3, 1.2, 15},
    };
    int saved = 0;
    for (const auto &c : cases) {
        SCOPED_TRACE(c.floor);
        enterRow(QString::fromUtf8(c.floor), QString::fromUtf8(c.unit), QString::fromUtf8(c.height), QString(),
                 QString::fromUtf8(c.sf));
        EXPECT_EQ(testsupport::takeMessages(), QStringList(c.refusals, QStringLiteral(" عدد معتبر است")));
        ASSERT_FALSE(Form8->entryState());
        const auto r = rows(QStringLiteral("SELECT Tabage, Ertefa, Sf FROM bankvh ORDER BY No")).rows;
        ASSERT_EQ(r.size(), ++saved);
        EXPECT_EQ(r.back(), (QVector<QVariant>{c.storedFloor, c.storedHeight, c.storedSf}));
    }
}
