// A small JSON writer for the game log. Strings are UTF-8; bytes that are
// not valid UTF-8 are written as U+FFFD so that every line stays valid
// JSON. Numbers keep 17 significant digits (the log's digests pin its
// bytes). The tests read the log back with nlohmann-json.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace vornak::sim {

// Appends `text` as a quoted JSON string.
void appendJsonString(std::string& out, std::string_view text);

// Builds one JSON object (or array) into a string. Keys are written in the
// order they are added.
class JsonWriter {
public:
    JsonWriter& beginObject();
    JsonWriter& endObject();
    JsonWriter& beginArray();
    JsonWriter& endArray();
    JsonWriter& key(std::string_view name);
    JsonWriter& value(std::string_view text);
    JsonWriter& value(const char* text) { return value(std::string_view(text)); }
    JsonWriter& value(const std::string& text) { return value(std::string_view(text)); }
    JsonWriter& value(long long number);
    JsonWriter& value(int number) { return value(static_cast<long long>(number)); }
    JsonWriter& value(long number) { return value(static_cast<long long>(number)); }
    JsonWriter& value(unsigned long long number);
    JsonWriter& value(double number);
    JsonWriter& value(bool flag);
    JsonWriter& null();
    JsonWriter& values(const std::vector<int>& numbers);
    // A fragment that is already JSON (for example a saved snapshot).
    JsonWriter& raw(std::string_view json);

    template <class T>
    JsonWriter& field(std::string_view name, const T& v) {
        key(name);
        return value(v);
    }

    const std::string& str() const { return out_; }
    std::string take() { return std::move(out_); }

private:
    void separate();
    std::string out_;
    std::vector<bool> first_;  // per open container: nothing written yet
    bool afterKey_ = false;
};

}  // namespace vornak::sim
