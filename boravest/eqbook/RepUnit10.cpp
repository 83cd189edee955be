#include "boravest/eqbook/Drawings.h"
#include "boravest/eqbook/RepUnit10.h"

#include "boravest/data/UnitDm.h"
#include "boravest/eqbook/PageLayout.h"
#include "boravest/sizing/Catalogues.h"


using namespace pf::report;
using namespace bv::eqbook;
namespace eq = bv::sizing;

TReport10 *Report10 = nullptr;

const char *const TReport10::kTextFloorMounted = "زميني";
const char *const TReport10::kTextInLine = "خطي";
const char *const TReport10::kTextNoPump = "--";

namespace {

constexpr double kRight = 712;



} // namespace

void TReport10::reflow()
{
    for (const Line &l : m_lines)
        flowRightToLeft(l.parts, l.right, l.top);
}

TReport10::TReport10(QObject *parent) : QObject(parent)
{
    setObjectName(QStringLiteral("Report10"));
    QuickRep1.font = ReportFont::fromPixels(kReportFamily, 13, true);
    QuickRep1.printIfEmpty = true;
    const double width = QuickRep1.contentWidthPx();
    pf::db::Table *record = DM1 ? DM1->Table12 : nullptr;

    TitleBand1 = QuickRep1.addBand(BandType::Title, QStringLiteral("TitleBand1"), 923);
    TitleBand1->color = Qt::white;
    Band *b = TitleBand1;
    auto picture = [b](const char *name, double top, Picture kind) {
        return addPicture(b, QString::fromLatin1(name), {10, top}, kind);
    };
    auto text = [b](const char *name, const char *t = "") {
        return addText(b, QString::fromLatin1(name), kRight, 0, QString::fromUtf8(t));
    };
    auto field = [b, record](const char *name, const char *f) {
        return addField(b, QString::fromLatin1(name), kRight, 0, record, QString::fromLatin1(f));
    };
    auto line = [this](double top, std::vector<TextElement *> parts) { m_lines.push_back({std::move(parts), kRight, top}); };

    // Pump block.
    addCentred(b, QStringLiteral("QRLabel5"), width / 2, 8, QStringLiteral("پمپ سيركولاسيون سيستم"), 13, kTitleFamily,
               true);
    ImgPmpzmini = picture("ImgPmpzmini", 40, Picture::FloorPump);
    ImgPmpKhati = picture("ImgPmpKhati", 40, Picture::InLinePump);
    QRLabel12 = text("QRLabel12", "تعداد:");
    QRLabel10 = text("QRLabel10");
    QRLabel118 = text("QRLabel118");
    QRLabel65 = text("QRLabel65");
    QRLabel69 = text("QRLabel69");
    QRLabel70 = text("QRLabel70");
    QRLabel83 = text("QRLabel83");
    double y = 44;
    const double step = 27;
    for (std::vector<TextElement *> parts : std::vector<std::vector<TextElement *>>{
             {text("QRLabel1", ":حالت نصب پمپ"), QRLabel12},
             {text("QRLabel15", ":تعداد"), field("QRDBText13", "Te_Sir")},
             {text("QRLabel13", ":(ft)افت فشار در بزرگترين يونيت"), field("QRDBText11", "Oft_F_B_U_Sir")},
             {text("QRLabel14", ":(ft)افت فشار در ديگها و كلكتورها"), field("QRDBText10", "Oft_F_D_K_Sir")},
             {text("QRLabel39", ":(%)كيفيت برقوزني لولهها"), field("QRDBText9", "K_B_L_Sir")},
             {text("QRLabel6", ":(%)راندمان الكتروپمپ"), QRLabel10},
             {text("QRLabel84", ":(ft)طول معادل براي اتصالات و شيرها "), QRLabel118},
             {text("QRLabel24", ":(ft)هد پمپ"), QRLabel65},
             {text("QRLabel26", ":(gpm)دبي پمپ"), QRLabel69},
             {text("QRLabel52", ":(hp)قدرت الكترو پمپ"), QRLabel70},
             {text("QRLabel85", ":ضريب تصحيح قدرت الكترو موتور"), QRLabel83},
         }) {
        line(y, std::move(parts));
        y += step;
    }
    y += 6;
    for (const auto &[name, t] : {std::pair{"QRLabel3", "(حداقل يك پمپ به عنوان پمپ رزرو با مشخصات فوق در نظر گرفته شود)"},
                                  std::pair{"QRLabel16", "بهترين حالت نصب پمپ زماني است كه پمپ آب را از ديگ مكش كرده و فشار ثابت ايجادشده"},
                                  std::pair{"QRLabel17", ".توسط منبع انبساط به اين قسمت اعمال شود"}}) {
        line(y, {text(name, t)});
        y += 25;
    }
    b->addShape(QStringLiteral("QRShape1"), ShapeKind::HorizontalLine, QRectF(0, 432, width, 4));

    // Softener block.
    addCentred(b, QStringLiteral("QRLabel80"), width / 2, 444, QStringLiteral("سختيگير"), 13, kTitleFamily, true);
    QRImage2 = picture("QRImage2", 474, Picture::Softener);
    QRLabel106 = text("QRLabel106");
    QRLabel109 = text("QRLabel109");
    QRLabel110 = text("QRLabel110");
    QRLabel111 = text("QRLabel111");
    QRLabel113 = text("QRLabel113");
    QRLabel124 = text("QRLabel124");
    y = 478;
    for (std::vector<TextElement *> parts : std::vector<std::vector<TextElement *>>{
             {text("QRLabel96", ":(h)سيكل شستشو"), field("QRDBText16", "S_Sh_SG")},
             {text("QRLabel95", ":تعداد دستگاه"), field("QRDBText17", "Te_SG")},
             {text("QRLabel105", ":(grain)حداقل ظرفيت"), QRLabel106},
             {text("QRLabel28", ":(%)راندمان دستگاه"), field("QRDBText1", "RandeSkgir")},
             {text("QRLabel2", " با مراجعه به كاتالوگ")},
             {text("QRLabel7", ":(Kgrain) ظرفيت "), QRLabel110},
             {text("QRLabel4", ":(In)سايز شير"), QRLabel109},
             {text("QRLabel8", ":(Cm)ابعاد دستگاه"), QRLabel111},
             {text("QRLabel115", ":(Cm)ابعاد تانك نمك"), QRLabel113},
             {text("QRLabel102", "مقدار رزين"), text("QRLabel33", ":(Lit)"), QRLabel124},
         }) {
        line(y, std::move(parts));
        y += 24;
    }
    y += 6;
    const std::pair<const char *, const char *> notes[] = {
        {"QRLabel20", "شرايط كاري"},
        {"QRLabel11", " فشار لازم 30 پوند بر اينچ مربع و دماي آب بين 40 تا 120 درجه فارنهايت، جهت استفاده از آب نرم اهرم شير "
                      "در موقعيت 3 "},
        {"QRLabel19", "شرايط شستشو و احياء رزين با كلرور سديم   20%"},
        {"QRLabel21", "مرحله 1- اهرم شير را بمدت 10 تا 20 دقيقه در موقعيت 1 قرار دهيد تا فضاي بين رزين ها انبساط يافته و "
                      "مواد معلق "},
        {"QRLabel27", "از آن جدا شود"},
        {"QRLabel9", "مرحله 2- شير منبع نمك را باز كنيد. اهرم شير را بمدت 30 تا 60 دقيقه در موقعيت 2 قرار دهيد تا رزين با "
                     "محلول نمك شسته شود."},
        {"QRLabel22", "مرحله 3- شير منبع نمك را بسته تا رزين ها با آب بمدت 10 تا 20 دقيقه كاملا شسته شده سپس اهرم را به مو "
                      "قعيت 3 بر گردانيد."},
        {"QRLabel23", "(با استفاده از كيت سختي سنج از احياء رزين اطمينان حاصل كنيد)."},
        {"QRLabel25", "مرحله 4- كمبود نمك منبع را جبران و مخزن را از آب سختي گرفته شده  پركنيد."},
    };
    for (const auto &[name, t] : notes) {
        Label *l = text(name, t);
        l->font = ReportFont::fromPixels(kReportFamily, 12, true);
        line(y, {l});
        y += 21;
    }
    // The record's values stand left of their captions as they print.
    TitleBand1->beforePrint = [this](Band &, bool &) { reflow(); };
    reflow();
}

