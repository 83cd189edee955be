#include "boravest/eqbook/U23.h"

#include "ui_U23.h"

#include "boravest/data/ProgramState.h"
#include "boravest/data/UnitDm.h"
#include "boravest/equipment/U_15.h"
#include "platform/ui/ClickLabel.h"
#include "platform/ui/Colors.h"
#include "platform/ui/DbControls.h"
#include "platform/ui/Dialogs.h"
#include "platform/ui/Keys.h"

#include <QFileDialog>
#include <QKeyEvent>
#include <QLinearGradient>
#include <QListWidget>
#include <QPainter>
#include <QPainterPath>
#include <QProgressBar>
#include <QRegion>

TForm23 *Form23 = nullptr;

const char *const TForm23::kSectionCaptions[13] = {
    "كليه تجهيزات",
    "مشخصات كلي پروژه - سايز كنتور- تانك تحت فشار",
    "پمپ سيركولاسيون سيستم -  سختي گير",
    "منبع آبگرم مصرفي",
    "استخر خانگي ",
    "هوا كش",
    "جكوزي",
    "ديگ",
    "كوره هواي گرم",
    " رادياتور",
    "يونيت هيتر",
    "منبع انبساط - مشعل - دودكش",
    "قطر كلكتور و رايزرها",
};

const char *const TForm23::kMsgNoEquipment = "!داده هاي مربوط به تجهيزارت وارد نشده است";

namespace {

const QVector<pf::ui::DBGridColumn> &gridColumns()
{
    static const QVector<pf::ui::DBGridColumn> cols = {
        {QStringLiteral("NAME"), QStringLiteral("نام پروژه"), -1},
        {QStringLiteral("SHPROJE"), QStringLiteral("شماره پروژه"), -1},
        {QStringLiteral("SHAHR"), QStringLiteral("شهر"), -1},
        {QStringLiteral("DATE1"), QStringLiteral("تاريخ"), -1},
        {QStringLiteral("CoN"), QStringLiteral("نام شركت"), -1},
        {QStringLiteral("EngN"), QStringLiteral("نام مهندس محاسب"), -1},
    };
    return cols;
}

} // namespace

TForm23::TForm23(QWidget *parent) : QDialog(parent), ui(std::make_unique<Ui::TForm23>())
{
    ui->setupUi(this);
    setObjectName(QStringLiteral("Form23"));
    setLayoutDirection(Qt::RightToLeft);
    setWindowFlag(Qt::FramelessWindowHint, true);
    setFixedSize(size());
    FormCreate();
}

TForm23::~TForm23() = default;

void TForm23::FormCreate()
{
    // The picture on the right edge.
    QImage side(60, 577, QImage::Format_RGB32);
    QPainter p(&side);
    QLinearGradient g(0, 0, 0, 577);
    g.setColorAt(0, QColor(40, 80, 140));
    g.setColorAt(1, QColor(200, 220, 240));
    p.fillRect(side.rect(), g);
    p.end();
    ui->Image1->setPixmap(QPixmap::fromImage(side));

    ui->DBGrid1->setSelectionBehavior(QAbstractItemView::SelectRows);
    ui->DBGrid1->setEditTriggers(QAbstractItemView::NoEditTriggers);
    ui->ProgressBar1->setRange(0, 100);

    // The progress panel has rounded corners: ellipses of 25 by 25 from
    // (2, 2) to (width - 4, height - 4).
    QFrame *panel = ui->Panel1;
    panel->setStyleSheet(QStringLiteral("#Panel1 { background-color: rgb(255, 255, 225); "
                                        "border: 2px solid rgb(128, 128, 128); border-radius: 12px; }"));
    QPainterPath path;
    path.addRoundedRect(QRectF(2, 2, panel->width() - 6, panel->height() - 6), 12.5, 12.5);
    panel->setMask(QRegion(path.toFillPolygon().toPolygon()));
    panel->hide();

    for (int i = 0; i <= 12; ++i) {
        auto *item = new QListWidgetItem(QString::fromUtf8(kSectionCaptions[i]), ui->ChkBL);
        item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsUserCheckable);
        item->setCheckState(Qt::Unchecked);
    }
    // A tick on "select all" (by a click on its box or Space) reaches every
    // section; a double-click toggles the item under it.
    connect(ui->ChkBL, &QListWidget::itemChanged, this, [this](QListWidgetItem *item) {
        if (!m_following && ui->ChkBL->row(item) == 0)
            followSelectAll();
    });
    connect(ui->ChkBL, &QListWidget::itemDoubleClicked, this, [this](QListWidgetItem *item) {
        item->setCheckState(item->checkState() == Qt::Checked ? Qt::Unchecked : Qt::Checked);
    });

    connect(ui->Label16, &pf::ui::ClickLabel::clicked, this, [this] { Label16Click(); });
    connect(ui->Label19, &pf::ui::ClickLabel::clicked, this, [this] { Bt1Click(); });
    connect(ui->Label9, &pf::ui::ClickLabel::clicked, this, [this] { Bt1Click(); });
    connect(ui->Label1, &pf::ui::ClickLabel::clicked, this, [this] { Label1Click(); });
    connect(ui->Label20, &pf::ui::ClickLabel::clicked, this, [this] { Label20Click(); });
    connect(ui->Label8, &pf::ui::ClickLabel::clicked, this, [this] { Bt2Click(); });
    connect(ui->Label3, &pf::ui::ClickLabel::clicked, this, [this] { Bt2Click(); });
    connect(ui->Label22, &pf::ui::ClickLabel::clicked, this, [this] { Bt3Click(); });
    connect(ui->Label14, &pf::ui::ClickLabel::clicked, this, [this] { Label14Click(); });
    connect(ui->DBGrid1, &QAbstractItemView::doubleClicked, this, [this] {
        if (!m_details)
            Label16Click();
    });
    m_hover = new pf::ui::HoverGroup({ui->Label16, ui->Label19, ui->Label1, ui->Label20, ui->Label8, ui->Label22},
                                     [] { return pf::ui::winColor(AreaColors[AreaG * 5 + RoleText]); }, this);
    // The title highlights Back, which it stands for.
    connect(ui->Label3, &pf::ui::ClickLabel::mouseMoved, this, [this] { m_hover->hover(ui->Label8); });
    connect(ui->Label3, &pf::ui::ClickLabel::mouseLeft, this, [this] { m_hover->leave(ui->Label8); });

    pf::ui::installKeyPreview(this, [this](QKeyEvent *k) { return FormKeyDown(k); });
    pf::ui::installEnterChain({ui->De2, ui->De3, ui->DE1, ui->Edit3, ui->ChkBL});
    bindData();
    setBrowse();
}

