#include "platform/report/ReportFile.h"

#include <QBuffer>
#include <QCryptographicHash>
#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QImageReader>
#include <QSaveFile>
#include <QScopeGuard>
#include <QSet>
#include <QtEndian>

#include <zlib.h>

#include <algorithm>
#include <array>
#include <atomic>
#include <cerrno>
#include <charconv>
#include <cmath>
#include <condition_variable>
#include <csignal>
#include <cstdio>
#include <cstring>
#include <deque>
#include <limits>
#include <new>
#include <mutex>
#include <optional>
#include <thread>

namespace pf::report {

namespace {

const QByteArray kMagic = QByteArrayLiteral("BRVQRPZ1");   // version 1, packed
const QByteArray kMagic2 = QByteArrayLiteral("BRVQRPBN");  // version 2 on
const QString kFormat = QStringLiteral("Boravest report");

// Packed data that unpacks to more than this many times its size, once past
// kRatioFloor bytes, is a trap rather than a report: real reports pack 5 to
// 20 to 1, zlib at most about 1000 to 1.
constexpr qint64 kRatioFloor = qint64(16) << 20;
constexpr qint64 kMaxRatio = 200;
// The JSON text of a version 1 file (its stated length has 32 bits).
constexpr qint64 kMaxJsonBytes = (qint64(1) << 32) - 1;
// Values no report holds: beyond them a file is damaged.
constexpr double kMaxCoordinate = 1.0e6; // pixels
constexpr double kMaxPageMm = 10000.0;
constexpr double kMaxFontPoints = 1000.0;
constexpr double kMaxPenWidth = 1000.0;
constexpr int kMaxFamilyLength = 256;
// A picture's colour profile, unpacked; one larger is left out.
constexpr qint64 kMaxProfileBytes = qint64(1) << 20;

// ---------------------------------------------------------------- messages

const QString kDamaged = QStringLiteral("فايل گزارش خراب يا ناقص است");
const QString kForeign = QStringLiteral("اين فايل، فايل گزارش نيست");
const QString kNewer = QStringLiteral("اين فايل گزارش با نسخه جديدتري از برنامه ساخته شده است");
const QString kBeyond = QStringLiteral("اين فايل گزارش از حدي كه برنامه باز مي كند فراتر است");
const QString kCannotOpen = QStringLiteral("فايل گزارش باز نشد");
const QString kCannotWrite = QStringLiteral("فايل گزارش ذخيره نشد");
const QString kTooLarge = QStringLiteral("اين گزارش براي ذخيره در يك فايل بيش از حد بزرگ است");

// Every reason a message gives, and every place it names. Limits come
// between FirstLimit and LastLimit.
enum class Why {
    None,
    // places
    File, Page, Item, Picture, Texts, Styles, Heading, End, Font, PageSize,
    // fields of a version 1 file
    FieldType, FieldText, FieldFont, FieldFamily, FieldSize, FieldBold, FieldUnderline, FieldColor,
    FieldDirection, FieldAlign, FieldRect, FieldFrom, FieldTo, FieldWidth, FieldPenWidth, FieldPenColor,
    FieldFill, FieldPng, FieldFormat, FieldVersion, FieldPage, FieldPages, FieldItems, FieldHeight,
    // damage
    CutShort, UnknownPacking, ImpossibleLength, Unreadable, EndsEarly, LongerThanContent, NoHeading,
    PaperSize, MoreThanHeading, BrokenText, StyleNamesMissing, StyleGarbled, PageBeforeTexts,
    MissingStringOrStyle, TextBoxOutOfRange, LineOutOfRange, RectOutOfRange, PictureBoxOutOfRange,
    MissingPicture, UnknownItem, UnknownType, UnknownSection, EndNotEmpty, PagesMissing, DataAfterEnd, BadVersion,
    NotAPicture, PictureDataBeyond, FontSizeOutOfRange, FamilyTooLong, FieldMissing, FieldTwice,
    FieldNotNumber, FieldOutOfRange, FieldNotText, FieldTooLong, FieldBrokenCharacter, FieldNotBool,
    FieldNotColor, FieldNotList, FieldWrongCount, FieldNotObject, NotAnObject, UnknownDirection,
    UnknownAlignment, PictureNotBase64, JsonBroken, ContentLonger, ImpossibleContentLength,
    ContentNotReport, PageSizeFirst, NestedTooDeep,
    // not a report file
    NoFormatMark, UnknownKind,
    // a newer version
    Version,
    // limits
    FirstLimit,
    Pages = FirstLimit, ItemsOnPage, Items, TextTooLong, PageCharacters, PageTexts, PageStyles, Strings,
    Styles_, Pictures, PictureSide, PictureMemory, PictureBytes, PicturesHeld, SectionBytes, PageFull, Ratio, JsonBytes,
    PaintLayers,
    LastLimit = PaintLayers,
    // causes of a failed save or open
    ValueOutOfRange, PictureNotStored, DiskFull, FileTooBig, NoPermission, ReadOnlyDisk, NoFolder, IsFolder,
    NoMemory, PackingFailed, WriteFailed, Unexpected, NotFound, NoReadPermission, ReadFailed,
    Count
};

bool isLimit(Why w) { return w >= Why::FirstLimit && w <= Why::LastLimit; }

QString phrase(Why w)
{
    switch (w) {
    case Why::None: return QString();
    case Why::File: return QStringLiteral("فايل");
    case Why::Page: return QStringLiteral("صفحه %1");
    case Why::Item: return QStringLiteral("مورد %1");
    case Why::Picture: return QStringLiteral("تصوير %1");
    case Why::Texts: return QStringLiteral("متن هاي فايل");
    case Why::Styles: return QStringLiteral("شيوه هاي متن فايل");
    case Why::Heading: return QStringLiteral("سرآغاز فايل");
    case Why::End: return QStringLiteral("پايان فايل");
    case Why::Font: return QStringLiteral("قلم");
    case Why::PageSize: return QStringLiteral("اندازه كاغذ");
    case Why::FieldType: return QStringLiteral("نوع");
    case Why::FieldText: return QStringLiteral("متن");
    case Why::FieldFont: return QStringLiteral("قلم");
    case Why::FieldFamily: return QStringLiteral("نام قلم");
    case Why::FieldSize: return QStringLiteral("اندازه");
    case Why::FieldBold: return QStringLiteral("پررنگي");
    case Why::FieldUnderline: return QStringLiteral("زيرخط");
    case Why::FieldColor: return QStringLiteral("رنگ");
    case Why::FieldDirection: return QStringLiteral("جهت");
    case Why::FieldAlign: return QStringLiteral("ترازبندي");
    case Why::FieldRect: return QStringLiteral("كادر");
    case Why::FieldFrom: return QStringLiteral("سر آغاز خط");
    case Why::FieldTo: return QStringLiteral("سر پايان خط");
    case Why::FieldWidth: return QStringLiteral("پهنا");
    case Why::FieldPenWidth: return QStringLiteral("پهناي خط دور");
    case Why::FieldPenColor: return QStringLiteral("رنگ خط دور");
    case Why::FieldFill: return QStringLiteral("رنگ درون");
    case Why::FieldPng: return QStringLiteral("تصوير");
    case Why::FieldFormat: return QStringLiteral("نشان قالب");
    case Why::FieldVersion: return QStringLiteral("نسخه");
    case Why::FieldPage: return QStringLiteral("اندازه كاغذ");
    case Why::FieldPages: return QStringLiteral("صفحه ها");
    case Why::FieldItems: return QStringLiteral("موردها");
    case Why::FieldHeight: return QStringLiteral("بلندي");
    case Why::CutShort: return QStringLiteral("فايل پيش از پايانش بريده شده است");
    case Why::UnknownPacking: return QStringLiteral("شيوه فشرده سازي آن شناخته نيست");
    case Why::ImpossibleLength: return QStringLiteral("اندازه اش ناممكن است");
    case Why::Unreadable: return QStringLiteral("محتواي فشرده اش خوانده نمي شود");
    case Why::EndsEarly: return QStringLiteral("زودتر از محتوايش تمام مي شود");
    case Why::LongerThanContent: return QStringLiteral("بلندتر از محتوايش است");
    case Why::NoHeading: return QStringLiteral("سرآغاز فايل نيامده است");
    case Why::PaperSize: return QStringLiteral("اندازه كاغذ بيرون از اندازه هاي ممكن است");
    case Why::MoreThanHeading: return QStringLiteral("بيش از شماري است كه سرآغاز فايل مي گويد");
    case Why::BrokenText: return QStringLiteral("متن %1 بايت هايي دارد كه نويسه نيستند");
    case Why::StyleNamesMissing: return QStringLiteral("شيوه متني از متني ناموجود نام مي برد");
    case Why::StyleGarbled: return QStringLiteral("شيوه متني درهم است");
    case Why::PageBeforeTexts: return QStringLiteral("صفحه اي پيش از متن ها و تصويرهايش آمده است");
    case Why::MissingStringOrStyle: return QStringLiteral("متني از متن يا شيوه اي ناموجود نام مي برد");
    case Why::TextBoxOutOfRange: return QStringLiteral("كادر متن بيرون از اندازه هاي ممكن است");
    case Why::LineOutOfRange: return QStringLiteral("خط بيرون از اندازه هاي ممكن است");
    case Why::RectOutOfRange: return QStringLiteral("مستطيل بيرون از اندازه هاي ممكن است");
    case Why::PictureBoxOutOfRange: return QStringLiteral("كادر تصوير بيرون از اندازه هاي ممكن است");
    case Why::MissingPicture: return QStringLiteral("از تصويري ناموجود نام مي برد");
    case Why::UnknownItem: return QStringLiteral("نوع مورد، %1، شناخته نيست");
    case Why::UnknownType: return QStringLiteral("نوع مورد شناخته نيست");
    case Why::UnknownSection: return QStringLiteral("بخشي ناشناخته آمده است");
    case Why::EndNotEmpty: return QStringLiteral("بخش پايان خالي نيست");
    case Why::PagesMissing: return QStringLiteral("صفحه هايي كم است");
    case Why::DataAfterEnd: return QStringLiteral("پس از پايان فايل باز هم داده هست");
    case Why::BadVersion: return QStringLiteral("شماره نسخه فايل، %1، نادرست است");
    case Why::NotAPicture: return QStringLiteral("تصوير خوانا نيست");
    case Why::PictureDataBeyond: return QStringLiteral("داده تصوير بيش از نقطه هاي آن است");
    case Why::FontSizeOutOfRange: return QStringLiteral("اندازه قلم بيرون از اندازه هاي ممكن است");
    case Why::FamilyTooLong: return QStringLiteral("نام قلم بيش از %1 نويسه است");
    case Why::FieldMissing: return QStringLiteral("%1 آن نيامده است");
    case Why::FieldTwice: return QStringLiteral("%1 آن دو بار آمده است");
    case Why::FieldNotNumber: return QStringLiteral("%1 آن عدد نيست");
    case Why::FieldOutOfRange: return QStringLiteral("%1 آن بيرون از اندازه هاي ممكن است");
    case Why::FieldNotText: return QStringLiteral("%1 آن متن نيست");
    case Why::FieldTooLong: return QStringLiteral("%1 آن بيش از حد بلند است");
    case Why::FieldBrokenCharacter: return QStringLiteral("%1 آن نويسه اي شكسته دارد");
    case Why::FieldNotBool: return QStringLiteral("%1 آن درست يا نادرست نيست");
    case Why::FieldNotColor: return QStringLiteral("%1 آن رنگ نيست");
    case Why::FieldNotList: return QStringLiteral("%1 آن فهرست نيست");
    case Why::FieldWrongCount: return QStringLiteral("%1 آن شمار نادرستي دارد");
    case Why::FieldNotObject: return QStringLiteral("%1 آن ساختار درستي ندارد");
    case Why::NotAnObject: return QStringLiteral("ساختار درستي ندارد");
    case Why::UnknownDirection: return QStringLiteral("جهت متن شناخته نيست");
    case Why::UnknownAlignment: return QStringLiteral("ترازبندي متن شناخته نيست");
    case Why::PictureNotBase64: return QStringLiteral("تصوير درست نوشته نشده است");
    case Why::JsonBroken: return QStringLiteral("محتواي فايل در بايت %1 مي شكند يا درهم است");
    case Why::ContentLonger: return QStringLiteral("محتوا بلندتر از اندازه گفته شده است");
    case Why::ImpossibleContentLength: return QStringLiteral("اندازه گفته شده محتوا ناممكن است");
    case Why::ContentNotReport: return QStringLiteral("محتواي فايل گزارش نيست");
    case Why::PageSizeFirst: return QStringLiteral("صفحه ها پيش از اندازه كاغذ آمده اند");
    case Why::NestedTooDeep: return QStringLiteral("محتوا در بايت %1 بيش از حد تو در تو است");
    case Why::NoFormatMark: return QStringLiteral("نشان قالب گزارش را ندارد");
    case Why::UnknownKind: return QStringLiteral("نوع فايل شناخته نيست");
    case Why::Version: return QStringLiteral("نسخه %1");
    case Why::Pages: return QStringLiteral("بيش از %1 صفحه");
    case Why::ItemsOnPage: return QStringLiteral("بيش از %1 مورد در يك صفحه");
    case Why::Items: return QStringLiteral("بيش از %1 مورد در همه گزارش");
    case Why::TextTooLong: return QStringLiteral("متني بلندتر از %1 نويسه");
    case Why::PageCharacters: return QStringLiteral("متن هاي يك صفحه روي هم بيش از %1 نويسه");
    case Why::PageTexts: return QStringLiteral("بيش از %1 متن در يك صفحه");
    case Why::PageStyles: return QStringLiteral("بيش از %1 شيوه متن در يك صفحه");
    case Why::Strings: return QStringLiteral("بيش از %1 متن گوناگون");
    case Why::Styles_: return QStringLiteral("بيش از %1 شيوه متن گوناگون");
    case Why::Pictures: return QStringLiteral("بيش از %1 تصوير گوناگون");
    case Why::PictureSide: return QStringLiteral("تصويري پهن تر يا بلندتر از %1 نقطه: %2 در %3 نقطه");
    case Why::PictureMemory:
        return QStringLiteral("تصويرهايي كه صفحه ها نشان مي دهند روي هم بيش از %1 مگابايت حافظه مي گيرند، "
                              "با تصويري %2 در %3 نقطه");
    case Why::PictureBytes: return QStringLiteral("تصويري كه بيش از %1 مگابايت جا مي گيرد");
    case Why::PicturesHeld: return QStringLiteral("تصويرهاي فايل كه روي هم بيش از %1 مگابايت جا مي گيرند");
    case Why::SectionBytes: return QStringLiteral("بخشي كه باز شده بيش از %1 مگابايت مي شود");
    case Why::PageFull: return QStringLiteral("صفحه اي كه بيش از %1 مگابايت جا مي گيرد");
    case Why::Ratio: return QStringLiteral("محتوايي كه باز شده به بيش از %1 برابر اندازه فشرده اش مي رسد");
    case Why::JsonBytes: return QStringLiteral("محتوايي بيش از %1 مگابايت");
    case Why::PaintLayers:
        return QStringLiteral("كشيدن بخشي از صفحه به اندازه بيش از %1 بار پر كردن آن وقت مي گيرد");
    case Why::ValueOutOfRange: return QStringLiteral("مقداري كه در فايل جا نمي گيرد");
    case Why::PictureNotStored: return QStringLiteral("تصويري ذخيره نشد");
    case Why::DiskFull: return QStringLiteral("جاي خالي روي ديسك نمانده است");
    case Why::FileTooBig: return QStringLiteral("فايل از بزرگترين اندازه اي كه سيستم مي پذيرد بزرگتر مي شود");
    case Why::NoPermission: return QStringLiteral("اجازه نوشتن در اين جا نيست");
    case Why::ReadOnlyDisk: return QStringLiteral("ديسك فقط خواندني است");
    case Why::NoFolder: return QStringLiteral("پوشه اين فايل پيدا نشد");
    case Why::IsFolder: return QStringLiteral("اين نام از آن يك پوشه است");
    case Why::NoMemory: return QStringLiteral("حافظه كافي نيست");
    case Why::PackingFailed: return QStringLiteral("داده ها فشرده نشدند");
    case Why::WriteFailed: return QStringLiteral("نوشتن روي ديسك انجام نشد");
    case Why::Unexpected: return QStringLiteral("خطايي پيش بيني نشده پيش آمد");
    case Why::NotFound: return QStringLiteral("فايل پيدا نشد");
    case Why::NoReadPermission: return QStringLiteral("اجازه خواندن اين فايل نيست");
    case Why::ReadFailed: return QStringLiteral("خواندن فايل انجام نشد");
    case Why::Count: break;
    }
    return QString();
}

// A reason with its numbers and, for a field of a version 1 file, the field.
struct Problem {
    Why why = Why::None;
    qint64 a = 0, b = 0, c = 0;
    Why field = Why::None;

