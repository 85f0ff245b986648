# Cross build for Windows: the installer, its Win32 tests and the test stand-ins.
enable_language(RC)

if(CMAKE_SYSTEM_PROCESSOR STREQUAL "x86_64")
  set(VOR_WINE_ARCH win64)
else()
  set(VOR_WINE_ARCH win32)
endif()
set(CMAKE_CROSSCOMPILING_EMULATOR "${CMAKE_SOURCE_DIR}/tools/wine-run.sh;${VOR_WINE_ARCH}")

add_compile_definitions(WIN32_LEAN_AND_MEAN NOMINMAX)
# The product declares the Windows 95 / NT 4.0 level, so that the headers do not even
# offer anything newer; the test programs and stand-ins may use what they need.
set(VOR_PRODUCT_WINVER WINVER=0x0400 _WIN32_WINNT=0x0400 _WIN32_IE=0x0400)
set(VOR_TEST_WINVER WINVER=0x0501 _WIN32_WINNT=0x0501 _WIN32_IE=0x0501)
set(VOR_WARNINGS -Wall -Wextra -Werror=return-type -Wno-cast-function-type)
# Small and self-contained: size-optimised, unused sections dropped, stripped, and the
# compiler runtime linked in so that only Windows' own DLLs are imported. The same
# bytes from the same sources, in any folder at any time: no link time stamp (0), so
# the checksum over the file's bytes comes out the same too, and the folders of the
# sources and of the build written as "." and "build" wherever a path is kept.
set(VOR_SAME_BYTES_FLAGS -ffile-prefix-map=${CMAKE_SOURCE_DIR}=.
    -ffile-prefix-map=${CMAKE_BINARY_DIR}=build)
set(VOR_SMALL_FLAGS -Os -ffunction-sections -fdata-sections -fno-threadsafe-statics -fno-rtti
    -include ${CMAKE_SOURCE_DIR}/cmake/own-string-instances.h ${VOR_SAME_BYTES_FLAGS})
set(VOR_SMALL_LINK -static -s -Wl,--gc-sections -Wl,--disable-reloc-section
    -Wl,--no-insert-timestamp)
# The installer imports only DLLs that are "known DLLs" wherever Windows has them (they
# are never looked for beside the program); it loads the common controls itself.
set(VOR_WIN_LIBS shell32 ole32 comdlg32 advapi32 gdi32 user32 kernel32)

# The installer's code (not the packagers' tools, which keep the C++ library): no
# exceptions and no unwind tables (its failures are values; its operator new ends the
# program when memory runs out, crt/OperatorNew.cpp), and none of the library's strings.
set(VOR_PRODUCT_FLAGS ${VOR_SMALL_FLAGS} -fno-exceptions -fno-asynchronous-unwind-tables)
list(REMOVE_ITEM VOR_PRODUCT_FLAGS -include ${CMAKE_SOURCE_DIR}/cmake/own-string-instances.h)

add_library(vor_portable STATIC ${VOR_PORTABLE_SOURCES})
target_include_directories(vor_portable PUBLIC ${CMAKE_SOURCE_DIR})
target_compile_options(vor_portable PRIVATE ${VOR_WARNINGS} ${VOR_PRODUCT_FLAGS})
target_compile_definitions(vor_portable PRIVATE ${VOR_PRODUCT_WINVER})

add_library(vor_core STATIC ${VOR_WIN32_SOURCES})
target_include_directories(vor_core PUBLIC ${CMAKE_SOURCE_DIR})
target_compile_options(vor_core PRIVATE ${VOR_WARNINGS} ${VOR_PRODUCT_FLAGS})
target_compile_definitions(vor_core PRIVATE ${VOR_PRODUCT_WINVER})
target_link_libraries(vor_core PUBLIC vor_portable ${VOR_WIN_LIBS})

set(VOR_RESOURCES ${CMAKE_SOURCE_DIR}/res/ZEZADERI.rc)
set_property(SOURCE ${VOR_RESOURCES} APPEND PROPERTY OBJECT_DEPENDS ${VOR_RESOURCE_FILES})
set(CMAKE_RC_FLAGS "${CMAKE_RC_FLAGS} -I${CMAKE_SOURCE_DIR}/res -I${CMAKE_SOURCE_DIR}")

