#include "boravest/eqbook/RepUnit.h"

#include "boravest/data/UnitDm.h"
#include "boravest/eqbook/Drawings.h"
#include "boravest/eqbook/PageLayout.h"
#include "boravest/sizing/Catalogues.h"
#include "platform/common/Numbers.h"

using namespace pf::report;
using namespace bv::eqbook;
namespace eq = bv::sizing;

TReport *Report = nullptr;

const char *const TReport::kTextNoReturnPump = "براي برگشت آبگرم مصرفي پمپ درنظر گرفته نشده است";

namespace {

constexpr double kRight = 712;  // right column
constexpr double kMiddle = 460; // middle column
// Right edges of the five pairs of the two catalogue rows, right to left.
constexpr double kFive[5] = {712, 572, 432, 292, 152};

} // namespace

Label *TReport::text(const char *name, const QString &t)
{
    const QString n = name ? QString::fromLatin1(name) : QStringLiteral("FixedText%1").arg(++m_counter);
    return addText(TitleBand1, n, kRight, 0, t);
}

DBText *TReport::field(const char *name, const char *fieldName)
{
    return addField(TitleBand1, QString::fromLatin1(name), kRight, 0, DM1 ? DM1->Table12 : nullptr,
                    QString::fromLatin1(fieldName));
}

void TReport::line(double right, double top, std::vector<TextElement *> parts)
{
    m_lines.push_back({std::move(parts), right, top});
}

void TReport::reflow()
{
    for (const Line &l : m_lines)
        flowRightToLeft(l.parts, l.right, l.top);
}

Drawing *TReport::picture(const char *name, const QPointF &at, Picture kind)
{
    return addPicture(TitleBand1, QString::fromLatin1(name), at, kind);
}

