#pragma once
// Equivalent length of the fittings and valves on the most complicated path
// of the heating circuit (`TFormT2.MoTMEtvSh`), and the move of their counts
// between the grid of the circulation-pump page and the equipment record.
//
// The grid has 26 rows (fitting kind and joint) by 19 nominal sizes (1/2,
// 3/4, 1, 1 1/4, 1 1/2, 2, 2 1/2, 3, 4, 5, 6, 8, 10, 12, 14, 16, 18, 20,
// 24 in); a row has a box only for the sizes in which its length is given,
// 353 boxes in all. The record keeps the counts of two rows in each of 13
// text fields: the boxes' texts in list order (the first row's boxes in
// rising size, then the second row's), each followed by a comma.
#include <QString>
#include <QStringList>

#include <array>

namespace bv::sizing {

inline constexpr int FittingRowCount = 26;
inline constexpr int FittingSizeCount = 19;
inline constexpr int FittingListCount = 13;

// Whether row `row` (1..26) has a box at size `size` (1..19).
bool fittingHasCell(int row, int size);
// Equivalent length (ft) of one fitting of the row and size; 0 without a box.
double fittingLength(int row, int size);

// The 13 fields of the equipment record, in list order: `Z_90_K_Sir` (rows
// 1, 2) to `S_L_T_Sa_Sir` (rows 23, 24) and `Bosh_Mohre` (rows 25, 26).
const QStringList &fittingListFields();

// The texts of the grid's boxes (digits, or empty for none). Boxes that do
// not exist stay empty.
struct FittingGrid {
    std::array<std::array<QString, FittingSizeCount>, FittingRowCount> counts;
    QString &at(int row, int size) { return counts[std::size_t(row - 1)][std::size_t(size - 1)]; }
    const QString &at(int row, int size) const { return counts[std::size_t(row - 1)][std::size_t(size - 1)]; }
    bool operator==(const FittingGrid &) const = default;
};

// The 13 lists to store, in the order of fittingListFields().
QStringList fittingListsFromGrid(const FittingGrid &grid);

// The grid to show for the 13 stored lists (mode 2). The grid starts empty:
// a box whose list is empty, short, or holds an empty item shows nothing
// rather than what the page showed before. A list with fewer than 13 entries
// counts its missing lists as empty; text after a list's last item is
// ignored, and so is an item without its comma.
FittingGrid fittingGridFromLists(const QStringList &lists);

struct FittingsLength {
    double length = 0; // ft: the total of count x length
    QStringList messages;
    bool stopped = false; // a count that is not a whole number; length 0
};

// Mode 1: the total of the grid's boxes as the page holds them.
FittingsLength fittingsLengthOfGrid(const FittingGrid &grid);
// Mode 3: the total of the stored lists, read as fittingGridFromLists reads them.
FittingsLength fittingsLengthOfLists(const QStringList &lists);

} // namespace bv::sizing
