#include "platform/db/Db.h"
#include "platform/ui/DbControls.h"
#include "platform/ui/Dialogs.h"
#include "platform/ui/Keys.h"
#include "support/TestSupport.h"

#include <QApplication>
#include <QFocusEvent>
#include <QHeaderView>
#include <QHelpEvent>
#include <QMouseEvent>
#include <QScrollBar>
#include <QTemporaryDir>
#include <QToolTip>
#include <QTest>
#include <gtest/gtest.h>

using namespace pf::db;
using namespace pf::ui;

namespace {

class BoundControls : public ::testing::Test {
protected:
    void SetUp() override
    {
        testsupport::resetSharedState();
        ASSERT_TRUE(dir.isValid());
        db.setDirectory(dir.path());
        db.open();
        TableDef def;
        def.fileName = QStringLiteral("faza.DB");
        def.fields = {{QStringLiteral("Faza"), FieldType::String, 8}, {QStringLiteral("Ti_"), FieldType::Float, 0}};
        def.passwordProtected = false;
        db.createTable(def);
        table.setDatabase(&db);
        table.setTableName(QStringLiteral("faza.DB"));
        table.open();
        add(QStringLiteral("اتاق"), 70);
        add(QStringLiteral("آشپزخانه"), 68);
        add(QStringLiteral("حمام"), 75.5);
        table.first();
        src.setDataSet(&table);
    }

    void add(const QString &name, double t)
    {
        table.append();
        table.fieldByName(QStringLiteral("Faza")).setAsString(name);
        table.fieldByName(QStringLiteral("Ti_")).setAsFloat(t);
        table.post();
    }

    QTemporaryDir dir;
    Database db;
    Table table;
    DataSource src;
};

// Types any text, Persian letters included, key by key.
void typeText(QWidget *w, const QString &text)
{
    for (QChar c : text)
        QTest::sendKeyEvent(QTest::Click, w, Qt::Key_unknown, QString(c), Qt::NoModifier);
}

} // namespace