TReport::TReport(QObject *parent) : QObject(parent)
{
    setObjectName(QStringLiteral("Report"));
    QuickRep1.font = ReportFont::fromPixels(kReportFamily, 13, true);
    QuickRep1.printIfEmpty = true;
    TitleBand1 = QuickRep1.addBand(BandType::Title, QStringLiteral("TitleBand1"), 995);
    TitleBand1->color = Qt::white;
    Band *b = TitleBand1;

    addCentred(b, QStringLiteral("QRLabel6"), QuickRep1.contentWidthPx() / 2, 8, QStringLiteral("منبع آبگرم مصرفي"), 13,
               kTitleFamily, true);
    QRLabel8 = text("QRLabel8");
    line(kRight, 40, {text("QRLabel7", QStringLiteral("نوع منبع:")), QRLabel8});

    QRLabel27 = text("QRLabel27");
    QRDBText22 = field("QRDBText22", "T_Manba");
    line(kRight, 85, {QRLabel27, QRDBText22});
    line(kMiddle, 85, {text("QRLabel12", QStringLiteral(":(gph)ساير مصارف")), field("QRDBText18", "S_masaref")});

    ImgMnbDoJ = picture("ImgMnbDoJ", QPointF(10, 91), Picture::DoubleWallTank);
    ImgMnbKAb = picture("ImgMnbKAb", QPointF(10, 91), Picture::CoilTank);
    ImgMnbKBo = picture("ImgMnbKBo", QPointF(10, 91), Picture::SteamCoilTank);

    QRLabel3 = text("QRLabel3", QStringLiteral("QRLabel3"));
    line(kRight, 118, {text("QRLabel9", QStringLiteral(":ضريب ذخيره")), QRLabel3});
    line(kMiddle, 118, {text("QRLabel22", QStringLiteral(":تعداد پمپ برگشت")), field("QRDBText21", "T_Pomp")});
    QRLabel4 = text("QRLabel4", QStringLiteral("QRLabel4"));
    line(kRight, 147, {text("QRLabel11", QStringLiteral(":ضريب تقاضا")), QRLabel4});
    line(kRight, 177, {text("QRLabel2", QStringLiteral(":(%)ضريب اطمينان")), field("QRDBText17", "Z_Et")});
    line(kRight, 206, {text("QRLabel21", QStringLiteral(":(%)راندمان مبدل")), field("QRDBText19", "Randeman")});
    QRLabel5 = text("QRLabel5", QStringLiteral("125"));
    line(kRight, 234, {text("QRLabel1", QStringLiteral(":(gph)حد اكثر آبگرم مصرفي")), QRLabel5});

    auto pair = [&](Label *&caption, const char *cn, Label *&value, const char *vn, double right, double top) {
        caption = text(cn);
        value = text(vn, QStringLiteral("------"));
        line(right, top, {caption, value});
    };
    pair(QRLabel28, "QRLabel28", QRLabel39, "QRLabel39", kRight, 270);
    pair(QRLabel57, "QRLabel57", QRLabel73, "QRLabel73", kMiddle, 283);
    pair(QRLabel30, "QRLabel30", QRLabel40, "QRLabel40", kRight, 300);
    pair(QRLabel49, "QRLabel49", QRLabel74, "QRLabel74", kMiddle, 325);
    pair(QRLabel31, "QRLabel31", QRLabel41, "QRLabel41", kRight, 337);
    pair(QRLabel34, "QRLabel34", QRLabel42, "QRLabel42", kRight, 366);
    pair(QRLabel10, "QRLabel10", QRLabel16, "QRLabel16", kMiddle, 366);
    QRLabel10->text = QStringLiteral(":(hp)قدرت الكتروموتور");
    pair(QRLabel32, "QRLabel32", QRLabel47, "QRLabel47", kFive[0], 407);
    pair(QRLabel35, "QRLabel35", QRLabel43, "QRLabel43", kFive[1], 407);
    pair(QRLabel33, "QRLabel33", QRLabel48, "QRLabel48", kFive[2], 407);
    pair(QRLabel54, "QRLabel54", QRLabel67, "QRLabel67", kFive[3], 407);
    pair(QRLabel51, "QRLabel51", QRLabel62, "QRLabel62", kFive[4], 407);
    pair(QRLabel38, "QRLabel38", QRLabel46, "QRLabel46", kFive[0], 444);
    pair(QRLabel37, "QRLabel37", QRLabel45, "QRLabel45", kFive[1], 444);
    pair(QRLabel36, "QRLabel36", QRLabel44, "QRLabel44", kFive[2], 444);
    pair(QRLabel56, "QRLabel56", QRLabel68, "QRLabel68", kFive[3], 444);
    pair(QRLabel53, "QRLabel53", QRLabel66, "QRLabel66", kFive[4], 444);
    QRLabel26 = text("QRLabel26");
    line(kRight, 477, {QRLabel26});

    QImg2j = picture("QImg2j", QPointF(10, 522), Picture::DoubleWallPiping);
    QImgKAB = picture("QImgKAB", QPointF(10, 522), Picture::CoilPiping);
    QImgB = picture("QImgB", QPointF(10, 522), Picture::SteamCoilPiping);
    for (Drawing *i : {QImg2j, QImgKAB, QImgB})
        i->frame.setAll(true);

    // By-pass note.
    Label *bypass = text("QRLabel17", QStringLiteral("سيستم كنار گذر"));
    bypass->font.underline = true;
    line(kRight, 570, {bypass});
    const char *const bypassLines[][2] = {
        {"QRLabel18", " (by-pass) استفاده از سيستم كنار گذر"},
        {"QRLabel19", " بصورت موازي در كنار پمپ امكان برخورداري "},
        {"QRLabel25", " از سيستم گردش طبيعي آب را در مواقع نياز"},
        {"QRLabel20", "فراهم مي كند."},
        {"QRLabel23", "اما در عمل هيچگاه از دو سيستم - طبيعي و"},
        {"QRLabel24", "اجباري همزمان استفاده نمي شود."},
    };
    double y = 600;
    for (const auto &l : bypassLines) {
        line(kRight, y, {text(l[0], QString::fromUtf8(l[1]))});
        y += 24;
    }

    // Steam trap note.
    QRLabel14 = text("QRLabel14", QStringLiteral("(FT)تراپ"));
    QRLabel14->font.underline = true;
    line(kRight, 880, {QRLabel14});
    QRLabel13 = text("QRLabel13", QStringLiteral("تركيبي از  تراپ هاي شناوري و حرارتي است كه با بار زياد آب كندانس بكار مي رود"));
    line(kRight, 908, {QRLabel13});
    QRLabel15 = text("QRLabel15",
                     QStringLiteral(".بخش ترمو ديناميكي آن عملكرد درستي نداشته و تنها بخش شناوري مانع ورود بخار به خط برگشت مي شود"));
    line(kRight, 936, {QRLabel15});
    reflow();
}

