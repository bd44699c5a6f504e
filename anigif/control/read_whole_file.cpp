#include "control/read_whole_file.h"

#include <fstream>
#include <new>
#include <system_error>

namespace anigif {

std::vector<std::uint8_t> ReadWholeFile(const std::filesystem::path& path, std::size_t maxBytes) {
    std::error_code ec;
    if (!std::filesystem::is_regular_file(path, ec)) return {};
    const std::uintmax_t size = std::filesystem::file_size(path, ec);
    if (ec || size == 0 || size > maxBytes) return {};
    std::ifstream in(path, std::ios::binary);
    if (!in) return {};
    try {
        std::vector<std::uint8_t> bytes(static_cast<std::size_t>(size));
        in.read(reinterpret_cast<char*>(bytes.data()), static_cast<std::streamsize>(size));
        if (static_cast<std::uintmax_t>(in.gcount()) != size) return {};
        return bytes;
    } catch (const std::bad_alloc&) {
        return {};
    }
}

}  // namespace anigif
