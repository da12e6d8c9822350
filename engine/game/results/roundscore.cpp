// The round's scoring as the game keeps it: the round's K and fools go into
// the history, the table is scored (rules/scoring.h), the totals move on,
// the opener of the next round is set and the board's result lines written.
#include <cstdlib>

#include "game/game.h"
#include "rules/cardmoves.h"
#include "rules/scoring.h"
#include "core/i18n.h"

namespace vornak {

void Game::closeRoundHistory() {
    ensureRound(match.RoundNumber);
    const auto ri = static_cast<std::size_t>(match.RoundNumber);
    for (int s = 1; s <= 4; ++s) {
        Player& p = match.Players[s];
        SeatRec& seat = table.Seats[s];
        p.RoundK[ri] += seat.K;
        p.RoundFooled[ri] = p.RoundFooled[ri] || seat.Fooled;
        p.RoundGotFool[ri] = p.RoundGotFool[ri] || seat.GotFool;
        // Taken over: scoring the table again adds nothing twice.
        seat.K = 0;
        seat.Fooled = seat.GotFool = false;
    }
}

void Game::ScoreRound() {
    const RoundScore score = ScoreTable(table);
    closeRoundHistory();
    const auto ri = static_cast<std::size_t>(match.RoundNumber);

    const int knocker = score.knocker;
    tallyRound(knocker);
    scene.noKnockPicture.visible = knocker == 0;

    // The next turn is one step on from CurrentSeat: the knocker opens the
    // next round, otherwise the seat after the last player.
    if (table.TurnForward) {
        if (knocker != 0)
            table.CurrentSeat = knocker - 1;
        else if (table.CurrentSeat == 4)
            table.CurrentSeat = 0;
    } else {
        if (knocker != 0)
            table.CurrentSeat = knocker + 1;
        else if (table.CurrentSeat == 1)
            table.CurrentSeat = 5;
    }

    for (int seat = 1; seat <= 4; ++seat) {
        SortPileCards(table, seat);
        Player& p = match.Players[seat];
        const SeatRec& s = table.Seats[seat];
        const SeatScore& mine = score.seats[static_cast<std::size_t>(seat)];
        p.RoundPoints[ri] = mine.points;
        p.TotalPoints += mine.points;
        p.RoundK[ri] += mine.k;

        // The game goes on only while this seat is below the target and the
        // person has not fallen to minus the target.
        if (!(p.TotalPoints < match.PointTarget &&
              std::labs(match.Players[kHuman].TotalPoints) < match.PointTarget)) {
            match.TargetReached = true;
            scene.clockTimer.enabled = false;
        }

        std::string kind;
        if (s.DarkKnocked)
            kind = _(" น็อคมืด ");
        else if (s.Knocked)
            kind = _(" น็อค ");
        else if (s.PileCount() > 0)
            kind = _(" เล่น");
        else
            kind = _(" มืดคามือ");

        std::string line = p.Name + kind;
        if (p.RoundFooled[ri]) line += _("และ โง่ ");
        if (p.RoundGotFool[ri]) line += _("และได้โง่");
        line += format(_("  ได้คะแนน %1  คะแนน และได้  %2  K"),
                       {num(p.RoundPoints[ri]), num(p.RoundK[ri])});
        scene.resultLine[seat].caption = line;
    }
}

}  // namespace vornak
