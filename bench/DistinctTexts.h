#pragma once
// The distinct texts of a laid-out booklet and one layout of each: the text
// half of the booklets' floors.
#include "platform/report/Document.h"

#include <QDataStream>
#include <QFile>
#include <QFont>
#include <QHash>
#include <QSet>
#include <QTextLayout>

namespace benchtexts {

// A text as the booklet lays it out: what a layout of it depends on (its
// alignment and colour only place and paint the lines).
struct DistinctText {
    QString text;
    pf::report::ReportFont font;
    Qt::LayoutDirection direction;
    bool operator==(const DistinctText &o) const
    {
        return text == o.text && direction == o.direction && font.family == o.font.family &&
               font.pointSize == o.font.pointSize && font.bold == o.font.bold && font.underline == o.font.underline;
    }
};
inline size_t qHash(const DistinctText &t, size_t seed = 0)
{
    return qHashMulti(seed, t.text, t.font.family, t.font.pointSize, t.font.bold, t.font.underline, int(t.direction));
}

inline QSet<DistinctText> distinctTexts(const pf::report::Document &doc)
{
    QSet<DistinctText> distinct;
    for (const auto &page : doc.pages)
        for (const auto &item : page.items)
            if (const auto *t = std::get_if<pf::report::TextRun>(&item))
                distinct.insert({t->text, t->font, t->direction});
    return distinct;
}

// The texts written to a file and read back, for a floor run in a process
// of its own that has laid nothing out before.
inline bool saveTexts(const QString &path, const QSet<DistinctText> &distinct)
{
    QFile f(path);
    if (!f.open(QIODevice::WriteOnly))
        return false;
    QDataStream out(&f);
    out << qint64(distinct.size());
    for (const DistinctText &t : distinct)
        out << t.text << t.font.family << t.font.pointSize << t.font.bold << t.font.underline << int(t.direction);
    return out.status() == QDataStream::Ok;
}

inline QSet<DistinctText> loadTexts(const QString &path)
{
    QSet<DistinctText> distinct;
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        return distinct;
    QDataStream in(&f);
    qint64 n = 0;
    in >> n;
    for (qint64 i = 0; i < n && in.status() == QDataStream::Ok; ++i) {
        DistinctText t;
        int direction = 0;
        in >> t.text >> t.font.family >> t.font.pointSize >> t.font.bold >> t.font.underline >> direction;
        t.direction = Qt::LayoutDirection(direction);
        distinct.insert(t);
    }
    return distinct;
}

// Lays each text out once, each font resolved once; returns the sum of
// their widths.
inline double layOutEach(const QSet<DistinctText> &distinct)
{
    double width = 0;
    QHash<QString, QFont> fonts; // by family, size, weight and underline
    for (const DistinctText &t : distinct) {
        const QString key = t.font.family + QString::number(t.font.pointSize) + QLatin1Char(t.font.bold ? 'b' : '-') +
                            QLatin1Char(t.font.underline ? 'u' : '-');
        auto font = fonts.find(key);
        if (font == fonts.end())
            font = fonts.insert(key, QFont(t.font.toQFont(), pf::report::layoutDevice()));
        QTextLayout layout;
        pf::report::layoutParagraph(layout, t.text, *font, t.direction, Qt::AlignLeft, false, -1);
        width += layout.lineAt(0).naturalTextWidth();
    }
    return width;
}

} // namespace benchtexts
