// The card moves every seat makes: drawing, taking the pile, laying a meld
// down (with its flight across the table) and laying a card off.
#include <algorithm>
#include <utility>

#include "core/game.h"

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
    SeatRec& stock = Seats[0];
    SeatRec& me = Seats[seat];
    say(seat, " จั่วไพ่");
    if (stock.CardCount() < 1) return;  // an empty stock ends the round before any draw

    int& top = stock.Cards[stock.CardCount()];
    // Draw steering: depending on the level, the person's draw may be swapped
    // with the card below it once for every pair of hand cards the candidate
    // does not meld with. Every swap exchanges the two top stock cards again,
    // so only the parity of the walk matters.
    if (seat == kHuman && stock.CardCount() >= 4) {
        const int r = static_cast<int>(9 * Rnd("draw steering") + 1);
        if (r <= DrawHelpLevel) {
            int& below = stock.Cards[stock.CardCount() - 1];
            for (int i = 1; i <= me.CardCount(); ++i)
                for (int j = i + 1; j <= me.CardCount(); ++j)
                    if (!IsSet(top, me.Cards[i], me.Cards[j]) &&
                        !IsRun(top, me.Cards[i], me.Cards[j]))
                        std::swap(top, below);
        }
    }

    const int candidate = top;
    top = 0;
    --stock.CardCount();
    if (isValidCard(candidate)) {
        scene.cardBack[candidate].visible = false;
        me.Cards.push(candidate);
    }
    report({"draw", seat, {candidate}, 0, ""});
    LayoutTable();
    LayoutSeatHand(seat);
}

void Game::TakeFromPile(int seat) {
    if (!validSeat(seat)) return;
    SeatRec& pile = Seats[0];
    SeatRec& me = Seats[seat];
    const int n = pile.PileCount();
    if (PickIndex < 1 || PickIndex > n) return;

    for (int k = PickIndex; k <= n; ++k)
        if (isValidCard(pile.PileCards[k])) scene.cardFace[pile.PileCards[k]].visible = false;
    say(seat, " เล่นไพ่ในวง");
    GameAction taken{"pick", seat, {}, PickIndex, ""};
    for (int k = PickIndex; k <= n; ++k) {
        taken.cards.push_back(pile.PileCards[k]);
        me.Cards.push(pile.PileCards[k]);
        pile.PileCards[k] = 0;
    }
    pile.PileCount() = PickIndex - 1;
    report(taken);
}

Task Game::AnimateLayDown() {
    const int seat = validSeat(CurrentSeat) ? CurrentSeat : kHuman;
    say(seat, " หงายไพ่ที่เล่น");
    for (int i = 1; i <= 3; ++i)
        if (isValidCard(Selection[i])) scene.cardBack[Selection[i]].visible = false;
    SortSelection();

    // Speto penalty: the seat whose discard fed this meld loses 1 K.
    ensureRound(RoundNumber);
    const int s1 = Selection[1], s2 = Selection[2], s3 = Selection[3];
    for (int k = 1; k <= 4; ++k) {
        if (k == seat) continue;
        bool* matched = nullptr;
        if (FeedsClubsRun[k] && s1 == 1 && s2 == 2)
            matched = &FeedsClubsRun[k];
        else if (FeedsTwos[k] && s1 == 1 && (s2 == 14 || s2 == 27))
            matched = &FeedsTwos[k];
        else if (FeedsQueens[k] && s3 == 50 && (s1 == 11 || s1 == 24))
            matched = &FeedsQueens[k];
        else if (FeedsTenToQueen[k] && s1 == 48 && s2 == 49)
            matched = &FeedsTenToQueen[k];
        else if (FeedsJackToKing[k] && s1 == 49 && s2 == 50)
            matched = &FeedsJackToKing[k];
        else if (FeedsQueenToAce[k] && s1 == 50 && s2 == 51)
            matched = &FeedsQueenToAce[k];
        if (matched == nullptr) continue;
        SeatRec& feeder = Seats[k];
        int& k_value = feeder.RoundK[static_cast<std::size_t>(RoundNumber)];
        --k_value;
        scene.seatName[k].caption = feeder.Name + num(k_value) + " K ";
        *matched = false;
    }

    // The flight: from the pile when the meld follows a pick, else from the stock.
    static constexpr int kPickHeading[5] = {0, 185, 90, 355, 270};
    static constexpr int kDrawHeading[5] = {0, 270, 0, 345, 320};
    FlightTicks = 0;
    if (PickFromPile) {
        FlightX = 5000;
        FlightY = 3620;
        FlightHeading = kPickHeading[seat];
    } else {
        FlightX = 1500;
        FlightY = 1600;
        FlightHeading = kDrawHeading[seat];
    }
    for (int i = 1; i <= 3; ++i) {
        if (!isValidCard(Selection[i])) continue;
        CardPicture& face = scene.cardFace[Selection[i]];
        scene.toFront(face);
        face.top = FlightY;
        face.left = FlightX;
        face.visible = true;
    }
    scene.flightTimer.enabled = true;
    for (int step = 0; step < kFlightSteps && FlightTicks < kFlightSteps; ++step) {
        flightStep();
        co_await seq.pause(kFlightPauseMs);
    }
    scene.flightTimer.enabled = false;

    for (int i = 1; i <= 3; ++i)
        if (isValidCard(Selection[i])) scene.cardFace[Selection[i]].visible = false;
    LayDownDone = true;
}

