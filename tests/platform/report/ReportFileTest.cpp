// The saved report file: every drawn item survives a save and load, and a
// foreign, damaged or cut-short file is refused with a message.
#include "platform/report/ReportFile.h"

#include <QDir>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QPrinter>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QtEndian>
#include <gtest/gtest.h>

using namespace pf::report;

namespace {

Document sampleDocument()
{
    Document doc;
    QImage pic(16, 8, QImage::Format_ARGB32);
    pic.fill(QColor(10, 200, 30, 128));
    for (int p = 0; p < 3; ++p) {
        Page page;
        page.items.push_back(RectItem{QRectF(38, 38, 718, 100), 0, Qt::transparent, QColor(240, 240, 240)});
        page.items.push_back(TextRun{QStringLiteral("قطر كلكتور %1").arg(p + 1),
                                     ReportFont{QStringLiteral("Titr"), 12.5, true, true, QColor(255, 0, 0)},
                                     Qt::RightToLeft, Qt::AlignRight, QRectF(100.25, 50.5, 300, 21.75)});
        page.items.push_back(TextRun{QStringLiteral("1/4 1"), ReportFont{}, Qt::RightToLeft, Qt::AlignHCenter,
                                     QRectF(10, 10, 40, 15)});
        page.items.push_back(TextRun{QStringLiteral("(Btu/h)"), ReportFont{}, Qt::LeftToRight, Qt::AlignLeft,
                                     QRectF(10, 30, 40, 15)});
        page.items.push_back(LineItem{QPointF(38, 200), QPointF(756, 200), 2.0, Qt::black});
        page.items.push_back(RectItem{QRectF(40, 220, 100, 50), 1.5, Qt::blue, Qt::transparent});
        page.items.push_back(ImageItem{QRectF(50, 300, 131, 139), pic});
        doc.pages.push_back(page);
    }
    return doc;
}

class ReportFileTest : public ::testing::Test {
protected:
    QTemporaryDir tmp;

    void SetUp() override { setSaveFaultForTest(SaveFault::None); }
    void TearDown() override { setSaveFaultForTest(SaveFault::None); }

    QString path(const QString &name) const { return tmp.filePath(name); }

    void write(const QString &name, const QByteArray &bytes) const
    {
        QFile f(path(name));
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(bytes);
    }

    // The kind of the refusal; fails the test when the file loads.
    ReportFileError::Kind refusal(const QString &name, QString *message = nullptr) const
    {
        try {
            loadDocument(path(name));
        } catch (const ReportFileError &e) {
            if (message)
                *message = e.message();
            return e.kind();
        }
        ADD_FAILURE() << "loaded " << name.toStdString();
        return ReportFileError::Kind::CannotOpen;
    }

    // A plain file of the sample whose JSON the caller changes.
    QString edited(const std::function<void(QJsonObject &)> &edit) const
    {
        QJsonObject root = QJsonDocument::fromJson(encodeDocumentVersion1(sampleDocument(), false)).object();
        edit(root);
        const QString name = QStringLiteral("edited.QRP");
        write(name, QJsonDocument(root).toJson());
        return name;
    }
};

QJsonObject &firstItem(QJsonObject &root, QJsonObject &scratch, int index = 1)
{
    scratch = root[QStringLiteral("pages")].toArray()[0].toObject()[QStringLiteral("items")].toArray()[index].toObject();
    return scratch;
}

void putFirstItem(QJsonObject &root, const QJsonObject &item, int index = 1)
{
    QJsonArray pages = root[QStringLiteral("pages")].toArray();
    QJsonObject page = pages[0].toObject();
    QJsonArray items = page[QStringLiteral("items")].toArray();
    items[index] = item;
    page[QStringLiteral("items")] = items;
    pages[0] = page;
    root[QStringLiteral("pages")] = pages;
}

} // namespace

TEST_F(ReportFileTest, EveryItemSurvivesSaveAndLoad)
{
    const Document doc = sampleDocument();
    saveDocument(doc, path(QStringLiteral("a.QRP")));
    saveDocument(doc, path(QStringLiteral("b.QRP")), false);
    EXPECT_EQ(loadDocument(path(QStringLiteral("a.QRP"))), doc);
    EXPECT_EQ(loadDocument(path(QStringLiteral("b.QRP"))), doc);

    Document empty;
    empty.pageSizeMm = QSizeF(297, 210);
    saveDocument(empty, path(QStringLiteral("e.QRP")));
    EXPECT_EQ(loadDocument(path(QStringLiteral("e.QRP"))), empty);
}

