#include "simulator.h"

#include <algorithm>
#include <atomic>
#include <utility>
#include <chrono>
#include <ctime>
#include <filesystem>
#include <iomanip>
#include <memory>
#include <ostream>
#include <sstream>

#include <time.h>

#include <algorithm>

#include "ai/turn.h"
#include "game/files.h"
#include "game/game.h"
#include "invariants.h"
#include "json.h"
#include "logger.h"
#include "policy.h"
#include "rules/replay.h"

namespace vornak::sim {

int targetIndex(Level level, int target) {
    static const int beginner[] = {300, 500, 700};
    static const int vip[] = {500, 1000, 2000};
    const int* list = level == Level::Beginner ? beginner : vip;
    if (target == 0) return 1;
    for (int i = 0; i < 3; ++i)
        if (list[i] == target) return i + 1;
    return 0;
}

namespace {

// The simulated person's pace: each mouse action (a draw, a menu choice, a
// card clicked, the click after a round) comes this long after the last.
constexpr int kPersonActionMs = 1000;

// The game's random numbers, each also handed to the log with what the
// game draws it for.
class LoggedRandom final : public Random {
public:
    LoggedRandom(std::uint64_t seed, EventLog& log) : base_(seed), log_(log) {}
    double next() override {
        const double v = base_.next();
        // What the number is for holds for this draw alone.
        log_.randomDrawn(v, std::exchange(use, nullptr));
        return v;
    }
    std::string state() const override { return base_.state(); }
    bool restore(const std::string& text) override { return base_.restore(text); }

private:
    SeededRandom base_;
    EventLog& log_;
};

// A folder for the records and skin files of one run.
class DataFolder {
public:
    explicit DataFolder(const std::string& chosen) {
        std::error_code ec;
        if (!chosen.empty()) {
            path_ = chosen;
        } else {
            static std::atomic<int> counter{0};
            const auto stamp = std::chrono::steady_clock::now().time_since_epoch().count();
            const std::string name =
                "vornak-sim-" + std::to_string(stamp) + "-" + std::to_string(counter++);
            owned_ = true;
            // A folder in memory when there is one: the records file is
            // flushed to disk at every new record, which would otherwise
            // cost more than the games themselves.
            path_ = std::filesystem::path("/dev/shm") / name;
            if (std::filesystem::is_directory(path_.parent_path(), ec) &&
                std::filesystem::create_directory(path_, ec)) {
                ok_ = true;
                return;
            }
            path_ = std::filesystem::temp_directory_path(ec) / name;
        }
        std::filesystem::create_directories(path_, ec);
        ok_ = std::filesystem::is_directory(path_, ec);
    }
    ~DataFolder() {
        std::error_code ec;
        if (owned_) std::filesystem::remove_all(path_, ec);
    }
    DataFolder(const DataFolder&) = delete;
    DataFolder& operator=(const DataFolder&) = delete;
    bool ok() const { return ok_; }
    std::string file(const char* name) const { return (path_ / name).string(); }
    std::string folder() const { return path_.string(); }

private:
    std::filesystem::path path_;
    bool owned_ = false;
    bool ok_ = false;
};

class Run final : public Dialogs, public GameObserver {
public:
    Run(const Options& options, Summary& summary)
        : options_(options),
          summary_(summary),
          log_(options.log),
          random_(options.seed, log_),
          policy_(options.seed),
          personRandom_(options.seed ^ 0x5eed5eedULL),
          data_(options.dataFolder) {}

    void play();

