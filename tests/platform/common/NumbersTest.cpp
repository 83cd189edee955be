// Numbers written as text: the system's own form, the same in every locale
// and the same as the C library's printf writes it.
#include "platform/common/Numbers.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <cstring>
#include <limits>
#include <random>
#include <vector>

namespace {

// The text printf gives in the C locale, trimmed as the system writes it.
QString printfText(double v)
{
    char buf[64];
    const double a = std::fabs(v);
    std::snprintf(buf, sizeof buf, a >= 1e15 || a < 1e-4 ? "%.14E" : "%.15G", v);
    QString s = QString::fromLatin1(buf);
    const int e = s.indexOf(QLatin1Char('E'));
    QString mant = e >= 0 ? s.left(e) : s, expo = e >= 0 ? s.mid(e) : QString();
    if (mant.contains(QLatin1Char('.'))) {
        while (mant.endsWith(QLatin1Char('0')))
            mant.chop(1);
        if (mant.endsWith(QLatin1Char('.')))
            mant.chop(1);
    }
    if (!expo.isEmpty()) {
        QString digits = expo.mid(2);
        while (digits.size() > 1 && digits.startsWith(QLatin1Char('0')))
            digits.remove(0, 1);
        expo = QStringLiteral("E") + (expo.at(1) == QLatin1Char('-') ? QStringLiteral("-") : QString()) + digits;
    }
    return mant + expo;
}

} // namespace

TEST(Numbers, FloatsAreWrittenAsPrintfWritesThemInTheCLocale)
{
    const struct {
        double v;
        const char *text;
    } cases[] = {{12.5, "12.5"},       {0.403, "0.403"},  {-3, "-3"},         {1e20, "1E20"},
                 {0.1 + 0.2, "0.3"},   {2.675, "2.675"},  {1.5e-5, "1.5E-5"}, {-123456.789, "-123456.789"},
                 {0, "0"},             {1e15, "1E15"},    {1.0 / 3, "0.333333333333333"}};
    for (const auto &c : cases)
        EXPECT_EQ(pf::floatToStr(c.v), QString::fromLatin1(c.text)) << c.v;

    std::mt19937_64 gen(7);
    std::uniform_real_distribution<double> mantissa(-10, 10);
    std::uniform_int_distribution<int> exponent(-12, 22);
    for (int i = 0; i < 20000; ++i) {
        const double v = mantissa(gen) * std::pow(10.0, exponent(gen));
        ASSERT_EQ(pf::floatToStr(v), printfText(v)) << v;
    }
}

TEST(Numbers, RoundingToAWholeNumberKeepsWholeValuesTakesTiesToEvenAndStaysInRange)
{
    const struct {
        double v;
        int64_t rounded;
    } cases[] = {{7, 7},     {-7, -7},    {-0.0, 0},   {4503599627370495.0, 4503599627370495}, {0.5, 0},
                 {1.5, 2},   {-2.5, -2},  {2.4999, 2}, {-3.6, -4},                               {1e14 + 0.5, 100000000000000},
                 // beyond the range, the nearer end; no number, 0
                 {1e300, std::numeric_limits<int64_t>::max()}, {-1e300, std::numeric_limits<int64_t>::min()},
                 {std::nan(""), 0}};
    for (const auto &c : cases)
        EXPECT_EQ(pf::roundToInt(c.v), c.rounded) << c.v;
}

TEST(Numbers, RoundingTakesWrittenTiesToTheEvenNeighbour)
{
    const struct {
        double v;
        int decimals;
        double rounded;
    } cases[] = {{2.5, 0, 2},        {3.5, 0, 4},      {-2.5, 0, -2},     {0.285, 2, 0.28}, {0.295, 2, 0.3},
                 {1.0005, 3, 1.0},   {2.675, 2, 2.68}, {123.456, 1, 123.5}, {1e300, 2, 1e300}, {-0.0125, 3, -0.012}};
    for (const auto &c : cases)
        EXPECT_EQ(pf::roundHalfEven(c.v, c.decimals), c.rounded) << c.v << " " << c.decimals;

    // A tie is judged on the value's text at twelve decimals, as printf
    // writes it.
    std::mt19937_64 gen(11);
    std::uniform_int_distribution<int> thousandths(-2000000, 2000000);
    for (int i = 0; i < 20000; ++i) {
        const double v = thousandths(gen) / 1000.0;
        const double x = v * 100;
        char buf[64];
        std::snprintf(buf, sizeof buf, "%.12f", x);
        const double xs = std::strtod(buf, nullptr), fl = std::floor(xs);
        const double want = std::fabs(xs - fl - 0.5) < 1e-9 ? (std::fmod(fl, 2.0) == 0 ? fl : fl + 1) / 100
                                                            : std::nearbyint(x) / 100;
        ASSERT_EQ(pf::roundHalfEven(v, 2), x == std::floor(x) ? x / 100 : want) << v;
    }
    // So is any value, near a tie or not, of any size and number of decimals.
    std::uniform_real_distribution<double> mantissa(-10, 10);
    std::uniform_int_distribution<int> exponent(-6, 16), decimals(0, 4), nearTie(0, 3);
    for (int i = 0; i < 20000; ++i) {
        const int d = decimals(gen);
        const double scale = std::pow(10.0, d);
        double v = mantissa(gen) * std::pow(10.0, exponent(gen));
        if (nearTie(gen) == 0) // a hair beside a tie
            v = (std::floor(v * scale) + 0.5 + (mantissa(gen) * 1e-7)) / scale;
        const double x = v * scale;
        char buf[400];
        std::snprintf(buf, sizeof buf, "%.12f", x);
        const double xs = std::strtod(buf, nullptr), fl = std::floor(xs);
        const double want = std::fabs(x) < 1e15 && x == std::floor(x) ? (d == 0 ? v : x / scale)
                            : std::fabs(xs - fl - 0.5) < 1e-9        ? (std::fmod(fl, 2.0) == 0 ? fl : fl + 1) / scale
                                                                     : std::nearbyint(x) / scale;
        ASSERT_EQ(pf::roundHalfEven(v, d), want) << v << ' ' << d;
    }
}

