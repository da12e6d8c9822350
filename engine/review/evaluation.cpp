// The Expert's and the Master's evaluations of one of the person's decisions.
#include "review/evaluation.h"

#include <algorithm>
#include <cmath>

#include "ai/master.h"
#include "ai/turn.h"
#include "core/cards.h"
#include "core/random.h"
#include "rules/cardmoves.h"
#include "rules/melds.h"
#include "rules/scoring.h"

namespace vornak {

namespace {

std::size_t at(int i) {
    return static_cast<std::size_t>(i);
}

Meld sorted(Meld m) {
    std::sort(m.begin() + 1, m.end());
    return m;
}

// The rest of the turn by the rules' discard, then the round by the rules.
void finish(Table& t, int seat, const Level& rules, Random& r) {
    if (t.Seats[at(seat)].CardCount() > 0) t.SelectedCard = ChooseDiscard(t, seat, rules, r).pos;
    EndTurn(t, seat);
    playOut(t, rules, r);
}

void play(const ReviewDecisionAt& d, const ReviewMove& m, Table& t, Random& r) {
    const int seat = d.view.seat;
    const Level rules = RulesOnly(d.level);
    SeatRec& me = t.Seats[at(seat)];
    switch (m.kind) {
        case ReviewMove::Kind::Draw:
        case ReviewMove::Kind::Take: {
            PilePick pick;
            pick.seat = seat;
            if (m.kind == ReviewMove::Kind::Take) {
                pick.take = pick.found = true;
                pick.index = m.position;
                pick.meld = m.meld;
            }
            for (auto turn = PlayComputerTurn(t, seat, rules, r, nullptr, &pick); turn.next();) {
            }
            EndTurn(t, seat);
            playOut(t, rules, r);
            return;
        }
        case ReviewMove::Kind::LayDown:
            t.Selection = m.meld;
            LayDownSelection(t, seat);
            me.HasLaidDown = true;
            finish(t, seat, rules, r);
            return;
        case ReviewMove::Kind::LayOff:
            t.LayOffPos = me.Cards.find(m.card);
            t.LayOffOnRun = m.onRun;
            t.LayOffCard = m.card;
            LayOff(t, seat);
            finish(t, seat, rules, r);
            return;
        case ReviewMove::Kind::Keep:
            finish(t, seat, rules, r);
            return;
        case ReviewMove::Kind::Discard:
            t.SelectedCard = std::max(1, me.Cards.find(m.card));
            EndTurn(t, seat);
            playOut(t, rules, r);
            return;
    }
}

bool same(const ReviewMove& a, const ReviewMove& b) {
    if (a.kind != b.kind) return false;
    switch (a.kind) {
        case ReviewMove::Kind::Draw:
        case ReviewMove::Kind::Keep:
            return true;
        case ReviewMove::Kind::Take:
            return a.position == b.position && sorted(a.meld) == sorted(b.meld);
        case ReviewMove::Kind::LayDown:
            return sorted(a.meld) == sorted(b.meld);
        case ReviewMove::Kind::LayOff:
        case ReviewMove::Kind::Discard:
            return a.card == b.card;
    }
    return false;
}

}  // namespace

std::vector<ReviewMove> candidatesOf(const ReviewDecisionAt& d) {
    std::vector<ReviewMove> out;
    const Table& t = d.view.seen;
    const int seat = d.view.seat;
    if (seat < 1 || seat > 4) return out;
    const CardList& hand = t.Seats[at(seat)].Cards;
    switch (d.kind) {
        case ReviewDecisionAt::Kind::PilePick: {
            out.push_back(ReviewMove{});
            if (t.Seats[0].CardCount() == 0) break;
            // The takes the Expert weighs: the first meld of each pile card
            // (the top first) with two hand cards or a hand card and a pile
            // card above it.
            const CardList& pile = t.Seats[0].PileCards;
            const int n = hand.count, p = pile.count;
            constexpr int kMaxTakes = 6;
            for (int k = p; k >= 1 && static_cast<int>(out.size()) <= kMaxTakes; --k) {
                if (n + (p - k + 1) - 3 < 1) continue;
                if (seat == kHuman && !CanPickFromPile(t, k)) continue;
                const int chosen = pile[k];
                ReviewMove take;
                auto offer = [&](int a, int b) {
                    if (take.kind == ReviewMove::Kind::Take || !IsMeld(t, seat, chosen, a, b))
                        return;
                    take.kind = ReviewMove::Kind::Take;
                    take.position = k;
                    take.card = chosen;
                    take.meld = Meld{0, chosen, a, b};
                };
                for (int i = 1; i < n; ++i)
                    for (int j = i + 1; j <= n; ++j) offer(hand[i], hand[j]);
                for (int j = k + 1; j <= p; ++j)
                    for (int i = 1; i <= n; ++i) offer(pile[j], hand[i]);
                if (take.kind == ReviewMove::Kind::Take) out.push_back(take);
            }
            break;
        }
        case ReviewDecisionAt::Kind::LayDown:
        case ReviewDecisionAt::Kind::LayOff:
            out.push_back(d.played);
            out.push_back(ReviewMove{ReviewMove::Kind::Keep});
            break;
        case ReviewDecisionAt::Kind::Discard: {
            std::uint64_t seen = 0;
            for (int i = 1; i <= hand.count; ++i) {
                const int c = hand[i];
                if (!isValidCard(c) || (seen >> c) & 1u) continue;
                seen |= std::uint64_t{1} << c;
                ReviewMove m{ReviewMove::Kind::Discard};
                m.card = c;
                out.push_back(m);
            }
            break;
        }
    }
    if (std::none_of(out.begin(), out.end(),
                     [&](const ReviewMove& m) { return same(m, d.played); }))
        out.push_back(d.played);
    return out;
}

namespace {

// Both evaluations but for the deals: `deal` makes a table from the view.
template <class Deal>
Verdict evaluate(const ReviewDecisionAt& d, std::uint64_t seed, const ExpertBudget& budget,
                 Deal&& dealFrom) {
    Verdict v;
    v.preferred = d.played;
    const std::vector<ReviewMove> moves = candidatesOf(d);
    const auto played = static_cast<std::size_t>(
        std::find_if(moves.begin(), moves.end(),
                     [&](const ReviewMove& m) { return same(m, d.played); }) -
        moves.begin());
    if (moves.size() < 2 || played >= moves.size()) return v;
    v.graded = true;

    // Half the budget compares every move; the other half plays the best of
    // them and the person's on more tables, which narrows the noise of the
    // one difference that is reported.
    const std::size_t n = moves.size();
    const int half = budget.rollouts / 2;
    const int wide =
        std::max(budget.minSamples, static_cast<int>(static_cast<std::size_t>(half) / n));
    const int narrow = std::max(0, half / 2);
    std::vector<std::vector<double>> value(n);
    auto sample = [&](int i, const std::vector<std::size_t>& which) {
        const std::uint64_t sampleSeed = seedOfSample(seed, static_cast<std::uint64_t>(i));
        SeededRandom deal(sampleSeed);
        const Table base = dealFrom(d.view, deal);
        for (std::size_t c : which) {
            Table t = base;
            SeededRandom r(sampleSeed + 1);
            play(d, moves[c], t, r);
            value[c].push_back(RoundValueFor(t, d.view.seat));
        }
    };
    auto cancelled = [&] {
        return budget.cancel != nullptr && budget.cancel->load(std::memory_order_relaxed);
    };
    std::vector<std::size_t> all(n);
    for (std::size_t c = 0; c < n; ++c) all[c] = c;
    for (int i = 0; i < wide; ++i) {
        if (cancelled()) {
            v.cancelled = true;
            return v;
        }
        sample(i, all);
    }
    auto mean = [&](std::size_t c) {
        double s = 0;
        for (double x : value[c]) s += x;
        return s / static_cast<double>(value[c].size());
    };
    std::size_t best = played;
    for (std::size_t c = 0; c < n; ++c)
        if (mean(c) > mean(best) + 1e-9) best = c;
    v.preferred = moves[best];
    v.samples = wide;
    if (best == played) return v;
    for (int i = wide; i < wide + narrow; ++i) {
        if (cancelled()) {
            v.cancelled = true;
            return v;
        }
        sample(i, {best, played});
    }
    // The paired difference: both moves were played on the same tables.
    const std::size_t paired = value[played].size();
    double sum = 0, squares = 0;
    for (std::size_t i = 0; i < paired; ++i) {
        const double diff = value[best][i] - value[played][i];
        sum += diff;
        squares += diff * diff;
    }
    const double count = static_cast<double>(paired);
    const double m = sum / count;
    const double var = paired > 1 ? std::max(0.0, (squares - count * m * m) / (count - 1)) : 0.0;
    v.samples = static_cast<int>(paired);
    if (m <= 0) {
        // On the wider count the person's move was as good.
        v.preferred = d.played;
        return v;
    }
    v.cost = m;
    v.noise = 2.0 * std::sqrt(var / count);
    return v;
}

}  // namespace

Verdict ExpertEvaluation(const ReviewDecisionAt& d, std::uint64_t seed,
                         const ExpertBudget& budget) {
    return evaluate(d, seed, budget,
                    [](const SeatView& view, Random& r) { return SampleTable(view, r); });
}

Verdict MasterEvaluation(const ReviewDecisionAt& d, std::uint64_t seed,
                         const ExpertBudget& budget) {
    return evaluate(d, seed, budget,
                    [](const SeatView& view, Random& r) { return MasterSample(view, r, true); });
}

}  // namespace vornak