# Links a program of the product with the product's C runtime and the libraries given.
# The product's toolchain links the installer's own C runtime (crt/Startup.cpp says
# why) instead of the cross compiler's start-up code and MSVCRT.DLL, and of the C++
# library nothing at all: of the compiler's runtime only its arithmetic helpers (64-bit
# division). The linker's map, <target>.map, tells what came from where (the link
# audit reads it). Other toolchains (the test trees) link as usual.
set_source_files_properties(${VOR_CRT_SOURCES} PROPERTIES COMPILE_OPTIONS
  "-fno-exceptions;-fno-asynchronous-unwind-tables;-fno-tree-loop-distribute-patterns;-fno-builtin")
function(vor_link_runtime target)
  if(VOR_PRODUCT_TOOLCHAIN)
    target_sources(${target} PRIVATE ${VOR_CRT_SOURCES})
    target_compile_definitions(${target} PRIVATE ${VOR_PRODUCT_WINVER})
    target_link_options(${target} PRIVATE -nostdlib -Wl,--disable-runtime-pseudo-reloc
                        -Wl,-Map=$<TARGET_FILE_DIR:${target}>/${target}.map)
    target_link_libraries(${target} PRIVATE ${ARGN} vor_portable gcc ${VOR_WIN_LIBS})
  else()
    target_link_libraries(${target} PRIVATE ${ARGN})
  endif()
endfunction()

add_executable(ZEZADERI WIN32 ${VOR_APP_SOURCES} ${VOR_RESOURCES})
set_target_properties(ZEZADERI PROPERTIES OUTPUT_NAME ZEZADERI SUFFIX ".EXE")
target_compile_options(ZEZADERI PRIVATE ${VOR_WARNINGS} ${VOR_PRODUCT_FLAGS})
target_compile_definitions(ZEZADERI PRIVATE ${VOR_PRODUCT_WINVER})
target_link_options(ZEZADERI PRIVATE ${VOR_SMALL_LINK})
vor_link_runtime(ZEZADERI vor_core)

# The package checker: a console program under the installer's import rules.
add_executable(VORCHECK ${VOR_CHECK_MAIN} ${VOR_CHECK_SOURCES} ${VOR_CHECK_WIN32_SOURCES}
               check/RuntimeThrows.cpp)
set_target_properties(VORCHECK PROPERTIES OUTPUT_NAME VORCHECK SUFFIX ".EXE")
target_compile_options(VORCHECK PRIVATE ${VOR_WARNINGS} ${VOR_SMALL_FLAGS})
target_compile_definitions(VORCHECK PRIVATE ${VOR_PRODUCT_WINVER})
target_link_options(VORCHECK PRIVATE ${VOR_SMALL_LINK})
target_link_libraries(VORCHECK PRIVATE vor_portable kernel32)

# The package builder: the checker's sources and its own, under the same import rules.
add_executable(VORPACK ${VOR_PACK_MAIN} ${VOR_PACK_SOURCES} ${VOR_PACK_WIN32_SOURCES}
               ${VOR_CHECK_SOURCES} ${VOR_CHECK_WIN32_SOURCES} check/RuntimeThrows.cpp)
set_target_properties(VORPACK PROPERTIES OUTPUT_NAME VORPACK SUFFIX ".EXE")
target_compile_options(VORPACK PRIVATE ${VOR_WARNINGS} ${VOR_SMALL_FLAGS})
target_compile_definitions(VORPACK PRIVATE ${VOR_PRODUCT_WINVER})
target_link_options(VORPACK PRIVATE ${VOR_SMALL_LINK})
target_link_libraries(VORPACK PRIVATE vor_portable kernel32)

# A program on the product's runtime, for the end-to-end tests of its start and end.
add_executable(runtime_probe WIN32 tests/e2e/runtime_probe.cpp)
target_compile_options(runtime_probe PRIVATE ${VOR_WARNINGS} ${VOR_PRODUCT_FLAGS})
target_link_options(runtime_probe PRIVATE ${VOR_SMALL_LINK})
vor_link_runtime(runtime_probe)

# Test stand-ins (console programs).
foreach(src ${VOR_STANDIN_SOURCES})
  get_filename_component(name ${src} NAME_WE)
  add_executable(${name} ${src})
  target_compile_options(${name} PRIVATE -Os)
  target_compile_definitions(${name} PRIVATE ${VOR_TEST_WINVER})
  target_link_options(${name} PRIVATE -static -s)
