# Convenience front end: `make test` and `make run` work on a fresh Debian 12 machine.
BUILD ?= build
JOBS ?= $(shell nproc)

.PHONY: setup build test run run-editor bench clean

setup:
	bash scripts/setup.sh

build: setup
	cmake -S . -B $(BUILD) -DCMAKE_BUILD_TYPE=RelWithDebInfo
	cmake --build $(BUILD) -j $(JOBS)

test: build
	cd $(BUILD) && QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j $(JOBS)

run: build
	$(BUILD)/bin/keyfinder

run-editor: build
	$(BUILD)/bin/keyeditor

bench: build
	$(BUILD)/bin/keybench

clean:
	rm -rf $(BUILD)
