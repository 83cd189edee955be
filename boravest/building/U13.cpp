#include "boravest/building/U13.h"

#include "boravest/building/PersianWords.h"
#include "boravest/sizing/PlanRotation.h"
#include "boravest/building/RepUnit2.h"
#include "boravest/building/U2.h"
#include "boravest/building/UValue.h"
#include "boravest/data/ProgramState.h"
#include "boravest/data/UnitDm.h"
#include "platform/common/Numbers.h"
#include "platform/report/Preview.h"
#include "platform/ui/ClickLabel.h"
#include "platform/ui/Colors.h"
#include "platform/ui/DbControls.h"
#include "platform/ui/Dialogs.h"
#include "platform/ui/Keys.h"

#include <QFileDialog>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPainterPath>
#include <QProgressBar>
#include <QRadioButton>
#include <QRegion>

#include <array>

TForm13 *Form13 = nullptr;

namespace {

// Where the logo sits on the title page; a larger picture is scaled down
// into it, keeping its proportions.
const QRectF kLogoBox(8, 4, 150, 100);

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

// The panel's window region: corners rounded by ellipses of 25 by 25
// pixels, from (2, 2) to (width - 4, height - 4).
QRegion roundedRegion(const QSize &size)
{
    QPainterPath path;
    path.addRoundedRect(QRectF(2, 2, size.width() - 6, size.height() - 6), 12.5, 12.5);
    return QRegion(path.toFillPolygon().toPolygon());
}

QString rotationNote(int choice)
{
    if (choice <= 0)
        return TReport2::rotationBase();
    return TReport2::rotationBase() +
           QStringLiteral(" (چرخش پلان درجهت عقربههاي ساعت%1درجه)").arg(45 * choice);
}

} // namespace

QRadioButton *TForm13::rotationButton(int i) const
{
    static QRadioButton *Ui::TForm13::*const buttons[] = {
        &Ui::TForm13::RadioButton1, &Ui::TForm13::RadioButton2, &Ui::TForm13::RadioButton3, &Ui::TForm13::RadioButton4,
        &Ui::TForm13::RadioButton5, &Ui::TForm13::RadioButton6, &Ui::TForm13::RadioButton7, &Ui::TForm13::RadioButton8};
    return i >= 0 && i < 8 ? this->*buttons[i] : nullptr;
}

TForm13::TForm13(QWidget *parent) : QDialog(parent)
{
    setupUi(this);
    setObjectName(QStringLiteral("Form13"));
    setLayoutDirection(Qt::RightToLeft);
    setWindowFlag(Qt::FramelessWindowHint, true);
    setFixedSize(size());


    DBGrid1->setSelectionBehavior(QAbstractItemView::SelectRows);
    DBGrid1->setEditTriggers(QAbstractItemView::NoEditTriggers);
    Gauge1->setRange(0, 100);
    Panel4->hide();
    Panel4->setStyleSheet(QStringLiteral("#Panel4 { background-color: rgb(255, 255, 225); "
                                         "border: 2px solid rgb(128, 128, 128); border-radius: 12px; }"));
    Panel4->setMask(roundedRegion(Panel4->size()));

    // Commands and their hover.
    connect(Label4, &pf::ui::ClickLabel::clicked, this, [this] { Label4Click(); });
    connect(Label5, &pf::ui::ClickLabel::clicked, this, [this] { Label5Click(); });
    connect(Label6, &pf::ui::ClickLabel::clicked, this, [this] { Label6Click(); });
    connect(Label7, &pf::ui::ClickLabel::clicked, this, [this] { Label7Click(); });
    connect(Label8, &pf::ui::ClickLabel::clicked, this, [this] { Label8Click(); });
    connect(Label9, &pf::ui::ClickLabel::clicked, this, [this] { Label9Click(); });
    connect(Label3, &pf::ui::ClickLabel::clicked, this, [this] { Label8Click(); });
    connect(Label10, &pf::ui::ClickLabel::clicked, this, [this] {
        if (Label5->isEnabled())
            Label5Click();
    });
    connect(Label14, &pf::ui::ClickLabel::clicked, this, [this] { Label14Click(); });
    m_hover = new pf::ui::HoverGroup({Label4, Label5, Label6, Label7, Label8, Label9},
                                     [] { return pf::ui::winColor(AreaColors[AreaG * 5 + RoleText]); }, this);
    connect(DBGrid1, &QAbstractItemView::doubleClicked, this, [this] {
        if (!m_details)
            Label4Click();
    });

    // Keys: the form first; Enter along the details; a rotation choice
    // goes back to the company.
    pf::ui::installKeyPreview(this, [this](QKeyEvent *k) { return FormKeyDown(k); });
    pf::ui::installEnterChain({DBEdit1, DBEdit2, DBEdit3, DBEdit4, DBEdit5, DBEdit6, Edit1, rotationButton(0)});
    for (int i = 0; i < 8; ++i) {
        QRadioButton *b = rotationButton(i);
        pf::ui::onEnter(b, [this] { DBEdit4->setFocus(); });
        b->installEventFilter(this);
    }

    bindData();
    setBrowse();
}

