// The game's moves go into the round's record (match.Log) on their way to
// the observer the tools install.
#include "game/game.h"

namespace vornak {

namespace {

class Recorder final : public GameObserver {
public:
    explicit Recorder(Game& game) : game_(game) {}

    void action(const GameAction& a) override {
        std::array<std::string, 5> names;
        for (int s = 1; s <= 4; ++s)
            names[static_cast<std::size_t>(s)] =
                game_.match.Players[static_cast<std::size_t>(s)].Name;
        game_.match.Log.record(game_.table, a, game_.match.RoundNumber, names, game_.level());
        if (game_.observer) game_.observer->action(a);
    }
    void decisionStarts(const char* name, int seat, const Table& seen) override {
        if (game_.observer) game_.observer->decisionStarts(name, seat, seen);
    }
    void decisionEnds(const char* name, int seat, int result, const Table& seen) override {
        if (game_.observer) game_.observer->decisionEnds(name, seat, result, seen);
    }
    bool watchesDecisions() const override {
        return game_.observer != nullptr && game_.observer->watchesDecisions();
    }
    void roundEnding() override {
        game_.match.Log.roundEnded();
        if (game_.observer) game_.observer->roundEnding();
    }

private:
    Game& game_;
};

}  // namespace

GameObserver* Game::watcher() {
    if (!recorder) recorder = std::make_unique<Recorder>(*this);
    return recorder.get();
}

}  // namespace vornak
