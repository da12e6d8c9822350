// The person's preferences: kept with QSettings in the program's settings
// folder, and edited in the Preferences window.
#pragma once

#include <QString>

#include "game/preferences.h"

class QWidget;

namespace vornak {

// The settings file, in the program's settings folder.
QString preferencesFile();
// What was kept, or the defaults for anything missing or unreadable.
Preferences loadPreferences();
void savePreferences(const Preferences& prefs);

// Shows the Preferences window; returns true when the person pressed OK
// (`prefs` then holds the new choice).
bool editPreferences(QWidget* parent, Preferences& prefs);

}  // namespace vornak
