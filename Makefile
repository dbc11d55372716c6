# The two commands of README.md: `make` builds every program and writes the problem set's test
# data into out/; `make check` builds and runs the whole test suite, then again in a second tree
# built with the sanitizers. `make fuzz` runs AFL++ on every program that reads input,
# FUZZ_SECONDS each, in build-fuzz/ (tools/fuzz.py).
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

check: programs
	$(call need,$(CTEST))
	$(CTEST) --test-dir build --output-on-failure -j $(JOBS)
	$(PYTHON) ./pset build
	$(PYTHON) ./pset validate --mutate
	$(PYTHON) ./pset verify
	$(CMAKE) -S . -B build-san -DCMAKE_BUILD_TYPE=RelWithDebInfo -DSANITIZE=ON
	$(CMAKE) --build build-san -j $(JOBS)
	$(CTEST) --test-dir build-san --output-on-failure -j $(JOBS)

bench: programs
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

.PHONY: all programs package check bench fuzz format clean
