// The booklet print form: its words, the title page it fills (floor count,
// climate, logo, materials, rotation note), its commands and keys, and a
// real project's booklet previewed, saved to a report file, loaded again
// and printed.
#include "BookletFixture.h"

#include "boravest/building/PersianWords.h"
#include "boravest/building/U2.h"
#include "boravest/app/U3.h"
#include "platform/report/ReportFile.h"
#include "platform/ui/ClickLabel.h"
#include "platform/ui/Colors.h"
#include "platform/ui/DbControls.h"
#include "platform/ui/Fonts.h"

#include <QApplication>
#include <QFileDialog>
#include <QFileInfo>
#include <QImage>
#include <QPainter>
#include <QPrinter>
#include <QProgressBar>
#include <QTest>

using building::KindDoor;
using building::KindFloor;
using building::KindRoof;
using building::KindWall;
using building::KindWindow;

namespace {

class Form13Test : public BookletFixture {
protected:
    QTemporaryDir files;

    void layers(double p, int kind, const QVariantList &typ2AndTyp5)
    {
        db()->exec(QStringLiteral("INSERT INTO TypMas (Shproje, Type, Typ2, Typ5) VALUES (?, ?, ?, ?)"),
                   QVariantList{p, kind} + typ2AndTyp5);
    }

    QString logoFile()
    {
        QImage img(300, 120, QImage::Format_ARGB32);
        img.fill(Qt::white);
        QPainter painter(&img);
        painter.setBrush(QColor(30, 90, 160));
        painter.drawEllipse(10, 10, 100, 100);
        painter.setBrush(QColor(200, 60, 40));
        painter.drawRect(130, 30, 150, 60);
        painter.end();
        const QString path = files.filePath(QStringLiteral("logo.png"));
        img.save(path);
        return path;
    }

    static void retype(QWidget *edit, const QString &text)
    {
        edit->setFocus();
        static_cast<QLineEdit *>(edit)->selectAll();
        QTest::keyClick(edit, Qt::Key_Backspace);
        QTest::keyClicks(edit, text);
    }

    static void showForm()
    {
        Form13->show();
        QApplication::setActiveWindow(Form13);
        Form13->activateWindow();
        (void)QTest::qWaitForWindowActive(Form13, 1000);
    }

    // A building of several floors, units and spaces with every kind of
    // surface, layers for the walls and roofs and window and door types.
    void realProject(double p)
    {
        project(p, QStringLiteral("tabriz"), 1.035, 53, QStringLiteral("مجتمع مسكوني ارم"));
        db()->exec(QStringLiteral("UPDATE Bank1 SET W_K = 2, W_D = 1, D_K = 8, D_D = 11 WHERE SHPROJE = ?"), {p});
        layers(p, 1, {4, 0.75});
        layers(p, 2, {QVariant(), 0.5});
        layers(p, 3, {6, QVariant()});
        layers(p, 4, {2, 1});
        const QString names[4] = {QStringLiteral("پذيرايي"), QStringLiteral("آشپزخانه"), QStringLiteral("اطاق خواب"),
                                  QStringLiteral("حمام")};
        int code = 1;
        db()->startTransaction();
        for (double t : {-1.0, 0.0, 1.0, 2.0, 3.0}) {
            for (int v = 1; v <= 2; ++v) {
                unit(p, t, v, 10, t >= 2 ? 5 : 0);
                for (int k = 0; k < 4; ++k, ++code) {
                    space(p, t, v, code, names[k],
                          room(k == 3 ? 75 : 70, -4, 150 + 20 * k, 1200 + 160 * k, k == 1 ? 1.5 : 1, k == 1 ? 2000 : 0));
                    surface(p, t, v, code, wall(KindWall, 1, (code + k) % 8, 90 + 5 * k, 0.28, -4));
                    surface(p, t, v, code, wall(KindWall, 1, (code + 2) % 8, 60, 0.28, -4));
                    surface(p, t, v, code, wall(KindWall, 0, (code + 5) % 8, 70, 0.35, 60));
                    surface(p, t, v, code, wall(KindWindow, 1, (code + k) % 8, 24, 0.65, -4));
                    surface(p, t, v, code, wall(KindWindow, 0, 1, 12, 1.23, 60));
                    surface(p, t, v, code, wall(KindDoor, 0, 3, 21, 0.45, 60));
                    if (k == 0)
                        surface(p, t, v, code, wall(KindDoor, 1, 0, 21, 1.2, -4));
                    if (t == 3)
                        surface(p, t, v, code, wall(KindRoof, 1, k == 2 ? 1 : 0, 150, 0.22, -4, 140, 0.5, 70));
                    else
                        surface(p, t, v, code, wall(KindRoof, 0, -1, 150, 0.3, 68));
                    if (t == -1)
                        surface(p, t, v, code, wall(KindFloor, 0, -1, 150, 0, -4, 32));
                    else if (t == 0)
                        surface(p, t, v, code, wall(KindFloor, 1, -1, 150, 0.25, 50));
                    else
                        surface(p, t, v, code, wall(KindFloor, 0, -1, 0, 0, 68, 10));
                }
            }
        }
        db()->commit();
    }
};

} // namespace