TReport::~TReport() = default;

void TReport::build(const HotWaterPageInputs &in, const eq::HotWaterTankResults &r)
{
    const eq::Catalogues &cat = eq::catalogues();

    // Demand and storage factors as the demand table holds them; a building
    // type outside the table prints none.
    QRLabel4->text.clear();
    QRLabel3->text.clear();
    if (in.NSakh >= 0 && in.NSakh < eq::BuildingTypeCount) {
        const int row = eq::HotWaterDemandTable::rowOfBuildingType(in.NSakh);
        QRLabel4->text = pf::floatToStr(cat.HotWaterDemand.demandFactor(row));
        QRLabel3->text = pf::floatToStr(cat.HotWaterDemand.storageFactor(row));
    }

    // Every text and state that depends on the record starts afresh.
    for (Label *l : {QRLabel8,  QRLabel28, QRLabel30, QRLabel31, QRLabel34, QRLabel35, QRLabel36, QRLabel37, QRLabel38,
                     QRLabel32, QRLabel33, QRLabel51, QRLabel53, QRLabel54, QRLabel56, QRLabel57, QRLabel49, QRLabel39,
                     QRLabel40, QRLabel41, QRLabel42, QRLabel43, QRLabel44, QRLabel45, QRLabel46, QRLabel47, QRLabel48,
                     QRLabel62, QRLabel66, QRLabel67, QRLabel68, QRLabel73, QRLabel74, QRLabel5,  QRLabel16, QRLabel27,
                     QRLabel26})
        l->text.clear();
    for (Label *l : {QRLabel43, QRLabel35, QRLabel36, QRLabel44, QRLabel51, QRLabel53, QRLabel54, QRLabel56, QRLabel62,
                     QRLabel66, QRLabel67, QRLabel68})
        l->enabled = true;
    for (Label *l : {QRLabel13, QRLabel14, QRLabel15, QRLabel26})
        l->enabled = false;
    for (Drawing *i : {ImgMnbDoJ, ImgMnbKAb, ImgMnbKBo, QImg2j, QImgKAB, QImgB})
        i->enabled = false;
    QRLabel10->text = QStringLiteral(":(hp)قدرت الكتروپمپ");
    QRDBText22->fieldName = QStringLiteral("T_Manba");

    if (in.T_Pomp < 1) {
        QRLabel26->text = QString::fromUtf8(kTextNoReturnPump);
        QRLabel26->enabled = true;
    }

    auto show = [](Drawing *small, Drawing *diagram) {
        small->enabled = true;
        diagram->enabled = true;
        small->bringToFront();
        diagram->bringToFront();
    };
    auto set = [](Label *caption, const char *c, Label *value, const QString &v) {
        caption->text = QString::fromUtf8(c);
        value->text = v;
    };
    const QString R1 = roundedText(r.waterVolumeGal), R2 = roundedText(r.heatingSurfaceSqFt);

    switch (in.Typ_MAM) {
    case eq::DoubleWallTank: {
        show(ImgMnbDoJ, QImg2j);
        const auto &t = cat.DoubleWallTanks;
        auto c = [&](int col) { return catalogueCell(t, r.row, col); };
        QRLabel8->text = QStringLiteral("دوجداره");
        QRLabel27->text = QStringLiteral(":تعداد منابع:");
        QRLabel5->text = roundedText(r.peakDemandGph);
        set(QRLabel28, ":(gal)حجم آب منبع", QRLabel39, R1);
        set(QRLabel30, ":(sq.ft)حداقل سطح حرارتي", QRLabel40, R2);
        set(QRLabel31, ":(lit)حجم استاندارد", QRLabel41, c(1));
        set(QRLabel34, ":(Cm)D1", QRLabel42, c(2));
        set(QRLabel35, ":(Cm)L1", QRLabel43, c(3));
        set(QRLabel36, ":(In)d2,d6", QRLabel44, c(4));
        set(QRLabel37, ":(mm)t1", QRLabel45, c(5));
        set(QRLabel38, ":(Cm)D2", QRLabel46, c(6));
        set(QRLabel32, ":(Cm)L2", QRLabel47, c(7));
        set(QRLabel33, ":(In)d3,d4", QRLabel48, c(8));
        set(QRLabel51, ":(In)d1", QRLabel62, c(9));
        set(QRLabel53, ":(mm)t2", QRLabel66, c(10));
        set(QRLabel54, ":(Kg)W", QRLabel67, c(11));
        set(QRLabel56, ":(sq.M)Su", QRLabel68, c(12));
        set(QRLabel57, ":(gpm)دبي پمپ برگشت", QRLabel73, roundedText(r.pumpFlowGpm));
        set(QRLabel49, ":(ft)هد پمپ برگشت", QRLabel74, roundedText(r.pumpHeadFt));
        QRLabel16->text = roundedText(r.pumpPowerHp);
        break;
    }
    case eq::HotWaterCoilTank: {
        show(ImgMnbKAb, QImgKAB);
        const auto &t = cat.CoilTanks;
        auto c = [&](int col) { return catalogueCell(t, r.row, col); };
        QRLabel8->text = QStringLiteral("كويلي آب گرم");
        QRLabel27->text = QStringLiteral("تعداد منابع:");
        QRLabel5->text = roundedText(r.peakDemandGph);
        set(QRLabel28, "(gal)حجم آب منبع", QRLabel39, R1);
        set(QRLabel30, "(sq.ft)سطح حرارتي كويل", QRLabel40, R2);
        set(QRLabel31, "(lit)ظرفيت استاندارد منبع", QRLabel41, c(1));
        set(QRLabel34, "(Cm)H", QRLabel42, c(2));
        set(QRLabel35, "(Cm)L", QRLabel43, c(3));
        set(QRLabel36, "(Cm)D", QRLabel44, c(4));
        set(QRLabel37, "(In)d2,d6", QRLabel45, c(5));
        set(QRLabel38, "(In)d8", QRLabel46, c(6));
        set(QRLabel32, "(In)d7", QRLabel47, c(7));
        set(QRLabel33, "(mm)ضخامت ورق", QRLabel48, c(8));
        for (Label *l : {QRLabel51, QRLabel53, QRLabel54, QRLabel56, QRLabel62, QRLabel66, QRLabel67, QRLabel68})
            l->enabled = false;
        set(QRLabel57, ":(gpm)دبي پمپ برگشت", QRLabel73, roundedText(r.pumpFlowGpm));
        set(QRLabel49, ":(ft)هد پمپ برگشت", QRLabel74, roundedText(r.pumpHeadFt));
        QRLabel16->text = roundedText(r.pumpPowerHp);
        break;
    }
    case eq::SteamCoilTank:
        show(ImgMnbKBo, QImgB);
        for (Label *l : {QRLabel13, QRLabel14, QRLabel15})
            l->enabled = true;
        QRLabel8->text = QStringLiteral("كويلي بخار");
        QRLabel27->text = QStringLiteral(":(PSI)فشار بخار");
        QRDBText22->fieldName = QStringLiteral("Fesh_KB");
        QRLabel5->text = roundedText(r.peakDemandGph);
        set(QRLabel28, ":(Sq.ft)سطح جانبي كويل", QRLabel39, R2);
        set(QRLabel30, ":(lb/h)مصرف بخار مبدل", QRLabel40, roundedText(r.steamUseLbh));
        set(QRLabel31, ":(lb/h)مقدار آب كندانس", QRLabel41, roundedText(r.condensateLbh));
        set(QRLabel34, ":(lb/h)ظرفيت تراپ", QRLabel42, roundedText(r.trapCapacityLbh));
        set(QRLabel37, ":(F)دماي اشباع", QRLabel45, roundedText(r.saturationTempF));
        set(QRLabel38, ":(Btu/lb)آنتالپي", QRLabel46, roundedText(r.vapourEnthalpy));
        set(QRLabel32, ":(Btu/lb) گرماي نهان", QRLabel47, roundedText(r.latentHeat));
        set(QRLabel33, ":(gal)حجم آب منبع", QRLabel48, R1);
        for (Label *l : {QRLabel35, QRLabel43, QRLabel36, QRLabel44})
            l->enabled = false;
        set(QRLabel57, ":(gpm)دبي پمپ برگشت", QRLabel73, roundedText(r.pumpFlowGpm));
        set(QRLabel49, "(ft)هد پمپ برگشت", QRLabel74, roundedText(r.pumpHeadFt));
        QRLabel16->text = roundedText(r.pumpPowerHp);
        break;
    default:
        // No such kind: nothing is sized and nothing but the inputs prints.
        break;
    }
    reflow();
}
