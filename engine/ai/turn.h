// A computer seat's turn on the table, from its choice between pile and
// stock to its choice of discard, and the rollout that plays a round on to
// its end with it.
//
// The turn is a sequence of steps: each step has made its move on the table
// (or, for a lay-down, has settled the meld and charged the feeders) when it
// is handed out. The game narrates the steps with pauses in between; a
// rollout runs them back to back. Either way the same decisions and moves
// run in the same order, so the random numbers are drawn in the same order.
#pragma once

#include <coroutine>
#include <cstddef>
#include <exception>
#include <utility>

#include "ai/decisions.h"
#include "ai/expert.h"
#include "ai/master.h"
#include "core/observer.h"
#include "core/random.h"
#include "core/table.h"

namespace vornak {

enum class TurnStep {
    Thinking,    // the turn has begun
    TookPile,    // the seat took pile cards PileCountAtTurnStart..PickIndex
    WillDraw,    // the seat chose the stock; the next step draws
    Drew,        // the top stock card is in the seat's hand
    LayingDown,  // the meld in Selection goes down next (the feeders are charged)
    LaidDown,    // the meld is among the seat's laid cards
    LaidOff,     // a card went onto a meld on the table
    DarkKnock,   // the hand is laid out for a dark knock
    Discarding,  // the discard is chosen (SelectedCard)
    Consulting,  // an Expert or Master seat is about to decide: `request` says what
};

// A decision an Expert or a Master seat asks for. The request holds copies of all it
// needs (nothing of it points into the table), so it can be answered on
// another thread while the table stays as it is. Whoever drives the turn
// may answer it at the Consulting step; the turn answers it itself, on the
// spot, when nobody did.
struct ExpertRequest {
    // MasterPick: draw or take; MasterTurn: the rest of the turn (a plan).
    enum class Kind { PilePick, Discard, MasterPick, MasterTurn };
    Kind kind = Kind::PilePick;
    SeatView view;
    Level level;
    std::uint64_t seed = 0;

    bool answered = false;
    PilePick pick;
    DiscardChoice discard;
    MasterPlan plan;

    bool forMaster() const { return kind == Kind::MasterPick || kind == Kind::MasterTurn; }
    // Thinks (within the budget) and fills in the answer. A Master request
    // thinks within the Master's own budget, with the cancel flag given.
    void answer(const ExpertBudget& budget = {});
    void answer(const MasterBudget& budget, MasterStats* stats = nullptr);
};

struct TurnEvent {
    TurnStep step = TurnStep::Thinking;
    int card = 0;                      // LaidOff: the card; Drew: the card drawn
    int penalised = 0;                 // LayingDown: bit k for each seat that lost 1 K
    ExpertRequest* request = nullptr;  // Consulting: the decision asked for
};

// The steps of one turn, produced one at a time.
class TurnSteps {
public:
    struct promise_type {
        TurnEvent event;
        TurnSteps get_return_object() { return TurnSteps{Handle::from_promise(*this)}; }
        std::suspend_always initial_suspend() noexcept { return {}; }
        std::suspend_always final_suspend() noexcept { return {}; }
        std::suspend_always yield_value(TurnEvent e) noexcept {
            event = e;
            return {};
        }
        void return_void() noexcept {}
        void unhandled_exception() noexcept { std::terminate(); }
        // A rollout starts a few turns' frames for every turn it plays: the
        // thread keeps the frames it is done with for the next ones.
        static void* operator new(std::size_t size);
        static void operator delete(void* frame, std::size_t size) noexcept;
    };
    using Handle = std::coroutine_handle<promise_type>;

    TurnSteps(TurnSteps&& other) noexcept : handle_(std::exchange(other.handle_, {})) {}
    TurnSteps& operator=(TurnSteps&&) = delete;
    TurnSteps(const TurnSteps&) = delete;
    ~TurnSteps() {
        if (handle_) handle_.destroy();
    }

    // Runs to the next step; false once the turn has no more.
    bool next() {
        if (!handle_ || handle_.done()) return false;
        handle_.resume();
        return !handle_.done();
    }
    const TurnEvent& event() const { return handle_.promise().event; }

private:
    explicit TurnSteps(Handle h) : handle_(h) {}
    Handle handle_;
};

struct PilePick;

// The turn of `seat` (1..4), which StartTurn has just made the current
// seat. The steps keep the table, the random source, the observer and the
// forced pick by reference (they must outlive the steps) and the level by
// value. When the steps are over the seat's discard is chosen (or its dark
// knock laid out): EndTurn comes next.
//
// A seat in the level's `expertSeats` takes its pile pick and its discard
// from the Expert (ai/expert.h), which sees only what the seat has seen; its
// melds, lay-offs and dark knock stay the rules' own. A seat in
// `masterSeats` takes its pile pick from the Master (ai/master.h) and then
// the rest of its turn as one plan: the melds, the lay-offs and the discard
// (a knock when it leaves one card). Before each such decision the turn
// hands out a Consulting step with the request. `forcedPick`, when
// given, replaces the pile-pick decision (the Expert's look-ahead tries its
// candidates with it).
TurnSteps PlayComputerTurn(Table& t, int seat, Level level, Random& random,
                           GameObserver* observer = nullptr, const PilePick* forcedPick = nullptr);

// Plays the table on to the round's end, every seat (the person's too) by
// the computer seats' logic, without narration, pauses or dialogs. Returns
// the number of turns played; the table is left as the round ended. A
// table whose round is over is left alone.
int playOut(Table& t, const Level& level, Random& random, GameObserver* observer = nullptr);

}  // namespace vornak
