// Writing, reading and applying the saved game.
#include "game/savegame.h"

#include <algorithm>
#include <charconv>
#include <cstdint>
#include <cstdio>
#include <random>
#include <sstream>

#include "game/game.h"

namespace vornak {

namespace {

// ---- What of the scene is kept, in the order it is written ----

// How many of each the lists below hold: the version fixes them.
constexpr std::size_t kSavedLabels = 92, kSavedImages = 6, kSavedMenus = 17, kSavedTimers = 3;

std::vector<Label*> savedLabels(Game& g) {
    Scene& s = g.scene;
    std::vector<Label*> out;
    auto seats = [&out](Label* array) {
        for (int i = 1; i <= 4; ++i) out.push_back(&array[i]);
    };
    seats(s.seatName);
    out.push_back(&s.stockCount);
    seats(s.boardHandName);
    seats(s.boardLaidName);
    seats(s.resultLine);
    seats(s.panelName);
    seats(s.panelTitle);
    seats(s.panelPoints);
    seats(s.panelK);
    seats(s.panelFooled);
    seats(s.panelGotFool);
    for (Label* l :
         {&s.targetLine, &s.ratesLine, &s.clockLabel, &s.moneyLabel, &s.levelLabel, &s.hintLine})
        out.push_back(l);
    seats(s.notebookHeading);
    seats(s.notebookTotal);
    StatisticsScreen& st = g.statistics;
    for (Label* array :
         {st.name, st.points, st.money, st.k, st.gotFool, st.fooled, st.dummy, st.onThree})
        seats(array);
    for (Label& l : g.titleScreen.stakeLabel) out.push_back(&l);
    out.push_back(&g.titleScreen.moneyLabel);
    return out;
}

std::vector<bool*> savedImages(Game& g) {
    Scene& s = g.scene;
    return {&s.forwardIcon.visible,    &s.backwardIcon.visible, &s.skinOverlay.visible,
            &s.noKnockPicture.visible, &s.boardPanel.visible,   &s.notebook.visible};
}

std::vector<MenuItem*> savedMenus(Game& g) {
    Menus& m = g.scene.menus;
    return {&m.mnuGame,         &m.mnuPlay,          &m.mnuHelp,           &m.mnuPlayArrangeCard,
            &m.mnuPlayShowCard, &m.mnuPlayDrawnCard, &m.showdummyTongItem, &m.showDummyStateItem,
            &m.ScoreBrdItem,    &m.EndScoreEasy[1],  &m.EndScoreEasy[2],   &m.EndScoreEasy[3],
            &m.EndScoreHard[1], &m.EndScoreHard[2],  &m.EndScoreHard[3],   &m.MissionItem,
            &m.VIPLevelItem};
}

std::vector<TimerRecord*> savedTimers(Game& g) {
    return {&g.scene.turnTimer, &g.scene.clockTimer, &g.scene.blinkTimer};
}

const char* pointName(SavePoint p) {
    switch (p) {
        case SavePoint::BetweenTurns:
            return "between";
        case SavePoint::PersonToPlay:
            return "person";
        case SavePoint::RoundBoard:
            return "board";
    }
    return "";
}

std::uint64_t fnv1a(std::string_view text) {
    std::uint64_t h = 0xcbf29ce484222325ULL;
    for (const char c : text) {
        h ^= static_cast<unsigned char>(c);
        h *= 0x100000001b3ULL;
    }
    return h;
}

// ---- Writing ----

class Writer {
public:
    Writer& key(std::string_view k) {
        out_ += k;
        return *this;
    }
    Writer& num(long long v) {
        char buf[24];
        const auto r = std::to_chars(buf, buf + sizeof buf, v);
        out_ += ' ';
        out_.append(buf, r.ptr);
        return *this;
    }
    Writer& flag(bool b) { return num(b ? 1 : 0); }
    Writer& str(std::string_view s) {
        out_ += " \"";
        for (const char c : s) {
            const auto u = static_cast<unsigned char>(c);
            if (c == '"' || c == '\\') {
                out_ += '\\';
                out_ += c;
            } else if (u < 0x20 || u == 0x7F) {
                static const char kHex[] = "0123456789abcdef";
                out_ += "\\x";
                out_ += kHex[u >> 4];
                out_ += kHex[u & 15];
            } else {
                out_ += c;
            }
        }
        out_ += '"';
        return *this;
    }
    Writer& cards(const CardList& list) {
        int last = list.count;
        for (int i = kMaxCards; i > last; --i)
            if (list[i] != 0) last = i;
        num(list.count).num(last);
        for (int i = 0; i <= last; ++i) num(list[i]);
        return *this;
    }
    void end() { out_ += '\n'; }
    std::string& text() { return out_; }

private:
    std::string out_;
};

// ---- Reading ----

struct Bad {
    std::string why;
};

// The values of one line after its key.
class Fields {
public:
    Fields(std::string_view key, std::string_view rest) : key_(key), rest_(rest) {}

