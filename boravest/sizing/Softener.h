#pragma once
// Water softener for the make-up water of the heating system
// (`TFormT2.SakhGir`): soft-water flow, capacity per softener between
// regenerations and the catalogue model. Both modes show the same messages.
//
// Page mode takes the system flow from the page's flow box; report mode
// takes RoundX(total load of the boiler sizing in report mode / 10000).
#include <QString>
#include <QStringList>

namespace bv::sizing {

struct SoftenerInputs {
    int Te_SG = 0;         // number of softeners
    double S_Sh_SG = 0;    // regeneration cycle, h
    int RandeSkgir = 0;    // softener efficiency, %
    double systemFlowGpm = 0; // F, circulating water flow of the system
    double SakhAb = 0;     // water hardness, ppm
    int Typ_ME = 0;        // expansion tank: 0 open, 1 diaphragm, 2 hydropneumatic
};

struct SoftenerResults {
    double softWaterGpm = 0;  // W, soft-water flow (panel row 1)
    double capacityGrain = 0; // output 1: capacity per softener (panel row 2)
    double needKilograin = 0; // what the catalogue is compared with
    int row = 0;              // output 2: SoftenerCatalogue row, 0 none
    QStringList messages;
    bool stopped = false;
};

SoftenerResults sizeSoftener(const SoftenerInputs &in);

extern const char *const kMsgSetSoftenerCount;
extern const char *const kMsgCorrectSoftenerEfficiency;
extern const char *const kMsgMoreSofteners;

} // namespace bv::sizing
