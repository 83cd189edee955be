// The pictures of the whole equipment booklet in each branch of its pages:
// each page prints exactly the picture of its branch, the others of the
// stack not at all, and no picture runs into the page's own texts; every
// dimension letter a page prints stands on its pictures, and they carry no
// other.
#include "WholeBookletProject.h"

#include "boravest/eqbook/Drawings.h"

#include <QRegularExpression>
#include <set>

namespace {

using bv::eqbook::Picture;
using pf::report::TextRun;

class BookletPicturesTest : public WholeBookletFixture {};

// Where the picture is printed on the page: the offsets at which every one
// of its texts stands as the picture places it.
std::vector<QPointF> placesOf(const pf::report::Page &page, Picture p)
{
    const QVector<pf::report::DrawItem> items = bv::eqbook::pictureItems(p);
    std::vector<const TextRun *> own;
    for (const auto &item : items)
        if (const auto *t = std::get_if<TextRun>(&item))
            own.push_back(t);
    std::vector<const TextRun *> printed;
    for (const auto &item : page.items)
        if (const auto *t = std::get_if<TextRun>(&item))
            printed.push_back(t);
    auto near = [](QPointF a, QPointF b) { return std::abs(a.x() - b.x()) < 0.01 && std::abs(a.y() - b.y()) < 0.01; };
    std::vector<QPointF> places;
    for (const TextRun *first : printed) {
        if (first->text != own.front()->text)
            continue;
        const QPointF offset = first->rect.topLeft() - own.front()->rect.topLeft();
        const bool all = std::all_of(own.begin(), own.end(), [&](const TextRun *o) {
            return std::any_of(printed.begin(), printed.end(), [&](const TextRun *t) {
                return t->text == o->text && near(t->rect.topLeft(), o->rect.topLeft() + offset);
            });
        });
        if (all)
            places.push_back(offset);
    }
    return places;
}

// The three branches of the equipment record that between them print every
// picture of a stack.
const char *const kBranches[] = {
    "Typ_MAM = 0, Typ_M_Est = 0, Typ_M_Jak = 1, Typ_Dig = 0, Typ_ME = 0, TySo = 1, MTZA = 0.5, EkhtDama = 20",
    "Typ_MAM = 1, Typ_M_Est = 1, Typ_M_Jak = 0, Typ_Dig = 1, Typ_ME = 1, TySo = 0, MTZA = 4, EkhtDama = 30",
    "Typ_MAM = 2, Typ_M_Est = 0, Typ_M_Jak = 1, Typ_Dig = 0, Typ_ME = 2, TySo = 0, MTZA = 0.5, EkhtDama = 20",
};

// The Latin words of a text ("(In)d2,d6" gives In, d2, d6).
QStringList latinWords(const QString &t)
{
    static const QRegularExpression word(QStringLiteral("[A-Za-z]+[0-9]*"));
    QStringList out;
    for (auto m = word.globalMatch(t); m.hasNext();)
        out << m.next().captured();
    return out;
}

// The dimension letters a caption of the page prints: the letters of a
// caption in lengths ("(Cm)D1", "(In)d2,d6", "(mm)t1", "A*B (mm)") or of
// the dimensions "ابعاد" ("(L*D)ابعاد"), without the units themselves.
std::set<QString> printedLetters(const QString &caption)
{
    static const QStringList lengths = {"Cm", "cm", "mm", "In", "in"};
    const QStringList words = latinWords(caption);
    const bool inLengths = std::any_of(words.begin(), words.end(), [](const QString &w) { return lengths.contains(w); })
                           || caption.contains(QStringLiteral("ابعاد"));
    static const QRegularExpression letter(QStringLiteral("^([A-Z][0-9]?|[a-z][0-9])$"));
    std::set<QString> out;
    if (inLengths)
        for (const QString &w : words)
            if (!lengths.contains(w) && letter.match(w).hasMatch())
                out.insert(w);
    return out;
}

int timesPrinted(const pf::report::Document &doc, Picture p)
{
    int n = 0;
    for (const pf::report::Page &page : doc.pages)
        n += int(placesOf(page, p).size());
    return n;
}

} // namespace