endforeach()

# A DLL that leaves a marker wherever it is loaded, planted beside the installer by the
# end-to-end tests under the names of system DLLs.
add_library(planted SHARED tests/e2e/planted_dll.cpp)
set_target_properties(planted PROPERTIES PREFIX "" OUTPUT_NAME planted)
target_link_options(planted PRIVATE -static -s)

# The installation driver, and vordrive, which takes the installer through a whole
# installation and pictures each window (make demo, make try: tools/try-package.sh).
add_library(vor_driver STATIC ${VOR_DRIVER_SOURCES})
target_include_directories(vor_driver PUBLIC ${CMAKE_SOURCE_DIR})
target_compile_options(vor_driver PRIVATE ${VOR_WARNINGS})
target_compile_definitions(vor_driver PRIVATE ${VOR_TEST_WINVER})
target_link_libraries(vor_driver PUBLIC gdi32 user32 kernel32)
add_executable(vordrive ${VOR_DRIVER_MAIN})
target_compile_options(vordrive PRIVATE ${VOR_WARNINGS} -Os)
target_compile_definitions(vordrive PRIVATE ${VOR_TEST_WINVER})
target_link_options(vordrive PRIVATE -static -s)
target_link_libraries(vordrive PRIVATE vor_driver)

# The product's toolchain (win32 thread model) cannot build GoogleTest: the tests are
# built in a tree of their own with the posix compilers (tools/run-tests.sh).
if(VOR_PRODUCT_TOOLCHAIN)
  set(vor_tests_default OFF)
else()
  set(vor_tests_default ON)
endif()
option(VOR_BUILD_TESTS "Build the Win32 and end-to-end tests" ${vor_tests_default})
# The folder of the ZEZADERI.EXE that the end-to-end tests start: by default this
# tree's own; the 32-bit tests start the product built with its own toolchain.
set(VOR_PRODUCT_DIR "${CMAKE_BINARY_DIR}" CACHE PATH "Folder of the ZEZADERI.EXE, VORCHECK.EXE and VORPACK.EXE under test")
# A tree that tests programs built elsewhere builds its own only on request.
if(NOT VOR_PRODUCT_DIR STREQUAL CMAKE_BINARY_DIR)
  set_target_properties(ZEZADERI VORCHECK VORPACK runtime_probe PROPERTIES EXCLUDE_FROM_ALL TRUE)
  set(VOR_PRODUCT_TARGETS)
else()
  set(VOR_PRODUCT_TARGETS ZEZADERI VORCHECK VORPACK runtime_probe)
