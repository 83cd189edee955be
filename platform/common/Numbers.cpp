#include "platform/common/Numbers.h"

#include <algorithm>
#include <cerrno>
#include <charconv>
#include <clocale>
#include <cmath>
#include <iterator>
#include <limits>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <locale.h>

namespace pf {

namespace {
// A C-locale handle kept for the program's life, so that parsing and
// printing never follow the user's locale.
locale_t cLocale()
{
    static locale_t loc = newlocale(LC_ALL_MASK, "C", nullptr);
    return loc;
}
} // namespace

namespace {
QString formatFloat(double v);

// The largest value whose 15 significant digits have no more than 15
// digits before the point: from 999999999999999.5 on they read 1E15.
constexpr double kPlainLimit = 999999999999999.5;

// v in scientific form with 15 significant digits ("1.23450000000000e+19",
// as printf's %.14e writes it). Where rounding would pass the largest
// double, and the text would read as no number, the last digit is taken
// toward zero instead: 1.79769313486231e+308 for the largest double.
char *scientific15(double v, char *buf, char *end)
{
    char *const written = std::to_chars(buf, end, v, std::chars_format::scientific, 14).ptr;
    double back = 0;
    if (std::fabs(v) > 1e308 && std::from_chars(buf, written, back).ec == std::errc::result_out_of_range) {
        char *d = std::find(buf, written, 'e') - 1;
        for (; *d == '0'; --d)
            *d = '9';
        --*d;
    }
    return written;
}
} // namespace

QString keptText(quint64 key, QString (*make)(quint64 key))
{
    struct Made {
        quint64 key = 0;
        QString (*make)(quint64) = nullptr;
        QString text;
    };
    // In pairs, the one found last first: two texts a report prints in
    // turn keep their places in a pair they share.
    static thread_local Made made[512];
    Made *const pair = &made[(((key ^ quint64(quintptr(make))) * 0x9E3779B97F4A7C15ull) >> 56) * 2];
    const auto holds = [&](const Made &m) { return m.key == key && m.make == make && !m.text.isNull(); };
    if (holds(pair[0]))
        return pair[0].text;
    if (holds(pair[1])) {
        std::swap(pair[0], pair[1]);
        return pair[0].text;
    }
    pair[1] = std::move(pair[0]);
    pair[0] = Made{key, make, make(key)};
    return pair[0].text;
}

QString floatToStr(double v)
{
    quint64 bits;
    std::memcpy(&bits, &v, sizeof bits);
    return keptText(bits, [](quint64 key) {
        double d;
        std::memcpy(&d, &key, sizeof d);
        return formatFloat(d);
    });
}

namespace {

QString formatFloat(double v)
{
    if (std::isnan(v))
        return QStringLiteral("NAN");
    if (std::isinf(v))
        return v > 0 ? QStringLiteral("INF") : QStringLiteral("-INF");
    if (v == 0)
        return QStringLiteral("0");
    // Whole numbers, the most common case, need no formatting.
    if (std::fabs(v) < 1e15 && v == std::trunc(v))
        return QString::number(static_cast<qlonglong>(v));
    // to_chars with a precision writes what printf's %.14E and %.15G write
    // in the C locale, whatever the user's locale.
    char buf[64];
    const double a = std::fabs(v);
    const bool scientific = a >= 1e15 || a < 1e-4;
    const char *const written = scientific
                                    ? scientific15(v, buf, buf + sizeof buf)
                                    : std::to_chars(buf, buf + sizeof buf, v, std::chars_format::general, 15).ptr;
    const char *begin = buf;
    const char *end = written;
    const char *e = std::find(begin, end, 'e');
    // The mantissa without trailing zeros (or point).
    const char *mantEnd = e;
    if (std::find(begin, e, '.') != e) {
        while (mantEnd > begin && mantEnd[-1] == '0')
            --mantEnd;
        if (mantEnd > begin && mantEnd[-1] == '.')
            --mantEnd;
    }
    char out[64];
    char *o = std::copy(begin, mantEnd, out);
    if (e != end) {
        // "e+20" -> "E20", "e-05" -> "E-5"
        *o++ = 'E';
        const char *d = e + 1;
        if (*d == '-')
            *o++ = '-';
        if (*d == '+' || *d == '-')
            ++d;
        while (end - d > 1 && *d == '0')
            ++d;
        o = std::copy(d, end, o);
    }
    return QString::fromLatin1(out, o - out);
}

} // namespace

QString plainNumberText(double v)
{
    const double a = std::fabs(v);
    if (!std::isfinite(v) || v == 0 || (a >= 1e-4 && a < kPlainLimit))
        return floatToStr(v);
    // The 15 significant digits floatToStr would write, laid out with their
    // point where the exponent puts it.
    char buf[64];
    const char *const written = scientific15(v, buf, buf + sizeof buf);
    const char *begin = buf[0] == '-' ? buf + 1 : buf;
    const char *e = std::find(begin, written, 'e');
    int exponent = 0;
    std::from_chars(e + 1 + (e[1] == '+'), written, exponent);
    QByteArray digits(begin, 1);
    digits.append(begin + 2, int(e - begin - 2));
    while (digits.size() > 1 && digits.endsWith('0'))
        digits.chop(1);
    QByteArray out = buf[0] == '-' ? QByteArray("-") : QByteArray();
    if (exponent >= 0)
        out += digits + QByteArray(std::max<qsizetype>(0, exponent + 1 - digits.size()), '0');
    else
        out += "0." + QByteArray(-exponent - 1, '0') + digits;
    return QString::fromLatin1(out);
}

bool showsAsTyped(double v) { return std::isfinite(v) && std::fabs(v) < kPlainLimit; }

QString latinDigits(const QString &text)
{
    QString t = text;
    for (QChar &c : t) {
        const char16_t u = c.unicode();
        if (u >= 0x06F0 && u <= 0x06F9)
            c = QChar(u'0' + (u - 0x06F0));
        else if (u >= 0x0660 && u <= 0x0669)
            c = QChar(u'0' + (u - 0x0660));
    }
    return t;
}

bool strToFloat(const QString &text, double *out)
{
    const QByteArray b = text.trimmed().toLatin1();
    if (b.isEmpty())
        return false;
    // Only digits, one point, an optional leading sign and an exponent.
    for (char c : b) {
        if (!((c >= '0' && c <= '9') || c == '.' || c == '-' || c == '+' || c == 'e' || c == 'E'))
            return false;
    }
    locale_t old = uselocale(cLocale());
    errno = 0;
    char *end = nullptr;
    double v = std::strtod(b.constData(), &end);
    uselocale(old);
    // Out of range is a value too large for a double, or one too small
    // that became 0; a very small one kept with fewer digits (below
    // 2.2E-308, as floatToStr writes such values) is a number all the same.
    if (end != b.constData() + b.size() || (errno == ERANGE && (std::isinf(v) || v == 0)))
        return false;
    *out = v;
    return true;
}

bool strToInt(const QString &text, int64_t *out)
{
    bool ok = false;
    qlonglong v = text.trimmed().toLongLong(&ok, 10);
    if (!ok)
        return false;
    *out = v;
    return true;
}

namespace {
QString moveFirstMinus(const QString &text, bool toEnd)
{
    const qsizetype at = text.indexOf(QLatin1Char('-'));
    if (at < 0)
        return text;
    QString t = text;
    t.remove(at, 1);
    return toEnd ? t + QLatin1Char('-') : QLatin1Char('-') + t;
}
} // namespace

QString minusToEnd(const QString &text) { return moveFirstMinus(text, true); }

QString minusToFront(const QString &text) { return moveFirstMinus(text, false); }

bool exactBillionths(double v, int64_t *out)
{
    if (!std::isfinite(v) || std::fabs(v) >= 1e9)
        return false;
    const QString text = floatToStr(v);
    if (text.contains(QLatin1Char('E')))
        return false;
    const bool negative = text.startsWith(QLatin1Char('-'));
    const QString digits = negative ? text.mid(1) : text;
    const int point = int(digits.indexOf(QLatin1Char('.')));
    const QString whole = point < 0 ? digits : digits.left(point);
    QString decimals = point < 0 ? QString() : digits.mid(point + 1);
    if (decimals.size() > 9)
        return false;
    decimals = decimals.leftJustified(9, QLatin1Char('0'));
    bool ok = false, okDecimals = false;
    const qlonglong units = whole.toLongLong(&ok) * 1000000000LL + decimals.toLongLong(&okDecimals);
    if (!ok || !okDecimals)
        return false;
    *out = negative ? -units : units;
    return true;
}

double roundHalfEven(double v, int decimals)
{
    if (!std::isfinite(v))
        return v;
    // The powers of ten the roundings use most, exact as pow gives them,
    // without calling pow for every value.
    static constexpr double kPowersOfTen[] = {1e0, 1e1, 1e2, 1e3, 1e4, 1e5, 1e6, 1e7, 1e8};
    const double scale = decimals >= 0 && decimals < int(std::size(kPowersOfTen)) ? kPowersOfTen[decimals]
                                                                                  : std::pow(10.0, decimals);
    double x = v * scale;
    // A value already whole at that many decimals stays as it is (the common
    // case of whole temperatures and areas); no tie to judge.
    if (std::fabs(x) < 1e15 && x == std::floor(x))
        return decimals == 0 ? v : x / scale;
    // A value well away from a tie rounds to its nearest neighbour whatever
    // its decimal text (that text lies within a few units of the twelfth
    // decimal of it): only values near a tie are written out and judged.
    if (std::fabs(x) < 1e15 && std::fabs(x - std::floor(x) - 0.5) > 1e-6)
        return std::nearbyint(x) / scale;
    // Values like 0.285 are stored a hair below the tie; judge the tie on the
    // decimal text of the scaled value so that written ties behave as ties.
    // (to_chars and from_chars write and read as printf's "%.12f" and strtod
    // do in the C locale.)
    char buf[400];
    double xs = 0;
    const std::to_chars_result written = std::to_chars(buf, buf + sizeof buf, x, std::chars_format::fixed, 12);
    std::from_chars(buf, written.ptr, xs);
    double fl = std::floor(xs);
    double diff = xs - fl;
    double r;
    if (std::fabs(diff - 0.5) < 1e-9)
        r = std::fmod(fl, 2.0) == 0 ? fl : fl + 1;
    else
        r = std::nearbyint(x);
    return r / scale;
}

int64_t roundToInt(double v)
{
    // A whole value, the common case, is its own rounding.
    if (std::fabs(v) < 1e15 && v == std::trunc(v))
        return static_cast<int64_t>(v);
    // Beyond the range of the whole number the nearest end stands for it, and
    // a value that is no number counts as 0: the cast alone is undefined there.
    const double r = roundHalfEven(v, 0);
    constexpr double kEnd = 9223372036854775808.0; // 2^63
    if (!(r == r))
        return 0;
    if (r >= kEnd)
        return std::numeric_limits<int64_t>::max();
    if (r < -kEnd)
        return std::numeric_limits<int64_t>::min();
    return static_cast<int64_t>(r);
}

} // namespace pf
