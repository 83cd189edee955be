#pragma once
// Worked unit-heater cases that the page and the booklet must both show:
// each heater is rated G / (F x N), and entering air below 30 F takes the
// 30 F row of the factors.
struct UnitHeaterCase {
    const char *what;
    double ti, to1, water, load; // room F, project outdoor F, hot water F, Btu/h
    int heaters;
    const char *factor, *model; // as the page and the booklet print them
};

inline const UnitHeaterCase kUnitHeaterCases[] = {
    // 60000 / (1.10 x 2) = 27273 each (x 1.10 would ask for 33000: UH-40).
    {"entering air 50 F", 70, 30, 180, 60000, 2, "1.1", "UH-20"},
    // 60000 / 0.68 = 88235: above UH-60's 87900 (x 0.68 would take UH-40).
    {"150 F water, 70 F air", 70, 70, 150, 60000, 1, "0.68", "UH-80"},
    // 40000 / 1.33 = 30075 each; scaled to the air the factor would be 1.22.
    {"entering air 27.5 F", 60, -5, 180, 40000, 1, "1.33", "UH-40"},
    // Scaled to the air the factor would be 0 and UH-20 chosen for any load.
    {"entering air 0 F", 60, -60, 180, 40000, 1, "1.33", "UH-40"},
};
