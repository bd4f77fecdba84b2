#pragma once
// Texts between the core, which speaks UTF-8, and Win32, which speaks UTF-16.
// Win32 edit controls count UTF-16 units, so a cut by units must not leave
// half of a character beyond the basic plane behind.

#include <cstddef>
#include <string>
#include <string_view>

namespace angoli::win32 {

// Widen("Calcola") -> L"Calcola"; Widen("è") -> L"\u00e8"
std::wstring Widen(std::string_view utf8);

// Narrow(L"\u00e85") -> "è5" (three bytes); a lone surrogate becomes U+FFFD.
std::string Narrow(std::wstring_view utf16);

// At most `units` UTF-16 units, dropping a character rather than splitting it:
// CutToUnits(L"50833", 2) -> L"50"; CutToUnits(L"1\U0001F600", 2) -> L"1"
std::wstring CutToUnits(std::wstring text, std::size_t units);

// The text without surrogates that lack their partner, as an edit control
// leaves one when a paste is cut at its limit:
// WithoutLoneSurrogates(L"1\xD83D") -> L"1"; WithoutLoneSurrogates(L"45") -> L"45"
std::wstring WithoutLoneSurrogates(std::wstring_view text);

}  // namespace angoli::win32
