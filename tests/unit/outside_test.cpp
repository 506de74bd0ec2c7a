// Pictures and commands from outside the program's buttons: the command line, the clipboard's
// DIBs, the keyboard.
#include "capture/clipboard_picture.h"
#include "capture/command_line.h"
#include "shell/keys.h"
#include "skin/screen_slots.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

namespace {

std::string Argument(const char* line, std::size_t size = 260) {
    std::vector<char> out(size, 'x');
    return PictureArgument(line, out.data(), size) ? std::string(out.data()) : "<none>";
}

TEST(CommandLine, TakesTheFirstArgumentWithoutQuotes) {
    EXPECT_EQ(Argument("\"C:\\My photos\\cat.jpg\""), "C:\\My photos\\cat.jpg");
    EXPECT_EQ(Argument("  \"C:\\a b.png\" /extra"), "C:\\a b.png");
    // Unquoted, the whole line: a path with spaces still arrives.
    EXPECT_EQ(Argument("C:\\My photos\\cat.jpg  \r\n"), "C:\\My photos\\cat.jpg");
    EXPECT_EQ(Argument("\"C:\\unclosed.jpg"), "C:\\unclosed.jpg");
    for (const char* nothing : {"", "   ", "\"\""})
        EXPECT_EQ(Argument(nothing), "<none>");
    EXPECT_EQ(Argument(nullptr), "<none>");
    // Too long for the field: refused, and the field is left empty and terminated.
    std::vector<char> out(8, 'x');
    EXPECT_FALSE(PictureArgument("C:\\longer.jpg", out.data(), out.size()));
    EXPECT_EQ(out[0], '\0');
    EXPECT_EQ(Argument("C:\\a.jpg", 9), "C:\\a.jpg");
    EXPECT_EQ(Argument("C:\\ab.jpg", 9), "<none>");
}

// A packed DIB: the header, then masks or colours, then the rows.
std::vector<uint8_t> Dib(uint32_t headerSize, int32_t width, int32_t height, uint16_t bits,
                         uint32_t compression, uint32_t coloursUsed, std::size_t extra,
                         std::size_t rowBytes, uint32_t alphaMask = 0) {
    std::vector<uint8_t> d(headerSize + extra + rowBytes * (height < 0 ? -height : height));
    auto put32 = [&](std::size_t at, uint32_t v) { std::memcpy(&d[at], &v, 4); };
    put32(0, headerSize);
    put32(4, static_cast<uint32_t>(width));
    put32(8, static_cast<uint32_t>(height));
    const uint16_t planes = 1;
    std::memcpy(&d[12], &planes, 2);
    std::memcpy(&d[14], &bits, 2);
    put32(16, compression);
    put32(32, coloursUsed);
    if (headerSize >= 108)
        put32(52, alphaMask);
    return d;
}

TEST(ClipboardPicture, FindsThePixelsOfEveryLayout) {
    // 8 bits: a full colour table; rows padded to four bytes.
    auto d = Dib(40, 5, 3, 8, 0, 0, 256 * 4, 8);
    PackedDib dib = ReadPackedDib(d.data(), d.size());
    ASSERT_EQ(dib.verdict, DibVerdict::Usable);
    EXPECT_EQ(dib.bitsOffset, 40u + 1024u);
    EXPECT_EQ(dib.stride, 8u);
    EXPECT_FALSE(dib.topDown);
    EXPECT_FALSE(dib.alpha);
    // 4 bits with a short table; 24 bits top-down.
    d = Dib(40, 3, 2, 4, 0, 5, 5 * 4, 4);
    EXPECT_EQ(ReadPackedDib(d.data(), d.size()).bitsOffset, 60u);
    d = Dib(40, 3, -2, 24, 0, 0, 0, 12);
    dib = ReadPackedDib(d.data(), d.size());
    EXPECT_TRUE(dib.topDown);
    EXPECT_EQ(dib.height, 2);
    EXPECT_EQ(dib.stride, 12u);
    // The small header's bit fields follow it; the V5 header holds them, and its alpha mask.
    d = Dib(40, 2, 2, 32, 3, 0, 12, 8);
    dib = ReadPackedDib(d.data(), d.size());
    EXPECT_EQ(dib.bitsOffset, 52u);
    EXPECT_FALSE(dib.alpha);
    d = Dib(124, 2, 2, 32, 3, 0, 0, 8, 0xFF000000u);
    dib = ReadPackedDib(d.data(), d.size());
    EXPECT_EQ(dib.bitsOffset, 124u);
    EXPECT_TRUE(dib.alpha);
    d = Dib(40, 2, 2, 32, 0, 0, 0, 8);
    EXPECT_TRUE(ReadPackedDib(d.data(), d.size()).alpha);
}

TEST(ClipboardPicture, RefusesWhatWouldReadPastTheBlock) {
    auto d = Dib(40, 5, 3, 24, 0, 0, 0, 16);
    EXPECT_EQ(ReadPackedDib(d.data(), d.size() - 1).verdict, DibVerdict::NotUsable);
    EXPECT_EQ(ReadPackedDib(d.data(), 39).verdict, DibVerdict::NotUsable);
    // A table that claims more colours than the bits allow, a header bigger than the block,
    // compressed rows, zero sizes, a bit count that does not exist.
    d = Dib(40, 1, 1, 1, 0, 3, 12, 4);
    EXPECT_EQ(ReadPackedDib(d.data(), d.size()).verdict, DibVerdict::NotUsable);
    d = Dib(40, 1, 1, 24, 0, 0, 0, 4);
    std::memcpy(&d[0], "\xff\xff\x00\x00", 4);
    EXPECT_EQ(ReadPackedDib(d.data(), d.size()).verdict, DibVerdict::NotUsable);
    for (auto bad : {Dib(40, 4, 4, 8, 1, 0, 1024, 4), Dib(40, 0, 4, 24, 0, 0, 0, 0),
                     Dib(40, 4, 0, 24, 0, 0, 0, 12), Dib(40, 4, 4, 12, 0, 0, 0, 8),
                     Dib(40, 4, 4, 24, 3, 0, 12, 12)})
        EXPECT_EQ(ReadPackedDib(bad.data(), bad.size()).verdict, DibVerdict::NotUsable);
    // Enormous sizes whose rows would overflow are caught by the block's size, not read.
    d = Dib(40, 65535, -65535, 32, 0, 0, 0, 0);
    EXPECT_EQ(ReadPackedDib(d.data(), d.size()).verdict, DibVerdict::NotUsable);
}

TEST(ClipboardPicture, FlattensAlphaOnWhite) {
    std::vector<uint8_t> px = {0, 0, 255, 255, 9, 9, 9, 0, 255, 0, 0, 128, 10, 20, 30, 64};
    FlattenOnWhite(px.data(), 4);
    EXPECT_EQ(px, (std::vector<uint8_t>{0, 0, 255, 255, 255, 255, 255, 255, 255, 127, 127, 255,
                                        194, 196, 199, 255}));
    // Alpha never filled in: the colours stay.
    std::vector<uint8_t> unset = {1, 2, 3, 0, 4, 5, 6, 0};
    FlattenOnWhite(unset.data(), 2);
    EXPECT_EQ(unset, (std::vector<uint8_t>{1, 2, 3, 255, 4, 5, 6, 255}));
}

TEST(Keys, EachScreenAnswersItsOwnShortcuts) {
    auto slot = [](int screen, unsigned key, bool ctrl, bool shift = false) {
        const KeyCommand c = CommandOfKey(screen, key, ctrl, shift, false);
        return c.action == KeyAction::PressSlot ? c.slot : -static_cast<int>(c.action) - 1;
    };
    const int none = -1, saveAsPng = -3, copy = -4, paste = -5, commit = -6;
    for (int screen : {2, 3, 40, 41, 42, 43, 44, 45, 5}) {
        EXPECT_EQ(slot(screen, 'Z', true), ColourSlot::Undo) << screen;
        EXPECT_EQ(slot(screen, 'Y', true), ColourSlot::Redo) << screen;
        EXPECT_EQ(slot(screen, 'Z', true, true), ColourSlot::Redo) << screen;
        EXPECT_EQ(slot(screen, Key::Enter, false), TitleSlot::Ok) << screen;
        EXPECT_EQ(slot(screen, Key::Escape, false), TitleSlot::Pre) << screen;
        EXPECT_EQ(slot(screen, 'S', true), saveAsPng) << screen;
        EXPECT_EQ(slot(screen, 'C', true), copy) << screen;
        EXPECT_EQ(slot(screen, 'O', true), none) << screen;
        EXPECT_EQ(slot(screen, 'Z', false), none) << screen;
    }
    EXPECT_EQ(slot(0, 'O', true), StartSlot::Open);
    EXPECT_EQ(slot(1, 'O', true), CameraSlot::Files);
    EXPECT_EQ(slot(1, Key::Enter, false), CameraSlot::Snapshot);
    // Space shoots too, on the camera screen only; Esc there stops a countdown.
    EXPECT_EQ(slot(1, Key::Space, false), CameraSlot::Snapshot);
    EXPECT_EQ(slot(2, Key::Space, false), none);
    EXPECT_EQ(CommandOfKey(1, Key::Escape, false, false, false).action, KeyAction::StopCountdown);
    for (int screen : {0, 1, 6})
        EXPECT_EQ(slot(screen, 'Z', true), none) << screen;
    EXPECT_EQ(slot(0, Key::Enter, false), none);
    EXPECT_EQ(slot(6, Key::Enter, false), none);
    EXPECT_EQ(slot(6, 'S', true), ExportSlot::SavePng);
    EXPECT_EQ(slot(6, Key::Escape, false), TitleSlot::Pre);
    EXPECT_EQ(slot(0, Key::Escape, false), none);
    for (int screen : {0, 1, 2})
        EXPECT_EQ(slot(screen, 'V', true), paste) << screen;
    EXPECT_EQ(slot(3, 'V', true), none);
    EXPECT_EQ(slot(0, 'C', true), none);
    EXPECT_EQ(slot(4, Key::F1, false), commit);
    EXPECT_EQ(CommandOfKey(2, 'Z', true, false, true).action, KeyAction::None); // Alt
    EXPECT_EQ(CommandOfCharacter('c').action, KeyAction::Commit);
    EXPECT_EQ(CommandOfCharacter('C').action, KeyAction::Commit);
    EXPECT_EQ(CommandOfCharacter('x').action, KeyAction::None);
}

} // namespace
