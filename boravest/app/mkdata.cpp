// Lays out what an installed Boravest has beside its executable: program.db
// and the data folder Boravestdata with every table empty but the settings.
#include "boravest/data/TableSchemas.h"

#include <QCoreApplication>
#include <QDir>
#include <cstdio>

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    if (argc < 2) {
        std::fprintf(stderr, "usage: boravest-mkdata <program folder>\n");
        return 2;
    }
    const QString folder = QString::fromLocal8Bit(argv[1]);
    try {
        schema::createProgramTable(folder);
        schema::createDataFolder(QDir(folder).filePath(QStringLiteral("Boravestdata")));
    } catch (const pf::db::DbError &e) {
        std::fprintf(stderr, "%s\n", e.what());
        return 1;
    }
    return 0;
}
