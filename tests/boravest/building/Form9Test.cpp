// The spaces page: names kept in faza.db, the duplicate check per unit,
// the volume, and the inside temperature given to the surfaces.
#include "PageFixture.h"

#include "platform/ui/DbControls.h"

#include <QClipboard>
#include <QFrame>
#include <QGuiApplication>
#include <QLineEdit>

using namespace pagetest;

TEST(SpaceVolume, HeightTimesAreaRoundedHalfToEven)
{
    struct Case {
        QString height, area;
        double volume;
    } cases[] = {{"10", "12.5", 125}, {"9", "10.5", 94}, {"9", "11.5", 104}, {"", "", 0},
                 {"8", ".5", 4},      {"007", "3", 21}, {"10", "0.05", 0},    {"9.5", "10", 95},
                 {"9.5", "11", 104}};
    for (const Case &c : cases) {
        double v = -1;
        EXPECT_TRUE(TForm9::SpaceVolume(c.height, c.area, &v)) << c.height.toStdString();
        EXPECT_EQ(v, c.volume) << c.height.toStdString() << " x " << c.area.toStdString();
    }
    double v = -1;
    EXPECT_FALSE(TForm9::SpaceVolume(QStringLiteral("9.5.1"), QStringLiteral("10"), &v));
    EXPECT_FALSE(TForm9::SpaceVolume(QStringLiteral("10"), QStringLiteral("1.2.3"), &v));
    EXPECT_EQ(v, -1);
    EXPECT_EQ(TForm9::SurfaceInsideTemperature(70.6), 71);
    EXPECT_EQ(TForm9::SurfaceInsideTemperature(70.5), 70);
    EXPECT_EQ(TForm9::SurfaceInsideTemperature(71.5), 72);
}

namespace {

class Form9Test : public PageFixture {
protected:
    void SetUp() override
    {
        PageFixture::SetUp();
        for (double unit : {1.0, 2.0})
            DM1->Database1->exec(QStringLiteral("INSERT INTO bankvh (Shproje, Shsk, Tabage, Shvahed, Ertefa, Sf, Z_ertefa) "
                                                "VALUES (7, 7, 1, ?, 11, 15, 0)"),
                                 {unit});
        DM1->Table3->refresh();
        DM1->Table3->first();
        DM1->Table4->open();
        showPage(Form9);
    }

    // Insert, the name, then the six numbers in Enter order (an empty text
    // keeps what New put there), then F2.
    void enterSpace(const QString &name, const QStringList &numbers = {})
    {
        press(Form9, Qt::Key_Insert);
        ASSERT_TRUE(Form9->entryState());
        type(Form9, name);
        for (int i = 0; i < 6; ++i) {
            press(Form9, Qt::Key_Return);
            if (i < numbers.size() && !numbers[i].isEmpty())
                retype(Form9, numbers[i]);
        }
        press(Form9, Qt::Key_F2);
    }

    static QStringList names()
    {
        QStringList out;
        for (const auto &r : rows(QStringLiteral("SELECT Faza FROM faza ORDER BY Codefaza")).rows)
            out << r[0].toString();
        return out;
    }
};

} // namespace

