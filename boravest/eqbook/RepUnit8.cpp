#include "boravest/eqbook/RepUnit8.h"

#include "boravest/data/UnitDm.h"
#include "boravest/eqbook/Drawings.h"
#include "boravest/eqbook/PageLayout.h"
#include "boravest/sizing/Catalogues.h"
#include "platform/common/Numbers.h"


using namespace pf::report;
using namespace bv::eqbook;
namespace eq = bv::sizing;

TReport8 *Report8 = nullptr;

const char *const TReport8::kTextNoteDays = "باتوجه به حداكثر 20 ساعت كار در شبانه روز مخزن 40000 ليتري تامين كننده";
const char *const TReport8::kTextDaysSuffix = " روز انرژي مورد نياز  سيستم ميباشد";
const char *const TReport8::kTextStandardCapacity = "ظرفيت استاندارد";

namespace {

constexpr double kRight = 712;
constexpr double kMiddle = 470;
constexpr int kPipeColumns = 19;
constexpr int kCopperColumns = 15;
constexpr double kPipeRight = 650; // right edge of the first size column
constexpr double kPipeWidth = 33;

const char *const kSizeHeadingNames[kPipeColumns] = {
    "QRLabel41", "QRLabel20", "QRLabel98", "QRLabel44", "QRLabel42", "QRLabel43", "QRLabel47",
    "QRLabel45", "QRLabel46", "QRLabel50", "QRLabel48", "QRLabel49", "QRLabel51", "QRLabel56",
    "QRLabel53", "QRLabel54", "QRLabel66", "QRLabel57", "QRLabel62"};
const char *const kLengthCellNames[kPipeColumns] = {
    "QRLabel140", "QRLabel139", "QRLabel138", "QRLabel137", "QRLabel136", "QRLabel135", "QRLabel134",
    "QRLabel133", "QRLabel132", "QRLabel131", "QRLabel130", "QRLabel129", "QRLabel128", "QRLabel127",
    "QRLabel126", "QRLabel74",  "QRLabel73",  "QRLabel68",  "QRLabel67"};
const char *const kSteelSizes[kPipeColumns] = {"1/2", "3/4", "1", "1/4 1", "1/2 1", "2",  "1/2 2", "3",  "1/2 3", "4",
                                               "5",   "6",   "8", "10",    "12",    "14", "16",    "18", "20"};
const char *const kCopperSizes[kCopperColumns] = {"1/4",   "3/8", "1/2",   "3/4", "1", "1/4 1", "1/2 1", "2",
                                                  "1/2 2", "3",   "1/2 3", "4",   "5", "6",     "8"};
const char *const kTankTypes[3] = {"باز", "بسته - ديافراگمي", "بسته - هيدروپنوماتيكي"};



} // namespace

Label *TReport8::text(const char *name, const QString &t)
{
    return addText(TitleBand1, QString::fromLatin1(name), kRight, 0, t);
}

Label *TReport8::centred(const char *name, double centre, double top, const QString &t, double pixels)
{
    return addCentred(TitleBand1, QString::fromLatin1(name), centre, top, t, pixels, kReportFamily);
}

DBText *TReport8::field(const char *name, const char *fieldName)
{
    return addField(TitleBand1, QString::fromLatin1(name), kRight, 0, DM1 ? DM1->Table12 : nullptr,
                    QString::fromLatin1(fieldName));
}

void TReport8::line(double right, double top, std::vector<TextElement *> parts)
{
    m_lines.push_back({std::move(parts), right, top});
}

void TReport8::reflow()
{
    for (const Line &l : m_lines)
        flowRightToLeft(l.parts, l.right, l.top);
}

Drawing *TReport8::picture(const char *name, const QPointF &at, Picture kind)
{
    return addPicture(TitleBand1, QString::fromLatin1(name), at, kind);
}

