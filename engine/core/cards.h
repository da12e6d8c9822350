// Card codes and their names.
//
// A card is a code 1..52 (0 is "no card"): four suit blocks of 13 in the
// order clubs, diamonds, hearts, spades, each from the 2 up to the ace.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace vornak {

constexpr int kNoCard = 0;
constexpr int kTwoOfClubs = 1;      // speto
constexpr int kQueenOfSpades = 50;  // speto

// 0 = clubs, 1 = diamonds, 2 = hearts, 3 = spades.
constexpr int suitOf(int code) {
    return (code - 1) / 13;
}
// 0 = the 2, ..., 8 = the 10, 9 = J, 10 = Q, 11 = K, 12 = A.
constexpr int rankOf(int code) {
    return (code - 1) % 13;
}
constexpr bool isValidCard(int code) {
    return code >= 1 && code <= 52;
}
// Bit c of a card set for a card code c, 0 for anything else.
constexpr std::uint64_t cardBit(int code) {
    return isValidCard(code) ? std::uint64_t{1} << code : 0;
}
constexpr bool isSpeto(int code) {
    return code == kTwoOfClubs || code == kQueenOfSpades;
}
constexpr bool isTwo(int code) {
    return code == 1 || code == 14 || code == 27 || code == 40;
}
constexpr bool isAce(int code) {
    return code == 13 || code == 26 || code == 39 || code == 52;
}

// Point value of a card at the round's end: 50 for the spetos, 15 for aces,
// 10 for 10, J, Q, K, 5 for 2..9.
constexpr int cardValue(int code) {
    if (isSpeto(code)) return 50;
    if (isAce(code)) return 15;
    return rankOf(code) >= 8 ? 10 : 5;
}

// The name shown as the card's tooltip, such as "A โพดำ" ("A♠" in English).
const std::string& cardName(int code);

// Short notation used by tests and tools: rank (2-10, J, Q, K, A) followed by
// a suit letter (C, D, H, S), e.g. "10D", "QS", "2C". Returns 0 when the text
// is not a card.
int parseCard(std::string_view text);
// A blank-separated list of cards in the notation above: "3H 4H 5H".
std::vector<int> parseCards(std::string_view text);
// The notation of one code, e.g. "QS".
std::string cardNotation(int code);

}  // namespace vornak
