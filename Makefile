# The two commands a newcomer needs: `make run` and `make test`.
PRESET ?= default
BUILD_DIR := build/$(PRESET)

.PHONY: deps configure build run live test goldens mutate asan tsan soak bench fuzz format clean \
        readme-picture

deps:
	@scripts/install-deps.sh

configure: deps
	@cmake --preset $(PRESET) >/dev/null

# Everything, tests included.
build: configure
	@cmake --build --preset $(PRESET)

# The default tour; its report, a page to watch it, is named at the end, and so is the camera to
# play with. Only what the tour needs is built: the simulator, not the tests.
run: configure
	@cmake --build --preset $(PRESET) --target snapforge-sim
	@$(BUILD_DIR)/snapforge-sim --report $(BUILD_DIR)/tour-report.html
	@echo "play with the camera in a browser: make live"

# The camera to play with in a browser, served on 127.0.0.1:LIVE_PORT; the last line printed is
# the page's address. `make live SCENARIO=file` plays the scenario first. Ctrl-C stops it; the
# token is kept in the build folder, so a page left open finds the camera again after a restart.
LIVE_PORT ?= 8017
live: configure
	@cmake --build --preset $(PRESET) --target snapforge-sim
	@$(BUILD_DIR)/snapforge-sim --live --port $(LIVE_PORT) --token-file $(BUILD_DIR)/live-token \
		$(SCENARIO)

# The README's picture of the camera screen, drawn by the simulator from its scenario.
readme-picture: build
	@$(BUILD_DIR)/snapforge-sim --quiet --snapshots docs docs/camera-screen.scenario
	@echo "picture: docs/camera-screen.svg"

test: configure
	@cmake --build --preset $(PRESET) --target snapforge-tests
	@ctest --preset $(PRESET)

# Rewrites the golden screens in tests/golden/expected from what the simulator shows now. Only
# after an intended change: review `git diff tests/golden` before committing it.
goldens: configure
	@cmake --build --preset $(PRESET) --target snapforge-tests
	@SNAPFORGE_REWRITE_GOLDENS=1 $(BUILD_DIR)/snapforge-tests --gtest_filter='GoldenScreens.*' --gtest_brief=1
	@git status --short tests/golden

# The mutation gauge (not in CI): MUTANTS faults sampled by SEED, each seeded into a scratch copy
# of the tree in build/mutate and tested; prints the survivors and the score.
SEED ?= 1
MUTANTS ?= 40
mutate:
	@scripts/mutate.py --seed $(SEED) --mutants $(MUTANTS)

asan:
	@$(MAKE) --no-print-directory test PRESET=asan

# The live camera's tests (its threads and its server) under ThreadSanitizer.
tsan: deps
	@cmake --preset tsan >/dev/null
	@cmake --build --preset tsan
	@ctest --preset tsan

# One live phone played with at random for SOAK_MINUTES of wall time at 60x (not in CI).
SOAK_MINUTES ?= 10
soak: configure
	@cmake --build --preset $(PRESET) --target snapforge-soak
	@$(BUILD_DIR)/snapforge-soak $(SOAK_MINUTES)

bench: deps
	@cmake --preset release >/dev/null
	@cmake --build --preset release --target snapforge-bench
	@build/release/snapforge-bench

# Each fuzzer for FUZZ_SECONDS (see fuzz/run.sh).
FUZZ_SECONDS ?= 60
fuzz:
	@scripts/install-deps.sh fuzz
	@cmake --preset fuzz >/dev/null
	@cmake --build --preset fuzz
	@for fuzzer in prefs scenario events live; do fuzz/run.sh $$fuzzer $(FUZZ_SECONDS) || exit 1; done

format:
	@clang-format -i $$(git ls-files '*.cpp' '*.h')

clean:
	@rm -rf build
