#pragma once

#include <array>
#include <cstdint>
#include <limits>
#include <optional>
#include <string_view>

namespace anigif {

// The control's designer-visible properties, one row each, in the order they are saved:
//   VALUE(Name, Type, Mark, Key, Stored, Default, Rule, Min, Max)
//   BYTES(Name, Mark, Key)
// Name is the property (getter Name(), setter SetName()); Type its value type; Mark what a change
// reports to the host ("" for nothing); Key its name in the saved settings; Stored the type
// written there; Default a value that is not written; Rule what a setter does with a value
// outside [Min, Max]. A setting read back that its property would refuse counts as missing.
// Expanded by the control, its settings and AniGifWidget's Qt properties.
#define ANIGIF_PROPERTY_TABLE(VALUE, BYTES)                                                    \
    BYTES(AnimatedGIF, "AnimatedGIF", "GIF")                                                   \
    VALUE(MinFrameDelay, std::int32_t, "Delay", "Delay", Int16, 50, Clamp, 10, 32700)          \
    VALUE(Stretch, std::int32_t, "Stretch", "Stretch", Int32, 1, Refuse, 0, 4)                 \
    VALUE(Loops, std::int32_t, "Loops", "Loops", Int32, 0, Magnitude, 0, 0)                    \
    VALUE(DelayAnimation, std::int32_t, "DelayAnimation", "DelayLoad", Int32, 1, Refuse, 0, 3) \
    VALUE(Mirrored, std::int32_t, "Mirrored", "Mirror", Int32, 0, Refuse, 0, 3)                \
    BYTES(MouseIcon, "MouseIcon", "MouseIcon")                                                 \
    VALUE(MousePointer, std::int16_t, "", "MousePointer", Int16, 0, Any, 0, 0)                 \
    VALUE(Enabled, bool, "Enabled", "Enabled", Bool, 1, Any, 0, 0)                             \
    VALUE(OffsetX, std::int32_t, "", "OffsetX", Int32, 0, Any, 0, 0)                           \
    VALUE(OffsetY, std::int32_t, "", "OffsetY", Int32, 0, Any, 0, 0)                           \
    VALUE(SolidBkgColor, std::uint32_t, "", "BkgFill", Int32, 0, Any, 0, 0)                    \
    VALUE(SolidBkgColorUsed, bool, "", "BkgUsed", Bool, 0, Any, 0, 0)                          \
    VALUE(SteppedDelay, std::int32_t, "", "StepDelay", Int32, 0, Clamp, 0, 2147483647)

enum class Property : std::uint8_t {
#define ANIGIF_ENUM_VALUE(Name, ...) Name,
#define ANIGIF_ENUM_BYTES(Name, ...) Name,
    ANIGIF_PROPERTY_TABLE(ANIGIF_ENUM_VALUE, ANIGIF_ENUM_BYTES)
#undef ANIGIF_ENUM_VALUE
#undef ANIGIF_ENUM_BYTES
};

enum class StoredType : std::uint8_t { Bytes, Int16, Int32, Bool };

// Any: every value is taken. Clamp: taken into [Min, Max]. Refuse: ignored outside [Min, Max].
// Magnitude: the value's magnitude, the most negative number counting as the largest.
enum class RangeRule : std::uint8_t { Any, Clamp, Refuse, Magnitude };

struct PropertySpec {
    Property Id;
    std::string_view Name;
    std::string_view Mark;
    std::string_view Key;
    StoredType Stored;
    std::int32_t Default;
    RangeRule Rule;
    std::int32_t Min;
    std::int32_t Max;
};

inline constexpr std::array kPropertyTable = {
#define ANIGIF_SPEC_VALUE(Name, Type, Mark, Key, Stored, Default, Rule, Min, Max) \
    PropertySpec{Property::Name, #Name,           Mark, Key, StoredType::Stored,  \
                 Default,        RangeRule::Rule, Min,  Max},
#define ANIGIF_SPEC_BYTES(Name, Mark, Key) \
    PropertySpec{Property::Name, #Name, Mark, Key, StoredType::Bytes, 0, RangeRule::Any, 0, 0},
    ANIGIF_PROPERTY_TABLE(ANIGIF_SPEC_VALUE, ANIGIF_SPEC_BYTES)
#undef ANIGIF_SPEC_VALUE
#undef ANIGIF_SPEC_BYTES
};

constexpr const PropertySpec& SpecOf(Property p) { return kPropertyTable[std::size_t(p)]; }

// What a setter makes of `value` by its property's rule; nothing when the value is refused.
constexpr std::optional<std::int64_t> ApplyRange(Property p, std::int64_t value) {
    const PropertySpec& s = SpecOf(p);
    switch (s.Rule) {
        case RangeRule::Any:
            return value;
        case RangeRule::Clamp:
            return value < s.Min ? s.Min : value > s.Max ? s.Max : value;
        case RangeRule::Refuse:
            if (value < s.Min || value > s.Max) return std::nullopt;
            return value;
        case RangeRule::Magnitude:
            if (value == std::numeric_limits<std::int32_t>::min())
                return std::numeric_limits<std::int32_t>::max();
            return value < 0 ? -value : value;
    }
    return value;
}

}  // namespace anigif
