# make run   builds the program and starts it on the desktop
# make test  builds the tests with AddressSanitizer and UBSan and runs them all
# make tour  walks the real program under Xvfb and saves a screenshot of every step
# make pictures  contact sheets of every picture; make bench  benchmarks
# make package  the Debian package of the Release build, in build/package/

BUILD := build
TEST_BUILD := build/test
TEST_OPTIONS = -DCMAKE_BUILD_TYPE=Debug -DVANTREL_SANITIZE=ON -DVANTREL_RELEASE_BUILD=$(CURDIR)/$(BUILD)
JOBS ?= $(shell nproc)

.PHONY: run test tour pictures bench soak package bootstrap bootstrap-run bootstrap-package release debug-build

# Every build tree is configured and built by one rule: $(call build,DIR,CMAKE OPTIONS[,TARGET]).
build = cmake -S . -B $(1) -G Ninja $(2) >/dev/null && cmake --build $(1) -j $(JOBS) $(if $(3),--target $(3))
RELEASE_OPTIONS := -DCMAKE_BUILD_TYPE=Release -DVANTREL_TESTS=OFF

# What each command needs: run builds and runs, package also packages, the rest test.
bootstrap:
	@scripts/bootstrap test
bootstrap-run:
	@scripts/bootstrap run
bootstrap-package:
	@scripts/bootstrap package

release: bootstrap-run
	@$(call build,$(BUILD),$(RELEASE_OPTIONS))

run: release
	@if [ -z "$$DISPLAY" ] && [ -z "$$WAYLAND_DISPLAY" ]; then \
	  echo "There is no display to show the program on. 'make tour' runs it under Xvfb and saves screenshots."; \
	  exit 1; \
	fi
	$(BUILD)/vantrel

debug-build: bootstrap
	@$(call build,$(TEST_BUILD),$(TEST_OPTIONS))

# The package test packages the Release build: built here on both cores, not inside ctest.
test: debug-build release
	ctest --test-dir $(TEST_BUILD) --output-on-failure -j $(JOBS)

# The Release build, as a user runs it: the pauses run at their real pace in the pictures.
tour: bootstrap release
	/usr/bin/python3 tests/e2e/tour.py $(BUILD)/vantrel $(BUILD)/tour

pictures: release
	@cmake --build $(BUILD) --target pictures

package: bootstrap-package release
	@cmake --build $(BUILD) --target package

# On the Release build, so the figures never come from a sanitizer build.
bench: release
	python3 bench/run.py --build $(BUILD)

# Long reliability runs: a storm of 50 000 events (STORM_EVENTS; VANTREL_STORM_SEED replays
# a seed) under the sanitizers, then the growth check in a build without them, where the
# resident set is bounded too (the sanitizer's quarantine keeps freed memory mapped).
SOAK_BUILD := build/soak
STORM_EVENTS ?= 50000
SOAK_ENV := QT_QPA_PLATFORM=offscreen LSAN_OPTIONS=suppressions=$(CURDIR)/tests/lsan.supp \
	UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
soak: bootstrap
	@$(call build,$(TEST_BUILD),$(TEST_OPTIONS),reliability_tests)
	$(SOAK_ENV) VANTREL_STORM_EVENTS=$(STORM_EVENTS) $(TEST_BUILD)/tests/reliability_tests --gtest_filter='Storm.*'
	@$(call build,$(SOAK_BUILD),-DCMAKE_BUILD_TYPE=RelWithDebInfo,reliability_tests)
	$(SOAK_ENV) $(SOAK_BUILD)/tests/reliability_tests --gtest_filter='GrowthTest.*'
