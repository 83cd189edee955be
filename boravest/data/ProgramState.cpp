#include "boravest/data/ProgramState.h"

#include "platform/common/Numbers.h"

#include <QCoreApplication>

int32_t AreaColors[25] = {};
recordFont ProgramFonts;
int DeleteLevel = 0;
TUValueRequest UValueRequest;
bool RebuildFromMenu = false;
TProgramServices *ProgramServices = nullptr;

const char *const kRegistryKey = "Software\\Boravest";
const char *const kRegistryValue = "Path";
const char *const kTablePassword = "38617";

namespace {
QString g_programFolder;
}

QString ProgramFolder()
{
    QString f = g_programFolder.isEmpty() ? QCoreApplication::applicationDirPath() : g_programFolder;
    if (!f.endsWith(QLatin1Char('/')))
        f += QLatin1Char('/');
    return f;
}

void SetProgramFolder(const QString &folder) { g_programFolder = folder; }

void ResetProgramState()
{
    for (int32_t &c : AreaColors)
        c = 0;
    ProgramFonts = recordFont();
    DeleteLevel = 0;
    UValueRequest = TUValueRequest();
    RebuildFromMenu = false;
    g_programFolder.clear();
}

double RoundX(double X)
{
    if (X >= 100)
        return pf::roundHalfEven(X, 0);
    if (X >= 1)
        return pf::roundHalfEven(X, 2);
    return pf::roundHalfEven(X, 3);
}
