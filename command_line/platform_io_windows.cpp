// angoli-converti on Windows: a console program over the C runtime's _wopen,
// _read and _write in binary mode, so files and pipes carry the same UTF-8
// bytes as on Linux. A console window is no file: it is read with
// ReadConsoleW and written with WriteConsoleW, so ° ′ ″ come and go right
// whatever the console's code page.

#include <fcntl.h>
#include <io.h>
#include <windows.h>

#include <algorithm>
#include <cerrno>
#include <iterator>

#include "command_line/platform_io.h"
#include "window/win32/wide_text.h"

// cmd hands "*.txt" over as it stands: the runtime expands it, as a Unix
// shell would have.
extern "C" {
int _dowildcard = -1;
}

namespace angoli::cli {
namespace {

// ReasonOf(ENOENT) -> "file inesistente"
std::string_view ReasonOf(int error) {
  switch (error) {
    case ENOENT: return "file inesistente";
    case EACCES: return "permesso negato";
    case ENOSPC: return "spazio esaurito sul disco";
    case EPIPE: return "chi leggeva ha chiuso";
    default: return "errore del sistema";
  }
}

// The console window behind a standard stream, or nullptr for a file or pipe:
// ConsoleOf(kStandardOutput) -> nullptr for "angoli-converti a.txt > b.txt".
HANDLE ConsoleOf(int handle) {
  const auto console = reinterpret_cast<HANDLE>(_get_osfhandle(handle));
  DWORD mode;
  return console != INVALID_HANDLE_VALUE && GetConsoleMode(console, &mode) ? console : nullptr;
}

// Typed text from a console window, as UTF-8. Ctrl+Z ends it, as the runtime
// ends typed input; a surrogate whose partner has not come yet waits for it.
// Read(buffer, 65536, failure) -> 6 for "45,5" typed and Enter ("45,5\r\n").
class ConsoleInput {
 public:
  long Read(HANDLE console, char* buffer, std::size_t size, std::string_view& failure) {
    if (ended_) return 0;
    // At most three bytes a unit, four for a pair: the units always fit.
    wchar_t units[8192];
    const std::size_t room = std::min<std::size_t>(std::size(units), size / 3);
    std::size_t count = held_ ? 1 : 0;
    units[0] = held_;
    held_ = 0;
    DWORD read = 0;
    if (!ReadConsoleW(console, units + count, static_cast<DWORD>(room - count), &read, nullptr)) {
      failure = ReasonOf(0);
      return -1;
    }
    count += read;
    const wchar_t* const end = std::find(units, units + count, L'\x1A');
    if (read == 0 || end != units + count) {
      ended_ = true;
      count = static_cast<std::size_t>(end - units);
    } else if (units[count - 1] >= 0xD800 && units[count - 1] <= 0xDBFF) {
      held_ = units[--count];
    }
    if (count == 0) return ended_ ? 0 : Read(console, buffer, size, failure);
    return WideCharToMultiByte(CP_UTF8, 0, units, static_cast<int>(count), buffer, static_cast<int>(size),
                               nullptr, nullptr);
  }

 private:
  wchar_t held_ = 0;
  bool ended_ = false;
};

// Writes whole lines to a console window as characters, in pieces small
// enough for the console of Windows 7, never splitting a surrogate pair:
// WriteToConsole(console, "45° 30′\r\n") -> true, shown as typed.
bool WriteToConsole(HANDLE console, std::string_view bytes) {
  const std::wstring text = win32::Widen(bytes);
  for (std::size_t start = 0; start < text.size();) {
    std::size_t count = std::min<std::size_t>(text.size() - start, 8192);
    if (start + count < text.size() && text[start + count - 1] >= 0xD800 && text[start + count - 1] <= 0xDBFF)
      --count;
    DWORD written = 0;
    if (!WriteConsoleW(console, text.data() + start, static_cast<DWORD>(count), &written, nullptr) ||
        written == 0)
      return false;
    start += written;
  }
  return true;
}

}  // namespace

OpenedInput OpenInput(const std::string& utf8Name) {
  const std::wstring name = win32::Widen(utf8Name);
  const int handle = _wopen(name.c_str(), _O_RDONLY | _O_BINARY | _O_NOINHERIT);
  if (handle >= 0) return {handle, {}};
  const int error = errno;
  // Windows refuses to open a folder as "access denied".
  const DWORD attributes = GetFileAttributesW(name.c_str());
  if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY))
    return {-1, "è una cartella"};
  return {-1, ReasonOf(error)};
}

void CloseInput(int handle) { _close(handle); }

long ReadSome(int handle, char* buffer, std::size_t size, std::string_view& failure) {
  if (const HANDLE console = ConsoleOf(handle)) {
    static ConsoleInput typed;
    return typed.Read(console, buffer, size, failure);
  }
  const int count = _read(handle, buffer, static_cast<unsigned>(std::min<std::size_t>(size, 1 << 30)));
  if (count < 0) failure = ReasonOf(errno);
  return count;
}

bool WriteAll(int handle, std::string_view bytes, WriteFailure& failure) {
  if (bytes.empty()) return true;
  if (const HANDLE console = ConsoleOf(handle)) {
    if (WriteToConsole(console, bytes)) return true;
    failure = {ReasonOf(0), false};
    return false;
  }
  while (!bytes.empty()) {
    const int count = _write(handle, bytes.data(), static_cast<unsigned>(std::min<std::size_t>(bytes.size(), 1 << 30)));
    if (count < 0) {
      // A pipe whose reader left, which the runtime does not count as EPIPE.
      const unsigned long code = _doserrno;
      failure = {ReasonOf(errno), errno == EPIPE || code == ERROR_BROKEN_PIPE || code == ERROR_NO_DATA ||
                                      code == ERROR_PIPE_NOT_CONNECTED};
      return false;
    }
    bytes.remove_prefix(static_cast<std::size_t>(count));
  }
  return true;
}

}  // namespace angoli::cli

int wmain(int argc, wchar_t** argv) {
  for (int stream : {angoli::cli::kStandardInput, angoli::cli::kStandardOutput, angoli::cli::kStandardError})
    _setmode(stream, _O_BINARY);
  std::vector<std::string> arguments;
  for (int i = 1; i < argc; ++i) arguments.push_back(angoli::win32::Narrow(argv[i]));
  return angoli::cli::RunConverti(arguments);
}
