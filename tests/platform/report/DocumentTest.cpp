// The pieces under the report engine: text layouts kept per distinct text,
// and pages held packed that give back exactly what was put in.
#include "platform/report/Document.h"

#include "ReportTestUtil.h"

#include <QPainter>
#include <QTextLayout>
#include <gtest/gtest.h>

#include <array>
#include <bit>
#include <iterator>
#include <vector>

using namespace pf::report;

TEST(TextLayoutCache, LaysEachDistinctTextOutOnceAndAsAFreshLayoutWould)
{
    const ReportFont font{QStringLiteral("DejaVu Sans"), 12.0, true, false, Qt::black};
    const QString text = QStringLiteral("بار حرارتي فضا\nBtu/h 12500");
    TextLayoutCache cache;
    const LaidParagraph &once = cache.paragraph(text, font, Qt::RightToLeft, -1);
    EXPECT_EQ(&cache.paragraph(text, font, Qt::RightToLeft, -1), &once);
    // Another colour lays out the same; another size, direction or width
    // does not.
    ReportFont red = font;
    red.color = Qt::red;
    EXPECT_EQ(&cache.paragraph(text, red, Qt::RightToLeft, -1), &once);
    ReportFont larger = font;
    larger.pointSize = 13;
    EXPECT_NE(&cache.paragraph(text, larger, Qt::RightToLeft, -1), &once);
    EXPECT_NE(&cache.paragraph(text, font, Qt::LeftToRight, -1), &once);
    const LaidParagraph &wrapped = cache.paragraph(text, font, Qt::RightToLeft, 60);
    EXPECT_EQ(cache.paragraphCount(), 4);

    for (const auto &[laid, width] : {std::pair{&once, -1.0}, std::pair{&wrapped, 60.0}}) {
        QTextLayout fresh;
        layoutParagraph(fresh, text, font, Qt::RightToLeft, Qt::AlignRight, width >= 0, width);
        ASSERT_EQ(laid->lines.size(), fresh.lineCount()) << width;
        for (int i = 0; i < fresh.lineCount(); ++i) {
            const QTextLine line = fresh.lineAt(i);
            QString part = fresh.text().mid(line.textStart(), line.textLength());
            if (part.endsWith(QChar::LineSeparator))
                part.chop(1);
            EXPECT_EQ(laid->lines[i].text, part);
            EXPECT_EQ(laid->lines[i].y, line.y());
            EXPECT_EQ(laid->lines[i].naturalWidth, line.naturalTextWidth());
        }
    }
    EXPECT_EQ(once.lines.size(), 2);
    EXPECT_GT(wrapped.lines.size(), 2);
}

TEST(PageList, GivesBackExactlyWhatWasPutIn)
{
    QImage pic(3, 2, QImage::Format_ARGB32);
    pic.fill(Qt::blue);
    const ReportFont hsv{QStringLiteral("Titr"), 9.75, false, true, QColor::fromHsv(120, 200, 100)};
    Page a;
    a.items.push_back(TextRun{QStringLiteral("صفحه"), hsv, Qt::RightToLeft, Qt::AlignRight | Qt::AlignVCenter,
                              QRectF(0.1, 1e-9, 37.795275590551185, 3)});
    a.items.push_back(TextRun{QStringLiteral("صفحه"), ReportFont{}, Qt::LeftToRight, Qt::AlignHCenter, QRectF(1, 2, 3, 4)});
    a.items.push_back(LineItem{QPointF(-5, 7), QPointF(8, 9.5), 0.5, QColor(1, 2, 3, 4)});
    a.items.push_back(RectItem{QRectF(1, 1, 2, 2), 0, Qt::transparent, QColor()});
    a.items.push_back(ImageItem{QRectF(4, 4, 3, 2), pic});
    Page b;
    b.items.push_back(ImageItem{QRectF(0, 0, 6, 4), pic});

    PageList list;
    list.push_back(a);
    list.push_back(Page{});
    list.push_back(b);
    ASSERT_EQ(list.size(), 3);
    EXPECT_EQ(list[0], a);
    EXPECT_EQ(list[0].items[0], a.items[0]);
    EXPECT_EQ(std::get<TextRun>(list[0].items[0]).font.color.spec(), QColor::Hsv);
    EXPECT_TRUE(list[1].items.isEmpty());
    EXPECT_EQ(list[2], b);
    int n = 0;
    for (const Page &page : list)
        n += int(page.items.size());
    EXPECT_EQ(n, 6);

    list.replace(1, b);
    EXPECT_EQ(list[1], b);
    PageList other = list;
    EXPECT_TRUE(other == list);
    other.replace(2, a);
    EXPECT_FALSE(other == list);
    EXPECT_EQ(list[2], b); // a copy changes alone
}

