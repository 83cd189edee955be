#include "boravest/help/U15.h"

#include "ui_U15.h"

#include "boravest/data/GlossaryStore.h"
#include "boravest/data/UnitDm.h"
#include "platform/ui/Dialogs.h"
#include "platform/ui/Keys.h"

#include <QHeaderView>
#include <QKeyEvent>

TForm15 *Form15 = nullptr;

namespace {

const QString kEnglish = QStringLiteral("English");
const QString kPersian = QStringLiteral("Pertion");
const QString kDescription = QStringLiteral("Memprs");
const QString kEnglishIndex = QStringLiteral("idxeng");
const QString kPersianIndex = QStringLiteral("idxprs");

void useIndex(pf::db::Table *t, const QString &name)
{
    if (t->indexName() != name)
        t->setIndexName(name);
}

// Moves to the first word, in the current order, that is the same word as
// the text typed (blanks and joiners between its parts and around it, letter
// case and the forms of kaf and yeh aside).
bool findWord(pf::db::Table *t, const QString &field, const QString &typed)
{
    const int row = bv::data::stores::findGlossaryRow(*t, t->fieldByName(field).index(), typed);
    if (row < 0)
        return false;
    t->setRecNo(row + 1);
    return true;
}

} // namespace

TForm15::TForm15(QWidget *parent) : QDialog(parent), ui(std::make_unique<Ui::TForm15>())
{
    ui->setupUi(this);
    setObjectName(QStringLiteral("Form15"));
    setLayoutDirection(Qt::RightToLeft);
    setWindowTitle(QString(12, QLatin1Char(' ')) + QStringLiteral("فرهنگ لغات و اصطلاحات تاسيساتي") +
                   QLatin1Char(' '));
    setFixedSize(354, 195);

    ui->E1->setLayoutDirection(Qt::LeftToRight);
    ui->E2->setLayoutDirection(Qt::RightToLeft);
    ui->RE1->setLayoutDirection(Qt::RightToLeft);
    ui->RE1->setReadOnly(true);
    ui->CheckBox2->setChecked(false);
    ui->DBGrid1->hide();
    ui->DBGrid1->setDataSource(DM1 ? DM1->DataSource20 : nullptr);
    ui->DBGrid1->setColumns({{kEnglish, QStringLiteral("لفت"), 245}, {kPersian, QStringLiteral("معني"), 245}});
    QFont titles(QStringLiteral("Traffic"));
    titles.setBold(true);
    ui->DBGrid1->horizontalHeader()->setFont(titles);

    connect(ui->Bt2, &QPushButton::clicked, this, [this] { Bt2Click(); });
    connect(ui->Bt3, &QPushButton::clicked, this, [this] { Bt3Click(); });
    connect(ui->Bt4, &QPushButton::clicked, this, [this] { Bt4Click(); });
    connect(ui->CheckBox2, &QCheckBox::clicked, this, [this] { CheckBox2Click(); });
    connect(ui->DBGrid1, &QTableView::clicked, this, [this](const QModelIndex &i) { DBGrid1CellClick(i); });
    pf::ui::installKeyPreview(this, [this](QKeyEvent *e) { return FormKeyDown(e->key()); });
}

TForm15::~TForm15() = default;

QString TForm15::notFoundText() { return QStringLiteral("لغت مورد نظر موجود نيست"); }
QString TForm15::storedNewText() { return QStringLiteral("لغت جديد ثبت شد"); }
QString TForm15::storedEditText() { return QStringLiteral("لغت يا معني ويرايش شده ثبت شد"); }
QString TForm15::emptyWordText() { return QStringLiteral("لغت وارد نشده است"); }

void TForm15::showEvent(QShowEvent *e)
{
    QDialog::showEvent(e);
    FormActivate();
}

void TForm15::FormActivate()
{
    pf::db::Table *t = DM1->Table20;
    try {
        if (!t->active())
            t->open();
        useIndex(t, kEnglishIndex);
        t->first();
    } catch (const pf::db::DbError &err) {
        pf::ui::showMessage(err.message(), this);
    }
    ui->DBGrid1->syncToCursor();
}