TEST_F(BookletPicturesTest, EachPagePrintsThePictureOfItsBranchAndKeepsItClearOfItsTexts)
{
    const double p = 50;
    wholeProject(p);
    const struct Variant {
        const char *set;
        std::vector<Picture> printed;
    } variants[] = {
        {kBranches[0],
         {Picture::VerticalPressureTank, Picture::DoubleWallTank, Picture::DoubleWallPiping,
          Picture::PoolHotWaterExchanger, Picture::JacuzziSteamExchanger, Picture::HotWaterBoiler,
          Picture::OpenExpansionTank, Picture::GasBurner, Picture::FloorPump}},
        {kBranches[1],
         {Picture::HorizontalPressureTank, Picture::CoilTank, Picture::CoilPiping, Picture::PoolSteamExchanger,
          Picture::JacuzziHotWaterExchanger, Picture::SteamBoiler, Picture::DiaphragmExpansionTank,
          Picture::OilBurner, Picture::FuelTank, Picture::InLinePump}},
        {kBranches[2],
         {Picture::VerticalPressureTank, Picture::SteamCoilTank, Picture::SteamCoilPiping,
          Picture::PoolHotWaterExchanger, Picture::JacuzziSteamExchanger, Picture::HotWaterBoiler,
          Picture::HydropneumaticExpansionTank, Picture::OilBurner, Picture::FuelTank, Picture::FloorPump}},
    };
    // The pictures stacked at one place of a page, one printed per branch.
    const std::vector<Picture> stacked = {
        Picture::VerticalPressureTank,   Picture::HorizontalPressureTank,  Picture::DoubleWallTank,
        Picture::CoilTank,               Picture::SteamCoilTank,           Picture::DoubleWallPiping,
        Picture::CoilPiping,             Picture::SteamCoilPiping,         Picture::PoolHotWaterExchanger,
        Picture::PoolSteamExchanger,     Picture::JacuzziHotWaterExchanger, Picture::JacuzziSteamExchanger,
        Picture::HotWaterBoiler,         Picture::SteamBoiler,             Picture::OpenExpansionTank,
        Picture::DiaphragmExpansionTank, Picture::HydropneumaticExpansionTank, Picture::OilBurner,
        Picture::GasBurner,              Picture::FuelTank,                Picture::FloorPump,
        Picture::InLinePump};
    // And those every build prints, the sand filter on the pool and the
    // jacuzzi pages.
    const std::vector<std::pair<Picture, int>> always = {
        {Picture::MainBranch, 1}, {Picture::PoolCircuit, 1}, {Picture::SandFilter, 2}, {Picture::JacuzziCircuit, 1},
        {Picture::BoilerRoom, 1}, {Picture::Furnace, 1},     {Picture::Radiator, 1},   {Picture::UnitHeater, 1},
        {Picture::Collectors, 1}, {Picture::Softener, 1},    {Picture::ExtractFan, 1}};

    for (const Variant &v : variants) {
        db()->exec(QStringLiteral("UPDATE Tajhizat SET %1 WHERE Shproje = ?").arg(QLatin1String(v.set)), {p});
        buildAll(p);
        ASSERT_EQ(lastDoc.pages.size(), 12) << v.set;
        for (Picture s : stacked) {
            const bool wanted = std::find(v.printed.begin(), v.printed.end(), s) != v.printed.end();
            EXPECT_EQ(timesPrinted(lastDoc, s), wanted ? 1 : 0) << v.set << ": picture " << int(s);
        }
        for (const auto &[a, times] : always)
            EXPECT_EQ(timesPrinted(lastDoc, a), times) << v.set << ": picture " << int(a);

        // No text of the page stands in a printed picture's place.
        for (int i = 0; i < lastDoc.pages.size(); ++i) {
            const pf::report::Page page = lastDoc.pages[i];
            for (int k = 0; k < bv::eqbook::kPictureCount; ++k) {
                const Picture pic = Picture(k);
                for (const QPointF &at : placesOf(page, pic)) {
                    const QRectF box(at, bv::eqbook::pictureSize(pic));
                    const QVector<pf::report::DrawItem> items = bv::eqbook::pictureItems(pic);
                    auto own = [&](const TextRun &t) {
                        return std::any_of(items.begin(), items.end(), [&](const pf::report::DrawItem &o) {
                            const auto *r = std::get_if<TextRun>(&o);
                            return r && r->text == t.text && (r->rect.topLeft() + at - t.rect.topLeft()).manhattanLength() < 0.02;
                        });
                    };
                    for (const auto &item : page.items) {
                        const auto *t = std::get_if<TextRun>(&item);
                        if (!t || own(*t))
                            continue;
                        const double h = t->rect.height() * 0.22;
                        EXPECT_FALSE(box.intersects(t->rect.adjusted(0.5, h, -0.5, -h)))
                            << v.set << ": page " << i + 1 << " '" << t->text.toStdString() << "' runs into picture " << k;
                    }
                }
            }
        }
    }
}

