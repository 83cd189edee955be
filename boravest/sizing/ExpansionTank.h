#pragma once
// Expansion tank of the heating water system (`TFormT2.MEnBaz`): water in
// the pipes and in the boilers and exchangers, its expansion, the water the
// tank takes up and the model of an open, a closed diaphragm or a closed
// hydropneumatic tank.
//
// Page mode reads the page (tank kind, pipe material, the 19 length boxes,
// boiler water, pump-discharge box); report mode reads `Typ_ME`, `T_L_Baz`,
// `W_L_Baz` (see pipeLengthTextsFromList), `V_B_M_E` and `Chk_nsbM`. Both take
// `DAbgarm`, `ErtefaS`, `hed_pmpsir` from the record and the total load of
// the boiler sizing run in report mode. Report mode shows no message.
#include <QString>
#include <QStringList>

#include <array>

namespace bv::sizing {

enum ExpansionTankKind : int {
    OpenExpansionTank = 0,
    DiaphragmExpansionTank = 1,
    HydropneumaticExpansionTank = 2,
};

// The texts of the 19 length columns of the page, in page order (steel
// 1/2 .. 20 in, copper 1/4 .. 8 in), ft; an empty text is an absent column.
inline constexpr int PipeLengthColumns = 19;
using PipeLengthTexts = std::array<QString, PipeLengthColumns>;

// The column texts of the stored list `W_L_Baz`: items each followed by a
// comma. An item with no comma after it, and every column after it, is
// absent; an empty item is absent.
PipeLengthTexts pipeLengthTextsFromList(const QString &W_L_Baz);

// Weight of water per foot of pipe (lb/ft) of a column 1..19 for a material
// (0 steel, 1 copper); 0 for copper columns 16..19 and any other material.
double waterPerFoot(int material, int column);

struct ExpansionTankInputs {
    int Typ_ME = OpenExpansionTank; // tank kind (page: ComboBox11)
    int T_L_Baz = 0;                // pipe material: 0 steel, 1 copper (page: ComboBox2)
    PipeLengthTexts lengths;        // ft per column, as typed or stored
    double V_B_M_E = 0;             // water in the boilers and exchangers, gal
    bool Chk_nsbM = false;          // closed tank on the pump discharge
    int DAbgarm = 0;                // circulating water temperature, F
    int ErtefaS = 0;                // height up to the highest return riser, ft
    double hed_pmpsir = 0;          // head of the system circulation pump, ft
    double boilerTotalLoad = 0;     // total load of the boiler sizing, Btu/h
    bool reportMode = false;
};

struct ExpansionTankResults {
    double expansionPercent = 0;  // output 1
    double pipeWaterGal = 0;      // output 2
    double boilerWaterGal = 0;    // output 3
    double tankWaterGal = 0;      // output 4
    double connectionPipeMm = 0;  // output 5: boiler-to-tank pipe, at least 26
    double acceptanceFactor = 0;  // output 6, closed kinds only
    int row = 0;                  // output 7: row of the kind's catalogue, 0 none
    double pipeWaterLb = 0;       // W
    double systemWaterGal = 0;    // Vs = pipe water + boiler water
    // The water is too cool to expand by the closed-tank rule; its
    // expansion is taken as 0.
    bool expansionTakenAsZero = false;
    QStringList messages;
    bool stopped = false;
};

ExpansionTankResults sizeExpansionTank(const ExpansionTankInputs &in);

extern const char *const kMsgPumpDischargeFirstLine;
extern const char *const kMsgPumpDischargeSecondLine;
extern const char *const kMsgNoDiaphragmTank;
extern const char *const kMsgNoHydropneumaticTank;
extern const char *const kMsgNoOpenTank;
extern const char *const kMsgCorrectCirculatingTemperature;
extern const char *const kMsgExpansionNegligible;
extern const char *const kMsgCorrectPipeLengths;
// The two-line pump-discharge message as shown.
QString pumpDischargeMessage();

} // namespace bv::sizing
