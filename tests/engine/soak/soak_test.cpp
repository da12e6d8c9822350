// Whole games played headless with every invariant checked after every
// action, the game log read back, and the same seed giving the same game.
#include <gtest/gtest.h>

#include <array>
#include <map>
#include <sstream>
#include <string>
#include <vector>

#include "invariants.h"
#include "json.h"
#include "simulator.h"
#include "support/fakes.h"

namespace vornak::sim {
namespace {

Options checked(Level level, int target, bool mission, std::uint64_t seed, int games) {
    Options o;
    o.level = level;
    o.target = target;
    o.mission = mission;
    o.seed = seed;
    o.games = games;
    o.check = true;
    return o;
}

void expectClean(const Options& o) {
    const Summary s = runSimulation(o);
    EXPECT_TRUE(s.ok) << s.error;
    EXPECT_EQ(s.games, o.games);
    EXPECT_GE(s.rounds, s.games);
    // Every fool has someone who was paid for it.
    long fooled = 0, gotFool = 0, knocks = 0;
    for (int seat = 1; seat <= 4; ++seat) {
        fooled += s.seats[static_cast<std::size_t>(seat)].fooled;
        gotFool += s.seats[static_cast<std::size_t>(seat)].gotFool;
        knocks += s.seats[static_cast<std::size_t>(seat)].knocks +
                  s.seats[static_cast<std::size_t>(seat)].darkKnocks;
    }
    EXPECT_EQ(fooled, gotFool);
    EXPECT_EQ(knocks + s.noKnockRounds, s.rounds);
}

TEST(Soak, NormalModeGamesKeepEveryInvariant) {
    for (std::uint64_t seed : {1u, 2u, 3u}) {
        SCOPED_TRACE(seed);
        expectClean(checked(Level::Beginner, 300, false, seed, 4));
        expectClean(checked(Level::Vip, 500, false, seed, 3));
    }
    // The longest targets, where the per-round records grow.
    expectClean(checked(Level::Beginner, 700, false, 7, 1));
    expectClean(checked(Level::Vip, 1000, false, 7, 1));
}

TEST(Soak, MissionGamesKeepEveryInvariant) {
    for (std::uint64_t seed : {11u, 12u}) {
        SCOPED_TRACE(seed);
        expectClean(checked(Level::Beginner, 0, true, seed, 4));
        expectClean(checked(Level::Vip, 0, true, seed, 4));
    }
}

std::string logOf(Options o) {
    std::ostringstream out;
    o.log = &out;
    const Summary s = runSimulation(o);
    EXPECT_TRUE(s.ok) << s.error;
    return out.str();
}

std::vector<std::string> linesOf(const std::string& text) {
    std::vector<std::string> lines;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);) lines.push_back(line);
    return lines;
}

TEST(Soak, LogReadsBackLineByLine) {
    Options o = checked(Level::Beginner, 300, false, 5, 2);
    o.playerName = "นก \"Bird\"\\\t";  // Thai, quotes, a backslash, a tab
    const auto lines = linesOf(logOf(o));
    ASSERT_GE(lines.size(), 3u);

    const std::map<std::string, std::vector<std::string>> keys = {
        {"start", {"seed", "level", "mission", "target", "games", "player"}},
        {"action", {"game", "round", "step", "kind", "seat", "cards", "position", "detail"}},
        {"decision",
         {"game", "round", "step", "name", "seat", "inputs", "random", "result", "outputs"}},
        {"input", {"game", "round", "step", "seat", "what"}},
        {"message", {"game", "round", "step", "title", "text", "okCancel", "answer"}},
        {"round",
         {"game", "round", "knocker", "knock", "points", "k", "fooled", "gotFool", "totals",
          "money", "hand", "stock", "targetReached"}},
        {"game", {"game", "rounds", "leader", "totals"}},
        {"summary", {"games", "rounds", "steps", "ok", "error"}},
    };
    std::map<std::string, int> seen;
    for (std::size_t i = 0; i < lines.size(); ++i) {
        SCOPED_TRACE(lines[i]);
        const auto v = parseJson(lines[i]);
        ASSERT_TRUE(v.has_value()) << "line " << i + 1 << " is not JSON";
        ASSERT_TRUE(v->isObject());
        const std::string type = (*v)["type"].text;
        ASSERT_TRUE(keys.count(type)) << "unknown type " << type;
        for (const auto& k : keys.at(type)) EXPECT_TRUE(v->has(k)) << type << " lacks " << k;
        ++seen[type];
        if (type == "round") {
            EXPECT_EQ((*v)["points"].items.size(), 4u);
            EXPECT_EQ((*v)["money"].items.size(), 4u);
        }
        if (type == "decision") {
            EXPECT_TRUE((*v)["inputs"].has("hand"));
            EXPECT_TRUE((*v)["inputs"].has("pile"));
        }
    }
    EXPECT_EQ((*parseJson(lines.front()))["type"].text, "start");
    EXPECT_EQ((*parseJson(lines.front()))["player"].text, o.playerName);
    EXPECT_EQ((*parseJson(lines.back()))["type"].text, "summary");
    EXPECT_EQ(seen["game"], 2);
    EXPECT_GT(seen["round"], 0);
    EXPECT_GT(seen["input"], 0);
}

