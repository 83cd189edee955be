// The delete form over the running program: the confirmation it asks, the
// rows a yes removes, and that the delete, once chosen, stays offered.
#include "../app/MainWindowFixture.h"
#include "boravest/app/U3.h"
#include "boravest/sidejobs/U16.h"

#include <QHeaderView>
#include <QLabel>
#include <QScreen>
#include <QTest>

#include <algorithm>

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

TEST_F(U16Test, UnitDeleteAsksFirstAndStaysOffered)
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
    // Nothing disables the delete again: the next one asks for the unit
    // left, which a no keeps.
    EXPECT_TRUE(Form16->ui->Label4->isEnabled());
    answerYes = false;
    Form16->Label4Click();
    EXPECT_EQ(questions.size(), 3);
    EXPECT_EQ(rows("bankvh"), 1);
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

TEST_F(U16Test, EveryTitleOfTheGridsShowsWhole)
{
    choose("N18");
    for (pf::ui::DBGrid *grid : {Form16->ui->DBGrid1, Form16->ui->DBGrid2, Form16->ui->DBGrid3, Form16->ui->DBGrid4}) {
        QHeaderView *titles = grid->horizontalHeader();
        const QFontMetrics fm(titles->font());
        for (int c = 0; c < grid->datasetModel()->columnCount(); ++c) {
            const QString title = grid->datasetModel()->headerData(c, Qt::Horizontal).toString();
            SCOPED_TRACE(title.toStdString());
            for (const QString &word : title.split(QLatin1Char(' ')))
                EXPECT_LT(fm.horizontalAdvance(word), grid->columnWidth(c));
            const QRect laid = fm.boundingRect(QRect(0, 0, grid->columnWidth(c) - 4, 1000),
                                               Qt::AlignCenter | Qt::TextWordWrap, title);
            EXPECT_LE(laid.height(), titles->height());
        }
        EXPECT_LE(titles->length(), grid->viewport()->width());
    }
}

namespace {

// Two floors of one unit each, three spaces a floor (two of them named
// alike on both floors), two walls a space: a choice changes the rows
// without changing how many there are.
class U16PaintedRows : public testsupport::MainWindowFixture {
protected:
    void SetUp() override
    {
        MainWindowFixture::SetUp();
        auto &db = *DM1->Database1;
        db.exec(QStringLiteral("insert into Bank1 (SHPROJE, NAME) values (7, 'a')"));
        const char *names[2][3] = {{"پذيرايي", "آشپزخانه", "اطاق خواب"}, {"پذيرايي", "اطاق خواب", "حمام"}};
        for (int floor = 1; floor <= 2; ++floor) {
            db.exec(QStringLiteral("insert into bankvh (Shproje,Shsk,Tabage,Shvahed) values (7,7,?,1)"), {floor});
            for (int k = 0; k < 3; ++k) {
                const int code = floor * 10 + k;
                db.exec(QStringLiteral("insert into bankfz (Shproje,Shsk,Tabage,Shvahed,Faza,Codefaza) "
                                       "values (7,7,?,1,?,?)"),
                        {floor, QString::fromUtf8(names[floor - 1][k]), code});
                // Walls facing west and north, or south and east, by space.
                const int directions[2][2] = {{3, 0}, {1, 2}};
                for (int direction : directions[k % 2])
                    db.exec(QStringLiteral("insert into bankjd (Shproje,Shsk,Tabage,Shvahed,Codefaza,Jedare,Id_jedar,"
                                           "Id_njedar,Id_gjedar) values (7,7,?,1,?,?,0,1,?)"),
                            {floor, code, QStringLiteral("ديوار"), direction});
            }
        }
        onModal = [](QWidget *w) {
            if (w == Form3)
                Form3->Confirmed = true;
            return 0;
        };
    }

    // Clicks row `row` of a grid as the user does.
    static void click(pf::ui::DBGrid *grid, int row)
    {
        const QRect cell = grid->visualRect(grid->datasetModel()->index(row, 0));
        QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, cell.center());
        QCoreApplication::processEvents();
    }

    // The texts of a grid's column, one a row.
    static QStringList rows(pf::ui::DBGrid *grid, int column = 0)
    {
        QStringList out;
        for (int r = 0; r < grid->datasetModel()->rowCount(); ++r)
            out << grid->datasetModel()->index(r, column).data().toString();
        return out;
    }
    static QStringList directions(pf::ui::DBGrid *walls)
    {
        QStringList d = rows(walls, 2);
        d.sort();
        return d;
    }

