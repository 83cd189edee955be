// The main water branch, the hot-water tank page and the pressure-tank page
// of the equipment window, driven by clicks and key presses: Calculate with
// its result panel, runs that stop, the tank kind switch, the keys, Save's
// checks, the booklet runs and a change of project.
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
        // An apartment building: 4 private toilets, 2 bathtubs, 4 showers,
        // city / mixed / hot water 50 / 110 / 140 F, boiler water 180 F,
        // 10 occupants, land 5000, yard 1000, built 8000 sq.ft, 30 ft high,
        // 100 ft of return pipe at 2 ft per 100 ft, 1500 ft above the sea.
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
    static QStringList calculate()
    {
        testsupport::takeMessages();
        click("Label39");
        return testsupport::takeMessages();
    }
    static QStringList save()
    {
        testsupport::takeMessages();
        click("Label24");
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
        return rows(QStringLiteral("SELECT %1 FROM Tajhizat WHERE Shproje = 7").arg(QLatin1String(field)))
            .rows.value(0)
            .value(0)
            .toDouble();
    }
};

TEST_F(U_15WaterTest, MainBranchCalculatesFromTheRecord)
{
    click("Label18");
    EXPECT_TRUE(calculate().isEmpty());
    ASSERT_TRUE(panelShown());
    EXPECT_EQ(ResultPanel->geometry(), QRect(210, 70, 225, 130));
    EXPECT_EQ(values(4), QStringList({"3", "10", "0.71", "3/4"}));
    EXPECT_EQ(ResultCaptions[4]->text(), u(":(In)قطر لوله انشعاب"));

    // Mixed water as hot as the hot water: the message alone, the earlier panel gone.
    storeRecord(QStringLiteral("DamAbMa = 140"));
    EXPECT_EQ(calculate(), said({"دماهاي آب شهر و آب مخلوط و آب گرم بهداشتي را كنترل كنيد"}));
    EXPECT_FALSE(panelShown());
}

TEST_F(U_15WaterTest, HotWaterTankCalculatesEachKind)
{
    click("Label19");
    EXPECT_EQ(FormT2->focusWidget(), w("ComboBox8"));
    // Rows PF, flow, head, power, altitude factor, then the kind's own rows.
    const struct {
        int kind;
        QStringList rows;
    } cases[] = {
        {0, {"1.2", "1", "3.6", "0.002", "1.1", "452", "0.35", "1.25", "218", "203848", "80.68", "31.1"}},
        {1, {"1.2", "1", "3.6", "0.002", "1.1", "452", "0.35", "1.25", "218", "203848", "80.68", "17.73"}},
    };
    for (const auto &c : cases) {
        w<QComboBox>("ComboBox8")->setCurrentIndex(c.kind);
        EXPECT_TRUE(calculate().isEmpty()) << c.kind;
        EXPECT_TRUE(panelShown());
        EXPECT_EQ(ResultPanel->width(), c.kind == 0 ? 510 : 520);
        EXPECT_EQ(values(12), c.rows) << c.kind;
    }
    // Steam at 0 PSI: saturation 212 F; the factors swap places.
    w<QComboBox>("ComboBox8")->setCurrentIndex(2);
    EXPECT_TRUE(calculate().isEmpty());
    const QStringList steam = values(18);
    EXPECT_EQ(steam.mid(8, 3), QStringList({"452", "1.25", "0.35"}));
    EXPECT_EQ(std::pair(steam[11], steam[15]), std::pair(QStringLiteral("218"), QStringLiteral("212")));
}

TEST_F(U_15WaterTest, StoppedRunsShowOnlyTheirMessage)
{
    const struct {
        const char *page, *box, *text;
        QStringList messages;
    } cases[] = {
        {"Label19", "DBEdit1", "0", said({"راندمان مبدل را تصحيح كنيد"})},
        {"Label19", "DBEdit11", "0", said({"تعداد مبدل را تعيين كنيد"})},
        {"Label20", "DBEdit27", "0", said({"تعداد استارت پمپ در هر ساعت را وارد كنيد"})},
        {"Label20", "DBEdit24", "40", said({"ارتفاع مورد نياز آب در تانك بايد بين 2 و 30 باشد"})},
        // A text the filters would not let in names the box.
        {"Label20", "DBEdit27", "1.5", {u("مقدار «%1» عدد معتبر نيست").arg(u("تعداد استارت پمپ در هر ساعت"))}},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.box);
        click(c.page);
        calculate();
        ASSERT_TRUE(panelShown());
        w<QLineEdit>(c.box)->setText(QString::fromLatin1(c.text));
        EXPECT_EQ(calculate(), c.messages);
        EXPECT_FALSE(panelShown());
        click("Label41");
    }
}

