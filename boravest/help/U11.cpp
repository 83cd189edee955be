#include "boravest/help/U11.h"

TForm11 *Form11 = nullptr;

TForm11::TForm11(QWidget *parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("Form11"));
    setLayoutDirection(Qt::RightToLeft);
    Panel1 = new QFrame(this);
    Panel1->setObjectName(QStringLiteral("Panel1"));
    Panel2 = new QFrame(this);
    Panel2->setObjectName(QStringLiteral("Panel2"));
    tol = new QFrame(this);
    tol->setObjectName(QStringLiteral("tol"));
    sath = new QFrame(this);
    sath->setObjectName(QStringLiteral("sath"));
    hajm = new QFrame(this);
    hajm->setObjectName(QStringLiteral("hajm"));
    jerm = new QFrame(this);
    jerm->setObjectName(QStringLiteral("jerm"));
    sorat = new QFrame(this);
    sorat->setObjectName(QStringLiteral("sorat"));
    shegali = new QFrame(this);
    shegali->setObjectName(QStringLiteral("shegali"));
    debe = new QFrame(this);
    debe->setObjectName(QStringLiteral("debe"));
    feshar = new QFrame(this);
    feshar->setObjectName(QStringLiteral("feshar"));
    Enerje = new QFrame(this);
    Enerje->setObjectName(QStringLiteral("Enerje"));
    hedayat = new QFrame(this);
    hedayat->setObjectName(QStringLiteral("hedayat"));
    dama = new QFrame(this);
    dama->setObjectName(QStringLiteral("dama"));
}
