// Both Windows programs link this. An exception that escapes ends the
// program as it would anyway, but without the message libstdc++ writes for
// it with its names demangled. The demangler alone is some 55 KB, which kept
// each program above 512 KB with Debian 13's mingw-w64 (GCC 14).
//   an exception nobody catches -> abort(), exit code 3
#include <cstdlib>

namespace __gnu_cxx {
void __verbose_terminate_handler() { std::abort(); }
}  // namespace __gnu_cxx
