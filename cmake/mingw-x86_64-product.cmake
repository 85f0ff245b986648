# The installer for 64-bit Windows (x86_64), built as the 32-bit product is: win32
# thread model, on the installer's own C runtime. Not shipped: it shows that the
# runtime works on x86_64 too, and the end-to-end tests of a 64-bit test tree can start
# it (-DVOR_PRODUCT_DIR=<this tree>) where 32-bit programs cannot run.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)
set(CMAKE_C_COMPILER   x86_64-w64-mingw32-gcc-win32)
set(CMAKE_CXX_COMPILER x86_64-w64-mingw32-g++-win32)
set(CMAKE_RC_COMPILER  x86_64-w64-mingw32-windres)
set(CMAKE_FIND_ROOT_PATH /usr/x86_64-w64-mingw32)
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(VOR_PRODUCT_TOOLCHAIN ON)
