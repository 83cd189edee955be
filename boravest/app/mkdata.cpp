// Lays out what an installed Boravest has beside its executable: program.db
// and the data folder Boravestdata with every table empty but the settings
// and the glossary, which holds the shipped terms.
#include "boravest/data/GlossaryStore.h"
#include "boravest/data/ProgramState.h"
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
        const QString data = QDir(folder).filePath(QStringLiteral("Boravestdata"));
        schema::createDataFolder(data);
        pf::db::Session::addPassword(QString::fromLatin1(kTablePassword));
        pf::db::Database db;
        db.setDirectory(data);
        db.open();
        bv::data::stores::layShippedGlossary(db);
    } catch (const pf::db::DbError &e) {
        std::fprintf(stderr, "%s\n", e.what());
        return 1;
    }
    return 0;
}
