// The chimney, expansion tank, collectors and softener pages of the
// equipment window, driven by clicks and key presses over a project.
#include "boravest/building/PageFixture.h"

#include "boravest/sizing/Collectors.h"
#include "boravest/equipment/U_15.h"
#include "platform/db/Table.h"
#include "platform/ui/ClickLabel.h"
#include "platform/ui/DbControls.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>

using namespace pagetest;
using testsupport::part;
using testsupport::takeMessages;

namespace {

QString u(const char *s) { return QString::fromUtf8(s); }

class U_15PlantTest : public PageFixture {
protected:
    void SetUp() override
    {
        PageFixture::SetUp();
        if (HasFatalFailure())
            return;
        FormT2Activated = false;
        showPage(FormT2);
    }
    void TearDown() override
    {
        if (FormT2)
            FormT2->done(QDialog::Rejected);
        PageFixture::TearDown();
    }

    // The project's equipment record with these fields, made current.
    void record(std::initializer_list<std::pair<const char *, QVariant>> fields, double shproje = 0)
    {
        QStringList names{QStringLiteral("Shproje")};
        QVariantList values{shproje ? shproje : project.number};
        for (const auto &[name, value] : fields)
            names << QString::fromLatin1(name), values << value;
        DM1->Database1->exec(QStringLiteral("INSERT INTO Tajhizat (%1) VALUES (%2)")
                                 .arg(names.join(QLatin1Char(',')), QStringList(names.size(), QStringLiteral("?")).join(QLatin1Char(','))),
                             values);
        DM1->Table12->close();
        DM1->Table12->open();
    }
    QVariant stored(const char *field)
    {
        return rows(QStringLiteral("SELECT %1 FROM Tajhizat WHERE Shproje = ?").arg(QString::fromLatin1(field)),
                    {project.number})
            .rows.value(0)
            .value(0);
    }

