#pragma once
// The built-in phrases of the drill: two sets in one table, split by an empty
// entry that is never shown.
#include <array>
#include <string_view>

namespace vorm {

inline constexpr int kPhraseCount = 134;

// A phrase set is the half-open index range [start, end) of the bank.
struct PhraseSet {
  int start;
  int end;
};

inline constexpr PhraseSet kStandardSet{103, 134};
inline constexpr PhraseSet kExtendedSet{0, 102};

// UTF-8 texts; entry 102 is empty.
const std::array<std::string_view, kPhraseCount>& phraseBank();

}  // namespace vorm
