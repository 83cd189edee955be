#include "boravest/sizing/PlanRotation.h"

namespace building {

namespace {
// Rows: the turn in steps of 45 degrees; columns: N, S, E, W, NE, NW, SE, SW.
constexpr std::uint8_t kRotations[8][8] = {
    {0, 1, 2, 3, 4, 5, 6, 7}, // 0
    {4, 7, 6, 5, 2, 0, 1, 3}, // 45
    {2, 3, 1, 0, 6, 4, 7, 5}, // 90
    {6, 5, 7, 4, 1, 2, 3, 0}, // 135
    {1, 0, 3, 2, 7, 6, 5, 4}, // 180
    {7, 4, 5, 6, 3, 1, 0, 2}, // 225
    {3, 2, 0, 1, 5, 7, 4, 6}, // 270
    {5, 6, 4, 7, 0, 3, 2, 1}, // 315
};
} // namespace

PlanRotationTable PlanRotation = {0, 1, 2, 3, 4, 5, 6, 7};

PlanRotationTable planRotationForChoice(int choice)
{
    if (choice < 0 || choice > 7)
        choice = 0;
    PlanRotationTable t{};
    for (int i = 0; i < 8; ++i)
        t[i] = kRotations[choice][i];
    return t;
}

PlanRotationTable identityRotation()
{
    return {0, 1, 2, 3, 4, 5, 6, 7};
}

int RotateDirection(int code, const PlanRotationTable &table)
{
    if (code < 0 || code > 7)
        return code;
    return table[code];
}

} // namespace building
