#include "boravest/sizing/ExtractFans.h"

#include "boravest/sizing/Catalogues.h"
#include "platform/common/Numbers.h"

#include <cmath>

namespace bv::sizing {

using perspace::roundX;
using perspace::roundXText;

const char *const kOutletVelocityMessage = "سرعت خروج هوا را مشخص كنيد";

namespace {

// The outlet's velocity pressure is (FPM / 4000)^2 in. w.g.
constexpr double kRatedVelocityFpm = 4000;
constexpr double kPi = 3.14;
constexpr int kSmallestDiameter = 4;

} // namespace

double ductPressureDrop(double fpm, int ductLengthFt, double dropPer100Ft)
{
    if (ductLengthFt == 0)
        return 0;
    const double v = fpm / kRatedVelocityFpm;
    return v * v + ductLengthFt * dropPer100Ft / 100;
}

double fanDiameter(double cfm, double fpm, int fans)
{
    return 2 * std::sqrt(144 * cfm / (kPi * fpm)) / std::sqrt(double(fans));
}

int wholeFanDiameter(double diameterInches)
{
    int d = perspace::whole(diameterInches);
    d -= d % 2;
    return d < kSmallestDiameter ? kSmallestDiameter : d;
}

ExtractFanResults sizeExtractFans(const ExtractFanInputs &in)
{
    ExtractFanResults r;
    const double fpm = in.So_Kh_H_Hav;
    if (!(fpm > 0)) {
        r.messages << QString::fromUtf8(kOutletVelocityMessage);
        r.stopped = true;
        return r;
    }
    const auto &fans = catalogues().FanCatalogue;
    for (const SizingUnit &unit : in.units) {
        for (const SizingSpace &space : unit.spaces) {
            const int n = perspace::whole(space.Te_Hav);
            if (n < 1)
                continue;
            ExtractFanSpaceResult s;
            s.place = placeOf(unit, space);
            s.fans = n;
            s.ductLength = perspace::whole(space.To_Mo_Hav);
            s.ductDrop = ductPressureDrop(fpm, s.ductLength, in.Oft_f_kan_Hav);
            s.airVolume = space.row.V_ * space.row.Air_ / 60;
            // A negative air volume has no opening; it is taken as none.
            s.diameter = s.airVolume > 0 ? fanDiameter(s.airVolume, fpm, n) : 0;
            s.wholeDiameter = wholeFanDiameter(s.diameter);
            s.airPerFan = s.airVolume / n;
            s.row = s.airPerFan > 0 ? fans.select(s.airPerFan) : 0;
            if (s.row > 0) {
                s.motorSpeed = fans.motorSpeed(s.row);
                s.power = fans.power(s.row);
            }
            r.spaces.push_back(s);
        }
    }
    return r;
}

std::vector<bv::data::ExamfzRow> extractFanWorkRows(const ExtractFanResults &r)
{
    std::vector<bv::data::ExamfzRow> rows;
    for (const ExtractFanSpaceResult &s : r.spaces) {
        bv::data::ExamfzRow e;
        e.Shproje = pf::floatToStr(s.place.Shproje);
        e.NameT = s.place.NameT;
        e.Shvahed = pf::floatToStr(s.place.Shvahed);
        e.Faza = s.place.Faza;
        e.size_Rad = roundXText(s.ductDrop);
        e.Z_ts = roundXText(s.airVolume);
        e.s_hararat = QString::number(s.wholeDiameter);
        e.hjm_Ab = s.motorSpeed;
        e.Barh = s.power;
        rows.push_back(e);
    }
    return rows;
}

std::vector<bv::data::ExtractFanStoreRow> extractFanStoreRows(const ExtractFanResults &r)
{
    std::vector<bv::data::ExtractFanStoreRow> rows;
    for (const ExtractFanSpaceResult &s : r.spaces)
        rows.push_back({s.place.No, roundX(s.ductDrop), s.airVolume, s.wholeDiameter, s.row, s.diameter, s.ductDrop});
    return rows;
}

} // namespace bv::sizing