TEST_F(Form9Test, NewSpaceStartsFromTheProjectAndTheUnitAndStoresItsVolume)
{
    press(Form9, Qt::Key_Insert);
    EXPECT_EQ(Form9->DBEdit5->text(), QStringLiteral("28")); // project outdoor temperature
    EXPECT_EQ(Form9->DBEdit6->text(), QStringLiteral("70")); // project inside temperature
    EXPECT_EQ(Form9->DBEdit9->text(), QStringLiteral("11")); // floor height of the unit
    EXPECT_EQ(Form9->focusWidget(), Form9->e1);
    press(Form9, Qt::Key_Escape);

    // To_, Ti_, A_, V_varm, Ertefa, Air_.
    enterSpace(QStringLiteral("هال"), {"", "72", "12.5", "500", "10", "1.5"});
    EXPECT_TRUE(testsupport::takeMessages().isEmpty());
    enterSpace(QStringLiteral("اطاق خواب"), {"", "", "10.5", "", "9", ""});
    enterSpace(QStringLiteral("آشپزخانه"), {"", "", "11.5", "", "9", ""});
    EXPECT_TRUE(testsupport::takeMessages().isEmpty());
    const auto r = rows(QStringLiteral("SELECT Shproje, Shsk, Tabage, Shvahed, Faza, Codefaza, To_, Ti_, A_, V_varm, "
                                       "Ertefa, Air_, V_ FROM bankfz ORDER BY No"))
                       .rows;
    ASSERT_EQ(r.size(), 3);
    EXPECT_EQ(r[0], (QVector<QVariant>{7.0, 7.0, 1.0, 1.0, QStringLiteral("هال"), 1.0, 28.0, 72.0, 12.5, 500.0, 10.0,
                                       1.5, 125.0}));
    EXPECT_EQ(r[1][12], 94.0);  // 9 x 10.5 = 94.5, half to even
    EXPECT_EQ(r[2][12], 104.0); // 9 x 11.5 = 103.5
    EXPECT_EQ(names(), (QStringList{"هال", "اطاق خواب", "آشپزخانه"}));
}

TEST_F(Form9Test, EachNameOnceInAUnitAndOnceInTheNameList)
{
    enterSpace(QStringLiteral("آشپزخانه"));
    enterSpace(QStringLiteral("آشپزخانه"));
    EXPECT_EQ(testsupport::takeMessages(), QStringList{QStringLiteral("فضا تكراري است")});
    EXPECT_TRUE(Form9->entryState());
    press(Form9, Qt::Key_Escape);
    EXPECT_EQ(count(QStringLiteral("bankfz")), 1);

    // The second unit may have its own kitchen, with the same code.
    DM1->Table3->next();
    enterSpace(QStringLiteral("آشپزخانه"));
    EXPECT_TRUE(testsupport::takeMessages().isEmpty());
    EXPECT_EQ(rows(QStringLiteral("SELECT Shvahed, Codefaza FROM bankfz ORDER BY No")).rows,
              (QVector<QVector<QVariant>>{{1.0, 1.0}, {2.0, 1.0}}));
    EXPECT_EQ(names(), QStringList{"آشپزخانه"});

    // A name longer than the field is never cut: the input takes 20
    // characters, so the name found again is the name stored.
    const QString longName = QStringLiteral("اطاق خواب بزرگ طبقه بالا");
    ASSERT_GT(longName.size(), 20);
    enterSpace(longName);
    EXPECT_EQ(Form9->e1->text(), longName.left(20));
    enterSpace(longName);
    EXPECT_EQ(testsupport::takeMessages(), QStringList{QStringLiteral("فضا تكراري است")});
    press(Form9, Qt::Key_Escape);
    EXPECT_EQ(names(), (QStringList{"آشپزخانه", longName.left(20)}));
    EXPECT_EQ(rows(QStringLiteral("SELECT Faza FROM bankfz WHERE Codefaza = 2")).rows.value(0).value(0).toString(),
              longName.left(20));
}

