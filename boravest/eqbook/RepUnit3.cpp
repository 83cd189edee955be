#include "boravest/eqbook/RepUnit3.h"

#include "boravest/building/PersianWords.h"
#include "boravest/data/UnitDm.h"
#include "boravest/eqbook/Drawings.h"
#include "boravest/eqbook/PageLayout.h"
#include "boravest/sizing/Catalogues.h"
#include "platform/common/Numbers.h"

using namespace pf::report;
using namespace bv::eqbook;
namespace eq = bv::sizing;

TReport3 *Report3 = nullptr;

const char *const TReport3::kTextNoPumpStarts = "تعداد استارت پمپ در هر ساعت را وارد نكردهايد";

namespace {

constexpr double kRight = 712;  // right edge of the right-hand texts
constexpr double kMiddle = 440; // right edge of the middle column
constexpr double kIndent = 692; // numbered lines
constexpr double kRow = 22;     // line spacing

} // namespace

Label *TReport3::text(const char *name, const QString &t)
{
    const QString n = name ? QString::fromLatin1(name) : QStringLiteral("FixedText%1").arg(++m_counter);
    return addText(TitleBand1, n, kRight, 0, t);
}

DBText *TReport3::field(const char *name, bool projectRecord, const char *fieldName)
{
    pf::db::Dataset *ds = nullptr;
    if (DM1)
        ds = projectRecord ? static_cast<pf::db::Dataset *>(DM1->Table1) : static_cast<pf::db::Dataset *>(DM1->Table12);
    return addField(TitleBand1, QString::fromLatin1(name), kRight, 0, ds, QString::fromLatin1(fieldName));
}

void TReport3::line(double right, double top, std::vector<TextElement *> parts)
{
    m_lines.push_back({std::move(parts), right, top});
}

void TReport3::reflow()
{
    for (const Line &l : m_lines)
        flowRightToLeft(l.parts, l.right, l.top);
}

