#pragma once
// The saved report file (*.QRP): the rendered pages of a report, written
// from the preview of the design program and read by the standalone report
// printer, so a booklet prepared once can be printed later elsewhere.
//
// Format, version 1
// -----------------
// The file holds one JSON object (UTF-8), either as it stands (the file then
// starts with "{") or compressed: the 8 bytes "BRVQRPZ1", then a 4-byte
// big-endian length of the JSON text, then the JSON text compressed with
// zlib (Python: json.loads(zlib.decompress(data[12:]))).
//
//   {
//     "format": "Boravest report",       always this text
//     "version": 1,                      files of a later version are refused
//     "page": {"width": 210, "height": 297},     paper size, millimetres
//     "pages": [                         in print order
//       {"items": [ ... ]}               drawn in list order
//     ]
//   }
//
// Item kinds; coordinates are pixels at 96 per inch from the paper's top
// left corner, rectangles [x, y, width, height], colours "#AARRGGBB":
//   {"type": "text", "text": "...",  one line, in logical (typing) order
//    "font": {"family": "Titr", "size": 12 (points), "bold": true, "underline": false},
//    "color": "#ff000000",
//    "direction": "rtl" | "ltr",       base direction of the line
//    "align": "left" | "right" | "center",   absolute, not mirrored
//    "rect": [x, y, w, h]}             the line's box; the text sits at its top
//   {"type": "line", "from": [x, y], "to": [x, y], "width": 1, "color": "#ff000000"}
//   {"type": "rect", "rect": [x, y, w, h], "penWidth": 1 (0: no outline),
//    "penColor": "#ff000000", "fill": "#00000000" (transparent: no fill)}
//   {"type": "image", "rect": [x, y, w, h], "png": "<base64 of a PNG file>"}
//
// Loading checks every field; a file that is not a report file, or one that
// is damaged or cut short, is refused with a ReportFileError.
#include "platform/report/Document.h"

#include <QByteArray>
#include <QString>

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

constexpr int kReportFileVersion = 1;

QByteArray encodeDocument(const Document &doc, bool compress = true);
// Throws ReportFileError (Foreign, Damaged or NewerVersion).
Document decodeDocument(const QByteArray &data);

// Writes the whole file or nothing (an existing file is replaced only when
// the new one is complete). Throws ReportFileError(CannotWrite).
void saveDocument(const Document &doc, const QString &path, bool compress = true);
// Throws ReportFileError; the message names the file.
Document loadDocument(const QString &path);

} // namespace pf::report
