// Shuffle, deal and the start of a round.
#include <algorithm>
#include <cmath>

#include "game/game.h"
#include "rules/cardmoves.h"
#include "core/i18n.h"

namespace vornak {

namespace {

// Passes of the shuffle by the game's point target: longer games are
// shuffled more thoroughly.
int shufflePasses(int pointTarget) {
    if (pointTarget < 500) return 1;
    if (pointTarget == 500) return 3;
    if (pointTarget == 700) return 4;
    if (pointTarget == 1000) return 6;
    if (pointTarget > 1000) return 10;
    return 1;
}

}  // namespace

// The shuffle is not uniform: a short run of consecutive codes (the
// prepared run) ends at the bottom of the deck, where the deal gives it to
// the favoured computer seat.
void Game::ShuffleDeck() {
    std::array<int, 53> deck{};
    for (int i = 1; i <= 52; ++i) deck[i] = i;

    const int runLength = std::clamp(match.PreparedRunLength, 0, 10);
    int start = 0;
    do {
        start = static_cast<int>(std::floor(52 * Rnd("deal") + 1));
    } while (!(start > 0 && start < 51 - runLength));

    const int passes = shufflePasses(match.PointTarget);
    for (int pass = 0; pass < passes; ++pass) {
        for (int i = 1; i <= 52; ++i) {
            int j = 0;
            do {
                j = static_cast<int>(std::floor(53 * Rnd("deal") + 1));
            } while (j < 1 || j > 52);
            std::swap(deck[i], deck[j]);
        }
    }

    for (int k = 1; k <= runLength; ++k) {
        const int code = start + k - 1;
        const int q = 52 - runLength + k;
        for (int i = 1; i <= 52; ++i) {
            if (deck[i] == code) {
                std::swap(deck[i], deck[q]);
                break;
            }
        }
    }
    Deck = deck;
}

bool Game::DeckIsValid() const {
    std::array<bool, 53> seen{};
    for (int i = 1; i <= 52; ++i) {
        const int c = Deck[i];
        if (!isValidCard(c) || seen[c]) return false;
        seen[c] = true;
    }
    return true;
}

// Seat 2 when it has more points than seat 3, otherwise seat 3: the last of
// the pairwise comparisons decides, so seat 1 is never favoured.
int Game::FavouredSeat() const {
    int favoured = 0;
    for (int i = 1; i <= 2; ++i)
        for (int j = 2; j <= 3; ++j)
            favoured = match.Players[i].TotalPoints > match.Players[j].TotalPoints ? i : j;
    return favoured;
}

void Game::DealRound() {
    for (int i = 1; i <= 4; ++i)
        scene.seatName[i].tooltip = format(_("เหลือเงิน %1 บาท"), {plain(match.Players[i].Money)});

    scene.stockCount.visible = true;
    scene.menus.mnuPlayShowCard.caption = _("หงายไพ่");
    scene.menus.mnuPlayDrawnCard.caption = _("ทิ้งไพ่");

    if (skins.random && skins.count > 0) {
        PickRandomSkin();
    } else {
        ApplySkin(skins.current);
    }
    scene.skinOverlay.visible = skins.current >= 6;

    match.MoneyAtRoundStart = match.Players[4].Money;
    scene.moneyLabel.caption = num(match.Players[4].Money);
    table.RoundOver = false;

    scene.stockCount.visible = true;
    scene.targetLine.visible = true;
    scene.ratesLine.visible = true;

    for (int i = 1; i <= 4; ++i) {
        scene.seatName[i].caption = match.Players[i].Name;
        scene.seatName[i].visible = true;
        scene.boardHandName[i].visible = false;
        scene.boardLaidName[i].visible = false;
        scene.resultLine[i].visible = false;
        scene.panelTitle[i].visible = true;
        scene.panelPoints[i].visible = true;
        scene.panelK[i].visible = true;
        scene.panelFooled[i].visible = true;
        scene.panelGotFool[i].visible = true;
    }

    // No turn is under way at a deal. A new game or a level change may have
    // cut the person's turn short: none of its modes may act before the
    // person's next turn sets them again.
    person.DrawPhase = person.PilePickMode = person.ArrangeMode = person.DiscardMode =
        person.LayDownMode = person.PlayMenuOn = false;
    scene.menus.mnuPlayArrangeCard.enabled = false;
    scene.menus.mnuPlayDrawnCard.enabled = false;
    person.ArrangeFirstChosen = false;
    person.ArrangeFirstPos = 0;
    person.SelectionCount = 0;

    scene.forwardIcon.visible = table.TurnForward;
    scene.backwardIcon.visible = !table.TurnForward;

    for (int c = 1; c <= 52; ++c) {
        CardPicture& face = scene.cardFace[c];
        face.enabled = false;
        face.top = 1440;
        face.left = 1560;
        Deck[c] = 0;
    }

    scene.menus.mnuGame.enabled = true;
    scene.menus.mnuPlay.enabled = true;
    scene.menus.mnuHelp.enabled = true;

    do {
        ShuffleDeck();
    } while (!DeckIsValid());

    const int favoured = FavouredSeat();
    DealCards(table, Deck, favoured);
    if (match.GiveStarterHand) {
        for (int k = 1; k <= 7; ++k)
            std::swap(table.Seats[4].Cards[k], table.Seats[favoured].Cards[k]);
        match.GiveStarterHand = false;
    }

    for (int c = 1; c <= 52; ++c) {
        scene.cardFace[c].visible = false;
        CardPicture& back = scene.cardBack[c];
        back.visible = true;
        back.top = 1440;
        back.left = 1560;
    }

    scene.cardBack[Deck[22]].visible = false;
    for (int j = 1; j <= 23; ++j) scene.toFront(scene.cardBack[Deck[22 + j]]);

    for (int k = 1; k <= 7; ++k) scene.cardBack[table.Seats[4].Cards[k]].visible = false;

    for (int i = 1; i <= 4; ++i) match.PlayLogs[i].EntryCount = 0;

    hint(_(" กำลังแจกไพ่ ,,,ให้ผู้เล่นแต่ละคน "));
    scene.moneyLabel.caption = num(match.Players[4].Money);

    report({"deal", favoured, {}, 0, ""});
    LayoutTable();
    for (int i = 1; i <= 4; ++i) LayoutSeatHand(i);

    scene.turnTimer.enabled = true;
    scene.clockTimer.enabled = true;
}

}  // namespace vornak