void TForm15::showCurrentRow()
{
    pf::db::Table *t = DM1->Table20;
    ui->E1->setText(t->fieldByName(kEnglish).asString());
    ui->E2->setText(t->fieldByName(kPersian).asString());
    ui->RE1->setPlainText(t->fieldByName(kDescription).asString());
    m_descriptionRow = t->bookmark();
}

void TForm15::forgetDescription()
{
    ui->RE1->clear();
    m_descriptionRow = 0;
}

void TForm15::Bt3Click()
{
    pf::db::Table *t = DM1->Table20;
    if (!t->active())
        FormActivate();
    useIndex(t, kEnglishIndex);
    if (t->active() && findWord(t, kEnglish, ui->E1->text())) {
        showCurrentRow();
        ui->DBGrid1->syncToCursor();
        return;
    }
    pf::ui::showMessage(notFoundText(), this);
    ui->E2->clear();
    forgetDescription();
}

void TForm15::Bt4Click()
{
    pf::db::Table *t = DM1->Table20;
    if (!t->active())
        FormActivate();
    useIndex(t, kPersianIndex);
    if (t->active() && findWord(t, kPersian, ui->E2->text())) {
        showCurrentRow();
        ui->DBGrid1->syncToCursor();
        return;
    }
    pf::ui::showMessage(notFoundText(), this);
    ui->E1->clear();
    forgetDescription();
}

void TForm15::DBGrid1CellClick(const QModelIndex &index)
{
    pf::db::Table *t = DM1->Table20;
    if (!t->active() || !index.isValid() || index.row() >= t->recordCount())
        return;
    t->setRecNo(index.row() + 1);
    showCurrentRow();
}

void TForm15::Bt1Click()
{
    // A word without its English key could never be looked up again.
    // Blanks around a word are no part of it.
    const QString word = ui->E1->text().trimmed();
    const QString meaning = ui->E2->text().trimmed();
    if (word.isEmpty()) {
        pf::ui::showMessage(emptyWordText(), this);
        return;
    }
    pf::db::Table *t = DM1->Table20;
    bool added = false;
    try {
        if (!t->active())
            t->open();
        t->first();
        useIndex(t, kEnglishIndex);
        if (findWord(t, kEnglish, word)) {
            const bool ownDescription = t->bookmark() == m_descriptionRow;
            t->edit();
            t->fieldByName(kEnglish).setAsString(word);
            t->fieldByName(kPersian).setAsString(meaning);
            // RE1 may still show the description of another word.
            if (ownDescription)
                t->fieldByName(kDescription).setAsString(ui->RE1->toPlainText());
        } else {
            t->insert();
            t->fieldByName(kEnglish).setAsString(word);
            t->fieldByName(kPersian).setAsString(meaning);
            added = true;
        }
        t->post();
    } catch (const pf::db::DbError &err) {
        if (t->state() == pf::db::DatasetState::Edit || t->state() == pf::db::DatasetState::Insert)
            t->cancel();
        pf::ui::showMessage(err.message(), this);
        return;
    }
    const qint64 stored = t->bookmark();
    pf::ui::showMessage(added ? storedNewText() : storedEditText(), this);
    t->refresh();
    t->gotoBookmark(stored);
    ui->DBGrid1->syncToCursor();
}

void TForm15::Bt2Click() { pf::ui::endModal(this, 0); }

void TForm15::CheckBox2Click()
{
    if (ui->CheckBox2->isChecked()) {
        ui->DBGrid1->show();
        setFixedSize(531, 314);
        ui->DBGrid1->syncToCursor();
    } else {
        ui->DBGrid1->hide();
        setFixedSize(354, 195);
    }
}

bool TForm15::FormKeyDown(int key)
{
    if (key == Qt::Key_Escape) {
        Bt2Click();
        return true;
    }
    if (key == Qt::Key_F2) {
        Bt1Click();
        return true;
    }
    return false;
}
