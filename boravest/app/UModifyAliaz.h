#pragma once
// The data-folder form: points the program at another data folder.
#include <QDialog>

class QComboBox;
class QFileSystemModel;
class QLabel;
class QLineEdit;
class QPushButton;
class QTreeView;

class TModifyAliaz : public QDialog {
    Q_OBJECT
public:
    explicit TModifyAliaz(QWidget *parent = nullptr);

    void DirectoryListBox1Change();
    void Button1Click();
    void Button2Click();
    // Chooses a folder as the tree would (for the keyboard and for tests).
    void chooseFolder(const QString &folder);

    QLabel *Label1;
    QLineEdit *Edit1;
    QComboBox *DriveComboBox1;
    QTreeView *DirectoryListBox1;
    QPushButton *Button1;
    QPushButton *Button2;

protected:
    // Esc and the window's close box leave the form as Exit does.
    void reject() override { Button2Click(); }

private:
    void DriveComboBox1Change();
    QFileSystemModel *m_model;
};

extern TModifyAliaz *ModifyAliaz;
