// The per-space pages of the equipment window driven by clicks and keys:
// radiators, unit heaters, warm-air furnaces and extract fans over a small
// project, their result grids, the radiator / unit-heater exclusivity and
// Save's checks.
#include "boravest/building/PageFixture.h"
#include "ResultPanelTestUtil.h"
#include "boravest/sizing/UnitHeaterCases.h"

#include "boravest/equipment/U_15.h"
#include "platform/ui/ClickLabel.h"
#include "platform/ui/DbControls.h"

#include <QComboBox>
#include <QFrame>
#include <QPointer>

using namespace pagetest;
using testsupport::takeMessages;

namespace {

const QString kUnitHeatersChosen = QStringLiteral("براي اين فضا يونيت هيتر انتخاب شده است");
const QString kRadiatorsChosen = QStringLiteral("براي اين فضا رادياتور انتخاب شده است");

class U_15SpacesTest : public PageFixture {
protected:
    void SetUp() override
    {
        PageFixture::SetUp();
        if (HasFatalFailure())
            return;
        exec("UPDATE Bank1 SET Ga = 1, To1 = 30 WHERE Shproje = ?");
        DM1->Table1->refresh();
        exec("INSERT INTO Tajhizat (Shproje, DAbgarm, S_R_PG_R, D_F_PG_UH, Rand_Kore, K_A_Kore, D_H_B_Kore, "
             "D_H_T_Kore) VALUES (?, 176, 0, 0, 80, 100, 100, 0)");
        exec("INSERT INTO bankvh (Shproje, Shsk, Tabage, Shvahed, Sf, Z_ertefa) VALUES (?, 7, 0, 1, 0, 0)");
        // Room 68 F, 100 sq.ft of U 0.4 against 0 F, appliance gain 165.5:
        // 2554.5 Btu/h. Room 70 F, 100 sq.ft of U 30000 / 7000: 30000 Btu/h.
        addSpace(1, "a", 68, 0.4, 165.5);
        addSpace(2, "b", 70, 30000.0 / 7000);
        DM1->Table12->open();
        FormT2Activated = false;
        showPage(FormT2);
        takeMessages();
    }
    void TearDown() override
    {
        if (FormT2)
            FormT2->done(QDialog::Rejected);
        PageFixture::TearDown();
    }

    void exec(const char *sql) { DM1->Database1->exec(QString::fromUtf8(sql), {project.number}); }
    void addSpace(int code, const char *name, double ti, double u, double gain = 0)
    {
        DM1->Database1->exec(QStringLiteral("INSERT INTO bankfz (Shproje, Shsk, Tabage, Shvahed, Codefaza, Faza, Ti_, "
                                            "V_varm, Air_, V_) VALUES (?, 7, 0, 1, ?, ?, ?, ?, 0, 0)"),
                             {project.number, code, QString::fromUtf8(name), ti, gain});
        DM1->Database1->exec(QStringLiteral("INSERT INTO bankjd (Shproje, Shsk, Tabage, Shvahed, CodeFaza, Jedare, "
                                            "Id_jedar, Id_njedar, Id_gjedar, Masa1, Masa2, To_, Ti_, Z_1, Z_2) "
                                            "VALUES (?, 7, 0, 1, ?, 'ديوار', 0, 0, 0, 100, 0, 0, 0, ?, 0)"),
                             {project.number, code, u});
    }