    long long num(long long lo, long long hi) {
        const std::string_view t = token();
        long long v = 0;
        const auto r = std::from_chars(t.data(), t.data() + t.size(), v);
        if (r.ec != std::errc() || r.ptr != t.data() + t.size() || (t.size() > 1 && t[0] == '0'))
            bad("not a number");
        if (v < lo || v > hi) bad("out of range");
        return v;
    }
    int inum(int lo, int hi) { return static_cast<int>(num(lo, hi)); }
    bool flag() { return num(0, 1) == 1; }
    std::string str() {
        if (rest_.size() < 2 || rest_[0] != ' ' || rest_[1] != '"') bad("text expected");
        rest_.remove_prefix(2);
        std::string out;
        for (;;) {
            if (rest_.empty()) bad("unended text");
            const char c = rest_[0];
            rest_.remove_prefix(1);
            if (c == '"') break;
            if (c != '\\') {
                out += c;
                continue;
            }
            if (rest_.empty()) bad("unended text");
            const char e = rest_[0];
            rest_.remove_prefix(1);
            if (e == '"' || e == '\\') {
                out += e;
            } else if (e == 'x' && rest_.size() >= 2) {
                unsigned v = 0;
                const auto r = std::from_chars(rest_.data(), rest_.data() + 2, v, 16);
                if (r.ec != std::errc() || r.ptr != rest_.data() + 2) bad("bad escape");
                out += static_cast<char>(v);
                rest_.remove_prefix(2);
            } else {
                bad("bad escape");
            }
            if (out.size() > 4096) bad("text too long");
        }
        return out;
    }
    void cards(CardList& list) {
        list.clear();
        const int count = inum(0, kMaxCards);
        const int last = inum(count, kMaxCards);
        for (int i = 0; i <= last; ++i) list[i] = inum(0, 52);
        list.count = count;
    }
    void end() {
        if (!rest_.empty()) bad("more values than expected");
    }
    [[noreturn]] void bad(const char* what) const { throw Bad{std::string(key_) + ": " + what}; }

private:
    std::string_view token() {
        if (rest_.empty() || rest_[0] != ' ') bad("value missing");
        rest_.remove_prefix(1);
        const auto n = std::min(rest_.find(' '), rest_.size());
        const std::string_view t = rest_.substr(0, n);
        rest_.remove_prefix(n);
        if (t.empty()) bad("value missing");
        return t;
    }

