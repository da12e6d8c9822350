// Round scoring: points and K of every seat, the opener of the next round
// and the result lines of the end-of-round board.
#include <cstdlib>
#include <utility>

#include "core/game.h"

namespace vornak {

namespace {

int sumValues(const CardList& cards) {
    int sum = 0;
    for (int i = 1; i <= cards.count; ++i)
        if (isValidCard(cards[i])) sum += cardValue(cards[i]);
    return sum;
}

int countSpetos(const CardList& cards) {
    int n = 0;
    for (int i = 1; i <= cards.count; ++i)
        if (isSpeto(cards[i])) ++n;
    return n;
}

}  // namespace

void Game::SortPileCards(int seat) {
    if (seat < 0 || seat > 4) return;
    CardList& pile = Seats[seat].PileCards;
    for (int i = 1; i < pile.count; ++i)
        for (int j = i + 1; j <= pile.count; ++j)
            if (pile[i] > pile[j]) std::swap(pile[i], pile[j]);
}

void Game::ScoreSeat(int seat) {
    if (seat < 1 || seat > 4) return;
    const int r = RoundNumber;
    ensureRound(r);
    const auto ri = static_cast<std::size_t>(r);
    SeatRec& s = Seats[seat];

    SortPileCards(seat);

    // One suit: the lowest and the highest laid card lie in the same suit.
    if ((s.Knocked || s.DarkKnocked) && s.PileCount() > 0) {
        const int first = s.PileCards[1];
        const int last = s.PileCards[s.PileCount()];
        if (isValidCard(first) && isValidCard(last) && suitOf(first) == suitOf(last)) {
            if (s.Knocked)
                s.RoundK[ri] += 1;
            else
                s.RoundK[ri] += 3;
        }
    }

    const int knockBonus = (s.Knocked && !s.DarkKnocked) ? 50 : 0;
    const int foolPenalty = s.RoundFooled[ri] ? -50 : 0;
    const int m = (s.PileCount() > 0 && !s.DarkKnocked) ? 1 : 2;
    const long points =
        m * sumValues(s.PileCards) - m * sumValues(s.Cards) + knockBonus + foolPenalty;

    s.RoundPoints[ri] = points;
    s.TotalPoints += points;

    // The game goes on only while this seat is below the target and the
    // person has not fallen to minus the target.
    if (!(s.TotalPoints < PointTarget && std::labs(Seats[kHuman].TotalPoints) < PointTarget)) {
        TargetReached = true;
        scene.clockTimer.enabled = false;
    }
}

void Game::ScoreRound() {
    const int r = RoundNumber;
    ensureRound(r);
    const auto ri = static_cast<std::size_t>(r);

    int knocker = 0;
    for (int s = 1; s <= 4; ++s)
        if (Seats[s].Knocked || Seats[s].DarkKnocked) knocker = s;
    scene.noKnockPicture.visible = knocker == 0;

    // The next turn is one step on from CurrentSeat: the knocker opens the
    // next round, otherwise the seat after the last player.
    if (TurnForward) {
        if (knocker != 0)
            CurrentSeat = knocker - 1;
        else if (CurrentSeat == 4)
            CurrentSeat = 0;
    } else {
        if (knocker != 0)
            CurrentSeat = knocker + 1;
        else if (CurrentSeat == 1)
            CurrentSeat = 5;
    }

    for (int seat = 1; seat <= 4; ++seat) {
        ScoreSeat(seat);
        SeatRec& s = Seats[seat];

        std::string kind;
        if (s.DarkKnocked) {
            kind = " น็อคมืด ";
            s.RoundK[ri] += 1 + countSpetos(s.PileCards);
        } else if (s.Knocked) {
            kind = " น็อค ";
        } else if (s.PileCount() > 0) {
            kind = " เล่น";
            s.RoundK[ri] -= countSpetos(s.Cards);
        } else {
            kind = " มืดคามือ";
            s.RoundK[ri] -= 1 + countSpetos(s.Cards);
        }

        std::string line = s.Name + kind;
        if (s.RoundFooled[ri]) line += "และ โง่ ";
        if (s.RoundGotFool[ri]) line += "และได้โง่";
        line +=
            "  ได้คะแนน " + num(s.RoundPoints[ri]) + "  คะแนน และได้  " + num(s.RoundK[ri]) + "  K";
        scene.resultLine[seat].caption = line;
    }
}

}  // namespace vornak
