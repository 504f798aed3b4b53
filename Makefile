# The two commands a newcomer needs: `make run` and `make test`.
PRESET ?= default
BUILD_DIR := build/$(PRESET)

.PHONY: deps configure build run test asan bench format clean

deps:
	@scripts/install-deps.sh

configure: deps
	@cmake --preset $(PRESET) >/dev/null

# Everything, tests included.
build: configure
	@cmake --build --preset $(PRESET)

# Only what the tour needs: the simulator, not the tests.
run: configure
	@cmake --build --preset $(PRESET) --target snapforge-sim
	@$(BUILD_DIR)/snapforge-sim

test: configure
	@cmake --build --preset $(PRESET) --target snapforge-tests
	@ctest --preset $(PRESET)

asan:
	@$(MAKE) --no-print-directory test PRESET=asan

bench: deps
	@cmake --preset release >/dev/null
	@cmake --build --preset release --target snapforge-bench
	@build/release/snapforge-bench

format:
	@clang-format -i $$(git ls-files '*.cpp' '*.h')

clean:
	@rm -rf build