void TForm23::bindData()
{
    if (m_bound || !DM1)
        return;
    m_bound = true;
    ui->DBGrid1->setDataSource(DM1->DataSource1);
    ui->DBGrid1->setColumns(gridColumns());
    const struct {
        pf::ui::DBEdit *edit;
        const char *field;
    } bound[] = {{ui->De5, "SHPROJE"}, {ui->De6, "NAME"}, {ui->De2, "EngN"},
                 {ui->De3, "SHAHR"},   {ui->DE1, "CoN"},  {ui->Edit3, "DATE1"}};
    for (const auto &b : bound)
        b.edit->bind(DM1->DataSource1, QString::fromLatin1(b.field));
}

void TForm23::followSelectAll()
{
    m_following = true;
    const Qt::CheckState s = ui->ChkBL->item(0)->checkState();
    for (int i = 1; i <= 12; ++i)
        ui->ChkBL->item(i)->setCheckState(s);
    m_following = false;
}

bool TForm23::sectionTicked(int item) const
{
    QListWidgetItem *i = ui->ChkBL->item(item);
    return i && i->checkState() == Qt::Checked;
}

void TForm23::setSectionTicked(int item, bool on)
{
    if (QListWidgetItem *i = ui->ChkBL->item(item))
        i->setCheckState(on ? Qt::Checked : Qt::Unchecked);
}

QString TForm23::logoPath() const { return ui->Edit2->text(); }

void TForm23::setGauge(int value)
{
    ui->ProgressBar1->setValue(value);
    ui->Panel1->repaint();
}

void TForm23::hideGauge() { ui->Panel1->hide(); }
bool TForm23::gaugeShown() const { return !ui->Panel1->isHidden(); }
int TForm23::gauge() const { return ui->ProgressBar1->value(); }

// ---------------------------------------------------------------- states

void TForm23::setBrowse()
{
    m_details = false;
    for (QWidget *w : {ui->Label16, ui->Label8, ui->Label22})
        w->setEnabled(true);
    for (QWidget *w : {ui->Label20, ui->Label19, ui->Label1})
        w->setEnabled(false);
    ui->Panel5->hide();
    ui->ChkBL->hide();
    ui->Panel4->setEnabled(true);
    m_hover->restoreAll();
    ui->DBGrid1->setFocus();
}

void TForm23::setDetails()
{
    m_details = true;
    ui->Panel4->setEnabled(false);
    ui->ChkBL->show();
    for (QWidget *w : {ui->Label1, ui->Label19, ui->Label20})
        w->setEnabled(true);
    for (QWidget *w : {ui->Label8, ui->Label22, ui->Label16})
        w->setEnabled(false);
    ui->Panel5->show();
    m_hover->restoreAll();
    ui->De2->setFocus();
}

