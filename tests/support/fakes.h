// Test doubles for the engine's collaborators and a ready-made game.
#pragma once

#include <deque>
#include <filesystem>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "game/game.h"

namespace vornak::test {

// Dialogs that record what was asked and answer from queues. An empty
// queue answers OK / the default text / no file.
class ScriptedDialogs : public Dialogs {
public:
    struct Message {
        std::string text, title;
        MsgButtons buttons;
        MsgIcon icon;
    };
    std::vector<Message> messages;
    std::deque<MsgResult> messageAnswers;

    struct Choice {
        std::string text, title;
        std::vector<std::string> buttons;
    };
    std::vector<Choice> choices;
    std::deque<int> choiceAnswers;  // empty: the first button

    std::vector<std::string> prompts;
    std::deque<std::optional<std::string>> inputAnswers;

    std::vector<std::string> fileDialogs;
    std::deque<std::optional<std::string>> fileAnswers;

    std::vector<PopupMenu> popups;
    // Runs when a menu pops up, e.g. to choose an item of it.
    std::function<void(PopupMenu)> onPopup;

    int titleScreens = 0, statisticsScreens = 0, endScreens = 0, hallOfFames = 0;
    int rulesWindows = 0, aboutWindows = 0, quits = 0;
    std::function<void(TitleScreen&)> onTitleScreen;
    std::function<void(EndScreen&)> onEndScreen;

    MsgResult messageBox(const std::string& text, const std::string& title, MsgButtons buttons,
                         MsgIcon icon) override {
        messages.push_back({text, title, buttons, icon});
        if (messageAnswers.empty()) return MsgResult::Ok;
        auto a = messageAnswers.front();
        messageAnswers.pop_front();
        return a;
    }
    int choose(const std::string& text, const std::string& title,
               const std::vector<std::string>& buttons) override {
        choices.push_back({text, title, buttons});
        if (choiceAnswers.empty()) return 0;
        const int a = choiceAnswers.front();
        choiceAnswers.pop_front();
        return a;
    }
    std::optional<std::string> inputBox(const std::string& prompt, const std::string&,
                                        const std::string& defaultText) override {
        prompts.push_back(prompt);
        if (inputAnswers.empty()) return defaultText;
        auto a = inputAnswers.front();
        inputAnswers.pop_front();
        return a;
    }
    std::optional<std::string> openFile(const std::string& title, const std::string&) override {
        fileDialogs.push_back(title);
        if (fileAnswers.empty()) return std::nullopt;
        auto a = fileAnswers.front();
        fileAnswers.pop_front();
        return a;
    }
    void popupMenu(PopupMenu menu) override {
        popups.push_back(menu);
        if (onPopup) onPopup(menu);
    }
    void showTitleScreen(TitleScreen& s) override {
        ++titleScreens;
        if (onTitleScreen) onTitleScreen(s);
    }
    void showStatisticsScreen(StatisticsScreen&) override { ++statisticsScreens; }
    void showEndScreen(EndScreen& s) override {
        ++endScreens;
        if (onEndScreen) onEndScreen(s);
    }
    void showHallOfFame(HallOfFame&) override { ++hallOfFames; }
    void showRulesWindow() override { ++rulesWindows; }
    void showAboutWindow() override { ++aboutWindows; }
    void quit() override { ++quits; }
};

// Random numbers from a list, then from a seeded generator.
class ListRandom : public Random {
public:
    explicit ListRandom(std::uint64_t seed = 1) : fallback_(seed) {}
    std::deque<double> values;
    int drawn = 0;
    double next() override {
        ++drawn;
        if (values.empty()) return fallback_.next();
        double v = values.front();
        values.pop_front();
        return v;
    }

private:
    SeededRandom fallback_;
};

// A temporary folder removed when the test ends.
class TempDir {
public:
    TempDir();
    ~TempDir();
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;
    const std::filesystem::path& path() const { return path_; }
    std::string file(const std::string& name) const { return (path_ / name).string(); }

private:
    std::filesystem::path path_;
};

// A game with scripted dialogs, list-then-seeded random numbers and its files
// in a temporary folder. Nothing has run yet: call what the test needs
// (for example `game.DealRound()` after setting up seats).
struct TestTable {
    explicit TestTable(std::uint64_t seed = 1);
    TempDir dir;
    ScriptedDialogs dialogs;
    ListRandom random;
    Game game;

    // Sets up a game at the Beginner mission level with names, money and
    // per-round arrays, as the program has it before its first deal.
    void setUpGame();
    // Puts the given cards into a seat's hand (seat 0: the stock).
    void setHand(int seat, const std::string& cards);
    void setPile(const std::string& cards);  // the table's pile, bottom first
    void setLaid(int seat, const std::string& cards);
};

// The codes of a seat's hand as notation, e.g. "3H 4H 5H".
std::string handText(const CardList& cards);
// Cards in notation as a list: cards("3H 4H 5H").
CardList cards(std::string_view text);
// The meld three cards in notation make: meld("3H 4H 5H").
Meld meld(std::string_view text);
// A freshly dealt table from a seeded shuffle, seat 1 to play first.
Table dealt(std::uint64_t seed);

// Every card the seat has not seen (the other hands, save what they are
// known to hold, and the stock) shuffled among the same places: a player
// that never peeks decides the same on both tables.
Table permuteUnseen(const Table& t, int seat, std::uint64_t seed);

}  // namespace vornak::test