    template <class T = QWidget> static T *w(const char *name)
    {
        T *c = FormT2->findChild<T *>(QString::fromLatin1(name));
        EXPECT_NE(c, nullptr) << name;
        return c;
    }
    static void click(const char *label) { w<pf::ui::ClickLabel>(label)->click(); }
    static void calculate() { click("Label39"); }
    static QRect cell(QTableView *g, int row, int col) { return g->visualRect(g->model()->index(row, col)); }
    static void clickRow(const char *grid, int row, int col = 2)
    {
        auto *g = w<QTableView>(grid);
        QTest::mouseClick(g->viewport(), Qt::LeftButton, {}, cell(g, row, col).center());
    }
    static void doubleClickRow(const char *grid, int row)
    {
        auto *g = w<QTableView>(grid);
        QTest::mouseClick(g->viewport(), Qt::LeftButton, {}, cell(g, row, 2).center());
        QTest::mouseDClick(g->viewport(), Qt::LeftButton, {}, cell(g, row, 2).center());
    }
    static QString gridText(QTableView *g, int row, int col) { return g->model()->index(row, col).data().toString(); }
    static bool panelShown() { return ResultPanel && ResultPanel->parent() == FormT2 && ResultPanel->isVisible(); }
    double spaceValue(const char *field, const char *faza)
    {
        return rows(QStringLiteral("SELECT %1 FROM bankfz WHERE Faza = ?").arg(QString::fromLatin1(field)),
                    {QString::fromUtf8(faza)})
            .rows.value(0)
            .value(0)
            .toDouble();
    }
    // The work table's row `i` in the given columns.
    QStringList workRow(int i, const char *columns)
    {
        const auto r = rows(QStringLiteral("SELECT %1 FROM Examfz ORDER BY rowid").arg(QString::fromLatin1(columns)));
        QStringList out;
        for (const QVariant &v : r.rows.value(i))
            out << v.toString();
        return out;
    }
};

TEST_F(U_15SpacesTest, RadiatorPageMarksSpacesAndSizesThem)
{
    click("Label8");
    click("Label112");
    ASSERT_TRUE(w("PPGRad")->isVisible());
    EXPECT_EQ(w<QComboBox>("ComboBox3")->currentText(), QStringLiteral("600*150"));
    EXPECT_EQ(w<QLineEdit>("Edit26")->text(), QStringLiteral("393"));
    // Double click marks, Space unmarks and marks again.
    doubleClickRow("DBGrid3", 0);
    EXPECT_EQ(spaceValue("E_Rad", "a"), 1);
    auto *grid = w<QTableView>("DBGrid3");
    EXPECT_EQ(gridText(grid, 0, 3), QStringLiteral("*"));
    QTest::keyClick(grid, Qt::Key_Space);
    EXPECT_EQ(spaceValue("E_Rad", "a"), 0);
    EXPECT_TRUE(gridText(grid, 0, 3).isEmpty());
    QTest::keyClick(grid, Qt::Key_Space);

    // 2554.5 Btu/h at factor 1.00 needs 6.5 sections of 393 Btu/h: 6.
    calculate();
    ASSERT_TRUE(panelShown());
    eqtest::expectClearOfResultPanel(w("PPGRad"));
    EXPECT_TRUE(takeMessages().isEmpty());
    EXPECT_EQ(ResultValues[1]->text(), QStringLiteral("1.48")); // 6 x 0.246 gal
    EXPECT_EQ(ResultValues[2]->text(), QStringLiteral("1.38")); // 6 x 0.23 sq.m
    EXPECT_EQ(workRow(0, "No, faza, Barh, Z_ts, T_Pare, Tol_Pare"),
              (QStringList{"1", "a", "2554", "1", "6", "270"}));
    QPointer<pf::ui::DBGrid> first = ResultGrid;
    ASSERT_TRUE(first && first->parent() == ResultPanel && first->isVisible());
    EXPECT_EQ(first->model()->rowCount(), 1);
    // Each Calculate builds its own panel and grid.
    calculate();
    EXPECT_TRUE(first.isNull());
    ASSERT_TRUE(ResultGrid && ResultGrid->isVisible());

    // No size: only the message, and the earlier panel is gone.
    w<QComboBox>("ComboBox3")->setCurrentIndex(-1);
    EXPECT_TRUE(w<QLineEdit>("Edit26")->text().isEmpty());
    calculate();
    EXPECT_EQ(takeMessages(), QStringList{QStringLiteral("سايز رادياتور را انتخاب كنيد")});
    EXPECT_FALSE(panelShown());

    // Save writes the size's position; the booklet's run stores per space.
    w<QComboBox>("ComboBox3")->setCurrentIndex(2);
    click("Label24");
    EXPECT_FALSE(w("PPGRad")->isVisible());
    EXPECT_EQ(rows(QStringLiteral("SELECT S_R_PG_R FROM Tajhizat")).rows.value(0).value(0).toInt(), 2);
    exec("UPDATE Tajhizat SET S_R_PG_R = 0");
    DM1->Table12->refresh();
    const auto r = FormT2->ESRad(2);
    EXPECT_EQ(r.sizeNumber, 1);
    EXPECT_EQ(spaceValue("Q_room", "a"), 2554);
    EXPECT_EQ(rows(QStringLiteral("SELECT Modelradiat FROM bankfz WHERE Faza = 'a'")).rows.value(0).value(0),
              QStringLiteral("6"));
}

// A space has radiators or unit heaters: clicks, arrow keys and the post
// all keep it so.
TEST_F(U_15SpacesTest, RadiatorsAndUnitHeatersExcludeEachOther)
{
    exec("UPDATE bankfz SET E_Rad = 1 WHERE Faza = 'a'");
    click("Label8");
    click("Label111");
    ASSERT_TRUE(w("PPGUH")->isVisible());
    auto *count = w<pf::ui::DBEdit>("DBEdit91");
    clickRow("DBGrid2", 0);
    EXPECT_EQ(takeMessages(), QStringList{kRadiatorsChosen});
    EXPECT_TRUE(count->isReadOnly());
    clickRow("DBGrid2", 1);
    ASSERT_FALSE(count->isReadOnly());
    ASSERT_TRUE(count->hasFocus());
    QTest::keyClick(count, Qt::Key_Backspace);
    QTest::keyClick(count, Qt::Key_2);
    QTest::keyClick(count, Qt::Key_Return);
    EXPECT_EQ(spaceValue("T_UH", "b"), 2);
    EXPECT_TRUE(w("DBGrid2")->hasFocus());

    // Enter opens the count; the arrow key to the radiator space closes it.
    QTest::keyClick(w("DBGrid2"), Qt::Key_Return);
    ASSERT_FALSE(count->isReadOnly());
    QTest::keyClick(w("DBGrid2"), Qt::Key_Up);
    EXPECT_EQ(FormT2->Table1->fieldByName(QStringLiteral("Faza")).asString(), QStringLiteral("a"));
    EXPECT_TRUE(count->isReadOnly());
    // However a count reaches the radiator space, it is not stored.
    FormT2->Table1->edit();
    FormT2->Table1->fieldByName(QStringLiteral("T_UH")).setValue(3);
    FormT2->Table1->post();
    EXPECT_EQ(takeMessages(), QStringList{kRadiatorsChosen});
    EXPECT_EQ(spaceValue("T_UH", "a"), 0);
    FormT2->Table1->next();
    FormT2->Table1->edit();
    FormT2->Table1->fieldByName(QStringLiteral("E_Rad")).setValue(1);
    FormT2->Table1->post();
    EXPECT_EQ(takeMessages(), QStringList{kUnitHeatersChosen});
    EXPECT_EQ(spaceValue("E_Rad", "b"), 0);

    // Entering air (70 + 30) / 2 = 50 F and 180 F water: factor 1.10, so
    // two heaters rated 30000 / (1.10 x 2) = 13636 each: UH-20 at 900 rpm.
    exec("UPDATE Tajhizat SET DAbgarm = 180");
    DM1->Table12->refresh();
    DM1->Table12->edit();
    calculate();
    ASSERT_TRUE(panelShown());
    EXPECT_EQ(workRow(0, "faza, Barh, Z_ts, T_Pare, size_Rad, Vazn_Rad"),
              (QStringList{"b", "30000", "1.1", "2", "UH-20", "900"}));
    EXPECT_TRUE(ResultCaptions[1]->text().isEmpty());
    EXPECT_EQ(ResultGrid->model()->rowCount(), 1);
    w<QComboBox>("FanSpeedList")->setCurrentIndex(1);
    click("Label24");
    EXPECT_EQ(rows(QStringLiteral("SELECT D_F_PG_UH FROM Tajhizat")).rows.value(0).value(0).toInt(), 1);

    // On the radiator page the space with unit heaters is refused.
    click("Label112");
    clickRow("DBGrid3", 1);
    QTest::keyClick(w("DBGrid3"), Qt::Key_Space);
    EXPECT_EQ(takeMessages(), QStringList{kUnitHeatersChosen});
    EXPECT_EQ(spaceValue("E_Rad", "b"), 0);
}

TEST_F(U_15SpacesTest, UnitHeaterPageRatesEachHeaterForTheWorkedCases)
{
    click("Label8");
    click("Label111");
    for (const UnitHeaterCase &c : kUnitHeaterCases) {
        SCOPED_TRACE(c.what);
        DM1->Database1->exec(QStringLiteral("UPDATE Bank1 SET To1 = ?"), {c.to1});
        DM1->Database1->exec(QStringLiteral("UPDATE Tajhizat SET DAbgarm = ?"), {c.water});
        DM1->Database1->exec(QStringLiteral("UPDATE bankfz SET Ti_ = ?, T_UH = ? WHERE Faza = 'b'"),
                             {c.ti, c.heaters});
        DM1->Database1->exec(QStringLiteral("UPDATE bankjd SET Z_1 = ? WHERE CodeFaza = 2"), {c.load / (100 * c.ti)});
        DM1->Table1->refresh();
        DM1->Table12->refresh();
        DM1->Table12->edit();
        calculate();
        ASSERT_TRUE(panelShown());
        EXPECT_EQ(workRow(0, "faza, Z_ts, T_Pare, size_Rad"),
                  (QStringList{"b", QString::fromLatin1(c.factor), QString::number(c.heaters),
                               QString::fromLatin1(c.model)}));
    }
}

TEST_F(U_15SpacesTest, FurnacePageTogglesSizesAndChecksItsShares)
{
    exec("UPDATE bankfz SET E_Rad = 1");
    click("Label7");
    ASSERT_TRUE(w("PKore")->isVisible());
    EXPECT_TRUE(w("DBEdit83")->hasFocus());
    // No refusal, whatever the space has.
    doubleClickRow("DBGrid5", 1);
    EXPECT_EQ(spaceValue("E_Kore", "b"), 1);
    EXPECT_TRUE(takeMessages().isEmpty());

    calculate();
    ASSERT_TRUE(panelShown());
    eqtest::expectClearOfResultPanel(w("PKore"));
    EXPECT_EQ(ResultValues[1]->text(), QStringLiteral("1"));
    EXPECT_FALSE(ResultValues[3]->text().isEmpty());
    EXPECT_EQ(workRow(0, "faza, size_Rad, barh"), (QStringList{"b", "70", "30000"}));

    // An efficiency outside 30 to 95: only the message.
    auto *efficiency = w<QLineEdit>("DBEdit89");
    efficiency->setFocus();
    retype(FormT2, QStringLiteral("96"));
    calculate();
    EXPECT_EQ(takeMessages(), QStringList{QStringLiteral("راندمان هيتر را اصلاح كنيد")});
    EXPECT_FALSE(panelShown());

    // Return and fresh air must add up to 100.
    const struct {
        const char *returnAir, *freshAir;
        bool saved;
    } cases[] = {{"70", "20", false}, {"70", "30", true}};
    for (const auto &c : cases) {
        SCOPED_TRACE(c.freshAir);
        if (!w("PKore")->isVisible())
            click("Label7");
        w("DBEdit83")->setFocus();
        retype(FormT2, QString::fromLatin1(c.returnAir));
        w("DBEdit88")->setFocus();
        retype(FormT2, QString::fromLatin1(c.freshAir));
        click("Label24");
        EXPECT_EQ(w("PKore")->isVisible(), !c.saved);
        EXPECT_EQ(takeMessages(),
                  c.saved ? QStringList{} : QStringList{QStringLiteral("درصد مقادير هواي برگشتي و تازه تصحيح شود")});
    }
    EXPECT_EQ(rows(QStringLiteral("SELECT D_H_T_Kore FROM Tajhizat")).rows.value(0).value(0).toInt(), 30);
}

TEST_F(U_15SpacesTest, ExtractFanPageTakesCountsAndSizesTheFans)
{
    exec("UPDATE bankfz SET V_ = 3000, Air_ = 2, To_Mo_Hav = 100 WHERE Faza = 'a'");
    click("Label15");
    ASSERT_TRUE(w("PHavPD")->isVisible());
    // The boxes' captions as they are named, without a colon.
    EXPECT_EQ(w<QLabel>("LabelDuctLength")->text(), QStringLiteral("طول معادل"));
    EXPECT_EQ(w<QLabel>("LabelFans")->text(), QStringLiteral("تعداد هواكش"));
    // The count column opens the count box; Enter stores it and goes back.
    clickRow("DBGrid1", 0, 5);
    auto *fans = w<QLineEdit>("DBEdit81");
    ASSERT_TRUE(fans->hasFocus());
    QTest::keyClick(fans, Qt::Key_1);
    QTest::keyClick(fans, Qt::Key_Return);
    EXPECT_EQ(spaceValue("Te_Hav", "a"), 1);
    EXPECT_TRUE(w("DBGrid1")->hasFocus());

    // No outlet velocity: only the message.
    calculate();
    EXPECT_EQ(takeMessages(), QStringList{QStringLiteral("سرعت خروج هوا را مشخص كنيد")});
    EXPECT_FALSE(panelShown());

    // 4000 FPM, 0.1 in. per 100 ft over 100 ft, 3000 cu.ft at 2 air changes:
    // 100 CFM, 1.1 in., row 1 (1400 rpm, 32 W), 4 in.
    w("DBEdit99")->setFocus();
    retype(FormT2, QStringLiteral("0.1"));
    w("DBEdit100")->setFocus();
    retype(FormT2, QStringLiteral("4000"));
    calculate();
    ASSERT_TRUE(panelShown());
    EXPECT_EQ(workRow(0, "faza, size_Rad, Z_ts, s_hararat, hjm_Ab, barh"),
              (QStringList{"a", "1.1", "100", "4", "1400", "32"}));
    EXPECT_TRUE(ResultGrid && ResultGrid->isVisible() && ResultGrid->hasFocus());
}

// Every box of the window fed from a grid takes typing into the row the
// grid reached, however it was reached, and stores it as it shows it.
TEST_F(U_15SpacesTest, GridFedBoxesTakeTypingHoweverTheirRowWasReached)
{
    exec("INSERT INTO bankvh (Shproje, Shsk, Tabage, Shvahed, Sf, Z_ertefa) VALUES (?, 7, 1, 1, 0, 0)");
    const char *const boxes[][5] = {{"Label111", "DBGrid2", "DBEdit91", "bankfz", "T_UH"},
                                    {"Label15", "DBGrid1", "DBEdit81", "bankfz", "Te_Hav"},
                                    {"Label15", "DBGrid1", "DBEdit92", "bankfz", "To_Mo_Hav"},
                                    {"Label11", "DBGrid4", "DBEdit82", "bankvh", "T_Rz"}};
    // Each way starts on one of the two rows and reaches the other (no key:
    // a click on the other row's first column).
    const struct {
        int from;
        Qt::Key key;
        Qt::KeyboardModifiers mods;
    } ways[] = {{0, Qt::Key_unknown, {}},  {0, Qt::Key_Down, {}},     {1, Qt::Key_Up, {}},
                {0, Qt::Key_PageDown, {}}, {1, Qt::Key_PageUp, {}},   {0, Qt::Key_End, Qt::ControlModifier},
                {1, Qt::Key_Home, Qt::ControlModifier}};
    int typed = 10;
    for (const auto &b : boxes)
        for (const auto &way : ways) {
            SCOPED_TRACE(std::string(b[2]) + " from " + std::to_string(way.from) + " by " + std::to_string(way.key));
            click(b[0]);
            auto *grid = w<pf::ui::DBGrid>(b[1]);
            pf::db::Dataset *rowsOf = grid->datasetModel()->dataset();
            rowsOf->setRecNo(way.from + 1);
            grid->setFocus();
            if (way.key == Qt::Key_unknown)
                QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, cell(grid, 1 - way.from, 0).center());
            else
                QTest::keyClick(grid, way.key, way.mods);
            ASSERT_EQ(grid->currentIndex().row(), 1 - way.from);
            const qint64 rowid = rowsOf->bookmark();
            auto *box = w<QLineEdit>(b[2]);
            QTest::mouseClick(box, Qt::LeftButton);
            QTest::keyClick(box, Qt::Key_End);
            for (int i = 0; i < 4; ++i)
                QTest::keyClick(box, Qt::Key_Backspace);
            QTest::keyClicks(box, QString::number(++typed));
            QTest::keyClick(box, Qt::Key_Return);
            const auto stored = rows(QStringLiteral("SELECT %1 FROM %2 WHERE rowid = ?").arg(b[4], b[3]), {rowid});
            EXPECT_EQ(stored.rows.value(0).value(0).toInt(), typed);
            EXPECT_EQ(box->text(), QString::number(typed));
            EXPECT_TRUE(takeMessages().isEmpty());
            click("Label41");
        }
}

