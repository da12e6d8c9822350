// Recording the rounds and their lines in the saved game.
#include "core/roundlog.h"

#include <algorithm>
#include <charconv>
#include <cstring>
#include <string_view>

#include "core/cards.h"

namespace vornak {

namespace {

std::size_t at(int i) {
    return static_cast<std::size_t>(i);
}

bool validSeat(int s) {
    return s >= 1 && s <= 4;
}

// ---- Text ----

void put(std::string& out, long long v) {
    char buf[24];
    const auto r = std::to_chars(buf, buf + sizeof buf, v);
    out += ' ';
    out.append(buf, r.ptr);
}

// A text as one token: blanks, controls, '%', quotes and backslashes as %XX.
void putText(std::string& out, std::string_view s, std::size_t limit = 1000) {
    out += ' ';
    if (s.empty()) {
        out += '%';
        return;
    }
    // Cut at a character's start, not inside a UTF-8 sequence.
    if (s.size() > limit) {
        std::size_t n = limit;
        while (n > 0 && (static_cast<unsigned char>(s[n]) & 0xC0) == 0x80) --n;
        s = s.substr(0, n);
    }
    static const char kHex[] = "0123456789ABCDEF";
    for (const char c : s) {
        const auto u = static_cast<unsigned char>(c);
        if (u <= 0x20 || u == 0x7F || c == '%' || c == '"' || c == '\\') {
            out += '%';
            out += kHex[u >> 4];
            out += kHex[u & 15];
        } else {
            out += c;
        }
    }
}

void putCards(std::string& out, const std::vector<int>& cards) {
    put(out, static_cast<long long>(cards.size()));
    for (int c : cards) put(out, c);
}

void putTable(std::string& out, const Table& t) {
    for (const SeatRec& s : t.Seats) {
        putCards(out, s.Cards.toVector());
        putCards(out, s.PileCards.toVector());
        for (bool b : {s.StillClosed, s.HasLaidDown, s.Knocked, s.Discarded, s.DarkKnocked})
            put(out, b ? 1 : 0);
        put(out, s.MeldCount);
        put(out, s.K);
        put(out, s.Fooled ? 1 : 0);
        put(out, s.GotFool ? 1 : 0);
        for (int m : s.MeldStarts) put(out, m);
    }
    putCards(out, t.SetLayOffCards.toVector());
    putCards(out, t.RunLayOffCards.toVector());
    put(out, t.CurrentSeat);
    put(out, t.TurnForward ? 1 : 0);
    put(out, t.RoundOver ? 1 : 0);
    for (const auto* f : {&t.FeedsClubsRun, &t.FeedsTwos, &t.FeedsQueens, &t.FeedsTenToQueen,
                          &t.FeedsJackToKing, &t.FeedsQueenToAce})
        for (bool b : *f) put(out, b ? 1 : 0);
    for (std::uint64_t m : t.TakenFromPile) put(out, static_cast<long long>(m));
}

struct Bad {};

class Tokens {
public:
    explicit Tokens(std::string_view s) : rest_(s) {}
    std::string_view token() {
        if (rest_.empty() || rest_[0] != ' ') throw Bad{};
        rest_.remove_prefix(1);
        const auto n = std::min(rest_.find(' '), rest_.size());
        const std::string_view t = rest_.substr(0, n);
        rest_.remove_prefix(n);
        if (t.empty()) throw Bad{};
        return t;
    }
    long long num(long long lo, long long hi) {
        const std::string_view t = token();
        long long v = 0;
        const auto r = std::from_chars(t.data(), t.data() + t.size(), v);
        if (r.ec != std::errc() || r.ptr != t.data() + t.size() || v < lo || v > hi) throw Bad{};
        return v;
    }
    int inum(int lo, int hi) { return static_cast<int>(num(lo, hi)); }
    bool flag() { return num(0, 1) == 1; }
    std::string text() {
        const std::string_view t = token();
        std::string out;
        if (t == "%") return out;
        for (std::size_t i = 0; i < t.size(); ++i) {
            if (t[i] != '%') {
                out += t[i];
                continue;
            }
            unsigned v = 0;
            if (i + 2 >= t.size()) throw Bad{};
            const auto r = std::from_chars(t.data() + i + 1, t.data() + i + 3, v, 16);
            if (r.ec != std::errc() || r.ptr != t.data() + i + 3) throw Bad{};
            out += static_cast<char>(v);
            i += 2;
        }
        return out;
    }
    std::vector<int> cards(int lo = 1) {
        const int n = inum(0, kMaxCards);
        std::vector<int> v;
        for (int i = 0; i < n; ++i) v.push_back(inum(lo, 52));
        return v;
    }
    void end() const {
        if (!rest_.empty()) throw Bad{};
    }

private:
    std::string_view rest_;
};

void readTable(Tokens& in, Table& t) {
    t = Table{};
    for (SeatRec& s : t.Seats) {
        s.Cards.assign(in.cards());
        s.PileCards.assign(in.cards());
        s.StillClosed = in.flag();
        s.HasLaidDown = in.flag();
        s.Knocked = in.flag();
        s.Discarded = in.flag();
        s.DarkKnocked = in.flag();
        s.MeldCount = in.inum(0, 1000);
        s.K = in.inum(-1000, 1000);
        s.Fooled = in.flag();
        s.GotFool = in.flag();
        for (int& m : s.MeldStarts) m = in.inum(0, kMaxCards);
    }
    t.SetLayOffCards.assign(in.cards());
    t.RunLayOffCards.assign(in.cards());
    t.CurrentSeat = in.inum(0, 5);
    t.TurnForward = in.flag();
    t.RoundOver = in.flag();
    for (auto* f : {&t.FeedsClubsRun, &t.FeedsTwos, &t.FeedsQueens, &t.FeedsTenToQueen,
                    &t.FeedsJackToKing, &t.FeedsQueenToAce})
        for (bool& b : *f) b = in.flag();
    for (std::uint64_t& m : t.TakenFromPile)
        m = static_cast<std::uint64_t>(in.num(0, (1LL << 53) - 1));
    // Each card in one place at most.
    std::uint64_t seen = 0;
    for (const SeatRec& s : t.Seats)
        for (const CardList* l : {&s.Cards, &s.PileCards})
            for (int i = 1; i <= l->count; ++i) {
                const std::uint64_t b = std::uint64_t{1} << (*l)[i];
                if (seen & b) throw Bad{};
                seen |= b;
            }
}

void headLine(std::string& out, const RoundRecord& r) {
    put(out, r.round);
    put(out, r.level.beginner ? 1 : 0);
    put(out, r.level.vip ? 1 : 0);
    put(out, r.level.drawHelp);
    put(out, r.level.expertSeats);
    for (int s = 1; s <= 4; ++s) putText(out, r.names[at(s)], 200);
    putText(out, r.dealt, 400);
    putTable(out, r.start);
}

std::string stepLine(const RoundStep& s) {
    std::string out = "S";
    put(out, static_cast<int>(s.kind));
    put(out, s.seat);
    put(out, s.position);
    put(out, s.onRun ? 1 : 0);
    put(out, s.dark ? 1 : 0);
    put(out, s.laidDown ? 1 : 0);
    putCards(out, s.cards);
    putCards(out, s.hand);
    putCards(out, s.laid);
    putText(out, s.said);
    return out;
}

RoundStep readStep(Tokens& in) {
    RoundStep s;
    s.kind = static_cast<RoundStep::Kind>(in.inum(0, static_cast<int>(RoundStep::Kind::Knock)));
    s.seat = in.inum(1, 4);
    s.position = in.inum(0, kMaxCards);
    s.onRun = in.flag();
    s.dark = in.flag();
    s.laidDown = in.flag();
    s.cards = in.cards();
    s.hand = in.cards();
    s.laid = in.cards();
    s.said = in.text();
    in.end();
    return s;
}

RoundRecord readHead(Tokens& in) {
    RoundRecord r;
    r.round = in.inum(1, 1000000);
    r.level.beginner = in.flag();
    r.level.vip = in.flag();
    r.level.drawHelp = in.inum(0, 9);
    r.level.expertSeats = static_cast<unsigned>(in.inum(0, 31));
    for (int s = 1; s <= 4; ++s) r.names[at(s)] = in.text();
    r.dealt = in.text();
    readTable(in, r.start);
    in.end();
    return r;
}

// Whether a narration line is a seat's: the table starts it with the
// seat's name.
bool namesSeat(const RoundRecord& r, int seat, const std::string& line) {
    const std::string& name = r.names[at(seat)];
    return !name.empty() && line.compare(0, name.size(), name) == 0;
}

}  // namespace

bool RoundRecord::operator==(const RoundRecord& o) const {
    return round == o.round && samePosition(start, o.start) && steps == o.steps &&
           names == o.names && level.beginner == o.level.beginner && level.vip == o.level.vip &&
           level.drawHelp == o.level.drawHelp && level.expertSeats == o.level.expertSeats &&
           dealt == o.dealt;
}

bool samePosition(const Table& a, const Table& b) {
    auto sameList = [](const CardList& x, const CardList& y) {
        return x.toVector() == y.toVector();
    };
    for (std::size_t s = 0; s <= 4; ++s) {
        const SeatRec& x = a.Seats[s];
        const SeatRec& y = b.Seats[s];
        if (!sameList(x.Cards, y.Cards) || !sameList(x.PileCards, y.PileCards)) return false;
        if (x.StillClosed != y.StillClosed || x.HasLaidDown != y.HasLaidDown ||
            x.Knocked != y.Knocked || x.Discarded != y.Discarded ||
            x.DarkKnocked != y.DarkKnocked || x.MeldCount != y.MeldCount || x.K != y.K ||
            x.Fooled != y.Fooled || x.GotFool != y.GotFool || x.MeldStarts != y.MeldStarts)
            return false;
    }
    return sameList(a.SetLayOffCards, b.SetLayOffCards) &&
           sameList(a.RunLayOffCards, b.RunLayOffCards) && a.CurrentSeat == b.CurrentSeat &&
           a.TurnForward == b.TurnForward && a.RoundOver == b.RoundOver &&
           a.FeedsClubsRun == b.FeedsClubsRun && a.FeedsTwos == b.FeedsTwos &&
           a.FeedsQueens == b.FeedsQueens && a.FeedsTenToQueen == b.FeedsTenToQueen &&
           a.FeedsJackToKing == b.FeedsJackToKing && a.FeedsQueenToAce == b.FeedsQueenToAce &&
           a.TakenFromPile == b.TakenFromPile;
}

// ---- Recording ----

void RoundLog::record(const Table& t, const GameAction& a, int round,
                      const std::array<std::string, 5>& names, const Level& level) {
    if (a.kind == "deal") {
        std::erase_if(rounds, [round](const RoundRecord& r) { return r.round >= round; });
        current.emplace();
        current->round = round;
        current->start = t;
        current->names = names;
        current->level = level;
        current->level.drawHelp = std::clamp(level.drawHelp, 0, 9);
        current->level.expertSeats &= 31u;
        current->dealt = line_;
        open_ = false;
        return;
    }
    if (!current || !validSeat(a.seat)) return;
    RoundStep s;
    if (a.kind == "draw")
        s.kind = RoundStep::Kind::Draw;
    else if (a.kind == "pick")
        s.kind = RoundStep::Kind::Pick;
    else if (a.kind == "meld")
        s.kind = RoundStep::Kind::Meld;
    else if (a.kind == "layoff")
        s.kind = RoundStep::Kind::LayOff;
    else if (a.kind == "discard")
        s.kind = RoundStep::Kind::Discard;
    else if (a.kind == "knock")
        s.kind = RoundStep::Kind::Knock;
    else
        return;  // the round's end is told by roundEnded()
    s.seat = a.seat;
    s.cards = a.cards;
    s.position = a.position;
    s.onRun = a.detail == "run";
    s.dark = a.detail == "dark";
    const SeatRec& me = t.Seats[at(a.seat)];
    s.hand = me.Cards.toVector();
    s.laid = me.PileCards.toVector();
    s.laidDown = me.HasLaidDown;
    // A line that does not name the seat is not of its move: the person's
    // discard comes under the hint that asked for it.
    if (namesSeat(*current, a.seat, line_)) s.said = line_;
    current->steps.push_back(std::move(s));
    open_ = true;
}

void RoundLog::narrate(const std::string& line) {
    line_ = line;
    if (!open_ || !current || current->steps.empty()) return;
    // The line a seat's move brings is said after the move (a computer seat
    // draws, then the table says so).
    RoundStep& last = current->steps.back();
    if (namesSeat(*current, last.seat, line)) {
        last.said = line;
        open_ = false;
    }
}

void RoundLog::roundEnded() {
    if (current) rounds.push_back(std::move(*current));
    current.reset();
    open_ = false;
}

const RoundRecord* RoundLog::find(int round) const {
    for (const RoundRecord& r : rounds)
        if (r.round == round) return &r;
    return nullptr;
}

std::vector<std::string> RoundLog::lines() const {
    // A saved game stays far below the largest the game reads back: past
    // this many bytes the oldest rounds are left out.
    constexpr std::size_t kMaxBytes = 400000;
    std::vector<std::string> out;
    auto add = [&out](const RoundRecord& r, const char* head) {
        std::string h = head;
        headLine(h, r);
        out.push_back(std::move(h));
        for (const RoundStep& s : r.steps) out.push_back(stepLine(s));
    };
    if (current) add(*current, "C");
    std::size_t bytes = 0;
    for (const std::string& l : out) bytes += l.size();
    for (auto r = rounds.rbegin(); r != rounds.rend(); ++r) {
        std::vector<std::string> one;
        std::swap(one, out);
        add(*r, "R");
        std::size_t more = 0;
        for (const std::string& l : out) more += l.size();
        if (bytes + more > kMaxBytes) {
            out = std::move(one);
            break;
        }
        bytes += more;
        out.insert(out.end(), one.begin(), one.end());
    }
    return out;
}

bool RoundLog::parse(const std::vector<std::string>& lines) {
    RoundLog log;
    try {
        RoundRecord* into = nullptr;
        for (const std::string& l : lines) {
            if (l.empty()) throw Bad{};
            Tokens in(std::string_view(l).substr(1));
            if (l[0] == 'R' || l[0] == 'C') {
                if (log.current) throw Bad{};  // the round under way comes last
                RoundRecord r = readHead(in);
                if (l[0] == 'R') {
                    log.rounds.push_back(std::move(r));
                    into = &log.rounds.back();
                } else {
                    log.current = std::move(r);
                    into = &*log.current;
                }
            } else if (l[0] == 'S' && into != nullptr) {
                into->steps.push_back(readStep(in));
            } else {
                throw Bad{};
            }
        }
    } catch (const Bad&) {
        return false;
    }
    rounds = std::move(log.rounds);
    current = std::move(log.current);
    open_ = false;
    return true;
}

bool RoundLog::operator==(const RoundLog& o) const {
    return rounds == o.rounds && current == o.current;
}

}  // namespace vornak