TEST(Soak, SameSeedPlaysTheSameGame) {
    const Options o = checked(Level::Vip, 500, false, 42, 2);
    const std::string first = logOf(o);
    EXPECT_EQ(first, logOf(o));
    Options other = o;
    other.seed = 43;
    EXPECT_NE(first, logOf(other));
}

TEST(JsonText, WritesValidJsonForAnyBytes) {
    std::string out;
    // Control characters escaped, UTF-8 kept, broken bytes replaced.
    appendJsonString(out, std::string("a\"b\\c\n\x01ก\xff\xe0\x80\x80z"));
    EXPECT_EQ(out, "\"a\\\"b\\\\c\\n\\u0001ก\\ufffd\\ufffd\\ufffd\\ufffdz\"");
    const auto back = parseJson(out);
    ASSERT_TRUE(back.has_value());
    EXPECT_EQ(back->text, "a\"b\\c\n\x01ก\xef\xbf\xbd\xef\xbf\xbd\xef\xbf\xbd\xef\xbf\xbdz");

    for (const char* bad : {"{", "{\"a\":1,}", "[1 2]", "\"\\x\"", "{\"a\":1} x", "01a", ""})
        EXPECT_FALSE(parseJson(bad).has_value()) << bad;
    EXPECT_EQ(parseJson("\"\\ud83c\\udccf\"")->text, "\xf0\x9f\x83\x8f");  // a surrogate pair
}

// The checker itself: it must notice the faults it is there to catch.
TEST(Invariants, NoticeMisplacedCardsAndUnbalancedMoney) {
    test::TestTable t;
    t.setUpGame();
    t.game.DealRound();
    EXPECT_EQ(checkCards(t.game), "");

    Game& g = t.game;
    const int card = g.Seats[1].Cards[1];
    g.Seats[0].PileCards.push(card);  // one card in two places
    EXPECT_NE(checkCards(g).find("is in"), std::string::npos);
    g.Seats[0].PileCards.count -= 1;

    const int lost = g.Seats[2].Cards[7];
    g.Seats[2].Cards.count = 6;  // a card nowhere
    EXPECT_NE(checkCards(g).find(cardNotation(lost)), std::string::npos);
    g.Seats[2].Cards.count = 7;

    const int all = g.Seats[3].Cards.count;
    for (int i = 1; i <= all; ++i) g.Seats[0].PileCards.push(g.Seats[3].Cards[i]);
    g.Seats[3].Cards.count = 0;  // an empty hand without a knock
    EXPECT_NE(checkCards(g).find("empty hand"), std::string::npos);
    g.Seats[3].Knocked = true;
    EXPECT_EQ(checkCards(g), "");

    std::array<long, 5> before{};
    for (int s = 1; s <= 4; ++s) before[static_cast<std::size_t>(s)] = g.Seats[s].Money;
    g.ensureRound(1);
    g.Seats[1].Money += 3 * g.KBaht;  // K paid to one seat by nobody
    EXPECT_NE(checkRoundMoney(g, before, 1), "");
    g.Seats[2].Money -= 3 * g.KBaht;
    EXPECT_EQ(checkRoundMoney(g, before, 1), "");
    g.Seats[1].RoundFooled[1] = true;  // a fool nobody was paid for
    EXPECT_NE(checkRoundMoney(g, before, 1), "");
}

}  // namespace
}  // namespace vornak::sim
