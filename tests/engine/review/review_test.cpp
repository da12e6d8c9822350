// Looking back on a round: the record replays to the table the round ended
// with, also through the saved game's lines; the evaluation finds a fed
// speto card costly and never depends on a card the person could not see;
// a save of the first format, without records, still loads.
#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <sstream>

#include "ai/turn.h"
#include "core/cards.h"
#include "game/savegame.h"
#include "rules/cardmoves.h"
#include "review/review.h"
#include "simulator.h"
#include "support/fakes.h"
#include "rules/replay.h"

namespace vornak {
namespace {

constexpr ExpertBudget kQuick{1200, 24};  // about 50 ms a decision

// Feeds a round log from the moves of a round played by the rules.
class Feed final : public GameObserver {
public:
    Feed(RoundLog& log, const Table& t) : log_(log), t_(t) {}
    void action(const GameAction& a) override { log_.record(t_, a, 1, names_, level_); }
    void decisionStarts(const char*, int, const Table&) override {}
    void decisionEnds(const char*, int, int, const Table&) override {}
    bool watchesDecisions() const override { return false; }

private:
    RoundLog& log_;
    const Table& t_;
    std::array<std::string, 5> names_{"", "A", "B", "C", "D"};
    Level level_{false, true, 5};
};

// A whole round from the deal, every seat by the rules, recorded.
Table playRecorded(std::uint64_t seed, RoundLog& log) {
    Table t = test::dealt(seed);
    Feed feed(log, t);
    feed.action(GameAction{"deal", 1, {}, 0, ""});
    SeededRandom random(seed * 7 + 1);
    playOut(t, Level{false, true, 5}, random, &feed);
    log.roundEnded();
    return t;
}

TEST(RoundRecord, ReplaysToTheTableTheRoundEndedWithAlsoFromItsSavedLines) {
    int darkKnocks = 0, knocks = 0;
    for (std::uint64_t seed = 1; seed <= 60; ++seed) {
        RoundLog log;
        const Table ended = playRecorded(seed, log);
        ASSERT_EQ(log.rounds.size(), 1u);
        const std::vector<Table> replay = replayRound(log.rounds.front());
        ASSERT_EQ(replay.size(), log.rounds.front().steps.size() + 1) << seed;
        EXPECT_TRUE(samePosition(replay.back(), ended)) << seed;
        for (int s = 1; s <= 4; ++s) {
            darkKnocks += ended.Seats[static_cast<std::size_t>(s)].DarkKnocked;
            knocks += ended.Seats[static_cast<std::size_t>(s)].Knocked;
        }

        RoundLog back;
        ASSERT_TRUE(back.parse(log.lines())) << seed;
        EXPECT_TRUE(back == log) << seed;
        EXPECT_EQ(back.lines(), log.lines());
        const std::vector<Table> again = replayRound(back.rounds.front());
        ASSERT_FALSE(again.empty());
        EXPECT_TRUE(samePosition(again.back(), ended)) << seed;
    }
    EXPECT_GT(knocks, 10);
    EXPECT_GT(darkKnocks, 0) << "no dark knock among the rounds: try more seeds";
}

TEST(RoundRecord, AnAlteredRecordIsRefusedOrDoesNotReplayButNeverBreaks) {
    RoundLog log;
    playRecorded(3, log);
    std::vector<std::string> lines = log.lines();
    RoundLog copy = log;
    // Lines that are not a log leave the log as it was.
    EXPECT_FALSE(copy.parse({"S 0 1 0 0 0 0 0 0 0 %"}));  // a step before any round
    EXPECT_FALSE(copy.parse({"X"}));
    EXPECT_FALSE(copy.parse({lines.front() + " 7"}));
    EXPECT_TRUE(copy == log);
    // A step that moves a card the table does not have there does not replay.
    RoundRecord r = log.rounds.front();
    for (RoundStep& s : r.steps)
        if (s.kind == RoundStep::Kind::Draw) {
            s.cards = {r.start.Seats[1].Cards[1]};
            break;
        }
    EXPECT_TRUE(replayRound(r).empty());
    EXPECT_FALSE(RoundReview::of(r).has_value());
}

TEST(RoundRecord, TheGamesOfTheSimulatorReplayEveryRoundAlsoAcrossSaves) {
    // The simulator's check replays every round's record at its end.
    sim::Options o;
    o.check = true;
    o.games = 2;
    o.seed = 11;
    o.person = sim::Person::Simple;
    o.saveGames = true;
    o.restoreChance = 0.2;
    const sim::Summary s = sim::runSimulation(o);
    EXPECT_TRUE(s.ok) << s.error;
    EXPECT_GT(s.rounds, 2);
}

// The person (seat 4) holds three 2s, the 2 of clubs among them; the next
// seat took the 3 and the 4 of clubs from the pile and still holds them,
// which everyone saw.
Table fedSpeto() {
    Table t;
    const auto put = [&t](int seat, const char* cards) {
        t.Seats[static_cast<std::size_t>(seat)].Cards.assign(parseCards(cards));
    };
    put(4, "2C 2D 2S KH 5S 8H JD 10H");
    put(1, "3C 4C 9S 7D QH 5D 6H");
    put(2, "AC AD 7S 8S 2H 3H JS");
    put(3, "KC KD 10S 4D 4H QD 6D");
    t.Seats[0].PileCards.assign(parseCards("AH 8D"));
    // The rest is the stock.
    std::uint64_t used = 0;
    for (const SeatRec& s : t.Seats)
        for (const CardList* l : {&s.Cards, &s.PileCards})
            for (int c : l->toVector()) used |= std::uint64_t{1} << c;
    for (int c = 1; c <= 52; ++c)
        if ((used >> c & 1u) == 0) t.Seats[0].Cards.push(c);
    t.TakenFromPile[1] = std::uint64_t{1} << parseCard("3C") | std::uint64_t{1} << parseCard("4C");
    t.CurrentSeat = 4;
    t.TurnForward = true;
    t.PileCountAtTurnStart = 1;
    for (int s = 1; s <= 4; ++s) t.Seats[static_cast<std::size_t>(s)].StillClosed = true;
    return t;
}

ReviewDecisionAt discardOf(const Table& t, const char* card) {
    ReviewDecisionAt d;
    d.kind = ReviewDecisionAt::Kind::Discard;
    d.view = ViewOf(t, kHuman);
    d.level = Level{false, true, 5};
    d.played.kind = ReviewMove::Kind::Discard;
    d.played.card = parseCard(card);
    return d;
}

TEST(ReviewEvaluation, FeedingASpetoCardTheNextSeatMeldsCostsMoreThanTheBestMove) {
    const Table t = fedSpeto();
    const Verdict fed = evaluateDecision(discardOf(t, "2C"), 17, kQuick);
    ASSERT_TRUE(fed.graded);
    EXPECT_NE(fed.preferred.card, parseCard("2C"));
    EXPECT_GT(fed.cost, fed.noise);
    EXPECT_GT(fed.cost, kMistakePoints);
    // The move it prefers costs nothing against itself.
    ReviewDecisionAt best = discardOf(t, "2C");
    best.played = fed.preferred;
    const Verdict right = evaluateDecision(best, 17, kQuick);
    EXPECT_EQ(right.cost, 0.0);
    EXPECT_EQ(right.preferred, fed.preferred);
    // A cancelled evaluation says so and grades nothing.
    std::atomic<bool> cancel{true};
    ExpertBudget cancelled = kQuick;
    cancelled.cancel = &cancel;
    EXPECT_TRUE(evaluateDecision(discardOf(t, "2C"), 17, cancelled).cancelled);
}

TEST(ReviewEvaluation, NeverReadsACardThePersonCouldNotSee) {
    const Table t = fedSpeto();
    const Verdict v = evaluateDecision(discardOf(t, "KH"), 5, kQuick);
    for (std::uint64_t seed = 1; seed <= 4; ++seed) {
        // The other hands (save the clubs seat 1 is known to hold) and the
        // stock shuffled among themselves.
        Table p = t;
        std::vector<int*> slots;
        for (int s = 0; s <= 3; ++s) {
            CardList& cards = p.Seats[static_cast<std::size_t>(s)].Cards;
            for (int i = 1; i <= cards.count; ++i)
                if ((p.TakenFromPile[static_cast<std::size_t>(s)] >> cards[i] & 1u) == 0)
                    slots.push_back(&cards[i]);
        }
        SeededRandom random(seed);
        for (std::size_t i = slots.size(); i > 1; --i)
            std::swap(*slots[i - 1],
                      *slots[static_cast<std::size_t>(random.next() * static_cast<double>(i))]);
        ASSERT_NE(p.Seats[1].Cards.toVector(), t.Seats[1].Cards.toVector());
        const Verdict w = evaluateDecision(discardOf(p, "KH"), 5, kQuick);
        EXPECT_EQ(w.preferred, v.preferred);
        EXPECT_EQ(w.cost, v.cost);
        EXPECT_EQ(w.noise, v.noise);
    }
}

TEST(RoundReview, StepsThroughEveryPositionAndGradesOnlyThePersonsDecisions) {
    RoundLog log;
    const Table ended = playRecorded(8, log);
    std::optional<RoundReview> review = RoundReview::of(log.rounds.front());
    ASSERT_TRUE(review.has_value());
    RoundReview& r = *review;
    ASSERT_EQ(r.positions().size(), log.rounds.front().steps.size() + 1);
    EXPECT_EQ(r.cursor(), 0);
    r.back();
    EXPECT_TRUE(r.atFirst());
    r.forward();
    EXPECT_EQ(r.cursor(), 1);
    r.last();
    EXPECT_TRUE(r.atLast());
    EXPECT_TRUE(samePosition(r.current().table, ended));
    r.forward();
    EXPECT_TRUE(r.atLast());
    r.first();
    EXPECT_EQ(r.current().seat, 0);

    ASSERT_FALSE(r.decisions().empty());
    int discards = 0;
    for (const ReviewDecision& d : r.decisions()) {
        const ReviewPosition& p = r.positions()[static_cast<std::size_t>(d.position) + 1];
        EXPECT_EQ(p.seat, kHuman);  // the move decided is the person's
        // The view has no card of another hand.
        for (int s = 1; s <= 3; ++s)
            for (int c : d.at.view.seen.Seats[static_cast<std::size_t>(s)].Cards.toVector())
                EXPECT_EQ(c, 0);
        discards += d.at.kind == ReviewDecisionAt::Kind::Discard;
    }
    EXPECT_GT(discards, 0);

    // Graded by hand: the listed mistakes come first, costliest first, and
    // only costs above the noise count.
    const std::size_t n = r.decisions().size();
    for (std::size_t i = 0; i < n; ++i) {
        Verdict v;
        v.graded = true;
        v.cost = static_cast<double>(i % 5) * 4.0;
        v.noise = i == 4 ? 100.0 : 2.0;
        r.setVerdict(i, v);
    }
    EXPECT_TRUE(r.evaluated());
    const std::vector<std::size_t> m = r.mistakes();
    ASSERT_LE(m.size(), 3u);
    for (std::size_t k = 0; k < m.size(); ++k) {
        const Verdict& v = r.decisions()[m[k]].verdict;
        EXPECT_GT(v.cost, v.noise);
        EXPECT_NE(m[k], 4u);
        if (k > 0) {
            EXPECT_GE(r.decisions()[m[k - 1]].verdict.cost, v.cost);
        }
    }
    const std::vector<std::size_t> all = r.listed();
    EXPECT_EQ(all.size(), n);
    EXPECT_TRUE(std::equal(m.begin(), m.end(), all.begin()));
}

std::string file(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
}

std::string resealed(std::string text) {
    text.erase(text.rfind("check "));
    std::uint64_t h = 0xcbf29ce484222325ULL;
    for (const char c : text) {
        h ^= static_cast<unsigned char>(c);
        h *= 0x100000001b3ULL;
    }
    char check[40];
    std::snprintf(check, sizeof check, "check %016llx\n", static_cast<unsigned long long>(h));
    return text + check;
}

TEST(SavedRounds, ASaveWithoutRecordsLoadsAndSoDoesOneWhoseRecordsCannotBeRead) {
    const std::string old = file(VORNAK_SOURCE_DIR "/fuzz/corpus/savegame/person.sav");
    ASSERT_NE(old.find("version 1\n"), std::string::npos);
    const SaveRead first = readSavedGame(old);
    ASSERT_EQ(first.status, SaveRead::Status::Read) << first.why;
    EXPECT_TRUE(first.game.match.Log.rounds.empty());
    EXPECT_FALSE(first.game.match.Log.current.has_value());

    // The same game in the new format with a record that is not one.
    std::string bad = old;
    bad.replace(bad.find("version 1"), 9, "version 2");
    bad.insert(bad.rfind("check "), "review 1\nmove \"R not a round\"\n");
    const SaveRead second = readSavedGame(resealed(bad));
    ASSERT_EQ(second.status, SaveRead::Status::Read) << second.why;
    EXPECT_TRUE(second.game.match.Log.rounds.empty());

    // Without the record lines the new format is cut short.
    std::string cut = old;
    cut.replace(cut.find("version 1"), 9, "version 2");
    EXPECT_EQ(readSavedGame(resealed(cut)).status, SaveRead::Status::Corrupt);
}

}  // namespace
}  // namespace vornak