void TForm13::bindData()
{
    if (m_bound || !DM1)
        return;
    m_bound = true;
    DBGrid1->setDataSource(DM1->DataSource1);
    DBGrid1->setColumns(gridColumns());
    const struct {
        pf::ui::DBEdit *edit;
        const char *field;
    } bound[] = {{DBEdit1, "SHPROJE"}, {DBEdit2, "NAME"}, {DBEdit3, "SHAHR"},
                 {DBEdit4, "CoN"},     {DBEdit5, "EngN"}, {DBEdit6, "DATE1"}};
    for (const auto &b : bound)
        b.edit->bind(DM1->DataSource1, QString::fromLatin1(b.field));
}

// ---------------------------------------------------------------- words

void TForm13::ConvertTabage(int N, QString &Text) { Text = building::ConvertTabage(N); }

void TForm13::Masaleh(double Project, int Kind, QString &Text)
{
    Text.clear();
    pf::db::Table *t = DM1->Table13;
    t->close();
    t->setIndexName(QStringLiteral("IST"));
    t->open();
    try {
        if (t->findKey({Project, Kind})) {
            std::array<QString, building::kMaterialCount> thickness;
            for (int i = 0; i < building::kMaterialCount; ++i)
                thickness[i] = t->fieldByName(QStringLiteral("Typ%1").arg(i + 1)).asString();
            Text = building::Masaleh(thickness);
        }
    } catch (...) {
        t->close();
        throw;
    }
    t->close();
}

// ---------------------------------------------------------------- states

void TForm13::setBrowse()
{
    m_details = false;
    Panel3->hide();
    DBGrid1->setEnabled(true);
    for (QWidget *w : {Label4, Label8, Label9})
        w->setEnabled(true);
    for (QWidget *w : {Label5, Label6, Label7})
        w->setEnabled(false);
    m_hover->restoreAll();
    DBGrid1->setFocus();
}

void TForm13::setDetails()
{
    m_details = true;
    DBGrid1->setEnabled(false);
    Panel3->show();
    for (QWidget *w : {Label5, Label6, Label7})
        w->setEnabled(true);
    for (QWidget *w : {Label4, Label8, Label9})
        w->setEnabled(false);
    m_hover->restoreAll();
    DBEdit4->setFocus();
}

void TForm13::showEvent(QShowEvent *e)
{
    QDialog::showEvent(e);
    if (e->spontaneous())
        return;
    FormActivate();
}

void TForm13::changeEvent(QEvent *e)
{
    QDialog::changeEvent(e);
    if (e->type() == QEvent::ActivationChange && isActiveWindow() && isVisible())
        FormActivate();
}

