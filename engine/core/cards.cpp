#include "core/cards.h"

#include <array>
#include <cctype>

#include "core/i18n.h"

namespace vornak {
namespace {

constexpr std::array<std::string_view, 13> kRankText = {"2", "3",  "4", "5", "6", "7", "8",
                                                        "9", "10", "J", "Q", "K", "A"};
// A card's name is its rank followed by its suit: "A โพดำ", in English "A♠".
constexpr std::array<const char*, 4> kSuitName = {N_("%1 ดอกจิก"), N_("%1 ข้าวหลามตัด"),
                                                  N_("%1 โพแดง"), N_("%1 โพดำ")};
constexpr std::string_view kSuitLetters = "CDHS";

std::array<std::string, 53> buildNames() {
    std::array<std::string, 53> names;
    for (int c = 1; c <= 52; ++c)
        names[c] = format(_(kSuitName[suitOf(c)]), {kRankText[rankOf(c)]});
    return names;
}

}  // namespace

const std::string& cardName(int code) {
    static const std::string none;
    if (!isValidCard(code)) return none;
    if (speaksThai()) {
        static const std::array<std::string, 53> thai = buildNames();
        return thai[code];
    }
    static std::string builtFor;
    static std::array<std::string, 53> names;
    if (builtFor != language()) {
        names = buildNames();
        builtFor = language();
    }
    return names[code];
}

int parseCard(std::string_view text) {
    if (text.size() < 2) return kNoCard;
    const char suitChar = static_cast<char>(std::toupper(static_cast<unsigned char>(text.back())));
    const auto suit = kSuitLetters.find(suitChar);
    if (suit == std::string_view::npos) return kNoCard;
    std::string rank(text.substr(0, text.size() - 1));
    for (char& ch : rank) ch = static_cast<char>(std::toupper(static_cast<unsigned char>(ch)));
    for (int r = 0; r < 13; ++r)
        if (rank == kRankText[r]) return static_cast<int>(suit) * 13 + r + 1;
    return kNoCard;
}

std::vector<int> parseCards(std::string_view text) {
    std::vector<int> codes;
    std::size_t i = 0;
    while (i < text.size()) {
        while (i < text.size() && (text[i] == ' ' || text[i] == ',')) ++i;
        std::size_t j = i;
        while (j < text.size() && text[j] != ' ' && text[j] != ',') ++j;
        if (j > i) codes.push_back(parseCard(text.substr(i, j - i)));
        i = j;
    }
    return codes;
}

std::string cardNotation(int code) {
    if (!isValidCard(code)) return "--";
    return std::string(kRankText[rankOf(code)]) + kSuitLetters[suitOf(code)];
}

}  // namespace vornak
