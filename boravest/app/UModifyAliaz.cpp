#include "boravest/app/UModifyAliaz.h"

#include "ui_UModifyAliaz.h"

#include "boravest/app/U1.h"
#include "boravest/data/UnitDm.h"
#include "platform/system/Settings.h"
#include "platform/system/SystemError.h"
#include "platform/ui/Dialogs.h"
#include "platform/ui/FolderTree.h"

#include <QComboBox>
#include <QDir>
#include <QLineEdit>
#include <QPushButton>
#include <QTreeView>

TModifyAliaz *ModifyAliaz = nullptr;

TModifyAliaz::TModifyAliaz(QWidget *parent) : QDialog(parent), ui(std::make_unique<Ui::TModifyAliaz>())
{
    ui->setupUi(this);
    setWindowFlags(Qt::Tool);
    setFixedSize(251, 329);

    m_folders = new pf::ui::FolderTree(ui->DriveComboBox1, ui->DirectoryListBox1, this);
    m_folders->start();
    connect(ui->DriveComboBox1, &QComboBox::currentIndexChanged, this,
            [this] { m_folders->showDrive(ui->DriveComboBox1->currentText()); });
    connect(m_folders, &pf::ui::FolderTree::folderChosen, this, [this] { DirectoryListBox1Change(); });
    connect(ui->Button1, &QPushButton::clicked, this, [this] { Button1Click(); });
    connect(ui->Button2, &QPushButton::clicked, this, [this] { Button2Click(); });
}

TModifyAliaz::~TModifyAliaz() = default;

void TModifyAliaz::DirectoryListBox1Change()
{
    const QModelIndex i = ui->DirectoryListBox1->currentIndex();
    if (i.isValid())
        ui->Edit1->setText(QDir::toNativeSeparators(m_folders->folderPath(i)));
}

void TModifyAliaz::chooseFolder(const QString &folder)
{
    m_folders->choose(folder);
    ui->Edit1->setText(QDir::toNativeSeparators(folder));
}

void TModifyAliaz::Button1Click()
{
    pf::db::Database *db = DM1->Database1;
    db->close();
    const QString folder = ui->Edit1->text();
    QString withSep = folder;
    if (!withSep.endsWith(QLatin1Char('/')))
        withSep += QLatin1Char('/');
    // No folder chosen counts as a folder without the tables.
    const bool found = !folder.isEmpty() && !db->findTableFile(withSep + QStringLiteral("Bank1.db")).isEmpty();
    if (!found) {
        pf::ui::showMessage(QStringLiteral("مسير معتبر نيست مجددا انتخاب كنيد"), this);
        return;
    }
    // The key is made when it is missing, so the new folder is always
    // written before the user is told to start again.
    const QString key = QString::fromLatin1(kRegistryKey);
    const QString value = QString::fromLatin1(kRegistryValue);
    try {
        pf::sys::Settings::writeString(key, value, folder);
    } catch (const pf::sys::SystemError &e) {
        // Nothing was stored: the form stays for another try or its exit.
        pf::ui::showMessage(e.message(), this);
        return;
    }
    db->setDirectory(pf::sys::Settings::readString(key, value));
    db->params() << QStringLiteral("Path=") + db->directory();
    db->open();
    pf::ui::showMessage(QStringLiteral("نرم افزار را مجددا اجرا كنيد"), this);
    pf::ui::endModal(this, 1);
    if (Form1)
        Form1->close();
}

void TModifyAliaz::Button2Click()
{
    pf::ui::endModal(this, 0);
    // Before the program has found its data there is nothing to go back to:
    // leaving the form ends the program.
    if (Form1 && !Form1->startupDone())
        Form1->close();
}
