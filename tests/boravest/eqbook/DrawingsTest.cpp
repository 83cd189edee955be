// The installation drawings: Persian words only, laid out right to left, the
// Latin letters being the dimension letters and connection names the pages
// print; labels inside their drawing, clear of each other and of the lines.
#include "boravest/eqbook/Drawings.h"
#include "platform/ui/Fonts.h"

#include "support/TestSupport.h"

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

// The middle of a text's box, where its glyphs stand.
QRectF ink(const TextRun &t)
{
    const double h = t.rect.height() * 0.22;
    return t.rect.adjusted(0.5, h, -0.5, -h);
}

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

} // namespace

TEST_F(DrawingsTest, WordsArePersianAndLatinLettersAreThoseThePagesPrint)
{
    // Dimension letters and connection names as the pages' captions print
    // them ("(Cm)D1", "(In)d2,d6", "A*B (mm)", "D8(In)", "T(mm)" ...), and
    // the pool's inlets D1 to D3.
    const QStringList allowed = {"A",  "B",  "D",  "D1", "D2", "D3", "D8", "H",  "H1", "L",  "L1", "L2",
                                 "T",  "d1", "d2", "d3", "d4", "d5", "d6", "d7", "d8"};
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

TEST_F(DrawingsTest, LabelsStayInsideClearOfEachOtherAndOfTheLines)
{
    for (int i = 0; i < bv::eqbook::kPictureCount; ++i) {
        const QRectF bounds(QPointF(0, 0), bv::eqbook::pictureSize(Picture(i)));
        const QVector<DrawItem> items = bv::eqbook::pictureItems(Picture(i));
        std::vector<const TextRun *> texts;
        std::vector<std::pair<QPointF, QPointF>> lines;
        for (const DrawItem &item : items) {
            if (const auto *t = std::get_if<TextRun>(&item))
                texts.push_back(t);
            else if (const auto *l = std::get_if<LineItem>(&item))
                lines.emplace_back(l->p1, l->p2);
            else if (const auto *r = std::get_if<RectItem>(&item); r && r->penWidth > 0) {
                const QRectF q = r->rect;
                lines.insert(lines.end(), {{q.topLeft(), q.topRight()}, {q.topRight(), q.bottomRight()},
                                           {q.bottomRight(), q.bottomLeft()}, {q.bottomLeft(), q.topLeft()}});
            }
        }
        for (std::size_t a = 0; a < texts.size(); ++a) {
            const QRectF box = ink(*texts[a]);
            const std::string what = name(i) + " '" + texts[a]->text.toStdString() + "'";
            EXPECT_TRUE(bounds.adjusted(-0.5, -0.5, 0.5, 0.5).contains(box)) << what << " leaves the drawing";
            for (std::size_t b = a + 1; b < texts.size(); ++b)
                EXPECT_FALSE(box.intersects(ink(*texts[b]))) << what << " overlaps '" << texts[b]->text.toStdString() << "'";
            int crossing = 0;
            for (const auto &[p1, p2] : lines)
                crossing += crosses(p1, p2, box);
            EXPECT_EQ(crossing, 0) << what << " is crossed by lines";
        }
    }
}