TEST_F(U_15WaterTest, PressureTankCalculatesTheWorkedBuilding)
{
    click("Label20");
    EXPECT_EQ(FormT2->focusWidget(), w("DBEdit19"));
    EXPECT_TRUE(calculate().isEmpty());
    ASSERT_TRUE(panelShown());
    EXPECT_EQ(values(8), QStringList({"479", "59.93", "92.61", "24.19", "104", "452", "226", u("عمودي")}));
    EXPECT_EQ(std::pair(ResultCaptions[8]->pos(), ResultCaptions[8]->text()),
              std::pair(QPoint(240, 33), u(":حالت نصب تانك")));
}

TEST_F(U_15WaterTest, TankKindSwitchAndTheKeysOfBothPages)
{
    storeRecord(QStringLiteral("Typ_MAM = 2"));
    click("Label19");
    auto *kind = w<QComboBox>("ComboBox8");
    const auto steamRow = [] { return w("DBEdit21")->isVisible() && !w("DBEdit11")->isVisible(); };
    EXPECT_EQ(kind->currentIndex(), 2);
    EXPECT_TRUE(steamRow());
    press(FormT2, Qt::Key_Up); // the list has the focus
    EXPECT_EQ(kind->currentIndex(), 1);
    EXPECT_TRUE(w("DBEdit11")->isVisible() && !w("DBEdit21")->isVisible());
    // Enter runs along the page; after the pumps, the row the kind shows.
    const char *chain[] = {"DBEdit6", "DBEdit10", "DBEdit1", "DBEdit3", "DBEdit11", "DBEdit2", "DBEdit4", "ComboBox8"};
    for (const char *next : chain) {
        press(FormT2, Qt::Key_Return);
        EXPECT_EQ(FormT2->focusWidget(), w(next)) << next;
    }
    kind->setCurrentIndex(2);
    w("DBEdit3")->setFocus();
    press(FormT2, Qt::Key_Return);
    EXPECT_EQ(FormT2->focusWidget(), w("DBEdit21"));
    kind->setCurrentIndex(-1); // no kind: the rows stay
    EXPECT_TRUE(steamRow());
    click("Label41");

    // Pump starts: whole numbers only, Enter back to the first box.
    click("Label20");
    typeIn("DBEdit27", QStringLiteral("3."));
    EXPECT_EQ(testsupport::takeMessages(), QStringList({QStringLiteral(" عدد صحيح معتبر است")}));
    EXPECT_EQ(w<QLineEdit>("DBEdit27")->text(), QStringLiteral("3"));
    press(FormT2, Qt::Key_Return);
    EXPECT_EQ(FormT2->focusWidget(), w("DBEdit19"));
    typeIn("DBEdit22", QStringLiteral("0.5x"));
    EXPECT_EQ(testsupport::takeMessages(), QStringList({QStringLiteral(" عدد معتبر است")}));
    press(FormT2, Qt::Key_Return);
    EXPECT_EQ(FormT2->focusWidget(), w("DBEdit27"));
}

TEST_F(U_15WaterTest, SaveChecksTheHotWaterTankPage)
{
    const char *efficiency = "راندمان مبدل بين 75 و 95 قابل قبول است", *otherUses = "ساير مصارف بين 0 و 500 مورد قبول است",
               *safety = "ضريب اطمينان بين 10 و 100 مورد تاييد است",
               *tanks = "تعدادمنابع بين 1 و 80 مورد قبول است",
               *steam = "فشار بخار ورودي به مبدل بين 5 و 150 قابل قبول است";
    const struct {
        int kind;
        const char *box, *text;
        QStringList messages; // empty: saved
    } cases[] = {
        {0, "DBEdit1", "75", {}},         {1, "DBEdit1", "95", {}},         {0, "DBEdit1", "74", said({efficiency})},
        {0, "DBEdit1", "96", said({efficiency})},                           {0, "DBEdit6", "500", {}},
        {0, "DBEdit6", "500.5", said({otherUses})},                         {0, "DBEdit10", "100", {}},
        {0, "DBEdit10", "9", said({safety})},                               {0, "DBEdit10", "101", said({safety})},
        {1, "DBEdit11", "80", {}},        {0, "DBEdit11", "0", said({tanks})},
        {1, "DBEdit11", "81", said({tanks})},                               {2, "DBEdit21", "5", {}},
        {2, "DBEdit21", "150", {}},       {2, "DBEdit21", "4.9", said({steam})},
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
        const QStringList messages = save();
        const bool saved = !w("PMADoJ")->isVisible();
        EXPECT_EQ(saved, c.messages.isEmpty() || QLatin1String(c.box) == QLatin1String("DBEdit3"));
        EXPECT_EQ(messages, c.messages);
        if (!saved)
            click("Label41");
        // The kind is written by Save only when it posts.
        EXPECT_EQ(stored("Typ_MAM"), saved ? c.kind : -1);
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
        const char *box, *text;
        QStringList messages;
    } cases[] = {
        {"DBEdit19", "7", {}},    {"DBEdit19", "6.9", said({valve})},
        {"DBEdit19", "20", said({tooHigh})},  // highest pressure 133 PSI
        {"DBEdit19", "100", said({tooHigh})}, // lowest pressure past the pump start curve
        {"DBEdit24", "2", {}},    {"DBEdit24", "30", {}},    {"DBEdit24", "1.9", said({height})},
        {"DBEdit24", "30.1", said({height})}, {"DBEdit24", "40", said({height})},
        {"DBEdit22", "0.2", {}},  {"DBEdit22", "4", {}},     {"DBEdit22", "0.19", said({storage})},
        {"DBEdit22", "4.1", said({storage})},
        {"DBEdit27", "2", {}},    {"DBEdit27", "6", {}},     {"DBEdit27", "7", said({starts})},
        {"DBEdit27", "0", said({starts})}, // the check run says nothing of its own
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(std::string(c.box) + " " + c.text);
        click("Label20");
        typeIn(c.box, QString::fromLatin1(c.text));
        EXPECT_EQ(save(), c.messages);
        EXPECT_EQ(w("PTankTF")->isVisible(), !c.messages.isEmpty());
        if (c.messages.isEmpty())
            EXPECT_EQ(stored(c.box == std::string("DBEdit19")   ? "FPBM"
                             : c.box == std::string("DBEdit24") ? "MErAT"
                             : c.box == std::string("DBEdit22") ? "MTZA"
                                                                : "TSPS"),
                      QString::fromLatin1(c.text).toDouble());
        else
            click("Label41");
        storeRecord(QStringLiteral("FPBM = 10, MErAT = 6, MTZA = 0.5, TSPS = 4"));
    }
    // Above 18900 litres (about 21800 at 2 starts, 4 h, 30 in).
    click("Label20");
    typeIn("DBEdit22", QStringLiteral("4"));
    typeIn("DBEdit24", QStringLiteral("30"));
    typeIn("DBEdit27", QStringLiteral("2"));
    EXPECT_EQ(save(), said({tooLarge}));
    click("Label41");
    // Temperatures out of order: said, and the page's own inputs are kept.
    storeRecord(QStringLiteral("DamAbMa = 50"));
    click("Label20");
    EXPECT_EQ(save(), said({"دماهاي آب شهر و آب مخلوط و آب گرم بهداشتي را كنترل كنيد"}));
    EXPECT_FALSE(w("PTankTF")->isVisible());
}