// A loaded file keeps its pages packed until they are asked for; saved
// again, it is the same file.
// A save that fails while a batch of its sections is packed or written, on
// the one thread of a small report or a helper of a large one, ends with the
// save's message; the earlier file stays byte for byte and nothing else is
// left beside it.
TEST_F(ReportFileTest, AFailedSaveLeavesTheEarlierFile)
{
    const Document small = sampleDocument();
    Document many;
    for (int p = 0; p < 40; ++p) {
        Page page;
        for (int i = 0; i < 3000; ++i)
            page.items.push_back(TextRun{QString::number(p * 3000 + i), ReportFont{}, Qt::LeftToRight, Qt::AlignLeft,
                                         QRectF(i % 50 * 14, i / 50 * 17, 40, 15)});
        many.pages.push_back(page);
    }
    const Document &large = many;
    ASSERT_GT(packingThreads(6 << 20), 1);
    const QByteArray earlier = encodeDocument(small);
    write(QStringLiteral("r.QRP"), earlier);
    for (const Document *doc : {&small, &large})
        for (SaveFault fault : {SaveFault::Allocation, SaveFault::Compression, SaveFault::Writing}) {
            setSaveFaultForTest(fault, doc == &small ? 0 : 3);
            QString message;
            try {
                saveDocument(*doc, path(QStringLiteral("r.QRP")));
            } catch (const ReportFileError &e) {
                message = e.message();
            }
            EXPECT_TRUE(message.startsWith(QStringLiteral("فايل گزارش ذخيره نشد"))) << int(fault) << ' ' << message.toStdString();
            // Memory running out on a packing thread is told as such.
            if (fault == SaveFault::Allocation) {
                EXPECT_TRUE(message.endsWith(QStringLiteral("(حافظه كافي نيست)"))) << message.toStdString();
            }
            QFile f(path(QStringLiteral("r.QRP")));
            ASSERT_TRUE(f.open(QIODevice::ReadOnly));
            EXPECT_EQ(f.readAll(), earlier);
            EXPECT_EQ(QDir(tmp.path()).entryList(QDir::Files | QDir::Hidden), QStringList{"r.QRP"});
        }
    setSaveFaultForTest(SaveFault::None);
    saveDocument(large, path(QStringLiteral("r.QRP")));
    EXPECT_EQ(loadDocument(path(QStringLiteral("r.QRP"))).pages.size(), 40);
}

TEST_F(ReportFileTest, ALoadedFileSavedAgainIsTheSameFile)
{
    for (bool compress : {true, false}) {
        const QByteArray file = encodeDocument(sampleDocument(), compress);
        const Document loaded = decodeDocument(file);
        for (qsizetype p = 0; p < loaded.pages.size(); ++p)
            EXPECT_FALSE(loaded.pages.isHeld(p)) << p;
        EXPECT_EQ(loaded, sampleDocument());
        EXPECT_EQ(encodeDocument(loaded, compress), file) << compress;
    }
}