TReport8::TReport8(QObject *parent) : QObject(parent)
{
    setObjectName(QStringLiteral("Report8"));
    QuickRep1.font = ReportFont::fromPixels(kReportFamily, 13, true);
    QuickRep1.printIfEmpty = true;
    TitleBand1 = QuickRep1.addBand(BandType::Title, QStringLiteral("TitleBand1"), 1047);
    TitleBand1->color = Qt::white;
    Band *b = TitleBand1;
    const double centre = QuickRep1.contentWidthPx() / 2;
    addCentred(b, QStringLiteral("QRLabel5"), centre, 2, QStringLiteral("منبع انبساط"), 13, kTitleFamily, true);
    line(kRight, 32, {text("QRLabel30", QStringLiteral("طول لوله هاي مورد استفاده در طراحي سيستم به تفكيك سايز"))});

    // Pipe lengths by size.
    centred("QRLabel15", (kRight + kPipeRight) / 2 + 3, 68, QStringLiteral("(In)سايز"));
    centred("QRLabel93", (kRight + kPipeRight) / 2 + 3, 98, QStringLiteral("(ft)طول"));
    b->addShape(QStringLiteral("PipeHeadingFrame"), ShapeKind::Rectangle, QRectF(kPipeRight, 62, 716 - kPipeRight, 30));
    b->addShape(QStringLiteral("PipeLengthFrame"), ShapeKind::Rectangle, QRectF(kPipeRight, 92, 716 - kPipeRight, 30));
    for (int c = 0; c < kPipeColumns; ++c) {
        const double left = kPipeRight - (c + 1) * kPipeWidth;
        const double mid = left + kPipeWidth / 2;
        sizeHeadings[std::size_t(c)] = centred(kSizeHeadingNames[c], mid, 69, QString::fromLatin1(kSteelSizes[c]), 11);
        lengthCells[std::size_t(c)] = centred(kLengthCellNames[c], mid, 99, QStringLiteral("0"), 11);
        pipeFrames[std::size_t(2 * c)] = b->addShape(QStringLiteral("QRShape%1").arg(2 * c + 1), ShapeKind::Rectangle,
                                                     QRectF(left, 62, kPipeWidth, 30));
        pipeFrames[std::size_t(2 * c + 1)] = b->addShape(QStringLiteral("QRShape%1").arg(2 * c + 2),
                                                         ShapeKind::Rectangle, QRectF(left, 92, kPipeWidth, 30));
    }

    // Expansion tank.
    QRLabel14 = text("QRLabel14");
    line(kRight, 128, {text("QRLabel13", QStringLiteral("نوع منبع:")), QRLabel14});
    QRLabel40 = text("QRLabel40");
    line(kMiddle, 128, {text("QRLabel39", QStringLiteral("نوع لوله:")), QRLabel40});
    ImgMEn1 = picture("ImgMEn1", {10, 128}, Picture::OpenExpansionTank);
    ImgMen2 = picture("ImgMen2", {10, 128}, Picture::DiaphragmExpansionTank);
    ImgMen3 = picture("ImgMen3", {10, 128}, Picture::HydropneumaticExpansionTank);
    QRLabel32 = text("QRLabel32");
    QRLabel34 = text("QRLabel34");
    line(kRight, 152, {QRLabel32});
    line(kRight, 172, {QRLabel34});
    QRLabel118 = text("QRLabel118");
    QRLabel65 = text("QRLabel65");
    QRLabel70 = text("QRLabel70");
    QRLabel69 = text("QRLabel69");
    QRLabel6 = text("QRLabel6");
    line(kRight, 196, {text("QRLabel84", QStringLiteral(":(%)افزايش حجم آب سيستم ")), QRLabel118});
    line(kRight, 218, {text("QRLabel26", QStringLiteral(":(gal)حجم آب داخل لولهها")), QRLabel65});
    line(kRight, 240, {text("QRLabel52", QStringLiteral(":(gal)حد اقل حجم آب منبع")), QRLabel70});
    line(kMiddle, 196, {text("QRLabel24", QStringLiteral(":(gal)حجم آب داخل ديگ ومبدلها")), QRLabel69});
    line(kMiddle, 218, {text("QRLabel3", QStringLiteral(":(In)لوله ارتباطي ديگ و منبع")), QRLabel6});
    QRLabel9 = text("QRLabel9", QStringLiteral("(psi)فشار خروجي شير فشار شكن تغذيه سيستم"));
    QRLabel25 = text("QRLabel25");
    line(kRight, 264, {QRLabel9, QRLabel25});
    QRLabel86 = text("QRLabel86", QString::fromUtf8(kTextStandardCapacity));
    QRLabel86->font.underline = true;
    line(kRight, 290, {QRLabel86});
    {
        const char *const headings[9] = {"QRLabel122", "QRLabel19", "QRLabel18", "QRLabel90", "QRLabel55",
                                         "QRLabel23",  "QRLabel103", "QRLabel88", "QRLabel17"};
        const char *const values[9] = {"QRLabel83", "QRLabel58", "QRLabel59", "QRLabel60", "QRLabel61",
                                       "QRLabel63", "QRLabel64", "QRLabel71", "QRLabel72"};
        for (int i = 0; i < 9; ++i) {
            const int col = i < 5 ? i : i - 5;
            const double mid = 712 - 93 * col - 46.5, top = i < 5 ? 318 : 366;
            tankHeadings[std::size_t(i)] = centred(headings[i], mid, top, i == 0 ? QStringLiteral("Lits") : QString());
            tankHeadings[std::size_t(i)]->font.family = QStringLiteral("Times New Roman");
            tankValues[std::size_t(i)] = centred(values[i], mid, top + 22);
        }
    }
    b->addShape(QStringLiteral("QRShape39"), ShapeKind::HorizontalLine, QRectF(0, 450, 718, 2));

    // Burner.
    addCentred(b, QStringLiteral("QRLabel80"), centre, 456, QStringLiteral("مشعل"), 13, kTitleFamily, true);
    ImgMashal1 = picture("ImgMashal1", {10, 476}, Picture::OilBurner);
    ImgMashal2 = picture("ImgMashal2", {10, 476}, Picture::GasBurner);
    ImgMnbsok = picture("ImgMnbsok", {245, 476}, Picture::FuelTank);
    QRLabel75 = text("QRLabel75");
    QRLabel16 = text("QRLabel16");
    QRLabel106 = text("QRLabel106");
    QRLabel99 = text("QRLabel99", QStringLiteral(":ميزان مصرف سوخت"));
    QRLabel107 = text("QRLabel107");
    QRLabel101 = text("QRLabel101", QStringLiteral(":(lit)حجم سوخت منبع"));
    QRLabel108 = text("QRLabel108");
    line(kRight, 500, {text("QRLabel91", QStringLiteral(":نوع مشعل")), QRLabel75});
    line(kRight, 524, {text("QRLabel10", QStringLiteral(":ضريب تصحيح قدرت")), QRLabel16});
    line(kRight, 548, {text("QRLabel95", QStringLiteral(":تعداد")), field("QRDBText18", "Te_Dig")});
    line(kRight, 572, {text("QRLabel96", QStringLiteral(":(%)راندمان")), field("QRDBText16", "Rand_Mash")});
    line(kRight, 596, {text("QRLabel105", QStringLiteral(":(Btu/h)قدرت حرارتي مشعل")), QRLabel106});
    line(kRight, 620, {QRLabel99, QRLabel107});
    line(kRight, 644, {QRLabel101, QRLabel108});
    QRLabel33 = text("QRLabel33", QString::fromUtf8(kTextStandardCapacity));
    QRLabel4 = text("QRLabel4", QString::fromUtf8(kTextStandardCapacity));
    QRLabel7 = text("QRLabel7", QString::fromUtf8(kTextStandardCapacity));
    line(kRight, 672, {QRLabel33});
    line(kRight, 696, {QRLabel4});
    line(kRight, 720, {QRLabel7});
    {
        const char *const headings[9][2] = {{"QRLabel2", "Lits"},    {"QRLabel8", "T(mm)"},   {"QRLabel12", "L2(Cm)"},
                                            {"QRLabel36", "L1(Cm)"}, {"QRLabel28", "D(Cm)"},  {"QRLabel37", "d4(In)"},
                                            {"QRLabel29", "d5(In)"}, {"QRLabel35", "d3(In)"}, {"QRLabel11", "W(Kg)"}};
        const char *const values[9] = {"QRLabel110", "QRLabel111", "QRLabel112", "QRLabel113", "QRLabel125",
                                       "QRLabel124", "QRLabel123", "QRLabel114", "QRLabel27"};
        for (int i = 0; i < 9; ++i) {
            const int col = i < 5 ? i : i - 5;
            const double mid = 712 - 140 * col - 70, top = i < 5 ? 750 : 798;
            fuelHeadings[std::size_t(i)] = centred(headings[i][0], mid, top, QString::fromLatin1(headings[i][1]));
            fuelHeadings[std::size_t(i)]->font.family = QStringLiteral("Times New Roman");
            fuelValues[std::size_t(i)] = centred(values[i], mid, top + 22);
        }
    }
    b->addShape(QStringLiteral("QRShape40"), ShapeKind::HorizontalLine, QRectF(0, 848, 718, 2));

    // Chimney.
    addCentred(b, QStringLiteral("QRLabel1"), centre, 854, QStringLiteral("دودكش"), 13, kTitleFamily, true);
    QRLabel148 = text("QRLabel148");
    QRLabel149 = text("QRLabel149");
    QRLabel150 = text("QRLabel150");
    QRLabel151 = text("QRLabel151");
    line(kRight, 882, {text("QRLabel142", QStringLiteral(":تعداد دودكش هر ديگ")), field("QRDBText4", "TeDo")});
    line(kRight, 906, {text("QRLabel21", QStringLiteral(":(ft)طول عمودي دودكش")), field("QRDBText2", "TAmD")});
    line(kRight, 930, {text("QRLabel79", QStringLiteral(":(ft)طول افقي دودكش")), field("QRDBText3", "TOfD")});
    line(kRight, 954, {text("QRLabel143", QStringLiteral(":(ft)طول موثر دودكش")), QRLabel148});
    line(kMiddle, 882, {text("QRLabel144", QStringLiteral(":(Sq.In)سطح مقطع")), QRLabel149});
    line(kMiddle, 906, {text("QRLabel145", QStringLiteral(":(In)قطر")), QRLabel150});
    line(kMiddle, 930, {text("QRLabel146", QStringLiteral(":(In*In)ابعاد")), QRLabel151});
    line(200, 882, {text("QRLabel22", QStringLiteral("اتصالات مسير دودكش"))});
    line(200, 906, {text("QRLabel31", QStringLiteral("زانو30درجه:")), field("QRDBText5", "Zano30")});
    line(200, 928, {text("QRLabel87", QStringLiteral("زانو45درجه:")), field("QRDBText6", "Zano45")});
    line(200, 950, {text("QRLabel94", QStringLiteral("زانو60درجه:")), field("QRDBText7", "Zano60")});
    line(200, 972, {text("QRLabel97", QStringLiteral("زانو90درجه:")), field("QRDBText8", "Zano90")});
    line(kRight, 995,
         {text("QRLabel38", QStringLiteral("آن قسمت از دودكش كه در معرض هواي خارج قرار دارد عايق كاري شده تا انتقال "
                                           "طبيعي محصولات احتراق "))});
    line(kRight, 1019, {text("QRLabel76", QStringLiteral("از دهانه خروجي راحت تر انجام شود"))});

    buildExpansionTank({}, {});
    buildBurner(0, eq::BurnerResults{});
    buildChimney({});
}

