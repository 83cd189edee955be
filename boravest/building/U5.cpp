#include "boravest/building/U5.h"

#include "boravest/building/U2.h"
#include "boravest/data/UnitDm.h"
#include "platform/common/Numbers.h"
#include "platform/ui/Dialogs.h"
#include "platform/ui/Keys.h"

#include <QComboBox>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPushButton>

TForm5 *Form5 = nullptr;

namespace {

const QString kOnlyNumber = QStringLiteral(" عدد معتبر است");
// A climate value takes six characters ("15000-", "38.125").
constexpr int kClimateChars = 6;

QString cityName()
{
    return Form2 && Form2->de4 ? Form2->de4->currentText() : QString();
}

} // namespace

TForm5::TForm5(QWidget *parent) : QDialog(parent)
{
    setupUi(this);
    setObjectName(QStringLiteral("Form5"));
    setLayoutDirection(Qt::RightToLeft);
    setFixedSize(size());

    for (QLineEdit *e : {ArzGog, DarsadRoto, MoadelYakh})
        pf::ui::installDecimalFilter(e, kOnlyNumber, kClimateChars);
    for (QLineEdit *e : {Hi_, To_})
        pf::ui::installSignedFilter(e, kOnlyNumber, true, kClimateChars);
    for (QLineEdit *e : {Edit1, ArzGog, Hi_, To_, DarsadRoto, MoadelYakh})
        e->installEventFilter(this);
    connect(Button1, &QPushButton::clicked, this, [this] { Button1Click(); });
    connect(Button2, &QPushButton::clicked, this, [this] { Button2Click(); });
}

QString TForm5::Convert_Hi(const QString &text) { return signToFront(text); }

QString TForm5::Convert_To(const QString &text) { return signToFront(text); }

QString TForm5::signToFront(const QString &text)
{
    if (!text.contains(QLatin1Char('-')))
        return text;
    QString t = text;
    t.remove(QLatin1Char('-'));
    return QLatin1Char('-') + t;
}

void TForm5::showEvent(QShowEvent *e)
{
    QDialog::showEvent(e);
    if (!e->spontaneous())
        FormActivate();
}

void TForm5::FormActivate()
{
    Edit1->setText(cityName());
    bool found = false;
    try {
        DM1->Table7->open();
        found = !Edit1->text().isEmpty() && DM1->Table7->locate(QStringLiteral("Name_shahr"), {Edit1->text()});
        if (found) {
            pf::db::Table *t = DM1->Table7;
            Hi_->setText(TForm2::signToEnd(t->fieldByName(QStringLiteral("Ertefa")).asString()));
            To_->setText(TForm2::signToEnd(t->fieldByName(QStringLiteral("Dama_kd")).asString()));
            ArzGog->setText(t->fieldByName(QStringLiteral("ArzGografi")).asString());
            DarsadRoto->setText(t->fieldByName(QStringLiteral("DarsadRotobat")).asString());
            MoadelYakh->setText(t->fieldByName(QStringLiteral("MoadelYakbandan")).asString());
        }
    } catch (const pf::db::DbError &e) {
        pf::ui::showMessage(e.message(), this);
    }
    if (!found)
        for (QLineEdit *e : {ArzGog, Hi_, To_, DarsadRoto, MoadelYakh})
            e->clear();
    ArzGog->setFocus();
}

void TForm5::Button1Click()
{
    // Every input is checked before anything is written, so a refused save
    // leaves no half-written city behind.
    const QString name = Edit1->text();
    const QString altitude = Convert_Hi(Hi_->text());
    const QString outdoor = Convert_To(To_->text());
    const QString latitude = ArzGog->text();
    const QString humidity = DarsadRoto->text();
    const QString frost = MoadelYakh->text();
    for (const QString *t : {&name, &altitude, &outdoor, &latitude, &humidity, &frost})
        if (t->trimmed().isEmpty()) {
            pf::ui::showMessage(QStringLiteral("داده هاي مربوط به شهر مورد نظر را كامل وارد كنيد"), this);
            return;
        }
    const struct {
        const QString *text;
        QLineEdit *input;
    } numbers[] = {{&altitude, Hi_}, {&outdoor, To_}, {&latitude, ArzGog}, {&humidity, DarsadRoto}, {&frost, MoadelYakh}};
    for (const auto &n : numbers) {
        double v = 0;
        if (!pf::strToFloat(*n.text, &v)) {
            pf::ui::showMessage(kOnlyNumber, this);
            n.input->setFocus();
            return;
        }
    }

    pf::db::Table *t = DM1->Table7;
    bool newCity = false;
    QString storedAltitude, storedOutdoor;
    try {
        t->open();
        if (t->locate(QStringLiteral("Name_shahr"), {cityName()})) {
            t->edit();
        } else {
            t->insert();
            newCity = true;
        }
        t->fieldByName(QStringLiteral("Name_shahr")).setAsString(name);
        t->fieldByName(QStringLiteral("Ertefa")).setAsString(altitude);
        t->fieldByName(QStringLiteral("Dama_kd")).setAsString(outdoor);
        t->fieldByName(QStringLiteral("ArzGografi")).setAsString(latitude);
        t->fieldByName(QStringLiteral("DarsadRotobat")).setAsString(humidity);
        t->fieldByName(QStringLiteral("MoadelYakbandan")).setAsString(frost);
        t->post();
        storedAltitude = t->fieldByName(QStringLiteral("Ertefa")).asString();
        storedOutdoor = t->fieldByName(QStringLiteral("Dama_kd")).asString();
    } catch (const pf::db::DbError &e) {
        if (t->active())
            t->cancel();
        pf::ui::showMessage(e.message(), this);
        return;
    }
    if (Form2) {
        Form2->Edit1->setText(storedAltitude);
        Form2->Edit2->setText(storedOutdoor);
    }
    pf::ui::endModal(this, QDialog::Accepted);
    if (newCity && Form2 && Form2->de4->findText(name, Qt::MatchExactly) < 0) {
        // Adding an item must not replace what the city input shows.
        const QString shown = Form2->de4->currentText();
        Form2->de4->addItem(name);
        Form2->de4->setEditText(shown);
    }
}

void TForm5::Button2Click() { pf::ui::endModal(this, QDialog::Rejected); }

void TForm5::done(int r)
{
    // Nothing stays pending in the cities table once the form is gone.
    if (DM1 && DM1->Table7->active())
        DM1->Table7->cancel();
    QDialog::done(r);
}

bool TForm5::eventFilter(QObject *obj, QEvent *ev)
{
    if (ev->type() == QEvent::FocusOut && (obj == Hi_ || obj == To_)) {
        auto *e = static_cast<QLineEdit *>(obj);
        e->setText(TForm2::signToEnd(e->text()));
    } else if (ev->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent *>(ev)->key();
        QWidget *to = nullptr;
        if (key == Qt::Key_Down) {
            if (obj == ArzGog)
                to = Hi_;
            else if (obj == Hi_)
                to = To_;
            else if (obj == To_)
                to = DarsadRoto;
            else if (obj == DarsadRoto)
                to = MoadelYakh;
        } else if (key == Qt::Key_Up) {
            if (obj == ArzGog)
                to = Edit1;
            else if (obj == Hi_)
                to = ArzGog;
            else if (obj == To_)
                to = Hi_;
            else if (obj == DarsadRoto)
                to = To_;
        }
        if (to) {
            to->setFocus();
            return true;
        }
    }
    return QDialog::eventFilter(obj, ev);
}
