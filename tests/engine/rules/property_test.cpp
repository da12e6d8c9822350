// Seeded properties of the meld tests and of the computer seats' searches:
// the predicates against a plain (suit, rank) formulation, and the searches
// over random hands, piles, lay-off lists and stock sizes. The searches must
// leave their results inside the hand and the pile, move no card they are
// not meant to, and never look at the stale slots past a list's count.
#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <cstdint>
#include <ostream>
#include <random>
#include <string>
#include <vector>

#include "ai/decisions.h"
#include "rules/darkknock.h"
#include "rules/melds.h"
#include "support/fakes.h"

namespace vornak {
namespace {

// ---- An independent description of the cards and of a meld ----

struct Face {
    bool valid = false;
    int suit = -1;
    int rank = -1;  // 0 = the 2 .. 12 = the ace
};

// Built by counting through the deck: suits clubs, diamonds, hearts, spades,
// each from the 2 up to the ace.
const std::vector<Face>& faces() {
    static const std::vector<Face> table = [] {
        std::vector<Face> t(53);
        int code = 1;
        for (int suit = 0; suit < 4; ++suit)
            for (int rank = 0; rank < 13; ++rank)
                t[static_cast<std::size_t>(code++)] = {true, suit, rank};
        return t;
    }();
    return table;
}

Face face(int code) {
    if (code < 1 || code > 52) return {};
    return faces()[static_cast<std::size_t>(code)];
}

bool threeDistinctCards(int a, int b, int c) {
    return face(a).valid && face(b).valid && face(c).valid && a != b && b != c && a != c;
}

bool plainSet(int a, int b, int c) {
    return threeDistinctCards(a, b, c) && face(a).rank == face(b).rank &&
           face(b).rank == face(c).rank;
}

bool plainRun(int a, int b, int c) {
    if (!threeDistinctCards(a, b, c)) return false;
    if (face(a).suit != face(b).suit || face(b).suit != face(c).suit) return false;
    std::vector<int> r{face(a).rank, face(b).rank, face(c).rank};
    std::sort(r.begin(), r.end());
    return r[1] == r[0] + 1 && r[2] == r[1] + 1;  // ranks stop at the ace: no wrap
}

// The computer seats' own refusals: the three 2s without the 2 of clubs and
// the three Qs without the Q of spades; while the stock holds three cards,
// also the runs from the 3 or 4 of clubs and from the 8 or 9 of spades (and
// those from a K or an A, which are no runs for anybody).
bool sameThree(int a, int b, int c, const std::vector<int>& cards) {
    std::vector<int> have{a, b, c};
    std::sort(have.begin(), have.end());
    return have == cards;
}

bool computerSet(int a, int b, int c) {
    static const std::vector<int> twos = parseCards("2D 2H 2S");
    static const std::vector<int> queens = parseCards("QC QD QH");
    return plainSet(a, b, c) && !sameThree(a, b, c, twos) && !sameThree(a, b, c, queens);
}

bool computerRun(int a, int b, int c, int stock) {
    static const std::vector<int> passed = parseCards("3C 4C KC AC KD AD KH AH 8S 9S KS AS");
    if (!plainRun(a, b, c)) return false;
    if (stock < 3) return true;
    const int low = std::min({a, b, c});
    return std::find(passed.begin(), passed.end(), low) == passed.end();
}

bool oracleMeld(int seat, int stock, int a, int b, int c) {
    if (seat == kHuman) return plainSet(a, b, c) || plainRun(a, b, c);
    return computerSet(a, b, c) || computerRun(a, b, c, stock);
}

bool anyMeld(int seat, int stock, const std::vector<int>& cards, std::size_t from = 0) {
    for (std::size_t i = from; i < cards.size(); ++i)
        for (std::size_t j = i + 1; j < cards.size(); ++j)
            for (std::size_t k = j + 1; k < cards.size(); ++k)
                if (oracleMeld(seat, stock, cards[i], cards[j], cards[k])) return true;
    return false;
}

TEST(MeldPredicates, MatchThePlainFormulationOverEveryTriple) {
    Table table;
    std::vector<int> codes{INT_MIN, -53, -13, -1, 0, 53, 54, 65, 66, 105, INT_MAX};
    for (int c = 1; c <= 52; ++c) codes.push_back(c);

    struct Where {
        int seat, stock;
    };
    for (const Where w :
         {Where{kHuman, 30}, Where{kHuman, 0}, Where{1, 2}, Where{2, 3}, Where{3, 40}}) {
        table.Seats[0].Cards.count = w.stock;
        int mismatches = 0;
        for (int a : codes)
            for (int b : codes)
                for (int c : codes) {
                    const bool set = IsSet(table, w.seat, a, b, c);
                    const bool run = IsRun(table, w.seat, a, b, c);
                    const bool wantSet =
                        w.seat == kHuman ? plainSet(a, b, c) : computerSet(a, b, c);
                    const bool wantRun =
                        w.seat == kHuman ? plainRun(a, b, c) : computerRun(a, b, c, w.stock);
                    if ((set != wantSet || run != wantRun) && ++mismatches <= 5)
                        ADD_FAILURE() << "seat " << w.seat << " stock " << w.stock << ": " << a
                                      << ' ' << b << ' ' << c << " set " << set << " run " << run;
                }
        EXPECT_EQ(mismatches, 0) << "seat " << w.seat << " stock " << w.stock;
    }

    // The ends of a suit, spelled out.
    const auto run = [&](const char* cards) {
        const auto v = parseCards(cards);
        return IsRun(table, kHuman, v[0], v[1], v[2]);
    };
    EXPECT_TRUE(run("QS KS AS"));
    EXPECT_TRUE(run("AH QH KH"));
    EXPECT_TRUE(run("2C 3C 4C"));
    EXPECT_FALSE(run("KS AS 2S"));
    EXPECT_FALSE(run("AC 2D 3D"));  // consecutive codes across two suits
    EXPECT_FALSE(run("KC AC 2D"));
}

// The searches' shortcuts read a meld off a mask of cards: they must give
// the answer the pairs themselves would.
TEST(MeldPredicates, MaskShortcutsAgreeWithThePairs) {
    Table table;
    std::mt19937_64 rng(7041);
    int melding = 0;
    for (int round = 0; round < 4000; ++round) {
        const int seat = 1 + static_cast<int>(rng() % 4);
        const int stock = static_cast<int>(rng() % 6);  // either side of 3
        table.Seats[0].Cards.count = stock;
        // Sparse to dense sets, sometimes with c itself among them.
        const int density = 1 + static_cast<int>(rng() % 8);
        std::uint64_t set = 0;
        std::vector<int> members;
        for (int x = 1; x <= 52; ++x)
            if (static_cast<int>(rng() % 16) < density) {
                set |= std::uint64_t{1} << x;
                members.push_back(x);
            }
        const int c = 1 + static_cast<int>(rng() % 52);
        bool pairs = false;
        for (std::size_t i = 0; i < members.size() && !pairs; ++i)
            for (std::size_t j = i + 1; j < members.size() && !pairs; ++j)
                pairs = members[i] != c && members[j] != c &&
                        oracleMeld(seat, stock, c, members[i], members[j]);
        melding += pairs;
        ASSERT_EQ(meldsWithTwoOf(table, seat, c, set), pairs)
            << "seat " << seat << " stock " << stock << " card " << cardNotation(c);
    }
    EXPECT_GT(melding, 1000);
    EXPECT_LT(melding, 3000);
    for (int bad : {0, -1, 53, 64})
        EXPECT_FALSE(meldsWithTwoOf(table, kHuman, bad, ~std::uint64_t{0}));

    // Every card that completes a pair is among its third cards.
    for (int a = 1; a <= 52; ++a)
        for (int b = 1; b <= 52; ++b)
            for (int x = 1; x <= 52; ++x)
                if (oracleMeld(kHuman, 0, a, b, x)) {
                    ASSERT_NE(thirdCardsFor(a, b) & (std::uint64_t{1} << x), 0u)
                        << cardNotation(a) << ' ' << cardNotation(b) << ' ' << cardNotation(x);
                }
}

// ---- The searches over random tables ----

// The uniform source, restarted at the same point for each run of a table.
class ReplayRandom final : public Random {
public:
    void restart(std::uint64_t seed) { engine_.seed(seed); }
    double next() override { return static_cast<double>(engine_() >> 11) * 0x1.0p-53; }

private:
    std::mt19937_64 engine_;
};

struct Position {
    int seat = 1;
    std::vector<int> hand, pile, human, setList, runList;
    int stock = 0;
    bool beginner = true, vip = false, hasLaidDown = false, stillClosed = true;
    std::uint64_t randomSeed = 0;
};

Position randomPosition(std::mt19937_64& rng) {
    auto below = [&rng](int n) { return static_cast<int>(rng() % static_cast<std::uint64_t>(n)); };
    std::vector<int> deck(52);
    for (int c = 1; c <= 52; ++c) deck[static_cast<std::size_t>(c - 1)] = c;
    std::shuffle(deck.begin(), deck.end(), rng);
    // Often small, sometimes up to the data model's 30 cards.
    auto size = [&](int most) {
        return below(3) == 0 ? below(most + 1) : below(std::min(most, 12) + 1);
    };

    Position t;
    t.seat = 1 + below(3);
    const int n = size(30);
    const int p = std::min(size(30), 52 - n);
    auto it = deck.begin();
    t.hand.assign(it, it + n);
    it += n;
    t.pile.assign(it, it + p);
    it += p;
    const int rest = static_cast<int>(deck.end() - it);
    t.human.assign(it, it + std::min(rest, below(12)));
    t.stock = below(32);
    for (int i = below(20); i > 0; --i) t.setList.push_back(1 + below(52));
    for (int i = below(20); i > 0; --i) t.runList.push_back(1 + below(52));
    t.beginner = below(2) == 0;
    t.vip = !t.beginner;
    t.hasLaidDown = below(2) == 0;
    t.stillClosed = !t.hasLaidDown && below(2) == 0;
    t.randomSeed = rng();
    return t;
}

enum class Search {
    FindMeldInHand,
    FindLayOff,
    FindSetLayOff,
    ArrangeHand,
    ChoosePilePick,
    ChooseDiscard,
    DecideMeldAtFive,
    DecideMeldAtFour,
    CheckDarkKnock
};
constexpr Search kSearches[] = {
    Search::FindMeldInHand,   Search::FindLayOff,       Search::FindSetLayOff,
    Search::ArrangeHand,      Search::ChoosePilePick,   Search::ChooseDiscard,
    Search::DecideMeldAtFive, Search::DecideMeldAtFour, Search::CheckDarkKnock};

const char* nameOf(Search s) {
    switch (s) {
        case Search::FindMeldInHand:
            return "FindMeldInHand";
        case Search::FindLayOff:
            return "FindLayOff";
        case Search::FindSetLayOff:
            return "FindSetLayOff";
        case Search::ArrangeHand:
            return "ArrangeHand";
        case Search::ChoosePilePick:
            return "ChoosePilePick";
        case Search::ChooseDiscard:
            return "ChooseDiscard";
        case Search::DecideMeldAtFive:
            return "DecideMeldAtFive";
        case Search::DecideMeldAtFour:
            return "DecideMeldAtFour";
        case Search::CheckDarkKnock:
            return "CheckDarkKnock";
    }
    return "?";
}

// Everything a search may write, and the lists it must leave alone.
struct Outcome {
    bool result = false;
    std::vector<int> hand, pile, human, setList, runList;
    std::array<int, 4> selection{};
    bool pickFromPile = false, layOffOnRun = false, meldNow = false, darkKnockReady = false;
    int pickIndex = 0, selectedCard = 0, layOffPos = 0, layOffCard = 0;
    bool operator==(const Outcome&) const = default;
};

// Cards in the tests' notation, in brackets: "[3H 4H 5H]".
std::string bracketed(const std::vector<int>& cards) {
    CardList list;
    list.assign(cards);
    std::string text = test::handText(list);
    text.insert(text.begin(), '[');
    text.push_back(']');
    return text;
}

void PrintTo(const Outcome& o, std::ostream* out) {
    const auto text = bracketed;
    *out << "result " << o.result << " hand " << text(o.hand) << " selection "
         << text({o.selection[1], o.selection[2], o.selection[3]}) << " pick " << o.pickFromPile
         << '@' << o.pickIndex << " discard " << o.selectedCard << " lay-off " << o.layOffPos << '/'
         << o.layOffCard << (o.layOffOnRun ? " run" : " set") << " meld-now " << o.meldNow
         << " dark-knock " << o.darkKnockReady;
}

class Searches : public ::testing::Test {
protected:
    ReplayRandom random;
    Table g;
    Level level;

