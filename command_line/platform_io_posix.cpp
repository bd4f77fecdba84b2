// angoli-converti on Linux and other POSIX systems: file descriptors, read()
// and write(). A reader that goes away ends the program by SIGPIPE, as it
// ends cat or sort; only when SIGPIPE is ignored does a write fail with EPIPE.

#include <fcntl.h>
#include <poll.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

#include "command_line/platform_io.h"

namespace angoli::cli {
namespace {

// ReasonOf(ENOENT) -> "file inesistente"
std::string_view ReasonOf(int error) {
  switch (error) {
    case ENOENT:
    case ENOTDIR: return "file inesistente";
    case EACCES:
    case EPERM: return "permesso negato";
    case EISDIR: return "è una cartella";
    case ENOSPC: return "spazio esaurito sul disco";
    case EPIPE: return "chi leggeva ha chiuso";
    default: return "errore del sistema";
  }
}

// Whether a call that failed with `error` is worth making again: after a
// signal, or once a descriptor some other program left non-blocking is ready.
// TryAgain(EINTR, 0, POLLIN) -> true; TryAgain(ENOENT, 0, POLLIN) -> false
bool TryAgain(int error, int handle, short ready) {
  if (error == EINTR) return true;
  if (error != EAGAIN && error != EWOULDBLOCK) return false;
  pollfd wait{handle, ready, 0};
  return poll(&wait, 1, -1) >= 0 || errno == EINTR;
}

}  // namespace

OpenedInput OpenInput(const std::string& utf8Name) {
  int handle;
  do handle = open(utf8Name.c_str(), O_RDONLY | O_CLOEXEC);
  while (handle < 0 && errno == EINTR);
  if (handle < 0) return {-1, ReasonOf(errno)};
  // Linux opens a folder, and only the first read would fail.
  struct stat status;
  if (fstat(handle, &status) == 0 && S_ISDIR(status.st_mode)) {
    close(handle);
    return {-1, ReasonOf(EISDIR)};
  }
  return {handle, {}};
}

void CloseInput(int handle) { close(handle); }

long ReadSome(int handle, char* buffer, std::size_t size, std::string_view& failure) {
  ssize_t count;
  do count = read(handle, buffer, size);
  while (count < 0 && TryAgain(errno, handle, POLLIN));
  if (count < 0) failure = ReasonOf(errno);
  return static_cast<long>(count);
}

bool WriteAll(int handle, std::string_view bytes, WriteFailure& failure) {
  while (!bytes.empty()) {
    const ssize_t count = write(handle, bytes.data(), bytes.size());
    if (count >= 0) {
      bytes.remove_prefix(static_cast<std::size_t>(count));
    } else if (!TryAgain(errno, handle, POLLOUT)) {
      failure = {ReasonOf(errno), errno == EPIPE};
      return false;
    }
  }
  return true;
}

}  // namespace angoli::cli

int main(int argc, char** argv) {
  return angoli::cli::RunConverti(std::vector<std::string>(argv + 1, argv + argc));
}
