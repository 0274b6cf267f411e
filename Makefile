# Glintmere: `make run` builds and starts the program, `make test` builds and runs every test.
# Both first install whatever Debian packages the machine lacks.

JOBS ?= $(shell nproc)
RELEASE_DIR := build/release
TEST_DIR := build/test
PREFIX ?= /usr/local

.PHONY: all deps run build test install package fuzz soak clean

FUZZ_SECONDS ?= 60
SOAK_FRAMES ?= 30000

all: build

deps:
	@scripts/install-deps.sh

build: deps
	cmake -S . -B $(RELEASE_DIR) -DCMAKE_BUILD_TYPE=Release -DGLINTMERE_TESTS=OFF
	cmake --build $(RELEASE_DIR) -j $(JOBS)

run: build
	cd $(RELEASE_DIR) && ./glintmere

test: deps
	cmake -S . -B $(TEST_DIR) -DCMAKE_BUILD_TYPE=Debug -DGLINTMERE_SANITIZE=ON -DGLINTMERE_WERROR=ON
	cmake --build $(TEST_DIR) -j $(JOBS)
	scripts/run-tests.sh $(TEST_DIR)

# The bitmap reader under libFuzzer for FUZZ_SECONDS (clang, from Debian's packages).
fuzz:
	@scripts/install-deps.sh fuzz
	CXX=clang++ cmake -S tests/fuzz -B build/fuzz -DCMAKE_BUILD_TYPE=RelWithDebInfo
	cmake --build build/fuzz -j $(JOBS)
	tests/fuzz/run-fuzz.sh build/fuzz $(FUZZ_SECONDS)

# The long soak: SOAK_FRAMES frames of the real frame loop under an input storm, release build.
soak: deps
	cmake -S . -B build/soak -DCMAKE_BUILD_TYPE=Release
	cmake --build build/soak -j $(JOBS) --target glintmere_soak
	cd build/soak && xvfb-run -a -s "-screen 0 1600x1200x24" ./tests/soak/glintmere_soak --frames $(SOAK_FRAMES) --seed 1

install: build
	cmake --install $(RELEASE_DIR) --prefix $(PREFIX)

# The Debian package, from its own release tree: build/package/glintmere_<version>_<arch>.deb.
package: deps
	JOBS=$(JOBS) scripts/build-package.sh build/package

clean:
	rm -rf build

# Frame times of the three prepared scenes, still and moving, the program's drawing against the
# straightforward one, start-up time, instructions per frame and a chart (bench/run.sh).
bench: deps
	@scripts/install-deps.sh bench
	bench/run.sh
