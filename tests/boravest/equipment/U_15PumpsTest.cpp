// The pool and jacuzzi pump pages and the circulation pump page with its
// fittings grid, driven through the equipment window: opening, Calculate,
// Save's checks, the fitting lists through the record, keys and clearing.
#include "boravest/building/PageFixture.h"
#include "ResultPanelTestUtil.h"

#include "boravest/sizing/Catalogues.h"
#include "boravest/equipment/U_15.h"
#include "platform/ui/ClickLabel.h"
#include "platform/ui/DbControls.h"
#include "platform/common/Numbers.h"

#include <QFrame>
#include <QLineEdit>

using namespace pagetest;
using namespace bv::sizing;

namespace {

const QString kRevise = QStringLiteral("در طراحي سيستم لوله كشي تجديد نظر كنيد");

using Values = std::vector<std::pair<const char *, QVariant>>;

// 432000 Btu/h (typed into the load box), 20 °F, one pump at 60 %, welded
// pipe 100 %, drops 10 and 5 ft, 100 ft to the farthest radiator, three
// threaded 2 in globe valves (162 ft), 2.5 ft per 100 ft, altitude 0.
const Values kCirculation = {{"OfteFeshar", 2.5}, {"EkhtDama", 20},       {"TolRadiat", 100}, {"ErtefaS", 30},
                             {"Oft_F_B_U_Sir", 5}, {"Oft_F_D_K_Sir", 10}, {"K_B_L_Sir", 100}, {"Te_Sir", 1},
                             {"Rand_sir", 60},    {"Sh_F_T_Sir", QStringLiteral(",,,,,3,,,,,,,,,,,,,,,,,,")}};

// The pool of the pump sizing's worked case: 30000 gal in 6 h by two pumps,
// one filter, drops 5, 10, 8 ft, one exchanger pump, shell 3 ft, boiler 4 ft.
const Values kPool = {{"Typ_M_Est", 0},       {"Mass_Est", 1},         {"G_Ab_Est", 6},        {"Oft_Fesh_K_Est", 5},
                      {"Oft_Fesh_F_Est", 10}, {"Oft_Fesh_Sh_Est", 8},  {"Rand_m1E", 60},       {"Oft_Fesh_P_M_Est", 3},
                      {"Oft_Fesh_D_Est", 4},  {"Te_Pmp_D_Est", 1},     {"Rand_m2E", 60},       {"T_filter_es", 1},
                      {"Te_Pmp_Est", 2},      {"Typ_M_Jak", 0},        {"Mass_Jak", 1},        {"G_Ab_Jak", 2},
                      {"Oft_fesh_K_Jak", 5},  {"Oft_Fesh_F_Jak", 5},   {"Oft_Fesh_Sh_Jak", 4}, {"Rand_m1J", 60},
                      {"Oft_Fesh_P_M_Jak", 3}, {"Oft_Fesh_D_Jak", 2},  {"Te_Pmp_D_Jak", 1},    {"Rand_m2J", 60},
                      {"T_filter_jk", 1},     {"Te_Pmp_Jak", 1},       {"EkhtDama", 20},       {"OfteFeshar", 2.5}};

class U_15PumpsTest : public PageFixture {
protected:
    void SetUp() override
    {
        PageFixture::SetUp();
        if (HasFatalFailure())
            return;
        // Exchanger efficiencies set, so that the boiler and exchanger
        // sizings the openers run in report mode stay quiet.
        DM1->Database1->exec(
            QStringLiteral("INSERT INTO Tajhizat (Shproje, Randeman, Rand_Est, Rand_Jak, Te_Dig, Rand_Dig) VALUES (?, 80, 80, 80, 1, 80)"),
            {project.number});
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

    // Writes fields of the stored record (the window not editing it).
    static void store(const Values &values)
    {
        for (const auto &[field, value] : values)
            DM1->Database1->exec(QStringLiteral("UPDATE Tajhizat SET \"%1\" = ?").arg(QString::fromLatin1(field)),
                                 {value});
        DM1->Table12->refresh();
    }
    static QVariant stored(const char *field)
    {
        return rows(QStringLiteral("SELECT \"%1\" FROM Tajhizat").arg(QString::fromLatin1(field))).rows.value(0).value(0);
    }
    template <class T = QLineEdit> static T *w(const QString &name)
    {
        T *c = FormT2->findChild<T *>(name);
        EXPECT_NE(c, nullptr) << name.toStdString();
        return c;
    }
    static QLineEdit *box(const char *name) { return w(QString::fromLatin1(name)); }
    static QLineEdit *fitting(int row, int size)
    {
        return w(QStringLiteral("Fitting%1_%2").arg(row, 2, 10, QLatin1Char('0')).arg(size, 2, 10, QLatin1Char('0')));
    }
    static void click(const char *name) { w<pf::ui::ClickLabel>(QString::fromLatin1(name))->click(); }
    static bool panelShown() { return ResultPanel && ResultPanel->isVisible(); }
    static QStringList values(int rows)
    {
        QStringList out;
        for (int i = 1; i <= rows; ++i)
            out << (ResultValues[i] ? ResultValues[i]->text() : QStringLiteral("?"));
        return out;
    }
    static void openPool(const char *label)
    {
        click(label[5] == '6' ? "Label2" : "Label5");
        click(label);
    }
};

TEST_F(U_15PumpsTest, CirculationPumpWorkedCaseStoresOnlyTheHead)
{
    store(kCirculation);
    click("Label13");
    testsupport::takeMessages(); // the boiler sizing behind the load box
    ASSERT_TRUE(w<QFrame>(QStringLiteral("PPSiS"))->isVisible());
    EXPECT_EQ(fitting(13, 6)->text(), QStringLiteral("3")); // loaded from the stored list
    EXPECT_EQ(FormT2->focusWidget(), box("DBEdit94"));
    box("Edit58")->setText(QStringLiteral("432000"));
    // An unchecked edit elsewhere in the record must not be posted.
    DM1->Table12->fieldByName(QStringLiteral("Masa_z")).setValue(999);
    click("Label39");
    EXPECT_TRUE(testsupport::takeMessages().isEmpty());
    ASSERT_TRUE(panelShown());
    eqtest::expectClearOfResultPanel(w<QFrame>(QStringLiteral("PPSiS")));
    EXPECT_EQ(values(6), (QStringList{"1", "162", "24.05", "43.22", "1", "0.437"}));
    EXPECT_EQ(ResultCaptions[2]->text(), QStringLiteral(":(ft)طول معادل براي اتصالات و شيرها"));
    EXPECT_DOUBLE_EQ(stored("Hed_pmpsir").toDouble(), 24.05);
    EXPECT_TRUE(stored("Masa_z").isNull());
    EXPECT_EQ(DM1->Table12->state(), pf::db::DatasetState::Edit);
    click("Label41"); // Cancel keeps the stored head
    EXPECT_DOUBLE_EQ(DM1->Table12->fieldByName(QStringLiteral("Hed_pmpsir")).asFloat(), 24.05);

    // Above the building height: the message, no values, nothing stored on
    // screen; the report run stores the head all the same.
    store({{"ErtefaS", 24}, {"Hed_pmpsir", 0}});
    click("Label13");
    testsupport::takeMessages(); // the boiler sizing behind the load box
    box("Edit58")->setText(QStringLiteral("432000"));
    click("Label39");
    EXPECT_EQ(testsupport::takeMessages(), QStringList{kRevise});
    EXPECT_FALSE(panelShown());
    EXPECT_DOUBLE_EQ(stored("Hed_pmpsir").toDouble(), 0);
    click("Label41");
    const CirculationPumpResults report = FormT2->PmpSir(2);
    EXPECT_EQ(testsupport::takeMessages(), QStringList{kRevise});
    EXPECT_NEAR(report.head, 24.05, 1e-9);
    EXPECT_DOUBLE_EQ(stored("Hed_pmpsir").toDouble(), 24.05);

    // A stopped run: only its message.
    store({{"Te_Sir", QVariant()}});
    click("Label13");
    testsupport::takeMessages(); // the boiler sizing behind the load box
    click("Label39");
    EXPECT_EQ(testsupport::takeMessages(), QStringList{QStringLiteral("تعداد پمپ سيركولاتور سيستم را مشخص كنيد")});
    EXPECT_FALSE(panelShown());
}

TEST_F(U_15PumpsTest, PoolAndJacuzziPumpsShowTheSizingOfTheirPage)
{
    store(kPool);
    const struct {
        const char *label, *page;
        int type, rows;
        PumpsResults (TFormT2::*run)(short);
        PumpsResults (*size)(const PumpsInputs &);
        PumpsInputs in;
    } cases[] = {
        {"Label124", "PEsSir", 0, 15, &TFormT2::EstakhPmpSir, &sizePoolPumps,
         {false, 30000, 242484, 5, 10, 8, 60, 3, 4, 1, 60, 1, 2, 6, ExchangerHotWater, 20, 2.5, 0}},
        {"Label124", "PEsSir", 1, 8, &TFormT2::EstakhPmpSir, &sizePoolPumps,
         {false, 30000, 242484, 5, 10, 8, 60, 3, 4, 1, 60, 1, 2, 6, 1, 20, 2.5, 0}},
        {"Label69", "PJakoziSir", 0, 15, &TFormT2::JakoziPmpSir, &sizeJacuzziPumps,
         {false, 400, 60000, 5, 5, 4, 60, 3, 2, 1, 60, 1, 1, 2, ExchangerHotWater, 20, 2.5, 0}},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.rows);
        store({{c.page[1] == 'E' ? "Typ_M_Est" : "Typ_M_Jak", c.type}});
        openPool(c.label);
        ASSERT_TRUE(w<QFrame>(QString::fromLatin1(c.page))->isVisible());
        EXPECT_EQ(box(c.page[1] == 'E' ? "DBEdit68" : "DBEdit30")->isVisible(), c.type == 0);
        // The exchanger sizing fills the volume and energy boxes; here they
        // are typed as it would show them.
        box(c.page[1] == 'E' ? "Edit29" : "Edit32")->setText(pf::floatToStr(c.in.waterVolume));
        box(c.page[1] == 'E' ? "Edit30" : "Edit33")->setText(pf::floatToStr(c.in.heatEnergy));
        const PumpsResults shown = (FormT2->*c.run)(1);
        const PumpsResults expected = c.size(c.in);
        EXPECT_EQ(shown.pumpHead, expected.pumpHead);
        ASSERT_TRUE(panelShown());
        eqtest::expectClearOfResultPanel(w<QFrame>(QString::fromLatin1(c.page)));
        QStringList texts = values(c.rows);
        EXPECT_TRUE(texts.contains(TFormT2::roundText(expected.flowPerPump)) &&
                    texts.contains(TFormT2::roundText(expected.pumpPower)) && texts.contains(expected.pipe.sizeName));
        if (c.rows == 15) {
            EXPECT_EQ(texts.mid(0, 2), (QStringList{TFormT2::roundText(expected.exchangerPumpHead),
                                                    TFormT2::roundText(expected.flowPerExchangerPump)}));
        }
        click("Label41");
    }
    // The pool case of the sizing's tests row by row.
    store({{"Typ_M_Est", 0}});
    openPool("Label124");
    box("Edit29")->setText(QStringLiteral("30000"));
    box("Edit30")->setText(QStringLiteral("242484"));
    FormT2->EstakhPmpSir(1);
    EXPECT_EQ(values(15).mid(7), (QStringList{"33", "4250", "3", "4.5", "105", "99", "0.984", "5000"}));
    click("Label41");

