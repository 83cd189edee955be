// The main water branch, hot-water tank and pressure-tank pages of the
// equipment window, driven by clicks and key presses.
#include "boravest/building/PageFixture.h"

#include "boravest/equipment/U_15.h"
#include "platform/ui/ClickLabel.h"

#include <QComboBox>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>

#include <cmath>

using namespace pagetest;

namespace {

QString u(const char *s) { return QString::fromUtf8(s); }
QStringList said(std::initializer_list<const char *> texts)
{
    QStringList out;
    for (const char *t : texts)
        out << u(t);
    return out;
}

class U_15WaterTest : public PageFixture {
protected:
    void SetUp() override
    {
        PageFixture::SetUp();
        if (HasFatalFailure())
            return;
        // The apartment building of the sizing tests, 1500 ft above the sea.
        DM1->Database1->exec(
            QStringLiteral("INSERT INTO Tajhizat (Shproje, NSakh, WCKh, Van, Dosh, DamAbSh, DamAbMa, DamAbBeh, DAbgarm, "
                           "TeaSak, Masa_z, Masa_Ar, Masa_Aa, ErtefaS, TolSevic, OfteFeshar, FPBM, MErAT, MTZA, TSPS, "
                           "Typ_MAM, Randeman, T_Manba, T_Pomp, Z_Et, K_B_L_MAB, Rand_E_MAB, Fesh_KB, S_masaref) "
                           "VALUES (?, 0, 4, 2, 4, 50, 110, 140, 180, 10, 5000, 1000, 8000, 30, 100, 2, "
                           "10, 6, 0.5, 4, 0, 80, 1, 1, 10, 80, 50, 0, 0)"),
            {project.number});
        DM1->Database1->exec(QStringLiteral("UPDATE Bank1 SET Hi = 1500"));
        DM1->Table1->refresh();
        DM1->Table12->open();
        FormT2Activated = false;
        showPage(FormT2);
        testsupport::takeMessages();
    }
    void TearDown() override
    {
        if (FormT2)
            FormT2->done(QDialog::Rejected);
        PageFixture::TearDown();
    }

