// The texts the player sees and their English catalog: every Thai text in
// the program is marked for translation, every marked text has an English
// translation without Thai letters and with the same arguments, and the
// catalog switches the game's language whatever the user's locale says.
#include <gtest/gtest.h>

#include <cctype>
#include <clocale>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>
#include <regex>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "core/cards.h"
#include "core/language.h"

namespace vornak {
namespace {

namespace fs = std::filesystem;

const fs::path kSource = VORNAK_SOURCE_DIR;

// A Thai letter (or vowel or tone mark), in UTF-8. The baht sign is no letter.
bool hasThaiLetter(const std::string& text) {
    for (std::size_t i = 0; i + 2 < text.size(); ++i) {
        const auto b0 = static_cast<unsigned char>(text[i]);
        const auto b1 = static_cast<unsigned char>(text[i + 1]);
        const auto b2 = static_cast<unsigned char>(text[i + 2]);
        if (b0 != 0xE0 || (b1 != 0xB8 && b1 != 0xB9)) continue;
        const unsigned cp = ((b0 & 0x0F) << 12) | ((b1 & 0x3F) << 6) | (b2 & 0x3F);
        if (cp >= 0x0E01 && cp <= 0x0E5B && cp != 0x0E3F) return true;
    }
    return false;
}

// The C escapes a source literal or a catalog string may hold.
std::string unescape(const std::string& s) {
    std::string out;
    for (std::size_t i = 0; i < s.size(); ++i) {
        if (s[i] != '\\' || i + 1 == s.size()) {
            out += s[i];
            continue;
        }
        const char c = s[++i];
        out += c == 'n' ? '\n' : c == 't' ? '\t' : c;
    }
    return out;
}

struct Literal {
    std::string text;  // the whole text, adjacent literals joined
    bool marked;       // an argument of _(), N_(), translate() or tx()
    bool ownName;      // a language's name in that language, never translated
    std::string where;
};

// The string literals of a C++ file, comments and character literals
// skipped. A line that says "a language's own name" holds a name shown
// untranslated on purpose.
std::vector<Literal> literalsOf(const fs::path& file) {
    std::ifstream in(file, std::ios::binary);
    std::stringstream buffer;
    buffer << in.rdbuf();
    const std::string src = buffer.str();
    std::vector<Literal> out;
    std::size_t line = 1;
    bool joining = false;  // the last token was a literal: the next one continues it
    for (std::size_t i = 0; i < src.size();) {
        const char c = src[i];
        if (c == '\n') ++line;
        if (src.compare(i, 2, "//") == 0) {
            i = src.find('\n', i);
            if (i == std::string::npos) break;
            continue;
        }
        if (src.compare(i, 2, "/*") == 0) {
            const std::size_t end = src.find("*/", i + 2);
            for (std::size_t k = i; k < end && k < src.size(); ++k) line += src[k] == '\n';
            i = end == std::string::npos ? src.size() : end + 2;
            continue;
        }
        if (c == '\'') {
            // A digit separator (1'000) is no character literal.
            if (i > 0 && std::isxdigit(static_cast<unsigned char>(src[i - 1]))) {
                ++i;
                continue;
            }
            const std::size_t close = src.find('\'', i + 1 + (src[i + 1] == '\\' ? 1 : 0));
            if (close == std::string::npos) break;
            i = close + 1;
            joining = false;
            continue;
        }
        if (c == '"') {
            std::size_t j = i + 1;
            while (j < src.size() && src[j] != '"') j += src[j] == '\\' ? 2 : 1;
            const std::string text = unescape(src.substr(i + 1, j - i - 1));
            if (joining && !out.empty()) {
                out.back().text += text;
            } else {
                std::size_t k = i;
                while (k > 0 && (src[k - 1] == ' ' || src[k - 1] == '\n')) --k;
                const std::string before = src.substr(k >= 12 ? k - 12 : 0, k >= 12 ? 12 : k);
                static const std::regex mark(R"((^|[^A-Za-z0-9_])(_|N_|translate|tx)\($)");
                const std::size_t eol = src.find('\n', j);
                const std::string rest = src.substr(j, eol == std::string::npos ? eol : eol - j);
                const bool ownName = rest.find("a language's own name") != std::string::npos;
                out.push_back(
                    {text, std::regex_search(before, mark), ownName,
                     file.lexically_relative(kSource).string() + ":" + std::to_string(line)});
            }
            joining = true;
            i = j + 1;
            continue;
        }
        if (c != ' ' && c != '\n' && c != '\t' && c != '\r') joining = false;
        ++i;
    }
    return out;
}

std::vector<fs::path> programSources() {
    std::vector<fs::path> files;
    for (const char* folder : {"engine", "ui", "tools/sim"})
        for (const auto& entry : fs::recursive_directory_iterator(kSource / folder)) {
            const auto ext = entry.path().extension();
            if (ext == ".cpp" || ext == ".h") files.push_back(entry.path());
        }
    return files;
}

struct Entry {
    std::string translation;
    bool fuzzy = false;
};

// msgid -> msgstr of a catalog (the header left out).
std::map<std::string, Entry> readCatalog(const fs::path& file) {
    std::ifstream in(file);
    std::map<std::string, Entry> out;
    std::string line, id, str, *into = nullptr;
    bool fuzzy = false, any = false;
    auto flush = [&] {
        if (any && !id.empty()) out[unescape(id)] = {unescape(str), fuzzy};
        id.clear();
        str.clear();
        fuzzy = any = false;
        into = nullptr;
    };
    auto quoted = [](const std::string& l) {
        const auto a = l.find('"'), b = l.rfind('"');
        return a == std::string::npos || b <= a ? std::string() : l.substr(a + 1, b - a - 1);
    };
    while (std::getline(in, line)) {
        if (line.rfind("#,", 0) == 0 && line.find("fuzzy") != std::string::npos) fuzzy = true;
        if (line.rfind("msgid ", 0) == 0) {
            if (any) flush();
            any = true;
            id = quoted(line);
            into = &id;
        } else if (line.rfind("msgstr ", 0) == 0) {
            str = quoted(line);
            into = &str;
        } else if (!line.empty() && line[0] == '"' && into) {
            *into += quoted(line);
        } else if (line.empty()) {
            flush();
        }
    }
    flush();
    return out;
}

std::set<std::string> argumentsOf(const std::string& text) {
    static const std::regex arg("%[1-9]");
    std::set<std::string> out;
    for (auto it = std::sregex_iterator(text.begin(), text.end(), arg);
         it != std::sregex_iterator(); ++it)
        out.insert(it->str());
    return out;
}

TEST(Catalog, EveryThaiTextIsMarkedAndTranslated) {
    const auto catalog = readCatalog(kSource / "po" / "en.po");
    ASSERT_GT(catalog.size(), 150u) << "po/en.po could not be read";
    std::set<std::string> used;
    int marked = 0;
    for (const fs::path& file : programSources()) {
        for (const Literal& lit : literalsOf(file)) {
            if (lit.ownName) continue;
            if (!lit.marked) {
                EXPECT_FALSE(hasThaiLetter(lit.text))
                    << lit.where << ": a Thai text the player may see is not marked with _(): \""
                    << lit.text << "\"";
                continue;
            }
            if (lit.text.empty() || !hasThaiLetter(lit.text)) continue;
            ++marked;
            used.insert(lit.text);
            const auto it = catalog.find(lit.text);
            if (it == catalog.end() || it->second.translation.empty()) {
                ADD_FAILURE() << lit.where << ": no English in po/en.po for \"" << lit.text << "\"";
                continue;
            }
            const Entry& e = it->second;
            EXPECT_FALSE(e.fuzzy) << lit.where << ": the English of \"" << lit.text
                                  << "\" is fuzzy";
            EXPECT_FALSE(hasThaiLetter(e.translation))
                << lit.where << ": the English of \"" << lit.text << "\" has Thai letters";
            EXPECT_EQ(argumentsOf(lit.text), argumentsOf(e.translation))
                << lit.where << ": the English of \"" << lit.text << "\" has other arguments";
        }
    }
    EXPECT_GT(marked, 150);
    // A translation of a text the program no longer has is left over.
    for (const auto& [id, entry] : catalog) {
        if (hasThaiLetter(id) && !entry.fuzzy) {
            EXPECT_TRUE(used.contains(id))
                << "po/en.po translates a text the program does not have: \"" << id << "\"";
        }
    }
}

TEST(Catalog, TheCheckFindsUnmarkedAndUntranslatedTexts) {
    const fs::path file = fs::temp_directory_path() / "vornak_catalog_probe.cpp";
    {
        std::ofstream out(file);
        out << "// ไม่ใช่ข้อความ\n"
               "const char* a = _(\"หงายไพ่\");\n"
               "const char* b = \"ทิ้งไพ่\";\n"
               "auto c = format(_(\"ไพ่ %1 \"\n"
               "                  \"ที่เล่น\"), {x});\n"
               "char d = '\"'; const char* e = N_(\"OK\");\n";
    }
    const auto lits = literalsOf(file);
    fs::remove(file);
    ASSERT_EQ(lits.size(), 4u);
    EXPECT_TRUE(lits[0].marked);
    EXPECT_FALSE(lits[1].marked);
    EXPECT_TRUE(lits[2].marked);
    EXPECT_EQ(lits[2].text, "ไพ่ %1 ที่เล่น");
    EXPECT_TRUE(lits[3].marked);
    EXPECT_TRUE(hasThaiLetter("เหลือ 3 ใบ"));
    EXPECT_FALSE(hasThaiLetter("10000 ฿ left"));
}

// Each test leaves the game in Thai, as every other test expects it.
class Language : public ::testing::Test {
protected:
    void TearDown() override {
        setLanguage("th");
        unsetenv("LANGUAGE");
    }
};

TEST_F(Language, ThaiIsTheDefaultWhateverTheEnvironmentSays) {
    setenv("LANGUAGE", "en", 1);
    setenv("LC_ALL", "en_US.UTF-8", 1);
    EXPECT_EQ(language(), "th");
    EXPECT_TRUE(speaksThai());
    EXPECT_STREQ(translate("หงายไพ่"), "หงายไพ่");
    EXPECT_EQ(cardName(50), "Q โพดำ");
    unsetenv("LC_ALL");
}

TEST_F(Language, EnglishComesFromTheCatalogEvenInTheCLocale) {
    // As CI runs: no locale configured, the messages locale "C".
    std::setlocale(LC_MESSAGES, "C");
    setenv("LANGUAGE", "de", 1);
    ASSERT_TRUE(hasCatalog("en")) << "no catalog in " << catalogFolder();
    ASSERT_TRUE(setLanguage("en"));
    EXPECT_EQ(language(), "en");
    EXPECT_STREQ(translate("ทิ้งไพ่"), "Discard");
    EXPECT_EQ(cardName(50), "Q♠");
    EXPECT_EQ(cardName(1), "2♣");
    EXPECT_EQ(cardName(35), "10♥");
    // A text the catalog does not have stays as it is.
    EXPECT_STREQ(translate("Beginner Level"), "Beginner Level");

    ASSERT_TRUE(setLanguage("th"));
    EXPECT_STREQ(translate("ทิ้งไพ่"), "ทิ้งไพ่");
    EXPECT_EQ(cardName(50), "Q โพดำ");
    // Back again: gettext must not answer from what it looked up before.
    ASSERT_TRUE(setLanguage("en"));
    EXPECT_STREQ(translate("ทิ้งไพ่"), "Discard");
}

TEST_F(Language, AnUnknownLanguageKeepsThai) {
    EXPECT_FALSE(setLanguage("xx"));
    EXPECT_FALSE(setLanguage(""));
    EXPECT_FALSE(setLanguage("../en"));
    EXPECT_TRUE(speaksThai());
    EXPECT_STREQ(translate("ทิ้งไพ่"), "ทิ้งไพ่");
}

TEST(Format, ArgumentsGoWhereTheTranslationPutsThem) {
    EXPECT_EQ(format("เหลือ %1 ใบ", {"23"}), "เหลือ 23 ใบ");
    EXPECT_EQ(format("%2 before %1", {"a", "b"}), "b before a");
    EXPECT_EQ(format("%1%1 100%% %3", {"x"}), "xx 100% ");
    EXPECT_EQ(format("ends with %", {"x"}), "ends with %");
}

}  // namespace
}  // namespace vornak
