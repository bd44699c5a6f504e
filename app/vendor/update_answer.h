#pragma once

#include <QString>

namespace vendor {

// The release number this program compares the vendor's answer with.
inline constexpr int kOwnRelease = 4;
static_assert(kOwnRelease > 0, "the digit comparison below assumes a positive release");

enum class UpdateVerdict {
    NotANumber,  // empty answer, error page, anything but one decimal number
    Newer,       // a number greater than our release
    Current,     // a number not greater than our release
};

// Reads the update check's answer: one decimal number with an optional sign, white space allowed
// around it (a trailing line break included). The comparison is exact on the decimal digits, so
// "4.0000000000000001" is newer even though a double would round it to 4.
UpdateVerdict JudgeUpdateAnswer(const QString& answer);

}  // namespace vendor
