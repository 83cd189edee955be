#include "boravest/data/CalcFields.h"

#include "platform/common/Numbers.h"

#include <cmath>
#include <limits>

namespace calcfields {

namespace {

const QString kWall = QStringLiteral("ديوار");
const QString kRoof = QStringLiteral("سقف");

// Floor names from -5 (index 0) to 50.
const QString kFloorNames[56] = {
    QStringLiteral("منهاي پنج"), // -5
    QStringLiteral("منهاي چهار"), // -4
    QStringLiteral("منهاي سه"), // -3
    QStringLiteral("منهاي دو"), // -2
    QStringLiteral("منهاي يك"), // -1
    QStringLiteral("همكف"), // 0
    QStringLiteral("اول"), // 1
    QStringLiteral("دوم"), // 2
    QStringLiteral("سوم"), // 3
    QStringLiteral("چهارم"), // 4
    QStringLiteral("پنجم"), // 5
    QStringLiteral("ششم"), // 6
    QStringLiteral("هفتم"), // 7
    QStringLiteral("هشتم"), // 8
    QStringLiteral("نهم"), // 9
    QStringLiteral("دهم"), // 10
    QStringLiteral("يازدهم"), // 11
    QStringLiteral("دوازدهم"), // 12
    QStringLiteral("سيزدهم"), // 13
    QStringLiteral("چهاردهم"), // 14
    QStringLiteral("پانزدهم"), // 15
    QStringLiteral("شانزدهم"), // 16
    QStringLiteral("هفدهم"), // 17
    QStringLiteral("هجدهم"), // 18
    QStringLiteral("نوزدهم"), // 19
    QStringLiteral("بيستم"), // 20
    QStringLiteral("بيست\u200Cويكم"), // 21
    QStringLiteral("بيست\u200Cودوم"), // 22
    QStringLiteral("بيست\u200Cوسوم"), // 23
    QStringLiteral("بيست\u200Cوچهارم"), // 24
    QStringLiteral("بيست\u200Cوپنجم"), // 25
    QStringLiteral("بيست\u200Cوششم"), // 26
    QStringLiteral("بيست\u200Cوهفتم"), // 27
    QStringLiteral("بيست\u200Cوهشتم"), // 28
    QStringLiteral("بيست\u200Cونهم"), // 29
    QStringLiteral("سيم"), // 30
    QStringLiteral("سي\u200Cويكم"), // 31
    QStringLiteral("سي\u200Cودوم"), // 32
    QStringLiteral("سي\u200Cوسوم"), // 33
    QStringLiteral("سي\u200Cوچهارم"), // 34
    QStringLiteral("سي\u200Cوپنجم"), // 35
    QStringLiteral("سي\u200Cوششم"), // 36
    QStringLiteral("سي\u200Cوهفتم"), // 37
    QStringLiteral("سي\u200Cوهشتم"), // 38
    QStringLiteral("سي\u200Cونهم"), // 39
    QStringLiteral("چهلم"), // 40
    QStringLiteral("چهل\u200Cويكم"), // 41
    QStringLiteral("چهل\u200Cودوم"), // 42
    QStringLiteral("چهل\u200Cوسوم"), // 43
    QStringLiteral("چهل\u200Cوچهارم"), // 44
    QStringLiteral("چهل\u200Cوپنجم"), // 45
    QStringLiteral("چهل\u200Cوششم"), // 46
    QStringLiteral("چهل\u200Cوهفتم"), // 47
    QStringLiteral("چهل\u200Cوهشتم"), // 48
    QStringLiteral("چهل\u200Cونهم"), // 49
    QStringLiteral("پنجاهم"), // 50
};

// Nearest whole number of a stored value, kept inside the int range.
int wholeNumber(double v)
{
    if (!std::isfinite(v))
        return 0;
    constexpr double lo = std::numeric_limits<int>::min();
    constexpr double hi = std::numeric_limits<int>::max();
    if (v <= lo)
        return std::numeric_limits<int>::min();
    if (v >= hi)
        return std::numeric_limits<int>::max();
    return static_cast<int>(pf::roundToInt(v));
}

bool isFalseCeilingRoof(const QString &jedare, int idGjedar)
{
    return jedare == kRoof && idGjedar == 1;
}

} // namespace

QString floorName(double tabage)
{
    if (std::isfinite(tabage) && tabage > -6 && tabage < 51) {
        const int n = wholeNumber(tabage);
        if (n >= -5 && n <= 50)
            return kFloorNames[n + 5];
    }
    return pf::floatToStr(tabage);
}

QString extractFanMark(double eHav, double teHav)
{
    // Fans are chosen through their count, so a count above 0 marks the
    // space as well as the mark field itself.
    return (wholeNumber(eHav) > 0 || teHav > 0) ? QStringLiteral("*") : QStringLiteral(" ");
}

int directionCode(int idGjedar)
{
    return idGjedar;
}

QString stateWord(double idJedar, int idNjedar)
{
    if (idJedar == 4) {
        if (idNjedar == 0)
            return QStringLiteral("متصل به زمين");
        if (idNjedar == 1)
            return QStringLiteral("منفصل از زمين");
        return QString();
    }
    if (idNjedar == 0)
        return QStringLiteral("داخلي");
    if (idNjedar == 1)
        return QStringLiteral("خارجي");
    return QString();
}

QString directionWord(const QString &jedare, int code)
{
    if (jedare == kRoof) {
        if (code == 0)
            return QStringLiteral("معمولي");
        if (code == 1)
            return QStringLiteral("كاذب");
        return QString();
    }
    switch (code) {
    case 0: return QStringLiteral("شمالي");
    case 1: return QStringLiteral("جنوبي");
    case 2: return QStringLiteral("شرقي");
    case 3: return QStringLiteral("غربي");
    case 4: return QStringLiteral("شمال شرقي");
    case 5: return QStringLiteral("شمال غربي");
    case 6: return QStringLiteral("جنوب شرقي");
    case 7: return QStringLiteral("جنوب غربي");
    default: return QString();
    }
}

int areaInUse(const QString &jedare, int idGjedar, double masa1, double masa2)
{
    return wholeNumber(isFalseCeilingRoof(jedare, idGjedar) ? masa2 : masa1);
}

double uInUse(const QString &jedare, int idGjedar, double z1, double z2)
{
    return isFalseCeilingRoof(jedare, idGjedar) ? z2 : z1;
}

double orientationFactor(const QString &jedare, int idNjedar, int dvGJedar)
{
    if (jedare != kWall || idNjedar != 1)
        return 1.00;
    if (dvGJedar == 0 || dvGJedar == 2)
        return 1.10;
    if (dvGJedar == 3)
        return 1.05;
    return 1.00;
}

SurfaceFields surfaceFields(const building::SurfaceRow &row)
{
    SurfaceFields f;
    f.Dv_gJedar = directionCode(row.Id_gjedar);
    f.Nnjedar = stateWord(row.Id_jedar, row.Id_njedar);
    f.Ngjedar = directionWord(row.Jedare, row.Id_gjedar);
    f.Mmasa = areaInUse(row.Jedare, row.Id_gjedar, row.Masa1, row.Masa2);
    f.Z_z = uInUse(row.Jedare, row.Id_gjedar, row.Z_1, row.Z_2);
    f.ZaribJ = orientationFactor(row.Jedare, row.Id_njedar, f.Dv_gJedar);
    return f;
}

} // namespace calcfields
