#include "boravest/help/Usokhan.h"

TSokhan *Sokhan = nullptr;

TSokhan::TSokhan(QWidget *parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("Sokhan"));
    setLayoutDirection(Qt::RightToLeft);
}
