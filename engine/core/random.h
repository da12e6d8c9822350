// The random source: uniform doubles in [0, 1). The program seeds one from
// the clock; tests, the simulator and the look-ahead seed their own.
#pragma once

#include <array>
#include <cmath>
#include <cstddef>
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
    // The same draws as firstDrawIn, tested on the generator's bits: the
    // value floor(k / 2^53 * scale) never falls as the 53 bits k grow, so
    // the draws that hit low..high are one range of k, whose ends are
    // worked out once per scale and value.
    int drawIn(int scale, int low, int high, int tries, int fallback) override {
        if (scale < 1 || scale >= kMaxScale || low < 0 || low > high || high >= scale)
            return firstDrawIn(*this, scale, low, high, tries, fallback);
        if (scale != reachScale_) {
            reach_.fill(kUnknown);
            reachScale_ = scale;
        }
        const std::uint64_t from = reach(low), to = reach(high + 1);
        for (int i = 0; i < tries; ++i) {
            const std::uint64_t k = engine_() >> 11;
            if (k - from < to - from) return valueOf(k, scale);
        }
        return fallback;
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
    static constexpr std::uint64_t kSpan = std::uint64_t{1} << 53;  // the values of k
    static constexpr int kMaxScale = 32;  // larger scales draw as firstDrawIn does
    static constexpr std::uint64_t kUnknown = ~std::uint64_t{0};
    // floor(next() * scale) for the draw whose bits are k.
    static int valueOf(std::uint64_t k, int scale) {
        return static_cast<int>(std::floor(static_cast<double>(k) * 0x1.0p-53 * scale));
    }
    // firstReaching(reachScale_, b), kept.
    std::uint64_t reach(int b) {
        std::uint64_t& k = reach_[static_cast<std::size_t>(b)];
        if (k == kUnknown) k = firstReaching(reachScale_, b);
        return k;
    }
    // The least k whose value is at least b (kSpan when none is), for
    // 0 <= b <= scale < kMaxScale: b * 2^53 / scale rounded up, then moved
    // past the product's rounding.
    static std::uint64_t firstReaching(int scale, int b) {
        if (b <= 0) return 0;
        const auto s = static_cast<std::uint64_t>(scale);
        std::uint64_t k = (static_cast<std::uint64_t>(b) * kSpan + s - 1) / s;
        while (k > 0 && valueOf(k - 1, scale) >= b) --k;
        while (k < kSpan && valueOf(k, scale) < b) ++k;
        return k;
    }

    std::mt19937_64 engine_;
    int reachScale_ = 0;
    std::array<std::uint64_t, kMaxScale + 1> reach_{};
};

}  // namespace vornak
