# The two commands of README.md: `make` builds every program and writes the problem set's test
# data into out/; `make check` builds and runs the whole test suite in build/ (the tests labelled
# `programs` and `driver`, the shared package built, validated with --mutate and verified), then
# builds build-san/ with the sanitizers and runs there the tests that run the programs (label
# `programs`). `make check-deep` (CI, after make check) runs the tests labelled `deep` in build/,
# every test in build-san/ (generator sweeps whole), and the fuzz smoke. `make fuzz` runs AFL++
# on every program that reads input, FUZZ_SECONDS each, in build-fuzz/ (tools/fuzz.py).
# `make bench` prints timings, make check's parts among them.
JOBS ?= $(shell nproc 2>/dev/null || echo 2)
CMAKE ?= cmake
CTEST ?= ctest
PYTHON ?= python3
FUZZ_SECONDS ?= 20
FUZZ_PROGRAMS ?=

# The tools a target needs, checked as it starts: a missing one stops make with one line.
need = $(foreach t,$(1),$(if $(shell command -v $(t) 2>/dev/null),,$(error $(t) is not on PATH; this target needs it (see README.md))))

all: package

programs:
	$(call need,$(CMAKE) $(PYTHON))
	$(CMAKE) -S . -B build -DCMAKE_BUILD_TYPE=Release
	$(CMAKE) --build build -j $(JOBS)

package: programs
	$(PYTHON) ./pset build

# The sanitized tree: the programs and validators with the sanitizers, the submissions (never
# sanitized) taken from build/.
SANITIZED_TREE = -DCMAKE_BUILD_TYPE=RelWithDebInfo -DSANITIZE=ON "-DSUBMISSIONS_FROM=$(CURDIR)/build"

# make check's sanitized run leaves out the leak check at each program's exit, most of a
# sanitized run's cost (about 52 of its 69 ms on a small input); make check-deep keeps it.
CHECK_ASAN ?= detect_leaks=0

# The sanitized tree is built and tested while the plain suite runs (many tests wait on the
# programs they start, so the two share the cores well); its log is shown when both are done.
check: programs
	$(call need,$(CTEST))
	$(CMAKE) -S . -B build-san $(SANITIZED_TREE)
	@echo "check: the sanitized tree builds and runs its tests meanwhile (build-san/check.log)"
	@( $(CMAKE) --build build-san -j $(JOBS) && \
	   ASAN_OPTIONS=$(CHECK_ASAN) $(CTEST) --test-dir build-san -L programs \
	     --output-on-failure -j $(JOBS) ) > build-san/check.log 2>&1 & san=$$!; \
	plain=0; $(CTEST) --test-dir build -LE deep --output-on-failure -j $(JOBS) || plain=1; \
	sanitized=0; wait $$san || sanitized=1; \
	echo "check: the sanitized tree (build-san/check.log):"; cat build-san/check.log; \
	[ $$plain = 0 ] || echo "check: the plain suite failed (above)"; \
	[ $$sanitized = 0 ] || echo "check: the sanitized tree failed (build-san/check.log)"; \
	[ $$plain = 0 ] && [ $$sanitized = 0 ]

check-deep: programs
	$(call need,$(CTEST))
	$(CMAKE) -S . -B build-san $(SANITIZED_TREE)
	$(CMAKE) --build build-san -j $(JOBS)
	$(CTEST) --test-dir build -L deep --output-on-failure -j $(JOBS)
	CHECK_DEEP=1 $(CTEST) --test-dir build-san --output-on-failure -j $(JOBS)
	$(PYTHON) tools/fuzz.py --seconds $(FUZZ_SECONDS) $(FUZZ_PROGRAMS)

bench: programs
	$(PYTHON) tools/bench_check.py
	$(PYTHON) tools/bench.py
	$(PYTHON) tools/bench.py --pset
	$(PYTHON) tools/bench_export.py
	$(PYTHON) tools/bench_checks.py
	$(PYTHON) tools/bench_stress.py
	$(PYTHON) tools/bench_sandbox.py

fuzz:
	$(call need,$(PYTHON))
	$(PYTHON) tools/fuzz.py --seconds $(FUZZ_SECONDS) $(FUZZ_PROGRAMS)

format:
	clang-format -i */*.cpp tools/*.c include/*.h

clean:
	rm -rf build build-san build-fuzz out

.PHONY: all programs package check check-deep bench fuzz format clean