    // ---- Dialogs ----
    MsgResult messageBox(const std::string& text, const std::string& title, MsgButtons buttons,
                         MsgIcon) override {
        ++summary_.messages;
        log_.message(at(), text, title, buttons == MsgButtons::OkCancel);
        return MsgResult::Ok;
    }
    std::optional<std::string> inputBox(const std::string&, const std::string&,
                                        const std::string&) override {
        return options_.playerName;
    }
    // The offer of a saved game at start: always go on with it.
    int choose(const std::string&, const std::string&, const std::vector<std::string>&) override {
        return 0;
    }
    std::optional<std::string> openFile(const std::string&, const std::string&) override {
        return std::nullopt;
    }
    void popupMenu(PopupMenu menu) override {
        if (menu == PopupMenu::LayOffKind && game_) policy_.chooseLayOffKind(*game_);
    }
    void showTitleScreen(TitleScreen& screen) override {
        // Click the caption whenever it shows; let the pictures rise otherwise.
        for (int i = 0; i < 1000 && !screen.closed; ++i) {
            if (screen.actionCaption.visible)
                screen.clickAction();
            else if (screen.riseTimer.enabled)
                screen.tick();
            else
                break;
        }
    }
    void showStatisticsScreen(StatisticsScreen& screen) override {
        const int kept = screen.clickAction();
        if (game_) game_->match.MoneyAtRoundStart = kept;
    }
    void showEndScreen(EndScreen& screen) override { screen.clickAction(); }
    void showHallOfFame(HallOfFame& screen) override { screen.clickClose(); }
    void showRulesWindow() override {}
    void showAboutWindow() override {}
    void quit() override {}

    // ---- GameObserver ----
    void action(const GameAction& a) override {
        ++actions_;
        log_.action(at(), a, game_.get());
        if (a.kind == "deal") active_ = true;
        if (a.kind == "discard" && !a.cards.empty()) lastDiscard_ = a.cards.front();
        if (!options_.check || !active_ || !summary_.ok) return;
        std::string what = checkCards(*game_, &a);
        if (what.empty()) what = checkActionEffect(*game_, a);
        if (what.empty() && a.kind == "deal") what = checkDeal(*game_);
        if (!what.empty()) {
            std::string name = a.kind + " by seat " + std::to_string(a.seat);
            fail("invariant violated after action " + name + ": " + what + "\n" +
                 describeTable(*game_));
        }
    }
    void decisionStarts(const char* name, int seat, const Table& seen) override {
        if (game_) log_.decisionStarts(*game_, seen, name, seat);
    }
    void decisionEnds(const char* name, int seat, int result, const Table& seen) override {
        if (game_) log_.decisionEnds(seen, at(), name, seat, result);
    }
    bool watchesDecisions() const override { return log_.enabled(); }
    void roundEnding() override {
        if (game_) log_.roundEnding(*game_);
        // The round's record replays to the table as the round ended.
        if (!options_.check || !game_ || !summary_.ok) return;
        const std::vector<RoundRecord>& kept = game_->match.Log.rounds;
        const std::vector<Table> replay =
            kept.empty() ? std::vector<Table>{} : replayRound(kept.back());
        if (replay.empty() || !samePosition(replay.back(), game_->table))
            fail("the round's record does not replay to its end\n" + describeTable(*game_));
    }

private:
    LogContext at() const { return LogContext{gameNo_, roundNo_, summary_.steps}; }

    void fail(const std::string& what) {
        if (!summary_.ok) return;
        summary_.ok = false;
        std::ostringstream out;
        out << "seed " << options_.seed << ", game " << gameNo_ << ", round " << roundNo_
            << ", step " << summary_.steps << " (" << lastStep_ << "): " << what;
        summary_.error = out.str();
    }

    void setUp();
    void step();
    // Simulated time passes: the clock ticks that come due meanwhile run,
    // as the game's clock timer would run them.
    void passTime(long long ms);
    // The clock timer starts (its first tick a second later) or stops with
    // the game's clock record.
    void followClockTimer();
    void playPersonTurn();
    void settleRound();
    void startRound();
    void writeStart();
    void writeGameEnd();
    Paths gamePaths() const {
        return Paths{data_.folder(), data_.file("SkinFileName.txt"), data_.file("ScoreData.Dat"),
                     options_.saveGames ? data_.file("Game.sav") : std::string(),
                     options_.history ? data_.file("History.csv") : std::string()};
    }
    // When the game under way ends, for the history.
    std::int64_t historyNow() const {
        const std::int64_t simulated = nowMs_ / 1000;
        if (options_.historyDays <= 0) return startTime_ + simulated;
        const std::int64_t span = std::int64_t(options_.historyDays) * 86400;
        const std::int64_t step = span / std::max(1, options_.games);
        return startTime_ - span + std::int64_t(gameNo_) * step +
               simulated % std::max<std::int64_t>(1, step);
    }
    void makeGame() {
        game_ = std::make_unique<Game>(*this, random_, gamePaths());
        game_->observer = this;
        game_->historyClock = [this] { return historyNow(); };
    }
    // A save was just taken: maybe the game is put away and restored.
    void maybeRestore();