TEST_F(ReportFileTest, LayoutIsReadableByAShortScriptAndStoresEachTextOnce)
{
    Document doc = sampleDocument();
    Page second = doc.pages[1];
    for (int i = 0; i < 50; ++i)
        second.items.push_back(TextRun{QStringLiteral("ضريب انتقال حرارت"), ReportFont{}, Qt::RightToLeft,
                                       Qt::AlignLeft, QRectF(10, 10 + i, 40, 15)});
    doc.pages.replace(1, second);
    const QByteArray file = encodeDocument(doc, true);
    ASSERT_TRUE(file.startsWith("BRVQRPBN"));
    EXPECT_EQ(qFromLittleEndian<quint32>(file.constData() + 8), 2u);
    QString kinds;
    QByteArray raw; // every section unpacked, one after another
    int pageSections = 0;
    for (qsizetype at = 12; at < file.size();) {
        const char kind = file[at];
        const quint32 packed = qFromLittleEndian<quint32>(file.constData() + at + 2);
        const quint32 unpacked = qFromLittleEndian<quint32>(file.constData() + at + 6);
        QByteArray body = file.mid(at + 10, packed);
        if (file[at + 1] == 1) {
            QByteArray withLength(4, '\0');
            qToBigEndian<quint32>(unpacked, withLength.data());
            body = qUncompress(withLength + body);
        }
        EXPECT_EQ(quint32(body.size()), unpacked) << kind;
        if (kind == 'P') {
            ++pageSections;
            EXPECT_EQ(qFromLittleEndian<quint32>(body.constData()), quint32(doc.pages[pageSections - 1].items.size()));
        }
        kinds += QLatin1Char(kind);
        raw += body;
        at += 10 + packed;
    }
    EXPECT_EQ(kinds, QStringLiteral("HSFIPPPE"));
    EXPECT_EQ(raw.count(QStringLiteral("ضريب انتقال حرارت").toUtf8()), 1);
    EXPECT_EQ(raw.count(QByteArray("Titr")), 1);
    EXPECT_EQ(encodeDocument(doc, false).count(QStringLiteral("ضريب انتقال حرارت").toUtf8()), 1);
    EXPECT_EQ(decodeDocument(file), doc);
}

// Files written by the previous version of the program.
TEST_F(ReportFileTest, FilesOfTheFirstVersionStillLoad)
{
    const QString dir = QStringLiteral(SOURCE_ROOT "/tests/platform/report/fixtures/");
    for (const char *name : {"today-packed.QRP", "today-plain.QRP"}) {
        const Document doc = loadDocument(dir + QLatin1String(name));
        ASSERT_EQ(doc.pages.size(), 3) << name;
        EXPECT_EQ(doc.pageSizeMm, QSizeF(297, 210));
        EXPECT_TRUE(doc.pages[2].items.isEmpty());
        const Page &page = doc.pages[0];
        ASSERT_EQ(page.items.size(), 7);
        EXPECT_EQ(std::get<RectItem>(page.items[0]), (RectItem{QRectF(38, 38, 718, 100), 0, Qt::transparent, QColor(240, 240, 240)}));
        EXPECT_EQ(std::get<TextRun>(page.items[1]),
                  (TextRun{QStringLiteral("قطر كلكتور 1"), ReportFont{QStringLiteral("Titr"), 12.5, true, true, QColor(255, 0, 0)},
                           Qt::RightToLeft, Qt::AlignRight, QRectF(100.25, 50.5, 300, 21.75)}));
        EXPECT_EQ(std::get<TextRun>(page.items[3]),
                  (TextRun{QStringLiteral("(Btu/h) \"q\" \\ ok"),
                           ReportFont{QStringLiteral("Traffic"), 9.75, false, false, QColor(0, 0, 255, 200)},
                           Qt::LeftToRight, Qt::AlignLeft, QRectF(10, 30, 40, 15)}));
        EXPECT_EQ(std::get<LineItem>(page.items[4]), (LineItem{QPointF(38, 200), QPointF(756, 200.5), 2.0, Qt::black}));
        const QImage pic = std::get<ImageItem>(page.items[6]).image;
        EXPECT_EQ(pic.size(), QSize(6, 4));
        EXPECT_EQ(pic.pixelColor(1, 1), QColor(255, 0, 0));
        EXPECT_EQ(pic.pixelColor(0, 0), QColor(10, 200, 30, 128));
        // Saved again, it is the same in the new version.
        EXPECT_EQ(decodeDocument(encodeDocument(doc)), doc);
    }
}

// A file the second version wrote before its pages were written as they
// came loads as it was saved, and the same pages are written to the byte as
// it was.
TEST_F(ReportFileTest, FilesOfTheSecondVersionLoadAndAreWrittenAlike)
{
    QFile fixture(QStringLiteral(SOURCE_ROOT "/tests/platform/report/fixtures/second-version.QRP"));
    ASSERT_TRUE(fixture.open(QIODevice::ReadOnly));
    const QByteArray bytes = fixture.readAll();
    Document doc = sampleDocument();
    doc.pageSizeMm = QSizeF(297, 210);
    EXPECT_EQ(decodeDocument(bytes), doc);
    EXPECT_EQ(encodeDocument(doc), bytes);
    saveDocument(doc, path(QStringLiteral("again.QRP")));
    QFile again(path(QStringLiteral("again.QRP")));
    ASSERT_TRUE(again.open(QIODevice::ReadOnly));
    EXPECT_EQ(again.readAll(), bytes);
}

