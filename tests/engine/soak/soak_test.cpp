// Whole games played headless with every invariant checked after every
// action, the game log read back, and the same seed giving the same game.
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <map>
#include <sstream>
#include <string>
#include <vector>

#include <nlohmann/json.hpp>

#include "invariants.h"
#include "json.h"
#include "simulator.h"
#include "support/fakes.h"

namespace vornak::sim {
namespace {

using nlohmann::json;

// A log line read back by a JSON library of its own; discarded (is_discarded)
// when the line is not JSON.
json parsed(const std::string& line) {
    return json::parse(line, nullptr, false);
}

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
        {"random", {"game", "round", "step", "use", "values"}},
        {"round",
         {"game", "round", "knocker", "knock", "points", "k", "fooled", "gotFool", "totals",
          "money", "hand", "laid", "kBefore", "feeds", "stock", "targetReached", "clock"}},
        {"game", {"game", "rounds", "leader", "totals"}},
        {"summary", {"games", "rounds", "steps", "ok", "error"}},
    };
    std::map<std::string, int> seen;
    for (std::size_t i = 0; i < lines.size(); ++i) {
        SCOPED_TRACE(lines[i]);
        const json v = parsed(lines[i]);
        ASSERT_FALSE(v.is_discarded()) << "line " << i + 1 << " is not JSON";
        ASSERT_TRUE(v.is_object());
        const std::string type = v.value("type", "");
        ASSERT_TRUE(keys.count(type)) << "unknown type " << type;
        for (const auto& k : keys.at(type)) EXPECT_TRUE(v.contains(k)) << type << " lacks " << k;
        ++seen[type];
        if (type == "round") {
            EXPECT_EQ(v.at("points").size(), 4u);
            EXPECT_EQ(v.at("money").size(), 4u);
        }
        if (type == "decision") {
            EXPECT_TRUE(v.at("inputs").contains("hand"));
            EXPECT_TRUE(v.at("inputs").contains("pile"));
        }
    }
    EXPECT_EQ(parsed(lines.front()).at("type"), "start");
    EXPECT_EQ(parsed(lines.front()).at("player"), o.playerName);
    EXPECT_EQ(parsed(lines.back()).at("type"), "summary");
    EXPECT_EQ(seen["game"], 2);
    EXPECT_GT(seen["round"], 0);
    EXPECT_GT(seen["input"], 0);
}

// The program's deck for a deal, worked out from the random numbers the log
// says the deal drew: a short run of consecutive codes goes to the bottom.
std::vector<int> shuffledDeck(const std::vector<double>& draws, int runLength, int passes) {
    std::size_t next = 0;
    auto draw = [&] { return next < draws.size() ? draws[next++] : -1.0; };
    std::vector<int> deck(53);
    for (int i = 1; i <= 52; ++i) deck[static_cast<std::size_t>(i)] = i;
    int start = 0;
    do start = static_cast<int>(std::floor(52 * draw() + 1));
    while (start <= 0 || start >= 51 - runLength);
    for (int pass = 0; pass < passes; ++pass)
        for (std::size_t i = 1; i <= 52; ++i) {
            int j = 0;
            do j = static_cast<int>(std::floor(53 * draw() + 1));
            while (j < 1 || j > 52);
            std::swap(deck[i], deck[static_cast<std::size_t>(j)]);
        }
    for (int k = 1; k <= runLength; ++k) {
        const auto q = static_cast<std::size_t>(52 - runLength + k);
        std::swap(*std::find(deck.begin() + 1, deck.end(), start + k - 1), deck[q]);
    }
    EXPECT_EQ(next, draws.size()) << "the deal drew numbers it did not use";
    return deck;
}

std::vector<int> codesOf(const json& list) {
    return list.get<std::vector<int>>();
}

int valueOf(const std::vector<int>& cards) {
    int sum = 0;
    for (int c : cards) sum += cardValue(c);
    return sum;
}

int spetosIn(const std::vector<int>& cards) {
    return static_cast<int>(std::count_if(cards.begin(), cards.end(), isSpeto));
}

