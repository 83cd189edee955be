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
#include <set>
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

namespace {

using PipeRun = bv::eqbook::kit::Piping::Run;

double toSegment(QPointF p, QPointF a, QPointF b)
{
    const QPointF d = b - a;
    const double l2 = QPointF::dotProduct(d, d);
    const double t = l2 > 0 ? std::clamp(QPointF::dotProduct(p - a, d) / l2, 0.0, 1.0) : 0.0;
    const QPointF q = a + d * t - p;
    return std::hypot(q.x(), q.y());
}

// The distance from a point to a run's centre line, or to its chamber (0
// inside it).
double toRun(QPointF p, const PipeRun &r)
{
    if (r.path.empty())
        return std::hypot(std::max({r.chamber.left() - p.x(), 0.0, p.x() - r.chamber.right()}),
                          std::max({r.chamber.top() - p.y(), 0.0, p.y() - r.chamber.bottom()}));
    double d = 1e9;
    for (std::size_t i = 1; i < r.path.size(); ++i)
        d = std::min(d, toSegment(p, r.path[i - 1], r.path[i]));
    return d;
}

// Points along a run's centre line, or round its chamber, in steps of a
// fortieth of each segment.
std::vector<QPointF> along(const PipeRun &r)
{
    const QRectF &c = r.chamber;
    std::vector<QPointF> pts = r.path;
    if (pts.empty())
        pts = {c.topLeft(), c.topRight(), c.bottomRight(), c.bottomLeft(), c.topLeft()};
    std::vector<QPointF> out;
    for (std::size_t i = 1; i < pts.size(); ++i)
        for (int k = 0; k <= 40; ++k)
            out.push_back(pts[i - 1] + (pts[i] - pts[i - 1]) * (k / 40.0));
    return out;
}

// The farthest a point along `a` lies from `b`; the distance between the
// ink of two runs.
double farthest(const PipeRun &a, const PipeRun &b)
{
    double d = 0;
    for (QPointF p : along(a))
        d = std::max(d, toRun(p, b));
    return d;
}

double inkGap(const PipeRun &a, const PipeRun &b)
{
    double d = 1e9;
    for (const auto &[x, y] : {std::pair{&a, &b}, std::pair{&b, &a}})
        for (QPointF p : along(*x))
            d = std::min(d, toRun(p, *y));
    return d - (a.width + b.width) / 2;
}

bool meets(const PipeRun &a, const PipeRun &b)
{
    auto endOn = [](const PipeRun &x, const PipeRun &y) {
        return !x.path.empty() && (toRun(x.path.front(), y) < 0.25 || toRun(x.path.back(), y) < 0.25);
    };
    return endOn(a, b) || endOn(b, a);
}

} // namespace

TEST_F(DrawingsTest, PipesMeetWhereTheDrawingJoinsThemAndNowhereElse)
{
    // Runs not joined stand a pixel apart, and no line of four pixels or
    // more runs from one to the other as a pipe would (a tube plate is a
    // plate, not a line between flow and return).
    for (int i = 0; i < bv::eqbook::kPictureCount; ++i) {
        const auto piping = bv::eqbook::picturePiping(Picture(i));
        const auto &runs = piping.runs;
        auto joined = [&](int a, int b) {
            return std::any_of(piping.joints.begin(), piping.joints.end(), [&](const auto &j) {
                return (j.first == a && j.second == b) || (j.first == b && j.second == a);
            });
        };
        for (int a = 0; a < int(runs.size()); ++a)
            for (int b = a + 1; b < int(runs.size()); ++b) {
                if (joined(a, b))
                    EXPECT_TRUE(meets(runs[a], runs[b])) << name(i) << ": joined runs " << a << ", " << b << " apart";
                else
                    EXPECT_GE(inkGap(runs[a], runs[b]), 1.0) << name(i) << ": runs " << a << ", " << b << " meet";
            }
        for (const DrawItem &item : bv::eqbook::pictureItems(Picture(i))) {
            const auto *l = std::get_if<LineItem>(&item);
            if (!l || std::hypot(l->p2.x() - l->p1.x(), l->p2.y() - l->p1.y()) < 4)
                continue;
            // A line along one run is that run's own, or a fitting's on it.
            auto on = [&](QPointF p, int r) {
                return !runs[r].path.empty() && toRun(p, runs[r]) <= runs[r].width / 2;
            };
            std::vector<int> atStart, atEnd;
            bool alongOne = false;
            for (int r = 0; r < int(runs.size()); ++r) {
                alongOne |= on(l->p1, r) && on(l->p2, r);
                if (on(l->p1, r))
                    atStart.push_back(r);
                if (on(l->p2, r))
                    atEnd.push_back(r);
            }
            if (alongOne)
                continue;
            for (int a : atStart)
                for (int b : atEnd)
                    EXPECT_TRUE(joined(a, b)) << name(i) << ": a line (" << l->p1.x() << "," << l->p1.y() << ")-("
                                              << l->p2.x() << "," << l->p2.y() << ") joins runs " << a << ", " << b;
        }
    }
}

