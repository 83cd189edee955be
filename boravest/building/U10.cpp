#include "boravest/building/U10.h"

#include "boravest/building/U2.h"
#include "boravest/building/U4.h"
#include "boravest/building/U8.h"
#include "boravest/building/U9.h"
#include "boravest/data/ProgramState.h"
#include "boravest/data/UnitDm.h"
#include "platform/common/Numbers.h"
#include "platform/ui/ClickLabel.h"
#include "platform/ui/DbControls.h"
#include "platform/ui/Dialogs.h"
#include "platform/ui/Keys.h"

#include <QComboBox>
#include <QKeyEvent>
#include <QLabel>
#include <QRadioButton>

TForm10 *Form10 = nullptr;

using pf::db::DbError;
using namespace createedit;

// ---------------------------------------------------------------- rules

namespace surfaces {

namespace {
const char *const kKindWords[] = {"ديوار", "پنجره", "درب", "سقف", "كف"};

// The first type of the range whose U text equals the text, as a choice
// from 0; the first choice when none does. (The corridor door of 0.45 comes
// after the 2-inch wooden door of the same value, so "0.45" preselects the
// wooden door.)
int choiceFor(const QString &text, int firstCode, int lastCode)
{
    for (int code = firstCode; code <= lastCode; ++code)
        if (text == building::openingUText(code))
            return code - firstCode;
    return 0;
}
} // namespace

QString kindWord(int kind)
{
    return kind >= 0 && kind <= 4 ? QString::fromUtf8(kKindWords[kind]) : QString();
}

Controls arrange(Lists &l)
{
    Controls c;
    // The temperature binding follows the lists as they stand, before any
    // unchosen list takes its default.
    c.temperatureOnTi = l.kind != 4 && l.state == 0;
    if (l.kind < 0 || l.kind > 4)
        l.kind = 0;
    switch (l.kind) {
    case 3: // roof
        c.stateShown = c.stateEnabled = true;
        if (l.state < 0)
            l.state = 0;
        c.directionShown = false;
        c.ceilingShown = true;
        c.directionCaption = QStringLiteral("نوع سقف خارجي");
        if (l.state == 1) {
            c.ceilingEnabled = true;
            if (l.ceiling < 0)
                l.ceiling = 0;
        } else {
            c.ceilingEnabled = false;
            l.ceiling = -1;
        }
        c.falseCeilingShown = l.state == 1 && l.ceiling == 1;
        break;
    case 4: // floor
        c.stateShown = c.stateEnabled = false;
        c.floorStateShown = true;
        if (l.floorState < 0)
            l.floorState = 1;
        c.directionShown = c.directionEnabled = false;
        c.ceilingShown = c.ceilingEnabled = false;
        c.directionCaption.clear();
        c.uShown = l.floorState != 0;
        c.perimeterShown = l.floorState == 0;
        break;
    default: // wall, window, door
        c.stateShown = c.stateEnabled = true;
        if (l.state < 0)
            l.state = 0;
        c.directionShown = c.directionEnabled = true;
        c.directionCaption = QStringLiteral("جهت جدار");
        break;
    }
    return c;
}

Preset preset(const Lists &l, const ProjectU &p)
{
    Preset r;
    const bool external = l.state == 1;
    switch (l.kind) {
    case 0:
        r.hasZ1 = true, r.Z_1 = external ? p.VAL_K : p.VAL_D;
        break;
    case 1:
        r.hasZ1 = true, r.Z_1 = external ? p.Win_K : p.Win_D;
        break;
    case 2:
        r.hasZ1 = true, r.Z_1 = external ? p.DOR_K : p.DOR_D;
        break;
    case 3:
        r.hasZ1 = true;
        if (!external) {
            r.Z_1 = p.Sakf_D;
        } else if (l.ceiling == 1) {
            r.Z_1 = p.Sakf_D;
            r.hasZ2 = true, r.Z_2 = p.Sakf_K;
        } else {
            r.Z_1 = p.Sakf_K;
        }
        break;
    case 4:
        // A floor on the ground uses no U-value.
        if (l.floorState == 1)
            r.hasZ1 = true, r.Z_1 = p.Sakf_K;
        break;
    default:
        break;
    }
    return r;
}

Codes codes(const Lists &l, const Controls &shown)
{
    Codes c;
    c.kind = l.kind;
    c.word = kindWord(l.kind);
    if (shown.stateEnabled) {
        c.state = l.state;
        if (shown.directionShown)
            c.direction = shown.directionEnabled ? l.direction : -1;
        else
            c.direction = shown.ceilingEnabled ? l.ceiling : -1;
    } else {
        c.state = l.floorState;
        c.direction = -1;
    }
    return c;
}

LayersRequest layersRequest(const Lists &l)
{
    switch (l.kind) {
    case 0:
        if (l.state == 1)
            return {1, QStringLiteral("ديوار خارجي")};
        if (l.state == 0)
            return {2, QStringLiteral("ديوارداخلي")};
        break;
    case 3:
        if (l.state == 0)
            return {4, QStringLiteral("سقف داخلي")};
        if (l.state == 1 && l.ceiling == 1)
            return {4, QStringLiteral("(سقف خارجي (كاذب")};
        if (l.state == 1)
            return {3, QStringLiteral("(سقف خارجي (معمولي")};
        break;
    case 4:
        if (l.floorState == 1)
            return {5, QStringLiteral("كف منفصل از زمين")};
        break;
    default:
        break;
    }
    return {};
}

double windowU(int choice)
{
    return choice >= 0 && choice < kWindowChoices ? building::openingU(building::kFirstWindowType + choice) : 0;
}
double doorU(int choice)
{
    return choice >= 0 && choice < kDoorChoices ? building::openingU(building::kFirstDoorType + choice) : 0;
}
int windowChoiceFor(const QString &uText)
{
    return choiceFor(uText, building::kFirstWindowType, building::kLastWindowType);
}
int doorChoiceFor(const QString &uText) { return choiceFor(uText, building::kFirstDoorType, building::kLastDoorType); }

} // namespace surfaces

