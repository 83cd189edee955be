// The conversion table's arithmetic: every unit's factor both ways, the
// worked cases of the table, its rounding steps and the texts it refuses or
// lets pass while typing.
#include "boravest/help/UnitConversion.h"

#include <gtest/gtest.h>

#include <cmath>
#include <vector>

using namespace unitconv;

namespace {

struct FactorCase {
    int quantity;
    int unit;
    const char *factor;   // base units in one unit, as the table lists it
    const char *tenMillion; // base value of 10000000 of the unit
};

QString caption(const ConversionResults &r, int unit) { return r.captions[unit - 1].value_or(QStringLiteral("<kept>")); }

} // namespace

TEST(UnitConversion, EveryUnitBothWaysThroughTheBase)
{
    const std::vector<FactorCase> cases = {
        {Length, 2, "0.01", "100000"},          {Length, 3, "0.30475", "3047500"},
        {Length, 4, "0.025398", "253980"},      {Area, 2, "0.0001", "1000"},
        {Area, 3, "0.0928725625", "928726"},    {Area, 4, "0.000645058404", "6451"},
        {Volume, 2, "0.001", "10000"},          {Volume, 3, "0.0037854", "37854"},
        {Volume, 4, "0.0283", "283000"},        {Mass, 2, "1000", "10000000000"},
        {Mass, 3, "0.4535", "4535000"},         {Mass, 4, "0.06478", "647800"},
        {Velocity, 2, "0.0167", "167000"},      {Velocity, 3, "0.00508", "50800"},
        {Velocity, 4, "0.304799", "3047990"},   {Density, 2, "16.0185", "160185000"},
        {Density, 3, "27679.898", "276798980000"}, {Density, 4, "119.826", "1198260000"},
        {VolumeFlow, 2, "3.59999", "35999900"}, {VolumeFlow, 3, "1.69901", "16990100"},
        {VolumeFlow, 4, "0.22712", "2271200"},  {Pressure, 2, "0.02947", "294700"},
        {Pressure, 3, "0.03342", "334200"},     {Pressure, 4, "0.0013157", "13157"},
        {Pressure, 5, "0.068048", "680480"},    {Pressure, 6, "0.98022", "9802200"},
        {Pressure, 7, "0.96783", "9678300"},    {Energy, 2, "3.96832", "39683200"},
        {Energy, 3, "3412.142", "34121420000"}, {Energy, 4, "2544.432", "25444320000"},
        {Energy, 5, "0.9478", "9478000"},       {Conductance, 2, "0.204918", "2049180"},
        {Conductance, 3, "0.17611", "1761100"},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(testing::Message() << "quantity " << c.quantity << " unit " << c.unit);
        // To the base: ten million of the unit.
        EXPECT_EQ(caption(convert({c.quantity, c.unit, QStringLiteral("10000000")}), 1), QLatin1String(c.tenMillion));
        // From the base: one unit's worth of base units is one unit.
        EXPECT_EQ(caption(convert({c.quantity, 1, QLatin1String(c.factor)}), c.unit), QStringLiteral("1"));
    }
}

TEST(UnitConversion, WorkedCases)
{
    struct Case {
        int quantity;
        int source;
        const char *text;
        std::vector<const char *> captions; // unit 1 upwards
    };
    const std::vector<Case> cases = {
        {Length, 1, "1", {"1", "100", "3.3", "39.4"}},
        // From a unit other than the base, the rounded base value is carried on.
        {Length, 4, "1", {"0.025", "2.5", "0.082", "1"}},
        {Area, 3, "1", {"0.093", "930", "1", "144.2"}},
        {Energy, 3, "1", {"3412", "860", "1", "1.3", "3600"}},
        {Pressure, 6, "1", {"0.98", "33.3", "29.3", "745", "14.4", "1", "1"}},
        {Temperature, 2, "0", {"17.777778-", "0", "255.4", "459.7"}},
        {Temperature, 1, "25", {"25", "77", "298.2", "537"}},
        {Temperature, 1, "-40", {"-40", "-40", "233.2", "419.7"}},
        {Temperature, 3, "0", {"273.15-", "459.67-", "0", "0"}},
        {Temperature, 4, "491.67", {"0", "32", "273.2", "491.67"}},
        {Mass, 1, "0", {"0", "0", "0", "0"}},
        {Conductance, 1, "0", {"0", "0", "0"}},
        // The source panel shows the text exactly as typed.
        {Volume, 2, " 1.50", {"0.0015", " 1.50", "0.4", "0.053"}},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(testing::Message() << "quantity " << c.quantity << " text " << c.text);
        const ConversionResults r = convert({c.quantity, c.source, QLatin1String(c.text)});
        EXPECT_TRUE(r.error.isEmpty());
        for (size_t j = 0; j < c.captions.size(); ++j)
            EXPECT_EQ(caption(r, int(j) + 1), QLatin1String(c.captions[j])) << "unit " << j + 1;
    }
}

TEST(UnitConversion, RoundingSteps)
{
    const std::vector<std::pair<double, double>> cases = {
        {1234.5, 1234},         {500.4, 500},         {12.34, 12.3},          {0.1234, 0.12},
        {0.01234, 0.012},       {0.001234, 0.0012},   {0.0001234, 0.00012},   {0.00001234, 0.000012},
        {-40, -40},             {-17.7777777, -17.777778}, {-1234.5678, -1234.5678},
        // Far beyond any 64-bit whole number: comes back whole and unharmed.
        {1e19, 1e19},           {9.3e18, 9.3e18},     {-1e300, -1e300},       {1e300, 1e300},
    };
    for (const auto &[x, want] : cases)
        EXPECT_DOUBLE_EQ(RoundX(x), want) << x;
    EXPECT_TRUE(std::isinf(RoundX(INFINITY)));
}

TEST(UnitConversion, HugeValuesConvertWithoutOverflow)
{
    const ConversionResults r = convert({Mass, 2, QStringLiteral("1e300")});
    EXPECT_EQ(caption(r, 1), QStringLiteral("1E303"));
    EXPECT_EQ(caption(r, 3), QStringLiteral("2.20507166482911E303"));
}

TEST(UnitConversion, TextsThatAreNoNumber)
{
    struct Case {
        const char *text;
        bool reported;
    };
    // A number still being typed passes quietly; a text that can never
    // become one is reported once.
    const std::vector<Case> cases = {{"-", false},  {".", false},   {"-.", false}, {"+", false},  {"1e", false},
                                     {"2.5e-", false}, {" ", false}, {"abc", true}, {"1-2", true}, {"--1", true},
                                     {"1.2.3", true}, {"e5", true}};
    for (const auto &c : cases) {
        const ConversionResults r = convert({Length, 2, QLatin1String(c.text)});
        EXPECT_EQ(!r.error.isEmpty(), c.reported) << c.text;
        EXPECT_EQ(caption(r, 2), QLatin1String(c.text));
        EXPECT_EQ(caption(r, 1), QStringLiteral("<kept>")) << c.text;
    }
    // An empty text changes nothing at all.
    const ConversionResults empty = convert({Length, 1, QString()});
    for (const auto &cap : empty.captions)
        EXPECT_FALSE(cap.has_value());
}
