#include "boravest/building/U8.h"

#include "ui_U8.h"

#include "boravest/building/U2.h"
#include "boravest/building/U9.h"
#include "boravest/data/U1.h"
#include "boravest/data/U3.h"
#include "boravest/data/UnitDm.h"
#include "boravest/help/U11.h"
#include "boravest/help/U15.h"
#include "boravest/help/UHelp.h"
#include "platform/common/Numbers.h"
#include "platform/ui/ClickLabel.h"
#include "platform/ui/Colors.h"
#include "platform/ui/DbControls.h"
#include "platform/ui/Dialogs.h"
#include "platform/ui/Keys.h"

#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QPainter>
#include <QTextOption>
#include <QScrollArea>
#include <QScrollBar>
#include <QTabWidget>
#include <QTableWidget>

#include <limits>

TForm8 *Form8 = nullptr;

using pf::db::DbError;

// ---------------------------------------------------------------- shared

namespace createedit {

void showUserGuide()
{
    if (!FormHelp)
        return;
    // The guide opens at its create-and-edit page, scrolled to the top.
    FormHelp->setWindowTitle(QStringLiteral("     راهنماي كاربران - ايجاد و ويرايش"));
    if (auto *pages = FormHelp->findChild<QTabWidget *>(QStringLiteral("PageControl1")))
        pages->setCurrentIndex(1);
    if (auto *box = FormHelp->findChild<QScrollArea *>(QStringLiteral("ScrollBox2")))
        box->verticalScrollBar()->setValue(0);
    pf::ui::showModal(FormHelp);
}

void showGlossary()
{
    if (Form15)
        pf::ui::showModal(Form15);
}

void showUnitTable()
{
    if (Form11)
        pf::ui::showModal(Form11);
}

void runCalculator()
{
    if (!Form1 || !DM1)
        return;
    Form1->RunAndWait(DM1->Database1->directory() + QStringLiteral("Rodiz.exe"), true, QString(), 1);
}

void askExit()
{
    if (!Form3)
        return;
    Form3->Mode = QString();
    pf::ui::showModal(Form3);
}

QColor restColor() { return pf::ui::winColor(AreaColors[AreaV * 5 + RoleText]); }

namespace {
class LeftToRightCaption : public QObject {
public:
    explicit LeftToRightCaption(QLabel *label) : QObject(label) { label->installEventFilter(this); }

protected:
    bool eventFilter(QObject *obj, QEvent *ev) override
    {
        if (ev->type() != QEvent::Paint)
            return false;
        auto *label = static_cast<QLabel *>(obj);
        QPainter p(label);
        QTextOption option(Qt::AlignAbsolute | Qt::AlignLeft | Qt::AlignVCenter);
        option.setTextDirection(Qt::LeftToRight);
        option.setWrapMode(QTextOption::NoWrap);
        p.setFont(label->font());
        p.setPen(label->palette().color(label->isEnabled() ? QPalette::Active : QPalette::Disabled,
                                        label->foregroundRole()));
        p.drawText(QRectF(label->contentsRect()), label->text(), option);
        return true;
    }
};
} // namespace

void captionsLeftToRight(QWidget *form)
{
    for (QLabel *label : form->findChildren<QLabel *>())
        if (!qobject_cast<pf::ui::ClickLabel *>(label) && label->text().startsWith(QLatin1Char(':')))
            new LeftToRightCaption(label);
}

bool wholeOf(const QString &text, int *out)
{
    int64_t v = 0;
    if (!pf::strToInt(QLatin1Char('0') + text, &v))
        return false;
    if (v < std::numeric_limits<int>::min() || v > std::numeric_limits<int>::max())
        return false;
    *out = int(v);
    return true;
}

bool decimalOf(const QString &text, double *out) { return pf::strToFloat(QLatin1Char('0') + text, out); }

bool numberText(const QString &text)
{
    double d = 0;
    return text.trimmed().isEmpty() || pf::strToFloat(text, &d);
}

QString integerError(const QString &text) { return QStringLiteral("'%1' is not a valid integer value").arg(text); }

QString floatError(const QString &text) { return QStringLiteral("'%1' is not a valid floating point value").arg(text); }

} // namespace createedit