TEST_F(Form13Test, WordsForNumbersAndMaterialLayers)
{
    QString text = QStringLiteral("old");
    Form13->ConvertTabage(0, text);
    EXPECT_EQ(text, QStringLiteral("همكف"));
    Form13->ConvertTabage(3, text);
    EXPECT_EQ(text, QStringLiteral("سه"));
    Form13->ConvertTabage(21, text);
    EXPECT_EQ(text, QStringLiteral("بيستويك"));
    Form13->ConvertTabage(50, text);
    EXPECT_EQ(text, QStringLiteral("پنجاه"));
    Form13->ConvertTabage(60, text);
    EXPECT_EQ(text, QStringLiteral("60"));
    Form13->ConvertTabage(-2, text);
    EXPECT_EQ(text, QStringLiteral("-2"));

    // Thicknesses for the 2nd and 5th materials only; a thickness stored as
    // 0 is still listed.
    project(4);
    layers(4, 1, {1.5, 0.75});
    layers(4, 3, {0, QVariant()});
    Form13->Masaleh(4, 1, text);
    EXPECT_EQ(text, QStringLiteral("آجرنما1.5اينچ,اندودگچ0.75اينچ,"));
    Form13->Masaleh(4, 3, text);
    EXPECT_EQ(text, QStringLiteral("آجرنما0اينچ,"));
    // Nothing stored for the type: empty.
    Form13->Masaleh(4, 2, text);
    EXPECT_TRUE(text.isEmpty());
    // The layers table is left closed.
    EXPECT_FALSE(DM1->Table13->active());
}

TEST_F(Form13Test, FloorCountCountsFloorsNotFloorAndUnitRows)
{
    // Three floors of two units each: three floors, not six.
    project(6);
    for (double t : {0, 1, 2})
        for (int v = 1; v <= 2; ++v)
            unit(6, t, v);
    const pf::report::Document doc = preview(6);
    EXPECT_EQ(Report2->QRLabelFloors->text, QStringLiteral("سه"));
    EXPECT_EQ(after(doc, QStringLiteral("از سطح دريا در")), QStringList{QStringLiteral("سه")});
    EXPECT_EQ(after(doc, QStringLiteral("نتايج مجموع محاسبات بار واحدهاي طبقه")).size(), 3);

    // Another project's rows do not count; a project without rows has the
    // word of 0.
    project(12);
    preview(12);
    EXPECT_EQ(Report2->QRLabelFloors->text, QStringLiteral("همكف"));
}