void TForm23::showEvent(QShowEvent *e)
{
    QDialog::showEvent(e);
    if (!e->spontaneous())
        FormActivate();
}

void TForm23::changeEvent(QEvent *e)
{
    QDialog::changeEvent(e);
    if (e->type() == QEvent::ActivationChange && isActiveWindow() && isVisible())
        FormActivate();
}

void TForm23::FormActivate()
{
    ui->Panel1->hide();
    if (!DM1)
        return;
    bindData();
    try {
        if (!DM1->Table1->active())
            DM1->Table1->open();
    } catch (const pf::db::DbError &e) {
        pf::ui::showMessage(e.message(), this);
    }
}

void TForm23::done(int r)
{
    FormClose();
    QDialog::done(r);
}

void TForm23::FormClose()
{
    if (!DM1)
        return;
    Label20Click();
    DM1->Table1->close();
}

// ---------------------------------------------------------------- commands

void TForm23::Label16Click()
{
    if (!ui->Label16->isEnabled() || !DM1)
        return;
    FormActivate();
    pf::db::Table *projects = DM1->Table1;
    if (!projects->active() || projects->isEmpty())
        return;
    try {
        pf::db::Table *equipment = DM1->Table12;
        if (!equipment->active())
            equipment->open();
        const double number = projects->fieldByName(QStringLiteral("Shproje")).asFloat();
        if (!equipment->findKey({number})) {
            pf::ui::showMessage(QString::fromUtf8(kMsgNoEquipment), this);
            return;
        }
        projects->edit();
    } catch (const pf::db::DbError &e) {
        pf::ui::showMessage(e.message(), this);
        return;
    }
    setDetails();
}

void TForm23::Bt1Click()
{
    if (!ui->Label19->isEnabled() || !DM1 || !FormT2)
        return;
    bool any = false;
    for (int i = 1; i <= 12; ++i)
        any = any || sectionTicked(i);
    if (!any)
        return;
    try {
        if (!DM1->Table12->active())
            DM1->Table12->open();
    } catch (const pf::db::DbError &e) {
        pf::ui::showMessage(e.message(), this);
        return;
    }
    ui->Panel1->raise();
    ui->Panel1->show();
    repaint();
    FormT2->Label45Click();
    ui->Panel1->hide();
    // What was typed and not saved was printed, and is now dropped.
    Label20Click();
}

void TForm23::Label1Click()
{
    if (!ui->Label1->isEnabled() || !DM1)
        return;
    try {
        DM1->Table1->post();
    } catch (const pf::db::DbError &e) {
        pf::ui::showMessage(e.message(), this);
        return;
    }
    setBrowse();
}

void TForm23::Label20Click()
{
    if (DM1 && DM1->Table1->active())
        DM1->Table1->cancel();
    for (pf::ui::DBEdit *e : {ui->De5, ui->De6, ui->De2, ui->De3, ui->DE1, ui->Edit3})
        e->refresh();
    setBrowse();
}

void TForm23::Bt2Click() { pf::ui::endModal(this, QDialog::Rejected); }

void TForm23::Bt3Click()
{
    if (ProgramServices)
        ProgramServices->AskExit();
}

void TForm23::Label14Click()
{
    QFileDialog dialog(this, QStringLiteral("انتخاب آرم"));
    dialog.setObjectName(QStringLiteral("OpenPictureDialog1"));
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setFileMode(QFileDialog::ExistingFile);
    dialog.setNameFilters(pf::ui::pictureFileFilters());
    if (pf::ui::showModal(&dialog) != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return;
    ui->Edit2->setText(dialog.selectedFiles().first());
}

// ---------------------------------------------------------------- keys

bool TForm23::FormKeyDown(QKeyEvent *key)
{
    switch (key->key()) {
    case Qt::Key_Escape:
        if (m_details)
            Label20Click();
        else
            Bt3Click();
        return true;
    case Qt::Key_F4:
        if (!m_details) {
            Bt2Click();
            return true;
        }
        return true;
    case Qt::Key_Return:
    case Qt::Key_Enter:
        if (!m_details && (focusWidget() == ui->DBGrid1 || focusWidget() == nullptr)) {
            Label16Click();
            return true;
        }
        return false;
    case Qt::Key_F5:
        if (focusWidget() == ui->Edit2) {
            Label14Click();
            return true;
        }
        return false;
    case Qt::Key_Space:
        // Space toggles the current item; "select all" carries the rest.
        if (focusWidget() == ui->ChkBL && ui->ChkBL->currentItem()) {
            QListWidgetItem *i = ui->ChkBL->currentItem();
            i->setCheckState(i->checkState() == Qt::Checked ? Qt::Unchecked : Qt::Checked);
            return true;
        }
        return false;
    default:
        return false;
    }
}
