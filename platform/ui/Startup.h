#pragma once
// What both programs set up at start so that every text reads as Persian.
#include <QString>

class QTranslator;

namespace pf::ui {

// Loads Qt's own Persian texts (the buttons of message boxes, the file,
// print, colour and font dialogs, the standard context menus) from the
// folder, by default the translations folder of the Qt the program runs on,
// and installs them; Qt then lays its widgets out right to left. Returns the
// translator, owned by the application, or nullptr when the translation is
// missing or unreadable: Qt's texts then stay English. The texts Qt's own
// translation lacks come first from the program's translation
// (programTranslationFile), when it is there.
QTranslator *installQtTranslation(const QString &folder = QString());

// The program's own Persian texts of Qt's dialogs, built with the programs
// and kept beside them.
QString programTranslationFile();

// The start of either program, before its first window: the Persian faces,
// Qt's widget-based dialogs (never the desktop's own), Qt's Persian texts,
// right-to-left layout and the text style
// (installTextStyle). Returns the translator installed, nullptr when Qt's
// texts stay English.
QTranslator *startInPersian();

} // namespace pf::ui
