// Whether a computer seat takes from the pile, from which position, and with
// which meld. A fixed sequence of searches over hand and pile: a later find
// replaces an earlier one, except that the stop-at-first searches settle the
// decision at once.
#include "core/game.h"

namespace vornak {

namespace {

// The searches of one decision. Pile position 0 and hand position 0 never
// hold a card, so every loop starts at 1.
// Two cards can stand in one meld only when they share a rank or lie within
// two codes of each other; the searches skip the pairs that cannot.
bool mayShareMeld(int x, int y) {
    return x % 13 == y % 13 || (x - y <= 2 && y - x <= 2);
}

class PilePicker {
public:
    PilePicker(Game& game, int seat)
        : g_(game), hand_(game.Seats[seat].Cards), pile_(game.Seats[0].PileCards) {}

    bool meld(int a, int b, int c) const { return g_.IsSet(a, b, c) || g_.IsRun(a, b, c); }

    // One hand card h with pile cards j < k; the deepest taken card is j.
    // Returns true on a find (the last find of the scan is kept).
    bool scanHandPilePile(int h) {
        bool found = false;
        const int p = pile_.count;
        for (int j = 1; j <= p - 1; ++j) {
            if (!mayShareMeld(h, pile_[j])) continue;
            for (int k = j + 1; k <= p; ++k)
                if (meld(h, pile_[j], pile_[k])) {
                    takeHPP(h, j, k);
                    found = true;
                }
        }
        return found;
    }

    // The first hand card, in hand order, that melds with two pile cards.
    bool firstHandPilePile() {
        const int n = hand_.count;
        const int p = pile_.count;
        for (int d = 1; d <= n; ++d)
            for (int j = 1; j <= p - 1; ++j) {
                if (!mayShareMeld(hand_[d], pile_[j])) continue;
                for (int k = j + 1; k <= p; ++k)
                    if (meld(hand_[d], pile_[j], pile_[k])) {
                        takeHPP(hand_[d], j, k);
                        return true;
                    }
            }
        return false;
    }

    // Two hand cards a < b (a from 1 to aLast) with a pile card at k in
    // kFirst..kLast; a is the outer loop, k the inner one.
    void scanHandHandPile(int aLast, int kFirst, int kLast) {
        const int n = hand_.count;
        if (kFirst < 1) kFirst = 1;
        if (kLast > pile_.count) kLast = pile_.count;
        for (int a = 1; a <= aLast && a <= n - 1; ++a)
            for (int b = a + 1; b <= n; ++b) {
                if (!mayShareMeld(hand_[a], hand_[b])) continue;
                for (int k = kFirst; k <= kLast; ++k)
                    if (meld(hand_[a], hand_[b], pile_[k])) takeHHP(a, b, k);
            }
    }

    // For d = 1, 2, ...: scan every pile pair with hand card d; stop after
    // the d that leaves the decision taken (also when it was taken before).
    void handCardsUntilTaken() {
        const int n = hand_.count;
        for (int d = 1; d <= n; ++d) {
            scanHandPilePile(hand_[d]);
            if (g_.PickFromPile) break;
        }
    }

private:
    void takeHPP(int h, int j, int k) {
        g_.PickFromPile = true;
        g_.PickIndex = j;
        g_.Selection[1] = h;
        g_.Selection[2] = pile_[j];
        g_.Selection[3] = pile_[k];
    }
    void takeHHP(int a, int b, int k) {
        g_.PickFromPile = true;
        g_.PickIndex = k;
        g_.Selection[1] = hand_[a];
        g_.Selection[2] = hand_[b];
        g_.Selection[3] = pile_[k];
    }

    Game& g_;
    const CardList& hand_;
    const CardList& pile_;
};

bool pairwiseApart(int a, int b, int c) {
    const bool ranksDiffer = a % 13 != b % 13 && a % 13 != c % 13 && b % 13 != c % 13;
    auto adjacent = [](int x, int y) { return x - y == 1 || y - x == 1; };
    return ranksDiffer && !adjacent(a, b) && !adjacent(a, c) && !adjacent(b, c);
}

}  // namespace

void Game::ChoosePilePick(int seat) {
    DecisionScope scope(*this, "ChoosePilePick", seat);
    if (seat < 1 || seat > 4) return;
    SeatRec& me = Seats[seat];
    const int n = me.CardCount();
    const int p = Seats[0].PileCount();
    const int S = Seats[0].CardCount();
    PilePicker pick(*this, seat);

    // A seat always keeps a card to discard after the meld it takes.
    auto keepACard = [&] {
        if (PickFromPile && ((n == 1 && PickIndex == p - 1) || (n == 2 && PickIndex == p)))
            PickFromPile = false;
    };

    if (n != 3) {
        const CardList before = me.Cards;
        ArrangeHand(seat);
        const bool startedWithMeld = n >= 3 && pick.meld(before[1], before[2], before[3]);
        if (startedWithMeld && !me.HasLaidDown) {
            pick.scanHandHandPile(n - 1, p, p);
        } else if (pick.firstHandPilePile()) {
            keepACard();
            return;
        }
    } else {
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
    if ((seat == 2 && BeginnerChosen) || (seat == 1 && VipChosen)) {
        pick.handCardsUntilTaken();
        for (int k = 1; k <= p; ++k) {
            pick.scanHandHandPile(n - 1, k, k);
            if (PickFromPile) break;
        }
    }

    keepACard();
}

}  // namespace vornak
