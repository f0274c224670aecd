# make run   builds the program and starts it on the desktop
# make test  builds the tests with AddressSanitizer and UBSan and runs them all
# make tour  walks the real program under Xvfb and saves a screenshot of every step
# make pictures  contact sheets of every picture; make bench  benchmarks

BUILD := build
TEST_BUILD := build/test
JOBS ?= $(shell nproc)

.PHONY: run test tour pictures bench soak bootstrap release debug-build

bootstrap:
	@scripts/bootstrap

release: bootstrap
	@cmake -S . -B $(BUILD) -G Ninja -DCMAKE_BUILD_TYPE=Release -DVANTREL_TESTS=OFF >/dev/null
	@cmake --build $(BUILD) -j $(JOBS)

run: release
	@if [ -z "$$DISPLAY" ] && [ -z "$$WAYLAND_DISPLAY" ]; then \
	  echo "There is no display to show the program on. 'make tour' runs it under Xvfb and saves screenshots."; \
	  exit 1; \
	fi
	$(BUILD)/vantrel

debug-build: bootstrap
	@cmake -S . -B $(TEST_BUILD) -G Ninja -DCMAKE_BUILD_TYPE=Debug -DVANTREL_SANITIZE=ON >/dev/null
	@cmake --build $(TEST_BUILD) -j $(JOBS)

test: debug-build
	ctest --test-dir $(TEST_BUILD) --output-on-failure -j $(JOBS)

pictures: release
	@cmake --build $(BUILD) --target pictures

# Release build of its own, so the figures never come from a sanitizer build.
BENCH_BUILD := build/bench
bench: bootstrap
	@cmake -S . -B $(BENCH_BUILD) -G Ninja -DCMAKE_BUILD_TYPE=Release -DVANTREL_TESTS=OFF >/dev/null
	@cmake --build $(BENCH_BUILD) -j $(JOBS)
	python3 bench/run.py --build $(BENCH_BUILD)
