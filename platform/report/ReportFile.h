#pragma once
// The saved report file (*.QRP): the rendered pages of a report, written
// from the preview of the design program and read by the standalone report
// printer, so a booklet prepared once can be printed later elsewhere.
//
// Format, version 2
// -----------------
// All numbers little-endian. The file starts with the 8 bytes "BRVQRPBN"
// and a 4-byte version (2), followed by sections, each
//
//   kind (1 byte), packing (1 byte: 0 stored, 1 zlib),
//   packed length (4 bytes), unpacked length (4 bytes), the packed bytes
//
// (Python: zlib.decompress(packed) when packing is 1). The kinds, in order:
//
//   'H' once, first: page width and height (8-byte doubles, millimetres),
//       then the counts of pages, strings, styles and images (4 bytes
//       each) and of items (8 bytes)
//   'S' strings: a count (4 bytes), then per string its UTF-8 length
//       (4 bytes) and bytes. Every distinct text and font family is stored
//       once; items refer to strings by their number (from 0, across all
//       string sections in order).
//   'F' text styles: a count, then per style the family (string number),
//       the size in points (double), flags (1 byte: 1 bold, 2 underline,
//       4 right to left), the alignment (1 byte: 0 left, 1 right, 2 centre,
//       absolute) and the colour (4 bytes, 0xAARRGGBB)
//   'I' one picture: the bytes of a PNG file
//   'P' one page: a count of items (4 bytes), then per item its kind
//       (1 byte) and fields, coordinates as doubles in pixels at 96 per inch
//       from the paper's top left corner:
//         1 text:  string, style (4 bytes each), x, y, w, h of the line's box
//         2 line:  x1, y1, x2, y2, width (doubles), colour (4 bytes)
//         3 rect:  x, y, w, h, pen width (doubles), pen colour, fill (4 bytes
//                  each; pen width 0: no outline, transparent fill: none)
//         4 image: x, y, w, h, picture number (4 bytes)
//   'E' once, last: the end of the file (empty)
//
// A page section can be read on its own once the strings, styles and
// pictures before it are known, so a reader holds one page's bytes at a
// time. Each section unpacks to at most ReportFileLimits::maxSectionBytes,
// and the sections together, past 16 MiB, to at most 200 times what they
// take packed (a section that would pass that, counted with those before
// it, is written stored).
//
// A picture is kept as what draws it: its header, palette, transparency,
// pixel data, resolution and colour space (a colour profile of at most
// 1 MiB unpacked); its notes (text chunks, packed or not) and whatever else
// it carries are left out when it is written and passed over unread when it
// is read, and pixel data that unpacks to more than its pixels take is
// damage.
//
// Version 1, which earlier versions of the program wrote, is still read,
// into the same pages under the same limits, as it streams in (its text is
// never held whole): one JSON object (UTF-8), either as it stands (the file
// then starts with "{") or packed: the 8 bytes "BRVQRPZ1", a 4-byte
// big-endian length of the JSON text, then the text packed with zlib. Its
// first member is "format"; "page" comes before "pages"; members of other
// names are passed over.
//
//   {"format": "Boravest report", "version": 1,
//    "page": {"width": 210, "height": 297},
//    "pages": [{"items": [ ... ]}, ...]}
//   {"type": "text", "text": "...", "font": {"family": "Titr", "size": 12,
//    "bold": true, "underline": false}, "color": "#ff000000",
//    "direction": "rtl" | "ltr", "align": "left" | "right" | "center",
//    "rect": [x, y, w, h]}
//   {"type": "line", "from": [x, y], "to": [x, y], "width": 1, "color": "#ff000000"}
//   {"type": "rect", "rect": [x, y, w, h], "penWidth": 1, "penColor": "...", "fill": "..."}
//   {"type": "image", "rect": [x, y, w, h], "png": "<base64 of a PNG file>"}
//
// Loading checks every field. A file that is not a report file is refused
// as Foreign; one that is damaged or cut short as Damaged; one of a version
// that could follow ours (up to kLastFollowingVersion) as NewerVersion, any
// other version as Damaged; one beyond a limit as BeyondLimits, naming the
// limit. Saving and loading keep to the same limits, so whatever is saved
// loads again; a report beyond them is refused when it is saved (TooLarge).
// Every message is Persian: its head, the file, and in parentheses where in
// the file and why.
#include "platform/report/Document.h"

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <exception>
#include <stdexcept>

