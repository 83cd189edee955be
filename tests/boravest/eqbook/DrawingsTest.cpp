// The installation drawings: Persian words only, laid out right to left, the
// Latin letters being the dimension letters and connection names the pages
// print; labels inside their drawing, clear of each other and of the lines.
#include "boravest/eqbook/Drawings.h"
#include "platform/ui/Fonts.h"

#include "support/TestSupport.h"

#include <QHash>
#include <QImage>
#include <QPainter>
#include <QRegularExpression>
#include <gtest/gtest.h>

using namespace pf::report;
using bv::eqbook::Picture;

namespace {

class DrawingsTest : public ::testing::Test {
protected:
    // The drawings are measured in the faces the program installs at start.
    void SetUp() override
    {
        testsupport::resetSharedState();
        pf::ui::installPersianFonts();
    }
};

// Whether the segment a..b passes through the inside of r.
bool crosses(QPointF a, QPointF b, const QRectF &r)
{
    // Clip the segment to r (Liang-Barsky).
    double t0 = 0, t1 = 1;
    const double dx = b.x() - a.x(), dy = b.y() - a.y();
    const double p[4] = {-dx, dx, -dy, dy};
    const double q[4] = {a.x() - r.left(), r.right() - a.x(), a.y() - r.top(), r.bottom() - a.y()};
    for (int i = 0; i < 4; ++i) {
        if (p[i] == 0) {
            if (q[i] <= 0)
                return false;
        } else {
            const double t = q[i] / p[i];
            if (p[i] < 0)
                t0 = std::max(t0, t);
            else
                t1 = std::min(t1, t);
        }
    }
    return t1 - t0 > 1e-6;
}

std::string name(int i) { return "picture " + std::to_string(i); }

// The box of what a text paints: the run painted alone, four times its size,
// and the box of its dark pixels.
QRectF paintedBox(const TextRun &t)
{
    static QHash<QString, QRectF> seen; // by text, size and box, relative to the box
    const QString key = QStringLiteral("%1|%2|%3|%4|%5")
                            .arg(t.text)
                            .arg(t.font.pointSize)
                            .arg(t.rect.width())
                            .arg(t.rect.height())
                            .arg(int(t.alignment));
    if (auto it = seen.constFind(key); it != seen.constEnd())
        return it->translated(t.rect.topLeft());
    const double k = 4, margin = 8;
    QImage img(((t.rect.size() + QSizeF(2 * margin, 2 * margin)) * k).toSize(), QImage::Format_RGB32);
    img.fill(Qt::white);
    {
        QPainter painter(&img);
        painter.scale(k, k);
        Page page;
        TextRun alone = t;
        alone.rect.moveTopLeft({margin, margin});
        page.items.push_back(alone);
        paintPage(painter, page);
    }
    int l = img.width(), r = -1, top = img.height(), b = -1;
    for (int y = 0; y < img.height(); ++y) {
        const auto *line = reinterpret_cast<const QRgb *>(img.constScanLine(y));
        for (int x = 0; x < img.width(); ++x)
            if (qGray(line[x]) < 160) {
                l = std::min(l, x), r = std::max(r, x), top = std::min(top, y), b = std::max(b, y);
            }
    }
    QRectF box = r < 0 ? QRectF() : QRectF(l / k - margin, top / k - margin, (r + 1 - l) / k, (b + 1 - top) / k);
    seen.insert(key, box);
    return box.translated(t.rect.topLeft());
}

// One stroke of a drawing as it shows: a line, or an edge of a drawn or
// filled rectangle, with the index of the item that draws it.
struct Stroke {
    QPointF a, b;
    double width;
    int index;
};

// The strokes of a drawing, and the white fills that hide what was drawn
// before them.
struct Strokes {
    std::vector<Stroke> strokes;
    std::vector<std::pair<QRectF, int>> masks;
    // Whether the part of the stroke inside `box` is hidden by a later mask.
    bool hidden(const Stroke &s, const QRectF &box) const
    {
        return std::any_of(masks.begin(), masks.end(), [&](const auto &m) {
            if (m.second < s.index)
                return false;
            const QRectF r = m.first.adjusted(-0.05, -0.05, 0.05, 0.05);
            // Every point of the stroke inside the box, sampled, under the mask.
            const int n = 24;
            for (int i = 0; i <= n; ++i) {
                const QPointF p = s.a + (s.b - s.a) * (double(i) / n);
                if (box.contains(p) && !r.contains(p))
                    return false;
            }
            return true;
        });
    }
};

Strokes strokesOf(const QVector<DrawItem> &items)
{
    Strokes out;
    for (int i = 0; i < items.size(); ++i) {
        if (const auto *l = std::get_if<LineItem>(&items[i])) {
            out.strokes.push_back({l->p1, l->p2, l->width, i});
        } else if (const auto *r = std::get_if<RectItem>(&items[i])) {
            const QRectF q = r->rect;
            if (r->fill == QColor(Qt::white) && r->penWidth <= 0) {
                out.masks.emplace_back(q, i);
                continue;
            }
            const double w = r->penWidth > 0 ? r->penWidth : 0.1;
            for (const auto &[a, b] : {std::pair{q.topLeft(), q.topRight()}, {q.topRight(), q.bottomRight()},
                                       {q.bottomRight(), q.bottomLeft()}, {q.bottomLeft(), q.topLeft()}})
                out.strokes.push_back({a, b, w, i});
        }
    }
    return out;
}

// The nearest distance of a stroke's ink to the inside of the frame.
double clearanceFromFrame(QPointF a, QPointF b, double halfWidth, const QSizeF &size)
{
    const double minX = std::min(a.x(), b.x()) - halfWidth, maxX = std::max(a.x(), b.x()) + halfWidth;
    const double minY = std::min(a.y(), b.y()) - halfWidth, maxY = std::max(a.y(), b.y()) + halfWidth;
    return std::min({minX, minY, size.width() - maxX, size.height() - maxY});
}

} // namespace

