#include "boravest/sizing/Radiators.h"

#include "boravest/sizing/Catalogues.h"
#include "platform/common/Numbers.h"

#include <cmath>

namespace bv::sizing {

using perspace::roundX;
using perspace::roundXText;

const char *const kRadiatorSizeMessage = "سايز رادياتور را انتخاب كنيد";
const char *const kRoomTempMessage = "دماي داخل فضاي %1 را اصلاح كنيد";

double radiatorFactor(double roomTempF, double waterTempF)
{
    return catalogues().RadiatorFactors.factor(roomTempF, waterTempF);
}

double radiatorSections(double load, double factor, double outputPerSection)
{
    double n = pf::roundHalfEven(load / (factor * outputPerSection), 0);
    if (std::fmod(n, 2) != 0)
        n += 1;
    return n;
}

RadiatorBody radiatorOfSections(int size, double sections)
{
    const auto &data = catalogues().RadiatorSections;
    RadiatorBody b;
    if (size < 1 || size > RadiatorSectionsTable::RowCount)
        return b;
    b.surface = sections * data.surface(size);
    b.length = sections * data.thickness(size);
    b.water = sections * data.water(size);
    b.weight = sections * data.weight(size);
    return b;
}

RadiatorResults sizeRadiators(const RadiatorInputs &in)
{
    RadiatorResults r;
    const auto &sections = catalogues().RadiatorSections;
    // Without a size there is no section data to read.
    if (in.S_R_PG_R < 0 || in.S_R_PG_R >= RadiatorSectionsTable::RowCount) {
        r.messages << QString::fromUtf8(kRadiatorSizeMessage);
        r.stopped = true;
        return r;
    }
    const int size = in.S_R_PG_R + 1;
    const double water = perspace::whole(in.DAbgarm);
    // A water temperature of 0 or below makes every factor 0 or less.
    if (water <= 0) {
        r.messages << QString::fromUtf8(kHotWaterTempMessage);
        r.stopped = true;
        return r;
    }
    r.sizeNumber = size;
    r.sizeName = sections.sizeName(size);

    for (const SizingUnit &unit : in.units) {
        for (const SizingSpace &space : unit.spaces) {
            if (!(space.E_Rad > 0))
                continue;
            const double f = radiatorFactor(space.row.Ti_, water);
            // A room at 0 F or below gives a factor of 0 or less: nothing to divide by.
            if (!(f > 0)) {
                r = RadiatorResults{};
                r.messages << QString::fromUtf8(kRoomTempMessage).arg(space.Faza);
                r.stopped = true;
                return r;
            }
            const double g = perspace::spaceLoad(unit, space, in.site);
            const double n = radiatorSections(g, f, sections.output(size));
            if (n <= 0)
                continue;
            RadiatorSpaceResult s;
            s.place = placeOf(unit, space);
            s.load = g;
            s.factor = f;
            s.sections = n;
            const RadiatorBody body = radiatorOfSections(size, n);
            s.surface = body.surface;
            s.length = body.length;
            s.water = body.water;
            s.weight = body.weight;
            r.waterTotal += s.water;
            r.surfaceTotal += roundX(s.surface);
            r.spaces.push_back(s);
        }
    }
    return r;
}

std::vector<bv::data::ExamfzRow> radiatorWorkRows(const RadiatorResults &r)
{
    std::vector<bv::data::ExamfzRow> rows;
    int no = 0;
    for (const RadiatorSpaceResult &s : r.spaces) {
        bv::data::ExamfzRow e;
        e.No = ++no;
        e.Barh = roundXText(s.load);
        e.Shproje = pf::floatToStr(s.place.Shproje);
        e.NameT = s.place.NameT;
        e.Shvahed = pf::floatToStr(s.place.Shvahed);
        e.Faza = s.place.Faza;
        e.Ti_ = pf::floatToStr(s.place.Ti_);
        e.Z_ts = roundXText(s.factor);
        e.s_hararat = roundXText(s.surface);
        e.T_Pare = pf::plainNumberText(s.sections);
        e.Tol_Pare = roundXText(s.length);
        e.hjm_Ab = roundXText(s.water);
        e.Vazn_Rad = roundXText(s.weight);
        rows.push_back(e);
    }
    return rows;
}

std::vector<bv::data::RadiatorStoreRow> radiatorStoreRows(const RadiatorResults &r)
{
    std::vector<bv::data::RadiatorStoreRow> rows;
    if (r.stopped)
        return rows;
    for (const RadiatorSpaceResult &s : r.spaces)
        rows.push_back({s.place.No, roundX(s.load), roundX(s.factor), pf::plainNumberText(s.sections)});
    return rows;
}

} // namespace bv::sizing
