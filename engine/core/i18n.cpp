#include "core/language.h"

#include <libintl.h>

#include <clocale>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <system_error>

#ifndef VORNAK_BUILD_LOCALEDIR
#define VORNAK_BUILD_LOCALEDIR ""
#endif
#ifndef VORNAK_INSTALL_LOCALEDIR
#define VORNAK_INSTALL_LOCALEDIR "/usr/share/locale"
#endif

namespace vornak {
namespace {

constexpr const char* kDomain = "vornak";

struct State {
    std::string language{kSourceLanguage};
    std::string folder = VORNAK_BUILD_LOCALEDIR;
    bool thai = true;
};

State& state() {
    static State s;
    return s;
}

bool isFile(const std::filesystem::path& p) {
    std::error_code ec;
    return std::filesystem::is_regular_file(p, ec);
}

std::filesystem::path catalogFile(const std::string& folder, std::string_view code) {
    return std::filesystem::path(folder) / std::string(code) / "LC_MESSAGES" / "vornak.mo";
}

// glibc's gettext ignores LANGUAGE while the messages locale is "C", and
// converts translations to the locale's character set: the messages locale
// must be one with UTF-8. The user's own is kept when it is one.
void useUtf8Messages() {
    const char* current = std::setlocale(LC_MESSAGES, nullptr);
    const bool plainC =
        current == nullptr || std::strcmp(current, "C") == 0 || std::strcmp(current, "POSIX") == 0;
    if (plainC) {
        for (const char* name : {"C.UTF-8", "C.utf8", "en_US.UTF-8"})
            if (std::setlocale(LC_MESSAGES, name) != nullptr) return;
        return;
    }
    // Setting the locale again makes gettext forget the translations it
    // looked up in the language before.
    const std::string same = current;
    std::setlocale(LC_MESSAGES, same.c_str());
}

}  // namespace

const char* translate(const char* text) {
    if (state().thai || text == nullptr || *text == '\0') return text;
    return dgettext(kDomain, text);
}

bool setLanguage(std::string_view code) {
    State& s = state();
    if (code == kSourceLanguage) {
        s.language = std::string(kSourceLanguage);
        s.thai = true;
        return true;
    }
    if (code.empty() || code.find('/') != std::string_view::npos || !hasCatalog(code)) return false;
    const std::string name(code);
    bindtextdomain(kDomain, s.folder.c_str());
    bind_textdomain_codeset(kDomain, "UTF-8");
    setenv("LANGUAGE", name.c_str(), 1);
    useUtf8Messages();
    // The catalog's header (the translation of "") names its language: a
    // catalog that cannot be read leaves the game in Thai.
    const char* header = dgettext(kDomain, "");
    if (header == nullptr || *header == '\0') {
        s.language = std::string(kSourceLanguage);
        s.thai = true;
        return false;
    }
    s.language = name;
    s.thai = false;
    return true;
}

const std::string& language() {
    return state().language;
}

bool speaksThai() {
    return state().thai;
}

void setCatalogFolder(const std::string& folder) {
    state().folder = folder;
}

const std::string& catalogFolder() {
    return state().folder;
}

std::string findCatalogFolder(const std::string& programFolder) {
    const std::string candidates[] = {
        (std::filesystem::path(programFolder) / ".." / "share" / "locale")
            .lexically_normal()
            .string(),
        VORNAK_BUILD_LOCALEDIR, VORNAK_INSTALL_LOCALEDIR};
    for (const std::string& folder : candidates)
        if (!folder.empty() && isFile(catalogFile(folder, "en"))) return folder;
    return candidates[0];
}

bool hasCatalog(std::string_view code) {
    return !code.empty() && isFile(catalogFile(state().folder, code));
}

std::string format(std::string_view pattern, std::initializer_list<std::string_view> args) {
    std::string out;
    out.reserve(pattern.size() + 16);
    for (std::size_t i = 0; i < pattern.size(); ++i) {
        const char ch = pattern[i];
        if (ch == '%' && i + 1 < pattern.size()) {
            const char next = pattern[i + 1];
            if (next == '%') {
                out += '%';
                ++i;
                continue;
            }
            if (next >= '1' && next <= '9') {
                const auto n = static_cast<std::size_t>(next - '1');
                if (n < args.size()) out += *(args.begin() + n);
                ++i;
                continue;
            }
        }
        out += ch;
    }
    return out;
}

}  // namespace vornak
