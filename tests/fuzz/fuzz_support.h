// What every fuzz target shares: reading values off the input and failing loudly.
#pragma once
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <vector>

// A broken property is a finding like any crash: libFuzzer keeps the input that caused it.
#define FUZZ_CHECK(condition)                                                                      \
    do {                                                                                           \
        if (!(condition)) {                                                                        \
            std::fprintf(stderr, "%s:%d: property broken: %s\n", __FILE__, __LINE__, #condition);  \
            std::abort();                                                                          \
        }                                                                                          \
    } while (0)

// Values read front to back, little-endian, so that seeds are easy to write by hand. Past the
// end every value is zero: any input, however short, is a whole case.
class FuzzInput {
  public:
    FuzzInput(const uint8_t* data, std::size_t size) : data_(data), size_(size) {}

    uint8_t Byte() { return pos_ < size_ ? data_[pos_++] : 0; }
    uint16_t U16() {
        const unsigned low = Byte();
        return static_cast<uint16_t>(low | Byte() << 8);
    }
    uint32_t U32() {
        const uint32_t low = U16();
        return low | static_cast<uint32_t>(U16()) << 16;
    }
    int16_t I16() { return static_cast<int16_t>(U16()); }
    int32_t I32() { return static_cast<int32_t>(U32()); }
    float F32() {
        const uint32_t bits = U32();
        float f;
        std::memcpy(&f, &bits, sizeof f);
        return f;
    }
    // lo..hi inclusive, from one or two bytes.
    int Between(int lo, int hi) {
        const unsigned span = static_cast<unsigned>(hi - lo) + 1;
        const unsigned raw = span <= 256 ? Byte() : U16();
        return lo + static_cast<int>(raw % span);
    }
    // A size or position: mostly lo .. lo + 63, so that most runs are cheap; one byte in eight
    // asks for any int32 instead (zero, negative, huge, and the edges comparisons look for).
    int Small(int lo) {
        const uint8_t b = Byte();
        return b < 0xE0 ? lo + b % 64 : I32();
    }
    // Up to n of the next bytes.
    std::vector<uint8_t> Bytes(std::size_t n) {
        const std::size_t k = n < Remaining() ? n : Remaining();
        std::vector<uint8_t> out(data_ + pos_, data_ + pos_ + k);
        pos_ += k;
        return out;
    }
    std::size_t Remaining() const { return size_ - pos_; }
    bool Empty() const { return pos_ >= size_; }

  private:
    const uint8_t* data_;
    std::size_t size_;
    std::size_t pos_ = 0;
};

// n bytes repeating a pattern (zeros for an empty one): large pictures from small inputs.
inline std::vector<uint8_t> Tiled(const std::vector<uint8_t>& pattern, std::size_t n,
                                  unsigned salt = 0) {
    std::vector<uint8_t> out(n);
    if (pattern.empty() || n == 0)
        return out;
    const std::size_t period = pattern.size() < n ? pattern.size() : n;
    for (std::size_t i = 0; i < period; ++i)
        out[i] = static_cast<uint8_t>(pattern[(i + salt) % pattern.size()] + salt);
    // Doubling copies keep large pictures cheap.
    for (std::size_t done = period; done < n; done *= 2)
        std::memcpy(out.data() + done, out.data(), done < n - done ? done : n - done);
    return out;
}

// A heap block of exactly n bytes, so that AddressSanitizer flags the first byte beyond it; for
// n = 0 every access is flagged.
class ExactBuffer {
  public:
    explicit ExactBuffer(std::size_t n, uint8_t fill = 0) : n_(n), p_(new uint8_t[n]) {
        std::memset(p_, fill, n);
    }
    ExactBuffer(const std::vector<uint8_t>& bytes) : ExactBuffer(bytes.size()) {
        if (!bytes.empty())
            std::memcpy(p_, bytes.data(), bytes.size());
    }
    ~ExactBuffer() { delete[] p_; }
    ExactBuffer(const ExactBuffer&) = delete;
    ExactBuffer& operator=(const ExactBuffer&) = delete;
    uint8_t* data() { return p_; }
    const uint8_t* data() const { return p_; }
    std::size_t size() const { return n_; }
    uint8_t& operator[](std::size_t i) { return p_[i]; }
    uint8_t operator[](std::size_t i) const { return p_[i]; }
    bool Equals(const uint8_t* other, std::size_t n) const {
        return n == 0 || std::memcmp(p_, other, n) == 0;
    }

  private:
    std::size_t n_;
    uint8_t* p_;
};
