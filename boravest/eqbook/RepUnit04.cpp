#include "boravest/eqbook/Drawings.h"
#include "boravest/eqbook/RepUnit04.h"

#include "boravest/data/UnitDm.h"
#include "boravest/eqbook/HeatingPages.h"
#include "boravest/eqbook/PageLayout.h"
#include "boravest/sizing/Catalogues.h"

using namespace pf::report;
using namespace bv::eqbook;
namespace eq = bv::sizing;

TReport04 *Report04 = nullptr;

const char *const TReport04::kTextSteamMessage =
    "براي انتخاب ديگ بخار و تعيين ظرفيت آن با كارشناسان دفتر فني كارخانه تماس حاصل فرماييد";

namespace {

constexpr double kRight = 712;
// Right edges of the model block's columns: flange, H, D, L.
constexpr double kFlange = 520, kH = 400, kD = 320, kL = 240;

} // namespace

TReport04::TReport04(QObject *parent) : QObject(parent)
{
    setObjectName(QStringLiteral("Report04"));
    QuickRep1.font = ReportFont::fromPixels(kReportFamily, 13, true);
    QuickRep1.printIfEmpty = true;
    TitleBand1 = QuickRep1.addBand(BandType::Title, QStringLiteral("TitleBand1"), 1003);
    TitleBand1->color = Qt::white;
    m_flow = std::make_unique<LineFlow>(TitleBand1);
    LineFlow &f = *m_flow;
    pf::db::Dataset *rec = DM1 ? DM1->Table12 : nullptr;
    auto t = [&f](const char *name, const char *text = "125") { return f.text(name, QString::fromUtf8(text)); };
    auto d = [&f, rec](const char *name, const char *field) { return f.field(name, rec, field); };

    addCentred(TitleBand1, QStringLiteral("QRLabel1"), QuickRep1.contentWidthPx() / 2, 16, QStringLiteral("ديگ"), 13,
               kTitleFamily, true);
    QRLabel3 = t("QRLabel3", "------");
    f.line(kRight, 49, {t("QRLabel2", "نوع ديگ:"), QRLabel3});
    f.line(kFlange, 49, {t("QRLabel8", "تعداد:"), d("QRDBText17", "Te_Dig")});
    f.line(kRight, 95, {t("QRLabel7", ":(%)راندمان"), d("QRDBText16", "Rand_Dig")});
    ImgdigAb = addPicture(TitleBand1, QStringLiteral("ImgdigAb"), {2, 119}, Picture::HotWaterBoiler);
    ImgdigBo = addPicture(TitleBand1, QStringLiteral("ImgdigBo"), {2, 119}, Picture::SteamBoiler);

    QRLabel50 = t("QRLabel50");
    f.line(kRight, 131, {t("QRLabel43", ":(Btu/h)بار حرارتي كل ساختمان"), QRLabel50});
    QRLabel49 = t("QRLabel49");
    f.line(kRight, 168, {t("QRLabel44", ":(Btu/h)بار حرارتي آبگرم مصرفي"), QRLabel49});
    QRLabel48 = t("QRLabel48");
    f.line(kRight, 205, {t("QRLabel46", ":(Btu/h)بار حرارتي استخر "), QRLabel48});
    QRLabel47 = t("QRLabel47");
    f.line(kRight, 242, {t("QRLabel45", ":(Btu/h)بار حرارتي جكوزي"), QRLabel47});
    QRLabel28 = t("QRLabel28");
    // One colon, where the other captions have it (the layout's second
    // colon put the colon first and the unit before the words).
    f.line(kRight, 279, {t("QRLabel11", ":(Btu/h)قدرت حرارتي ديگ"), QRLabel28});
    f.line(kRight, 316, {t("QRLabel4", ":(%)كيفيت عايق كاري در سيستم"), d("QRDBText18", "K_A_Dig")});
    QRLabel27 = t("QRLabel27");
    f.line(kRight, 353, {t("QRLabel9", ":ضريب پيش راه اندازي سيستم"), QRLabel27});
    QRLabel5 = t("QRLabel5", "qrlabel5");
    f.line(kRight, 384, {QRLabel5});

    // Model block.
    QRLabel21 = t("QRLabel21", ":(Kcal/h)با مراجعه به كاتالوگ قدرت حرارتي استاندارد ");
    QRLabel30 = t("QRLabel30");
    f.line(kRight, 413, {QRLabel21, QRLabel30});
    QRLabel12 = t("QRLabel12", ":مدل");
    QRLabel29 = t("QRLabel29", "------");
    f.line(kRight, 454, {QRLabel12, QRLabel29});
    QRLabel22 = t("QRLabel22", "(In)قطر فلنچ ها");
    QRLabel35 = t("QRLabel35", "(Cm)H");
    QRLabel34 = t("QRLabel34", "(Cm)D");
    QRLabel33 = t("QRLabel33", "(Cm)L");
    QRLabel31 = t("QRLabel31");
    QRLabel38 = t("QRLabel38");
    QRLabel37 = t("QRLabel37");
    QRLabel36 = t("QRLabel36");
    const struct {
        Label *caption, *value;
        double right;
    } columns[] = {{QRLabel22, QRLabel31, kFlange}, {QRLabel35, QRLabel38, kH}, {QRLabel34, QRLabel37, kD},
                   {QRLabel33, QRLabel36, kL}};
    for (const auto &c : columns) {
        f.line(c.right, 454, {c.caption});
        f.line(c.right, 482, {c.value});
    }

    // Site conditions.
    Label *heading = t("QRLabel15", "شرايط محل نصب");
    heading->font.underline = true;
    f.line(kRight, 500, {heading});
    const char *const notes[][2] = {
        {"QRLabel6", "محل اسقرار ديگ در موتورخانه بر روي فونداسيوني به ارتفاع 8 تا 15 سانتيمتر از كف و به طول و عرض"},
        {"QRLabel10",
         "15 تا 20 سانتيمتر بزرگتر از ابعاد ديگ است كه از پيش در فاصله 50 تا 70 سانتيمتري از ديوار و نزديك دودكش ساخته "
         "مي شود"},
        {"QRLabel13", "حد اقل سطح دريچه ورود هوا به موتورخانه براي احتراق كامل و تعويض هوا به ازاي هر مگاوات قدرت"},
        {"QRLabel14", "حرارتي ديگ 1.2 متر مربع مي باشد"},
    };
    double y = 534;
    for (const auto &n : notes) {
        f.line(kRight, y, {t(n[0], n[1])});
        y += 29;
    }
    QImgKAB = addPicture(TitleBand1, QStringLiteral("QImgKAB"), {2, 631}, Picture::BoilerRoom);
    QImgKAB->frame.setAll(true);
    f.reflow();
}

