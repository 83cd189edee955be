// The match of masters and details under each of the four key rules.
#include "boravest/data/MasterDetail.h"

#include <gtest/gtest.h>

namespace {

using bv::data::KeyRule;
using bv::data::KeyValue;
using Key = std::array<KeyValue, 3>; // project, then two fields

constexpr KeyValue kMissing{0, true};
KeyValue n(double v) { return {v, false}; }

TEST(MasterDetail, EachRuleMatchesItsOwnWay)
{
    // The second project; a missing value; a 0; a number whose text is "1".
    const std::vector<Key> masters = {{n(1), n(1), n(2)}, {n(2), n(1), n(2)}, {n(1), kMissing, n(2)},
                                      {n(1), n(0), n(2)}};
    const std::vector<Key> details = {{n(1), n(1), n(2)},  {n(2), n(1), n(2)}, {n(1), kMissing, n(2)},
                                      {n(1), n(0), n(2)}, {n(1), n(1.0000000000000002), n(2)}};
    struct Case {
        KeyRule rule;
        std::vector<std::vector<int>> expected; // detail indexes per master
    };
    const Case cases[] = {
        {KeyRule::NumbersWithProject, {{0}, {1}, {2, 3}, {2, 3}}},
        {KeyRule::NumbersWithoutProject, {{0, 1}, {0, 1}, {2, 3}, {2, 3}}},
        {KeyRule::Texts, {{0, 1, 4}, {0, 1, 4}, {2}, {3}}},
        {KeyRule::MissingMatchesNothing, {{0, 1}, {0, 1}, {}, {3}}},
    };
    const auto same = [](const Key &k) { return k; };
    for (const Case &c : cases) {
        const bv::data::DetailRuns runs = bv::data::matchDetails<3>(c.rule, masters, same, details, same);
        for (size_t m = 0; m < masters.size(); ++m) {
            std::vector<int> found;
            for (int k = runs.runs[m].first; k < runs.runs[m].second; ++k)
                found.push_back(runs.order[size_t(k)]);
            EXPECT_EQ(found, c.expected[m]) << "rule " << int(c.rule) << ", master " << m;
        }
    }
}

// Details read as runs of one key: each master's details as one range of
// the details as read, or nothing when a key's details lie apart.
TEST(MasterDetail, RunsReadInKeyOrderGiveEachMasterOneRange)
{
    using Ranges = std::vector<std::pair<int, int>>;
    const std::vector<Key> masters = {{n(1), n(1), n(1)}, {n(1), n(1), n(2)}, {n(1), n(3), n(0)}, {n(1), n(1), n(1)}};
    struct Case {
        std::vector<Key> details; // as read
        std::optional<Ranges> expected;
    };
    const Case cases[] = {
        // In order, a missing value between runs, a key no master has.
        {{{n(1), n(1), n(1)}, {n(1), n(1), n(1)}, {n(1), kMissing, n(1)}, {n(1), n(1), n(2)}, {n(1), n(2), n(0)}},
         Ranges{{0, 2}, {3, 1}, {0, 0}, {0, 2}}},
        // Runs out of order, each key's details together.
        {{{n(1), n(1), n(2)}, {n(1), n(1), n(1)}, {n(1), n(1), n(1)}}, Ranges{{1, 2}, {0, 1}, {0, 0}, {1, 2}}},
        // A key met apart twice.
        {{{n(1), n(1), n(1)}, {n(1), n(1), n(2)}, {n(1), n(1), n(1)}}, std::nullopt},
    };
    const auto same = [](const Key &k) { return k; };
    for (size_t c = 0; c < std::size(cases); ++c) {
        bv::data::KeyRuns<3> runs;
        for (const Key &k : cases[c].details)
            bv::data::addToRuns(runs, k);
        EXPECT_EQ(bv::data::matchRuns<3>(KeyRule::MissingMatchesNothing, masters, same, runs), cases[c].expected)
            << "case " << c;
    }
}

} // namespace
