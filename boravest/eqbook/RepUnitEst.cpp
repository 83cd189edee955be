#include "boravest/eqbook/Drawings.h"
#include "boravest/eqbook/RepUnitEst.h"

#include "boravest/data/UnitDm.h"
#include "boravest/eqbook/HeatingPages.h"
#include "boravest/eqbook/PageLayout.h"
#include "boravest/eqbook/PoolHeaterPage.h"

using namespace pf::report;
using namespace bv::eqbook;
namespace eq = bv::sizing;

TReportEst *ReportEst = nullptr;

const char *const TReportEst::kTextHotWater = "آب گرم";
const char *const TReportEst::kTextSteam = "بخار";
const char *const TReportEst::kTextSurface = "(Sq.ft)سطح حرارتي";

namespace {

constexpr double kRight = 712;  // right column
constexpr double kMiddle = 470; // middle column

} // namespace

TReportEst::TReportEst(QObject *parent) : QObject(parent)
{
    setObjectName(QStringLiteral("ReportEst"));
    QuickRep1.font = ReportFont::fromPixels(kReportFamily, 13, true);
    QuickRep1.printIfEmpty = true;
    TitleBand1 = QuickRep1.addBand(BandType::Title, QStringLiteral("TitleBand1"), 902);
    TitleBand1->color = Qt::white;
    DetailBand1 = QuickRep1.addBand(BandType::Detail, QStringLiteral("DetailBand1"), 7);
    m_flow = std::make_unique<LineFlow>(TitleBand1);
    LineFlow &f = *m_flow;
    pf::db::Dataset *rec = DM1 ? DM1->Table12 : nullptr;
    auto t = [&f](const char *name, const char *text = "125") { return f.text(name, QString::fromUtf8(text)); };
    auto d = [&f, rec](const char *name, const char *field) { return f.field(name, rec, field); };

    addCentred(TitleBand1, QStringLiteral("QRLabel5"), QuickRep1.contentWidthPx() / 2, 7,
               QStringLiteral("استخر خانگي"), 13, kTitleFamily, true);
    QRLabel14 = t("QRLabel14", "------");
    f.line(kRight, 40, {t("QRLabel13", "نوع مبدل:"), QRLabel14});
    QRImage2 = addPicture(TitleBand1, QStringLiteral("QRImage2"), {4, 53}, Picture::PoolCircuit);

    // Exchanger inputs and energies; the steam rows in the middle column.
    f.line(kMiddle, 67, {t("QRLabel23", ":(%)راندمان مبدل"), d("QRDBText6", "Rand_Est")});
    f.line(kRight, 78, {t("QRLabel15", ":(F)دماي مطلوب آب "), d("QRDBText9", "D_Ma_Est")});
    f.line(kRight, 105, {t("QRLabel93", ":(F)دماي محيط"), d("QRDBText1", "D_Mo_Est")});
    f.line(kMiddle, 105, {t("QRLabel97", ":تعداد مبدل"), d("QRDBText7", "Te_Est")});
    f.line(kRight, 137, {t("QRLabel94", ":(h)مدت زمان گرم شدن"), d("QRDBText2", "Mz_G_Ab_Est")});
    QRLabel98 = t("QRLabel98", ":(PSI)فشار ورودي بخار");
    QRDBText8 = d("QRDBText8", "Fesh_M_Est");
    f.line(kMiddle, 137, {QRLabel98, QRDBText8});
    f.line(kRight, 170, {t("QRLabel19", ":(ft)عمق متوسط"), d("QRDBText4", "Omgh_M_Est")});
    QRLabel55 = t("QRLabel55", ":(F)دماي اشباع");
    QRLabel78 = t("QRLabel78");
    f.line(kMiddle, 170, {QRLabel55, QRLabel78});
    f.line(kRight, 202, {t("QRLabel18", ":(Sq.ft)مساحت استخر"), d("QRDBText3", "Mass_Est")});
    QRLabel58 = t("QRLabel58", ":(Btu/lb)آنتالپي بخار");
    QRLabel79 = t("QRLabel79");
    f.line(kMiddle, 202, {QRLabel58, QRLabel79});
    QRLabel65 = t("QRLabel65");
    f.line(kRight, 236, {t("QRLabel24", ":(gal)حجم آب استخر"), QRLabel65});
    QRLabel82 = t("QRLabel82", ":(Btu/lb)گرماي نهان");
    QRLabel87 = t("QRLabel87");
    f.line(kMiddle, 236, {QRLabel82, QRLabel87});
    QRLabel70 = t("QRLabel70");
    f.line(kRight, 262, {t("QRLabel26", ":(Btu/h)انرژي موردنياز اوليه"), QRLabel70});
    QRLabel63 = t("QRLabel63", ":(lb/h)مقدار آب كندانس");
    QRLabel76 = t("QRLabel76");
    f.line(kMiddle, 262, {QRLabel63, QRLabel76});
    QRLabel71 = t("QRLabel71");
    f.line(kRight, 290, {t("QRLabel52", ":(Btu/h)اتلاف حرارتي سطحي"), QRLabel71});
    ImgMbAb = addPicture(TitleBand1, QStringLiteral("ImgMbAb"), {4, 295}, Picture::PoolHotWaterExchanger);
    ImgMbB = addPicture(TitleBand1, QStringLiteral("ImgMbB"), {4, 295}, Picture::PoolSteamExchanger);
    QRLabel64 = t("QRLabel64", ":(lb/h)ظرفيت تراپ");
    QRLabel77 = t("QRLabel77");
    f.line(kMiddle, 312, {QRLabel64, QRLabel77});
    QRLabel69 = t("QRLabel69");
    f.line(kRight, 320, {t("QRLabel59", ":(Btu/h)كل انرژي حرارتي"), QRLabel69});
    QRLabel60 = f.text("QRLabel60", QString::fromUtf8(kTextSurface));
    QRLabel72 = t("QRLabel72");
    f.line(kRight, 349, {QRLabel60, QRLabel72});
    QRLabel61 = t("QRLabel61", ":(lb/h)مصرف بخار");
    QRLabel75 = t("QRLabel75");
    f.line(kMiddle, 349, {QRLabel61, QRLabel75});

    // Filtration pumps (right) and the exchanger's hot-water pumps (middle).
    Label *title80 = t("QRLabel80", " پمپ تصفيه آب استخر");
    title80->font.underline = true;
    f.line(kRight, 381, {title80});
    QRLabel29 = t("QRLabel29", " پمپ سيركولاتور آبگرم مبدل");
    QRLabel29->font.underline = true;
    f.line(kMiddle, 381, {QRLabel29});
    f.line(kRight, 407, {t("QRLabel84", ":(h)گردش آب استخر"), d("QRDBText24", "G_Ab_Est")});
    QRLabel86 = t("QRLabel86", ":(ft)افت فشار پوسته مبدل");
    QRDBText12 = d("QRDBText12", "Oft_Fesh_P_M_Est");
    f.line(kMiddle, 408, {QRLabel86, QRDBText12});
    f.line(kRight, 438, {t("QRLabel119", ":(ft)افت فشار كويل"), d("QRDBText10", "Oft_Fesh_K_Est")});
    QRLabel122 = t("QRLabel122", ":(ft)افت فشار ديگ");
    QRDBText23 = d("QRDBText23", "Oft_Fesh_D_Est");
    f.line(kMiddle, 438, {QRLabel122, QRDBText23});
    f.line(kRight, 469, {t("QRLabel120", ":(ft)افت فشار فيلترها"), d("QRDBText11", "Oft_Fesh_F_Est")});
    QRLabel90 = t("QRLabel90", ":تعداد پمپ آبگرم مبدل ");
    QRDBText15 = d("QRDBText15", "Te_Pmp_D_Est");
    f.line(kMiddle, 469, {QRLabel90, QRDBText15});
    f.line(kRight, 500, {t("QRLabel88", ":(ft)افت فشار لوله ها و كلكتور"), d("QRDBText13", "Oft_Fesh_Sh_Est")});
    QRLabel126 = t("QRLabel126", ":(%)راندمان الكتروپمپ");
    QRLabel127 = t("QRLabel127");
    f.line(kMiddle, 500, {QRLabel126, QRLabel127});
    f.line(kRight, 530, {t("QRLabel89", ":تعداد پمپ استخر"), d("QRDBText14", "Te_Pmp_Est")});
    QRLabel17 = t("QRLabel17", ":(gpm)دبي پمپ آبگرم");
    QRLabel118 = t("QRLabel118");
    f.line(kMiddle, 530, {QRLabel17, QRLabel118});
    QRImage4 = addPicture(TitleBand1, QStringLiteral("QRImage4"), {4, 547}, Picture::SandFilter);
    QRLabel128 = t("QRLabel128");
    f.line(kRight, 560, {t("QRLabel116", ":(%)راندمان الكتروپمپ"), QRLabel128});
    QRLabel85 = t("QRLabel85", ":(ft)هد پمپ آبگرم");
    QRLabel92 = t("QRLabel92", "Hp2");
    f.line(kMiddle, 560, {QRLabel85, QRLabel92});
    QRLabel107 = t("QRLabel107");
    f.line(kRight, 590, {t("QRLabel91", ":(gph)دبي پمپ استخر"), QRLabel107});
    QRLabel83 = t("QRLabel83", ":(hp)قدرت الكترو پمپ");
    QRLabel121 = t("QRLabel121");
    f.line(kMiddle, 590, {QRLabel83, QRLabel121});
    QRLabel81 = t("QRLabel81", "Hp");
    f.line(kRight, 615, {t("QRLabel50", ":(ft)هد پمپ تصفيه"), QRLabel81});
    QRLabel106 = t("QRLabel106");
    f.line(kRight, 643, {t("QRLabel95", ":(hp)قدرت الكترو پمپ "), QRLabel106});
    QRLabel4 = t("QRLabel4", ":(gpm)دبي آبگردشي");
    QRLabel6 = t("QRLabel6");
    f.line(kMiddle, 643, {QRLabel4, QRLabel6});
    QRLabel3 = t("QRLabel3");
    f.line(kRight, 674, {t("QRLabel2", ":(gph)دبي آبگردشي"), QRLabel3});
    QRLabel100 = t("QRLabel100", ":(In)سايز لوله كشي");
    QRLabel123 = t("QRLabel123");
    f.line(kMiddle, 674, {QRLabel100, QRLabel123});
    QRLabel108 = t("QRLabel108");
    f.line(kRight, 706, {t("QRLabel96", ":(In)سايز لوله کشي"), QRLabel108});
    QRLabel115 = t("QRLabel115", ":(gpm)حد اكثر گذر آب در لوله");
    QRLabel124 = t("QRLabel124");
    f.line(kMiddle, 706, {QRLabel115, QRLabel124});
    QRLabel109 = t("QRLabel109");
    f.line(kRight, 738, {t("QRLabel101", ":(gpm)حد اكثر گذر آب در لوله"), QRLabel109});
    QRLabel117 = t("QRLabel117", ":(FPS)حداكثر سرعت آب در لوله");
    QRLabel125 = t("QRLabel125");
    f.line(kMiddle, 738, {QRLabel117, QRLabel125});
    QRLabel110 = t("QRLabel110");
    f.line(kRight, 763, {t("QRLabel102", ":(FPS)حداكثر سرعت آب در لوله"), QRLabel110});
    QRLabel9 = t("QRLabel9");
    f.line(kRight, 791, {t("QRLabel7", ":(lb/h)مقدار كلر مورد نياز"), QRLabel9});

    // Sand filter.
    f.line(kRight, 815, {t("QRLabel1", ":با مراجعه به كاتالوگ فيلتر شني و موگير")});
    QRLabel112 = t("QRLabel112");
    QRLabel113 = t("QRLabel113");
    QRLabel111 = t("QRLabel111");
    QRLabel114 = t("QRLabel114");
    f.line(kRight, 843,
           {t("QRLabel104", ":(gpm)ظرفيت"), QRLabel112, t("QRLabel105", ":(L*D)ابعاد"), QRLabel113,
            t("QRLabel103", ":(kg)وزن سيليس"), QRLabel111, t("QRLabel99", "(mm)ضخامت ورق"), QRLabel114});
    f.line(kRight, 870,
           {t("QRLabel8", " در فيلترهاي شني هنگام تصفيه آب جهت جريان از بالا به پايين بوده و در موقع شستشوي فيلتر "
                          "جهت جريان عكس ميشود")});
    f.reflow();
}