TReport3::TReport3(QObject *parent) : QObject(parent)
{
    setObjectName(QStringLiteral("Report3"));
    QuickRep1.font = ReportFont::fromPixels(kReportFamily, 13, true);
    QuickRep1.printIfEmpty = true;
    TitleBand1 = QuickRep1.addBand(BandType::Title, QStringLiteral("TitleBand1"), 1040);
    Band *b = TitleBand1;
    const double mid = QuickRep1.contentWidthPx() / 2;

    // Head.
    addCentred(b, QStringLiteral("QRLabel1"), mid, 2, QStringLiteral("بسمه تعالي"), 13, kReportFamily);
    m_defaultLogo = defaultLogo(QSize(131, 139));
    QRImage1 = b->addImage(QStringLiteral("QRImage1"), QRectF(4, 2, 131, 139));
    QRImage1->stretch = true;
    QRImage1->picture = m_defaultLogo;
    QRLabel70 = addCentred(b, QStringLiteral("QRLabel70"), 70, 144, QString(), 13, kReportFamily);
    addCentred(b, QStringLiteral("QRLabel2"), mid, 26, QStringLiteral("محاسبات تأسيسات مكانيكي ساختمان"), 19,
               kTitleFamily);
    addCentred(b, QStringLiteral("QRLabel3"), mid, 58, QStringLiteral("تجهيزات بار گرمايش"), 19, kTitleFamily);
    b->addShape(QStringLiteral("QRShape1"), ShapeKind::HorizontalLine, QRectF(200, 92, 318, 4));
    QRLabel24 = text("QRLabel24");
    QRLabel25 = text("QRLabel25");
    line(kRight, 112, {text(nullptr, QStringLiteral(": شركت")), QRLabel24});
    line(kRight, 136, {text(nullptr, QStringLiteral(": مهندس محاسب")), QRLabel25});
    QRLabel64 = addCentred(b, QStringLiteral("QRLabel64"), 280, 112, QString(), 13, kReportFamily);
    b->addShape(QStringLiteral("QRShape2"), ShapeKind::HorizontalLine, QRectF(250, 132, 60, 2));
    QRLabel63 = addCentred(b, QStringLiteral("QRLabel63"), 280, 136, QString(), 13, kReportFamily);
    line(450, 124, {text(nullptr, QStringLiteral(": شماره وتاريخ"))});

    // General data.
    double y = 176;
    addCentred(b, QStringLiteral("QRLabel4"), mid, y, QStringLiteral("مشخصات و اطلاعات كلي پروژه ونتايج انتخاب تجهيزات"),
               13, kTitleFamily, true);
    y += 32;
    QRLabel68 = text("QRLabel68");
    line(kRight, y,
         {text(nullptr, QStringLiteral("ساختمان")), field("QRDBText1", true, "NAME"),
          text(nullptr, QStringLiteral("واقع در شهر")), field("QRDBText2", true, "SHAHR"),
          text(nullptr, QStringLiteral("به ارتفاع (ft)")), QRLabel68, text(nullptr, QStringLiteral("از سطح دريا ")),
          field("QRDBText3", false, "Masa_Ar"), text(nullptr, QStringLiteral("فوت مربع عرصه معادل "))});
    y += kRow;
    QRLabel53 = text("QRLabel53");
    QRLabel56 = text("QRLabel56");
    QRLabel13 = text("QRLabel13");
    line(kRight, y,
         {QRLabel53, text(nullptr, QStringLiteral("متر مربع")), field("QRDBText4", false, "Masa_Aa"),
          text(nullptr, QStringLiteral(" فوت مربع اعيان معادل")), QRLabel56, text(nullptr, QStringLiteral("متر مربع")),
          QRLabel13, text(nullptr, QStringLiteral("طبقه")), text(nullptr, QStringLiteral(" با مشخصات ذيل تعريف شده است"))});
    y += kRow + 8;
    QRLabel19 = text("QRLabel19");
    QRLabel58 = text("QRLabel58");
    QRLabel120 = text("QRLabel120");
    line(kRight, y,
         {text(nullptr, QStringLiteral("الف) دماي خشك طرح خارج(F):")), QRLabel19,
          text(nullptr, QStringLiteral(",رطوبت نسبي(%):")), QRLabel58, text(nullptr, QStringLiteral("دماي داخل (F):")),
          QRLabel120});
    y += kRow;
    QRLabel5 = text("QRLabel5");
    QRLabel29 = text("QRLabel29");
    line(kRight, y,
         {text(nullptr, QStringLiteral("ب)مشخصات سيستمي ساختمان(نوع ساختمان")), QRLabel5,
          text(nullptr, QStringLiteral("نوع سوخت:")), QRLabel29});
    const struct {
        const char *caption, *name, *field;
    } inputs[] = {
        {"1-افت فشار در لولهها(ft/100ft):", "QRDBText5", "OfteFeshar"},
        {"2- طول لوله برگشت از بالاترين مصرف كننده تاموتورخانه (ft):", "QRDBText6", "TolSevic"},
        {"3- طول لوله رفت از موتورخانه تا دورترين مبدل حرارتي(ft):", "QRDBText7", "TolRadiat"},
        {"4-اختلاف دماي آب رفت و برگشت(F):", "QRDBText8", "EkhtDama"},
        {"5- دماي آبگرم گردشي در سيستم (F):", "QRDBText9", "DAbgarm"},
        {"6- دماي آب شهر (F):", "QRDBText10", "DamAbSh"},
        {"7- سختي آب (ppm):", "QRDBText11", "SakhAb"},
    };
    for (const auto &i : inputs) {
        y += kRow;
        line(kIndent, y, {text(nullptr, QString::fromUtf8(i.caption)), field(i.name, false, i.field)});
    }
    y += kRow + 8;
    line(kRight, y, {text(nullptr, QStringLiteral("ج) تعداد و تنوع سرويسهاي بهداشتي ساختمان"))});
    y += kRow;
    QRservis1 = text("QRservis1");
    QRservis2 = text("QRservis2");
    line(kIndent, y, {QRservis1});
    y += kRow;
    line(kIndent, y, {QRservis2});
    y += kRow;
    line(kIndent, y, {text(nullptr, QStringLiteral("2- دماي آبگرم مصرفي(F):")), field("QRDBText12", false, "DamAbBeh")});
    y += kRow;
    line(kIndent, y,
         {text(nullptr, QStringLiteral("3- دماي آب مطلوب آب مخلوط مصرفي (F):")), field("QRDBText13", false, "DamAbMa")});

    // Main branch, between two rules.
    y += kRow + 10;
    b->addShape(QStringLiteral("QRShape3"), ShapeKind::HorizontalLine, QRectF(0, y, QuickRep1.contentWidthPx(), 4));
    y += 8;
    QRImage3 = addPicture(b, QStringLiteral("QRImage3"), QPointF(8, y), Picture::MainBranch);
    Label *h = text(nullptr, QStringLiteral("سايز انشعاب اصلي"));
    h->font = ReportFont::fromPixels(kTitleFamily, 13, true, true);
    line(kRight, y, {h});
    y += kRow + 8;
    line(kIndent, y, {text(nullptr, QStringLiteral("(تعداد ساكنين(نفر")), field("QRDBText14", false, "TeaSak")});
    y += kRow;
    QRLabel23 = text("QRLabel23");
    line(kIndent, y, {QRLabel23});
    y += kRow;
    QRLabel62 = text("QRLabel62");
    QRLabel66 = text("QRLabel66", QStringLiteral("با توجه به بالا بودن مصرف و تعيين حد اكثر سايز انشعاب 2 اينچ استفاده از منبع ذخيره "));
    QRLabel67 = text("QRLabel67", QStringLiteral(".تامين آب ضروري است"));
    line(kIndent, y, {QRLabel62});
    line(kIndent, y, {QRLabel66});
    y += kRow;
    line(kIndent, y, {QRLabel67});
    y += kRow + 14;
    b->addShape(QStringLiteral("QRShape4"), ShapeKind::HorizontalLine, QRectF(0, y, QuickRep1.contentWidthPx(), 4));

    // Pressure tank.
    y += 8;
    Label *t = text(nullptr, QStringLiteral("تانك آب تحت فشار"));
    t->font = ReportFont::fromPixels(kTitleFamily, 13, true, true);
    line(kRight, y, {t});
    ImgTankAm = addPicture(b, QStringLiteral("ImgTankAm"), QPointF(8, y + 24), Picture::VerticalPressureTank);
    ImgTankOf = addPicture(b, QStringLiteral("ImgTankOf"), QPointF(8, y + 24), Picture::HorizontalPressureTank);
    y += kRow + 10;
    QRLabel7 = text("QRLabel7");
    line(kIndent, y, {text(nullptr, QStringLiteral(":حالت نصب تانک")), QRLabel7});
    const struct {
        const char *caption, *name, *field;
    } tankInputs[] = {
        {":(In)حداقل ارتفاع آب در تانك", "QRDBText15", "MErAT"},
        {":(PSI)حداقل فشار مورد نياز در بالاترين مصرف كننده", "QRDBText16", "FPBM"},
        {":(h)مدت زمان ذخيره آب", "QRDBText17", "MTZA"},
        {":دفعات استارت پمپ در ساعت", "QRDBText18", "TSPS"},
    };
    for (const auto &i : tankInputs) {
        y += kRow;
        line(kIndent, y, {text(nullptr, QString::fromUtf8(i.caption)), field(i.name, false, i.field)});
    }
    auto pair = [&](double right, double top, const QString &caption, Label *value) {
        line(right, top, {text(nullptr, caption), value});
    };
    auto pairOf = [&](double right, double top, Label *caption, Label *value) { line(right, top, {caption, value}); };
    y += kRow + 6;
    QRLabel22 = text("QRLabel22");
    QRLabel27 = text("QRLabel27");
    pair(kIndent, y, QStringLiteral(":(gal)حجم آب تانك"), QRLabel22);
    pair(kMiddle, y, QStringLiteral(":(gal)حجم تانك"), QRLabel27);
    y += kRow;
    QRLabel32 = text("QRLabel32");
    QRLabel33 = text("QRLabel33");
    pair(kIndent, y, QStringLiteral(":(PSI)حداقل فشار"), QRLabel32);
    pair(kMiddle, y, QStringLiteral(":(PSI)حداكثرفشار"), QRLabel33);
    y += kRow + 6;
    QRLabel37 = text("QRLabel37");
    QRLabel38 = text("QRLabel38");
    pair(kIndent, y, QStringLiteral("(lit)حجم استاندارد"), QRLabel37);
    pair(kMiddle, y, QStringLiteral(":(Cm)D"), QRLabel38);
    y += kRow;
    QRLabel35 = text("QRLabel35", QStringLiteral(":(Cm)H1"));
    QRLabel45 = text("QRLabel45");
    QRLabel36 = text("QRLabel36", QStringLiteral(":(In)d8"));
    QRLabel46 = text("QRLabel46");
    pairOf(kIndent, y, QRLabel35, QRLabel45);
    pairOf(kMiddle, y, QRLabel36, QRLabel46);
    y += kRow;
    QRLabel47 = text("QRLabel47");
    QRLabel40 = text("QRLabel40", QStringLiteral(":(In)d7"));
    QRLabel48 = text("QRLabel48");
    pair(kIndent, y, QStringLiteral(":(In)d6"), QRLabel47);
    pairOf(kMiddle, y, QRLabel40, QRLabel48);
    y += kRow;
    QRLabel41 = text("QRLabel41", QStringLiteral(":(In)d5"));
    QRLabel49 = text("QRLabel49");
    QRLabel50 = text("QRLabel50");
    pairOf(kIndent, y, QRLabel41, QRLabel49);
    pair(kMiddle, y, QStringLiteral(":(mm)ضخامت ورق"), QRLabel50);
    reflow();
}

