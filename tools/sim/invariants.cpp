#include "invariants.h"

#include <cstdint>
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
            const CardList& list =
                laid ? game.table.Seats[seat].PileCards : game.table.Seats[seat].Cards;
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
    if (game.table.RoundOver) {
        const CardList& pile = game.table.Seats[0].PileCards;
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
        const SeatRec& s = game.table.Seats[seat];
        if (s.CardCount() > 0 || s.Knocked || s.DarkKnocked) continue;
        // The discard of the last card is reported before the knock is marked.
        if (action != nullptr && action->seat == seat &&
            (action->kind == "discard" || action->kind == "knock"))
            continue;
        return "seat " + std::to_string(seat) + " has an empty hand without a knock";
    }
    return {};
}

std::string checkDeal(const Game& game) {
    const SeatRec& table = game.table.Seats[0];
    if (table.CardCount() != 23 || table.PileCount() != 1)
        return "the deal left " + std::to_string(table.CardCount()) + " cards in the stock and " +
               std::to_string(table.PileCount()) + " on the pile";
    for (int s = 1; s <= 4; ++s) {
        const SeatRec& seat = game.table.Seats[s];
        if (seat.CardCount() != 7 || seat.PileCount() != 0)
            return "the deal gave seat " + std::to_string(s) + " " +
                   std::to_string(seat.CardCount()) + " cards and " +
                   std::to_string(seat.PileCount()) + " laid cards";
        if (seat.Knocked || seat.DarkKnocked)
            return "seat " + std::to_string(s) + " still carries a knock after the deal";
    }
    return {};
}

std::string checkActionEffect(const Game& game, const GameAction& a) {
    if (a.kind == "deal" || a.kind == "roundend") return {};
    if (a.seat < 1 || a.seat > 4) return a.kind + " by seat " + std::to_string(a.seat);
    const SeatRec& seat = game.table.Seats[a.seat];
    const CardList& pile = game.table.Seats[0].PileCards;
    const std::string who = a.kind + " by seat " + std::to_string(a.seat) + ": ";
    auto name = [](int c) { return cardNotation(c) + " (" + std::to_string(c) + ")"; };
    if (a.kind == "draw" || a.kind == "pick") {
        if (a.cards.empty()) return who + "no card moved";
        for (int c : a.cards)
            if (!seat.Cards.contains(c)) return who + name(c) + " is not in the hand";
        if (a.kind == "pick" && pile.count != a.position - 1)
            return who + "taken from position " + std::to_string(a.position) +
                   " but the pile has " + std::to_string(pile.count) + " cards left";
    } else if (a.kind == "meld" || a.kind == "layoff") {
        if (a.cards.size() != (a.kind == "meld" ? 3u : 1u))
            return who + std::to_string(a.cards.size()) + " cards";
        for (int c : a.cards) {
            if (!seat.PileCards.contains(c)) return who + name(c) + " is not among the laid cards";
            if (seat.Cards.contains(c)) return who + name(c) + " is still in the hand";
        }
    } else if (a.kind == "discard") {
        if (a.cards.size() != 1 || pile.top() != a.cards[0])
            return who + "the card is not on top of the pile";
        if (seat.Cards.contains(a.cards[0])) return who + "the card is still in the hand";
    } else if (a.kind == "knock") {
        if (seat.CardCount() != 0) return who + "the hand still holds cards";
        const bool dark = a.detail == "dark";
        if (dark != seat.DarkKnocked || dark == seat.Knocked)
            return who + "reported as " + a.detail + " but the flags say otherwise";
    } else {
        return "unknown action " + a.kind;
    }
    return {};
}