    // Fills the slots past a list's count: with 0 ("clean"), or with cards
    // that a search reading past the end would take for real ones.
    static void fill(CardList& list, const std::vector<int>& codes, std::mt19937_64* stale) {
        list.clear();
        for (int c : codes) list.push(c);
        if (!stale) return;
        for (int i = list.count + 1; i <= kMaxCards; ++i)
            list[i] = 1 + static_cast<int>((*stale)() % 52);
    }

    void load(const Position& t, std::mt19937_64* stale) {
        for (auto& s : g.Seats) {
            fill(s.Cards, {}, stale);
            fill(s.PileCards, {}, stale);
        }
        fill(g.Seats[static_cast<std::size_t>(t.seat)].Cards, t.hand, stale);
        fill(g.Seats[kHuman].Cards, t.human, stale);
        fill(g.Seats[0].PileCards, t.pile, stale);
        std::vector<int> stock;
        for (int i = 0; i < t.stock; ++i) stock.push_back(1 + i % 52);
        fill(g.Seats[0].Cards, stock, stale);
        fill(g.SetLayOffCards, t.setList, stale);
        fill(g.RunLayOffCards, t.runList, stale);

        g.CurrentSeat = t.seat;
        level.beginner = t.beginner;
        level.vip = t.vip;
        SeatRec& me = g.Seats[static_cast<std::size_t>(t.seat)];
        me.HasLaidDown = t.hasLaidDown;
        me.StillClosed = t.stillClosed;
        g.Selection = {};
        g.PickFromPile = false;
        g.PickIndex = g.SelectedCard = g.LayOffPos = g.LayOffCard = 0;
        g.LayOffOnRun = g.MeldNow = g.DarkKnockReady = false;
        random.restart(t.randomSeed);
    }