TEST_F(DrawingsTest, EveryCoilEndsOnItsConnections)
{
    // Both ends of each coil tube on a run it is joined to, in every
    // drawing of a coil.
    const std::set<Picture> withCoils = {
        Picture::CoilTank, Picture::SteamCoilTank, Picture::CoilPiping, Picture::SteamCoilPiping,
        Picture::PoolCircuit, Picture::PoolHotWaterExchanger, Picture::PoolSteamExchanger, Picture::JacuzziCircuit,
        Picture::JacuzziHotWaterExchanger, Picture::JacuzziSteamExchanger, Picture::UnitHeater};
    for (int i = 0; i < bv::eqbook::kPictureCount; ++i) {
        const auto piping = bv::eqbook::picturePiping(Picture(i));
        int coils = 0;
        for (int c = 0; c < int(piping.runs.size()); ++c) {
            if (!piping.runs[c].coil)
                continue;
            ++coils;
            for (QPointF end : {piping.runs[c].path.front(), piping.runs[c].path.back()})
                EXPECT_TRUE(std::any_of(piping.joints.begin(), piping.joints.end(), [&](const auto &j) {
                    const int other = j.first == c ? j.second : j.second == c ? j.first : -1;
                    return other >= 0 && toRun(end, piping.runs[other]) < 0.25;
                })) << name(i) << ": coil " << c << " ends at (" << end.x() << "," << end.y() << ") on no connection";
        }
        EXPECT_EQ(coils > 0, withCoils.count(Picture(i)) > 0) << name(i);
    }
}

namespace {

bool insideOutline(QPointF p, const std::vector<QPointF> &o)
{
    bool in = false;
    for (std::size_t i = 0, j = o.size() - 1; i < o.size(); j = i++)
        if ((o[i].y() > p.y()) != (o[j].y() > p.y())
            && p.x() < o[j].x() + (p.y() - o[j].y()) * (o[i].x() - o[j].x()) / (o[i].y() - o[j].y()))
            in = !in;
    return in;
}

// Points along a path half a pixel apart.
std::vector<QPointF> finely(const std::vector<QPointF> &path)
{
    std::vector<QPointF> out;
    for (std::size_t i = 1; i < path.size(); ++i) {
        const QPointF d = path[i] - path[i - 1];
        const int n = std::max(1, int(std::ceil(std::hypot(d.x(), d.y()) * 2)));
        for (int k = 0; k <= n; ++k)
            out.push_back(path[i - 1] + d * (double(k) / n));
    }
    return out;
}

double toOutline(QPointF p, const std::vector<QPointF> &o)
{
    double d = 1e9;
    for (std::size_t i = 0, j = o.size() - 1; i < o.size(); j = i++)
        d = std::min(d, toSegment(p, o[j], o[i]));
    return d;
}

} // namespace

