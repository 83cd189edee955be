#include "platform/ui/TextDirection.h"

#include <QApplication>
#include <QGlyphRun>
#include <QHeaderView>
#include <QLabel>
#include <QPainter>
#include <QStandardItemModel>
#include <QTableView>
#include <QTextLayout>
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <limits>

using pf::ui::textDirection;

namespace {

constexpr auto LTR = Qt::LeftToRight;
constexpr auto RTL = Qt::RightToLeft;

// The left edge of the glyphs of text[from, from + length) once laid out.
double leftOf(const QTextLayout &layout, int from, int length)
{
    double x = std::numeric_limits<double>::max();
    for (const QGlyphRun &run : layout.glyphRuns(from, length))
        for (const QPointF &p : run.positions())
            x = std::min(x, p.x());
    return x;
}

// The text laid out on one line as the rule lays it out in a right-to-left
// page, right aligned.
void layOut(QTextLayout &layout, const QString &text)
{
    layout.setText(text);
    layout.setTextOption(pf::ui::textOption(text, Qt::AlignRight, RTL));
    layout.beginLayout();
    layout.createLine().setLineWidth(1000);
    layout.endLayout();
}

int at(const QString &text, const char *part, int from = 0)
{
    return int(text.indexOf(QString::fromUtf8(part), from));
}

QImage shown(QWidget *w)
{
    QImage image(w->size(), QImage::Format_ARGB32);
    image.fill(Qt::white);
    w->render(&image);
    return image;
}

// The text embedded in an explicit direction: it shows in that order
// whatever direction it is given itself.
QString as(Qt::LayoutDirection d, const QString &text)
{
    return QChar(d == LTR ? 0x202A : 0x202B) + text + QChar(0x202C);
}

} // namespace

TEST(TextDirection, StoredTextsLeftToRightTextsInReadingOrderRightToLeft)
{
    const struct {
        const char *text;
        Qt::LayoutDirection surrounding, want;
    } cases[] = {
        // stored for a left-to-right paragraph: the mark that ends them first
        {":نام پروژه", RTL, LTR},
        {"(سقف خارجي (معمولي", RTL, LTR},
        {":(آجر نما (روكار", RTL, LTR},
        {"(lit)حجم استاندارد", RTL, LTR},
        {"(تعداد ساكنين(نفر", RTL, LTR},
        {"!توجه", RTL, LTR},
        {".ايجاد پشتيبان غير فشرده با موفقيت انجام شد", RTL, LTR},
        {":(Btu/h)كل بار حرارتي", RTL, LTR},
        {" (by-pass) استفاده از سيستم كنار گذر", RTL, LTR},
        // stored so, its first character a letter: marked as such
        {"\u200Eاستفاده كنيد Tab  براي پيمايش فيلدها از كليد", RTL, LTR},
        // in reading order: the mark at the end, or none before the words
        {"نام پروژه:", RTL, RTL},
        {"مقدار «%1» عدد معتبر نيست", LTR, RTL},
        {" عدد معتبر است", RTL, RTL},
        {"(%) طبقه (Btu/h)", RTL, RTL},
        {"  (Btu/Cu.ft) در نظر گرفته شده است.", RTL, RTL},
        {"Control Panel اعمال كنيد تا بتوانيد از نرم افزار ", RTL, RTL},
        {"2- دماي آبگرم مصرفي(F):", RTL, RTL},
        // Latin letters only, and no letters at all
        {"/work/wt32/build/bin", RTL, LTR},
        {"9 Dec 2026 15:24:38", RTL, LTR},
        {"1/4 1", RTL, RTL},
        {"12-", LTR, LTR},
        {"12-", RTL, RTL},
        {"75-74", RTL, RTL},
        // numbers that read as stored only left to right
        {"-5", RTL, LTR},
        {"600*150", RTL, LTR},
        {"", RTL, RTL},
    };
    for (const auto &c : cases)
        EXPECT_EQ(textDirection(QString::fromUtf8(c.text), c.surrounding), c.want) << c.text;
}