// Coordinates are kept as steps from the item before: every value comes
// back to the bit, however it relates to the one before it (a -0.0 repeated,
// and a zero after a zero of the other sign, included).
TEST(PageList, KeepsEveryCoordinateToTheBit)
{
    const double values[] = {0.0, -0.0, -0.0, 0.0, 37.795275590551185, 38.795275590551185, 38.795275590551185, 1.0 / 3, 1e-300,
                             -1e300, 5e-324, 0x1p41, -0x1p41 + 0.5, 17.1875, 17.1875 + 0x1p-7, qInf(), -qInf(),
                             qQNaN(), 718.11023622047253, 0.1};
    PageList list;
    list.addPage();
    const int n = int(std::size(values));
    for (int i = 0; i < n; ++i)
        list.addItem(LineItem{QPointF(values[i], values[(i + 1) % n]), QPointF(values[(i + 2) % n], values[(i + 3) % n]),
                              values[(i + 4) % n], Qt::black});
    QVector<PageList::HeldItem> held;
    list.heldItems(0, held);
    ASSERT_EQ(held.size(), n);
    for (int i = 0; i < n; ++i)
        for (int k = 0; k < 5; ++k)
            EXPECT_EQ(std::bit_cast<quint64>(held[i].v[k]), std::bit_cast<quint64>(values[(i + k) % n])) << i << ' ' << k;
}

TEST(PaintCache, PaintsAsAFreshLayoutDoes)
{
    Page page;
    const ReportFont font{QStringLiteral("DejaVu Sans"), 11.0, false, true, QColor(200, 0, 0)};
    for (int i = 0; i < 3; ++i) {
        page.items.push_back(TextRun{QStringLiteral("1/4 1"), font, Qt::RightToLeft, Qt::AlignRight, QRectF(10, 10 + 30 * i, 120, 20)});
        page.items.push_back(TextRun{QStringLiteral("1/4 1"), font, Qt::LeftToRight, Qt::AlignHCenter, QRectF(150, 10 + 30 * i, 80, 20)});
    }
    auto paint = [&](PaintCache *cache) {
        QImage img(260, 110, QImage::Format_ARGB32);
        img.fill(Qt::white);
        QPainter p(&img);
        paintPage(p, page, cache);
        return img;
    };
    PaintCache cache;
    const QImage fresh = paint(nullptr);
    EXPECT_EQ(paint(&cache), fresh);
    EXPECT_EQ(paint(&cache), fresh); // from the kept layouts
}

// A band's items written in one go, each moved by the band's place, come
// back as they would one by one, to the bit; a copy of the list taken while
// a page is written keeps that page as it was.
TEST(PageList, ItemsWrittenInOneGoComeBackMovedToTheBit)
{
    const double values[] = {0.0, -0.0, 37.795275590551185, 1.0 / 3, 17.1875, 1e300, qInf(), 0x1p41, 0.1, -4.5};
    const int n = int(std::size(values));
    std::vector<PageList::HeldItem> items;
    for (int i = 0; i < 3 * n; ++i) {
        PageList::HeldItem h{};
        h.kind = PageList::HeldItem::Kind(1 + i % 3); // text, line, rect
        h.ids[0] = quint32(i % 4);
        h.ids[1] = quint32(i % 200);
        for (int k = 0; k < 5; ++k)
            h.v[k] = values[(i + k) % n];
        items.push_back(h);
    }
    const double dx = 37.795275590551185, dy = 0.5;
    PageList together, single;
    together.addPage();
    single.addPage();
    together.addHeld(items.data(), 5, dx, dy);
    const PageList copy = together;
    together.addHeld(items.data() + 5, qsizetype(items.size()) - 5, dx, dy);
    for (PageList::HeldItem h : items) {
        h.v[0] += dx;
        h.v[1] += dy;
        if (h.kind == PageList::HeldItem::Line) {
            h.v[2] += dx;
            h.v[3] += dy;
        }
        single.addHeld(h);
    }
    together.addPage();
    single.addPage();
    QVector<PageList::HeldItem> a, b, c;
    together.heldItems(0, a);
    single.heldItems(0, b);
    copy.heldItems(0, c);
    ASSERT_EQ(a.size(), qsizetype(items.size()));
    ASSERT_EQ(b.size(), a.size());
    ASSERT_EQ(c.size(), 5);
    for (qsizetype i = 0; i < a.size(); ++i) {
        const int fields = a[i].kind == PageList::HeldItem::Text ? 4 : 5;
        EXPECT_EQ(a[i].kind, b[i].kind) << i;
        EXPECT_EQ(a[i].ids[0], b[i].ids[0]) << i;
        for (int k = 0; k < fields; ++k) {
            EXPECT_EQ(std::bit_cast<quint64>(a[i].v[k]), std::bit_cast<quint64>(b[i].v[k])) << i << ' ' << k;
            if (i < c.size()) {
                EXPECT_EQ(std::bit_cast<quint64>(c[i].v[k]), std::bit_cast<quint64>(b[i].v[k])) << i << ' ' << k;
            }
        }
    }
    EXPECT_EQ(copy.itemCount(0), 5);
}

