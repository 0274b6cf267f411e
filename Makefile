# Glintmere: `make run` builds and starts the program, `make test` builds and runs every test.
# Both first install whatever Debian packages the machine lacks.

JOBS ?= $(shell nproc)
RELEASE_DIR := build/release
TEST_DIR := build/test
PREFIX ?= /usr/local

.PHONY: all deps run build test install clean

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

install: build
	cmake --install $(RELEASE_DIR) --prefix $(PREFIX)

clean:
	rm -rf build
