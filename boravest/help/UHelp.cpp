#include "boravest/help/UHelp.h"

#include "ui_UHelp.h"

#include "platform/ui/Colors.h"
#include "platform/ui/Dialogs.h"

#include <QKeyEvent>
#include <QScrollArea>
#include <QScrollBar>
#include <QTabBar>

TFormHelp *FormHelp = nullptr;

namespace {

// How far each long page scrolls: its bottom position, one page step, and
// the last position from which Page Down still takes a whole step (beyond
// it, Page Down lands on the bottom).
struct ScrollSteps {
    int page;
    int bottom;
    int pageStep;
    int lastWholeStep;
};

constexpr ScrollSteps kScrollSteps[] = {{0, 195, 100, 99}, {1, 425, 300, 110}, {3, 2700, 330, 2369}, {13, 588, 300, 288}};

const ScrollSteps *stepsOf(int page)
{
    for (const ScrollSteps &s : kScrollSteps)
        if (s.page == page)
            return &s;
    return nullptr;
}

} // namespace

int guideScrollPosition(int page, int key, int p)
{
    const ScrollSteps *s = stepsOf(page);
    if (!s)
        return -1;
    switch (key) {
    case Qt::Key_PageUp:
        return p > s->pageStep ? p - s->pageStep : 0;
    case Qt::Key_PageDown:
        return p <= s->lastWholeStep ? p + s->pageStep : s->bottom;
    case Qt::Key_End:
        return s->bottom;
    case Qt::Key_Home:
        return 0;
    case Qt::Key_Up:
        return p > 10 ? p - 10 : 0;
    case Qt::Key_Down:
        return p <= s->bottom - 10 ? p + 10 : s->bottom;
    default:
        return -1;
    }
}

TFormHelp::TFormHelp(QWidget *parent) : QDialog(parent), ui(std::make_unique<Ui::TFormHelp>())
{
    ui->setupUi(this);
    setObjectName(QStringLiteral("FormHelp"));
    setWindowFlags(Qt::Tool);
    setLayoutDirection(Qt::RightToLeft);
    setFixedSize(751, 394);
    pf::ui::setBackColor(this, pf::ui::winColor(13158848));
    // The pages are chosen by the callers only: no tab row to click.
    ui->PageControl1->tabBar()->hide();
    for (int page = 0; page < PageCount; ++page)
        if (QScrollArea *box = pageScrollBox(page))
            box->verticalScrollBar()->setRange(0, box->widget()->height() - box->height());
}

TFormHelp::~TFormHelp() = default;

QScrollArea *TFormHelp::pageScrollBox(int page) const
{
    switch (page) {
    case 0:
        return ui->ScrollBox1;
    case 1:
        return ui->ScrollBox2;
    case 3:
        return ui->ScrollBox3;
    case 13:
        return ui->ScrollBox4;
    default:
        return nullptr;
    }
}

void TFormHelp::FormKeyDown(int key)
{
    if (key == Qt::Key_Escape) {
        pf::ui::endModal(this, 0);
        return;
    }
    const int page = ui->PageControl1->currentIndex();
    QScrollArea *box = pageScrollBox(page);
    if (!box)
        return;
    QScrollBar *bar = box->verticalScrollBar();
    const int next = guideScrollPosition(page, key, bar->value());
    if (next >= 0)
        bar->setValue(next);
}

void TFormHelp::keyPressEvent(QKeyEvent *e)
{
    FormKeyDown(e->key());
    e->accept();
}
