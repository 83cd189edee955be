// Report text: right-to-left base direction, absolute alignment, auto size
// and word wrap, as laid out and as painted.
#include "platform/report/Preview.h"
#include "platform/report/Report.h"

#include "ReportTestUtil.h"

#include <QPainter>
#include <QTextLayout>
#include <gtest/gtest.h>

using namespace pf::report;
using namespace reporttest;

namespace {

const ReportFont kFont{QStringLiteral("DejaVu Sans"), 14.0, false, false, Qt::black};

// One line painted alone in a 300 x 40 picture.
QImage paintLine(const QString &text, Qt::LayoutDirection dir, Qt::Alignment align,
                 const ReportFont &font = kFont)
{
    Page page;
    page.items.push_back(TextRun{text, font, dir, align, QRectF(0, 0, 300, 40)});
    QImage img(300, 40, QImage::Format_ARGB32);
    img.fill(Qt::white);
    QPainter p(&img);
    paintPage(p, page);
    return img;
}

// Leftmost and rightmost columns that hold ink.
std::pair<int, int> inkColumns(const QImage &img)
{
    int lo = img.width(), hi = -1;
    for (int y = 0; y < img.height(); ++y)
        for (int x = 0; x < img.width(); ++x)
            if (qGray(img.pixel(x, y)) < 128) {
                lo = std::min(lo, x);
                hi = std::max(hi, x);
            }
    return {lo, hi};
}

} // namespace

TEST(ReportText, RightToLeftBaseDirectionOrdersNumbersAndSigns)
{
    // Laid right to left, a stored "30-" shows as minus thirty and a mixed
    // pipe size "1/4 1" as one and a quarter: the same picture as the
    // visual text laid left to right.
    EXPECT_EQ(paintLine(QStringLiteral("30-"), Qt::RightToLeft, Qt::AlignLeft),
              paintLine(QStringLiteral("-30"), Qt::LeftToRight, Qt::AlignLeft));
    EXPECT_EQ(paintLine(QStringLiteral("1/4 1"), Qt::RightToLeft, Qt::AlignLeft),
              paintLine(QStringLiteral("1 1/4"), Qt::LeftToRight, Qt::AlignLeft));
    EXPECT_EQ(paintLine(QStringLiteral("1/2 2"), Qt::RightToLeft, Qt::AlignRight),
              paintLine(QStringLiteral("2 1/2"), Qt::LeftToRight, Qt::AlignRight));
    // Left to right the stored order shows as it is.
    EXPECT_NE(paintLine(QStringLiteral("30-"), Qt::LeftToRight, Qt::AlignLeft),
              paintLine(QStringLiteral("-30"), Qt::LeftToRight, Qt::AlignLeft));
}

TEST(ReportText, AlignmentIsAbsoluteWhateverTheDirection)
{
    for (Qt::LayoutDirection dir : {Qt::RightToLeft, Qt::LeftToRight}) {
        const auto left = inkColumns(paintLine(QStringLiteral("ضريب 12"), dir, Qt::AlignLeft));
        const auto right = inkColumns(paintLine(QStringLiteral("ضريب 12"), dir, Qt::AlignRight));
        const auto centre = inkColumns(paintLine(QStringLiteral("ضريب 12"), dir, Qt::AlignHCenter));
        EXPECT_LT(left.first, 5) << dir;
        EXPECT_GT(right.second, 294) << dir;
        EXPECT_NEAR((centre.first + centre.second) / 2.0, 150, 4) << dir;
    }
}

TEST(ReportText, AutoSizeMeasuresWithTheElementFontAndKeepsTheAlignedEdge)
{
    Report rep;
    Band *t = rep.addBand(BandType::Title, QStringLiteral("TitleBand1"), 40);
    Label *right = t->addLabel(QStringLiteral("R"), 300, 5, QStringLiteral("بار حرارتي"));
    right->geometry.setWidth(100); // the right edge stays at 400
    right->alignment = Qt::AlignRight;
    right->font = kFont;
    Label *left = t->addLabel(QStringLiteral("L"), 300, 20, QStringLiteral("بار حرارتي"));
    left->font = kFont;
    left->font.pointSize = 28;

    const double L = mmToPx(10);
    Document doc = rep.render();
    const auto r = findRun(doc, QStringLiteral("بار حرارتي"));
    ASSERT_TRUE(r);
    QTextLayout probe;
    layoutParagraph(probe, r->text, kFont, Qt::RightToLeft, Qt::AlignLeft, false, -1);
    const double natural = probe.lineAt(0).naturalTextWidth();
    EXPECT_NEAR(r->rect.width(), std::ceil(natural), 0.01);
    EXPECT_NEAR(r->rect.right(), L + 400, 0.01);
    EXPECT_EQ(r->font, kFont);
    EXPECT_EQ(r->direction, Qt::RightToLeft);
    EXPECT_EQ(r->alignment, Qt::AlignRight);

    // The larger font measures wider; the left-aligned label keeps its left.
    const TextRun *big = nullptr;
    for (const auto &item : doc.pages[0].items)
        if (const auto *run = std::get_if<TextRun>(&item); run && run->font.pointSize == 28)
            big = run;
    ASSERT_TRUE(big);
    EXPECT_NEAR(big->rect.left(), L + 300, 0.01);
    EXPECT_GT(big->rect.width(), r->rect.width() * 1.5);
}