// ---------------------------------------------------------------- form

QRadioButton *TForm10::choiceButton(int i) const
{
    static QRadioButton *Ui::TForm10::*const buttons[] = {
        &Ui::TForm10::RadioButton1,  &Ui::TForm10::RadioButton2,  &Ui::TForm10::RadioButton3,
        &Ui::TForm10::RadioButton4,  &Ui::TForm10::RadioButton5,  &Ui::TForm10::RadioButton6,
        &Ui::TForm10::RadioButton7,  &Ui::TForm10::RadioButton8,  &Ui::TForm10::RadioButton9,
        &Ui::TForm10::RadioButton10, &Ui::TForm10::RadioButton11, &Ui::TForm10::RadioButton12,
        &Ui::TForm10::RadioButton13};
    static_assert(std::size(buttons) == surfaces::kWindowChoices + surfaces::kDoorChoices);
    return i >= 0 && i < int(std::size(buttons)) ? this->*buttons[i] : nullptr;
}

TForm10::TForm10(QWidget *parent) : Page(parent)
{
    setupUi(this);
    setObjectName(QStringLiteral("Form10"));
    setLayoutDirection(Qt::RightToLeft);
    setFixedSize(790, 560);


    m_uWidgets = {de3, Label15, Label28, Label29};
    m_falseCeilingWidgets = {de4, de5, de6, Label42, Label13, Label14, Label40, Label26, Label27};
    m_perimeterWidgets = {DE7, Label4, Label39};

    for (QComboBox *c : {ComboBox1, ComboBox2, ComboBox3, ComboBox4, ComboBox5})
        c->setCurrentIndex(-1);
    // The kind, state, ceiling-type and floor-state lists rearrange the
    // panel when the user changes them; the direction list does not.
    for (QComboBox *c : {ComboBox1, ComboBox2, ComboBox4, ComboBox5})
        connect(c, &QComboBox::currentIndexChanged, this, [this] {
            if (!m_settingLists)
                ListChanged();
        });

    // The last page of the chain: in the place of Next page, Main page.
    m_bar = new CommandBar(this, Panel3, Panel2,
                           {{Label16, [this] { Label16Click(); }},
                            {Label17, [this] { Label17Click(); }},
                            {Label19, [this] { Label19Click(); }},
                            {Label20, [this] { Label20Click(); }},
                            {Label21, [this] { Label21Click(); }},
                            {Label23, [this] { Label23Click(); }},
                            {Label22, [this] { Label22Click(); }}});
    Hover = m_bar->hover();
    connect(Label15, &pf::ui::ClickLabel::clicked, this, [this] {
        de3->setFocus();
        Label15Click();
    });
    connect(Label42, &pf::ui::ClickLabel::clicked, this, [this] {
        de6->setFocus();
        Label42Click();
    });
    connect(Label94, &pf::ui::ClickLabel::clicked, this, [this] { CloseTypePanel(); });
    connect(Label5, &pf::ui::ClickLabel::clicked, this, [this] { CloseTypePanel(); });
    for (int i = 0; i < surfaces::kWindowChoices + surfaces::kDoorChoices; ++i) {
        connect(choiceButton(i), &QRadioButton::clicked, this, [this, i] { ApplyChoice(i, false); });
        choiceButton(i)->installEventFilter(this);
    }

    // Numbers take digits and the point; the far side's temperature, which
    // may lie below 0 F, the minus sign too, shown after its digits as a
    // floor number's.
    // Areas and the perimeter take eight characters ("99999.99"), the
    // temperatures and U-values five.
    filterNumbers({DE1, de4, DE7}, pf::ui::NumberChar::Point, 8);
    filterNumbers({de2}, pf::ui::NumberChars(pf::ui::NumberChar::Point) | pf::ui::NumberChar::Minus, 5);
    filterNumbers({de3, de5, de6}, pf::ui::NumberChar::Point, 5);
    pf::ui::showMinusAfterDigits(de2);
    // Enter walks the inputs that are shown, round to the kind list.
    pf::ui::installEnterChain({ComboBox1, ComboBox5, ComboBox2, ComboBox4, ComboBox3, DE7, DE1, de2, de3, de4, de5, de6},
                              true);
    // The temperature typed while it shows the far side goes there at once.
    connect(de2, &QLineEdit::textEdited, this, [this](const QString &text) {
        if (!m_bar->entry() || m_tempField != QLatin1String("To_") || !DM1)
            return;
        try {
            DM1->Table5->fieldByName(QStringLiteral("To_")).setAsString(pf::minusToFront(text));
        } catch (const DbError &) {
            // Half-typed; the whole text is checked on save.
        }
    });

    pf::ui::installKeyPreview(this, [this](QKeyEvent *k) { return FormKeyDown(k); });
    setBrowse();
}

