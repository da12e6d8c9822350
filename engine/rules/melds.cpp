// What the game accepts as a meld, which cards may be laid off later, when
// the person may take from the pile and which discards draw a warning.
#include <algorithm>
#include <array>
#include <cstdint>
#include <initializer_list>

#include "core/game.h"

namespace vornak {

namespace {

std::array<int, 3> sorted3(int c1, int c2, int c3) {
    std::array<int, 3> a{c1, c2, c3};
    std::sort(a.begin(), a.end());
    return a;
}

bool allCards(const std::array<int, 3>& a) {
    return isValidCard(a[0]) && isValidCard(a[1]) && isValidCard(a[2]);
}

bool oneOf(int code, std::initializer_list<int> codes) {
    return std::find(codes.begin(), codes.end(), code) != codes.end();
}

// Sets of card codes as bit masks, bit c for code c.
constexpr std::uint64_t maskOf(std::initializer_list<int> codes) {
    std::uint64_t m = 0;
    for (int c : codes) m |= std::uint64_t{1} << c;
    return m;
}

constexpr bool inMask(std::uint64_t mask, int code) {
    return code >= 0 && code < 64 && ((mask >> code) & 1u) != 0;
}

// The K and the A of every suit: a run may not start on them.
constexpr std::uint64_t kKingOrAce = maskOf({12, 13, 25, 26, 38, 39, 51, 52});
// Run starts a computer seat passes over while the stock holds three cards.
constexpr std::uint64_t kPassedRunStarts = maskOf({2, 3, 12, 13, 25, 26, 38, 39, 46, 47, 51, 52});

// Appends a code to a lay-off list. The lists only ever answer "is this card
// listed?", so when one is full its repeated entries are dropped to make room
// rather than losing a card that may be laid off.
void appendTarget(CardList& list, int code) {
    if (list.count >= kMaxCards) {
        if (list.contains(code)) return;
        CardList unique;
        for (int i = 1; i <= list.count; ++i)
            if (!unique.contains(list[i])) unique.push(list[i]);
        list = unique;
    }
    list.push(code);
}

}  // namespace

bool Game::IsSet(int c1, int c2, int c3) const {
    if (!isValidCard(c1) || !isValidCard(c2) || !isValidCard(c3)) return false;
    const int r = c1 % 13;
    if (c2 % 13 != r || c3 % 13 != r) return false;
    if (c1 == c2 || c2 == c3 || c1 == c3) return false;
    // Computer seats refuse the three 2s without the 2 of clubs and the three
    // Qs without the Q of spades.
    if (CurrentSeat != kHuman) {
        const int low = std::min({c1, c2, c3});
        const int high = std::max({c1, c2, c3});
        if (low == 14 || high == 37) return false;
    }
    return true;
}

bool Game::IsRun(int c1, int c2, int c3) const {
    if (!isValidCard(c1) || !isValidCard(c2) || !isValidCard(c3)) return false;
    // Three consecutive codes: the lowest and highest two apart, the third
    // between them.
    const int low = std::min({c1, c2, c3});
    const int high = std::max({c1, c2, c3});
    if (high - low != 2 || c1 + c2 + c3 - low - high != low + 1) return false;
    // A run stays inside its suit: Q-K-A is the highest, no wrap-around.
    if (inMask(kKingOrAce, low)) return false;
    // While the stock still holds three cards, computer seats also pass over
    // the runs starting on the 3 or 4 of clubs and the 8 or 9 of spades.
    if (CurrentSeat != kHuman && Seats[0].CardCount() >= 3 && inMask(kPassedRunStarts, low))
        return false;
    return true;
}

void Game::SortSelection() {
    for (int i = 1; i <= 2; ++i)
        for (int j = i + 1; j <= 3; ++j)
            if (Selection[i] > Selection[j]) std::swap(Selection[i], Selection[j]);
}

bool Game::CheckLaidMeld(int c1, int c2, int c3) const {
    // The person must keep a card for the last discard.
    if (Seats[kHuman].CardCount() == 3) return false;
    if (PickFromPile && PickedCard != c1 && PickedCard != c2 && PickedCard != c3) return false;
    return IsMeld(c1, c2, c3);
}

bool Game::CanPickFromPile(int position) const {
    const CardList& pile = Seats[0].PileCards;
    const CardList& hand = Seats[kHuman].Cards;
    const int n = pile.count;
    const int m = hand.count;
    if (position < 1 || position > n) return false;
    // Keep-a-card rule: whatever is taken, one card must remain to discard.
    if (m == 1 && position == n - 1) return false;
    if (m == 2 && position == n) return false;

    const int chosen = pile[position];
    for (int j = position + 1; j <= n; ++j)
        for (int k = 1; k <= m; ++k)
            if (IsMeld(chosen, pile[j], hand[k])) return true;
    for (int i = 1; i < m; ++i)
        for (int k = i + 1; k <= m; ++k)
            if (IsMeld(chosen, hand[i], hand[k])) return true;
    return false;
}

void Game::AddLayOffTargets() {
    // The meld is normally sorted already; a sorted copy keeps this safe if not.
    const auto s = sorted3(Selection[1], Selection[2], Selection[3]);
    if (!allCards(s)) return;
    const int s1 = s[0], s2 = s[1], s3 = s[2];
    if (s1 % 13 == s3 % 13) {
        const int r = s1 % 13;
        const int first = r == 0 ? 13 : r;
        for (int suit = 0; suit < 4; ++suit) appendTarget(SetLayOffCards, first + 13 * suit);
    } else if (s3 - s2 == 1) {
        if (isTwo(s1)) {
            appendTarget(RunLayOffCards, s3 + 1);
        } else if (!isAce(s3)) {
            appendTarget(RunLayOffCards, s1 - 1);
            appendTarget(RunLayOffCards, s3 + 1);
        } else {
            appendTarget(RunLayOffCards, s1 - 1);
        }
    }
}

void Game::AddRunLayOffNeighbours(int code) {
    if (!isValidCard(code) || isTwo(code) || isAce(code)) return;
    appendTarget(RunLayOffCards, code - 1);
    appendTarget(RunLayOffCards, code + 1);
}

bool Game::IsSpetoPartner(int discard, int pileCard) const {
    switch (discard) {
        case 1:
            return oneOf(pileCard, {2, 3, 14, 27, 40});
        case 2:
        case 3:
            return oneOf(pileCard, {1, 2, 3});
        case 14:
        case 27:
        case 40:
            return oneOf(pileCard, {1, 14, 27, 40});
        case 11:
        case 24:
        case 37:
            return oneOf(pileCard, {11, 24, 37, 50});
        case 48:
            return oneOf(pileCard, {49, 50});
        case 49:
            return oneOf(pileCard, {48, 50, 51});
        case 50:
            return oneOf(pileCard, {11, 24, 37, 48, 49, 51, 52});
        case 51:
            return oneOf(pileCard, {49, 50, 52});
        case 52:
            return oneOf(pileCard, {50, 51});
        default:
            return false;
    }
}

bool Game::RaisesSpetoWarning(int discard) const {
    const CardList& pile = Seats[0].PileCards;
    for (int i = 1; i <= pile.count; ++i)
        if (IsSpetoPartner(discard, pile[i])) return true;
    return false;
}

bool Game::IsDummyCard(int code) const {
    return isValidCard(code) && (SetLayOffCards.contains(code) || RunLayOffCards.contains(code));
}

}  // namespace vornak
