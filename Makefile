# The quick start: `make run` builds and starts the calculator, `make test` builds and runs
# every test. Both first install the Debian packages that are missing.
BUILD := build
TEST_BUILD := build/sanitize
CMAKE_FLAGS := -G Ninja -Wno-dev

.PHONY: all deps configure run test goldens bench install package clean

all: deps
	@cmake -S . -B $(BUILD) $(CMAKE_FLAGS) -DCMAKE_BUILD_TYPE=Release -DKALVETRA_TESTS=OFF >/dev/null
	@cmake --build $(BUILD)

deps:
	@tools/install-deps.sh

run: all
	$(BUILD)/bin/kalvetra

test: deps
	@cmake -S . -B $(TEST_BUILD) $(CMAKE_FLAGS) -DCMAKE_BUILD_TYPE=Debug -DKALVETRA_SANITIZE=ON >/dev/null
	@cmake --build $(TEST_BUILD)
	cd $(TEST_BUILD) && ctest --output-on-failure --timeout 300

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