namespace pf::report {

class ReportFileError : public std::runtime_error {
public:
    enum class Kind {
        CannotOpen,   // missing or unreadable file
        CannotWrite,  // the file could not be written
        Foreign,      // not a report file at all
        Damaged,      // a report file, but damaged or cut short
        NewerVersion, // written by a later version of the program
        TooLarge,     // the report is beyond what a report file may hold
        BeyondLimits, // a report file beyond a limit of what is opened
    };
    ReportFileError(Kind kind, const QString &msg)
        : std::runtime_error(msg.toStdString()), m_kind(kind), m_msg(msg)
    {
    }
    Kind kind() const { return m_kind; }
    QString message() const { return m_msg; }

private:
    Kind m_kind;
    QString m_msg;
};

// The file name pattern the open and save dialogs offer.
QString reportFileFilter();

constexpr int kReportFileVersion = 2;
// Versions a later program could write; a larger number is damage.
constexpr int kLastFollowingVersion = 32;

// What a report file may hold. Saving refuses a report beyond these, and
// loading a file beyond them.
//
// A file costs what a printed booklet of its size needs: the bounds on
// texts and pictures keep every page of a file within them painting in a
// small fraction of a second, and a small file from outside from taking
// more memory than a booklet would. A booklet of the program's own stays
// far inside each of them (a page of it shows a few hundred texts of a few
// dozen characters and, on its first page, one logo).
struct ReportFileLimits {
    int maxPages = 20000;
    int maxItemsPerPage = 250000;
    qint64 maxItems = 16000000;         // of the whole report
    // Characters of one text. A text is one line of a page: the longest a
    // page of A4 holds, in the smallest type, is a few hundred.
    int maxTextLength = 100000;
    // Characters of the texts of one page together, each text counted as
    // often as the page shows it. Painting lays every text of a page out,
    // at about a third of a microsecond and 35 bytes held per character:
    // a page of this many takes well under a tenth of a second and some
    // megabytes (a page of the booklet holds a few thousand).
    int maxPageTextLength = 200000;
    // Texts on one page: each is laid out on its own, some microseconds
    // apiece (a table page of the booklet holds some hundreds).
    int maxTextsPerPage = 10000;
    // Different text styles on one page: each font a page shows is made
    // ready for the screen or the printer the first time, some
    // milliseconds apiece (a page of the booklet shows fewer than a dozen).
    int maxStylesPerPage = 32;
    int maxStrings = 4000000;           // distinct texts and families
    int maxStyles = 1000000;            // distinct text styles
    int maxImages = 10000;              // distinct pictures
    int maxImageSide = 20000;           // pixels
    // What the pictures the pages show take decoded, together, told from
    // the PNG header of each (width x height x 4 bytes, 8 for 16-bit
    // colour) before any is decoded: a picture packs to almost nothing
    // whatever its size, so only its header says what it will cost, and
    // decoding takes about a second for 200 MiB. Three pictures of a full
    // A4 page at 300 dots per inch fit, or one photograph of 30 million
    // pixels (no picture may take more than 128 MiB decoded anyway); a
    // booklet shows a logo. Pictures that no page shows are never decoded.
    qint64 maxImageBytes = qint64(128) << 20;
    qint64 maxSectionBytes = 16 << 20;  // one section, unpacked
    // Layers of drawing in the deepest part of a page (PaintCover, which
    // says what a layer costs): painting what the window shows of a page
    // then takes a few tenths of a second at most, at any zoom (filling the
    // window once with a see-through colour takes about a millisecond). A
    // page of the booklets counts at most some 25 layers (a table some
    // ten, an installation drawing some 25).
    double maxPaintLayers = 250;
};

// Bytes of pictures this process has decoded while loading report files,
// all loads together; for tests and benchmarks.
qint64 decodedPictureBytes();

// How a file's sections are packed: each on its own with zlib at this level
// (level 2 packs a booklet in about a third of the time of the default level
// into a file a fifth larger), on packingThreads(n) threads for n unpacked
// bytes.
constexpr int kPackingLevel = 2;
int packingThreads(qint64 unpackedBytes);

// The bytes of a version 2 file. Throws ReportFileError(TooLarge or CannotWrite)
// when the document is beyond the limits or holds a value no file can.
QByteArray encodeDocument(const Document &doc, bool compress = true,
                          const ReportFileLimits &limits = ReportFileLimits());
// A version 1 file, as earlier versions of the program wrote it; for tests
// of reading older files.
QByteArray encodeDocumentVersion1(const Document &doc, bool compress = true);
// Throws ReportFileError (Foreign, Damaged, NewerVersion or BeyondLimits).
Document decodeDocument(const QByteArray &data, const ReportFileLimits &limits = ReportFileLimits());

// Writes the whole file or nothing (an existing file is replaced only when
// the new one is complete). The pages are packed and written as they come,
// so that a few megabytes are held beside the document whatever its size.
// Throws ReportFileError and nothing else: TooLarge (nothing is written),
// CannotWrite (also when memory, the packing or the writing failed on any of
// the packing threads; the earlier file stays as it was), the cause named:
// the disk full, the file larger than the system lets a file be, no
// permission, the folder missing, not enough memory.
void saveDocument(const Document &doc, const QString &path, bool compress = true);
// For tests: the saves that follow fail on purpose at the batch of sections
// `batch` (from 0), as memory running out while it is packed, zlib refusing
// it, or its writing would (the system telling `error`, an errno value).
// None ends it.
enum class SaveFault { None, Allocation, Compression, Writing };
void setSaveFaultForTest(SaveFault fault, int batch = 0, int error = 0);
// Throws ReportFileError; the message names the file.
Document loadDocument(const QString &path);

// The message of a save or a load of the file at `path` that failed
// otherwise than by a ReportFileError (memory running out, above all).
QString reportFileFailure(bool saving, const QString &path, const std::exception *e);

// Every reason and place a message of this file may give, its numbers
// given as 1, 2 and 3; for a test that they are all Persian.
QStringList reportFileReasonsForTest();

} // namespace pf::report