// The digits of a Persian or Arabic keyboard read as 0-9.
TEST(Numbers, EasternDigitsAreTheDigits0To9)
{
    EXPECT_EQ(pf::latinDigits(QStringLiteral("۱۲۳۴۵۶۷۸۹۰")), QStringLiteral("1234567890"));
    EXPECT_EQ(pf::latinDigits(QStringLiteral("٢٠.٥-")), QStringLiteral("20.5-"));
    EXPECT_EQ(pf::latinDigits(QStringLiteral("اتاق 2")), QStringLiteral("اتاق 2"));
}

// What a page shows never carries an exponent.
TEST(Numbers, PlainTextsHaveNoExponent)
{
    const struct {
        double v;
        const char *text;
    } cases[] = {{12.5, "12.5"},
                 {-3, "-3"},
                 {1.5e-5, "0.000015"},
                 {-2.25e-7, "-0.000000225"},
                 {1e15, "1000000000000000"},
                 {1.2345678902346e22, "12345678902346000000000"},
                 {-1.5e17, "-150000000000000000"},
                 {999999999999999, "999999999999999"},
                 {0, "0"}};
    for (const auto &c : cases)
        EXPECT_EQ(pf::plainNumberText(c.v), QString::fromLatin1(c.text)) << c.v;
    EXPECT_TRUE(pf::showsAsTyped(999999999999999.0));
    EXPECT_FALSE(pf::showsAsTyped(-1e15));
    EXPECT_FALSE(pf::showsAsTyped(std::nan("")));
}

// Whatever the helpers write reads back, to the 15 digits they keep, and
// the plain texts never show an exponent: random values of every magnitude
// and the edges where rounding reaches 1E15 or passes the largest double.
TEST(Numbers, EveryTextWrittenReadsBack)
{
    constexpr double kMax = std::numeric_limits<double>::max();
    std::vector<double> values{999999999999999.5, 999999999999999.875, 999999999999999.375, 1e15, kMax,
                               -kMax, std::nextafter(kMax, 0), std::numeric_limits<double>::min(),
                               std::numeric_limits<double>::denorm_min(), 9.99999999999999999e-5, 1e-4, 0.1};
    std::mt19937_64 random(50);
    while (values.size() < 20000) {
        const quint64 bits = random();
        double v;
        std::memcpy(&v, &bits, sizeof v);
        if (std::isfinite(v))
            values.push_back(v);
    }
    for (const double v : values) {
        const double tolerance = std::fabs(v) * 1e-14 + std::numeric_limits<double>::denorm_min();
        const QString text = pf::floatToStr(v), plain = pf::plainNumberText(v);
        double read = 0, readPlain = 0;
        ASSERT_TRUE(pf::strToFloat(text, &read)) << text.toStdString();
        ASSERT_TRUE(pf::strToFloat(plain, &readPlain)) << plain.toStdString();
        EXPECT_LE(std::fabs(read - v), tolerance) << text.toStdString();
        EXPECT_EQ(readPlain, read) << plain.toStdString();
        EXPECT_FALSE(plain.contains(QLatin1Char('E'))) << plain.toStdString();
        // A value that shows as typed has at most 15 digits before the point.
        EXPECT_EQ(pf::showsAsTyped(v), plain.section(QLatin1Char('.'), 0, 0).remove(QLatin1Char('-')).size() <= 15)
            << plain.toStdString();
    }
    // Beyond what a double holds, either way, is no number.
    double v = 7;
    for (const QString &t : {QStringLiteral("1.8E308"), QStringLiteral(".") + QString(330, QLatin1Char('0')) + QLatin1Char('1')})
        EXPECT_FALSE(pf::strToFloat(t, &v)) << t.toStdString();
    EXPECT_EQ(v, 7);
}