    template <class T = QWidget> static T *w(const char *name)
    {
        T *c = FormT2->findChild<T *>(QString::fromLatin1(name));
        EXPECT_NE(c, nullptr) << name;
        return c;
    }
    static void click(const char *label) { w<pf::ui::ClickLabel>(label)->click(); }
    // The messages of a command.
    static QStringList run(const char *command)
    {
        testsupport::takeMessages();
        click(command);
        return testsupport::takeMessages();
    }
    static bool panelShown() { return ResultPanel && ResultPanel->parentWidget() == FormT2 && ResultPanel->isVisible(); }
    // Values of the result rows, from row 1.
    static QStringList values(int rows)
    {
        QStringList out;
        for (int i = 1; i <= rows; ++i)
            out << (ResultValues[i] ? ResultValues[i]->text() : QStringLiteral("-"));
        return out;
    }
    // Typed into a shown box; a hidden one only takes the text.
    static void typeIn(const char *box, const QString &text)
    {
        if (!w(box)->isVisible())
            return w<QLineEdit>(box)->setText(text);
        w(box)->setFocus();
        retype(FormT2, text);
    }
    static void storeRecord(const QString &assignments)
    {
        DM1->Database1->exec(QStringLiteral("UPDATE Tajhizat SET %1").arg(assignments));
        DM1->Table12->refresh();
    }
    static double stored(const char *field)
    {
        const QString sql = QStringLiteral("SELECT %1 FROM Tajhizat WHERE Shproje = 7").arg(QLatin1String(field));
        return rows(sql).rows[0][0].toDouble();
    }
};

TEST_F(U_15WaterTest, CalculateShowsTheWorkedBuildingOnEachPage)
{
    click("Label18");
    EXPECT_TRUE(run("Label39").isEmpty());
    ASSERT_TRUE(panelShown());
    EXPECT_EQ(ResultPanel->geometry(), QRect(210, 70, 225, 130));
    EXPECT_EQ(values(4), QStringList({"3", "10", "0.71", "3/4"}));

    click("Label20");
    EXPECT_EQ(FormT2->focusWidget(), w("DBEdit19"));
    EXPECT_TRUE(run("Label39").isEmpty());
    EXPECT_EQ(values(8), QStringList({"479", "59.93", "92.61", "24.19", "104", "452", "226", u("عمودي")}));
    EXPECT_EQ(std::pair(ResultCaptions[8]->pos(), ResultCaptions[8]->text()),
              std::pair(QPoint(240, 33), u(":حالت نصب تانك")));
    click("Label41");

    // Hot-water tank: PF, pump flow, head, power, altitude factor, peak,
    // demand and storage factors, volume, heat, MTD, surface.
    click("Label19");
    EXPECT_EQ(FormT2->focusWidget(), w("ComboBox8"));
    const QStringList wall = {"1.2", "1", "3.6", "0.002", "1.1", "452", "0.35", "1.25", "218", "203848", "80.68", "31.1"};
    EXPECT_TRUE(run("Label39").isEmpty());
    EXPECT_EQ(values(12), wall);
    w<QComboBox>("ComboBox8")->setCurrentIndex(1);
    EXPECT_TRUE(run("Label39").isEmpty());
    EXPECT_EQ(std::pair(ResultPanel->width(), values(12)),
              std::pair(520, wall.mid(0, 11) << QStringLiteral("17.73")));
    // Steam at 0 PSI: saturation 212 F; the two factors swap places.
    w<QComboBox>("ComboBox8")->setCurrentIndex(2);
    EXPECT_TRUE(run("Label39").isEmpty());
    const QStringList steam = values(18);
    EXPECT_EQ(steam.mid(8, 4) << steam[15], QStringList({"452", "1.25", "0.35", "218", "212"}));
}

TEST_F(U_15WaterTest, StoppedRunsShowOnlyTheirMessage)
{
    const struct {
        const char *page, *box, *text;
        QStringList messages;
    } cases[] = {
        {"Label19", "DBEdit1", "0", said({"راندمان مبدل را تصحيح كنيد"})},
        {"Label20", "DBEdit27", "0", said({"تعداد استارت پمپ در هر ساعت را وارد كنيد"})},
        // A text the filters would not let in: the box's own message.
        {"Label20", "DBEdit27", "1.5", said({" عدد صحيح معتبر است"})},
        {"Label18", nullptr, nullptr, said({"دماهاي آب شهر و آب مخلوط و آب گرم بهداشتي را كنترل كنيد"})},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.page);
        click(c.page);
        run("Label39");
        ASSERT_TRUE(panelShown());
        if (c.box)
            w<QLineEdit>(c.box)->setText(QString::fromLatin1(c.text));
        else
            storeRecord(QStringLiteral("DamAbMa = 140")); // mixed water as hot as the hot water
        EXPECT_EQ(run("Label39"), c.messages);
        EXPECT_FALSE(panelShown()); // the earlier panel is gone too
        click("Label41");
    }
}

