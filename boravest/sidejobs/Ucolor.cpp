#include "boravest/sidejobs/Ucolor.h"

#include "ui_Ucolor.h"

#include "boravest/building/U10.h"
#include "boravest/building/U13.h"
#include "boravest/building/U2.h"
#include "boravest/building/U4.h"
#include "boravest/building/U8.h"
#include "boravest/building/U9.h"
#include "boravest/data/ProgramState.h"
#include "boravest/data/SchemeStore.h"
#include "boravest/data/UnitDm.h"
#include "boravest/eqbook/U23.h"
#include "boravest/equipment/Tajh1.h"
#include "boravest/equipment/U_15.h"
#include "boravest/help/U15.h"
#include "boravest/sidejobs/SchemeApply.h"
#include "boravest/sidejobs/U16.h"
#include "boravest/sidejobs/Ureport2.h"
#include "platform/ui/Colors.h"
#include "platform/ui/Dialogs.h"

#include <QColorDialog>
#include <QKeyEvent>
#include <QMouseEvent>

TFormColor *FormColor = nullptr;

std::function<std::optional<QColor>(const QColor &, QWidget *)> TFormColor::PickColor =
    [](const QColor &initial, QWidget *parent) -> std::optional<QColor> {
    const QColor c = QColorDialog::getColor(initial, parent);
    if (!c.isValid())
        return std::nullopt;
    return c;
};

namespace {
QColor entry(int i) { return pf::ui::winColor(AreaColors[i]); }

// The desktop colour the heading's yellow stands on (the classic desktop
// blue): around it the panel takes the area's window colour, on whose
// silver the yellow would read at 1.7 : 1 only; on this blue at 5 : 1.
const QColor kDesktop(58, 110, 165);
} // namespace

TFormColor::TFormColor(QWidget *parent) : QDialog(parent), ui(std::make_unique<Ui::TFormColor>())
{
    ui->setupUi(this);
    setObjectName(QStringLiteral("FormColor"));
    setLayoutDirection(Qt::RightToLeft);
    setWindowFlag(Qt::Tool);
    setFixedSize(444, 366);
    QFont heading = ui->Label10->font();
    heading.setFamily(QStringLiteral("Titr"));
    ui->Label10->setFont(heading);
    pf::ui::setTextColor(ui->Label10, Qt::yellow);
    pf::ui::setBackColor(ui->Label10, kDesktop);

    QRadioButton *radios[] = {ui->RadioButton1, ui->RadioButton2, ui->RadioButton3, ui->RadioButton4,
                              ui->RadioButton5};
    for (int n = 1; n <= 5; ++n)
        connect(radios[n - 1], &QRadioButton::clicked, this, [this, n] { RadioButtonClick(n); });
    for (QWidget *w : {ui->Panel3, ui->Panel10, ui->Panel4, ui->Panel8, ui->Panel5, ui->Panel9, ui->Panel12,
                       ui->Panel11, ui->Panel14, ui->Panel15})
        w->installEventFilter(this);
    connect(ui->Button8, &QPushButton::clicked, this, &TFormColor::Button8Click);
    connect(ui->Button9, &QPushButton::clicked, this, &TFormColor::Button9Click);
    connect(ui->Button13, &QPushButton::clicked, this, &TFormColor::Button13Click);
}

TFormColor::~TFormColor() = default;

void TFormColor::showEvent(QShowEvent *e)
{
    QDialog::showEvent(e);
    FormActivate();
}

void TFormColor::keyPressEvent(QKeyEvent *e)
{
    FormKeyPress(e->key());
    if (isVisible())
        QDialog::keyPressEvent(e);
}

bool TFormColor::eventFilter(QObject *o, QEvent *e)
{
    if (e->type() == QEvent::MouseButtonRelease) {
        const QString n = o->objectName();
        const struct {
            const char *a, *b;
            int role;
        } pickers[] = {{"Panel3", "Panel10", RoleWin},
                       {"Panel4", "Panel8", RoleBktext},
                       {"Panel5", "Panel9", RoleText},
                       {"Panel12", "Panel11", RoleMenu},
                       {"Panel14", "Panel15", RoleTextMenu}};
        for (const auto &p : pickers)
            if (n == QLatin1String(p.a) || n == QLatin1String(p.b)) {
                PickerClick(p.role);
                return true;
            }
    }
    return QDialog::eventFilter(o, e);
}

void TFormColor::FormActivate()
{
    ui->RadioButton1->setChecked(true);
    RadioButtonClick(1);
    ui->RadioButton1->setFocus();
}

