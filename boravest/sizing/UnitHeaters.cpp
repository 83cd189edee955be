#include "boravest/sizing/UnitHeaters.h"

#include "boravest/sizing/Catalogues.h"
#include "platform/common/Numbers.h"

namespace bv::sizing {

using perspace::roundX;
using perspace::roundXText;

const char *const kMoreUnitHeatersCaption = "براي امكان انتخاب مدل تعداد يونيت فضا را افزايش دهيد";
const char *const kFanSpeedMessage = "دور فن را انتخاب كنيد";
const char *const kEnteringAirMessage = "دماي هواي ورودي يونيت هيتر فضاي %1 بايد كمتر از 90 درجه فارنهايت باشد";

UnitHeaterResults sizeUnitHeaters(const UnitHeaterInputs &in)
{
    UnitHeaterResults r;
    const auto fail = [&r](const QString &message) {
        r = UnitHeaterResults{};
        r.messages << message;
        r.stopped = true;
        return r;
    };
    // Only the two listed speeds have models.
    if (in.D_F_PG_UH != 0 && in.D_F_PG_UH != 1)
        return fail(QString::fromUtf8(kFanSpeedMessage));
    const int speedChoice = in.D_F_PG_UH + 1;
    const double water = perspace::whole(in.DAbgarm);
    // A water temperature of 0 or below makes every factor 0 or less.
    if (water <= 0)
        return fail(QString::fromUtf8(kHotWaterTempMessage));
    const auto &cat = catalogues();

    for (const SizingUnit &unit : in.units) {
        for (const SizingSpace &space : unit.spaces) {
            const int n = perspace::whole(space.T_UH);
            if (n <= 0)
                continue;
            UnitHeaterSpaceResult s;
            s.place = placeOf(unit, space);
            s.heaters = n;
            s.load = perspace::spaceLoad(unit, space, in.site);
            s.enteringAir = (space.row.Ti_ + in.TO1) / 2;
            const Interpolated f = cat.UnitHeaterFactors.factor(s.enteringAir, water);
            // The factors stop at 90 F entering air.
            if (!f.inRange)
                return fail(QString::fromUtf8(kEnteringAirMessage).arg(space.Faza));
            s.factor = f.value;
            // The factor corrects the catalogue capacity, as a radiator
            // section's output: a heater rated Q gives Q x F here, so each
            // of the N heaters must be rated G / (F x N).
            s.share = double(pf::roundToInt(s.load / (s.factor * n)));
            const auto choice = cat.UnitHeaterCatalogue.select(s.share, speedChoice);
            s.row = choice.row;
            s.fanSpeed = choice.fanSpeed;
            if (s.row > 0) {
                const auto &uh = cat.UnitHeaterCatalogue;
                s.model = uh.model(s.row);
                s.airFlow = uh.airFlow(s.row);
                s.motorPower = uh.motorPower(s.row);
                s.waterFlow = uh.waterFlow(s.row);
                s.leavingAir = uh.leavingAirTemperature(s.row);
                s.capacity = uh.capacity(s.row);
            } else {
                r.someWithoutModel = true;
            }
            r.spaces.push_back(s);
        }
    }
    if (r.someWithoutModel)
        r.caption = QString::fromUtf8(kMoreUnitHeatersCaption);
    return r;
}

std::vector<bv::data::ExamfzRow> unitHeaterWorkRows(const UnitHeaterResults &r)
{
    std::vector<bv::data::ExamfzRow> rows;
    int no = 0;
    for (const UnitHeaterSpaceResult &s : r.spaces) {
        bv::data::ExamfzRow e;
        e.Shproje = pf::floatToStr(s.place.Shproje);
        e.NameT = s.place.NameT;
        e.Shvahed = pf::floatToStr(s.place.Shvahed);
        e.Faza = s.place.Faza;
        e.Ti_ = pf::floatToStr(s.place.Ti_);
        e.Barh = pf::floatToStr(double(pf::roundToInt(s.load)));
        e.Z_ts = roundXText(s.factor);
        e.T_Pare = QString::number(s.heaters);
        e.size_Rad = s.model;
        e.s_hararat = s.airFlow;
        e.Tol_Pare = s.motorPower;
        e.debi = s.waterFlow;
        e.hjm_Ab = s.leavingAir;
        e.Vazn_Rad = s.fanSpeed;
        e.No = ++no;
        rows.push_back(e);
    }
    return rows;
}

std::vector<bv::data::UnitHeaterStoreRow> unitHeaterStoreRows(const UnitHeaterResults &r)
{
    std::vector<bv::data::UnitHeaterStoreRow> rows;
    if (r.stopped)
        return rows;
    for (const UnitHeaterSpaceResult &s : r.spaces)
        rows.push_back({s.place.No, roundX(s.load), pf::roundHalfEven(s.factor, 2), QString::number(s.row)});
    return rows;
}

} // namespace bv::sizing