using namespace createedit;

// ---------------------------------------------------------------- form

namespace {
const QString kNumberOnly = QStringLiteral(" عدد معتبر است");
}

TForm8::TForm8(QWidget *parent) : QDialog(parent)
{
    Ui::TForm8 ui;
    ui.setupUi(this);
    setObjectName(QStringLiteral("Form8"));
    setLayoutDirection(Qt::RightToLeft);
    setFixedSize(790, 560);

    Panel1 = ui.Panel1;
    Panel3 = ui.Panel3;
    Panel4 = ui.Panel4;
    Panel5 = ui.Panel5;
    Panel7 = ui.Panel7;
    DBEdit2 = ui.DBEdit2;
    DBEdit3 = ui.DBEdit3;
    DBEdit4 = ui.DBEdit4;
    DBGrid1 = ui.DBGrid1;
    Edit1 = ui.Edit1;
    DE2 = ui.DE2;
    De6 = ui.De6;
    De7 = ui.De7;
    De4 = ui.De4;
    Label16 = ui.Label16;
    Label17 = ui.Label17;
    Label18 = ui.Label18;
    Label19 = ui.Label19;
    Label20 = ui.Label20;
    Label21 = ui.Label21;
    Label22 = ui.Label22;
    Label23 = ui.Label23;
    Label38 = ui.Label38;
    Label40 = ui.Label40;
    StringGrid1 = ui.StringGrid1;

    // The delete command exists on the bar but does nothing.
    Label18->hide();
    captionsLeftToRight(this);
    StringGrid1->horizontalHeader()->resizeSection(0, 200);

    connect(Label16, &pf::ui::ClickLabel::clicked, this, [this] { Label16Click(); });
    connect(Label17, &pf::ui::ClickLabel::clicked, this, [this] { Label17Click(); });
    connect(Label19, &pf::ui::ClickLabel::clicked, this, [this] { Bt3Click(); });
    connect(Label20, &pf::ui::ClickLabel::clicked, this, [this] { Label20Click(); });
    connect(Label21, &pf::ui::ClickLabel::clicked, this, [this] { Label21Click(); });
    connect(Label23, &pf::ui::ClickLabel::clicked, this, [this] { Label23Click(); });
    connect(Label22, &pf::ui::ClickLabel::clicked, this, [this] { Label22Click(); });
    connect(Label38, &pf::ui::ClickLabel::clicked, this, [this] { Label38Click(); });
    connect(Label40, &pf::ui::ClickLabel::clicked, this, [this] { HideGuide(); });

    // Every input takes digits and the minus sign; Enter walks them in
    // order and stops at the last.
    for (QWidget *w : {static_cast<QWidget *>(Edit1), static_cast<QWidget *>(DE2), static_cast<QWidget *>(De6),
                       static_cast<QWidget *>(De7), static_cast<QWidget *>(De4)})
        pf::ui::installSignedFilter(w, kNumberOnly);
    pf::ui::installEnterChain({Edit1, DE2, De6, De7, De4}, false);
    // A floor number shows its sign after the digits once the input is left.
    connect(Edit1, &QLineEdit::editingFinished, this, [this] {
        const QString t = minusToEnd(Edit1->text());
        if (t != Edit1->text())
            Edit1->setText(t);
    });

    Hover = new pf::ui::HoverGroup({Label16, Label17, Label18, Label19, Label20, Label21, Label23, Label22},
                                   &createedit::restColor, this);
    pf::ui::installKeyPreview(this, [this](QKeyEvent *k) { return FormKeyDown(k); });
    setBrowse();
}