// A report of thousands of pages is packed on several threads while it is
// written: every page comes back in its place.
TEST_F(ReportFileTest, ManyPagesPackedWhileWrittenLoadBackInOrder)
{
    Document doc;
    for (int p = 0; p < 2500; ++p) {
        Page page;
        for (int i = 0; i < 40; ++i)
            page.items.push_back(TextRun{QStringLiteral("صفحه %1 سطر %2").arg(p).arg(i), ReportFont{}, Qt::RightToLeft,
                                         Qt::AlignRight, QRectF(10 + i, 20 + p % 97, 300, 20)});
        doc.pages.push_back(page);
    }
    const QByteArray file = encodeDocument(doc);
    EXPECT_EQ(decodeDocument(file), doc);
    saveDocument(doc, path(QStringLiteral("many.QRP")));
    EXPECT_EQ(loadDocument(path(QStringLiteral("many.QRP"))), doc);
}

TEST_F(ReportFileTest, CutShortOrGarbledFilesAreRefusedAsDamaged)
{
    for (bool compress : {true, false}) {
        const QByteArray whole = encodeDocument(sampleDocument(), compress);
        const int step = std::max<int>(1, whole.size() / 97);
        for (int cut = 1; cut < whole.size(); cut += step) {
            write(QStringLiteral("cut.QRP"), whole.left(cut));
            const auto kind = refusal(QStringLiteral("cut.QRP"));
            // Only a stub too short to show what the file is reads as foreign.
            if (cut >= 40)
                EXPECT_EQ(kind, ReportFileError::Kind::Damaged) << compress << " cut " << cut;
            else
                EXPECT_TRUE(kind == ReportFileError::Kind::Damaged || kind == ReportFileError::Kind::Foreign);
        }
    }
    QByteArray flipped = encodeDocument(sampleDocument(), true);
    flipped[flipped.size() / 2] = char(flipped[flipped.size() / 2] ^ 0x5a);
    write(QStringLiteral("flip.QRP"), flipped);
    QString msg;
    EXPECT_EQ(refusal(QStringLiteral("flip.QRP"), &msg), ReportFileError::Kind::Damaged);
    EXPECT_TRUE(msg.startsWith(QStringLiteral("فايل گزارش خراب يا ناقص است"))) << msg.toStdString();
    EXPECT_TRUE(msg.contains(path(QStringLiteral("flip.QRP"))));

    // A length that promises far more than the compressed bytes can hold.
    QByteArray huge = encodeDocumentVersion1(sampleDocument(), true);
    qToBigEndian<quint32>(0x3fffffff, huge.data() + 8);
    write(QStringLiteral("huge.QRP"), huge);
    EXPECT_EQ(refusal(QStringLiteral("huge.QRP")), ReportFileError::Kind::Damaged);
}

// A bad section is named where it stands, and a text that a save would
// write as another is refused, whichever version holds it.
TEST_F(ReportFileTest, MessagesNameTheBadSectionAndBrokenTextsAreRefused)
{
    const QByteArray plain = encodeDocument(sampleDocument(), false);
    auto replaced = [&](const QByteArray &what, const QByteArray &with) {
        QByteArray b = plain;
        const qsizetype at = b.indexOf(what);
        return b.replace(at, with.size(), with);
    };
    QByteArray surrogate = encodeDocumentVersion1(sampleDocument(), false);
    surrogate.replace("(Btu/h)", "(B\\ud800h)");
    const struct {
        const char *what;
        QByteArray file;
        const char *place;
    } cases[] = {
        {"a picture before the pages", replaced("\x89PNG", "\x89PNX"), "(تصوير 1: "},
        {"bytes that are no UTF-8", replaced("Btu", "\xED\xA0\x80"), "(متن هاي فايل: متن 5 "},
        {"a lone surrogate", surrogate, "(صفحه 1، مورد 4: متن آن "},
    };
    for (const auto &c : cases) {
        write(QStringLiteral("bad.QRP"), c.file);
        QString msg;
        EXPECT_EQ(refusal(QStringLiteral("bad.QRP"), &msg), ReportFileError::Kind::Damaged) << c.what;
        EXPECT_TRUE(msg.contains(QString::fromUtf8(c.place))) << c.what << ": " << msg.toStdString();
    }
}

