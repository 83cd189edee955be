// The whole equipment booklet of a project of three floors, several units
// and walled spaces, every section ticked: every page prints sized values
// (none left at zero by a sizing that stopped), and the booklet saved to a
// report file opens again, as the report printer opens it, page for page.
#include "WholeBookletProject.h"

#include "platform/report/ReportFile.h"

namespace {

class WholeBookletTest : public WholeBookletFixture {};

} // namespace

TEST_F(WholeBookletTest, EverySectionPrintsSizedValuesAndOpensAgainPageForPage)
{
    const double p = 50;
    wholeProject(p);
    const QString path = files.filePath(QStringLiteral("booklet.QRP"));
    inPreview = [&](pf::report::ReportPreview *pv) { pv->save(path); };
    buildAll(p);
    ASSERT_EQ(previews, 1);
    EXPECT_TRUE(testsupport::takeMessages().isEmpty());

    // Every page's sized values: printed, never blank, never a bare zero (a
    // city-gas burner has no fuel store to print).
    const struct {
        const char *page;
        std::vector<pf::report::Label *> labels;
    } pages[] = {
        {"project", {Report3->QRLabel22, Report3->QRLabel27, Report3->QRLabel23}},
        {"hot water", {Report->QRLabel5, Report->QRLabel39, Report->QRLabel16, Report->QRLabel41}},
        {"pool", {ReportEst->QRLabel65, ReportEst->QRLabel69, ReportEst->QRLabel72, ReportEst->QRLabel107}},
        {"jacuzzi", {Report4->QRLabel71, Report4->QRLabel68, Report4->QRLabel106}},
        {"boilers", {Report04->QRLabel28, Report04->QRLabel29, Report04->QRLabel48, Report04->QRLabel47}},
        {"furnaces", {Report5->QRLabel15}},
        {"radiators", {Report6->QRLabel16, Report6->QRLabel23}},
        {"expansion", {Report8->QRLabel69, Report8->QRLabel106, Report8->QRLabel148}},
        {"collectors", {Report9->QRLabel31}},
        {"pump", {Report10->QRLabel65, Report10->QRLabel69, Report10->QRLabel106, Report10->QRLabel118}},
    };
    for (const auto &pg : pages)
        for (pf::report::Label *l : pg.labels) {
            double v = 1;
            pf::strToFloat(l->text, &v);
            EXPECT_TRUE(!l->text.isEmpty() && v != 0) << pg.page << ' ' << l->name().toStdString() << " '"
                                                      << l->text.toStdString() << "'";
        }
    // The per-space pages print their marked spaces, one name each.
    const QStringList printed = reporttest::allTexts(lastDoc);
    for (const QString &name : marked)
        EXPECT_GE(printed.count(name), 1) << name.toStdString();
    // Every unit's risers as stored.
    ASSERT_EQ(collectors.units.size(), 5u);
    for (const bv::sizing::CollectorUnitResult &u : collectors.units) {
        EXPECT_TRUE(u.sized && u.T_Rz > 0);
        EXPECT_TRUE(printed.contains(pf::floatToStr(u.Q_Vahed))) << u.Q_Vahed;
    }
    EXPECT_EQ(lastDoc.pages.size(), 12);

    // Values stand just beside their captions as printed (measured in the
    // fonts the pages print in, not those of start-up): the furnace inputs
    // and the unit-heater test temperatures. Pairs: the right part, then the
    // part left of it.
    const auto gapOnLine = [&](const QString &right, const QString &left) {
        for (const pf::report::Page &pg : lastDoc.pages)
            for (const auto &a : pg.items)
                if (const auto *r = std::get_if<pf::report::TextRun>(&a); r && r->text == right)
                    for (const auto &b : pg.items)
                        if (const auto *l = std::get_if<pf::report::TextRun>(&b);
                            l && l->text == left && std::abs(l->rect.top() - r->rect.top()) < 0.5)
                            return r->rect.left() - l->rect.right();
        return -1000.0;
    };
    const std::pair<const char *, const char *> beside[] = {
        {":درصد هواي برگشتي", "70"},
        {":(%)كيفيت عايق كاري", "90"},
        {"در دماي هواي ورودي", "60"},
        {"180", "درجه فارنهايت انجام ميگيرد"},
    };
    for (const auto &[right, left] : beside)
        EXPECT_NEAR(gapOnLine(QString::fromUtf8(right), QString::fromUtf8(left)), 5, 1.5) << right;

    // No text runs across a table's rule: every cell's text fits its column.
    for (int i = 0; i < lastDoc.pages.size(); ++i) {
        const pf::report::Page pg = lastDoc.pages[i];
        std::vector<std::pair<double, std::pair<double, double>>> rules; // x, top..bottom
        for (const auto &item : pg.items) {
            if (const auto *l = std::get_if<pf::report::LineItem>(&item); l && l->p1.x() == l->p2.x())
                rules.push_back({l->p1.x(), std::minmax(l->p1.y(), l->p2.y())});
            if (const auto *r = std::get_if<pf::report::RectItem>(&item); r && r->penWidth > 0)
                for (double x : {r->rect.left(), r->rect.right()})
                    rules.push_back({x, {r->rect.top(), r->rect.bottom()}});
        }
        for (const auto &item : pg.items) {
            const auto *t = std::get_if<pf::report::TextRun>(&item);
            for (const auto &[x, span] : t ? rules : decltype(rules){}) {
                EXPECT_FALSE(x > t->rect.left() + 0.5 && x < t->rect.right() - 0.5 &&
                             t->rect.center().y() > span.first && t->rect.center().y() < span.second)
                    << "page " << i + 1 << " '" << t->text.toStdString() << "' crosses the rule at " << x;
            }
        }
    }

    pf::report::ReportPreview printer;
    printer.load(path);
    ASSERT_EQ(printer.pageCount(), lastDoc.pages.size());
    for (int i = 0; i < printer.pageCount(); ++i)
        EXPECT_EQ(reporttest::texts(printer.document().pages[i]), reporttest::texts(lastDoc.pages[i])) << i;
    EXPECT_EQ(printer.document(), lastDoc);
}
