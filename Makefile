# The commands people type. Each installs what is missing first (Debian packages).
#   make build  - the installer, build/win32/ZEZADERI.EXE, the package checker,
#                 build/win32/VORCHECK.EXE and build/native/vorcheck, and the package
#                 builder, build/win32/VORPACK.EXE and build/native/vorpack
#   make test   - every test: native unit tests (ASan/UBSan), fuzzers, Win32 tests under Wine
#                 (the end-to-end ones also with a real ARJ.EXE built from Debian's arj source)
#   make demo   - installs the demo package (real volumes and ARJ.EXE) with the installer
#                 under Wine: driven through the whole installation and checked, with a
#                 picture of each window, when there is no display
#   make try PACKAGE=DIR [TARGET=FOLDER] [CODE_PAGE=N] - the same with any package
#                 folder (tools/try-package.sh), into its Default_Directory or FOLDER
#   make pictures - the demo on a virtual display, its pictures made the README's (docs/)

SHELL := /bin/bash
ROOT := $(CURDIR)
JOBS ?= 2
CMAKE_QUIET := -DCMAKE_RULE_MESSAGES=OFF --log-level=WARNING -Wno-dev --no-warn-unused-cli

.PHONY: build test demo try pictures deps native fuzz win32 win64 clean

deps:
	@bash tools/setup-deps.sh

build: deps
	@if grep -qs 'mingw32-gcc-ar-posix' build/win32/CMakeCache.txt; then rm -rf build/win32; fi
	@cmake -S . -B build/win32 -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-i686.cmake -DCMAKE_BUILD_TYPE=Release $(CMAKE_QUIET) >/dev/null
	@cmake --build build/win32 -j $(JOBS) --target ZEZADERI VORCHECK VORPACK -- --no-print-directory
	@printf 'build/win32/ZEZADERI.EXE: %s bytes\n' "$$(stat -c %s build/win32/ZEZADERI.EXE)"
	@# The checker and the builder for this machine too, quietly (the errors show if it fails).
	@cmake -S . -B build/native -DCMAKE_BUILD_TYPE=Debug $(CMAKE_QUIET) >/dev/null
	@cmake --build build/native -j $(JOBS) --target vorcheck vorpack -- --no-print-directory >/dev/null || \
	  cmake --build build/native -j 1 --target vorcheck vorpack -- --no-print-directory

test: deps
	@bash tools/run-tests.sh

demo: deps
	@bash tools/run-demo.sh

# TARGET is read from the environment, where make puts it, so its backslashes stay.
try: deps
	@bash tools/try-package.sh $${TARGET:+--target "$$TARGET"} $${CODE_PAGE:+--code-page "$$CODE_PAGE"} "$(PACKAGE)"

pictures: deps
	@bash tools/run-demo.sh --docs

clean:
	rm -rf build
