# The two set-up commands: `make run` starts the game, `make test` runs every test.
BUILD ?= build
JOBS ?= $(shell nproc)

.PHONY: run test deps build clean

deps:
	@./tools/asenna_riippuvuudet.sh

build: deps
	@cmake -S . -B $(BUILD) -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
	@cmake --build $(BUILD) -j $(JOBS)

run: build
	./$(BUILD)/hiekkatorni

test: build
	cd $(BUILD) && ctest --output-on-failure -j $(JOBS)

clean:
	rm -rf $(BUILD)
