// Temporary picture files: the three planes' first area-size bytes, blue, green, red, with no
// header, so that every file of one display layout has the same size.
#pragma once
#include <cstddef>
#include <cstdint>

// The file operations the format needs; the platform supplies its own (sharing, hints).
struct PictureFileIo {
    void* (*create)(const char* name); // for writing, truncated or created; null on failure
    void* (*open)(const char* name);   // for reading, existing files only; null on failure
    std::size_t (*write)(void* file, const uint8_t* data, std::size_t size);
    std::size_t (*read)(void* file, uint8_t* data, std::size_t size);
    void (*close)(void* file);
    void (*remove)(const char* name);
};

// Portable stdio files.
extern const PictureFileIo StandardPictureFileIo;

// Bytes of one file: three planes of areaWidth x areaHeight.
std::size_t TemporaryPictureSize(int areaWidth, int areaHeight);
// 1 on success; 0 when the file cannot be created or fully written (it is then deleted), or
// when the area does not fit a plane.
int WriteTemporaryPicture(const PictureFileIo& io, const char* name, const uint8_t* blue,
                          const uint8_t* green, const uint8_t* red, int areaWidth, int areaHeight);
// 1 on success (the file deleted afterwards if deleteAfter is set); 0 when it cannot be opened
// (left alone) or fully read (deleted; planes already read keep their new contents).
int ReadTemporaryPicture(const PictureFileIo& io, const char* name, uint8_t* blue, uint8_t* green,
                         uint8_t* red, int areaWidth, int areaHeight, int deleteAfter);