    std::string_view key_;
    std::string_view rest_;
};

class Reader {
public:
    explicit Reader(std::string_view body) : rest_(body) {}
    Fields line(std::string_view key) {
        const auto nl = rest_.find('\n');
        if (nl == std::string_view::npos) throw Bad{"cut short before " + std::string(key)};
        const std::string_view l = rest_.substr(0, nl);
        rest_.remove_prefix(nl + 1);
        if (l.substr(0, key.size()) != key || (l.size() > key.size() && l[key.size()] != ' '))
            throw Bad{"expected " + std::string(key)};
        return Fields(key, l.substr(key.size()));
    }
    void end() {
        if (!rest_.empty()) throw Bad{"lines after the last value"};
    }
    // Whether the next line has this key (a line later versions added).
    bool next(std::string_view key) const {
        return rest_.substr(0, key.size()) == key &&
               (rest_.size() == key.size() || rest_[key.size()] == ' ' ||
                rest_[key.size()] == '\n');
    }

private:
    std::string_view rest_;
};

constexpr long long kMoney = 1'000'000'000'000LL;  // no game comes near
constexpr long long kPoints = 1'000'000'000LL;
constexpr int kMaxRounds = 10000;

bool validRandomState(const std::string& state) {
    std::istringstream in(state);
    std::mt19937_64 engine;
    in >> engine;
    if (in.fail()) return false;
    in >> std::ws;
    return in.eof();
}

void checkCards(const SavedGame& s) {
    std::array<int, 53> seen{};
    auto note = [&seen](int c) {
        if (c < 1 || c > 52) throw Bad{"a card place holds no card"};
        if (++seen[static_cast<std::size_t>(c)] > 1) throw Bad{"a card lies in two places"};
    };
    for (const SeatRec& seat : s.table.Seats) {
        for (int i = 1; i <= seat.Cards.count; ++i) note(seat.Cards[i]);
        for (int i = 1; i <= seat.PileCards.count; ++i) note(seat.PileCards[i]);
    }
    // The board has taken the top card off the pile to show it alone.
    const CardList& pile = s.table.Seats[0].PileCards;
    if (s.point == SavePoint::RoundBoard && pile.count < kMaxCards && pile[pile.count + 1] != 0)
        note(pile[pile.count + 1]);
    for (int c = 1; c <= 52; ++c)
        if (seen[static_cast<std::size_t>(c)] != 1) throw Bad{"a card is missing"};
}

void readBody(Reader& r, SavedGame& s) {
    {
        Fields f = r.line("point");
        const std::string p = f.str();
        if (p == "between")
            s.point = SavePoint::BetweenTurns;
        else if (p == "person")
            s.point = SavePoint::PersonToPlay;
        else if (p == "board")
            s.point = SavePoint::RoundBoard;
        else
            f.bad("unknown point");
        f.end();
    }
    {
        Fields f = r.line("random");
        s.randomState = f.str();
        f.end();
        if (!validRandomState(s.randomState)) f.bad("not a generator's state");
    }

    // The round's table.
    Table& t = s.table;
    for (std::size_t i = 0; i <= 4; ++i) {
        SeatRec& seat = t.Seats[i];
        Fields f = r.line("seat");
        if (f.inum(0, 4) != static_cast<int>(i)) f.bad("seats out of order");
        seat.StillClosed = f.flag();
        seat.HasLaidDown = f.flag();
        seat.Knocked = f.flag();
        seat.Discarded = f.flag();
        seat.DarkKnocked = f.flag();
        seat.MeldCount = f.inum(0, kMaxCards);
        seat.K = f.inum(-1000, 1000);
        seat.Fooled = f.flag();
        seat.GotFool = f.flag();
        f.cards(seat.Cards);
        f.cards(seat.PileCards);
        for (int& start : seat.MeldStarts) start = f.inum(0, kMaxCards);
        f.end();
    }
    {
        Fields f = r.line("layoffs");
        f.cards(t.SetLayOffCards);
        f.cards(t.RunLayOffCards);
        f.end();
    }
    {
        Fields f = r.line("turn");
        t.CurrentSeat = f.inum(0, 5);
        t.TurnForward = f.flag();
        t.RoundOver = f.flag();
        t.PickFromPile = f.flag();
        t.PickIndex = f.inum(0, kMaxCards);
        t.PickedCard = f.inum(0, 52);
        t.PileCountAtTurnStart = f.inum(0, kMaxCards);
        for (int& c : t.Selection) c = f.inum(0, 52);
        t.SelectedCard = f.inum(0, kMaxCards);
        t.LayOffPos = f.inum(0, kMaxCards);
        t.LayOffCard = f.inum(0, 52);
        t.LayOffOnRun = f.flag();
        t.MeldNow = f.flag();
        t.DarkKnockReady = f.flag();
        f.end();
    }
    {
        Fields f = r.line("feeds");
        for (auto* flags : {&t.FeedsClubsRun, &t.FeedsTwos, &t.FeedsQueens, &t.FeedsTenToQueen,
                            &t.FeedsJackToKing, &t.FeedsQueenToAce})
            for (bool& b : *flags) b = f.flag();
        for (std::uint64_t& mask : t.TakenFromPile)
            mask = static_cast<std::uint64_t>(f.num(0, (1LL << 53) - 1));
        f.end();
    }

    // The match.
    Match& m = s.match;
    {
        Fields f = r.line("game");
        m.RoundNumber = f.inum(0, kMaxRounds);
        m.TargetReached = f.flag();
        m.MissionMode = f.flag();
        m.BeginnerChosen = f.flag();
        m.VipChosen = f.flag();
        m.PointTarget = f.inum(1, 1'000'000);
        m.KBaht = static_cast<long>(f.num(-kMoney, kMoney));
        m.FoolBaht = static_cast<long>(f.num(-kMoney, kMoney));
        m.BahtPerPoint = static_cast<long>(f.num(-kMoney, kMoney));
        m.MarkRateA = static_cast<long>(f.num(-kMoney, kMoney));
        m.MarkRateB = static_cast<long>(f.num(-kMoney, kMoney));
        m.PreparedRunLength = f.inum(0, 10);
        m.DrawHelpLevel = f.inum(0, 9);
        m.GiveStarterHand = f.flag();
        // The opponents: 0 the rules', 1 the Expert (the old flag), 2 the Master.
        const int opponents = f.inum(0, 2);
        m.ExpertPlayers = opponents == 1;
        m.MasterPlayers = opponents == 2;
        m.GameOver = f.flag();
        m.GameWon = f.flag();
        m.MoneyAtRoundStart = static_cast<long>(f.num(-kMoney, kMoney));
        m.MissionPot = static_cast<long>(f.num(-kMoney, kMoney));
        f.end();
    }
    {
        Fields f = r.line("clock");
        m.ElapsedSeconds = static_cast<long>(f.num(0, kMoney));
        m.ClockHours = f.inum(0, 1'000'000'000);
        m.ClockMinutes = f.inum(0, 59);
        m.ClockSeconds = f.inum(0, 59);
        m.PlayerName = f.str();
        m.FinalTime = f.str();
        f.end();
    }
    for (std::size_t i = 0; i <= 4; ++i) {
        Player& p = m.Players[i];
        Fields f = r.line("player");
        if (f.inum(0, 4) != static_cast<int>(i)) f.bad("players out of order");
        p.Name = f.str();
        p.Money = static_cast<long>(f.num(-kMoney, kMoney));
        p.TotalPoints = static_cast<long>(f.num(-kPoints, kPoints));
        p.DiscardOnThreeCount = f.inum(0, 1'000'000);
        p.DummyDiscardCount = f.inum(0, 1'000'000);
        const int size = f.inum(i == 0 ? 0 : m.RoundNumber + 1, kMaxRounds + 1);
        const int entries = f.inum(0, size);
        f.end();
        const auto n = static_cast<std::size_t>(size);
        p.RoundK.assign(n, 0);
        p.RoundPoints.assign(n, 0);
        p.RoundGotFool.assign(n, false);
        p.RoundFooled.assign(n, false);
        int previous = -1;
        for (int e = 0; e < entries; ++e) {
            Fields h = r.line("round");
            const int at = h.inum(previous + 1, size - 1);
            previous = at;
            const auto k = static_cast<std::size_t>(at);
            p.RoundK[k] = h.inum(-1000, 1000);
            p.RoundPoints[k] = static_cast<long>(h.num(-kPoints, kPoints));
            p.RoundGotFool[k] = h.flag();
            p.RoundFooled[k] = h.flag();
            h.end();
        }
    }
    for (PlayLogRec& log : m.PlayLogs) {
        Fields f = r.line("plays");
        log.EntryCount = f.inum(0, 1'000'000);
        for (std::size_t e = 1; e < log.Entries.size(); ++e) log.Entries[e] = f.str();
        f.end();
    }

    // Outside the two values.
    {
        Fields f = r.line("person");
        PersonModes& p = s.person;
        for (bool* b : {&p.DrawPhase, &p.PilePickMode, &p.ArrangeMode, &p.DiscardMode,
                        &p.LayDownMode, &p.PlayMenuOn, &p.ArrangeFirstChosen})
            *b = f.flag();
        p.ArrangeFirstPos = f.inum(0, kMaxCards);
        p.SelectionCount = f.inum(0, 3);
        p.LayOffKindSet = f.flag();
        p.LayOffKindRun = f.flag();
        p.LayDownDone = f.flag();
        f.end();
    }
    {
        Fields f = r.line("notebook");
        s.NotebookRows = static_cast<long>(f.num(0, kMaxRounds + 1));
        s.NotebookScroll = static_cast<long>(f.num(-kMaxRounds, kMaxRounds));
        f.end();
    }
    {
        Fields f = r.line("skin");
        s.CurrentSkin = f.inum(1, 15);
        s.RandomSkinOn = f.flag();
        s.CurrentSkinPath = f.str();
        f.end();
    }

    // What the table shows.
    SavedScene& sc = s.scene;
    {
        Fields f = r.line("window");
        sc.cursor = static_cast<Cursor>(f.inum(0, static_cast<int>(Cursor::NoDrop)));
        sc.backColor = static_cast<Color>(f.num(0, 0xFFFFFF));
        sc.background = f.str();
        sc.zCounter = static_cast<long>(f.num(0, kMoney));
        f.end();
    }
    for (auto* pictures : {&sc.faces, &sc.backs}) {
        Fields f = r.line(pictures == &sc.faces ? "faces" : "backs");
        for (std::size_t c = 1; c <= 52; ++c) {
            CardPicture& p = (*pictures)[c];
            p.left = f.inum(-1'000'000, 1'000'000);
            p.top = f.inum(-1'000'000, 1'000'000);
            p.visible = f.flag();
            p.enabled = f.flag();
            p.z = static_cast<long>(f.num(0, sc.zCounter));
        }
        f.end();
    }
}

// The scene part whose length follows the program's lists, and the checks
// that tie the values together.
// The rounds' moves (version 2 on). Lines the log cannot take leave the
// game without them: its rounds then cannot be looked back on.
void readRoundLog(Reader& r, SavedGame& s) {
    Fields f = r.line("review");
    const int n = f.inum(0, 1000000);
    f.end();
    std::vector<std::string> lines;
    for (int i = 0; i < n; ++i) {
        Fields g = r.line("move");
        lines.push_back(g.str());
        g.end();
    }
    if (!s.match.Log.parse(lines)) s.match.Log = RoundLog{};
}

void readScene(Reader& r, SavedGame& s, long long version) {
    SavedScene& sc = s.scene;
    const std::size_t labels = kSavedLabels, images = kSavedImages, menus = kSavedMenus,
                      timers = kSavedTimers;
    sc.labels.resize(labels);
    for (SavedScene::Text& t : sc.labels) {
        Fields f = r.line("label");
        t.visible = f.flag();
        t.color = static_cast<Color>(f.num(0, 0xFFFFFF));
        t.caption = f.str();
        t.tooltip = f.str();
        f.end();
    }
    {
        Fields f = r.line("shown");
        sc.images.resize(images);
        for (std::size_t i = 0; i < images; ++i) sc.images[i] = f.flag();
        f.end();
    }
    sc.menus.resize(menus);
    for (MenuItem& m : sc.menus) {
        Fields f = r.line("menu");
        m.checked = f.flag();
        m.enabled = f.flag();
        m.caption = f.str();
        f.end();
    }
    {
        Fields f = r.line("timers");
        sc.timers.resize(timers);
        for (std::size_t i = 0; i < timers; ++i) sc.timers[i] = f.flag();
        f.end();
    }
    {
        Fields f = r.line("rows");
        const int n = f.inum(0, kMaxRounds + 1);
        sc.scrollUp = f.flag();
        sc.scrollDown = f.flag();
        f.end();
        sc.rows.resize(static_cast<std::size_t>(n));
        for (SavedScene::Row& row : sc.rows) {
            Fields g = r.line("row");
            row.top = g.inum(-100'000'000, 100'000'000);
            for (std::string& c : row.captions) c = g.str();
            g.end();
        }
    }
    // The history's tally of the game; a save without it is counted from
    // what the match shows.
    GameTally& tally = s.match.Tally;
    if (r.next("tally")) {
        Fields f = r.line("tally");
        tally.Open = f.flag();
        tally.Vip = f.flag();
        tally.Mission = f.flag();
        tally.Target = f.inum(0, 1'000'000);
        tally.StartMoney = static_cast<long>(f.num(-kMoney, kMoney));
        tally.Knocks = f.inum(0, kMaxRounds);
        tally.DarkKnocks = f.inum(0, kMaxRounds);
        f.end();
    } else {
        const Match& m = s.match;
        tally = GameTally{
            true, m.VipChosen, m.MissionMode, m.PointTarget,
            m.MissionMode ? m.Players[kHuman].Money : (m.PointTarget < 1000 ? 8000 : 12000)};
    }
    if (version >= 2) readRoundLog(r, s);
    r.end();

    checkCards(s);
    const Table& t = s.table;
    const bool turnTimer = sc.timers.empty() ? false : sc.timers[0];
    switch (s.point) {
        case SavePoint::PersonToPlay:
            if (t.RoundOver || t.CurrentSeat != kHuman || !s.person.DrawPhase || turnTimer)
                throw Bad{"the person's turn does not stand as it begins"};
            break;
        case SavePoint::BetweenTurns:
            if (t.RoundOver || !turnTimer) throw Bad{"no turn comes next"};
            break;
        case SavePoint::RoundBoard:
            if (!t.RoundOver) throw Bad{"the round is not over"};
            break;
    }
}

}  // namespace

std::string writeSavedGame(const Game& constGame, SavePoint point) {
    // The lists of the scene's parts are shared by reading and writing;
    // nothing is changed here.
    Game& g = const_cast<Game&>(constGame);
    const std::string randomState = g.random.state();
    if (randomState.empty()) return {};
    if (savedLabels(g).size() != kSavedLabels || savedImages(g).size() != kSavedImages ||
        savedMenus(g).size() != kSavedMenus || savedTimers(g).size() != kSavedTimers)
        return {};

    Writer w;
    w.key(kSaveMagic).end();
    w.key("version").num(kSaveVersion).end();
    w.key("point").str(pointName(point)).end();
    w.key("random").str(randomState).end();

    const Table& t = g.table;
    for (std::size_t i = 0; i <= 4; ++i) {
        const SeatRec& seat = t.Seats[i];
        w.key("seat").num(static_cast<long long>(i)).flag(seat.StillClosed).flag(seat.HasLaidDown);
        w.flag(seat.Knocked).flag(seat.Discarded).flag(seat.DarkKnocked).num(seat.MeldCount);
        w.num(seat.K).flag(seat.Fooled).flag(seat.GotFool).cards(seat.Cards).cards(seat.PileCards);
        for (int start : seat.MeldStarts) w.num(start);
        w.end();
    }
    w.key("layoffs").cards(t.SetLayOffCards).cards(t.RunLayOffCards).end();
    w.key("turn").num(t.CurrentSeat).flag(t.TurnForward).flag(t.RoundOver).flag(t.PickFromPile);
    w.num(t.PickIndex).num(t.PickedCard).num(t.PileCountAtTurnStart);
    for (int c : t.Selection) w.num(c);
    w.num(t.SelectedCard).num(t.LayOffPos).num(t.LayOffCard).flag(t.LayOffOnRun).flag(t.MeldNow);
    w.flag(t.DarkKnockReady).end();
    w.key("feeds");
    for (const auto* flags : {&t.FeedsClubsRun, &t.FeedsTwos, &t.FeedsQueens, &t.FeedsTenToQueen,
                              &t.FeedsJackToKing, &t.FeedsQueenToAce})
        for (bool b : *flags) w.flag(b);
    for (std::uint64_t mask : t.TakenFromPile) w.num(static_cast<long long>(mask));
    w.end();

    const Match& m = g.match;
    w.key("game").num(m.RoundNumber).flag(m.TargetReached).flag(m.MissionMode);
    w.flag(m.BeginnerChosen).flag(m.VipChosen).num(m.PointTarget).num(m.KBaht).num(m.FoolBaht);
    w.num(m.BahtPerPoint).num(m.MarkRateA).num(m.MarkRateB).num(m.PreparedRunLength);
    w.num(m.DrawHelpLevel).flag(m.GiveStarterHand);
    w.num(m.MasterPlayers ? 2 : m.ExpertPlayers ? 1 : 0).flag(m.GameOver);
    w.flag(m.GameWon).num(m.MoneyAtRoundStart).num(m.MissionPot).end();
    w.key("clock").num(m.ElapsedSeconds).num(m.ClockHours).num(m.ClockMinutes);
    w.num(m.ClockSeconds).str(m.PlayerName).str(m.FinalTime).end();
    for (std::size_t i = 0; i <= 4; ++i) {
        const Player& p = m.Players[i];
        const std::size_t size = p.RoundK.size();
        // Only the rounds with something in them are written.
        std::vector<std::size_t> used;
        for (std::size_t r = 0; r < size; ++r) {
            const bool any = p.RoundK[r] != 0 || (r < p.RoundPoints.size() && p.RoundPoints[r]) ||
                             (r < p.RoundGotFool.size() && p.RoundGotFool[r]) ||
                             (r < p.RoundFooled.size() && p.RoundFooled[r]);
            if (any) used.push_back(r);
        }
        w.key("player").num(static_cast<long long>(i)).str(p.Name).num(p.Money).num(p.TotalPoints);
        w.num(p.DiscardOnThreeCount).num(p.DummyDiscardCount);
        w.num(static_cast<long long>(size)).num(static_cast<long long>(used.size())).end();
        for (std::size_t r : used) {
            w.key("round").num(static_cast<long long>(r)).num(p.RoundK[r]);
            w.num(r < p.RoundPoints.size() ? p.RoundPoints[r] : 0);
            w.flag(r < p.RoundGotFool.size() && p.RoundGotFool[r]);
            w.flag(r < p.RoundFooled.size() && p.RoundFooled[r]).end();
        }
    }
    for (const PlayLogRec& log : m.PlayLogs) {
        w.key("plays").num(log.EntryCount);
        for (std::size_t e = 1; e < log.Entries.size(); ++e) w.str(log.Entries[e]);
        w.end();
    }

    w.key("person").flag(g.person.DrawPhase).flag(g.person.PilePickMode).flag(g.person.ArrangeMode);
    w.flag(g.person.DiscardMode)
        .flag(g.person.LayDownMode)
        .flag(g.person.PlayMenuOn)
        .flag(g.person.ArrangeFirstChosen);
    w.num(g.person.ArrangeFirstPos)
        .num(g.person.SelectionCount)
        .flag(g.person.LayOffKindSet)
        .flag(g.person.LayOffKindRun);
    w.flag(g.person.LayDownDone).end();
    w.key("notebook").num(g.notebook.rows).num(g.notebook.scroll).end();
    w.key("skin").num(g.skins.current).flag(g.skins.random).str(g.skins.shownPath).end();

    const Scene& sc = g.scene;
    w.key("window").num(static_cast<int>(sc.windowCursor)).num(sc.backColor);
    w.str(sc.backgroundPicture).num(sc.zCounter).end();
    for (const CardPicture* pictures : {sc.cardFace, sc.cardBack}) {
        w.key(pictures == sc.cardFace ? "faces" : "backs");
        for (int c = 1; c <= 52; ++c) {
            const CardPicture& p = pictures[c];
            w.num(p.left).num(p.top).flag(p.visible).flag(p.enabled).num(p.z);
        }
        w.end();
    }
    for (const Label* l : savedLabels(g))
        w.key("label").flag(l->visible).num(l->foreColor).str(l->caption).str(l->tooltip).end();
    w.key("shown");
    for (const bool* b : savedImages(g)) w.flag(*b);
    w.end();
    for (const MenuItem* item : savedMenus(g))
        w.key("menu").flag(item->checked).flag(item->enabled).str(item->caption).end();
    w.key("timers");
    for (const TimerRecord* timer : savedTimers(g)) w.flag(timer->enabled);
    w.end();
    const std::size_t rows = sc.notebookRound.empty() ? 0 : sc.notebookRound.size() - 1;
    w.key("rows").num(static_cast<long long>(rows)).flag(sc.notebookScrollUp.enabled);
    w.flag(sc.notebookScrollDown.enabled).end();
    for (std::size_t r = 1; r <= rows; ++r) {
        w.key("row").num(sc.notebookRound[r].rect.top).str(sc.notebookRound[r].caption);
        for (int s = 1; s <= 4; ++s) {
            const auto& cells = sc.notebookCell[s];
            w.str(r < cells.size() ? cells[r].caption : std::string());
        }
        w.end();
    }
    const GameTally& tally = g.match.Tally;
    w.key("tally").flag(tally.Open).flag(tally.Vip).flag(tally.Mission).num(tally.Target);
    w.num(tally.StartMoney).num(tally.Knocks).num(tally.DarkKnocks).end();

    const std::vector<std::string> moves = g.match.Log.lines();
    w.key("review").num(static_cast<long long>(moves.size())).end();
    for (const std::string& line : moves) w.key("move").str(line).end();

    char check[40];
    std::snprintf(check, sizeof check, "check %016llx\n",
                  static_cast<unsigned long long>(fnv1a(w.text())));
    w.text() += check;
    return std::move(w.text());
}

SaveRead readSavedGame(std::string_view text) {
    SaveRead result;
    long long readVersion = 0;
    try {
        // The magic line is the whole first line.
        if (text.substr(0, kSaveMagic.size() + 1) != std::string(kSaveMagic) + "\n")
            throw Bad{"not a saved game"};
        Reader head(text.substr(kSaveMagic.size() + 1));
        {
            Fields f = head.line("version");
            const long long version = f.num(0, 1'000'000'000);
            f.end();
            if (version > kSaveVersion) {
                result.status = SaveRead::Status::Newer;
                result.why = "version " + std::to_string(version);
                return result;
            }
            if (version < 1) throw Bad{"unknown version"};
            readVersion = version;
        }
        // The checksum line is the last one and covers everything before it.
        if (text.empty() || text.back() != '\n') throw Bad{"cut short"};
        const auto lastStart = text.rfind('\n', text.size() - 2);
        if (lastStart == std::string_view::npos) throw Bad{"cut short"};
        const std::string_view body = text.substr(0, lastStart + 1);
        const std::string_view last = text.substr(lastStart + 1, text.size() - lastStart - 2);
        char expected[40];
        std::snprintf(expected, sizeof expected, "check %016llx",
                      static_cast<unsigned long long>(fnv1a(body)));
        if (last.substr(0, 6) != "check ") throw Bad{"cut short"};
#ifndef FUZZING_BUILD_MODE_UNSAFE_FOR_PRODUCTION
        if (last != expected) throw Bad{"checksum does not match"};
#endif

        Reader r(body);
        r.line(kSaveMagic).end();
        r.line("version");
        readBody(r, result.game);
        readScene(r, result.game, readVersion);
        result.status = SaveRead::Status::Read;
    } catch (const Bad& bad) {
        result.status = SaveRead::Status::Corrupt;
        result.why = bad.why;
        result.game = SavedGame{};
    }
    return result;
}

bool applySavedGame(Game& g, const SavedGame& s) {
    if (!g.random.restore(s.randomState)) return false;
    g.seq.cancel();
    g.table = s.table;
    g.match = s.match;
    g.ensureRound(g.match.RoundNumber);

    g.person = s.person;
    g.ComputerPlaying = false;
    g.notebook.rows = s.NotebookRows;
    g.notebook.scroll = s.NotebookScroll;

    // The skin in force; the catalogue is the player's own, as read at start.
    Scene& sc = g.scene;
    g.skins.current = s.CurrentSkin;
    g.skins.random = s.RandomSkinOn;
    g.skins.shownPath = s.CurrentSkinPath;
    for (int i = 1; i <= 15; ++i)
        sc.menus.SelectSkinItem[i].checked = !s.RandomSkinOn && i == s.CurrentSkin;
    sc.menus.RandomSkinItem.checked = s.RandomSkinOn;

    const SavedScene& saved = s.scene;
    sc.windowCursor = saved.cursor;
    sc.backColor = saved.backColor;
    sc.backgroundPicture = saved.background;
    sc.zCounter = saved.zCounter;
    for (std::size_t c = 1; c <= 52; ++c) {
        sc.cardFace[c] = saved.faces[c];
        sc.cardBack[c] = saved.backs[c];
    }
    const auto labels = savedLabels(g);
    for (std::size_t i = 0; i < labels.size() && i < saved.labels.size(); ++i) {
        labels[i]->visible = saved.labels[i].visible;
        labels[i]->foreColor = saved.labels[i].color;
        labels[i]->caption = saved.labels[i].caption;
        labels[i]->tooltip = saved.labels[i].tooltip;
    }
    const auto images = savedImages(g);
    for (std::size_t i = 0; i < images.size() && i < saved.images.size(); ++i)
        *images[i] = saved.images[i];
    const auto menus = savedMenus(g);
    for (std::size_t i = 0; i < menus.size() && i < saved.menus.size(); ++i) {
        menus[i]->caption = saved.menus[i].caption;
        menus[i]->checked = saved.menus[i].checked;
        menus[i]->enabled = saved.menus[i].enabled;
    }
    const auto timers = savedTimers(g);
    for (std::size_t i = 0; i < timers.size() && i < saved.timers.size(); ++i)
        timers[i]->enabled = saved.timers[i];
    sc.flightTimer.enabled = false;
    sc.boardCloseMark.visible = false;
    sc.notebookCloseMark.visible = false;

    // The notebook's rows, each a copy of its template where it stood.
    sc.notebookRound.resize(1);
    for (auto& cells : sc.notebookCell) cells.resize(1);
    for (const SavedScene::Row& row : saved.rows) {
        auto add = [&row](std::vector<Label>& rows, const std::string& caption) {
            Label l = rows.front();
            l.rect.top = row.top;
            l.caption = caption;
            rows.push_back(l);
        };
        add(sc.notebookRound, row.captions[0]);
        for (int seat = 1; seat <= 4; ++seat)
            add(sc.notebookCell[seat], row.captions[static_cast<std::size_t>(seat)]);
    }
    g.showNotebookRows();
    sc.notebookScrollUp.enabled = saved.scrollUp;
    sc.notebookScrollDown.enabled = saved.scrollDown;
    g.showTopPanel(false);
    return true;
}

}  // namespace vornak
