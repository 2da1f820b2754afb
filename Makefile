# Build, test and run the KQ9 service tool. `make run` and `make test` install what is missing first.
PACKAGES := build-essential cmake ninja-build qt6-base-dev qt6-base-dev-tools libgtest-dev \
            libgmock-dev libbenchmark-dev xvfb xauth poppler-utils fonts-liberation2 \
            fonts-dejavu-core fontconfig

.PHONY: deps build release test tsan run bench screenshots clean

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

screenshots: build
	cmake --build --preset dev --target screenshots

clean:
	rm -rf build
