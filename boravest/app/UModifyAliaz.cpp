#include "boravest/app/UModifyAliaz.h"

#include "ui_UModifyAliaz.h"

#include "boravest/app/U1.h"
#include "boravest/data/UnitDm.h"
#include "platform/system/Settings.h"
#include "platform/ui/Dialogs.h"

#include <QComboBox>
#include <QDir>
#include <QFileSystemModel>
#include <QLineEdit>
#include <QPushButton>
#include <QStorageInfo>
#include <QTreeView>

TModifyAliaz *ModifyAliaz = nullptr;

TModifyAliaz::TModifyAliaz(QWidget *parent) : QDialog(parent)
{
    Ui::TModifyAliaz ui;
    ui.setupUi(this);
    Label1 = ui.Label1;
    Edit1 = ui.Edit1;
    DriveComboBox1 = ui.DriveComboBox1;
    DirectoryListBox1 = ui.DirectoryListBox1;
    Button1 = ui.Button1;
    Button2 = ui.Button2;
    setWindowFlags(Qt::Tool);
    setFixedSize(251, 329);

    // Drives: the file system root, the home folder and every mounted volume.
    QStringList roots{QDir::rootPath(), QDir::homePath()};
    for (const QStorageInfo &v : QStorageInfo::mountedVolumes())
        if (v.isValid() && v.isReady() && !roots.contains(v.rootPath()))
            roots << v.rootPath();
    DriveComboBox1->addItems(roots);

    m_model = new QFileSystemModel(this);
    m_model->setFilter(QDir::AllDirs | QDir::NoDotAndDotDot);
    m_model->setRootPath(QDir::rootPath());
    DirectoryListBox1->setModel(m_model);
    for (int c = 1; c < m_model->columnCount(); ++c)
        DirectoryListBox1->hideColumn(c);
    DriveComboBox1Change();

    connect(DriveComboBox1, &QComboBox::currentIndexChanged, this, [this] { DriveComboBox1Change(); });
    connect(DirectoryListBox1->selectionModel(), &QItemSelectionModel::currentChanged, this,
            [this] { DirectoryListBox1Change(); });
    connect(Button1, &QPushButton::clicked, this, [this] { Button1Click(); });
    connect(Button2, &QPushButton::clicked, this, [this] { Button2Click(); });
}

void TModifyAliaz::DriveComboBox1Change()
{
    const QString root = DriveComboBox1->currentText();
    DirectoryListBox1->setRootIndex(m_model->index(root));
}

void TModifyAliaz::DirectoryListBox1Change()
{
    const QModelIndex i = DirectoryListBox1->currentIndex();
    if (i.isValid())
        Edit1->setText(QDir::toNativeSeparators(m_model->filePath(i)));
}

void TModifyAliaz::chooseFolder(const QString &folder)
{
    const QModelIndex i = m_model->index(folder);
    if (i.isValid())
        DirectoryListBox1->setCurrentIndex(i);
    Edit1->setText(QDir::toNativeSeparators(folder));
}

void TModifyAliaz::Button1Click()
{
    pf::db::Database *db = DM1->Database1;
    db->close();
    const QString folder = Edit1->text();
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
    pf::sys::Settings::writeString(key, value, folder);
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
