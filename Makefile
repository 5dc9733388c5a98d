# The quick start: `make run` builds and starts the calculator, `make test` builds and runs
# every test. Both first install the Debian packages that are missing.
BUILD := build
TEST_BUILD := build/sanitize
CMAKE_FLAGS := -G Ninja -Wno-dev

.PHONY: all deps configure run test goldens bench install package clean windows windows-builds

all: deps
	@cmake -S . -B $(BUILD) $(CMAKE_FLAGS) -DCMAKE_BUILD_TYPE=Release -DKALVETRA_TESTS=OFF >/dev/null
	@cmake --build $(BUILD)

deps:
	@tools/install-deps.sh

run: all
	$(BUILD)/bin/kalvetra

# With the MinGW-w64 toolchains installed (tools/install-deps.sh windows) the tests cover
# the Windows build too, which is built first.
test: deps
	@cmake -S . -B $(TEST_BUILD) $(CMAKE_FLAGS) -DCMAKE_BUILD_TYPE=Debug -DKALVETRA_SANITIZE=ON >/dev/null
	@cmake --build $(TEST_BUILD)
	@if command -v i686-w64-mingw32-g++ >/dev/null 2>&1 && \
	    command -v x86_64-w64-mingw32-g++ >/dev/null 2>&1; then \
	    $(MAKE) --no-print-directory windows-builds RCGEN=$(TEST_BUILD)/bin/kalvetra-rcgen; fi
	cd $(TEST_BUILD) && ctest --output-on-failure --timeout 300

# The native Windows program, cross-built with MinGW-w64: kalvetra.exe for 32-bit Windows
# in $(BUILD)/windows-i686, and an x86-64 build for the tests under Wine in
# $(BUILD)/windows-x86_64; each with its script driver, kalvetra-script.exe. The resource
# script comes from kalvetra-rcgen of the host build $(BUILD).
WINDOWS_ARCHITECTURES := i686 x86_64
windows:
	@tools/install-deps.sh windows
	@cmake -S . -B $(BUILD) $(CMAKE_FLAGS) -DCMAKE_BUILD_TYPE=Release -DKALVETRA_TESTS=OFF >/dev/null
	@cmake --build $(BUILD) --target kalvetra-rcgen
	@$(MAKE) --no-print-directory windows-builds RCGEN=$(BUILD)/bin/kalvetra-rcgen

windows-builds:
	@for architecture in $(WINDOWS_ARCHITECTURES); do \
	    cmake -S . -B $(BUILD)/windows-$$architecture $(CMAKE_FLAGS) -DCMAKE_BUILD_TYPE=Release \
	        --toolchain cmake/mingw-$$architecture.cmake -DKALVETRA_RCGEN=$(abspath $(RCGEN)) \
	        >/dev/null && cmake --build $(BUILD)/windows-$$architecture || exit 1; \
	done

# Makes the golden screenshots of tests/golden anew; look at each before committing it.
goldens: deps
	@cmake -S . -B $(TEST_BUILD) $(CMAKE_FLAGS) -DCMAKE_BUILD_TYPE=Debug -DKALVETRA_SANITIZE=ON >/dev/null
	@cmake --build $(TEST_BUILD)
	tests/golden/refresh.sh $(TEST_BUILD)/bin

bench: all
	@cmake --build $(BUILD) --target benchmarks
	bench/run.sh $(BUILD)

# `make install PREFIX=/usr DESTDIR=/tmp/stage` stages the files under /tmp/stage/usr.
PREFIX ?= /usr/local
install: all
	DESTDIR="$(DESTDIR)" cmake --install $(BUILD) --prefix "$(PREFIX)"

# A Debian package for /usr, written into $(BUILD)/: install it with
# `sudo apt install ./$(BUILD)/kalvetra_*.deb`.
package: all
	cd $(BUILD) && cpack -G DEB

clean:
	rm -rf $(BUILD)