TEST_F(Form13Test, TitlePageTakesTheDetailsClimateMaterialsAndLogo)
{
    realProject(2);
    Form13->Edit1->setText(logoFile());
    const pf::report::Document doc = preview(2);
    TReport2 *r = Report2;
    EXPECT_EQ(r->QRLabelNumber->text, QStringLiteral("2"));
    EXPECT_EQ(r->QRLabelDate->text, QStringLiteral("1383/05/01"));
    EXPECT_EQ(r->QRLabelCompany->text, QStringLiteral("karan"));
    EXPECT_EQ(r->QRLabelLogoCompany->text, QStringLiteral("karan"));
    EXPECT_EQ(r->QRLabelEngineer->text, QStringLiteral("rezaei"));
    EXPECT_EQ(r->QRLabelName->text, QStringLiteral("مجتمع مسكوني ارم"));
    EXPECT_EQ(r->QRLabelCity->text, QStringLiteral("tabriz"));
    // The city's humidity, altitude and design temperature, negatives with
    // the sign after the digits.
    EXPECT_EQ(r->QRLabelHumidity->text, QStringLiteral("55"));
    EXPECT_EQ(r->QRLabelAltitude->text, QStringLiteral("4500"));
    EXPECT_EQ(r->QRLabelDesignTemp->text, QStringLiteral("4-"));
    EXPECT_EQ(r->QRLabelFloors->text, QStringLiteral("پنج"));
    // Window and door types by their stored codes, walls and roofs by layers.
    EXPECT_EQ(r->MaterialValues[0]->text, QStringLiteral("آجرنما4اينچ,اندودگچ0.75اينچ,"));
    EXPECT_EQ(r->MaterialValues[1]->text, QStringLiteral("اندودگچ0.5اينچ,"));
    EXPECT_EQ(r->MaterialValues[2]->text, QStringLiteral("آجرنما6اينچ,"));
    EXPECT_EQ(r->MaterialValues[3]->text, QStringLiteral("آجرنما2اينچ,اندودگچ1اينچ,"));
    EXPECT_EQ(r->MaterialValues[4]->text, QStringLiteral("پنجره با دو لايه شيشه با فاصله 0/5 اينچ"));
    EXPECT_EQ(r->MaterialValues[5]->text, QStringLiteral("پنجره تك شيشه اي معمولي"));
    EXPECT_EQ(r->MaterialValues[6]->text, QStringLiteral("درب تمام فلزي"));
    EXPECT_EQ(r->MaterialValues[7]->text, QStringLiteral("درب ورودي راهرو(تمام چوبي)"));
    EXPECT_EQ(r->MaterialValues[7]->text, TForm2::KindCaption(11));
    // The logo is on page 1, scaled into its box.
    int images = 0;
    for (const auto &item : doc.pages[0].items)
        if (const auto *img = std::get_if<pf::report::ImageItem>(&item)) {
            ++images;
            EXPECT_LE(img->rect.width(), 150);
            EXPECT_LE(img->rect.height(), 100);
        }
    EXPECT_EQ(images, 1);
    // The progress ran to its end and went away; the form is browsing.
    EXPECT_EQ(Form13->Gauge1->value(), 100);
    EXPECT_FALSE(Form13->Panel4->isVisibleTo(Form13));
    EXPECT_FALSE(Form13->detailsShown());
    EXPECT_TRUE(Form13->Label5->isEnabled());
    // The report's own tables are closed again after the preview.
    EXPECT_FALSE(r->Table3->active());
    EXPECT_FALSE(r->Table4->active());
    EXPECT_FALSE(r->Table5->active());
}

TEST_F(Form13Test, UnknownCityAndEmptyLogoLeaveTheTitleBlank)
{
    realProject(2);
    Form13->Edit1->setText(logoFile());
    preview(2);
    ASSERT_FALSE(Report2->QRImage1->picture.isNull());
    ASSERT_FALSE(Report2->QRLabelHumidity->text.isEmpty());

    // A city that is not in the cities table, and no logo: none of the
    // previous project's values stay on the title page.
    project(14, QStringLiteral("atlantis"));
    unit(14, 0, 1);
    Form13->Edit1->clear();
    const pf::report::Document doc = preview(14);
    EXPECT_TRUE(Report2->QRLabelHumidity->text.isEmpty());
    EXPECT_TRUE(Report2->QRLabelAltitude->text.isEmpty());
    EXPECT_TRUE(Report2->QRLabelDesignTemp->text.isEmpty());
    EXPECT_TRUE(Report2->QRImage1->picture.isNull());
    EXPECT_EQ(Report2->QRLabelCity->text, QStringLiteral("atlantis"));
    for (const auto &item : doc.pages[0].items)
        EXPECT_FALSE(std::holds_alternative<pf::report::ImageItem>(item));
    // Project 14 stores no window or door types and no layers.
    for (pf::report::Label *l : Report2->MaterialValues)
        EXPECT_TRUE(l->text.isEmpty());
}

