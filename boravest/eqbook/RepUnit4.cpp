#include "boravest/eqbook/Drawings.h"
#include "boravest/eqbook/RepUnit4.h"

#include "boravest/data/UnitDm.h"
#include "boravest/eqbook/HeatingPages.h"
#include "boravest/eqbook/PageLayout.h"
#include "boravest/eqbook/PoolHeaterPage.h"

using namespace pf::report;
using namespace bv::eqbook;
namespace eq = bv::sizing;

TReport4 *Report4 = nullptr;

namespace {

constexpr double kRight = 712;  // right block
constexpr double kMiddle = 450; // middle block

} // namespace

TReport4::TReport4(QObject *parent) : QObject(parent)
{
    setObjectName(QStringLiteral("Report4"));
    QuickRep1.font = ReportFont::fromPixels(kReportFamily, 13, true);
    QuickRep1.printIfEmpty = true;
    TitleBand1 = QuickRep1.addBand(BandType::Title, QStringLiteral("TitleBand1"), 1027);
    TitleBand1->color = Qt::white;
    m_flow = std::make_unique<LineFlow>(TitleBand1);
    LineFlow &f = *m_flow;
    pf::db::Dataset *rec = DM1 ? DM1->Table12 : nullptr;
    auto t = [&f](const char *name, const char *text = "125") { return f.text(name, QString::fromUtf8(text)); };
    auto d = [&f, rec](const char *name, const char *field) { return f.field(name, rec, field); };
    auto underlined = [&t](const char *name, const char *text) {
        Label *l = t(name, text);
        l->font.underline = true;
        return l;
    };

    addCentred(TitleBand1, QStringLiteral("QRLabel5"), QuickRep1.contentWidthPx() / 2, 14, QStringLiteral("جكوزي"), 13,
               kTitleFamily, true);

    // Exchanger inputs and energies; the steam rows in the middle block.
    f.line(kRight, 58, {t("QRLabel15", ":(F)دماي مطلوب آب"), d("QRDBText9", "D_Ma_Jak")});
    QRLabel14 = t("QRLabel14", "------");
    f.line(kMiddle, 58, {t("QRLabel13", "نوع مبدل:"), QRLabel14});
    f.line(kRight, 90, {t("QRLabel93", ":(F) دماي محيط"), d("QRDBText1", "D_Mo_Jak")});
    QRDBText6 = d("QRDBText6", "Rand_Jak");
    f.line(kMiddle, 90, {t("QRLabel23", ":(%)راندمان مبدل"), QRDBText6});
    QRImage1 = addPicture(TitleBand1, QStringLiteral("QRImage1"), {2, 91}, Picture::JacuzziCircuit);
    f.line(kRight, 124, {t("QRLabel94", ":(h)مدت زمان گرم شدن آب "), d("QRDBText2", "Mz_G_Ab_Jak")});
    QRLabel60 = t("QRLabel60", "(Sq.ft)سطح حرارتي");
    QRLabel72 = t("QRLabel72");
    f.line(kMiddle, 124, {QRLabel60, QRLabel72});
    f.line(kRight, 156, {t("QRLabel19", ":(ft)عمق متوسط"), d("QRDBText4", "Omgh_M_Jak")});
    f.line(kMiddle, 156, {t("QRLabel97", ":تعداد مبدل"), d("QRDBText7", "Te_Jak")});
    f.line(kRight, 182, {t("QRLabel18", ":(Sq.ft)مساحت"), d("QRDBText3", "Mass_Jak")});
    QRLabel98 = t("QRLabel98", "(PSI)فشار  بخار");
    QRDBText8 = d("QRDBText8", "Fesh_M_Jak");
    f.line(kMiddle, 184, {QRLabel98, QRDBText8});
    QRLabel65 = t("QRLabel65");
    f.line(kRight, 212, {t("QRLabel24", ":(gal)حجم آب"), QRLabel65});
    QRLabel69 = t("QRLabel69");
    f.line(kRight, 238, {t("QRLabel26", ":(Btu/h)انرژي موردنياز اوليه"), QRLabel69});
    QRLabel55 = t("QRLabel55", ":(F)دماي اشباع");
    QRLabel79 = t("QRLabel79");
    f.line(kMiddle, 238, {QRLabel55, QRLabel79});
    QRLabel70 = t("QRLabel70");
    f.line(kRight, 271, {t("QRLabel52", ":(Btu/h)اتلاف حرارتي سطحي"), QRLabel70});
    QRLabel82 = t("QRLabel82", "(Btu/lb)گرماي نهان");
    QRLabel78 = t("QRLabel78");
    f.line(kMiddle, 271, {QRLabel82, QRLabel78});
    QRLabel71 = t("QRLabel71");
    f.line(kRight, 305, {t("QRLabel59", ":(Btu/h)كل انرژي حرارتي"), QRLabel71});
    QRLabel58 = t("QRLabel58", ":(Btu/lb)آنتالپي بخار");
    QRLabel87 = t("QRLabel87");
    f.line(kMiddle, 305, {QRLabel58, QRLabel87});
    QRLabel61 = t("QRLabel61", ":(lb/h)مصرف بخار");
    QRLabel75 = t("QRLabel75");
    QRLabel63 = t("QRLabel63", ":(lb/h)مقدار آب كندانس");
    QRLabel76 = t("QRLabel76");
    QRLabel64 = t("QRLabel64", "(lb/h)ظرفيت تراپ");
    QRLabel77 = t("QRLabel77");
    f.line(kRight, 332, {QRLabel61, QRLabel75});
    f.line(kMiddle, 332, {QRLabel63, QRLabel76});
    f.line(210, 332, {QRLabel64, QRLabel77});

    // Filtration pumps (right) and the exchanger's hot-water pumps (middle).
    f.line(kRight, 362, {underlined("QRLabel80", " پمپ تصفيه آب جكوزي")});
    QRLabel6 = underlined("QRLabel6", "پمپ سيركولاتور آبگرم مبدل");
    f.line(kMiddle, 362, {QRLabel6});
    ImgMoAb = addPicture(TitleBand1, QStringLiteral("ImgMoAb"), {2, 408}, Picture::JacuzziHotWaterExchanger);
    ImgMoBo = addPicture(TitleBand1, QStringLiteral("ImgMoBo"), {2, 408}, Picture::JacuzziSteamExchanger);
    f.line(kRight, 397, {t("QRLabel84", ":(h)گردش آب"), d("QRDBText24", "G_Ab_Jak")});
    QRLabel86 = t("QRLabel86", ":(ft)افت فشار پوسته");
    QRDBText12 = d("QRDBText12", "Oft_Fesh_P_M_Jak");
    f.line(kMiddle, 397, {QRLabel86, QRDBText12});
    f.line(kRight, 427, {t("QRLabel119", ":(ft)افت فشار كويل"), d("QRDBText10", "Oft_fesh_K_Jak")});
    QRLabel122 = t("QRLabel122", ":(ft)افت فشار ديگ");
    QRDBText23 = d("QRDBText23", "Oft_Fesh_D_Jak");
    f.line(kMiddle, 427, {QRLabel122, QRDBText23});
    f.line(kRight, 458, {t("QRLabel120", ":(ft)افت فشار فيلترها"), d("QRDBText11", "Oft_Fesh_F_Jak")});
    QRLabel90 = t("QRLabel90", "تعداد پمپ آبگرم مبدل");
    QRDBText15 = d("QRDBText15", "Te_Pmp_D_Jak");
    f.line(kMiddle, 458, {QRLabel90, QRDBText15});
    f.line(kRight, 489, {t("QRLabel88", ":(ft)افت فشارلوله و اتصالات "), d("QRDBText13", "Oft_Fesh_Sh_Jak")});
    QRLabel25 = t("QRLabel25", ":(%)راندمان الكترو پمپ");
    QRLabel42 = t("QRLabel42");
    f.line(kMiddle, 489, {QRLabel25, QRLabel42});
    f.line(kRight, 520, {t("QRLabel89", ":تعداد پمپ تصفيه"), d("QRDBText14", "Te_Pmp_Jak")});
    QRLabel17 = t("QRLabel17", ":(gpm)دبي پمپ آبگرم");
    QRLabel118 = t("QRLabel118");
    f.line(kMiddle, 520, {QRLabel17, QRLabel118});
    QRLabel41 = t("QRLabel41");
    f.line(kRight, 550, {t("QRLabel16", ":(%)راندمان الكترو پمپ"), QRLabel41});
    QRLabel32 = t("QRLabel32", ":(ft)هد پمپ آبگرم");
    QRLabel40 = t("QRLabel40");
    f.line(kMiddle, 550, {QRLabel32, QRLabel40});
    QRLabel106 = t("QRLabel106");
    f.line(kRight, 580, {t("QRLabel91", ":(gph)دبي پمپ جكوزي"), QRLabel106});
    QRLabel83 = t("QRLabel83", ":(hp)قدرت الكترو پمپ ");
    QRLabel121 = t("QRLabel121");
    f.line(kMiddle, 580, {QRLabel83, QRLabel121});
    QRLabel10 = t("QRLabel10", ":(ft)هد پمپ");
    QRLabel39 = t("QRLabel39");
    f.line(kRight, 608, {QRLabel10, QRLabel39});
    QRLabel4 = t("QRLabel4", ":(gpm)دبي آبگردشي");
    QRLabel7 = t("QRLabel7");
    f.line(kMiddle, 608, {QRLabel4, QRLabel7});
    QRLabel107 = t("QRLabel107");
    f.line(kRight, 635, {t("QRLabel95", ":(hp)قدرت الكترو پمپ "), QRLabel107});
    QRLabel3 = t("QRLabel3");
    f.line(kRight, 662, {t("QRLabel2", ":(gph)دبي آبگردشي"), QRLabel3});
    QRLabel100 = t("QRLabel100", ":(In)سايز لوله كشي");
    QRLabel123 = t("QRLabel123");
    f.line(kMiddle, 662, {QRLabel100, QRLabel123});
    QRLabel108 = t("QRLabel108");
    f.line(kRight, 692, {t("QRLabel96", ":(In)سايز لوله كشي"), QRLabel108});
    QRLabel115 = t("QRLabel115", ":(gpm)حد اكثر گذر آب در لوله");
    QRLabel124 = t("QRLabel124");
    f.line(kMiddle, 692, {QRLabel115, QRLabel124});
    QRImage4 = addPicture(TitleBand1, QStringLiteral("QRImage4"), {3.5, 701}, Picture::SandFilter);
    QRLabel109 = t("QRLabel109");
    f.line(kRight, 722, {t("QRLabel101", ":(gpm)حد اكثر گذر آب در لوله"), QRLabel109});
    QRLabel117 = t("QRLabel117", ":(FPS)حداكثر سرعت آب در لوله");
    QRLabel125 = t("QRLabel125");
    f.line(kMiddle, 722, {QRLabel117, QRLabel125});
    QRLabel110 = t("QRLabel110");
    f.line(kRight, 751, {t("QRLabel102", ":(FPS)حداكثر سرعت آب در لوله"), QRLabel110});

    // Jets.
    Label *jets = underlined("QRLabel53", "مشخصات پمپ جت هاي جكوزي");
    f.line(kMiddle + 80, 780, {jets});
    QRLabel68 = t("QRLabel68");
    f.line(kRight, 811, {t("QRLabel54", ":(GPM)دبي پمپ جت ها"), QRLabel68});
    DBText *jetCount = d("QRDBText5", "Te_Naz");
    jetCount->font.family = QStringLiteral("Arial");
    f.line(kMiddle, 811, {t("QRLabel67", ":تعداد جت ها"), jetCount});
    QRLabel73 = t("QRLabel73");
    f.line(kRight, 840, {t("QRLabel66", ":(ft)هد پمپ"), QRLabel73});
    QRLabel85 = t("QRLabel85");
    f.line(kMiddle, 840, {t("QRLabel57", "(In)سايز لوله كشي"), QRLabel85});
    QRLabel74 = t("QRLabel74");
    f.line(kRight, 869, {t("QRLabel56", ":(hp)قدرت موتور پمپ "), QRLabel74});
    QRLabel92 = t("QRLabel92");
    f.line(kMiddle, 869, {t("QRLabel62", ":(FPS)حد اكثر سرعت آب"), QRLabel92});
    QRLabel11 = t("QRLabel11");
    f.line(kRight, 906, {t("QRLabel9", ":(lb/h)مقدار كلر مورد نياز"), QRLabel11});

    // Sand filter.
    f.line(kRight, 937, {t("QRLabel1", ": با مراجعه به كاتالوگ فيلترشني و موگير")});
    QRLabel112 = t("QRLabel112");
    QRLabel111 = t("QRLabel111");
    QRLabel113 = t("QRLabel113");
    QRLabel114 = t("QRLabel114");
    f.line(kRight, 966,
           {t("QRLabel104", ":(gpm)ظرفيت"), QRLabel112, t("QRLabel51", ":(kg)وزن سيليس"), QRLabel111,
            t("QRLabel105", ":(L*D)ابعاد"), QRLabel113, t("QRLabel99", ":(mm)ضخامت ورق"), QRLabel114});
    f.line(kRight, 996,
           {t("QRLabel8", " در فيلترهاي شني هنگام تصفيه آب جهت جريان از بالا به پايين بوده و در موقع شستشوي فيلتر "
                          "جهت جريان عكس ميشود")});
    f.reflow();
}

