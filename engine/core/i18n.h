// _() and N_(), the marks of every text the player sees, for the program's
// .cpp files (headers call translate() by its name).
#pragma once

#include "core/language.h"

// Marks and translates a text.
#define _(text) ::vornak::translate(text)
// Marks a text for the catalog where it is defined; translate it with _()
// where it is shown.
#define N_(text) text