TEST_F(Form9Test, RenamingRunsTheCheckKeepingTheNameDoesNot)
{
    enterSpace(QStringLiteral("هال"));
    enterSpace(QStringLiteral("آشپزخانه"));
    DM1->Database1->exec(QStringLiteral("INSERT INTO bankjd (Shproje, Shsk, Tabage, Shvahed, CodeFaza, Jedare, Ti_) "
                                        "VALUES (7, 7, 1, 1, 2, 'ديوار', 70), (7, 7, 1, 1, 2, 'پنجره', 70)"));
    ASSERT_TRUE(DM1->Table4->locate(QStringLiteral("Faza"), {QStringLiteral("آشپزخانه")}));

    // Keeping the name: no check, the area changes.
    press(Form9, Qt::Key_Return);
    ASSERT_TRUE(Form9->entryState());
    EXPECT_EQ(Form9->e1->text(), QStringLiteral("آشپزخانه"));
    Form9->DBEdit7->setFocus();
    retype(Form9, QStringLiteral("80"));
    press(Form9, Qt::Key_F2);
    EXPECT_TRUE(testsupport::takeMessages().isEmpty());

    // Renaming to a name the unit has: refused.
    press(Form9, Qt::Key_Return);
    retype(Form9, QStringLiteral("هال"));
    press(Form9, Qt::Key_F2);
    EXPECT_EQ(testsupport::takeMessages(), QStringList{QStringLiteral("فضا تكراري است")});
    // Renaming to a new name: the surfaces go with the space.
    Form9->e1->setFocus();
    retype(Form9, QStringLiteral("مطبخ"));
    press(Form9, Qt::Key_F2);
    EXPECT_TRUE(testsupport::takeMessages().isEmpty());
    EXPECT_EQ(rows(QStringLiteral("SELECT Faza, Codefaza FROM bankfz ORDER BY No")).rows,
              (QVector<QVector<QVariant>>{{QStringLiteral("هال"), 1.0}, {QStringLiteral("مطبخ"), 3.0}}));
    EXPECT_EQ(rows(QStringLiteral("SELECT A_ FROM bankfz WHERE Codefaza = 3")).rows.value(0).value(0), 80.0);
    EXPECT_EQ(rows(QStringLiteral("SELECT CodeFaza FROM bankjd")).rows, (QVector<QVector<QVariant>>{{3.0}, {3.0}}));
}

TEST_F(Form9Test, InsideTemperatureGoesToEverySurfaceOfTheSpaceRounded)
{
    enterSpace(QStringLiteral("هال"));
    enterSpace(QStringLiteral("اطاق"));
    DM1->Database1->exec(QStringLiteral("INSERT INTO bankjd (Shproje, Shsk, Tabage, Shvahed, CodeFaza, Jedare, Ti_) VALUES "
                                        "(7, 7, 1, 1, 1, 'ديوار', 70), (7, 7, 1, 1, 1, 'پنجره', 70), "
                                        "(7, 7, 1, 1, 1, 'درب', 70), (7, 7, 1, 1, 1, 'سقف', 70), "
                                        "(7, 7, 1, 1, 1, 'كف', 70), (7, 7, 1, 1, 2, 'ديوار', 70)"));
    ASSERT_TRUE(DM1->Table4->locate(QStringLiteral("Faza"), {QStringLiteral("هال")}));
    press(Form9, Qt::Key_Return);
    Form9->DBEdit6->setFocus();
    retype(Form9, QStringLiteral("72"));
    press(Form9, Qt::Key_F2);
    EXPECT_EQ(rows(QStringLiteral("SELECT Ti_ FROM bankjd ORDER BY No")).rows,
              (QVector<QVector<QVariant>>{{72.0}, {72.0}, {72.0}, {72.0}, {72.0}, {70.0}}));

    ASSERT_TRUE(DM1->Table4->locate(QStringLiteral("Faza"), {QStringLiteral("هال")}));
    press(Form9, Qt::Key_Return);
    Form9->DBEdit6->setFocus();
    retype(Form9, QStringLiteral("70.6"));
    press(Form9, Qt::Key_F2);
    EXPECT_EQ(rows(QStringLiteral("SELECT Ti_ FROM bankfz WHERE Codefaza = 1")).rows.value(0).value(0), 70.6);
    EXPECT_EQ(rows(QStringLiteral("SELECT Ti_ FROM bankjd WHERE CodeFaza = 1")).rows.value(0).value(0), 71.0);
}

