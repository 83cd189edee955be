#pragma once
// Circulation pump of the hot-water heating system (`TFormT2.PmpSir`): the
// total head from the pipe run, the fittings on the longest path and the
// fixed drops of the boiler room and the largest unit; the flow per pump
// from the total heat load; the least motor power with the altitude
// correction.
//
// The head is stored in the equipment record's `hed_pmpsir` (where the
// expansion tank reads it) whenever `storeHead` is set. The caller writes
// that one field and nothing else of the record: the page's other boxes may
// hold unchecked edits that only Save may post.
#include "boravest/sizing/Fittings.h"

#include <QStringList>

namespace bv::sizing {

struct CirculationPumpInputs {
    // Report: a head above the building height is reported and the run goes
    // on (the head is stored); on the page the run stops there.
    bool reportMode = false;

    // Total heat load Q (Btu/h): on the page the read-only box the opener
    // filled with the boiler total as shown; in the report the boiler
    // sizing's totalLoad.
    double totalLoad = 0;
    // Equivalent length of the fittings: on the page fittingsLengthOfGrid,
    // in the report fittingsLengthOfLists of the stored lists.
    FittingsLength fittings;

    double Oft_F_B_U_Sir = 0; // drop in the largest unit, ft
    double Oft_F_D_K_Sir = 0; // drop in boilers and collectors, ft
    double K_B_L_Sir = 0;     // pipe welding quality, %
    int Te_Sir = 0;           // number of pumps
    int Rand_sir = 0;         // pump efficiency, %
    double OfteFeshar = 0;    // pipe pressure drop, ft per 100 ft
    int EkhtDama = 0;         // supply/return temperature difference, °F
    double TolRadiat = 0;     // supply pipe to the farthest emitter, ft
    int ErtefaS = 0;          // useful height of the building, ft
    double Hi = 0;            // site altitude of the project, ft
};

struct CirculationPumpResults {
    double head = 0;           // H, ft
    double flowPerPump = 0;    // gpm
    double power = 0;          // least motor power, hp
    double altitudeFactor = 0; // power correction factor, at least 1
    int efficiency = 0;        // `Rand_sir` as read (kept on a stop)
    double weldingFactor = 0;  // K = (100 - K_B_L_Sir) / 100 + 1
    double fittingsLength = 0; // L_f, ft
    // Write `head` into `hed_pmpsir` (that field alone).
    bool storeHead = false;
    QStringList messages;
    // A check stopped the run. Stopped by the height check on the page, the
    // head is already worked out but not stored.
    bool stopped = false;
};

CirculationPumpResults sizeCirculationPump(const CirculationPumpInputs &in);

} // namespace bv::sizing
