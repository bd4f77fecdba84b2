#pragma once
// What angoli-converti asks of the system, alike on Linux and on Windows:
// inputs opened by their UTF-8 names, bytes read as they come, bytes written
// whole, and on a Windows console the text shown as characters, not as bytes
// of some code page. Reasons for failures are Italian, never the C library's.

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace angoli::cli {

inline constexpr int kStandardInput = 0;
inline constexpr int kStandardOutput = 1;
inline constexpr int kStandardError = 2;

// Windows programs that read these tables expect their own line end.
#ifdef _WIN32
inline constexpr std::string_view kLineEnd = "\r\n";
#else
inline constexpr std::string_view kLineEnd = "\n";
#endif

// The program itself, given its arguments in UTF-8 without the program's
// name; returns its exit status. main() of each system calls it.
// RunConverti({"--punto", "rilievo.txt"}) -> 0 when every line converted.
int RunConverti(const std::vector<std::string>& arguments);

// An input opened for reading, or why it cannot be read:
// OpenInput("rilievo.txt") -> {3, ""}; OpenInput("manca.txt") -> {-1, "file inesistente"};
// OpenInput("documenti") -> {-1, "è una cartella"}.
struct OpenedInput {
  int handle = -1;
  std::string_view failure;
};
OpenedInput OpenInput(const std::string& utf8Name);
void CloseInput(int handle);

// Waits for bytes and reads at most `size` of them: the count, 0 at the end
// of the input, -1 with `failure` set when reading failed. Retries a read
// that a signal interrupted.
// ReadSome(input, buffer, 65536, failure) -> 12 for a file holding "45,5\n30° 15′\n".
long ReadSome(int handle, char* buffer, std::size_t size, std::string_view& failure);

// Writes all of `bytes`, whole UTF-8 lines, to standard output or standard
// error, however many writes it takes; false with `failure` set when the
// output is gone. brokenPipe tells a reader that went away from a real fault.
// WriteAll(kStandardOutput, "45,5\t…\n", failure) -> true.
struct WriteFailure {
  std::string_view reason;
  bool brokenPipe = false;
};
bool WriteAll(int handle, std::string_view bytes, WriteFailure& failure);

}  // namespace angoli::cli
