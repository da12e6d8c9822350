// The history file: reading, appending, setting aside, and its figures.
#include "game/results/history.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <array>
#include <cerrno>
#include <charconv>
#include <cstdio>
#include <ctime>
#include <filesystem>
#include <cstdlib>
#include <map>
#include <optional>
#include <tuple>

#include "game/files.h"
#include "core/i18n.h"
#include "game/interfaces.h"

namespace vornak {

namespace {

// Ten thousand games take about a megabyte.
constexpr std::size_t kMaxHistoryBytes = 64u << 20;

enum Column {
    kDate,
    kPlayer,
    kLevel,
    kMode,
    kTarget,
    kOpponents,
    kResult,
    kRounds,
    kPoints,
    kMoney,
    kKnocks,
    kDarkKnocks,
    kFooled,
    kFoolsWon,
    kSeconds,
    kColumnCount
};

std::vector<std::string> splitColumns(std::string_view header) {
    std::vector<std::string> out;
    std::size_t start = 0;
    for (;;) {
        const std::size_t comma = header.find(',', start);
        out.emplace_back(
            header.substr(start, comma == std::string_view::npos ? header.npos : comma - start));
        if (comma == std::string_view::npos) break;
        start = comma + 1;
    }
    return out;
}

const std::vector<std::string>& columnNames() {
    static const std::vector<std::string> names = splitColumns(kHistoryColumns);
    return names;
}

// A field as CSV writes it: quoted when it holds a comma, a quote or blanks
// at its ends; a line break inside would start a new game, it is a blank.
std::string csvField(std::string_view text) {
    std::string clean(text);
    for (char& c : clean)
        if (c == '\r' || c == '\n') c = ' ';
    const bool quote = clean.find_first_of(",\"") != std::string::npos ||
                       (!clean.empty() && (clean.front() == ' ' || clean.back() == ' '));
    if (!quote) return clean;
    std::string out = "\"";
    for (char c : clean) {
        if (c == '"') out += '"';
        out += c;
    }
    return out + '"';
}

// The fields of one CSV line (without its line end); false when a quote is
// left open.
bool csvFields(std::string_view line, std::vector<std::string>& out) {
    out.clear();
    std::size_t i = 0;
    for (;;) {
        std::string field;
        if (i < line.size() && line[i] == '"') {
            ++i;
            for (;;) {
                if (i >= line.size()) return false;
                if (line[i] == '"') {
                    if (i + 1 < line.size() && line[i + 1] == '"') {
                        field += '"';
                        i += 2;
                        continue;
                    }
                    ++i;
                    break;
                }
                field += line[i++];
            }
            if (i < line.size() && line[i] != ',') return false;
        } else {
            const std::size_t comma = std::min(line.find(',', i), line.size());
            field.assign(line.substr(i, comma - i));
            i = comma;
        }
        out.push_back(std::move(field));
        if (i >= line.size()) return true;
        ++i;  // the comma
    }
}

template <typename T>
bool number(std::string_view text, T& out) {
    if (!text.empty() && text.front() == '+') text.remove_prefix(1);
    const auto r = std::from_chars(text.data(), text.data() + text.size(), out);
    return r.ec == std::errc() && r.ptr == text.data() + text.size() && !text.empty();
}

bool isWord(std::string_view text) {
    if (text.empty() || text.size() > 32) return false;
    return std::all_of(text.begin(), text.end(), [](char c) {
        return (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '-' || c == '_';
    });
}

// Days since 1970-01-01 of a civil date (proleptic Gregorian).
std::int64_t daysFromCivil(std::int64_t y, unsigned m, unsigned d) {
    y -= m <= 2;
    const std::int64_t era = (y >= 0 ? y : y - 399) / 400;
    const auto yoe = static_cast<unsigned>(y - era * 400);
    const unsigned doy = (153 * (m + (m > 2 ? -3 : 9)) + 2) / 5 + d - 1;
    const unsigned doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
    return era * 146097 + static_cast<std::int64_t>(doe) - 719468;
}

// The columns of a header line, or none when it is not a history's header.
std::optional<std::array<int, kColumnCount>> headerColumns(std::string_view line) {
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    const auto found = splitColumns(line);
    std::array<int, kColumnCount> at{};
    for (int c = 0; c < kColumnCount; ++c) {
        const auto it = std::find(found.begin(), found.end(), columnNames()[std::size_t(c)]);
        if (it == found.end()) return std::nullopt;
        at[std::size_t(c)] = static_cast<int>(it - found.begin());
    }
    return at;
}

std::optional<GameRecord> parseGame(std::string_view line, const std::array<int, kColumnCount>& at,
                                    std::vector<std::string>& fields) {
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    if (!csvFields(line, fields)) return std::nullopt;
    for (int c : at)
        if (std::size_t(c) >= fields.size()) return std::nullopt;
    auto f = [&](Column c) -> const std::string& {
        return fields[std::size_t(at[std::size_t(c)])];
    };
    GameRecord g;
    g.player = f(kPlayer);
    for (char& c : g.player)
        if (c == '\r') c = ' ';  // as it is written
    g.level = f(kLevel);
    g.mode = f(kMode);
    g.opponents = f(kOpponents);
    g.result = f(kResult);
    const bool ok = parseHistoryTime(f(kDate), g.when, g.utcOffset) && isWord(g.level) &&
                    isWord(g.mode) && isWord(g.opponents) && isWord(g.result) &&
                    number(f(kTarget), g.target) && number(f(kRounds), g.rounds) &&
                    number(f(kPoints), g.points) && number(f(kMoney), g.money) &&
                    number(f(kKnocks), g.knocks) && number(f(kDarkKnocks), g.darkKnocks) &&
                    number(f(kFooled), g.fooled) && number(f(kFoolsWon), g.foolsWon) &&
                    number(f(kSeconds), g.seconds);
    if (!ok) return std::nullopt;
    return g;
}

std::string lockPathOf(const std::string& path) {
    return path + ".lock";
}

bool writeAll(int fd, std::string_view text) {
    while (!text.empty()) {
        const ssize_t n = ::write(fd, text.data(), text.size());
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) return false;
        text.remove_prefix(static_cast<std::size_t>(n));
    }
    return true;
}

int syncRetrying(int fd) {
    int result;
    do {
        result = ::fsync(fd);
    } while (result != 0 && errno == EINTR);
    return result;
}

// The length of the file up to its last line end: what a crash left of a
// line after it is not a game.
off_t wholeLinesLength(int fd, off_t size) {
    char buffer[4096];
    off_t end = size;
    while (end > 0) {
        const off_t start = std::max<off_t>(0, end - off_t(sizeof buffer));
        const auto want = static_cast<std::size_t>(end - start);
        const ssize_t n = ::pread(fd, buffer, want, start);
        if (n != static_cast<ssize_t>(want)) return -1;
        for (std::size_t i = want; i-- > 0;)
            if (buffer[i] == '\n') return start + off_t(i) + 1;
        end = start;
    }
    return 0;
}

// What stands at the path, looked at under the lock before an append.
enum class Found { Nothing, Empty, History, TornHeader, Unreadable };

Found lookAt(const std::string& path) {
    const FileText head = readSmallFile(path, 4096);
    if (head.state == FileText::State::Missing) return Found::Nothing;
    if (head.state == FileText::State::Unreadable) return Found::Unreadable;
    if (head.text.empty()) return Found::Empty;
    const std::size_t nl = head.text.find('\n');
    if (nl == std::string::npos) {
        // The first write of the file (its header and first game) was cut.
        const std::string header = historyHeader();
        if (head.complete && header.compare(0, head.text.size(), head.text) == 0)
            return Found::TornHeader;
        return Found::Unreadable;
    }
    return headerColumns(std::string_view(head.text).substr(0, nl)) ? Found::History
                                                                    : Found::Unreadable;
}

constexpr const char* kWarningTitle = N_("คำเตือน");

}  // namespace

std::string historyHeader() {
    return std::string(kHistoryColumns) + "\n";
}

std::string historyLine(const GameRecord& g) {
    std::string line = historyTime(g.when, g.utcOffset);
    for (const std::string* word : {&g.player, &g.level, &g.mode}) line += "," + csvField(*word);
    line += "," + std::to_string(g.target) + "," + csvField(g.opponents) + "," + csvField(g.result);
    for (long v : {long(g.rounds), g.points, g.money, long(g.knocks), long(g.darkKnocks),
                   long(g.fooled), long(g.foolsWon), g.seconds})
        line += "," + std::to_string(v);
    return line + "\n";
}

int localUtcOffset(std::int64_t when) {
    const auto t = static_cast<std::time_t>(when);
    std::tm local{};
    if (!::localtime_r(&t, &local)) return 0;
    return static_cast<int>(local.tm_gmtoff);
}

std::string historyTime(std::int64_t when, int utcOffset) {
    const auto t = static_cast<std::time_t>(when + utcOffset);
    std::tm tm{};
    ::gmtime_r(&t, &tm);
    const int off = std::abs(utcOffset) / 60;
    char text[80];
    std::snprintf(text, sizeof text, "%04d-%02d-%02d %02d:%02d:%02d%c%02d:%02d", tm.tm_year + 1900,
                  tm.tm_mon + 1, tm.tm_mday, tm.tm_hour, tm.tm_min, tm.tm_sec,
                  utcOffset < 0 ? '-' : '+', off / 60, off % 60);
    return text;
}

bool parseHistoryTime(std::string_view s, std::int64_t& when, int& utcOffset) {
    // YYYY-MM-DD HH:MM:SS+HH:MM
    if (s.size() != 25 || s[4] != '-' || s[7] != '-' || (s[10] != ' ' && s[10] != 'T') ||
        s[13] != ':' || s[16] != ':' || (s[19] != '+' && s[19] != '-') || s[22] != ':')
        return false;
    auto part = [&s](std::size_t at, std::size_t len, int& out) {
        return number(s.substr(at, len), out) && s[at] != '+' && s[at] != '-';
    };
    int y, mo, d, h, mi, se, oh, om;
    if (!part(0, 4, y) || !part(5, 2, mo) || !part(8, 2, d) || !part(11, 2, h) ||
        !part(14, 2, mi) || !part(17, 2, se) || !part(20, 2, oh) || !part(23, 2, om))
        return false;
    if (mo < 1 || mo > 12 || d < 1 || d > 31 || h > 23 || mi > 59 || se > 60 || oh > 14 || om > 59)
        return false;
    utcOffset = (s[19] == '-' ? -1 : 1) * (oh * 3600 + om * 60);
    when =
        daysFromCivil(y, unsigned(mo), unsigned(d)) * 86400 + h * 3600 + mi * 60 + se - utcOffset;
    return true;
}

HistoryText parseHistory(std::string_view text) {
    HistoryText out;
    // Only whole lines count: what follows the last line end was cut short.
    const std::size_t lastEnd = text.rfind('\n');
    if (lastEnd == std::string_view::npos) {
        // An empty file, or one whose first write was cut: no games yet.
        const std::string header = historyHeader();
        if (!text.empty() && header.compare(0, text.size(), text) != 0)
            out.status = HistoryText::Status::NotHistory;
        return out;
    }
    text = text.substr(0, lastEnd + 1);
    const std::size_t firstEnd = text.find('\n');
    const auto at = headerColumns(text.substr(0, firstEnd));
    if (!at) {
        out.status = HistoryText::Status::NotHistory;
        return out;
    }
    std::vector<std::string> fields;
    std::size_t start = firstEnd + 1;
    while (start < text.size()) {
        const std::size_t end = text.find('\n', start);
        const std::string_view line = text.substr(start, end - start);
        start = end + 1;
        if (line.empty() || line == "\r") continue;
        if (auto g = parseGame(line, *at, fields))
            out.games.push_back(std::move(*g));
        else
            ++out.skipped;
    }
    return out;
}

HistoryFile readHistory(const std::string& path) {
    HistoryFile out;
    if (path.empty()) return out;
    auto attempt = [&path](HistoryText& parsed) {
        const FileText file = readSmallFile(path, kMaxHistoryBytes);
        if (file.state == FileText::State::Missing) return true;
        if (file.state == FileText::State::Unreadable) return false;
        parsed = parseHistory(file.text);  // a file too long is read to its last whole line
        return parsed.status == HistoryText::Status::Read;
    };
    HistoryText parsed;
    if (!attempt(parsed)) {
        // Looked at again under the lock: another copy of the game may be
        // moving it aside or writing its first line right now.
        FileLock lock(lockPathOf(path));
        parsed = {};
        if (!attempt(parsed)) {
            out.aside = moveAside(path);
            out.status =
                out.aside.empty() ? HistoryFile::Status::Stuck : HistoryFile::Status::SetAside;
            return out;
        }
    }
    out.games = std::move(parsed.games);
    out.skipped = parsed.skipped;
    return out;
}

HistoryAppend appendHistory(const std::string& path, const GameRecord& game) {
    HistoryAppend out;
    if (path.empty()) return out;
    const std::filesystem::path folder = std::filesystem::path(path).parent_path();
    std::error_code ec;
    if (!folder.empty()) std::filesystem::create_directories(folder, ec);

    FileLock lock(lockPathOf(path));
    bool fresh = false;
    switch (lookAt(path)) {
        case Found::Unreadable:
            out.aside = moveAside(path);
            if (out.aside.empty()) {
                out.stuck = true;
                return out;
            }
            fresh = true;
            break;
        case Found::Nothing:
        case Found::Empty:
        case Found::TornHeader:
            fresh = true;
            break;
        case Found::History:
            break;
    }

    const int fd =
        ::open(path.c_str(), O_RDWR | O_CREAT | O_APPEND | O_NONBLOCK | O_NOCTTY | O_CLOEXEC, 0666);
    if (fd < 0) return out;
    struct stat info {};
    bool ok = ::fstat(fd, &info) == 0 && S_ISREG(info.st_mode);
    off_t size = ok ? info.st_size : 0;
    if (ok && fresh && size > 0) {
        ok = ::ftruncate(fd, 0) == 0;
        size = 0;
    }
    if (ok && size > 0) {
        // A line a crash cut short is cut off: the new game starts a line.
        const off_t whole = wholeLinesLength(fd, size);
        if (whole < 0) {
            ok = false;
        } else if (whole < size) {
            ok = ::ftruncate(fd, whole) == 0;
            size = whole;
        }
    }
    if (ok) {
        const std::string text = (size == 0 ? historyHeader() : std::string()) + historyLine(game);
        ok = writeAll(fd, text) && syncRetrying(fd) == 0;
        // A write the disk could not take is taken back whole.
        if (!ok && ::ftruncate(fd, size) == 0) syncRetrying(fd);
    }
    ok = ::close(fd) == 0 && ok;
    if (ok && size == 0) {
        const int dir =
            ::open(folder.empty() ? "." : folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
        if (dir >= 0) {
            syncRetrying(dir);
            ::close(dir);
        }
    }
    out.written = ok;
    return out;
}

HistoryFile readHistoryTelling(const std::string& path, Dialogs& dialogs) {
    HistoryFile file = readHistory(path);
    if (file.status == HistoryFile::Status::SetAside) {
        dialogs.messageBox(format(_("ไม่สามารถอ่านไฟล์ประวัติการเล่นได้\nไฟล์เดิมถูกย้ายไปเก็บไว้ที่\n%1\n"
                                    "เกมจะเริ่มบันทึกประวัติการเล่นใหม่"),
                                  {file.aside}),
                           _(kWarningTitle), MsgButtons::Ok, MsgIcon::Exclamation);
    } else if (file.status == HistoryFile::Status::Stuck) {
        dialogs.messageBox(format(_("ไม่สามารถอ่านไฟล์ประวัติการเล่นได้\n%1\n"
                                    "เกมต่อไปจะไม่ถูกบันทึกจนกว่าจะแก้ไขหรือย้ายไฟล์นี้"),
                                  {path}),
                           _(kWarningTitle), MsgButtons::Ok, MsgIcon::Exclamation);
    }
    return file;
}

void tellHistoryAppend(const HistoryAppend& result, const std::string& path, Dialogs& dialogs) {
    if (!result.aside.empty()) {
        dialogs.messageBox(format(_("ไม่สามารถอ่านไฟล์ประวัติการเล่นได้\nไฟล์เดิมถูกย้ายไปเก็บไว้ที่\n%1\n"
                                    "เกมจะเริ่มบันทึกประวัติการเล่นใหม่"),
                                  {result.aside}),
                           _(kWarningTitle), MsgButtons::Ok, MsgIcon::Exclamation);
    }
    if (!result.written) {
        dialogs.messageBox(format(_("ไม่สามารถบันทึกเกมนี้ลงในประวัติการเล่นได้\n%1"), {path}),
                           _(kWarningTitle), MsgButtons::Ok, MsgIcon::Exclamation);
    }
}

// ---- Figures ----

std::vector<GameRecord> filterGames(const std::vector<GameRecord>& games,
                                    const HistoryFilter& filter) {
    std::vector<GameRecord> out;
    for (const GameRecord& g : games)
        if ((filter.level.empty() || g.level == filter.level) && g.when >= filter.since)
            out.push_back(g);
    return out;
}

namespace {

int rankOf(const std::string& word, std::initializer_list<const char*> order) {
    int i = 0;
    for (const char* w : order) {
        if (word == w) return i;
        ++i;
    }
    return i;
}

void add(GameGroup& group, const GameRecord& g) {
    ++group.games;
    if (g.result == "won")
        ++group.won;
    else if (g.result == "gaveup")
        ++group.gaveUp;
    else
        ++group.lost;
    group.rounds += g.rounds;
    group.points += g.points;
    group.money += g.money;
}

}  // namespace

HistoryFigures computeFigures(const std::vector<GameRecord>& games, std::size_t kept) {
    HistoryFigures out;
    using Key = std::tuple<int, int, int, std::string, std::string>;
    std::map<Key, GameGroup> groups;
    long money = 0;
    out.moneyCurve.push_back(0);
    for (const GameRecord& g : games) {
        add(out.total, g);
        const Key key{rankOf(g.level, {"beginner", "vip"}), rankOf(g.mode, {"normal", "mission"}),
                      rankOf(g.opponents, {"rules", "expert", "master"}), g.level + " " + g.mode,
                      g.opponents};
        GameGroup& group = groups[key];
        group.level = g.level;
        group.mode = g.mode;
        group.opponents = g.opponents;
        add(group, g);
        money += g.money;
        out.moneyCurve.push_back(money);
    }
    for (auto& [key, group] : groups) out.groups.push_back(group);

    std::vector<std::size_t> order(games.size());
    for (std::size_t i = 0; i < order.size(); ++i) order[i] = i;
    std::stable_sort(order.begin(), order.end(), [&games](std::size_t a, std::size_t b) {
        return games[a].money > games[b].money;
    });
    // With few games the best take the better half and the worst the other.
    const std::size_t bestCount = std::min(kept, (order.size() + 1) / 2);
    const std::size_t worstCount = std::min(kept, order.size() / 2);
    out.best.assign(order.begin(), order.begin() + std::ptrdiff_t(bestCount));
    std::stable_sort(order.begin(), order.end(), [&games](std::size_t a, std::size_t b) {
        return games[a].money < games[b].money;
    });
    for (std::size_t i : order) {
        if (out.worst.size() >= worstCount) break;
        if (std::find(out.best.begin(), out.best.end(), i) == out.best.end())
            out.worst.push_back(i);
    }
    return out;
}

std::string exportCsv(const std::vector<GameRecord>& games) {
    std::string out = historyHeader();
    for (const GameRecord& g : games) out += historyLine(g);
    return out;
}

}  // namespace vornak
