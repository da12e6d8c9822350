// When a computer seat with five or four cards lays its meld down: only when
// it can then get down to a single card to discard or knock with.
#include <array>
#include <cstdint>

#include "ai/decisions.h"
#include "core/cards.h"
#include "core/report.h"
#include "rules/melds.h"

namespace vornak {

namespace {

// Cards that become lay-off targets once other cards are laid down or off,
// bit c for card c: only whether a hand card is among them counts.
using Extension = std::uint64_t;

void add(Extension& ext, int code) {
    if (isValidCard(code)) ext |= std::uint64_t{1} << code;
}

// A run-list card other than a 2 or an ace makes its neighbours targets too.
void appendChain(Extension& ext, int c) {
    if (!isValidCard(c) || isTwo(c) || isAce(c)) return;
    add(ext, c - 1);
    add(ext, c);
    add(ext, c + 1);
}

void appendSetOfRank(Extension& ext, int code) {
    const int r = code % 13;
    const int first = r == 0 ? 13 : r;
    for (int suit = 0; suit < 4; ++suit) add(ext, first + 13 * suit);
}

// Calls mark(x) for every hand position 1..n whose card lays off: on the
// set list, on the run list (whose cards also extend `ext`), or among `ext`.
template <std::size_t N, class Mark>
void markLayOffs(const Table& t, const std::array<int, N>& h, int n, Extension& ext, Mark mark) {
    const std::uint64_t onSet = cardSet(t.SetLayOffCards), onRun = cardSet(t.RunLayOffCards);
    for (int x = 1; x <= n; ++x) {
        const int c = h[static_cast<std::size_t>(x)];
        if (detail::inMask(onSet, c)) mark(x);
        if (detail::inMask(onRun, c)) {
            mark(x);
            appendChain(ext, c);
        }
    }
    for (int x = 1; x <= n; ++x)
        if (detail::inMask(ext, h[static_cast<std::size_t>(x)])) mark(x);
}

bool inSuitThreeToKing(int low, int high) {
    return (low >= 2 && high <= 12) || (low >= 15 && high <= 25) || (low >= 28 && high <= 38) ||
           (low >= 41 && high <= 51);
}

}  // namespace

void MeldTiming::noteIn(Table& t) const {
    t.MeldNow = meldNow;
}

MeldTiming DecideMeldAtFour(const Table& t, int seat, GameObserver* observer) {
    DecisionScope scope(observer, "DecideMeldAtFour", seat, t);
    MeldTiming d;
    if (seat < 1 || seat > 4) return scope.ends(t, d, 0);
    const CardList& cards = t.Seats[static_cast<std::size_t>(seat)].Cards;
    auto IsSet = [&](int a, int b, int c) { return vornak::IsSet(t, seat, a, b, c); };
    auto IsRun = [&](int a, int b, int c) { return vornak::IsRun(t, seat, a, b, c); };
    std::array<int, 5> h{};
    for (int x = 1; x <= 4; ++x) h[static_cast<std::size_t>(x)] = cards[x];

    // (h1, h3, h4) is not among the triples looked at.
    bool meld = IsSet(h[1], h[2], h[3]) || IsSet(h[1], h[2], h[4]) || IsSet(h[2], h[3], h[4]) ||
                IsRun(h[1], h[2], h[3]) || IsRun(h[1], h[2], h[4]) || IsRun(h[2], h[3], h[4]);

    std::array<bool, 5> canGo{};
    Extension ext = 0;
    markLayOffs(t, h, 4, ext, [&](int x) { canGo[static_cast<std::size_t>(x)] = true; });

    if ((canGo[1] && canGo[2] && canGo[3]) || (canGo[2] && canGo[3] && canGo[4]) ||
        (canGo[1] && canGo[2] && canGo[4]))
        meld = true;
    d.meldNow = meld;
    return scope.ends(t, d, 0);
}

MeldTiming DecideMeldAtFive(const Table& t, int seat, GameObserver* observer) {
    DecisionScope scope(observer, "DecideMeldAtFive", seat, t);
    MeldTiming d;
    if (seat < 1 || seat > 4) return scope.ends(t, d, 0);
    const CardList& cards = t.Seats[static_cast<std::size_t>(seat)].Cards;
    auto IsSet = [&](int a, int b, int c) { return vornak::IsSet(t, seat, a, b, c); };
    auto IsRun = [&](int a, int b, int c) { return vornak::IsRun(t, seat, a, b, c); };
    std::array<int, 6> h{};
    for (int x = 1; x <= 5; ++x) h[static_cast<std::size_t>(x)] = cards[x];

    bool meld = false;
    bool lastCanGo = false;
    Extension ext = 0;

    // The meld is looked for in positions 1..3 only.
    if (IsSet(h[1], h[2], h[3])) {
        meld = true;
        appendSetOfRank(ext, h[1]);
    }
    if (IsRun(h[1], h[2], h[3])) {
        meld = true;
        // The ends are taken in hand order, as the cards stand.
        const int h1 = h[1], h3 = h[3];
        if (isTwo(h1)) {
            for (int d = 0; d <= 3; ++d) add(ext, h1 + d);
        } else if (isAce(h3)) {
            for (int d = -1; d <= 2; ++d) add(ext, h1 + d);
        } else if (inSuitThreeToKing(h1, h3)) {
            for (int d = -1; d <= 3; ++d) add(ext, h1 + d);
        }
    }

    std::array<bool, 6> canGo{};
    // Positions 1..3 are the meld; 4 and 5 the card to follow it off.
    auto mark = [&](int x) {
        if (x <= 3)
            canGo[static_cast<std::size_t>(x)] = true;
        else
            lastCanGo = true;
    };
    markLayOffs(t, h, 5, ext, mark);

    if (canGo[1] && canGo[2] && canGo[3]) meld = true;
    d.meldNow = meld && lastCanGo;
    return scope.ends(t, d, 0);
}

}  // namespace vornak