TReport04::~TReport04() = default;

void TReport04::build(const BoilerPageInputs &in, const eq::BoilerResults &r)
{
    const std::initializer_list<Element *> modelBlock = {QRLabel21, QRLabel29, QRLabel30, QRLabel31,
                                                         QRLabel36, QRLabel37, QRLabel38, QRLabel12,
                                                         QRLabel22, QRLabel33, QRLabel34, QRLabel35};
    // No message, model, type word or picture of an earlier build.
    QRLabel5->enabled = false;
    QRLabel5->text.clear();
    setEnabled(modelBlock, false);
    clearTexts({QRLabel3, QRLabel29, QRLabel30, QRLabel31, QRLabel36, QRLabel37, QRLabel38});
    setEnabled({ImgdigAb, ImgdigBo}, false);

    // Loads and capacity, for every type.
    QRLabel27->text = roundedText(r.pickUpFactor);
    QRLabel28->text = roundedText(r.capacityPerBoiler);
    QRLabel50->text = roundedText(r.buildingLoad);
    QRLabel49->text = roundedText(r.hotWaterLoad);
    QRLabel48->text = roundedText(r.poolLoad);
    QRLabel47->text = roundedText(r.jacuzziLoad);

    switch (in.Typ_Dig) {
    case 0: {
        QRLabel3->text = QStringLiteral("آب گرم");
        ImgdigAb->enabled = true;
        ImgdigAb->bringToFront();
        const eq::BoilerCatalogueTable &cat = eq::catalogues().BoilerCatalogue;
        if (cat.hasRow(r.row)) {
            setEnabled(modelBlock, true);
            Label *const values[] = {QRLabel29, QRLabel30, QRLabel31, QRLabel36, QRLabel37, QRLabel38};
            for (int col = 1; col <= 6; ++col)
                values[col - 1]->text = catalogueCell(cat, r.row, col);
        }
        break;
    }
    case 1:
        // The sizing's row is one of the hot-water boilers: a steam boiler
        // prints no model, only the advice to consult the maker.
        ImgdigAb->sendToBack();
        QRLabel3->text = QStringLiteral("بخار");
        ImgdigBo->enabled = true;
        ImgdigBo->bringToFront();
        QRLabel5->enabled = true;
        QRLabel5->text = QString::fromUtf8(kTextSteamMessage);
        break;
    default:
        break;
    }
    m_flow->reflow();
}
