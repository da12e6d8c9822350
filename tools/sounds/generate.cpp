// Draws the program's sounds at build time: short synthesised WAV files
// (16-bit mono, 44.1 kHz) written into the folder given on the command
// line. Every sound is made here from sine tones and filtered noise; the
// same build always writes the same bytes.
//
//   vornak-sounds <folder>
#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <fstream>
#include <string>
#include <vector>

namespace {

constexpr int kRate = 44100;
constexpr double kPi = 3.14159265358979323846;

using Samples = std::vector<double>;

Samples silence(double seconds) {
    return Samples(static_cast<std::size_t>(seconds * kRate), 0.0);
}

// Adds `from` into `into` starting at `at` seconds (growing it as needed).
void mix(Samples& into, const Samples& from, double at, double gain = 1.0) {
    const auto start = static_cast<std::size_t>(at * kRate);
    if (into.size() < start + from.size()) into.resize(start + from.size(), 0.0);
    for (std::size_t i = 0; i < from.size(); ++i) into[start + i] += gain * from[i];
}

// A soft bell-like tone: a sine with two quiet overtones, a short attack
// and an exponential decay.
Samples tone(double freq, double seconds, double decay, double attack = 0.006) {
    Samples s = silence(seconds);
    for (std::size_t i = 0; i < s.size(); ++i) {
        const double t = static_cast<double>(i) / kRate;
        const double env = std::min(1.0, t / attack) * std::exp(-t / decay);
        const double w = 2 * kPi * freq * t;
        s[i] = env * (std::sin(w) + 0.28 * std::sin(2 * w) +
                      0.08 * std::sin(3 * w) * std::exp(-t / 0.08));
    }
    // A gentle fade at the very end, so nothing clicks.
    const std::size_t fade = std::min<std::size_t>(s.size(), kRate / 100);
    for (std::size_t i = 0; i < fade; ++i) s[s.size() - 1 - i] *= static_cast<double>(i) / fade;
    return s;
}

// Noise from a fixed generator, so the files never change between builds.
struct Noise {
    std::uint32_t state = 0x2545F491u;
    double next() {
        state = state * 1664525u + 1013904223u;
        return static_cast<double>(state >> 8) / static_cast<double>(1u << 23) - 1.0;
    }
};

// A one-pole low-pass followed by a one-pole high-pass: a band of noise.
struct Band {
    double low = 0, high = 0, prev = 0;
    double run(double x, double lowCut, double highCut) {
        const double a = std::exp(-2 * kPi * lowCut / kRate);
        low = (1 - a) * x + a * low;
        const double b = std::exp(-2 * kPi * highCut / kRate);
        const double y = b * (high + low - prev);
        prev = low;
        high = y;
        return y;
    }
};

// A card put down: a crisp burst of noise over a soft low knock.
Samples snap(double bright, double body, double seconds = 0.09) {
    Samples s = silence(seconds);
    Noise n;
    Band band;
    for (std::size_t i = 0; i < s.size(); ++i) {
        const double t = static_cast<double>(i) / kRate;
        const double hiss = band.run(n.next(), bright, 700) * std::exp(-t / 0.012);
        const double knock = std::sin(2 * kPi * body * t) * std::exp(-t / 0.025);
        s[i] = 1.6 * hiss + 0.35 * knock * std::min(1.0, t / 0.002);
    }
    return s;
}

// Cards slid across the cloth: noise whose band rises and falls.
Samples slide(double seconds) {
    Samples s = silence(seconds);
    Noise n;
    Band band;
    for (std::size_t i = 0; i < s.size(); ++i) {
        const double t = static_cast<double>(i) / kRate;
        const double x = t / seconds;
        const double env = std::sin(kPi * std::min(1.0, x)) * (1 - 0.5 * x);
        const double cut = 1800 + 2600 * std::sin(kPi * x);
        s[i] = 1.4 * env * band.run(n.next(), cut, 500);
    }
    mix(s, snap(4200, 170, 0.08), seconds - 0.07, 0.6);
    return s;
}

double note(int semitonesFromA4) {
    return 440.0 * std::pow(2.0, semitonesFromA4 / 12.0);
}

// Notes strummed one after another, `gap` seconds apart, each ringing on.
Samples chord(const std::vector<int>& notes, double gap, double ring, double decay) {
    Samples s;
    for (std::size_t i = 0; i < notes.size(); ++i)
        mix(s, tone(note(notes[i]), ring, decay), gap * static_cast<double>(i), 0.5);
    return s;
}

// A motif: notes in sequence, the last held longer.
Samples motif(const std::vector<int>& notes, double step, double decay) {
    Samples s;
    for (std::size_t i = 0; i < notes.size(); ++i) {
        const bool last = i + 1 == notes.size();
        mix(s, tone(note(notes[i]), last ? 1.2 : step * 2.5, last ? decay * 2 : decay),
            step * static_cast<double>(i), 0.55);
        if (last)
            mix(s, tone(note(notes[i] - 12), 1.2, decay * 2), step * static_cast<double>(i), 0.3);
    }
    return s;
}

bool writeWav(const std::string& path, Samples s, double loudness) {
    double peak = 0;
    for (double v : s) peak = std::max(peak, std::abs(v));
    const double gain = peak > 0 ? loudness / peak : 0;
    std::vector<std::int16_t> pcm(s.size());
    for (std::size_t i = 0; i < s.size(); ++i)
        pcm[i] = static_cast<std::int16_t>(std::lround(std::clamp(s[i] * gain, -1.0, 1.0) * 32767));

    std::ofstream out(path, std::ios::binary);
    if (!out) return false;
    auto u32 = [&out](std::uint32_t v) {
        for (int i = 0; i < 4; ++i) out.put(static_cast<char>((v >> (8 * i)) & 0xFF));
    };
    auto u16 = [&out](std::uint16_t v) {
        out.put(static_cast<char>(v & 0xFF));
        out.put(static_cast<char>(v >> 8));
    };
    const auto bytes = static_cast<std::uint32_t>(pcm.size() * 2);
    out.write("RIFF", 4);
    u32(36 + bytes);
    out.write("WAVEfmt ", 8);
    u32(16);
    u16(1);  // PCM
    u16(1);  // mono
    u32(kRate);
    u32(kRate * 2);
    u16(2);
    u16(16);
    out.write("data", 4);
    u32(bytes);
    for (std::int16_t v : pcm) u16(static_cast<std::uint16_t>(v));
    return static_cast<bool>(out);
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s <folder>\n", argv[0]);
        return 2;
    }
    const std::string dir = argv[1];
    // Semitones from A4: C5 = 3, E5 = 7, G5 = 10, C6 = 15.
    struct Made {
        const char* name;
        Samples samples;
        double loudness;
    };
    const Made sounds[] = {
        {"draw.wav", snap(5200, 210), 0.55},
        {"discard.wav", snap(3600, 150, 0.11), 0.6},
        {"pick.wav", slide(0.28), 0.5},
        {"laydown.wav", chord({3, 7, 10}, 0.035, 0.9, 0.28), 0.5},
        {"layoff.wav", chord({10, 15}, 0.05, 0.6, 0.2), 0.45},
        {"knock.wav",
         [] {
             Samples s = snap(2600, 120, 0.1);
             mix(s, snap(2600, 120, 0.1), 0.13);
             mix(s, chord({-2, 2, 5, 10}, 0.03, 1.1, 0.35), 0.27);
             return s;
         }(),
         0.55},
        {"darkknock.wav",
         [] {
             Samples s = snap(2400, 110, 0.1);
             mix(s, snap(2400, 110, 0.1), 0.11);
             mix(s, snap(2400, 110, 0.1), 0.22);
             mix(s, chord({-12, 0, 3, 7, 14}, 0.045, 1.4, 0.45), 0.36);
             return s;
         }(),
         0.58},
        {"roundend.wav", chord({-9, -5, -2, 3, 7}, 0.06, 1.2, 0.4), 0.5},
        {"won.wav", motif({-2, 3, 7, 10, 15}, 0.12, 0.25), 0.55},
        {"lost.wav", motif({10, 6, 3, -2, -9}, 0.16, 0.3), 0.5},
    };
    for (const Made& m : sounds)
        if (!writeWav(dir + "/" + m.name, m.samples, m.loudness)) {
            std::fprintf(stderr, "cannot write %s/%s\n", dir.c_str(), m.name);
            return 1;
        }
    return 0;
}