endif()
if(VOR_BUILD_TESTS)
  set(gtest_disable_pthreads ON CACHE BOOL "" FORCE)
  set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
  set(BUILD_GMOCK OFF CACHE BOOL "" FORCE)
  add_subdirectory(/usr/src/googletest ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL)

  # In-process tests of the framework, the dialogs and the Win32 glue.
  add_executable(vor_win_tests ${VOR_WIN_TESTS} ${VOR_RESOURCES})
  target_compile_options(vor_win_tests PRIVATE ${VOR_WARNINGS})
  target_compile_definitions(vor_win_tests PRIVATE VOR_SOURCE_DIR="${CMAKE_SOURCE_DIR}" ${VOR_TEST_WINVER})
  target_link_options(vor_win_tests PRIVATE -static)
  target_link_libraries(vor_win_tests PRIVATE vor_core gtest)

  # End-to-end tests: drive the real ZEZADERI.EXE from outside, as a user would.
  add_executable(vor_e2e_tests ${VOR_E2E_TESTS})
  target_compile_options(vor_e2e_tests PRIVATE ${VOR_WARNINGS})
  target_compile_definitions(vor_e2e_tests PRIVATE ${VOR_TEST_WINVER})
  target_link_options(vor_e2e_tests PRIVATE -static)
  target_include_directories(vor_e2e_tests PRIVATE ${CMAKE_SOURCE_DIR})
  target_link_libraries(vor_e2e_tests PRIVATE vor_driver gtest ${VOR_WIN_LIBS})
  add_dependencies(vor_e2e_tests ${VOR_PRODUCT_TARGETS} ${VOR_STANDIN_TARGETS} planted)

  # Benchmarks: console programs on the installer's code and resources (not in ctest).
  foreach(bench ${VOR_WIN_BENCHMARKS})
    get_filename_component(name ${bench} NAME_WE)
    add_executable(vor_${name} ${bench} ${VOR_RESOURCES})
    target_compile_options(vor_${name} PRIVATE ${VOR_WARNINGS} -O2)
    target_compile_definitions(vor_${name} PRIVATE ${VOR_TEST_WINVER})
    target_link_options(vor_${name} PRIVATE -static)
    target_link_libraries(vor_${name} PRIVATE vor_core psapi)
    add_dependencies(vor_${name} ${VOR_STANDIN_TARGETS})
  endforeach()

  foreach(suite ${VOR_WIN_TEST_SUITES})
    add_test(NAME ${VOR_WINE_ARCH}.${suite} COMMAND vor_win_tests --gtest_filter=${suite}.*)
    set_tests_properties(${VOR_WINE_ARCH}.${suite} PROPERTIES TIMEOUT 180)
  endforeach()
  # The real decompressor: ARJ.EXE from tools/arj/build-arj.sh (a test tool, never
  # shipped), and archives made at test time by Linux arj. Tests without it say so and
  # are reported as skipped.
  if(VOR_WINE_ARCH STREQUAL "win64")
    set(VOR_ARJ_DEFAULT ${CMAKE_SOURCE_DIR}/build/arj64/ARJ.EXE)
  else()
    set(VOR_ARJ_DEFAULT ${CMAKE_SOURCE_DIR}/build/arj/ARJ.EXE)
  endif()
  set(VOR_ARJ_EXE ${VOR_ARJ_DEFAULT} CACHE FILEPATH "ARJ.EXE for the end-to-end tests")
  # The checker on the demo package as make demo builds it: clean.
  add_test(NAME ${VOR_WINE_ARCH}.vorcheck_demo_package
           COMMAND bash ${CMAKE_SOURCE_DIR}/tests/check/check-demo-package.sh
                   ${CMAKE_BINARY_DIR}/vorcheck-demo-package ${VOR_ARJ_EXE}
                   ${CMAKE_SOURCE_DIR}/tools/wine-run.sh ${VOR_WINE_ARCH} ${VOR_PRODUCT_DIR}/VORCHECK.EXE)
  # The builder, VORPACK.EXE, with ARJ.EXE as its archiver: a package of nested folders.
  add_test(NAME ${VOR_WINE_ARCH}.vorpack_package
           COMMAND bash ${CMAKE_SOURCE_DIR}/tests/check/pack-with-vorpack-exe.sh
                   ${CMAKE_BINARY_DIR}/vorpack-package ${VOR_ARJ_EXE}
                   ${CMAKE_SOURCE_DIR}/tools/wine-run.sh ${VOR_WINE_ARCH} ${VOR_PRODUCT_DIR}/VORPACK.EXE)
  set_tests_properties(${VOR_WINE_ARCH}.vorpack_package PROPERTIES SKIP_RETURN_CODE 77)
  set_tests_properties(${VOR_WINE_ARCH}.vorcheck_demo_package PROPERTIES
                       ENVIRONMENT VOR_INSTALLER=${VOR_PRODUCT_DIR}/ZEZADERI.EXE)
  set(VOR_REAL_ARCHIVES ${CMAKE_BINARY_DIR}/real-archives)
  add_test(NAME ${VOR_WINE_ARCH}.e2e.real-archives
           COMMAND bash ${CMAKE_SOURCE_DIR}/tests/fixtures/make-real-archives.sh ${VOR_REAL_ARCHIVES})
  set_tests_properties(${VOR_WINE_ARCH}.e2e.real-archives PROPERTIES FIXTURES_SETUP vor_real_archives)
  # Without ARJ.EXE there is no demo package (and the Demo test says it is skipped).
  add_test(NAME ${VOR_WINE_ARCH}.e2e.demo-package
           COMMAND bash -c "if [ -f \"$2\" ]; then exec bash \"$0\" \"$1\" \"$2\"; fi; rm -rf \"$1\"; echo \"no $2: no demo package\""
                   ${CMAKE_SOURCE_DIR}/tools/make-demo-package.sh ${CMAKE_BINARY_DIR}/demo-package ${VOR_ARJ_EXE})
  set_tests_properties(${VOR_WINE_ARCH}.e2e.demo-package PROPERTIES FIXTURES_SETUP vor_demo_package
                       ENVIRONMENT VOR_INSTALLER=${VOR_PRODUCT_DIR}/ZEZADERI.EXE)

  # make demo and make try as users see them (they drive the 32-bit programs of build/win32).
  if(VOR_WINE_ARCH STREQUAL "win32")
    add_test(NAME win32.demo_and_try COMMAND bash ${CMAKE_SOURCE_DIR}/tests/tools/demo-and-try-test.sh ${CMAKE_SOURCE_DIR})
    set_tests_properties(win32.demo_and_try PROPERTIES TIMEOUT 600 RUN_SERIAL TRUE SKIP_RETURN_CODE 77)
  endif()

  foreach(suite ${VOR_E2E_TEST_SUITES})
    add_test(NAME ${VOR_WINE_ARCH}.e2e.${suite}
             COMMAND vor_e2e_tests --gtest_filter=${suite}.*
                     --bin=${CMAKE_BINARY_DIR} --app=${VOR_PRODUCT_DIR} --src=${CMAKE_SOURCE_DIR}
                     --arj=${VOR_ARJ_EXE} --archives=${VOR_REAL_ARCHIVES}
                     --demo=${CMAKE_BINARY_DIR}/demo-package)
    set_tests_properties(${VOR_WINE_ARCH}.e2e.${suite} PROPERTIES TIMEOUT 300 RUN_SERIAL TRUE)
  endforeach()
  # Wine takes its own built-in DLL over a file of the same name beside the program unless
  # told to prefer native ones; it reads that when a process starts, from the environment
  # it was started with, so the suite's processes, the installer among them, get it here.
  set_tests_properties(${VOR_WINE_ARCH}.e2e.PlantedDll PROPERTIES
                       ENVIRONMENT "WINEDLLOVERRIDES=comctl32,uxtheme,msvfw32,winmm=n,b")
  # These two skip all their tests or none, so a skip marks the whole suite (the skip
  # expression overrides the exit status; it must not hide a failure next to a skip).
  set_tests_properties(${VOR_WINE_ARCH}.e2e.RealArj PROPERTIES FIXTURES_REQUIRED vor_real_archives
                       SKIP_REGULAR_EXPRESSION "\\[  SKIPPED \\] [0-9]+ tests?,")
  set_tests_properties(${VOR_WINE_ARCH}.e2e.Demo PROPERTIES FIXTURES_REQUIRED vor_demo_package
                       SKIP_REGULAR_EXPRESSION "\\[  SKIPPED \\] [0-9]+ tests?,")
  # As on a double-byte Windows (932 Japanese by default; 936, 949 and 950 on request):
  # the viewer in-process, and the shipped programs end to end. tools/wine-run.sh makes
  # the locale that gives Wine the code page.
  set(VOR_DBCS_CODEPAGE 932 CACHE STRING "Code page of the DoubleByte tests: 932, 936, 949 or 950")
  add_test(NAME ${VOR_WINE_ARCH}.DoubleByteViewer COMMAND vor_win_tests --gtest_filter=DoubleByteViewer.*)
  set_tests_properties(${VOR_WINE_ARCH}.DoubleByteViewer PROPERTIES TIMEOUT 180
                       ENVIRONMENT VOR_WINE_CODEPAGE=${VOR_DBCS_CODEPAGE})
  add_test(NAME ${VOR_WINE_ARCH}.e2e.DoubleByte
           COMMAND vor_e2e_tests --gtest_filter=DoubleByte.*
                   --bin=${CMAKE_BINARY_DIR} --app=${VOR_PRODUCT_DIR} --src=${CMAKE_SOURCE_DIR}
                   --archives=${VOR_REAL_ARCHIVES})
  set_tests_properties(${VOR_WINE_ARCH}.e2e.DoubleByte PROPERTIES TIMEOUT 300 RUN_SERIAL TRUE
                       FIXTURES_REQUIRED vor_real_archives
                       ENVIRONMENT VOR_WINE_CODEPAGE=${VOR_DBCS_CODEPAGE})

  string(REPLACE ";" ":" family98_filter "${VOR_E2E_FAMILY98_TESTS}")
  add_test(NAME ${VOR_WINE_ARCH}.e2e.Family98
           COMMAND vor_e2e_tests --gtest_filter=${family98_filter}
                   --bin=${CMAKE_BINARY_DIR} --app=${VOR_PRODUCT_DIR} --src=${CMAKE_SOURCE_DIR})
  set_tests_properties(${VOR_WINE_ARCH}.e2e.Family98 PROPERTIES TIMEOUT 300 RUN_SERIAL TRUE
                       ENVIRONMENT VOR_WINE_VERSION=win98)
