// The dark-knock check on an eight-card hand: the first six cards make two
// melds (or a meld and three lay-off cards), the seventh lays off and the
// eighth is turned down.
#include "rules/darkknock.h"

#include <algorithm>
#include <array>
#include <utility>

#include "core/cards.h"
#include "core/report.h"
#include "rules/melds.h"

namespace vornak {

namespace {

// The few codes the check adds up itself (a CardList would clear 52 slots),
// with the set of the cards among them.
struct Codes {
    std::array<int, 16> at;  // read up to count only
    int count = 0;
    std::uint64_t cards = 0;
    void push(int code) {
        if (count < static_cast<int>(at.size())) {
            at[static_cast<std::size_t>(count++)] = code;
            cards |= cardBit(code);
        }
    }
    bool contains(int code) const {
        if (isValidCard(code)) return detail::inMask(cards, code);
        for (int i = 0; i < count; ++i)
            if (at[static_cast<std::size_t>(i)] == code) return true;
        return false;
    }
    int operator[](int oneBased) const { return at[static_cast<std::size_t>(oneBased - 1)]; }
};

// Is `code` in the list whose card set is `cards`?
bool inList(const CardList& list, std::uint64_t cards, int code) {
    return isValidCard(code) ? detail::inMask(cards, code) : list.contains(code);
}

// The lay-off targets a meld of three cards opens: the fourth card of a set,
// the outer neighbours of a run. A run's ends are its first and third cards
// as they stand in the hand, also when the three are not in order.
void addMeldTargets(int a, int b, int c, bool isSet, Codes& setCandidates, Codes& runCandidates) {
    if (isSet) {
        const int r = a % 13;
        const int first = r == 0 ? 13 : r;
        for (int suit = 0; suit < 4; ++suit) {
            const int code = first + 13 * suit;
            if (code != a && code != b && code != c) setCandidates.push(code);
        }
        return;
    }
    if (isTwo(a)) {
        runCandidates.push(c + 1);
    } else if (isAce(c)) {
        runCandidates.push(a - 1);
    } else {
        runCandidates.push(a - 1);
        runCandidates.push(c + 1);
    }
}

}  // namespace

void DarkKnockCheck::noteIn(Table& t) const {
    t.DarkKnockReady = ready;
    if (exchange && seat >= 1 && seat <= 4) {
        CardList& hand = t.Seats[static_cast<std::size_t>(seat)].Cards;
        std::swap(hand[7], hand[8]);
    }
}

DarkKnockCheck CheckDarkKnock(const Table& t, int seat, GameObserver* observer) {
    DecisionScope scope(observer, "CheckDarkKnock", seat, t);
    DarkKnockCheck d;
    if (seat < 1 || seat > 4) return scope.ends(t, d, 0);
    d.seat = seat;
    const CardList& hand = t.Seats[static_cast<std::size_t>(seat)].Cards;
    if (hand.count < 8) return scope.ends(t, d, 0);
    const CardList& SetLayOffCards = t.SetLayOffCards;
    const CardList& RunLayOffCards = t.RunLayOffCards;

    std::array<int, 9> h{};
    for (int i = 1; i <= 8; ++i) h[static_cast<std::size_t>(i)] = hand[i];
    Codes setCandidates, runCandidates;  // at most 6 and 13 entries

    auto groupIsMeld = [&](int first) {
        const int a = h[static_cast<std::size_t>(first)];
        const int b = h[static_cast<std::size_t>(first + 1)];
        const int c = h[static_cast<std::size_t>(first + 2)];
        const bool set = IsSet(t, seat, a, b, c);
        const bool run = !set && IsRun(t, seat, a, b, c);
        if (set || run) addMeldTargets(a, b, c, set, setCandidates, runCandidates);
        return set || run;
    };
    const bool groupA = groupIsMeld(1);
    bool groupB = groupIsMeld(4);

    // The second three may instead be cards that each lay off somewhere.
    const std::uint64_t runLayOffs = cardSet(RunLayOffCards), setLayOffs = cardSet(SetLayOffCards);
    bool allLayOff = true;
    for (std::size_t i = 4; i <= 6; ++i) {
        const int c = h[i];
        const bool onRun = inList(RunLayOffCards, runLayOffs, c) || runCandidates.contains(c);
        const bool onSet = inList(SetLayOffCards, setLayOffs, c) || setCandidates.contains(c);
        if (!onRun && !onSet) allLayOff = false;
        if (onRun && isValidCard(c) && !isTwo(c) && !isAce(c)) {
            runCandidates.push(c - 1);
            runCandidates.push(c);
            runCandidates.push(c + 1);
        }
    }
    groupB = groupB || allLayOff;

    // The seventh card must lay off: some card of the four lists (the run
    // and set targets found here, then the table's run and set lay-offs)
    // is one of the two last cards. Going through the lists in that order,
    // a card equal to the eighth makes the two trade places and one equal
    // to the seventh leaves them, so each such card ends up seventh: the
    // last one of them decides which card is left eighth and turned down.
    const int seventh = h[7], eighth = h[8];
    auto isEnd = [&](int code) { return isValidCard(code) && (code == seventh || code == eighth); };
    const std::uint64_t ends = cardBit(seventh) | cardBit(eighth);
    const bool lastPair =
        (ends & (runCandidates.cards | setCandidates.cards | runLayOffs | setLayOffs)) != 0;
    int last = 0;  // the last card of the lists that is one of the two
    auto lastIn = [&](const auto& list, std::uint64_t cards, int from) {
        if (last != 0 || (cards & ends) == 0) return;
        for (int i = from; i >= 1; --i)
            if (isEnd(list[i])) {
                last = list[i];
                return;
            }
    };
    if (lastPair && seventh != eighth) {
        lastIn(SetLayOffCards, setLayOffs, std::min(SetLayOffCards.count, kMaxCards));
        lastIn(RunLayOffCards, runLayOffs, std::min(RunLayOffCards.count, kMaxCards));
        lastIn(setCandidates, setCandidates.cards, setCandidates.count);
        lastIn(runCandidates, runCandidates.cards, runCandidates.count);
    }

    d.exchange = last != 0 && last == eighth;
    d.ready = groupA && groupB && lastPair;
    return scope.ends(t, d, 0);
}

}  // namespace vornak
