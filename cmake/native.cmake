# Native build of the portable logic, with its unit tests (and sanitizers).
find_package(GTest REQUIRED)
include(GoogleTest)

set(VOR_WARNINGS -Wall -Wextra -Werror=return-type)
if(VOR_SANITIZE)
  add_compile_options(-fsanitize=address,undefined -fno-omit-frame-pointer -fno-sanitize-recover=all)
  add_link_options(-fsanitize=address,undefined)
endif()

add_library(vor_portable STATIC ${VOR_PORTABLE_SOURCES})
target_include_directories(vor_portable PUBLIC ${CMAKE_SOURCE_DIR})
target_compile_options(vor_portable PRIVATE ${VOR_WARNINGS})

add_library(vor_check STATIC ${VOR_CHECK_SOURCES} ${VOR_CHECK_POSIX_SOURCES})
target_compile_options(vor_check PRIVATE ${VOR_WARNINGS})
target_link_libraries(vor_check PUBLIC vor_portable)

add_executable(vorcheck ${VOR_CHECK_MAIN})
target_compile_options(vorcheck PRIVATE ${VOR_WARNINGS})
target_link_libraries(vorcheck PRIVATE vor_check)

add_library(vor_pack STATIC ${VOR_PACK_SOURCES} ${VOR_PACK_POSIX_SOURCES})
target_compile_options(vor_pack PRIVATE ${VOR_WARNINGS})
target_link_libraries(vor_pack PUBLIC vor_check)

add_executable(vorpack ${VOR_PACK_MAIN})
target_compile_options(vorpack PRIVATE ${VOR_WARNINGS})
target_link_libraries(vorpack PRIVATE vor_pack)

# vorcheck on the demo package, made by vorpack with real volumes from Debian's arj: clean.
add_test(NAME tools.vorcheck_demo_package
         COMMAND bash ${CMAKE_SOURCE_DIR}/tests/check/check-demo-package.sh
                 ${CMAKE_BINARY_DIR}/demo-package - $<TARGET_FILE:vorcheck>)
# Without a Windows build, a program file with the installer's logo and icon stands in.
add_executable(make_test_installer tests/common/make_test_installer.cpp tests/common/TestInstaller.cpp)
target_include_directories(make_test_installer PRIVATE ${CMAKE_SOURCE_DIR})
set_tests_properties(tools.vorcheck_demo_package PROPERTIES ENVIRONMENT
  "VORPACK=$<TARGET_FILE:vorpack>;VOR_MAKE_INSTALLER=$<TARGET_FILE:make_test_installer>")

add_executable(vor_unit_tests ${VOR_UNIT_TESTS})
target_compile_options(vor_unit_tests PRIVATE ${VOR_WARNINGS})
target_compile_definitions(vor_unit_tests PRIVATE VOR_SOURCE_DIR="${CMAKE_SOURCE_DIR}"
                                                 VOR_FIXTURE_DIR="${CMAKE_SOURCE_DIR}/tests/fixtures")
target_link_libraries(vor_unit_tests PRIVATE vor_pack vor_check vor_portable GTest::gtest GTest::gtest_main)
gtest_discover_tests(vor_unit_tests TEST_PREFIX "unit." DISCOVERY_TIMEOUT 60)

foreach(bench ${VOR_NATIVE_BENCHMARKS})
  get_filename_component(name ${bench} NAME_WE)
  add_executable(${name} ${bench})
  target_link_libraries(${name} PRIVATE vor_check vor_portable)
endforeach()

# The ARJ.EXE build, the demo package builder and make try refuse bad input clearly.
add_test(NAME tools.arj_scripts_refuse_bad_input
         COMMAND bash ${CMAKE_SOURCE_DIR}/tests/tools/arj-scripts-test.sh ${CMAKE_SOURCE_DIR})

# Dependencies between the product's folders point down.
add_test(NAME tools.includes_point_down
         COMMAND ${CMAKE_COMMAND} -DSRC=${CMAKE_SOURCE_DIR} -P ${CMAKE_SOURCE_DIR}/cmake/check-includes.cmake)

# The icon, logo and animation in res/ are made by our generator; regenerating them
# must give the same bytes.
add_executable(artgen tools/artgen/artgen.cpp)
add_test(NAME tools.artgen_reproduces_resources
         COMMAND ${CMAKE_COMMAND} -DARTGEN=$<TARGET_FILE:artgen> -DSRC=${CMAKE_SOURCE_DIR}
                 -DOUT=${CMAKE_BINARY_DIR}/artgen-out -P ${CMAKE_SOURCE_DIR}/cmake/check-artgen.cmake)
