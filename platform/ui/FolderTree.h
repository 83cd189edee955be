#pragma once
// The folder tree of a folder chooser: a drive list and a tree view over the
// folders of the chosen drive, each read from the disk as it is opened and
// watched while the tree is in use, so a folder made or removed shows.
#include <QObject>
#include <QString>

class QComboBox;
class QFileSystemModel;
class QModelIndex;
class QTreeView;

namespace pf::ui {

class FolderTree : public QObject {
    Q_OBJECT
public:
    // Fills `drives` with the places a tree starts from and gives `tree` its
    // model; nothing is read before start().
    FolderTree(QComboBox *drives, QTreeView *tree, QObject *parent = nullptr);

    // Starts reading and watching the disk and shows the chosen drive's
    // folders; once started, a call does nothing.
    void start();
    bool started() const { return m_started; }
    // The drive list's drive shown in the tree.
    void showDrive(const QString &drive);
    // The path of a folder of the tree.
    QString folderPath(const QModelIndex &index) const;
    // Makes `folder` the tree's current folder, its parents opened.
    void choose(const QString &folder);
    // Shows `folder` (one just made) at once, its parents opened, without
    // changing the current folder.
    void reveal(const QString &folder);

signals:
    // The user chose a folder in the tree (moved to it or clicked it).
    void folderChosen(const QString &folder);

private:
    QComboBox *m_drives;
    QTreeView *m_tree;
    QFileSystemModel *m_model;
    bool m_started = false;
};

} // namespace pf::ui
