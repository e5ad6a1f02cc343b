# Two commands do everything on a fresh Debian or Ubuntu machine:
#   make run   install what is missing, build, start the bus
#   make test  install what is missing, build, run every test (end-to-end ones included)
BUILD ?= build
JOBS ?= $(shell nproc)

.PHONY: deps configure build run test bench clean

deps:
	tools/install-deps.sh

configure: deps
	cmake -S . -B $(BUILD) -G Ninja

build: configure
	cmake --build $(BUILD) -j $(JOBS)

run: build
	$(BUILD)/QK31T0207

test: build
	cd $(BUILD) && ctest --output-on-failure -j 1

bench: build
	tools/run-benchmarks.sh $(BUILD)

# One .deb in $(BUILD)/ (qk31t0207_<version>_<arch>.deb), made by CPack.
.PHONY: package
package: build
	cmake --build $(BUILD) --target package

clean:
	rm -rf $(BUILD)
