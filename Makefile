# Thin wrapper over CMake. `make run` and `make test` install what they need.
BUILD   ?= build
JOBS    ?= $(shell nproc)
EXAMPLE ?= examples/grains.grz
IMAGE   ?= examples/coins.png
PARTICLES ?= --objects light --fill-holes --exclude-border --min-area 50

.PHONY: deps configure build run test bench clean fuzz test-sanitize install

deps:
	@bash scripts/install-deps.sh

# ccache, when present, makes rebuilds in several work trees cheap; it is not required.
LAUNCHER := $(if $(shell command -v ccache),-DCMAKE_CXX_COMPILER_LAUNCHER=ccache)

configure: deps
	@cmake -S . -B $(BUILD) -DCMAKE_BUILD_TYPE=RelWithDebInfo $(LAUNCHER) >/dev/null

build: configure
	@cmake --build $(BUILD) -j $(JOBS)

run: build
	@if [ -n "$$DISPLAY$$WAYLAND_DISPLAY" ]; then \
	  $(BUILD)/bin/grizal2 $(EXAMPLE) --open-image $(IMAGE) --particles "$(PARTICLES)"; \
	else \
	  echo "No display (DISPLAY and WAYLAND_DISPLAY are unset): the same work headless with grizal2-cli."; \
	  echo "== $(EXAMPLE)"; \
	  $(BUILD)/bin/grizal2-cli show $(EXAMPLE); \
	  echo "== $(IMAGE): negative, median 3x3, black and white at 40 %, edges, areas"; \
	  $(BUILD)/bin/grizal2-cli analyse $(IMAGE) --negative --median 3x3 --bw 40 --clear-edges --measure area; \
	  echo "== $(IMAGE): particles (Otsu threshold, light objects, holes filled, border excluded, at least 50 px)"; \
	  $(BUILD)/bin/grizal2-cli particles $(IMAGE) $(PARTICLES); \
	fi

test: build
	@cd $(BUILD) && QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j $(JOBS)

bench: build
	@for b in $(BUILD)/bin/bench_*; do echo "== $$b"; QT_QPA_PLATFORM=offscreen $$b || exit 1; done

# The programs, the add-on library, the desktop entry, icons and the MIME type of ".grz"
# files; DESTDIR stages it for a package.
PREFIX ?= /usr/local
install: build
	@DESTDIR=$(DESTDIR) cmake --install $(BUILD) --prefix $(PREFIX)

# The sanitizer and fuzz builds use clang, so that both compilers keep building the code.
SANITIZE_BUILD ?= build-asan
FUZZ_BUILD     ?= build-fuzz
FUZZ_SECONDS   ?= 60
FUZZ_TARGETS   ?=
CLANG_CONFIGURE = -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCMAKE_CXX_COMPILER=clang++ -DGRIZAL2_BENCH=OFF $(LAUNCHER)

# The whole test suite under AddressSanitizer and UndefinedBehaviorSanitizer.
test-sanitize: deps
	@cmake -S . -B $(SANITIZE_BUILD) $(CLANG_CONFIGURE) -DGRIZAL2_SANITIZE=ON >/dev/null
	@cmake --build $(SANITIZE_BUILD) -j $(JOBS)
	@cd $(SANITIZE_BUILD) && QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j $(JOBS)

# Every fuzz target for FUZZ_SECONDS each, one at a time (FUZZ_TARGETS="pcx grz" picks some).
fuzz: deps
	@cmake -S . -B $(FUZZ_BUILD) $(CLANG_CONFIGURE) -DGRIZAL2_FUZZ=ON -DGRIZAL2_TESTS=OFF >/dev/null
	@cmake --build $(FUZZ_BUILD) -j $(JOBS) --target fuzz_targets
	@bash fuzz/run.sh $(FUZZ_BUILD)/bin $(FUZZ_SECONDS) "$(FUZZ_TARGETS)"

clean:
	rm -rf $(BUILD) $(SANITIZE_BUILD) $(FUZZ_BUILD)