    template <class Decision>
    const Decision& noted(const Decision& d) {
        d.noteIn(g);
        return d;
    }

    Outcome run(const Position& t, Search s, std::mt19937_64* stale) {
        load(t, stale);
        Outcome o;
        const int seat = t.seat;
        switch (s) {
            // A decision leaves the table as it was; noted, it writes the
            // turn record as the game keeps it.
            case Search::FindMeldInHand:
                o.result = noted(FindMeldInHand(g, seat)).found;
                break;
            case Search::FindLayOff:
                o.result = noted(FindLayOff(g, seat)).found;
                break;
            case Search::FindSetLayOff:
                o.result = noted(FindSetLayOff(g, seat)).found;
                break;
            case Search::ArrangeHand:
                noted(ArrangeHand(g, seat));
                break;
            case Search::ChoosePilePick:
                noted(ChoosePilePick(g, seat, level));
                break;
            case Search::ChooseDiscard:
                noted(ChooseDiscard(g, seat, level, random));
                break;
            case Search::DecideMeldAtFive:
                noted(DecideMeldAtFive(g, seat));
                break;
            case Search::DecideMeldAtFour:
                noted(DecideMeldAtFour(g, seat));
                break;
            case Search::CheckDarkKnock:
                noted(CheckDarkKnock(g, seat));
                break;
        }
        o.hand = g.Seats[static_cast<std::size_t>(seat)].Cards.toVector();
        o.pile = g.Seats[0].PileCards.toVector();
        o.human = g.Seats[kHuman].Cards.toVector();
        o.setList = g.SetLayOffCards.toVector();
        o.runList = g.RunLayOffCards.toVector();
        o.selection = g.Selection;
        o.pickFromPile = g.PickFromPile;
        o.pickIndex = g.PickIndex;
        o.selectedCard = g.SelectedCard;
        o.layOffPos = g.LayOffPos;
        o.layOffCard = g.LayOffCard;
        o.layOffOnRun = g.LayOffOnRun;
        o.meldNow = g.MeldNow;
        o.darkKnockReady = g.DarkKnockReady;
        return o;
    }

