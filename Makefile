# Two commands do everything on a fresh Debian or Ubuntu machine:
#   make run   install what is missing, build, start the bus
#   make test  install what is missing, build, run every test (end-to-end ones included)
#   make test-sanitize  the same in build-asan/, built with the address, leak and
#                       undefined-behaviour checkers
BUILD ?= build
SANITIZE_BUILD ?= build-asan
JOBS ?= $(shell nproc)
CMAKE_FLAGS ?=

.PHONY: deps configure build run test test-sanitize bench clean

deps:
	tools/install-deps.sh

configure: deps
	cmake -S . -B $(BUILD) -G Ninja $(CMAKE_FLAGS)

build: configure
	cmake --build $(BUILD) -j $(JOBS)

run: build
	$(BUILD)/QK31T0207

test: build
	cd $(BUILD) && ctest --output-on-failure -j 1

test-sanitize:
	$(MAKE) test BUILD=$(SANITIZE_BUILD) CMAKE_FLAGS=-DBUS_SANITIZE=ON

bench: build
	tools/run-benchmarks.sh $(BUILD)

clean:
	rm -rf $(BUILD) $(SANITIZE_BUILD)
