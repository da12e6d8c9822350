// A computer seat's turn: the pile-pick decision or the draw, the melds and
// lay-offs its policy allows, and the choice of discard.
#include "ai/turn.h"

#include <cmath>
#include <cstdint>

#include "ai/decisions.h"
#include "ai/expert.h"
#include "ai/master.h"
#include "rules/cardmoves.h"
#include "rules/darkknock.h"
#include "rules/melds.h"

namespace vornak {

namespace {

// A decision is noted in the table's turn record, where the moves read it.
template <class Decision>
const Decision& note(Table& t, const Decision& d) {
    d.noteIn(t);
    return d;
}

// The Expert's seed for one decision, drawn from the turn's random source.
std::uint64_t expertSeed(Random& random) {
    return static_cast<std::uint64_t>(random.next() * 0x1.0p53);
}

ExpertRequest askExpert(ExpertRequest::Kind kind, const Table& t, int seat, const Level& level,
                        Random& random) {
    ExpertRequest r;
    r.kind = kind;
    r.view = ViewOf(t, seat);
    r.level = level;
    r.seed = expertSeed(random);
    return r;
}

// A search asked again about a table it has just looked at answers as it
// did: without an observer that watches the decisions (which records every
// look), the loops below take the answer they already have.
class Repeat {
public:
    explicit Repeat(GameObserver* observer)
        : watched_(observer != nullptr && observer->watchesDecisions()) {}
    template <class Look>
    bool operator()(Look look) {
        if (!known_ || watched_) {
            found_ = look();
            known_ = true;
        }
        return found_;
    }
    void tableChanged() { known_ = false; }

private:
    bool watched_;
    bool known_ = false;
    bool found_ = false;
};

// The loops' looks: a meld in hand, a card to lay off (onto sets only with
// `setsOnly`), each asked through the loop's Repeat.
bool findMeld(Table& t, int seat, Repeat& repeat, GameObserver* observer) {
    return repeat([&] { return note(t, FindMeldInHand(t, seat, observer)).found; });
}

bool findLayOff(Table& t, int seat, bool setsOnly, Repeat& repeat, GameObserver* observer) {
    return repeat([&] {
        return note(t, setsOnly ? FindSetLayOff(t, seat, observer) : FindLayOff(t, seat, observer))
            .found;
    });
}

// Lays down every meld found, keeping at least three cards in hand (a meld
// of a seat's last three cards would leave nothing to discard).
TurnSteps MeldLoop(Table& t, int seat, GameObserver* observer) {
    SeatRec& s = t.Seats[static_cast<std::size_t>(seat)];
    Repeat repeat(observer);
    auto find = [&] { return findMeld(t, seat, repeat, observer); };
    do {
        if (find() && s.CardCount() > 3) {
            const int before = s.CardCount();
            co_yield TurnEvent{TurnStep::LayingDown, 0, PenaliseFeeders(t, seat)};
            MoveMeldToTable(t, seat, observer);
            AddLayOffTargets(t, t.Selection);
            repeat.tableChanged();
            co_yield TurnEvent{TurnStep::LaidDown, 0, 0};
            if (s.CardCount() >= before) break;  // nothing moved: do not spin
        }
    } while (find() && s.CardCount() > 3);
}

// Lays off every card that fits (onto sets only with `setsOnly`), keeping
// the last card.
TurnSteps LayOffLoop(Table& t, int seat, bool setsOnly, GameObserver* observer) {
    SeatRec& s = t.Seats[static_cast<std::size_t>(seat)];
    Repeat repeat(observer);
    auto find = [&] { return findLayOff(t, seat, setsOnly, repeat, observer); };
    do {
        if (find() && s.CardCount() > 1) {
            const int before = s.CardCount();
            const int card = LayOff(t, seat, observer);
            repeat.tableChanged();
            co_yield TurnEvent{TurnStep::LaidOff, card, 0};
            if (s.CardCount() >= before) break;  // nothing moved: do not spin
        }
    } while (find() && s.CardCount() != 1);
}

// A Master seat's turn after its Thinking step: the pick, then the plan
// laid out step by step as the plan says, as far as each step is possible.
TurnSteps MasterTurn(Table& t, int seat, const Level& level, Random& random,
                     GameObserver* observer) {
    SeatRec& me = t.Seats[static_cast<std::size_t>(seat)];
    t.PickFromPile = false;
    ExpertRequest pick = askExpert(ExpertRequest::Kind::MasterPick, t, seat, level, random);
    co_yield TurnEvent{TurnStep::Consulting, 0, 0, &pick};
    if (!pick.answered) pick.answer();
    note(t, pick.pick);

    if (t.PickFromPile) {
        t.PileCountAtTurnStart = t.Seats[0].PileCount();
        TakeFromPile(t, seat, observer);
        co_yield TurnEvent{TurnStep::TookPile};
        co_yield TurnEvent{TurnStep::LayingDown, 0, PenaliseFeeders(t, seat)};
        MoveMeldToTable(t, seat, observer);
        t.PickFromPile = false;
        AddLayOffTargets(t, t.Selection);
        co_yield TurnEvent{TurnStep::LaidDown};
        me.HasLaidDown = true;
    } else {
        t.PickIndex = 0;
        co_yield TurnEvent{TurnStep::WillDraw};
        const int card = DrawCard(t, seat, level, random, observer);
        co_yield TurnEvent{TurnStep::Drew, card, 0};
    }
    if (me.CardCount() == 0) co_return;

    ExpertRequest ask = askExpert(ExpertRequest::Kind::MasterTurn, t, seat, level, random);
    co_yield TurnEvent{TurnStep::Consulting, 0, 0, &ask};
    if (!ask.answered) ask.answer();
    const MasterPlan& plan = ask.plan;
    for (int i = 0; i < plan.meldCount && i < MasterPlan::kMaxMelds; ++i) {
        const Meld& m = plan.melds[static_cast<std::size_t>(i)];
        if (!PlanMeldFits(me, m)) continue;
        t.Selection = m;
        co_yield TurnEvent{TurnStep::LayingDown, 0, PenaliseFeeders(t, seat)};
        MoveMeldToTable(t, seat, observer);
        AddLayOffTargets(t, t.Selection);
        co_yield TurnEvent{TurnStep::LaidDown};
    }
    for (int i = 0; i < plan.layOffCount && i < MasterPlan::kMaxLayOffs; ++i) {
        bool onRun = false;
        const int pos =
            PlanLayOffPosition(t, seat, plan.layOffs[static_cast<std::size_t>(i)], onRun);
        if (pos == 0) continue;
        t.LayOffPos = pos;
        t.LayOffOnRun = onRun;
        const int laid = LayOff(t, seat, observer);
        co_yield TurnEvent{TurnStep::LaidOff, laid, 0};
    }
    const int pos = me.Cards.find(plan.discard);
    t.SelectedCard = pos == 0 ? 1 : pos;
    co_yield TurnEvent{TurnStep::Discarding};
}

// The rules' turn of PlayComputerTurn below for a rollout, which has no one
// to hand the steps to: the same decisions and moves in the same order,
// called straight through instead of resumed step by step. The two must
// stay alike (the rollout tests compare them turn for turn).
void meldLoop(Table& t, int seat, GameObserver* observer) {
    SeatRec& s = t.Seats[static_cast<std::size_t>(seat)];
    Repeat repeat(observer);
    auto find = [&] { return findMeld(t, seat, repeat, observer); };
    do {
        if (find() && s.CardCount() > 3) {
            const int before = s.CardCount();
            PenaliseFeeders(t, seat);
            MoveMeldToTable(t, seat, observer);
            AddLayOffTargets(t, t.Selection);
            repeat.tableChanged();
            if (s.CardCount() >= before) break;
        }
    } while (find() && s.CardCount() > 3);
}

void layOffLoop(Table& t, int seat, bool setsOnly, GameObserver* observer) {
    SeatRec& s = t.Seats[static_cast<std::size_t>(seat)];
    Repeat repeat(observer);
    auto find = [&] { return findLayOff(t, seat, setsOnly, repeat, observer); };
    do {
        if (find() && s.CardCount() > 1) {
            const int before = s.CardCount();
            LayOff(t, seat, observer);
            repeat.tableChanged();
            if (s.CardCount() >= before) break;
        }
    } while (find() && s.CardCount() != 1);
}

void playRulesTurn(Table& t, int seat, const Level& level, Random& random, GameObserver* observer) {
    if (seat < 1 || seat > 4) return;
    SeatRec& me = t.Seats[static_cast<std::size_t>(seat)];
    const SeatRec& table = t.Seats[0];
    auto M = [&] { meldLoop(t, seat, observer); };
    auto L = [&] { layOffLoop(t, seat, false, observer); };
    auto Ls = [&] { layOffLoop(t, seat, true, observer); };

    me.Discarded = false;
    t.PickFromPile = false;
    note(t, ChoosePilePick(t, seat, level, observer));

    if (t.PickFromPile) {
        t.PileCountAtTurnStart = table.PileCount();
        TakeFromPile(t, seat, observer);
        PenaliseFeeders(t, seat);
        MoveMeldToTable(t, seat, observer);
        t.PickFromPile = false;
        AddLayOffTargets(t, t.Selection);

        const int n = me.CardCount();
        const int S = table.CardCount();
        if (n > 5 && me.HasLaidDown) {
            M();
        } else if (n == 5 && !me.HasLaidDown) {
            if (note(t, DecideMeldAtFive(t, seat, observer)).meldNow || S <= 4) {
                M();
                L();
            }
        } else if (S <= 6 || n <= 2) {
            M();
            L();
        } else if (n >= 5) {
            Ls();
        }
        me.HasLaidDown = true;
    } else {
        t.PickIndex = 0;
        DrawCard(t, seat, level, random, observer);

        const int n = me.CardCount();
        const int S = table.CardCount();
        if (me.HasLaidDown && S <= 4) {
            M();
            L();
        } else if (n > 8) {
            M();
            Ls();
        } else if (me.StillClosed && n == 8) {
            note(t, ArrangeHand(t, seat, observer));
            note(t, CheckDarkKnock(t, seat, observer));
        } else if (n == 8) {
            M();
            L();
        } else if (n > 5) {
            M();
        } else if (n == 5) {
            if (note(t, DecideMeldAtFive(t, seat, observer)).meldNow || S <= 4) {
                M();
                L();
            }
            const int r = static_cast<int>(std::floor(drawFor(random, "meld again") * 10 + 1));
            if (r <= 6) M();
        } else if (n == 4) {
            if (note(t, DecideMeldAtFour(t, seat, observer)).meldNow) {
                M();
                L();
            } else if (S <= 4) {
                L();
            }
        } else {
            L();
        }
    }

    if (t.DarkKnockReady) {
        PrepareDarkKnock(t, seat);
        t.SelectedCard = 1;
    } else {
        note(t, ChooseDiscard(t, seat, level, random, observer));
    }
}

}  // namespace

void ExpertRequest::answer(const MasterBudget& budget, MasterStats* stats) {
    if (kind == Kind::MasterPick)
        pick = MasterChoosePilePick(view, level, seed, budget, stats);
    else if (kind == Kind::MasterTurn)
        plan = MasterChoosePlan(view, level, seed, budget, stats);
    else {
        ExpertBudget expert;
        expert.cancel = budget.cancel;
        answer(expert);
        return;
    }
    answered = true;
}

void ExpertRequest::answer(const ExpertBudget& budget) {
    if (forMaster()) {
        MasterBudget master;
        master.cancel = budget.cancel;
        answer(master);
        return;
    }
    if (kind == Kind::PilePick)
        pick = ExpertChoosePilePick(view, level, seed, budget);
    else
        discard = ExpertChooseDiscard(view, level, seed, budget);
    answered = true;
}

TurnSteps PlayComputerTurn(Table& t, int seat, Level level, Random& random, GameObserver* observer,
                           const PilePick* forcedPick) {
    if (seat < 1 || seat > 4) co_return;
    SeatRec& me = t.Seats[static_cast<std::size_t>(seat)];
    const SeatRec& table = t.Seats[0];
    // The loops of the policies below: M lays melds down, L lays cards off,
    // Ls lays cards off onto sets only.
    auto M = [&] { return MeldLoop(t, seat, observer); };
    auto L = [&] { return LayOffLoop(t, seat, false, observer); };
    auto Ls = [&] { return LayOffLoop(t, seat, true, observer); };

    me.Discarded = false;
    co_yield TurnEvent{TurnStep::Thinking};

    if (!forcedPick && ((level.masterSeats >> seat) & 1u) != 0) {
        for (auto m = MasterTurn(t, seat, level, random, observer); m.next();) co_yield m.event();
        co_return;
    }

    t.PickFromPile = false;
    const bool expert = seat >= 1 && seat <= 4 && ((level.expertSeats >> seat) & 1u) != 0;
    if (forcedPick)
        note(t, *forcedPick);
    else if (expert) {
        ExpertRequest ask = askExpert(ExpertRequest::Kind::PilePick, t, seat, level, random);
        co_yield TurnEvent{TurnStep::Consulting, 0, 0, &ask};
        if (!ask.answered) ask.answer();
        note(t, ask.pick);
    } else
        note(t, ChoosePilePick(t, seat, level, observer));

    if (t.PickFromPile) {
        t.PileCountAtTurnStart = table.PileCount();
        TakeFromPile(t, seat, observer);
        co_yield TurnEvent{TurnStep::TookPile};

        // The meld the taken card completes, left in Selection by the choice.
        co_yield TurnEvent{TurnStep::LayingDown, 0, PenaliseFeeders(t, seat)};
        MoveMeldToTable(t, seat, observer);
        t.PickFromPile = false;
        AddLayOffTargets(t, t.Selection);
        co_yield TurnEvent{TurnStep::LaidDown};

        // Pick policy; HasLaidDown still tells whether the seat had taken
        // from the pile before this turn.
        const int n = me.CardCount();
        const int S = table.CardCount();
        if (n > 5 && me.HasLaidDown) {
            for (auto m = M(); m.next();) co_yield m.event();
        } else if (n == 5 && !me.HasLaidDown) {
            if (note(t, DecideMeldAtFive(t, seat, observer)).meldNow || S <= 4) {
                for (auto m = M(); m.next();) co_yield m.event();
                for (auto l = L(); l.next();) co_yield l.event();
            }
        } else if (S <= 6 || n <= 2) {
            for (auto m = M(); m.next();) co_yield m.event();
            for (auto l = L(); l.next();) co_yield l.event();
        } else if (n >= 5) {
            for (auto l = Ls(); l.next();) co_yield l.event();
        }
        me.HasLaidDown = true;
    } else {
        t.PickIndex = 0;  // a drawing seat took nothing from the pile
        co_yield TurnEvent{TurnStep::WillDraw};
        const int card = DrawCard(t, seat, level, random, observer);
        co_yield TurnEvent{TurnStep::Drew, card, 0};

        // Draw policy.
        const int n = me.CardCount();
        const int S = table.CardCount();
        if (me.HasLaidDown && S <= 4) {
            for (auto m = M(); m.next();) co_yield m.event();
            for (auto l = L(); l.next();) co_yield l.event();
        } else if (n > 8) {
            for (auto m = M(); m.next();) co_yield m.event();
            for (auto l = Ls(); l.next();) co_yield l.event();
        } else if (me.StillClosed && n == 8) {
            note(t, ArrangeHand(t, seat, observer));
            note(t, CheckDarkKnock(t, seat, observer));
        } else if (n == 8) {
            for (auto m = M(); m.next();) co_yield m.event();
            for (auto l = L(); l.next();) co_yield l.event();
        } else if (n > 5) {
            for (auto m = M(); m.next();) co_yield m.event();
        } else if (n == 5) {
            if (note(t, DecideMeldAtFive(t, seat, observer)).meldNow || S <= 4) {
                for (auto m = M(); m.next();) co_yield m.event();
                for (auto l = L(); l.next();) co_yield l.event();
            }
            const int r = static_cast<int>(std::floor(drawFor(random, "meld again") * 10 + 1));
            if (r <= 6)
                for (auto m = M(); m.next();) co_yield m.event();
        } else if (n == 4) {
            if (note(t, DecideMeldAtFour(t, seat, observer)).meldNow) {
                for (auto m = M(); m.next();) co_yield m.event();
                for (auto l = L(); l.next();) co_yield l.event();
            } else if (S <= 4) {
                for (auto l = L(); l.next();) co_yield l.event();
            }
        } else {
            for (auto l = L(); l.next();) co_yield l.event();
        }
    }

    if (t.DarkKnockReady) {
        PrepareDarkKnock(t, seat);
        t.SelectedCard = 1;
        co_yield TurnEvent{TurnStep::DarkKnock};
    } else {
        if (expert) {
            ExpertRequest ask = askExpert(ExpertRequest::Kind::Discard, t, seat, level, random);
            co_yield TurnEvent{TurnStep::Consulting, 0, 0, &ask};
            if (!ask.answered) ask.answer();
            note(t, ask.discard);
        } else
            note(t, ChooseDiscard(t, seat, level, random, observer));
        co_yield TurnEvent{TurnStep::Discarding};
    }
}

int playOut(Table& t, const Level& level, Random& random, GameObserver* observer) {
    // A round ends when the stock runs out, if not before; the bound only
    // guards against a table that was never a round.
    constexpr int kMaxTurns = 400;
    int turns = 0;
    while (!t.RoundOver && turns < kMaxTurns) {
        const int seat = StartTurn(t);
        if (seat >= 1 && seat <= 4 && (((level.expertSeats | level.masterSeats) >> seat) & 1u) == 0)
            playRulesTurn(t, seat, level, random, observer);
        else
            for (auto turn = PlayComputerTurn(t, seat, level, random, observer); turn.next();) {
            }
        EndTurn(t, seat, observer, false);
        ++turns;
    }
    return turns;
}

}  // namespace vornak
