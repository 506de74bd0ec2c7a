// A tiny bitmap font of our own: 5x7 capitals and digits in a 6x9 cell, lower case
// with one or two rows of descender. Drawn at integer scales for labels.
#pragma once
#include <array>
#include <cstdint>
#include <string_view>

namespace skingen {

struct Glyph {
    std::array<std::uint8_t, 8> rows{}; // bit 4 is the leftmost column
    bool Bit(int col, int row) const { return (rows[row] >> (4 - col)) & 1; }
};

class Font {
  public:
    static constexpr int GlyphColumns = 5;
    static constexpr int CellRows = 8;
    static constexpr int CapRows = 7;
    static constexpr int Advance = 6;

    Font();
    // Characters without a glyph are drawn as '?'.
    const Glyph& GlyphFor(char c) const;
    bool Has(char c) const;
    // Width in unscaled pixels, without the trailing gap.
    int TextWidth(std::string_view text) const;

  private:
    std::array<Glyph, 128> glyphs_{};
    std::array<bool, 128> present_{};
};

// The one font instance the generator draws with.
const Font& BuiltinFont();

} // namespace skingen
