#include "invariants.h"

#include <sstream>

namespace vornak::sim {

namespace {

std::string placeName(int seat, bool laid) {
    if (seat == 0) return laid ? "the pile" : "the stock";
    return (laid ? "the laid cards of seat " : "the hand of seat ") + std::to_string(seat);
}

}  // namespace

std::string checkCards(const Game& game, const GameAction* action) {
    std::array<std::string, 53> where{};
    int total = 0;
    for (int seat = 0; seat <= 4; ++seat) {
        for (bool laid : {false, true}) {
            const CardList& list = laid ? game.Seats[seat].PileCards : game.Seats[seat].Cards;
            const std::string name = placeName(seat, laid);
            if (list.count < 0 || list.count > kMaxCards)
                return name + " counts " + std::to_string(list.count) + " cards";
            total += list.count;
            for (int i = 1; i <= list.count; ++i) {
                const int c = list[i];
                if (!isValidCard(c))
                    return name + " holds code " + std::to_string(c) + " at position " +
                           std::to_string(i);
                auto& seen = where[static_cast<std::size_t>(c)];
                if (!seen.empty())
                    return "card " + cardNotation(c) + " (" + std::to_string(c) + ") is in " +
                           seen + " and in " + name;
                seen = name;
            }
        }
    }
    // Once the round is over, the end-of-round board shows the top card of
    // the pile (the turned-down card or the last discard) alone, off the pile.
    int expected = 52;
    if (game.RoundOver) {
        const CardList& pile = game.Seats[0].PileCards;
        const int shown = pile.count < kMaxCards ? pile[pile.count + 1] : 0;
        if (isValidCard(shown) && where[static_cast<std::size_t>(shown)].empty()) {
            where[static_cast<std::size_t>(shown)] = "the round-end board";
            --expected;
        }
    }
    for (int c = 1; c <= 52; ++c)
        if (where[static_cast<std::size_t>(c)].empty())
            return "card " + cardNotation(c) + " (" + std::to_string(c) + ") is nowhere";
    if (total != expected) return "the places count " + std::to_string(total) + " cards";

    for (int seat = 1; seat <= 4; ++seat) {
        const SeatRec& s = game.Seats[seat];
        if (s.CardCount() > 0 || s.Knocked || s.DarkKnocked) continue;
        // The discard of the last card is reported before the knock is marked.
        if (action != nullptr && action->seat == seat &&
            (action->kind == "discard" || action->kind == "knock"))
            continue;
        return "seat " + std::to_string(seat) + " has an empty hand without a knock";
    }
    return {};
}

std::string checkRoundMoney(const Game& game, const std::array<long, 5>& before, int round) {
    if (round < 1) return {};
    const auto r = static_cast<std::size_t>(round);
    long moved = 0, fooled = 0, gotFool = 0;
    for (int s = 1; s <= 4; ++s) {
        const SeatRec& seat = game.Seats[s];
        moved += seat.Money - before[static_cast<std::size_t>(s)];
        if (r < seat.RoundFooled.size() && seat.RoundFooled[r]) ++fooled;
        if (r < seat.RoundGotFool.size() && seat.RoundGotFool[r]) ++gotFool;
    }
    if (fooled != gotFool) {
        std::ostringstream out;
        out << "round " << round << " has " << fooled << " fooled seats and " << gotFool
            << " seats paid for a fool";
        return out.str();
    }
    const long foolMoney = (gotFool - fooled) * game.FoolBaht;
    const long pot = game.TargetReached ? game.MissionPot : 0;
    const long kMoney = moved - foolMoney - pot;
    if (kMoney != 0) {
        std::ostringstream out;
        out << "round " << round << ": the money of the four seats moved by " << moved
            << " (fool money " << foolMoney << ", pot " << pot << "), so K money sums to " << kMoney
            << " instead of 0";
        return out.str();
    }
    return {};
}

std::string describeTable(const Game& game) {
    std::string out;
    for (int seat = 0; seat <= 4; ++seat) {
        for (bool laid : {false, true}) {
            const CardList& list = laid ? game.Seats[seat].PileCards : game.Seats[seat].Cards;
            out += "  " + placeName(seat, laid) + " (" + std::to_string(list.count) + "):";
            for (int i = 1; i <= list.count; ++i) out += " " + cardNotation(list[i]);
            out += "\n";
        }
    }
    out += "  selection:";
    for (int i = 1; i <= 3; ++i)
        out += " " + std::to_string(game.Selection[static_cast<std::size_t>(i)]);
    out += "\n";
    return out;
}

}  // namespace vornak::sim
