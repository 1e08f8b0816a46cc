# Two commands do all the set-up on a fresh Debian 12 machine:
#   make run   builds the optimised game and starts it
#   make test  builds with sanitizers and runs every test
.PHONY: run test build bench compare soak fuzz images format bootstrap clean install package web serve test-web \
  windows test-windows tsan clang

JOBS ?= $(shell nproc)

bootstrap:
	@scripts/bootstrap.sh

build: bootstrap
	cmake --preset release >/dev/null
	cmake --build --preset release -j $(JOBS)

run: build
	cd $(CURDIR) && ./build/release/glintwake

test: bootstrap
	cmake --preset asan >/dev/null
	cmake --build --preset asan -j $(JOBS)
	ctest --preset asan -j $(JOBS)
	$(MAKE) test-web
	$(MAKE) --no-print-directory test-windows

# The native Windows program, cross-compiled with mingw-w64: build/windows/glintwake.exe,
# the zip glintwake-VERSION-win64.zip and the installer glintwake-VERSION-setup.exe.
WINDOWS_BUILD ?= build/windows
windows: bootstrap
	cmake -S . -B $(WINDOWS_BUILD) -G Ninja -DCMAKE_TOOLCHAIN_FILE=cmake/toolchains/mingw-w64.cmake \
	  -DCMAKE_BUILD_TYPE=Release -DGLINTWAKE_TESTS=OFF -DGLINTWAKE_BENCH=OFF -DGLINTWAKE_TOOLS=ON >/dev/null
	cmake --build $(WINDOWS_BUILD) -j $(JOBS)
	cmake --build $(WINDOWS_BUILD) --target windows_packages

# The Windows program, its installer and the golden replays under wine on a private Xvfb.
test-windows: windows
	tests/windows/run_windows.sh $(WINDOWS_BUILD) $(WINDOWS_BUILD)/tests

# The game and every test built with ThreadSanitizer, and with clang (optimised);
# neither is part of `make test`.
tsan: bootstrap
	cmake --preset tsan >/dev/null
	cmake --build --preset tsan -j $(JOBS)
	ctest --preset tsan -j $(JOBS)

clang: bootstrap
	@scripts/bootstrap.sh clang
	cmake --preset clang >/dev/null
	cmake --build --preset clang -j $(JOBS)
	ctest --preset clang -j $(JOBS)

# Installs the optimised game: make install PREFIX=$$HOME/.local, or with DESTDIR for staging.
PREFIX ?= /usr/local
install: build
	DESTDIR=$(DESTDIR) cmake --install build/release --prefix $(PREFIX)

# A Debian package of the optimised game in build/release.
package: build
	cd build/release && cpack -G DEB

bench: bootstrap
	cmake --preset bench >/dev/null
	cmake --build --preset bench -j $(JOBS)
	./build/bench/bench/glintwake_bench

# Side by side with Kobo Deluxe (installed on demand) under Xvfb: CPU per frame of
# each game and its X server, memory, threads and time to the first picture; then
# the frame benchmarks' typical and worst frame against the drawing floor.
compare: build
	@scripts/bootstrap.sh kobodeluxe
	bench/compare-peer.sh
	cmake --preset bench >/dev/null
	cmake --build --preset bench -j $(JOBS)
	bench/frame-ratios.sh

# A longer soak on the optimised build: make soak SOAK_FRAMES=1000000
SOAK_FRAMES ?= 1000000
soak: build
	./build/release/tools/glintwake_soak --frames $(SOAK_FRAMES) --seed 1

images: build
	./build/release/tools/imagegen Images data

format:
	scripts/formatted-files.sh | xargs clang-format -i

clean:
	rm -rf build

# Runs the bitmap decoder's fuzzer (needs clang) for FUZZ_SECONDS; new inputs
# go to $(FUZZ_BUILD)/corpus, the committed seeds and bad bitmaps start it.
FUZZ_SECONDS ?= 600
FUZZ_BUILD ?= build/fuzz

fuzz:
	@scripts/bootstrap.sh clang libclang-rt-14-dev
	CXX=clang++ cmake -S . -B $(FUZZ_BUILD) -G Ninja -DGLINTWAKE_FUZZ=ON -DGLINTWAKE_TESTS=OFF \
	  -DGLINTWAKE_BENCH=OFF -DGLINTWAKE_TOOLS=OFF >/dev/null
	cmake --build $(FUZZ_BUILD) --target bitmap_fuzz -j $(JOBS)
	mkdir -p $(FUZZ_BUILD)/corpus
	./$(FUZZ_BUILD)/fuzz/bitmap_fuzz -max_total_time=$(FUZZ_SECONDS) -rss_limit_mb=2048 \
	  -artifact_prefix=$(FUZZ_BUILD)/ $(FUZZ_BUILD)/corpus fuzz/seeds tests/platform/bad-bitmaps

# The browser build: the game compiled to WebAssembly, written as a static site
# to build/web/ (make serve shows it on this machine; any static host serves it).
WEB_PORT ?= 8000
EMSCRIPTEN_ENV = NODE_PATH=/usr/share/nodejs

web: bootstrap
	$(EMSCRIPTEN_ENV) emcmake cmake -S . -B build/wasm -G Ninja -DCMAKE_BUILD_TYPE=Release -DGLINTWAKE_TESTS=OFF \
	  -DGLINTWAKE_BENCH=OFF -DGLINTWAKE_TOOLS=OFF -DGLINTWAKE_WEB_DIR=$(CURDIR)/build/web >/dev/null
	$(EMSCRIPTEN_ENV) cmake --build build/wasm --target web_site glintwake_replay_check glintwake_web_test -j $(JOBS)

serve: web
	@echo "Glintwake: http://127.0.0.1:$(WEB_PORT)/ (Ctrl+C stops the server)"
	cd build/web && python3 -m http.server $(WEB_PORT) --bind 127.0.0.1

# The golden replays under node, then the page in headless chromium beside the
# native frame benchmark and the headless game's replay of the page's frames.
test-web: web
	node --no-experimental-fetch build/wasm/glintwake_web_test.js
	node --no-experimental-fetch build/wasm/glintwake_replay_check.js tests/replays/*.replay
	cmake --preset bench >/dev/null
	cmake --build --preset bench --target glintwake_bench glintwake_replay_expect glintwake -j $(JOBS)
	cd tests/web && npm ci --no-audit --no-fund --loglevel=error
	node tests/web/page-test.mjs build/web build/bench/bench/glintwake_bench build/bench/tools/glintwake_replay_expect \
	  build/bench/glintwake