TEST_F(Form13Test, UnreadableLogoShowsTheReasonAndGoesBackToBrowsing)
{
    project(15);
    unit(15, 0, 1);
    const QString bad = files.filePath(QStringLiteral("broken.png"));
    {
        QFile f(bad);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write("this is no picture");
    }
    Form13->Edit1->setText(bad);
    testsupport::takeMessages();
    preview(15);
    const QStringList messages = testsupport::takeMessages();
    ASSERT_EQ(messages.size(), 1);
    EXPECT_TRUE(messages[0].contains(bad));
    // Nothing previewed; the progress panel is gone, the form browses and
    // the preview command can be used again.
    EXPECT_EQ(previews, 0);
    EXPECT_FALSE(Form13->Panel4->isVisibleTo(Form13));
    EXPECT_FALSE(Form13->detailsShown());
    EXPECT_TRUE(Form13->DBGrid1->isEnabled());
    EXPECT_TRUE(Form13->Label5->isEnabled());
    EXPECT_FALSE(Report2->Table3->active());
    EXPECT_NE(DM1->Table1->state(), pf::db::DatasetState::Edit);

    // With the path corrected the preview works.
    Form13->Edit1->clear();
    preview(15);
    EXPECT_EQ(previews, 1);
}

TEST_F(Form13Test, EditedDetailsArePrintedButKeptOnlyWhenSaved)
{
    project(16);
    unit(16, 0, 1);
    preview(16, 0, [] {
        retype(Form13->DBEdit4, QStringLiteral("nova"));
        retype(Form13->DBEdit5, QStringLiteral("ahmadi"));
    });
    EXPECT_EQ(Report2->QRLabelCompany->text, QStringLiteral("nova"));
    EXPECT_EQ(Report2->QRLabelEngineer->text, QStringLiteral("ahmadi"));
    EXPECT_EQ(after(lastDoc, QStringLiteral(": شركت")), (QStringList{"nova", "nova"}));
    // The record keeps the old values.
    auto stored = db()->select(QStringLiteral("SELECT CoN, EngN FROM Bank1 WHERE SHPROJE = 16"));
    EXPECT_EQ(stored.rows[0][0].toString(), QStringLiteral("karan"));
    EXPECT_EQ(stored.rows[0][1].toString(), QStringLiteral("rezaei"));

    // Save posts them and returns to browsing.
    Form13->Label4Click();
    retype(Form13->DBEdit4, QStringLiteral("nova"));
    Form13->Label6Click();
    EXPECT_FALSE(Form13->detailsShown());
    stored = db()->select(QStringLiteral("SELECT CoN FROM Bank1 WHERE SHPROJE = 16"));
    EXPECT_EQ(stored.rows[0][0].toString(), QStringLiteral("nova"));
}

TEST_F(Form13Test, RotationNoteShowsOnlyTheLastChoice)
{
    project(17);
    unit(17, 0, 1);
    preview(17, 1);
    EXPECT_EQ(Report2->QRLabelRotation->text,
              QStringLiteral("      (چرخش پلان درجهت عقربههاي ساعت45درجه)"));
    EXPECT_EQ(building::PlanRotation, building::planRotationForChoice(1));
    const pf::report::Document doc = preview(17, 2);
    EXPECT_EQ(Report2->QRLabelRotation->text,
              QStringLiteral("      (چرخش پلان درجهت عقربههاي ساعت90درجه)"));
    const QStringList all = reporttest::allTexts(doc);
    EXPECT_EQ(all.filter(QStringLiteral("درجه)")).size(), 1);
    EXPECT_TRUE(all.filter(QStringLiteral("ساعت45درجه")).isEmpty());
    // The rotation choice stays for the next use.
    EXPECT_TRUE(Form13->rotationButton(2)->isChecked());
}

