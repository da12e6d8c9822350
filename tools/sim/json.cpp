#include "json.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>

namespace vornak::sim {

namespace {

// Length of the valid UTF-8 sequence starting at text[i], 0 when invalid.
std::size_t utf8Length(std::string_view text, std::size_t i) {
    const auto byte = [&](std::size_t k) { return static_cast<unsigned char>(text[k]); };
    const unsigned char b0 = byte(i);
    std::size_t len = 0;
    unsigned long cp = 0;
    if (b0 < 0x80) return 1;
    if (b0 >= 0xC2 && b0 <= 0xDF) {
        len = 2;
        cp = b0 & 0x1F;
    } else if (b0 >= 0xE0 && b0 <= 0xEF) {
        len = 3;
        cp = b0 & 0x0F;
    } else if (b0 >= 0xF0 && b0 <= 0xF4) {
        len = 4;
        cp = b0 & 0x07;
    } else {
        return 0;
    }
    if (i + len > text.size()) return 0;
    for (std::size_t k = 1; k < len; ++k) {
        const unsigned char b = byte(i + k);
        if ((b & 0xC0) != 0x80) return 0;
        cp = (cp << 6) | (b & 0x3F);
    }
    // Overlong forms, surrogates and code points past U+10FFFF.
    if ((len == 3 && cp < 0x800) || (len == 4 && cp < 0x10000)) return 0;
    if (cp >= 0xD800 && cp <= 0xDFFF) return 0;
    if (cp > 0x10FFFF) return 0;
    return len;
}

void appendUtf8(std::string& out, unsigned long cp) {
    if (cp < 0x80) {
        out += static_cast<char>(cp);
    } else if (cp < 0x800) {
        out += static_cast<char>(0xC0 | (cp >> 6));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else if (cp < 0x10000) {
        out += static_cast<char>(0xE0 | (cp >> 12));
        out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (cp >> 18));
        out += static_cast<char>(0x80 | ((cp >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    }
}

}  // namespace

void appendJsonString(std::string& out, std::string_view text) {
    out += '"';
    for (std::size_t i = 0; i < text.size();) {
        const unsigned char c = static_cast<unsigned char>(text[i]);
        switch (c) {
            case '"':
                out += "\\\"";
                ++i;
                continue;
            case '\\':
                out += "\\\\";
                ++i;
                continue;
            case '\n':
                out += "\\n";
                ++i;
                continue;
            case '\r':
                out += "\\r";
                ++i;
                continue;
            case '\t':
                out += "\\t";
                ++i;
                continue;
            default:
                break;
        }
        if (c < 0x20 || c == 0x7F) {
            char buf[8];
            std::snprintf(buf, sizeof buf, "\\u%04x", c);
            out += buf;
            ++i;
            continue;
        }
        const std::size_t len = utf8Length(text, i);
        if (len == 0) {
            out += "\\ufffd";
            ++i;
            continue;
        }
        out.append(text.substr(i, len));
        i += len;
    }
    out += '"';
}

void JsonWriter::separate() {
    if (afterKey_) {
        afterKey_ = false;
        return;
    }
    if (first_.empty()) return;
    if (!first_.back()) out_ += ',';
    first_.back() = false;
}

JsonWriter& JsonWriter::beginObject() {
    separate();
    out_ += '{';
    first_.push_back(true);
    return *this;
}
JsonWriter& JsonWriter::endObject() {
    out_ += '}';
    if (!first_.empty()) first_.pop_back();
    return *this;
}
JsonWriter& JsonWriter::beginArray() {
    separate();
    out_ += '[';
    first_.push_back(true);
    return *this;
}
JsonWriter& JsonWriter::endArray() {
    out_ += ']';
    if (!first_.empty()) first_.pop_back();
    return *this;
}
JsonWriter& JsonWriter::key(std::string_view name) {
    separate();
    appendJsonString(out_, name);
    out_ += ':';
    afterKey_ = true;
    return *this;
}
JsonWriter& JsonWriter::value(std::string_view text) {
    separate();
    appendJsonString(out_, text);
    return *this;
}
JsonWriter& JsonWriter::value(long long number) {
    separate();
    out_ += std::to_string(number);
    return *this;
}
JsonWriter& JsonWriter::value(unsigned long long number) {
    separate();
    out_ += std::to_string(number);
    return *this;
}
JsonWriter& JsonWriter::value(double number) {
    separate();
    if (!std::isfinite(number)) {
        out_ += "null";
        return *this;
    }
    // 17 significant digits read back as the same double.
    char buf[32];
    std::snprintf(buf, sizeof buf, "%.17g", number);
    out_ += buf;
    return *this;
}
JsonWriter& JsonWriter::value(bool flag) {
    separate();
    out_ += flag ? "true" : "false";
    return *this;
}
JsonWriter& JsonWriter::null() {
    separate();
    out_ += "null";
    return *this;
}
JsonWriter& JsonWriter::values(const std::vector<int>& numbers) {
    beginArray();
    for (int n : numbers) value(n);
    return endArray();
}
JsonWriter& JsonWriter::raw(std::string_view json) {
    separate();
    out_.append(json);
    return *this;
}

// ---- Reading ----

const JsonValue& JsonValue::operator[](const std::string& name) const {
    static const JsonValue none;
    const auto it = members.find(name);
    return it == members.end() ? none : it->second;
}

namespace {

class Parser {
public:
    explicit Parser(std::string_view text) : s_(text) {}

    std::optional<JsonValue> document() {
        JsonValue v;
        if (!parseValue(v, 0)) return std::nullopt;
        skipSpace();
        if (i_ != s_.size()) return std::nullopt;
        return v;
    }

private:
    static constexpr int kMaxDepth = 64;

    void skipSpace() {
        while (i_ < s_.size() &&
               (s_[i_] == ' ' || s_[i_] == '\t' || s_[i_] == '\n' || s_[i_] == '\r'))
            ++i_;
    }
    bool literal(std::string_view word) {
        if (s_.substr(i_, word.size()) != word) return false;
        i_ += word.size();
        return true;
    }

    bool parseValue(JsonValue& v, int depth) {
        if (depth > kMaxDepth) return false;
        skipSpace();
        if (i_ >= s_.size()) return false;
        const char c = s_[i_];
        if (c == '{') return parseObject(v, depth);
        if (c == '[') return parseArray(v, depth);
        if (c == '"') {
            v.kind = JsonValue::Kind::String;
            return parseString(v.text);
        }
        if (literal("true")) {
            v.kind = JsonValue::Kind::Bool;
            v.boolean = true;
            return true;
        }
        if (literal("false")) {
            v.kind = JsonValue::Kind::Bool;
            return true;
        }
        if (literal("null")) return true;
        return parseNumber(v);
    }

    bool parseObject(JsonValue& v, int depth) {
        v.kind = JsonValue::Kind::Object;
        ++i_;
        skipSpace();
        if (i_ < s_.size() && s_[i_] == '}') {
            ++i_;
            return true;
        }
        for (;;) {
            skipSpace();
            std::string name;
            if (i_ >= s_.size() || s_[i_] != '"' || !parseString(name)) return false;
            skipSpace();
            if (i_ >= s_.size() || s_[i_] != ':') return false;
            ++i_;
            JsonValue member;
            if (!parseValue(member, depth + 1)) return false;
            v.members[name] = std::move(member);
            skipSpace();
            if (i_ >= s_.size()) return false;
            if (s_[i_] == ',') {
                ++i_;
                continue;
            }
            if (s_[i_] == '}') {
                ++i_;
                return true;
            }
            return false;
        }
    }

    bool parseArray(JsonValue& v, int depth) {
        v.kind = JsonValue::Kind::Array;
        ++i_;
        skipSpace();
        if (i_ < s_.size() && s_[i_] == ']') {
            ++i_;
            return true;
        }
        for (;;) {
            JsonValue item;
            if (!parseValue(item, depth + 1)) return false;
            v.items.push_back(std::move(item));
            skipSpace();
            if (i_ >= s_.size()) return false;
            if (s_[i_] == ',') {
                ++i_;
                continue;
            }
            if (s_[i_] == ']') {
                ++i_;
                return true;
            }
            return false;
        }
    }

    bool hex4(unsigned long& out) {
        if (i_ + 4 > s_.size()) return false;
        out = 0;
        for (int k = 0; k < 4; ++k) {
            const char h = s_[i_++];
            out <<= 4;
            if (h >= '0' && h <= '9')
                out |= static_cast<unsigned long>(h - '0');
            else if (h >= 'a' && h <= 'f')
                out |= static_cast<unsigned long>(h - 'a' + 10);
            else if (h >= 'A' && h <= 'F')
                out |= static_cast<unsigned long>(h - 'A' + 10);
            else
                return false;
        }
        return true;
    }

    bool parseString(std::string& out) {
        ++i_;  // the opening quote
        while (i_ < s_.size()) {
            const char c = s_[i_++];
            if (c == '"') return true;
            if (static_cast<unsigned char>(c) < 0x20) return false;
            if (c != '\\') {
                out += c;
                continue;
            }
            if (i_ >= s_.size()) return false;
            const char e = s_[i_++];
            switch (e) {
                case '"':
                case '\\':
                case '/':
                    out += e;
                    break;
                case 'b':
                    out += '\b';
                    break;
                case 'f':
                    out += '\f';
                    break;
                case 'n':
                    out += '\n';
                    break;
                case 'r':
                    out += '\r';
                    break;
                case 't':
                    out += '\t';
                    break;
                case 'u': {
                    unsigned long cp = 0;
                    if (!hex4(cp)) return false;
                    if (cp >= 0xD800 && cp <= 0xDBFF) {
                        unsigned long low = 0;
                        if (!literal("\\u") || !hex4(low) || low < 0xDC00 || low > 0xDFFF)
                            return false;
                        cp = 0x10000 + ((cp - 0xD800) << 10) + (low - 0xDC00);
                    } else if (cp >= 0xDC00 && cp <= 0xDFFF) {
                        return false;
                    }
                    appendUtf8(out, cp);
                    break;
                }
                default:
                    return false;
            }
        }
        return false;
    }

    bool parseNumber(JsonValue& v) {
        const std::size_t start = i_;
        if (i_ < s_.size() && s_[i_] == '-') ++i_;
        auto digits = [&] {
            const std::size_t from = i_;
            while (i_ < s_.size() && s_[i_] >= '0' && s_[i_] <= '9') ++i_;
            return i_ > from;
        };
        if (!digits()) return false;
        if (i_ < s_.size() && s_[i_] == '.') {
            ++i_;
            if (!digits()) return false;
        }
        if (i_ < s_.size() && (s_[i_] == 'e' || s_[i_] == 'E')) {
            ++i_;
            if (i_ < s_.size() && (s_[i_] == '+' || s_[i_] == '-')) ++i_;
            if (!digits()) return false;
        }
        v.kind = JsonValue::Kind::Number;
        v.number = std::strtod(std::string(s_.substr(start, i_ - start)).c_str(), nullptr);
        return true;
    }

    std::string_view s_;
    std::size_t i_ = 0;
};

}  // namespace

std::optional<JsonValue> parseJson(std::string_view text) {
    return Parser(text).document();
}

}  // namespace vornak::sim
