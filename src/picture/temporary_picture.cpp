#include "picture/temporary_picture.h"

#include "skin/color_planes.h"

#include <cstdio>
#include <initializer_list>

namespace {

void* StdCreate(const char* name) {
    return std::fopen(name, "wb");
}
void* StdOpen(const char* name) {
    return std::fopen(name, "rb");
}
std::size_t StdWrite(void* f, const uint8_t* data, std::size_t n) {
    return std::fwrite(data, 1, n, static_cast<std::FILE*>(f));
}
std::size_t StdRead(void* f, uint8_t* data, std::size_t n) {
    return std::fread(data, 1, n, static_cast<std::FILE*>(f));
}
void StdClose(void* f) {
    std::fclose(static_cast<std::FILE*>(f));
}
void StdRemove(const char* name) {
    std::remove(name);
}

// One plane's block, or 0 when the area is empty or larger than a plane.
std::size_t BlockSize(int areaWidth, int areaHeight) {
    if (areaWidth <= 0 || areaHeight <= 0)
        return 0;
    const long long n = static_cast<long long>(areaWidth) * areaHeight;
    return n > PlaneCapacity ? 0 : static_cast<std::size_t>(n);
}

} // namespace

const PictureFileIo StandardPictureFileIo = {StdCreate, StdOpen,  StdWrite,
                                             StdRead,   StdClose, StdRemove};

std::size_t TemporaryPictureSize(int areaWidth, int areaHeight) {
    return 3 * BlockSize(areaWidth, areaHeight);
}

int WriteTemporaryPicture(const PictureFileIo& io, const char* name, const uint8_t* blue,
                          const uint8_t* green, const uint8_t* red, int areaWidth, int areaHeight) {
    const std::size_t n = BlockSize(areaWidth, areaHeight);
    if (n == 0)
        return 0;
    void* file = io.create(name);
    if (file == nullptr)
        return 0;
    for (const uint8_t* plane : {blue, green, red})
        if (io.write(file, plane, n) != n) {
            io.close(file);
            io.remove(name);
            return 0;
        }
    io.close(file);
    return 1;
}

int ReadTemporaryPicture(const PictureFileIo& io, const char* name, uint8_t* blue, uint8_t* green,
                         uint8_t* red, int areaWidth, int areaHeight, int deleteAfter) {
    const std::size_t n = BlockSize(areaWidth, areaHeight);
    if (n == 0)
        return 0;
    void* file = io.open(name);
    if (file == nullptr)
        return 0;
    for (uint8_t* plane : {blue, green, red})
        if (io.read(file, plane, n) != n) {
            io.close(file);
            io.remove(name);
            return 0;
        }
    io.close(file);
    if (deleteAfter != 0)
        io.remove(name);
    return 1;
}
