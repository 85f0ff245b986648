// The C++ library's error throws and its terminate handler, as the programs use them.
// The library's own throws build exception objects that carry a copy of the message in
// a second string implementation, which would more than double the library code in the
// program. Here a
// length or allocation failure is reported as std::bad_alloc (what the program catches:
// it is out of memory for the text in question), and the library's logic errors, which
// the program never makes, end it at once.
#include <cstdlib>
#include <functional>
#include <new>

namespace {
[[noreturn]] void OutOfMemory() { throw std::bad_alloc(); }
}  // namespace

namespace std {
void __throw_bad_alloc() { OutOfMemory(); }
void __throw_bad_array_new_length() { OutOfMemory(); }
void __throw_length_error(const char*) { OutOfMemory(); }
void __throw_logic_error(const char*) { std::abort(); }
void __throw_out_of_range(const char*) { std::abort(); }
void __throw_out_of_range_fmt(const char*, ...) { std::abort(); }
void __throw_invalid_argument(const char*) { std::abort(); }
void __throw_bad_function_call() { std::abort(); }
}  // namespace std

// The library's default terminate handler prints the demangled type of an uncaught
// exception, which links a whole demangler and printf engine into the program: end at
// once instead.
namespace __gnu_cxx {
void __verbose_terminate_handler() { std::abort(); }
}  // namespace __gnu_cxx
