#include "boravest/building/U4.h"

#include "boravest/building/U2.h"
#include "boravest/data/ProgramState.h"
#include "boravest/data/UnitDm.h"
#include "platform/common/Numbers.h"
#include "platform/ui/Dialogs.h"
#include "platform/ui/Keys.h"

#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>

TForm4 *Form4 = nullptr;

namespace {

const QString kOnlyNumber = QStringLiteral(" عدد معتبر است");

bool calledFromGeneralData()
{
    return UValueRequest.CallerName == QLatin1String("Form2") && Form2;
}

QString layerField(int n) { return QStringLiteral("Typ%1").arg(n); }

} // namespace

QLineEdit *TForm4::Edit(int n) const
{
    static QLineEdit *Ui::TForm4::*const edits[] = {
        &Ui::TForm4::Edit1,
        &Ui::TForm4::Edit2,
        &Ui::TForm4::Edit3,
        &Ui::TForm4::Edit4,
        &Ui::TForm4::Edit5,
        &Ui::TForm4::Edit6,
        &Ui::TForm4::Edit7,
        &Ui::TForm4::Edit8,
        &Ui::TForm4::Edit9,
        &Ui::TForm4::Edit10,
        &Ui::TForm4::Edit11,
        &Ui::TForm4::Edit12,
        &Ui::TForm4::Edit13,
        &Ui::TForm4::Edit14,
        &Ui::TForm4::Edit15,
        &Ui::TForm4::Edit16,
        &Ui::TForm4::Edit17,
        &Ui::TForm4::Edit18,
        &Ui::TForm4::Edit19,
        &Ui::TForm4::Edit20,
        &Ui::TForm4::Edit21,
        &Ui::TForm4::Edit22,
        &Ui::TForm4::Edit23,
        &Ui::TForm4::Edit24,
        &Ui::TForm4::Edit25,
        &Ui::TForm4::Edit26,
        &Ui::TForm4::Edit27,
        &Ui::TForm4::Edit28};
    static_assert(std::size(edits) == building::kMaterialCount);
    return n >= 1 && n <= building::kMaterialCount ? this->*edits[n - 1] : nullptr;
}

TForm4::TForm4(QWidget *parent) : QDialog(parent)
{
    setupUi(this);
    setObjectName(QStringLiteral("Form4"));
    setLayoutDirection(Qt::RightToLeft);
    setFixedSize(size());
    for (int n = 1; n <= building::kMaterialCount; ++n) {
        QLineEdit *e = Edit(n);
        pf::ui::installDecimalFilter(e, kOnlyNumber, 6); // inches, "12.125"
        e->installEventFilter(this); // double click
    }
    pf::ui::installKeyPreview(this, [this](QKeyEvent *k) { return FormKeyPress(k); });
}

void TForm4::showEvent(QShowEvent *e)
{
    QDialog::showEvent(e);
    if (!e->spontaneous())
        FormActivate();
}

void TForm4::FormActivate()
{
    // Until Enter answers, the caller is told nothing was computed, so a
    // dialog closed by its close box never hands back an old U.
    UValueRequest.Key = building::kAnswerEsc;
    m_accepting = false;
    QStringList texts;
    if (calledFromGeneralData()) {
        const int kind = UValueRequest.Kind;
        if (Form2->HoldsLayers()) {
            texts = Form2->HeldLayers(kind);
        } else {
            try {
                LoadLayers(Form2->LayersProject(), kind, &texts);
            } catch (const pf::db::DbError &e) {
                pf::ui::showMessage(e.message(), this);
            }
        }
    }
    setThicknessTexts(texts);
    Edit(1)->setFocus();
}

QStringList TForm4::thicknessTexts() const
{
    QStringList t;
    for (int n = 1; n <= building::kMaterialCount; ++n)
        t << Edit(n)->text();
    return t;
}

void TForm4::setThicknessTexts(const QStringList &texts)
{
    for (int i = 0; i < building::kMaterialCount; ++i)
        Edit(i + 1)->setText(texts.value(i));
}

