BUILD ?= build
JOBS ?= $(shell nproc)

.PHONY: all build run test test-sanitize test-tsan test-build-types fuzz bench install clean deps deps-if-missing

all: build

# What the build and the tests need beyond CMake, a C++20 compiler and
# GoogleTest: nlohmann-json (quavor-view's JSON), Chromium (the page tests)
# and python3-jsonschema (the results' schema test). Installed with apt-get
# when run as root; otherwise the command to run is printed.
DEPS_PACKAGES ?= nlohmann-json3-dev chromium python3-jsonschema
DEPS_PRESENT = test -f /usr/include/nlohmann/json.hpp && command -v chromium > /dev/null && \
  python3 -c 'import jsonschema' 2> /dev/null
deps:
	@if [ "$$(id -u)" = 0 ]; then \
	  apt-get update && DEBIAN_FRONTEND=noninteractive apt-get install -y --no-install-recommends $(DEPS_PACKAGES); \
	else \
	  echo "Missing dependencies; install them with:"; \
	  echo "  sudo apt-get install -y --no-install-recommends $(DEPS_PACKAGES)"; \
	  exit 1; \
	fi

# A cheap check first: make deps only when something is missing.
deps-if-missing:
	@$(DEPS_PRESENT) || $(MAKE) deps

# The project's own builds hold warnings as errors (QUAVOR_WERROR, off by
# default for other builds).
build: deps-if-missing
	cmake -S . -B $(BUILD) -DCMAKE_BUILD_TYPE=RelWithDebInfo -DQUAVOR_WERROR=ON > /dev/null
	cmake --build $(BUILD) -j $(JOBS)

EXAMPLE ?= examples/house_r1

run: build
	./$(BUILD)/quavor -r $(EXAMPLE).qvb
	cat $(EXAMPLE).qvr
	./$(BUILD)/quavor-view $(EXAMPLE).qvb || test $$? = 1
	@echo "The page of $(EXAMPLE).qvb: $(CURDIR)/$(EXAMPLE).html"

test: build
	ctest --test-dir $(BUILD) --output-on-failure -j $(JOBS)
	$(MAKE) test-sanitize
	$(MAKE) test-tsan

# Checks of several houses at once, the batch runner and files written by
# several threads at once, under ThreadSanitizer: the engine's libraries and
# those tests only.
TSAN_BUILD ?= build-tsan
test-tsan:
	cmake -S . -B $(TSAN_BUILD) -DCMAKE_BUILD_TYPE=RelWithDebInfo -DQUAVOR_TSAN=ON -DQUAVOR_WERROR=ON > /dev/null
	cmake --build $(TSAN_BUILD) -j $(JOBS) --target test_report test_view
	cd $(CURDIR) && TSAN_OPTIONS=halt_on_error=1:second_deadlock_stack=1 \
	  ./$(TSAN_BUILD)/test_report --gtest_filter='ConcurrentChecks.*'
	cd $(CURDIR) && TSAN_OPTIONS=halt_on_error=1:second_deadlock_stack=1 \
	  ./$(TSAN_BUILD)/test_view --gtest_filter='Batch.*:OutputFile.*'


# The whole suite again under AddressSanitizer and UndefinedBehaviorSanitizer.
# g++ 12 warns maybe-uninitialized falsely under the sanitizers.
SANITIZE_BUILD ?= build-sanitize
test-sanitize:
	cmake -S . -B $(SANITIZE_BUILD) -DCMAKE_BUILD_TYPE=RelWithDebInfo -DQUAVOR_SANITIZE=ON -DQUAVOR_WERROR=ON \
	  -DCMAKE_CXX_FLAGS=-Wno-maybe-uninitialized > /dev/null
	cmake --build $(SANITIZE_BUILD) -j $(JOBS)
	ASAN_OPTIONS=detect_leaks=1:abort_on_error=1 UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
	  ctest --test-dir $(SANITIZE_BUILD) --output-on-failure -j $(JOBS)

# Each libFuzzer harness for FUZZ_SECONDS, one after the other, from its seed
# corpus; new inputs collect in $(FUZZ_BUILD)/corpus, crashes in
# $(FUZZ_BUILD)/artifacts (keep them under fuzz/regressions/<harness>/).
FUZZ_BUILD ?= build-fuzz
FUZZ_SECONDS ?= 60
FUZZ_HARNESSES ?= $(patsubst fuzz/fuzz_%.cpp,%,$(filter-out fuzz/fuzz_common.cpp,$(wildcard fuzz/fuzz_*.cpp)))
fuzz:
	CC=clang CXX=clang++ cmake -S . -B $(FUZZ_BUILD) -DCMAKE_BUILD_TYPE=RelWithDebInfo -DQUAVOR_FUZZ=ON > /dev/null
	cmake --build $(FUZZ_BUILD) -j $(JOBS) --target $(addprefix fuzz_,$(FUZZ_HARNESSES))
	# Absolute paths: the communication harness works in a scratch directory.
	set -e; for h in $(FUZZ_HARNESSES); do \
	  out=$(CURDIR)/$(FUZZ_BUILD); \
	  mkdir -p $$out/corpus/$$h $$out/artifacts/$$h; \
	  dict=; if [ -f fuzz/$$h.dict ]; then dict=-dict=$(CURDIR)/fuzz/$$h.dict; fi; \
	  $$out/fuzz_$$h $$out/corpus/$$h $(CURDIR)/fuzz/corpus/$$h $(CURDIR)/fuzz/regressions/$$h $$dict \
	    -max_total_time=$(FUZZ_SECONDS) -max_len=16384 -timeout=10 -rss_limit_mb=2048 \
	    -artifact_prefix=$$out/artifacts/$$h/ -print_final_stats=1; \
	done

# Benchmarks: figures comparable across versions, on the build type that ships.
BENCH_BUILD ?= build-bench
bench:
	cmake -S . -B $(BENCH_BUILD) -DCMAKE_BUILD_TYPE=RelWithDebInfo -DQUAVOR_BENCH=ON -DQUAVOR_WERROR=ON > /dev/null
	cmake --build $(BENCH_BUILD) -j $(JOBS) --target quavor quavor-view quavor_benchmarks
	cd $(BENCH_BUILD) && ./quavor_benchmarks --benchmark_counters_tabular=true

# The program in every build type, with g++ and with clang, warnings as
# errors (the quavor target only: the tests are built by `make test`).
test-build-types:
	.ci/build_types.sh

# Installs the program, its manual page and the README under PREFIX
# (DESTDIR=... stages the installation elsewhere).
PREFIX ?= /usr/local
install: build
	cmake --install $(BUILD) --prefix $(PREFIX)

clean:
	rm -rf $(BUILD)