TEST_F(Form9Test, NumbersThatDoNotConvertAreRefusedBeforeAnythingIsStored)
{
    press(Form9, Qt::Key_Insert);
    type(Form9, QStringLiteral("انبار"));
    press(Form9, Qt::Key_Return);
    press(Form9, Qt::Key_Return); // the inside temperature takes no minus sign
    type(Form9, QStringLiteral("-"));
    EXPECT_EQ(testsupport::takeMessages(), QStringList{QStringLiteral(" عدد معتبر است")});
    // Texts that reach the inputs without the keyboard filter.
    struct Case {
        pf::ui::DBEdit *input;
        QString text, message;
    } cases[] = {{Form9->DBEdit7, "1.2.3", " عدد معتبر است"},
                 {Form9->DBEdit9, "9.5.", " عدد معتبر است"},
                 {Form9->DBEdit5, "2--", " عدد معتبر است"},
                 {Form9->DBEdit10, "..", " عدد معتبر است"}};
    for (const Case &c : cases) {
        const QString before = c.input->text();
        c.input->setText(c.text);
        press(Form9, Qt::Key_F2);
        EXPECT_EQ(testsupport::takeMessages(), QStringList{c.message});
        EXPECT_TRUE(Form9->entryState());
        EXPECT_EQ(Form9->focusWidget(), c.input);
        c.input->setText(before);
    }
    EXPECT_EQ(count(QStringLiteral("bankfz")), 0);
    EXPECT_EQ(count(QStringLiteral("faza")), 0);
    press(Form9, Qt::Key_F2);
    EXPECT_EQ(count(QStringLiteral("bankfz")), 1);
}

TEST_F(Form9Test, GuidesAndKeys)
{
    press(Form9, Qt::Key_Insert);
    Form9->DBEdit6->setFocus();
    press(Form9, Qt::Key_F6);
    EXPECT_FALSE(Form9->Panel5->isHidden());
    Form9->DBEdit10->setFocus();
    press(Form9, Qt::Key_F6);
    EXPECT_FALSE(Form9->Panel6->isHidden());
    EXPECT_EQ(Form9->focusWidget(), Form9->DBEdit10);
    press(Form9, Qt::Key_Escape);
    EXPECT_TRUE(Form9->Panel5->isHidden());
    EXPECT_TRUE(Form9->Panel6->isHidden());
    EXPECT_TRUE(Form9->entryState());
    press(Form9, Qt::Key_Escape);
    EXPECT_FALSE(Form9->entryState());
    EXPECT_TRUE(modalsShown.isEmpty());
    press(Form9, Qt::Key_Escape);
    EXPECT_EQ(modalsShown, QStringList{QStringLiteral("Form3")});
    modalsShown.clear();

    // Next page needs a space and opens the surfaces table.
    enterSpace(QStringLiteral("هال"));
    press(Form9, Qt::Key_F3);
    EXPECT_EQ(modalsShown, QStringList{QStringLiteral("Form10")});
    EXPECT_TRUE(DM1->Table5->active());
    press(Form9, Qt::Key_F4);
    EXPECT_FALSE(Form9->isVisible());
    EXPECT_FALSE(DM1->Table4->active());
}

TEST_F(Form9Test, CalculatorKeyReportsAProgramThatCannotStart)
{
    // F12 starts the calculator of the data folder and waits for it; this
    // data folder has none, which is reported and leaves the page as it was.
    press(Form9, Qt::Key_F12);
    const QStringList shown = testsupport::takeMessages();
    ASSERT_EQ(shown.size(), 1);
    EXPECT_TRUE(shown[0].startsWith(QStringLiteral("Failed to excecute program"))) << shown[0].toStdString();
    EXPECT_TRUE(shown[0].contains(QStringLiteral("Rodiz.exe"))) << shown[0].toStdString();
    EXPECT_TRUE(Form9->isVisible());
    EXPECT_FALSE(Form9->entryState());
}

TEST_F(Form9Test, NoSpaceWithoutAFloorAndUnitRow)
{
    DM1->Database1->exec(QStringLiteral("DELETE FROM bankvh"));
    DM1->Table3->refresh();
    press(Form9, Qt::Key_Insert);
    EXPECT_FALSE(Form9->entryState());
    EXPECT_EQ(count(QStringLiteral("bankfz")), 0);
}

