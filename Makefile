# The commands of the README. Every target installs what is missing first.
JOBS ?= $(shell nproc)
CMAKE_FLAGS ?=

.PHONY: deps build run test test-normal test-sanitize bench tidy format clean

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
# UndefinedBehaviorSanitizer.
test: deps
	$(MAKE) test-normal
	$(MAKE) test-sanitize

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
