// wait_map PROGRAM [ARGUMENTS...]
//
// Starts PROGRAM and waits, blocked on the X connection rather than polling,
// for the server to map its top-level window. Then prints one line
//
//   map_ms=<ms from fork+exec to the map> vmhwm_kb=<peak resident memory>
//
// with the peak read from /proc/PID/status at that moment, and ends the
// program by its PID. The window is recognised as a child of the root window
// whose _NET_WM_PID is the program's PID, so this expects an X server without
// a window manager (a manager would map its own frame around the window).
// Exit status 0 on success, 1 when the program ended or timed out first,
// 2 on a usage or X error.

#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <fcntl.h>
#include <signal.h>
#include <sys/select.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <fstream>
#include <string>

namespace {

constexpr double kTimeoutMs = 20000;

int childEnded[2] = {-1, -1};  // written to by the SIGCHLD handler

void OnChildSignal(int) {
  const int saved = errno;
  const char byte = 0;
  [[maybe_unused]] const ssize_t written = write(childEnded[1], &byte, 1);
  errno = saved;
}

double NowMs() {
  timespec now{};
  clock_gettime(CLOCK_MONOTONIC, &now);
  return static_cast<double>(now.tv_sec) * 1e3 + static_cast<double>(now.tv_nsec) / 1e6;
}

// The _NET_WM_PID of a window, or -1 when it has none.
long WindowPid(Display* display, Window window, Atom netWmPid) {
  Atom type = None;
  int format = 0;
  unsigned long items = 0, remaining = 0;
  unsigned char* data = nullptr;
  long pid = -1;
  if (XGetWindowProperty(display, window, netWmPid, 0, 1, False, XA_CARDINAL, &type, &format,
                         &items, &remaining, &data) == Success &&
      data) {
    if (type == XA_CARDINAL && format == 32 && items == 1)
      pid = static_cast<long>(*reinterpret_cast<unsigned long*>(data));
    XFree(data);
  }
  return pid;
}

// A line "VmHWM:   12345 kB" of /proc/PID/status, as kB; -1 if not found.
long PeakResidentKb(pid_t pid) {
  std::ifstream status("/proc/" + std::to_string(pid) + "/status");
  std::string line;
  while (std::getline(status, line)) {
    if (line.rfind("VmHWM:", 0) == 0) return std::strtol(line.c_str() + 6, nullptr, 10);
  }
  return -1;
}

enum class Woken { XEvents, ChildSignal, Timeout };

// Sleeps until the X connection (unless xFd is -1) has data, a SIGCHLD has
// come, or timeoutMs has passed.
Woken WaitFor(int xFd, double timeoutMs) {
  fd_set readable;
  FD_ZERO(&readable);
  FD_SET(childEnded[0], &readable);
  if (xFd >= 0) FD_SET(xFd, &readable);
  timeval timeout{};
  const auto micro = static_cast<long long>(timeoutMs * 1000);
  timeout.tv_sec = static_cast<time_t>(micro / 1000000);
  timeout.tv_usec = static_cast<suseconds_t>(micro % 1000000);
  const int highest = xFd > childEnded[0] ? xFd : childEnded[0];
  if (select(highest + 1, &readable, nullptr, nullptr, &timeout) <= 0) return Woken::Timeout;
  if (FD_ISSET(childEnded[0], &readable)) {
    char drained[64];
    while (read(childEnded[0], drained, sizeof drained) > 0) {
    }
    return Woken::ChildSignal;
  }
  return Woken::XEvents;
}

// Ends the program by its PID: SIGTERM, and SIGKILL if it is still there a
// second later.
void EndProgram(pid_t pid) {
  kill(pid, SIGTERM);
  const double deadline = NowMs() + 1000;
  while (waitpid(pid, nullptr, WNOHANG) == 0) {
    const double left = deadline - NowMs();
    if (left <= 0) {
      kill(pid, SIGKILL);
      waitpid(pid, nullptr, 0);
      return;
    }
    WaitFor(-1, left);
  }
}

// A window may be gone by the time its property is read: not an error here.
int IgnoreXError(Display*, XErrorEvent*) { return 0; }

}  // namespace

int main(int argc, char** argv) {
  if (argc < 2) {
    std::fprintf(stderr, "usage: %s PROGRAM [ARGUMENTS...]\n", argv[0]);
    return 2;
  }
  Display* display = XOpenDisplay(nullptr);
  if (!display) {
    std::fprintf(stderr, "wait_map: cannot open the X display\n");
    return 2;
  }
  XSetErrorHandler(IgnoreXError);
  const Window root = DefaultRootWindow(display);
  const Atom netWmPid = XInternAtom(display, "_NET_WM_PID", False);
  // Map events of every child of the root: the top-level windows.
  XSelectInput(display, root, SubstructureNotifyMask);
  XSync(display, False);

  if (pipe2(childEnded, O_CLOEXEC | O_NONBLOCK) != 0) {
    std::perror("wait_map: pipe2");
    return 2;
  }
  struct sigaction action{};
  action.sa_handler = OnChildSignal;
  action.sa_flags = SA_RESTART | SA_NOCLDSTOP;
  sigaction(SIGCHLD, &action, nullptr);

  const int xFd = ConnectionNumber(display);
  fcntl(xFd, F_SETFD, FD_CLOEXEC);
  const double start = NowMs();
  const pid_t pid = fork();
  if (pid < 0) {
    std::perror("wait_map: fork");
    return 2;
  }
  if (pid == 0) {
    execvp(argv[1], argv + 1);
    std::perror("wait_map: exec");
    _exit(127);
  }

  double mappedAt = -1;
  bool ended = false;
  while (mappedAt < 0 && !ended) {
    while (XPending(display) > 0) {
      XEvent event;
      XNextEvent(display, &event);
      const double now = NowMs();  // before the round trip that reads the PID
      if (event.type == MapNotify && event.xmap.event == root &&
          WindowPid(display, event.xmap.window, netWmPid) == pid) {
        mappedAt = now;
        break;
      }
    }
    if (mappedAt >= 0) break;
    const double left = start + kTimeoutMs - NowMs();
    if (left <= 0) break;
    if (WaitFor(xFd, left) == Woken::ChildSignal) ended = waitpid(pid, nullptr, WNOHANG) == pid;
  }

  if (mappedAt < 0) {
    std::fprintf(stderr, "wait_map: %s %s before its window was mapped\n", argv[1],
                 ended ? "ended" : "timed out");
    if (!ended) EndProgram(pid);
    XCloseDisplay(display);
    return 1;
  }
  const long peakKb = PeakResidentKb(pid);
  std::printf("map_ms=%.2f vmhwm_kb=%ld\n", mappedAt - start, peakKb);
  std::fflush(stdout);
  EndProgram(pid);
  XCloseDisplay(display);
  return peakKb < 0 ? 1 : 0;
}