// Another program can check the deals and the scoring from the log alone.
TEST(Soak, TheLogTellsEnoughToCheckTheRules) {
    const Options o = checked(Level::Vip, 1000, false, 21, 1);
    const auto lines = linesOf(logOf(o));
    ASSERT_FALSE(lines.empty());
    EXPECT_EQ(parsed(lines.front()).at("target").get<int>(), 1000);  // the level chosen

    std::vector<double> dealDraws;
    int deals = 0, rounds = 0, runLayOffs = 0;
    std::map<std::string, int> scored;  // seats scored by each rule
    std::map<int, int> lastLayOffCard;  // by seat, from the last FindLayOff
    for (const std::string& line : lines) {
        const json v = parsed(line);
        const std::string type = v.at("type").get<std::string>();
        if (type == "random" && v.at("use").get<std::string>() == "deal") {
            for (const json& d : v.at("values")) dealDraws.push_back(d.get<double>());
        } else if (type == "action" && v.at("kind").get<std::string>() == "deal") {
            SCOPED_TRACE("deal " + std::to_string(deals + 1));
            // The program's own first game is the Beginner mission's.
            const std::vector<int> deck =
                deals == 0 ? shuffledDeck(dealDraws, 3, 1) : shuffledDeck(dealDraws, 4, 6);
            dealDraws.clear();
            const auto cut = [&deck](int from, int to) {
                return std::vector<int>(deck.begin() + from, deck.begin() + to + 1);
            };
            const int favoured = static_cast<int>(v.at("seat").get<double>());
            for (int s = 1, n = 0; s <= 4; ++s) {
                const std::vector<int> hand =
                    codesOf(v.at("hands")[static_cast<std::size_t>(s - 1)]);
                if (s == favoured) {
                    EXPECT_EQ(hand, cut(46, 52));
                } else {
                    ++n;
                    EXPECT_EQ(hand, cut((n - 1) * 7 + 1, n * 7));
                }
            }
            EXPECT_EQ(codesOf(v.at("pile")), cut(22, 22));
            EXPECT_EQ(codesOf(v.at("stock")), cut(23, 45));
            ++deals;
        } else if (type == "decision" && v.at("name").get<std::string>() == "FindLayOff") {
            lastLayOffCard[static_cast<int>(v.at("seat").get<double>())] =
                static_cast<int>(v.at("outputs").at("layOffCard").get<double>());
        } else if (type == "action" && v.at("kind").get<std::string>() == "layoff" &&
                   v.at("detail").get<std::string>() == "run" &&
                   v.at("seat").get<double>() != kHuman) {
            EXPECT_EQ(lastLayOffCard[static_cast<int>(v.at("seat").get<double>())],
                      static_cast<int>(v.at("cards")[0].get<double>()));
            ++runLayOffs;
        } else if (type == "round") {
            ++rounds;
            // Each seat's points and K from its cards, as the round scores them.
            for (std::size_t i = 0; i < 4; ++i) {
                SCOPED_TRACE("round " + std::to_string(rounds) + ", seat " + std::to_string(i + 1));
                const std::vector<int> hand = codesOf(v.at("hand")[i]);
                std::vector<int> laid = codesOf(v.at("laid")[i]);
                std::sort(laid.begin(), laid.end());
                const bool knocker = v.at("knocker").get<double>() == static_cast<double>(i + 1);
                const bool dark = knocker && v.at("knock").get<std::string>() == "dark";
                const bool oneSuit = !laid.empty() && suitOf(laid.front()) == suitOf(laid.back());
                const int fool = v.at("fooled")[i].get<bool>() ? 50 : 0;
                int points = 0, k = static_cast<int>(v.at("kBefore")[i].get<double>());
                if (dark) {
                    points = 2 * valueOf(laid) - fool;
                    k += (oneSuit ? 3 : 0) + 1 + spetosIn(laid);
                    ++scored["dark knock"];
                } else if (knocker) {
                    points = valueOf(laid) + 50 - fool;
                    k += oneSuit ? 1 : 0;
                    ++scored["knock"];
                } else if (!laid.empty()) {
                    points = valueOf(laid) - valueOf(hand) - fool;
                    k -= spetosIn(hand);
                    ++scored["laid"];
                } else {
                    points = -2 * valueOf(hand) - fool;
                    k -= 1 + spetosIn(hand);
                    ++scored["nothing laid"];
                }
                EXPECT_EQ(v.at("points")[i].get<double>(), points);
                EXPECT_EQ(v.at("k")[i].get<double>(), k);
            }
            for (const auto& [name, flags] : v.at("feeds").items())
                EXPECT_LE(std::count_if(flags.begin(), flags.end(),
                                        [](const json& f) { return f.get<bool>(); }),
                          1)
                    << name;
        }
    }
    // The program's own first deal, every round of the game, and the next
    // game's first deal.
    EXPECT_EQ(rounds, deals - 2);
    EXPECT_GT(runLayOffs, 0);
    EXPECT_EQ(scored.size(), 4u) << "a rule of the scoring went untried";
}

