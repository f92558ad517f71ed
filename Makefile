# Convenience targets. Each one makes the machine ready first (scripts/setup.sh installs
# whatever Debian packages are missing), then configures and builds with CMake and Ninja.

BUILD_DIR      ?= build
ASAN_BUILD_DIR ?= build-asan
BUILD_TYPE     ?= RelWithDebInfo
JOBS           ?= $(shell nproc 2>/dev/null || echo 2)
FUZZ_SECONDS   ?= 60
ARGS           ?=

.PHONY: all setup configure build run test test-release test-asan bench fuzz format clean

all: build

setup:
	@bash scripts/setup.sh

configure: setup
	@cmake -S . -B $(BUILD_DIR) -G Ninja -DCMAKE_BUILD_TYPE=$(BUILD_TYPE) >/dev/null

build: configure
	@cmake --build $(BUILD_DIR) -j $(JOBS)

run: build
	@bash scripts/run.sh $(BUILD_DIR) $(ARGS)

test-release: build
	@ctest --test-dir $(BUILD_DIR) --output-on-failure -j $(JOBS)

test-asan: setup
	@cmake -S . -B $(ASAN_BUILD_DIR) -G Ninja -DCMAKE_BUILD_TYPE=Debug -DZARN_SANITIZE=ON >/dev/null
	@cmake --build $(ASAN_BUILD_DIR) -j $(JOBS)
	@ASAN_OPTIONS=detect_leaks=1:abort_on_error=1 UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
		ctest --test-dir $(ASAN_BUILD_DIR) --output-on-failure -j $(JOBS)

# The whole suite: the optimised build, then the sanitizer build.
test: test-release test-asan

bench: build
	@for b in $(BUILD_DIR)/bin/*_bench; do [ -x "$$b" ] && "$$b"; done

fuzz: setup
	@bash scripts/fuzz.sh $(FUZZ_SECONDS)

format:
	@git ls-files '*.cpp' '*.h' | xargs -r clang-format -i

clean:
	@rm -rf $(BUILD_DIR) $(ASAN_BUILD_DIR) build-fuzz
