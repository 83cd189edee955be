#include "platform/common/Numbers.h"

#include <cerrno>
#include <clocale>
#include <cmath>
#include <iterator>
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

QString floatToStr(double v)
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
    char buf[64];
    locale_t old = uselocale(cLocale());
    const double a = std::fabs(v);
    if (a >= 1e15 || a < 1e-4) {
        std::snprintf(buf, sizeof buf, "%.14E", v);
    } else {
        std::snprintf(buf, sizeof buf, "%.15G", v);
    }
    uselocale(old);
    QString s = QString::fromLatin1(buf);
    // Trim trailing zeros of the mantissa.
    int e = s.indexOf(QLatin1Char('E'));
    QString mant = e >= 0 ? s.left(e) : s;
    QString expo = e >= 0 ? s.mid(e) : QString();
    if (mant.contains(QLatin1Char('.'))) {
        while (mant.endsWith(QLatin1Char('0')))
            mant.chop(1);
        if (mant.endsWith(QLatin1Char('.')))
            mant.chop(1);
    }
    if (!expo.isEmpty()) {
        // "E+20" -> "E20", "E-05" -> "E-5"
        QChar sign = expo.at(1);
        QString digits = expo.mid(2);
        while (digits.size() > 1 && digits.startsWith(QLatin1Char('0')))
            digits.remove(0, 1);
        expo = QStringLiteral("E") + (sign == QLatin1Char('-') ? QStringLiteral("-") : QString()) + digits;
    }
    return mant + expo;
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
    if (end != b.constData() + b.size() || errno == ERANGE)
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
    // Values like 0.285 are stored a hair below the tie; judge the tie on the
    // decimal text of the scaled value so that written ties behave as ties.
    char buf[64];
    locale_t old = uselocale(cLocale());
    std::snprintf(buf, sizeof buf, "%.12f", x);
    double xs = std::strtod(buf, nullptr);
    uselocale(old);
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
    return static_cast<int64_t>(roundHalfEven(v, 0));
}

} // namespace pf