TReportEst::~TReportEst() = default;

void TReportEst::build(const PoolPageInputs &in, const eq::ExchangerResults &m, const eq::PumpsResults &s)
{
    writePoolHeater(
        {.typeWord = QRLabel14, .surfaceCaption = QRLabel60,
         .waterVolume = QRLabel65, .startUpEnergy = QRLabel70, .surfaceLoss = QRLabel71, .totalEnergy = QRLabel69,
         .coilSurface = QRLabel72,
         .steamUse = QRLabel75, .condensate = QRLabel76, .trapCapacity = QRLabel77,
         .saturationTemperature = QRLabel78, .latentHeat = QRLabel87, .vapourEnthalpy = QRLabel79,
         .chlorine = QRLabel9, .circulation = QRLabel3, .pumpHead = QRLabel81, .pumpEfficiency = QRLabel128,
         .flowPerPump = QRLabel107, .pumpPower = QRLabel106,
         .pipeSize = QRLabel108, .pipeCapacity = QRLabel109, .pipeVelocity = QRLabel110,
         .filterWeight = QRLabel111, .filterCapacity = QRLabel112, .filterDimensions = QRLabel113,
         .filterSheet = QRLabel114,
         .exchangerFlow = QRLabel6, .exchangerPumpHead = QRLabel92, .exchangerPumpEfficiency = QRLabel127,
         .flowPerExchangerPump = QRLabel118, .exchangerPumpPower = QRLabel121,
         .exchangerPipeSize = QRLabel123, .exchangerPipeCapacity = QRLabel124, .exchangerPipeVelocity = QRLabel125,
         .hotWaterPicture = ImgMbAb, .steamPicture = ImgMbB,
         .steamRows = {QRLabel98, QRDBText8, QRLabel61, QRLabel75, QRLabel63, QRLabel76, QRLabel64, QRLabel77,
                       QRLabel55, QRLabel78, QRLabel58, QRLabel79, QRLabel82, QRLabel87},
         .hotWaterPumpRows = {QRLabel29,  QRLabel86,  QRDBText12, QRLabel122, QRDBText23, QRLabel90,
                              QRDBText15, QRLabel126, QRLabel127, QRLabel17,  QRLabel118, QRLabel85,
                              QRLabel92,  QRLabel83,  QRLabel121, QRLabel4,   QRLabel6,   QRLabel100,
                              QRLabel123, QRLabel115, QRLabel124, QRLabel117, QRLabel125}},
        in.Typ_M_Est, m, s);
    m_flow->reflow();
}
