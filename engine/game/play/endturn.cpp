// The end of every seat's turn as the table shows it: the discard (or the
// last card turned down) is made on the table (play/cardmoves.h), the
// game's statistics count it, and a round that is over is scored.
#include "game/game.h"
#include "rules/cardmoves.h"
#include "core/i18n.h"

namespace vornak {

Task Game::EndTurn(int seat) {
    if (seat < 1 || seat > 4) co_return;
    const SeatRec& me = table.Seats[seat];

    const TurnEnd end = vornak::EndTurn(table, seat, watcher());
    Player& player = match.Players[seat];
    if (end.ontoThree) ++player.DiscardOnThreeCount;
    if (end.dummy) ++player.DummyDiscardCount;
    // A dark knock offered to the person and not taken is withdrawn.
    if (!end.knocked && seat == kHuman) scene.menus.mnuPlayShowCard.caption = _("หงายไพ่");

    const int d = end.card;
    if (seat != kHuman && isValidCard(d)) scene.cardBack[d].visible = false;
    if (!table.RoundOver) {
        LayoutTable();
        LayoutSeatHand(seat);
        scene.turnTimer.enabled = true;
    } else {
        if (me.Knocked || me.DarkKnocked) {
            say(seat, _(" คว่ำไพ่ "));
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
        watcher()->roundEnding();
        ShowRoundEndBoard();
        ScoreRound();
        report({"roundend", 0, {}, match.RoundNumber, ""});
        UpdateNotebook();
        notebook.rows = match.RoundNumber;
        if (match.RoundNumber >= 4) scene.notebookScrollDown.enabled = true;
    }
}

}  // namespace vornak
