// Byte buffers and the little/big-endian fields the file formats are made of.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

namespace skingen {

using Bytes = std::vector<std::uint8_t>;

inline void PutU8(Bytes& b, unsigned v) {
    b.push_back(static_cast<std::uint8_t>(v));
}
inline void PutLE16(Bytes& b, unsigned v) {
    PutU8(b, v & 0xFF);
    PutU8(b, (v >> 8) & 0xFF);
}
inline void PutLE32(Bytes& b, std::uint32_t v) {
    PutLE16(b, v & 0xFFFF);
    PutLE16(b, v >> 16);
}
inline void PutBE16(Bytes& b, unsigned v) {
    PutU8(b, (v >> 8) & 0xFF);
    PutU8(b, v & 0xFF);
}
inline void PutBE32(Bytes& b, std::uint32_t v) {
    PutBE16(b, v >> 16);
    PutBE16(b, v & 0xFFFF);
}
inline void PutTag(Bytes& b, const char (&tag)[5]) {
    for (int i = 0; i < 4; ++i)
        PutU8(b, static_cast<unsigned char>(tag[i]));
}

inline std::uint32_t GetLE16(const Bytes& b, std::size_t at) {
    return static_cast<std::uint32_t>(b.at(at) | b.at(at + 1) << 8);
}
inline std::uint32_t GetLE32(const Bytes& b, std::size_t at) {
    return GetLE16(b, at) | GetLE16(b, at + 2) << 16;
}

// Creates missing parent folders; throws std::runtime_error when the file can't be written.
void WriteFile(const std::string& path, const Bytes& bytes);

} // namespace skingen
