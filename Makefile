# The commands of the README. Every target installs what is missing first.
JOBS ?= $(shell nproc)
CMAKE_FLAGS ?=
VERSION := $(shell sed -n 's/^project.Scalio VERSION \([0-9.]*\).*/\1/p' CMakeLists.txt)
ARCH := $(shell dpkg --print-architecture)
# Seconds per fuzz target: make fuzz, and the short run in make test.
FUZZ_SECONDS ?= 60
FUZZ_SMOKE_SECONDS ?= 5

.PHONY: deps build run test test-normal test-sanitize test-fuzz test-package fuzz package footprint bench tidy format clean

deps:
	@scripts/install-deps

# Release build; the ready-to-run folder is build/release/bin/.
build: deps
	cmake -S . -B build/release -DCMAKE_BUILD_TYPE=Release -DSCALIO_WERROR=ON $(CMAKE_FLAGS)
	cmake --build build/release -j $(JOBS)

# Starts Scalio on $$DISPLAY; without a display, on a private virtual one,
# and saves a screenshot under build/.
run: build
	@scripts/run-scalio build/release/bin/scalio

# Every tier, then the same tests under AddressSanitizer and
# UndefinedBehaviorSanitizer, a few seconds of each fuzz target, and the
# Debian package built and checked.
test: deps
	$(MAKE) test-normal
	$(MAKE) test-sanitize
	$(MAKE) test-fuzz
	$(MAKE) test-package

# The end-to-end tier runs the release program, so the plain run builds it.
test-normal:
	cmake -S . -B build/release -DCMAKE_BUILD_TYPE=Release -DSCALIO_WERROR=ON $(CMAKE_FLAGS)
	cmake --build build/release -j $(JOBS)
	cd build/release && ctest --output-on-failure --no-tests=error -j $(JOBS)

test-sanitize:
	cmake -S . -B build/asan -DCMAKE_BUILD_TYPE=Debug -DSCALIO_WERROR=ON -DSCALIO_SANITIZE=ON $(CMAKE_FLAGS)
	cmake --build build/asan -j $(JOBS)
	cd build/asan && ASAN_OPTIONS=detect_leaks=1:abort_on_error=1 \
	  LSAN_OPTIONS=suppressions=$(CURDIR)/tests/lsan.supp:print_suppressions=0 \
	  UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
	  ctest --output-on-failure --no-tests=error -j $(JOBS)

# The fuzz targets build, pass their seeds and the inputs of past findings,
# and run briefly (build/fuzz/, clang).
test-fuzz:
	JOBS=$(JOBS) scripts/fuzz --smoke $(FUZZ_SMOKE_SECONDS)

# Each fuzz target for FUZZ_SECONDS seconds; crashes are kept under
# build/fuzz/crashes/.
fuzz: deps
	JOBS=$(JOBS) scripts/fuzz $(FUZZ_SECONDS)

# The Debian package of the release build, then checked unpacked: layout,
# metadata, lintian, and the program itself on a private display.
package: build
	$(MAKE) test-package

# Packs the release build as it is (make test's normal tier made it).
test-package:
	cd build/release && cpack -G DEB
	scripts/check-package build/release/scalio_$(VERSION)_$(ARCH).deb

# Start time, memory and idle CPU of the release program on a private
# display, medians of 5 starts, beside KRuler when it is installed.
footprint: build
	scripts/measure-footprint build/release/bin/scalio

bench: build
	build/release/bench/scalio_bench

# clang-tidy over the whole build, on demand.
tidy: deps
	cmake -S . -B build/tidy -DCMAKE_BUILD_TYPE=Debug -DSCALIO_CLANG_TIDY=ON $(CMAKE_FLAGS)
	cmake --build build/tidy -j $(JOBS)

format:
	find src tests bench -name '*.cpp' -o -name '*.h' | xargs clang-format -i

clean:
	rm -rf build