void TForm13::FormActivate()
{
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

void TForm13::done(int r)
{
    FormClose();
    QDialog::done(r);
}

void TForm13::FormClose()
{
    if (!DM1)
        return;
    if (DM1->Table1->active())
        DM1->Table1->cancel();
    setBrowse();
    DM1->Table1->close();
}

// ---------------------------------------------------------------- commands

void TForm13::Label4Click()
{
    if (!Label4->isEnabled() || !DM1)
        return;
    FormActivate();
    pf::db::Table *t = DM1->Table1;
    if (!t->active() || t->isEmpty())
        return; // no project to choose
    try {
        t->edit();
    } catch (const pf::db::DbError &e) {
        pf::ui::showMessage(e.message(), this);
        return;
    }
    setDetails();
}

void TForm13::Label6Click()
{
    if (!Label6->isEnabled())
        return;
    try {
        DM1->Table1->post();
    } catch (const pf::db::DbError &e) {
        pf::ui::showMessage(e.message(), this);
        return;
    }
    setBrowse();
}

void TForm13::Label7Click()
{
    if (DM1 && DM1->Table1->active())
        DM1->Table1->cancel();
    for (pf::ui::DBEdit *e : {DBEdit1, DBEdit2, DBEdit3, DBEdit4, DBEdit5, DBEdit6})
        e->refresh();
    setBrowse();
}

void TForm13::Label8Click() { pf::ui::endModal(this, QDialog::Rejected); }

void TForm13::Label9Click()
{
    if (ProgramServices)
        ProgramServices->AskExit();
}

void TForm13::Label14Click()
{
    QFileDialog dialog(this, QString());
    dialog.setObjectName(QStringLiteral("OpenPictureDialog1"));
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setFileMode(QFileDialog::ExistingFile);
    dialog.setNameFilters(pf::ui::pictureFileFilters());
    if (pf::ui::showModal(&dialog) != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return;
    Edit1->setText(dialog.selectedFiles().first());
}

// ---------------------------------------------------------------- preview

void TForm13::setGauge(int value)
{
    Gauge1->setValue(value);
    Panel4->repaint();
}

void TForm13::Label5Click()
{
    if (!Label5->isEnabled() || !DM1 || !Report2)
        return;
    Label5->setEnabled(false);
    Panel4->raise();
    Panel4->show();
    setGauge(10);
    repaint();

    // The plan rotation first: kept as the choice for the next preview and
    // given to the report, whose surface fields are worked out with it when
    // its tables open.
    int choice = 0;
    for (int i = 0; i < 8; ++i)
        if (rotationButton(i)->isChecked()) {
            choice = i;
            break;
        }
    building::PlanRotation = building::planRotationForChoice(choice);
    Report2->QRLabelRotation->text = rotationNote(choice);

    QString error;
    try {
        const double project = DM1->Table1->fieldByName(QStringLiteral("SHPROJE")).asFloat();
        Report2->OpenProject(project, building::PlanRotation);
        setGauge(20);
        // A load that cannot be printed as a number stops the booklet with
        // the space it belongs to.
        const QString unprintable = Report2->UnprintableLoad();
        if (!unprintable.isEmpty()) {
            endPreviewWithError(unprintable);
            return;
        }
        if (!fillTitle(project, &error)) {
            endPreviewWithError(error);
            return;
        }
    } catch (const pf::db::DbError &e) {
        endPreviewWithError(e.message());
        return;
    }

    Panel4->hide();
    // The booklet's name, offered as the file of a print to a file.
    const QString name = Report2->QRLabelName->text.trimmed();
    Report2->QuickRep1.title = name.isEmpty() ? QStringLiteral("دفترچه محاسبات")
                                              : QStringLiteral("دفترچه محاسبات - ") + name;
    Label7Click(); // unsaved company, engineer and date were printed, not kept
    try {
        pf::report::preview(Report2->QuickRep1, this);
    } catch (const pf::db::DbError &e) {
        pf::ui::showMessage(e.message(), this);
    }
    Report2->CloseTables();
    Label5->setEnabled(true);
}

void TForm13::endPreviewWithError(const QString &message)
{
    // Nothing is previewed: the form goes back to browsing, the progress
    // panel goes away and the command can be used again.
    Panel4->hide();
    Report2->CloseTables();
    Label7Click();
    Label5->setEnabled(true);
    pf::ui::showMessage(message, this);
}

bool TForm13::fillTitle(double project, QString *error)
{
    TReport2 *r = Report2;

    // As the details show them, saved or not.
    const QString company = DBEdit4->text();
    const QString city = DBEdit3->text();
    r->QRLabelCompany->text = company;
    r->QRLabelLogoCompany->text = company;
    r->QRLabelCity->text = city;
    r->QRLabelEngineer->text = DBEdit5->text();
    r->QRLabelDate->text = DBEdit6->text();
    r->QRLabelNumber->text = DBEdit1->text();
    r->QRLabelName->text = DBEdit2->text();

    // The city's climate; an unknown city leaves these blank rather than
    // showing another project's.
    r->QRLabelHumidity->text.clear();
    r->QRLabelAltitude->text.clear();
    r->QRLabelDesignTemp->text.clear();
    pf::db::Table *cities = DM1->Table7;
    cities->open();
    setGauge(30);
    if (!city.isEmpty() && cities->locate(QStringLiteral("Name_shahr"), {city})) {
        r->QRLabelHumidity->text = cities->fieldByName(QStringLiteral("DarsadRotobat")).asString();
        r->QRLabelAltitude->text = building::signAfter(cities->fieldByName(QStringLiteral("Ertefa")).asFloat());
        r->QRLabelDesignTemp->text = building::signAfter(cities->fieldByName(QStringLiteral("Dama_Kd")).asFloat());
    }
    cities->close();
    setGauge(40);

    // Floors of the building: the distinct floor numbers of its rows (a
    // floor with several units is still one floor).
    pf::db::Query *q = DM1->Query2;
    q->close();
    q->sql().clear();
    q->sql() << QStringLiteral("select Count(distinct tabage)Cu from bankvh")
             << QStringLiteral("Where bankvh.shproje=:shproje");
    q->paramByName(QStringLiteral("shproje")).setAsFloat(project);
    q->open();
    QString floors;
    ConvertTabage(q->fieldByName(QStringLiteral("Cu")).asInteger(), floors);
    q->close();
    r->QRLabelFloors->text = floors;

    // The logo; without one the title page has none.
    r->QRImage1->picture = QImage();
    r->QRImage1->geometry = kLogoBox;
    if (!Edit1->text().isEmpty()) {
        if (!r->QRImage1->loadFromFile(Edit1->text(), error))
            return false;
        QImage &logo = r->QRImage1->picture;
        if (logo.width() > kLogoBox.width() || logo.height() > kLogoBox.height())
            logo = logo.scaled(kLogoBox.size().toSize(), Qt::KeepAspectRatio, Qt::SmoothTransformation);
        r->QRImage1->geometry = QRectF(kLogoBox.topLeft(), QSizeF(logo.size()));
    }

    // Materials: windows and doors by the preset type last chosen for them,
    // walls and roofs by their stored layers.
    for (pf::report::Label *l : r->MaterialValues)
        l->text.clear();
    setGauge(50);
    pf::db::Table *projects = DM1->Table1;
    const char *presets[4] = {"W_K", "W_D", "D_K", "D_D"};
    for (int i = 0; i < 4; ++i) {
        const int code = projects->fieldByName(QString::fromLatin1(presets[i])).asInteger();
        if (code > 0)
            r->MaterialValues[4 + i]->text = TForm2::KindCaption(code);
        if (i == 0)
            setGauge(60);
    }
    setGauge(70);
    for (int kind = 1; kind <= 4; ++kind) {
        Masaleh(project, kind, r->MaterialValues[kind - 1]->text);
        if (kind == 1)
            setGauge(80);
        else if (kind == 2)
            setGauge(90);
    }
    setGauge(100);
    return true;
}

// ---------------------------------------------------------------- keys

bool TForm13::FormKeyDown(QKeyEvent *key)
{
    switch (key->key()) {
    case Qt::Key_Escape:
        if (m_details)
            Label7Click();
        else
            Label9Click();
        return true;
    case Qt::Key_F4:
        if (!m_details) {
            Label8Click();
            return true;
        }
        return false;
    case Qt::Key_Return:
    case Qt::Key_Enter:
        if (!m_details && (focusWidget() == DBGrid1 || focusWidget() == nullptr)) {
            Label4Click();
            return true;
        }
        return false;
    case Qt::Key_F5:
        if (focusWidget() == Edit1) {
            Label14Click();
            return true;
        }
        return false;
    default:
        return false;
    }
}

bool TForm13::eventFilter(QObject *obj, QEvent *ev)
{
    if (ev->type() == QEvent::MouseButtonDblClick)
        for (int i = 0; i < 8; ++i)
            if (obj == rotationButton(i)) {
                DBEdit4->setFocus();
                return false;
            }
    return QDialog::eventFilter(obj, ev);
}
