# libFuzzer targets for the portable parsers; each also runs briefly as a test.
set(VOR_FUZZ_SECONDS 10 CACHE STRING "How long each fuzz target runs under ctest")
add_compile_options(-g -O1 -fsanitize=fuzzer-no-link,address,undefined)

add_library(vor_portable_fuzz STATIC ${VOR_PORTABLE_SOURCES} ${VOR_CHECK_SOURCES}
            ${VOR_CHECK_POSIX_SOURCES})
target_include_directories(vor_portable_fuzz PUBLIC ${CMAKE_SOURCE_DIR})

foreach(src ${VOR_FUZZ_TARGETS})
  get_filename_component(name ${src} NAME_WE)
  add_executable(${name} ${src})
  target_link_libraries(${name} PRIVATE vor_portable_fuzz)
  target_link_options(${name} PRIVATE -fsanitize=fuzzer,address,undefined)
  set(corpus ${CMAKE_BINARY_DIR}/corpus/${name})
  file(MAKE_DIRECTORY ${corpus})
  set(dirs ${corpus})
  if(EXISTS ${CMAKE_SOURCE_DIR}/tests/fuzz/seeds/${name})
    list(APPEND dirs ${CMAKE_SOURCE_DIR}/tests/fuzz/seeds/${name})
  endif()
  add_test(NAME fuzz.${name}
           COMMAND ${name} -max_total_time=${VOR_FUZZ_SECONDS} -timeout=10 -rss_limit_mb=2048
                   ${dirs})
  set_tests_properties(fuzz.${name} PROPERTIES TIMEOUT 300)
endforeach()