void TForm10::bindData()
{
    if (m_bound || !DM1)
        return;
    m_bound = true;
    bindHeader(DM1->DataSource4, {{DBEdit1, "Shproje"}, {DBEdit2, "Tabage"}, {DBEdit3, "Shvahed"}, {DBEdit4, "Faza"}});
    bindInputs(DM1->DataSource5,
               {{DE1, "Masa1"}, {de3, "Z_1"}, {de4, "Masa2"}, {de5, "Ti_"}, {de6, "Z_2"}, {DE7, "Masa2"}});
    DBGrid1->setDataSource(DM1->DataSource5);
    DBGrid1->setColumns({{QStringLiteral("Jedare"), QStringLiteral("جدار"), 90},
                         {QStringLiteral("Nnjedar"), QStringLiteral("حالت جدار"), 120},
                         {QStringLiteral("Ngjedar"), QStringLiteral("جهت (نوع سقف)"), 120},
                         {QStringLiteral("To_"), QStringLiteral("دماي خارج"), 90},
                         {QStringLiteral("Ti_"), QStringLiteral("دماي داخل"), 90},
                         {QStringLiteral("Mmasa"), QStringLiteral("مساحت"), 90},
                         {QStringLiteral("Z_z"), QStringLiteral("ضريب هدايت"), 100}});
}

void TForm10::showEvent(QShowEvent *e)
{
    QDialog::showEvent(e);
    FormShow();
}

void TForm10::FormShow()
{
    bindData();
    try {
        // Kind, state and direction order within the space.
        DM1->Table5->setIndexName(QStringLiteral("idxjd1"));
        if (!DM1->Table5->active())
            DM1->Table5->open();
    } catch (const DbError &err) {
        pf::ui::showMessage(err.message(), this);
    }
    setBrowse();
    DBGrid1->setFocus();
}

void TForm10::setBrowse()
{
    m_bar->setBrowse();
    Panel5->hide();
    Panel6->hide();
    Panel4->setEnabled(true);
    Panel2->setEnabled(true);
}

surfaces::Lists TForm10::lists() const
{
    surfaces::Lists l;
    l.kind = ComboBox1->currentIndex();
    l.state = ComboBox2->currentIndex();
    l.direction = ComboBox3->currentIndex();
    l.ceiling = ComboBox4->currentIndex();
    l.floorState = ComboBox5->currentIndex();
    return l;
}

