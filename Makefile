# Onderia: `make run` builds and starts the program, `make test` builds and runs every test.
PROGRAM_DIR ?= $(CURDIR)/Onderia
BUILD_DIR   ?= $(CURDIR)/build
SAN_DIR     ?= $(CURDIR)/build-sanitize
DIST_BUILD_DIR ?= $(CURDIR)/build-dist
FUZZ_DIR    ?= $(CURDIR)/build-fuzz
FUZZ_SECONDS ?= 60
JOBS        ?= $(shell nproc)
CMAKE_GEN   := -G Ninja
# Windows: cross-built with MinGW-w64 against a Qt for Windows (a prefix folder or its .tar.xz;
# without one, Qt is built from its sources into the cache), tested under Wine.
WIN_BUILD_DIR ?= $(CURDIR)/build-windows
WIN_JOBS    ?= 2
QT_WINDOWS  ?= $(firstword $(wildcard /work/shared/toolchains/qt-mingw/onderia-qt-*-mingw-x86_64.tar.xz) \
                           $(wildcard $(CURDIR)/../shared/toolchains/qt-mingw/onderia-qt-*-mingw-x86_64.tar.xz))
export QT_WINDOWS

.PHONY: all deps build run test test-desktop test-sanitize dist fuzz-build fuzz fuzz-regressions \
        screenshots bench clean windows-deps windows test-windows screenshots-windows

all: build

deps:
	@bash scripts/install-deps.sh

$(BUILD_DIR)/build.ninja: | deps
	cmake -S . -B $(BUILD_DIR) $(CMAKE_GEN) -DCMAKE_BUILD_TYPE=Release

build: deps $(BUILD_DIR)/build.ninja
	cmake --build $(BUILD_DIR) -j $(JOBS)

run: build
	@PROGRAM_DIR="$(PROGRAM_DIR)" BUILD_DIR="$(BUILD_DIR)" bash scripts/run.sh

test: build
	cd $(BUILD_DIR) && QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j $(JOBS) --timeout 600

# The same tests on what an ordinary desktop has: CUPS with a queue named "PDF" as the default
# printer and systemd's name service (scripts/desktop-env.sh sets both up, as root). No page may
# reach a queue: the queues' job lists are compared before and after.
test-desktop: build
	bash scripts/desktop-env.sh up
	bash scripts/desktop-env.sh jobs >$(BUILD_DIR)/jobs-before.txt
	cd $(BUILD_DIR) && QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j $(JOBS) --timeout 600
	bash scripts/desktop-env.sh jobs >$(BUILD_DIR)/jobs-after.txt
	@if ! cmp -s $(BUILD_DIR)/jobs-before.txt $(BUILD_DIR)/jobs-after.txt; then \
	    echo "a page reached a print queue:"; diff $(BUILD_DIR)/jobs-before.txt $(BUILD_DIR)/jobs-after.txt; exit 1; fi
	@echo "No job reached any print queue."

test-sanitize: deps
	cmake -S . -B $(SAN_DIR) $(CMAKE_GEN) -DCMAKE_BUILD_TYPE=Debug -DONDERIA_SANITIZE=ON
	# The build runs the guide writer, sanitized too: leaks are not looked for there either (the
	# leak checker's tracer can crash at exit on a loaded machine).
	ASAN_OPTIONS=detect_leaks=0 cmake --build $(SAN_DIR) -j $(JOBS)
	cd $(SAN_DIR) && QT_QPA_PLATFORM=offscreen ASAN_OPTIONS=detect_leaks=0 \
	    UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
	    ctest --output-on-failure -j $(JOBS) --timeout 900

# The portable program folder dist/Onderia/ and its archive, from a release build of its own.
dist: deps
	cmake -S . -B $(DIST_BUILD_DIR) $(CMAKE_GEN) -DCMAKE_BUILD_TYPE=Release
	cmake --build $(DIST_BUILD_DIR) -j $(JOBS) --target onderia_dist_parts
	bash scripts/dist.sh $(DIST_BUILD_DIR) $(CURDIR)/dist

# The Windows program folder dist/Onderia-windows/Onderia/ and its zip; every test under Wine.
windows-deps:
	@bash scripts/install-windows-deps.sh

windows: windows-deps
	JOBS=$(WIN_JOBS) bash scripts/windows.sh dist $(WIN_BUILD_DIR) $(CURDIR)/dist

test-windows: windows-deps
	JOBS=$(WIN_JOBS) bash scripts/windows.sh test $(WIN_BUILD_DIR)

# The libFuzzer harnesses of fuzz/, built with clang under ASan and UBSan. `make fuzz` fuzzes
# each for FUZZ_SECONDS, one after the other; `make fuzz-regressions` runs each once over its
# seeds and kept crash inputs.
fuzz-build: deps
	cmake -S fuzz -B $(FUZZ_DIR) $(CMAKE_GEN) -DCMAKE_CXX_COMPILER=clang++-14
	cmake --build $(FUZZ_DIR) -j $(JOBS)

fuzz: fuzz-build
	FUZZ_DIR="$(FUZZ_DIR)" bash scripts/fuzz.sh run $(FUZZ_SECONDS)

fuzz-regressions: fuzz-build
	FUZZ_DIR="$(FUZZ_DIR)" bash scripts/fuzz.sh regressions

screenshots: build
	QT_QPA_PLATFORM=offscreen $(BUILD_DIR)/onderia_screenshots $(CURDIR)/docs/screenshots

bench: build
	QT_QPA_PLATFORM=offscreen $(BUILD_DIR)/onderia_bench

clean:
	rm -rf $(BUILD_DIR) $(SAN_DIR) $(DIST_BUILD_DIR) $(FUZZ_DIR) $(WIN_BUILD_DIR)
