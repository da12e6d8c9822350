// The Master's search: the candidates of a decision (the draw and every
// take; every turn plan), the deals it imagines weighed by what the other
// seats did, and successive halving over them with the rules' players as the
// rollout policy.
#include "ai/master.h"

#include <algorithm>
#include <bit>
#include <chrono>
#include <cmath>
#include <numeric>
#include <vector>

#include "ai/turn.h"
#include "core/cards.h"
#include "core/random.h"
#include "rules/cardmoves.h"
#include "rules/melds.h"
#include "rules/scoring.h"

namespace vornak {

namespace {

constexpr std::uint64_t bit(int c) {
    return std::uint64_t{1} << c;
}

std::size_t at(int seat) {
    return static_cast<std::size_t>(seat);
}

bool validSeat(int seat) {
    return seat >= 1 && seat <= 4;
}

template <class F>
void forEachCard(std::uint64_t set, F&& f) {
    while (set != 0) {
        const int c = std::countr_zero(set);
        set &= set - 1;
        f(c);
    }
}

// How much less likely a deal is for each thing a seat did that its dealt
// hand makes odd: passing over a pile card it could have melded with two of
// its cards, or discarding a card two of its cards meld with.
constexpr double kPassedOverMeld = 0.1;
constexpr double kDiscardedMeld = 0.3;
// Deals drawn for one sample at most; the likeliest of them when none is
// accepted.
constexpr int kDealTries = 12;

// The likelihood, up to a constant, that the other seats would have done
// what they did with the hands dealt in `t`.
double likelihood(const Table& t, const SeatView& view) {
    double w = 1.0;
    for (int s = 1; s <= 4; ++s) {
        if (s == view.seat) continue;
        const std::uint64_t hand = cardSet(t.Seats[at(s)].Cards);
        forEachCard(view.passed[at(s)] & ~hand, [&](int c) {
            if (meldsWithTwoOf(t, s, c, hand)) w *= kPassedOverMeld;
        });
        forEachCard(view.discarded[at(s)], [&](int c) {
            if (meldsWithTwoOf(t, s, c, hand)) w *= kDiscardedMeld;
        });
    }
    return w;
}

// The game's chances, guessed from the totals when the game goes on: a
// leader gains about this much a round, and a seat's round points spread
// about this much, so that the totals' lead counts for less the more
// rounds are left to play.
constexpr double kLeaderGain = 70.0;
constexpr double kRoundSpread = 60.0;
// The round's own result, weighed in lightly: it breaks ties between moves
// that leave the game's chances alike, and brings the K in.
constexpr double kRoundWeight = 1e-4;

using Clock = std::chrono::steady_clock;

// Successive halving over `n` candidates: every one still in the running
// is played on the same deals (common random numbers, so that they are
// compared on equal luck); after each round the better half goes on with
// more deals each. Returns the index of the best, the first among equals.
template <class Apply>
std::size_t bestByHalving(const SeatView& view, std::size_t n, std::uint64_t seed,
                          const MasterBudget& budget, MasterStats* stats, Apply&& apply) {
    if (stats) *stats = MasterStats{static_cast<int>(n), 0, false};
    if (n <= 1) return 0;
    const Clock::time_point start = Clock::now();
    std::vector<std::size_t> alive(n);
    std::iota(alive.begin(), alive.end(), std::size_t{0});
    std::vector<double> total(n, 0.0);
    int rounds = 0;
    for (std::size_t m = n; m > 1; m = (m + 1) / 2) ++rounds;
    const int perRound = std::max(1, budget.rollouts / rounds);
    std::uint64_t sample = 0;
    bool stopped = false;
    while (alive.size() > 1 && !stopped) {
        const int deals = std::max(budget.firstSamples, perRound / static_cast<int>(alive.size()));
        for (int d = 0; d < deals; ++d, ++sample) {
            if (budget.cancel != nullptr && budget.cancel->load(std::memory_order_relaxed)) {
                stopped = true;
                break;
            }
            if (budget.timeLimitMs > 0 && sample > 0 &&
                std::chrono::duration<double, std::milli>(Clock::now() - start).count() >
                    budget.timeLimitMs) {
                stopped = true;
                if (stats) stats->timedOut = true;
                break;
            }
            const std::uint64_t sampleSeed = seedOfSample(seed, sample);
            SeededRandom deal(sampleSeed);
            const Table base = MasterSample(view, deal, budget.inference);
            for (std::size_t c : alive) {
                Table t = base;
                SeededRandom play(sampleSeed + 1);
                apply(c, t, play);
                total[c] += MasterValueFor(t, view);
            }
            if (stats) stats->rollouts += static_cast<int>(alive.size());
        }
        std::stable_sort(alive.begin(), alive.end(),
                         [&](std::size_t a, std::size_t b) { return total[a] > total[b]; });
        if (!stopped) alive.resize((alive.size() + 1) / 2);
    }
    return alive.front();
}

// The cards of the hand that fit a meld on the table, laid off one after
// the other (a card laid onto a run opens its neighbours), the last card
// kept. Returns how many went.
int layOffAll(Table& t, int seat, MasterPlan* plan) {
    SeatRec& me = t.Seats[at(seat)];
    int laid = 0;
    for (bool moved = true; moved && me.CardCount() > 1;) {
        moved = false;
        for (int pos = 1; pos <= me.CardCount() && me.CardCount() > 1; ++pos) {
            const int c = me.Cards[pos];
            const bool onSet = t.SetLayOffCards.contains(c);
            if (!onSet && !t.RunLayOffCards.contains(c)) continue;
            if (plan != nullptr) {
                if (plan->layOffCount >= MasterPlan::kMaxLayOffs) return laid;
                plan->layOffs[static_cast<std::size_t>(plan->layOffCount++)] = c;
            }
            t.LayOffPos = pos;
            t.LayOffOnRun = !onSet;
            LayOff(t, seat);
            ++laid;
            moved = true;
            break;
        }
    }
    return laid;
}

// Plans weighed at most; beyond it the plans that leave the most points
// in hand go first.
constexpr std::size_t kMaxPlans = 96;
constexpr std::size_t kMaxMeldSets = 32;
constexpr int kMaxTakes = 15;

}  // namespace

double MasterValueFor(const Table& t, const SeatView& view) {
    const int seat = view.seat;
    const RoundScore score = ScoreTable(t);
    const double round = RoundValueFor(t, score, seat);
    const int target = view.standing.target;
    if (target <= 0 || !validSeat(seat)) return round;
    std::array<long, 5> after = view.standing.totals;
    for (int s = 1; s <= 4; ++s) after[at(s)] += score.seats[at(s)].points;
    if (GameEndsAt(after, target))
        return (LeaderOf(after) == seat ? 1.0 : 0.0) + kRoundWeight * round;
    const auto lead = static_cast<double>(*std::max_element(after.begin() + 1, after.end()));
    const double rounds = std::max(1.0, (target - lead) / kLeaderGain);
    const double spread = kRoundSpread * std::sqrt(rounds);
    auto weight = [&](int s) {
        return std::exp((static_cast<double>(after[at(s)]) - lead) / spread);
    };
    double sum = 0;
    for (int s = 1; s <= 4; ++s) sum += weight(s);
    return weight(seat) / sum + kRoundWeight * round;
}

Standing StandingOf(const Match& match) {
    return Standing{TotalsOf(match), match.MissionMode ? 0 : match.PointTarget};
}

Table MasterSample(const SeatView& view, Random& random, bool inference) {
    if (!inference) return SampleTable(view, random);
    Table best;
    double bestWeight = -1;
    for (int i = 0; i < kDealTries; ++i) {
        Table t = SampleTable(view, random);
        const double w = likelihood(t, view);
        if (w >= 1.0 || random.next() < w) return t;
        if (w > bestWeight) {
            bestWeight = w;
            best = t;
        }
    }
    return best;
}

bool PlanMeldFits(const SeatRec& me, const Meld& m) {
    return me.CardCount() >= 4 && me.Cards.contains(m[1]) && me.Cards.contains(m[2]) &&
           me.Cards.contains(m[3]);
}

int PlanLayOffPosition(const Table& t, int seat, int card, bool& onRun) {
    const SeatRec& me = t.Seats[at(seat)];
    const int pos = me.Cards.find(card);
    const bool onSet = t.SetLayOffCards.contains(card);
    if (pos == 0 || me.CardCount() < 2 || (!onSet && !t.RunLayOffCards.contains(card))) return 0;
    onRun = !onSet;
    return pos;
}

void ApplyMasterPlan(Table& t, int seat, const MasterPlan& plan) {
    if (!validSeat(seat)) return;
    SeatRec& me = t.Seats[at(seat)];
    for (int i = 0; i < plan.meldCount && i < MasterPlan::kMaxMelds; ++i) {
        const Meld& m = plan.melds[static_cast<std::size_t>(i)];
        if (!PlanMeldFits(me, m)) continue;
        t.Selection = m;
        LayDownSelection(t, seat);
    }
    for (int i = 0; i < plan.layOffCount && i < MasterPlan::kMaxLayOffs; ++i) {
        bool onRun = false;
        const int pos =
            PlanLayOffPosition(t, seat, plan.layOffs[static_cast<std::size_t>(i)], onRun);
        if (pos == 0) continue;
        t.LayOffPos = pos;
        t.LayOffOnRun = onRun;
        LayOff(t, seat);
    }
    const int pos = me.Cards.find(plan.discard);
    t.SelectedCard = pos == 0 ? 1 : pos;
}

std::vector<MasterPlan> MasterPlans(const SeatView& view) {
    std::vector<MasterPlan> plans;
    const int seat = view.seat;
    if (!validSeat(seat)) return plans;
    const Table& seen = view.seen;
    const CardList& hand = seen.Seats[at(seat)].Cards;
    const int n = hand.count;
    if (n == 0) return plans;

    // Every meld the hand holds, and every set of them that does not share
    // a card and leaves a card to discard (the empty set first).
    std::vector<Meld> melds;
    std::vector<std::uint64_t> masks;
    for (int i = 1; i <= n; ++i)
        for (int j = i + 1; j <= n; ++j)
            for (int k = j + 1; k <= n; ++k)
                if (IsMeld(seen, seat, hand[i], hand[j], hand[k])) {
                    Meld m{0, hand[i], hand[j], hand[k]};
                    SortSelection(m);
                    melds.push_back(m);
                    masks.push_back(bit(hand[i]) | bit(hand[j]) | bit(hand[k]));
                }
    std::vector<std::vector<std::size_t>> meldSets;
    std::vector<std::size_t> chosen;
    auto grow = [&](auto&& self, std::size_t from, std::uint64_t used) -> void {
        if (meldSets.size() >= kMaxMeldSets) return;
        meldSets.push_back(chosen);
        if (static_cast<int>(chosen.size()) >= MasterPlan::kMaxMelds) return;
        for (std::size_t m = from; m < melds.size(); ++m) {
            if ((used & masks[m]) != 0 || n - 3 * static_cast<int>(chosen.size() + 1) < 1) continue;
            chosen.push_back(m);
            self(self, m + 1, used | masks[m]);
            chosen.pop_back();
        }
    };
    grow(grow, 0, 0);

    struct Scored {
        MasterPlan plan;
        int kept;  // points left in hand after the discard
    };
    std::vector<Scored> all;
    for (const auto& set : meldSets) {
        Table t = seen;
        MasterPlan base;
        for (std::size_t m : set) {
            base.melds[static_cast<std::size_t>(base.meldCount++)] = melds[m];
            t.Selection = melds[m];
            LayDownSelection(t, seat);
        }
        Table off = t;
        MasterPlan withLayOffs = base;
        const bool anyLayOff = layOffAll(off, seat, &withLayOffs) > 0;
        for (int variant = 0; variant < (anyLayOff ? 2 : 1); ++variant) {
            const CardList& left = (variant == 0 ? t : off).Seats[at(seat)].Cards;
            int points = 0;
            for (int i = 1; i <= left.count; ++i) points += cardValue(left[i]);
            for (int i = 1; i <= left.count; ++i) {
                MasterPlan p = variant == 0 ? base : withLayOffs;
                p.discard = left[i];
                all.push_back({p, points - cardValue(left[i])});
            }
        }
    }
    if (all.size() > kMaxPlans) {
        std::stable_sort(all.begin(), all.end(),
                         [](const Scored& a, const Scored& b) { return a.kept < b.kept; });
        all.resize(kMaxPlans);
    }
    plans.reserve(all.size());
    for (const Scored& s : all) plans.push_back(s.plan);
    return plans;
}

PilePick MasterChoosePilePick(const SeatView& view, const Level& level, std::uint64_t seed,
                              const MasterBudget& budget, MasterStats* stats) {
    const int seat = view.seat;
    PilePick draw;
    draw.seat = seat;
    if (stats) *stats = MasterStats{};
    if (!validSeat(seat)) return draw;
    const Table& t = view.seen;
    const CardList& hand = t.Seats[at(seat)].Cards;
    const CardList& pile = t.Seats[0].PileCards;
    const int n = hand.count;
    const int p = pile.count;

    // The draw, and for each pile position (the top first) every meld its
    // card makes with two hand cards or with a pile card above it and a hand
    // card, when a card is left to discard.
    std::vector<PilePick> candidates{draw};
    for (int k = p; k >= 1 && static_cast<int>(candidates.size()) <= kMaxTakes; --k) {
        if (n + (p - k + 1) - 3 < 1) continue;
        if (seat == kHuman && !CanPickFromPile(t, k)) continue;
        const int chosen = pile[k];
        std::vector<Meld> offered;
        auto offer = [&](int a, int b) {
            if (static_cast<int>(candidates.size()) > kMaxTakes || !IsMeld(t, seat, chosen, a, b))
                return;
            Meld sorted{0, chosen, a, b};
            SortSelection(sorted);
            if (std::find(offered.begin(), offered.end(), sorted) != offered.end()) return;
            offered.push_back(sorted);
            PilePick take;
            take.seat = seat;
            take.take = take.found = true;
            take.index = k;
            take.meld = Meld{0, chosen, a, b};
            candidates.push_back(take);
        };
        for (int i = 1; i < n; ++i)
            for (int j = i + 1; j <= n; ++j) offer(hand[i], hand[j]);
        for (int j = k + 1; j <= p; ++j)
            for (int i = 1; i <= n; ++i) offer(pile[j], hand[i]);
    }
    if (stats) stats->candidates = static_cast<int>(candidates.size());
    if (candidates.size() == 1 || t.Seats[0].CardCount() == 0) return draw;

    const Level rules = RulesOnly(level);
    const std::size_t best = bestByHalving(view, candidates.size(), seed, budget, stats,
                                           [&](std::size_t c, Table& s, Random& r) {
                                               PlayPickToRoundEnd(s, seat, rules, r, candidates[c]);
                                           });
    return candidates[best];
}

MasterPlan MasterChoosePlan(const SeatView& view, const Level& level, std::uint64_t seed,
                            const MasterBudget& budget, MasterStats* stats) {
    if (stats) *stats = MasterStats{};
    const std::vector<MasterPlan> plans = MasterPlans(view);
    if (plans.empty()) return {};
    const int seat = view.seat;
    const Level rules = RulesOnly(level);
    const std::size_t best = bestByHalving(view, plans.size(), seed, budget, stats,
                                           [&](std::size_t c, Table& s, Random& r) {
                                               ApplyMasterPlan(s, seat, plans[c]);
                                               EndTurn(s, seat);
                                               playOut(s, rules, r);
                                           });
    return plans[best];
}

ExpertHint MasterHintFor(const Table& t, const Level& level, bool beforeDraw, std::uint64_t seed,
                         const MasterBudget& budget, const Standing& standing) {
    ExpertHint h;
    SeatView view = ViewOf(t, kHuman);
    view.standing = standing;
    const Table& seen = view.seen;
    const CardList& hand = seen.Seats[kHuman].Cards;
    if (t.RoundOver || hand.count == 0) return h;
    if (beforeDraw) {
        const PilePick pick = MasterChoosePilePick(view, level, seed, budget);
        if (pick.take) {
            h.kind = ExpertHint::Kind::TakePile;
            h.position = pick.index;
            h.card = seen.Seats[0].PileCards[pick.index];
            h.meld = pick.meld;
            SortSelection(h.meld);
        } else {
            h.kind = ExpertHint::Kind::Draw;
        }
        return h;
    }
    // A card just taken from the pile goes down first, in a meld the game
    // accepts: the one that leaves the most to the plan is the plan's call,
    // so the first found will do.
    if (seen.PickFromPile && isValidCard(seen.PickedCard)) {
        for (int i = 1; i < hand.count; ++i)
            for (int j = i + 1; j <= hand.count; ++j)
                if (hand[i] != seen.PickedCard && hand[j] != seen.PickedCard &&
                    CheckLaidMeld(seen, seen.PickedCard, hand[i], hand[j])) {
                    h.kind = ExpertHint::Kind::LayDown;
                    h.meld = Meld{0, seen.PickedCard, hand[i], hand[j]};
                    SortSelection(h.meld);
                    return h;
                }
    }
    const MasterPlan plan = MasterChoosePlan(view, level, seed, budget);
    for (int i = 0; i < plan.meldCount; ++i) {
        const Meld& m = plan.melds[static_cast<std::size_t>(i)];
        if (CheckLaidMeld(seen, m[1], m[2], m[3])) {
            h.kind = ExpertHint::Kind::LayDown;
            h.meld = m;
            return h;
        }
    }
    for (int i = 0; i < plan.layOffCount; ++i) {
        const int c = plan.layOffs[static_cast<std::size_t>(i)];
        const int pos = hand.find(c);
        if (pos != 0 && hand.count > 1 &&
            (seen.SetLayOffCards.contains(c) || seen.RunLayOffCards.contains(c))) {
            h.kind = ExpertHint::Kind::LayOff;
            h.position = pos;
            h.card = c;
            return h;
        }
    }
    const int pos = hand.find(plan.discard);
    h.kind = ExpertHint::Kind::Discard;
    h.position = pos == 0 ? 1 : pos;
    h.card = hand[h.position];
    return h;
}

}  // namespace vornak