void TForm10::setLists(const surfaces::Lists &l)
{
    m_settingLists = true;
    auto set = [](QComboBox *c, int i) { c->setCurrentIndex(i >= 0 && i < c->count() ? i : -1); };
    set(ComboBox1, l.kind);
    set(ComboBox2, l.state);
    set(ComboBox3, l.direction);
    set(ComboBox4, l.ceiling);
    set(ComboBox5, l.floorState);
    m_settingLists = false;
}

void TForm10::applyControls()
{
    const surfaces::Controls &c = m_controls;
    ComboBox2->setVisible(c.stateShown);
    ComboBox2->setEnabled(c.stateEnabled);
    ComboBox5->setVisible(c.floorStateShown);
    ComboBox3->setVisible(c.directionShown);
    ComboBox3->setEnabled(c.directionEnabled);
    ComboBox4->setVisible(c.ceilingShown);
    ComboBox4->setEnabled(c.ceilingEnabled);
    Label3->setText(c.directionCaption);
    for (QWidget *w : std::as_const(m_uWidgets))
        w->setVisible(c.uShown);
    for (QWidget *w : std::as_const(m_falseCeilingWidgets))
        w->setVisible(c.falseCeilingShown);
    for (QWidget *w : std::as_const(m_perimeterWidgets))
        w->setVisible(c.perimeterShown);
}

void TForm10::showTemperature()
{
    if (!DM1 || !DM1->Table5->active())
        return;
    de2->setText(pf::minusToEnd(DM1->Table5->fieldByName(m_tempField).asString()));
}

void TForm10::applyPreset()
{
    pf::db::Table *t1 = DM1->Table1;
    if (!t1->active() || t1->isEmpty())
        return;
    auto u = [t1](const char *name) { return t1->fieldByName(QString::fromLatin1(name)).asFloat(); };
    surfaces::ProjectU p;
    p.VAL_K = u("VAL_K");
    p.VAL_D = u("VAL_D");
    p.Win_K = u("Win_K");
    p.Win_D = u("Win_D");
    p.DOR_K = u("DOR_K");
    p.DOR_D = u("DOR_D");
    p.Sakf_K = u("Sakf_K");
    p.Sakf_D = u("Sakf_D");
    const surfaces::Preset r = surfaces::preset(lists(), p);
    pf::db::Table *t5 = DM1->Table5;
    if (r.hasZ1)
        t5->fieldByName(QStringLiteral("Z_1")).setAsFloat(r.Z_1);
    if (r.hasZ2)
        t5->fieldByName(QStringLiteral("Z_2")).setAsFloat(r.Z_2);
}

void TForm10::ListChanged()
{
    if (!m_bar->entry() || !DM1)
        return;
    surfaces::Lists l = lists();
    m_controls = surfaces::arrange(l);
    setLists(l);
    applyControls();
    // A new internal surface offers the space's inside temperature as the
    // temperature of its far side; a saved surface always shows the far
    // side's temperature it was saved with.
    m_tempField = (NewRecord && m_controls.temperatureOnTi) ? QStringLiteral("Ti_") : QStringLiteral("To_");
    showTemperature();
    if (NewRecord) {
        try {
            applyPreset();
        } catch (const DbError &err) {
            pf::ui::showMessage(err.message(), this);
        }
    }
}

void TForm10::Label16Click()
{
    bindData();
    if (m_bar->entry())
        return;
    pf::db::Table *t4 = DM1->Table4, *t5 = DM1->Table5;
    // A surface belongs to a space: without one there is nothing to add to.
    if (!t4->active() || t4->isEmpty())
        return;
    try {
        if (!t5->active())
            t5->open();
        setLists({});
        m_controls = surfaces::Controls{};
        m_controls.directionCaption = QStringLiteral("جهت جدار");
        applyControls();
        NewRecord = true;
        m_tempField = QStringLiteral("To_");
        m_bar->setEntry();
        t5->append();
        t5->fieldByName(QStringLiteral("To_"))
            .setAsFloat(double(pf::roundToInt(t4->fieldByName(QStringLiteral("To_")).asFloat())));
        t5->fieldByName(QStringLiteral("Ti_"))
            .setAsFloat(double(pf::roundToInt(t4->fieldByName(QStringLiteral("Ti_")).asFloat())));
        showTemperature();
    } catch (const DbError &err) {
        pf::ui::showMessage(err.message(), this);
        Label20Click();
        return;
    }
    ComboBox1->setFocus();
}

