// The one game state and every procedure that changes it.
//
// The state is public: the procedures of every subsystem read and write it
// in place, and tests inspect it directly. Procedures keep the names the
// game's rules use (DealRound, EndTurn, ScoreRound, ...); the member
// functions are implemented in the source files of their subsystem:
//   core/     start-up, menus, deal, layout, timers
//   rules/    meld and lay-off rules, round scoring
//   play/     the person's turn and the card moves shared by every seat
//   ai/       the computer seats
//   results/  end-of-round board, notebook, levels and money, records
//   skins/    table backgrounds
#pragma once

#include <array>
#include <memory>
#include <string>
#include <vector>

#include "core/cards.h"
#include "core/interfaces.h"
#include "core/observer.h"
#include "core/scene.h"
#include "core/sequence.h"
#include "results/screens.h"

namespace vornak {

constexpr int kHuman = 4;
constexpr int kMaxCards = 52;  // no hand or pile can hold more

// A list of card codes used from index 1 to `count`, as the game's records
// keep them. It holds any number of cards up to 52; out-of-range access
// reads 0 and writes are ignored, so no edge of the data model can corrupt
// memory.
class CardList {
public:
    int count = 0;

    int& operator[](int i) {
        if (i < 0 || i > kMaxCards) {
            scratch_ = 0;
            return scratch_;
        }
        return cards_[static_cast<std::size_t>(i)];
    }
    int operator[](int i) const {
        return (i < 0 || i > kMaxCards) ? 0 : cards_[static_cast<std::size_t>(i)];
    }
    int top() const { return (*this)[count]; }
    void push(int code) {
        if (count < kMaxCards) cards_[static_cast<std::size_t>(++count)] = code;
    }
    void clear() {
        cards_.fill(0);
        count = 0;
    }
    bool contains(int code) const {
        for (int i = 1; i <= count; ++i)
            if ((*this)[i] == code) return true;
        return false;
    }
    // Position 1..count of the code, 0 when absent.
    int find(int code) const {
        for (int i = 1; i <= count; ++i)
            if ((*this)[i] == code) return i;
        return 0;
    }
    std::vector<int> toVector() const {
        return std::vector<int>(cards_.begin() + 1, cards_.begin() + 1 + count);
    }
    void assign(const std::vector<int>& codes) {
        clear();
        for (int c : codes) push(c);
    }

private:
    std::array<int, kMaxCards + 1> cards_{};
    int scratch_ = 0;
};

// Seats[0] is the table: Cards = the stock (top = last), PileCards = the
// pile (bottom first). Seats[1..4] are the players: Cards = the hand in
// display order, PileCards = the cards laid face up this round.
struct SeatRec {
    CardList Cards;      // Cards.count is the seat's CardCount
    CardList PileCards;  // PileCards.count is the seat's PileCount
    int& CardCount() { return Cards.count; }
    int CardCount() const { return Cards.count; }
    int& PileCount() { return PileCards.count; }
    int PileCount() const { return PileCards.count; }

    bool StillClosed = true;
    std::string Name;
    long Money = 0;
    bool HasLaidDown = false;
    bool Knocked = false;
    bool Discarded = false;
    bool DarkKnocked = false;
    // Per-round arrays, indexed by RoundNumber from 1; they grow on demand
    // (see Game::ensureRound).
    std::vector<int> RoundK;
    std::vector<long> RoundPoints;
    std::vector<bool> RoundGotFool;
    std::vector<bool> RoundFooled;
    int DiscardOnThreeCount = 0;
    int DummyDiscardCount = 0;
    long TotalPoints = 0;
    int MeldCount = 0;
    std::array<int, 21> MeldStarts{};  // 1..20
};

struct PlayLogRec {
    int EntryCount = 0;                   // keeps counting past 12
    std::array<std::string, 13> Entries;  // 1..12
};

// Where the program's files are. The shell resolves them (XDG locations and
// the folder of the program's pictures); tests point them at a temporary
// folder.
struct Paths {
    std::string pictureFolder;  // built-in backgrounds and the round-end picture
    std::string skinFile;       // the skin list
    std::string recordsFile;    // the records (best money and time)
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

