# Glintmere: `make run` builds and starts the program, `make test` builds and runs every test.
# Both first install whatever Debian packages the machine lacks. Every target is a thin alias of
# a preset in CMakePresets.json; `cmake --workflow --preset test` does what `make test` does.

JOBS ?= $(shell nproc)
RELEASE_DIR := build/release
PREFIX ?= /usr/local

.PHONY: all deps run build test install package fuzz soak clean windows test-windows web test-web serve-web bench

FUZZ_SECONDS ?= 60
SOAK_FRAMES ?= 30000

all: build

deps:
	@scripts/install-deps.sh

build: deps
	cmake --preset release
	cmake --build --preset release -j $(JOBS)

run: build
	cd $(RELEASE_DIR) && ./glintmere

test: deps
	cmake --workflow --preset test

# The bitmap reader under libFuzzer for FUZZ_SECONDS (clang, from Debian's packages).
fuzz:
	@scripts/install-deps.sh fuzz
	cmake --preset fuzz -DGLINTMERE_FUZZ_SECONDS=$(FUZZ_SECONDS)
	cmake --build --preset fuzz -j $(JOBS)
	ctest --preset fuzz

# The long soak: SOAK_FRAMES frames of the real frame loop under an input storm, release build.
soak: deps
	cmake --preset soak
	cmake --build --preset soak -j $(JOBS)
	cd build/soak && ../../scripts/with-display.sh ./tests/soak/glintmere_soak --frames $(SOAK_FRAMES) --seed 1

install: build
	cmake --install $(RELEASE_DIR) --prefix $(PREFIX)

# The Debian package, from its own release tree: build/package/glintmere_<version>_<arch>.deb.
package: deps
	JOBS=$(JOBS) scripts/build-package.sh build/package

# Windows x64, cross-built with MinGW-w64: build/windows/glintmere-<version>-windows-x64.zip and
# build/windows/glintmere-<version>-setup.exe. freeglut is built once from Debian's source package
# into build/windows-deps (scripts/windows-deps.sh) and kept there.
windows: deps
	@scripts/install-deps.sh windows
	JOBS=$(JOBS) scripts/windows-deps.sh build/windows-deps
	cmake --preset windows
	cmake --build --preset windows -j $(JOBS)

# The Windows build's tests under Wine, on the same Xvfb and Mesa software renderer as `make test`;
# the exe's screenshots are compared with the native release build's.
test-windows: windows
	cmake --preset release
	cmake --build --preset release -j $(JOBS)
	ctest --preset windows

# The browser build: build/web/site (index.html, the program as WebAssembly, its data) and
# build/web/glintmere-<version>-web.zip, with Debian's Emscripten.
web: deps
	@scripts/install-deps.sh web
	cmake --preset web
	cmake --build --preset web -j $(JOBS)

# The browser build's tests: its logic tests under node, the page in headless Chromium (its pictures
# compared with the native release build's) and once in Chromium with a window, under Xvfb.
test-web: web
	cmake --preset release
	cmake --build --preset release -j $(JOBS)
	ctest --preset web

# Serves build/web/site on 127.0.0.1 (WEB_PORT, 8000 by default) until stopped.
WEB_PORT ?= 8000
serve-web: web
	@echo "Glintmere in the browser: http://127.0.0.1:$(WEB_PORT)/ (Ctrl+C stops the server)"
	cd build/web/site && /usr/bin/python3 -m http.server --bind 127.0.0.1 $(WEB_PORT)

clean:
	rm -rf build

# Frame times of the three prepared scenes, still and moving, the program's drawing against the
# straightforward one, start-up time, instructions per frame and a chart (bench/run.sh). With
# BENCH_WINDOWS=1, then the Windows exe under Wine against the native program (bench/windows.sh);
# with BENCH_ES=1, then the frames through the ES layer against the fixed function (bench/es.sh); with
# BENCH_WEB=1, then the page's frames in headless Chromium against the native program's (bench/web.sh).
BENCH_WINDOWS ?= 0
BENCH_ES ?= 0
BENCH_WEB ?= 0
bench: deps
	@scripts/install-deps.sh bench
	bench/run.sh
	@if [ "$(BENCH_WINDOWS)" = 1 ]; then bench/windows.sh; fi
	@if [ "$(BENCH_ES)" = 1 ]; then bench/es.sh; fi
	@if [ "$(BENCH_WEB)" = 1 ]; then bench/web.sh; fi
