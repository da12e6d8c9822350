// The records file: the three best amounts of money and the three best
// times of won games, 15 CRLF lines.
#include <iconv.h>

#include <cerrno>
#include <climits>
#include <string>
#include <string_view>
#include <vector>

#include "game/results/records.h"

#include "core/i18n.h"
#include "game/files.h"
#include "game/game.h"

namespace vornak {

namespace {

constexpr std::size_t kMaxFileBytes = 64 * 1024;  // a real file is a few hundred bytes
constexpr std::size_t kMaxFieldBytes = 256;

bool isBlank(char c) {
    return c == ' ' || c == '\t';
}

// The length of the UTF-8 character at the start of `in`, 0 when it is not
// one.
std::size_t utf8Length(std::string_view in) {
    const auto c = static_cast<unsigned char>(in[0]);
    std::size_t len = 0;
    if (c < 0x80)
        len = 1;
    else if ((c & 0xE0) == 0xC0 && c >= 0xC2)
        len = 2;
    else if ((c & 0xF0) == 0xE0)
        len = 3;
    else if ((c & 0xF8) == 0xF0 && c <= 0xF4)
        len = 4;
    if (len == 0 || len > in.size()) return 0;
    for (std::size_t k = 1; k < len; ++k)
        if ((static_cast<unsigned char>(in[k]) & 0xC0) != 0x80) return 0;
    return len;
}

bool isUtf8(std::string_view in) {
    while (!in.empty()) {
        const std::size_t len = utf8Length(in);
        if (len == 0) return false;
        in.remove_prefix(len);
    }
    return true;
}

// Records written by the game on Windows keep their names in the Thai
// Windows code page (874). A byte the code page leaves undefined becomes
// "?". Without the converter the bytes stay, and are marked when cleaned.
std::string fromCodePage874(std::string_view in) {
    const iconv_t cd = ::iconv_open("UTF-8", "CP874");
    if (cd == reinterpret_cast<iconv_t>(-1)) return std::string(in);
    std::string source(in);
    std::string out(source.size() * 3 + 4, '\0');  // at most 3 bytes a character
    char* inPtr = source.data();
    std::size_t inLeft = source.size();
    char* outPtr = out.data();
    std::size_t outLeft = out.size();
    while (inLeft > 0) {
        if (::iconv(cd, &inPtr, &inLeft, &outPtr, &outLeft) != static_cast<std::size_t>(-1)) break;
        if (errno != EILSEQ && errno != EINVAL) break;
        *outPtr++ = '?';
        --outLeft;
        ++inPtr;
        --inLeft;
    }
    ::iconv_close(cd);
    out.resize(out.size() - outLeft);
    return out;
}

// Cuts a UTF-8 text at a character boundary and replaces bytes that are not
// UTF-8 or are control characters, so a garbled file shows as text.
std::string cleanText(std::string_view in) {
    std::string out;
    std::size_t i = 0;
    while (i < in.size() && out.size() < kMaxFieldBytes) {
        const std::size_t len = utf8Length(in.substr(i));
        const auto c = static_cast<unsigned char>(in[i]);
        if (len == 0) {
            out += '?';
            ++i;
            continue;
        }
        if (len == 1 && (c < 0x20 || c == 0x7F)) {
            out += ' ';
        } else {
            if (out.size() + len > kMaxFieldBytes) break;
            out.append(in.substr(i, len));
        }
        i += len;
    }
    // Blanks at the ends are dropped, also those a cut or a replaced control
    // character left there, so a field reads the same after it is saved.
    while (!out.empty() && isBlank(out.back())) out.pop_back();
    const std::size_t first = out.find_first_not_of(" \t");
    out.erase(0, first == std::string::npos ? out.size() : first);
    return out;
}

// Splits the file into fields the way the records are read: a field ends at
// a comma or a line end, blanks around it are dropped, and a field in double
// quotes may hold commas.
std::vector<std::string> readFields(const std::string& text, std::size_t wanted) {
    std::vector<std::string> fields;
    std::size_t i = 0;
    const std::size_t n = text.size();
    while (fields.size() < wanted && i < n) {
        while (i < n && isBlank(text[i])) ++i;
        std::string field;
        if (i < n && text[i] == '"') {
            ++i;
            const std::size_t close = text.find('"', i);
            const std::size_t end = close == std::string::npos ? n : close;
            field = text.substr(i, end - i);
            i = close == std::string::npos ? n : close + 1;
            // Anything after the closing quote up to the separator is dropped.
            while (i < n && text[i] != ',' && text[i] != '\r' && text[i] != '\n') ++i;
        } else {
            const std::size_t start = i;
            while (i < n && text[i] != ',' && text[i] != '\r' && text[i] != '\n') ++i;
            field = text.substr(start, i - start);
            while (!field.empty() && isBlank(field.back())) field.pop_back();
        }
        // The separator: a comma, or one line end (CR LF, LF or CR).
        if (i < n) {
            if (text[i] == ',') {
                ++i;
            } else if (text[i] == '\r') {
                ++i;
                if (i < n && text[i] == '\n') ++i;
            } else if (text[i] == '\n') {
                ++i;
            }
        }
        fields.push_back(cleanText(isUtf8(field) ? field : fromCodePage874(field)));
    }
    fields.resize(wanted);
    return fields;
}

// The leading number of a text, as the records read their numbers: blanks,
// an optional sign and digits; anything else ends it. 0 when there is none.
long numberOf(const std::string& text) {
    std::size_t i = 0;
    while (i < text.size() && isBlank(text[i])) ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == '-' || text[i] == '+')) negative = text[i++] == '-';
    long long value = 0;
    for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i) {
        value = value * 10 + (text[i] - '0');
        if (value > INT_MAX) {
            value = INT_MAX;
            break;
        }
    }
    return static_cast<long>(negative ? -value : value);
}