int TFormColor::checkedArea() const
{
    const QRadioButton *radios[] = {ui->RadioButton1, ui->RadioButton2, ui->RadioButton3, ui->RadioButton4,
                                    ui->RadioButton5};
    for (int i = 0; i < 5; ++i)
        if (radios[i]->isChecked())
            return i;
    return AreaV;
}

void TFormColor::showArea(int area)
{
    const int b = area * 5;
    pf::ui::setBackColor(ui->Panel10, entry(b + RoleWin));
    pf::ui::setBackColor(ui->Panel8, entry(b + RoleBktext));
    pf::ui::setBackColor(ui->Panel9, entry(b + RoleText));
    pf::ui::setBackColor(ui->Panel11, entry(b + RoleMenu));
    pf::ui::setBackColor(ui->Panel15, entry(b + RoleTextMenu));
    for (QWidget *w : {ui->Panel1, ui->Panel17, ui->Panel18})
        pf::ui::setBackColor(w, entry(b + RoleWin));
    for (QWidget *w : {ui->Edit12, ui->Edit3, ui->Edit6, ui->Edit11}) {
        pf::ui::setBackColor(w, entry(b + RoleMenu));
        pf::ui::setTextColor(w, entry(b + RoleTextMenu));
    }
    for (QWidget *w : {ui->Edit1, ui->Edit2, ui->Edit4, ui->Edit5}) {
        pf::ui::setBackColor(w, entry(b + RoleBktext));
        pf::ui::setTextColor(w, entry(b + RoleText));
    }
    for (QWidget *w : {ui->Label1, ui->Label2, ui->Label4, ui->Label5})
        pf::ui::setTextColor(w, entry(b + RoleText));
    // The heading keeps its own yellow on the desktop colour.
    pf::ui::setTextColor(ui->Label10, Qt::yellow);
}

void TFormColor::RadioButtonClick(int n)
{
    QRadioButton *radios[] = {ui->RadioButton1, ui->RadioButton2, ui->RadioButton3, ui->RadioButton4,
                              ui->RadioButton5};
    QRadioButton *r = radios[n - 1];
    if (!r->isChecked())
        return;
    ui->Label10->setText(r->text());
    showArea(n - 1);
}

void TFormColor::PickerClick(int role)
{
    const int area = checkedArea();
    const int i = area * 5 + role;
    const std::optional<QColor> c = PickColor(entry(i), this);
    if (!c)
        return;
    AreaColors[i] = pf::ui::toWinColor(*c);
    showArea(area);
}

void TFormColor::Button8Click() { close(); }

void TFormColor::Button9Click()
{
    // Apply shows the stored scheme: picks not yet saved are dropped.
    pf::db::Session::addPassword(QString::fromLatin1(kTablePassword));
    bv::data::stores::ColorScheme stored;
    try {
        stored = bv::data::stores::loadColorScheme(*DM1->Database1);
    } catch (const pf::db::DbError &e) {
        pf::ui::showMessage(e.message(), this);
        return;
    }
    std::copy(stored.begin(), stored.end(), AreaColors);
    EamalColor();
}

void TFormColor::Button13Click()
{
    pf::db::Session::addPassword(QString::fromLatin1(kTablePassword));
    bv::data::stores::ColorScheme c{};
    std::copy(AreaColors, AreaColors + 25, c.begin());
    try {
        bv::data::stores::saveColorScheme(*DM1->Database1, c);
    } catch (const pf::db::DbError &e) {
        pf::ui::showMessage(e.message(), this);
    }
}

void TFormColor::FormKeyPress(int key)
{
    if (key == Qt::Key_Escape)
        close();
}

void TFormColor::EamalColor()
{
    // By the globals' names: the rules do not depend on how a form names
    // itself.
    const struct {
        QWidget *form;
        const char *name;
    } forms[] = {{Form2, "Form2"},
                 {Form4, "Form4"},
                 {Form8, "Form8"},
                 {Form9, "Form9"},
                 {Form10, "Form10"},
                 {Form13, "Form13"},
                 {Form15, "Form15"},
                 {ProgramServices ? ProgramServices->DataFolderForm() : nullptr, "ModifyAliaz"},
                 {Form23, "Form23"},
                 {Form16, "Form16"},
                 {Form17, "Form17"},
                 {FormT1, "FormT1"},
                 {FormT2, "FormT2"}};
    for (const auto &f : forms)
        if (f.form)
            bv::sidejobs::paintForm(f.form, AreaColors, bv::sidejobs::colorRulesFor(QLatin1String(f.name)));
}