    Dialogs& dialogs;
    Random& random;
    Paths paths;
    Scene scene;
    Sequencer seq;

    // ---- Program-level state ----
    int RoundNumber = 0;
    bool RoundOver = false;
    bool TargetReached = false;
    bool TurnForward = true;
    bool MissionMode = true;
    bool BeginnerChosen = false, VipChosen = false;
    int PointTarget = 300;
    long KBaht = 500, FoolBaht = 500, BahtPerPoint = 10, MarkRateA = 0, MarkRateB = 0;
    bool GameOver = false, GameWon = false;
    long MoneyAtRoundStart = 0;
    long ElapsedSeconds = 0;
    int ClockHours = 0, ClockMinutes = 0, ClockSeconds = 0;
    long ThinkDelayBase = 1000;
    long FlightStep = 100;
    std::string PlayerName;
    std::string FinalTime;
    long MissionPot = 0;

    // ---- Window-level state ----
    std::array<SeatRec, 5> Seats;
    std::array<int, 53> Deck{};
    int CurrentSeat = 0;
    int SelectedCard = 0;
    std::array<int, 4> Selection{};           // 1..3
    CardList SetLayOffCards, RunLayOffCards;  // counts are SetLayOffCount, RunLayOffCount
    int PreparedRunLength = 3;
    int DrawHelpLevel = 5;
    bool GiveStarterHand = false;
    bool StarterHandKey = false;
    std::array<PlayLogRec, 5> PlayLogs;
    bool NameHover = false;
    int BlinkPhase = 0;
    int FlightX = 0, FlightY = 0;
    double FlightHeading = 0;
    int FlightRight = kClientWidth, FlightBottom = kClientHeight, FlightLeft = 0, FlightTop = 0;
    int FlightTicks = 0;
    std::string Remarks[3][6];

    // Speto feed flags, per seat 1..4.
    std::array<bool, 5> FeedsClubsRun{}, FeedsTwos{}, FeedsQueens{}, FeedsTenToQueen{},
        FeedsJackToKing{}, FeedsQueenToAce{};

    // The person's turn.
    bool DrawPhase = false, PilePickMode = false, ArrangeMode = false, DiscardMode = false,
         LayDownMode = false, PlayMenuOn = false, ArrangeFirstChosen = false;
    int ArrangeFirstPos = 0;
    int SelectionCount = 0;
    bool LayOffKindSet = false, LayOffKindRun = false;
    bool DarkKnockReady = false;
    int PickedCard = 0;
    bool PickFromPile = false;
    int PickIndex = 0;
    int PileCountAtTurnStart = 0;
    bool LayDownDone = false;
    int LayOffPos = 0, LayOffCard = 0;
    bool LayOffOnRun = false;
    bool MeldNow = false;

    // Notebook.
    long NotebookScroll = 0, NotebookRows = 0;

    // Records.
    std::array<std::string, 16> RecordLines;                    // 1..15
    std::array<long, 4> MoneyRecordFloor{}, TimeRecordFloor{};  // 1..3

    // Skins.
    int SkinCount = 0, CurrentSkin = 5;
    bool RandomSkinOn = false;
    std::array<std::string, 16> SkinPaths, SkinNames;  // 1..15
    std::string CurrentSkinPath;

    // The statistics and title screens keep the labels the game writes into
    // them between showings.
    StatisticsScreen statistics;
    TitleScreen titleScreen;

    // ---- Helpers ----
    // A random number; `use` names what a number drawn outside the computer
    // seats' decisions is for (tools that log every draw read it).
    double Rnd(const char* use = nullptr) {
        randomUse = use;
        return random.next();
    }
    const char* randomUse = nullptr;
    void hint(const std::string& text) { scene.hintLine.caption = text; }
    void say(int seat, const std::string& text) { hint(Seats[seat].Name + text); }
    // Makes the per-round arrays of every seat hold round r.
    void ensureRound(int r);
    bool inputBlocked() const { return seq.running(); }

