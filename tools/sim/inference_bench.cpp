// How well the Master's deals guess the hidden hands: rounds played by the
// rules' players; at the start of every turn from the fifth on, the seat to
// play deals the cards it has not seen, with the deals weighed by what the
// other seats did (MasterSample with inference) and without, and the bench
// counts how many of the other seats' unknown cards each deal puts in the
// right hand. Run by bench/expert.sh inference.
//
//   vornak-inference [--rounds N] [--deals N] [--seed S]
#include <array>
#include <bit>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <utility>

#include "ai/master.h"
#include "ai/turn.h"
#include "core/random.h"
#include "rules/cardmoves.h"
#include "rules/melds.h"

using namespace vornak;

namespace {

std::size_t at(int s) {
    return static_cast<std::size_t>(s);
}

Table dealt(std::uint64_t seed) {
    SeededRandom random(seed);
    std::array<int, 53> deck{};
    for (int c = 1; c <= 52; ++c) deck[at(c)] = c;
    for (int i = 52; i > 1; --i) {
        const int j = 1 + static_cast<int>(random.next() * i);
        std::swap(deck[at(i)], deck[at(j)]);
    }
    Table t;
    DealCards(t, deck, 1 + static_cast<int>(seed % 4));
    t.CurrentSeat = 0;
    return t;
}

// Of the other seats' cards the view does not know, how many the deal puts
// in the right hand, and how many there were.
void score(const Table& real, const Table& deal, const SeatView& view, long& right, long& all) {
    for (int s = 1; s <= 4; ++s) {
        if (s == view.seat) continue;
        const std::uint64_t truth = cardSet(real.Seats[at(s)].Cards) & ~view.holds[at(s)];
        const std::uint64_t guess = cardSet(deal.Seats[at(s)].Cards);
        right += std::popcount(truth & guess);
        all += std::popcount(truth);
    }
}

}  // namespace

int main(int argc, char** argv) {
    long rounds = 300, deals = 40;
    std::uint64_t seed = 1;
    for (int i = 1; i + 1 < argc; i += 2) {
        const std::string arg = argv[i];
        const long v = std::strtol(argv[i + 1], nullptr, 10);
        if (arg == "--rounds") rounds = v;
        if (arg == "--deals") deals = v;
        if (arg == "--seed") seed = static_cast<std::uint64_t>(v);
    }
    const Level level{false, true, 5};
    long right[2] = {0, 0}, all[2] = {0, 0}, views = 0;
    for (long r = 0; r < rounds; ++r) {
        Table t = dealt(seed * 1000003 + static_cast<std::uint64_t>(r));
        SeededRandom random(seed + static_cast<std::uint64_t>(r));
        for (int turn = 0; !t.RoundOver && turn < 200; ++turn) {
            const int seat = StartTurn(t);
            if (turn >= 4) {
                const SeatView view = ViewOf(t, seat);
                for (long d = 0; d < deals; ++d)
                    for (int weighed = 0; weighed < 2; ++weighed) {
                        SeededRandom deal(static_cast<std::uint64_t>(views * 7919 + d));
                        const Table x = MasterSample(view, deal, weighed == 1);
                        score(t, x, view, right[weighed], all[weighed]);
                    }
                ++views;
            }
            for (auto steps = PlayComputerTurn(t, seat, level, random); steps.next();) {
            }
            EndTurn(t, seat);
        }
    }
    for (int weighed = 0; weighed < 2; ++weighed)
        std::printf("%-22s %6.2f %% of the others' unknown cards in the right hand (%ld views)\n",
                    weighed ? "deals weighed:" : "deals alike:",
                    all[weighed] ? 100.0 * static_cast<double>(right[weighed]) /
                                       static_cast<double>(all[weighed])
                                 : 0.0,
                    views);
    return 0;
}
