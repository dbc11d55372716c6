# The two commands of README.md: `make` builds every program and writes the problem set's test
# data into out/; `make check` builds and runs the whole test suite, then again in a second tree
# built with the sanitizers.
JOBS ?= $(shell nproc)
CMAKE ?= cmake
CTEST ?= ctest

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

format:
	clang-format -i */*.cpp tools/*.c

clean:
	rm -rf build build-san out

.PHONY: all programs package check bench format clean
