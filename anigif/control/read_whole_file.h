#pragma once

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <vector>

namespace anigif {

// The whole file, or nothing when it is missing, not a regular file, empty, larger than
// `maxBytes`, or cannot be read completely.
std::vector<std::uint8_t> ReadWholeFile(const std::filesystem::path& path, std::size_t maxBytes);

}  // namespace anigif