    explicit operator bool() const { return why != Why::None; }
    QString text() const
    {
        QString t = phrase(why);
        if (field != Why::None)
            t = t.arg(phrase(field));
        const qint64 numbers[3] = {a, b, c};
        for (const qint64 n : numbers)
            if (t.contains(QLatin1Char('%')))
                t = t.arg(n);
        return t;
    }
};

Problem problem(Why why, qint64 a = 0, qint64 b = 0, qint64 c = 0) { return Problem{why, a, b, c}; }
Problem fieldProblem(Why why, Why field) { return Problem{why, 0, 0, 0, field}; }

// Where an object stands in the file, spelled out only for a complaint: a
// place (the file, a page, a picture, the texts...) with its number, an
// item of a page, and a part of the item.
struct Where {
    Why place = Why::File;
    qint64 number = 0;
    qint64 item = 0; // 1-based; 0: the place itself
    Why part = Why::None;

    QString text() const
    {
        QString s = phrase(place);
        if (s.contains(QLatin1Char('%')))
            s = s.arg(number);
        if (item > 0)
            s += QStringLiteral("، ") + phrase(Why::Item).arg(item);
        if (part != Why::None)
            s += QStringLiteral("، ") + phrase(part);
        return s;
    }
};

Where pageWhere(qint64 page, qint64 item = 0) { return Where{Why::Page, page, item}; }

// The detail of a message: where, and why.
QString detail(const Where &where, const Problem &p)
{
    if (where.place == Why::File && where.item == 0 && where.part == Why::None)
        return QStringLiteral("\n(") + p.text() + QLatin1Char(')');
    return QStringLiteral("\n(") + where.text() + QStringLiteral(": ") + p.text() + QLatin1Char(')');
}

// Refuses the file being read: beyond a limit, or damaged.
[[noreturn]] void refuse(const Where &where, const Problem &p)
{
    if (isLimit(p.why))
        throw ReportFileError(ReportFileError::Kind::BeyondLimits, kBeyond + detail(where, p));
    throw ReportFileError(ReportFileError::Kind::Damaged, kDamaged + detail(where, p));
}

[[noreturn]] void damaged(Why why, qint64 a = 0) { refuse(Where{}, problem(why, a)); }

[[noreturn]] void foreign(Why why)
{
    throw ReportFileError(ReportFileError::Kind::Foreign, kForeign + detail(Where{}, problem(why)));
}

// A version a later program could write is newer; any other is damage.
[[noreturn]] void wrongVersion(qint64 version)
{
    if (version > kReportFileVersion && version <= kLastFollowingVersion)
        throw ReportFileError(ReportFileError::Kind::NewerVersion, kNewer + detail(Where{}, problem(Why::Version, version)));
    damaged(Why::BadVersion, version);
}

// Refuses the report being saved: beyond a limit, or holding a value no
// file can.
[[noreturn]] void refuseSave(const Where &where, const Problem &p)
{
    if (isLimit(p.why))
        throw ReportFileError(ReportFileError::Kind::TooLarge, kTooLarge + detail(where, p));
    throw ReportFileError(ReportFileError::Kind::CannotWrite, kCannotWrite + detail(where, p));
}

// The cause of a failed write, told by the system's error number.
Why writeCause(int error)
{
    switch (error) {
    case ENOSPC:
#ifdef EDQUOT
    case EDQUOT:
#endif
        return Why::DiskFull;
    case EFBIG: return Why::FileTooBig;
    case EACCES:
    case EPERM: return Why::NoPermission;
    case EROFS: return Why::ReadOnlyDisk;
    case ENOENT:
    case ENOTDIR: return Why::NoFolder;
    case EISDIR: return Why::IsFolder;
    case ENOMEM: return Why::NoMemory;
    default: return Why::WriteFailed;
    }
}

QString alignText(Qt::Alignment a)
{
    if (a & Qt::AlignRight)
        return QStringLiteral("right");
    if (a & Qt::AlignHCenter)
        return QStringLiteral("center");
    return QStringLiteral("left");
}

bool inRange(double d, double lo, double hi) { return std::isfinite(d) && d >= lo && d <= hi; }

// Bounds and sizes of an item, on its numbers: a box (x, y, w, h) and a
// line's ends (x1, y1, x2, y2).
bool boxOk(const double *v)
{
    return inRange(v[0], -kMaxCoordinate, kMaxCoordinate) && inRange(v[1], -kMaxCoordinate, kMaxCoordinate) &&
           inRange(v[2], 0, kMaxCoordinate) && inRange(v[3], 0, kMaxCoordinate);
}

bool endsOk(const double *v)
{
    for (int i = 0; i < 4; ++i)
        if (!inRange(v[i], -kMaxCoordinate, kMaxCoordinate))
            return false;
    return true;
}

// What is wrong with a text style's font for a report file.
Problem fontProblem(const ReportFont &font)
{
    if (font.family.size() > kMaxFamilyLength)
        return problem(Why::FamilyTooLong, kMaxFamilyLength);
    if (!inRange(font.pointSize, 0.01, kMaxFontPoints))
        return problem(Why::FontSizeOutOfRange);
    return {};
}

// ---------------------------------------------------------------- pictures

std::atomic<qint64> g_decodedPictureBytes{0};

// What the chunks of a PNG file say of its picture, read without unpacking
// any of them.
struct PictureFacts {
    bool readable = false; // a PNG file whole, of a kind a decoder reads
    quint32 width = 0, height = 0;
    // What the picture takes decoded at most: 4 bytes a pixel (8 at 16 bits
    // a channel), as a QImage holds it, and its colour profile.
    qint64 bytes = 0;
    // Its pixel data unpacked, the filter byte of each row counted.
    qint64 rawBytes = 0;
};

const char kPngSignature[] = "\x89PNG\r\n\x1a\n";

// The chunks of a PNG file, in order: `each(type, data, length)` for each,
// until IEND; false when the file does not hold them whole.
template <class Each> bool walkChunks(const QByteArray &png, Each each)
{
    if (png.size() < 8 || std::memcmp(png.constData(), kPngSignature, 8) != 0)
        return false;
    qsizetype at = 8;
    while (png.size() - at >= 12) {
        const quint32 length = qFromBigEndian<quint32>(png.constData() + at);
        if (length > quint32(png.size() - at - 12))
            return false;
        const char *type = png.constData() + at + 4;
        if (!each(type, png.constData() + at + 8, qsizetype(length), at))
            return false;
        at += 12 + qsizetype(length);
        if (std::memcmp(type, "IEND", 4) == 0)
            return true;
    }
    return false;
}

bool isType(const char *type, const char *name) { return std::memcmp(type, name, 4) == 0; }

// Chunks that draw the picture or say how (its resolution and colour
// space); every other one is left out.
bool drawsThePicture(const char *type)
{
    for (const char *kept : {"IHDR", "PLTE", "tRNS", "IDAT", "IEND", "gAMA", "cHRM", "sRGB", "sBIT", "pHYs", "iCCP"})
        if (isType(type, kept))
            return true;
    return false;
}

PictureFacts pictureFacts(const QByteArray &png)
{
    PictureFacts f;
    quint8 depth = 0, colour = 0, interlace = 0;
    bool header = false, data = false;
    qint64 profile = 0;
    const bool whole = walkChunks(png, [&](const char *type, const char *bytes, qsizetype length, qsizetype at) {
        if (!header) {
            // The header comes first: width, height, bit depth, colour type,
            // compression, filter, interlace.
            if (at != 8 || !isType(type, "IHDR") || length != 13)
                return false;
            f.width = qFromBigEndian<quint32>(bytes);
            f.height = qFromBigEndian<quint32>(bytes + 4);
            depth = quint8(bytes[8]);
            colour = quint8(bytes[9]);
            interlace = quint8(bytes[12]);
            header = true;
            return bytes[10] == 0 && bytes[11] == 0 && interlace <= 1;
        }
        if (isType(type, "IDAT"))
            data = true;
        else if (isType(type, "iCCP"))
            profile += length;
        // A chunk the decoder must know and we do not keep: no picture.
        return (type[0] & 0x20) != 0 || drawsThePicture(type);
    });
    static const int channels[7] = {1, 0, 3, 1, 2, 0, 4};
    const bool depthOk = colour <= 6 && channels[colour] > 0 &&
                         (depth == 8 || depth == 16 ? colour != 3 || depth == 8
                                                    : (depth == 1 || depth == 2 || depth == 4) && (colour == 0 || colour == 3));
    f.readable = whole && header && data && depthOk && f.width > 0 && f.height > 0;
    if (!f.readable)
        return f;
    // Sides past a million pixels are refused by their size alone; the
    // products stay well inside 64 bits below that.
    const quint32 side = 1u << 20;
    if (f.width > side || f.height > side) {
        f.bytes = f.rawBytes = std::numeric_limits<qint64>::max();
        return f;
    }
    // A profile unpacks to at most about a thousand times its size, and is
    // left out past kMaxProfileBytes.
    f.bytes = qint64(f.width) * f.height * (depth > 8 ? 8 : 4) + std::min(kMaxProfileBytes, profile * 1032);
    const qint64 bits = qint64(channels[colour]) * depth;
    auto rows = [&](qint64 w, qint64 h) { return w > 0 && h > 0 ? h * (1 + (w * bits + 7) / 8) : 0; };
    if (interlace == 0) {
        f.rawBytes = rows(f.width, f.height);
    } else {
        // The seven passes of the interlace: where each starts, and its steps.
        static const int pass[7][4] = {{0, 0, 8, 8}, {4, 0, 8, 8}, {0, 4, 4, 8}, {2, 0, 4, 4},
                                       {0, 2, 2, 4}, {1, 0, 2, 2}, {0, 1, 1, 2}};
        for (const auto &p : pass)
            f.rawBytes += rows((qint64(f.width) - p[0] + p[2] - 1) / p[2], (qint64(f.height) - p[1] + p[3] - 1) / p[3]);
    }
    return f;
}

// Why a picture cannot be shown with the pictures shown before it, which
// take `decodedBefore` bytes; none when it can.
Problem pictureProblem(const PictureFacts &f, qint64 decodedBefore, const ReportFileLimits &limits)
{
    if (!f.readable)
        return problem(Why::NotAPicture);
    if (f.width > quint32(limits.maxImageSide) || f.height > quint32(limits.maxImageSide))
        return problem(Why::PictureSide, limits.maxImageSide, f.width, f.height);
    if (f.bytes > limits.maxImageBytes - decodedBefore)
        return problem(Why::PictureMemory, limits.maxImageBytes >> 20, f.width, f.height);
    return {};
}

// Unpacks `in` with zlib into nothing, counting: false when it does not
// unpack, or unpacks to more than `most` bytes. More input may follow.
class Counting {
public:
    Counting() { m_ok = inflateInit(&m_z) == Z_OK; }
    ~Counting() { inflateEnd(&m_z); }
    bool feed(const char *in, qsizetype length, qint64 most)
    {
        unsigned char out[1 << 15];
        m_z.next_in = reinterpret_cast<Bytef *>(const_cast<char *>(in));
        m_z.avail_in = uInt(length);
        while (m_ok && !m_ended && m_z.avail_in > 0) {
            m_z.next_out = out;
            m_z.avail_out = sizeof out;
            const int rc = inflate(&m_z, Z_NO_FLUSH);
            m_total += qint64(sizeof out - m_z.avail_out);
            if (rc == Z_STREAM_END)
                m_ended = true;
            else if (rc != Z_OK && rc != Z_BUF_ERROR)
                m_ok = false;
            if (m_total > most) {
                m_over = true;
                return false;
            }
        }
        return m_ok;
    }
    bool ended() const { return m_ended; }
    bool over() const { return m_over; } // it unpacked to more than it may

private:
    z_stream m_z{};
    bool m_ok = false;
    bool m_ended = false;
    bool m_over = false;
    qint64 m_total = 0;
};

// The picture's file as what draws it (every chunk kept that draws it, its
// colour profile if it unpacks to at most kMaxProfileBytes), its pixel data
// checked to unpack to no more than its pixels take; null with `why` set
// when it cannot be drawn.
QByteArray drawingChunks(const QByteArray &png, const PictureFacts &facts, Why &why)
{
    QByteArray out(kPngSignature, 8);
    Counting pixels;
    bool tooMuch = false;
    walkChunks(png, [&](const char *type, const char *bytes, qsizetype length, qsizetype at) {
        if (!drawsThePicture(type))
            return true;
        if (isType(type, "IDAT") && !pixels.feed(bytes, length, facts.rawBytes)) {
            tooMuch = pixels.over();
            return false;
        }
        if (isType(type, "iCCP")) {
            // The profile's name, a byte for its packing, then the packed profile.
            const char *end = static_cast<const char *>(std::memchr(bytes, 0, size_t(std::min<qsizetype>(length, 80))));
            Counting profile;
            if (!end || end + 2 > bytes + length || !profile.feed(end + 2, bytes + length - end - 2, kMaxProfileBytes) ||
                !profile.ended())
                return true;
        }
        out.append(png.constData() + at, 12 + length);
        return true;
    });
    if (tooMuch || !pixels.ended()) {
        why = tooMuch ? Why::PictureDataBeyond : Why::NotAPicture;
        return QByteArray();
    }
    return out;
}

// The picture of a PNG file whose facts were checked; null with `why` set
// when it cannot be drawn.
QImage decodePicture(const QByteArray &png, const PictureFacts &facts, Why &why)
{
    why = Why::NotAPicture;
    QByteArray drawn = drawingChunks(png, facts, why);
    if (drawn.isEmpty())
        return QImage();
    QBuffer buf(&drawn);
    buf.open(QIODevice::ReadOnly);
    QImageReader reader(&buf, "png");
    QImage img = reader.read();
    g_decodedPictureBytes += img.sizeInBytes();
    return img;
}

// ---------------------------------------------------------------- limits

// Marks the styles a page shows, by their numbers: whether a style is new
// to the page.
struct PageStyles {
    QVector<int> lastPage; // per style, the page that showed it last
    bool isNew(qsizetype style, int page)
    {
        if (style >= lastPage.size())
            lastPage.resize(style + 1, -1);
        if (lastPage[style] == page)
            return false;
        lastPage[style] = page;
        return true;
    }
};

// The limits of a report met item by item, as the readers and the writer
// meet them, with the values no report holds: a page's items, texts and
// styles and what painting it costs, the report's items and what the
// pictures its pages show take decoded.
class PageCheck {
public:
    PageCheck(const ReportFileLimits &limits, QSizeF pageSizePx) : m_limits(limits), m_cover(pageSizePx) {}