bool TForm8::StrToIntmenha(QString &text, int &number)
{
    if (text.isEmpty()) {
        text = QStringLiteral("0");
        number = 0;
        return true;
    }
    const int minus = text.indexOf(QLatin1Char('-'));
    int n = 0;
    if (minus < 0) {
        if (!wholeOf(text, &n))
            return false;
        number = n;
        return true;
    }
    QString rest = text;
    rest.remove(minus, 1);
    if (!wholeOf(rest, &n))
        return false;
    if (n > 0) {
        number = -n;
        text = rest + QLatin1Char('-');
    } else {
        number = 0;
        text = QStringLiteral("0");
    }
    return true;
}

QString TForm8::floorText(int floor)
{
    return floor < 0 ? QString::number(-qint64(floor)) + QLatin1Char('-') : QString::number(floor);
}

QString TForm8::minusToEnd(const QString &text)
{
    if (text == QLatin1String(" "))
        return text;
    const int minus = text.indexOf(QLatin1Char('-'));
    if (minus < 0)
        return text;
    QString t = text;
    t.remove(minus, 1);
    return t + QLatin1Char('-');
}

void TForm8::bindData()
{
    if (m_bound || !DM1)
        return;
    m_bound = true;
    DBEdit2->bind(DM1->DataSource1, QStringLiteral("SHPROJE"));
    DBEdit3->bind(DM1->DataSource1, QStringLiteral("NAME"));
    DBEdit4->bind(DM1->DataSource1, QStringLiteral("SHAHR"));
    for (pf::ui::DBEdit *e : {DBEdit2, DBEdit3, DBEdit4})
        e->setFieldReadOnly(true);
    De6->bind(DM1->DataSource3, QStringLiteral("Ertefa"));
    De7->bind(DM1->DataSource3, QStringLiteral("Z_ertefa"));
    De4->bind(DM1->DataSource3, QStringLiteral("Sf"));
    DBGrid1->setDataSource(DM1->DataSource3);
    DBGrid1->setColumns({{QStringLiteral("NameT"), QStringLiteral("شماره طبقه"), 150},
                         {QStringLiteral("Shvahed"), QStringLiteral("شماره واحد"), 120},
                         {QStringLiteral("Ertefa"), QStringLiteral("ارتفاع طبقه"), 120},
                         {QStringLiteral("Z_ertefa"), QStringLiteral("ضريب ارتفاع"), 120},
                         {QStringLiteral("Sf"), QStringLiteral("ضريب اطمينان"), 120}});
}

void TForm8::showEvent(QShowEvent *e)
{
    QDialog::showEvent(e);
    FormActivate();
}

void TForm8::FormActivate()
{
    bindData();
    try {
        if (!DM1->Table3->active())
            DM1->Table3->open();
    } catch (const DbError &err) {
        pf::ui::showMessage(err.message(), this);
    }
    DBGrid1->setFocus();
}

void TForm8::setBrowse()
{
    m_entry = false;
    Panel3->hide();
    Panel4->setEnabled(true);
    for (pf::ui::ClickLabel *l : {Label16, Label17, Label21, Label23, Label22})
        l->setEnabled(true);
    Label19->setEnabled(false);
    Label20->setEnabled(false);
}

void TForm8::setEntry()
{
    m_entry = true;
    Panel4->setEnabled(false);
    Panel3->show();
    for (pf::ui::ClickLabel *l : {Label16, Label17, Label21, Label23, Label22})
        l->setEnabled(false);
    Label19->setEnabled(true);
    Label20->setEnabled(true);
}

void TForm8::Label16Click()
{
    bindData();
    if (m_entry)
        return;
    pf::db::Table *t1 = DM1->Table1, *t3 = DM1->Table3;
    // Rows belong to a project: without one there is nothing to add to.
    if (!t1->active() || t1->isEmpty())
        return;
    try {
        if (!t3->active())
            t3->open();
        t3->append();
        // The unit starts with the project's safety factor.
        const QString sf = t1->fieldByName(QStringLiteral("Sf")).asString();
        double d = 0;
        if (pf::strToFloat(sf, &d))
            t3->fieldByName(QStringLiteral("Sf")).setAsFloat(d);
    } catch (const DbError &err) {
        pf::ui::showMessage(err.message(), this);
        return;
    }
    setEntry();
    AddingUnit = true;
    Edit1->clear();
    DE2->clear();
    Edit1->setFocus();
}

