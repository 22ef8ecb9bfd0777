# The two set-up commands of the README:
#   make run   installs what is missing, builds, and opens the window
#   make test  installs what is missing, builds, and runs every test: in the normal build, then
#              under AddressSanitizer + UndefinedBehaviorSanitizer, then the fuzzers
# and, for installing:
#   make package  the Debian package $(BUILD)/pelmora_<version>_<arch>.deb
BUILD ?= build
JOBS ?= $(shell nproc)
# The second configuration: clang with AddressSanitizer + UndefinedBehaviorSanitizer, and the fuzzers.
SANITIZE_BUILD ?= build-sanitize
FUZZ_SECONDS ?= 60
SANITIZER_ENV = ASAN_OPTIONS=detect_leaks=1:halt_on_error=1:abort_on_error=1 \
	UBSAN_OPTIONS=halt_on_error=1:print_stacktrace=1 \
	QT_QPA_PLATFORM=offscreen

.PHONY: all deps configure build run package test test-build sanitize-build test-sanitize fuzz clean

all: build

deps:
	@scripts/install-deps

$(BUILD)/build.ninja:
	cmake -S . -B $(BUILD) -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo

configure: deps $(BUILD)/build.ninja

build: configure
	cmake --build $(BUILD) -j $(JOBS)

run: build
	$(BUILD)/src/app/pelmora $(ARGS)

package: build
	cmake --build $(BUILD) --target package

# Every test of the normal build, then every test again under the sanitizers, then the fuzzers.
test:
	$(MAKE) test-build
	$(MAKE) test-sanitize
	$(MAKE) fuzz

test-build: build
	QT_QPA_PLATFORM=offscreen ctest --test-dir $(BUILD) --output-on-failure -j $(JOBS)

$(SANITIZE_BUILD)/build.ninja:
	CC=clang CXX=clang++ cmake -S . -B $(SANITIZE_BUILD) -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
		-DPELMORA_SANITIZE=ON -DPELMORA_FUZZ=ON -DPELMORA_FUZZ_SECONDS=$(FUZZ_SECONDS)

sanitize-build: deps $(SANITIZE_BUILD)/build.ninja
	cmake --build $(SANITIZE_BUILD) -j $(JOBS)

test-sanitize: sanitize-build
	$(SANITIZER_ENV) ctest --test-dir $(SANITIZE_BUILD) --output-on-failure -j $(JOBS) -LE fuzz

# Each fuzzer runs for FUZZ_SECONDS; a crash fails the test and leaves its input in
# $(SANITIZE_BUILD)/fuzz/<fuzzer>-artifacts.
fuzz: sanitize-build
	$(SANITIZER_ENV) ctest --test-dir $(SANITIZE_BUILD) --output-on-failure -j $(JOBS) -L fuzz
	@grep -h -e '^Command: ".*/fuzz_' -e '^Done [0-9]* runs' \
		$(SANITIZE_BUILD)/Testing/Temporary/LastTest.log | sed -e 's|^Command: "[^"]*/\(fuzz_[a-z]*\)".*|\1:|'

clean:
	rm -rf $(BUILD) $(SANITIZE_BUILD)