// An outdoor temperature below 0 F takes its minus sign at either end,
// shows it after the digits once the input is left, as a floor number does,
// and is stored negative; the page shows it so again.
TEST_F(Form9Test, OutdoorTemperatureBelowZeroTakesItsMinusSign)
{
    const char *typed[] = {"-12", "12-"};
    int n = 0;
    for (const char *t : typed) {
        SCOPED_TRACE(t);
        const QString name = QStringLiteral("s%1").arg(++n);
        press(Form9, Qt::Key_Insert);
        type(Form9, name);
        press(Form9, Qt::Key_Return);
        retype(Form9, QString::fromLatin1(t));
        EXPECT_TRUE(testsupport::takeMessages().isEmpty());
        press(Form9, Qt::Key_Return);
        EXPECT_EQ(Form9->DBEdit5->text(), QStringLiteral("12-"));
        press(Form9, Qt::Key_F2);
        EXPECT_FALSE(Form9->entryState());
        EXPECT_EQ(rows(QStringLiteral("SELECT To_ FROM bankfz WHERE Faza = ?"), {name}).rows.value(0).value(0), -12.0);
        EXPECT_EQ(Form9->DBEdit5->text(), QStringLiteral("12-"));
    }
}

// The area box takes eight characters: the ninth and tenth digits of
// 1000000000 are refused with the box's message, never dropped silently.
TEST_F(Form9Test, DigitsBeyondTheAreaBoxAreRefusedWithTheMessage)
{
    press(Form9, Qt::Key_Insert);
    type(Form9, QStringLiteral("انبار"));
    for (int i = 0; i < 3; ++i)
        press(Form9, Qt::Key_Return);
    ASSERT_EQ(Form9->focusWidget(), Form9->DBEdit7);
    retype(Form9, QStringLiteral("1000000000"));
    EXPECT_EQ(Form9->DBEdit7->text(), QStringLiteral("10000000"));
    EXPECT_EQ(testsupport::takeMessages(), QStringList(2, QStringLiteral(" عدد معتبر است")));
}

