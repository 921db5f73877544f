# Two commands matter: `make run` builds and starts Taskwell, `make test` builds and runs every
# test headless. Both install the Debian packages they need first.
BUILD      ?= build
BUILD_ASAN ?= build-asan
BUILD_FUZZ ?= build-fuzz
BUILD_BENCH ?= build-bench
JOBS       ?= $(shell nproc)
FUZZ_SECONDS ?= 5
SHELL := /bin/bash
.SHELLFLAGS := -o pipefail -c
SUDO := $(shell [ "$$(id -u)" = 0 ] || echo sudo)

DEPS = cmake ninja-build g++ make qt6-base-dev libgl-dev libgtest-dev libgmock-dev \
       libbenchmark-dev xvfb xauth xdotool x11-utils imagemagick fonts-liberation \
       clang clang-format clang-tidy libclang-rt-14-dev poppler-utils xclip desktop-file-utils dpkg-dev file \
       librsvg2-bin locales-all util-linux appstream groff-base pkgconf mount time \
       qt6-wayland weston at-spi2-core python3-pyatspi dbus qt6-tools-dev qt6-l10n-tools \
       qt6-translations-l10n openbox dunst systemd fiu-utils libfiu-dev libical-dev \
       python3-icalendar sway wtype syncthing curl jq radicale python3-caldav \
       qtkeychain-qt6-dev openssl gnome-keyring

.PHONY: deps configure build run test test-main test-asan tidy fuzz bench format package clean

deps:
	@missing=$$(for p in $(DEPS); do dpkg -s $$p >/dev/null 2>&1 || echo $$p; done); \
	if [ -n "$$missing" ]; then \
	  echo "Installing:" $$missing; \
	  $(SUDO) apt-get update -qq && \
	  DEBIAN_FRONTEND=noninteractive $(SUDO) apt-get install -y -qq --no-install-recommends $$missing; \
	fi

configure: deps
	cmake -S . -B $(BUILD) -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DTASKWELL_WERROR=ON

build: configure
	cmake --build $(BUILD) -j $(JOBS)

# Only the program itself: a newcomer meets the window, not the test suite compiling.
run: configure
	cmake --build $(BUILD) -j $(JOBS) --target taskwell
	@tools/run.sh $(BUILD)/taskwell $(ARGS)

test: test-main tidy fuzz test-asan

test-main: build
	tools/check-tools.sh $(BUILD) "$(DEPS)"
	cmake --build $(BUILD) --target format-check
	cd $(BUILD) && ctest --output-on-failure -j $(JOBS)

# The same tests under the address and undefined-behaviour sanitizers (the X journeys excepted).
test-asan: deps
	cmake -S . -B $(BUILD_ASAN) -G Ninja -DCMAKE_BUILD_TYPE=Debug -DTASKWELL_SANITIZE=ON \
	  -DTASKWELL_WERROR=ON -DTASKWELL_BENCH=OFF
	cmake --build $(BUILD_ASAN) -j $(JOBS)
	cd $(BUILD_ASAN) && ctest --output-on-failure -j $(JOBS)

# clang-tidy with the repository's .clang-tidy over our sources; any finding fails.
tidy: build
	@find src -name '*.cpp' | xargs -P $(JOBS) -n 4 clang-tidy -p $(BUILD) --quiet --warnings-as-errors='*' 2>/dev/null
	@echo "clang-tidy: clean"

# Each libFuzzer target runs briefly on its seed corpus.
fuzz: deps
	CXX=clang++ cmake -S . -B $(BUILD_FUZZ) -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
	  -DTASKWELL_FUZZ=ON -DTASKWELL_UI=OFF -DTASKWELL_TESTS=OFF -DTASKWELL_BENCH=OFF
	cmake --build $(BUILD_FUZZ) -j $(JOBS)
	@for target in $(BUILD_FUZZ)/fuzz/*_fuzz; do \
	  name=$$(basename $$target); corpus=$$(mktemp -d); \
	  cp fuzz/corpus/$$name/* $$corpus/ 2>/dev/null || true; \
	  echo "== $$name ($(FUZZ_SECONDS) s)"; \
	  $$target -max_total_time=$(FUZZ_SECONDS) -timeout=5 -rss_limit_mb=2048 $$corpus 2>&1 | tail -n 3 || exit 1; \
	  rm -rf $$corpus; \
	done

# Release build of the benchmarks, then the whole program under Xvfb. GCC 12 reports a false
# -Wrestrict at -O3 (GCC bug 105651), so that one warning is not an error here.
bench: deps
	cmake -S . -B $(BUILD_BENCH) -G Ninja -DCMAKE_BUILD_TYPE=Release -DTASKWELL_WERROR=ON \
	  -DTASKWELL_TESTS=OFF -DCMAKE_CXX_FLAGS=-Wno-restrict
	cmake --build $(BUILD_BENCH) -j $(JOBS)
	@for b in $(BUILD_BENCH)/bench/*_bench $(BUILD_BENCH)/bench/*_qtbench; do echo "== $$b"; $$b || exit 1; done
	tools/process-bench.sh $(BUILD_BENCH)/taskwell
	/usr/bin/python3 bench/caldav_sync_bench.py $(BUILD_BENCH)/taskwell

format:
	find src tests bench fuzz -name '*.cpp' -o -name '*.h' | xargs clang-format -i

package: build
	cd $(BUILD) && cpack -G DEB

clean:
	rm -rf $(BUILD) $(BUILD_ASAN) $(BUILD_FUZZ) $(BUILD_BENCH)