TEST_F(BookletPicturesTest, EveryDimensionLetterAPagePrintsIsDrawnOnItsPictures)
{
    // The letters of the page's captions against those of the pictures the
    // page prints; the pool's inlets D1 to D3 are the pool circuit's own
    // names, which no table prints.
    const double p = 51;
    wholeProject(p);
    const std::set<QString> poolInlets = {"D1", "D2", "D3"};
    for (const char *branch : kBranches) {
        db()->exec(QStringLiteral("UPDATE Tajhizat SET %1 WHERE Shproje = ?").arg(QLatin1String(branch)), {p});
        buildAll(p);
        ASSERT_EQ(lastDoc.pages.size(), 12) << branch;
        for (int i = 0; i < lastDoc.pages.size(); ++i) {
            const pf::report::Page page = lastDoc.pages[i];
            // The texts the page's pictures print, by where they stand.
            std::set<std::pair<QString, std::pair<int, int>>> drawn;
            std::set<QString> drawnLetters;
            bool poolCircuit = false;
            for (int k = 0; k < bv::eqbook::kPictureCount; ++k) {
                for (const QPointF &at : placesOf(page, Picture(k))) {
                    poolCircuit |= Picture(k) == Picture::PoolCircuit;
                    for (const auto &item : bv::eqbook::pictureItems(Picture(k)))
                        if (const auto *t = std::get_if<TextRun>(&item)) {
                            const QPointF q = t->rect.topLeft() + at;
                            drawn.insert({t->text, {qRound(q.x() * 10), qRound(q.y() * 10)}});
                            for (const QString &w : latinWords(t->text))
                                drawnLetters.insert(w);
                        }
                }
            }
            std::set<QString> printed;
            for (const auto &item : page.items) {
                const auto *t = std::get_if<TextRun>(&item);
                if (!t || drawn.count({t->text, {qRound(t->rect.left() * 10), qRound(t->rect.top() * 10)}}))
                    continue;
                const std::set<QString> letters = printedLetters(t->text);
                printed.insert(letters.begin(), letters.end());
            }
            const std::string where = std::string(branch) + ": page " + std::to_string(i + 1);
            for (const QString &l : printed)
                EXPECT_TRUE(drawnLetters.count(l)) << where << " prints " << l.toStdString() << ", no picture draws it";
            // A page whose table is not printed (no catalogue row fits) is
            // not held to the letters of its pictures.
            for (const QString &l : printed.empty() ? std::set<QString>() : drawnLetters)
                EXPECT_TRUE(printed.count(l) || (poolCircuit && poolInlets.count(l)))
                    << where << ": a picture draws " << l.toStdString() << ", which the page does not print";
        }
    }
}