    template <class W = QLineEdit> static W *w(const char *name)
    {
        W *c = part<W>(FormT2, name);
        EXPECT_NE(c, nullptr) << name;
        return c;
    }
    static void click(const char *label) { w<pf::ui::ClickLabel>(label)->click(); }
    // Replaces a box's text by typing it.
    static void fill(const char *name, const QString &text)
    {
        QLineEdit *e = w(name);
        e->setFocus();
        e->selectAll();
        QTest::keyClick(e, Qt::Key_Backspace);
        QTest::keyClicks(e, text);
    }
    static bool panelShown() { return ResultPanel && ResultPanel->parentWidget() == FormT2 && ResultPanel->isVisible(); }
    static QStringList panelValues()
    {
        QStringList v;
        for (int i = 1; i <= 21 && ResultValues[i]; ++i)
            v << ResultValues[i]->text();
        return v;
    }
};

// ---------------------------------------------------------------- chimney

TEST_F(U_15PlantTest, ChimneyCalculateShowsTheWorkedCaseAndAMissingCountStops)
{
    record({{"TySo", 0}});
    click("Label12");
    takeMessages(); // whatever the boiler sizing behind the opener said
    ASSERT_TRUE(w<QWidget>("PDodkesh")->isVisible());
    EXPECT_EQ(FormT2->focusWidget(), w("DBEdit16"));
    // The capacity box is filled by the opener from the boilers; set it here.
    w("Edit38")->setText(QStringLiteral("400000"));
    fill("DBEdit16", QStringLiteral("30"));
    fill("DBEdit14", QStringLiteral("10"));
    fill("DBEdit20", QStringLiteral("1"));
    click("Label39");
    EXPECT_TRUE(takeMessages().isEmpty());
    ASSERT_TRUE(panelShown());
    EXPECT_EQ(panelValues(), (QStringList{"35", "125", "13", "12*12"}));
    EXPECT_EQ(ResultCaptions[2]->text(), u(":(Sq.In)سطح مقطع دودكش"));
    EXPECT_EQ(ResultPanel->geometry(), QRect(35, 70, 210, 135));

    // No chimney count: only the message, and the earlier panel is gone.
    fill("DBEdit20", QString());
    click("Label39");
    EXPECT_EQ(takeMessages(), QStringList{u("تعداد دودكش را مشخص كنيد")});
    EXPECT_FALSE(panelShown());
}

TEST_F(U_15PlantTest, ChimneySaveChecksInTheirOrder)
{
    const struct {
        const char *tAmD, *tOfD, *count;
        int z30, z45, z60, z90;
        const char *message; // nullptr: saved
    } cases[] = {
        {"30", "9", "1", 5, 2, 4, 0, nullptr},                             // elbows 2.499
        {"30", "9", "1", 1, 2, 0, 1, "اتصالات مسير دودكش رااصلاح كنيد"},  // elbows 2.501
        {"10", "1", "1", 0, 0, 0, 0, "طول عمودي دودكش رااصلاح كنيد"},
        {"10.5", "3", "1", 0, 0, 0, 0, nullptr},
        {"30", "10", "1", 0, 0, 0, 0, "طول افقي دودكش رااصلاح كنيد"}, // exactly a third
        {"12.9", "4.3", "1", 0, 0, 0, 0, "طول افقي دودكش رااصلاح كنيد"},
        {"12.9", "4.2", "1", 0, 0, 0, 0, nullptr},
        {"30", "", "", 0, 0, 0, 0, "تعداد دودكش را مشخص كنيد"},      // empty count reads 0
    };
    record({});
    for (const auto &c : cases) {
        SCOPED_TRACE(c.message ? c.message : c.tAmD);
        click("Label12");
        takeMessages();
        fill("DBEdit16", QString::fromLatin1(c.tAmD));
        fill("DBEdit14", QString::fromLatin1(c.tOfD));
        fill("DBEdit20", QString::fromLatin1(c.count));
        const std::pair<const char *, int> elbows[] = {
            {"DBEdit18", c.z30}, {"DBEdit17", c.z45}, {"DBEdit13", c.z60}, {"DBEdit15", c.z90}};
        for (const auto &[box, n] : elbows)
            fill(box, n ? QString::number(n) : QString());
        click("Label24");
        if (c.message) {
            EXPECT_EQ(takeMessages(), QStringList{u(c.message)});
            EXPECT_TRUE(w<QWidget>("PDodkesh")->isVisible());
            click("Label41");
        } else {
            EXPECT_TRUE(takeMessages().isEmpty());
            EXPECT_FALSE(w<QWidget>("PDodkesh")->isVisible());
            EXPECT_EQ(stored("TAmD").toString(), QString::fromLatin1(c.tAmD));
        }
    }
}

// ---------------------------------------------------------------- softener

TEST_F(U_15PlantTest, SoftenerCalculateShowsTheWorkedCaseAndBadCountsStop)
{
    record({{"SakhAb", 171}, {"Typ_ME", 0}});
    click("Label14");
    takeMessages();
    EXPECT_EQ(FormT2->focusWidget(), w("DBEdit52"));
    w("Edit28")->setText(QStringLiteral("50"));
    fill("DBEdit52", QStringLiteral("24"));
    fill("DBEdit56", QStringLiteral("1"));
    fill("DBEdit102", QStringLiteral("50"));
    click("Label39");
    EXPECT_TRUE(takeMessages().isEmpty());
    ASSERT_TRUE(panelShown());
    EXPECT_EQ(panelValues(), (QStringList{"5", "144000"}));
    // The wide value stays inside the panel, clear of its caption.
    EXPECT_GE(ResultValues[2]->x(), 5);
    EXPECT_GT(ResultCaptions[2]->x(), ResultValues[2]->geometry().right());
    EXPECT_LE(ResultCaptions[2]->geometry().right(), ResultPanel->width());
    EXPECT_EQ(FormT2->SakhGir(1).row, 5);

    const std::pair<const char *, const char *> stops[] = {
        {"", "تعداد دستگاه سختي گير را تعيين كنيد"}, {"1", "راندمان دستگاه سختي گير را اصلاح كنيد"}};
    fill("DBEdit102", QStringLiteral("96"));
    for (const auto &[count, message] : stops) {
        fill("DBEdit56", QString::fromLatin1(count));
        takeMessages();
        click("Label39");
        EXPECT_EQ(takeMessages(), QStringList{u(message)});
        EXPECT_FALSE(panelShown());
    }
}

TEST_F(U_15PlantTest, SoftenerSaveAcceptsSixToSeventyTwoHours)
{
    record({});
    const std::pair<const char *, bool> cases[] = {{"5.9", false}, {"6", true}, {"72", true}, {"72.1", false}, {"", false}};
    for (const auto &[cycle, ok] : cases) {
        SCOPED_TRACE(cycle);
        click("Label14");
        takeMessages();
        fill("DBEdit52", QString::fromLatin1(cycle));
        click("Label24");
        EXPECT_EQ(takeMessages(), ok ? QStringList() : QStringList{u("مدت زمان سيكل شستشو بين 6 و 72 ساعت درنظر گرفته شود")});
        EXPECT_EQ(w<QWidget>("PSakhGir")->isVisible(), !ok);
        if (!ok)
            click("Label41");
    }
    EXPECT_EQ(stored("S_Sh_SG").toDouble(), 72);
}

// ---------------------------------------------------------------- expansion tank

TEST_F(U_15PlantTest, ExpansionTankOpensWithTheStoredListAndKinds)
{
    const QStringList boxes{"Edit3",  "Edit4",  "Edit5",  "Edit6",  "Edit7",  "Edit8",  "Edit9",
                            "Edit10", "Edit23", "Edit22", "Edit21", "Edit20", "Edit11", "Edit12",
                            "Edit13", "Edit14", "Edit15", "Edit16", "Edit17"};
    record({{"Typ_ME", 1}, {"T_L_Baz", 0}, {"W_L_Baz", ",,12,,"}});
    // Text left in a box by another project is emptied first.
    w("Edit17")->setText(QStringLiteral("99"));
    click("Label9");
    EXPECT_EQ(FormT2->focusWidget(), w<QWidget>("ComboBox11"));
    for (const QString &b : boxes)
        EXPECT_EQ(w(b.toLatin1().constData())->text(), b == QLatin1String("Edit5") ? QStringLiteral("12") : QString())
            << b.toStdString();
    EXPECT_EQ(w<QComboBox>("ComboBox11")->currentIndex(), 1);
    EXPECT_TRUE(w<QCheckBox>("DBCheckBox1")->isVisible());

    // Ticking the pump-discharge box before the pump is sized says so.
    w<QCheckBox>("DBCheckBox1")->click();
    EXPECT_EQ(takeMessages(), QStringList{u("داده هاي مربوط به پمپ سيركولاتور را وارد نموده و محاسبه نماييد")});
    // The open tank has no pump-discharge box; copper has 15 sizes.
    w<QComboBox>("ComboBox11")->setCurrentIndex(0);
    EXPECT_FALSE(w<QCheckBox>("DBCheckBox1")->isVisible());
    w<QComboBox>("ComboBox2")->setCurrentIndex(1);
    EXPECT_EQ(w<QLabel>("SizeLabel1")->text(), QStringLiteral("1/4"));
    EXPECT_FALSE(w("Edit14")->isVisible() || w<QWidget>("SizeFrame19")->isVisible());
    w<QComboBox>("ComboBox2")->setCurrentIndex(0);
    EXPECT_EQ(w<QLabel>("SizeLabel9")->text(), QStringLiteral("1/2 3"));
    EXPECT_TRUE(w("Edit17")->isVisible());

    // Save writes the two list positions and the nineteen lengths.
    w<QComboBox>("ComboBox11")->setCurrentIndex(2);
    w<QComboBox>("ComboBox2")->setCurrentIndex(1);
    click("Label24");
    EXPECT_TRUE(takeMessages().isEmpty());
    EXPECT_EQ(stored("Typ_ME").toInt(), 2);
    EXPECT_EQ(stored("T_L_Baz").toInt(), 1);
    EXPECT_EQ(stored("Chk_nsbM").toBool(), true);
    EXPECT_EQ(stored("W_L_Baz").toString(), QStringLiteral(",,12") + QString(17, QLatin1Char(',')));
    click("Label9");
    w("Edit5")->clear();
    click("Label24");
    EXPECT_EQ(stored("W_L_Baz").toString(), QString(19, QLatin1Char(',')));
}

TEST_F(U_15PlantTest, ExpansionTankCalculate)
{
    record({{"Typ_ME", 0}, {"T_L_Baz", 0}, {"DAbgarm", 150}, {"ErtefaS", 3}});
    click("Label9");
    fill("Edit5", QStringLiteral("100")); // 100 ft of 1 in steel pipe: 37.4 lb of water
    click("Label39");
    ASSERT_TRUE(panelShown());
    EXPECT_EQ(panelValues(), (QStringList{"4.49", "0", "4.49", "1.8", "0.081"}));

    // A closed diaphragm tank 3 ft below the highest riser accepts nothing.
    w<QComboBox>("ComboBox11")->setCurrentIndex(1);
    takeMessages();
    click("Label39");
    EXPECT_TRUE(takeMessages().contains(bv::sizing::pumpDischargeMessage()));
    EXPECT_FALSE(panelShown());
}

// ---------------------------------------------------------------- collectors

class U_15CollectorsTest : public U_15PlantTest {
protected:
    void SetUp() override
    {
        U_15PlantTest::SetUp();
        if (HasFatalFailure())
            return;
        // Ground floor: two risers for 2000 sq.ft of wall; first floor: one
        // riser for 600, and a unit without risers.
        DM1->Database1->exec(QStringLiteral("INSERT INTO bankvh (Shproje, Shsk, Tabage, Shvahed, T_Rz) VALUES "
                                            "(?, ?, 0, 1, 2), (?, ?, 1, 1, 1), (?, ?, 1, 2, 0)"),
                             {project.number, project.number, project.number, project.number, project.number,
                              project.number});
        space(0, 1, 1, 1200), space(0, 1, 2, 800), space(1, 1, 1, 600), space(1, 2, 1, 1000);
    }
    // A space behind one outside wall: 50 Btu/h per sq.ft of wall.
    void space(double floor, double unit, double code, double wallArea)
    {
        const double p = project.number;
        DM1->Database1->exec(QStringLiteral("INSERT INTO bankfz (Shproje, Shsk, Tabage, Shvahed, Codefaza, Ti_) "
                                            "VALUES (?, ?, ?, ?, ?, 70)"),
                             {p, p, floor, unit, code});
        DM1->Database1->exec(QStringLiteral("INSERT INTO bankjd (Shproje, Shsk, Tabage, Shvahed, CodeFaza, Jedare, "
                                            "Id_jedar, Id_njedar, Id_gjedar, Masa1, To_, Z_1) "
                                            "VALUES (?, ?, ?, ?, ?, 'ديوار', 0, 1, 1, ?, -30, 0.5)"),
                             {p, p, floor, unit, code, wallArea});
    }
    QVariantList results(double floor, double unit)
    {
        const auto r = rows(QStringLiteral("SELECT Q_Vahed, GP, Col, \"Row\" FROM bankvh WHERE Shproje = ? AND "
                                           "Tabage = ? AND Shvahed = ?"),
                            {project.number, floor, unit});
        const QVector<QVariant> row = r.rows.value(0);
        return QVariantList(row.begin(), row.end());
    }
};

TEST_F(U_15CollectorsTest, RisersEnteredInTheGridAndCollectorsWorkedByHand)
{
    const struct {
        int Typ_MAM;
        QString tankRow;
        QStringList panel;
    } cases[] = {
        // Risers only: De = sqrt(2 x 1.25^2 + 1) = 2.03 in, 3.5 in of branches.
        {2, QStringLiteral("0"), {"3", "12.6", "2.5"}},
        // A 49.2 gpm tank branch adds a 3 in pipe: De = 3.62 in.
        {0, QStringLiteral("3"), {"6", "23.4", "4"}},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.Typ_MAM);
        DM1->Database1->exec(QStringLiteral("DELETE FROM Tajhizat"));
        record({{"EkhtDama", 20}, {"OfteFeshar", 1}, {"Typ_MAM", c.Typ_MAM}, {"Randeman", 80}, {"DamAbBeh", 140},
                {"DamAbSh", 50}, {"Z_Et", 20}, {"NSakh", 0}, {"Dosh", 10}});
        click("Label11");
        EXPECT_EQ(w("EditTankPipe")->text(), c.tankRow);
        auto *grid = w<pf::ui::DBGrid>("DBGrid4");
        EXPECT_EQ(FormT2->focusWidget(), grid);
        ASSERT_EQ(grid->model()->rowCount(), 3);
        EXPECT_EQ(grid->model()->index(0, 0).data().toString(), u("همكف"));
        EXPECT_EQ(grid->model()->index(1, 0).data().toString(), u("اول"));

        // The floor-1 unit with one riser gets its count again through the grid.
        const QModelIndex cell = grid->model()->index(1, 2);
        QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, grid->visualRect(cell).center());
        EXPECT_EQ(FormT2->focusWidget(), w("DBEdit82"));
        fill("DBEdit82", QStringLiteral("1"));
        QTest::keyClick(w("DBEdit82"), Qt::Key_Return);
        EXPECT_EQ(FormT2->focusWidget(), grid);

