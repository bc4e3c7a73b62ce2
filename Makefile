# Top-level entry points. `make demo` and `make test` set up a fresh machine first.
BUILD ?= build
ASAN_BUILD ?= build-asan
FUZZ_BUILD ?= build-fuzz
# Seconds each fuzzer runs: TEST_FUZZ_SECONDS at the end of `make test`, FUZZ_SECONDS by hand
# (`make fuzz FUZZ_SECONDS=600`).
FUZZ_SECONDS ?= 30
TEST_FUZZ_SECONDS ?= 20
JOBS ?= $(shell nproc)

# The peer comparison lives beside the repository; override PEERS_DIR where it is elsewhere.
PEERS_DIR ?= $(abspath $(CURDIR)/../shared/peers)
BENCH_RUNS ?= 3
BENCH_RESULTS ?= $(abspath $(BUILD))/bench-results
PYTHON ?= python3

.PHONY: deps configure build demo test test-asan fuzz fuzz-run bench bench-report clean

deps:
	bash scripts/install-deps.sh

configure: deps
	cmake -S . -B $(BUILD) -DCMAKE_BUILD_TYPE=RelWithDebInfo > /dev/null

build: configure
	cmake --build $(BUILD) -j $(JOBS)

demo: build
	bash scripts/demo.sh $(BUILD)

# The suite, then each fuzzer for a short while where clang can link libFuzzer (install-deps.sh
# installs it); a crash fails the run.
test: build
	cd $(BUILD) && ctest --output-on-failure -j $(JOBS)
	@if bash scripts/run-fuzzers.sh --available; then \
	  $(MAKE) --no-print-directory fuzz-run FUZZ_SECONDS=$(TEST_FUZZ_SECONDS); \
	else echo "clang++-14 with libFuzzer is not installed: no fuzzing run"; fi

# The libFuzzer targets, built with clang in a configuration of their own (only the libraries
# they use), each run for FUZZ_SECONDS from its committed corpus; a crash leaves its input in
# $(FUZZ_BUILD)/crashes.
fuzz: deps
	$(MAKE) --no-print-directory fuzz-run

fuzz-run:
	cmake -S . -B $(FUZZ_BUILD) -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCMAKE_CXX_COMPILER=clang++-14 \
		-DTAVRIN_FUZZ=ON -DTAVRIN_BENCH=OFF > /dev/null
	cmake --build $(FUZZ_BUILD) -j $(JOBS) --target fuzzers
	bash scripts/run-fuzzers.sh $(FUZZ_BUILD) $(FUZZ_SECONDS)

test-asan: deps
	cmake -S . -B $(ASAN_BUILD) -DCMAKE_BUILD_TYPE=Debug -DTAVRIN_SANITIZE=ON -DTAVRIN_BENCH=OFF > /dev/null
	cmake --build $(ASAN_BUILD) -j $(JOBS)
	cd $(ASAN_BUILD) && ctest --output-on-failure -j $(JOBS)

bench: build
	$(BUILD)/bench/tavrin-bench

# One run of the peer comparison with tavrin-bench in its rounds, then the chart of that run
# (docs/benchmark.png) and its tables (docs/benchmark-summary.md). The peers need qtbase5-dev,
# libfltk1.3-dev and xvfb; run-all.sh leaves out a peer whose packages are missing.
bench-report: build
	RUNS=$(BENCH_RUNS) RESULTS_DIR=$(BENCH_RESULTS) \
	  EXTRA_PEERS="tavrin=$(abspath $(BUILD))/bench/tavrin-bench --json" bash $(PEERS_DIR)/run-all.sh
	cp $(BENCH_RESULTS)/summary.md docs/benchmark-summary.md
	$(PYTHON) scripts/bench-chart.py $(BENCH_RESULTS) docs/benchmark.png

clean:
	rm -rf $(BUILD) $(ASAN_BUILD) $(FUZZ_BUILD)