TEST_F(U_15WaterTest, TankKindSwitchAndTheKeysOfBothPages)
{
    storeRecord(QStringLiteral("Typ_MAM = 2"));
    click("Label19");
    auto *kind = w<QComboBox>("ComboBox8");
    const auto steamRow = [] { return w("DBEdit21")->isVisible() && !w("DBEdit11")->isVisible(); };
    EXPECT_TRUE(kind->currentIndex() == 2 && steamRow());
    press(FormT2, Qt::Key_Up); // the list has the focus
    EXPECT_TRUE(kind->currentIndex() == 1 && !steamRow() && w("DBEdit11")->isVisible());
    // Enter after the pumps goes to the row the kind shows.
    for (const auto &[index, next] : {std::pair{2, "DBEdit21"}, {0, "DBEdit11"}}) {
        kind->setCurrentIndex(index);
        w("DBEdit3")->setFocus();
        press(FormT2, Qt::Key_Return);
        EXPECT_EQ(FormT2->focusWidget(), w(next));
    }
    kind->setCurrentIndex(-1); // no kind: the rows stay
    EXPECT_FALSE(steamRow());
    w("DBEdit4")->setFocus();
    press(FormT2, Qt::Key_Tab); // Tab from the page's last box: back to its first
    EXPECT_EQ(FormT2->focusWidget(), kind);
    click("Label41");

    // Pump starts: whole numbers only, Enter back to the first box.
    click("Label20");
    typeIn("DBEdit27", QStringLiteral("3."));
    EXPECT_EQ(testsupport::takeMessages(), QStringList({QStringLiteral(" عدد صحيح معتبر است")}));
    EXPECT_EQ(w<QLineEdit>("DBEdit27")->text(), QStringLiteral("3"));
    press(FormT2, Qt::Key_Return);
    EXPECT_EQ(FormT2->focusWidget(), w("DBEdit19"));
}

TEST_F(U_15WaterTest, SaveChecksTheHotWaterTankPage)
{
    const char *efficiency = "راندمان مبدل بين 75 و 95 قابل قبول است", *otherUses = "ساير مصارف بين 0 و 500 مورد قبول است",
               *safety = "ضريب اطمينان بين 10 و 100 مورد تاييد است", *tanks = "تعدادمنابع بين 1 و 80 مورد قبول است",
               *steam = "فشار بخار ورودي به مبدل بين 5 و 150 قابل قبول است";
    const struct {
        int kind;
        const char *box, *text;
        QStringList messages; // empty: saved
    } cases[] = {
        {0, "DBEdit1", "75", {}}, {1, "DBEdit1", "95", {}}, {0, "DBEdit1", "74", said({efficiency})},
        {0, "DBEdit1", "96", said({efficiency})}, {0, "DBEdit6", "500", {}}, {0, "DBEdit6", "500.5", said({otherUses})},
        {0, "DBEdit10", "100", {}}, {0, "DBEdit10", "9", said({safety})}, {0, "DBEdit10", "101", said({safety})},
        {1, "DBEdit11", "80", {}}, {0, "DBEdit11", "0", said({tanks})}, {1, "DBEdit11", "81", said({tanks})},
        {2, "DBEdit21", "5", {}}, {2, "DBEdit21", "150", {}}, {2, "DBEdit21", "4.9", said({steam})},
        {2, "DBEdit21", "150.1", said({steam})},
        {2, "DBEdit11", "0", {}}, // the steam kind keeps any number of tanks
        // The two warnings do not stop Save; no margin is then refused.
        {0, "DBEdit3", "0", said({"براي برگشت آبگرم مصرفي پمپ درنظر گرفته نشده است"})},
        {0, "DBEdit10", "0",
         said({"با توجه به مصرف بيش از اندازه مقدار آبگرم ،حداقل 10% ضريب اطمينان در ذخيره آبگرم مصرفي لحاظ شود",
               safety})},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(std::string(c.box) + " " + c.text);
        storeRecord(QStringLiteral("Typ_MAM = -1, Fesh_KB = 5, T_Pomp = 1, Randeman = 80, Z_Et = 10, T_Manba = 1, "
                                   "S_masaref = 0"));
        click("Label19");
        w<QComboBox>("ComboBox8")->setCurrentIndex(c.kind);
        typeIn(c.box, QString::fromLatin1(c.text));
        EXPECT_EQ(run("Label24"), c.messages);
        const bool saved = !w("PMADoJ")->isVisible();
        EXPECT_EQ(saved, c.messages.isEmpty() || QLatin1String(c.box) == QLatin1String("DBEdit3"));
        if (!saved)
            click("Label41");
        EXPECT_EQ(stored("Typ_MAM"), saved ? c.kind : -1); // the kind's position, posted with the page
    }
}

