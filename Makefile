# Build, test and run the KQ9 service tool. `make run` and `make test` install what is missing first.
PACKAGES := build-essential cmake ninja-build qt6-base-dev qt6-base-dev-tools libgtest-dev \
            libgmock-dev libbenchmark-dev xvfb xauth poppler-utils fonts-liberation2 \
            fonts-dejavu-core fontconfig
# What `make package` needs besides: the dependency computation of the package, the icon
# renderer and the checks of the desktop entry and the man pages.
PACKAGING := dpkg-dev file librsvg2-bin desktop-file-utils groff-base
# What `make fuzz` needs besides: Debian's clang and its libFuzzer and sanitizer runtimes.
FUZZING := clang libclang-rt-14-dev
# Each fuzz program runs until FUZZ_RUNS inputs or FUZZ_SECONDS seconds, whichever comes first;
# FUZZ_TARGETS picks some of them (all by default).
FUZZ_RUNS ?= 1000000
FUZZ_SECONDS ?= 600
FUZZ_TARGETS ?=

.PHONY: deps build release test tsan run bench soak fuzz screenshots package clean

deps:
	@tools/install-deps $(PACKAGES)

build: deps
	cmake --preset dev
	cmake --build --preset dev

release: deps
	cmake --preset release
	cmake --build --preset release --target kq9 kq9ctl

test: build
	ctest --preset dev

tsan: deps
	cmake --preset tsan
	cmake --build --preset tsan
	ctest --preset tsan

run: release
	tools/run-demo build/release

bench: deps
	cmake --preset release
	tools/run-benchmarks build/release

# The fault soak: the program on a failing simulated line, 10 minutes unless SOAK_SECONDS says.
# It runs the release build, whose memory is the program's own (the sanitizers hold freed memory
# back for a while).
SOAK_SECONDS ?= 600
soak: deps
	cmake --preset release
	cmake --build --preset release --target kq9soak
	build/release/tests/kq9soak --seconds $(SOAK_SECONDS)

# libFuzzer programs of the readers of outside input, with AddressSanitizer and UBSan, run one
# after the other; `make test` replays their seeds and the inputs that once found a fault.
fuzz:
	@tools/install-deps $(PACKAGES) $(FUZZING)
	cmake --preset fuzz
	cmake --build --preset fuzz
	tools/run-fuzzers build/fuzz $(FUZZ_RUNS) $(FUZZ_SECONDS) $(FUZZ_TARGETS)

# The Debian package build/release/package/kq9_<version>_amd64.deb, checked from a throwaway root.
package:
	@tools/install-deps $(PACKAGES) $(PACKAGING)
	cmake --preset release
	cmake --build --preset release --target kq9package-files
	rm -f build/release/package/kq9_*.deb
	cd build/release && cpack -G DEB
	tools/test-package build/release/package/kq9_*.deb

screenshots: build
	cmake --build --preset dev --target screenshots

clean:
	rm -rf build