TEST_F(ReportFileTest, EveryFieldIsChecked)
{
    QJsonObject scratch;
    struct Case {
        const char *what;
        std::function<void(QJsonObject &)> edit;
    };
    const std::vector<Case> cases{
        {"missing rect", [&](QJsonObject &r) { auto &i = firstItem(r, scratch); i.remove("rect"); putFirstItem(r, i); }},
        {"rect of three", [&](QJsonObject &r) { auto &i = firstItem(r, scratch); i["rect"] = QJsonArray{1, 2, 3}; putFirstItem(r, i); }},
        {"negative width", [&](QJsonObject &r) { auto &i = firstItem(r, scratch); i["rect"] = QJsonArray{1, 2, -3, 4}; putFirstItem(r, i); }},
        {"text not a text", [&](QJsonObject &r) { auto &i = firstItem(r, scratch); i["text"] = 5; putFirstItem(r, i); }},
        {"font size 0", [&](QJsonObject &r) { auto &i = firstItem(r, scratch); auto f = i["font"].toObject(); f["size"] = 0; i["font"] = f; putFirstItem(r, i); }},
        {"bold as text", [&](QJsonObject &r) { auto &i = firstItem(r, scratch); auto f = i["font"].toObject(); f["bold"] = "yes"; i["font"] = f; putFirstItem(r, i); }},
        {"direction", [&](QJsonObject &r) { auto &i = firstItem(r, scratch); i["direction"] = "up"; putFirstItem(r, i); }},
        {"alignment", [&](QJsonObject &r) { auto &i = firstItem(r, scratch); i["align"] = "justify"; putFirstItem(r, i); }},
        {"colour", [&](QJsonObject &r) { auto &i = firstItem(r, scratch); i["color"] = "red"; putFirstItem(r, i); }},
        {"item kind", [&](QJsonObject &r) { auto &i = firstItem(r, scratch); i["type"] = "circle"; putFirstItem(r, i); }},
        {"item not object", [&](QJsonObject &r) { QJsonObject dummy; putFirstItem(r, dummy); auto p = r["pages"].toArray(); auto pg = p[0].toObject(); auto it = pg["items"].toArray(); it[1] = 3; pg["items"] = it; p[0] = pg; r["pages"] = p; }},
        {"line end", [&](QJsonObject &r) { auto &i = firstItem(r, scratch, 4); i["to"] = QJsonArray{1}; putFirstItem(r, i, 4); }},
        {"huge coordinate", [&](QJsonObject &r) { auto &i = firstItem(r, scratch, 4); i["from"] = QJsonArray{1e300, 0}; putFirstItem(r, i, 4); }},
        {"pen width", [&](QJsonObject &r) { auto &i = firstItem(r, scratch, 5); i["penWidth"] = -1; putFirstItem(r, i, 5); }},
        {"image base64", [&](QJsonObject &r) { auto &i = firstItem(r, scratch, 6); i["png"] = "@@@@"; putFirstItem(r, i, 6); }},
        {"image not png", [&](QJsonObject &r) { auto &i = firstItem(r, scratch, 6); i["png"] = QString::fromLatin1(QByteArray("GIF89a not really").toBase64()); putFirstItem(r, i, 6); }},
        {"page size", [&](QJsonObject &r) { r["page"] = QJsonObject{{"width", 0}, {"height", 297}}; }},
        {"pages not list", [&](QJsonObject &r) { r["pages"] = 3; }},
        {"version text", [&](QJsonObject &r) { r["version"] = "1"; }},
        {"version fraction", [&](QJsonObject &r) { r["version"] = 0.5; }},
    };
    for (const Case &c : cases) {
        QString msg;
        EXPECT_EQ(refusal(edited(c.edit), &msg), ReportFileError::Kind::Damaged) << c.what;
        EXPECT_FALSE(msg.isEmpty()) << c.what;
    }
    // The message says where the fault lies.
    QString msg;
    refusal(edited(cases[0].edit), &msg);
    EXPECT_TRUE(msg.contains(QStringLiteral("(صفحه 1، مورد 2: كادر آن نيامده است)"))) << msg.toStdString();
}

