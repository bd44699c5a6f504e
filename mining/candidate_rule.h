#pragma once

#include <QString>
#include <QStringView>

namespace mining {

// Longer than this many characters, a candidate is page debris, not a keyword; each one kept would
// cost the list, the file and every later duplicate test its whole length.
inline constexpr int kMaxKeywordLength = 1024;

enum class CandidateFate { Keyword, Empty, TooLong };

struct Candidate {
    QString text;  // the keyword; empty unless the fate is Keyword
    CandidateFate fate = CandidateFate::Keyword;
};

// The keyword a candidate cut from a page stands for, as the engine showed it: character
// references decoded (named ones of HTML, decimal and hex), then every C0 control character and
// DEL made a space. Nothing else changes, blanks included. Empty or overlong, it is no keyword.
// This precedes the duplicate test and the filter.
Candidate TakeCandidate(QStringView raw);

}  // namespace mining
