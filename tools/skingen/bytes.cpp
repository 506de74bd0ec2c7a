#include "bytes.h"

#include <filesystem>
#include <fstream>
#include <stdexcept>

namespace skingen {

void WriteFile(const std::string& path, const Bytes& bytes) {
    const std::filesystem::path p(path);
    if (p.has_parent_path())
        std::filesystem::create_directories(p.parent_path());
    std::ofstream out(p, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()),
              static_cast<std::streamsize>(bytes.size()));
    if (!out)
        throw std::runtime_error("cannot write " + path);
}

} // namespace skingen