TReport4::~TReport4() = default;

void TReport4::build(const JacuzziPageInputs &in, const eq::ExchangerResults &m, const eq::PumpsResults &s)
{
    writePoolHeater(
        {.typeWord = QRLabel14, .surfaceCaption = QRLabel60,
         .waterVolume = QRLabel65, .startUpEnergy = QRLabel69, .surfaceLoss = QRLabel70, .totalEnergy = QRLabel71,
         .coilSurface = QRLabel72,
         .steamUse = QRLabel75, .condensate = QRLabel76, .trapCapacity = QRLabel77,
         .saturationTemperature = QRLabel79, .latentHeat = QRLabel78, .vapourEnthalpy = QRLabel87,
         .chlorine = QRLabel11, .circulation = QRLabel3, .pumpHead = QRLabel39, .pumpEfficiency = QRLabel41,
         .flowPerPump = QRLabel106, .pumpPower = QRLabel107,
         .pipeSize = QRLabel108, .pipeCapacity = QRLabel109, .pipeVelocity = QRLabel110,
         .filterWeight = QRLabel111, .filterCapacity = QRLabel112, .filterDimensions = QRLabel113,
         .filterSheet = QRLabel114,
         .exchangerFlow = QRLabel7, .exchangerPumpHead = QRLabel40, .exchangerPumpEfficiency = QRLabel42,
         .flowPerExchangerPump = QRLabel118, .exchangerPumpPower = QRLabel121,
         .exchangerPipeSize = QRLabel123, .exchangerPipeCapacity = QRLabel124, .exchangerPipeVelocity = QRLabel125,
         .hotWaterPicture = ImgMoAb, .steamPicture = ImgMoBo,
         .steamRows = {QRLabel98, QRDBText8, QRLabel61, QRLabel75, QRLabel63, QRLabel76, QRLabel64, QRLabel77,
                       QRLabel55, QRLabel78, QRLabel58, QRLabel79, QRLabel82, QRLabel87},
         .hotWaterPumpRows = {QRLabel6,   QRLabel86,  QRDBText12, QRLabel122, QRDBText23, QRLabel90,
                              QRDBText15, QRLabel25,  QRLabel42,  QRLabel17,  QRLabel118, QRLabel32,
                              QRLabel40,  QRLabel83,  QRLabel121, QRLabel4,   QRLabel7,   QRLabel100,
                              QRLabel123, QRLabel115, QRLabel124, QRLabel117, QRLabel125}},
        in.Typ_M_Jak, m, s);
    QRDBText6->enabled = true;

    // The jets, whatever the exchanger. The flow row prints the jets' flow
    // (the pipe's capacity is not the pump's flow).
    QRLabel73->text = roundedText(m.jetPumpHead);
    QRLabel68->text = roundedText(m.jetFlow);
    QRLabel92->text = roundedText(m.jetPipeVelocity);
    QRLabel74->text = roundedText(m.jetPumpPower);
    QRLabel85->text = m.jetPipeSize;
    m_flow->reflow();
}
