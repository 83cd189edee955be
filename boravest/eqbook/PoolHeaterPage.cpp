#include "boravest/eqbook/PoolHeaterPage.h"

#include "boravest/eqbook/HeatingPages.h"
#include "boravest/eqbook/PageLayout.h"

using namespace pf::report;
namespace eq = bv::sizing;

namespace bv::eqbook {

namespace {

void switchRows(const std::vector<Element *> &rows, bool on)
{
    for (Element *e : rows)
        e->enabled = on;
}

} // namespace

void writePoolHeater(const PoolHeaterCells &c, int exchangerType, const eq::ExchangerResults &m,
                     const eq::PumpsResults &s)
{
    clearTexts({c.typeWord, c.waterVolume, c.startUpEnergy, c.surfaceLoss, c.totalEnergy, c.coilSurface,
                c.steamUse, c.condensate, c.trapCapacity, c.saturationTemperature, c.latentHeat, c.vapourEnthalpy,
                c.chlorine, c.circulation, c.pumpHead, c.pumpEfficiency, c.flowPerPump, c.pumpPower, c.pipeSize,
                c.pipeCapacity, c.pipeVelocity, c.filterWeight, c.filterCapacity, c.filterDimensions,
                c.filterSheet, c.exchangerFlow, c.exchangerPumpHead, c.exchangerPumpEfficiency,
                c.flowPerExchangerPump, c.exchangerPumpPower, c.exchangerPipeSize, c.exchangerPipeCapacity,
                c.exchangerPipeVelocity});
    c.surfaceCaption->text = QStringLiteral("(Sq.ft)سطح حرارتي");
    switchRows(c.steamRows, false);
    switchRows(c.hotWaterPumpRows, false);
    setEnabled({c.hotWaterPicture, c.steamPicture}, false);

    const bool hotWater = exchangerType == eq::ExchangerHotWater;
    const bool steam = exchangerType == eq::ExchangerSteam;
    if (hotWater || steam) {
        Drawing *picture = hotWater ? c.hotWaterPicture : c.steamPicture;
        picture->enabled = true;
        picture->bringToFront();
        c.typeWord->text = hotWater ? QStringLiteral("آب گرم") : QStringLiteral("بخار");

        c.waterVolume->text = roundedText(m.waterVolume);
        c.startUpEnergy->text = roundedText(m.startUpEnergy);
        c.surfaceLoss->text = roundedText(m.surfaceLoss);
        c.totalEnergy->text = roundedText(m.totalEnergy);
        c.coilSurface->text = roundedText(m.coilSurface);

        c.chlorine->text = roundedText(s.chlorine);
        c.circulation->text = roundedText(s.circulation);
        c.pumpHead->text = roundedText(s.pumpHead);
        c.pumpEfficiency->text = QString::number(s.pumpEfficiency);
        c.flowPerPump->text = roundedText(s.flowPerPump);
        c.pumpPower->text = roundedText(s.pumpPower);
        // The capacity is read at the friction row actually used.
        const PipeCells pipe = pipeCells(s.pipe.size, s.pipe.velocityRow());
        c.pipeSize->text = pipe.size;
        c.pipeCapacity->text = pipe.capacity;
        c.pipeVelocity->text = pipe.velocity;
        const SandFilterCells filter = sandFilterCells(s.filterRow);
        c.filterWeight->text = filter.weight;
        c.filterCapacity->text = filter.capacity;
        c.filterDimensions->text = filter.dimensions;
        c.filterSheet->text = filter.sheet;
    }
    if (steam) {
        switchRows(c.steamRows, true);
        c.steamUse->text = roundedText(m.steamUse);
        c.condensate->text = roundedText(m.condensate);
        c.trapCapacity->text = roundedText(m.trapCapacity);
        c.saturationTemperature->text = roundedText(m.saturationTemperature);
        c.latentHeat->text = roundedText(m.latentHeat);
        c.vapourEnthalpy->text = roundedText(m.vapourEnthalpy);
    }
    if (hotWater) {
        switchRows(c.hotWaterPumpRows, true);
        c.exchangerFlow->text = roundedText(s.exchangerFlow);
        c.exchangerPumpHead->text = roundedText(s.exchangerPumpHead);
        c.exchangerPumpEfficiency->text = QString::number(s.exchangerPumpEfficiency);
        c.flowPerExchangerPump->text = roundedText(s.flowPerExchangerPump);
        c.exchangerPumpPower->text = roundedText(s.exchangerPumpPower);
        const PipeCells pipe = pipeCells(s.exchangerPipe.size, s.exchangerPipe.velocityRow());
        c.exchangerPipeSize->text = pipe.size;
        c.exchangerPipeCapacity->text = pipe.capacity;
        c.exchangerPipeVelocity->text = pipe.velocity;
    }
}

} // namespace bv::eqbook
