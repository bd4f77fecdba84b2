#include "conversion/utf8_text.h"

#include <algorithm>

namespace angoli {
namespace {

bool IsContinuation(unsigned char byte) { return (byte & 0xC0) == 0x80; }

// Length of the well-formed sequence that starts at `pos`, or 0 when the byte
// there does not start one (stray continuation, overlong form, surrogate, past
// U+10FFFF, cut short).
std::size_t SequenceLength(std::string_view text, std::size_t pos) {
  const auto lead = static_cast<unsigned char>(text[pos]);
  if (lead < 0x80) return 1;
  std::size_t length = 0;
  unsigned char low = 0x80, high = 0xBF;  // allowed range of the second byte
  if (lead >= 0xC2 && lead <= 0xDF) {
    length = 2;
  } else if (lead >= 0xE0 && lead <= 0xEF) {
    length = 3;
    if (lead == 0xE0) low = 0xA0;
    if (lead == 0xED) high = 0x9F;
  } else if (lead >= 0xF0 && lead <= 0xF4) {
    length = 4;
    if (lead == 0xF0) low = 0x90;
    if (lead == 0xF4) high = 0x8F;
  } else {
    return 0;
  }
  if (pos + length > text.size()) return 0;
  const auto second = static_cast<unsigned char>(text[pos + 1]);
  if (second < low || second > high) return 0;
  for (std::size_t i = 2; i < length; ++i) {
    if (!IsContinuation(static_cast<unsigned char>(text[pos + i]))) return 0;
  }
  return length;
}

// Bytes taken by the character at `pos`: a malformed byte stands alone.
std::size_t CharBytes(std::string_view text, std::size_t pos) {
  const std::size_t length = SequenceLength(text, pos);
  return length == 0 ? 1 : length;
}

}  // namespace

std::size_t CharCount(std::string_view text) {
  std::size_t count = 0;
  for (std::size_t pos = 0; pos < text.size(); pos += CharBytes(text, pos)) ++count;
  return count;
}

std::string FirstChars(std::string_view text, std::size_t n) {
  if (text.size() <= n) return std::string(text);  // never more characters than bytes
  std::size_t pos = 0;
  for (std::size_t taken = 0; taken < n && pos < text.size(); ++taken) {
    pos += CharBytes(text, pos);
  }
  return std::string(text.substr(0, pos));
}

std::string LastChars(std::string_view text, std::size_t n) {
  if (text.size() <= n) return std::string(text);
  // Trailing ASCII bytes are characters of their own, whatever precedes them.
  const std::string_view tail = text.substr(text.size() - n);
  if (std::all_of(tail.begin(), tail.end(), [](char c) { return static_cast<unsigned char>(c) < 0x80; })) {
    return std::string(tail);
  }
  const std::size_t count = CharCount(text);
  if (count <= n) return std::string(text);
  std::size_t pos = 0;
  for (std::size_t skipped = 0; skipped < count - n; ++skipped) {
    pos += CharBytes(text, pos);
  }
  return std::string(text.substr(pos));
}

std::string ToValidUtf8(std::string_view text) {
  std::string valid;
  valid.reserve(text.size());
  for (std::size_t pos = 0; pos < text.size();) {
    const std::size_t length = SequenceLength(text, pos);
    if (length == 0) {
      valid += "\xEF\xBF\xBD";
      ++pos;
    } else {
      valid.append(text, pos, length);
      pos += length;
    }
  }
  return valid;
}

bool IsValidUtf8(std::string_view text) {
  for (std::size_t pos = 0; pos < text.size();) {
    if (static_cast<unsigned char>(text[pos]) < 0x80) {  // most bytes: no call
      ++pos;
      continue;
    }
    const std::size_t length = SequenceLength(text, pos);
    if (length == 0) return false;
    pos += length;
  }
  return true;
}

}  // namespace angoli
