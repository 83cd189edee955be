#include "boravest/building/PersianWords.h"

#include "platform/common/Numbers.h"

#include <cmath>

namespace building {

namespace {

// 0 the ground floor, then the cardinals 1..50.
const QString kCardinals[51] = {
    QStringLiteral("همكف"), // 0
    QStringLiteral("يك"), // 1
    QStringLiteral("دو"), // 2
    QStringLiteral("سه"), // 3
    QStringLiteral("چهار"), // 4
    QStringLiteral("پنج"), // 5
    QStringLiteral("شش"), // 6
    QStringLiteral("هفت"), // 7
    QStringLiteral("هشت"), // 8
    QStringLiteral("نه"), // 9
    QStringLiteral("ده"), // 10
    QStringLiteral("يازده"), // 11
    QStringLiteral("دوازده"), // 12
    QStringLiteral("سيزده"), // 13
    QStringLiteral("چهارده"), // 14
    QStringLiteral("پانزده"), // 15
    QStringLiteral("شانزده"), // 16
    QStringLiteral("هفده"), // 17
    QStringLiteral("هجده"), // 18
    QStringLiteral("نوزده"), // 19
    QStringLiteral("بيست"), // 20
    QStringLiteral("بيستويك"), // 21
    QStringLiteral("بيستودو"), // 22
    QStringLiteral("بيستوسه"), // 23
    QStringLiteral("بيستوچهار"), // 24
    QStringLiteral("بيستوپنج"), // 25
    QStringLiteral("بيستوشش"), // 26
    QStringLiteral("بيستوهفت"), // 27
    QStringLiteral("بيستوهشت"), // 28
    QStringLiteral("بيستونه"), // 29
    QStringLiteral("سي"), // 30
    QStringLiteral("سيويك"), // 31
    QStringLiteral("سيودو"), // 32
    QStringLiteral("سيوسه"), // 33
    QStringLiteral("سيوچهار"), // 34
    QStringLiteral("سيوپنج"), // 35
    QStringLiteral("سيوشش"), // 36
    QStringLiteral("سيوهفت"), // 37
    QStringLiteral("سيوهشت"), // 38
    QStringLiteral("سيونه"), // 39
    QStringLiteral("چهل"), // 40
    QStringLiteral("چهلويك"), // 41
    QStringLiteral("چهلودو"), // 42
    QStringLiteral("چهلوسه"), // 43
    QStringLiteral("چهلوچهار"), // 44
    QStringLiteral("چهلوپنج"), // 45
    QStringLiteral("چهلوشش"), // 46
    QStringLiteral("چهلوهفت"), // 47
    QStringLiteral("چهلوهشت"), // 48
    QStringLiteral("چهلونه"), // 49
    QStringLiteral("پنجاه"), // 50
};

// Material names in the order of the thickness fields Typ1..Typ28.
const QString kMaterialNames[kMaterialCount] = {
    QStringLiteral("آجرمعمولي"), // Typ1
    QStringLiteral("آجرنما"), // Typ2
    QStringLiteral("آجرمجوف"), // Typ3
    QStringLiteral("بلوكسيماني"), // Typ4
    QStringLiteral("اندودگچ"), // Typ5
    QStringLiteral("اندودسيمان"), // Typ6
    QStringLiteral("ملاتسيمان"), // Typ7
    QStringLiteral("بتنسنگين"), // Typ8
    QStringLiteral("بتنسبك"), // Typ9
    QStringLiteral("كاشيلعابي"), // Typ10
    QStringLiteral("سراميك"), // Typ11
    QStringLiteral("آسفالتسبك"), // Typ12
    QStringLiteral("آسفالتسنگين"), // Typ13
    QStringLiteral("چوبسخت"), // Typ14
    QStringLiteral("چوبنرم"), // Typ15
    QStringLiteral("كفپوش"), // Typ16
    QStringLiteral("پشمشيشه"), // Typ17
    QStringLiteral("قيرگونيوايزوگام"), // Typ18
    QStringLiteral("پوكهسقف"), // Typ19
    QStringLiteral("طاقضربي"), // Typ20
    QStringLiteral("شنخشك"), // Typ21
    QStringLiteral("اندودزيرگچ"), // Typ22
    QStringLiteral("سنگطبيعي"), // Typ23
    QStringLiteral("تيرچهبلوك20 "), // Typ24
    QStringLiteral("ورقموجدارآزبست"), // Typ25
    QStringLiteral("ورقموجدارگالوانيزه"), // Typ26
    QStringLiteral("آهن"), // Typ27
    QStringLiteral("نئوپان"), // Typ28
};

} // namespace

QString ConvertTabage(int n)
{
    if (n >= 0 && n <= 50)
        return kCardinals[n];
    return QString::number(n);
}

QString Masaleh(const std::array<QString, kMaterialCount> &thicknessTexts)
{
    QString text;
    for (int i = 0; i < kMaterialCount; ++i) {
        if (thicknessTexts[i].isEmpty())
            continue;
        text += kMaterialNames[i];
        text += thicknessTexts[i];
        text += QStringLiteral("اينچ,");
    }
    return text;
}

QString signAfter(double v)
{
    QString text = pf::floatToStr(std::fabs(v));
    if (v < 0)
        text += QLatin1Char('-');
    return text;
}

} // namespace building
