// The temporary picture reader and writer over a file held in memory. A file in the temporary
// folder can be cut short, grown or replaced by another program, so its bytes are the input.
//
// Input: flags, area width and height (FuzzInput::Small; with flag 0x80 the height is the
// plane's capacity over the width plus -2..2, the edge where an off-by-one would write past
// the planes), the most bytes one read or write call moves (0: no limit), the file's bytes.
#include "fuzz_support.h"

#include "picture/temporary_picture.h"
#include "skin/color_planes.h"

#include <string>

namespace {

struct MemoryFile {
    std::vector<uint8_t> bytes;
    std::size_t position = 0;
    std::size_t callLimit = 0;
    bool openFails = false, createFails = false;
    int opens = 0, closes = 0, removes = 0;
    std::string removedName;
    std::vector<std::size_t> requests; // sizes asked of each read or write
};

MemoryFile* File = nullptr;
const char* const Name = "~00A.TMP";

std::size_t Limited(std::size_t n) {
    return File->callLimit != 0 && n > File->callLimit ? File->callLimit : n;
}

void* Open(const char* name) {
    FUZZ_CHECK(std::strcmp(name, Name) == 0);
    if (File->openFails)
        return nullptr;
    ++File->opens;
    File->position = 0;
    return File;
}

void* Create(const char* name) {
    FUZZ_CHECK(std::strcmp(name, Name) == 0);
    if (File->createFails)
        return nullptr;
    ++File->opens;
    File->bytes.clear();
    File->position = 0;
    return File;
}

std::size_t Read(void* file, uint8_t* data, std::size_t size) {
    FUZZ_CHECK(file == File);
    File->requests.push_back(size);
    const std::size_t left = File->bytes.size() - File->position;
    const std::size_t n = Limited(size < left ? size : left);
    // Every byte the caller says it can take is written, so the sanitizer checks the whole span.
    if (size != 0)
        std::memset(data, 0xEE, size);
    if (n != 0)
        std::memcpy(data, File->bytes.data() + File->position, n);
    File->position += n;
    return n;
}

std::size_t Write(void* file, const uint8_t* data, std::size_t size) {
    FUZZ_CHECK(file == File);
    File->requests.push_back(size);
    const std::size_t n = Limited(size);
    volatile uint8_t sum = 0;
    for (std::size_t i = 0; i < size; ++i)
        sum = sum + data[i]; // the whole span must be readable
    File->bytes.insert(File->bytes.end(), data, data + n);
    return n;
}

void Close(void* file) {
    FUZZ_CHECK(file == File);
    ++File->closes;
}

void Remove(const char* name) {
    ++File->removes;
    File->removedName = name;
}

const PictureFileIo Io = {Create, Open, Write, Read, Close, Remove};

// What a plane holds before the read: distinct per plane and position, so that a plane read
// into the wrong place shows.
const uint8_t* Untouched(int plane) {
    static const std::vector<uint8_t> pattern = [] {
        std::vector<uint8_t> p(3 * static_cast<std::size_t>(PlaneCapacity));
        for (std::size_t i = 0; i < p.size(); ++i)
            p[i] = static_cast<uint8_t>(0x5A + i * 13 + i / PlaneCapacity * 61);
        return p;
    }();
    return pattern.data() + static_cast<std::size_t>(plane) * PlaneCapacity;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
    FuzzInput in(data, size);
    const uint8_t flags = in.Byte();
    const int width = in.Small(-2);
    const int height =
        (flags & 0x80) && width > 0 ? PlaneCapacity / width + in.Between(-2, 2) : in.Small(-2);
    MemoryFile file;
    File = &file;
    file.callLimit = in.U16();
    file.openFails = (flags & 1) != 0;
    const int deleteAfter = (flags & 2) ? 1 + ((flags >> 4) & 7) : 0; // any non-zero deletes
    const bool roundTrip = (flags & 4) != 0;
    file.createFails = (flags & 8) != 0;
    file.bytes = in.Bytes(in.Remaining());
    const std::vector<uint8_t> stored = file.bytes;

    const long long area = static_cast<long long>(width) * height;
    const bool fits = width > 0 && height > 0 && area <= PlaneCapacity;
    const std::size_t n = fits ? static_cast<std::size_t>(area) : 0;

    // Planes of exactly one area: the reader may not touch a byte beyond it.
    ExactBuffer blue(n), green(n), red(n);
    ExactBuffer* planes[3] = {&blue, &green, &red};
    for (int p = 0; p < 3; ++p)
        if (n != 0)
            std::memcpy(planes[p]->data(), Untouched(p), n);

    const int read = ReadTemporaryPicture(Io, Name, blue.data(), green.data(), red.data(), width,
                                          height, deleteAfter);
    FUZZ_CHECK(TemporaryPictureSize(width, height) == 3 * n);
    FUZZ_CHECK(file.opens == file.closes);
    for (std::size_t r : file.requests)
        FUZZ_CHECK(r == n);
    // How many planes came whole: each read call moves at most n bytes.
    int whole = 0;
    std::size_t offset = 0;
    const bool callsTakeAPlane = file.callLimit == 0 || file.callLimit >= n;
    while (whole < 3 && callsTakeAPlane && offset + n <= stored.size()) {
        ++whole;
        offset += n;
    }
    if (!fits || file.openFails) {
        FUZZ_CHECK(read == 0);
        FUZZ_CHECK(file.opens == 0 && file.removes == 0);
        for (int p = 0; p < 3; ++p)
            FUZZ_CHECK(planes[p]->Equals(Untouched(p), n));
    } else {
        FUZZ_CHECK(file.opens == 1);
        FUZZ_CHECK(read == (whole == 3 ? 1 : 0));
        // Deleted after a failed read, and after a good one only when asked.
        const bool removed = whole < 3 || deleteAfter != 0;
        FUZZ_CHECK(file.removes == (removed ? 1 : 0));
        if (removed)
            FUZZ_CHECK(file.removedName == Name);
        for (int p = 0; p < 3; ++p) {
            if (p < whole)
                FUZZ_CHECK(planes[p]->Equals(stored.data() + p * n, n));
            else if (p > whole)
                FUZZ_CHECK(planes[p]->Equals(Untouched(p), n));
        }
    }

    if (roundTrip) {
        // What was read goes back out and in again unchanged.
        file.opens = file.closes = file.removes = 0;
        file.requests.clear();
        file.openFails = false;
        const int written =
            WriteTemporaryPicture(Io, Name, blue.data(), green.data(), red.data(), width, height);
        FUZZ_CHECK(file.opens == file.closes);
        for (std::size_t r : file.requests)
            FUZZ_CHECK(r == n);
        const bool complete = fits && !file.createFails && callsTakeAPlane;
        FUZZ_CHECK(written == (complete ? 1 : 0));
        if (!fits || file.createFails) {
            FUZZ_CHECK(file.opens == 0 && file.removes == 0);
        } else if (!complete) {
            FUZZ_CHECK(file.removes == 1 && file.removedName == Name);
        } else {
            FUZZ_CHECK(file.removes == 0);
            FUZZ_CHECK(file.bytes.size() == TemporaryPictureSize(width, height));
            ExactBuffer blue2(n), green2(n), red2(n);
            FUZZ_CHECK(ReadTemporaryPicture(Io, Name, blue2.data(), green2.data(), red2.data(),
                                            width, height, 0) == 1);
            FUZZ_CHECK(blue2.Equals(blue.data(), n) && green2.Equals(green.data(), n) &&
                       red2.Equals(red.data(), n));
        }
    }
    File = nullptr;
    return 0;
}
