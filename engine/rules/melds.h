// What the game accepts as a meld, which cards may be laid off later, when
// the person may take from the pile and which discards draw a warning. All
// of them are functions of a table; the few that write only update the
// lay-off lists.
#pragma once

#include <algorithm>
#include <array>
#include <cstddef>
#include <cstdint>
#include <initializer_list>

#include "core/cards.h"
#include "core/table.h"

namespace vornak {

namespace detail {

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
// Every card code, bits 1..52.
constexpr std::uint64_t kAllCards = ((std::uint64_t{1} << 53) - 1) & ~std::uint64_t{1};
// The sets a computer seat refuses: the three 2s without the 2 of clubs, the
// three Qs without the Q of spades.
constexpr std::uint64_t kRefusedTwos = maskOf({14, 27, 40});
constexpr std::uint64_t kRefusedQueens = maskOf({11, 24, 37});

// The number of bits set, in a few instructions: std::popcount is a library
// call on processors the build may not assume have the instruction.
constexpr int countOf(std::uint64_t m) {
    m = m - ((m >> 1) & 0x5555555555555555ULL);
    m = (m & 0x3333333333333333ULL) + ((m >> 2) & 0x3333333333333333ULL);
    m = (m + (m >> 4)) & 0x0F0F0F0F0F0F0F0FULL;
    return static_cast<int>((m * 0x0101010101010101ULL) >> 56);
}
static_assert(countOf(0) == 0 && countOf(~std::uint64_t{0}) == 64 &&
              countOf(0x8000000000000101ULL) == 3);

// The four suits' rows of a card set, each from bit 0 (the 2) to bit 12
// (the ace).
struct SuitRows {
    std::uint64_t clubs, diamonds, hearts, spades;
};
constexpr SuitRows suitRows(std::uint64_t set) {
    constexpr std::uint64_t kRow = 0x1FFF;  // the 13 codes of a suit
    return {(set >> 1) & kRow, (set >> 14) & kRow, (set >> 27) & kRow, (set >> 40) & kRow};
}

constexpr std::uint64_t bit(int code) {
    return code >= 0 && code < 64 ? std::uint64_t{1} << code : 0;
}
// The four cards of the rank of each code 1..52 (0 elsewhere), looked up
// by the code itself.
constexpr std::array<std::uint64_t, 64> kRankCards = [] {
    std::array<std::uint64_t, 64> ranks{};
    for (int c = 1; c <= 52; ++c) {
        const int r = c % 13;
        const int first = r == 0 ? 13 : r;
        ranks[static_cast<std::size_t>(c)] =
            bit(first) | bit(first + 13) | bit(first + 26) | bit(first + 39);
    }
    return ranks;
}();
// The four cards of the rank of `code` (a valid card).
constexpr std::uint64_t rankCards(int code) {
    return kRankCards[static_cast<std::size_t>(code) & 63u];
}
// Bit l for every code l that starts three consecutive codes of `set`.
constexpr std::uint64_t runStarts(std::uint64_t set) {
    return set & (set >> 1) & (set >> 2);
}

}  // namespace detail

// Three cards of one rank, as `seat` may lay them: the computer seats refuse
// the three 2s without the 2 of clubs and the three Qs without the Q of
// spades.
inline bool IsSet(const Table&, int seat, int c1, int c2, int c3) {
    if (!isValidCard(c1) || !isValidCard(c2) || !isValidCard(c3)) return false;
    const int r = c1 % 13;
    if (c2 % 13 != r || c3 % 13 != r) return false;
    if (c1 == c2 || c2 == c3 || c1 == c3) return false;
    if (seat != kHuman) {
        const int low = std::min({c1, c2, c3});
        const int high = std::max({c1, c2, c3});
        if (low == 14 || high == 37) return false;
    }
    return true;
}

// Three consecutive cards of one suit, as `seat` may lay them now.
inline bool IsRun(const Table& t, int seat, int c1, int c2, int c3) {
    if (!isValidCard(c1) || !isValidCard(c2) || !isValidCard(c3)) return false;
    // The lowest and highest two apart, the third between them.
    const int low = std::min({c1, c2, c3});
    const int high = std::max({c1, c2, c3});
    if (high - low != 2 || c1 + c2 + c3 - low - high != low + 1) return false;
    // A run stays inside its suit: Q-K-A is the highest, no wrap-around.
    if (detail::inMask(detail::kKingOrAce, low)) return false;
    // While the stock still holds three cards, computer seats also pass over
    // the runs starting on the 3 or 4 of clubs and the 8 or 9 of spades.
    if (seat != kHuman && t.Seats[0].CardCount() >= 3 &&
        detail::inMask(detail::kPassedRunStarts, low))
        return false;
    return true;
}

inline bool IsMeld(const Table& t, int seat, int c1, int c2, int c3) {
    return IsSet(t, seat, c1, c2, c3) || IsRun(t, seat, c1, c2, c3);
}

// The cards of a list as a set: bit c for each card code among its entries.
inline std::uint64_t cardSet(const CardList& list) {
    return list.mask();
}

// Calls f(x, y) for each pair of cards of `set` that could stand in one
// meld with `c`: two others of its rank, or two of the codes within two of
// it. Whether they do is for the rules to say.
template <class F>
void forMeldPartners(int c, std::uint64_t set, F&& f) {
    if (!isValidCard(c)) return;
    auto has = [set](int x) { return isValidCard(x) && ((set >> x) & 1u) != 0; };
    const int r = c % 13;
    const int first = r == 0 ? 13 : r;
    int same[3] = {0, 0, 0};
    int n = 0;
    for (int suit = 0; suit < 4; ++suit) {
        const int x = first + 13 * suit;
        if (x != c && has(x)) same[n++] = x;
    }
    for (int i = 0; i < n; ++i)
        for (int j = i + 1; j < n; ++j) f(same[i], same[j]);
    if (has(c - 2) && has(c - 1)) f(c - 2, c - 1);
    if (has(c - 1) && has(c + 1)) f(c - 1, c + 1);
    if (has(c + 1) && has(c + 2)) f(c + 1, c + 2);
}

// The run starts `seat` may not lay now (IsRun's refusals as a mask).
inline std::uint64_t barredRunStarts(const Table& t, int seat) {
    const bool passes = seat != kHuman && t.Seats[0].CardCount() >= 3;
    return detail::kKingOrAce | (passes ? detail::kPassedRunStarts : 0);
}

// Does `c` make a meld, as `seat` may lay it, with two other cards of
// `set`? The same answer as putting every pair of the set to IsMeld, read
// off the set's bits: a run is three consecutive codes from a start that
// is not barred, a set two more cards of the rank (not the three refused
// ones).
inline bool meldsWithTwoOf(int c, std::uint64_t set, std::uint64_t barredStarts, bool refuses) {
    if (!isValidCard(c)) return false;
    const std::uint64_t self = std::uint64_t{1} << c;
    const std::uint64_t with = (set & detail::kAllCards) | self;
    const std::uint64_t starts = self | (self >> 1) | (self >> 2);
    if ((detail::runStarts(with) & starts & ~barredStarts) != 0) return true;
    const std::uint64_t same = set & detail::rankCards(c) & ~self;
    const std::uint64_t second = same & (same - 1);  // with the lowest taken out
    if (second == 0) return false;                   // fewer than two
    if ((second & (second - 1)) != 0) return true;   // three: one pair is never refused
    const std::uint64_t three = same | self;
    return !refuses || (three != detail::kRefusedTwos && three != detail::kRefusedQueens);
}
inline bool meldsWithTwoOf(const Table& t, int seat, int c, std::uint64_t set) {
    return meldsWithTwoOf(c, set, barredRunStarts(t, seat), seat != kHuman);
}

// The cards of `cards` for which meldsWithTwoOf(c, set, ...) holds, all at
// once. A run: two of the set right above the card, one on each side, or
// two right below it, from a start that is not barred. A set: the card's
// rank in at least two of the other three suits' rows of the set, except
// the refused three (a 2 with the other two of 2 D, H, S while the 2 of
// clubs is not in the set, and so for the Qs without the Q of spades).
constexpr std::uint64_t meldingWithTwoOf(std::uint64_t cards, std::uint64_t set,
                                         std::uint64_t barredStarts, bool refuses) {
    set &= detail::kAllCards;
    const std::uint64_t open = ~barredStarts;
    const std::uint64_t runs = ((set >> 1) & (set >> 2) & open) |
                               ((set << 1) & (set >> 1) & (open << 1)) |
                               ((set << 2) & (set << 1) & (open << 2));
    const auto [r0, r1, r2, r3] = detail::suitRows(set);
    auto twoOf = [](std::uint64_t a, std::uint64_t b, std::uint64_t c) {
        return (a & b) | (a & c) | (b & c);
    };
    std::uint64_t sets = twoOf(r1, r2, r3) << 1 | twoOf(r0, r2, r3) << 14 |
                         twoOf(r0, r1, r3) << 27 | twoOf(r0, r1, r2) << 40;
    if (refuses) {
        if ((set & detail::bit(kTwoOfClubs)) == 0) sets &= ~detail::kRefusedTwos;
        if ((set & detail::bit(kQueenOfSpades)) == 0) sets &= ~detail::kRefusedQueens;
    }
    return cards & detail::kAllCards & (runs | sets);
}

// The codes x for which {a, b, x} may be a meld: the other cards of their
// rank, or the codes that complete three in a row. Whether one is, is for
// the rules to say.
constexpr std::uint64_t thirdCardsFor(int a, int b) {
    if (!isValidCard(a) || !isValidCard(b)) return 0;
    if ((detail::rankCards(a) & detail::bit(b)) != 0)
        return detail::rankCards(a) & ~detail::bit(a) & ~detail::bit(b);
    const int low = std::min(a, b), high = std::max(a, b);
    std::uint64_t m = 0;
    if (high - low == 1) m = detail::bit(low - 1) | detail::bit(high + 1);
    if (high - low == 2) m = detail::bit(low + 1);
    return m & detail::kAllCards;
}

// Sorts entries 1..3 ascending.
void SortSelection(Meld& meld);

// May the person lay these three hand cards down now?
bool CheckLaidMeld(const Table& t, int c1, int c2, int c3);
// May the person take the pile from this position (1 = its bottom card)?
bool CanPickFromPile(const Table& t, int position);

// The lay-off lists after `meld` went onto the table.
void AddLayOffTargets(Table& t, const Meld& meld);
// ... and after `code` was laid off onto a run.
void AddRunLayOffNeighbours(Table& t, int code);

// Does discarding `discard` leave two cards of a speto meld with `pileCard`?
bool IsSpetoPartner(int discard, int pileCard);
bool RaisesSpetoWarning(const Table& t, int discard);  // against the pile
// A card that could have been laid off.
bool IsDummyCard(const Table& t, int code);

}  // namespace vornak