    // ==== core/ : start-up, menus, window input ====
    void ProgramStart();    // defaults, random seed, title screen
    void MainWindowLoad();  // skins, name prompt, records, first game
    void StartNewGame();
    void initScene();  // fixed positions and captions of the table
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

    // ==== rules/ : melds and lay-offs (pure over the state) ====
    bool IsSet(int c1, int c2, int c3) const;
    bool IsRun(int c1, int c2, int c3) const;
    bool IsMeld(int c1, int c2, int c3) const { return IsSet(c1, c2, c3) || IsRun(c1, c2, c3); }
    void SortSelection();
    bool CheckLaidMeld(int c1, int c2, int c3) const;
    bool CanPickFromPile(int position) const;
    void AddLayOffTargets();
    void AddRunLayOffNeighbours(int code);  // after a lay-off onto a run
    bool IsSpetoPartner(int discard, int pileCard) const;
    bool RaisesSpetoWarning(int discard) const;  // against the pile
    bool IsDummyCard(int code) const;

    // ==== rules/ : round scoring ====
    void ScoreRound();
    void ScoreSeat(int seat);
    void SortPileCards(int seat);

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
    // ==== play/ : card moves shared by every seat ====
    void DrawCard(int seat);
    void TakeFromPile(int seat);
    Task AnimateLayDown();
    void MoveMeldToTable(int seat);
    void LayOff(int seat);
    void LayoutLaidCards(int seat);
    Task EndTurn(int seat);
    void CheckDarkKnock(int seat);
    void disableAllFaces();

    // ==== ai/ : computer seats ====
    Task ComputerTurn(int seat);
    void StartHumanTurn();  // step H of the turn driver
    void ChoosePilePick(int seat);
    bool FindMeldInHand(int seat);
    bool FindLayOff(int seat);
    bool FindSetLayOff(int seat);
    void ArrangeHand(int seat);
    void DecideMeldAtFive(int seat);
    void DecideMeldAtFour(int seat);
    void ChooseDiscard(int seat);
    void PrepareDarkKnock(int seat);
    // A whole turn in a test: runs ComputerTurn's sequence to its end.

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

    // ---- Area-private helpers: add declarations only in your area's block ----
    // [core]
    void setFaceEnabledAll(bool enabled);
    // Tools that watch the game (the simulator) install an observer.
    GameObserver* observer = nullptr;
    void report(GameAction action) {
        if (observer) observer->action(action);
    }
    // Reports a decision's start on construction and its end on destruction.
    struct DecisionScope {
        Game& game;
        const char* name;
        int seat;
        int result = 0;
        DecisionScope(Game& g, const char* n, int s) : game(g), name(n), seat(s) {
            if (game.observer) game.observer->decisionStarts(name, seat);
        }
        ~DecisionScope() {
            if (game.observer) game.observer->decisionEnds(name, seat, result);
        }
        DecisionScope(const DecisionScope&) = delete;
        DecisionScope& operator=(const DecisionScope&) = delete;
    };
    // [rules]
    // [play]
    // [ai]
    // A computer seat's turn is under way: the clock stands.
    bool ComputerPlaying = false;
    void FillRemarks();                        // the computer seats' remark table
    Task MeldLoop(int seat);                   // lay down every meld found, keeping 3 cards
    void LayOffLoop(int seat, bool setsOnly);  // lay off every card that fits
    Task LayDownSelection();                   // AnimateLayDown until LayDownDone
    // [results]
    void initResultsScene();                  // notebook, board panel and their labels
    void finishGame(long bestComputerRound);  // ContinueAfterRound's game end
    void showNotebookRows();                  // draws only the rows inside the notebook's band
    void writeLevelLabels();                  // names, stakes and rates of the level in force
    // [skins]
    void initPanelsScene();  // the seat pop-up box
};

}  // namespace vornak
