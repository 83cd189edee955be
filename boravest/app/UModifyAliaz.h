#pragma once
// The data-folder form: points the program at another data folder.
#include <QDialog>

#include <memory>

namespace pf::ui {
class FolderTree;
}
namespace Ui {
class TModifyAliaz;
}

class TModifyAliaz : public QDialog {
    Q_OBJECT
public:
    explicit TModifyAliaz(QWidget *parent = nullptr);
    ~TModifyAliaz() override;

    void DirectoryListBox1Change();
    void Button1Click();
    void Button2Click();
    // Chooses a folder as the tree would (for the keyboard and for tests).
    void chooseFolder(const QString &folder);

    std::unique_ptr<Ui::TModifyAliaz> ui;

protected:
    // Esc and the window's close box leave the form as Exit does.
    void reject() override { Button2Click(); }

private:
    pf::ui::FolderTree *m_folders;
};

extern TModifyAliaz *ModifyAliaz;
