// A whole project entered by the keyboard alone through the real modal
// chain general data -> floors -> spaces -> surfaces: the project, two
// floors with two units each, their spaces, and walls, windows, doors, roofs
// and floors; the tables then hold exactly what was typed. With BORAVEST_SHOTS set to a folder, each page is
// also saved there as a picture at chosen moments.
#include "PageFixture.h"

#include "boravest/building/U4.h"
#include "platform/ui/DbControls.h"
#include "platform/ui/Fonts.h"

#include <QComboBox>
#include <QDir>
#include <QFrame>
#include <QTimer>

#include <functional>

using namespace pagetest;

namespace {

// Key presses queued for whichever page is on top; each waits until its
// page is the active modal window, so the script runs on inside the nested
// modal loops of the chain.
class Script : public QObject {
public:
    struct Step {
        QDialog *page;
        std::function<void()> act;
        QString what;
    };

    void add(QDialog *page, std::function<void()> act, const QString &what) { m_steps.append({page, std::move(act), what}); }
    void start() { QTimer::singleShot(0, this, [this] { tick(); }); }
    bool done() const { return m_at >= m_steps.size(); }
    QString failure() const { return m_failure; }

private:
    void tick()
    {
        if (done() || !m_failure.isEmpty())
            return;
        const Step s = m_steps[m_at];
        if (QApplication::activeModalWidget() != s.page || !s.page->isVisible()) {
            if (++m_waits > 500) {
                m_failure = QStringLiteral("step %1 (%2) never found its page %3 on top")
                                .arg(m_at)
                                .arg(s.what, s.page->objectName());
                giveUp();
                return;
            }
            QTimer::singleShot(2, this, [this] { tick(); });
            return;
        }
        m_waits = 0;
        ++m_at;
        // The next step is queued first: this one may open a modal page.
        QTimer::singleShot(0, this, [this] { tick(); });
        s.act();
    }
    void giveUp()
    {
        for (QDialog *d : {static_cast<QDialog *>(Form10), static_cast<QDialog *>(Form9), static_cast<QDialog *>(Form8),
                           static_cast<QDialog *>(Form2)})
            if (d && d->isVisible())
                d->reject();
    }

    QVector<Step> m_steps;
    int m_at = 0;
    int m_waits = 0;
    QString m_failure;
};

class ChainTest : public PageFixture {
protected:
    Script script;
    QString shots = qEnvironmentVariable("BORAVEST_SHOTS");

    ChainTest() { seedProject = false; }

    void SetUp() override
    {
        PageFixture::SetUp();
        // The city the project is in: outdoor design temperature 28 F at
        // 3900 ft.
        DM1->Database1->exec(QStringLiteral("INSERT INTO shahrg (Name_shahr, Dama_kd, Ertefa) VALUES (?, 28, 3900)"),
                             {project.city});
        if (!shots.isEmpty()) {
            QDir().mkpath(shots);
            pf::ui::installPersianFonts();
            QApplication::setLayoutDirection(Qt::RightToLeft);
        }
        // The pages run their own modal loops; the U-value dialog answers
        // with the U of an 8 in brick wall under 1 in of plaster.
        onModal = [](QWidget *w) {
            if (w == Form2 || w == Form8 || w == Form9 || w == Form10)
                return static_cast<QDialog *>(w)->exec();
            if (w == Form4) {
                UValueRequest.Key = 13;
                UValueRequest.U = 0.403;
            }
            return 0;
        };
    }
    void TearDown() override
    {
        QApplication::setLayoutDirection(Qt::LeftToRight);
        PageFixture::TearDown();
    }

    // Script building blocks.
    void key(QDialog *page, Qt::Key k, int times = 1)
    {
        for (int i = 0; i < times; ++i)
            script.add(page, [page, k] { press(page, k); }, QStringLiteral("key %1").arg(int(k), 0, 16));
    }
    void text(QDialog *page, const QString &t)
    {
        script.add(page, [page, t] { type(page, t); }, QStringLiteral("type ") + t);
    }
    void retext(QDialog *page, const QString &t)
    {
        script.add(page, [page, t] { retype(page, t); }, QStringLiteral("retype ") + t);
    }
    void shot(QDialog *page, const QString &name)
    {
        if (shots.isEmpty())
            return;
        const QString dir = shots;
        script.add(page, [page, name, dir] { page->grab().save(QDir(dir).filePath(name + QStringLiteral(".png"))); },
                   QStringLiteral("shot ") + name);
    }
    void check(QDialog *page, std::function<void()> fn) { script.add(page, std::move(fn), QStringLiteral("check")); }