TReport8::~TReport8() = default;

QString TReport8::connectionPipeSize(double d)
{
    if (d == 26)
        return QStringLiteral("3/4");
    if (d < 26)
        return QString();
    const struct {
        double upTo;
        const char *size;
    } sizes[] = {{33, "1"}, {42, "1/4 1"}, {48, "1/2 1"}, {60, "2"},  {75, "1/2 2"}, {88, "3"},
                 {100, "1/2 3"}, {113, "4"}, {139, "5"}, {165, "6"}};
    for (const auto &s : sizes)
        if (d <= s.upTo)
            return QString::fromLatin1(s.size);
    return QString(); // beyond the sizes of the list
}

void TReport8::buildExpansionTank(const ExpansionTankPageInputs &in, const eq::ExpansionTankResults &r)
{
    // Pipe material: the size headings and the columns that exist for it.
    const bool copper = in.T_L_Baz == 1;
    QRLabel40->text = in.T_L_Baz == 0 ? QStringLiteral("فولادي") : copper ? QStringLiteral("مسي") : QString();
    for (int c = 0; c < kPipeColumns; ++c) {
        const bool shown = !copper || c < kCopperColumns;
        QString heading;
        if (in.T_L_Baz == 0)
            heading = QString::fromLatin1(kSteelSizes[c]);
        else if (copper && c < kCopperColumns)
            heading = QString::fromLatin1(kCopperSizes[c]);
        sizeHeadings[std::size_t(c)]->text = heading;
        for (Element *e : {static_cast<Element *>(sizeHeadings[std::size_t(c)]),
                           static_cast<Element *>(lengthCells[std::size_t(c)]),
                           static_cast<Element *>(pipeFrames[std::size_t(2 * c)]),
                           static_cast<Element *>(pipeFrames[std::size_t(2 * c + 1)])})
            e->enabled = shown;
    }
    // Lengths as stored; a size with no entry has no pipe.
    const eq::PipeLengthTexts lengths = eq::pipeLengthTextsFromList(in.W_L_Baz);
    for (int c = 0; c < kPipeColumns; ++c) {
        const QString &t = lengths[std::size_t(c)];
        lengthCells[std::size_t(c)]->text = t.isEmpty() ? QStringLiteral("0") : t;
    }

    const bool known = in.Typ_ME >= 0 && in.Typ_ME <= 2;
    QRLabel14->text = known ? QString::fromUtf8(kTankTypes[in.Typ_ME]) : QString();
    QRLabel118->text = roundedText(r.expansionPercent);
    QRLabel65->text = roundedText(r.pipeWaterGal);
    QRLabel69->text = roundedText(r.boilerWaterGal);
    QRLabel70->text = roundedText(r.tankWaterGal);
    QRLabel6->text = connectionPipeSize(r.connectionPipeMm);

    // Everything that depends on the tank starts hidden and empty.
    for (Label *l : {QRLabel32, QRLabel34, QRLabel9, QRLabel25, QRLabel86})
        l->enabled = false;
    QRLabel32->text.clear();
    QRLabel34->text.clear();
    QRLabel25->text.clear();
    for (std::size_t i = 0; i < 9; ++i) {
        tankHeadings[i]->enabled = tankValues[i]->enabled = false;
        tankValues[i]->text.clear();
        if (i > 0)
            tankHeadings[i]->text.clear();
    }
    for (Drawing *i : {ImgMEn1, ImgMen2, ImgMen3})
        i->enabled = false;
    auto say = [this](const QString &first, const QString &second) {
        QRLabel32->text = first;
        QRLabel34->text = second;
        QRLabel32->enabled = QRLabel34->enabled = true;
    };
    auto table = [this](const eq::TextCatalogue &cat, int row, std::initializer_list<std::pair<const char *, int>> cells) {
        QRLabel86->enabled = true;
        std::size_t i = 0;
        for (const auto &[heading, col] : cells) {
            if (i > 0)
                tankHeadings[i]->text = QString::fromLatin1(heading);
            tankValues[i]->text = catalogueCell(cat, row, col);
            tankHeadings[i]->enabled = tankValues[i]->enabled = true;
            ++i;
        }
    };
    if (!known) {
        reflow();
        return;
    }
    Drawing *pictures[3] = {ImgMEn1, ImgMen2, ImgMen3};
    pictures[in.Typ_ME]->enabled = true;
    pictures[in.Typ_ME]->bringToFront();

    const eq::Catalogues &cat = eq::catalogues();
    // A run that stopped on the pipe lengths reaches neither the connection
    // pipe nor the tank.
    const bool lengthsUnreadable = r.stopped && !(r.connectionPipeMm > 0);
    if (lengthsUnreadable) {
        say(QString::fromUtf8(eq::kMsgCorrectPipeLengths), QString());
    } else if (in.Typ_ME == eq::OpenExpansionTank) {
        if (r.stopped)
            say(QString::fromUtf8(eq::kMsgCorrectCirculatingTemperature), QString());
        else if (r.row > 0)
            table(cat.OpenExpansionTanks, r.row,
                  {{"Lits", 1}, {"H(Cm)", 4}, {"L1(Cm)", 3}, {"L2(Cm)", 2}, {"d1(In)", 7}, {"d2(In)", 6},
                   {"d4(In)", 5}, {"T(mm)", 8}, {"W(Kg)", 9}});
    } else {
        const bool diaphragm = in.Typ_ME == eq::DiaphragmExpansionTank;
        if (!(r.acceptanceFactor > 0)) {
            // No closed tank works at these pressures: the pump and the
            // tank's place are to be settled first.
            say(QString::fromUtf8(eq::kMsgPumpDischargeFirstLine).trimmed(),
                QString::fromUtf8(eq::kMsgPumpDischargeSecondLine).trimmed());
        } else if (r.row > 0) {
            QRLabel9->enabled = QRLabel25->enabled = true;
            const double head = in.ErtefaS / 2.31;
            QRLabel25->text = diaphragm ? QString::number(pf::roundToInt(head)) : roundedText(head);
            if (diaphragm)
                table(cat.DiaphragmTanks, r.row, {{"Lits", 1}, {"A*B (mm)", 2}, {"D(In)", 3}, {"W(Kg)", 4}});
            else
                table(cat.HydropneumaticTanks, r.row,
                      {{"Lits", 1}, {"T(Cm)", 2}, {"L*D(Cm)", 3}, {"D8(In)", 4}, {"d6,d7(In)", 5}});
        } else {
            say(QStringLiteral("با توجه به ظرفيت استاندارد انتخاب منبع انبساط ") +
                    (diaphragm ? QStringLiteral("ديافراگمي") : QStringLiteral("هيدروپنوماتيكي")),
                QStringLiteral(" متناسب با طراحي نمي باشد"));
        }
    }
    reflow();
}