TEST_F(U_15SpacesTest, ClearingLeavesNothingOfTheLastProject)
{
    click("Label8");
    click("Label112");
    w<QComboBox>("ComboBox3")->setCurrentIndex(3);
    click("Label41");
    click("Label111");
    click("Label41");
    FormT2->clearPages();
    EXPECT_EQ(w<QComboBox>("ComboBox3")->currentIndex(), -1);
    EXPECT_EQ(w<QComboBox>("FanSpeedList")->currentIndex(), -1);
    for (const char *box : {"Edit26", "Edit18", "Edit19", "Edit25", "Edit24"})
        EXPECT_TRUE(w<QLineEdit>(box)->text().isEmpty()) << box;
    // The next project's stored choices come back when its pages open.
    click("Label112");
    EXPECT_EQ(w<QComboBox>("ComboBox3")->currentIndex(), 0);
}

} // namespace

// A result too large to be shown (1E15 or more) stops Calculate with one
// message naming it in reading order, whether it belongs to a row of the
// panel or to a column of the result grid: the earlier panel goes, none is
// shown, and nothing is stored, neither the work table nor the pump's head.
TEST_F(U_15SpacesTest, AResultThatCannotBeShownStopsTheRun)
{
    exec("UPDATE Tajhizat SET WCKh = 4, Van = 2, Dosh = 4, DamAbSh = 50, DamAbMa = 110, DamAbBeh = 140, "
         "TolSevic = 100, OfteFeshar = 2.5, FPBM = 10, MErAT = 6, MTZA = 0.5, TSPS = 4, EkhtDama = 20, "
         "TolRadiat = 100, K_B_L_Sir = 100, Te_Sir = 1, Rand_sir = 60, Oft_F_B_U_Sir = 5, Oft_F_D_K_Sir = 10, "
         "ErtefaS = 30");
    exec("UPDATE bankfz SET E_Kore = 1");
    DM1->Table12->refresh();
    const auto type = [](const char *box, const char *text) {
        return [=] { w<QLineEdit>(box)->setText(QString::fromLatin1(text)); };
    };
    const struct {
        const char *page, *height;
        std::function<void()> asIs, tooLarge;
        const char *caption;
    } cases[] = {
        // 123456789012345 h of storage hold some 8E16 gal.
        {"Label20", "30", [] {}, type("DBEdit22", "123456789012345"), "حجم آب داخل تانك (gal)"},
        // Some 1E15 Btu/h pumped against 1.9E9 ft of a building as high:
        // some 8E18 hp, where the head and the flow could be shown.
        {"Label13", "2000000000", type("Edit58", "432000"),
         [&] { type("Edit58", "999999999999999")(), type("DBEdit94", "1900000000")(); },
         "حداقل قدرت مورد نياز الكترو پمپ (hp)"},
        // A wall of U 1E13: the space's warm air and load.
        {"Label7", "30", [] {},
         [this] { exec("UPDATE bankjd SET Z_1 = 10000000000000 WHERE CodeFaza = 2"); }, "هواي گرم مورد نياز"},
    };
    const auto stored = [this] {
        return rows(QStringLiteral("SELECT Hed_pmpsir FROM Tajhizat")).rows.value(0).value(0).toString() +
               QStringLiteral("|") +
               rows(QStringLiteral("SELECT group_concat(faza || barh, ',') FROM Examfz")).rows.value(0).value(0).toString();
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.page);
        DM1->Database1->exec(QStringLiteral("UPDATE Tajhizat SET ErtefaS = %1").arg(QLatin1String(c.height)));
        DM1->Table12->refresh();
        click(c.page);
        c.asIs();
        calculate();
        takeMessages();
        ASSERT_TRUE(panelShown());
        const QString before = stored();

        c.tooLarge();
        calculate();
        EXPECT_EQ(takeMessages(),
                  QStringList{QStringLiteral("مقدار «%1» بزرگتر از آن است كه نشان داده شود؛ داده ها را بررسي كنيد")
                                  .arg(QString::fromUtf8(c.caption))});
        EXPECT_FALSE(panelShown());
        EXPECT_FALSE(ResultPanel && ResultPanel->isVisible());
        EXPECT_EQ(stored(), before);
        click("Label41");
    }
}