TEST_F(Form13Test, CommandsKeysAndLook)
{
    project(18);
    project(19);
    unit(18, 0, 1);
    showForm();
    EXPECT_TRUE(DM1->Table1->active());
    EXPECT_TRUE(Form13->windowFlags() & Qt::FramelessWindowHint);
    EXPECT_EQ(Form13->DBGrid1->datasetModel()->columnCount(), 6);
    EXPECT_EQ(Form13->DBGrid1->datasetModel()->headerData(0, Qt::Horizontal).toString(), QStringLiteral("نام پروژه"));
    // Browse: Select, Back and Exit only.
    EXPECT_TRUE(Form13->Label4->isEnabled());
    EXPECT_FALSE(Form13->Label5->isEnabled());
    EXPECT_FALSE(Form13->Label6->isEnabled());
    EXPECT_FALSE(Form13->Label7->isEnabled());
    EXPECT_FALSE(Form13->Panel3->isVisible());

    // Enter in the grid selects: details shown, record in edit, focus on
    // the company.
    Form13->DBGrid1->setFocus();
    QTest::keyClick(Form13->DBGrid1, Qt::Key_Return);
    EXPECT_TRUE(Form13->detailsShown());
    EXPECT_TRUE(Form13->Panel3->isVisible());
    EXPECT_FALSE(Form13->DBGrid1->isEnabled());
    EXPECT_EQ(DM1->Table1->state(), pf::db::DatasetState::Edit);
    EXPECT_TRUE(Form13->Label5->isEnabled());
    EXPECT_FALSE(Form13->Label4->isEnabled());
    EXPECT_EQ(QApplication::focusWidget(), Form13->DBEdit4);

    // Enter walks company, engineer, date, logo, first rotation choice, and
    // a rotation choice goes back to the company.
    QTest::keyClick(Form13->DBEdit4, Qt::Key_Return);
    EXPECT_EQ(QApplication::focusWidget(), Form13->DBEdit5);
    QTest::keyClick(Form13->DBEdit5, Qt::Key_Return);
    EXPECT_EQ(QApplication::focusWidget(), Form13->DBEdit6);
    QTest::keyClick(Form13->DBEdit6, Qt::Key_Return);
    EXPECT_EQ(QApplication::focusWidget(), Form13->Edit1);
    // F5 in the logo box opens the picture dialog; the chosen file lands
    // in the box.
    const QString logo = logoFile();
    onModal = [&](QWidget *w) {
        if (auto *d = qobject_cast<QFileDialog *>(w)) {
            d->selectFile(logo);
            return int(QDialog::Accepted);
        }
        return 0;
    };
    QTest::keyClick(Form13->Edit1, Qt::Key_F5);
    EXPECT_TRUE(modalsShown.contains(QStringLiteral("OpenPictureDialog1")));
    EXPECT_EQ(QFileInfo(Form13->Edit1->text()).fileName(), QStringLiteral("logo.png"));
    onModal = nullptr;
    QTest::keyClick(Form13->Edit1, Qt::Key_Return);
    EXPECT_EQ(QApplication::focusWidget(), Form13->rotationButton(0));
    QTest::keyClick(Form13->rotationButton(0), Qt::Key_Return);
    EXPECT_EQ(QApplication::focusWidget(), Form13->DBEdit4);

    // F4 with the details shown does nothing; Esc cancels.
    QTest::keyClick(Form13->DBEdit4, Qt::Key_F4);
    EXPECT_TRUE(Form13->isVisible());
    EXPECT_TRUE(Form13->detailsShown());
    QTest::keyClick(Form13->DBEdit4, Qt::Key_Escape);
    EXPECT_FALSE(Form13->detailsShown());
    EXPECT_NE(DM1->Table1->state(), pf::db::DatasetState::Edit);
    // Esc in browse asks the exit question.
    modalsShown.clear();
    QTest::keyClick(Form13->DBGrid1, Qt::Key_Escape);
    EXPECT_EQ(modalsShown, QStringList{"Form3"});
    EXPECT_TRUE(Form3->Mode.isEmpty() || Form3->Mode == QStringLiteral("Exit"));

    // Hover: red at top 9, the others the reports area's text colour at 8.
    Q_EMIT Form13->Label4->mouseMoved();
    EXPECT_EQ(pf::ui::textColor(Form13->Label4), QColor(255, 0, 0));
    EXPECT_EQ(Form13->Label4->y(), 9);
    Q_EMIT Form13->Label9->mouseMoved();
    EXPECT_EQ(Form13->Label4->y(), 8);
    EXPECT_EQ(pf::ui::textColor(Form13->Label4), pf::ui::winColor(AreaColors[AreaG * 5 + RoleText]));

    // The progress panel has rounded corners: its corner pixel is cut away.
    EXPECT_FALSE(Form13->Panel4->mask().isEmpty());
    EXPECT_FALSE(Form13->Panel4->mask().contains(QPoint(3, 3)));
    EXPECT_TRUE(Form13->Panel4->mask().contains(QPoint(Form13->Panel4->width() / 2, 3)));
    EXPECT_FALSE(Form13->Panel4->mask().contains(QPoint(Form13->Panel4->width() - 3, 10)));

    // F4 in browse closes; the projects table is closed with it.
    QTest::keyClick(Form13->DBGrid1, Qt::Key_F4);
    EXPECT_FALSE(Form13->isVisible());
    EXPECT_FALSE(DM1->Table1->active());
}

