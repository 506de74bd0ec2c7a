#include "art.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace skingen {

namespace {

constexpr double TwoPi = 2 * std::numbers::pi;

// A short fade at the end so playback stops without a click of its own.
void FadeOut(std::vector<double>& s, int sampleRate, double seconds) {
    const auto n = std::min(s.size(), static_cast<std::size_t>(sampleRate * seconds));
    for (std::size_t i = 0; i < n; ++i)
        s[s.size() - 1 - i] *= static_cast<double>(i) / n;
}

// One mechanical snap: a burst of noise with a low knock under it.
void AddSnap(std::vector<double>& s, int sampleRate, double at, double knockHz, double gain,
             Prng& rng) {
    const auto start = static_cast<std::size_t>(at * sampleRate);
    double smooth = 0;
    for (std::size_t i = start; i < s.size(); ++i) {
        const double t = static_cast<double>(i - start) / sampleRate;
        const double noise = rng.Unit() * 2 - 1;
        smooth += 0.45 * (noise - smooth); // takes the hiss off the top
        s[i] += gain * (0.8 * smooth * std::exp(-t / 0.006) +
                        0.6 * std::sin(TwoPi * knockHz * t) * std::exp(-t / 0.018));
    }
}

} // namespace

std::vector<double> ClickSound(int sampleRate) {
    std::vector<double> s(static_cast<std::size_t>(sampleRate * 0.04));
    Prng rng(0x5eed0001);
    for (std::size_t i = 0; i < s.size(); ++i) {
        const double t = static_cast<double>(i) / sampleRate;
        const double tone = 0.55 * std::sin(TwoPi * 2200 * t) + 0.25 * std::sin(TwoPi * 3400 * t);
        s[i] = tone * std::exp(-t / 0.005) + 0.2 * (rng.Unit() * 2 - 1) * std::exp(-t / 0.0015);
    }
    FadeOut(s, sampleRate, 0.003);
    return s;
}

std::vector<double> ShutterSound(int sampleRate) {
    std::vector<double> s(static_cast<std::size_t>(sampleRate * 0.25));
    Prng rng(0x5eed0002);
    AddSnap(s, sampleRate, 0.0, 190, 0.75, rng);
    // The mechanism running between the two snaps.
    for (std::size_t i = static_cast<std::size_t>(0.02 * sampleRate);
         i < static_cast<std::size_t>(0.13 * sampleRate); ++i)
        s[i] += 0.05 * (rng.Unit() * 2 - 1);
    AddSnap(s, sampleRate, 0.13, 150, 0.6, rng);
    FadeOut(s, sampleRate, 0.02);
    return s;
}

} // namespace skingen