// A line as written to the file: one field that reads back unchanged.
// Commas and double quotes would split or swallow the field, line breaks
// would start a new line; they become look-alike characters or blanks.
std::string storableLine(const std::string& line) {
    std::string out;
    for (char c : line) {
        if (c == ',')
            out += "\xE2\x80\x9A";  // single low-9 quotation mark
        else if (c == '"')
            out += "\xE2\x80\x9D";  // right double quotation mark
        else if (c == '\r' || c == '\n' || c == '\t')
            out += ' ';
        else
            out += c;
    }
    return out;
}

constexpr const char* kWarningTitle = N_("คำเตือน");

// Two copies of the game take turns on the records through this file.
std::string lockPathOf(const std::string& records) {
    return records.empty() ? std::string() : records + ".lock";
}

struct Entry {
    std::string name;
    long money = 0;
    long seconds = 0;
    std::string clock;
};

}  // namespace

void RecordBook::read(const std::string& text) {
    const auto fields = readFields(text, 15);
    for (int i = 1; i <= 15; ++i)
        lines[static_cast<std::size_t>(i)] = fields[static_cast<std::size_t>(i - 1)];

    for (int i = 13; i <= 15; ++i)
        if (lines[static_cast<std::size_t>(i)].empty())
            lines[static_cast<std::size_t>(i)] = "10000";
    for (int i = 1; i <= 6; ++i)
        if (lines[static_cast<std::size_t>(i)].empty())
            lines[static_cast<std::size_t>(i)].assign(1, '-');
    for (int i = 1; i <= 3; ++i) {
        const auto idx = static_cast<std::size_t>(i);
        moneyFloor[idx] = numberOf(lines[idx + 6]);
        timeFloor[idx] = numberOf(lines[idx + 12]);
        if (timeFloor[idx] <= 0) timeFloor[idx] = 10000;
    }
}

