// The random source: uniform doubles in [0, 1). The program seeds one from
// the clock; tests, the simulator and the look-ahead seed their own.
#pragma once

#include <cmath>
#include <cstdint>
#include <random>
#include <sstream>
#include <string>

namespace vornak {

// Spreads a seed's bits (the splitmix64 finaliser).
constexpr std::uint64_t mixBits(std::uint64_t x) {
    x += 0x9e3779b97f4a7c15ULL;
    x = (x ^ (x >> 30)) * 0xbf58476d1ce4e5b9ULL;
    x = (x ^ (x >> 27)) * 0x94d049bb133111ebULL;
    return x ^ (x >> 31);
}

// The seed of sample `i` of a look-ahead seeded `seed`: the searches deal
// their i-th table from it, so every candidate meets the same tables.
constexpr std::uint64_t seedOfSample(std::uint64_t seed, std::uint64_t i) {
    return mixBits(seed ^ mixBits(i));
}

// The first of successive draws r = floor(next() * scale) with low <= r <=
// high; `fallback` when `tries` draws brought none (a broken source).
template <class Source>
int firstDrawIn(Source& source, int scale, int low, int high, int tries, int fallback) {
    for (int i = 0; i < tries; ++i) {
        const int r = static_cast<int>(std::floor(source.next() * scale));
        if (r >= low && r <= high) return r;
    }
    return fallback;
}

// Uniform doubles in [0, 1).
class Random {
public:
    virtual ~Random() = default;
    virtual double next() = 0;
    // firstDrawIn on this source (a source whose type is known draws its
    // numbers without a call through the table for each).
    virtual int drawIn(int scale, int low, int high, int tries, int fallback) {
        return firstDrawIn(*this, scale, low, high, tries, fallback);
    }
    // The generator's whole state as text, for a saved game; empty when it
    // cannot be told. restore() takes such a text back and returns false,
    // changing nothing, when it is not one.
    virtual std::string state() const { return {}; }
    virtual bool restore(const std::string&) { return false; }
    // What the next number is drawn for, for tools that log every draw. A
    // draw inside a computer seat's decision leaves it empty: the decision
    // under way names it.
    const char* use = nullptr;
};

// A number drawn for `use` ("deal", "draw steering", ...).
inline double drawFor(Random& random, const char* use) {
    random.use = use;
    return random.next();
}

class SeededRandom final : public Random {
public:
    explicit SeededRandom(std::uint64_t seed) : engine_(seed) {}
    double next() override {
        // 53 random bits: exactly uniform over the doubles k / 2^53.
        return static_cast<double>(engine_() >> 11) * 0x1.0p-53;
    }
    int drawIn(int scale, int low, int high, int tries, int fallback) override {
        return firstDrawIn(*this, scale, low, high, tries, fallback);
    }
    std::string state() const override {
        std::ostringstream out;
        out << engine_;
        return out.str();
    }
    bool restore(const std::string& text) override {
        std::istringstream in(text);
        std::mt19937_64 engine;
        in >> engine;
        if (in.fail()) return false;
        in >> std::ws;
        if (!in.eof()) return false;
        engine_ = engine;
        return true;
    }

private:
    std::mt19937_64 engine_;
};

}  // namespace vornak