bool TForm4::CalcZaribHedayat(double *u, QString *badText) const
{
    std::array<QString, building::kMaterialCount> texts;
    for (int i = 0; i < building::kMaterialCount; ++i) {
        texts[i] = Edit(i + 1)->text();
        double dummy = 0;
        if (!building::thicknessFromText(texts[i], &dummy)) {
            if (badText)
                *badText = texts[i];
            return false;
        }
    }
    return building::CalcZaribHedayat(texts, UValueRequest.Kind, u);
}

void TForm4::AcceptLayers()
{
    double u = 0;
    if (!CalcZaribHedayat(&u, nullptr)) {
        pf::ui::showMessage(kOnlyNumber, this);
        return;
    }
    if (calledFromGeneralData()) {
        const int kind = UValueRequest.Kind;
        const QStringList texts = thicknessTexts();
        if (Form2->HoldsLayers()) {
            // A project that is not saved yet has no number: its layers
            // wait for Save, which stores them under the saved number.
            Form2->HoldLayers(kind, texts);
        } else {
            try {
                StoreLayers(Form2->LayersProject(), kind, texts);
            } catch (const pf::db::DbError &e) {
                pf::ui::showMessage(e.message(), this);
                return;
            }
        }
    }
    UValueRequest.U = u;
    UValueRequest.Key = building::kAnswerEnter;
    m_accepting = true;
    pf::ui::endModal(this, QDialog::Accepted);
}

void TForm4::CancelLayers()
{
    UValueRequest.Key = building::kAnswerEsc;
    pf::ui::endModal(this, QDialog::Rejected);
}

void TForm4::done(int r)
{
    // Every way out but Enter answers Esc.
    if (!m_accepting)
        UValueRequest.Key = building::kAnswerEsc;
    m_accepting = false;
    QDialog::done(r);
}

bool TForm4::FormKeyPress(QKeyEvent *key)
{
    if (pf::ui::isEnterKey(key)) {
        AcceptLayers();
        return true;
    }
    if (key->key() == Qt::Key_Escape) {
        CancelLayers();
        return true;
    }
    return false;
}

bool TForm4::eventFilter(QObject *obj, QEvent *ev)
{
    if (ev->type() == QEvent::MouseButtonDblClick) {
        AcceptLayers();
        return true;
    }
    if (ev->type() == QEvent::KeyPress) {
        // Down and Up walk the inputs; nothing past the first and the last.
        const int key = static_cast<QKeyEvent *>(ev)->key();
        if (key == Qt::Key_Down || key == Qt::Key_Up) {
            for (int i = 0; i < building::kMaterialCount; ++i) {
                if (Edit(i + 1) != obj)
                    continue;
                const int to = key == Qt::Key_Down ? i + 1 : i - 1;
                if (to >= 0 && to < building::kMaterialCount)
                    Edit(to + 1)->setFocus();
                return true;
            }
        }
    }
    return QDialog::eventFilter(obj, ev);
}

bool TForm4::LoadLayers(double project, int kind, QStringList *texts)
{
    texts->clear();
    for (int n = 1; n <= building::kMaterialCount; ++n)
        *texts << QString();
    pf::db::Table *t = DM1->Table13;
    t->close();
    t->setIndexName(QStringLiteral("IST"));
    t->open();
    const bool found = t->findKey({project, kind});
    if (found)
        for (int n = 1; n <= building::kMaterialCount; ++n)
            (*texts)[n - 1] = t->fieldByName(layerField(n)).asString();
    t->close();
    return found;
}

void TForm4::StoreLayers(double project, int kind, const QStringList &texts)
{
    pf::db::Table *t = DM1->Table13;
    t->close();
    t->setIndexName(QStringLiteral("IST"));
    t->open();
    try {
        if (t->findKey({project, kind}))
            t->edit();
        else
            t->append();
        t->fieldByName(QStringLiteral("Shproje")).setAsFloat(project);
        t->fieldByName(QStringLiteral("Type")).setAsInteger(kind);
        for (int n = 1; n <= building::kMaterialCount; ++n) {
            // Read as the dialog reads it: "0" in front, empty is no layer.
            const QString text = texts.value(n - 1).trimmed();
            double inches = 0;
            if (text.isEmpty() || !building::thicknessFromText(text, &inches))
                t->fieldByName(layerField(n)).clear();
            else
                t->fieldByName(layerField(n)).setAsFloat(inches);
        }
        t->post();
    } catch (...) {
        t->cancel();
        t->close();
        throw;
    }
    t->close();
}
