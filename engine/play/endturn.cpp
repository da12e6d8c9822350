// The end of every seat's turn: the discard or the turned-down last card,
// the speto feed flags, the knock with its bonuses and the fool, and the
// start of the round's end. Also the dark-knock check on an eight-card hand.
#include <algorithm>
#include <array>
#include <vector>

#include "core/game.h"

namespace vornak {

namespace {

using FeedFlags = std::array<bool, 5>;
using FeedMember = FeedFlags Game::*;

// One row of the feed table: discarding `discard` while `pileCard` lies in
// the pile hands the next seat two cards of a speto meld.
struct FeedRule {
    int discard;
    std::array<int, 4> pileCards;     // 0 ends the list
    std::array<FeedMember, 2> flags;  // nullptr when only one
};

const std::array<FeedRule, 23> kFeedRules = {{
    {1, {2, 3, 0, 0}, {&Game::FeedsClubsRun, nullptr}},
    {1, {14, 27, 40, 0}, {&Game::FeedsTwos, nullptr}},
    {2, {1, 2, 3, 0}, {&Game::FeedsClubsRun, nullptr}},
    {3, {1, 2, 3, 0}, {&Game::FeedsClubsRun, nullptr}},
    {14, {1, 14, 27, 40}, {&Game::FeedsTwos, nullptr}},
    {27, {1, 14, 27, 40}, {&Game::FeedsTwos, nullptr}},
    {40, {1, 14, 27, 40}, {&Game::FeedsTwos, nullptr}},
    {11, {11, 24, 37, 50}, {&Game::FeedsQueens, nullptr}},
    {24, {11, 24, 37, 50}, {&Game::FeedsQueens, nullptr}},
    {37, {11, 24, 37, 50}, {&Game::FeedsQueens, nullptr}},
    {48, {49, 50, 0, 0}, {&Game::FeedsTenToQueen, nullptr}},
    {49, {48, 0, 0, 0}, {&Game::FeedsTenToQueen, nullptr}},
    {49, {50, 0, 0, 0}, {&Game::FeedsTenToQueen, &Game::FeedsJackToKing}},
    {49, {51, 0, 0, 0}, {&Game::FeedsJackToKing, nullptr}},
    {50, {48, 0, 0, 0}, {&Game::FeedsTenToQueen, nullptr}},
    {50, {49, 0, 0, 0}, {&Game::FeedsTenToQueen, &Game::FeedsJackToKing}},
    {50, {51, 0, 0, 0}, {&Game::FeedsJackToKing, &Game::FeedsQueenToAce}},
    {50, {52, 0, 0, 0}, {&Game::FeedsQueenToAce, nullptr}},
    {50, {11, 24, 37, 0}, {&Game::FeedsQueens, nullptr}},
    {51, {49, 0, 0, 0}, {&Game::FeedsJackToKing, nullptr}},
    {51, {50, 0, 0, 0}, {&Game::FeedsJackToKing, &Game::FeedsQueenToAce}},
    {51, {52, 0, 0, 0}, {&Game::FeedsQueenToAce, nullptr}},
    {52, {50, 51, 0, 0}, {&Game::FeedsQueenToAce, nullptr}},
}};

bool listed(const std::array<int, 4>& codes, int code) {
    return code != 0 && std::find(codes.begin(), codes.end(), code) != codes.end();
}

// The seat before `seat` in the direction of play.
int previousSeat(int seat, bool forward) {
    if (forward) return seat == 1 ? 4 : seat - 1;
    return seat == 4 ? 1 : seat + 1;
}

bool inList(const std::vector<int>& list, int code) {
    return std::find(list.begin(), list.end(), code) != list.end();
}

bool inList(const CardList& list, int code) {
    return list.contains(code);
}

// The lay-off targets a meld of three cards opens: the fourth card of a set,
// the outer neighbours of a run. A run's ends are its first and third cards
// as they stand in the hand, also when the three are not in order.
void addMeldTargets(int a, int b, int c, bool isSet, std::vector<int>& setCandidates,
                    std::vector<int>& runCandidates) {
    if (isSet) {
        const int r = a % 13;
        const int first = r == 0 ? 13 : r;
        for (int suit = 0; suit < 4; ++suit) {
            const int code = first + 13 * suit;
            if (code != a && code != b && code != c) setCandidates.push_back(code);
        }
        return;
    }
    if (isTwo(a)) {
        runCandidates.push_back(c + 1);
    } else if (isAce(c)) {
        runCandidates.push_back(a - 1);
    } else {
        runCandidates.push_back(a - 1);
        runCandidates.push_back(c + 1);
    }
}

}  // namespace

Task Game::EndTurn(int seat) {
    if (seat < 1 || seat > 4) co_return;
    SeatRec& me = Seats[seat];
    SeatRec& table = Seats[0];
    ensureRound(RoundNumber);
    const auto round = static_cast<std::size_t>(RoundNumber);

    RoundOver = false;

    // The discard (or the last card, turned down) goes onto the pile.
    int d = 0;
    if (me.CardCount() >= 1) {
        const int pos = std::clamp(SelectedCard, 1, me.CardCount());
        d = me.Cards[pos];
        for (int i = pos; i < me.CardCount(); ++i) me.Cards[i] = me.Cards[i + 1];
        me.Cards[me.CardCount()] = 0;
        --me.CardCount();
        table.PileCards.push(d);
        me.Discarded = true;
        report({"discard", seat, {d}, pos, ""});

        // Statistics: a discard that completes a meld with two pile cards,
        // and a discard that could have been laid off.
        const int below = table.PileCount() - 1;
        bool ontoThree = false;
        if (table.PileCount() >= 3)
            for (int i = 1; i <= below && !ontoThree; ++i)
                for (int j = i + 1; j <= below && !ontoThree; ++j)
                    ontoThree = IsSet(d, table.PileCards[i], table.PileCards[j]) ||
                                IsRun(d, table.PileCards[i], table.PileCards[j]);
        if (ontoThree) ++me.DiscardOnThreeCount;
        if (IsDummyCard(d)) ++me.DummyDiscardCount;
    }

    // The turn driver steps the seat on; wrap at the ends of the range.
    if (TurnForward && seat == 4) CurrentSeat = 0;
    if (!TurnForward && seat == 1) CurrentSeat = 5;

    const bool handEmpty = me.CardCount() == 0;
    if (!handEmpty) {
        // A dark knock offered to the person and not taken is withdrawn.
        me.DarkKnocked = false;
        if (seat == kHuman) scene.menus.mnuPlayShowCard.caption = "หงายไพ่";
    }

    if (!handEmpty && table.CardCount() > 0) {
        // Normal end of turn: this seat's feed flags are renewed from its discard.
        for (FeedMember f :
             {&Game::FeedsClubsRun, &Game::FeedsTwos, &Game::FeedsQueens, &Game::FeedsTenToQueen,
              &Game::FeedsJackToKing, &Game::FeedsQueenToAce})
            (this->*f)[static_cast<std::size_t>(seat)] = false;
        auto give = [&](FeedMember f) {
            if (f == nullptr) return;
            (this->*f).fill(false);
            (this->*f)[static_cast<std::size_t>(seat)] = true;
        };
        for (int k = 1; k <= table.PileCount() - 1; ++k) {
            const int c = table.PileCards[k];
            for (const FeedRule& rule : kFeedRules) {
                if (rule.discard != d || !listed(rule.pileCards, c)) continue;
                give(rule.flags[0]);
                give(rule.flags[1]);
            }
        }
    } else if (!handEmpty) {
        // The stock is empty: the round ends without a knock.
        RoundOver = true;
    } else {
        RoundOver = true;
        if (d == kTwoOfClubs || d == kQueenOfSpades) ++me.RoundK[round];
        if (me.StillClosed) {
            me.DarkKnocked = true;
            me.Knocked = false;
        } else {
            me.Knocked = true;
            me.DarkKnocked = false;
        }
        report({"knock", seat, {d}, 0, me.DarkKnocked ? "dark" : "knock"});
        if (PickIndex == 1) ++me.RoundK[round];
        // The fool: the knock came straight from the previous seat's discard.
        if (PickIndex >= 1 && PickIndex == PileCountAtTurnStart) {
            Seats[previousSeat(seat, TurnForward)].RoundFooled[round] = true;
            me.RoundGotFool[round] = true;
            TurnForward = !TurnForward;
        }
    }

    if (seat != kHuman && isValidCard(d)) scene.cardBack[d].visible = false;
    if (!RoundOver) {
        LayoutTable();
        LayoutSeatHand(seat);
        scene.turnTimer.enabled = true;
    } else {
        if (me.Knocked || me.DarkKnocked) {
            say(seat, " คว่ำไพ่ ");
            if (isValidCard(d)) {
                if (seat == kHuman) scene.cardFace[d].visible = false;
                CardPicture& back = scene.cardBack[d];
                scene.toFront(back);
                back.top = 3600;
                back.left = 5600;
                back.visible = true;
            }
            co_await seq.pause(200);
        }
        scene.turnTimer.enabled = false;
        scene.clockTimer.enabled = false;
        if (observer) observer->roundEnding();
        ShowRoundEndBoard();
        ScoreRound();
        report({"roundend", 0, {}, RoundNumber, ""});
        UpdateNotebook();
        NotebookRows = RoundNumber;
        if (RoundNumber >= 4) scene.notebookScrollDown.enabled = true;
    }
    if (me.HasLaidDown) me.StillClosed = false;
}

void Game::CheckDarkKnock(int seat) {
    DecisionScope scope(*this, "CheckDarkKnock", seat);
    DarkKnockReady = false;
    if (seat < 1 || seat > 4) return;
    CardList& hand = Seats[seat].Cards;
    if (hand.count < 8) return;

    std::array<int, 9> h{};
    for (int i = 1; i <= 8; ++i) h[static_cast<std::size_t>(i)] = hand[i];
    std::vector<int> setCandidates, runCandidates;

    auto groupIsMeld = [&](int first) {
        const int a = h[static_cast<std::size_t>(first)];
        const int b = h[static_cast<std::size_t>(first + 1)];
        const int c = h[static_cast<std::size_t>(first + 2)];
        const bool set = IsSet(a, b, c);
        const bool run = !set && IsRun(a, b, c);
        if (set || run) addMeldTargets(a, b, c, set, setCandidates, runCandidates);
        return set || run;
    };
    const bool groupA = groupIsMeld(1);
    bool groupB = groupIsMeld(4);

    // The second three may instead be cards that each lay off somewhere.
    bool allLayOff = true;
    for (std::size_t i = 4; i <= 6; ++i) {
        const int c = h[i];
        const bool onRun = inList(RunLayOffCards, c) || inList(runCandidates, c);
        const bool onSet = inList(SetLayOffCards, c) || inList(setCandidates, c);
        if (!onRun && !onSet) allLayOff = false;
        if (onRun && isValidCard(c) && !isTwo(c) && !isAce(c)) {
            runCandidates.push_back(c - 1);
            runCandidates.push_back(c);
            runCandidates.push_back(c + 1);
        }
    }
    groupB = groupB || allLayOff;

    // The seventh card must lay off. Every entry of the four lists is
    // compared in turn with the two last cards as they stand: one equal to
    // the eighth makes the two trade places, so that a later entry may
    // trade them back. The card left eighth is the one turned down.
    bool lastPair = false;
    std::vector<int> targets = runCandidates;
    targets.insert(targets.end(), setCandidates.begin(), setCandidates.end());
    for (int i = 1; i <= RunLayOffCards.count; ++i) targets.push_back(RunLayOffCards[i]);
    for (int i = 1; i <= SetLayOffCards.count; ++i) targets.push_back(SetLayOffCards[i]);
    for (int t : targets) {
        if (!isValidCard(t)) continue;
        if (t == h[7]) {
            lastPair = true;
        } else if (t == h[8]) {
            lastPair = true;
            std::swap(h[7], h[8]);
        }
    }

    for (int i = 1; i <= 8; ++i) hand[i] = h[static_cast<std::size_t>(i)];
    DarkKnockReady = groupA && groupB && lastPair;
}

}  // namespace vornak
