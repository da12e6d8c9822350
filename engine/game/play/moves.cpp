// The card moves as the table shows them: each move is made on the table
// (play/cardmoves.h), then the pictures follow; a lay-down flies across the
// table first.
#include <algorithm>
#include <utility>

#include "game/game.h"
#include "rules/cardmoves.h"
#include "rules/melds.h"
#include "core/i18n.h"

namespace vornak {

namespace {

constexpr int kMaxMeldGroups = 20;  // MeldStarts holds entries 1..20
constexpr int kMaxLogEntries = 12;
constexpr int kFlightSteps = 20;
constexpr int kFlightPauseMs = 25;

bool validSeat(int seat) {
    return seat >= 1 && seat <= 4;
}

// Adds one entry to a seat's play log; only the first twelve are written.
void logPlay(PlayLogRec& log, const std::string& entry) {
    ++log.EntryCount;
    if (log.EntryCount >= 1 && log.EntryCount <= kMaxLogEntries)
        log.Entries[static_cast<std::size_t>(log.EntryCount)] = entry;
}

}  // namespace

void Game::disableAllFaces() {
    for (int c = 1; c <= 52; ++c) scene.cardFace[c].enabled = false;
}

void Game::DrawCard(int seat) {
    if (!validSeat(seat)) return;
    say(seat, _(" จั่วไพ่"));
    if (table.Seats[0].CardCount() < 1) return;  // an empty stock ends the round before any draw
    const int card = vornak::DrawCard(table, seat, level(), random, watcher());
    if (isValidCard(card)) scene.cardBack[card].visible = false;
    LayoutTable();
    LayoutSeatHand(seat);
}

void Game::TakeFromPile(int seat) {
    if (!validSeat(seat)) return;
    const CardList& pile = table.Seats[0].PileCards;
    if (table.PickIndex < 1 || table.PickIndex > pile.count) return;
    for (int k = table.PickIndex; k <= pile.count; ++k)
        if (isValidCard(pile[k])) scene.cardFace[pile[k]].visible = false;
    say(seat, _(" เล่นไพ่ในวง"));
    vornak::TakeFromPile(table, seat, watcher());
}

void Game::showPenalties(int penalised) {
    for (int k = 1; k <= 4; ++k)
        if (penalised & (1 << k))
            scene.seatName[k].caption = match.Players[k].Name + num(table.Seats[k].K) + " K ";
}

Task Game::AnimateLayDown(int penalised) {
    const int seat = validSeat(table.CurrentSeat) ? table.CurrentSeat : kHuman;
    say(seat, _(" หงายไพ่ที่เล่น"));
    for (int i = 1; i <= 3; ++i)
        if (isValidCard(table.Selection[i])) scene.cardBack[table.Selection[i]].visible = false;
    showPenalties(penalised);

    // The flight: from the pile when the meld follows a pick, else from the stock.
    static constexpr int kPickHeading[5] = {0, 185, 90, 355, 270};
    static constexpr int kDrawHeading[5] = {0, 270, 0, 345, 320};
    if (table.PickFromPile)
        flight.start(5000, 3620, kPickHeading[seat]);
    else
        flight.start(1500, 1600, kDrawHeading[seat]);
    for (int i = 1; i <= 3; ++i) {
        if (!isValidCard(table.Selection[i])) continue;
        CardPicture& face = scene.cardFace[table.Selection[i]];
        scene.toFront(face);
        face.top = flight.y;
        face.left = flight.x;
        face.visible = true;
    }
    scene.flightTimer.enabled = true;
    for (int step = 0; step < kFlightSteps && flight.ticks < kFlightSteps; ++step) {
        flightStep();
        if (prefs.flights) co_await seq.pause(kFlightPauseMs);
    }
    scene.flightTimer.enabled = false;

    for (int i = 1; i <= 3; ++i)
        if (isValidCard(table.Selection[i])) scene.cardFace[table.Selection[i]].visible = false;
    person.LayDownDone = true;
}

void Game::showMeld(int seat) {
    const std::string meld = format(
        // TRANSLATORS: the three cards of a meld in a seat's plays of the round.
        _("%1 ,%2,%3"),
        {cardName(table.Selection[1]), cardName(table.Selection[2]), cardName(table.Selection[3])});
    logPlay(match.PlayLogs[static_cast<std::size_t>(seat)], meld);
    LayoutLaidCards(seat);
}

void Game::MoveMeldToTable(int seat) {
    if (!validSeat(seat)) return;
    vornak::MoveMeldToTable(table, seat, watcher());
    showMeld(seat);
}

void Game::showLayOff(int seat, int card) {
    say(seat, _(" หงายไพ่ดัมมี่"));
    // The card leaves the hand: its back is no longer in anybody's hand, and
    // the person's face is shown again by the laid-card layout.
    if (isValidCard(card)) {
        scene.cardBack[card].visible = false;
        if (seat == kHuman) scene.cardFace[card].visible = false;
    }
    logPlay(match.PlayLogs[static_cast<std::size_t>(seat)],
            cardName(card) + (table.LayOffOnRun ? _(" (ดัมมี่ไพ่เรียง)") : _(" (ดัมมี่ไพ่ตอง)")));
    LayoutLaidCards(seat);
}

void Game::LayOff(int seat) {
    if (!validSeat(seat)) return;
    const int card = vornak::LayOff(table, seat, watcher());
    if (card != 0)
        showLayOff(seat, card);
    else
        say(seat, _(" หงายไพ่ดัมมี่"));
}

void Game::LayoutLaidCards(int seat) {
    if (!validSeat(seat)) return;
    SeatRec& me = table.Seats[seat];
    const int count = me.PileCount();
    const int g = me.MeldCount;

    int w = 350;
    if ((seat == 2 || seat == 4) && count > 16) w = 230;
    auto place = [&](int code, int left, int top) {
        if (!isValidCard(code)) return;
        CardPicture& face = scene.cardFace[code];
        scene.toFront(face);
        face.left = left;
        face.top = top;
        face.visible = true;
    };

    if (seat == 1 || seat == 3) {
        if (g < 1) return;
        // Beyond the 20th group nothing more is recorded: the rest of the laid
        // cards go into one more row after the last recorded group.
        const int last = std::min(g, kMaxMeldGroups);
        const int first = g <= kMaxMeldGroups ? me.MeldStarts[static_cast<std::size_t>(g - 1)] + 1
                                              : me.MeldStarts[static_cast<std::size_t>(last)] + 1;
        const int end = g <= kMaxMeldGroups ? me.MeldStarts[static_cast<std::size_t>(g)] : count;
        const int base = seat == 1 ? 1250 : 9400;
        for (int k = first, j = 1; k <= end && k <= count; ++k, ++j)
            place(me.PileCards[k], base + (j - 1) * 200, 3500 + (g - 1) * w);
    } else {
        const int start = 5800 - w * ((count + 1) / 2);
        const int top = seat == 2 ? 1440 : 5420;
        for (int k = 1; k <= count; ++k) place(me.PileCards[k], start + (k - 1) * w, top);
    }
}

}  // namespace vornak
