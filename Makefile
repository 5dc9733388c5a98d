# The quick start: `make run` builds and starts the calculator, `make test` builds and runs
# every test. Both first install the Debian packages that are missing.
BUILD := build
TEST_BUILD := build/sanitize
CMAKE_FLAGS := -G Ninja -Wno-dev

.PHONY: all deps configure run test bench install clean

all: deps
	@cmake -S . -B $(BUILD) $(CMAKE_FLAGS) -DCMAKE_BUILD_TYPE=Release >/dev/null
	@cmake --build $(BUILD)

deps:
	@tools/install-deps.sh

run: all
	$(BUILD)/bin/kalvetra

test: deps
	@cmake -S . -B $(TEST_BUILD) $(CMAKE_FLAGS) -DCMAKE_BUILD_TYPE=Debug -DKALVETRA_SANITIZE=ON >/dev/null
	@cmake --build $(TEST_BUILD)
	cd $(TEST_BUILD) && ctest --output-on-failure --timeout 300

bench: all
	@cmake --build $(BUILD) --target benchmarks
	bench/run.sh $(BUILD)

install: all
	cmake --install $(BUILD) $(if $(PREFIX),--prefix $(PREFIX))

clean:
	rm -rf $(BUILD)
