# Convenience targets. Each one makes the machine ready first (scripts/setup.sh installs whatever
# Debian packages of its purposes are missing), then configures and builds with CMake and Ninja.

BUILD_DIR      ?= build
ASAN_BUILD_DIR ?= build-asan
TSAN_BUILD_DIR ?= build-tsan
BUILD_TYPE     ?= RelWithDebInfo
JOBS           ?= $(shell nproc 2>/dev/null || echo 2)
FUZZ_SECONDS   ?= 60
ARGS           ?=
PREFIX         ?= /usr/local

.PHONY: all setup configure build run test test-release test-asan test-tsan bench fuzz format clean install package

all: build

# The package lists scripts/setup.sh installs before a target: building and running the game needs the
# run list alone; the targets below add theirs (a target's choice holds for everything it builds first).
SETUP_FOR ?= run
test test-release test-asan: SETUP_FOR = run test package
bench: SETUP_FOR = run test bench
fuzz: SETUP_FOR = run fuzz
install package: SETUP_FOR = run package

# Leaks are checked in every sanitizer test; the system libraries' own leaks are named in this file.
LSAN_SUPPRESSIONS = $(abspath tests/support/lsan.supp)

setup:
	@bash scripts/setup.sh $(SETUP_FOR)

configure: setup
	@cmake -S . -B $(BUILD_DIR) -G Ninja -DCMAKE_BUILD_TYPE=$(BUILD_TYPE) >/dev/null

build: configure
	@cmake --build $(BUILD_DIR) -j $(JOBS)

# Only the game, its archives and its catalogues: the tests are built by `make test`.
run: configure
	@cmake --build $(BUILD_DIR) -j $(JOBS) --target zarn zarn_catalogues zarn_language_resources
	@bash scripts/run.sh $(BUILD_DIR) $(ARGS)

# Installs under PREFIX (default /usr/local); DESTDIR, when set, is put in front of every path.
install: configure
	@cmake --build $(BUILD_DIR) -j $(JOBS) --target zarn_installable
	@DESTDIR="$(DESTDIR)" cmake --install $(BUILD_DIR) --prefix $(PREFIX)

# The Debian package, build/package/zarn_VERSION_ARCH.deb (install it with apt install ./FILE).
package: configure
	@cmake --build $(BUILD_DIR) -j $(JOBS) --target zarn_installable
	@cd $(BUILD_DIR) && cpack -G DEB
	@ls $(BUILD_DIR)/package/*.deb

# Every test keeps out of the player's own files: each test makes its own temporary home, and the
# whole run is pointed at one inside the build folder besides, so a test that forgets can touch no more.
TEST_HOME = HOME=$(abspath $(1))/test-home XDG_CONFIG_HOME=$(abspath $(1))/test-home/config \
	XDG_STATE_HOME=$(abspath $(1))/test-home/state XDG_DATA_HOME=$(abspath $(1))/test-home/data

test-release: build
	@mkdir -p $(BUILD_DIR)/test-home
	@$(call TEST_HOME,$(BUILD_DIR)) ctest --test-dir $(BUILD_DIR) --output-on-failure -j $(JOBS)

test-asan: setup
	@cmake -S . -B $(ASAN_BUILD_DIR) -G Ninja -DCMAKE_BUILD_TYPE=Debug -DZARN_SANITIZE=ON >/dev/null
	@cmake --build $(ASAN_BUILD_DIR) -j $(JOBS)
	@mkdir -p $(ASAN_BUILD_DIR)/test-home
	@$(call TEST_HOME,$(ASAN_BUILD_DIR)) \
		ASAN_OPTIONS=detect_leaks=1:abort_on_error=1 UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
		LSAN_OPTIONS=suppressions=$(LSAN_SUPPRESSIONS):print_suppressions=0 \
		ctest --test-dir $(ASAN_BUILD_DIR) --output-on-failure -j $(JOBS)

# The code that runs on worker threads (the expert players' thinking seats, the speech queue, the sharper
# pictures' reading), under ThreadSanitizer: only their test binaries are built and only their tests run.
# setarch -R turns off address randomisation, which ThreadSanitizer's fixed memory layout cannot live
# with on kernels with many random mmap bits.
test-tsan: setup
	@cmake -S . -B $(TSAN_BUILD_DIR) -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DZARN_TSAN=ON >/dev/null
	@cmake --build $(TSAN_BUILD_DIR) -j $(JOBS) --target thinking_seats_test queued_speech_test scaled_picture_reader_test
	@mkdir -p $(TSAN_BUILD_DIR)/test-home
	@$(call TEST_HOME,$(TSAN_BUILD_DIR)) TSAN_OPTIONS=halt_on_error=1:second_deadlock_stack=1 \
		setarch $$(uname -m) -R ctest --test-dir $(TSAN_BUILD_DIR) --output-on-failure -j $(JOBS)

# The whole suite: the optimised build, then the sanitizer builds.
test: test-release test-asan test-tsan

bench: build
	@for b in $(BUILD_DIR)/bin/*_bench; do [ -x "$$b" ] && "$$b"; done

fuzz: setup
	@bash scripts/fuzz.sh $(FUZZ_SECONDS)

format:
	@git ls-files '*.cpp' '*.h' | xargs -r clang-format -i

clean:
	@rm -rf $(BUILD_DIR) $(ASAN_BUILD_DIR) $(TSAN_BUILD_DIR) build-fuzz