TEST_F(Form13Test, RealProjectPreviewedSavedReloadedAndPrinted)
{
    pf::ui::installPersianFonts(); // as the program does at start
    realProject(2);
    Form13->Edit1->setText(logoFile());
    const QString saved = files.filePath(QStringLiteral("booklet.QRP"));
    pf::report::Document reloaded;
    inPreview = [&](pf::report::ReportPreview *p) {
        EXPECT_GT(p->pageCount(), 5);
        EXPECT_EQ(p->currentPage(), 1);
        p->save(saved);
        pf::report::ReportPreview other;
        other.load(saved);
        reloaded = other.document();
    };
    const pf::report::Document doc = preview(2, 1);
    ASSERT_EQ(previews, 1);
    EXPECT_EQ(reloaded, doc);

    // The totals the booklet prints are those of the plain rules.
    const building::BuildingLoad b = expected(2);
    EXPECT_EQ(after(doc, QStringLiteral("(Btu/h) با احتساب كل ضرايب")), QStringList{building::loadText(b.load)});
    QStringList floors;
    for (const building::FloorLoad &f : b.floors)
        floors << building::loadText(f.load);
    EXPECT_EQ(after(doc, QStringLiteral("(Btu/h) با احتساب ضرايب")), floors);
    // 5 floors x 2 units x 4 spaces; every page numbered.
    EXPECT_EQ(after(doc, QStringLiteral("نام فضا")).size(), 40);
    EXPECT_EQ(reporttest::allTexts(doc).count(QStringLiteral("صفحه")), doc.pages.size());

    // Printed to PDF (kept where BORAVEST_BOOKLET_PDF points, to look at).
    QString pdf = qEnvironmentVariable("BORAVEST_BOOKLET_PDF");
    if (pdf.isEmpty())
        pdf = files.filePath(QStringLiteral("booklet.pdf"));
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(pdf);
    ASSERT_TRUE(pf::report::printDocument(reloaded, &printer));
    EXPECT_GT(QFileInfo(pdf).size(), 10000);
}

TEST_F(Form13Test, MainMenuItemShowsTheFormModally)
{
    project(20);
    unit(20, 0, 1);
    space(20, 0, 1, 1, QStringLiteral("اطاق"), room(70, 0, 100, 800, 1));
    surface(20, 0, 1, 1, wall(KindWall, 1, 1, 100, 0.3, 0));
    bool shown = false;
    onModal = [&](QWidget *w) {
        if (w != Form13)
            return 0;
        // What the engineer does on the form: choose the project, preview,
        // then go back.
        shown = true;
        Form13->FormActivate();
        EXPECT_TRUE(DM1->Table1->active());
        EXPECT_TRUE(DM1->Table1->locate(QStringLiteral("SHPROJE"), {20.0}));
        Form13->Label4Click();
        Form13->Label5Click();
        Form13->Label8Click();
        return 0;
    };
    Form1->N15Click();
    EXPECT_TRUE(shown);
    EXPECT_EQ(previews, 1);
    EXPECT_EQ(after(lastDoc, QStringLiteral("(Btu/h) با احتساب كل ضرايب")),
              QStringList{building::loadText(expected(20).load)});
}