std::string checkRoundMoney(const Game& game, const std::array<long, 5>& before, int round) {
    if (round < 1) return {};
    const auto r = static_cast<std::size_t>(round);
    auto flag = [r](const std::vector<bool>& v) { return r < v.size() && v[r]; };
    auto kOf = [r](const Player& seat) -> long {
        return r < seat.RoundK.size() ? seat.RoundK[r] : 0;
    };
    long moved = 0, fooled = 0, gotFool = 0, kSum = 0;
    for (int s = 1; s <= 4; ++s) {
        const Player& seat = game.match.Players[s];
        moved += seat.Money - before[static_cast<std::size_t>(s)];
        if (flag(seat.RoundFooled)) ++fooled;
        if (flag(seat.RoundGotFool)) ++gotFool;
        kSum += kOf(seat);
    }
    if (fooled != gotFool) {
        std::ostringstream out;
        out << "round " << round << " has " << fooled << " fooled seats and " << gotFool
            << " seats paid for a fool";
        return out.str();
    }
    const long foolMoney = (gotFool - fooled) * game.match.FoolBaht;
    const long pot = game.match.TargetReached ? game.match.MissionPot : 0;
    const long kMoney = moved - foolMoney - pot;
    if (kMoney != 0) {
        std::ostringstream out;
        out << "round " << round << ": the money of the four seats moved by " << moved
            << " (fool money " << foolMoney << ", pot " << pot << "), so K money sums to " << kMoney
            << " instead of 0";
        return out.str();
    }

    // Seat by seat. At a game's end the leader (highest total, ties to the
    // lower seat) collects what the others pay for the points they are
    // behind, and the pot.
    int leader = 1;
    for (int s = 2; s <= 4; ++s)
        if (game.match.Players[s].TotalPoints > game.match.Players[leader].TotalPoints) leader = s;
    const long lead = static_cast<std::int16_t>(game.match.Players[leader].TotalPoints);
    long pointMoney = 0;  // what the leader collects
    for (int s = 1; s <= 4; ++s)
        if (s != leader)
            pointMoney += (lead - game.match.Players[s].TotalPoints) * game.match.BahtPerPoint;
    for (int s = 1; s <= 4; ++s) {
        const Player& seat = game.match.Players[s];
        long expected = game.match.FoolBaht *
                            ((flag(seat.RoundGotFool) ? 1 : 0) - (flag(seat.RoundFooled) ? 1 : 0)) +
                        game.match.KBaht * (4 * kOf(seat) - kSum);
        if (game.match.TargetReached)
            expected += s == leader ? pointMoney + game.match.MissionPot
                                    : -(lead - seat.TotalPoints) * game.match.BahtPerPoint;
        const long got = seat.Money - before[static_cast<std::size_t>(s)];
        if (got != expected) {
            std::ostringstream out;
            out << "round " << round << ": seat " << s << "'s money moved by " << got
                << " instead of " << expected << " (K " << kOf(seat) << " of " << kSum
                << " in all, fooled " << flag(seat.RoundFooled) << ", got a fool "
                << flag(seat.RoundGotFool) << (game.match.TargetReached ? ", game end" : "") << ")";
            return out.str();
        }
    }
    return {};
}

std::string checkRoundScore(const Game& game, int round) {
    if (round < 1) return {};
    bool ends = false;
    for (int s = 1; s <= 4; ++s) {
        const Player& seat = game.match.Players[s];
        if (seat.RoundPoints.size() <= static_cast<std::size_t>(round))
            return "seat " + std::to_string(s) + " has no points for round " +
                   std::to_string(round);
        long sum = 0;
        for (std::size_t r = 1; r <= static_cast<std::size_t>(round); ++r)
            sum += seat.RoundPoints[r];
        if (sum != seat.TotalPoints)
            return "seat " + std::to_string(s) + " totals " + std::to_string(seat.TotalPoints) +
                   " but its rounds add up to " + std::to_string(sum);
        if (seat.TotalPoints >= game.match.PointTarget) ends = true;
    }
    if (game.match.Players[kHuman].TotalPoints <= -game.match.PointTarget) ends = true;
    if (ends != game.match.TargetReached) {
        std::ostringstream out;
        out << "round " << round << ": totals";
        for (int s = 1; s <= 4; ++s) out << " " << game.match.Players[s].TotalPoints;
        out << " against a target of " << game.match.PointTarget << ", but the game "
            << (game.match.TargetReached ? "ends" : "goes on");
        return out.str();
    }
    return {};
}

std::string describeTable(const Game& game) {
    // Appended piece by piece: GCC 12 warns wrongly (-Wrestrict) about
    // `" " + text` here at -O3.
    std::string out;
    auto put = [&out](const std::string& a, const std::string& b) {
        out += a;
        out += b;
    };
    for (int seat = 0; seat <= 4; ++seat) {
        for (bool laid : {false, true}) {
            const CardList& list =
                laid ? game.table.Seats[seat].PileCards : game.table.Seats[seat].Cards;
            put("  ", placeName(seat, laid));
            put(" (", std::to_string(list.count));
            out += "):";
            for (int i = 1; i <= list.count; ++i) put(" ", cardNotation(list[i]));
            out += "\n";
        }
    }
    out += "  selection:";
    for (int i = 1; i <= 3; ++i)
        put(" ", std::to_string(game.table.Selection[static_cast<std::size_t>(i)]));
    out += "\n";
    return out;
}

}  // namespace vornak::sim