    // A stopped run shows its message only; an exchanger type not chosen
    // keeps the page closed.
    testsupport::takeMessages();
    store({{"Te_Pmp_Est", 0}});
    openPool("Label124");
    FormT2->EstakhPmpSir(1);
    EXPECT_EQ(testsupport::takeMessages(), QStringList{QStringLiteral("تعداد پمپ استخر را مشخص نماييد")});
    EXPECT_FALSE(panelShown());
    click("Label41");
    store({{"Typ_M_Est", -1}});
    openPool("Label124");
    EXPECT_EQ(testsupport::takeMessages(), QStringList{QStringLiteral("ابتدا اطلاعات مربوط به مبدل استخر را وارد كنيد")});
    EXPECT_FALSE(w<QFrame>(QStringLiteral("PEsSir"))->isVisible());
}

TEST_F(U_15PumpsTest, SaveChecksEachRangeWithItsMessage)
{
    store(kPool);
    const struct {
        bool (TFormT2::*save)();
        const char *box;
        bool whole;
        double low, high;
        const char *message;
    } cases[] = {
        {&TFormT2::savePoolPumpsPage, "DBEdit65", false, 4, 24, "مدت زمان گردش آب را تصحيح كنيد"},
        {&TFormT2::savePoolPumpsPage, "DBEdit64", false, 2.5, 12, "افت فشار كويل را تصحيح كنيد"},
        {&TFormT2::savePoolPumpsPage, "DBEdit67", false, 2.5, 12, "افت فشار ايجادشده در لوله و اتصالات را تصحيح كنيد"},
        {&TFormT2::savePoolPumpsPage, "DBEdit66", false, 2.5, 12, "افت فشار در فيلترهارا تصحيح كنيد"},
        {&TFormT2::savePoolPumpsPage, "DBEdit68", false, 2.5, 12, "افت فشار پوسته مبدل را تصحيح كنيد"},
        {&TFormT2::savePoolPumpsPage, "DBEdit69", false, 2.5, 12, "افت فشار آب در ديگ را تصحيح كنيد"},
        {&TFormT2::savePoolPumpsPage, "DBEdit70", true, 1, 10, "تعداد پمپ گردش آب استخر را تصحيح كنيد"},
        {&TFormT2::savePoolPumpsPage, "DBEdit71", true, 1, 10, "تعداد پمپ آبگرم گردشي مبدل را تصحيح كنيد"},
        {&TFormT2::savePoolPumpsPage, "DBEdit103", true, 50, 90, "راندمان الكتروپمپ آبگرم گردشي را تصحيح كنيد"},
        {&TFormT2::savePoolPumpsPage, "DBEdit104", true, 50, 90, "راندمان الكتروپمپ گردش آب استخر را تصحيح كنيد"},
        {&TFormT2::saveJacuzziPumpsPage, "DBEdit26", false, 2, 10, "مدت زمان گردش آب تصفيه بين 2 تا 10 ساعت مورد قبول است"},
        {&TFormT2::saveJacuzziPumpsPage, "DBEdit25", false, 3, 12, "افت فشار در كويل را تصحيح كنيد"},
        {&TFormT2::saveJacuzziPumpsPage, "DBEdit28", false, 3, 12, "افت فشار در فيلترهارا تصحيح كنيد"},
        {&TFormT2::saveJacuzziPumpsPage, "DBEdit29", false, 1, 10, "افت فشار ايجادشده در لوله و اتصالات مربوطه را تصحيح كنيد"},
        {&TFormT2::saveJacuzziPumpsPage, "DBEdit30", false, 3, 12, "افت فشار در پوسته مبدل را تصحيح كنيد"},
        {&TFormT2::saveJacuzziPumpsPage, "DBEdit31", false, 1, 4, "افت فشار آب در ديگ را تصحيح كنيد"},
        {&TFormT2::saveJacuzziPumpsPage, "DBEdit32", true, 1, 4, "تعداد پمپ تصفيه جكوزي را تصحيح كنيد"},
        {&TFormT2::saveJacuzziPumpsPage, "DBEdit33", true, 1, 4, "تعداد پمپ آبگرم گردشي مبدل را تصحيح كنيد"},
        {&TFormT2::saveJacuzziPumpsPage, "DBEdit106", true, 50, 90, "راندمان الكتروپمپ گردش آب جكوزي را تصحيح كنيد"},
        {&TFormT2::saveJacuzziPumpsPage, "DBEdit105", true, 50, 98, "راندمان الكتروپمپ آبگرم گردشي را تصحيح كنيد"},
        {&TFormT2::saveCirculationPumpPage, "DBEdit98", false, 0, 98, "كيفيت برقوزني در لوله ها را تصحيح كنيد"},
        {&TFormT2::saveCirculationPumpPage, "DBEdit97", true, 1, 50, "تعداد پمپ سيركولاتور سيستم را تصحيح كنيد"},
        {&TFormT2::saveCirculationPumpPage, "DBEdit107", true, 50, 95, "راندمان الكتروپمپ را تصحيح كنيد"},
    };
    store({{"Te_Sir", 1}, {"Rand_sir", 60}, {"K_B_L_Sir", 50}});
    click("Label13"); // the circulation page's boxes show the stored record
    for (const auto &c : cases) {
        SCOPED_TRACE(c.box);
        QLineEdit *b = box(c.box);
        const QString before = b->text();
        const double step = c.whole ? 1 : 0.5;
        for (double v : {c.low, c.high, c.low - step, c.high + step}) {
            if (v < 0)
                continue; // a minus sign is no number for the box
            b->setText(pf::floatToStr(v));
            const bool ok = (FormT2->*c.save)();
            const bool inside = v >= c.low && v <= c.high;
            EXPECT_EQ(ok, inside) << v;
            EXPECT_EQ(testsupport::takeMessages(), inside ? QStringList() : QStringList{QString::fromUtf8(c.message)});
        }
        b->setText(before);
    }
    // With a steam exchanger the hidden hot-water pump boxes are not checked.
    click("Label41");
    store({{"Typ_M_Est", 1}, {"Oft_Fesh_P_M_Est", QVariant()}, {"Oft_Fesh_D_Est", QVariant()},
           {"Te_Pmp_D_Est", QVariant()}, {"Rand_m2E", QVariant()}});
    EXPECT_TRUE(FormT2->savePoolPumpsPage());
    store({{"Typ_M_Est", 0}});
    EXPECT_FALSE(FormT2->savePoolPumpsPage());
    EXPECT_EQ(testsupport::takeMessages(), QStringList{QStringLiteral("افت فشار پوسته مبدل را تصحيح كنيد")});
}

TEST_F(U_15PumpsTest, FittingListsRoundTripThroughTheRecord)
{
    store({{"Te_Sir", 1}, {"Rand_sir", 60}, {"K_B_L_Sir", 90}});
    // An empty grid stores a comma for each box of each list.
    click("Label13");
    testsupport::takeMessages(); // the boiler sizing behind the load box
    click("Label24");
    ASSERT_TRUE(testsupport::takeMessages().isEmpty());
    EXPECT_FALSE(w<QFrame>(QStringLiteral("PPSiS"))->isVisible());
    const int items[] = {28, 28, 28, 28, 28, 28, 23, 23, 30, 23, 38, 30, 18};
    for (int i = 0; i < 13; ++i)
        EXPECT_EQ(stored(fittingListFields()[i].toLatin1().constData()).toString(), QString(items[i], QLatin1Char(',')))
            << i;

    // Counts typed in come back from the record after the grid was cleared.
    const struct { int row, size; const char *count; } counts[] = {{1, 1, "2"}, {2, 19, "7"}, {16, 6, "1"}, {26, 9, "12"}};
    click("Label13");
    testsupport::takeMessages(); // the boiler sizing behind the load box
    for (const auto &c : counts) {
        fitting(c.row, c.size)->setFocus();
        QTest::keyClicks(fitting(c.row, c.size), QString::fromLatin1(c.count));
    }
    click("Label24");
    ASSERT_TRUE(testsupport::takeMessages().isEmpty());
    EXPECT_EQ(stored("Bosh_Mohre").toString(), QString(17, QLatin1Char(',')) + QStringLiteral("12,"));
    FormT2->clearPages();
    EXPECT_TRUE(fitting(1, 1)->text().isEmpty());
    click("Label13");
    testsupport::takeMessages(); // the boiler sizing behind the load box
    for (const auto &c : counts)
        EXPECT_EQ(fitting(c.row, c.size)->text(), QString::fromLatin1(c.count));
    EXPECT_EQ(FormT2->MoTMEtvSh(1).length, FormT2->MoTMEtvSh(3).length);
    EXPECT_DOUBLE_EQ(FormT2->MoTMEtvSh(3).length, 2 * 3.6 + 7 * 30 + 1 * 2.6 + 12 * 0.65);
    click("Label41");

    // Another project whose lists are empty shows an empty grid, and the
    // boxes the openers fill are emptied before a project is shown.
    store({{"Z_90_K_Sir", QVariant()}, {"Z_90_B_Sir", QVariant()}, {"Sh_F_K_Sir", QStringLiteral(",")}, {"Bosh_Mohre", QVariant()}});
    click("Label13");
    testsupport::takeMessages(); // the boiler sizing behind the load box
    for (const auto &c : counts)
        EXPECT_TRUE(fitting(c.row, c.size)->text().isEmpty()) << c.row;
    click("Label41");
    for (const char *b : {"Edit58", "Edit29", "Edit30", "Edit32", "Edit33"})
        box(b)->setText(QStringLiteral("432000"));
    FormT2->clearPages();
    for (const char *b : {"Edit58", "Edit29", "Edit30", "Edit32", "Edit33"})
        EXPECT_TRUE(box(b)->text().isEmpty()) << b;
}

TEST_F(U_15PumpsTest, KeysOfThePumpPages)
{
    store(kPool);
    const QString whole = QStringLiteral(" عدد صحيح معتبر است");
    const struct {
        const char *opener, *box;
        Qt::Key key;
        QStringList messages;
        const char *focus; // after the key
        int steam = -1;    // stored exchanger type to set first
    } cases[] = {
        {"Label13", "Fitting05_03", Qt::Key_A, {whole}, "Fitting05_03"},
        {"Label13", "Fitting05_03", Qt::Key_Return, {QStringLiteral("\u200Eاستفاده كنيد Tab  براي پيمايش فيلدها از كليد")}, "Fitting05_03"},
        {"Label13", "DBEdit97", Qt::Key_Return, {}, "DBEdit94"},
        {"Label124", "DBEdit104", Qt::Key_Period, {whole}, "DBEdit104"},
        {"Label124", "DBEdit65", Qt::Key_X, {QStringLiteral(" عدد معتبر است")}, "DBEdit65"},
        {"Label124", "DBEdit73", Qt::Key_Return, {}, "DBEdit68", 0},
        {"Label124", "DBEdit73", Qt::Key_Return, {}, "DBEdit65", 1},
        {"Label69", "DBEdit106", Qt::Key_X, {QStringLiteral("عدد صحيح معتبر است")}, "DBEdit106"},
        {"Label69", "DBEdit32", Qt::Key_Return, {}, "DBEdit30", 0},
        {"Label69", "DBEdit105", Qt::Key_Return, {}, "DBEdit26", 0},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.box);
        if (c.steam >= 0)
            store({{"Typ_M_Est", c.steam}, {"Typ_M_Jak", c.steam}});
        if (QString::fromLatin1(c.opener) == QLatin1String("Label13"))
            click(c.opener);
        else
            openPool(c.opener);
        QLineEdit *b = box(c.box);
        b->setFocus();
        const QString before = b->text();
        QTest::keyClick(b, c.key);
        EXPECT_EQ(testsupport::takeMessages(), c.messages);
        EXPECT_EQ(b->text(), before);
        EXPECT_EQ(FormT2->focusWidget(), box(c.focus));
        click("Label41");
    }
}

} // namespace
