# Two commands do all the set-up on a fresh Debian 12 machine:
#   make run   builds the optimised game and starts it
#   make test  builds with sanitizers and runs every test
.PHONY: run test build bench soak fuzz images format bootstrap clean

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

bench: bootstrap
	cmake --preset bench >/dev/null
	cmake --build --preset bench -j $(JOBS)
	./build/bench/bench/glintwake_bench

images: build
	./build/release/tools/imagegen Images

format:
	clang-format -i $$(git ls-files 'src/*.h' 'src/*.cpp' 'tests/*.h' 'tests/*.cpp' 'bench/*.cpp' 'tools/*.h' 'tools/*.cpp')

clean:
	rm -rf build