TReport3::~TReport3() = default;

void TReport3::fillFixtures(const eq::FixtureCounts &f)
{
    static const char *const names[eq::FixtureKindCount] = {
        "وانحمام",         "دوش",          "دستشوييوتوالتخصوصي", "دستشوييوتوالتعمومي", "سينكآبدارخانه",
        "سينكظرفشويي",     "ماشينظرفشويي", "سينكرختشويي",         "ماشينرختشويي",       "لگنپاشويي"};
    const int counts[eq::FixtureKindCount] = {f.Van,     f.Dosh,     f.WCKh,     f.WCOm,     f.SinkAb,
                                              f.SinkZar, f.MashZar, f.SinkRakh, f.MashRakh, f.LaganPa};
    QRservis1->text = QStringLiteral("1-");
    QRservis2->text = QStringLiteral("-");
    int last = -1;
    for (int i = 0; i < eq::FixtureKindCount; ++i)
        if (counts[i] > 0)
            last = i;
    for (int i = 0; i < eq::FixtureKindCount; ++i) {
        if (counts[i] <= 0)
            continue;
        const QString part = QString::fromUtf8(names[i]) + QStringLiteral(" [") + QString::number(counts[i]) +
                             (i == last ? QStringLiteral("] ") : QStringLiteral("] ,"));
        if (i < 5 || printedWidth(QRservis1) < 600)
            QRservis1->text += part;
        else
            QRservis2->text += part;
    }
}