TEST_F(ReportFileTest, ForeignNewerAndMissingFilesAreRefused)
{
    QImage img(4, 4, QImage::Format_RGB32);
    img.fill(Qt::white);
    ASSERT_TRUE(img.save(path(QStringLiteral("picture.QRP")), "PNG"));
    EXPECT_EQ(refusal(QStringLiteral("picture.QRP")), ReportFileError::Kind::Foreign);

    write(QStringLiteral("text.QRP"), "TQRPFile 3.0 some other program's report\n");
    EXPECT_EQ(refusal(QStringLiteral("text.QRP")), ReportFileError::Kind::Foreign);
    write(QStringLiteral("empty.QRP"), QByteArray());
    EXPECT_EQ(refusal(QStringLiteral("empty.QRP")), ReportFileError::Kind::Foreign);
    write(QStringLiteral("other.QRP"), R"({"format": "Something else", "version": 1})");
    QString msg;
    EXPECT_EQ(refusal(QStringLiteral("other.QRP"), &msg), ReportFileError::Kind::Foreign);
    EXPECT_TRUE(msg.startsWith(QStringLiteral("اين فايل، فايل گزارش نيست")));
    write(QStringLiteral("list.QRP"), "[1, 2, 3]");
    EXPECT_EQ(refusal(QStringLiteral("list.QRP")), ReportFileError::Kind::Foreign);

    // A version that could follow ours is newer; the second version, which
    // is no JSON, or a number no version reaches, is damage.
    EXPECT_EQ(refusal(edited([](QJsonObject &r) { r["version"] = 3; })), ReportFileError::Kind::NewerVersion);
    EXPECT_EQ(refusal(edited([](QJsonObject &r) { r["version"] = 2; })), ReportFileError::Kind::Damaged);
    EXPECT_EQ(refusal(edited([](QJsonObject &r) { r["version"] = 1013818839; })), ReportFileError::Kind::Damaged);

    EXPECT_EQ(refusal(QStringLiteral("missing.QRP"), &msg), ReportFileError::Kind::CannotOpen);
    EXPECT_TRUE(msg.contains(path(QStringLiteral("missing.QRP"))));

    try {
        saveDocument(sampleDocument(), path(QStringLiteral("no/such/folder/x.QRP")));
        ADD_FAILURE() << "saved into a missing folder";
    } catch (const ReportFileError &e) {
        EXPECT_EQ(e.kind(), ReportFileError::Kind::CannotWrite);
    }
}

TEST_F(ReportFileTest, SavedPagesPrintToPdfWithTheirPaperSize)
{
    saveDocument(sampleDocument(), path(QStringLiteral("s.QRP")));
    const Document doc = loadDocument(path(QStringLiteral("s.QRP")));
    const QString pdf = path(QStringLiteral("s.pdf"));
    {
        QPrinter printer(QPrinter::HighResolution);
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(pdf);
        ASSERT_TRUE(printDocument(doc, &printer));
    }
    QFile f(pdf);
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    const QByteArray bytes = f.readAll();
    EXPECT_TRUE(bytes.startsWith("%PDF"));
    const QString text = QString::fromLatin1(bytes);
    EXPECT_EQ(text.count(QRegularExpression(QStringLiteral("/Type\\s*/Page\\b(?!s)"))), 3);
    EXPECT_TRUE(text.contains(QRegularExpression(QStringLiteral("/MediaBox \\[0 0 595(\\.\\d+)? 84[12](\\.\\d+)?\\]"))));

    // A page range prints only those pages.
    const QString two = path(QStringLiteral("two.pdf"));
    {
        QPrinter printer(QPrinter::HighResolution);
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(two);
        printer.setPrintRange(QPrinter::PageRange);
        printer.setFromTo(2, 3);
        ASSERT_TRUE(printDocument(doc, &printer));
    }
    QFile f2(two);
    ASSERT_TRUE(f2.open(QIODevice::ReadOnly));
    EXPECT_EQ(QString::fromLatin1(f2.readAll()).count(QRegularExpression(QStringLiteral("/Type\\s*/Page\\b(?!s)"))), 2);
}
