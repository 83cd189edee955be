// Report files that unpack to far more than they hold are refused whatever
// they claim; saving and loading keep to one set of limits, so the largest
// report that saves also loads, and a larger one is refused when saved.
#include "platform/report/ReportFile.h"

#include <QFile>
#include <QTemporaryDir>
#include <QtEndian>
#include <gtest/gtest.h>
#include <zlib.h>

#include <functional>

using namespace pf::report;

namespace {

QByteArray pack(const QByteArray &raw)
{
    uLongf len = compressBound(uLong(raw.size()));
    QByteArray out(qsizetype(len), '\0');
    compress2(reinterpret_cast<Bytef *>(out.data()), &len, reinterpret_cast<const Bytef *>(raw.constData()),
              uLong(raw.size()), 9);
    out.resize(qsizetype(len));
    return out;
}

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
            page.items.push_back(LineItem{QPointF(i % 700, p % 1000), QPointF(i % 300, 5), 1.0, Qt::black});
        doc.pages.push_back(page);
    }
    return doc;
}

} // namespace

TEST(ReportFileTraps, FilesThatUnpackToFarMoreThanTheyHoldAreRefused)
{
    const QByteArray zeros = pack(QByteArray(80 << 20, '\0'));
    QByteArray bomb = "{\"format\":\"Boravest report\",\"version\":1,\"page\":{\"width\":210,\"height\":297},\"pages\":[";
    while (bomb.size() < (40 << 20))
        bomb += "{\"items\":[]},{\"items\":[]},{\"items\":[]},{\"items\":[]},";
    const QByteArray packedBomb = pack(bomb);
    struct Case {
        const char *what;
        QByteArray file;
    };
    const std::vector<Case> cases{
        {"zeros, stated truly", version1(80 << 20, zeros)},
        {"zeros, stated as 1 GiB", version1(1u << 30, zeros)},
        {"zeros, stated as 4 GiB", version1(0xffffffffu, zeros)},
        {"zeros, stated as small", version1(1000, zeros)},
        {"a valid start, repeated", version1(quint32(bomb.size()), packedBomb)},
    };
    for (const Case &c : cases) {
        QString msg;
        EXPECT_EQ(refusal(c.file, &msg), ReportFileError::Kind::Damaged) << c.what;
        EXPECT_TRUE(msg.startsWith(QStringLiteral("فايل گزارش خراب يا ناقص است"))) << c.what;
    }

    // A section of the new version that claims more than a section may
    // hold, or unpacks to more than it claims.
    const QByteArray good = encodeDocument(pagesOf(2, 3));
    const qsizetype heading = 12;
    QByteArray claims = good;
    qToLittleEndian<quint32>(64u << 20, claims.data() + heading + 6);
    EXPECT_EQ(refusal(claims), ReportFileError::Kind::Damaged);
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
        EXPECT_TRUE(e.message().startsWith(QStringLiteral("اين گزارش براي ذخيره در يک فايل بيش از حد بزرگ است")));
        EXPECT_TRUE(e.message().contains(QString::number(limits.maxPages + 1)));
    }
    EXPECT_FALSE(QFile::exists(tmp.filePath(QStringLiteral("no.QRP"))));

    // A value no file can hold is refused as well, not written as another.
    Document nan;
    nan.pages.push_back(Page{{LineItem{QPointF(qQNaN(), 0), QPointF(1, 1), 1.0, Qt::black}}});
    EXPECT_THROW(encodeDocument(nan), ReportFileError);
}
