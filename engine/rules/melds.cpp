// What the game accepts as a meld, which cards may be laid off later, when
// the person may take from the pile and which discards draw a warning.
#include <algorithm>
#include <array>
#include <initializer_list>

#include "rules/melds.h"

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

void SortSelection(Meld& meld) {
    for (std::size_t i = 1; i <= 2; ++i)
        for (std::size_t j = i + 1; j <= 3; ++j)
            if (meld[i] > meld[j]) std::swap(meld[i], meld[j]);
}

bool CheckLaidMeld(const Table& t, int c1, int c2, int c3) {
    // The person must keep a card for the last discard.
    if (t.Seats[kHuman].CardCount() == 3) return false;
    const int picked = t.PickedCard;
    if (t.PickFromPile && picked != c1 && picked != c2 && picked != c3) return false;
    return IsMeld(t, kHuman, c1, c2, c3);
}

bool CanPickFromPile(const Table& t, int position) {
    const CardList& pile = t.Seats[0].PileCards;
    const CardList& hand = t.Seats[kHuman].Cards;
    const int n = pile.count;
    const int m = hand.count;
    if (position < 1 || position > n) return false;
    // Keep-a-card rule: whatever is taken, one card must remain to discard.
    if (m == 1 && position == n - 1) return false;
    if (m == 2 && position == n) return false;

    const int chosen = pile[position];
    for (int j = position + 1; j <= n; ++j)
        for (int k = 1; k <= m; ++k)
            if (IsMeld(t, kHuman, chosen, pile[j], hand[k])) return true;
    for (int i = 1; i < m; ++i)
        for (int k = i + 1; k <= m; ++k)
            if (IsMeld(t, kHuman, chosen, hand[i], hand[k])) return true;
    return false;
}

void AddLayOffTargets(Table& t, const Meld& meld) {
    CardList& SetLayOffCards = t.SetLayOffCards;
    CardList& RunLayOffCards = t.RunLayOffCards;
    // The meld is normally sorted already; a sorted copy keeps this safe if not.
    const auto s = sorted3(meld[1], meld[2], meld[3]);
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

void AddRunLayOffNeighbours(Table& t, int code) {
    if (!isValidCard(code) || isTwo(code) || isAce(code)) return;
    appendTarget(t.RunLayOffCards, code - 1);
    appendTarget(t.RunLayOffCards, code + 1);
}

bool IsSpetoPartner(int discard, int pileCard) {
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

bool RaisesSpetoWarning(const Table& t, int discard) {
    const CardList& pile = t.Seats[0].PileCards;
    for (int i = 1; i <= pile.count; ++i)
        if (IsSpetoPartner(discard, pile[i])) return true;
    return false;
}

bool IsDummyCard(const Table& t, int code) {
    return isValidCard(code) &&
           (t.SetLayOffCards.contains(code) || t.RunLayOffCards.contains(code));
}

}  // namespace vornak
