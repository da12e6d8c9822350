// The game: the orchestration around the functional core.
//
// The state is two values, the table of the round (core/table.h) and the
// game across its rounds (core/match.h). The rules and the computer seats'
// decisions are functions of the table (rules/, ai/), the card moves
// functions on it (rules/cardmoves.h). Game runs the turn sequences, the
// scene, the dialogs, the timers and the records, and calls the core; its
// member functions are implemented in the source files of their subsystem
// (all under game/):
//   game.cpp, deal.cpp, layout.cpp, timers.cpp   start-up, menus, deal, layout, timers
//   play/      the person's turn, the moves as the table shows them, the
//              computer seats' turns (driver), the hint, the lay-down flight
//   results/   end-of-round board and scoring, notebook, levels and money,
//              records, history
//   skins/     table backgrounds
//   panels/    the seat pop-ups
//   savegame.cpp, resume.cpp   the saved game
// The state one subsystem keeps is a small class of that subsystem's
// (flight, notebook, records, skins, the person's modes), held here.
#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/cards.h"
#include "game/interfaces.h"
#include "core/match.h"
#include "core/observer.h"
#include "game/personturn.h"
#include "game/play/flight.h"
#include "game/preferences.h"
#include "core/report.h"
#include "game/savegame.h"
#include "game/scene.h"
#include "game/sequence.h"
#include "core/table.h"
#include "game/results/notebook.h"
#include "game/results/records.h"
#include "game/results/screens.h"
#include "game/skins/skins.h"

namespace vornak {

class FileKeeper;

// Where the program's files are. The shell resolves them (XDG locations and
// the folder of the program's pictures); tests point them at a temporary
// folder.
struct ExpertRequest;
struct ExpertHint;

struct Paths {
    std::string pictureFolder;  // built-in backgrounds and the round-end picture
    std::string skinFile;       // the skin list
    std::string recordsFile;    // the records (best money and time)
    std::string saveFile = {};  // the game in progress; empty: games are not saved

    // Every game played (results/history.h); empty: none are kept.
    std::string historyFile = {};
};

// "85" -> " 85", "-5" -> "-5": numbers as the player sees them.
std::string num(long value);
// Plain decimal, no leading blank.
std::string plain(long value);

class Game {
public:
    Game(Dialogs& dialogs, Random& random, Paths paths);
    Game(const Game&) = delete;
    Game& operator=(const Game&) = delete;
    ~Game();  // waits for the save being written

    Dialogs& dialogs;
    Random& random;
    Paths paths;
    Scene scene;
    Sequencer seq;
    Preferences prefs;
    // Where the Expert thinks; none: on the spot (tests, the simulator).
    Thinker* thinker = nullptr;

    // ---- The two values ----
    Table table;  // the round under way
    Match match;  // the game across its rounds

    // The level as the computer seats' decisions see it.
    Level level() const {
        return Level{match.BeginnerChosen, match.VipChosen, match.DrawHelpLevel,
                     match.ExpertPlayers && !match.MasterPlayers ? 0xEu : 0u,
                     match.MasterPlayers ? 0xEu : 0u};
    }

    // ---- Window-level state ----
    std::array<int, 53> Deck{};
    bool NameHover = false;
    int BlinkPhase = 0;
    std::string Remarks[3][6];

    // The person's turn: the modes of the mouse and the keys.
    PersonModes person;
    // The subsystems' own state.
    LayDownFlight flight;
    NotebookState notebook;
    RecordBook records;
    Skins skins;

    // The statistics and title screens keep the labels the game writes into
    // them between showings.
    StatisticsScreen statistics;
    TitleScreen titleScreen;

    // ---- Helpers ----
    // A random number; `use` names what a number drawn outside the computer
    // seats' decisions is for (tools that log every draw read it).
    double Rnd(const char* use = nullptr) { return drawFor(random, use); }
    void hint(const std::string& text) {
        scene.hintLine.caption = text;
        match.Log.narrate(text);
    }
    void say(int seat, const std::string& text) { hint(match.Players[seat].Name + text); }
    // Makes the per-round arrays of every seat hold round r.
    void ensureRound(int r);
    bool inputBlocked() const { return seq.running() || CardsMoving; }
    // Cards are on their way to their places (play/motion.h): no input acts.
    bool CardsMoving = false;
    // Shows or hides the strip with the hint line; with the hint always
    // shown it stays.
    void showTopPanel(bool shown) { scene.topPanel.visible = shown || prefs.hintAlways; }
    // Puts the person's preferences in force: the pace from the next pause,
    // the opponents from the next decision, the rest at once.
    void applyPreferences(const Preferences& chosen) {
        prefs = chosen;
        match.MasterPlayers = chosen.masterPlayers;
        match.ExpertPlayers = chosen.expertPlayers && !chosen.masterPlayers;
        showTopPanel(scene.topPanel.visible);
    }