    const Options& options_;
    Summary& summary_;
    EventLog log_;
    LoggedRandom random_;
    PersonPolicy policy_;
    SeededRandom personRandom_;  // the automated person's decisions
    DataFolder data_;
    std::unique_ptr<Game> game_;
    const std::int64_t startTime_ = std::int64_t(std::time(nullptr));

    bool active_ = false;  // cards are dealt: the invariants hold
    int gameNo_ = 0, roundNo_ = 0;
    long roundSteps_ = 0;
    long actions_ = 0;
    bool settled_ = false;
    bool targetReached_ = false;  // the settled round ended the game
    int lastDiscard_ = 0;         // the card of the last discard or turn-down
    std::array<long, 5> moneyAtDeal_{};
    std::array<long, 5> totalsAtEnd_{};
    std::string lastStep_ = "start";
    long long nowMs_ = 0;        // simulated time
    long long clockDueMs_ = 0;   // the clock timer's next tick
    bool clockRunning_ = false;  // the clock timer runs
    long savesSeen_ = 0;
    std::mt19937_64 restoreRng_{options_.restoreSeed};
};

void Run::maybeRestore() {
    Game& old = *game_;
    if (old.SavesWritten == savesSeen_) return;
    savesSeen_ = old.SavesWritten;
    if (options_.restoreChance <= 0 ||
        std::uniform_real_distribution<double>(0, 1)(restoreRng_) >= options_.restoreChance)
        return;
    const auto at = old.boundary();
    if (!at) return fail("a save was taken where the game does not stand between turns");
    const std::string path = gamePaths().saveFile;
    const FileText file = readSmallFile(path, kMaxSaveBytes);
    if (file.state != FileText::State::Read) return fail("the save cannot be read back");
    const bool gameEnd = *at == SavePoint::RoundBoard && old.match.TargetReached;

    // The program closes; only its files remain. The generator goes on
    // from wherever: the save must set it.
    old.seq.cancel();
    old.observer = nullptr;
    game_.reset();
    random_.restore(SeededRandom(~options_.seed).state());
    makeGame();
    game_->ProgramStart();
    game_->MainWindowLoad();
    Game& g = *game_;
    if (g.SavesWritten != 0 || g.boundary() != at)
        return fail("the restored game does not stand where it was saved");
    // Saved again, the restored game gives the same bytes: nothing was lost
    // on the way.
    const std::string again = writeSavedGame(g, *at);
    if (again != file.text) {
        std::size_t i = 0;
        while (i < again.size() && i < file.text.size() && again[i] == file.text[i]) ++i;
        const std::size_t line = static_cast<std::size_t>(
            std::count(file.text.begin(), file.text.begin() + static_cast<long>(i), '\n'));
        return fail("the restored game saves differently from line " + std::to_string(line + 1));
    }
    savesSeen_ = 0;
    ++summary_.restores[static_cast<std::size_t>(*at)];
    if (gameEnd) ++summary_.restoredGameEnds;
}

void Run::passTime(long long ms) {
    Game& g = *game_;
    const long long until = nowMs_ + std::max(0LL, ms);
    const long long interval = std::max(1, g.scene.clockTimer.interval);
    while (clockRunning_ && clockDueMs_ <= until) {
        nowMs_ = clockDueMs_;
        clockDueMs_ += interval;
        g.clockTick();
    }
    nowMs_ = until;
}

void Run::followClockTimer() {
    const TimerRecord& clock = game_->scene.clockTimer;
    if (clock.enabled && !clockRunning_) clockDueMs_ = nowMs_ + std::max(1, clock.interval);
    clockRunning_ = clock.enabled;
}

void Run::writeStart() {
    if (!log_.enabled()) return;
    // The lines of the set-up were held back: the start line comes first.
    JsonWriter w;
    w.beginObject()
        .field("type", "start")
        .field("seed", static_cast<unsigned long long>(options_.seed));
    w.field("level", options_.level == Level::Beginner ? "beginner" : "vip");
    w.field("mission", options_.mission).field("target", game_->match.PointTarget);
    w.field("games", options_.games).field("player", options_.playerName);
    w.endObject();
    log_.release(w.str());
}

void Run::setUp() {
    makeGame();
    log_.setContext([this] { return at(); });
    // The start line comes first and names the target in force once the
    // level is chosen; a level chosen after the program's own first game
    // deals again, and the log shows both deals in order.
    log_.hold();
    lastStep_ = "program start";
    game_->ProgramStart();
    lastStep_ = "main window load";
    game_->MainWindowLoad();  // the Beginner mission's first game is dealt
    const int index = targetIndex(options_.level, options_.target);
    game_->match.ExpertPlayers = options_.expertSeats && !options_.masterSeats;
    game_->match.MasterPlayers = options_.masterSeats;
    if (options_.mission) {
        if (options_.level == Level::Vip) {
            lastStep_ = "VIP mission";
            game_->StartVipMission();
            game_->StartNewGame();
        }
    } else if (options_.level == Level::Beginner) {
        lastStep_ = "Beginner target " + std::to_string(index);
        game_->EndScoreEasy_Click(index);
    } else {
        lastStep_ = "VIP target " + std::to_string(index);
        game_->EndScoreHard_Click(index);
    }
    writeStart();
    followClockTimer();
    active_ = true;
    gameNo_ = 1;
    startRound();
}

void Run::startRound() {
    roundNo_ = game_->match.RoundNumber;
    roundSteps_ = 0;
    settled_ = false;
    for (int s = 1; s <= 4; ++s)
        moneyAtDeal_[static_cast<std::size_t>(s)] = game_->match.Players[s].Money;
}

void Run::settleRound() {
    Game& g = *game_;
    settled_ = true;
    ++summary_.rounds;
    // The notebook has already moved on to the next round's number.
    const int r = g.match.RoundNumber - 1;
    const auto ri = static_cast<std::size_t>(r < 0 ? 0 : r);
    bool knock = false;
    for (int s = 1; s <= 4; ++s) {
        const Player& seat = g.match.Players[s];
        SeatTotals& t = summary_.seats[static_cast<std::size_t>(s)];
        if (g.table.Seats[s].DarkKnocked) ++t.darkKnocks, knock = true;
        if (g.table.Seats[s].Knocked) ++t.knocks, knock = true;
        if (ri < seat.RoundFooled.size() && seat.RoundFooled[ri]) ++t.fooled;
        if (ri < seat.RoundGotFool.size() && seat.RoundGotFool[ri]) ++t.gotFool;
        if (ri < seat.RoundPoints.size()) t.points += seat.RoundPoints[ri];
        totalsAtEnd_[static_cast<std::size_t>(s)] = seat.TotalPoints;
    }
    if (!knock) ++summary_.noKnockRounds;
    log_.roundEnd(at(), g, r);
    targetReached_ = g.match.TargetReached;
    if (options_.check) {
        std::string what = checkRoundScore(g, r);
        if (!what.empty()) return fail("scoring: " + what);
        what = checkRoundMoney(g, moneyAtDeal_, r);
        if (!what.empty()) return fail("money not conserved: " + what);
        // The board shows the last card that went onto the pile, off the pile.
        const CardList& pile = g.table.Seats[0].PileCards;
        const int shown = pile.count < kMaxCards ? pile[pile.count + 1] : 0;
        if (shown != lastDiscard_)
            fail("the round-end board shows " + cardNotation(shown) + " but the last discard was " +
                 cardNotation(lastDiscard_));
    }
}

void Run::writeGameEnd() {
    // The leader as the game pays it: the highest total, ties to the lower seat.
    const int w = LeaderOf(totalsAtEnd_);
    ++summary_.seats[static_cast<std::size_t>(w)].wins;
    ++summary_.games;
    if (!log_.enabled()) return;
    JsonWriter j;
    j.beginObject().field("type", "game").field("game", gameNo_).field("rounds", roundNo_);
    j.field("leader", w).key("totals").beginArray();
    for (int s = 1; s <= 4; ++s) j.value(totalsAtEnd_[static_cast<std::size_t>(s)]);
    j.endArray().endObject();
    log_.write(j.str());
}

namespace {

// Processor time this thread has used, in milliseconds: on a shared machine
// the wall clock also counts the time other programs had the core.
double threadMs() {
    timespec ts{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &ts);
    return 1e3 * static_cast<double>(ts.tv_sec) + 1e-6 * static_cast<double>(ts.tv_nsec);
}

}  // namespace

// The person's seat played by the computer seats' logic (with the Expert's
// decisions or without), on the game's table, then ended as the person's
// discard ends a turn.
void Run::playPersonTurn() {
    Game& g = *game_;
    vornak::Level level = g.level();
    level.expertSeats = options_.person == Person::Expert ? 1u << kHuman : 0u;
    level.masterSeats = options_.person == Person::Master ? 1u << kHuman : 0u;
    MasterBudget master;
    master.rollouts = options_.masterRollouts;
    master.inference = options_.masterInference;
    master.timeLimitMs = 0;
    auto turn = PlayComputerTurn(g.table, kHuman, level, personRandom_, g.watcher());
    while (turn.next()) {
        const TurnEvent& e = turn.event();
        if (e.step != TurnStep::Consulting) continue;
        const double start = threadMs();
        if (e.request->forMaster()) {
            e.request->view.standing = StandingOf(g.match);
            e.request->answer(master);
        } else {
            e.request->answer();
        }
        // A one-card hand's discard (the knock) is no decision.
        const ExpertRequest& r = *e.request;
        if (r.kind == ExpertRequest::Kind::PilePick || r.kind == ExpertRequest::Kind::MasterPick ||
            r.view.seen.Seats[kHuman].CardCount() > 1)
            summary_.expertDecisionMs.push_back(threadMs() - start);
    }
    g.EndTurnPlayedForPerson();
}

void Run::step() {
    Game& g = *game_;
    ++summary_.steps;
    if (++roundSteps_ > options_.stepLimit) {
        fail("the round is stuck: no end after " + std::to_string(options_.stepLimit) +
             " steps (seat " + std::to_string(g.table.CurrentSeat) + " to play)");
        return;
    }
    if (g.seq.waiting()) {
        lastStep_ = "resume sequence";
        passTime(g.seq.pauseMs());
        g.seq.resume();
    } else if (PersonPolicy::waiting(g) && options_.person != Person::Simple) {
        passTime(kPersonActionMs);
        lastStep_ = options_.person == Person::Expert   ? "person: expert turn"
                    : options_.person == Person::Master ? "person: master turn"
                                                        : "person: rules turn";
        playPersonTurn();
    } else if (PersonPolicy::waiting(g)) {
        passTime(kPersonActionMs);
        lastStep_ = "person: ";
        lastStep_ += policy_.act(g);
        log_.input(at(), lastStep_.substr(8));
        if (!policy_.blocked().empty()) {
            fail("the person's seat is stuck: " + policy_.blocked() + "\n" + describeTable(g));
            return;
        }
    } else if (g.scene.turnTimer.enabled && !g.table.RoundOver) {
        lastStep_ = "turn timer";
        passTime(g.scene.turnTimer.interval);
        g.turnTimerTick();
    } else if (g.table.RoundOver && !g.seq.running()) {
        if (!settled_) settleRound();
        passTime(kPersonActionMs);
        lastStep_ = "continue after round";
        g.windowClick();
        // A game ends exactly after the round that reached its target.
        if (options_.check && (g.match.RoundNumber == 1) != targetReached_) {
            fail(targetReached_ ? "the game went on after its target was reached"
                                : "the game ended before its target was reached");
            return;
        }
        if (g.match.RoundNumber == 1) {
            writeGameEnd();
            ++gameNo_;
        }
        startRound();
    } else {
        fail("the game waits for nothing: no timer, no pause, no input expected (seat " +
             std::to_string(g.table.CurrentSeat) + ")");
        return;
    }
    followClockTimer();
    if (options_.trace != nullptr && options_.traceFrom > 0 && summary_.steps >= options_.traceFrom)
        *options_.trace << "step " << summary_.steps << " (" << lastStep_ << "), seat "
                        << g.table.CurrentSeat << ", hint \"" << g.scene.hintLine.caption << "\"\n"
                        << describeTable(g);
    if (options_.check && summary_.ok) {
        const std::string what = checkCards(g);
        if (!what.empty()) fail("invariant violated: " + what + "\n" + describeTable(g));
    }
    if (!log_.good()) fail("the log cannot be written (disk full?)");
    // Last: the game `g` may be put away here.
    if (options_.saveGames && summary_.ok) maybeRestore();
}

void Run::play() {
    if (!data_.ok()) {
        summary_.ok = false;
        summary_.error = "cannot create the data folder " + data_.folder();
        return;
    }
    setUp();
    if (options_.check && summary_.ok) {
        const std::string what = checkCards(*game_);
        if (!what.empty()) fail("invariant violated after the first deal: " + what);
    }
    while (summary_.ok && summary_.games < options_.games) step();
    if (log_.enabled()) {
        JsonWriter w;
        w.beginObject().field("type", "summary").field("games", summary_.games);
        w.field("rounds", summary_.rounds).field("steps", summary_.steps);
        w.field("ok", summary_.ok).field("error", summary_.error).endObject();
        log_.write(w.str());
    }
    game_->seq.cancel();
    game_->observer = nullptr;
}

}  // namespace

Summary runSimulation(const Options& options) {
    Summary summary;
    const auto start = std::chrono::steady_clock::now();
    {
        Run run(options, summary);
        run.play();
    }
    summary.seconds =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    return summary;
}

void printSummary(std::ostream& out, const Options& options, const Summary& s) {
    out << "vornak-sim: " << (options.level == Level::Beginner ? "Beginner" : "VIP")
        << (options.mission ? " mission" : " normal mode") << ", seed " << options.seed
        << (options.check ? ", checked" : "") << "\n";
    out << "games " << s.games << ", rounds " << s.rounds << ", steps " << s.steps
        << ", message boxes " << s.messages << ", rounds without a knock " << s.noKnockRounds
        << "\n";
    out << "seat      wins  knocks  dark  fooled  got-fool  avg points/round\n";
    for (int seat = 1; seat <= 4; ++seat) {
        const SeatTotals& t = s.seats[static_cast<std::size_t>(seat)];
        const double avg =
            s.rounds > 0 ? static_cast<double>(t.points) / static_cast<double>(s.rounds) : 0.0;
        out << (seat == 4 ? "4 (you) " : std::to_string(seat) + "       ") << std::setw(6) << t.wins
            << std::setw(8) << t.knocks << std::setw(6) << t.darkKnocks << std::setw(8) << t.fooled
            << std::setw(10) << t.gotFool << std::setw(18) << std::fixed << std::setprecision(1)
            << avg << "\n";
    }
    if (!s.expertDecisionMs.empty()) {
        std::vector<double> ms = s.expertDecisionMs;
        std::sort(ms.begin(), ms.end());
        auto quantile = [&ms](double q) {
            return ms[std::min(ms.size() - 1,
                               static_cast<std::size_t>(q * static_cast<double>(ms.size())))];
        };
        out << std::fixed << std::setprecision(1)
            << (options.person == Person::Master ? "master decisions " : "expert decisions ")
            << ms.size() << ", processor time median " << quantile(0.5) << " ms, 99th percentile "
            << quantile(0.99) << " ms\n";
    }
    const double rate = s.seconds > 0 ? static_cast<double>(s.rounds) / s.seconds : 0.0;
    out << std::fixed << std::setprecision(3) << "time " << s.seconds << " s, "
        << std::setprecision(1) << rate << " rounds/s\n";
    if (options.saveGames && options.restoreChance > 0)
        out << "restored from the save: " << s.restores[0] << " between turns, " << s.restores[1]
            << " at the person's turn, " << s.restores[2] << " on the board (" << s.restoredGameEnds
            << " at a game's end)\n";
    if (!s.ok) out << "FAILED: " << s.error << "\n";
}

}  // namespace vornak::sim