endif()

# Import audit of the 32-bit program as shipped (the product's toolchain): only
# functions that Windows 95 and NT 4.0 both have, by name, from the DLLs on the list.
if(CMAKE_SYSTEM_PROCESSOR STREQUAL "i686" AND VOR_PRODUCT_TOOLCHAIN)
  find_program(VOR_OBJDUMP NAMES i686-w64-mingw32-objdump objdump)
  # The installer imports Windows' own DLLs only; the checker and the builder, packagers'
  # tools, also
  # the C runtime DLL that NT 4.0 and Windows 98 bring (not the first Windows 95).
  set(VOR_SYSTEM_DLLS KERNEL32.DLL,USER32.DLL,GDI32.DLL,SHELL32.DLL,ADVAPI32.DLL)
  add_test(NAME ${VOR_WINE_ARCH}.imports
           COMMAND ${CMAKE_COMMAND} -DOBJDUMP=${VOR_OBJDUMP} -DEXE=$<TARGET_FILE:ZEZADERI>
                   -DALLOWED=${CMAKE_SOURCE_DIR}/cmake/win32-imports.txt -DSUBSYSTEM=2
                   -DDLLS=${VOR_SYSTEM_DLLS}
                   -P ${CMAKE_SOURCE_DIR}/cmake/check-imports.cmake)
  foreach(tool VORCHECK VORPACK)
    string(TOLOWER ${tool} name)
    add_test(NAME ${VOR_WINE_ARCH}.imports.${name}
             COMMAND ${CMAKE_COMMAND} -DOBJDUMP=${VOR_OBJDUMP} -DEXE=$<TARGET_FILE:${tool}>
                     -DALLOWED=${CMAKE_SOURCE_DIR}/cmake/win32-imports.txt -DSUBSYSTEM=3
                     -DDLLS=${VOR_SYSTEM_DLLS},MSVCRT.DLL
                     -P ${CMAKE_SOURCE_DIR}/cmake/check-imports.cmake)
  endforeach()
  # The same bytes from the same sources: no time or folder of the build in the programs.
  add_test(NAME ${VOR_WINE_ARCH}.same-bytes
           COMMAND ${CMAKE_COMMAND}
                   -DEXES=$<TARGET_FILE:ZEZADERI>,$<TARGET_FILE:VORCHECK>,$<TARGET_FILE:VORPACK>
                   -DSRC=${CMAKE_SOURCE_DIR} -DBIN=${CMAKE_BINARY_DIR}
                   -P ${CMAKE_SOURCE_DIR}/cmake/check-same-bytes.cmake)
  # The program file stays within 184 KB, its pictures and animation included: 176 KB
  # now (130 KB of them resources), and room for a few more KB of code.
  add_test(NAME ${VOR_WINE_ARCH}.size
           COMMAND ${CMAKE_COMMAND} -DEXE=$<TARGET_FILE:ZEZADERI> -DLIMIT=188416
                   -P ${CMAKE_SOURCE_DIR}/cmake/check-size.cmake)
  # Link audit: the installer's link takes no member of the C++ library or the unwinder,
  # and the program holds no unwind tables (its link map tells).
  add_test(NAME ${VOR_WINE_ARCH}.link
           COMMAND ${CMAKE_COMMAND} -DOBJDUMP=${VOR_OBJDUMP} -DEXE=$<TARGET_FILE:ZEZADERI>
                   -DMAP=$<TARGET_FILE_DIR:ZEZADERI>/ZEZADERI.map
                   -P ${CMAKE_SOURCE_DIR}/cmake/check-link.cmake)
endif()
