#include "platform/ui/FolderTree.h"

#include "platform/system/Files.h"

#include <QComboBox>
#include <QDir>
#include <QFileSystemModel>
#include <QTreeView>

namespace pf::ui {

FolderTree::FolderTree(QComboBox *drives, QTreeView *tree, QObject *parent)
    : QObject(parent), m_drives(drives), m_tree(tree), m_model(new QFileSystemModel(this))
{
    m_model->setFilter(QDir::AllDirs | QDir::NoDotAndDotDot);
    m_model->setReadOnly(true);
    m_tree->setModel(m_model);
    for (int c = 1; c < m_model->columnCount(); ++c)
        m_tree->hideColumn(c);
    m_drives->addItems(pf::sys::folderRoots());
    auto chosen = [this](const QModelIndex &index) {
        if (index.isValid())
            emit folderChosen(folderPath(index));
    };
    connect(m_tree->selectionModel(), &QItemSelectionModel::currentChanged, this, chosen);
    // A click on the current folder chooses it again (after the path was
    // typed over, say).
    connect(m_tree, &QAbstractItemView::clicked, this, chosen);
}

void FolderTree::start()
{
    if (m_started)
        return;
    m_started = true;
    // The model reads a folder's entries when it is opened only once it
    // has a root path; the root of the file system holds every drive.
    m_model->setRootPath(QDir::rootPath());
    showDrive(m_drives->currentText());
}

void FolderTree::showDrive(const QString &drive)
{
    if (m_started && !drive.isEmpty())
        m_tree->setRootIndex(m_model->index(drive));
}

QString FolderTree::folderPath(const QModelIndex &index) const { return m_model->filePath(index); }

void FolderTree::choose(const QString &folder)
{
    const QModelIndex i = m_model->index(folder);
    if (i.isValid()) {
        m_tree->setCurrentIndex(i);
        // The view opens the parents itself only while it is shown.
        m_tree->scrollTo(i);
    }
}

void FolderTree::reveal(const QString &folder)
{
    // Asked for by its path, the model takes in a folder it has not read
    // yet at once.
    const QModelIndex i = m_model->index(folder);
    if (i.isValid())
        m_tree->scrollTo(i);
}

} // namespace pf::ui