TEST(ReportText, WordWrapStopsAtTheBandEdgeAndGrowsTheBand)
{
    Report rep;
    Band *t = rep.addBand(BandType::Title, QStringLiteral("TitleBand1"), 30);
    QString words;
    for (int i = 0; i < 30; ++i)
        words += QStringLiteral("كلكتور ");
    Label *l = t->addLabel(QStringLiteral("QRLabel9"), 400, 4, words.trimmed());
    l->wordWrap = true;
    l->font = kFont;
    rep.addBand(BandType::Summary, QStringLiteral("S"), 20)->addLabel(QStringLiteral("E"), 0, 0, QStringLiteral("end"));

    const Document doc = rep.render();
    const double L = mmToPx(10);
    QStringList parts;
    double lastBottom = 0;
    for (const auto &item : doc.pages[0].items) {
        const auto *run = std::get_if<TextRun>(&item);
        if (!run || run->text == QLatin1String("end"))
            continue;
        parts << run->text;
        EXPECT_NEAR(run->rect.left(), L + 400, 0.01);
        EXPECT_LE(run->rect.right(), L + rep.contentWidthPx() + 0.01);
        EXPECT_GE(run->rect.top(), lastBottom - 0.01);
        lastBottom = run->rect.bottom();
    }
    EXPECT_GT(parts.size(), 3);
    EXPECT_EQ(parts.join(QString()), words.trimmed());
    // The summary comes under the grown title band, not over the text.
    const auto end = findRun(doc, QStringLiteral("end"));
    ASSERT_TRUE(end);
    EXPECT_GE(end->rect.top(), lastBottom - 0.01);
}

TEST(ReportText, LabelsKeepTheirCaptionsAndDataTextsFollowTheirField)
{
    Report rep;
    Band *t = rep.addBand(BandType::Title, QStringLiteral("TitleBand1"), 30);
    Label *l = t->addLabel(QStringLiteral("QRLabel24"), 10, 5, QStringLiteral("600*150"));
    DBText *d = t->addDBText(QStringLiteral("QRDBText2"), 200, 5, nullptr, QStringLiteral("Shvahed"));
    EXPECT_EQ(d->currentText(), QString()); // no dataset: empty
    EXPECT_EQ(allTexts(rep.render()), QStringList{"600*150"});
    // A caption stays until it is set again.
    EXPECT_EQ(allTexts(rep.render()), QStringList{"600*150"});
    l->text = QStringLiteral("500*200");
    EXPECT_EQ(allTexts(rep.render()), QStringList{"500*200"});
}

TEST(ReportText, TextsAreLaidOutInTheirOwnDirection)
{
    // Texts stored with their mark first (":(ft)طول" reads "طول (ft):") are
    // laid out left to right, texts in reading order right to left; a text
    // without letters keeps the element's direction.
    Report rep;
    Band *t = rep.addBand(BandType::Title, QStringLiteral("TitleBand1"), 120);
    const struct {
        const char *text;
        Qt::LayoutDirection want;
    } cases[] = {{":(ft)طول", Qt::LeftToRight},
                 {"(تعداد ساكنين(نفر", Qt::LeftToRight},
                 {"(lit)حجم استاندارد", Qt::LeftToRight},
                 {"نام شركت:", Qt::RightToLeft},
                 {"1/4 1", Qt::RightToLeft}};
    double y = 5;
    for (const auto &c : cases) {
        t->addLabel(QString::fromUtf8(c.text), 300, y, QString::fromUtf8(c.text));
        y += 20;
    }
    const Document doc = rep.render();
    for (const auto &c : cases) {
        const auto run = findRun(doc, QString::fromUtf8(c.text));
        ASSERT_TRUE(run) << c.text;
        EXPECT_EQ(run->direction, c.want) << c.text;
    }
}