    // Floors and units page: a row by its five inputs.
    void unitRow(const QString &floor, const QString &unit, const QString &height, const QString &factor)
    {
        key(Form8, Qt::Key_Insert);
        text(Form8, floor);
        key(Form8, Qt::Key_Return);
        text(Form8, unit);
        key(Form8, Qt::Key_Return);
        text(Form8, height);
        key(Form8, Qt::Key_Return);
        text(Form8, factor);
        key(Form8, Qt::Key_F2);
    }

    // Spaces page: the name and the six numbers (To_, Ti_, A_, V_varm,
    // Ertefa, Air_), each typed over what New put there.
    void space(const QString &name, const QStringList &numbers)
    {
        key(Form9, Qt::Key_Insert);
        text(Form9, name);
        for (const QString &n : numbers) {
            key(Form9, Qt::Key_Return);
            retext(Form9, n);
        }
        key(Form9, Qt::Key_F2);
    }

    // Surfaces page. A wall, window or door: the kind list from nothing
    // chosen, the state (internal by default; `touch` moves it away and back
    // so that an internal surface offers the inside temperature), the
    // direction, the area, the far side's temperature when given, then the
    // U-value: kept, from the layers dialog (F5), or from a type panel (F5
    // and `panelMoves` presses of Down before Enter).
    enum class U { Keep, Layers, Panel };
    void side(int kind, int state, int direction, const QString &area, const QString &temperature = QString(),
              U u = U::Keep, int panelMoves = 0, bool touch = false)
    {
        key(Form10, Qt::Key_Insert);
        key(Form10, Qt::Key_Down, kind + 1);
        key(Form10, Qt::Key_Return);
        if (state == 1) {
            key(Form10, Qt::Key_Down);
        } else if (touch) {
            key(Form10, Qt::Key_Down);
            key(Form10, Qt::Key_Up);
        }
        key(Form10, Qt::Key_Return);
        key(Form10, Qt::Key_Down, direction + 1);
        key(Form10, Qt::Key_Return);
        text(Form10, area);
        key(Form10, Qt::Key_Return);
        if (!temperature.isEmpty())
            retext(Form10, temperature);
        key(Form10, Qt::Key_Return);
        if (u != U::Keep)
            key(Form10, Qt::Key_F5);
        if (u == U::Panel) {
            key(Form10, Qt::Key_Down, panelMoves);
            key(Form10, Qt::Key_Return);
        }
        key(Form10, Qt::Key_F2);
    }
    // A roof: internal, external, or external over a false ceiling with the
    // ceiling's area.
    void roof(int state, int ceiling, const QString &area, const QString &ceilingArea = QString(),
              const QString &shotName = QString())
    {
        key(Form10, Qt::Key_Insert);
        key(Form10, Qt::Key_Down, 4);
        key(Form10, Qt::Key_Return);
        if (state == 1)
            key(Form10, Qt::Key_Down);
        key(Form10, Qt::Key_Return);
        if (state == 1) {
            key(Form10, Qt::Key_Down, ceiling);
            key(Form10, Qt::Key_Return);
        }
        text(Form10, area);
        if (ceiling == 1) {
            key(Form10, Qt::Key_Return, 3); // temperature, U-value, false ceiling area
            text(Form10, ceilingArea);
        }
        if (!shotName.isEmpty())
            shot(Form10, shotName);
        key(Form10, Qt::Key_F2);
    }
    // A floor off the ground, or on the ground with its exterior perimeter.
    void floorSurface(bool onGround, const QString &area, const QString &perimeter = QString())
    {
        key(Form10, Qt::Key_Insert);
        key(Form10, Qt::Key_Down, 5);
        key(Form10, Qt::Key_Return);
        if (onGround)
            key(Form10, Qt::Key_Up);
        key(Form10, Qt::Key_Return);
        if (onGround) {
            text(Form10, perimeter);
            key(Form10, Qt::Key_Return);
        }
        text(Form10, area);
        key(Form10, Qt::Key_F2);
    }
};

using Row = QVector<QVariant>;
using Rows = QVector<Row>;

} // namespace

