#pragma once
// The booklet form for the equipment booklet's pages: no section ticked at
// the start, the details closed at the end, and a build of a project with
// chosen sections ticked.
#include "../building/BookletFixture.h"

#include "boravest/eqbook/U23.h"
#include "boravest/equipment/U_15Booklet.h"

#include <algorithm>
#include <initializer_list>

class EqBookletFixture : public BookletFixture {
protected:
    void SetUp() override
    {
        BookletFixture::SetUp();
        if (HasFatalFailure())
            return;
        std::fill(ReportSections.begin(), ReportSections.end(), false);
        for (int i = 0; i <= 12; ++i)
            Form23->setSectionTicked(i, false);
    }
    void TearDown() override
    {
        if (Form23 && Form23->detailsShown())
            Form23->Label20Click();
        BookletFixture::TearDown();
    }
    // Builds the booklet of the project with these sections ticked.
    void build(double p, std::initializer_list<int> ticks)
    {
        DM1->Table1->close();
        DM1->Table1->open();
        ASSERT_TRUE(DM1->Table1->locate(QStringLiteral("SHPROJE"), {p}));
        Form23->Label16Click();
        ASSERT_TRUE(Form23->detailsShown());
        for (int i = 0; i <= 12; ++i)
            Form23->setSectionTicked(i, false);
        for (int i : ticks)
            Form23->setSectionTicked(i, true);
        lastDoc = {};
        Form23->Bt1Click();
    }
    // The project's record current, as the operations read it in report mode.
    void onRecord(double p)
    {
        DM1->Table1->locate(QStringLiteral("SHPROJE"), {p});
        DM1->Table12->open();
    }
};
