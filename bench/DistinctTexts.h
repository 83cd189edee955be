#pragma once
// The distinct texts of a laid-out booklet and one layout of each: the text
// half of the booklets' floors.
#include "platform/report/Document.h"

#include <QSet>
#include <QTextLayout>

namespace benchtexts {

// A text as the booklet draws it: what a layout of it depends on.
struct DistinctText {
    QString text;
    pf::report::ReportFont font;
    Qt::LayoutDirection direction;
    Qt::Alignment alignment;
    bool operator==(const DistinctText &o) const = default;
};
inline size_t qHash(const DistinctText &t, size_t seed = 0)
{
    return qHashMulti(seed, t.text, t.font.family, t.font.pointSize, t.font.bold, int(t.direction),
                      int(t.alignment));
}

inline QSet<DistinctText> distinctTexts(const pf::report::Document &doc)
{
    QSet<DistinctText> distinct;
    for (const auto &page : doc.pages)
        for (const auto &item : page.items)
            if (const auto *t = std::get_if<pf::report::TextRun>(&item))
                distinct.insert({t->text, t->font, t->direction, t->alignment});
    return distinct;
}

// Lays each text out once; returns the sum of their widths.
inline double layOutEach(const QSet<DistinctText> &distinct)
{
    double width = 0;
    for (const DistinctText &t : distinct) {
        QTextLayout layout;
        pf::report::layoutParagraph(layout, t.text, t.font, t.direction, t.alignment, false, -1);
        width += layout.lineAt(0).naturalTextWidth();
    }
    return width;
}

} // namespace benchtexts
