// The game's language. Every text the player sees is written in Thai in the
// source and goes through _() (GNU gettext, glibc's libintl): Thai, the
// game's own language, needs no catalog; English and any other language
// come from the catalog "vornak" (po/<code>.po, compiled to
// <folder>/<code>/LC_MESSAGES/vornak.mo).
#pragma once

#include <initializer_list>
#include <string>
#include <string_view>

namespace vornak {

// The language of the game's own texts.
inline constexpr std::string_view kSourceLanguage = "th";

// The text in the language in force: the text itself while the game speaks
// Thai (or when the catalog has no translation for it).
const char* translate(const char* text);

// Switches every text translated from now on to `code` ("th", "en", ...).
// Returns false, and keeps Thai, when no catalog for that language can be
// read. The catalogs are looked up in catalogFolder().
bool setLanguage(std::string_view code);
const std::string& language();
// True while the game speaks its own language, Thai.
bool speaksThai();

// Where the compiled catalogs are: set by the program from where it is
// installed; until then the build tree's folder.
void setCatalogFolder(const std::string& folder);
const std::string& catalogFolder();
// The first folder that holds a catalog: <programFolder>/../share/locale,
// the build tree's folder, the install folder.
std::string findCatalogFolder(const std::string& programFolder);

// Whether a compiled catalog for `code` exists in catalogFolder().
bool hasCatalog(std::string_view code);

// `pattern` with %1 .. %9 replaced by the arguments, in the order the
// translation puts them. "%%" is a single "%".
std::string format(std::string_view pattern, std::initializer_list<std::string_view> args);

}  // namespace vornak