    Outcome check(const Position& t, Search s);
};

std::string describe(const Position& t) {
    const auto text = bracketed;
    return "seat " + std::to_string(t.seat) + " hand " + text(t.hand) + " pile " + text(t.pile) +
           " stock " + std::to_string(t.stock) + " set-list " + text(t.setList) + " run-list " +
           text(t.runList) + (t.beginner ? " beginner" : " vip") +
           (t.hasLaidDown ? " laid-down" : "") + (t.stillClosed ? " closed" : "");
}

bool sameCards(std::vector<int> a, std::vector<int> b) {
    std::sort(a.begin(), a.end());
    std::sort(b.begin(), b.end());
    return a == b;
}

bool listed(const std::vector<int>& list, int code) {
    return std::find(list.begin(), list.end(), code) != list.end();
}

// The rules each search's result must obey, for one table.
void checkOutcome(const Position& t, Search s, const Outcome& o) {
    const auto& hand = t.hand;
    const int n = static_cast<int>(hand.size());
    const int p = static_cast<int>(t.pile.size());
    const auto at = [&hand](int pos) { return hand[static_cast<std::size_t>(pos - 1)]; };
    const auto meldAt = [&](const std::vector<int>& h, int first) {
        return oracleMeld(t.seat, t.stock, h[static_cast<std::size_t>(first - 1)],
                          h[static_cast<std::size_t>(first)],
                          h[static_cast<std::size_t>(first + 1)]);
    };
    SCOPED_TRACE(std::string(nameOf(s)) + " on " + describe(t));

    // Only the hand may move, and only by reordering.
    EXPECT_EQ(o.pile, t.pile);
    EXPECT_EQ(o.human, t.human);
    EXPECT_EQ(o.setList, t.setList);
    EXPECT_EQ(o.runList, t.runList);
    if (s == Search::ArrangeHand || s == Search::ChoosePilePick) {
        EXPECT_TRUE(sameCards(o.hand, hand));
    } else if (s == Search::CheckDarkKnock && n >= 8 && o.hand != hand) {
        std::vector<int> swapped = hand;
        std::swap(swapped[6], swapped[7]);
        EXPECT_EQ(o.hand, swapped) << "only the 7th and 8th cards may trade places";
    } else {
        EXPECT_EQ(o.hand, hand);
    }

    switch (s) {
        case Search::FindMeldInHand: {
            EXPECT_EQ(o.result, anyMeld(t.seat, t.stock, hand));
            if (!o.result) break;
            const int a = o.selection[1], b = o.selection[2], c = o.selection[3];
            EXPECT_TRUE(oracleMeld(t.seat, t.stock, a, b, c));
            const auto pos = [&](int code) {
                return static_cast<int>(std::find(hand.begin(), hand.end(), code) - hand.begin());
            };
            EXPECT_TRUE(pos(a) < pos(b) && pos(b) < pos(c) && pos(c) < n) << "in hand order";
            break;
        }
        case Search::FindLayOff:
        case Search::FindSetLayOff: {
            const bool sets = s == Search::FindSetLayOff;
            int last = 0;
            for (int i = 1; i <= n; ++i)
                if (listed(t.setList, at(i)) || (!sets && listed(t.runList, at(i)))) last = i;
            EXPECT_EQ(o.result, last != 0 && (sets || n != 1));
            if (last == 0) break;
            EXPECT_EQ(o.layOffPos, last) << "the last card that fits";
            ASSERT_TRUE(o.layOffPos >= 1 && o.layOffPos <= n);
            const int card = at(o.layOffPos);
            if (listed(t.setList, card)) {
                EXPECT_FALSE(o.layOffOnRun) << "a card that fits both goes onto the set";
            } else {
                EXPECT_TRUE(o.layOffOnRun);
                EXPECT_EQ(o.layOffCard, card);
            }
            break;
        }
        case Search::ArrangeHand:
            // A meld comes to the front, and a meld among the rest to 4..6.
            if (anyMeld(t.seat, t.stock, hand)) {
                EXPECT_TRUE(meldAt(o.hand, 1));
            }
            if (anyMeld(t.seat, t.stock, o.hand, 3)) {
                EXPECT_TRUE(meldAt(o.hand, 4));
            }
            break;
        case Search::ChoosePilePick: {
            if (!o.pickFromPile) break;
            ASSERT_TRUE(o.pickIndex >= 1 && o.pickIndex <= p) << o.pickIndex;
            const int a = o.selection[1], b = o.selection[2], c = o.selection[3];
            EXPECT_TRUE(oracleMeld(t.seat, t.stock, a, b, c));
            int fromHand = 0;
            for (int code : {a, b, c}) {
                if (listed(hand, code)) {
                    ++fromHand;
                    continue;
                }
                const auto it = std::find(t.pile.begin(), t.pile.end(), code);
                ASSERT_NE(it, t.pile.end()) << code << " is neither in the hand nor the pile";
                EXPECT_GE(it - t.pile.begin() + 1, o.pickIndex) << "a pile card below the pick";
            }
            EXPECT_GE(fromHand, 1) << "three pile cards alone are no meld to take";
            EXPECT_TRUE(listed({a, b, c}, t.pile[static_cast<std::size_t>(o.pickIndex - 1)]))
                << "the deepest card taken goes into the meld";
            // Hand plus the cards taken, less the meld: one is left to discard.
            EXPECT_GE(n + (p - o.pickIndex + 1) - 3, 1);
            break;
        }
        case Search::ChooseDiscard: {
            if (n == 0) break;
            ASSERT_TRUE(o.selectedCard >= 1 && o.selectedCard <= n) << o.selectedCard;
            int lastSpeto = 0;
            for (int i = 1; i <= n; ++i)
                if (at(i) == parseCard("2C") || at(i) == parseCard("QS")) lastSpeto = i;
            if (lastSpeto != 0 && t.stock <= 5) {
                EXPECT_EQ(o.selectedCard, lastSpeto);
            }
            break;
        }
        case Search::CheckDarkKnock:
            if (o.darkKnockReady) {
                EXPECT_GE(n, 8);
                EXPECT_TRUE(meldAt(o.hand, 1));
            }
            break;
        case Search::DecideMeldAtFive:
        case Search::DecideMeldAtFour:
            break;
    }
}

// Runs a search on a clean table and checks its outcome, then again with
// leftovers in the slots past every list's count (as play leaves them): the
// outcome must not change. The four- and five-card decisions are only ever
// asked about hands of that size.
Outcome Searches::check(const Position& t, Search s) {
    const Outcome clean = run(t, s, nullptr);
    checkOutcome(t, s, clean);
    const int n = static_cast<int>(t.hand.size());
    const bool shortHand =
        (s == Search::DecideMeldAtFive && n < 5) || (s == Search::DecideMeldAtFour && n < 4);
    if (!shortHand) {
        std::mt19937_64 stale(t.randomSeed ^ 0x5eed);
        EXPECT_EQ(run(t, s, &stale), clean)
            << nameOf(s) << " read past a list's end on " << describe(t);
    }
    return clean;
}

TEST_F(Searches, StayInsideTheHandAndThePile) {
    std::mt19937_64 rng(20240611);
    int picks = 0, discards = 0, melds = 0;
    for (int round = 0; round < 1500 && !HasFailure(); ++round) {
        const Position t = randomPosition(rng);
        for (Search s : kSearches) {
            const Outcome o = check(t, s);
            picks += s == Search::ChoosePilePick && o.pickFromPile;
            melds += s == Search::FindMeldInHand && o.result;
            discards += s == Search::ChooseDiscard && !t.hand.empty();
        }
    }
    // The tables reach the interesting branches.
    EXPECT_GT(picks, 100);
    EXPECT_GT(melds, 300);
    EXPECT_GT(discards, 1000);
}

TEST_F(Searches, EdgesOfTheDataModel) {
    // Nothing at all; hands, piles and lists that hold all 52 cards between
    // them; a two-card hand under a pile of 50.
    std::vector<int> all;
    for (int c = 1; c <= 52; ++c) all.push_back(c);
    Position empty;
    Position full;
    full.hand.assign(all.begin(), all.begin() + 30);
    full.pile.assign(all.begin() + 30, all.end());
    full.stock = 30;
    full.setList = all;
    full.runList = all;
    Position bigPile;
    bigPile.hand = parseCards("5H 9C");
    for (int c : all)
        if (c != parseCard("5H") && c != parseCard("9C")) bigPile.pile.push_back(c);
    // A closed eight-card hand ready to knock once the 8th card trades
    // places with the 7th.
    Position darkKnock;
    darkKnock.hand = parseCards("3H 4H 5H 9C 9D 9S 2D 6H");
    darkKnock.pile = parseCards("JC");
    darkKnock.stock = 10;

    for (const Position* t : {&empty, &full, &bigPile, &darkKnock})
        for (int seat = 1; seat <= 3; ++seat)
            for (Search s : kSearches) {
                Position copy = *t;
                copy.seat = seat;
                check(copy, s);
            }
    const Outcome o = check(darkKnock, Search::CheckDarkKnock);
    EXPECT_TRUE(o.darkKnockReady);
    EXPECT_EQ(o.hand, parseCards("3H 4H 5H 9C 9D 9S 6H 2D"));
}

}  // namespace
}  // namespace vornak
