// Report files that unpack to far more than they hold are refused whatever
// they claim; saving and loading keep to one set of limits, so the largest
// report that saves also loads, and a larger one is refused when saved.
#include "platform/report/ReportFile.h"

#include "CraftedFiles.h"

#include <QFile>
#include <QImage>
#include <QPainter>
#include <QTemporaryDir>
#include <QtEndian>
#include <gtest/gtest.h>
#include <zlib.h>

#include <functional>
#include <numeric>
#include <utility>
#include <vector>

using namespace pf::report;
using namespace reporttest;

namespace {

ReportFileError::Kind refusal(const QByteArray &bytes, QString *message = nullptr)
{
    try {
        decodeDocument(bytes);
    } catch (const ReportFileError &e) {
        if (message)
            *message = e.message();
        return e.kind();
    }
    ADD_FAILURE() << "loaded";
    return ReportFileError::Kind::CannotOpen;
}

// A packed file of the first version: its stated length, then its body.
QByteArray version1(quint32 claim, const QByteArray &body)
{
    QByteArray out = QByteArrayLiteral("BRVQRPZ1") + QByteArray(4, '\0') + body;
    qToBigEndian<quint32>(claim, out.data() + 8);
    return out;
}

Document pagesOf(int pages, int itemsPerPage)
{
    Document doc;
    for (int p = 0; p < pages; ++p) {
        Page page;
        for (int i = 0; i < itemsPerPage; ++i)
            page.items.push_back(LineItem{QPointF(38 + i % 500 * 1.4, 38 + i / 500 % 500 * 2.0),
                                          QPointF(39 + i % 500 * 1.4, 38 + i / 500 % 500 * 2.0 + p % 2), 1.0,
                                          Qt::black});
        doc.pages.push_back(page);
    }
    return doc;
}

} // namespace

// Pictures are decoded only once their headers show they fit, and only if
// a page shows them: the 16 pictures of 5600 x 5600 pixels (2 GB decoded)
// that a file of some hundred kilobytes holds are refused undecoded.
TEST(ReportFileTraps, PicturesAreDecodedOnlyWithinTheirBoundAndWhenShown)
{
    const qint64 before = decodedPictureBytes();
    std::vector<quint32> all(16);
    std::iota(all.begin(), all.end(), 0);
    QString msg;
    EXPECT_EQ(refusal(picturesFile(greyPng(5600, 5600), 16, all), &msg), ReportFileError::Kind::BeyondLimits);
    EXPECT_TRUE(msg.contains(QStringLiteral("(صفحه 1، مورد 2: ")) && msg.contains(QStringLiteral("5600 در 5600")))
        << msg.toStdString();
    EXPECT_EQ(decodedPictureBytes(), before);

    // Within a bound of two: the two shown are decoded, the others not.
    ReportFileLimits limits;
    limits.maxImageBytes = 2 * 300 * 300 * 4;
    const QByteArray small = greyPng(300, 300);
    const Document doc = decodeDocument(picturesFile(small, 4, {1, 0, 1}), limits);
    EXPECT_EQ(doc.pages[0].items.size(), 3);
    EXPECT_EQ(decodedPictureBytes() - before, 2 * 300 * 300); // grey: a byte a pixel
    try {
        decodeDocument(picturesFile(small, 4, {1, 0, 3}), limits);
        ADD_FAILURE() << "loaded";
    } catch (const ReportFileError &e) {
        EXPECT_TRUE(e.message().contains(QStringLiteral("صفحه 1، مورد 3: ")) &&
                    e.message().contains(QStringLiteral("300 در 300")))
            << e.message().toStdString();
    }
    // Held as the file holds them until the pages are read, pictures no
    // page shows take no more than twice that bound, whatever notes they
    // carry.
    const QByteArray noted = zeroPng(1, 1, 1, pngChunk("tEXt", QByteArray("Comment\0", 8) + QByteArray(1 << 20, 'a')), 0, 9);
    EXPECT_NO_THROW(decodeDocument(picturesFile(noted, 1, {}), limits));
    try {
        decodeDocument(picturesFile(noted, 2, {}), limits);
        ADD_FAILURE() << "loaded";
    } catch (const ReportFileError &e) {
        EXPECT_EQ(e.kind(), ReportFileError::Kind::BeyondLimits);
        EXPECT_TRUE(e.message().contains(QStringLiteral("(تصوير 2: "))) << e.message().toStdString();
    }
    // Saving keeps to the same bound: what it writes loads again.
    limits.maxImageBytes = 300 * 300 * 4 - 1;
    EXPECT_THROW(encodeDocument(doc, true, limits), ReportFileError);
}

