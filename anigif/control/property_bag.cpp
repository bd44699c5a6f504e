#include "control/property_bag.h"

#include <algorithm>

namespace anigif {

namespace {

constexpr std::uint8_t kMagic[] = {'A', 'G', 'P', 'B'};
constexpr std::uint8_t kVersion = 1;
enum Type : std::uint8_t { kEnd = 0, kBytes = 1, kInt16 = 2, kInt32 = 3, kBool = 4 };

void PutLe(PropertyBag::Bytes& out, std::uint32_t v, int bytes) {
    for (int i = 0; i < bytes; ++i) out.push_back(static_cast<std::uint8_t>(v >> (8 * i)));
}

// Reads from a span without ever going past its end.
class Reader {
  public:
    explicit Reader(std::span<const std::uint8_t> bytes) : rest_(bytes) {}
    bool Take(std::size_t n, std::span<const std::uint8_t>& out) {
        if (rest_.size() < n) return false;
        out = rest_.first(n);
        rest_ = rest_.subspan(n);
        return true;
    }
    bool Le(int bytes, std::uint32_t& out) {
        std::span<const std::uint8_t> s;
        if (!Take(std::size_t(bytes), s)) return false;
        out = 0;
        for (int i = 0; i < bytes; ++i) out |= std::uint32_t{s[std::size_t(i)]} << (8 * i);
        return true;
    }

  private:
    std::span<const std::uint8_t> rest_;
};

}  // namespace

void PropertyBag::Write(std::string_view name, const Value& value,
                        const std::optional<Value>& defaultValue) {
    const auto same = [name](const auto& e) { return e.first == name; };
    std::erase_if(entries_, same);
    if (defaultValue && *defaultValue == value) return;
    entries_.emplace_back(std::string(name.substr(0, 255)), value);
}

const PropertyBag::Value* PropertyBag::Find(std::string_view name) const {
    const auto it = std::find_if(entries_.begin(), entries_.end(),
                                 [name](const auto& e) { return e.first == name; });
    return it == entries_.end() ? nullptr : &it->second;
}

std::vector<std::string> PropertyBag::Names() const {
    std::vector<std::string> names;
    for (const auto& e : entries_) names.push_back(e.first);
    return names;
}

PropertyBag::Bytes PropertyBag::Serialize() const {
    Bytes out(std::begin(kMagic), std::end(kMagic));
    out.push_back(kVersion);
    for (const auto& [name, value] : entries_) {
        out.push_back(static_cast<std::uint8_t>(kBytes + value.index()));
        out.push_back(static_cast<std::uint8_t>(name.size()));
        out.insert(out.end(), name.begin(), name.end());
        if (const Bytes* b = std::get_if<Bytes>(&value)) {
            PutLe(out, static_cast<std::uint32_t>(b->size()), 4);
            out.insert(out.end(), b->begin(), b->end());
        } else if (const std::int16_t* s = std::get_if<std::int16_t>(&value)) {
            PutLe(out, static_cast<std::uint16_t>(*s), 2);
        } else if (const std::int32_t* l = std::get_if<std::int32_t>(&value)) {
            PutLe(out, static_cast<std::uint32_t>(*l), 4);
        } else {
            out.push_back(std::get<bool>(value) ? 1 : 0);
        }
    }
    out.push_back(kEnd);
    return out;
}

PropertyBag PropertyBag::Parse(std::span<const std::uint8_t> bytes) {
    PropertyBag bag;
    Reader r(bytes);
    std::span<const std::uint8_t> head;
    if (!r.Take(5, head) || !std::equal(std::begin(kMagic), std::end(kMagic), head.begin()) ||
        head[4] != kVersion)
        return bag;
    for (;;) {
        std::uint32_t type = 0, nameLength = 0;
        std::span<const std::uint8_t> name;
        if (!r.Le(1, type) || type == kEnd || !r.Le(1, nameLength) || !r.Take(nameLength, name))
            return bag;
        Value value;
        std::uint32_t v = 0;
        std::span<const std::uint8_t> data;
        switch (type) {
            case kBytes:
                if (!r.Le(4, v) || !r.Take(v, data)) return bag;
                value = Bytes(data.begin(), data.end());
                break;
            case kInt16:
                if (!r.Le(2, v)) return bag;
                value = static_cast<std::int16_t>(static_cast<std::uint16_t>(v));
                break;
            case kInt32:
                if (!r.Le(4, v)) return bag;
                value = static_cast<std::int32_t>(v);
                break;
            case kBool:
                if (!r.Le(1, v) || v > 1) return bag;
                value = v == 1;
                break;
            default:
                return bag;
        }
        bag.Write(std::string_view(reinterpret_cast<const char*>(name.data()), name.size()), value);
    }
}

}  // namespace anigif
