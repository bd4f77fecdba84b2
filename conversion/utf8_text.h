#pragma once
// Character counts of cell texts, which are UTF-8. A byte that does not start a
// well-formed sequence counts as one character of its own, so every text has
// a length and can be cut, and no cut ever splits a well-formed sequence.

#include <cstddef>
#include <string>
#include <string_view>

namespace angoli {

// CharCount("45") -> 2; CharCount("è5") -> 2 (three bytes)
std::size_t CharCount(std::string_view text);

// FirstChars("5083333", 5) -> "50833"; FirstChars("àè", 1) -> "à"
std::string FirstChars(std::string_view text, std::size_t n);

// LastChars("30,4998", 4) -> "4998"; LastChars("12", 4) -> "12"
std::string LastChars(std::string_view text, std::size_t n);

// The text with every byte that is not part of a well-formed sequence replaced
// by U+FFFD, as a keyboard or clipboard would hand it over:
// ToValidUtf8("a\xff") -> "a\xEF\xBF\xBD"; ToValidUtf8("45") -> "45"
std::string ToValidUtf8(std::string_view text);

// IsValidUtf8("è") -> true; IsValidUtf8("\xC3") -> false
bool IsValidUtf8(std::string_view text);

}  // namespace angoli