TEST_F(DrawingsTest, PipesEndOnAPartsWallAndNeverCrossItsInside)
{
    // Every point of a pipe lies outside each part's outline or within
    // the pipe's half width of its wall (and a little), but in the part
    // that holds it, where it keeps off the wall but where it passes
    // through; every drawing with pipes serves a part.
    for (int i = 0; i < bv::eqbook::kPictureCount; ++i) {
        const auto piping = bv::eqbook::picturePiping(Picture(i));
        const bool pipes = std::any_of(piping.runs.begin(), piping.runs.end(),
                                       [](const PipeRun &r) { return !r.path.empty(); });
        EXPECT_TRUE(!pipes || !piping.parts.empty()) << name(i) << " serves no part";
        for (int p = 0; p < int(piping.parts.size()); ++p) {
            const auto &outline = piping.parts[p].outline;
            for (int r = 0; r < int(piping.runs.size()); ++r) {
                const std::vector<QPointF> pts = finely(piping.runs[r].path);
                const double w = piping.runs[r].width / 2;
                for (std::size_t k = 0; k < pts.size(); ++k) {
                    const QPointF q = pts[k];
                    const double wall = toOutline(q, outline);
                    if (piping.runs[r].within != p) {
                        if (insideOutline(q, outline) && wall > w + 0.2) {
                            ADD_FAILURE() << name(i) << ": run " << r << " crosses part " << p << " at (" << q.x()
                                          << "," << q.y() << ")";
                            break;
                        }
                    } else if (k >= 4 && k + 4 < pts.size() && wall < w + 0.75
                               && insideOutline(pts[k - 4], outline) && insideOutline(pts[k + 4], outline)) {
                        // Its own pipe on the wall where it does not pass through.
                        ADD_FAILURE() << name(i) << ": run " << r << " lies on the wall of part " << p << " at ("
                                      << q.x() << "," << q.y() << ")";
                        break;
                    }
                }
            }
        }
    }
}

TEST_F(DrawingsTest, EveryLineOfPipeWeightIsADeclaredPipe)
{
    // So that the tests above see every pipe a drawing draws: a line at
    // the pipes' weight longer than a fitting's stroke lies along a run.
    for (int i = 0; i < bv::eqbook::kPictureCount; ++i) {
        const auto piping = bv::eqbook::picturePiping(Picture(i));
        for (const DrawItem &item : bv::eqbook::pictureItems(Picture(i))) {
            const auto *l = std::get_if<LineItem>(&item);
            if (!l || std::abs(l->width - bv::eqbook::kit::kPipe) > 1e-9 || std::hypot(l->p2.x() - l->p1.x(), l->p2.y() - l->p1.y()) < 8)
                continue;
            EXPECT_TRUE(std::any_of(piping.runs.begin(), piping.runs.end(), [&](const PipeRun &r) {
                return !r.path.empty() && toRun(l->p1, r) < 0.05 && toRun(l->p2, r) < 0.05;
            })) << name(i) << ": (" << l->p1.x() << "," << l->p1.y() << ")-(" << l->p2.x() << "," << l->p2.y() << ")";
        }
    }
}

TEST_F(DrawingsTest, BothPicturesOfTheSteamCoilTankDrawOneCoil)
{
    // The tank and its piping diagram: as many tubes, of one shape once
    // each drawing's coil is brought to one size (within 3 % of its width).
    std::vector<std::vector<PipeRun>> coils;
    for (Picture p : {Picture::SteamCoilTank, Picture::SteamCoilPiping}) {
        std::vector<PipeRun> tubes;
        QRectF box;
        for (const PipeRun &r : bv::eqbook::picturePiping(p).runs)
            if (r.coil) {
                tubes.push_back(r);
                for (QPointF q : r.path)
                    box |= QRectF(q, QSizeF(1e-9, 1e-9));
            }
        for (PipeRun &t : tubes)
            for (QPointF &q : t.path)
                q = (q - box.topLeft()) / box.width();
        coils.push_back(tubes);
    }
    ASSERT_EQ(coils[0].size(), coils[1].size());
    ASSERT_FALSE(coils[0].empty());
    for (const PipeRun &tube : coils[0]) {
        double best = 1e9;
        for (const PipeRun &other : coils[1])
            best = std::min(best, std::max(farthest(tube, other), farthest(other, tube)));
        EXPECT_LT(best, 0.03);
    }
}