TEST_F(U_15WaterTest, SaveChecksThePressureTankPage)
{
    const char *valve = "فشار پشت شيرها بايد بين 7و 100 باشد", *height = "ارتفاع مورد نياز آب در تانك بايد بين 2 و 30 باشد",
               *storage = "مدت زمان ذخيره آب بين 0.2 و 4 قابل قبول است",
               *starts = "تعداد استارت پمپ در هر ساعت بين 2 و 6 مي تواند باشد",
               *tooHigh = ".با كم كردن فشار اوليه و مقدار ذخيره محدوده مجاز فشار استاتيكي را رعايت كنيد ",
               *tooLarge = "با توجه به داده ها امكان انتخاب تانك تحت فشار در قالب استاندارد ميسر نيست";
    const struct {
        const char *typed; // box=text pairs on the worked building
        QStringList messages;
    } cases[] = {
        {"19=7", {}}, {"19=6.9", said({valve})}, {"19=20", said({tooHigh})}, // highest pressure 133 PSI
        {"19=100", said({tooHigh})}, // lowest pressure past the pump start curve
        {"24=2", {}}, {"24=30", {}}, {"24=1.9", said({height})}, {"24=30.1", said({height})}, {"24=40", said({height})},
        {"22=0.2", {}}, {"22=4", {}}, {"22=0.19", said({storage})}, {"22=4.1", said({storage})},
        {"27=2", {}}, {"27=6", {}}, {"27=7", said({starts})}, {"27=0", said({starts})}, // the check run says nothing
        {"22=4 24=30 27=2", said({tooLarge})}, // about 21800 litres
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.typed);
        storeRecord(QStringLiteral("FPBM = 10, MErAT = 6, MTZA = 0.5, TSPS = 4"));
        click("Label20");
        QStringList kv;
        for (const QString &pair : QString::fromLatin1(c.typed).split(QLatin1Char(' '))) {
            kv = pair.split(QLatin1Char('='));
            typeIn(("DBEdit" + kv[0]).toLatin1().constData(), kv[1]);
        }
        EXPECT_EQ(run("Label24"), c.messages);
        EXPECT_EQ(w("PTankTF")->isVisible(), !c.messages.isEmpty());
        if (!c.messages.isEmpty())
            click("Label41");
        else // posted as typed
            EXPECT_EQ(stored(kv[0] == "19" ? "FPBM" : kv[0] == "24" ? "MErAT" : kv[0] == "22" ? "MTZA" : "TSPS"),
                      kv[1].toDouble());
    }
    // Temperatures out of order: said, and the page's own inputs are kept.
    storeRecord(QStringLiteral("DamAbMa = 50"));
    click("Label20");
    EXPECT_EQ(run("Label24"), said({"دماهاي آب شهر و آب مخلوط و آب گرم بهداشتي را كنترل كنيد"}));
    EXPECT_FALSE(w("PTankTF")->isVisible());
}

TEST_F(U_15WaterTest, BookletRunsReadOnlyTheStoredRecord)
{
    for (const char *box : {"DBEdit19", "DBEdit27", "DBEdit1", "DBEdit11"}) // not read
        w<QLineEdit>(box)->setText(QStringLiteral("x"));
    const auto tank = FormT2->TankTF(2);
    EXPECT_EQ(std::tuple(std::round(tank.minPressurePsi * 100) / 100, tank.installation, tank.row),
              std::tuple(24.19, bv::sizing::TankInstallation::Vertical, 3));
    const auto hot = FormT2->MAbGMDJedar(2);
    EXPECT_EQ(std::pair(hot.row, std::round(hot.heatingSurfaceSqFt * 10) / 10), std::pair(7, 31.1));
    EXPECT_EQ(FormT2->SizeKontor(2).branchSize, QStringLiteral("3/4"));
    storeRecord(QStringLiteral("TeaSak = 10000")); // the storage-tank advice is the screen's alone
    EXPECT_TRUE(FormT2->SizeKontor(2).branchSize.isEmpty() && testsupport::takeMessages().isEmpty());
    EXPECT_EQ(ResultPanel, nullptr);
}

