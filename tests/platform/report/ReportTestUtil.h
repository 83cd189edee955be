#pragma once
// Reading rendered pages in the report tests.
#include "platform/report/Document.h"

#include <optional>

#include <QGlyphRun>
#include <QRawFont>
#include <QStringList>
#include <QTextLayout>

#include <limits>
#include <ostream>

QT_BEGIN_NAMESPACE
// Readable texts in test failures.
inline void PrintTo(const QString &s, std::ostream *os) { *os << '"' << s.toStdString() << '"'; }
QT_END_NAMESPACE

namespace reporttest {

// Texts of the page's text runs, in drawing order.
inline QStringList texts(const pf::report::Page &page)
{
    QStringList out;
    for (const auto &item : page.items)
        if (const auto *t = std::get_if<pf::report::TextRun>(&item))
            out << t->text;
    return out;
}

inline QStringList allTexts(const pf::report::Document &doc)
{
    QStringList out;
    for (const auto &p : doc.pages)
        out << texts(p);
    return out;
}

// The first text run with exactly this text; none when there is none.
// *pageIndex receives the 0-based page. A copy: the document hands out each
// page as a copy of its own, gone with the loop that asked for it.
inline std::optional<pf::report::TextRun> findRun(const pf::report::Document &doc, const QString &text,
                                                  int *pageIndex = nullptr)
{
    for (int p = 0; p < doc.pages.size(); ++p) {
        const pf::report::Page page = doc.pages[p];
        for (const auto &item : page.items)
            if (const auto *t = std::get_if<pf::report::TextRun>(&item); t && t->text == text) {
                if (pageIndex)
                    *pageIndex = p;
                return *t;
            }
    }
    return std::nullopt;
}

// Where a part of a text run shows as the page paints and prints it (the
// run laid out through a paint cache): the left edge of its glyphs, and the
// leftmost glyph with its font (so a bracket's shape can be told).
struct ShownPart {
    double left = std::numeric_limits<double>::max();
    quint32 glyph = 0;
    QRawFont font;
    // Whether the part's leftmost glyph is that of the character.
    bool shows(QChar c) const { return glyph == font.glyphIndexesForString(QString(c)).value(0); }
};

inline ShownPart shownPart(const pf::report::TextRun &run, const QString &part, qsizetype from = 0)
{
    pf::report::PaintCache cache;
    const QTextLayout &layout = cache.layout(run);
    ShownPart p;
    for (const QGlyphRun &r : layout.glyphRuns(int(run.text.indexOf(part, from)), int(part.size())))
        for (int i = 0; i < r.positions().size(); ++i)
            if (r.positions()[i].x() < p.left)
                p = {r.positions()[i].x(), r.glyphIndexes()[i], r.rawFont()};
    return p;
}

template <class T> int countItems(const pf::report::Page &page)
{
    int n = 0;
    for (const auto &item : page.items)
        n += std::holds_alternative<T>(item) ? 1 : 0;
    return n;
}

} // namespace reporttest
