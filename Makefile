# Tapmill: `make run` starts the program under Wine, `make test` runs every test.
# Both install whatever the machine is missing first.
SHELL := /bin/bash
ROOT := $(CURDIR)
BUILD := $(ROOT)/build
NATIVE := $(BUILD)/native
SANITIZED := $(BUILD)/sanitizers
WIN32 := $(BUILD)/win32
WINEPREFIX_DIR := $(BUILD)/wineprefix
JOBS ?= $(shell nproc)
# How long each fuzzer runs: briefly in `make test`, as long as you ask in `make fuzz`.
FUZZ_SMOKE_SECONDS ?= 10
FUZZ_SECONDS ?= 600
CMAKE_GEN := -G Ninja

.PHONY: all deps native asan win32 dist prefix run test test-unit test-asan test-e2e test-fuzz fuzz fuzz-build bench bench-build bench-e2e soak crash monkey clean

all: native win32

deps:
	@tools/install-deps.sh

native: deps
	@cmake -S . -B $(NATIVE) $(CMAKE_GEN) -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
	@cmake --build $(NATIVE) -j $(JOBS)

# The unit tests and the fuzzers in one build, with clang, under AddressSanitizer and UBSan: the logic
# is compiled once for both.
asan: deps
	@cmake -S . -B $(SANITIZED) $(CMAKE_GEN) -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++ \
	  -DCMAKE_BUILD_TYPE=Debug -DCMAKE_CXX_FLAGS_DEBUG="-g -O1" -DTAPMILL_FUZZ=ON >/dev/null
	@cmake --build $(SANITIZED) -j $(JOBS) --target tapmill_unit fuzzers

win32: deps
	@cmake -S . -B $(WIN32) $(CMAKE_GEN) -DCMAKE_BUILD_TYPE=Release -DCMAKE_TOOLCHAIN_FILE=$(ROOT)/cmake/mingw-i686.cmake >/dev/null
	@cmake --build $(WIN32) -j $(JOBS)
	@rm -rf $(ROOT)/dist && cp -r $(WIN32)/dist $(ROOT)/dist
	@# The downloads beside the program folder: the tests copy $(WIN32)/dist, which holds only the program.
	@cp $(WIN32)/release/* $(ROOT)/dist/

prefix: deps
	@tools/wineprefix.sh $(WINEPREFIX_DIR)

run: win32 prefix
	@tools/run.sh $(ROOT)/dist $(WINEPREFIX_DIR) $(BUILD)/screenshots

test-unit: native
	@ctest --test-dir $(NATIVE) -L unit --output-on-failure -j $(JOBS)

test-asan: asan
	@ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=print_stacktrace=1 ctest --test-dir $(SANITIZED) -L unit --output-on-failure -j $(JOBS)

test-e2e: win32 prefix
	@tools/with-display.sh ctest --test-dir $(WIN32) -L e2e -LE e2ebench --output-on-failure

# Benchmarks under Wine: each prints its figures, runs three times and fails when the median of a
# figure misses its target. BENCH=pace runs only the benchmarks whose names hold "pace".
bench-e2e: win32 prefix
	@tools/with-display.sh ctest --test-dir $(WIN32) -L e2ebench $(if $(BENCH),-R $(BENCH)) --verbose

# The crash-safety test at full length: 100 kills (`make test` runs 24).
crash: win32 prefix
	@CRASH_KILLS_PER_KIND=25 tools/with-display.sh ctest --test-dir $(WIN32) -R e2e_test_crash_safety --output-on-failure

# An endless plain playback and an endless script run, SOAK_MINUTES each (default 30), with the
# program's memory, objects and handles sampled throughout.
soak: win32 prefix
	@tools/with-display.sh ctest --test-dir $(WIN32) -L soak --verbose

# A randomised user on the real program for MONKEY_MINUTES (default 30); MONKEY_SEED replays a run.
# `make test` runs one minute of it.
monkey: win32 prefix
	@tools/with-display.sh ctest --test-dir $(WIN32) -L monkey --verbose

fuzz-build: asan

test-fuzz: asan
	@tools/fuzz.sh $(SANITIZED)/fuzz $(FUZZ_SMOKE_SECONDS)

fuzz: asan
	@tools/fuzz.sh $(SANITIZED)/fuzz $(FUZZ_SECONDS)

# Every test once: the unit tests under AddressSanitizer and UBSan (`make test-unit` runs them in the
# plain build, the quicker turn while working), the fuzzers briefly, the end-to-end tests; and the
# native benchmarks built (not run) with g++, so that they keep compiling and g++ sees the logic
# too. Every tree fails on a warning.
test: test-asan test-fuzz bench-build test-e2e

# The native benchmarks and the logic they use, in the plain g++ tree; the unit tests are left to
# the sanitizer tree, which builds them already.
bench-build: deps
	@cmake -S . -B $(NATIVE) $(CMAKE_GEN) -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
	@cmake --build $(NATIVE) -j $(JOBS) --target tapmill_bench

# The native benchmarks, three runs, held to bench/targets.txt.
bench: native
	@tools/bench-check.py --targets bench/targets.txt -- $(NATIVE)/bench/tapmill_bench --benchmark_color=false

clean:
	rm -rf $(BUILD) $(ROOT)/dist