    void startPage()
    {
        ++m_page;
        m_items = m_texts = m_characters = m_styles = 0;
        m_cover.clear();
    }
    Problem items(qint64 n)
    {
        m_items += n;
        m_total += n;
        if (m_items > m_limits.maxItemsPerPage)
            return problem(Why::ItemsOnPage, m_limits.maxItemsPerPage);
        if (m_total > m_limits.maxItems)
            return problem(Why::Items, m_limits.maxItems);
        return {};
    }
    // A text of `length` characters in the style numbered `style`; v: its box.
    Problem text(qsizetype length, int lineBreaks, qsizetype style, const double *v, double pixelSize,
                 Qt::Alignment alignment)
    {
        if (!boxOk(v))
            return problem(Why::TextBoxOutOfRange);
        if (++m_texts > m_limits.maxTextsPerPage)
            return problem(Why::PageTexts, m_limits.maxTextsPerPage);
        m_characters += length;
        if (m_characters > m_limits.maxPageTextLength)
            return problem(Why::PageCharacters, m_limits.maxPageTextLength);
        if (m_pageStyles.isNew(style, m_page) && ++m_styles > m_limits.maxStylesPerPage)
            return problem(Why::PageStyles, m_limits.maxStylesPerPage);
        m_cover.addText(QRectF(v[0], v[1], v[2], v[3]), length, lineBreaks, pixelSize, alignment);
        return {};
    }
    // v: the ends and the width.
    Problem line(const double *v)
    {
        if (!endsOk(v) || !inRange(v[4], 0, kMaxPenWidth))
            return problem(Why::LineOutOfRange);
        m_cover.addLine(v[0], v[1], v[2], v[3], v[4]);
        return {};
    }
    // v: the box and the pen's width.
    Problem rect(const double *v, bool filled)
    {
        if (!boxOk(v) || !inRange(v[4], 0, kMaxPenWidth))
            return problem(Why::RectOutOfRange);
        m_cover.addRect(QRectF(v[0], v[1], v[2], v[3]), v[4], filled);
        return {};
    }
    // The picture numbered `picture`, in the box v.
    Problem image(const double *v, qsizetype picture, const PictureFacts &facts)
    {
        if (!boxOk(v))
            return problem(Why::PictureBoxOutOfRange);
        if (picture >= m_shown.size())
            m_shown.resize(picture + 1, false);
        if (!m_shown[picture]) {
            if (const Problem p = pictureProblem(facts, m_pictureBytes, m_limits))
                return p;
            m_pictureBytes += facts.bytes;
            m_shown[picture] = true;
        }
        m_cover.addImage(QRectF(v[0], v[1], v[2], v[3]));
        return {};
    }
    Problem endPage() const
    {
        if (m_cover.layers() > m_limits.maxPaintLayers)
            return problem(Why::PaintLayers, qint64(m_limits.maxPaintLayers));
        return {};
    }
    bool shown(qsizetype picture) const { return picture < m_shown.size() && m_shown[picture]; }

private:
    const ReportFileLimits &m_limits;
    PaintCover m_cover;
    PageStyles m_pageStyles;
    int m_page = -1;
    qint64 m_items = 0, m_total = 0, m_characters = 0;
    int m_texts = 0, m_styles = 0;
    QVector<bool> m_shown;
    qint64 m_pictureBytes = 0;
};

// ---------------------------------------------------------------- version 2: writing

enum : quint8 { kText = 1, kLine = 2, kRect = 3, kImage = 4 };
enum : quint8 { kBold = 1, kUnderline = 2, kRtl = 4 };

class ByteWriter {
public:
    QByteArray out;
    template <class T> void put(T v)
    {
        const T le = qToLittleEndian(v);
        out.append(reinterpret_cast<const char *>(&le), sizeof le);
    }
    void u8(quint8 v) { out.append(char(v)); }
    void u32(quint32 v) { put(v); }
    void u64(quint64 v) { put(v); }
    void f64(double d)
    {
        quint64 bits;
        std::memcpy(&bits, &d, sizeof bits);
        put(bits);
    }
};

quint8 alignCode(Qt::Alignment a)
{
    if (a & Qt::AlignRight)
        return 1;
    if (a & Qt::AlignHCenter)
        return 2;
    return 0;
}

struct StyleKey {
    qint32 family;
    double size;
    quint8 flags;
    quint8 align;
    QRgb color;
    bool operator==(const StyleKey &o) const = default;
};
size_t qHash(const StyleKey &k, size_t seed = 0)
{
    return qHashMulti(seed, k.family, k.size, k.flags, k.align, k.color);
}

std::atomic<int> g_saveFault{int(SaveFault::None)};
std::atomic<int> g_saveFaultBatch{0};
std::atomic<int> g_saveFaultError{0};

[[noreturn]] void cannotSave(Why why)
{
    throw ReportFileError(ReportFileError::Kind::CannotWrite, kCannotWrite + detail(Where{}, problem(why)));
}

// The sections of a file, written in order as they are made. Packing
// happens on helper threads when there is much to pack: sections are handed
// over in batches through a queue of bounded length, and each batch is
// written as soon as it and those before it are packed, so that only a few
// batches are held at any time, whatever the size of the report. Whatever
// fails on a helper (memory, zlib) is caught there and ends the save with
// an error on the thread that saves; nothing leaves a helper.
class SectionStream {
public:
    SectionStream(QIODevice &out, bool compress, int threads) : m_out(out), m_compress(compress)
    {
        ByteWriter head;
        head.u32(quint32(kReportFileVersion));
        put(kMagic2);
        put(head.out);
        // Room for every helper first: a helper is never lost on its way in.
        m_helpers.reserve(size_t(compress ? std::max(0, threads - 1) : 0));
        try {
            for (int t = 1; compress && t < threads; ++t)
                m_helpers.emplace_back([this] { help(); });
        } catch (...) {
            // No more threads: the rest is packed by those there are.
        }
    }

    ~SectionStream() { stop(); }

    void add(char kind, QByteArray raw)
    {
        throwIfFailed();
        if (!m_batch)
            m_batch = std::make_shared<Batch>();
        m_batchBytes += raw.size();
        m_batch->sections.push_back({kind, std::move(raw), QByteArray()});
        if (m_batchBytes >= kBatchBytes || m_batch->sections.size() >= kBatchSections)
            handOver();
    }

    // Writes the end and everything still held; throws when the file could
    // not be packed or written.
    void finish()
    {
        add('E', QByteArray());
        handOver();
        std::unique_lock lock(m_mutex);
        while (!m_inFlight.empty())
            writeFront(lock);
        lock.unlock();
        stop();
        throwIfFailed();
    }

private:
    struct Section {
        char kind;
        QByteArray raw;
        QByteArray packed; // empty: stored as it is
    };
    struct Batch {
        std::vector<Section> sections;
        int number = 0; // from 0, in the order of the file
        bool done = false;
    };
    enum Failure { NoFailure, PackingFailed, OutOfMemory };
    // A batch of about a megabyte: enough for the threads to share out,
    // little enough to keep several in hand.
    static constexpr qint64 kBatchBytes = 1 << 20;
    static constexpr size_t kBatchSections = 256;

    int maxInFlight() const { return 2 * int(m_helpers.size()) + 2; }

    void handOver()
    {
        if (!m_batch)
            return;
        std::shared_ptr<Batch> batch = std::move(m_batch);
        m_batch.reset();
        m_batchBytes = 0;
        batch->number = m_batches++;
        if (m_helpers.empty()) {
            packCaught(*batch);
            batch->done = true;
            std::unique_lock lock(m_mutex);
            m_inFlight.push_back(std::move(batch));
            writeFront(lock);
            return;
        }
        std::unique_lock lock(m_mutex);
        m_queue.push_back(batch);
        m_inFlight.push_back(std::move(batch));
        m_work.notify_one();
        // What is packed is written; too much in hand waits for the oldest.
        while (!m_inFlight.empty() && (m_inFlight.front()->done || int(m_inFlight.size()) > maxInFlight()))
            writeFront(lock);
    }

    // Writes the oldest batch once it is packed (the lock is let go while
    // it is written).
    void writeFront(std::unique_lock<std::mutex> &lock)
    {
        m_done.wait(lock, [&] { return m_inFlight.front()->done; });
        std::shared_ptr<Batch> batch = std::move(m_inFlight.front());
        m_inFlight.pop_front();
        lock.unlock();
        if (batch->number == g_saveFaultBatch && g_saveFault == int(SaveFault::Writing)) {
            m_writeFailed = true;
            m_writeError = g_saveFaultError ? g_saveFaultError.load() : EIO;
        }
        for (Section &s : batch->sections)
            write(s);
        batch.reset();
        lock.lock();
    }

    void throwIfFailed()
    {
        if (m_failure == OutOfMemory)
            cannotSave(Why::NoMemory);
        if (m_failure == PackingFailed)
            cannotSave(Why::PackingFailed);
        if (m_writeFailed)
            cannotSave(writeCause(m_writeError));
    }

    void fail(Failure why)
    {
        int none = NoFailure;
        m_failure.compare_exchange_strong(none, why);
    }

    void help()
    {
        for (;;) {
            std::shared_ptr<Batch> batch;
            {
                std::unique_lock lock(m_mutex);
                m_work.wait(lock, [&] { return m_stopping || !m_queue.empty(); });
                if (m_stopping)
                    return;
                batch = std::move(m_queue.front());
                m_queue.pop_front();
            }
            packCaught(*batch);
            std::lock_guard lock(m_mutex);
            batch->done = true;
            m_done.notify_all();
        }
    }

    void stop()
    {
        {
            std::lock_guard lock(m_mutex);
            m_stopping = true;
        }
        m_work.notify_all();
        for (std::thread &t : m_helpers)
            t.join();
        m_helpers.clear();
    }

    void packCaught(Batch &batch)
    {
        try {
            pack(batch);
        } catch (const std::bad_alloc &) {
            fail(OutOfMemory);
        } catch (...) {
            fail(PackingFailed);
        }
    }

    // Packs every non-empty section with zlib at the packing level; after a
    // failure nothing more is packed.
    void pack(Batch &batch)
    {
        if (!m_compress || m_failure != NoFailure)
            return;
        const bool faulty = batch.number == g_saveFaultBatch;
        if (faulty && g_saveFault == int(SaveFault::Allocation))
            throw std::bad_alloc();
        z_stream z{};
        if (deflateInit(&z, kPackingLevel) != Z_OK || (faulty && g_saveFault == int(SaveFault::Compression))) {
            deflateEnd(&z);
            fail(PackingFailed);
            return;
        }
        // The stream is ended however the packing ends.
        const auto end = qScopeGuard([&] { deflateEnd(&z); });
        for (Section &s : batch.sections) {
            if (s.raw.isEmpty())
                continue;
            QByteArray out(qsizetype(deflateBound(&z, uLong(s.raw.size()))), Qt::Uninitialized);
            z.next_in = reinterpret_cast<Bytef *>(s.raw.data());
            z.avail_in = uInt(s.raw.size());
            z.next_out = reinterpret_cast<Bytef *>(out.data());
            z.avail_out = uInt(out.size());
            if (deflate(&z, Z_FINISH) != Z_STREAM_END) {
                fail(PackingFailed);
                return;
            }
            out.truncate(qsizetype(z.total_out));
            s.packed = std::move(out);
            deflateReset(&z);
        }
    }

    void write(Section &s)
    {
        // A section is stored as it is when packed it would leave the file
        // unpacking to more than kMaxRatio times what it holds so far: what
        // a reader refuses as a trap.
        bool packed = !s.packed.isEmpty();
        if (packed && m_unpacked + s.raw.size() > kMaxRatio * (m_packed + s.packed.size()))
            packed = false;
        const QByteArray &body = packed ? s.packed : s.raw;
        m_unpacked += s.raw.size();
        m_packed += body.size();
        ByteWriter h;
        h.u8(quint8(s.kind));
        h.u8(packed ? 1 : 0);
        h.u32(quint32(body.size()));
        h.u32(quint32(s.raw.size()));
        put(h.out);
        put(body);
    }

    void put(const QByteArray &bytes)
    {
        if (m_writeFailed || bytes.isEmpty())
            return;
        errno = 0;
        if (m_out.write(bytes) != bytes.size()) {
            // What the system said of the write, read before anything else
            // may say otherwise.
            m_writeError = errno;
            m_writeFailed = true;
        }
    }

    QIODevice &m_out;
    bool m_compress;
    std::vector<std::thread> m_helpers;
    std::mutex m_mutex;
    std::condition_variable m_work; // a batch waits to be packed, or the helpers are to stop
    std::condition_variable m_done; // a batch was packed
    std::deque<std::shared_ptr<Batch>> m_queue;    // to be packed
    std::deque<std::shared_ptr<Batch>> m_inFlight; // made and not written yet, in order
    bool m_stopping = false;
    std::atomic<int> m_failure{NoFailure}; // the first failure of packing
    bool m_writeFailed = false;
    int m_writeError = 0; // errno of the failed write
    int m_batches = 0; // handed over
    std::shared_ptr<Batch> m_batch; // being filled
    qint64 m_batchBytes = 0;
    qint64 m_unpacked = 0, m_packed = 0; // of the sections written
};

// Writes the fields of a page's items into a buffer known to be large
// enough.
struct PageWriter {
    char *at;
    explicit PageWriter(char *to) : at(to) {}
    template <class T> void put(T v)
    {
        const T le = qToLittleEndian(v);
        std::memcpy(at, &le, sizeof le);
        at += sizeof le;
    }
    void u8(quint8 v) { *at++ = char(v); }
    void u32(quint32 v) { put(v); }
    void f64(double d)
    {
        quint64 bits;
        std::memcpy(&bits, &d, sizeof bits);
        put(bits);
    }
};

// A document laid out as a file: what is numbered and how large, found in
// a first walk over the pages, which also checks every item against the
// limits, so that a report the file cannot hold is refused before anything
// is written. The pages are then written one after another.
class FilePlan {
public:
    FilePlan(const Document &doc, const ReportFileLimits &limits)
        : m_doc(doc), m_limits(limits), m_check(limits, doc.pageSizePx())
    {
        if (!inRange(doc.pageSizeMm.width(), 1, kMaxPageMm) || !inRange(doc.pageSizeMm.height(), 1, kMaxPageMm))
            cannotSave(Why::PaperSize);
        if (doc.pages.size() > limits.maxPages)
            refuseSave(Where{}, problem(Why::Pages, limits.maxPages));
        m_own.list = &doc.pages;
        m_bytes = 8 + 8 + 4 * 4 + 8;
        for (int p = 0; p < doc.pages.size(); ++p)
            planPage(p);
        m_bytes += 4;
        for (const QString &str : std::as_const(m_strings))
            m_bytes += 4 + str.toUtf8().size();
        m_bytes += qint64(m_styles.size()) * kStyleBytes + 4;
        for (const QByteArray &png : std::as_const(m_images))
            m_bytes += png.size();
    }

