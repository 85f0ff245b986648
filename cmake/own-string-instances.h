// Force-included into the Windows builds. The C++ library declares its std::string
// members as instantiated in the library; linking the library's instantiations brings
// the unwind tables of every member, used or not. Instantiating in our own objects
// keeps only what the program calls. The library's documented value -1 of its
// extern-template switch drops those declarations for its string classes only; every
// other template it instantiates itself stays the library's. Only where the switch
// means that: the GNU library, up to C++17 (from C++20 on it does so by itself).
#if defined(__has_include) && __cplusplus <= 201703L
#if __has_include(<bits/c++config.h>)
#include <bits/c++config.h>
#if defined(__GLIBCXX__) && defined(_GLIBCXX_EXTERN_TEMPLATE) && _GLIBCXX_EXTERN_TEMPLATE > 0
#undef _GLIBCXX_EXTERN_TEMPLATE
#define _GLIBCXX_EXTERN_TEMPLATE -1
#endif
#endif
#endif