        click("Label39");
        EXPECT_TRUE(takeMessages().isEmpty());
        ASSERT_TRUE(panelShown());
        EXPECT_EQ(panelValues(), c.panel);
        EXPECT_EQ(results(0, 1), (QVariantList{100000.0, 10.0, 4.0, 2.0})); // 2 risers of 5.002 gpm
        EXPECT_EQ(results(1, 1), (QVariantList{30000.0, 3.0, 3.0, 2.0}));
        for (const QVariant &v : results(1, 2))
            EXPECT_TRUE(v.isNull());
        click("Label41");
    }
}

TEST_F(U_15CollectorsTest, ExchangerConnectionRowsOnlyForHotWaterPoolAndJacuzzi)
{
    const struct {
        double jacuzzi, pool;
        int jacuzziType, poolType;
        bool jacuzziRow, poolRow;
        int poolTop;
    } cases[] = {
        {0, 0, 0, 0, false, false, 45},  {20, 400, 1, 1, false, false, 45}, {0, 400, 0, 0, false, true, 45},
        {20, 400, 0, 0, true, true, 80},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.poolTop + c.jacuzzi + c.poolType);
        DM1->Database1->exec(QStringLiteral("DELETE FROM Tajhizat"));
        record({{"Mass_Jak", c.jacuzzi}, {"Typ_M_Jak", c.jacuzziType}, {"Mass_Est", c.pool}, {"Typ_M_Est", c.poolType}});
        click("Label11");
        EXPECT_EQ(w<QWidget>("JacuzziPipeRow")->isVisible(), c.jacuzziRow);
        EXPECT_EQ(w<QWidget>("PoolPipeRow")->isVisible(), c.poolRow);
        EXPECT_EQ(w<QWidget>("PoolPipeRow")->y(), c.poolTop);
        click("Label41");
    }
}

