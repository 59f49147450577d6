#pragma once
// Advice for a desktop that cannot type an alphabet the drill asks for.
//
// The drill mixes Cyrillic and Latin letters. A desktop whose keyboard has
// no group for one of them leaves the user stuck at the first such letter,
// every key refused. The advisor knows which alphabets the desktop's
// keyboard types and says, once for each missing alphabet, what is wrong
// and how to add a layout.
#include <optional>
#include <set>
#include <string>

namespace vorm {

enum class Alphabet { Latin, Cyrillic };

// The alphabet of a letter; none for digits, signs and blanks, which every
// layout types.
std::optional<Alphabet> alphabetOf(char32_t c);

struct Advice {
  std::string title;
  std::string text;
};

class LayoutAdvisor {
 public:
  // Alphabets the desktop's keyboard groups type. Until this is called the
  // advisor knows nothing and gives no advice (a desktop that cannot be
  // asked).
  void setAvailable(std::set<Alphabet> alphabets) { available_ = std::move(alphabets); }

  // Advice when `expected` (the next character of the phrase) is a letter
  // of an alphabet the keyboard lacks, the first time only for each
  // alphabet.
  std::optional<Advice> check(char32_t expected);

 private:
  std::optional<std::set<Alphabet>> available_;
  std::set<Alphabet> told_;
};

}  // namespace vorm