TEST_F(DrawingsTest, WordsArePersianAndLatinLettersAreThoseThePagesPrint)
{
    // Dimension letters and connection names as the pages' captions print
    // them ("(Cm)D1", "(In)d2,d6", "A*B (mm)", "D8(In)", "T(mm)" ...), and
    // the pool's inlets D1 to D3.
    const QStringList allowed = {"A",  "B",  "D",  "D1", "D2", "D3", "D8", "H",  "H1", "L",  "L1", "L2",
                                 "T",  "d1", "d2", "d3", "d4", "d5", "d6", "d7", "d8", "t1", "t2"};
    const QRegularExpression latin(QStringLiteral("[A-Za-z]+[0-9]*"));
    for (int i = 0; i < bv::eqbook::kPictureCount; ++i) {
        int persian = 0;
        for (const DrawItem &item : bv::eqbook::pictureItems(Picture(i))) {
            const auto *t = std::get_if<TextRun>(&item);
            if (!t)
                continue;
            for (auto m = latin.globalMatch(t->text); m.hasNext();)
                EXPECT_TRUE(allowed.contains(m.next().captured())) << name(i) << " '" << t->text.toStdString() << "'";
            // The program's letters: Arabic yeh and kaf, never the Persian ones.
            EXPECT_FALSE(t->text.contains(QChar(0x06CC)) || t->text.contains(QChar(0x06A9)))
                << name(i) << " '" << t->text.toStdString() << "'";
            const bool words = t->text.contains(QRegularExpression(QStringLiteral("[\u0600-\u06FF]")));
            EXPECT_EQ(t->direction, words ? Qt::RightToLeft : Qt::LeftToRight) << t->text.toStdString();
            persian += words;
        }
        EXPECT_GT(persian, 0) << name(i) << " names none of its parts";
    }
}

TEST_F(DrawingsTest, LabelsStayInsideAndClearOfEachOther)
{
    for (int i = 0; i < bv::eqbook::kPictureCount; ++i) {
        const QRectF bounds(QPointF(0, 0), bv::eqbook::pictureSize(Picture(i)));
        std::vector<std::pair<const TextRun *, QRectF>> texts;
        const QVector<DrawItem> items = bv::eqbook::pictureItems(Picture(i));
        for (const DrawItem &item : items)
            if (const auto *t = std::get_if<TextRun>(&item))
                texts.emplace_back(t, paintedBox(*t));
        for (std::size_t a = 0; a < texts.size(); ++a) {
            const std::string what = name(i) + " '" + texts[a].first->text.toStdString() + "'";
            EXPECT_TRUE(bounds.contains(texts[a].second)) << what << " leaves the drawing";
            for (std::size_t b = a + 1; b < texts.size(); ++b)
                EXPECT_FALSE(texts[a].second.adjusted(-0.5, -0.5, 0.5, 0.5).intersects(texts[b].second))
                    << what << " overlaps '" << texts[b].first->text.toStdString() << "'";
        }
    }
}

TEST_F(DrawingsTest, TextsStandClearOfLinesAndFrameAtSevenPointsOrMore)
{
    // What a text paints is crossed by no line but its own leader, which
    // starts beside it; nothing comes within a millimetre of the frame; no
    // text is smaller than 7 points.
    const double mm = pf::report::mmToPx(1);
    for (int i = 0; i < bv::eqbook::kPictureCount; ++i) {
        const QSizeF size = bv::eqbook::pictureSize(Picture(i));
        const QVector<DrawItem> items = bv::eqbook::pictureItems(Picture(i));
        const Strokes s = strokesOf(items);
        for (const Stroke &st : s.strokes)
            EXPECT_GE(clearanceFromFrame(st.a, st.b, st.width / 2, size), mm)
                << name(i) << ": item " << st.index << " (" << st.a.x() << "," << st.a.y() << ")-(" << st.b.x() << ","
                << st.b.y() << ") is within 1 mm of the frame";
        for (const DrawItem &item : items) {
            const auto *t = std::get_if<TextRun>(&item);
            if (!t)
                continue;
            const std::string what = name(i) + " '" + t->text.toStdString() + "'";
            EXPECT_GE(t->font.pointSize, 7.0 - 1e-9) << what;
            const QRectF box = paintedBox(*t);
            ASSERT_FALSE(box.isEmpty()) << what;
            EXPECT_GE(clearanceFromFrame(box.topLeft(), box.bottomRight(), 0, size), mm)
                << what << " is within 1 mm of the frame";
            for (const Stroke &st : s.strokes) {
                const QRectF near = box.adjusted(-st.width / 2 - 0.4, -st.width / 2 - 0.4, st.width / 2 + 0.4,
                                                 st.width / 2 + 0.4);
                if (crosses(st.a, st.b, near) && !s.hidden(st, near))
                    ADD_FAILURE() << what << " is crossed by item " << st.index << " (" << st.a.x() << "," << st.a.y()
                                  << ")-(" << st.b.x() << "," << st.b.y() << ")";
            }
        }
    }
}