// ---------------------------------------------------------------- report mode, keys, projects

TEST_F(U_15PlantTest, ReportModeReadsTheRecordAndShowsNoPanel)
{
    record({{"TAmD", 30}, {"TOfD", 10}, {"TeDo", 1}, {"Typ_ME", 0}, {"T_L_Baz", 0}, {"W_L_Baz", ",,100,"},
            {"DAbgarm", 150}, {"Te_SG", 0}, {"RandeSkgir", 50}});
    EXPECT_DOUBLE_EQ(FormT2->PrDodkesh(2).heightFt, 35);
    const bv::sizing::ExpansionTankResults tank = FormT2->MEnBaz(2);
    EXPECT_NEAR(tank.pipeWaterGal, 37.4 / 8.33, 1e-9);
    EXPECT_DOUBLE_EQ(tank.expansionPercent, 1.8);
    // The softener's count message shows in the report too.
    takeMessages();
    EXPECT_TRUE(FormT2->SakhGir(2).stopped);
    EXPECT_TRUE(takeMessages().contains(u("تعداد دستگاه سختي گير را تعيين كنيد")));
    EXPECT_FALSE(ResultPanel);
}

TEST_F(U_15PlantTest, KeysOfThePages)
{
    record({});
    // Enter walks the chimney page and refuses what is no number of its kind.
    click("Label12");
    takeMessages();
    const char *chain[] = {"DBEdit16", "DBEdit14", "DBEdit20", "DBEdit18", "DBEdit17", "DBEdit13", "DBEdit15", "DBEdit16"};
    for (int i = 0; i + 1 < int(std::size(chain)); ++i) {
        QTest::keyClick(FormT2->focusWidget(), Qt::Key_Return);
        EXPECT_EQ(FormT2->focusWidget(), w(chain[i + 1])) << chain[i];
    }
    const struct {
        const char *box, *typed, *message;
        const char *left;
    } keys[] = {{"DBEdit16", "1.5x", " عدد معتبر است", "1.5"}, {"DBEdit20", "2.", " عدد صحيح معتبر است", "2"}};
    for (const auto &k : keys) {
        fill(k.box, QString::fromLatin1(k.typed));
        EXPECT_EQ(takeMessages(), QStringList{u(k.message)});
        EXPECT_EQ(w(k.box)->text(), QString::fromLatin1(k.left));
    }
    click("Label41");
    // On the expansion tank page the open tank's hidden box is skipped.
    record({{"Typ_ME", 0}});
    click("Label9");
    for (const char *next : {"DBEdit101", "ComboBox2", "Edit3"}) {
        QTest::keyClick(FormT2->focusWidget(), Qt::Key_Return);
        EXPECT_EQ(FormT2->focusWidget(), w<QWidget>(next));
    }
}

TEST_F(U_15PlantTest, ClearingLeavesNothingOfTheLastProject)
{
    record({{"Typ_ME", 1}, {"T_L_Baz", 1}, {"W_L_Baz", "1,2,3,"}, {"Mass_Est", 400}, {"Chk_nsbM", true}});
    click("Label9");
    click("Label41");
    click("Label11");
    click("Label41");
    click("Label14");
    click("Label41");
    click("Label12");
    click("Label41");
    FormT2->clearPages();
    for (const char *box : {"Edit3", "Edit4", "Edit5", "Edit38", "Edit28", "EditTankPipe", "EditPoolPipe"})
        EXPECT_TRUE(w(box)->text().isEmpty()) << box;
    EXPECT_EQ(w<QComboBox>("ComboBox11")->currentIndex(), -1);
    EXPECT_EQ(w<QComboBox>("ComboBox2")->currentIndex(), -1);
    EXPECT_FALSE(w<QCheckBox>("DBCheckBox1")->isChecked());
    EXPECT_FALSE(w<QWidget>("PoolPipeRow")->isVisibleTo(w<QWidget>("PGhRvK")));
}

} // namespace
