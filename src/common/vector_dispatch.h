// Wider vectors are reached only at run time: every fast routine has a baseline (SSE2) body and,
// where it pays, the same source compiled for AVX2, chosen when the processor has it.
#pragma once
#include <cstdint>
#include <cstring>

// True when the processor and the system support AVX2 and WideVectorsAllowed is set.
bool UseAvx2();
// Cleared to force the baseline bodies (the tests compare both).
extern bool WideVectorsAllowed;

#if defined(__GNUC__)
// The 32-byte vectors only pass between always-inlined helpers, never across a real call.
#pragma GCC diagnostic ignored "-Wpsabi"
#define FLIMMER_INLINE inline __attribute__((always_inline))
#define FLIMMER_AVX2 __attribute__((target("avx2"), noinline))
// Helpers that use AVX2 intrinsics: they inline only into FLIMMER_AVX2 bodies.
#define FLIMMER_AVX2_INLINE inline __attribute__((target("avx2"), always_inline))
#define FLIMMER_NOINLINE __attribute__((noinline))
// After a lambda's parameter list: inlined into the caller, so it takes the caller's target.
#define FLIMMER_LAMBDA __attribute__((always_inline))
#else
#define FLIMMER_INLINE inline
#define FLIMMER_AVX2
#define FLIMMER_AVX2_INLINE inline
#define FLIMMER_NOINLINE
#define FLIMMER_LAMBDA
#endif

// Generic vectors: 32 bytes, split into two SSE2 registers in the baseline bodies.
typedef uint8_t V32u8 __attribute__((vector_size(32)));
typedef uint8_t V16u8 __attribute__((vector_size(16)));
typedef int16_t V16i16 __attribute__((vector_size(32)));
typedef int16_t V8i16 __attribute__((vector_size(16)));
typedef uint16_t V8u16 __attribute__((vector_size(16)));
typedef uint16_t V16u16 __attribute__((vector_size(32)));
typedef int32_t V8i32 __attribute__((vector_size(32)));
typedef int32_t V4i32 __attribute__((vector_size(16)));
typedef double V4f64 __attribute__((vector_size(32)));
typedef float V8f32 __attribute__((vector_size(32)));

typedef float V4f32 __attribute__((vector_size(16)));
typedef uint16_t V4u16 __attribute__((vector_size(8)));
typedef uint32_t V4u32 __attribute__((vector_size(16)));
typedef uint32_t V8u32 __attribute__((vector_size(32)));

// Bodies that run four lanes wide on the baseline and eight with AVX2 (vectors wider than the
// registers would make GCC go through memory or split selects into single lanes).
template <int N> struct LaneTypes;
template <> struct LaneTypes<4> {
    using F = V4f32;
    using I = V4i32;
    using U = V4u32;
    using U16 = V4u16;
};
template <> struct LaneTypes<8> {
    using F = V8f32;
    using I = V8i32;
    using U = V8u32;
    using U16 = V8u16;
};

template <typename V> FLIMMER_INLINE V LoadVector(const void* p) {
    V v;
    std::memcpy(&v, p, sizeof v);
    return v;
}
template <typename V> FLIMMER_INLINE void StoreVector(void* p, const V& v) {
    std::memcpy(p, &v, sizeof v);
}
template <typename V> FLIMMER_INLINE V Min(const V& a, const V& b) {
    return a < b ? a : b;
}
template <typename V> FLIMMER_INLINE V Max(const V& a, const V& b) {
    return a < b ? b : a;
}

// The two 16-byte halves of a 32-byte vector, and back. Operations the baseline cannot do on a
// 32-byte vector as a whole (it would go lane by lane) are done on the halves.
template <typename Half, typename V> FLIMMER_INLINE void Split(const V& v, Half& low, Half& high) {
    static_assert(sizeof(Half) * 2 == sizeof(V));
    std::memcpy(&low, &v, sizeof low);
    std::memcpy(&high, reinterpret_cast<const char*>(&v) + sizeof low, sizeof high);
}
template <typename V, typename Half> FLIMMER_INLINE V Join(const Half& low, const Half& high) {
    static_assert(sizeof(Half) * 2 == sizeof(V));
    V v;
    std::memcpy(&v, &low, sizeof low);
    std::memcpy(reinterpret_cast<char*>(&v) + sizeof low, &high, sizeof high);
    return v;
}

// Runs body(x) for groups of Lanes pixels covering [first, last); the final group is moved back to
// end at last, so a few pixels are computed twice with the same result (outputs never feed
// inputs). Needs last - first >= Lanes.
template <int Lanes, typename Body>
FLIMMER_INLINE void ForGroups(int first, int last, Body&& body) {
    const int end = last - Lanes;
    for (int x = first;; x += Lanes) {
        if (x > end)
            x = end;
        body(x);
        if (x == end)
            break;
    }
}
