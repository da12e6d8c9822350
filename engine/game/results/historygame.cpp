// The games the history keeps: a game is counted from its first deal and
// written when it is decided or given up.
#include "game/results/historygame.h"

#include <cstdio>
#include <ctime>

#include "game/game.h"

namespace vornak {

std::string opponentsWord(const Match& m) {
    if (m.MasterPlayers) return "master";
    return m.ExpertPlayers ? "expert" : "rules";
}

std::string_view decidedResult(const Match& m, long best) {
    const Player& me = m.Players[kHuman];
    const bool onPoints =
        m.TargetReached && !m.GameOver && me.TotalPoints >= m.PointTarget && me.TotalPoints > best;
    if (m.MissionMode && m.TargetReached && !m.GameOver) {
        if (me.Money < 3000) return "lost";
        if (me.Money >= 100000) return "won";
    }
    return onPoints ? "won" : "lost";
}

bool worthKeeping(const Match& m) {
    return m.Tally.Open && (m.RoundNumber > 1 || m.ElapsedSeconds >= 60);
}

GameRecord historyRecordOf(const Match& m, std::string_view result, std::int64_t when) {
    const Player& me = m.Players[kHuman];
    GameRecord g;
    g.when = when;
    g.utcOffset = localUtcOffset(when);
    g.player = m.PlayerName.empty() ? me.Name : m.PlayerName;
    g.level = m.Tally.Vip ? "vip" : "beginner";
    g.mode = m.Tally.Mission ? "mission" : "normal";
    g.target = m.Tally.Target;
    g.opponents = opponentsWord(m);
    g.result = std::string(result);
    g.rounds = std::max(0, m.RoundNumber - 1);
    g.points = me.TotalPoints;
    g.money = me.Money - m.Tally.StartMoney;
    g.knocks = m.Tally.Knocks;
    g.darkKnocks = m.Tally.DarkKnocks;
    for (int r = 1; r <= g.rounds; ++r) {
        const auto i = static_cast<std::size_t>(r);
        if (i < me.RoundFooled.size() && me.RoundFooled[i]) ++g.fooled;
        if (i < me.RoundGotFool.size() && me.RoundGotFool[i]) ++g.foolsWon;
    }
    g.seconds = m.ElapsedSeconds;
    return g;
}

void Game::openGameTally() {
    GameTally& t = match.Tally;
    t = GameTally{};
    t.Open = true;
    t.Vip = match.VipChosen;
    t.Mission = match.MissionMode;
    t.Target = match.PointTarget;
    t.StartMoney = match.Players[kHuman].Money;
}

void Game::tallyRound(int knocker) {
    if (knocker != kHuman) return;
    if (table.Seats[kHuman].DarkKnocked)
        ++match.Tally.DarkKnocks;
    else
        ++match.Tally.Knocks;
}

void Game::writeToHistory(Match& m, std::string_view result) {
    m.Tally.Open = false;
    if (paths.historyFile.empty()) return;
    const std::int64_t when = historyClock ? historyClock() : std::int64_t(std::time(nullptr));
    const HistoryAppend done = appendHistory(paths.historyFile, historyRecordOf(m, result, when));
    if (done.stuck) {
        if (!HistoryWarningShown)
            readHistoryTelling(paths.historyFile, dialogs);  // says it cannot be read
        HistoryWarningShown = true;
        return;
    }
    // A set-aside file is told every time; a failed write once.
    if (!done.aside.empty() || !HistoryWarningShown)
        tellHistoryAppend(done, paths.historyFile, dialogs);
    if (!done.written) HistoryWarningShown = true;
}

void Game::recordFinishedGame(long best) {
    if (!match.Tally.Open) return;
    writeToHistory(match, decidedResult(match, best));
}

void Game::recordGivenUpGame(Match& m) {
    if (worthKeeping(m)) writeToHistory(m, "gaveup");
    m.Tally.Open = false;
}

}  // namespace vornak