void RecordBook::enter(const std::string& name, long money, long seconds,
                       const std::string& clock) {
    if (money > moneyFloor[3]) {
        Entry e[5];
        for (int i = 1; i <= 3; ++i) {
            e[i].name = line(i);
            e[i].money = numberOf(line(i + 6));
        }
        e[4].name = name;
        e[4].money = money;
        for (int i = 1; i <= 3; ++i)
            for (int j = i + 1; j <= 4; ++j)
                if (e[j].money > e[i].money) {
                    std::swap(e[i].name, e[j].name);
                    std::swap(e[i].money, e[j].money);
                }
        for (int i = 1; i <= 3; ++i) {
            line(i) = e[i].name;
            line(i + 6) = num(e[i].money);
        }
        moneyFloor[3] = numberOf(line(9));
    }

    if (seconds < timeFloor[3]) {
        Entry e[5];
        for (int i = 1; i <= 3; ++i) {
            e[i].name = line(i + 3);
            e[i].clock = line(i + 9);
            e[i].seconds = numberOf(line(i + 12));
        }
        e[4].name = name;
        e[4].seconds = seconds;
        e[4].clock = clock;
        for (int i = 1; i <= 3; ++i)
            for (int j = i + 1; j <= 4; ++j)
                if (e[j].seconds < e[i].seconds) std::swap(e[i], e[j]);
        for (int i = 1; i <= 3; ++i) {
            line(i + 3) = e[i].name;
            line(i + 9) = e[i].clock;
            line(i + 12) = num(e[i].seconds);
        }
        timeFloor[3] = numberOf(line(15));
    }
}

std::string RecordBook::fileText() const {
    std::string text;
    for (int i = 1; i <= 15; ++i) {
        text += storableLine(lines[static_cast<std::size_t>(i)]);
        text += "\r\n";
    }
    return text;
}

void Game::ReadRecords() {
    loadRecords(false);
}

bool Game::loadRecords(bool lockHeld) {
    FileText file = readSmallFile(paths.recordsFile, kMaxFileBytes);
    bool movedAside = false;
    if (file.state == FileText::State::Unreadable) {
        // Looked at again under the lock: another copy of the game may be
        // moving it aside right now.
        if (!lockHeld) {
            FileLock lock(lockPathOf(paths.recordsFile));
            return loadRecords(true);
        }
        // A file the game cannot read is never replaced: it is kept under
        // another name, and the records start again without it.
        const std::string aside = moveAside(paths.recordsFile);
        movedAside = !aside.empty();
        if (movedAside) {
            dialogs.messageBox(format(_("ไม่สามารถอ่านไฟล์บันทึกสถิติ (Hall of Fame) ได้\n"
                                        "ไฟล์เดิมถูกย้ายไปเก็บไว้ที่\n%1\nเกมจะเริ่มบันทึกสถิติใหม่"),
                                      {aside}),
                               _(kWarningTitle), MsgButtons::Ok, MsgIcon::Exclamation);
        } else if (!records.warningShown) {
            records.warningShown = true;
            dialogs.messageBox(format(_("ไม่สามารถอ่านไฟล์บันทึกสถิติ (Hall of Fame) ได้\n%1\n"
                                        "สถิติใหม่จะไม่ถูกบันทึกจนกว่าจะแก้ไขหรือย้ายไฟล์นี้"),
                                      {paths.recordsFile}),
                               _(kWarningTitle), MsgButtons::Ok, MsgIcon::Exclamation);
        }
        file.text.clear();
    }

    records.read(file.text);
    return file.state != FileText::State::Unreadable || movedAside;
}

void Game::UpdateRecords() {
    // The won game is merged into the file as it is now, not as it was when
    // this copy of the game read it: another copy may have saved since. The
    // lock keeps it from saving between this read and this save.
    FileLock lock(lockPathOf(paths.recordsFile));
    const bool replaceable = loadRecords(true);

    records.enter(match.PlayerName, match.MoneyAtRoundStart, match.ElapsedSeconds, match.FinalTime);

    // A file that could not be read, and stays, is not saved over.
    if (replaceable) SaveRecords();
}

void Game::SaveRecords() {
    if (paths.recordsFile.empty()) return;
    // Whatever stands at the path and cannot be read stays as it is.
    if (readSmallFile(paths.recordsFile, 0).state == FileText::State::Unreadable) return;

    // A failed write leaves the old records; the game goes on.
    replaceFile(paths.recordsFile, records.fileText());
}

}  // namespace vornak