// Bands placed one under another, as rows of a table, each item stepping
// from the same item of the band before (of another kind in some), with an
// item given as it is between them, come back moved and to the bit.
TEST(PageList, BandsAfterBandsComeBackMovedToTheBit)
{
    using Held = PageList::HeldItem;
    const double values[] = {-0.0, 0.0, 17.1875, 1.0 / 3, 37.795275590551185, 1e300, 0x1p41, -4.5};
    PageList list;
    list.addPage();
    std::vector<Held> expected;
    for (int band = 0; band < 6; ++band) {
        std::vector<Held> items;
        for (int i = 0; i < 4 + band % 3; ++i) {
            Held h{};
            h.kind = Held::Kind(1 + (i + (band == 3)) % 3); // text, line, rect; band 3 shifted
            h.ids[0] = quint32(i);
            for (int k = 0; k < 5; ++k)
                h.v[k] = values[(band * (k + 1) + i) % std::size(values)];
            if (h.kind == Held::Text)
                h.v[4] = 0;
            items.push_back(h);
        }
        const double dx = band == 2 ? -0.0 : 37.795275590551185, dy = 11.25 * band;
        list.addHeld(items.data(), qsizetype(items.size()), dx, dy);
        for (Held h : items) {
            h.v[0] += dx;
            h.v[1] += dy;
            if (h.kind == Held::Line) {
                h.v[2] += dx;
                h.v[3] += dy;
            }
            expected.push_back(h);
        }
        if (band == 4) {
            const Held single{Held::Rect, {1, 2}, {values[0], values[5], 3, 4, 1}};
            list.addHeld(single);
            expected.push_back(single);
        }
    }
    list.addPage();
    QVector<Held> out;
    list.heldItems(0, out);
    ASSERT_EQ(out.size(), qsizetype(expected.size()));
    for (qsizetype i = 0; i < out.size(); ++i) {
        EXPECT_EQ(out[i].kind, expected[size_t(i)].kind) << i;
        const int fields = out[i].kind == Held::Text ? 4 : 5;
        for (int k = 0; k < fields; ++k)
            EXPECT_EQ(std::bit_cast<quint64>(out[i].v[k]), std::bit_cast<quint64>(expected[size_t(i)].v[k]))
                << i << ' ' << k;
    }
}

// The sides of a box, given as one item, come back as the lines of the sides
// drawn (top, bottom, left, right), moved and to the bit, between the items
// around them; the page counts each line.
TEST(PageList, SidesComeBackAsTheirLines)
{
    using Held = PageList::HeldItem;
    const double dx = -0.0, dy = 17.1875; // -0.0 moved by -0.0 stays -0.0
    const double given[4] = {-0.0, 0.1, 37.795275590551185, 1e300};
    const double L = given[0] + dx, T = given[1] + dy, R = given[2] + dx, B = given[3] + dy;
    struct Case {
        quint32 sides;
        std::vector<std::array<double, 4>> lines;
    } cases[] = {
        {Held::Top, {{L, T, R, T}}},
        {Held::Right | Held::Bottom, {{L, B, R, B}, {R, T, R, B}}},
        {Held::Top | Held::Bottom | Held::Left | Held::Right, {{L, T, R, T}, {L, B, R, B}, {L, T, L, B}, {R, T, R, B}}},
    };
    for (const Case &c : cases) {
        PageList list;
        list.addPage();
        const Held items[] = {{Held::Text, {0, 0}, {1, 2, 3, 4, 0}},
                              {Held::Sides, {3, c.sides}, {given[0], given[1], given[2], given[3], 0.5}},
                              {Held::Line, {1, 0}, {1, 2, 3, 4, 1}}};
        list.addHeld(items, 3, dx, dy);
        list.addPage();
        QVector<Held> out;
        list.heldItems(0, out);
        ASSERT_EQ(list.itemCount(0), int(c.lines.size()) + 2) << c.sides;
        ASSERT_EQ(out.size(), qsizetype(c.lines.size()) + 2);
        EXPECT_EQ(out.front().kind, Held::Text);
        EXPECT_EQ(out.back().kind, Held::Line);
        EXPECT_EQ(out.back().v[3], 4 + dy);
        for (size_t i = 0; i < c.lines.size(); ++i) {
            const Held &line = out[qsizetype(i) + 1];
            EXPECT_EQ(line.kind, Held::Line);
            EXPECT_EQ(line.ids[0], 3u);
            EXPECT_EQ(line.v[4], 0.5);
            for (int k = 0; k < 4; ++k)
                EXPECT_EQ(std::bit_cast<quint64>(line.v[k]), std::bit_cast<quint64>(c.lines[i][k])) << c.sides << ' ' << i;
        }
    }
}