    // Two pictures of the same texts: a selection's shading may differ by a
    // step of colour between a partial repaint and a whole one.
    static bool alike(const QImage &a, const QImage &b)
    {
        if (a.size() != b.size())
            return false;
        for (int y = 0; y < a.height(); ++y)
            for (int x = 0; x < a.width(); ++x) {
                const QRgb p = a.pixel(x, y), q = b.pixel(x, y);
                if (std::abs(qRed(p) - qRed(q)) > 16 || std::abs(qGreen(p) - qGreen(q)) > 16 ||
                    std::abs(qBlue(p) - qBlue(q)) > 16)
                    return false;
            }
        return true;
    }

    // Whether the grid shows on the screen what it holds: what its window
    // painted (the screen's pixels, not a fresh rendering) against the grid
    // drawn anew from its rows. A row left as an earlier choice painted it
    // differs.
    static void expectShowsItsRows(pf::ui::DBGrid *grid, const QStringList &want)
    {
        EXPECT_EQ(rows(grid), want);
        QCoreApplication::processEvents();
        QWidget *view = grid->viewport();
        const QPoint at = view->mapTo(view->window(), QPoint(0, 0));
        const QImage painted = view->screen()
                                   ->grabWindow(view->window()->winId(), at.x(), at.y(), view->width(), view->height())
                                   .toImage()
                                   .convertToFormat(QImage::Format_RGB32);
        const QImage fresh = view->grab().toImage().convertToFormat(QImage::Format_RGB32);
        ASSERT_EQ(painted.size(), fresh.size());
        // Each row's cells within their lines, and what lies below the last.
        int bottom = 0;
        for (int r = 0; r < want.size(); ++r)
            for (int c = 0; c < grid->datasetModel()->columnCount(); ++c) {
                const QRect cell = grid->visualRect(grid->datasetModel()->index(r, c));
                bottom = std::max(bottom, cell.bottom());
                const QRect inner = cell.adjusted(4, 3, -4, -3) & view->rect();
                EXPECT_TRUE(alike(painted.copy(inner), fresh.copy(inner)))
                    << "row " << r << " does not show " << want[r].toStdString();
            }
        const QRect below = QRect(0, bottom + 2, view->width(), view->height()) & view->rect();
        EXPECT_TRUE(alike(painted.copy(below), fresh.copy(below))) << "rows left from an earlier choice";
    }
};

} // namespace

TEST_F(U16PaintedRows, GridsShowTheRowsOfEachChoiceAndWhatADeleteLeaves)
{
    choose("N18"); // every grid enabled
    ASSERT_TRUE(Form16->isVisible());
    auto *floors = Form16->ui->DBGrid2, *spaces = Form16->ui->DBGrid3, *walls = Form16->ui->DBGrid4;
    QCoreApplication::processEvents();
    expectShowsItsRows(spaces, {QStringLiteral("پذيرايي"), QStringLiteral("آشپزخانه"), QStringLiteral("اطاق خواب")});

    // Another floor: its own spaces and the first space's walls.
    click(floors, 1);
    expectShowsItsRows(spaces, {QStringLiteral("پذيرايي"), QStringLiteral("اطاق خواب"), QStringLiteral("حمام")});
    expectShowsItsRows(walls, {QStringLiteral("ديوار"), QStringLiteral("ديوار")});
    EXPECT_EQ(directions(walls), (QStringList{QStringLiteral("شمالي"), QStringLiteral("غربي")}));

    // Another space: its walls, every row of them.
    click(spaces, 1);
    expectShowsItsRows(walls, {QStringLiteral("ديوار"), QStringLiteral("ديوار")});
    EXPECT_EQ(directions(walls), (QStringList{QStringLiteral("جنوبي"), QStringLiteral("شرقي")}));
    expectShowsItsRows(spaces, {QStringLiteral("پذيرايي"), QStringLiteral("اطاق خواب"), QStringLiteral("حمام")});

    // A deleted wall goes; a deleted space goes with its walls.
    click(walls, 0);
    Form16->Label4Click();
    expectShowsItsRows(walls, {QStringLiteral("ديوار")});
    DeleteLevel = 4;
    click(spaces, 1);
    Form16->Label4Click();
    expectShowsItsRows(spaces, {QStringLiteral("پذيرايي"), QStringLiteral("حمام")});
    expectShowsItsRows(walls, {QStringLiteral("ديوار"), QStringLiteral("ديوار")});
}
