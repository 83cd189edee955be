// The PERSIAN collation: Persian alphabet order, with the Arabic forms of
// kaf and yeh equal to the Persian ones, Persian and Latin digits equal,
// Latin letters compared without case, and the zero-width non-joiner ignored.
#include "platform/db/Db.h"

#include <sqlite3.h>

#include <QHash>
#include <vector>

namespace pf::db {

namespace {

// Weight of a character: punctuation and blanks first (by code), then
// digits, Latin letters, then the Persian alphabet.
const QHash<char16_t, int> &persianWeights()
{
    static const QHash<char16_t, int> w = [] {
        QHash<char16_t, int> h;
        // Alphabet in reading order; several code points may share a letter.
        const std::vector<std::vector<char16_t>> letters = {
            {0x0622},                         // alef with madda
            {0x0627, 0x0623, 0x0625, 0x0671}, // alef and its hamza forms
            {0x0628}, {0x067E}, {0x062A}, {0x062B}, {0x062C}, {0x0686}, {0x062D}, {0x062E},
            {0x062F}, {0x0630}, {0x0631}, {0x0632}, {0x0698}, {0x0633}, {0x0634}, {0x0635},
            {0x0636}, {0x0637}, {0x0638}, {0x0639}, {0x063A}, {0x0641}, {0x0642},
            {0x06A9, 0x0643},                 // kaf: Persian and Arabic forms
            {0x06AF}, {0x0644}, {0x0645}, {0x0646},
            {0x0648, 0x0624},                 // waw, waw with hamza
            {0x0647, 0x0629, 0x06C0},         // heh, teh marbuta, heh with yeh
            {0x06CC, 0x064A, 0x0649, 0x0626}, // yeh: Persian, Arabic, alef maksura, with hamza
        };
        int k = 0;
        for (const auto &group : letters) {
            for (char16_t c : group)
                h.insert(c, 0x20000 + k);
            ++k;
        }
        return h;
    }();
    return w;
}

int weightOf(char16_t c)
{
    if (c == 0x200C || c == 0x200D || c == 0x0640) // ZWNJ, ZWJ, tatweel: ignored
        return -1;
    if (c >= 0x06F0 && c <= 0x06F9) // Persian digits
        c = u'0' + (c - 0x06F0);
    if (c >= 0x0660 && c <= 0x0669) // Arabic-Indic digits
        c = u'0' + (c - 0x0660);
    if (c >= u'0' && c <= u'9')
        return 0x10000 + (c - u'0');
    if (c >= u'A' && c <= u'Z')
        c = c - u'A' + u'a';
    if (c >= u'a' && c <= u'z')
        return 0x10100 + (c - u'a');
    auto it = persianWeights().constFind(c);
    if (it != persianWeights().constEnd())
        return it.value();
    if (c < 0x80)
        return c; // blanks and punctuation before letters
    return 0x30000 + c; // anything else after the alphabet, by code
}

int compareUtf16(const char16_t *a, int na, const char16_t *b, int nb)
{
    int i = 0, j = 0;
    for (;;) {
        int wa = -1, wb = -1;
        while (i < na && (wa = weightOf(a[i])) < 0)
            ++i;
        while (j < nb && (wb = weightOf(b[j])) < 0)
            ++j;
        if (i >= na || j >= nb)
            return (i >= na ? 0 : 1) - (j >= nb ? 0 : 1);
        if (wa != wb)
            return wa < wb ? -1 : 1;
        ++i;
        ++j;
    }
}

int sqliteCollate(void *, int na, const void *a, int nb, const void *b)
{
    const QString sa = QString::fromUtf8(static_cast<const char *>(a), na);
    const QString sb = QString::fromUtf8(static_cast<const char *>(b), nb);
    return persianCompare(sa, sb);
}

} // namespace

int persianCompare(const QString &a, const QString &b)
{
    return compareUtf16(reinterpret_cast<const char16_t *>(a.utf16()), a.size(),
                        reinterpret_cast<const char16_t *>(b.utf16()), b.size());
}

void registerPersianCollation(sqlite3 *db)
{
    sqlite3_create_collation(db, "PERSIAN", SQLITE_UTF8, nullptr, &sqliteCollate);
}

} // namespace pf::db