// The clock ticks as the game's would: once a second while it runs, that
// is for each of the person's mouse actions (a second each) and each wait
// of the turn timer between turns, and not while a computer seat plays.
TEST(Soak, TheClockCountsThePersonsTimeAndTheWaits) {
    const auto lines = linesOf(logOf(checked(Level::Beginner, 500, false, 9, 1)));
    long actions = 0, turns = 0, layDowns = 0, clockBefore = 0;
    int rounds = 0;
    for (const std::string& line : lines) {
        const json v = parsed(line);
        const std::string type = v.at("type").get<std::string>();
        if (v.value("game", 0) < 1) continue;  // the program's own first game (or no game yet)
        if (type == "input") ++actions;
        if (type == "action" && v.at("kind").get<std::string>() == "discard") ++turns;
        // A lay-down's flight (20 steps of 25 ms) and the pause after a
        // knock run on the person's time too.
        if (type == "action" &&
            (v.at("kind").get<std::string>() == "meld" ||
             v.at("kind").get<std::string>() == "knock") &&
            v.at("seat").get<double>() == kHuman)
            ++layDowns;
        if (type != "round") continue;
        SCOPED_TRACE("round " + std::to_string(++rounds));
        const long clock = static_cast<long>(v.at("clock").get<double>()) - clockBefore;
        EXPECT_GE(clock, actions + turns);
        EXPECT_LE(clock, actions + turns + layDowns);
        clockBefore = static_cast<long>(v.at("clock").get<double>());
        actions = turns = layDowns = 0;
    }
    EXPECT_GT(rounds, 1);
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
    const json back = parsed(out);
    ASSERT_FALSE(back.is_discarded());
    EXPECT_EQ(back, "a\"b\\c\n\x01ก\xef\xbf\xbd\xef\xbf\xbd\xef\xbf\xbd\xef\xbf\xbdz");
}

// The checker itself: it must notice the faults it is there to catch.
TEST(Invariants, NoticeMisplacedCardsAndUnbalancedMoney) {
    test::TestTable t;
    t.setUpGame();
    t.game.DealRound();
    EXPECT_EQ(checkCards(t.game), "");

    Game& g = t.game;
    const int card = g.table.Seats[1].Cards[1];
    g.table.Seats[0].PileCards.push(card);  // one card in two places
    EXPECT_NE(checkCards(g).find("is in"), std::string::npos);
    g.table.Seats[0].PileCards.count -= 1;

    const int lost = g.table.Seats[2].Cards[7];
    g.table.Seats[2].Cards.count = 6;  // a card nowhere
    EXPECT_NE(checkCards(g).find(cardNotation(lost)), std::string::npos);
    g.table.Seats[2].Cards.count = 7;

    const int all = g.table.Seats[3].Cards.count;
    for (int i = 1; i <= all; ++i) g.table.Seats[0].PileCards.push(g.table.Seats[3].Cards[i]);
    g.table.Seats[3].Cards.count = 0;  // an empty hand without a knock
    EXPECT_NE(checkCards(g).find("empty hand"), std::string::npos);
    g.table.Seats[3].Knocked = true;
    EXPECT_EQ(checkCards(g), "");

    std::array<long, 5> before{};
    for (int s = 1; s <= 4; ++s) before[static_cast<std::size_t>(s)] = g.match.Players[s].Money;
    g.ensureRound(1);
    g.match.Players[1].Money += 3 * g.match.KBaht;  // K paid to one seat by nobody
    EXPECT_NE(checkRoundMoney(g, before, 1), "");
    g.match.Players[2].Money -= 3 * g.match.KBaht;  // balanced, but no seat won a K
    EXPECT_NE(checkRoundMoney(g, before, 1).find("seat 1's money"), std::string::npos);
    g.match.Players[2].Money += 2 * g.match.KBaht;  // seat 1 won one K from each of the others
    g.match.Players[3].Money -= g.match.KBaht;
    g.match.Players[4].Money -= g.match.KBaht;
    g.match.Players[1].RoundK[1] = 1;
    EXPECT_EQ(checkRoundMoney(g, before, 1), "");
    g.match.Players[1].RoundFooled[1] = true;  // a fool nobody was paid for
    EXPECT_NE(checkRoundMoney(g, before, 1), "");
    g.match.Players[2].RoundGotFool[1] = true;  // paid, but the money did not move
    EXPECT_NE(checkRoundMoney(g, before, 1).find("seat 1's money"), std::string::npos);
    g.match.Players[1].Money -= g.match.FoolBaht;
    g.match.Players[2].Money += g.match.FoolBaht;
    EXPECT_EQ(checkRoundMoney(g, before, 1), "");
}