    // ==== core/ : start-up, menus, window input ====
    void ProgramStart();    // defaults, random seed, title screen
    void MainWindowLoad();  // skins, name prompt, records, first game
    void StartNewGame();
    void initScene();  // fixed positions and captions of the table
    // Puts another language in force (see core/language.h) and rewrites the
    // texts the table and its screens were given at the start; the texts the
    // game writes as it goes follow from then on. False: the language stays.
    bool switchLanguage(std::string_view code);
    // Window surface input (not on a card picture). Button 1 left, 2 right.
    void windowClick();
    void windowDblClick();
    void windowMouseUp(int button, int x, int y);
    void windowMouseMove(int x, int y);
    void keyPress(int key);
    // Closing: returns true when the program may close.
    bool queryClose();
    void ExitItem_Click();
    void MissionItem_Click();
    void HlpItem_Click();
    void AboutItem_Click();
    void BestTimeItem_Click();
    void saveOnExit();

    // ==== core/ : shuffle and deal ====
    void ShuffleDeck();
    bool DeckIsValid() const;
    int FavouredSeat() const;
    void DealRound();

    // ==== core/ : layout ====
    void LayoutSeatHand(int seat);
    void LayoutTable();

    // ==== core/ : timers ====
    void clockTick();   // clockTimer
    void blinkTick();   // blinkTimer
    void flightStep();  // one step of the lay-down flight
    // The shell calls this when turnTimer fires.
    void turnTimerTick();

    // ==== results/ : round scoring ====
    void ScoreRound();

    // ==== play/ : the person's turn ====
    void cardMouseUp(int code, int button);  // imgCard_MouseUp
    void cardDblClick(int code);             // imgCard_DblClick
    void stockDblClick(int code);            // DeckCard_DblClick
    void stockMouseUp(int code, int button);
    void mnuPlayArrangeCard_Click();
    void mnuPlayShowCard_Click();
    void mnuPlayDrawnCard_Click();
    void showdummyTongItem_Click();
    void showDummyStateItem_Click();
    // Lowers the raised cards of a selection or a swap (the Esc key).
    void dropSelection();
    // ==== play/ : the card moves as the table shows them ====
    // Each makes the move on the table (play/cardmoves.h) and shows it.
    void DrawCard(int seat);
    void TakeFromPile(int seat);
    // The flight of the three Selection cards; `penalised` (bit k for seat
    // k) names the seats whose K the lay-down took.
    Task AnimateLayDown(int penalised);
    void MoveMeldToTable(int seat);
    void LayOff(int seat);
    void LayoutLaidCards(int seat);
    Task EndTurn(int seat);
    void disableAllFaces();

    // ==== play/ : the turn driver ====
    // A computer seat's turn (ai/turn.h), narrated, paused and shown.
    Task ComputerTurn(int seat);
    void StartHumanTurn();  // step H of the turn driver
    // The person's turn was played on the table by other means (the
    // simulator's automated seats): the scene catches up, and the discard
    // noted in the table ends the turn as the person's own would.
    void EndTurnPlayedForPerson();
    // Awaited by a computer turn at an Expert seat's decision: answers the
    // request, on the thinker when there is one (the sequence is held until
    // it is done).
    struct Consult {
        Game& game;
        ExpertRequest& request;
        bool await_ready();
        void await_suspend(std::coroutine_handle<> h);
        void await_resume() const noexcept {}
    };
    Consult consult(ExpertRequest& request) { return Consult{*this, request}; }

    // ==== play/ : the hint ====
    // Play > Hint: shows what the Master would do now in the person's seat,
    // marking the cards and saying it in the hint line; the table is left
    // as it is.
    void HintItem_Click();
    bool hintAvailable() const;
    // Keeps the hint item and the hint's marks in step with the table: the
    // marks go once the cards are no longer where the hint saw them (the
    // shell calls it after every call into the game).
    void refreshHint();
    void clearHint();  // also drops a hint still being thought of
    void showHint(const ExpertHint& h);
    struct HintWork;
    std::shared_ptr<HintWork> hintWork;  // the hint being thought of or shown

