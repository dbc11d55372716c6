# The two commands of README.md: `make` builds every program and writes the problem set's test
# data into out/; `make check` builds and runs the whole test suite, then again in a second tree
# built with the sanitizers. `make fuzz` runs AFL++ on every program that reads input,
# FUZZ_SECONDS each, in build-fuzz/ (tools/fuzz.py).
JOBS ?= $(shell nproc)
CMAKE ?= cmake
CTEST ?= ctest
FUZZ_SECONDS ?= 20
FUZZ_PROGRAMS ?=

all: package

programs:
	$(CMAKE) -S . -B build -DCMAKE_BUILD_TYPE=Release
	$(CMAKE) --build build -j $(JOBS)

package: programs
	python3 ./pset build

check: programs
	$(CTEST) --test-dir build --output-on-failure -j $(JOBS)
	$(CMAKE) -S . -B build-san -DCMAKE_BUILD_TYPE=RelWithDebInfo -DSANITIZE=ON
	$(CMAKE) --build build-san -j $(JOBS)
	$(CTEST) --test-dir build-san --output-on-failure -j $(JOBS)

bench: programs
	python3 tools/bench.py

fuzz:
	python3 tools/fuzz.py --seconds $(FUZZ_SECONDS) $(FUZZ_PROGRAMS)

format:
	clang-format -i */*.cpp tools/*.c tools/*.h

clean:
	rm -rf build build-san build-fuzz out

.PHONY: all programs package check bench fuzz format clean
