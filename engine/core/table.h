// The round as a value: everything the rules read and write while the cards
// are out, and nothing of the window. A Table is plain data (no strings, no
// pointers), copied with `=`: the computer's look-ahead plays copies of it,
// and a saved game writes it as it stands.
#pragma once

#include <algorithm>
#include <array>
#include <cstddef>
#include <cstdint>
#include <type_traits>
#include <utility>
#include <vector>

#include "core/cards.h"

namespace vornak {

constexpr int kHuman = 4;
constexpr int kMaxCards = 52;  // no hand or pile can hold more

// A list of card codes used from index 1 to `count`, as the game's records
// keep them. It holds any number of cards up to 52; out-of-range access
// reads 0 and writes are ignored, so no edge of the data model can corrupt
// memory.
//
// The list remembers its card set (mask()) until it may have changed: a
// write through the non-const [] forgets it, and so does a count other than
// the one it was taken at. The decisions ask for the same sets many times
// a turn, between few changes. (The remembered set is written by const
// reads: a list is read by one thread at a time, as every table is.)
class CardList {
public:
    int count = 0;

    int& operator[](int i) {
        maskCount_ = -1;
        if (i < 0 || i > kMaxCards) {
            scratch_ = 0;
            return scratch_;
        }
        return cards_[static_cast<std::size_t>(i)];
    }
    int operator[](int i) const {
        return (i < 0 || i > kMaxCards) ? 0 : cards_[static_cast<std::size_t>(i)];
    }
    int top() const { return (*this)[count]; }
    void push(int code) {
        if (count >= kMaxCards) return;
        if (remembers()) {
            mask_ |= cardBit(code);
            ++maskCount_;
        } else {
            maskCount_ = -1;
        }
        cards_[static_cast<std::size_t>(++count)] = code;
    }
    void clear() {
        cards_.fill(0);
        count = 0;
        mask_ = 0;
        maskCount_ = 0;
    }
    // Entries i..52 become 0 (i >= 1); the count is left as it is.
    void clearFrom(int i) {
        if (i >= 1 && i <= kMaxCards) std::fill(cards_.begin() + i, cards_.end(), 0);
        maskCount_ = -1;
    }
    // Entries i and j (1..count) trade places; the set stays remembered.
    void swap(int i, int j) {
        if (i < 1 || j < 1 || i > count || j > count || count > kMaxCards) return;
        std::swap(cards_[static_cast<std::size_t>(i)], cards_[static_cast<std::size_t>(j)]);
    }
    // Takes out entry pos (1..count): the later ones move down a place and
    // the freed last slot becomes 0 (a count past the 52 slots falls by one
    // all the same). Returns the code taken, 0 for no entry.
    int removeAt(int pos) {
        if (pos < 1 || pos > count) return 0;
        const int code = std::as_const(*this)[pos];
        const int last = count < kMaxCards ? count : kMaxCards;
        bool again = false;  // the same code elsewhere in the list
        for (int i = 1; i < pos && i <= last; ++i)
            again |= cards_[static_cast<std::size_t>(i)] == code;
        for (int i = pos; i < last; ++i) {
            const int next = cards_[static_cast<std::size_t>(i + 1)];
            again |= next == code;
            cards_[static_cast<std::size_t>(i)] = next;
        }
        if (pos <= last) cards_[static_cast<std::size_t>(last)] = 0;
        const bool remembered = remembers() && count <= kMaxCards;
        --count;
        maskCount_ = -1;
        if (remembered) {
            if (!again) mask_ &= ~cardBit(code);
            maskCount_ = count;
        }
        return code;
    }
    // Bit c for each card code c (1..52) among entries 1..count.
    std::uint64_t mask() const { return remembers() ? mask_ : recount(); }
    bool contains(int code) const {
        for (int i = 1; i <= count; ++i)
            if ((*this)[i] == code) return true;
        return false;
    }
    // Position 1..count of the code, 0 when absent.
    int find(int code) const {
        for (int i = 1; i <= count; ++i)
            if ((*this)[i] == code) return i;
        return 0;
    }
    std::vector<int> toVector() const {
        return std::vector<int>(cards_.begin() + 1, cards_.begin() + 1 + count);
    }
    void assign(const std::vector<int>& codes) {
        clear();
        for (int c : codes) push(c);
    }
    // Every slot alike, also those past the count; not what is remembered
    // (nor the sink for writes out of range, which no read ever sees).
    bool operator==(const CardList& o) const { return count == o.count && cards_ == o.cards_; }

private:
    // The set taken afresh (kept out of line: mask() is asked in the inner
    // loops, and mostly remembers).
    [[gnu::noinline]] std::uint64_t recount() const {
        std::uint64_t set = 0;
        const int n = count < kMaxCards ? count : kMaxCards;  // no entry past the last slot
        for (int i = 1; i <= n; ++i) set |= cardBit(cards_[static_cast<std::size_t>(i)]);
        mask_ = set;
        maskCount_ = count;
        return set;
    }
    bool remembers() const { return maskCount_ == count && count >= 0; }