    // What the file's sections take unpacked, about.
    qint64 unpackedBytes() const { return m_bytes; }

    void write(QIODevice &out, bool compress)
    {
        SectionStream stream(out, compress, compress ? packingThreads(m_bytes) : 1);
        {
            ByteWriter h;
            h.f64(m_doc.pageSizeMm.width());
            h.f64(m_doc.pageSizeMm.height());
            h.u32(quint32(m_doc.pages.size()));
            h.u32(quint32(m_strings.size()));
            h.u32(quint32(m_styles.size()));
            h.u32(quint32(m_images.size()));
            h.u64(quint64(m_items));
            stream.add('H', h.out);
        }
        // Strings in sections of at most half the section limit.
        ByteWriter sw;
        quint32 inSection = 0;
        auto flushStrings = [&] {
            if (inSection == 0)
                return;
            const quint32 le = qToLittleEndian(inSection);
            std::memcpy(sw.out.data(), &le, sizeof le);
            stream.add('S', std::move(sw.out));
            sw.out = QByteArray();
            inSection = 0;
        };
        for (const QString &str : std::as_const(m_strings)) {
            const QByteArray utf8 = str.toUtf8();
            if (inSection > 0 && sw.out.size() + 4 + utf8.size() > m_limits.maxSectionBytes / 2)
                flushStrings();
            if (inSection == 0)
                sw.u32(0);
            sw.u32(quint32(utf8.size()));
            sw.out.append(utf8);
            ++inSection;
        }
        flushStrings();
        const int stylesPerSection = int((m_limits.maxSectionBytes - 4) / kStyleBytes);
        for (int from = 0; from < m_styles.size(); from += stylesPerSection) {
            const int n = std::min<int>(stylesPerSection, int(m_styles.size()) - from);
            ByteWriter f;
            f.u32(quint32(n));
            for (int i = from; i < from + n; ++i) {
                f.u32(quint32(m_styles[i].family));
                f.f64(m_styles[i].size);
                f.u8(m_styles[i].flags);
                f.u8(m_styles[i].align);
                f.u32(m_styles[i].color);
            }
            stream.add('F', std::move(f.out));
        }
        for (const QByteArray &png : std::as_const(m_images))
            stream.add('I', png);
        for (int p = 0; p < m_doc.pages.size(); ++p)
            stream.add('P', pageBytes(p));
        stream.finish();
    }

private:
    static constexpr int kStyleBytes = 4 + 8 + 1 + 1 + 4;
    static constexpr qsizetype kMaxItemBytes = 1 + 5 * 8 + 2 * 4;

    // A page list's numbers of texts, styles and pictures in the file.
    struct ListNumbers {
        const PageList *list = nullptr;
        QVector<qint32> stringOf; // -1: not in the file yet
        QVector<quint8> textFits; // 0 unchecked, 1 fits, 2 does not
        QVector<qint32> styleOf;
        QVector<quint8> styleFits;
        QVector<qint32> imageOf;
        QVector<QRgb> colors;
        QVector<int> lineBreaks; // -1: not counted yet
        void grow()
        {
            stringOf.resize(list->strings().size(), -1);
            textFits.resize(list->strings().size(), 0);
            lineBreaks.resize(list->strings().size(), -1);
            styleOf.resize(list->styles().size(), -1);
            styleFits.resize(list->styles().size(), 0);
            imageOf.resize(list->images().size(), -1);
            for (qsizetype i = colors.size(); i < list->colors().size(); ++i)
                colors.push_back(list->colors()[i].rgba());
        }
    };

    // The items of page p, from the list that holds them: a page kept
    // elsewhere (read from a file) is taken into a list of its own first,
    // one page at a time.
    ListNumbers &itemsOf(int p, QVector<PageList::HeldItem> &items)
    {
        if (m_doc.pages.isHeld(p)) {
            m_own.list->heldItems(p, items);
            m_own.grow();
            return m_own;
        }
        if (m_foreign.isEmpty())
            m_foreign.push_back(m_doc.pages.at(p));
        else
            m_foreign.replace(0, m_doc.pages.at(p));
        m_foreign.heldItems(0, items);
        m_other.list = &m_foreign;
        m_other.grow();
        return m_other;
    }

    qint32 addString(const QString &s)
    {
        if (m_strings.size() >= m_limits.maxStrings)
            refuseSave(Where{}, problem(Why::Strings, m_limits.maxStrings));
        m_strings.push_back(s);
        return qint32(m_strings.size() - 1);
    }

    qint32 textId(ListNumbers &n, quint32 id)
    {
        qint32 &f = n.stringOf[id];
        if (f < 0)
            f = addString(n.list->strings()[id]);
        return f;
    }

    qint32 styleId(ListNumbers &n, quint32 id)
    {
        qint32 &f = n.styleOf[id];
        if (f >= 0)
            return f;
        const PageList::TextStyle &st = n.list->styles()[id];
        qint32 family;
        if (const qint64 asText = n.list->stringIdOf(st.font.family); asText >= 0) {
            family = textId(n, quint32(asText));
        } else {
            auto it = m_familyIds.find(st.font.family);
            if (it == m_familyIds.end())
                it = m_familyIds.insert(st.font.family, addString(st.font.family));
            family = it.value();
        }
        const StyleKey key{family, st.font.pointSize,
                           quint8((st.font.bold ? kBold : 0) | (st.font.underline ? kUnderline : 0) |
                                  (st.direction == Qt::RightToLeft ? kRtl : 0)),
                           alignCode(st.alignment), st.font.color.rgba()};
        f = m_styleIds.value(key, -1);
        if (f < 0) {
            if (m_styles.size() >= m_limits.maxStyles)
                refuseSave(Where{}, problem(Why::Styles_, m_limits.maxStyles));
            f = qint32(m_styles.size());
            m_styles.push_back(key);
            m_styleIds.insert(key, f);
        }
        return f;
    }

    // Numbers what the page shows in the file and checks its items.
    void planPage(int p)
    {
        ListNumbers &n = itemsOf(p, m_items0);
        const QVector<PageList::HeldItem> &items = m_items0;
        m_check.startPage();
        qint64 bytes = 4;
        quint32 count = 0;
        for (int i = 0; i < items.size(); ++i) {
            const PageList::HeldItem &item = items[i];
            const Where where = pageWhere(p + 1, i + 1);
            Problem wrong;
            switch (item.kind) {
            case PageList::HeldItem::Text: {
                const QString &text = n.list->strings()[item.ids[0]];
                quint8 &fits = n.textFits[item.ids[0]];
                if (fits == 0)
                    fits = text.size() > m_limits.maxTextLength ? 2 : 1;
                if (fits != 1)
                    refuseSave(where, problem(Why::TextTooLong, m_limits.maxTextLength));
                const PageList::TextStyle &st = n.list->styles()[item.ids[1]];
                quint8 &styleFit = n.styleFits[item.ids[1]];
                if (styleFit == 0)
                    styleFit = fontProblem(st.font) ? 2 : 1;
                if (styleFit != 1)
                    refuseSave(where, fontProblem(st.font));
                const qint32 style = styleId(n, item.ids[1]);
                textId(n, item.ids[0]);
                int &breaks = n.lineBreaks[item.ids[0]];
                if (breaks < 0)
                    breaks = lineBreaksOf(text);
                wrong = m_check.text(text.size(), breaks, style, item.v, st.font.pixelSize(), st.alignment);
                bytes += 1 + 4 + 4 + 4 * 8;
                break;
            }
            case PageList::HeldItem::Line:
                wrong = m_check.line(item.v);
                bytes += 1 + 5 * 8 + 4;
                break;
            case PageList::HeldItem::Rect:
                wrong = m_check.rect(item.v, qAlpha(n.colors[item.ids[1]]) > 0);
                bytes += 1 + 5 * 8 + 2 * 4;
                break;
            case PageList::HeldItem::Image: {
                const QImage &image = n.list->images()[item.ids[0]];
                if (image.isNull())
                    continue; // nothing to draw
                qint32 &id = n.imageOf[item.ids[0]];
                if (id < 0) {
                    if (m_images.size() >= m_limits.maxImages)
                        refuseSave(where, problem(Why::Pictures, m_limits.maxImages));
                    QByteArray png;
                    QBuffer buf(&png);
                    buf.open(QIODevice::WriteOnly);
                    if (!image.save(&buf, "PNG"))
                        refuseSave(where, problem(Why::PictureNotStored));
                    // Kept as what draws it, as a reader keeps it.
                    PictureFacts facts = pictureFacts(png);
                    Why why = Why::None;
                    png = drawingChunks(png, facts, why);
                    if (png.isEmpty())
                        refuseSave(where, problem(Why::PictureNotStored));
                    if (png.size() > m_limits.maxSectionBytes)
                        refuseSave(where, problem(Why::PictureBytes, m_limits.maxSectionBytes >> 20));
                    facts = pictureFacts(png);
                    id = qint32(m_images.size());
                    m_images.push_back(png);
                    m_imageFacts.push_back(facts);
                }
                wrong = m_check.image(item.v, id, m_imageFacts[id]);
                bytes += 1 + 4 * 8 + 4;
                break;
            }
            case PageList::HeldItem::Sides: // handed out as lines
                continue;
            }
            if (wrong)
                refuseSave(where, wrong);
            ++count;
        }
        m_items += count;
        if (const Problem wrong = m_check.items(count))
            refuseSave(pageWhere(p + 1), wrong);
        if (const Problem wrong = m_check.endPage())
            refuseSave(pageWhere(p + 1), wrong);
        if (bytes > m_limits.maxSectionBytes)
            refuseSave(pageWhere(p + 1), problem(Why::PageFull, m_limits.maxSectionBytes >> 20));
        m_bytes += bytes;
    }

    // The page's section, its items numbered as the first walk found.
    QByteArray pageBytes(int p)
    {
        ListNumbers &n = itemsOf(p, m_items0);
        const QVector<PageList::HeldItem> &items = m_items0;
        // Written straight into a buffer as large as the page can take.
        QByteArray bytes(4 + items.size() * kMaxItemBytes, Qt::Uninitialized);
        PageWriter w(bytes.data() + 4);
        quint32 count = 0;
        for (const PageList::HeldItem &item : items) {
            switch (item.kind) {
            case PageList::HeldItem::Text:
                w.u8(kText);
                w.u32(quint32(n.stringOf[item.ids[0]]));
                w.u32(quint32(n.styleOf[item.ids[1]]));
                for (int k = 0; k < 4; ++k)
                    w.f64(item.v[k]);
                break;
            case PageList::HeldItem::Line:
                w.u8(kLine);
                for (int k = 0; k < 5; ++k)
                    w.f64(item.v[k]);
                w.u32(n.colors[item.ids[0]]);
                break;
            case PageList::HeldItem::Rect:
                w.u8(kRect);
                for (int k = 0; k < 5; ++k)
                    w.f64(item.v[k]);
                w.u32(n.colors[item.ids[0]]);
                w.u32(n.colors[item.ids[1]]);
                break;
            case PageList::HeldItem::Image:
                if (n.list->images()[item.ids[0]].isNull())
                    continue;
                w.u8(kImage);
                for (int k = 0; k < 4; ++k)
                    w.f64(item.v[k]);
                w.u32(quint32(n.imageOf[item.ids[0]]));
                break;
            case PageList::HeldItem::Sides: // handed out as lines
                continue;
            }
            ++count;
        }
        const quint32 le = qToLittleEndian(count);
        std::memcpy(bytes.data(), &le, sizeof le);
        bytes.truncate(w.at - bytes.data());
        return bytes;
    }

    const Document &m_doc;
    const ReportFileLimits &m_limits;
    ListNumbers m_own;
    ListNumbers m_other;
    PageList m_foreign;
    QVector<PageList::HeldItem> m_items0;
    // The file numbers texts and styles by first use, families and texts
    // together, as a reader meets them.
    QVector<QString> m_strings;
    QHash<QString, qint32> m_familyIds; // families that are no text of a list
    QVector<StyleKey> m_styles;
    QHash<StyleKey, qint32> m_styleIds;
    QVector<QByteArray> m_images;
    qint64 m_items = 0;
    qint64 m_bytes = 0;
    QVector<PictureFacts> m_imageFacts;
    PageCheck m_check;
};

// ---------------------------------------------------------------- version 2: reading

// Reads the fields of one section, refusing to read past its end.
class ByteReader {
public:
    ByteReader(const QByteArray &data, const Where &where) : m_p(data.constData()), m_end(m_p + data.size()), m_where(where) {}

    [[noreturn]] void fail(const Problem &p) const { refuse(m_where, p); }
    [[noreturn]] void fail(Why why, qint64 a = 0) const { refuse(m_where, problem(why, a)); }
    void need(qsizetype n) const
    {
        if (m_end - m_p < n)
            fail(Why::EndsEarly);
    }
    template <class T> T get()
    {
        need(sizeof(T));
        T v;
        std::memcpy(&v, m_p, sizeof v);
        m_p += sizeof v;
        return qFromLittleEndian(v);
    }
    quint8 u8() { return get<quint8>(); }
    quint32 u32() { return get<quint32>(); }
    quint64 u64() { return get<quint64>(); }
    double f64()
    {
        const quint64 bits = get<quint64>();
        double d;
        std::memcpy(&d, &bits, sizeof d);
        return d;
    }
    QRectF rect()
    {
        const double x = f64(), y = f64(), w = f64(), h = f64();
        return QRectF(x, y, w, h);
    }
    const char *bytes(qsizetype n)
    {
        need(n);
        const char *p = m_p;
        m_p += n;
        return p;
    }
    bool atEnd() const { return m_p == m_end; }
    Where &where() { return m_where; }

private:
    const char *m_p;
    const char *m_end;
    Where m_where;
};

// Reads the sections of a version 2 file one at a time, each unpacked into a
// buffer no larger than the section says and the limits allow: first its
// heading (its kind, packing and lengths), then its bytes, so that a fault in
// either is told of the section the kind names.
class SectionReader {
public:
    SectionReader(QIODevice &dev, const ReportFileLimits &limits) : m_dev(dev), m_limits(limits) {}
    ~SectionReader()
    {
        if (m_zInit)
            inflateEnd(&m_z);
    }