void TForm8::Label17Click()
{
    bindData();
    if (m_entry)
        return;
    pf::db::Table *t3 = DM1->Table3;
    if (!t3->active() || t3->isEmpty())
        return;
    try {
        m_editedNo = t3->fieldByName(QStringLiteral("No")).asInteger();
        m_oldFloor = t3->fieldByName(QStringLiteral("Tabage")).asFloat();
        m_oldUnit = t3->fieldByName(QStringLiteral("Shvahed")).asFloat();
        m_oldShskNull = t3->fieldByName(QStringLiteral("Shsk")).isNull();
        m_oldShsk = t3->fieldByName(QStringLiteral("Shsk")).asFloat();
        setEntry();
        AddingUnit = false;
        DE2->setText(t3->fieldByName(QStringLiteral("Shvahed")).asString());
        Edit1->setText(floorText(int(pf::roundToInt(m_oldFloor))));
        EditedFloorText = Edit1->text();
        EditedUnitText = DE2->text();
        Edit1->setFocus();
        t3->edit();
    } catch (const DbError &err) {
        pf::ui::showMessage(err.message(), this);
    }
}

void TForm8::Bt3Click()
{
    bindData();
    if (!m_entry)
        return;
    auto refuse = [this](QWidget *input, const QString &text) {
        pf::ui::showMessage(text, this);
        if (input)
            input->setFocus();
    };
    int unit = 0, sf = 0, heightFactor = 0;
    if (!wholeOf(DE2->text(), &unit))
        return refuse(DE2, integerError(QLatin1Char('0') + DE2->text()));
    if (unit < 1)
        return refuse(nullptr, QStringLiteral("شماره واحد را وارد كنيد"));
    if (!wholeOf(De4->text(), &sf))
        return refuse(De4, integerError(QLatin1Char('0') + De4->text()));
    if (sf < 0 || sf > 100)
        return refuse(nullptr, QStringLiteral("ضريب اطمينان را تصحيح كنيد"));
    if (!wholeOf(De7->text(), &heightFactor))
        return refuse(De7, integerError(QLatin1Char('0') + De7->text()));
    if (heightFactor < 0 || heightFactor > 100)
        return refuse(nullptr, QStringLiteral("ضريب ارتفاع را تصحيح كنيد"));
    if (!numberText(De6->text()))
        return refuse(De6, floatError(De6->text()));
    try {
        pf::db::Table *t6 = DM1->Table6;
        t6->setIndexName(QStringLiteral("IPSTV"));
        if (!t6->active())
            t6->open();
        QString text = Edit1->text();
        int floor = 0;
        if (!StrToIntmenha(text, floor)) {
            QString rest = text;
            const int minus = rest.indexOf(QLatin1Char('-'));
            if (minus >= 0)
                rest.remove(minus, 1);
            return refuse(Edit1, integerError(QLatin1Char('0') + rest));
        }
        Edit1->setText(text);
        const double project = DM1->Table1->fieldByName(QStringLiteral("SHPROJE")).asFloat();
        const bool unchanged = !AddingUnit && Edit1->text() == EditedFloorText && DE2->text() == EditedUnitText;
        if (!unchanged && t6->findKey({project, project, double(floor), double(unit)})) {
            // The row being edited is no duplicate of itself.
            const bool self = !AddingUnit && t6->fieldByName(QStringLiteral("No")).asInteger() == m_editedNo;
            if (!self)
                return refuse(nullptr, QStringLiteral("ركورد تكراري است"));
        }
        writeRow(project, floor, unit);
    } catch (const DbError &err) {
        pf::ui::showMessage(err.message(), this);
    }
}