    // ==== results/ : board, notebook, levels, money, records ====
    void ShowRoundEndBoard();
    void ContinueAfterRound();
    void UpdateNotebook();
    void ScoreBrdItem_Click();
    void notebookScroll(int index);  // Command2_Click
    void notebookMouseMove(int x, int y);
    void notebookMouseUp(int button, int x, int y);
    void boardPanelMouseMove(int x, int y);
    void boardPanelMouseUp(int button, int x, int y);
    void EndScoreEasy_Click(int index);
    void EndScoreHard_Click(int index);
    void StartBeginnerMission();
    void StartVipMission();
    void ResetGame();
    void showTitleScreen();
    void showEndScreen();
    void ReadRecords();  // the hall of fame's load
    void UpdateRecords();
    void SaveRecords();

    // ==== skins/ ====
    void LoadSkinCatalogue();
    void ApplySkin(int index);
    void ChooseSkin(int index);  // SelectSkinItem_Click
    void SetRandomSkin();        // RandomSkinItem_Click
    void PickRandomSkin();
    void AddSkin();  // AddSkinItem_Click
    void SaveSkinCatalogue();

    // ==== shell pop-ups (seat labels) ====
    void seatNameMouseDown(int seat);  // Label1
    void seatLaidMouseDown(int seat);  // Label4
    void seatLabelMouseUp(int seat);
    void seatNameMouseMove(int seat);
    void seatLaidMouseMove(int seat);

    void writeLevelLabels();  // names, stakes and rates of the level in force

    // ---- What the tools and the tests watch and steer ----
    // Tools that watch the game (the simulator) install an observer; the
    // core reports to it (core/report.h).
    GameObserver* observer = nullptr;
    void report(GameAction action) { vornak::report(watcher(), action); }
    // (game/gamerecord.cpp) What the moves report to: the round's record
    // (match.Log), and through it the tools' observer.
    GameObserver* watcher();
    // A computer seat's turn is under way: the clock stands.
    bool ComputerPlaying = false;
    void FillRemarks();  // the computer seats' remark table

    // (game/resume.cpp) The saved game.
    // Where the game stands when nothing runs: a boundary a save is taken
    // at, or none (a turn under way).
    std::optional<SavePoint> boundary() const;
    // Saves the game at a boundary; a save that fails changes nothing and
    // says nothing: play goes on.
    void saveProgress(SavePoint at);
    // Waits until the saves handed to the writer are on the disk.
    void finishSaving();
    // Puts the saved game on the table and lets it play on.
    bool resumeGame(const SavedGame& saved);
    // The save is written on a thread of its own (the program): the disk's
    // flush never holds up the game. Tests and tools write it at once.
    bool SaveInBackground = false;
    long SavesWritten = 0;  // saves taken since the program started

    // (results/historygame.cpp) The history of games.
    void tallyRound(int knocker);  // a round is scored
    // The time a game ends at, in seconds since 1970; none: the system's.
    std::function<std::int64_t()> historyClock;

private:
    // The save writes and restores the whole game, the private state too.
    friend std::string writeSavedGame(const Game& game, SavePoint point);
    friend bool applySavedGame(Game& game, const SavedGame& saved);

    void setFaceEnabledAll(bool enabled);
    std::unique_ptr<GameObserver> recorder;
    bool StarterHandKey = false;

    // The lay-off, meld or penalty shown: the scene's side of the moves.
    void showLayOff(int seat, int card);
    void showMeld(int seat);
    void showPenalties(int penalised);
    // The round's K and fools go into the game's history.
    void closeRoundHistory();

    void initResultsScene();                  // notebook, board panel and their labels
    void finishGame(long bestComputerRound);  // ContinueAfterRound's game end
    void showNotebookRows();                  // draws only the rows inside the notebook's band
    bool loadRecords(bool lockHeld);          // ReadRecords; false: an unreadable file stays
    void initPanelsScene();                   // the seat pop-up box

    // The game is over or given up: there is nothing to continue.
    void discardSave();
    // At start: a save there is read, and the player is asked whether to go
    // on with it. The save the player chose to continue, or none (none
    // there, a new game chosen, or set aside as unreadable with a message).
    std::optional<SavedGame> offerSavedGame();
    bool SavingOff = false;  // a save that could not be set aside stays as it is
    std::unique_ptr<FileKeeper> saveKeeper_;
    FileKeeper& saveKeeper();

    void openGameTally();                // a game begins: its tally starts
    void recordFinishedGame(long best);  // the game is decided: it goes into the history
    // A game under way is left for another (a new game, a level chosen, a
    // saved game not continued): it goes into the history as given up.
    void recordGivenUpGame(Match& m);
    void writeToHistory(Match& m, std::string_view result);
    bool HistoryWarningShown = false;  // told that the history cannot be written
};

}  // namespace vornak
