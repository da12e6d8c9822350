// Whether a computer seat takes from the pile, from which position, and with
// which meld. A fixed sequence of searches over hand and pile: a later find
// replaces an earlier one, except that the stop-at-first searches settle the
// decision at once.
#include <algorithm>
#include <array>
#include <cstdint>

#include "ai/decisions.h"
#include "ai/search.h"
#include "core/report.h"
#include "rules/melds.h"

namespace vornak {

namespace {

// The searches of one decision. Pile position 0 and hand position 0 never
// hold a card, so every loop starts at 1.
class PilePicker {
public:
    PilePicker(const Table& t, int seat, const CardList& hand, PilePick& d)
        : t_(t),
          seat_(seat),
          hand_(hand),
          pile_(t.Seats[0].PileCards),
          d_(d),
          barred_(barredRunStarts(t, seat)),
          pileSet_(cardSet(pile_)) {}

    // The hand is in place (arranged or as dealt): the searches read its
    // cards from here on.
    void handSettled() {
        handSet_ = cardSet(hand_);
        melders_ = meldingWithTwoOf(handSet_, pileSet_, barred_, seat_ != kHuman);
    }

    bool meld(int a, int b, int c) const {
        return IsSet(t_, seat_, a, b, c) || IsRun(t_, seat_, a, b, c);
    }

    // One hand card h with pile cards j < k; the deepest taken card is j.
    // Of the pairs that meld with h, the scan in loop order (j outer, k
    // inner) would end on the last and stop at once on the first. Only the
    // pile cards that could meld with h are looked at.
    // h is one of the hand cards that meld with two pile cards.
    bool pilePairFor(int h, bool last, int& j, int& k) const {
        bool found = false;
        forMeldPartners(h, pileSet_, [&](int x, int y) {
            if (!meld(h, x, y)) return;
            const int px = pileAt(x), py = pileAt(y);
            const int pj = std::min(px, py), pk = std::max(px, py);
            const bool better = !found || (last ? (pj > j || (pj == j && pk > k))
                                                : (pj < j || (pj == j && pk < k)));
            if (better) {
                j = pj;
                k = pk;
                found = true;
            }
        });
        return found;
    }

    // Scans every pile pair with h; returns true on a find (the last find of
    // the scan is kept).
    bool scanHandPilePile(int h, std::uint64_t melders) {
        int j = 0, k = 0;
        if (!detail::inMask(melders, h) || !pilePairFor(h, true, j, k)) return false;
        takeHPP(h, j, k);
        return true;
    }

    // The first hand card, in hand order, that melds with two pile cards.
    bool firstHandPilePile() {
        for (int d = 1; melders_ != 0 && d <= hand_.count; ++d) {
            int j = 0, k = 0;
            if (detail::inMask(melders_, hand_[d]) && pilePairFor(hand_[d], false, j, k)) {
                takeHPP(hand_[d], j, k);
                return true;
            }
        }
        return false;
    }

    // Two hand cards a < b (a from 1 to aLast) with a pile card at k in
    // kFirst..kLast; a is the outer loop, k the inner one. The scan keeps
    // its last find, which is the first one counting down.
    void scanHandHandPile(int aLast, int kFirst, int kLast) {
        const int n = hand_.count;
        if (kFirst < 1) kFirst = 1;
        if (kLast > pile_.count) kLast = pile_.count;
        std::uint64_t window = 0;  // the pile cards at kFirst..kLast
        for (int k = kFirst; k <= kLast; ++k) window |= detail::bit(pile_[k]);
        // Only a window card that melds with two hand cards can be found.
        if (meldingWithTwoOf(window, handSet_, barred_, seat_ != kHuman) == 0) return;
        for (int a = std::min(aLast, n - 1); a >= 1; --a)
            for (int b = n; b > a; --b) {
                if ((thirdCardsFor(hand_[a], hand_[b]) & window) == 0) continue;
                for (int k = kLast; k >= kFirst; --k)
                    if (meld(hand_[a], hand_[b], pile_[k])) {
                        takeHHP(a, b, k);
                        return;
                    }
            }
    }

    // The pile cards that meld with two cards of the hand (whatever their
    // order): only for them can a scan of one pile position find anything.
    std::uint64_t pairedInHand() const {
        return meldingWithTwoOf(pileSet_, handSet_, barred_, seat_ != kHuman);
    }
    int pileCard(int k) const { return pile_[k]; }

