#include "boravest/sizing/Fittings.h"

#include "platform/common/Numbers.h"

namespace bv::sizing {

namespace {

constexpr double NoCell = -1;

// Equivalent length in ft of one fitting, by row (fitting kind and joint)
// and nominal size; NoCell where the row has no box. The threaded gate valve
// of 1 in is shorter than that of 3/4 in; it stays as published.
constexpr double FittingLengths[FittingRowCount][FittingSizeCount] = {
    {3.6, 4.4, 5.2, 6.6, 7.4, 8.5, 9.3, 11, 13, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1}, // 1 90 deg elbow, short radius, threaded
    {0.92, 1.2, 1.6, 2.1, 2.4, 3.1, 3.6, 4.4, 5.9, 7.3, 8.9, 12, 14, 17, 18, 21, 23, 25, 30}, // 2 90 deg elbow, short radius, welded
    {2.2, 2.3, 2.7, 3.2, 3.4, 3.6, 3.6, 4, 4.6, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1}, // 3 90 deg elbow, long radius, threaded
    {1.1, 1.3, 1.6, 2, 2.3, 2.7, 2.9, 3.4, 4.2, 5, 5.7, 7, 8, 9, 9.4, 10, 11, 12, 14}, // 4 90 deg elbow, long radius, welded
    {0.71, 0.92, 1.3, 1.7, 2.1, 2.7, 3.2, 4, 5.5, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1}, // 5 45 deg elbow, standard, threaded
    {0.45, 0.59, 0.81, 1.1, 1.3, 1.7, 2, 2.6, 3.5, 4.5, 5.6, 7.7, 9, 11, 13, 15, 16, 18, 22}, // 6 45 deg elbow, standard, welded
    {1.7, 2.4, 3.2, 4.6, 5.6, 7.7, 9.3, 12, 17, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1}, // 7 tee, flow through the run, threaded
    {0.69, 0.82, 1, 1.3, 1.5, 1.8, 1.9, 2.2, 2.8, 3.3, 3.8, 4.7, 5.2, 6, 6.4, 7.2, 7.6, 8.2, 9.6}, // 8 tee, flow through the run, welded
    {4.2, 5.3, 6.6, 8.7, 9.9, 12, 13, 17, 21, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1}, // 9 tee, flow through the branch, threaded
    {2, 2.6, 3.3, 4.4, 5.2, 6.6, 7.5, 9.4, 12, 15, 18, 24, 30, 34, 37, 43, 47, 52, 62}, // 10 tee, flow through the branch, welded
    {3.6, 4.4, 5.2, 6.6, 7.4, 8.5, 9.3, 11, 13, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1}, // 11 return bend, threaded
    {1.1, 1.3, 1.6, 2, 2.3, 2.7, 2.9, 3.4, 4.2, 5, 5.7, 7, 8, 9, 9.4, 10, 11, 12, 14}, // 12 return bend, welded
    {22, 24, 29, 37, 42, 54, 62, 79, 110, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1}, // 13 globe valve, threaded
    {38, 40, 45, 54, 59, 70, 77, 94, 120, 150, 190, 260, 310, 390, -1, -1, -1, -1, -1}, // 14 globe valve, flanged
    {0.56, 0.67, 0.64, 1.1, 1.2, 1.5, 1.7, 1.9, 2.5, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1}, // 15 gate valve, threaded
    {-1, -1, -1, -1, -1, 2.6, 2.7, 2.8, 2.9, 3.1, 3.2, 3.2, 3.2, 3.2, 3.2, 3.2, 3.2, 3.2, 3.2}, // 16 gate valve, flanged
    {15, 15, 17, 18, 18, 18, 18, 18, 18, 18, 18, -1, -1, -1, -1, -1, -1, -1, -1}, // 17 angle valve, threaded
    {15, 15, 17, 18, 18, 21, 22, 28, 38, 50, 63, 90, 120, 140, 160, 190, 210, 240, 300}, // 18 angle valve, flanged
    {8, 8.8, 11, 13, 15, 19, 22, 27, 38, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1}, // 19 swing check valve, threaded
    {3.8, 5.3, 7.2, 10, 12, 17, 21, 27, 38, 50, 63, 90, 120, 140, -1, -1, -1, -1, -1}, // 20 swing check valve, flanged
    {0.1, 0.13, 0.18, 0.26, 0.31, 0.43, 0.52, 0.67, 0.95, 1.3, 1.6, 2.3, 2.9, 3.5, 4, 4.7, 5.3, 6.1, 7.6}, // 21 bell-mouth pipe inlet
    {0.96, 1.3, 1.8, 2.6, 3.1, 4.3, 5.2, 6.7, 9.5, 13, 16, 23, 29, 35, 40, 47, 53, 61, 76}, // 22 square-edged pipe inlet
    {1.9, 2.6, 3.6, 5.1, 6.2, 8.5, 10, 13, 19, 25, 32, 45, 58, 70, 80, 95, 110, 120, 150}, // 23 re-entrant pipe inlet
    {5, 6.6, 7.7, 18, 20, 27, 29, 34, 42, 53, 61, -1, -1, -1, -1, -1, -1, -1, -1}, // 24 flanged strainer
    {0.21, 0.24, 0.29, 0.36, 0.39, 0.45, 0.47, 0.53, 0.65, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1}, // 25 union
    {0.21, 0.24, 0.29, 0.36, 0.39, 0.45, 0.47, 0.53, 0.65, -1, -1, -1, -1, -1, -1, -1, -1, -1, -1}, // 26 coupling
};

bool validCell(int row, int size)
{
    return row >= 1 && row <= FittingRowCount && size >= 1 && size <= FittingSizeCount;
}

// The (row, size) boxes of list `list` (0..12), in list order.
template <typename Fn>
void forEachCellOfList(int list, Fn &&fn)
{
    for (int row = 2 * list + 1; row <= 2 * list + 2; ++row)
        for (int size = 1; size <= FittingSizeCount; ++size)
            if (fittingHasCell(row, size))
                fn(row, size);
}

// Reads the items of a stored list into `fn(row, size, item)`: each item
// ends at its comma; an empty item is passed over.
template <typename Fn>
void readList(int list, const QString &text, Fn &&fn)
{
    qsizetype pos = 0;
    forEachCellOfList(list, [&](int row, int size) {
        if (pos < 0)
            return;
        const qsizetype comma = text.indexOf(QLatin1Char(','), pos);
        if (comma < 0) {
            pos = -1; // no item left
            return;
        }
        if (comma > pos)
            fn(row, size, text.mid(pos, comma - pos));
        pos = comma + 1;
    });
}

FittingsLength badCount()
{
    FittingsLength res;
    res.messages << QStringLiteral("تعداد اتصالات وشيرها را تصحيح كنيد");
    res.stopped = true;
    return res;
}

} // namespace

bool fittingHasCell(int row, int size)
{
    return validCell(row, size) && FittingLengths[row - 1][size - 1] != NoCell;
}

double fittingLength(int row, int size)
{
    return fittingHasCell(row, size) ? FittingLengths[row - 1][size - 1] : 0.0;
}

const QStringList &fittingListFields()
{
    static const QStringList fields{
        QStringLiteral("Z_90_K_Sir"),  QStringLiteral("Z_90_B_Sir"),   QStringLiteral("Z_45_M_Sir"),
        QStringLiteral("3R_S_Sir"),    QStringLiteral("3R_En_Sir"),    QStringLiteral("Z_B_U_Sir"),
        QStringLiteral("Sh_F_T_Sir"),  QStringLiteral("Sh_F_K_Sir"),   QStringLiteral("Sh_F_G_Sir"),
        QStringLiteral("Sh_1T_L_Sir"), QStringLiteral("S_L_Sh_LT_Sir"), QStringLiteral("S_L_T_Sa_Sir"),
        QStringLiteral("Bosh_Mohre"),
    };
    return fields;
}

QStringList fittingListsFromGrid(const FittingGrid &grid)
{
    QStringList lists;
    for (int list = 0; list < FittingListCount; ++list) {
        QString text;
        forEachCellOfList(list, [&](int row, int size) { text += grid.at(row, size) + QLatin1Char(','); });
        lists << text;
    }
    return lists;
}

FittingGrid fittingGridFromLists(const QStringList &lists)
{
    FittingGrid grid;
    for (int list = 0; list < FittingListCount && list < lists.size(); ++list)
        readList(list, lists[list], [&](int row, int size, const QString &item) { grid.at(row, size) = item; });
    return grid;
}

FittingsLength fittingsLengthOfGrid(const FittingGrid &grid)
{
    FittingsLength res;
    for (int row = 1; row <= FittingRowCount; ++row) {
        for (int size = 1; size <= FittingSizeCount; ++size) {
            if (!fittingHasCell(row, size))
                continue;
            // An empty box counts 0.
            double count = 0;
            if (!pf::strToFloat(QLatin1Char('0') + grid.at(row, size), &count))
                return badCount();
            res.length += count * fittingLength(row, size);
        }
    }
    return res;
}

FittingsLength fittingsLengthOfLists(const QStringList &lists)
{
    FittingsLength res;
    bool ok = true;
    for (int list = 0; list < FittingListCount && list < lists.size(); ++list) {
        readList(list, lists[list], [&](int row, int size, const QString &item) {
            double count = 0;
            if (!pf::strToFloat(item, &count))
                ok = false;
            res.length += count * fittingLength(row, size);
        });
    }
    return ok ? res : badCount();
}

} // namespace bv::sizing
