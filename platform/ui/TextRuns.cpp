#include "platform/ui/TextRuns.h"

#include <QVector>

#include <algorithm>

namespace pf::ui {

namespace {

constexpr QChar kIsolateLeftToRight(0x2066); // LRI
constexpr QChar kPopIsolate(0x2069);         // PDI
constexpr QChar kLeftToRightMark(0x200E);

bool isLatinLetter(QChar c) { return c.direction() == QChar::DirL && c.isLetter(); }

bool isSeparator(QChar c) { return c == QLatin1Char('/') || c == QLatin1Char('\\'); }

// A mark or digit that belongs to the Latin letter after it: the "*." of a
// file pattern, the "." of an extension, a "#" or a digit.
bool clingsToLetter(QChar c)
{
    switch (c.unicode()) {
    case '*': case '?': case '.': case '#': case '_': case '~': case '@':
        return true;
    default:
        return c.direction() == QChar::DirEN;
    }
}

QString pathInOrder(const QString &text)
{
    QString out;
    out.reserve(text.size() * 2 + 2);
    out += kIsolateLeftToRight;
    for (QChar c : text) {
        out += c;
        if (isSeparator(c))
            out += kLeftToRightMark;
    }
    out += kPopIsolate;
    return out;
}

QString latinRunsWhole(const QString &text)
{
    const qsizetype n = text.size();
    QVector<std::pair<qsizetype, qsizetype>> runs; // [from, to)
    for (qsizetype i = 0; i < n;) {
        if (!isLatinLetter(text[i])) {
            ++i;
            continue;
        }
        qsizetype last = i, j = i;
        for (; j < n && !isPersianLetter(text[j]); ++j)
            if (isLatinLetter(text[j]))
                last = j;
        qsizetype to = last + 1;
        while (to < n && text[to].direction() == QChar::DirEN)
            ++to;
        qsizetype from = i;
        const qsizetype floor = runs.isEmpty() ? 0 : runs.last().second;
        while (from > floor && clingsToLetter(text[from - 1]))
            --from;
        // Marks between a Persian word and a Latin one part them ("نام.png").
        if (from > 0 && isPersianLetter(text[from - 1]))
            from = i;
        runs.append({from, to});
        i = j;
    }
    if (runs.isEmpty())
        return text;
    QString out;
    out.reserve(n + 2 * runs.size());
    qsizetype at = 0;
    for (const auto &[from, to] : runs) {
        out += QStringView(text).mid(at, from - at);
        out += kIsolateLeftToRight;
        out += QStringView(text).mid(from, to - from);
        out += kPopIsolate;
        at = to;
    }
    out += QStringView(text).mid(at);
    return out;
}

bool hasPersianLetter(const QString &text) { return std::any_of(text.begin(), text.end(), isPersianLetter); }

} // namespace

bool isPath(const QString &text)
{
    const QString t = text.trimmed();
    if (t.size() < 2)
        return false;
    if (t.startsWith(QLatin1Char('/')) || t.startsWith(QLatin1String("~/")) || t.startsWith(QLatin1String("\\\\")))
        return true;
    return t.size() >= 3 && t[0].isLetter() && t[0].unicode() < 128 && t[1] == QLatin1Char(':') && isSeparator(t[2]);
}

QString laidOutText(const QString &text, Qt::LayoutDirection direction)
{
    if (!hasPersianLetter(text))
        return text;
    if (isPath(text))
        return pathInOrder(text);
    return direction == Qt::RightToLeft ? latinRunsWhole(text) : text;
}

bool isPersianLetter(QChar c)
{
    const QChar::Direction d = c.direction();
    return d == QChar::DirR || d == QChar::DirAL;
}

} // namespace pf::ui
