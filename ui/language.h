// The language the program speaks: Thai unless the player chose another in
// Game > Language or started it with --lang. The game's texts come from the
// catalog (core/language.h); Qt's own buttons from Qt's translations.
#pragma once

#include <QString>
#include <QStringList>

#include "core/language.h"

namespace vornak {

class Game;

// A marked text in the language in force.
inline QString tx(const char* text) {
    return QString::fromUtf8(translate(text));
}

// The languages offered: Thai first, then those with a catalog.
QStringList offeredLanguages();
// A language's name in that language: "ไทย", "English".
QString languageName(const QString& code);

// The language kept in the settings, or Thai.
QString savedLanguage();
void saveLanguage(const QString& code);

// Puts `code` in force for the catalog and for Qt's own texts; needs the
// application object. Returns false (and keeps Thai) when it has no catalog.
bool applyLanguage(const QString& code);
// Switches a running game to `code` (its table, menus and screens), Qt's
// texts with it, and keeps the choice in the settings.
bool switchGameLanguage(Game& game, const QString& code);
// Loads Qt's own translations for the language in force.
void installQtTranslation();

}  // namespace vornak