// A page holds texts of a bounded number of characters, so that it paints
// at once, and painting keeps layouts of a bounded number of characters:
// the 40 texts of a million characters of a 4 kB file are refused.
TEST(ReportFileTraps, APageHoldsBoundedTextAndPaintingKeepsBoundedLayouts)
{
    const ReportFileLimits limits;
    auto textPage = [&](int texts, qsizetype length, int seed, int styles = 20) {
        Page page;
        for (int i = 0; i < texts; ++i)
            page.items.push_back(TextRun{QString(length, QChar(0x0627 + (seed + i) % 20)),
                                         ReportFont{QStringLiteral("Arial"), 8.0 + i % styles}, Qt::RightToLeft,
                                         Qt::AlignLeft, QRectF(10, 10 + 20 * i, 700, 20)});
        return page;
    };
    Document full;
    for (int p = 0; p < 6; ++p)
        full.pages.push_back(textPage(2, limits.maxPageTextLength / 2, p));
    EXPECT_EQ(decodeDocument(encodeDocument(full)), full);

    Document issue;
    issue.pages.push_back(textPage(40, 1000000, 0));
    EXPECT_THROW(encodeDocument(issue), ReportFileError);
    // A page a character or a text over is refused when saved, and loaded
    // from a file written beyond the limits.
    ReportFileLimits roomy;
    roomy.maxPageTextLength = roomy.maxTextsPerPage = roomy.maxStylesPerPage = 1000000;
    for (const Page &over : {textPage(3, limits.maxPageTextLength / 3 + 1, 0), textPage(limits.maxTextsPerPage + 1, 1, 0),
                             textPage(limits.maxStylesPerPage + 1, 1, 0, 1000)}) {
        Document doc;
        doc.pages.push_back(over);
        EXPECT_THROW(encodeDocument(doc), ReportFileError);
        QString msg;
        EXPECT_EQ(refusal(encodeDocument(doc, true, roomy), &msg), ReportFileError::Kind::BeyondLimits);
        EXPECT_TRUE(msg.contains(QStringLiteral("(صفحه 1، مورد "))) << msg.toStdString();
    }

    QImage image(210, 297, QImage::Format_ARGB32_Premultiplied);
    QPainter painter(&image);
    painter.scale(0.25, 0.25);
    PaintCache cache;
    for (const Page &page : full.pages) {
        paintPage(painter, page, &cache);
        EXPECT_LE(cache.characterCount(), PaintCache::kMaxCharacters);
        EXPECT_LE(cache.layoutCount(), PaintCache::kMaxLayouts);
    }
    EXPECT_GT(cache.characterCount(), 0);
}

TEST(ReportFileTraps, FilesThatUnpackToFarMoreThanTheyHoldAreRefused)
{
    const QByteArray zeros = pack(QByteArray(80 << 20, '\0'));
    QByteArray bomb = "{\"format\":\"Boravest report\",\"version\":1,\"page\":{\"width\":210,\"height\":297},\"pages\":[";
    while (bomb.size() < (40 << 20))
        bomb += "{\"items\":[]},{\"items\":[]},{\"items\":[]},{\"items\":[]},";
    const QByteArray packedBomb = pack(bomb);
    // Zeros are no report; a length that promises far more than the packed
    // bytes can hold, or less than they hold, is damage; a report that
    // unpacks to far more than the file holds passes a limit.
    struct Case {
        const char *what;
        QByteArray file;
        ReportFileError::Kind kind;
    };
    const std::vector<Case> cases{
        {"zeros, stated truly", version1(80 << 20, zeros), ReportFileError::Kind::Damaged},
        {"zeros, stated as 1 GiB", version1(1u << 30, zeros), ReportFileError::Kind::Damaged},
        {"zeros, stated as 4 GiB", version1(0xffffffffu, zeros), ReportFileError::Kind::Damaged},
        {"zeros, stated as small", version1(1000, zeros), ReportFileError::Kind::Damaged},
        {"a valid start, repeated", version1(quint32(bomb.size()), packedBomb), ReportFileError::Kind::BeyondLimits},
    };
    for (const Case &c : cases) {
        QString msg;
        EXPECT_EQ(refusal(c.file, &msg), c.kind) << c.what;
        EXPECT_FALSE(msg.isEmpty()) << c.what;
    }

    // A section of the new version that claims more than a section may
    // hold, or unpacks to more than it claims.
    const QByteArray good = encodeDocument(pagesOf(2, 3));
    const qsizetype heading = 12;
    QByteArray claims = good;
    qToLittleEndian<quint32>(64u << 20, claims.data() + heading + 6);
    EXPECT_EQ(refusal(claims), ReportFileError::Kind::BeyondLimits);
    QByteArray more = good.left(heading);
    const QByteArray body = pack(QByteArray(1 << 20, '\0'));
    QByteArray head(10, '\0');
    head[0] = 'H';
    head[1] = 1;
    qToLittleEndian<quint32>(quint32(body.size()), head.data() + 2);
    qToLittleEndian<quint32>(100, head.data() + 6);
    EXPECT_EQ(refusal(more + head + body), ReportFileError::Kind::Damaged);
}