// The outdoor temperature, typed or pasted, holds a number or answers with
// its own message: "20-5" is never -205, and no English reaches the user.
// Persian and Arabic-Indic digits are the digits 0-9.
TEST_F(Form9Test, OutdoorTemperatureIsANumberOrTheBoxsMessage)
{
    const QString refusal = QStringLiteral(" عدد معتبر است");
    const struct {
        const char *typed, *pasted;
        const char *shown;
        int refusals;
        double stored;
    } cases[] = {
        {"20-5", nullptr, "20-", 1, -20},     {"20-5-", nullptr, "20-", 2, -20}, {"1-2", nullptr, "1-", 1, -1},
        {"۲۰", nullptr, "20", 0, 20},        {"", "٢٠", "20", 0, 20},            {"20", "-5", "20", 1, 20},
        {"20", "۵-۵", "20", 1, 20},
    };
    int n = 0;
    for (const auto &c : cases) {
        SCOPED_TRACE(std::string(c.typed) + " / " + (c.pasted ? c.pasted : ""));
        const QString name = QStringLiteral("t%1").arg(++n);
        press(Form9, Qt::Key_Insert);
        type(Form9, name);
        press(Form9, Qt::Key_Return);
        ASSERT_EQ(Form9->focusWidget(), Form9->DBEdit5);
        retype(Form9, QString::fromUtf8(c.typed));
        if (c.pasted) {
            QGuiApplication::clipboard()->setText(QString::fromUtf8(c.pasted));
            press(Form9, Qt::Key_V, Qt::ControlModifier);
        }
        EXPECT_EQ(Form9->DBEdit5->text(), QString::fromUtf8(c.shown));
        press(Form9, Qt::Key_F2);
        EXPECT_EQ(testsupport::takeMessages(), QStringList(c.refusals, refusal));
        EXPECT_FALSE(Form9->entryState());
        EXPECT_EQ(rows(QStringLiteral("SELECT To_ FROM bankfz WHERE Faza = ?"), {name}).rows.value(0).value(0),
                  c.stored);
    }

    // Select all and undo in the same box: the record follows the box.
    press(Form9, Qt::Key_Insert);
    type(Form9, QStringLiteral("u"));
    press(Form9, Qt::Key_Return);
    retype(Form9, QStringLiteral("20"));
    press(Form9, Qt::Key_A, Qt::ControlModifier);
    type(Form9, QStringLiteral("3"));
    EXPECT_EQ(Form9->DBEdit5->text(), QStringLiteral("3"));
    press(Form9, Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(Form9->DBEdit5->text(), QStringLiteral("20"));
    press(Form9, Qt::Key_F2);
    EXPECT_TRUE(testsupport::takeMessages().isEmpty());
    EXPECT_EQ(rows(QStringLiteral("SELECT To_ FROM bankfz WHERE Faza = 'u'")).rows.value(0).value(0), 20.0);
}

// A space 9.5 ft high is stored 9.5 ft high, its volume from that height.
TEST_F(Form9Test, AHeightWithDecimalsIsStoredAsTyped)
{
    enterSpace(QStringLiteral("انبار"), {"", "", "۱۰", "", "9.5", ""});
    EXPECT_TRUE(testsupport::takeMessages().isEmpty());
    EXPECT_FALSE(Form9->entryState());
    EXPECT_EQ(rows(QStringLiteral("SELECT A_, Ertefa, V_ FROM bankfz")).rows.value(0),
              (QVector<QVariant>{10.0, 9.5, 95.0}));
    EXPECT_EQ(Form9->DBEdit9->text(), QStringLiteral("9.5"));
}

// A height or area of a point alone is no number: Save refuses it with the
// box's message and the stored space keeps its area and volume.
TEST_F(Form9Test, APointAloneIsRefusedAndTheSpaceKeepsItsValues)
{
    enterSpace(QStringLiteral("هال"), {"", "", "152", "", "9", ""});
    ASSERT_FALSE(Form9->entryState());
    for (pf::ui::DBEdit *box : {Form9->DBEdit7, Form9->DBEdit9}) {
        press(Form9, Qt::Key_Return); // Edit
        box->setFocus();
        retype(Form9, QStringLiteral("."));
        press(Form9, Qt::Key_F2);
        EXPECT_EQ(testsupport::takeMessages(), QStringList{QStringLiteral(" عدد معتبر است")});
        EXPECT_TRUE(Form9->entryState());
        EXPECT_EQ(Form9->focusWidget(), box);
        press(Form9, Qt::Key_Escape); // Cancel
        EXPECT_EQ(rows(QStringLiteral("SELECT A_, Ertefa, V_ FROM bankfz")).rows.value(0),
                  (QVector<QVariant>{152.0, 9.0, 1368.0}));
    }
}

// A name stands on one line: a pasted line break becomes a blank, and a
// name of blanks only is the empty name.
TEST_F(Form9Test, APastedLineBreakInANameBecomesABlank)
{
    const struct {
        const char *pasted, *stored;
    } cases[] = {{"اطاق\nخواب", "اطاق خواب"}, {"  ", ""}};
    for (const auto &c : cases) {
        press(Form9, Qt::Key_Insert);
        QGuiApplication::clipboard()->setText(QString::fromUtf8(c.pasted));
        press(Form9, Qt::Key_V, Qt::ControlModifier);
        press(Form9, Qt::Key_F2);
        EXPECT_FALSE(Form9->entryState());
        EXPECT_EQ(names().constLast(), QString::fromUtf8(c.stored));
    }
    EXPECT_EQ(rows(QStringLiteral("SELECT Faza FROM bankfz ORDER BY No")).rows.value(0).value(0).toString(),
              QStringLiteral("اطاق خواب"));
}
