#pragma once
// The drawing functions behind the pictures of Drawings.h, one per picture,
// each drawing on a sheet of its picture's size.
#include "boravest/eqbook/drawings/Kit.h"

namespace bv::eqbook::pictures {

using kit::Sheet;

// Water supply and domestic hot water.
void mainBranch(Sheet &g);
void verticalPressureTank(Sheet &g);
void horizontalPressureTank(Sheet &g);
void doubleWallTank(Sheet &g);
void coilTank(Sheet &g);
void steamCoilTank(Sheet &g);
void doubleWallPiping(Sheet &g);
void coilPiping(Sheet &g);
void steamCoilPiping(Sheet &g);

// Pools and jacuzzis.
void poolCircuit(Sheet &g);
void jacuzziCircuit(Sheet &g);
void jacuzziJets(Sheet &g);
void hotWaterExchanger(Sheet &g, bool jacuzzi);
void steamExchanger(Sheet &g, bool jacuzzi);
void sandFilter(Sheet &g);

// Boilers, burners, tanks of the plant room.
void hotWaterBoiler(Sheet &g);
void steamBoiler(Sheet &g);
void boilerRoom(Sheet &g);
void openExpansionTank(Sheet &g);
void diaphragmExpansionTank(Sheet &g);
void hydropneumaticExpansionTank(Sheet &g);
void oilBurner(Sheet &g);
void gasBurner(Sheet &g);
void fuelTank(Sheet &g);
void floorPump(Sheet &g);
void inLinePump(Sheet &g);
void softener(Sheet &g);

// Heating and ventilation.
void furnace(Sheet &g);
void radiator(Sheet &g);
void unitHeater(Sheet &g);
void collectors(Sheet &g);
void extractFan(Sheet &g);

} // namespace bv::eqbook::pictures