TEST_F(U_15WaterTest, BookletRunsReadOnlyTheStoredRecord)
{
    // Page boxes that say otherwise are not read.
    for (const char *box : {"DBEdit19", "DBEdit27", "DBEdit1", "DBEdit11"})
        w<QLineEdit>(box)->setText(QStringLiteral("x"));
    const auto tank = FormT2->TankTF(2);
    EXPECT_EQ(std::round(tank.minPressurePsi * 100) / 100, 24.19);
    EXPECT_EQ(std::pair(tank.installation, tank.row), std::pair(bv::equipment::TankInstallation::Vertical, 3));
    const auto hot = FormT2->MAbGMDJedar(2);
    EXPECT_EQ(std::pair(hot.row, std::round(hot.heatingSurfaceSqFt * 10) / 10), std::pair(7, 31.1));
    const auto branch = FormT2->SizeKontor(2);
    EXPECT_EQ(std::pair(branch.governing, branch.branchSize), std::pair(1, QStringLiteral("3/4")));
    EXPECT_EQ(FormT2->MaxMAbGVBeh().peakGph, 452);
    EXPECT_TRUE(testsupport::takeMessages().isEmpty());
    EXPECT_EQ(ResultPanel, nullptr);
    // The storage-tank advice is the screen's alone; the temperatures are said in every mode.
    storeRecord(QStringLiteral("TeaSak = 10000"));
    EXPECT_TRUE(FormT2->SizeKontor(2).branchSize.isEmpty());
    EXPECT_TRUE(testsupport::takeMessages().isEmpty());
    storeRecord(QStringLiteral("DamAbMa = 140"));
    EXPECT_TRUE(FormT2->TankTF(2).stopped);
    EXPECT_EQ(testsupport::takeMessages(), said({"دماهاي آب شهر و آب مخلوط و آب گرم بهداشتي را كنترل كنيد"}));
}

TEST_F(U_15WaterTest, AnotherProjectKeepsNothingOfTheKindList)
{
    storeRecord(QStringLiteral("Typ_MAM = 2"));
    click("Label19");
    ASSERT_EQ(w<QComboBox>("ComboBox8")->currentIndex(), 2);
    click("Label41");
    ProjectData other;
    other.number = 8;
    addProject(other);
    DM1->Database1->exec(QStringLiteral("INSERT INTO Tajhizat (Shproje, Typ_MAM) VALUES (8, -1)"));
    DM1->Table12->refresh();
    ASSERT_EQ(TFormT2::recordValue(QStringLiteral("Typ_MAM")), -1);
    FormT2->clearPages();
    click("Label19");
    EXPECT_EQ(w<QComboBox>("ComboBox8")->currentIndex(), -1);
    EXPECT_TRUE(w("DBEdit11")->isVisible() && !w("DBEdit21")->isVisible());
}

} // namespace