// The rows of a table placed again and again under their band's number:
// items that are all they were (more than one record holds), items whose
// text alone changed, a row with a cell left out, another band between and
// an item given as it is all come back moved and to the bit, sides as their
// lines, on pages that count every line; the second page's first rows step
// from the first page's.
TEST(PageList, RowsPlacedAgainComeBackAsTheyWerePlaced)
{
    using Held = PageList::HeldItem;
    auto row = [](int texts, quint32 firstText, bool skipThird) {
        std::vector<Held> items;
        for (int c = 0; c < texts; ++c) {
            if (!(skipThird && c == 2))
                items.push_back({Held::Text, {firstText + quint32(c), 1}, {10.0 * c, 2, 9.5, 14, 0}});
            items.push_back({Held::Sides, {0, Held::Left | Held::Bottom}, {10.0 * c, 0, 10.0 * c + 10, 20, 1}});
        }
        return items;
    };
    struct Placing {
        int band;
        std::vector<Held> items;
        double dy;
    };
    const std::vector<Placing> placings = {
        {3, row(20, 100, false), 0},     {3, row(20, 100, false), 20},  // 40 items all as before
        {3, row(20, 200, false), 40},    {5, row(2, 7, false), -0.0},   // texts changed; another band
        {3, row(20, 200, true), 60},     {3, row(20, 200, false), 80},  // a cell left out, then back
        {3, row(20, 200, false), 100.25},
    };
    PageList list;
    std::vector<std::vector<Held>> expected(2);
    for (size_t page = 0; page < expected.size(); ++page) {
        list.addPage();
        auto expect = [&](const Held &h, double dx, double dy) {
            if (h.kind != Held::Sides) {
                Held moved = h;
                moved.v[0] += dx;
                moved.v[1] += dy;
                expected[page].push_back(moved);
                return;
            }
            const double l = h.v[0] + dx, t = h.v[1] + dy, r = h.v[2] + dx, b = h.v[3] + dy;
            expected[page].push_back({Held::Line, {h.ids[0], 0}, {l, b, r, b, h.v[4]}}); // bottom
            expected[page].push_back({Held::Line, {h.ids[0], 0}, {l, t, l, b, h.v[4]}}); // left
        };
        // The second page starts with the rows the first page ended with.
        for (size_t i = page == 0 ? 0 : 2; i < placings.size(); ++i) {
            const Placing &p = placings[i];
            list.addHeld(p.items.data(), qsizetype(p.items.size()), 37.795275590551185, p.dy, p.band);
            for (const Held &h : p.items)
                expect(h, 37.795275590551185, p.dy);
            if (i == 4) {
                const Held single{Held::Rect, {1, 2}, {-0.0, 5, 3, 4, 1}};
                list.addHeld(single);
                expected[page].push_back(single);
            }
        }
    }
    for (size_t page = 0; page < expected.size(); ++page) {
        ASSERT_EQ(list.itemCount(qsizetype(page)), int(expected[page].size())) << page;
        QVector<Held> out;
        list.heldItems(qsizetype(page), out);
        ASSERT_EQ(out.size(), qsizetype(expected[page].size()));
        for (qsizetype i = 0; i < out.size(); ++i) {
            const Held &e = expected[page][size_t(i)];
            EXPECT_EQ(out[i].kind, e.kind) << page << ' ' << i;
            EXPECT_EQ(out[i].ids[0], e.ids[0]) << page << ' ' << i;
            if (e.kind == Held::Text) {
                EXPECT_EQ(out[i].ids[1], e.ids[1]) << page << ' ' << i;
            }
            for (int k = 0; k < (e.kind == Held::Text ? 4 : 5); ++k)
                EXPECT_EQ(std::bit_cast<quint64>(out[i].v[k]), std::bit_cast<quint64>(e.v[k]))
                    << page << ' ' << i << ' ' << k;
        }
    }
}