void TReport8::buildBurner(int TySo, const eq::BurnerResults &r)
{
    // The block starts empty: no values, no notes, no fuel tank.
    for (Label *l : {QRLabel75, QRLabel16, QRLabel106, QRLabel107, QRLabel108})
        l->text.clear();
    QRLabel99->text = QStringLiteral(":ميزان مصرف سوخت");
    QRLabel33->text.clear();
    QRLabel4->text.clear();
    QRLabel7->text = QString::fromUtf8(kTextStandardCapacity);
    for (Label *l : {QRLabel33, QRLabel4, QRLabel7, QRLabel101, QRLabel108})
        l->enabled = false;
    for (std::size_t i = 0; i < 9; ++i) {
        fuelHeadings[i]->enabled = fuelValues[i]->enabled = false;
        fuelValues[i]->text.clear();
    }
    for (Drawing *i : {ImgMashal1, ImgMashal2, ImgMnbsok})
        i->enabled = false;
    // A burner that could not be sized prints nothing of its own.
    if (r.stopped) {
        reflow();
        return;
    }
    QRLabel16->text = roundedText(r.altitudeFactor);
    QRLabel106->text = roundedText(r.burnerPower);
    if (TySo == 0) {
        ImgMashal1->enabled = true;
        ImgMashal1->bringToFront();
        ImgMnbsok->enabled = true;
        QRLabel75->text = QStringLiteral("گازوئيلي");
        QRLabel107->text = roundedText(r.fuelUse);
        QRLabel99->text = QStringLiteral("(GPH) مصرف سوخت");
        QRLabel108->text = roundedText(r.fuelStore);
        QRLabel101->enabled = QRLabel108->enabled = QRLabel7->enabled = true;
        const eq::FuelTankCatalogueTable &tanks = eq::catalogues().BurnerCatalogue;
        int row = r.row;
        // A store the catalogue cannot hold: the largest tank and the days
        // it lasts.
        if (r.fuelStore >= 40000) {
            row = tanks.rowCount();
            QRLabel4->text = QString::fromUtf8(kTextNoteDays);
            QRLabel4->enabled = true;
            QRLabel7->text = QString::number(r.tankDays) + QString::fromUtf8(kTextDaysSuffix);
        }
        const int cols[9] = {1, 2, 5, 4, 3, 6, 7, 8, 9};
        for (std::size_t i = 0; i < 9; ++i) {
            fuelHeadings[i]->enabled = fuelValues[i]->enabled = true;
            fuelValues[i]->text = catalogueCell(tanks, row, cols[i]);
        }
    } else if (TySo == 1) {
        ImgMashal2->enabled = true;
        ImgMashal2->bringToFront();
        QRLabel75->text = QStringLiteral("گازي");
        QRLabel33->text = QStringLiteral("ارزش حرارتي سوخت گازي معادل ") + QString::number(r.heatingValue) +
                          QStringLiteral("  (Btu/Cu.ft) در نظر گرفته شده است.");
        QRLabel33->enabled = true;
        QRLabel107->text = roundedText(r.fuelUse);
        QRLabel99->text = QStringLiteral("(CFH) مصرف سوخت");
    }
    reflow();
}

void TReport8::buildChimney(const eq::ChimneyResults &r)
{
    QRLabel148->text = roundedText(r.heightFt);
    QRLabel149->text = roundedText(r.areaSqIn);
    QRLabel150->text = QString::number(r.diameterShown);
    QRLabel151->text = r.squareSize;
    reflow();
}
