#include "boravest/sizing/Collectors.h"

#include "boravest/sizing/HeatLoad.h"
#include "boravest/data/CalcFields.h"
#include "boravest/sizing/Catalogues.h"
#include "platform/common/Numbers.h"

#include <cmath>

namespace bv::sizing {

const double kCollectorDiameters[CollectorDiameterCount] = {2, 2.5, 3, 4, 6, 8, 10, 12, 14, 16, 18, 20, 22};

const char *const kMsgCorrectTemperatureDifference = "اختلاف دماي آبگرم گردشي در سيستم را تصحيح كنيد";
const char *const kMsgSetPressureDrop = "افت فشار در سيستم را تعيين كنيد";
const char *const kMsgNoPipeFits = "براي دبي آب برخي از رايزرها يا انشعابها لوله اي در جدول ظرفيت لوله ها نيست";
const char *const kMsgCollectorBeyondList = "قطر كلكتور از بزرگترين قطر استاندارد (22 اينچ) بيشتر است";

namespace {

// Btu/h carried per gpm and F of water.
constexpr double kBtuhPerGpmF = 499.8;
constexpr double kLbPerGallon = 8.33;
// Collector length per inch of branch diameter.
constexpr double kLengthPerDiameter = 3.6;

} // namespace

QString convertSk(int floor)
{
    return calcfields::floorName(floor);
}

CollectorsResults sizeCollectors(const CollectorsInputs &in)
{
    CollectorsResults r;
    const Catalogues &cat = catalogues();
    const int riserDifference = int(pf::roundToInt(in.EkhtDama));
    if (in.EkhtDama <= 0 || riserDifference <= 0) {
        r.messages << QString::fromUtf8(kMsgCorrectTemperatureDifference);
        r.stopped = true;
        return r;
    }

    double sumSquares = 0;
    double sumDiameters = 0;
    const building::LoadOptions options = building::spaceSizingOptions();

    r.units.reserve(in.units.size());
    for (const CollectorUnit &u : in.units) {
        CollectorUnitResult row;
        row.No = u.No;
        row.Tabage = u.unit.Tabage;
        row.Shvahed = u.unit.Shvahed;
        row.T_Rz = u.T_Rz;
        row.load = building::evaluateUnit(u.unit, in.site, options).load;
        if (u.T_Rz > 0) {
            row.flowPerRiser = row.load / (riserDifference * kBtuhPerGpmF * u.T_Rz);
            const PipeChoice pipe = cat.PipeCapacity.choose(in.OfteFeshar, row.flowPerRiser);
            if (pipe.found()) {
                row.sized = true;
                row.Q_Vahed = building::roundedLoad(row.load);
                row.GP = pf::roundHalfEven(u.T_Rz * row.flowPerRiser, 2);
                row.Col = pipe.size;
                row.Row = pipe.velocityRow();
                const double d = cat.PipeVelocity.diameterInches(pipe.size);
                sumSquares += u.T_Rz * d * d;
                sumDiameters += u.T_Rz * d;
            } else {
                ++r.unsizedBranches;
            }
        }
        r.units.push_back(row);
    }

    // A connection branch: its pipe's diameter joins the collector sums.
    const auto branch = [&](double heatBtuh) {
        const PipeChoice pipe = cat.PipeCapacity.choose(in.OfteFeshar, heatBtuh / (in.EkhtDama * kBtuhPerGpmF));
        if (!pipe.found()) {
            ++r.unsizedBranches;
            return pipe;
        }
        const double d = cat.PipeVelocity.diameterInches(pipe.size);
        sumSquares += d * d;
        sumDiameters += d;
        return pipe;
    };

    if (const TankBranch tank = hotWaterTankBranch(in); tank.present) {
        branch(tank.heatBtuh);
        r.tankConnection = tank.size;
    }
    if (in.Mass_Jak > 0 && in.Typ_M_Jak == 0 && in.G_Ab_Jak > 0) {
        branch(in.jacuzziHeatBtuh);
        r.jacuzziConnection = cat.PipeSizeNames.name(in.jacuzziExchangerPipe);
    }
    if (in.Mass_Est > 0 && in.Typ_M_Est == 0) {
        branch(in.poolHeatBtuh);
        r.poolConnection = cat.PipeSizeNames.name(in.poolExchangerPipe);
    }

    r.collectorLengthIn = kLengthPerDiameter * sumDiameters;
    r.equivalentDiameterIn = std::sqrt(sumSquares);
    if (r.collectorLengthIn > 0 && r.equivalentDiameterIn > 0) {
        int first = -1;
        for (int i = 0; i < CollectorDiameterCount; ++i) {
            if (kCollectorDiameters[i] > r.equivalentDiameterIn) {
                first = i;
                break;
            }
        }
        if (first >= 0) {
            r.firstLargerDiameterIn = kCollectorDiameters[first];
            if (in.Typ_MAM < 2)
                r.inletDiameterIn = kCollectorDiameters[first];
        }
        // The collector is one list size above the inlet; past 20 in the
        // list has no such size and nothing is read beyond it.
        if (first >= 0 && first + 1 < CollectorDiameterCount) {
            r.collectorDiameterIn = kCollectorDiameters[first + 1];
        } else {
            r.beyondDiameterList = true;
            if (!in.reportMode)
                r.messages << QString::fromUtf8(kMsgCollectorBeyondList);
        }
    }

    if (r.unsizedBranches > 0 && !in.reportMode)
        r.messages << QString::fromUtf8(cat.PipeCapacity.rowOfFriction(in.OfteFeshar) == 0 ? kMsgSetPressureDrop
                                                                                         : kMsgNoPipeFits);
    return r;
}

TankBranch hotWaterTankBranch(const CollectorsInputs &in)
{
    TankBranch t;
    if (in.Typ_MAM >= 2 || in.Randeman <= 0)
        return t;
    const Catalogues &cat = catalogues();
    t.present = true;
    const int demandRow = HotWaterDemandTable::rowOfBuildingType(in.NSakh);
    const double g = maxHotWaterDemand(in.NSakh, in.fixtures).peakGph;
    t.heatBtuh = (in.DamAbBeh - in.DamAbSh) * kLbPerGallon * g * cat.HotWaterDemand.demandFactor(demandRow)
                 * cat.HotWaterDemand.storageFactor(demandRow) * (1 + in.Z_Et / 100.0) / (in.Randeman / 100.0);
    t.flowGpm = t.heatBtuh / (in.EkhtDama * kBtuhPerGpmF);
    const PipeChoice pipe = cat.PipeCapacity.choose(in.OfteFeshar, t.flowGpm);
    t.pipeSize = pipe.size;
    t.size = cat.PipeSizeNames.name(pipe.size);
    return t;
}

std::vector<bv::data::CollectorStoreRow> collectorStoreRows(const CollectorsResults &results)
{
    std::vector<bv::data::CollectorStoreRow> rows;
    rows.reserve(results.units.size());
    for (const CollectorUnitResult &u : results.units)
        rows.push_back({u.No, u.sized, u.Q_Vahed, u.GP, u.Col, u.Row});
    return rows;
}

} // namespace bv::sizing
