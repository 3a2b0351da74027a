# Fern Browser: the common commands. See README.md.
BUILD      ?= build
ASAN_BUILD ?= build-asan
PACKAGE_BUILD ?= build-package
TSAN_BUILD ?= build-tsan
CMAKE_ARGS ?= -DCMAKE_BUILD_TYPE=RelWithDebInfo

.PHONY: deps build test unit-test asan-test tsan-test run bench package format clean

deps:
	@bash scripts/deps.sh

$(BUILD)/build.ninja:
	cmake -S . -B $(BUILD) -G Ninja $(CMAKE_ARGS)

build: deps $(BUILD)/build.ninja
	cmake --build $(BUILD)

# All tests, then the unit tests once more under ASan and UBSan, and the
# tests of the history's threads under ThreadSanitizer.
test: build
	ctest --test-dir $(BUILD) --output-on-failure
	$(MAKE) asan-test
	$(MAKE) tsan-test

asan-test: deps
	cmake -S . -B $(ASAN_BUILD) -G Ninja -DCMAKE_BUILD_TYPE=Debug -DFERN_SANITIZE=ON \
	      -DFERN_GUI=OFF -DFERN_BENCH=OFF
	cmake --build $(ASAN_BUILD)
	ASAN_OPTIONS=detect_leaks=1 ctest --test-dir $(ASAN_BUILD) -L unit --output-on-failure

tsan-test: deps
	cmake -S . -B $(TSAN_BUILD) -G Ninja -DCMAKE_BUILD_TYPE=Debug -DFERN_TSAN=ON \
	      -DFERN_GUI=OFF -DFERN_BENCH=OFF
	cmake --build $(TSAN_BUILD) --target fern_tsan_tests
	TSAN_OPTIONS=halt_on_error=1:second_deadlock_stack=1 ctest --test-dir $(TSAN_BUILD) -L tsan --output-on-failure

run: build
	@bash scripts/run.sh $(BUILD)

# The micro-benchmarks; bench/browser_bench.py compares the whole browser
# with surf, installed here when missing.
bench: build
	@bash scripts/deps.sh surf
	$(BUILD)/bench/fern_bench

# The Debian package, from a Release build for /usr: $(PACKAGE_BUILD)/fern_*.deb
package: deps
	cmake -S . -B $(PACKAGE_BUILD) -G Ninja -DCMAKE_BUILD_TYPE=Release -DCMAKE_INSTALL_PREFIX=/usr \
	      -DFERN_TESTS=OFF -DFERN_BENCH=OFF
	cmake --build $(PACKAGE_BUILD)
	cd $(PACKAGE_BUILD) && cpack -G DEB

# Formats the C++ files that drift from .clang-format (make test fails on drift).
format:
	@bash scripts/format_check.sh --fix

clean:
	rm -rf $(BUILD) $(ASAN_BUILD) $(TSAN_BUILD) $(PACKAGE_BUILD)