TEST_F(U_15WaterTest, AnotherProjectKeepsNothingOfTheKindList)
{
    storeRecord(QStringLiteral("Typ_MAM = 2"));
    click("Label19");
    ASSERT_EQ(w<QComboBox>("ComboBox8")->currentIndex(), 2);
    click("Label41");
    addProject({8});
    DM1->Database1->exec(QStringLiteral("INSERT INTO Tajhizat (Shproje, Typ_MAM) VALUES (8, -1)"));
    DM1->Table12->refresh();
    ASSERT_EQ(TFormT2::recordValue(QStringLiteral("Typ_MAM")), -1);
    FormT2->clearPages();
    click("Label19");
    EXPECT_EQ(w<QComboBox>("ComboBox8")->currentIndex(), -1);
    EXPECT_TRUE(w("DBEdit11")->isVisible() && !w("DBEdit21")->isVisible());
}

} // namespace

// An overlong number never reaches a calculation: typed, a box stops at 15
// digits before the point with its message; put there past the keys, the
// run stops on the box's message. Whatever a run shows carries no exponent:
// a storage time of 12 digits holds a water volume of 14, shown whole; one
// of 15 digits would hold 17, more than a double holds, and is refused
// (see U_15SpacesTest.AResultThatCannotBeShownStopsTheRun).
TEST_F(U_15WaterTest, NoNumberIsShownWithAnExponent)
{
    const QString refusal = QStringLiteral(" عدد معتبر است");
    click("Label20");
    typeIn("DBEdit22", QStringLiteral("12345678901234567890123"));
    EXPECT_EQ(w<QLineEdit>("DBEdit22")->text(), QStringLiteral("123456789012345"));
    EXPECT_EQ(testsupport::takeMessages(), QStringList(8, refusal));
    w<QLineEdit>("DBEdit22")->setText(QStringLiteral("123456789012"));
    EXPECT_TRUE(run("Label39").isEmpty());
    ASSERT_TRUE(panelShown());
    const QStringList shown = values(8);
    for (const QString &v : shown)
        EXPECT_FALSE(v.contains(QLatin1Char('E'), Qt::CaseInsensitive)) << v.toStdString();
    EXPECT_EQ(shown[1].size(), 14);

    for (const char *box : {"DBEdit19", "DBEdit22"}) {
        w<QLineEdit>(box)->setText(QStringLiteral("12345678901234567890123"));
        EXPECT_EQ(run("Label39"), QStringList{refusal});
        EXPECT_FALSE(panelShown());
        w<QLineEdit>(box)->setText(QStringLiteral("1"));
    }
}

// What the other-uses box shows is what Save stores: marks typed among its
// digits go nowhere, the Persian decimal key is the point, and a text that
// is no number is refused with the box's own message, the stored value kept.
TEST_F(U_15WaterTest, OtherUsesStoresWhatItsBoxShows)
{
    const struct {
        const char *typed, *shown;
        double stored;
        QStringList messages;
    } cases[] = {
        {"\u200F30", "30", 30, {}},
        {"2\u200C0", "20", 20, {}},
        {"20٫5", "20.5", 20.5, {}},
        {".", ".", 7, said({" عدد معتبر است"})},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.typed);
        storeRecord(QStringLiteral("Typ_MAM = 0, T_Pomp = 1, Randeman = 80, Z_Et = 10, T_Manba = 1, S_masaref = 7"));
        click("Label19");
        auto *box = w<QLineEdit>("DBEdit6");
        box->setFocus();
        QTest::keySequence(box, QKeySequence::SelectAll);
        typeInto(box, u(c.typed));
        EXPECT_EQ(box->text(), u(c.shown));
        EXPECT_EQ(run("Label24"), c.messages);
        EXPECT_EQ(stored("S_masaref"), c.stored);
        if (!c.messages.isEmpty()) {
            EXPECT_EQ(FormT2->focusWidget(), box);
            click("Label41");
        }
    }
}
