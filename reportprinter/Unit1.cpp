#include "Unit1.h"

#include "Unit2.h"
#include "ui_Unit1.h"

#include "platform/report/Preview.h"
#include "platform/ui/ClickLabel.h"
#include "platform/ui/Colors.h"

#include <QIcon>
#include <QEvent>
#include <QKeyEvent>

TForm1 *Form1 = nullptr;

namespace {
// Resting and hovered top of the caption.
constexpr int kCaptionTop = 96;
constexpr int kCaptionHoverTop = 98;
} // namespace

TForm1::TForm1(QWidget *parent) : QWidget(parent), ui(std::make_unique<Ui::TForm1>())
{
    ui->setupUi(this);
    // The program's own icon (the resources live in a static library).
    Q_INIT_RESOURCE(ReportPrinter);
    setWindowIcon(QIcon(QStringLiteral(":/reportprinter/icons/reportprinter.png")));
    // A small tool window: title and close button only.
    setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                   Qt::WindowCloseButtonHint);
    setFocusPolicy(Qt::StrongFocus); // the window sees every key first

    QFont f = ui->Label1->font();
    f.setFamily(QStringLiteral("Traffic"));
    f.setPixelSize(16);
    f.setBold(true);
    ui->Label1->setFont(f);
    ui->Label1->adjustSize();
    ui->Label1->move(ui->Label1->x(), kCaptionTop);
    pf::ui::setTextColor(ui->Label1, palette().color(QPalette::WindowText));

    connect(ui->Label1, &pf::ui::ClickLabel::clicked, this, &TForm1::Label1Click);
    connect(ui->Label1, &pf::ui::ClickLabel::mouseMoved, this, &TForm1::Label1MouseMove);
    connect(ui->Label1, &pf::ui::ClickLabel::mouseLeft, this, &TForm1::Label1MouseLeave);
}

TForm1::~TForm1() = default;

pf::ui::ClickLabel *TForm1::Label1() const
{
    return ui->Label1;
}

// The window is always 580 x 450: resizing it has no effect.
void TForm1::FormActivate()
{
    setMaximumHeight(450);
    setMinimumHeight(450);
    setMaximumWidth(580);
    setMinimumWidth(580);
}

void TForm1::Label1Click()
{
    if (Form2 && Form2->QuickRep1)
        pf::report::preview(*Form2->QuickRep1, this);
}

void TForm1::Label1MouseMove()
{
    pf::ui::setTextColor(ui->Label1, QColor(255, 0, 0));
    ui->Label1->move(ui->Label1->x(), kCaptionHoverTop);
}

void TForm1::Label1MouseLeave()
{
    pf::ui::setTextColor(ui->Label1, palette().color(QPalette::WindowText));
    ui->Label1->move(ui->Label1->x(), kCaptionTop);
}

bool TForm1::event(QEvent *e)
{
    if (e->type() == QEvent::WindowActivate)
        FormActivate();
    return QWidget::event(e);
}

void TForm1::showEvent(QShowEvent *e)
{
    // Some window systems activate a window only after it is shown, or not
    // at all when it opens behind another; the size holds from the start.
    FormActivate();
    QWidget::showEvent(e);
}

void TForm1::keyPressEvent(QKeyEvent *e)
{
    if (e->key() == Qt::Key_Escape) {
        close();
        return;
    }
    QWidget::keyPressEvent(e);
}
