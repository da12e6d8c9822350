#include "policy.h"

#include <algorithm>
#include <limits>

#include "rules/melds.h"

namespace vornak::sim {

namespace {

bool holds(const std::vector<int>& list, int code) {
    return std::find(list.begin(), list.end(), code) != list.end();
}

bool selected(const Game& g, int code) {
    for (int i = 1; i <= g.person.SelectionCount && i <= 3; ++i)
        if (g.table.Selection[static_cast<std::size_t>(i)] == code) return true;
    return false;
}

}  // namespace

PersonPolicy::PersonPolicy(std::uint64_t seed) : rng_(seed ^ 0x9e3779b97f4a7c15ULL) {}

bool PersonPolicy::waiting(const Game& g) {
    return g.table.CurrentSeat == kHuman && !g.table.RoundOver && !g.seq.running() &&
           (g.person.DrawPhase || g.person.PlayMenuOn);
}

bool PersonPolicy::chance(double p) {
    return std::uniform_real_distribution<double>(0.0, 1.0)(rng_) < p;
}

int PersonPolicy::pickIndex(std::size_t size) {
    if (size <= 1) return 0;
    return static_cast<int>(std::uniform_int_distribution<std::size_t>(0, size - 1)(rng_));
}

std::vector<std::vector<int>> PersonPolicy::acceptedMelds(const Game& g, int mustHold) const {
    std::vector<std::vector<int>> found;
    const std::vector<int> hand = g.table.Seats[kHuman].Cards.toVector();
    const std::size_t n = hand.size();
    for (std::size_t i = 0; i < n; ++i)
        for (std::size_t j = i + 1; j < n; ++j)
            for (std::size_t k = j + 1; k < n; ++k) {
                const int a = hand[i], b = hand[j], c = hand[k];
                if (isValidCard(mustHold) && a != mustHold && b != mustHold && c != mustHold)
                    continue;
                if (CheckLaidMeld(g.table, a, b, c)) found.push_back({a, b, c});
            }
    return found;
}

std::string PersonPolicy::act(Game& g) {
    if (g.person.DrawPhase) return startTurn(g);

    SeatRec& me = g.table.Seats[kHuman];
    auto& menus = g.scene.menus;

    // The card taken from the pile goes into a meld before anything else.
    if (g.table.PickFromPile && isValidCard(g.table.PickedCard)) {
        if (!g.person.LayDownMode) {
            g.mnuPlayShowCard_Click();
            return "menu show";
        }
        return selectMeld(g);
    }

    // A closed hand of eight cards: the arrangement may offer a dark knock.
    if (!turn_.arrangeTried && me.StillClosed && me.CardCount() == 8 && chance(0.5)) {
        turn_.arrangeTried = true;
        g.mnuPlayArrangeCard_Click();
        return "menu arrange";
    }

    // While the discard item is off (a dark knock was chosen), only a meld
    // or a lay-off moves the turn on: the player keeps trying them.
    const bool mustPlay = !menus.mnuPlayDrawnCard.enabled && turn_.failures < 6;
    if (menus.mnuPlayShowCard.enabled && (!turn_.meldsDone || mustPlay)) {
        if (!turn_.meld.empty()) return selectMeld(g);
        if (!acceptedMelds(g, 0).empty() && (mustPlay || me.DarkKnocked || chance(0.9)))
            return selectMeld(g);
        turn_.meldsDone = true;
    }

    if (menus.mnuPlayShowCard.enabled && (!turn_.layOffsDone || mustPlay) && me.CardCount() >= 2) {
        std::vector<int> candidates;
        for (int i = 1; i <= me.CardCount(); ++i) {
            const int c = me.Cards[i];
            if (holds(turn_.refusedCards, c)) continue;
            if (g.table.SetLayOffCards.contains(c) || g.table.RunLayOffCards.contains(c))
                candidates.push_back(c);
        }
        if (candidates.empty() || !(mustPlay || chance(0.9))) {
            turn_.layOffsDone = true;
        } else {
            if (!g.person.LayDownMode) {
                g.mnuPlayShowCard_Click();
                return "menu show";
            }
            const int code = candidates[static_cast<std::size_t>(pickIndex(candidates.size()))];
            const bool onSet = g.table.SetLayOffCards.contains(code);
            const bool onRun = g.table.RunLayOffCards.contains(code);
            layOffOnSet_ = onSet && onRun ? chance(0.5) : onSet;
            const int before = me.CardCount();
            g.cardDblClick(code);
            if (me.CardCount() == before) {
                turn_.refusedCards.push_back(code);
                ++turn_.failures;
            }
            return std::string("lay off ") + cardNotation(code) + (layOffOnSet_ ? " set" : " run");
        }
    }
    return discard(g);
}

std::string PersonPolicy::startTurn(Game& g) {
    turn_ = Turn{};
    blocked_.clear();
    const CardList& pile = g.table.Seats[0].PileCards;
    std::vector<int> positions;
    for (int p = 1; p <= pile.count; ++p)
        if (CanPickFromPile(g.table, p)) positions.push_back(p);
    if (!positions.empty() && chance(0.8)) {
        const int p = positions[static_cast<std::size_t>(pickIndex(positions.size()))];
        g.cardDblClick(pile[p]);
        return "pick " + std::to_string(p);
    }
    const int top = g.table.Seats[0].Cards.top();
    g.stockDblClick(top);
    return "draw";
}

std::string PersonPolicy::selectMeld(Game& g) {
    if (!g.person.LayDownMode) {
        g.mnuPlayShowCard_Click();
        return "menu show";
    }
    if (turn_.meld.empty()) {
        const int mustHold = g.table.PickFromPile ? g.table.PickedCard : 0;
        const auto melds = acceptedMelds(g, mustHold);
        if (melds.empty()) {
            // Nothing to lay down (the pile pick cannot be completed either:
            // the game is left to refuse the next step).
            turn_.meldsDone = true;
            ++turn_.failures;
            return discard(g);
        }
        turn_.meld = melds[static_cast<std::size_t>(pickIndex(melds.size()))];
    }
    // A card selected earlier that is not part of this meld is put back first.
    for (int i = 1; i <= g.person.SelectionCount && i <= 3; ++i) {
        const int c = g.table.Selection[static_cast<std::size_t>(i)];
        if (!holds(turn_.meld, c)) {
            g.cardMouseUp(c, 1);
            return "unselect " + cardNotation(c);
        }
    }
    for (int c : turn_.meld) {
        if (selected(g, c)) continue;
        const bool last = g.person.SelectionCount == 2;
        g.cardMouseUp(c, 1);
        if (last) {
            const auto meld = turn_.meld;
            turn_.meld.clear();
            if (!g.seq.running() && ++turn_.failures > 3) turn_.meldsDone = true;
            return "select " + cardNotation(c) + " (meld " + cardNotation(meld[0]) + " " +
                   cardNotation(meld[1]) + " " + cardNotation(meld[2]) + ")";
        }
        return "select " + cardNotation(c);
    }
    turn_.meld.clear();
    return "select";
}

std::string PersonPolicy::discard(Game& g) {
    SeatRec& me = g.table.Seats[kHuman];
    auto& menus = g.scene.menus;
    if (!g.person.DiscardMode) {
        if (!menus.mnuPlayDrawnCard.enabled && menus.mnuPlayArrangeCard.enabled &&
            turn_.failures < 6) {
            // The discard item is off while a dark knock is offered; the
            // arrangement gives it back.
            ++turn_.failures;
            g.mnuPlayArrangeCard_Click();
            return "menu arrange";
        }
        if (!menus.mnuPlayDrawnCard.enabled) {
            blocked_ =
                "the discard item is disabled and no meld, lay-off or arrangement gives it back "
                "(hand " +
                std::to_string(me.CardCount()) + " cards)";
            return "blocked";
        }
        g.mnuPlayDrawnCard_Click();
        return "menu discard";
    }
    if (me.CardCount() < 1) return "nothing to discard";
    // The dearest card that no meld on the table takes; the dearest of all
    // when every card would feed a meld.
    int best = 0, bestScore = std::numeric_limits<int>::min();
    for (int i = 1; i <= me.CardCount(); ++i) {
        const int c = me.Cards[i];
        int score = cardValue(c) * 4 + pickIndex(4);
        if (IsDummyCard(g.table, c) && me.CardCount() > 1) score -= 1000;
        if (score > bestScore) {
            bestScore = score;
            best = c;
        }
    }
    g.cardDblClick(best);
    return (me.CardCount() == 0 ? "turn down " : "discard ") + cardNotation(best);
}

void PersonPolicy::chooseLayOffKind(Game& g) {
    if (layOffOnSet_)
        g.showdummyTongItem_Click();
    else
        g.showDummyStateItem_Click();
}

}  // namespace vornak::sim
