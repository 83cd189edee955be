#pragma once
// Turning a floor plan: the heating-load booklet may print the building
// turned clockwise in steps of 45 degrees. A table maps each direction code
// (0 N, 1 S, 2 E, 3 W, 4 NE, 5 NW, 6 SE, 7 SW) to its code after the turn.
#include <array>
#include <cstdint>

namespace building {

using PlanRotationTable = std::array<std::uint8_t, 8>;

// The rotation last chosen for the booklet preview; starts unturned.
// Only the booklet reads it; stored direction codes are never changed.
extern PlanRotationTable PlanRotation;

// Table of the rotation choice 0..7 (0, 45, 90, ..., 315 degrees clockwise).
// Any other choice gives the unturned table.
PlanRotationTable planRotationForChoice(int choice);

// The unturned table (every code maps to itself).
PlanRotationTable identityRotation();

// Maps a direction code 0..7 through the table; any other value (for
// example -1 of a surface without direction) comes back unchanged.
int RotateDirection(int code, const PlanRotationTable &table);

} // namespace building