void TForm8::writeRow(double project, int floor, int unit)
{
    pf::db::Table *t3 = DM1->Table3;
    pf::db::Database *db = DM1->Database1;
    // A saved row whose floor or unit number changes takes its spaces and
    // surfaces along, in the same transaction as the row itself.
    const bool moved = !AddingUnit && (double(floor) != m_oldFloor || double(unit) != m_oldUnit);
    QString spaces, surfaces;
    if (moved) {
        spaces = db->attachTable(QStringLiteral("bankfz.DB"));
        surfaces = db->attachTable(QStringLiteral("bankjd.DB"));
    }
    const double rowProject = t3->fieldByName(QStringLiteral("Shproje")).asFloat();
    db->transaction([&] {
        if (moved) {
            const QVariant shsk = m_oldShskNull ? QVariant() : QVariant(m_oldShsk);
            for (const QString &table : {spaces, surfaces})
                db->exec(QStringLiteral("UPDATE %1 SET Tabage = ?, Shvahed = ? WHERE Shproje = ? AND Shsk IS ? "
                                        "AND Tabage = ? AND Shvahed = ?")
                             .arg(table),
                         {double(floor), double(unit), rowProject, shsk, m_oldFloor, m_oldUnit});
        }
        t3->fieldByName(QStringLiteral("Shsk")).setAsFloat(project);
        t3->fieldByName(QStringLiteral("Shvahed")).setAsFloat(unit);
        t3->fieldByName(QStringLiteral("Tabage")).setAsFloat(floor);
        t3->post();
    });
    t3->refresh();
    setBrowse();
    DBGrid1->setFocus();
}

void TForm8::Label20Click()
{
    bindData();
    // The row first: a half-typed number in a bound input goes with it
    // quietly when the panel hides.
    if (DM1->Table3->active())
        DM1->Table3->cancel();
    Panel7->hide();
    Panel3->hide();
    setBrowse();
    DBGrid1->setFocus();
}

void TForm8::Label21Click()
{
    bindData();
    Label20Click();
    try {
        if (!DM1->Table4->active())
            DM1->Table4->open();
    } catch (const DbError &err) {
        pf::ui::showMessage(err.message(), this);
        return;
    }
    pf::ui::showModal(Form9);
    // Back from the spaces page: this page is active again (unless the
    // whole chain was closed from the last page).
    if (isVisible())
        FormActivate();
}

void TForm8::Label23Click() { close(); }

void TForm8::Label22Click() { askExit(); }

void TForm8::Label38Click()
{
    Panel7->show();
    Panel7->raise();
    De7->setFocus();
}

void TForm8::HideGuide()
{
    Panel7->hide();
    De7->setFocus();
}

void TForm8::FormClose()
{
    if (!DM1)
        return;
    Label20Click();
    DM1->Table3->close();
}

void TForm8::done(int r)
{
    FormClose();
    QDialog::done(r);
}

bool TForm8::FormKeyDown(QKeyEvent *key)
{
    switch (key->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
        if (Panel4->isEnabled()) {
            Label17Click();
            return true;
        }
        return false;
    case Qt::Key_Insert:
        if (Label17->isEnabled())
            Label16Click();
        return true;
    case Qt::Key_F2:
        if (Label19->isEnabled())
            Bt3Click();
        return true;
    case Qt::Key_F3:
        if (Label21->isEnabled())
            Label21Click();
        return true;
    case Qt::Key_F4:
        if (Label23->isEnabled())
            Label23Click();
        return true;
    case Qt::Key_Escape:
        if (!Panel7->isHidden())
            HideGuide();
        else if (Label22->isEnabled())
            Label22Click();
        else
            Label20Click();
        return true;
    case Qt::Key_F6:
        if (focusWidget() == De7) {
            Label38Click();
            return true;
        }
        return false;
    case Qt::Key_F1:
        showUserGuide();
        return true;
    case Qt::Key_F10:
        showGlossary();
        return true;
    case Qt::Key_F11:
        showUnitTable();
        return true;
    case Qt::Key_F12:
        runCalculator();
        return true;
    default:
        return false;
    }
}
