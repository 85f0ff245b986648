// The C++ library's error throws and its terminate handler, as the packagers' tools
// (VORCHECK.EXE, VORPACK.EXE) use them; the installer links no C++ library. The
// library's own throws build exception objects that carry a copy of the message in a
// second string implementation, which would more than double the library code in the
// program. Here a length or allocation failure is reported as std::bad_alloc (it is out
// of memory for the text in question), and every other error the library could report,
// none of which the tools make, ends the program at once.
//
// Every helper that the library keeps in one object for this (its bits/functexcept.h)
// is replaced here, so that object is never linked as well: a helper left out would be
// taken from it, and the others with it, which the linker reports as a multiple
// definition. The helpers for input/output, system, future and regular expression
// errors live in the objects of their exception classes and stay the library's.
#include <cstdlib>
#include <functional>
#include <new>

namespace {
[[noreturn]] void OutOfMemory() { throw std::bad_alloc(); }
[[noreturn]] void NotMade() { std::abort(); }
}  // namespace

namespace std {
void __throw_bad_alloc() { OutOfMemory(); }
void __throw_bad_array_new_length() { OutOfMemory(); }
void __throw_length_error(const char*) { OutOfMemory(); }
void __throw_bad_exception() { NotMade(); }
void __throw_bad_cast() { NotMade(); }
void __throw_bad_typeid() { NotMade(); }
void __throw_logic_error(const char*) { NotMade(); }
void __throw_domain_error(const char*) { NotMade(); }
void __throw_invalid_argument(const char*) { NotMade(); }
void __throw_out_of_range(const char*) { NotMade(); }
void __throw_out_of_range_fmt(const char*, ...) { NotMade(); }
void __throw_runtime_error(const char*) { NotMade(); }
void __throw_range_error(const char*) { NotMade(); }
void __throw_overflow_error(const char*) { NotMade(); }
void __throw_underflow_error(const char*) { NotMade(); }
void __throw_bad_function_call() { NotMade(); }
}  // namespace std

// The library's default terminate handler prints the demangled type of an uncaught
// exception, which links a whole demangler and printf engine into the program: end at
// once instead.
namespace __gnu_cxx {
void __verbose_terminate_handler() { std::abort(); }
}  // namespace __gnu_cxx
