// How the program ends on an exception nothing catches. The library's default handler names the
// exception on standard error, which a windowed program does not have, and brings a 46 KB
// demangler along to do it; this one ends the process as that one does after its message, with
// abort(). It sits in the executable itself, so the linker takes it before the library's.
#include <cstdlib>
#include <exception>

namespace __gnu_cxx {
void __verbose_terminate_handler() {
    std::abort();
}
}  // namespace __gnu_cxx