// The game-end money: the leader (ties to the lower seat) collects the
// point money of the others and the pot.
TEST(Invariants, CheckGameEndMoneyAndTheTargetRule) {
    test::TestTable t;
    t.setUpGame();
    t.game.DealRound();
    Game& g = t.game;
    g.ensureRound(2);
    std::array<long, 5> before{};
    for (int s = 1; s <= 4; ++s) before[static_cast<std::size_t>(s)] = g.match.Players[s].Money;
    const long target = g.match.PointTarget;
    const std::array<long, 5> r1 = {0, 100, 40, -20, 10},
                              r2 = {0, target - 100, target - 40, 0, -5};
    for (int s = 1; s <= 4; ++s) {
        g.match.Players[s].RoundPoints[1] = r1[static_cast<std::size_t>(s)];
        g.match.Players[s].RoundPoints[2] = r2[static_cast<std::size_t>(s)];
        g.match.Players[s].TotalPoints =
            r1[static_cast<std::size_t>(s)] + r2[static_cast<std::size_t>(s)];
    }
    // Seats 1 and 2 tie on the target: seat 1 leads.
    EXPECT_NE(checkRoundScore(g, 2).find("goes on"), std::string::npos);
    g.match.TargetReached = true;
    EXPECT_EQ(checkRoundScore(g, 2), "");
    g.match.MissionPot = 1000;
    g.match.Players[1].Money += 1000 + (target + 20 + target - 5) * g.match.BahtPerPoint;
    g.match.Players[3].Money -= (target + 20) * g.match.BahtPerPoint;
    g.match.Players[4].Money -= (target - 5) * g.match.BahtPerPoint;
    EXPECT_EQ(checkRoundMoney(g, before, 2), "");
    g.match.Players[2].Money -= g.match.BahtPerPoint;  // the tied seat pays nothing
    g.match.Players[3].Money += g.match.BahtPerPoint;
    EXPECT_NE(checkRoundMoney(g, before, 2).find("seat 2"), std::string::npos);

    g.match.Players[1].TotalPoints += 1;  // a total that is not the sum of its rounds
    EXPECT_NE(checkRoundScore(g, 2).find("add up"), std::string::npos);
    // The person at minus the target ends the game; a computer seat does not.
    for (int s = 1; s <= 4; ++s) {
        g.match.Players[s].RoundPoints[1] = 0;
        g.match.Players[s].RoundPoints[2] = 0;
        g.match.Players[s].TotalPoints = 0;
    }
    g.match.Players[3].RoundPoints[2] = g.match.Players[3].TotalPoints = -target;
    EXPECT_NE(checkRoundScore(g, 2).find("ends"), std::string::npos);
    g.match.TargetReached = false;
    EXPECT_EQ(checkRoundScore(g, 2), "");
    g.match.Players[4].RoundPoints[2] = g.match.Players[4].TotalPoints = -target;
    EXPECT_NE(checkRoundScore(g, 2).find("goes on"), std::string::npos);
}

TEST(Invariants, CheckTheDealAndWhatEachActionDid) {
    test::TestTable t;
    t.setUpGame();
    t.game.DealRound();
    Game& g = t.game;
    EXPECT_EQ(checkDeal(g), "");
    const int top = g.table.Seats[0].PileCards.top();
    const int mine = g.table.Seats[1].Cards[1];
    EXPECT_EQ(checkActionEffect(g, {"discard", 1, {top}, 1, ""}), "");
    EXPECT_NE(checkActionEffect(g, {"discard", 1, {mine}, 1, ""}), "");
    EXPECT_EQ(checkActionEffect(g, {"draw", 1, {mine}, 0, ""}), "");
    EXPECT_NE(checkActionEffect(g, {"draw", 2, {mine}, 0, ""}).find("not in the hand"),
              std::string::npos);
    EXPECT_NE(checkActionEffect(g, {"meld", 1, {mine, 0, 0}, 0, ""}).find("laid"),
              std::string::npos);
    EXPECT_NE(checkActionEffect(g, {"knock", 1, {mine}, 0, "knock"}), "");

    g.table.Seats[0].PileCards.push(g.table.Seats[0].Cards.top());  // one card too many on the pile
    g.table.Seats[0].Cards.count -= 1;
    EXPECT_NE(checkDeal(g), "");
}

}  // namespace
}  // namespace vornak::sim
