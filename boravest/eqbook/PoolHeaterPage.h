#pragma once
// What the pages of the home pool and of the jacuzzi write alike on every
// build: the exchanger's type, energies and steam rows, the filtration pumps
// with their pipe, chlorine and sand filter, and the exchanger's hot-water
// pumps with their pipe. Each page hands over its own elements.
#include "boravest/sizing/PoolExchanger.h"
#include "boravest/sizing/PoolPumps.h"
#include "platform/report/Report.h"

#include <vector>

namespace bv::eqbook {

struct PoolHeaterCells {
    pf::report::Label *typeWord, *surfaceCaption;
    // Exchanger.
    pf::report::Label *waterVolume, *startUpEnergy, *surfaceLoss, *totalEnergy, *coilSurface;
    // Steam values.
    pf::report::Label *steamUse, *condensate, *trapCapacity, *saturationTemperature, *latentHeat,
        *vapourEnthalpy;
    // Filtration pumps, their pipe, chlorine and sand filter.
    pf::report::Label *chlorine, *circulation, *pumpHead, *pumpEfficiency, *flowPerPump, *pumpPower;
    pf::report::Label *pipeSize, *pipeCapacity, *pipeVelocity;
    pf::report::Label *filterWeight, *filterCapacity, *filterDimensions, *filterSheet;
    // Hot-water pumps of the exchanger and their pipe.
    pf::report::Label *exchangerFlow, *exchangerPumpHead, *exchangerPumpEfficiency, *flowPerExchangerPump,
        *exchangerPumpPower;
    pf::report::Label *exchangerPipeSize, *exchangerPipeCapacity, *exchangerPipeVelocity;
    pf::report::Drawing *hotWaterPicture, *steamPicture;
    // The rows shown for a steam exchanger only, and for a hot-water one only.
    std::vector<pf::report::Element *> steamRows, hotWaterPumpRows;
};

// Writes one build into the cells. Every value starts empty and every
// switched row off, so nothing of an earlier build is printed; a type other
// than hot water or steam prints no sized value.
void writePoolHeater(const PoolHeaterCells &c, int exchangerType, const bv::sizing::ExchangerResults &m,
                     const bv::sizing::PumpsResults &s);

} // namespace bv::eqbook