    // The next section's kind; `where` names the section expected there.
    char head(const Where &where)
    {
        char head[10];
        if (m_dev.read(head, sizeof head) != qint64(sizeof head))
            refuse(where, problem(Why::CutShort));
        m_packing = quint8(head[1]);
        m_packedLength = qFromLittleEndian<quint32>(head + 2);
        m_unpackedLength = qFromLittleEndian<quint32>(head + 6);
        return head[0];
    }

    // Counts what the reader keeps beyond the bytes it unpacked (an entry
    // for each text or style) as unpacked too: a file is refused when what
    // it takes is far beyond what it holds.
    void charge(const Where &where, qint64 bytes)
    {
        m_unpackedTotal += bytes;
        if (m_unpackedTotal > kRatioFloor && m_unpackedTotal > kMaxRatio * m_packedTotal)
            refuse(where, problem(Why::Ratio, kMaxRatio));
    }

    // The bytes of the section whose heading was read, in data().
    void body(const Where &where)
    {
        const quint32 packed = m_packedLength, unpacked = m_unpackedLength;
        if (m_packing > 1)
            refuse(where, problem(Why::UnknownPacking));
        // Sizes are checked before anything is read or unpacked.
        if (qint64(unpacked) > m_limits.maxSectionBytes)
            refuse(where, problem(Why::SectionBytes, m_limits.maxSectionBytes >> 20));
        if (m_packing == 0 ? packed != unpacked : (packed == 0 || packed > compressBound(unpacked)))
            refuse(where, problem(Why::ImpossibleLength));
        m_packedTotal += packed;
        charge(where, unpacked);
        m_lastPacked = m_packing == 1;
        if (m_packing == 0) {
            m_data.resize(unpacked);
            if (m_dev.read(m_data.data(), unpacked) != qint64(unpacked))
                refuse(where, problem(Why::CutShort));
            return;
        }
        m_packed.resize(packed);
        if (m_dev.read(m_packed.data(), packed) != qint64(packed))
            refuse(where, problem(Why::CutShort));
        m_data.resize(unpacked);
        if (!m_zInit) {
            if (inflateInit(&m_z) != Z_OK)
                throw std::bad_alloc(); // told as want of memory, not as damage
            m_zInit = true;
        } else {
            inflateReset(&m_z);
        }
        m_z.next_in = reinterpret_cast<Bytef *>(m_packed.data());
        m_z.avail_in = packed;
        m_z.next_out = reinterpret_cast<Bytef *>(m_data.data());
        m_z.avail_out = unpacked;
        // The output buffer is the declared size: a stream that wants to
        // give more stops here.
        const int rc = inflate(&m_z, Z_FINISH);
        if (rc != Z_STREAM_END || m_z.avail_out != 0 || m_z.avail_in != 0)
            refuse(where, problem(Why::Unreadable));
    }

    const QByteArray &data() const { return m_data; }
    // The section as the file holds it: its packed bytes (taken; the next
    // section reads into a buffer of its own) or, for a stored section, a
    // copy of its bytes.
    bool packed() const { return m_lastPacked; }
    QByteArray takeFileBytes() { return m_lastPacked ? std::exchange(m_packed, QByteArray()) : m_data; }

private:
    QIODevice &m_dev;
    const ReportFileLimits &m_limits;
    QByteArray m_packed;
    QByteArray m_data;
    z_stream m_z{};
    bool m_zInit = false;
    quint8 m_packing = 0;
    quint32 m_packedLength = 0, m_unpackedLength = 0;
    qint64 m_packedTotal = 0;
    qint64 m_unpackedTotal = 0;
    bool m_lastPacked = false;
};

struct FileStyle {
    ReportFont font;
    Qt::LayoutDirection direction;
    Qt::Alignment alignment;
};

// The items of a page section, read as they stand (the section was checked
// when the file was loaded).
void readPageItems(ByteReader &r, quint32 n, const QVector<QString> &strings, const QVector<FileStyle> &styles,
                   const QVector<QImage> &images, Page &page)
{
    page.items.reserve(n);
    for (quint32 i = 0; i < n; ++i) {
        const quint8 k = r.u8();
        if (k == kText) {
            const quint32 str = r.u32(), st = r.u32();
            const FileStyle &style = styles.at(st);
            page.items.push_back(TextRun{strings.at(str), style.font, style.direction, style.alignment, r.rect()});
        } else if (k == kLine) {
            LineItem l;
            l.p1.setX(r.f64());
            l.p1.setY(r.f64());
            l.p2.setX(r.f64());
            l.p2.setY(r.f64());
            l.width = r.f64();
            l.color = QColor::fromRgba(r.u32());
            page.items.push_back(l);
        } else if (k == kRect) {
            RectItem rc;
            rc.rect = r.rect();
            rc.penWidth = r.f64();
            rc.penColor = QColor::fromRgba(r.u32());
            rc.fill = QColor::fromRgba(r.u32());
            page.items.push_back(rc);
        } else if (k == kImage) {
            const QRectF rect = r.rect();
            page.items.push_back(ImageItem{rect, images.at(r.u32())});
        } else {
            r.fail(Why::UnknownItem, k);
        }
    }
}

// The pages of a loaded file, kept as the file holds them until a page is
// asked for.
class FilePages : public PageList::PageSource {
public:
    QVector<QString> strings;
    QVector<FileStyle> styles;
    QVector<QImage> images;
    struct Section {
        QByteArray bytes;
        quint32 unpacked = 0;
        bool packed = false;
    };
    QVector<Section> pages;

    Page page(qsizetype index) const override
    {
        const Section &s = pages.at(index);
        QByteArray raw;
        if (s.packed) {
            raw.resize(s.unpacked);
            uLongf len = s.unpacked;
            if (uncompress(reinterpret_cast<Bytef *>(raw.data()), &len,
                           reinterpret_cast<const Bytef *>(s.bytes.constData()), uLong(s.bytes.size())) != Z_OK ||
                len != s.unpacked)
                return Page(); // unpacked once already when the file was loaded
        } else {
            raw = s.bytes;
        }
        Page page;
        try {
            ByteReader r(raw, pageWhere(index + 1));
            readPageItems(r, r.u32(), strings, styles, images, page);
        } catch (const ReportFileError &) {
            // Checked when the file was loaded.
        }
        return page;
    }
};

Document readVersion2(QIODevice &dev, const ReportFileLimits &limits)
{
    char versionBytes[4];
    if (dev.read(versionBytes, 4) != 4)
        damaged(Why::CutShort);
    const quint32 version = qFromLittleEndian<quint32>(versionBytes);
    if (version != quint32(kReportFileVersion))
        wrongVersion(version);

    SectionReader sections(dev, limits);
    Document doc;
    const Where heading{Why::Heading};
    if (sections.head(heading) != 'H')
        damaged(Why::NoHeading);
    sections.body(heading);
    quint32 pageCount, stringCount, styleCount, imageCount;
    quint64 itemCount;
    {
        ByteReader h(sections.data(), heading);
        const double w = h.f64(), ht = h.f64();
        if (!inRange(w, 1, kMaxPageMm) || !inRange(ht, 1, kMaxPageMm))
            h.fail(Why::PaperSize);
        doc.pageSizeMm = QSizeF(w, ht);
        pageCount = h.u32();
        stringCount = h.u32();
        styleCount = h.u32();
        imageCount = h.u32();
        itemCount = h.u64();
        if (pageCount > quint32(limits.maxPages))
            h.fail(Why::Pages, limits.maxPages);
        if (stringCount > quint32(limits.maxStrings))
            h.fail(Why::Strings, limits.maxStrings);
        if (styleCount > quint32(limits.maxStyles))
            h.fail(Why::Styles_, limits.maxStyles);
        if (imageCount > quint32(limits.maxImages))
            h.fail(Why::Pictures, limits.maxImages);
        if (itemCount > quint64(limits.maxItems))
            h.fail(Why::Items, limits.maxItems);
        if (!h.atEnd())
            h.fail(Why::LongerThanContent);
    }
    doc.pages.reserve(qsizetype(pageCount));

    // The pages stay packed as the file holds them; each is checked here,
    // item by item, and unpacked again when it is shown.
    const auto source = std::make_shared<FilePages>();
    QVector<QString> &strings = source->strings;
    QVector<int> lineBreaks; // of each string
    QVector<FileStyle> &styles = source->styles;
    QVector<QImage> &images = source->images;
    // The pictures as the file holds them, decoded once every page is
    // checked and only if a page shows them; what they take decoded is
    // told from their chunks before.
    QVector<QByteArray> pictures;
    qint64 picturesHeld = 0;
    QVector<PictureFacts> pictureFacts_;
    // Per style, what is wrong with its font; none when nothing.
    QVector<Problem> styleProblems;
    PageCheck check(limits, doc.pageSizePx());
    quint64 items = 0;
    // The section the file should hold next, named for a fault in it.
    auto expected = [&]() -> Where {
        if (strings.size() < qsizetype(stringCount))
            return Where{Why::Texts};
        if (styles.size() < qsizetype(styleCount))
            return Where{Why::Styles};
        if (pictures.size() < qsizetype(imageCount))
            return Where{Why::Picture, pictures.size() + 1};
        if (doc.pages.size() < qsizetype(pageCount))
            return pageWhere(doc.pages.size() + 1);
        return Where{Why::End};
    };
    for (;;) {
        const char kind = sections.head(expected());
        Where where;
        switch (kind) {
        case 'S': where = Where{Why::Texts}; break;
        case 'F': where = Where{Why::Styles}; break;
        case 'I': where = Where{Why::Picture, pictures.size() + 1}; break;
        case 'P': where = pageWhere(doc.pages.size() + 1); break;
        case 'E': where = Where{Why::End}; break;
        default: refuse(expected(), problem(Why::UnknownSection));
        }
        sections.body(where);
        ByteReader r(sections.data(), where);
        if (kind == 'E') {
            if (!r.atEnd())
                r.fail(Why::EndNotEmpty);
            break;
        } else if (kind == 'S') {
            const quint32 n = r.u32();
            if (n > stringCount - quint32(strings.size()))
                r.fail(Why::MoreThanHeading);
            sections.charge(where, qint64(n) * qint64(sizeof(QString) + sizeof(int)));
            for (quint32 i = 0; i < n; ++i) {
                const quint32 len = r.u32();
                const char *p = r.bytes(len);
                QString str = QString::fromUtf8(p, len);
                if (str.size() > limits.maxTextLength)
                    r.fail(Why::TextTooLong, limits.maxTextLength);
                // Bytes that are no UTF-8 come in as replacement characters:
                // the text would be saved again as another.
                if (str.contains(QChar::ReplacementCharacter) && str.toUtf8() != QByteArrayView(p, len))
                    r.fail(Why::BrokenText, strings.size() + 1);
                lineBreaks.push_back(lineBreaksOf(str));
                strings.push_back(std::move(str));
            }
        } else if (kind == 'F') {
            const quint32 n = r.u32();
            if (n > styleCount - quint32(styles.size()))
                r.fail(Why::MoreThanHeading);
            sections.charge(where, qint64(n) * qint64(sizeof(FileStyle) + sizeof(Problem)));
            for (quint32 i = 0; i < n; ++i) {
                FileStyle st;
                const quint32 family = r.u32();
                if (family >= quint32(strings.size()))
                    r.fail(Why::StyleNamesMissing);
                st.font.family = strings[family];
                st.font.pointSize = r.f64();
                const quint8 flags = r.u8();
                const quint8 align = r.u8();
                st.font.color = QColor::fromRgba(r.u32());
                if (flags > 7 || align > 2)
                    r.fail(Why::StyleGarbled);
                st.font.bold = flags & kBold;
                st.font.underline = flags & kUnderline;
                st.direction = (flags & kRtl) ? Qt::RightToLeft : Qt::LeftToRight;
                st.alignment = align == 1 ? Qt::AlignRight : align == 2 ? Qt::AlignHCenter : Qt::AlignLeft;
                styleProblems.push_back(fontProblem(st.font));
                styles.push_back(st);
            }
        } else if (kind == 'I') {
            if (quint32(pictures.size()) >= imageCount)
                r.fail(Why::MoreThanHeading);
            const PictureFacts facts = pictureFacts(sections.data());
            if (!facts.readable)
                r.fail(Why::NotAPicture);
            if (facts.width > quint32(limits.maxImageSide) || facts.height > quint32(limits.maxImageSide))
                r.fail(problem(Why::PictureSide, limits.maxImageSide, facts.width, facts.height));
            // Held as the file holds them until the pages are read: no more
            // than twice what the pictures the pages show may take decoded,
            // which a picture's own bytes hardly pass.
            picturesHeld += sections.data().size();
            if (picturesHeld > 2 * limits.maxImageBytes)
                r.fail(Why::PicturesHeld, (2 * limits.maxImageBytes) >> 20);
            pictures.push_back(sections.data());
            pictureFacts_.push_back(facts);
        } else if (kind == 'P') {
            if (quint32(doc.pages.size()) >= pageCount)
                r.fail(Why::MoreThanHeading);
            if (strings.size() != qsizetype(stringCount) || styles.size() != qsizetype(styleCount) ||
                pictures.size() != qsizetype(imageCount))
                r.fail(Why::PageBeforeTexts);
            check.startPage();
            const quint32 n = r.u32();
            if (const Problem p = check.items(n))
                r.fail(p);
            if (n > itemCount - items)
                r.fail(Why::MoreThanHeading);
            items += n;
            // Every field is checked as the items of a page would be, without
            // making them.
            double v[5];
            auto numbers = [&](int count) {
                for (int k = 0; k < count; ++k)
                    v[k] = r.f64();
            };
            for (quint32 i = 0; i < n; ++i) {
                r.where().item = qint64(i) + 1;
                const quint8 k = r.u8();
                Problem wrong;
                if (k == kText) {
                    const quint32 str = r.u32(), st = r.u32();
                    if (str >= quint32(strings.size()) || st >= quint32(styles.size()))
                        r.fail(Why::MissingStringOrStyle);
                    numbers(4);
                    if (styleProblems[st])
                        r.fail(styleProblems[st]);
                    wrong = check.text(strings[str].size(), lineBreaks[str], st, v, styles[st].font.pixelSize(),
                                       styles[st].alignment);
                } else if (k == kLine) {
                    numbers(5);
                    r.u32();
                    wrong = check.line(v);
                } else if (k == kRect) {
                    numbers(5);
                    r.u32();
                    wrong = check.rect(v, qAlpha(r.u32()) > 0);
                } else if (k == kImage) {
                    numbers(4);
                    const quint32 pic = r.u32();
                    if (pic >= quint32(pictures.size()))
                        r.fail(Why::MissingPicture);
                    wrong = check.image(v, pic, pictureFacts_[pic]);
                } else {
                    r.fail(Why::UnknownItem, k);
                }
                if (wrong)
                    r.fail(wrong);
            }
            r.where().item = 0;
            if (const Problem p = check.endPage())
                r.fail(p);
            source->pages.push_back({sections.takeFileBytes(), quint32(sections.data().size()), sections.packed()});
            doc.pages.addPageFrom(source, source->pages.size() - 1, int(n));
        } else {
            r.fail(Why::UnknownSection);
        }
        if (kind != 'I' && !r.atEnd())
            r.fail(Why::LongerThanContent);
    }
    if (quint32(doc.pages.size()) != pageCount || items != itemCount)
        damaged(Why::PagesMissing);
    if (dev.read(1).size() != 0)
        damaged(Why::DataAfterEnd);
    images.resize(pictures.size());
    for (qsizetype i = 0; i < pictures.size(); ++i) {
        if (!check.shown(i))
            continue;
        Why why = Why::None;
        images[i] = decodePicture(std::exchange(pictures[i], QByteArray()), pictureFacts_[i], why);
        if (images[i].isNull())
            refuse(Where{Why::Picture, i + 1}, problem(why));
    }
    return doc;
}

// ---------------------------------------------------------------- version 1: reading

// The JSON text of a version 1 file as it streams in, a piece at a time.
class JsonSource {
public:
    virtual ~JsonSource() = default;
    // The next piece of the text into `piece`; false at its end.
    virtual bool next(QByteArray &piece) = 0;
};

// A text file as it stands.
class PlainJson : public JsonSource {
public:
    explicit PlainJson(QIODevice &dev) : m_dev(dev) {}
    bool next(QByteArray &piece) override
    {
        piece.resize(1 << 16);
        const qint64 n = m_dev.read(piece.data(), piece.size());
        if (n <= 0) {
            piece.resize(0);
            return false;
        }
        piece.resize(qsizetype(n));
        m_total += n;
        if (m_total > kMaxJsonBytes)
            refuse(Where{}, problem(Why::JsonBytes, kMaxJsonBytes >> 20));
        return true;
    }

private:
    QIODevice &m_dev;
    qint64 m_total = 0;
};

// A packed file, unpacked as it is read, believing neither its stated
// length nor its packed size: the text must end where the length says and
// not unpack to far more than the file holds.
class PackedJson : public JsonSource {
public:
    explicit PackedJson(QIODevice &dev) : m_dev(dev)
    {
        char lengthBytes[4];
        if (dev.read(lengthBytes, 4) != 4)
            damaged(Why::CutShort);
        m_expected = qFromBigEndian<quint32>(lengthBytes);
        const qint64 bodySize = dev.size() - dev.pos();
        // zlib packs at most about 1000 to 1: a larger claim is damage.
        if (m_expected == 0 || bodySize <= 0 || m_expected / 1100 > bodySize)
            damaged(Why::ImpossibleContentLength);
        if (inflateInit(&m_z) != Z_OK)
            throw std::bad_alloc(); // told as want of memory, not as damage
    }
    ~PackedJson() override { inflateEnd(&m_z); }

