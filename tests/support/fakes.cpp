#include "support/fakes.h"

#include <atomic>
#include <chrono>
#include <utility>
#include <vector>

#include "ai/expert.h"
#include "core/random.h"
#include "rules/cardmoves.h"

namespace vornak::test {

TempDir::TempDir() {
    static std::atomic<int> counter{0};
    const auto stamp = std::chrono::steady_clock::now().time_since_epoch().count();
    path_ = std::filesystem::temp_directory_path() /
            ("vornak-test-" + std::to_string(stamp) + "-" + std::to_string(counter++));
    std::filesystem::create_directories(path_);
}

TempDir::~TempDir() {
    std::error_code ec;
    std::filesystem::remove_all(path_, ec);
}

TestTable::TestTable(std::uint64_t seed)
    : random(seed),
      game(dialogs, random,
           Paths{dir.path().string(), dir.file("SkinFileName.txt"), dir.file("ScoreData.Dat")}) {}

void TestTable::setUpGame() {
    game.StartBeginnerMission();
    game.match.PlayerName = "Tester";
    game.match.Players[4].Name = "Tester";
    game.ResetGame();
    game.ensureRound(game.match.RoundNumber);
}

void TestTable::setHand(int seat, const std::string& cards) {
    game.table.Seats[seat].Cards.assign(parseCards(cards));
}

void TestTable::setPile(const std::string& cards) {
    game.table.Seats[0].PileCards.assign(parseCards(cards));
}

void TestTable::setLaid(int seat, const std::string& cards) {
    game.table.Seats[seat].PileCards.assign(parseCards(cards));
}

std::string handText(const CardList& cards) {
    std::string out;
    for (int i = 1; i <= cards.count; ++i) {
        if (!out.empty()) out += ' ';
        out += cardNotation(cards[i]);
    }
    return out;
}

CardList cards(std::string_view text) {
    CardList list;
    list.assign(parseCards(text));
    return list;
}

Meld meld(std::string_view text) {
    const CardList c = cards(text);
    return {0, c[1], c[2], c[3]};
}

Table dealt(std::uint64_t seed) {
    SeededRandom random(seed);
    std::array<int, 53> deck{};
    for (int c = 1; c <= 52; ++c) deck[static_cast<std::size_t>(c)] = c;
    for (int c = 52; c > 1; --c)
        std::swap(deck[static_cast<std::size_t>(c)],
                  deck[static_cast<std::size_t>(1 + static_cast<int>(random.next() * c))]);
    Table t;
    DealCards(t, deck, 2);
    return t;
}

Table permuteUnseen(const Table& t, int seat, std::uint64_t seed) {
    const SeatView view = ViewOf(t, seat);
    Table p = t;
    std::vector<int*> slots;
    for (int s = 0; s <= 4; ++s) {
        if (s == seat) continue;
        CardList& list = p.Seats[static_cast<std::size_t>(s)].Cards;
        for (int i = 1; i <= list.count; ++i) {
            if (s != 0 && (view.holds[static_cast<std::size_t>(s)] >> list[i] & 1u) != 0) continue;
            slots.push_back(&list[i]);
        }
    }
    std::vector<int> codes;
    for (int* slot : slots) codes.push_back(*slot);
    SeededRandom random(seed);
    for (std::size_t i = codes.size(); i > 1; --i)
        std::swap(codes[i - 1],
                  codes[static_cast<std::size_t>(random.next() * static_cast<double>(i))]);
    for (std::size_t i = 0; i < slots.size(); ++i) *slots[i] = codes[i];
    return p;
}

}  // namespace vornak::test