    std::array<int, kMaxCards + 1> cards_{};
    int scratch_ = 0;
    mutable int maskCount_ = 0;  // the count mask_ was taken at, -1 when forgotten
    mutable std::uint64_t mask_ = 0;
};

// Seats[0] of a table is the table itself: Cards = the stock (top = last),
// PileCards = the pile (bottom first). Seats[1..4] are the players: Cards =
// the hand in display order, PileCards = the cards laid face up this round.
struct SeatRec {
    CardList Cards;      // Cards.count is the seat's CardCount
    CardList PileCards;  // PileCards.count is the seat's PileCount
    int& CardCount() { return Cards.count; }
    int CardCount() const { return Cards.count; }
    int& PileCount() { return PileCards.count; }
    int PileCount() const { return PileCards.count; }

    bool StillClosed = true;  // has not yet ended a turn in which it opened
    bool HasLaidDown = false;
    bool Knocked = false;
    bool Discarded = false;
    bool DarkKnocked = false;
    int MeldCount = 0;                 // melds and lay-offs laid this round
    std::array<int, 21> MeldStarts{};  // 1..20: PileCount after each of them
    // What the round has brought the seat so far; the game's history takes
    // them over when the round ends.
    int K = 0;
    bool Fooled = false;   // committed the fool
    bool GotFool = false;  // is paid the fool

    bool operator==(const SeatRec&) const = default;
};

// The meld three cards form, ascending once sorted; entries 1..3 are used.
using Meld = std::array<int, 4>;

struct Table {
    std::array<SeatRec, 5> Seats;
    CardList SetLayOffCards, RunLayOffCards;  // counts are SetLayOffCount, RunLayOffCount
    int CurrentSeat = 0;                      // 0 or 5 between turns, see EndTurn
    bool TurnForward = true;
    bool RoundOver = false;

    // Speto feed flags, per seat 1..4: the seat's discard left two cards of a
    // speto meld on the pile.
    std::array<bool, 5> FeedsClubsRun{}, FeedsTwos{}, FeedsQueens{}, FeedsTenToQueen{},
        FeedsJackToKing{}, FeedsQueenToAce{};

    // The turn under way: where the seat took the pile from, and what its
    // decisions settled last (the moves read them from here).
    bool PickFromPile = false;
    int PickIndex = 0;  // pile position of the deepest card taken, 0 after a draw
    int PickedCard = 0;
    int PileCountAtTurnStart = 0;
    Meld Selection{};      // the meld being laid down
    int SelectedCard = 0;  // hand position of the card to discard
    int LayOffPos = 0, LayOffCard = 0;
    bool LayOffOnRun = false;
    bool MeldNow = false;
    bool DarkKnockReady = false;

    // Per seat 1..4, bit c: the seat took card c from the pile, and no other
    // seat took it since. Everyone at the table saw it happen; with the laid
    // cards and the pile this tells who still holds which of those cards.
    std::array<std::uint64_t, 5> TakenFromPile{};
    // Per seat 1..4, what the table saw the seat pass over and give away this
    // round: bit c of PassedOver, card c lay in the pile when the seat chose
    // to draw; bit c of Discards, the seat discarded card c. The Master
    // (ai/master.h) reads hands from them.
    std::array<std::uint64_t, 5> PassedOver{}, Discards{};

    bool operator==(const Table&) const = default;
};

static_assert(std::is_trivially_copyable_v<Table>, "a table is copied as plain memory");
static_assert(sizeof(Table) <= 4096, "the look-ahead copies tables by the thousand");

// The level as the computer seats' decisions and the draw see it.
struct Level {
    bool beginner = false;
    bool vip = false;
    int drawHelp = 0;  // 1..9: chance in ninths that the person's draw is steered
    // Bit s: seat s decides as the Expert (ai/expert.h) instead of by the
    // rules' players. The look-ahead's own rollouts always play by the rules.
    unsigned expertSeats = 0;
    // Bit s: seat s decides every move as the Master (ai/master.h); it
    // comes before expertSeats.
    unsigned masterSeats = 0;
};

}  // namespace vornak