void TForm10::Label17Click()
{
    bindData();
    if (m_bar->entry())
        return;
    pf::db::Table *t5 = DM1->Table5;
    if (!t5->active() || t5->isEmpty())
        return;
    try {
        NewRecord = false;
        m_bar->setEntry();
        t5->edit();
        StartKind = int(pf::roundToInt(t5->fieldByName(QStringLiteral("Id_jedar")).asFloat()));
        StartState = t5->fieldByName(QStringLiteral("Id_njedar")).asInteger();
        StartDirection = t5->fieldByName(QStringLiteral("Id_gjedar")).asInteger();
        surfaces::Lists l;
        l.kind = StartKind;
        if (StartKind == 4)
            l.floorState = StartState;
        else
            l.state = StartState;
        if (StartKind == 3)
            l.ceiling = StartDirection;
        else if (StartKind >= 0 && StartKind < 3)
            l.direction = StartDirection;
        setLists(l);
        ListChanged();
    } catch (const DbError &err) {
        pf::ui::showMessage(err.message(), this);
    }
    ComboBox1->setFocus();
}

void TForm10::Label19Click()
{
    bindData();
    if (!m_bar->entry() || typePanelShown())
        return;
    // No box keeps an older value behind a text that is no number.
    if (!pf::ui::boxesHoldTheirNumbers(Panel2))
        return;
    // Every number must convert before the row is written.
    if (!numbersConvert(this, {DE1, de2, de3, de4, de5, de6, DE7}))
        return;
    const surfaces::Codes c = surfaces::codes(lists(), m_controls);
    pf::db::Table *t10 = DM1->Table10, *t4 = DM1->Table4;
    try {
        t10->setIndexName(QStringLiteral("idxjd1"));
        if (!t10->active())
            t10->open();
        else
            t10->refresh();
        const bool unchanged =
            !NewRecord && c.kind == StartKind && c.state == StartState && c.direction == StartDirection;
        if (!unchanged) {
            const double project = double(pf::roundToInt(t4->fieldByName(QStringLiteral("Shproje")).asFloat()));
            const double floor = double(pf::roundToInt(t4->fieldByName(QStringLiteral("Tabage")).asFloat()));
            const double unit = double(pf::roundToInt(t4->fieldByName(QStringLiteral("Shvahed")).asFloat()));
            const double code = t4->fieldByName(QStringLiteral("Codefaza")).asFloat();
            if (t10->findKey({project, project, floor, unit, code, double(c.kind), double(c.state), double(c.direction)})) {
                t10->close();
                pf::ui::showMessage(QStringLiteral("جدار انتخاب شده تكراري است "), this);
                return;
            }
        }
        t10->close();
        writeRow(c);
    } catch (const DbError &err) {
        t10->close();
        pf::ui::showMessage(err.message(), this);
    }
}

void TForm10::writeRow(const surfaces::Codes &c)
{
    pf::db::Table *t5 = DM1->Table5;
    t5->fieldByName(QStringLiteral("Id_jedar")).setAsFloat(c.kind);
    t5->fieldByName(QStringLiteral("Id_njedar")).setAsInteger(c.state);
    t5->fieldByName(QStringLiteral("Id_gjedar")).setAsInteger(c.direction);
    t5->fieldByName(QStringLiteral("Jedare")).setAsString(c.word);
    // Whatever the temperature input holds is the far side's temperature.
    t5->fieldByName(QStringLiteral("To_")).setAsString(pf::ui::numberText(de2));
    t5->post();
    t5->refresh();
    m_tempField = QStringLiteral("To_");
    setBrowse();
    DBGrid1->setFocus();
}

void TForm10::Label20Click()
{
    bindData();
    if (DM1->Table5->active())
        DM1->Table5->cancel();
    m_tempField = QStringLiteral("To_");
    setBrowse();
    DBGrid1->setFocus();
}

void TForm10::Label23Click() { close(); }

void TForm10::Label21Click()
{
    // Back to the main window: the surfaces, spaces, floors and general
    // data pages all close.
    close();
    for (QDialog *page : {static_cast<QDialog *>(Form9), static_cast<QDialog *>(Form8), static_cast<QDialog *>(Form2)})
        if (page)
            page->close();
}

void TForm10::Label22Click() { askExit(); }

void TForm10::Label15Click()
{
    if (!m_bar->entry() || typePanelShown() || !m_controls.uShown)
        return;
    const surfaces::Lists l = lists();
    if (l.kind == 1 || l.kind == 2) {
        OpenTypePanel(l.kind == 2);
        return;
    }
    const surfaces::LayersRequest r = surfaces::layersRequest(l);
    if (r.kind == 0)
        return;
    askLayers(r.kind, r.heading, QStringLiteral("de3"), QStringLiteral("Z_1"));
}

