# The two commands a fresh machine needs are `make run` and `make test`;
# both install whatever is missing first.
.PHONY: all deps native windows dist run test bench fuzz clean

NATIVE := build/native
WINDOWS := build/windows

all: native windows

deps:
	@scripts/deps.sh

native: deps
	@cmake -S . -B $(NATIVE) -G Ninja -DCMAKE_BUILD_TYPE=Debug -DVANTREL_SANITIZE=ON >/dev/null
	@cmake --build $(NATIVE)

windows: deps
	@cmake -S . -B $(WINDOWS) -G Ninja -DCMAKE_BUILD_TYPE=Release \
	  -DCMAKE_TOOLCHAIN_FILE=$(CURDIR)/cmake/mingw-w64.cmake >/dev/null
	@cmake --build $(WINDOWS)

dist: windows
	@scripts/dist.sh

run: dist
	@scripts/run.sh

test: native windows
	@scripts/test.sh

bench: deps
	@scripts/bench.sh

# The fuzz target for a fixed number of runs (FUZZ_RUNS=n to change it);
# make test runs a short smoke form of it.
FUZZ_RUNS ?= 500000
fuzz: deps
	@scripts/fuzz.sh $(FUZZ_RUNS)

clean:
	rm -rf build dist