TEST(TextDirection, ReadingOrderForTextsThatFindTheirOwnDirection)
{
    const QString lre(QChar(0x202A)), pdf(QChar(0x202C)), rlm(QChar(0x200F));
    const struct {
        const char *text, *reading;
    } cases[] = {
        // the mark that ends it in reading last, brackets turned to face
        // their words, numbers kept
        {".ايجاد پشتيبان غير فشرده با موفقيت انجام شد", "ايجاد پشتيبان غير فشرده با موفقيت انجام شد."},
        {":(آجر نما (روكار", "آجر نما (روكار):"},
        {".ارتفاع بايد بين 2 و 30 باشد", "ارتفاع بايد بين 2 و 30 باشد."},
        // in reading order already
        {"نام پروژه:", "نام پروژه:"},
        {"Failed to excecute program", "Failed to excecute program"},
    };
    for (const auto &c : cases)
        EXPECT_EQ(pf::ui::inReadingOrder(QString::fromUtf8(c.text)), QString::fromUtf8(c.reading)) << c.text;
    // Latin words stay one left-to-right run where the reader meets them.
    EXPECT_EQ(pf::ui::inReadingOrder(QStringLiteral(":(Btu/h)قدرت حرارتي ديگ")),
              QStringLiteral("قدرت حرارتي ديگ") + lre + QStringLiteral(":(Btu/h)") + pdf);
    EXPECT_EQ(pf::ui::inReadingOrder(QStringLiteral("\u200Eاستفاده كنيد Tab  براي پيمايش فيلدها از كليد")),
              QStringLiteral("براي پيمايش فيلدها از كليد") + lre + QStringLiteral(" Tab  ") + pdf +
                  QStringLiteral("استفاده كنيد"));
    // A right-to-left text whose first letter is Latin, or without letters.
    EXPECT_EQ(pf::ui::inReadingOrder(QStringLiteral("Control Panel اعمال كنيد")),
              rlm + QStringLiteral("Control Panel اعمال كنيد"));
    EXPECT_EQ(pf::ui::inReadingOrder(QStringLiteral("12-")), rlm + QStringLiteral("12-"));
}

TEST(TextDirection, MarksStandWhereTheTextReadsThem)
{
    // Right to left reading: what stands further left is read later.
    {
        const QString t = QStringLiteral(":نام پروژه");
        QTextLayout l;
        layOut(l, t);
        EXPECT_LT(leftOf(l, 0, 1), leftOf(l, at(t, "پروژه"), 5)) << "the colon after the words";
        EXPECT_LT(leftOf(l, at(t, "پروژه"), 5), leftOf(l, at(t, "نام"), 3));
    }
    {
        const QString t = QStringLiteral("نام پروژه:");
        QTextLayout l;
        layOut(l, t);
        EXPECT_LT(leftOf(l, int(t.size()) - 1, 1), leftOf(l, at(t, "پروژه"), 5)) << "the colon after the words";
    }
    {
        // "سقف خارجي (معمولي)": the words in order, the bracket around the last
        const QString t = QStringLiteral("(سقف خارجي (معمولي");
        QTextLayout l;
        layOut(l, t);
        const double open = leftOf(l, 0, 1), inner = leftOf(l, at(t, " (") + 1, 1);
        const double roof = leftOf(l, at(t, "سقف"), 3), outer = leftOf(l, at(t, "خارجي"), 5),
                     plain = leftOf(l, at(t, "معمولي"), 6);
        EXPECT_GT(roof, outer);
        EXPECT_GT(outer, inner);
        EXPECT_GT(inner, plain);
        EXPECT_GT(plain, open);
    }
    {
        // "حجم استاندارد (lit)": the unit after the words
        const QString t = QStringLiteral("(lit)حجم استاندارد");
        QTextLayout l;
        layOut(l, t);
        EXPECT_LT(leftOf(l, 1, 3), leftOf(l, at(t, "حجم"), 3));
        EXPECT_LT(leftOf(l, 0, 1), leftOf(l, 1, 3));
    }
    {
        const QString t = QStringLiteral("!توجه");
        QTextLayout l;
        layOut(l, t);
        EXPECT_LT(leftOf(l, 0, 1), leftOf(l, 1, 4));
    }
}

