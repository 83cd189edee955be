#pragma once
// Checks over the result panel of the equipment window shared by the page
// tests.
#include "boravest/equipment/U_15.h"

#include <gtest/gtest.h>

#include <QLabel>
#include <QLineEdit>

namespace eqtest {

// Every box and caption shown on `page` stays clear of the result panel, so
// that the inputs can be changed and calculated again.
inline void expectClearOfResultPanel(QWidget *page)
{
    ASSERT_TRUE(page && ResultPanel && FormT2);
    const QRect panel = ResultPanel->geometry();
    for (QWidget *c : page->findChildren<QWidget *>()) {
        if (!c->isVisible() || !(qobject_cast<QLineEdit *>(c) || qobject_cast<QLabel *>(c)))
            continue;
        const QRect r(c->mapTo(FormT2, QPoint(0, 0)), c->size());
        EXPECT_FALSE(r.intersects(panel)) << c->objectName().toStdString();
    }
}

} // namespace eqtest
