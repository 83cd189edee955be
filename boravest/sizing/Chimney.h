#pragma once
// Boiler chimney (`TFormT2.PrDodkesh`): equivalent height, flue cross-section
// one boiler needs, circular diameter and the side of a square flue.
//
// Page mode reads the page boxes and the capacity per boiler from the
// page's capacity box (rounded); report mode reads the record and takes the
// capacity per boiler, unrounded, from the boiler sizing run in report mode.
// Both modes show the same messages.
#include <QString>
#include <QStringList>

namespace bv::sizing {

struct ChimneyInputs {
    double TAmD = 0; // vertical length of the chimney, ft
    double TOfD = 0; // horizontal length of the flue, ft
    int TeDo = 0;    // number of chimneys
    // Elbows on the flue path (30, 45, 60, 90 degrees); entered and stored
    // but they do not lengthen the equivalent height.
    int Zano30 = 0, Zano45 = 0, Zano60 = 0, Zano90 = 0;
    int TySo = 0;               // fuel: 0 gas oil, 1 city gas
    double capacityPerBoiler = 0; // Q, Btu/h
};

struct ChimneyResults {
    double heightFt = 0;       // equivalent height H
    double areaSqIn = 0;       // flue cross-section A
    double diameterIn = 0;     // D
    int diameterShown = 0;     // D rounded, ties to even (panel row 3, booklet)
    double squareSideIn = 0;   // s
    QString squareSize;        // "12*12": s rounded, a star, s rounded
    QStringList messages;
    bool stopped = false;
};

ChimneyResults sizeChimney(const ChimneyInputs &in);

// Save refuses a horizontal length that is not less than a third of the
// vertical one. The lengths are compared as the boxes show them, in exact
// decimal: 4.3 ft is a third of 12.9 ft, though not in binary floating point.
bool horizontalRunTooLong(double TAmD, double TOfD);

extern const char *const kMsgSetChimneyCount;
extern const char *const kMsgCorrectChimneyLength;
extern const char *const kMsgCheckBoilerCapacity;

} // namespace bv::sizing