    bool next(QByteArray &piece) override
    {
        if (m_ended)
            return false;
        piece.resize(1 << 16);
        m_z.next_out = reinterpret_cast<Bytef *>(piece.data());
        m_z.avail_out = uInt(piece.size());
        while (m_z.avail_out == uInt(piece.size())) {
            if (m_z.avail_in == 0) {
                const qint64 n = m_dev.read(m_in, sizeof m_in);
                if (n <= 0)
                    damaged(Why::CutShort);
                m_packed += n;
                m_z.next_in = reinterpret_cast<Bytef *>(m_in);
                m_z.avail_in = uInt(n);
            }
            const int rc = inflate(&m_z, Z_NO_FLUSH);
            if (rc == Z_STREAM_END) {
                m_ended = true;
                if (m_z.avail_in != 0 || !m_dev.atEnd())
                    damaged(Why::DataAfterEnd);
                break;
            }
            if (rc != Z_OK && !(rc == Z_BUF_ERROR && m_z.avail_in == 0))
                damaged(Why::Unreadable);
        }
        const qsizetype got = piece.size() - qsizetype(m_z.avail_out);
        m_total += got;
        piece.resize(got);
        if (m_total > qint64(m_expected))
            damaged(Why::ContentLonger);
        if (m_total > kRatioFloor && m_total > kMaxRatio * m_packed)
            refuse(Where{}, problem(Why::Ratio, kMaxRatio));
        if (m_ended && m_total != qint64(m_expected))
            damaged(Why::Unreadable);
        return got > 0;
    }

private:
    QIODevice &m_dev;
    z_stream m_z{};
    char m_in[1 << 16];
    quint32 m_expected = 0;
    qint64 m_packed = 0, m_total = 0;
    bool m_ended = false;
};

enum class JsonKind : quint8 { Absent, String, Number, True, False, Null, Array, Object, Other };

// Reads a JSON text from its source, a piece at a time, passing over what
// it is not asked for. A fault is damage once the text is known to be a
// report (`ours`), else the file is no report.
class JsonReader {
public:
    JsonReader(JsonSource &source, bool ours) : m_source(source), m_ours(ours) {}

    void knownToBeOurs() { m_ours = true; }

    int peek()
    {
        if (m_at == m_piece.size() && !refill())
            return -1;
        return uchar(m_piece.constData()[m_at]);
    }
    int get()
    {
        const int c = peek();
        if (c >= 0)
            ++m_at;
        return c;
    }
    void skipSpace()
    {
        for (;;) {
            while (m_at < m_piece.size()) {
                const char c = m_piece.constData()[m_at];
                if (c != ' ' && c != '\n' && c != '\r' && c != '\t')
                    return;
                ++m_at;
            }
            if (!refill())
                return;
        }
    }
    [[noreturn]] void broken()
    {
        if (!m_ours)
            foreign(Why::UnknownKind);
        if (peek() < 0)
            damaged(Why::CutShort);
        damaged(Why::JsonBroken, m_before + m_at);
    }
    void expect(char c)
    {
        skipSpace();
        if (get() != c)
            broken();
    }
    JsonKind kind()
    {
        skipSpace();
        switch (peek()) {
        case '"': return JsonKind::String;
        case '{': return JsonKind::Object;
        case '[': return JsonKind::Array;
        case 't': return JsonKind::True;
        case 'f': return JsonKind::False;
        case 'n': return JsonKind::Null;
        case -1: return JsonKind::Absent;
        default: {
            const int c = peek();
            return c == '-' || (c >= '0' && c <= '9') ? JsonKind::Number : JsonKind::Other;
        }
        }
    }

    // A string (its quote next) as its UTF-8 bytes, into `out`; false when
    // it holds more than `most` bytes (the rest of it is passed over).
    bool string(QByteArray &out, qint64 most)
    {
        expect('"');
        out.resize(0);
        bool fits = true;
        auto add = [&](const char *p, qsizetype n) {
            if (fits && out.size() + n > most)
                fits = false;
            if (fits)
                out.append(p, n);
        };
        int pendingHigh = -1; // a high surrogate waiting for its low one
        auto unit = [&](int u) {
            // A lone surrogate is written as its three bytes, which are no
            // UTF-8: the text is then refused as holding a broken character.
            char b[4];
            int n = 0;
            if (u < 0x80) {
                b[n++] = char(u);
            } else if (u < 0x800) {
                b[n++] = char(0xC0 | (u >> 6));
                b[n++] = char(0x80 | (u & 0x3F));
            } else if (u < 0x10000) {
                b[n++] = char(0xE0 | (u >> 12));
                b[n++] = char(0x80 | ((u >> 6) & 0x3F));
                b[n++] = char(0x80 | (u & 0x3F));
            } else {
                b[n++] = char(0xF0 | (u >> 18));
                b[n++] = char(0x80 | ((u >> 12) & 0x3F));
                b[n++] = char(0x80 | ((u >> 6) & 0x3F));
                b[n++] = char(0x80 | (u & 0x3F));
            }
            add(b, n);
        };
        auto flush = [&] {
            if (pendingHigh >= 0)
                unit(pendingHigh);
            pendingHigh = -1;
        };
        for (;;) {
            if (m_at == m_piece.size() && !refill())
                broken();
            const char *p = m_piece.constData() + m_at;
            const char *e = m_piece.constData() + m_piece.size();
            const char *q = p;
            while (q < e && *q != '"' && *q != '\\' && uchar(*q) >= 0x20)
                ++q;
            if (q > p) {
                flush();
                add(p, q - p);
            }
            m_at += q - p;
            if (m_at == m_piece.size())
                continue;
            const char c = m_piece.constData()[m_at++];
            if (c == '"') {
                flush();
                return fits;
            }
            if (c != '\\')
                broken(); // a control character
            const int esc = get();
            if (esc == 'u') {
                int u = 0;
                for (int i = 0; i < 4; ++i) {
                    const int h = get();
                    const int d = h >= '0' && h <= '9' ? h - '0'
                                  : h >= 'a' && h <= 'f' ? h - 'a' + 10
                                  : h >= 'A' && h <= 'F' ? h - 'A' + 10
                                                         : -1;
                    if (d < 0)
                        broken();
                    u = u * 16 + d;
                }
                if (u >= 0xDC00 && u <= 0xDFFF && pendingHigh >= 0) {
                    const int both = 0x10000 + ((pendingHigh - 0xD800) << 10) + (u - 0xDC00);
                    pendingHigh = -1;
                    unit(both);
                } else if (u >= 0xD800 && u <= 0xDBFF) {
                    flush();
                    pendingHigh = u;
                } else {
                    flush();
                    unit(u);
                }
                continue;
            }
            flush();
            char plain;
            switch (esc) {
            case '"': plain = '"'; break;
            case '\\': plain = '\\'; break;
            case '/': plain = '/'; break;
            case 'b': plain = '\b'; break;
            case 'f': plain = '\f'; break;
            case 'n': plain = '\n'; break;
            case 'r': plain = '\r'; break;
            case 't': plain = '\t'; break;
            default: broken();
            }
            add(&plain, 1);
        }
    }

    double number()
    {
        skipSpace();
        auto inNumber = [](char c) {
            return (c >= '0' && c <= '9') || c == '-' || c == '+' || c == '.' || c == 'e' || c == 'E';
        };
        char buf[64];
        int n = 0;
        for (;;) {
            // Within the piece, then over into the next one.
            while (m_at < m_piece.size() && inNumber(m_piece.constData()[m_at])) {
                if (n == int(sizeof buf))
                    broken();
                buf[n++] = m_piece.constData()[m_at++];
            }
            if (m_at < m_piece.size() || !refill())
                break;
        }
        double d = 0;
        const auto r = std::from_chars(buf, buf + n, d);
        if (n == 0 || r.ptr != buf + n)
            broken();
        if (r.ec == std::errc::result_out_of_range) {
            // Well written but beyond a double: too large or too small, so
            // that the field's own check names it.
            const char *e = std::find_if(buf, buf + n, [](char c) { return c == 'e' || c == 'E'; });
            if (e + 1 < buf + n && e[1] == '-')
                return 0;
            return buf[0] == '-' ? -std::numeric_limits<double>::infinity() : std::numeric_limits<double>::infinity();
        }
        if (r.ec != std::errc())
            broken();
        return d;
    }

    void word(const char *w)
    {
        for (const char *c = w; *c; ++c)
            if (get() != *c)
                broken();
    }

    // Passes over a value of any kind.
    void skip(int depth = 0)
    {
        if (depth > 64)
            damaged(Why::NestedTooDeep, m_before + m_at);
        switch (kind()) {
        case JsonKind::String: {
            QByteArray none;
            string(none, 0);
            break;
        }
        case JsonKind::Number: number(); break;
        case JsonKind::True: word("true"); break;
        case JsonKind::False: word("false"); break;
        case JsonKind::Null: word("null"); break;
        case JsonKind::Array: elements([&] { skip(depth + 1); }); break;
        case JsonKind::Object: members([&](const QByteArray &) { skip(depth + 1); }); break;
        default: broken();
        }
    }

    // The members of an object (its brace next): `each(name)` reads each
    // one's value.
    template <class Each> void members(Each each)
    {
        expect('{');
        skipSpace();
        if (peek() == '}') {
            get();
            return;
        }
        QByteArray name;
        for (;;) {
            skipSpace();
            if (peek() != '"')
                broken();
            if (!string(name, 64))
                name.clear(); // too long to be one of ours: passed over
            expect(':');
            each(name);
            skipSpace();
            const int c = get();
            if (c == '}')
                return;
            if (c != ',')
                broken();
        }
    }

    // The entries of a list (its bracket next): `each()` reads each one.
    template <class Each> void elements(Each each)
    {
        expect('[');
        skipSpace();
        if (peek() == ']') {
            get();
            return;
        }
        for (;;) {
            each();
            skipSpace();
            const int c = get();
            if (c == ']')
                return;
            if (c != ',')
                broken();
        }
    }

private:
    bool refill()
    {
        m_before += m_piece.size();
        m_at = 0;
        while (m_source.next(m_piece))
            if (!m_piece.isEmpty())
                return true;
        m_piece.resize(0);
        return false;
    }

    JsonSource &m_source;
    bool m_ours;
    QByteArray m_piece;
    qsizetype m_at = 0;
    qint64 m_before = 0; // bytes of the text before the piece
};

// One field of an item as it was read: its kind and value (a string as its
// bytes, a list by its first four entries), told apart only when it is
// used.
struct Slot {
    JsonKind kind = JsonKind::Absent;
    double number = 0;
    QByteArray bytes;
    bool fits = true;    // a string: within the bound it was read with
    int count = 0;       // a list: its entries
    bool numbers = true; // a list: every entry a number
    double entries[4] = {};

    void clear()
    {
        kind = JsonKind::Absent;
        fits = numbers = true;
        count = 0;
    }
};

// The fields of a version 1 item, checked as they are used; every
// complaint names where the item stands.
class ItemFields {
public:
    Slot type, text, color, direction, align, rect, from, to, width, penWidth, penColor, fill, png;
    Slot font, family, size, bold, underline;

    void clear()
    {
        for (Slot *s : all())
            s->clear();
    }

    std::array<Slot *, 18> all()
    {
        return {&type, &text, &color, &direction, &align, &rect, &from, &to, &width, &penWidth,
                &penColor, &fill, &png, &font, &family, &size, &bold, &underline};
    }

    Where where;
    Where fontWhere;

    [[noreturn]] void fail(const Slot &s, Why why, Why field) const
    {
        refuse(isFont(s) ? fontWhere : where, fieldProblem(why, field));
    }
    bool isFont(const Slot &s) const { return &s == &family || &s == &size || &s == &bold || &s == &underline; }

