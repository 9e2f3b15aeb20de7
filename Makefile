# Entry points: `make run` starts Chat, `make test` runs every suite, `make bench` runs the benchmarks.
BUILD ?= build
JOBS ?= 2
APP := $(BUILD)/bin/orvo-chat

.PHONY: deps configure build run test bench clean

deps:
	@scripts/install-deps

configure: deps
	@if [ ! -f $(BUILD)/build.ninja ]; then cmake -S . -B $(BUILD) -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo; fi

build: configure
	@cmake --build $(BUILD) -j$(JOBS)

run: build
	@if [ -n "$$DISPLAY$$WAYLAND_DISPLAY" ]; then \
		$(APP); \
	else \
		echo "make run: no display is reachable (DISPLAY and WAYLAND_DISPLAY are unset); rendering the default screenshot into shots/ instead"; \
		mkdir -p shots && $(APP) --screenshot shots/default.png; \
	fi

interop: deps
	@if [ -f tests/interop/package-lock.json ] && [ ! -d tests/interop/node_modules ]; then \
		npm ci --prefix tests/interop --no-audit --no-fund --loglevel=error; \
	fi

test: build interop
	@ctest --test-dir $(BUILD) --output-on-failure -j$(JOBS)

bench: build
	@for b in $(BUILD)/bin/*_bench; do echo "== $$b"; $$b || exit 1; done

clean:
	rm -rf $(BUILD)
