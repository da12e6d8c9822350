// Which card a computer seat throws away: one that is of no use to it and,
// where it can, one that feeds nobody. Then the speto cards are let go as
// the stock runs out.
#include <algorithm>
#include <bit>
#include <cmath>
#include <cstdint>
#include <initializer_list>

#include "ai/decisions.h"
#include "ai/search.h"
#include "core/cards.h"
#include "core/report.h"
#include "rules/melds.h"

namespace vornak {

namespace {

// Hand cards that a pile card q makes dangerous to give away: with q they
// leave two cards of a speto meld (2-3-4 of clubs, the 2s, the Qs, 10-J-Q,
// J-Q-K and Q-K-A of spades). Bit c for hand card c.
constexpr std::uint64_t spetoPartnersOnPile(int q) {
    auto set = [](std::initializer_list<int> codes) {
        std::uint64_t m = 0;
        for (int c : codes) m |= std::uint64_t{1} << c;
        return m;
    };
    switch (q) {
        case 1:
            return set({2, 3, 14, 27, 40});
        case 2:
            return set({1, 3});
        case 3:
            return set({1, 2});
        case 14:
            return set({1, 27, 40});
        case 27:
            return set({1, 14, 40});
        case 40:
            return set({1, 14, 27});
        case 11:
            return set({24, 37, 50});
        case 24:
            return set({11, 37, 50});
        case 37:
            return set({11, 24, 50});
        case 48:
            return set({49, 50});
        case 49:
            return set({48, 50, 51});
        case 50:
            return set({11, 24, 37, 48, 49, 51, 52});
        case 51:
            return set({49, 50, 52});
        case 52:
            return set({50, 51});
        default:
            return 0;
    }
}

// The pile cards that have speto partners at all.
constexpr std::uint64_t kSpetoRelated = [] {
    std::uint64_t m = 0;
    for (int q = 1; q <= 52; ++q)
        if (spetoPartnersOnPile(q) != 0) m |= std::uint64_t{1} << q;
    return m;
}();

// The hand positions whose card is outside a mask, counted and picked by
// number in hand order. A hand of distinct cards (the usual one) is counted
// off its mask; any other walks its entries, and like any list of positions
// holds no more than kMaxCards of them.
struct FreeCards {
    const CardList& hand;
    std::uint64_t handSet;
    int n;
    bool distinct;  // n entries, every one a card, none twice

    // The positions whose card is outside `out`, among the first kMaxCards
    // positions whose card is outside `within` (a part of `out`).
    int count(std::uint64_t out, std::uint64_t within) const {
        if (distinct) return n - detail::countOf(handSet & out);
        int c = 0, seen = 0;
        for (int i = 1; i <= n; ++i) {
            const int card = hand[i];
            if (detail::inMask(within, card)) continue;
            if (seen++ == kMaxCards) break;
            if (!detail::inMask(out, card)) ++c;
        }
        return c;
    }
    // The k-th of the `count` positions outside `out`; 0 for k outside 1..count.
    int nth(std::uint64_t out, int k, int count) const {
        if (k < 1 || k > count) return 0;
        for (int i = 1; i <= n; ++i)
            if (!detail::inMask(out, hand[i]) && --k == 0) return i;
        return 0;
    }
};

// A draw of 1..m, uniform for m up to 19 (larger m: uniform over 1..19).
int uniformPick(Random& random, int m) {
    if (m < 1) return 1;
    return random.drawIn(20, 1, m, 10000, 1);  // 1 after 10000 misses: a broken source
}

// A draw of 1..m-1 (1 when m is 1): never the last entry.
int lowPick(Random& random, int m) {
    return static_cast<int>(std::floor(random.next() * (m - 1) + 1));
}

}  // namespace

void DiscardChoice::noteIn(Table& t) const {
    t.SelectedCard = pos;
}

DiscardChoice ChooseDiscard(const Table& t, int seat, const Level& level, Random& random,
                            GameObserver* observer) {
    DecisionScope scope(observer, "ChooseDiscard", seat, t);
    DiscardChoice d;
    if (seat < 1 || seat > 4) return scope.ends(t, d, 0);
    const CardList& hand = t.Seats[static_cast<std::size_t>(seat)].Cards;
    const CardList& pile = t.Seats[0].PileCards;
    const int n = hand.count;
    const int stock = t.Seats[0].CardCount();
    int pos = n;

    const std::uint64_t pileSet = cardSet(pile), handSet = cardSet(hand);

    // Lone: no meld with two pile cards nor with two hand cards.
    const std::uint64_t barred = barredRunStarts(t, seat);
    const bool refuses = seat != kHuman;
    const std::uint64_t kept = meldingWithTwoOf(handSet, pileSet, barred, refuses) |
                               meldingWithTwoOf(handSet, handSet, barred, refuses);
    const FreeCards cards{hand, handSet, n, detail::countOf(handSet) == n};
    const int loneCount = cards.count(kept, kept);

    // Safe: no lay-off card and no speto partner of a pile card. Only a
    // beginner, or a seat without a lone card, asks.
    std::uint64_t unsafe = 0;
    int safeCount = 0;
    if (level.beginner || loneCount == 0) {
        std::uint64_t partners = 0;
        for (std::uint64_t q = pileSet & kSpetoRelated; q != 0; q &= q - 1)
            partners |= spetoPartnersOnPile(std::countr_zero(q));
        unsafe = cardSet(t.SetLayOffCards) | cardSet(t.RunLayOffCards) | partners;
        safeCount = cards.count(unsafe, unsafe);
    }

    if (level.beginner) {
        if (loneCount > 0 && safeCount > 0)
            pos = cards.nth(kept, uniformPick(random, loneCount), loneCount);
        else if (safeCount > 0)
            pos = cards.nth(unsafe, uniformPick(random, safeCount), safeCount);
        else if (loneCount == 0)
            pos = lowPick(random, n);
        // A lone card that is not safe: the last card goes.
    } else if (loneCount > 0) {
        // Keep the person from completing a meld with two of their cards.
        const std::uint64_t feedsPerson =
            kept | meldingWithTwoOf(handSet, cardSet(t.Seats[kHuman].Cards), barred, refuses);
        const int humanSafeCount = cards.count(feedsPerson, kept);
        if (humanSafeCount > 0) {
            pos = cards.nth(feedsPerson, uniformPick(random, humanSafeCount), humanSafeCount);
        } else {
            int r = 0;
            do r = lowPick(random, loneCount);
            while (r < 1 || r > loneCount);
            pos = cards.nth(kept, r, loneCount);
        }
    } else if (safeCount > 0) {
        pos = cards.nth(unsafe, lowPick(random, safeCount), safeCount);
    } else {
        pos = lowPick(random, n);
    }

    // The speto cards go as the stock runs out: below 20 cards the last lone
    // one, from 5 cards on the last one of all.
    constexpr std::uint64_t kSpetos = detail::bit(kTwoOfClubs) | detail::bit(kQueenOfSpades);
    if ((handSet & kSpetos) != 0 && stock < 20) {
        const std::uint64_t passed = stock > 5 ? kept : 0;
        for (int i = std::min(n, kMaxCards); i >= 1; --i)
            if (isSpeto(hand[i]) && !detail::inMask(passed, hand[i])) {
                pos = i;
                break;
            }
    }

    if (pos <= 0) pos = 1;
    d.pos = pos;
    return scope.ends(t, d, 0);
}

}  // namespace vornak
