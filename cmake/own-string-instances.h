// Force-included into the Windows builds. The C++ library declares its std::string
// members as instantiated in the library; linking the library's instantiations brings
// the unwind tables of every member, used or not. Instantiating in our own objects
// keeps only what the program calls (about 15 KB less).
#include <bits/c++config.h>
#undef _GLIBCXX_EXTERN_TEMPLATE
#define _GLIBCXX_EXTERN_TEMPLATE 0
