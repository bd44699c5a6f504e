#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <utility>
#include <variant>
#include <vector>

namespace anigif {

// The settings a form designer keeps for one control: named, typed values in the order they were
// written. A value equal to the default given with it is not written; reading a name that is not
// there gives the default given with the read.
//
// Serialised form, version 1 (all numbers little-endian):
//   "AGPB" 0x01                           magic and version
//   then per value: type (1 byte: 1 bytes, 2 int16, 3 int32, 4 bool), name length (1 byte),
//   the name (UTF-8), then the value: bytes as a 32-bit length and the bytes, int16 in 2 bytes,
//   int32 in 4, bool in 1 (0 or 1)
//   0x00                                  end
// A reader keeps every value it could read whole and stops at the first that is cut off or
// unknown; a store of a later version is read as empty.
class PropertyBag {
  public:
    using Bytes = std::vector<std::uint8_t>;
    using Value = std::variant<Bytes, std::int16_t, std::int32_t, bool>;

    // Writes (or replaces) `name`, unless the value equals `defaultValue`.
    void Write(std::string_view name, const Value& value,
               const std::optional<Value>& defaultValue = std::nullopt);

    // The stored value when it has the default's type, else the default.
    template <class T>
    T Read(std::string_view name, const T& defaultValue) const {
        const Value* v = Find(name);
        if (v == nullptr) return defaultValue;
        if (const T* typed = std::get_if<T>(v)) return *typed;
        return defaultValue;
    }
    bool Contains(std::string_view name) const { return Find(name) != nullptr; }
    std::vector<std::string> Names() const;

    Bytes Serialize() const;
    static PropertyBag Parse(std::span<const std::uint8_t> bytes);

  private:
    const Value* Find(std::string_view name) const;

    std::vector<std::pair<std::string, Value>> entries_;
};

}  // namespace anigif