    // For d = 1, 2, ...: scan every pile pair with hand card d; stop after
    // the d that leaves the decision taken (also when it was taken before).
    void handCardsUntilTaken() {
        const int n = hand_.count;
        for (int d = 1; d <= n; ++d) {
            scanHandPilePile(hand_[d], melders_);
            if (d_.take) break;
        }
    }

private:
    // The pile position of a card of the pile (the highest, should it lie
    // there twice).
    int pileAt(int code) const {
        for (int j = std::min(pile_.count, kMaxCards); j >= 1; --j)
            if (pile_[j] == code) return j;
        return 0;
    }
    void takeHPP(int h, int j, int k) {
        d_.take = d_.found = true;
        d_.index = j;
        d_.meld = {0, h, pile_[j], pile_[k]};
    }
    void takeHHP(int a, int b, int k) {
        d_.take = d_.found = true;
        d_.index = k;
        d_.meld = {0, hand_[a], hand_[b], pile_[k]};
    }

    const Table& t_;
    int seat_;
    const CardList& hand_;
    const CardList& pile_;
    PilePick& d_;
    std::uint64_t barred_;       // the run starts the seat may not lay
    std::uint64_t pileSet_;      // the pile's cards
    std::uint64_t handSet_ = 0;  // the hand's, once it is settled
    std::uint64_t melders_ = 0;  // the hand cards that meld with two pile cards
};

bool pairwiseApart(int a, int b, int c) {
    const bool ranksDiffer = a % 13 != b % 13 && a % 13 != c % 13 && b % 13 != c % 13;
    auto adjacent = [](int x, int y) { return x - y == 1 || y - x == 1; };
    return ranksDiffer && !adjacent(a, b) && !adjacent(a, c) && !adjacent(b, c);
}

}  // namespace

void PilePick::noteIn(Table& t) const {
    if (seat < 1 || seat > 4) return;
    if (arranged) t.Seats[static_cast<std::size_t>(seat)].Cards = hand;
    if (found) {
        t.PickIndex = index;
        t.Selection = meld;
    }
    t.PickFromPile = take;
}

namespace {

// The decision for a seat 1..4, into `d`.
void decidePilePick(const Table& t, int seat, const Level& level, GameObserver* observer,
                    PilePick& d) {
    const SeatRec& me = t.Seats[static_cast<std::size_t>(seat)];
    const int n = me.CardCount();
    const int p = t.Seats[0].PileCount();
    const int S = t.Seats[0].CardCount();
    PilePicker pick(t, seat, d.hand, d);

    // A seat always keeps a card to discard after the meld it takes.
    auto keepACard = [&] {
        if (d.take && ((n == 1 && d.index == p - 1) || (n == 2 && d.index == p))) d.take = false;
    };

    if (n != 3) {
        const CardList& before = me.Cards;
        d.hand = ArrangeHand(t, seat, observer).hand;
        d.arranged = true;
        pick.handSettled();
        const bool startedWithMeld = n >= 3 && pick.meld(before[1], before[2], before[3]);
        if (startedWithMeld && !me.HasLaidDown) {
            pick.scanHandHandPile(n - 1, p, p);
        } else if (pick.firstHandPilePile()) {
            keepACard();
            return;
        }
    } else {
        d.hand = me.Cards;
        pick.handSettled();
        const auto& h = me.Cards;
        if (pairwiseApart(h[1], h[2], h[3])) {
            if (pick.firstHandPilePile()) {
                keepACard();
                return;
            }
        } else {
            pick.scanHandHandPile(2, p - 1, p);
        }
    }

    // Late in the round a seat that has not opened looks harder.
    if (!me.HasLaidDown && S <= 8) {
        pick.handCardsUntilTaken();
        pick.scanHandHandPile(n - 1, 1, p);
    }

    // The level's extra-search seat.
    if ((seat == 2 && level.beginner) || (seat == 1 && level.vip)) {
        pick.handCardsUntilTaken();
        const std::uint64_t paired = pick.pairedInHand();
        for (int k = 1; k <= p; ++k) {
            if (detail::inMask(paired, pick.pileCard(k))) pick.scanHandHandPile(n - 1, k, k);
            if (d.take) break;
        }
    }

    keepACard();
}

}  // namespace

PilePick ChoosePilePick(const Table& t, int seat, const Level& level, GameObserver* observer) {
    DecisionScope scope(observer, "ChoosePilePick", seat, t);
    PilePick d;  // returned as it stands: its hand is not copied again
    d.seat = seat;
    if (seat < 1 || seat > 4)
        d.seat = 0;
    else
        decidePilePick(t, seat, level, observer, d);
    scope.ends(t, d, 0);
    return d;
}

}  // namespace vornak
