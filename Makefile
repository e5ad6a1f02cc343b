# Two commands do everything on a fresh Debian or Ubuntu machine:
#   make run   install what is missing, build, start the bus
#   make test  install what is missing, build, run every test (end-to-end ones included)
#   make test-sanitize  the same in build-asan/, built with the address, leak and
#                       undefined-behaviour checkers
#   make fuzz   each fuzz target for FUZZ_SECONDS (60) in build-fuzz/, built with clang
#   make test-weight  fails when the tests outweigh TEST_WEIGHT_MAX (0.35) of the code
#   make check-layers  fails when an #include under src/ points up the layers
BUILD ?= build
SANITIZE_BUILD ?= build-asan
JOBS ?= $(shell nproc)
CMAKE_FLAGS ?=
FUZZ_SECONDS ?= 60
TEST_WEIGHT_MAX ?= 0.35

.PHONY: deps configure build run test test-sanitize test-weight check-layers fuzz bench clean

deps:
	tools/install-deps.sh

configure: deps
	cmake -S . -B $(BUILD) -G Ninja $(CMAKE_FLAGS)

build: configure
	cmake --build $(BUILD) -j $(JOBS)

run: build
	$(BUILD)/QK31T0207

test: build check-layers
	cd $(BUILD) && ctest --output-on-failure -j 1

test-sanitize:
	$(MAKE) test BUILD=$(SANITIZE_BUILD) CMAKE_FLAGS=-DBUS_SANITIZE=ON

test-weight:
	tools/test-weight.sh --max $(TEST_WEIGHT_MAX)

check-layers:
	tools/check-layers.sh src

fuzz:
	tools/run-fuzzers.sh $(FUZZ_SECONDS)

bench: build
	tools/run-benchmarks.sh $(BUILD)

# One .deb in $(BUILD)/ (qk31t0207_<version>_<arch>.deb), made by CPack.
.PHONY: package
package: build
	cmake --build $(BUILD) --target package

clean:
	rm -rf $(BUILD) $(SANITIZE_BUILD) build-fuzz