TReport10::~TReport10() = default;

void TReport10::build(const eq::CirculationPumpResults &pump, const eq::FittingsLength &fittings,
                      const eq::SoftenerResults &softener)
{
    QRLabel65->text = roundedText(pump.head);
    QRLabel69->text = roundedText(pump.flowPerPump);
    QRLabel70->text = roundedText(pump.power);
    QRLabel83->text = roundedText(pump.altitudeFactor);
    QRLabel118->text = roundedText(fittings.length);
    QRLabel10->text = QString::number(pump.efficiency);

    // The installation by the flow; no flow, no pump to install.
    const bool floor = pump.flowPerPump > kInLineLimitGpm;
    const bool inLine = pump.flowPerPump > 0 && !floor;
    ImgPmpzmini->enabled = floor;
    ImgPmpKhati->enabled = inLine;
    QRLabel12->text = QString::fromUtf8(floor ? kTextFloorMounted : inLine ? kTextInLine : kTextNoPump);
    if (floor)
        ImgPmpzmini->bringToFront();
    else if (inLine)
        ImgPmpKhati->bringToFront();

    QRLabel106->text = roundedText(softener.capacityGrain);
    const eq::SoftenerCatalogueTable &cat = eq::catalogues().SoftenerCatalogue;
    const int row = softener.capacityGrain > 0 ? softener.row : 0;
    QRLabel109->text = catalogueCell(cat, row, 1);
    QRLabel110->text = catalogueCell(cat, row, 2);
    QRLabel111->text = catalogueCell(cat, row, 3);
    QRLabel113->text = catalogueCell(cat, row, 4);
    QRLabel124->text = catalogueCell(cat, row, 5);
    reflow();
}