TEST_F(BoundControls, GridShowsRowsAndFollowsTheCursor)
{
    DBGrid grid;
    grid.setDataSource(&src);
    grid.setColumns({{QStringLiteral("Faza"), QStringLiteral("فضا"), 90}, {QStringLiteral("Ti_"), QString(), -1}});
    EXPECT_EQ(grid.layoutDirection(), Qt::RightToLeft);
    DatasetTableModel *m = grid.datasetModel();
    ASSERT_EQ(m->rowCount(), 3);
    ASSERT_EQ(m->columnCount(), 2);
    EXPECT_EQ(m->headerData(0, Qt::Horizontal).toString(), QStringLiteral("فضا"));
    EXPECT_EQ(m->headerData(1, Qt::Horizontal).toString(), QStringLiteral("Ti_"));
    EXPECT_EQ(grid.columnWidth(0), 90);
    EXPECT_EQ(m->data(m->index(2, 1)).toString(), QStringLiteral("75.5"));

    // The cursor selects its row.
    EXPECT_EQ(grid.currentIndex().row(), 0);
    table.setRecNo(3);
    EXPECT_EQ(grid.currentIndex().row(), 2);
    EXPECT_TRUE(grid.selectionModel()->isRowSelected(2, QModelIndex()));

    // Choosing a row moves the cursor; so does the keyboard.
    grid.selectionModel()->setCurrentIndex(m->index(0, 0), QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
    EXPECT_EQ(table.recNo(), 1);
    grid.show();
    grid.setFocus();
    QTest::keyClick(&grid, Qt::Key_Down);
    EXPECT_EQ(table.recNo(), 2);

    // New rows appear; a closed dataset shows none.
    add(QStringLiteral("راهرو"), 65);
    EXPECT_EQ(m->rowCount(), 4);
    table.close();
    EXPECT_EQ(m->rowCount(), 0);
}

TEST_F(BoundControls, FittedGridShowsEveryColumnAndWholeTitlesAtItsWidth)
{
    DBGrid grid;
    grid.setDataSource(&src);
    const QString title = QStringLiteral("بار حرارتي كل فضا");
    grid.setColumns({{QStringLiteral("Faza"), QStringLiteral("فضا"), 300}, {QStringLiteral("Ti_"), title, 300}});
    grid.resize(160, 140);
    grid.fitColumnsToWidth();
    auto check = [&] {
        const QFontMetrics cells(grid.font()), titles(grid.horizontalHeader()->font());
        EXPECT_LE(grid.columnWidth(0) + grid.columnWidth(1), grid.contentsRect().width());
        EXPECT_EQ(grid.horizontalScrollBar()->maximum(), 0);
        for (int r = 0; r < grid.datasetModel()->rowCount(); ++r)
            EXPECT_LT(cells.horizontalAdvance(grid.datasetModel()->index(r, 0).data().toString()), grid.columnWidth(0));
        const QRect wrapped =
            titles.boundingRect(QRect(0, 0, grid.columnWidth(1) - 4, 1000), Qt::AlignCenter | Qt::TextWordWrap, title);
        EXPECT_GT(wrapped.height(), titles.height()) << "the title wraps";
        EXPECT_GE(grid.horizontalHeader()->height(), wrapped.height());
    };
    check();
    // Rows written later keep the columns fitted.
    add(QStringLiteral("اتاق خواب اصلي"), 70);
    check();
    // So does another font: the texts are measured in it.
    QFont larger = grid.font();
    larger.setPointSizeF(larger.pointSizeF() + 3);
    grid.setFont(larger);
    grid.fitColumnsToWidth();
    check();
}

// A grid off screen measures nothing while its rows change, and fits them
// when it is shown.
TEST_F(BoundControls, FittedGridOffScreenFitsItsRowsWhenShown)
{
    DBGrid grid;
    grid.setDataSource(&src);
    grid.setColumns({{QStringLiteral("Faza"), QStringLiteral("فضا"), 60}, {QStringLiteral("Ti_"), QStringLiteral("دما"), 60}});
    grid.resize(400, 140);
    grid.fitColumnsToWidth();
    const int before = grid.columnWidth(1);
    add(QStringLiteral("حمام"), 1234567890.125);
    EXPECT_EQ(grid.columnWidth(1), before);
    grid.show();
    EXPECT_GT(grid.columnWidth(1), before);
}

TEST_F(BoundControls, FittedGridKeepsNoRoomForAScrollBarItsRowsDoNotNeed)
{
    DBGrid grid;
    grid.setDataSource(&src);
    grid.setColumns({{QStringLiteral("Faza"), QStringLiteral("فضا"), 150}, {QStringLiteral("Ti_"), QStringLiteral("دما"), 150}});
    for (int height : {100, 85, 50}) {
        grid.resize(240, height);
        grid.fitColumnsToWidth();
        grid.show();
        QCoreApplication::processEvents();
        const int rowsHeight = grid.datasetModel()->rowCount() * grid.verticalHeader()->defaultSectionSize();
        const bool scrolls = rowsHeight > grid.viewport()->height();
        EXPECT_EQ(grid.verticalScrollBar()->isVisible(), scrolls) << height;
        EXPECT_EQ(grid.columnWidth(0) + grid.columnWidth(1), grid.viewport()->width()) << height;
    }
}

TEST_F(BoundControls, FittedGridNeverScrollsSideways)
{
    for (int i = 0; i < 12; ++i)
        add(QStringLiteral("همكف %1").arg(i), 70 + i);
    DBGrid grid;
    grid.setDataSource(&src);
    grid.setColumns({{QStringLiteral("Faza"), QStringLiteral("فضا"), 150}, {QStringLiteral("Ti_"), QStringLiteral("دما"), 150}});
    grid.resize(200, 120);
    grid.fitColumnsToWidth();
    grid.show();
    const QRect before = grid.visualRect(grid.datasetModel()->index(0, 0));
    // Rows further down come into view; the columns stay where they are,
    // the first one whole.
    for (int row : {14, 3, 10}) {
        const QModelIndex last = grid.datasetModel()->index(row, 1);
        grid.scrollTo(last);
        QTest::mouseClick(grid.viewport(), Qt::LeftButton, {}, grid.visualRect(last).center());
        QTest::mouseDClick(grid.viewport(), Qt::LeftButton, {}, grid.visualRect(last).center());
        const QRect first = grid.visualRect(grid.datasetModel()->index(row, 0));
        EXPECT_EQ(first.left(), before.left()) << row;
        EXPECT_LE(first.right(), grid.viewport()->width()) << row;
    }
}

// A click on a row only half in view takes that row, current and
// highlighted alike, and then shows it whole; the second click of a double
// click (press, release, press, double click, release) still means it.
TEST_F(BoundControls, ClickOnAHalfVisibleRowTakesThatRowAndShowsItWhole)
{
    for (int i = 0; i < 9; ++i)
        add(QStringLiteral("راهرو %1").arg(i), 60 + i);
    table.first();
    DBGrid grid;
    grid.setDataSource(&src);
    grid.setColumns({{QStringLiteral("Faza"), QStringLiteral("فضا"), 150}});
    grid.show();
    grid.resize(200, grid.height() - grid.viewport()->height() + 7 * grid.rowHeight(0) / 2);
    QList<int> clicked;
    QObject::connect(&grid, &QAbstractItemView::clicked, [&](const QModelIndex &i) { clicked << i.row(); });
    QObject::connect(&grid, &QAbstractItemView::doubleClicked, [&](const QModelIndex &i) { clicked << -i.row(); });
    const auto rect = [&](int row) { return grid.visualRect(grid.datasetModel()->index(row, 0)); };
    ulong ms = 100000;
    for (int clicks : {1, 2}) {
        const int row = grid.rowAt(grid.viewport()->height() - 1);
        ASSERT_GT(rect(row).bottom(), grid.viewport()->height()) << clicks;
        const QPointF at = rect(row).topLeft() + QPoint(20, 2);
        clicked.clear();
        for (QEvent::Type t : {QEvent::MouseButtonPress, QEvent::MouseButtonRelease, QEvent::MouseButtonPress,
                               QEvent::MouseButtonDblClick, QEvent::MouseButtonRelease}) {
            QMouseEvent e(t, at, grid.viewport()->mapToGlobal(at), Qt::LeftButton,
                          t == QEvent::MouseButtonRelease ? Qt::NoButton : Qt::LeftButton, Qt::NoModifier);
            e.setTimestamp(ms += 40);
            QApplication::sendEvent(grid.viewport(), &e);
            if (clicks == 1 && t == QEvent::MouseButtonRelease)
                break;
        }
        EXPECT_EQ(table.recNo(), row + 1) << clicks;
        EXPECT_EQ(grid.selectionModel()->selectedRows(), QModelIndexList{grid.datasetModel()->index(row, 0)});
        EXPECT_LT(rect(row).bottom(), grid.viewport()->height()) << clicks;
        EXPECT_EQ(clicked, (clicks == 1 ? QList<int>{row} : QList<int>{row, -row})) << clicks;
        ms += 1000;
    }
}

TEST_F(BoundControls, CellOfAFieldThatKeepsOnlyPartOfATextSaysSoAndShowsItWhole)
{
    DBGrid grid;
    grid.setDataSource(&src);
    grid.setColumns({{QStringLiteral("Faza"), QStringLiteral("فضا"), 150}});
    // The field holds eight letters of a longer name.
    grid.datasetModel()->setWholeText([&](int row, int) {
        return row == 1 ? QStringLiteral("آشپزخانه و ناهارخوري") : QString();
    });
    const QModelIndex cut = grid.datasetModel()->index(1, 0), whole = grid.datasetModel()->index(0, 0);
    EXPECT_EQ(cut.data().toString(), QStringLiteral("آشپزخانه") + QChar(0x2026));
    EXPECT_EQ(whole.data().toString(), QStringLiteral("اتاق"));
    grid.resize(200, 120);
    grid.show();
    const QRect cell = grid.visualRect(cut);
    QHelpEvent e(QEvent::ToolTip, cell.center(), grid.viewport()->mapToGlobal(cell.center()));
    QApplication::sendEvent(grid.viewport(), &e);
    EXPECT_EQ(QToolTip::text(), QStringLiteral("آشپزخانه و ناهارخوري"));
}

TEST_F(BoundControls, GridCellCutShortShowsItsWholeTextOnHover)
{
    DBGrid grid;
    grid.setDataSource(&src);
    grid.setColumns({{QStringLiteral("Faza"), QStringLiteral("فضا"), 24}, {QStringLiteral("Ti_"), QString(), 80}});
    grid.resize(200, 120);
    grid.show();
    auto hover = [&](int row, int column) {
        const QRect cell = grid.visualRect(grid.datasetModel()->index(row, column));
        QHelpEvent e(QEvent::ToolTip, cell.center(), grid.viewport()->mapToGlobal(cell.center()));
        QApplication::sendEvent(grid.viewport(), &e);
        return QToolTip::isVisible() ? QToolTip::text() : QString();
    };
    EXPECT_NE(hover(1, 1), QStringLiteral("68")) << "a whole text needs no tip";
    EXPECT_EQ(hover(1, 0), QStringLiteral("آشپزخانه"));
}

TEST_F(BoundControls, EditShowsAndWritesTheCurrentRecord)
{
    DBEdit edit;
    DBText text;
    edit.bind(&src, QStringLiteral("Faza"));
    text.bind(&src, QStringLiteral("Ti_"));
    DBGrid grid;
    grid.setDataSource(&src);
    EXPECT_EQ(edit.layoutDirection(), Qt::RightToLeft);
    EXPECT_EQ(edit.text(), QStringLiteral("اتاق"));
    EXPECT_EQ(text.text(), QStringLiteral("70"));
    EXPECT_EQ(edit.maxLength(), 8);

    // Browsing: typing changes nothing where the source does not let it
    // edit; where it does, the typing edits the current record.
    src.setAutoEdit(false);
    EXPECT_TRUE(edit.isReadOnly());
    QTest::keyClicks(&edit, QStringLiteral("x"));
    EXPECT_EQ(table.fieldByName(QStringLiteral("Faza")).asString(), QStringLiteral("اتاق"));
    src.setAutoEdit(true);
    EXPECT_FALSE(edit.isReadOnly());
    edit.end(false);
    QTest::keyClicks(&edit, QStringLiteral("x"));
    EXPECT_EQ(table.state(), DatasetState::Edit);
    EXPECT_EQ(edit.text(), QStringLiteral("اتاقx"));
    EXPECT_EQ(table.fieldByName(QStringLiteral("Faza")).asString(), QStringLiteral("اتاقx"));
    table.cancel();

    table.next();
    EXPECT_EQ(edit.text(), QStringLiteral("آشپزخانه"));
    EXPECT_EQ(text.text(), QStringLiteral("68"));

    table.edit();
    EXPECT_FALSE(edit.isReadOnly());
    edit.selectAll();
    typeText(&edit, QStringLiteral("انبار"));
    EXPECT_EQ(table.fieldByName(QStringLiteral("Faza")).asString(), QStringLiteral("انبار"));
    // The grid shows the record being edited.
    EXPECT_EQ(grid.datasetModel()->data(grid.datasetModel()->index(1, 0)).toString(), QStringLiteral("انبار"));
    table.post();
    EXPECT_EQ(edit.text(), QStringLiteral("انبار"));
    EXPECT_EQ(grid.datasetModel()->data(grid.datasetModel()->index(1, 0)).toString(), QStringLiteral("انبار"));

    // Cancel brings the stored text back.
    table.edit();
    edit.selectAll();
    QTest::keyClicks(&edit, QStringLiteral("y"));
    table.cancel();
    EXPECT_EQ(edit.text(), QStringLiteral("انبار"));
}

TEST_F(BoundControls, NumberEditKeepsHalfTypedTextUntilItIsANumber)
{
    QStringList messages;
    ScopedMessageHook hook([&](const QString &t) { messages << t; });
    DBEdit edit;
    edit.bind(&src, QStringLiteral("Ti_"));
    table.edit();
    edit.clear();
    QTest::keyClicks(&edit, QStringLiteral("-"));
    EXPECT_EQ(edit.text(), QStringLiteral("-"));
    EXPECT_DOUBLE_EQ(table.fieldByName(QStringLiteral("Ti_")).asFloat(), 70.0);
    QTest::keyClicks(&edit, QStringLiteral("4.5"));
    EXPECT_DOUBLE_EQ(table.fieldByName(QStringLiteral("Ti_")).asFloat(), -4.5);
    EXPECT_TRUE(messages.isEmpty());

    // Leaving with text that is no number says so.
    edit.setText(QString());
    QTest::keyClicks(&edit, QStringLiteral("1.2.3"));
    Q_EMIT edit.editingFinished();
    EXPECT_EQ(messages.size(), 1);
    table.post();
    EXPECT_DOUBLE_EQ(table.fieldByName(QStringLiteral("Ti_")).asFloat(), 1.2);
}

// A number box over a number field: the sign the box shows after the
// digits, and Persian digits, reach the field as a number; a text that is no
// number never does, and leaving the box says so in the box's own words,
// once, never while another window (a message box) takes the focus.
TEST_F(BoundControls, NumberEditWritesNumbersOnlyAndRefusesInTheBoxsWords)
{
    QStringList messages;
    ScopedMessageHook hook([&](const QString &t) { messages << t; });
    const QString refusal = QStringLiteral(" عدد معتبر است");
    DBEdit edit;
    edit.bind(&src, QStringLiteral("Ti_"));
    installSignedFilter(&edit, refusal, true);
    table.edit();
    auto leave = [&](Qt::FocusReason reason) {
        QFocusEvent out(QEvent::FocusOut, reason);
        QApplication::sendEvent(&edit, &out);
    };
    const struct {
        const char *typed;
        double stored;
    } cases[] = {{"5-", -5}, {"-2.5", -2.5}, {"۲۰", 20}, {"٢٠.٥-", -20.5}};
    for (const auto &c : cases) {
        edit.clear();
        for (QChar ch : QString::fromUtf8(c.typed))
            QTest::sendKeyEvent(QTest::Click, &edit, Qt::Key_unknown, QString(ch), Qt::NoModifier);
        EXPECT_DOUBLE_EQ(table.fieldByName(QStringLiteral("Ti_")).asFloat(), c.stored) << c.typed;
    }
    EXPECT_TRUE(messages.isEmpty());

    edit.selectAll();
    QTest::keyClicks(&edit, QStringLiteral("-"));
    EXPECT_DOUBLE_EQ(table.fieldByName(QStringLiteral("Ti_")).asFloat(), -20.5);
    leave(Qt::ActiveWindowFocusReason);
    EXPECT_TRUE(messages.isEmpty());
    leave(Qt::TabFocusReason);
    leave(Qt::MouseFocusReason);
    EXPECT_EQ(messages, QStringList{refusal});
    table.post();
    EXPECT_DOUBLE_EQ(table.fieldByName(QStringLiteral("Ti_")).asFloat(), -20.5);
}

TEST_F(BoundControls, ComboBoxWritesTheChosenText)
{
    DBComboBox combo;
    combo.addItems({QStringLiteral("اتاق"), QStringLiteral("حمام")});
    combo.bind(&src, QStringLiteral("Faza"));
    EXPECT_EQ(combo.currentText(), QStringLiteral("اتاق"));
    table.last();
    EXPECT_EQ(combo.currentText(), QStringLiteral("حمام"));
    table.edit();
    combo.setCurrentIndex(0);
    Q_EMIT combo.textActivated(combo.currentText());
    table.post();
    EXPECT_EQ(table.fieldByName(QStringLiteral("Faza")).asString(), QStringLiteral("اتاق"));
}