TEST_F(ChainTest, AWholeProjectByKeyboardAlone)
{
    // Page 1: the project's general data, then its next page.
    key(Form2, Qt::Key_Insert);
    text(Form2, QStringLiteral("1403/01/15"));
    for (const QString &t : {QStringLiteral("7"), project.city}) {
        key(Form2, Qt::Key_Return);
        retext(Form2, t);
    }
    for (const QString &t : {project.name, QStringLiteral("70"), QStringLiteral("15"), QStringLiteral("0.35"),
                             QStringLiteral("0.52"), QStringLiteral("1.23"), QStringLiteral("0.65"), QStringLiteral("0.7"),
                             QStringLiteral("0.45"), QStringLiteral("0.31"), QStringLiteral("0.42")}) {
        key(Form2, Qt::Key_Return);
        text(Form2, t);
    }
    key(Form2, Qt::Key_F2);
    key(Form2, Qt::Key_F3);

    // Ground floor, unit 1: a living room with every kind of surface and a
    // kitchen.
    unitRow(QStringLiteral("0"), QStringLiteral("1"), QStringLiteral("10"), QStringLiteral("0"));
    key(Form8, Qt::Key_F3);
    space(QStringLiteral("هال"), {"28", "72", "250", "1200", "10", "1"});
    key(Form9, Qt::Key_F3);
    side(0, 1, 0, QStringLiteral("200"), QString(), U::Layers);          // external wall N, U from the layers
    side(1, 1, 0, QStringLiteral("30"), QString(), U::Panel, 1);         // external window N, double glazing
    side(2, 0, 3, QStringLiteral("21"), QStringLiteral("60"), U::Keep, 0, true); // internal door W, corridor at 60
    // The door's type: corridor entrance, all wood (from the 2-inch door, 6 down).
    check(Form10, [] { DM1->Table5->last(); });
    key(Form10, Qt::Key_Return);
    script.add(Form10, [] { Form10->de3->setFocus(); }, QStringLiteral("focus U"));
    key(Form10, Qt::Key_F5);
    shot(Form10, QStringLiteral("form10-door-types"));
    key(Form10, Qt::Key_Down, 6);
    key(Form10, Qt::Key_Return);
    key(Form10, Qt::Key_F2);
    roof(1, 1, QStringLiteral("250"), QStringLiteral("240"), QStringLiteral("form10-false-ceiling")); // external roof over a false ceiling
    floorSurface(true, QStringLiteral("250"), QStringLiteral("66"));
    shot(Form10, QStringLiteral("form10-surfaces"));
    key(Form10, Qt::Key_F4);
    space(QStringLiteral("آشپزخانه"), {"28", "66", "120", "3000", "10", "3"});
    key(Form9, Qt::Key_F3);
    side(0, 1, 1, QStringLiteral("100")); // external wall S, the project's U
    key(Form10, Qt::Key_F4);
    shot(Form9, QStringLiteral("form9-spaces"));
    key(Form9, Qt::Key_F4);

    // Ground floor, unit 2.
    unitRow(QStringLiteral("0"), QStringLiteral("2"), QStringLiteral("10"), QStringLiteral("0"));
    key(Form8, Qt::Key_F3);
    space(QStringLiteral("هال"), {"28", "70", "180", "0", "10", "1.5"});
    key(Form9, Qt::Key_F3);
    side(0, 1, 2, QStringLiteral("90"));
    side(1, 1, 2, QStringLiteral("20"));
    key(Form10, Qt::Key_F4);
    key(Form9, Qt::Key_F4);

    // The basement, typed with its minus sign first and last.
    unitRow(QStringLiteral("-1"), QStringLiteral("1"), QStringLiteral("9"), QStringLiteral("3"));
    key(Form8, Qt::Key_F3);
    // The entry panel with the air change guide beside it.
    key(Form9, Qt::Key_Insert);
    text(Form9, QStringLiteral("انبار"));
    for (const char *n : {"28", "60", "300", "0", "9", "0.5"}) {
        key(Form9, Qt::Key_Return);
        retext(Form9, QString::fromLatin1(n));
    }
    key(Form9, Qt::Key_F6);
    shot(Form9, QStringLiteral("form9-entry-guide"));
    key(Form9, Qt::Key_Escape); // the guide
    key(Form9, Qt::Key_F2);
    key(Form9, Qt::Key_F3);
    side(0, 0, 0, QStringLiteral("100"));
    floorSurface(false, QStringLiteral("300"));
    key(Form10, Qt::Key_F4);
    key(Form9, Qt::Key_F4);

    unitRow(QStringLiteral("1-"), QStringLiteral("2"), QStringLiteral("9"), QStringLiteral("3"));
    shot(Form8, QStringLiteral("form8-units"));
    // Its entry panel with the height factor guide, cancelled.
    key(Form8, Qt::Key_Return);
    script.add(Form8, [] { Form8->De7->setFocus(); }, QStringLiteral("focus factor"));
    key(Form8, Qt::Key_F6);
    shot(Form8, QStringLiteral("form8-entry-guide"));
    key(Form8, Qt::Key_Escape, 2); // the guide, then the entry
    key(Form8, Qt::Key_F3);
    space(QStringLiteral("هال"), {"28", "70", "200", "0", "9", "1"});
    key(Form9, Qt::Key_F3);
    roof(0, 0, QStringLiteral("200"));
    // Main page: the whole chain closes at once.
    key(Form10, Qt::Key_F3);

    bool timedOut = false;
    QTimer watchdog;
    watchdog.setSingleShot(true);
    QObject::connect(&watchdog, &QTimer::timeout, [&] {
        timedOut = true;
        for (QDialog *d : {static_cast<QDialog *>(Form10), static_cast<QDialog *>(Form9), static_cast<QDialog *>(Form8),
                           static_cast<QDialog *>(Form2)})
            if (d->isVisible())
                d->reject();
    });
    watchdog.start(120000);
    // The main menu's create-and-edit item.
    DM1->Table1->open();
    DM1->Table7->open();
    script.start();
    pf::ui::showModal(Form2);
    watchdog.stop();

    ASSERT_FALSE(timedOut);
    ASSERT_TRUE(script.failure().isEmpty()) << script.failure().toStdString();
    ASSERT_TRUE(script.done());
    EXPECT_TRUE(testsupport::takeMessages().isEmpty());
    EXPECT_FALSE(Form8->isVisible());
    EXPECT_FALSE(Form9->isVisible());
    EXPECT_FALSE(Form10->isVisible());
    EXPECT_FALSE(Form2->isVisible());

    const auto p = rows(QStringLiteral("SELECT SHPROJE, NAME, DATE1, SHAHR, Ti1, Sf, To1, Hi, VAL_K, VAL_D, Win_K, Win_D, "
                                       "DOR_K, DOR_D, Sakf_K, Sakf_D FROM Bank1"))
                       .rows;
    ASSERT_EQ(p.size(), 1);
    EXPECT_EQ(p[0], (Row{7.0, project.name, QStringLiteral("1403/01/15"), project.city, 70.0, QStringLiteral("15"), 28.0,
                         3900.0, 0.35, 0.52, 1.23, 0.65, 0.7, 0.45, 0.31, 0.42}));
    EXPECT_EQ(rows(QStringLiteral("SELECT Shproje, Shsk, Tabage, Shvahed, Ertefa, Z_ertefa, Sf FROM bankvh ORDER BY No")).rows,
              (Rows{{7.0, 7.0, 0.0, 1.0, 10.0, 0.0, 15.0},
                    {7.0, 7.0, 0.0, 2.0, 10.0, 0.0, 15.0},
                    {7.0, 7.0, -1.0, 1.0, 9.0, 3.0, 15.0},
                    {7.0, 7.0, -1.0, 2.0, 9.0, 3.0, 15.0}}));
    EXPECT_EQ(rows(QStringLiteral("SELECT Codefaza, Faza FROM faza ORDER BY Codefaza")).rows,
              (Rows{{1, QStringLiteral("هال")}, {2, QStringLiteral("آشپزخانه")}, {3, QStringLiteral("انبار")}}));
    EXPECT_EQ(rows(QStringLiteral("SELECT Shproje, Shsk, Tabage, Shvahed, Faza, Codefaza, To_, Ti_, A_, V_varm, Ertefa, "
                                  "Air_, V_ FROM bankfz ORDER BY No"))
                  .rows,
              (Rows{{7.0, 7.0, 0.0, 1.0, QStringLiteral("هال"), 1.0, 28.0, 72.0, 250.0, 1200.0, 10.0, 1.0, 2500.0},
                    {7.0, 7.0, 0.0, 1.0, QStringLiteral("آشپزخانه"), 2.0, 28.0, 66.0, 120.0, 3000.0, 10.0, 3.0, 1200.0},
                    {7.0, 7.0, 0.0, 2.0, QStringLiteral("هال"), 1.0, 28.0, 70.0, 180.0, 0.0, 10.0, 1.5, 1800.0},
                    {7.0, 7.0, -1.0, 1.0, QStringLiteral("انبار"), 3.0, 28.0, 60.0, 300.0, 0.0, 9.0, 0.5, 2700.0},
                    {7.0, 7.0, -1.0, 2.0, QStringLiteral("هال"), 1.0, 28.0, 70.0, 200.0, 0.0, 9.0, 1.0, 1800.0}}));

    // Surfaces: where, what, and their numbers (a value never typed or set
    // is empty).
    const QVariant none;
    const Rows surfaces = rows(QStringLiteral("SELECT Shproje, Shsk, Tabage, Shvahed, CodeFaza, Jedare, Id_jedar, "
                                              "Id_njedar, Id_gjedar, Masa1, Masa2, To_, Ti_, Z_1, Z_2 FROM bankjd "
                                              "ORDER BY No"))
                              .rows;
    const Rows expected{
        {7.0, 7.0, 0.0, 1.0, 1.0, QStringLiteral("ديوار"), 0.0, 1, 0, 200.0, none, 28.0, 72.0, 0.403, none},
        {7.0, 7.0, 0.0, 1.0, 1.0, QStringLiteral("پنجره"), 1.0, 1, 0, 30.0, none, 28.0, 72.0, 0.65, none},
        {7.0, 7.0, 0.0, 1.0, 1.0, QStringLiteral("درب"), 2.0, 0, 3, 21.0, none, 60.0, 72.0, 0.3, none},
        {7.0, 7.0, 0.0, 1.0, 1.0, QStringLiteral("سقف"), 3.0, 1, 1, 250.0, 240.0, 28.0, 72.0, 0.42, 0.31},
        {7.0, 7.0, 0.0, 1.0, 1.0, QStringLiteral("كف"), 4.0, 0, -1, 250.0, 66.0, 28.0, 72.0, 0.31, none},
        {7.0, 7.0, 0.0, 1.0, 2.0, QStringLiteral("ديوار"), 0.0, 1, 1, 100.0, none, 28.0, 66.0, 0.35, none},
        {7.0, 7.0, 0.0, 2.0, 1.0, QStringLiteral("ديوار"), 0.0, 1, 2, 90.0, none, 28.0, 70.0, 0.35, none},
        {7.0, 7.0, 0.0, 2.0, 1.0, QStringLiteral("پنجره"), 1.0, 1, 2, 20.0, none, 28.0, 70.0, 1.23, none},
        {7.0, 7.0, -1.0, 1.0, 3.0, QStringLiteral("ديوار"), 0.0, 0, 0, 100.0, none, 28.0, 60.0, 0.52, none},
        {7.0, 7.0, -1.0, 1.0, 3.0, QStringLiteral("كف"), 4.0, 1, -1, 300.0, none, 28.0, 60.0, 0.31, none},
        // An internal roof chosen by stepping through the kinds: the state list
        // already showed internal, so the far side took the inside temperature.
        {7.0, 7.0, -1.0, 2.0, 1.0, QStringLiteral("سقف"), 3.0, 0, -1, 200.0, none, 70.0, 70.0, 0.42, none},
    };
    ASSERT_EQ(surfaces.size(), expected.size());
    for (int i = 0; i < expected.size(); ++i)
        for (int c = 0; c < expected[i].size(); ++c) {
            const QVariant &want = expected[i][c], &got = surfaces[i][c];
            if (!want.isValid())
                EXPECT_TRUE(got.isNull()) << "surface " << i << " column " << c;
            else if (want.typeId() == QMetaType::QString)
                EXPECT_EQ(got.toString(), want.toString()) << "surface " << i << " column " << c;
            else
                EXPECT_DOUBLE_EQ(got.toDouble(), want.toDouble()) << "surface " << i << " column " << c;
        }
}
