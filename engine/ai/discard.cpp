// Which card a computer seat throws away: one that is of no use to it and,
// where it can, one that feeds nobody. Then the speto cards are let go as
// the stock runs out.
#include <cmath>
#include <initializer_list>
#include <vector>

#include "ai/decisions.h"
#include "ai/search.h"
#include "core/cards.h"
#include "core/report.h"
#include "rules/melds.h"

namespace vornak {

namespace {

// Hand cards that a pile card q makes dangerous to give away: with q they
// leave two cards of a speto meld (2-3-4 of clubs, the 2s, the Qs, 10-J-Q,
// J-Q-K and Q-K-A of spades).
bool spetoPartnerOnPile(int q, int c) {
    auto among = [c](std::initializer_list<int> codes) {
        for (int x : codes)
            if (x == c) return true;
        return false;
    };
    switch (q) {
        case 1:
            return among({2, 3, 14, 27, 40});
        case 2:
            return among({1, 3});
        case 3:
            return among({1, 2});
        case 14:
            return among({1, 27, 40});
        case 27:
            return among({1, 14, 40});
        case 40:
            return among({1, 14, 27});
        case 11:
            return among({24, 37, 50});
        case 24:
            return among({11, 37, 50});
        case 37:
            return among({11, 24, 50});
        case 48:
            return among({49, 50});
        case 49:
            return among({48, 50, 51});
        case 50:
            return among({11, 24, 37, 48, 49, 51, 52});
        case 51:
            return among({49, 50, 52});
        case 52:
            return among({50, 51});
        default:
            return false;
    }
}

// Does c make a meld with some pair of the list's cards?
bool meldsWithPair(const Table& t, int seat, int c, const CardList& cards) {
    for (int j = 1; j <= cards.count - 1; ++j) {
        const int x = cards[j];
        if (!mayShareMeld(c, x)) continue;
        for (int k = j + 1; k <= cards.count; ++k) {
            const int y = cards[k];
            if (IsSet(t, seat, c, x, y) || IsRun(t, seat, c, x, y)) return true;
        }
    }
    return false;
}

// A draw of 1..m, uniform for m up to 19 (larger m: uniform over 1..19).
int uniformPick(Random& random, int m) {
    if (m < 1) return 1;
    for (int tries = 0; tries < 10000; ++tries) {
        const int r = static_cast<int>(std::floor(random.next() * 20));
        if (r >= 1 && r <= m) return r;
    }
    return 1;  // only a broken random source gets here
}

// A draw of 1..m-1 (1 when m is 1): never the last entry.
int lowPick(Random& random, int m) {
    return static_cast<int>(std::floor(random.next() * (m - 1) + 1));
}

int at(const std::vector<int>& list, int oneBased) {
    return (oneBased >= 1 && oneBased <= static_cast<int>(list.size()))
               ? list[static_cast<std::size_t>(oneBased - 1)]
               : 0;
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

    // Safe: no lay-off card and no speto partner of a pile card.
    std::vector<int> safe;
    for (int i = 1; i <= n; ++i) {
        const int c = hand[i];
        bool unsafe = t.SetLayOffCards.contains(c) || t.RunLayOffCards.contains(c);
        for (int q = 1; q <= pile.count && !unsafe; ++q) unsafe = spetoPartnerOnPile(pile[q], c);
        if (!unsafe) safe.push_back(i);
    }

    // Lone: no meld with two pile cards nor with two hand cards.
    std::vector<int> lone;
    for (int i = 1; i <= n; ++i) {
        const int c = hand[i];
        if (!meldsWithPair(t, seat, c, pile) && !meldsWithPair(t, seat, c, hand)) lone.push_back(i);
    }
    const int safeCount = static_cast<int>(safe.size());
    const int loneCount = static_cast<int>(lone.size());

    if (level.beginner) {
        if (loneCount > 0 && safeCount > 0)
            pos = at(lone, uniformPick(random, loneCount));
        else if (safeCount > 0)
            pos = at(safe, uniformPick(random, safeCount));
        else if (loneCount == 0)
            pos = lowPick(random, n);
        // A lone card that is not safe: the last card goes.
    } else if (loneCount > 0) {
        // Keep the person from completing a meld with two of their cards.
        std::vector<int> humanSafe;
        for (int i : lone)
            if (!meldsWithPair(t, seat, hand[i], t.Seats[kHuman].Cards)) humanSafe.push_back(i);
        if (!humanSafe.empty()) {
            pos = at(humanSafe, uniformPick(random, static_cast<int>(humanSafe.size())));
        } else {
            int r = 0;
            do r = lowPick(random, loneCount);
            while (r < 1 || r > loneCount);
            pos = at(lone, r);
        }
    } else if (safeCount > 0) {
        pos = at(safe, lowPick(random, safeCount));
    } else {
        pos = lowPick(random, n);
    }

    // The speto cards go as the stock runs out.
    int speto = 0;
    for (int i = 1; i <= n; ++i)
        if (isSpeto(hand[i])) speto = i;
    if (speto != 0) {
        if (stock > 5 && stock < 20) {
            for (int i : lone)
                if (isSpeto(hand[i])) pos = i;
        } else if (stock <= 5) {
            pos = speto;
        }
    }

    if (pos <= 0) pos = 1;
    d.pos = pos;
    return scope.ends(t, d, 0);
}

}  // namespace vornak
