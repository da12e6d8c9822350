// The card moves on the table: the draw, the pick from the pile, the
// lay-down with its speto penalty, the lay-off, the end of the turn with the
// knock and the fool, the dark knock.
#include "rules/cardmoves.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <utility>
#include <vector>

#include "core/cards.h"
#include "core/report.h"
#include "rules/melds.h"

namespace vornak {

namespace {

constexpr int kMaxMeldGroups = 20;  // MeldStarts holds entries 1..20

bool validSeat(int seat) {
    return seat >= 1 && seat <= 4;
}

SeatRec& seatOf(Table& t, int seat) {
    return t.Seats[static_cast<std::size_t>(seat)];
}

// Every meld or lay-off opens a group of the seat's laid cards.
void openGroup(SeatRec& me) {
    ++me.MeldCount;
    const int g = me.MeldCount;
    if (g >= 1 && g <= kMaxMeldGroups) me.MeldStarts[static_cast<std::size_t>(g)] = me.PileCount();
}

using FeedFlags = std::array<bool, 5>;
using FeedMember = FeedFlags Table::*;

// One row of the feed table: discarding `discard` while `pileCard` lies in
// the pile hands the next seat two cards of a speto meld.
struct FeedRule {
    int discard;
    std::array<int, 4> pileCards;     // 0 ends the list
    std::array<FeedMember, 2> flags;  // nullptr when only one
    std::uint64_t pileSet() const {
        std::uint64_t set = 0;
        for (int c : pileCards) set |= cardBit(c);
        return set;
    }
};

const std::array<FeedRule, 23> kFeedRules = {{
    {1, {2, 3, 0, 0}, {&Table::FeedsClubsRun, nullptr}},
    {1, {14, 27, 40, 0}, {&Table::FeedsTwos, nullptr}},
    {2, {1, 2, 3, 0}, {&Table::FeedsClubsRun, nullptr}},
    {3, {1, 2, 3, 0}, {&Table::FeedsClubsRun, nullptr}},
    {14, {1, 14, 27, 40}, {&Table::FeedsTwos, nullptr}},
    {27, {1, 14, 27, 40}, {&Table::FeedsTwos, nullptr}},
    {40, {1, 14, 27, 40}, {&Table::FeedsTwos, nullptr}},
    {11, {11, 24, 37, 50}, {&Table::FeedsQueens, nullptr}},
    {24, {11, 24, 37, 50}, {&Table::FeedsQueens, nullptr}},
    {37, {11, 24, 37, 50}, {&Table::FeedsQueens, nullptr}},
    {48, {49, 50, 0, 0}, {&Table::FeedsTenToQueen, nullptr}},
    {49, {48, 0, 0, 0}, {&Table::FeedsTenToQueen, nullptr}},
    {49, {50, 0, 0, 0}, {&Table::FeedsTenToQueen, &Table::FeedsJackToKing}},
    {49, {51, 0, 0, 0}, {&Table::FeedsJackToKing, nullptr}},
    {50, {48, 0, 0, 0}, {&Table::FeedsTenToQueen, nullptr}},
    {50, {49, 0, 0, 0}, {&Table::FeedsTenToQueen, &Table::FeedsJackToKing}},
    {50, {51, 0, 0, 0}, {&Table::FeedsJackToKing, &Table::FeedsQueenToAce}},
    {50, {52, 0, 0, 0}, {&Table::FeedsQueenToAce, nullptr}},
    {50, {11, 24, 37, 0}, {&Table::FeedsQueens, nullptr}},
    {51, {49, 0, 0, 0}, {&Table::FeedsJackToKing, nullptr}},
    {51, {50, 0, 0, 0}, {&Table::FeedsJackToKing, &Table::FeedsQueenToAce}},
    {51, {52, 0, 0, 0}, {&Table::FeedsQueenToAce, nullptr}},
    {52, {50, 51, 0, 0}, {&Table::FeedsQueenToAce, nullptr}},
}};

// The discards that some feed rule names.
const std::uint64_t kFeedDiscards = [] {
    std::uint64_t set = 0;
    for (const FeedRule& rule : kFeedRules) set |= cardBit(rule.discard);
    return set;
}();

// The six feed flags, by bit in a rule's flag set.
constexpr std::array<FeedMember, 6> kFeedFlags = {&Table::FeedsClubsRun,   &Table::FeedsTwos,
                                                  &Table::FeedsQueens,     &Table::FeedsTenToQueen,
                                                  &Table::FeedsJackToKing, &Table::FeedsQueenToAce};

// The feed rules of one discard: the pile cards of each and the flags it gives.
struct DiscardFeeds {
    int count = 0;
    std::array<std::uint64_t, 8> pileSets{};
    std::array<unsigned, 8> flags{};
};

const std::array<DiscardFeeds, 53> kFeedsByDiscard = [] {
    std::array<DiscardFeeds, 53> byDiscard{};
    for (const FeedRule& rule : kFeedRules) {
        DiscardFeeds& feeds = byDiscard[static_cast<std::size_t>(rule.discard)];
        unsigned flags = 0;
        for (std::size_t f = 0; f < kFeedFlags.size(); ++f)
            if (rule.flags[0] == kFeedFlags[f] || rule.flags[1] == kFeedFlags[f]) flags |= 1u << f;
        feeds.pileSets[static_cast<std::size_t>(feeds.count)] = rule.pileSet();
        feeds.flags[static_cast<std::size_t>(feeds.count)] = flags;
        ++feeds.count;
    }
    return byDiscard;
}();

// The seat before `seat` in the direction of play.
int previousSeat(int seat, bool forward) {
    if (forward) return seat == 1 ? 4 : seat - 1;
    return seat == 4 ? 1 : seat + 1;
}

// The steering walk, pair by pair in loop order (i < j): the two top stock
// cards swap unless the pair melds with the one on top. Whether they end
// swapped; the walk itself, for hands it cannot be read off.
bool walkSwaps(const Table& t, int seat, int top, int below, const CardList& hand) {
    bool swapped = false;
    for (int i = 1; i <= hand.count; ++i)
        for (int j = i + 1; j <= hand.count; ++j) {
            const int onTop = swapped ? below : top;
            if (!IsSet(t, seat, onTop, hand[i], hand[j]) &&
                !IsRun(t, seat, onTop, hand[i], hand[j]))
                swapped = !swapped;
        }
    return swapped;
}

// The same answer from the few pairs that meld with one of the two cards:
// every other pair swaps, so between them only the number of pairs counts.
bool steeringSwaps(const Table& t, int seat, int top, int below, const CardList& hand) {
    const int n = hand.count;
    const std::uint64_t handSet = cardSet(hand);
    // Hand positions by code, when every entry is a different card.
    if (n < 2 || n > kMaxCards || detail::countOf(handSet) != n)
        return walkSwaps(t, seat, top, below, hand);
    std::array<int, kMaxCards + 1> posOf{};
    for (int i = 1; i <= n; ++i) posOf[static_cast<std::size_t>(hand[i])] = i;

    struct Special {
        int index;  // the pair's place in the walk, from 0
        bool withTop, withBelow;
    };
    std::array<Special, 12> specials{};  // at most six pairs meld with a card
    int count = 0;
    auto note = [&](int card, bool isTop) {
        forMeldPartners(card, handSet, [&](int x, int y) {
            if (!IsSet(t, seat, card, x, y) && !IsRun(t, seat, card, x, y)) return;
            const int px = posOf[static_cast<std::size_t>(x)],
                      py = posOf[static_cast<std::size_t>(y)];
            const int i = std::min(px, py), j = std::max(px, py);
            const int index = (i - 1) * n - (i - 1) * i / 2 + (j - i - 1);
            int s = 0;
            while (s < count && specials[static_cast<std::size_t>(s)].index != index) ++s;
            if (s == count) specials[static_cast<std::size_t>(count++)] = {index, false, false};
            (isTop ? specials[static_cast<std::size_t>(s)].withTop
                   : specials[static_cast<std::size_t>(s)].withBelow) = true;
        });
    };
    note(top, true);
    note(below, false);
    std::sort(specials.begin(), specials.begin() + count,
              [](const Special& a, const Special& b) { return a.index < b.index; });

    bool swapped = false;
    int next = 0;  // the walk's next pair
    for (int s = 0; s < count; ++s) {
        const Special& p = specials[static_cast<std::size_t>(s)];
        if ((p.index - next) % 2 != 0) swapped = !swapped;
        if (!(swapped ? p.withBelow : p.withTop)) swapped = !swapped;
        next = p.index + 1;
    }
    if ((n * (n - 1) / 2 - next) % 2 != 0) swapped = !swapped;
    return swapped;
}

}  // namespace

void DealCards(Table& t, const std::array<int, 53>& deck, int favoured) {
    for (std::size_t i = 1; i <= 4; ++i) {
        t.FeedsClubsRun[i] = t.FeedsTwos[i] = t.FeedsQueens[i] = false;
        t.FeedsTenToQueen[i] = t.FeedsJackToKing[i] = t.FeedsQueenToAce[i] = false;
        SeatRec& seat = t.Seats[i];
        seat.Cards.clear();
        seat.PileCards.clear();
        seat.DarkKnocked = false;
        seat.Knocked = false;
        seat.HasLaidDown = false;
        seat.StillClosed = true;
        seat.MeldCount = 0;
        seat.MeldStarts.fill(0);
        seat.K = 0;
        seat.Fooled = seat.GotFool = false;
    }
    t.RoundOver = false;
    t.PickFromPile = false;
    t.SetLayOffCards.clear();
    t.RunLayOffCards.clear();
    t.TakenFromPile.fill(0);
    t.PassedOver.fill(0);
    t.Discards.fill(0);

    if (favoured >= 1 && favoured <= 4)
        for (std::size_t k = 1; k <= 7; ++k) seatOf(t, favoured).Cards.push(deck[45 + k]);
    int n = 0;
    for (int s = 1; s <= 4; ++s) {
        if (s == favoured) continue;
        if (++n > 3) break;
        for (int k = 1; k <= 7; ++k)
            seatOf(t, s).Cards.push(deck[static_cast<std::size_t>((n - 1) * 7 + k)]);
    }
    SeatRec& table = t.Seats[0];
    table.PileCards.clear();
    table.PileCards.push(deck[22]);
    table.Cards.clear();
    for (std::size_t j = 1; j <= 23; ++j) table.Cards.push(deck[22 + j]);
}

int StartTurn(Table& t) {
    t.DarkKnockReady = false;
    t.PickFromPile = false;
    t.PickIndex = 0;
    t.PileCountAtTurnStart = t.Seats[0].PileCount();
    t.PickedCard = 0;
    t.SelectedCard = 1;

    t.CurrentSeat += t.TurnForward ? 1 : -1;
    // The end of turn wraps the seat at the ends of the range; should it not
    // have, go round the table all the same.
    if (t.CurrentSeat > 4) t.CurrentSeat = 1;
    if (t.CurrentSeat < 1) t.CurrentSeat = 4;
    return t.CurrentSeat;
}

int DrawCard(Table& t, int seat, const Level& level, Random& random, GameObserver* observer) {
    if (!validSeat(seat)) return 0;
    SeatRec& stock = t.Seats[0];
    SeatRec& me = seatOf(t, seat);
    if (stock.CardCount() < 1) return 0;  // an empty stock ends the round before any draw

    int& top = stock.Cards[stock.CardCount()];
    // Draw steering: depending on the level, the person's draw may be swapped
    // with the card below it once for every pair of hand cards the candidate
    // does not meld with. Every swap exchanges the two top stock cards again,
    // so only the parity of the walk matters.
    if (seat == kHuman && stock.CardCount() >= 4) {
        const int r = static_cast<int>(9 * drawFor(random, "draw steering") + 1);
        if (r <= level.drawHelp) {
            int& below = stock.Cards[stock.CardCount() - 1];
            if (steeringSwaps(t, seat, top, below, me.Cards)) std::swap(top, below);
        }
    }

    t.PassedOver[static_cast<std::size_t>(seat)] |= cardSet(stock.PileCards);
    const int candidate = top;
    top = 0;
    --stock.CardCount();
    if (isValidCard(candidate)) me.Cards.push(candidate);
    if (observer) report(observer, {"draw", seat, {candidate}, 0, ""});
    return candidate;
}

void TakeFromPile(Table& t, int seat, GameObserver* observer) {
    if (!validSeat(seat)) return;
    SeatRec& pile = t.Seats[0];
    SeatRec& me = seatOf(t, seat);
    const int n = pile.PileCount();
    if (t.PickIndex < 1 || t.PickIndex > n) return;

    GameAction taken{"pick", seat, {}, t.PickIndex, ""};
    std::uint64_t took = 0;
    for (int k = t.PickIndex; k <= n; ++k) {
        if (observer) taken.cards.push_back(pile.PileCards[k]);
        took |= cardBit(pile.PileCards[k]);
        me.Cards.push(pile.PileCards[k]);
        pile.PileCards[k] = 0;
    }
    // The taken cards are this seat's now, and no longer any other's.
    for (auto& mask : t.TakenFromPile) mask &= ~took;
    t.TakenFromPile[static_cast<std::size_t>(seat)] |= took;
    pile.PileCount() = t.PickIndex - 1;
    report(observer, taken);
}

int PenaliseFeeders(Table& t, int seat) {
    SortSelection(t.Selection);
    const int s1 = t.Selection[1], s2 = t.Selection[2], s3 = t.Selection[3];
    int penalised = 0;
    for (std::size_t k = 1; k <= 4; ++k) {
        if (static_cast<int>(k) == seat) continue;
        bool* matched = nullptr;
        if (t.FeedsClubsRun[k] && s1 == 1 && s2 == 2)
            matched = &t.FeedsClubsRun[k];
        else if (t.FeedsTwos[k] && s1 == 1 && (s2 == 14 || s2 == 27))
            matched = &t.FeedsTwos[k];
        else if (t.FeedsQueens[k] && s3 == 50 && (s1 == 11 || s1 == 24))
            matched = &t.FeedsQueens[k];
        else if (t.FeedsTenToQueen[k] && s1 == 48 && s2 == 49)
            matched = &t.FeedsTenToQueen[k];
        else if (t.FeedsJackToKing[k] && s1 == 49 && s2 == 50)
            matched = &t.FeedsJackToKing[k];
        else if (t.FeedsQueenToAce[k] && s1 == 50 && s2 == 51)
            matched = &t.FeedsQueenToAce[k];
        if (matched == nullptr) continue;
        --t.Seats[k].K;
        *matched = false;
        penalised |= 1 << k;
    }
    return penalised;
}

void MoveMeldToTable(Table& t, int seat, GameObserver* observer) {
    if (!validSeat(seat)) return;
    SeatRec& me = seatOf(t, seat);

    // Take the three cards out of the hand, keeping the order of the rest.
    // Only cards really in the hand reach the table: a card is never in two
    // places.
    // The rest close up in place; the slots after them are cleared.
    CardList& hand = me.Cards;
    int kept = 0;
    std::array<int, 3> taken{};
    int takenCount = 0;
    std::array<bool, 4> used{};
    const int n = hand.count;
    for (int i = 1; i <= n; ++i) {
        const int c = std::as_const(hand)[i];  // a read never touches the list
        bool inMeld = false;
        for (std::size_t s = 1; s <= 3 && !inMeld; ++s) {
            if (!used[s] && c == t.Selection[s] && isValidCard(c)) {
                used[s] = true;
                inMeld = true;
            }
        }
        if (inMeld)
            taken[static_cast<std::size_t>(takenCount++)] = c;
        else if (kept < kMaxCards)
            hand[++kept] = c;
    }
    hand.clearFrom(kept + 1);
    hand.count = kept;
    SortSelection(t.Selection);
    for (int i = 0; i + 1 < takenCount; ++i)
        for (int j = i + 1; j < takenCount; ++j)
            if (taken[static_cast<std::size_t>(i)] > taken[static_cast<std::size_t>(j)])
                std::swap(taken[static_cast<std::size_t>(i)], taken[static_cast<std::size_t>(j)]);
    for (int i = 0; i < takenCount; ++i) me.PileCards.push(taken[static_cast<std::size_t>(i)]);
    if (observer)
        observer->action(
            {"meld", seat, std::vector<int>(taken.begin(), taken.begin() + takenCount), 0, ""});
    openGroup(me);
}

void LayDownSelection(Table& t, int seat, GameObserver* observer) {
    PenaliseFeeders(t, seat);
    MoveMeldToTable(t, seat, observer);
    AddLayOffTargets(t, t.Selection);
}

int LayOff(Table& t, int seat, GameObserver* observer) {
    if (!validSeat(seat)) return 0;
    SeatRec& me = seatOf(t, seat);
    const int pos = t.LayOffPos;
    if (pos < 1 || pos > me.CardCount()) return 0;

    const int c = me.Cards[pos];
    me.PileCards.push(c);
    me.Cards[pos] = me.Cards[me.CardCount()];
    me.Cards[me.CardCount()] = 0;
    --me.CardCount();
    if (observer) report(observer, {"layoff", seat, {c}, pos, t.LayOffOnRun ? "run" : "set"});
    openGroup(me);
    if (t.LayOffOnRun) AddRunLayOffNeighbours(t, c);
    return c;
}

TurnEnd EndTurn(Table& t, int seat, GameObserver* observer, bool statistics) {
    TurnEnd e;
    if (!validSeat(seat)) return e;
    SeatRec& me = seatOf(t, seat);
    SeatRec& table = t.Seats[0];

    t.RoundOver = false;

    // The discard (or the last card, turned down) goes onto the pile.
    int d = 0;
    std::uint64_t below = 0;  // the pile under it
    if (me.CardCount() >= 1) {
        const int pos = std::clamp(t.SelectedCard, 1, me.CardCount());
        d = me.Cards.removeAt(pos);  // the hand keeps its card set
        table.PileCards.push(d);
        if (isValidCard(d)) t.Discards[static_cast<std::size_t>(seat)] |= std::uint64_t{1} << d;
        me.Discarded = true;
        e.card = d;
        e.pos = pos;
        if (observer) report(observer, {"discard", seat, {d}, pos, ""});

        // Statistics: a discard that completes a meld with two pile cards,
        // and a discard that could have been laid off.
        // (The pile is only looked at when something reads it.)
        if (statistics || (kFeedDiscards & cardBit(d)) != 0)
            for (int i = 1; i <= table.PileCount() - 1; ++i) below |= cardBit(table.PileCards[i]);
        if (statistics) {
            e.ontoThree = table.PileCount() >= 3 && meldsWithTwoOf(t, seat, d, below);
            e.dummy = IsDummyCard(t, d);
        }
    }

    // The turn driver steps the seat on; wrap at the ends of the range.
    if (t.TurnForward && seat == 4) t.CurrentSeat = 0;
    if (!t.TurnForward && seat == 1) t.CurrentSeat = 5;

    const bool handEmpty = me.CardCount() == 0;
    e.knocked = handEmpty;
    // A dark knock offered to the person and not taken is withdrawn.
    if (!handEmpty) me.DarkKnocked = false;

    if (!handEmpty && table.CardCount() > 0) {
        // Normal end of turn: this seat's feed flags are renewed from its
        // discard. A flag some rule gives goes to this seat alone; a flag
        // given twice is given once, so the order of the rules is of no
        // account.
        const auto s = static_cast<std::size_t>(seat);
        unsigned given = 0;
        if ((kFeedDiscards & cardBit(d)) != 0) {
            const DiscardFeeds& feeds = kFeedsByDiscard[static_cast<std::size_t>(d)];
            for (int r = 0; r < feeds.count; ++r)
                if ((feeds.pileSets[static_cast<std::size_t>(r)] & below) != 0)
                    given |= feeds.flags[static_cast<std::size_t>(r)];
        }
        for (std::size_t f = 0; f < kFeedFlags.size(); ++f) {
            FeedFlags& flag = t.*kFeedFlags[f];
            if ((given >> f & 1u) != 0) {
                flag.fill(false);
                flag[s] = true;
            } else {
                flag[s] = false;
            }
        }
    } else if (!handEmpty) {
        // The stock is empty: the round ends without a knock.
        t.RoundOver = true;
    } else {
        t.RoundOver = true;
        if (d == kTwoOfClubs || d == kQueenOfSpades) ++me.K;
        if (me.StillClosed) {
            me.DarkKnocked = true;
            me.Knocked = false;
        } else {
            me.Knocked = true;
            me.DarkKnocked = false;
        }
        if (observer) report(observer, {"knock", seat, {d}, 0, me.DarkKnocked ? "dark" : "knock"});
        if (t.PickIndex == 1) ++me.K;
        // The fool: the knock came straight from the previous seat's discard.
        if (t.PickIndex >= 1 && t.PickIndex == t.PileCountAtTurnStart) {
            seatOf(t, previousSeat(seat, t.TurnForward)).Fooled = true;
            me.GotFool = true;
            t.TurnForward = !t.TurnForward;
        }
    }

    if (me.HasLaidDown) me.StillClosed = false;
    return e;
}

void PrepareDarkKnock(Table& t, int seat) {
    if (!validSeat(seat)) return;
    SeatRec& s = seatOf(t, seat);
    s.Knocked = false;
    s.DarkKnocked = true;
    const int h = s.Cards[8];
    s.PileCards.clear();
    for (int i = 1; i <= 7; ++i) s.PileCards.push(s.Cards[i]);
    s.Cards.clear();
    s.Cards.push(h);
    t.RoundOver = true;
}

void SortPileCards(Table& t, int seat) {
    if (seat < 0 || seat > 4) return;
    CardList& pile = seatOf(t, seat).PileCards;
    for (int i = 1; i < pile.count; ++i)
        for (int j = i + 1; j <= pile.count; ++j)
            if (pile[i] > pile[j]) std::swap(pile[i], pile[j]);
}

}  // namespace vornak