TEST(TextStyle, LabelsHeadersAndCellsShowTheirTextsByTheRule)
{
    pf::ui::installTextStyle();
    const QString stored = QStringLiteral(":(آجر نما (روكار");
    const QString ordered = QStringLiteral("نام پروژه:");
    // A widget showing the text, right to left as the program's pages are.
    const std::function<QImage(const QString &)> kinds[] = {
        [](const QString &t) {
            QLabel l(t);
            l.setLayoutDirection(RTL);
            l.resize(220, 30);
            return shown(&l);
        },
        [](const QString &t) {
            QStandardItemModel m(1, 1);
            m.setItem(0, 0, new QStandardItem(t));
            m.setHorizontalHeaderItem(0, new QStandardItem(t));
            QTableView v;
            v.setLayoutDirection(RTL);
            v.setModel(&m);
            v.setColumnWidth(0, 200);
            v.resize(240, 90);
            return shown(&v);
        },
    };
    for (const auto &show : kinds) {
        EXPECT_EQ(show(stored), show(as(LTR, stored)));
        EXPECT_NE(show(stored), show(as(RTL, stored)));
        EXPECT_EQ(show(ordered), show(as(RTL, ordered)));
        EXPECT_NE(show(ordered), show(as(LTR, ordered)));
    }
}

TEST(TextStyle, DisabledTextsStayLegible)
{
    pf::ui::installTextStyle();
    const QColor window(192, 192, 192);
    // The darkest pixel a disabled widget draws its text in, within the rect.
    auto darkest = [](QWidget *w, QRect r) {
        const QImage image = shown(w);
        int least = 255;
        for (int y = r.top(); y <= r.bottom(); ++y)
            for (int x = r.left(); x <= r.right(); ++x)
                least = std::min(least, qGray(image.pixel(x, y)));
        return least;
    };
    for (const QColor &greyed : {QColor(190, 190, 190), QColor(128, 128, 128)}) {
        QPalette pal;
        pal.setColor(QPalette::Window, window);
        pal.setColor(QPalette::Base, window);
        for (QPalette::ColorRole r : {QPalette::WindowText, QPalette::Text})
            pal.setColor(QPalette::Disabled, r, greyed);
        QLabel label(QStringLiteral("پيش نمايش"));
        label.setPalette(pal);
        label.setAutoFillBackground(true);
        QFont f = label.font();
        f.setPixelSize(24);
        f.setBold(true);
        label.setFont(f);
        label.resize(200, 40);
        label.setEnabled(false);
        QStandardItemModel m(1, 1);
        m.setItem(0, 0, new QStandardItem(QStringLiteral("ساختمان")));
        QTableView grid;
        grid.setPalette(pal);
        grid.setFont(f);
        grid.setModel(&m);
        grid.setColumnWidth(0, 150);
        grid.setRowHeight(0, 40);
        grid.resize(200, 100);
        grid.setEnabled(false);
        const QRect cell = grid.visualRect(m.index(0, 0)).adjusted(2, 2, -2, -2).translated(grid.viewport()->pos());
        for (const auto &[w, r] : {std::pair<QWidget *, QRect>{&label, label.rect()}, {&grid, cell}}) {
            SCOPED_TRACE(w->metaObject()->className());
            // Three fifths of the way from the window's grey to black.
            EXPECT_LE(darkest(w, r), 90);
            EXPECT_GE(darkest(w, r), 60) << "still greyed";
        }
    }
}
