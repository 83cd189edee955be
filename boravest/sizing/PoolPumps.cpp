#include "boravest/sizing/PoolPumps.h"

#include "boravest/sizing/Catalogues.h"

namespace bv::sizing {

namespace {

struct Messages {
    const char *pumps;
    const char *pumpEfficiency;
    const char *turnover;
    const char *exchangerPumps;
    const char *pipe;          // no size for the circulation
    const char *exchangerPipe; // no size for the exchanger's hot water
};

const Messages PoolMessages{
    "تعداد پمپ استخر را مشخص نماييد",
    "راندمان الكتروپمپ گردش آب استخر را مشخص نماييد",
    "مدت زمان گردش آب استخر را مشخص نماييد",
    "تعداد پمپ مبدل آب گرم استخر را مشخص نماييد",
    "داده هاي مربوط به استخر را تصحيح كنيد",
    "داده هاي استخر را تصحيح كنيد",
};
const Messages JacuzziMessages{
    "تعداد پمپ جكوزي را مشخص نماييد",
    "راندمان الكتروپمپ گردش آب جكوزي را مشخص نماييد",
    "مدت زمان گردش آب جكوزي را مشخص نماييد",
    "تعداد پمپ مبدل آب گرم جكوزي را مشخص نماييد",
    "داده هاي جكوزي را تصحيح كنيد",
    "داده هاي جكوزي را تصحيح كنيد",
};

PumpsResults stopWith(PumpsResults res, const char *message)
{
    res.messages << QString::fromUtf8(message);
    res.stopped = true;
    return res;
}

// Several pumps in parallel each carry 1.7 / n of the flow.
double parallelFactor(int n) { return n > 1 ? 1.7 : 1.0; }

ChosenPipe choosePipe(double frictionLoss, double flowGpm)
{
    const auto &cat = catalogues();
    const PipeChoice c = cat.PipeCapacity.choose(frictionLoss, flowGpm);
    ChosenPipe pipe;
    if (!c.found())
        return pipe;
    pipe.size = c.size;
    pipe.row = c.row;
    pipe.sizeName = cat.PipeSizeNames.name(c.size);
    pipe.capacity = cat.PipeCapacity.capacity(c.row, c.size);
    pipe.velocity = cat.PipeVelocity.velocity(c.row, c.size);
    return pipe;
}

// The page warns when a flow exceeds what the largest pipe of the design
// friction row carries.
bool aboveRowLimit(double frictionLoss, double flowGpm)
{
    const auto &capacity = catalogues().PipeCapacity;
    const int row = capacity.rowOfFriction(frictionLoss);
    return row > 0 && flowGpm > capacity.capacity(row, PipeCapacityTable::CellCount - 1);
}

PumpsResults sizePumps(const PumpsInputs &in, const Messages &m)
{
    PumpsResults res;
    res.heatEnergy = in.heatEnergy;
    res.pumpEfficiency = in.pumpEfficiency;
    res.exchangerPumpEfficiency = in.exchangerPumpEfficiency;
    const bool hotWater = in.exchangerType == ExchangerHotWater;

    if (in.pumps < 1)
        return stopWith(res, m.pumps);
    if (in.pumpEfficiency < 1)
        return stopWith(res, m.pumpEfficiency);
    if (!(in.turnoverTime > 0))
        return stopWith(res, m.turnover);
    if (in.filters < 1)
        return stopWith(res, "تعداد فيلترهاي شني را مشخص نماييد");
    if (hotWater && in.exchangerPumpEfficiency < 1)
        return stopWith(res, "راندمان الكتروپمپ آبگرم گردشي را مشخص نماييد");

    const double v = in.waterVolume;
    const double h = in.turnoverTime;
    res.altitudeFactor = (in.Hi - 500) / 10000 + 1;
    if (res.altitudeFactor < 1)
        res.altitudeFactor = 1;

    res.flowPerPump = v / h * (1.0 / in.pumps) * parallelFactor(in.pumps);
    res.pumpHead = in.coilDrop + in.filterDrop + in.pipeDrop + 10;
    // Flow in gph: 3960 x 60.
    res.pumpPower = res.flowPerPump * res.pumpHead / (237600 * in.pumpEfficiency / 100.0) * res.altitudeFactor;
    res.chlorine = 8.33 * v * 0.5 / (1000000 * h);
    res.circulation = v / h;
    res.circulationGpm = v / (h * 60);

    const QString pressureDrop = QStringLiteral("افت فشار را تصحيح كنيد");
    if (!in.reportMode && aboveRowLimit(in.OfteFeshar, res.circulationGpm))
        res.messages << pressureDrop;
    res.pipe = choosePipe(in.OfteFeshar, res.circulationGpm);
    if (!res.pipe.found())
        res.messages << QString::fromUtf8(m.pipe);
    res.filterRow = catalogues().SandFilters.select(res.circulationGpm / in.filters);
    if (res.filterRow == 0)
        res.messages << QStringLiteral("براي امكان انتخاب فيلتر شني از كاتالوگ تعداد فيلترها را افزايش دهيد");

    if (!hotWater)
        return res;

    if (in.exchangerPumps < 1)
        return stopWith(res, m.exchangerPumps);
    // The exchanger's flow divides by the boiler water temperature drop.
    if (in.EkhtDama == 0)
        return stopWith(res, "اختلاف دماي آبگرم گردشي در سيستم را تصحيح كنيد");
    res.exchangerFlow = in.heatEnergy / (in.EkhtDama * 499.8);
    res.flowPerExchangerPump = (1.0 / in.exchangerPumps) * res.exchangerFlow * parallelFactor(in.exchangerPumps);
    if (!in.reportMode && aboveRowLimit(in.OfteFeshar, res.flowPerExchangerPump))
        res.messages << pressureDrop;
    res.exchangerPumpHead = in.pipeDrop + in.shellDrop + in.boilerDrop;
    if (!in.reportMode && res.exchangerPumpHead > 30)
        res.messages << QStringLiteral("در افتهاي فشار تجديد نظركنيد");
    res.exchangerPumpPower = res.flowPerExchangerPump * res.exchangerPumpHead
                             / (3960 * in.exchangerPumpEfficiency / 100.0) * res.altitudeFactor;
    res.exchangerPipe = choosePipe(in.OfteFeshar, res.exchangerFlow);
    if (!res.exchangerPipe.found())
        res.messages << QString::fromUtf8(m.exchangerPipe);
    return res;
}

} // namespace

PumpsResults sizePoolPumps(const PumpsInputs &in) { return sizePumps(in, PoolMessages); }

PumpsResults sizeJacuzziPumps(const PumpsInputs &in) { return sizePumps(in, JacuzziMessages); }

} // namespace bv::sizing