bool TReport3::build(const ProjectPageInputs &in, const eq::WaterMeterResults &branch,
                     const eq::PressureTankResults &tank, QString *error)
{
    // The logo first: a picture that cannot be read changes nothing.
    if (in.logoPath.isEmpty())
        QRImage1->picture = m_defaultLogo;
    else if (!QRImage1->loadFromFile(in.logoPath, error))
        return false;

    QRLabel29->text = in.TySo == 0 ? QStringLiteral("گازوئيل") : QStringLiteral("گاز شهري");
    QRLabel24->text = in.company;
    QRLabel70->text = in.company;
    QRLabel25->text = in.engineer;
    QRLabel63->text = in.date;
    QRLabel64->text = in.number;

    // Areas in square metres (10.76 sq.ft each); none given, none printed.
    QRLabel56->text = in.Masa_Aa > 0 ? roundedText(in.Masa_Aa / 10.76) : QString();
    QRLabel53->text = in.Masa_Ar > 0 ? roundedText(in.Masa_Ar / 10.76) : QString();

    // Climate of the city; an unknown city prints none rather than keeping
    // an earlier project's.
    QRLabel120->text = in.cityFound ? in.insideTemp : QString();
    QRLabel58->text = in.cityFound ? in.humidity : QString();
    QRLabel68->text = in.cityFound ? building::signAfter(in.altitude) : QString();
    QRLabel19->text = in.cityFound ? building::signAfter(in.outdoorTemp) : QString();

    QRLabel13->text = in.floorsWord;
    fillFixtures(in.fixtures);
    QRLabel5->text = in.NameS + QStringLiteral(")");

    // Main branch. The storage-tank note only when the branch was sized and
    // the flow is beyond the largest size; a run stopped on its inputs
    // prints neither sentence.
    QRLabel23->text.clear();
    QRLabel62->text.clear();
    if (branch.governing == 1) {
        QRLabel23->text = QStringLiteral(" باتوجه به عرصه واعيان ساختمان وميزان مصرف ساكنين");
        QRLabel62->text = QStringLiteral(" قطر لوله انشعاب ساختمان  برابر ") + branch.branchSize + QStringLiteral(" ميباشد");
    } else if (branch.governing == 2) {
        QRLabel23->text = QStringLiteral(" ضريب مصرف آني ") + roundedText(branch.useFactor);
        QRLabel62->text =
            QStringLiteral(" قطر لوله انشعاب ساختمان برابر ") + branch.branchSize + QStringLiteral("اينچ ميباشد ");
    }
    const bool sized = branch.governing == 1 || branch.governing == 2;
    const bool storageTank = sized && branch.branchSize.isEmpty();
    QRLabel62->enabled = sized && !storageTank;
    QRLabel66->enabled = storageTank;
    QRLabel67->enabled = storageTank;

    // Pressure tank: every value starts blank and the pictures off; a model
    // is printed only from a row that lies in its catalogue.
    for (Label *l : {QRLabel7, QRLabel22, QRLabel27, QRLabel32, QRLabel33, QRLabel37, QRLabel38, QRLabel45, QRLabel46,
                     QRLabel47, QRLabel48, QRLabel49, QRLabel50})
        l->text.clear();
    ImgTankAm->enabled = false;
    ImgTankOf->enabled = false;
    QRLabel35->text = QStringLiteral(":(Cm)H1");
    QRLabel36->text = QStringLiteral(":(In)d8");
    QRLabel40->text = QStringLiteral(":(In)d7");
    QRLabel41->text = QStringLiteral(":(In)d5");
    const eq::Catalogues &cat = eq::catalogues();
    const eq::TextCatalogue *models = nullptr;
    switch (tank.installation) {
    case eq::TankInstallation::None:
        // Stopped: for lack of pump starts (no message in a booklet run), or
        // on an input the sizing has already reported.
        if (tank.messages.isEmpty())
            QRLabel7->text = QString::fromUtf8(kTextNoPumpStarts);
        break;
    case eq::TankInstallation::Vertical:
        QRLabel7->text = QStringLiteral("عمودي");
        ImgTankAm->enabled = true;
        ImgTankAm->bringToFront();
        QRLabel40->text = QStringLiteral("(In)d7");
        QRLabel41->text = QStringLiteral("(In)d5");
        QRLabel36->text = QStringLiteral("(In)d8");
        QRLabel35->text = QStringLiteral("(Cm)H1");
        models = &cat.PressureTanks2;
        break;
    case eq::TankInstallation::Horizontal:
        QRLabel7->text = QStringLiteral("افقي");
        ImgTankOf->enabled = true;
        ImgTankOf->bringToFront();
        QRLabel40->text = QStringLiteral("(In)d8");
        QRLabel41->text = QStringLiteral("(In)d2");
        QRLabel36->text = QStringLiteral("(In)d7");
        QRLabel35->text = QStringLiteral("(Cm)L1");
        models = &cat.PressureTanks1;
        break;
    case eq::TankInstallation::OutOfRange:
        QRLabel7->text = QStringLiteral("حجم تانك خارج از استاندارد است");
        break;
    }
    if (models) {
        QRLabel22->text = roundedText(tank.waterHeldGal);
        QRLabel27->text = roundedText(tank.tankVolumeGal);
        QRLabel32->text = roundedText(tank.minPressurePsi);
        QRLabel33->text = roundedText(tank.maxPressurePsi);
        Label *cells[8] = {QRLabel37, QRLabel38, QRLabel45, QRLabel46, QRLabel47, QRLabel48, QRLabel49, QRLabel50};
        for (int c = 0; c < 8; ++c)
            cells[c]->text = catalogueCell(*models, tank.row, c + 1);
    }
    reflow();
    return true;
}
