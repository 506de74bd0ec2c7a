// The camera screen's countdown: big digits laid over the live picture, and their tick.
#include "art.h"

#include "font.h"
#include "look.h"
#include "shapes.h"

#include <cmath>
#include <numbers>
#include <string>

namespace skingen {

Canvas DrawCountdownDigit(int digit, int size) {
    // Transparent around the badge: the preview shows through.
    Canvas c(size, size, Rgb(0, 0, 0, 0));
    const double r = size / 2.0;
    Fill(c, Circle(r, r + size * 0.02, r - 1), Rgb(40, 24, 20, 70)); // a soft shadow below
    Fill(c, Circle(r, r, r - size * 0.03), Rgb(255, 251, 245, 215));
    Fill(c, Outline(Circle(r, r, r - size * 0.06), size * 0.045), look::TitleBottom);
    const std::string text(1, static_cast<char>('0' + digit));
    DrawTextCentered(c, r, r, text, Style(size * 0.46, Bold, look::TitleBottom));
    return c;
}

std::vector<double> TickSound(int sampleRate) {
    // A light wooden knock: short enough that three never blur into each other.
    std::vector<double> s(static_cast<std::size_t>(sampleRate * 0.06));
    Prng rng(0x5eed0003);
    constexpr double TwoPi = 2 * std::numbers::pi;
    for (std::size_t i = 0; i < s.size(); ++i) {
        const double t = static_cast<double>(i) / sampleRate;
        const double body = 0.6 * std::sin(TwoPi * 1250 * t) + 0.25 * std::sin(TwoPi * 2710 * t);
        s[i] = body * std::exp(-t / 0.012) + 0.15 * (rng.Unit() * 2 - 1) * std::exp(-t / 0.002);
    }
    const std::size_t fade = static_cast<std::size_t>(sampleRate * 0.005);
    for (std::size_t i = 0; i < fade && i < s.size(); ++i)
        s[s.size() - 1 - i] *= static_cast<double>(i) / fade;
    return s;
}

} // namespace skingen