    const Slot &present(const Slot &s, Why field) const
    {
        if (s.kind == JsonKind::Absent)
            fail(s, Why::FieldMissing, field);
        return s;
    }
    double number(const Slot &s, Why field, double lo, double hi) const
    {
        if (present(s, field).kind != JsonKind::Number)
            fail(s, Why::FieldNotNumber, field);
        if (!inRange(s.number, lo, hi))
            fail(s, Why::FieldOutOfRange, field);
        return s.number;
    }
    QString string(const Slot &s, Why field, int maxLength) const
    {
        if (present(s, field).kind != JsonKind::String)
            fail(s, Why::FieldNotText, field);
        if (!s.fits)
            fail(s, Why::FieldTooLong, field);
        QString str = QString::fromUtf8(s.bytes);
        // Bytes that are no UTF-8, or a lone surrogate (an escape such as
        // \ud800), are no characters: kept, they would be written as others
        // when the report is saved again.
        if ((str.contains(QChar::ReplacementCharacter) && str.toUtf8() != s.bytes) || !str.isValidUtf16())
            fail(s, Why::FieldBrokenCharacter, field);
        if (str.size() > maxLength)
            fail(s, Why::FieldTooLong, field);
        return str;
    }
    bool boolean(const Slot &s, Why field) const
    {
        if (present(s, field).kind != JsonKind::True && s.kind != JsonKind::False)
            fail(s, Why::FieldNotBool, field);
        return s.kind == JsonKind::True;
    }
    QColor colorOf(const Slot &s, Why field) const
    {
        const QString str = string(s, field, 16);
        bool ok = false;
        const uint argb = str.mid(1).toUInt(&ok, 16);
        if (str.size() != 9 || !str.startsWith(QLatin1Char('#')) || !ok)
            fail(s, Why::FieldNotColor, field);
        return QColor::fromRgba(argb);
    }
    // A list of `n` numbers, the first two within the page's reach and, for
    // a box, the others a size.
    void list(const Slot &s, Why field, int n, bool box, double *out) const
    {
        if (present(s, field).kind != JsonKind::Array)
            fail(s, Why::FieldNotList, field);
        if (s.count != n)
            fail(s, Why::FieldWrongCount, field);
        if (!s.numbers)
            fail(s, Why::FieldNotNumber, field);
        for (int i = 0; i < n; ++i) {
            if (!inRange(s.entries[i], box && i >= 2 ? 0.0 : -kMaxCoordinate, kMaxCoordinate))
                fail(s, Why::FieldOutOfRange, field);
            out[i] = s.entries[i];
        }
    }
};

// Reads a version 1 file as it streams in, into the pages of a document
// held as a booklet laid out holds them, under the limits of version 2.
class Version1Reader {
public:
    Version1Reader(JsonSource &source, bool packed, const ReportFileLimits &limits)
        : m_json(source, packed), m_packed(packed), m_limits(limits)
    {
    }

    Document read()
    {
        m_json.skipSpace();
        if (m_json.peek() != '{') {
            if (m_packed)
                damaged(Why::ContentNotReport);
            foreign(Why::UnknownKind);
        }
        bool first = true, gotVersion = false, gotPage = false, gotPages = false;
        m_json.members([&](const QByteArray &name) {
            // Whether this is one of our files at all comes first.
            if (first) {
                first = false;
                QByteArray format;
                if (name != "format" || m_json.kind() != JsonKind::String || !m_json.string(format, 64) ||
                    format != kFormat.toUtf8())
                    foreign(Why::NoFormatMark);
                m_json.knownToBeOurs();
                return;
            }
            if (name == "version") {
                if (gotVersion)
                    refuse(Where{}, fieldProblem(Why::FieldTwice, Why::FieldVersion));
                gotVersion = true;
                if (m_json.kind() != JsonKind::Number)
                    refuse(Where{}, fieldProblem(Why::FieldNotNumber, Why::FieldVersion));
                checkVersion(m_json.number());
            } else if (name == "page") {
                if (gotPage)
                    refuse(Where{}, fieldProblem(Why::FieldTwice, Why::FieldPage));
                gotPage = true;
                readPageSize();
            } else if (name == "pages") {
                if (gotPages)
                    refuse(Where{}, fieldProblem(Why::FieldTwice, Why::FieldPages));
                gotPages = true;
                if (!gotPage)
                    damaged(Why::PageSizeFirst);
                if (m_json.kind() != JsonKind::Array)
                    refuse(Where{}, fieldProblem(Why::FieldNotList, Why::FieldPages));
                PageCheck check(m_limits, m_doc.pageSizePx());
                m_check = &check;
                m_json.elements([&] { readPage(); });
                m_check = nullptr;
            } else if (name == "format") {
                refuse(Where{}, fieldProblem(Why::FieldTwice, Why::FieldFormat));
            } else {
                m_json.skip();
            }
        });
        if (first)
            foreign(Why::NoFormatMark);
        m_json.skipSpace();
        if (m_json.peek() >= 0)
            damaged(Why::DataAfterEnd);
        for (const auto &[got, field] : {std::pair{gotVersion, Why::FieldVersion}, std::pair{gotPage, Why::FieldPage},
                                         std::pair{gotPages, Why::FieldPages}})
            if (!got)
                refuse(Where{}, fieldProblem(Why::FieldMissing, field));
        // Families are texts of the file too, as version 2 holds them.
        qint64 strings = m_doc.pages.strings().size();
        for (const QString &family : std::as_const(m_families))
            if (m_doc.pages.stringIdOf(family) < 0)
                ++strings;
        if (strings > m_limits.maxStrings)
            refuse(Where{}, problem(Why::Strings, m_limits.maxStrings));
        return std::move(m_doc);
    }

private:
    void checkVersion(double version)
    {
        if (version == 1)
            return;
        const qint64 whole = qint64(std::clamp(version, -1.0e15, 1.0e15));
        if (version != std::floor(version) || version < 1)
            damaged(Why::BadVersion, whole);
        // The JSON layout is version 1's alone; a later program might write
        // another.
        wrongVersion(whole);
    }

    void readPageSize()
    {
        const Where where{Why::PageSize};
        if (m_json.kind() != JsonKind::Object)
            refuse(Where{}, fieldProblem(Why::FieldNotObject, Why::FieldPage));
        std::optional<double> width, height;
        m_json.members([&](const QByteArray &name) {
            std::optional<double> *side = name == "width" ? &width : name == "height" ? &height : nullptr;
            if (!side) {
                m_json.skip();
                return;
            }
            const Why field = side == &width ? Why::FieldWidth : Why::FieldHeight;
            if (m_json.kind() != JsonKind::Number)
                refuse(where, fieldProblem(Why::FieldNotNumber, field));
            *side = m_json.number();
            if (!inRange(**side, 1, kMaxPageMm))
                refuse(where, fieldProblem(Why::FieldOutOfRange, field));
        });
        if (!width || !height)
            refuse(where, fieldProblem(Why::FieldMissing, width ? Why::FieldHeight : Why::FieldWidth));
        m_doc.pageSizeMm = QSizeF(*width, *height);
    }

    void readPage()
    {
        const qint64 number = m_doc.pages.size() + 1;
        if (number > m_limits.maxPages)
            refuse(Where{}, problem(Why::Pages, m_limits.maxPages));
        const Where where = pageWhere(number);
        if (m_json.kind() != JsonKind::Object)
            refuse(where, problem(Why::NotAnObject));
        m_doc.pages.addPage();
        m_check->startPage();
        bool gotItems = false;
        m_json.members([&](const QByteArray &name) {
            if (name != "items") {
                m_json.skip();
                return;
            }
            if (gotItems)
                refuse(where, fieldProblem(Why::FieldTwice, Why::FieldItems));
            gotItems = true;
            if (m_json.kind() != JsonKind::Array)
                refuse(where, fieldProblem(Why::FieldNotList, Why::FieldItems));
            qint64 item = 0;
            m_json.elements([&] { readItem(pageWhere(number, ++item)); });
        });
        if (!gotItems)
            refuse(where, fieldProblem(Why::FieldMissing, Why::FieldItems));
        if (const Problem p = m_check->endPage())
            refuse(where, p);
    }

    // The value of a field into its slot, a string within `most` bytes.
    void readSlot(Slot &s, Why field, qint64 most)
    {
        if (s.kind != JsonKind::Absent)
            refuse(m_fields.isFont(s) ? m_fields.fontWhere : m_fields.where, fieldProblem(Why::FieldTwice, field));
        s.kind = m_json.kind();
        switch (s.kind) {
        case JsonKind::String: s.fits = m_json.string(s.bytes, most); break;
        case JsonKind::Number: s.number = m_json.number(); break;
        case JsonKind::Array:
            m_json.elements([&] {
                if (m_json.kind() == JsonKind::Number) {
                    const double d = m_json.number();
                    if (s.count < 4)
                        s.entries[s.count] = d;
                } else {
                    s.numbers = false;
                    m_json.skip(1);
                }
                ++s.count;
            });
            break;
        default: m_json.skip(); break;
        }
    }

    void readItem(const Where &where)
    {
        ItemFields &f = m_fields;
        f.clear();
        f.where = where;
        f.fontWhere = where;
        f.fontWhere.part = Why::Font;
        if (m_json.kind() != JsonKind::Object)
            refuse(where, problem(Why::NotAnObject));
        // Strings are read within what they may hold: a text, in UTF-8,
        // takes at most three bytes a character, a picture four base64
        // characters for three bytes.
        const qint64 textBytes = 3 * qint64(m_limits.maxTextLength);
        const qint64 pngBytes = (m_limits.maxSectionBytes + 2) / 3 * 4;
        constexpr qint64 fieldBytes = 1024;
        m_json.members([&](const QByteArray &name) {
            struct Named {
                const char *name;
                Slot *slot;
                Why field;
                qint64 most;
            };
            const Named named[] = {
                {"type", &f.type, Why::FieldType, fieldBytes},
                {"text", &f.text, Why::FieldText, textBytes},
                {"color", &f.color, Why::FieldColor, fieldBytes},
                {"direction", &f.direction, Why::FieldDirection, fieldBytes},
                {"align", &f.align, Why::FieldAlign, fieldBytes},
                {"rect", &f.rect, Why::FieldRect, fieldBytes},
                {"from", &f.from, Why::FieldFrom, fieldBytes},
                {"to", &f.to, Why::FieldTo, fieldBytes},
                {"width", &f.width, Why::FieldWidth, fieldBytes},
                {"penWidth", &f.penWidth, Why::FieldPenWidth, fieldBytes},
                {"penColor", &f.penColor, Why::FieldPenColor, fieldBytes},
                {"fill", &f.fill, Why::FieldFill, fieldBytes},
                {"png", &f.png, Why::FieldPng, pngBytes},
            };
            if (name == "font") {
                if (f.font.kind != JsonKind::Absent)
                    refuse(where, fieldProblem(Why::FieldTwice, Why::FieldFont));
                f.font.kind = m_json.kind();
                if (f.font.kind != JsonKind::Object) {
                    m_json.skip();
                    return;
                }
                m_json.members([&](const QByteArray &key) {
                    if (key == "family")
                        readSlot(f.family, Why::FieldFamily, fieldBytes);
                    else if (key == "size")
                        readSlot(f.size, Why::FieldSize, fieldBytes);
                    else if (key == "bold")
                        readSlot(f.bold, Why::FieldBold, fieldBytes);
                    else if (key == "underline")
                        readSlot(f.underline, Why::FieldUnderline, fieldBytes);
                    else
                        m_json.skip();
                });
                return;
            }
            for (const Named &n : named)
                if (size_t(name.size()) == std::strlen(n.name) && std::memcmp(name.constData(), n.name, name.size()) == 0) {
                    readSlot(*n.slot, n.field, n.most);
                    return;
                }
            m_json.skip();
        });
        addItem(f);
    }

    void addItem(ItemFields &f)
    {
        PageCheck &check = *m_check;
        if (const Problem p = check.items(1))
            refuse(f.where, p);
        const QString type = f.string(f.type, Why::FieldType, 16);
        double v[5] = {};
        Problem wrong;
        DrawItem item;
        if (type == QLatin1String("text")) {
            TextRun run;
            if (f.text.kind == JsonKind::String && !f.text.fits)
                refuse(f.where, problem(Why::TextTooLong, m_limits.maxTextLength));
            run.text = f.string(f.text, Why::FieldText, std::numeric_limits<int>::max());
            if (run.text.size() > m_limits.maxTextLength)
                refuse(f.where, problem(Why::TextTooLong, m_limits.maxTextLength));
            if (f.present(f.font, Why::FieldFont).kind != JsonKind::Object)
                f.fail(f.font, Why::FieldNotObject, Why::FieldFont);
            run.font.family = f.string(f.family, Why::FieldFamily, kMaxFamilyLength);
            run.font.pointSize = f.number(f.size, Why::FieldSize, 0.01, kMaxFontPoints);
            run.font.bold = f.boolean(f.bold, Why::FieldBold);
            run.font.underline = f.boolean(f.underline, Why::FieldUnderline);
            run.font.color = f.colorOf(f.color, Why::FieldColor);
            const QString dir = f.string(f.direction, Why::FieldDirection, 8);
            if (dir == QLatin1String("rtl"))
                run.direction = Qt::RightToLeft;
            else if (dir == QLatin1String("ltr"))
                run.direction = Qt::LeftToRight;
            else
                refuse(f.where, problem(Why::UnknownDirection));
            const QString align = f.string(f.align, Why::FieldAlign, 8);
            if (align == QLatin1String("left"))
                run.alignment = Qt::AlignLeft;
            else if (align == QLatin1String("right"))
                run.alignment = Qt::AlignRight;
            else if (align == QLatin1String("center"))
                run.alignment = Qt::AlignHCenter;
            else
                refuse(f.where, problem(Why::UnknownAlignment));
            f.list(f.rect, Why::FieldRect, 4, true, v);
            run.rect = QRectF(v[0], v[1], v[2], v[3]);
            const PageList::HeldItem held = m_doc.pages.heldOf(run);
            wrong = check.text(run.text.size(), lineBreaksOf(run.text), held.ids[1], v, run.font.pixelSize(),
                               run.alignment);
            if (!wrong)
                add(held);
            if (m_doc.pages.strings().size() > m_limits.maxStrings)
                refuse(f.where, problem(Why::Strings, m_limits.maxStrings));
            if (m_doc.pages.styles().size() > m_limits.maxStyles)
                refuse(f.where, problem(Why::Styles_, m_limits.maxStyles));
            if (m_doc.pages.styles().size() > m_stylesSeen) {
                m_stylesSeen = m_doc.pages.styles().size();
                m_families.insert(run.font.family);
            }
        } else if (type == QLatin1String("line")) {
            LineItem line;
            f.list(f.from, Why::FieldFrom, 2, false, v);
            f.list(f.to, Why::FieldTo, 2, false, v + 2);
            line.p1 = QPointF(v[0], v[1]);
            line.p2 = QPointF(v[2], v[3]);
            line.width = v[4] = f.number(f.width, Why::FieldWidth, 0, kMaxPenWidth);
            line.color = f.colorOf(f.color, Why::FieldColor);
            item = line;
            wrong = check.line(v);
        } else if (type == QLatin1String("rect")) {
            RectItem r;
            f.list(f.rect, Why::FieldRect, 4, true, v);
            r.rect = QRectF(v[0], v[1], v[2], v[3]);
            r.penWidth = v[4] = f.number(f.penWidth, Why::FieldPenWidth, 0, kMaxPenWidth);
            r.penColor = f.colorOf(f.penColor, Why::FieldPenColor);
            r.fill = f.colorOf(f.fill, Why::FieldFill);
            item = r;
            wrong = check.rect(v, r.fill.alpha() > 0);
        } else if (type == QLatin1String("image")) {
            f.list(f.rect, Why::FieldRect, 4, true, v);
            const qsizetype picture = pictureOf(f);
            item = ImageItem{QRectF(v[0], v[1], v[2], v[3]), m_pictures[picture]};
            wrong = check.image(v, picture, m_pictureFacts[picture]);
            if (!wrong && m_pictures[picture].isNull()) {
                Why why = Why::None;
                m_pictures[picture] = decodePicture(m_png, m_pictureFacts[picture], why);
                if (m_pictures[picture].isNull())
                    refuse(f.where, problem(why));
                item = ImageItem{QRectF(v[0], v[1], v[2], v[3]), m_pictures[picture]};
            }
        } else {
            refuse(f.where, problem(Why::UnknownType));
        }
        if (wrong)
            refuse(f.where, wrong);
        if (!std::holds_alternative<TextRun>(item))
            add(m_doc.pages.heldOf(item));
    }