void Game::MoveMeldToTable(int seat) {
    if (!validSeat(seat)) return;
    SeatRec& me = Seats[seat];

    // Take the three cards out of the hand, keeping the order of the rest.
    // Only cards really in the hand reach the table: a card is never in two
    // places.
    std::vector<int> rest, taken;
    std::array<bool, 4> used{};
    for (int i = 1; i <= me.CardCount(); ++i) {
        const int c = me.Cards[i];
        bool inMeld = false;
        for (std::size_t s = 1; s <= 3 && !inMeld; ++s) {
            if (!used[s] && c == Selection[s] && isValidCard(c)) {
                used[s] = true;
                inMeld = true;
            }
        }
        (inMeld ? taken : rest).push_back(c);
    }
    SortSelection();
    std::sort(taken.begin(), taken.end());
    for (int c : taken) me.PileCards.push(c);
    me.Cards.assign(rest);
    report({"meld", seat, taken, 0, ""});

    logPlay(PlayLogs[static_cast<std::size_t>(seat)],
            cardName(Selection[1]) + " ," + cardName(Selection[2]) + "," + cardName(Selection[3]));
    ++me.MeldCount;
    LayoutLaidCards(seat);
}

void Game::LayOff(int seat) {
    if (!validSeat(seat)) return;
    SeatRec& me = Seats[seat];
    say(seat, " หงายไพ่ดัมมี่");
    if (LayOffPos < 1 || LayOffPos > me.CardCount()) return;

    const int c = me.Cards[LayOffPos];
    // The card leaves the hand: its back is no longer in anybody's hand, and
    // the person's face is shown again by the laid-card layout.
    if (isValidCard(c)) {
        scene.cardBack[c].visible = false;
        if (seat == kHuman) scene.cardFace[c].visible = false;
    }
    me.PileCards.push(c);
    me.Cards[LayOffPos] = me.Cards[me.CardCount()];
    me.Cards[me.CardCount()] = 0;
    --me.CardCount();
    report({"layoff", seat, {c}, LayOffPos, LayOffOnRun ? "run" : "set"});

    logPlay(PlayLogs[static_cast<std::size_t>(seat)],
            cardName(c) + (LayOffOnRun ? " (ดัมมี่ไพ่เรียง)" : " (ดัมมี่ไพ่ตอง)"));

    ++me.MeldCount;
    LayoutLaidCards(seat);
    if (LayOffOnRun) AddRunLayOffNeighbours(c);
}

void Game::LayoutLaidCards(int seat) {
    if (!validSeat(seat)) return;
    SeatRec& me = Seats[seat];
    const int count = me.PileCount();
    const int g = me.MeldCount;
    if (g >= 1 && g <= kMaxMeldGroups) me.MeldStarts[static_cast<std::size_t>(g)] = count;

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
