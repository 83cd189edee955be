#pragma once
// The match of master rows and their details along a project's building
// chain (floor-and-unit rows, spaces, surfaces), in one place for every
// reader of the chain. A row's key is its place in the chain, the project
// first: (Shproje, Shsk, Tabage, Shvahed) for a floor-and-unit row and a
// space's unit, with Codefaza after them for a space and a surface's space.
// How two keys compare is the caller's rule, named where it matches:
//
//   NumbersWithProject     every field as a number, the project included;
//                          a missing value counts as 0 (the building load)
//   NumbersWithoutProject  the same without the project (the per-space
//                          sizings)
//   Texts                  the fields after the project as the texts the
//                          program writes them in, a missing value an empty
//                          text, so that it never matches a 0 (the
//                          collectors and risers)
//   MissingMatchesNothing  the fields after the project as numbers; a row
//                          with a value missing has no master and no details
//                          (the heating booklet, as its linked tables do)
#include <QtGlobal>

#include <algorithm>
#include <array>
#include <bit>
#include <deque>
#include <optional>
#include <utility>
#include <vector>

namespace bv::data {

enum class KeyRule { NumbersWithProject, NumbersWithoutProject, Texts, MissingMatchesNothing };

// One field of a key as read: its number (0 when it holds none), and
// whether it is missing. Packed: a large project holds some 200,000 of
// them, kept for a run; the padding of an aligned one would be nearly half.
struct [[gnu::packed]] KeyValue {
    double number = 0;
    bool null = true;
};

// The details of each master: for master m, order[runs[m].first] ..
// order[runs[m].second - 1], those of its key in the details' own order.
// Masters of one key share a run; a detail that can match nothing is in
// no run and not in `order`.
struct DetailRuns {
    std::vector<int> order;
    std::vector<std::pair<int, int>> runs;
};

namespace masterdetail {

// A key as the rule compares it: its fields as numbers (a text as the
// number of its distinct text), and whether it can match at all.
template <size_t N> struct Compared {
    std::array<double, N> key{};
    bool matches = true;
    bool operator<(const Compared &o) const { return key < o.key; }
};

// Numbers the texts of the key values, each distinct text once, per rule
// run; each field's last value is tried first, as a field keeps its value
// over many rows running.
class TextNumbers {
public:
    TextNumbers();
    ~TextNumbers();
    TextNumbers(const TextNumbers &) = delete;
    TextNumbers &operator=(const TextNumbers &) = delete;
    double operator()(size_t field, const KeyValue &v)
    {
        Last &last = m_last[field];
        const quint64 bits = std::bit_cast<quint64>(double(v.number));
        if (last.id < 0 || last.null != v.null || last.bits != bits)
            last = {bits, v.null, idOf(v)};
        return last.id;
    }

private:
    int idOf(const KeyValue &v);
    struct Last {
        quint64 bits = 0;
        bool null = false;
        int id = -1;
    };
    Last m_last[8];
    struct Impl;
    Impl *d;
};

// The keys of many rows, in small pieces: one piece of a large project's
// size would be mapped from the system afresh for every match.
template <size_t N> using ComparedRows = std::deque<Compared<N>>;

template <size_t N, class Rows, class KeyOf>
void compare(KeyRule rule, const Rows &rows, KeyOf keyOf, TextNumbers &texts, ComparedRows<N> &out)
{
    static_assert(N <= 8);
    out.resize(rows.size());
    auto c = out.begin();
    // The rule's loop apart, so that nothing is asked of it per row.
    switch (rule) {
    case KeyRule::NumbersWithProject:
        for (const auto &row : rows) {
            const std::array<KeyValue, N> k = keyOf(row);
            for (size_t i = 0; i < N; ++i)
                c->key[i] = k[i].number;
            ++c;
        }
        break;
    case KeyRule::NumbersWithoutProject:
        for (const auto &row : rows) {
            const std::array<KeyValue, N> k = keyOf(row);
            for (size_t i = 1; i < N; ++i)
                c->key[i] = k[i].number;
            ++c;
        }
        break;
    case KeyRule::Texts:
        for (const auto &row : rows) {
            const std::array<KeyValue, N> k = keyOf(row);
            for (size_t i = 1; i < N; ++i)
                c->key[i] = texts(i, k[i]);
            ++c;
        }
        break;
    case KeyRule::MissingMatchesNothing:
        for (const auto &row : rows) {
            const std::array<KeyValue, N> k = keyOf(row);
            for (size_t i = 1; i < N; ++i) {
                c->key[i] = k[i].number;
                c->matches = c->matches && !k[i].null;
            }
            ++c;
        }
        break;
    }
}

} // namespace masterdetail

// Matches `details` to `masters` by the keys `masterKey` and `detailKey`
// give (each a std::array<KeyValue, N>, the project first), compared by
// `rule`. Masters and details are each sorted once by their keys, unless
// they come in that order as they mostly do, and walked side by side.
template <size_t N, class Masters, class MasterKey, class Details, class DetailKey>
DetailRuns matchDetails(KeyRule rule, const Masters &masters, MasterKey masterKey, const Details &details,
                        DetailKey detailKey)
{
    using Compared = masterdetail::Compared<N>;
    masterdetail::TextNumbers texts;
    masterdetail::ComparedRows<N> m, d;
    masterdetail::compare<N>(rule, details, detailKey, texts, d);
    masterdetail::compare<N>(rule, masters, masterKey, texts, m);

    DetailRuns out;
    // The rows that can match, in the order of their keys (stable: a key's
    // rows stay in their own order).
    auto ordered = [](const masterdetail::ComparedRows<N> &rows) {
        std::vector<int> order;
        order.reserve(rows.size());
        bool sorted = true;
        for (size_t i = 0; i < rows.size(); ++i) {
            if (!rows[i].matches)
                continue;
            if (!order.empty() && rows[i] < rows[size_t(order.back())])
                sorted = false;
            order.push_back(int(i));
        }
        if (!sorted)
            std::stable_sort(order.begin(), order.end(),
                             [&](int a, int b) { return rows[size_t(a)] < rows[size_t(b)]; });
        return order;
    };
    out.order = ordered(d);
    out.runs.assign(m.size(), {0, 0});
    size_t at = 0;
    for (int i : ordered(m)) {
        const Compared &want = m[size_t(i)];
        while (at < out.order.size() && d[size_t(out.order[at])] < want)
            ++at;
        size_t end = at;
        while (end < out.order.size() && !(want < d[size_t(out.order[end])]))
            ++end;
        out.runs[size_t(i)] = {int(at), int(end)};
    }
    return out;
}

// Details read in the order of their keys, as the runs of details that
// follow each other with one key (a key the same value for value, which
// every rule takes as one key): a large project's details need no key each.
template <size_t N> struct KeyRun {
    std::array<KeyValue, N> key;
    int first = 0, count = 0; // the details as read
};
// A large project's runs, in small pieces.
template <size_t N> using KeyRuns = std::deque<KeyRun<N>>;

// Adds the next detail read, of `key`, to `runs`.
template <size_t N> void addToRuns(KeyRuns<N> &runs, const std::array<KeyValue, N> &key)
{
    if (!runs.empty()) {
        KeyRun<N> &last = runs.back();
        bool same = true;
        for (size_t i = 0; i < N && same; ++i)
            same = last.key[i].null == key[i].null && (key[i].null || last.key[i].number == key[i].number);
        if (same) {
            ++last.count;
            return;
        }
    }
    const int first = runs.empty() ? 0 : runs.back().first + runs.back().count;
    runs.push_back({key, first, 1});
}

// The details of each master, as `matchDetails` matches them, given as one
// range [first, first + count) of the details as read; or nothing when a
// master's details do not lie together so (details not read in the order
// of their keys).
template <size_t N, class Masters, class MasterKey>
std::optional<std::vector<std::pair<int, int>>> matchRuns(KeyRule rule, const Masters &masters, MasterKey masterKey,
                                                          const KeyRuns<N> &runs)
{
    const DetailRuns match =
        matchDetails<N>(rule, masters, masterKey, runs, [](const KeyRun<N> &r) { return r.key; });
    std::vector<std::pair<int, int>> ranges(match.runs.size(), {0, 0});
    for (size_t m = 0; m < match.runs.size(); ++m) {
        const auto [from, to] = match.runs[m];
        if (to - from > 1)
            return std::nullopt;
        if (to > from) {
            const KeyRun<N> &run = runs[size_t(match.order[size_t(from)])];
            ranges[m] = {run.first, run.count};
        }
    }
    return ranges;
}

} // namespace bv::data