void TForm10::Label42Click()
{
    if (!m_bar->entry() || typePanelShown() || !m_controls.falseCeilingShown)
        return;
    // The false ceiling is worked out as an external roof; the dialog keeps
    // the heading it had.
    askLayers(3, QString(), QStringLiteral("de6"), QStringLiteral("Z_2"));
}

void TForm10::askLayers(int kind, const QString &heading, const QString &target, const QString &field)
{
    if (!Form4)
        return;
    UValueRequest.CallerName = QStringLiteral("Form10");
    UValueRequest.TargetName = target;
    UValueRequest.Kind = int8_t(kind);
    // Only an answer given now counts: a dialog closed by its window's close
    // box leaves no key.
    UValueRequest.Key = 0;
    if (!heading.isEmpty() && Form4->Label23)
        Form4->Label23->setText(heading);
    pf::ui::showModal(Form4);
    if (UValueRequest.Key != building::kAnswerEnter || !m_bar->entry())
        return;
    try {
        DM1->Table5->fieldByName(field).setAsFloat(UValueRequest.U);
    } catch (const DbError &err) {
        pf::ui::showMessage(err.message(), this);
    }
    (field == QLatin1String("Z_2") ? static_cast<QWidget *>(de6) : static_cast<QWidget *>(de3))->setFocus();
}

bool TForm10::typePanelShown() const { return !Panel5->isHidden() || !Panel6->isHidden(); }

void TForm10::OpenTypePanel(bool door)
{
    m_doorPanel = door;
    QFrame *panel = door ? Panel6 : Panel5;
    const int first = door ? surfaces::kWindowChoices : 0;
    const int count = door ? surfaces::kDoorChoices : surfaces::kWindowChoices;
    const int chosen = first + (door ? surfaces::doorChoiceFor(de3->text()) : surfaces::windowChoiceFor(de3->text()));
    Panel2->setEnabled(false);
    Panel4->setEnabled(false);
    for (int i = first; i < first + count; ++i) {
        choiceButton(i)->setAutoExclusive(false);
        choiceButton(i)->setChecked(i == chosen);
        choiceButton(i)->setAutoExclusive(true);
    }
    panel->show();
    panel->raise();
    choiceButton(chosen)->setFocus();
}

void TForm10::ApplyChoice(int choice, bool close)
{
    if (!m_bar->entry() || choice < 0)
        return;
    const double u = choice < surfaces::kWindowChoices ? surfaces::windowU(choice)
                                                        : surfaces::doorU(choice - surfaces::kWindowChoices);
    try {
        DM1->Table5->fieldByName(QStringLiteral("Z_1")).setAsFloat(u);
    } catch (const DbError &err) {
        pf::ui::showMessage(err.message(), this);
    }
    if (close)
        CloseTypePanel();
}

void TForm10::CloseTypePanel()
{
    Panel5->hide();
    Panel6->hide();
    Panel2->setEnabled(true);
    Panel4->setEnabled(true);
    de3->setFocus();
}

int TForm10::choiceOf(QObject *button) const
{
    for (int i = 0; i < surfaces::kWindowChoices + surfaces::kDoorChoices; ++i)
        if (choiceButton(i) == button)
            return i;
    return -1;
}

bool TForm10::eventFilter(QObject *obj, QEvent *ev)
{
    if (ev->type() == QEvent::MouseButtonDblClick) {
        const int i = choiceOf(obj);
        if (i >= 0) {
            ApplyChoice(i, true);
            return true;
        }
    }
    return QDialog::eventFilter(obj, ev);
}

QList<pf::db::Table *> TForm10::pageTables() const { return {DM1->Table5}; }


bool TForm10::FormKeyDown(QKeyEvent *key)
{
    switch (key->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
        if (typePanelShown()) {
            const int i = choiceOf(focusWidget());
            if (i >= 0)
                ApplyChoice(i, true);
            return true;
        }
        break;
    case Qt::Key_Escape:
        if (typePanelShown()) {
            CloseTypePanel();
            return true;
        }
        break;
    case Qt::Key_F5:
        if (focusWidget() == de3) {
            Label15Click();
            return true;
        }
        if (focusWidget() == de6) {
            Label42Click();
            return true;
        }
        return false;
    default:
        break;
    }
    return m_bar->keyDown(key);
}