TEST(ReportFileLimitsTest, TheLargestReportThatSavesLoadsAndALargerOneIsRefusedWhenSaved)
{
    // Each limit of the program's own at its edge in one report: a text as
    // long as may be, a page as full as may be, as many pages as may be.
    const ReportFileLimits limits;
    Document big = pagesOf(limits.maxPages, 1);
    big.pages.replace(0, pagesOf(1, limits.maxItemsPerPage).pages[0]);
    Page longText = big.pages[1];
    longText.items.push_back(TextRun{QString(limits.maxTextLength, QChar(0x0645)), ReportFont{}, Qt::RightToLeft,
                                     Qt::AlignLeft, QRectF(0, 0, 100, 20)});
    big.pages.replace(1, longText);
    QTemporaryDir tmp;
    const QString path = tmp.filePath(QStringLiteral("big.QRP"));
    saveDocument(big, path);
    EXPECT_TRUE(loadDocument(path) == big);

    // Limits of their own show the totals too without a huge report.
    ReportFileLimits small;
    small.maxPages = 4;
    small.maxItemsPerPage = 5;
    small.maxItems = 12;
    small.maxStrings = 3;
    EXPECT_EQ(decodeDocument(encodeDocument(pagesOf(4, 3), true, small), small), pagesOf(4, 3));
    struct Case {
        const char *what;
        Document doc;
    };
    Page fourTexts;
    for (const char *t : {"a", "b", "c", "d"})
        fourTexts.items.push_back(TextRun{QString::fromLatin1(t), ReportFont{}, Qt::RightToLeft, Qt::AlignLeft, QRectF()});
    Document texts;
    texts.pages.push_back(fourTexts);
    const std::vector<Case> over{
        {"pages", pagesOf(5, 1)}, {"items of a page", pagesOf(1, 6)}, {"items", pagesOf(4, 4)}, {"strings", texts}};
    for (const Case &c : over) {
        try {
            encodeDocument(c.doc, true, small);
            ADD_FAILURE() << c.what;
        } catch (const ReportFileError &e) {
            EXPECT_EQ(e.kind(), ReportFileError::Kind::TooLarge) << c.what;
        }
    }

    // Saved with the program's limits: the message says why, and no file
    // is left behind.
    Document tooMany = pagesOf(limits.maxPages + 1, 0);
    try {
        saveDocument(tooMany, tmp.filePath(QStringLiteral("no.QRP")));
        ADD_FAILURE() << "saved";
    } catch (const ReportFileError &e) {
        EXPECT_EQ(e.kind(), ReportFileError::Kind::TooLarge);
        EXPECT_TRUE(e.message().startsWith(QStringLiteral("اين گزارش براي ذخيره در يك فايل بيش از حد بزرگ است")));
        EXPECT_TRUE(e.message().contains(QStringLiteral("(بيش از %1 صفحه)").arg(limits.maxPages)));
    }
    EXPECT_FALSE(QFile::exists(tmp.filePath(QStringLiteral("no.QRP"))));

    // A value no file can hold is refused as well, not written as another.
    Document nan;
    nan.pages.push_back(Page{{LineItem{QPointF(qQNaN(), 0), QPointF(1, 1), 1.0, Qt::black}}});
    EXPECT_THROW(encodeDocument(nan), ReportFileError);
}