    void add(const PageList::HeldItem &held) { m_doc.pages.addHeld(held); }

    // The number of the item's picture among those met, a picture met for
    // the first time decoded only once the page's check lets it be (its
    // bytes in m_png until then).
    qsizetype pictureOf(const ItemFields &f)
    {
        if (f.present(f.png, Why::FieldPng).kind != JsonKind::String)
            f.fail(f.png, Why::FieldNotText, Why::FieldPng);
        if (!f.png.fits)
            refuse(f.where, problem(Why::PictureBytes, m_limits.maxSectionBytes >> 20));
        const QByteArray key = QCryptographicHash::hash(f.png.bytes, QCryptographicHash::Sha256);
        if (const auto it = m_pictureIds.constFind(key); it != m_pictureIds.constEnd())
            return it.value();
        const auto base64 = QByteArray::fromBase64Encoding(f.png.bytes, QByteArray::AbortOnBase64DecodingErrors);
        if (!base64 || base64.decoded.isEmpty())
            refuse(f.where, problem(Why::PictureNotBase64));
        if (m_pictures.size() >= m_limits.maxImages)
            refuse(f.where, problem(Why::Pictures, m_limits.maxImages));
        m_png = base64.decoded;
        const PictureFacts facts = pictureFacts(m_png);
        if (!facts.readable)
            refuse(f.where, problem(Why::NotAPicture));
        m_pictureIds.insert(key, m_pictures.size());
        m_pictures.push_back(QImage());
        m_pictureFacts.push_back(facts);
        return m_pictures.size() - 1;
    }

    JsonReader m_json;
    bool m_packed;
    const ReportFileLimits &m_limits;
    Document m_doc;
    PageCheck *m_check = nullptr;
    ItemFields m_fields;
    QSet<QString> m_families; // of the styles met
    qsizetype m_stylesSeen = 0;
    // The pictures met, by a digest of their text.
    QHash<QByteArray, qsizetype> m_pictureIds;
    QVector<QImage> m_pictures;
    QVector<PictureFacts> m_pictureFacts;
    QByteArray m_png; // the last picture met, until it is decoded
};

// ---------------------------------------------------------------- version 1: writing

// Writes the JSON text directly; a tree of JSON objects for hundreds of
// thousands of items costs several times as much.
class JsonWriter {
public:
    QByteArray out;

    void raw(const char *s) { out.append(s); }
    void key(const char *k)
    {
        out.append('"');
        out.append(k);
        out.append("\":");
    }
    void str(const QString &s)
    {
        out.append('"');
        const QByteArray u = s.toUtf8();
        for (char c : u) {
            switch (c) {
            case '"': out.append("\\\""); break;
            case '\\': out.append("\\\\"); break;
            case '\n': out.append("\\n"); break;
            case '\r': out.append("\\r"); break;
            case '\t': out.append("\\t"); break;
            default:
                if (uchar(c) < 0x20) {
                    char buf[8];
                    std::snprintf(buf, sizeof buf, "\\u%04x", unsigned(uchar(c)));
                    out.append(buf);
                } else {
                    out.append(c);
                }
            }
        }
        out.append('"');
    }
    void latin(const QByteArray &s)
    {
        out.append('"');
        out.append(s);
        out.append('"');
    }
    void num(double d)
    {
        if (!std::isfinite(d))
            d = 0;
        char buf[40];
        const auto r = std::to_chars(buf, buf + sizeof buf, d);
        out.append(buf, int(r.ptr - buf));
    }
    void boolean(bool b) { out.append(b ? "true" : "false"); }
    void color(const QColor &c)
    {
        char buf[16];
        std::snprintf(buf, sizeof buf, "\"#%08x\"", unsigned(c.rgba()));
        out.append(buf);
    }
    void rect(const QRectF &r)
    {
        out.append('[');
        num(r.x());
        out.append(',');
        num(r.y());
        out.append(',');
        num(r.width());
        out.append(',');
        num(r.height());
        out.append(']');
    }
    void point(const QPointF &p)
    {
        out.append('[');
        num(p.x());
        out.append(',');
        num(p.y());
        out.append(']');
    }
};

// ---------------------------------------------------------------- reading any version

Document readAny(QIODevice &dev, const ReportFileLimits &limits)
{
    const QByteArray head = dev.peek(kMagic.size());
    if (head == kMagic2) {
        dev.skip(kMagic2.size());
        return readVersion2(dev, limits);
    }
    if (head == kMagic) {
        dev.skip(kMagic.size());
        PackedJson json(dev);
        return Version1Reader(json, true, limits).read();
    }
    // A version 1 text file.
    const QByteArray start = dev.peek(4096);
    int i = 0;
    if (start.startsWith("\xEF\xBB\xBF"))
        i = 3;
    while (i < start.size() && (start[i] == ' ' || start[i] == '\n' || start[i] == '\r' || start[i] == '\t'))
        ++i;
    if (i >= start.size() || start[i] != '{')
        foreign(Why::UnknownKind);
    dev.skip(i);
    PlainJson json(dev);
    return Version1Reader(json, false, limits).read();
}

// The message of a ReportFileError with the file named after its head.
ReportFileError naming(const ReportFileError &e, const QString &path)
{
    const QString msg = e.message();
    const int nl = msg.indexOf(QLatin1Char('\n'));
    return ReportFileError(e.kind(), (nl < 0 ? msg : msg.left(nl)) + QStringLiteral(":\n") + path +
                                         (nl < 0 ? QString() : msg.mid(nl)));
}

ReportFileError failure(ReportFileError::Kind kind, const QString &head, const QString &path, Why why)
{
    return ReportFileError(kind, head + QStringLiteral(":\n") + path + detail(Where{}, problem(why)));
}

// Why a file could not be opened to be written, the system's error number
// first, then what the folder tells.
Why openForWriteCause(const QString &path, int error)
{
    const QFileInfo file(path);
    if (file.isDir())
        return Why::IsFolder;
    const QFileInfo folder(file.absolutePath());
    if (!folder.exists() || !folder.isDir())
        return Why::NoFolder;
    const Why told = writeCause(error);
    if (told != Why::WriteFailed && told != Why::NoFolder)
        return told;
    if (!folder.isWritable() || (file.exists() && !file.isWritable()))
        return Why::NoPermission;
    return Why::WriteFailed;
}

} // namespace

qint64 decodedPictureBytes() { return g_decodedPictureBytes; }

QString reportFileFilter()
{
    // The save and open dialogs speak Persian, as the rest of the program.
    return QStringLiteral("پرونده هاي گزارش (*.QRP *.qrp)");
}

int packingThreads(qint64 unpackedBytes)
{
    // A report of a few pages is packed on one thread; a booklet on the
    // cores there are, a few megabytes each.
    const qint64 perThread = 2 << 20;
    return int(std::clamp<qint64>(unpackedBytes / perThread, 1, std::max(1u, std::thread::hardware_concurrency())));
}

QByteArray encodeDocument(const Document &doc, bool compress, const ReportFileLimits &limits)
{
    FilePlan plan(doc, limits);
    QByteArray bytes;
    QBuffer out(&bytes);
    out.open(QIODevice::WriteOnly);
    plan.write(out, compress);
    return bytes;
}

Document decodeDocument(const QByteArray &data, const ReportFileLimits &limits)
{
    QByteArray copy = data;
    QBuffer buf(&copy);
    buf.open(QIODevice::ReadOnly);
    return readAny(buf, limits);
}

void saveDocument(const Document &doc, const QString &path, bool compress)
{
    // A file past the size the system lets a file be is refused by the
    // write, which says so, rather than by ending the program.
    static const bool quiet = [] {
        std::signal(SIGXFSZ, SIG_IGN);
        return true;
    }();
    (void)quiet;
    const auto failed = [&](const std::exception *e) {
        return failure(ReportFileError::Kind::CannotWrite, kCannotWrite, path,
                       dynamic_cast<const std::bad_alloc *>(e) ? Why::NoMemory : Why::Unexpected);
    };
    // Whatever the file cannot hold is refused before it is begun.
    std::optional<FilePlan> plan;
    try {
        plan.emplace(doc, ReportFileLimits());
    } catch (const ReportFileError &e) {
        throw naming(e, path);
    } catch (const std::exception &e) {
        throw failed(&e);
    } catch (...) {
        throw failed(nullptr);
    }
    QSaveFile file(path);
    // Unbuffered, so that a write that fails tells why at once.
    errno = 0;
    if (!file.open(QIODevice::WriteOnly | QIODevice::Unbuffered))
        throw failure(ReportFileError::Kind::CannotWrite, kCannotWrite, path, openForWriteCause(path, errno));
    // The pages are packed and written as they come; the file replaces an
    // earlier one only when it is whole.
    try {
        plan->write(file, compress);
    } catch (const ReportFileError &e) {
        file.cancelWriting();
        throw naming(e, path);
    } catch (const std::exception &e) {
        file.cancelWriting();
        throw failed(&e);
    } catch (...) {
        file.cancelWriting();
        throw failed(nullptr);
    }
    errno = 0;
    if (!file.commit())
        throw failure(ReportFileError::Kind::CannotWrite, kCannotWrite, path, openForWriteCause(path, errno));
}

void setSaveFaultForTest(SaveFault fault, int batch, int error)
{
    g_saveFaultBatch = batch;
    g_saveFaultError = error;
    g_saveFault = int(fault);
}

Document loadDocument(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        const QFileInfo info(path);
        const Why why = !info.exists() ? Why::NotFound
                        : info.isDir() ? Why::IsFolder
                        : !info.isReadable() ? Why::NoReadPermission
                                             : Why::ReadFailed;
        throw failure(ReportFileError::Kind::CannotOpen, kCannotOpen, path, why);
    }
    try {
        return readAny(file, ReportFileLimits());
    } catch (const ReportFileError &e) {
        throw naming(e, path);
    }
}

QString reportFileFailure(bool saving, const QString &path, const std::exception *e)
{
    return failure(saving ? ReportFileError::Kind::CannotWrite : ReportFileError::Kind::CannotOpen,
                   saving ? kCannotWrite : kCannotOpen, path,
                   dynamic_cast<const std::bad_alloc *>(e) ? Why::NoMemory : Why::Unexpected)
        .message();
}

QStringList reportFileReasonsForTest()
{
    QStringList out{kDamaged, kForeign, kNewer, kBeyond, kCannotOpen, kCannotWrite, kTooLarge};
    for (int w = int(Why::None) + 1; w < int(Why::Count); ++w) {
        Problem p = problem(Why(w), 1, 2, 3);
        if (phrase(Why(w)).contains(QLatin1String("%1")) && w >= int(Why::FieldMissing) &&
            w <= int(Why::FieldNotObject))
            p.field = Why::FieldRect;
        out << p.text();
    }
    return out;
}

QByteArray encodeDocumentVersion1(const Document &doc, bool compress)
{
    JsonWriter w;
    // "format" comes first, so that even a file cut short shows what it is.
    w.raw("{\"format\":");
    w.str(kFormat);
    w.raw(",\"version\":");
    w.num(1);
    w.raw(",\"page\":{\"width\":");
    w.num(doc.pageSizeMm.width());
    w.raw(",\"height\":");
    w.num(doc.pageSizeMm.height());
    w.raw("},\"pages\":[");
    QHash<qint64, QByteArray> pngCache;
    bool firstPage = true;
    for (const Page &page : doc.pages) {
        if (!firstPage)
            w.raw(",");
        firstPage = false;
        w.raw("{\"items\":[");
        bool firstItem = true;
        for (const DrawItem &item : page.items) {
            const auto *im = std::get_if<ImageItem>(&item);
            if (im && im->image.isNull())
                continue; // nothing to draw
            if (!firstItem)
                w.raw(",");
            firstItem = false;
            if (const auto *t = std::get_if<TextRun>(&item)) {
                w.raw("{\"type\":\"text\",\"text\":");
                w.str(t->text);
                w.raw(",\"font\":{\"family\":");
                w.str(t->font.family);
                w.raw(",\"size\":");
                w.num(t->font.pointSize);
                w.raw(",\"bold\":");
                w.boolean(t->font.bold);
                w.raw(",\"underline\":");
                w.boolean(t->font.underline);
                w.raw("},\"color\":");
                w.color(t->font.color);
                w.raw(t->direction == Qt::RightToLeft ? ",\"direction\":\"rtl\",\"align\":"
                                                      : ",\"direction\":\"ltr\",\"align\":");
                w.latin(alignText(t->alignment).toLatin1());
                w.raw(",\"rect\":");
                w.rect(t->rect);
                w.raw("}");
            } else if (const auto *l = std::get_if<LineItem>(&item)) {
                w.raw("{\"type\":\"line\",\"from\":");
                w.point(l->p1);
                w.raw(",\"to\":");
                w.point(l->p2);
                w.raw(",\"width\":");
                w.num(l->width);
                w.raw(",\"color\":");
                w.color(l->color);
                w.raw("}");
            } else if (const auto *r = std::get_if<RectItem>(&item)) {
                w.raw("{\"type\":\"rect\",\"rect\":");
                w.rect(r->rect);
                w.raw(",\"penWidth\":");
                w.num(r->penWidth);
                w.raw(",\"penColor\":");
                w.color(r->penColor);
                w.raw(",\"fill\":");
                w.color(r->fill);
                w.raw("}");
            } else if (im) {
                w.raw("{\"type\":\"image\",\"rect\":");
                w.rect(im->rect);
                w.raw(",\"png\":");
                QByteArray &png = pngCache[im->image.cacheKey()];
                if (png.isEmpty()) {
                    QByteArray bytes;
                    QBuffer buf(&bytes);
                    buf.open(QIODevice::WriteOnly);
                    im->image.save(&buf, "PNG");
                    png = bytes.toBase64();
                }
                w.latin(png);
                w.raw("}");
            }
        }
        w.raw("]}");
    }
    w.raw("]}");
    if (!compress)
        return w.out;
    // qCompress writes the 4-byte big-endian length and then the zlib stream.
    return kMagic + qCompress(w.out);
}


} // namespace pf::report
