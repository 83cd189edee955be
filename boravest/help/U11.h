#pragma once
#include <QDialog>
#include <QFrame>

class TForm11 : public QDialog {
    Q_OBJECT
public:
    explicit TForm11(QWidget *parent = nullptr);
    QFrame *Panel1 = nullptr;
    QFrame *Panel2 = nullptr;
    QFrame *tol = nullptr;
    QFrame *sath = nullptr;
    QFrame *hajm = nullptr;
    QFrame *jerm = nullptr;
    QFrame *sorat = nullptr;
    QFrame *shegali = nullptr;
    QFrame *debe = nullptr;
    QFrame *feshar = nullptr;
    QFrame *Enerje = nullptr;
    QFrame *hedayat = nullptr;
    QFrame *dama = nullptr;
};

extern TForm11 *Form11;
