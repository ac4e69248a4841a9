# Set-up, build, tests and start of Orvane on Debian 12.
#   make run   installs what is missing, builds, starts the program
#   make test  installs what is missing, builds, runs every test
#   make deps  installs the Debian packages alone
#   make package  builds the Debian package build/orvane_<version>_amd64.deb
#   make fuzz  fuzzes the project file reader for FUZZ_SECONDS (default 600),
#              then the road's section table reader for a third of that
#   make fuzz-coverage  the reader's source coverage by the fuzzer's corpus
#   make mutants  plants single-token faults one at a time and lists those
#                 the core suite lets through (MUTANTS_ARGS: see tools/mutants.py --help)
#   make test-windows  cross-builds for Windows and tests it under Wine: the
#                      core and calculator, then the desktop program, its zip
#                      and its installer (building Qt for Windows the first time)
#   make qt-windows    builds Qt for Windows once, into ~/.cache/orvane
#   make windows-zip   the desktop program for Windows as a zip in dist/
#   make windows-installer  the same as a Chinese installer in dist/
#   make windows-cli   the Windows command-line calculator alone as a zip in dist/

PACKAGES := g++ cmake ninja-build pkg-config \
            qt6-base-dev qt6-svg-dev qt6-charts-dev libqt6opengl6-dev \
            qt6-tools-dev qt6-l10n-tools qt6-translations-l10n libxkbcommon-dev \
            libgtest-dev libbenchmark-dev nlohmann-json3-dev \
            fonts-noto-cjk fonts-wqy-microhei xvfb xauth \
            dpkg-dev file appstream desktop-file-utils shared-mime-info libglib2.0-bin poppler-utils

FUZZ_PACKAGES := clang libclang-rt-14-dev llvm
FUZZ_SECONDS ?= 600
JOBS := $(shell nproc)

# The cross compiler for 64-bit Windows, Wine to run its programs here, the
# GoogleTest sources to build for Windows, NSIS for the installer and
# xdotool to drive the desktop program on a virtual display.
WINDOWS_PACKAGES := g++-mingw-w64-x86-64-posix wine64 googletest nsis xdotool

SUDO := $(shell [ "$$(id -u)" = 0 ] || echo sudo)
EXAMPLE := examples/worked-example.txt

.PHONY: deps deps-windows build test test-windows test-windows-core test-windows-desktop qt-windows \
        windows-qt windows-zip windows-installer windows-cli run cli screenshots bench package fuzz fuzz-coverage mutants clean

deps:
	@missing=$$(for p in $(PACKAGES) $(EXTRA_PACKAGES); do \
	  dpkg-query -W -f='$${Status}\n' $$p 2>/dev/null | grep -q '^install ok installed$$' || echo $$p; \
	done); \
	if [ -n "$$missing" ]; then \
	  echo "Installing:" $$missing; \
	  $(SUDO) apt-get update -qq && \
	  DEBIAN_FRONTEND=noninteractive $(SUDO) apt-get install -y -qq --no-install-recommends $$missing; \
	fi

build: deps
	cmake --preset default >/dev/null
	cmake --build --preset default

test: build
	ctest --preset default -j $(JOBS)
	cmake --preset sanitize >/dev/null
	cmake --build --preset sanitize
	ctest --preset sanitize -j $(JOBS)

deps-windows:
	$(MAKE) deps EXTRA_PACKAGES="$(WINDOWS_PACKAGES)"

test-windows: test-windows-core test-windows-desktop

# The Windows core tests, then the Windows calculator against the Linux one
# on every example.
test-windows-core: deps-windows
	cmake --preset default >/dev/null
	cmake --build --preset default --target orvane-cli
	cmake --preset windows >/dev/null
	cmake --build --preset windows
	ctest --preset windows -j $(JOBS)
	WINEPREFIX=$(CURDIR)/build-windows/wine-prefix tools/compare-windows-cli.sh build/src/cli/orvane-cli build-windows/src/cli/orvane-cli.exe examples/*.txt

qt-windows: deps-windows
	tools/build-qt-windows.sh

# The desktop program, its forms' tests, the calculator and the core tests
# against Qt for Windows, under Wine; then the zip and the installer, tried
# from outside, with the Linux build as the reference.
windows-qt: qt-windows
	ORVANE_QT_KIT=$$(tools/build-qt-windows.sh --path) cmake --preset windows-qt >/dev/null
	cmake --build --preset windows-qt

windows-zip windows-installer: windows-qt
	cmake --build --preset windows-qt --target $@

# Wine needs an X display for any window, even Qt's hidden ones: the tests
# run on a virtual one that does not reset when its last client leaves (it
# would refuse the programs that start meanwhile).
test-windows-desktop: windows-qt
	cmake --build --preset default --target orvane orvane-cli
	cmake --build --preset windows-qt --target windows-zip windows-installer
	xvfb-run -a -s "-screen 0 1280x1024x24 -nolisten tcp -noreset" ctest --preset windows-qt -j $(JOBS)

windows-cli: deps-windows
	cmake --preset windows >/dev/null
	cmake --build --preset windows --target windows-cli-zip

cli: build
	./build/src/cli/orvane-cli $(EXAMPLE)

run: build
	@if [ -n "$${DISPLAY:-}$${WAYLAND_DISPLAY:-}" ]; then \
	  ./build/src/app/orvane; \
	else \
	  echo "No display here (DISPLAY and WAYLAND_DISPLAY are unset), so the desktop program cannot open its window."; \
	  echo "Start it on a desktop, or under a virtual X server:  xvfb-run -a ./build/src/app/orvane"; \
	  echo "The command-line calculator on the bundled example:"; \
	  ./build/src/cli/orvane-cli $(EXAMPLE); \
	fi

screenshots: build
	cmake --build --preset default --target screenshots

package: build
	cmake --build --preset default --target package

bench: build
	./build/bench/orvane-bench

# New inputs go to build-fuzz/corpus; crashes are kept in fuzz/regressions,
# which every `make test` replays.
fuzz:
	$(MAKE) deps EXTRA_PACKAGES="$(FUZZ_PACKAGES)"
	cmake --preset fuzz >/dev/null
	cmake --build --preset fuzz
	mkdir -p build-fuzz/corpus fuzz/corpus fuzz/regressions
	./build-fuzz/fuzz/orvane-fuzz -max_total_time=$(FUZZ_SECONDS) -timeout=10 -print_final_stats=1 \
	  -dict=fuzz/project.dict -artifact_prefix=fuzz/regressions/ \
	  build-fuzz/corpus fuzz/corpus examples
	mkdir -p build-fuzz/section-corpus fuzz/section-regressions
	./build-fuzz/fuzz/orvane-section-fuzz -max_total_time=$$(( $(FUZZ_SECONDS) / 3 + 1 )) -timeout=10 \
	  -print_final_stats=1 -dict=fuzz/section.dict -artifact_prefix=fuzz/section-regressions/ \
	  build-fuzz/section-corpus fuzz/section-corpus

# Replays the corpus of the last `make fuzz` with clang's source coverage and
# reports what it reached of the project file's code.
FUZZ_COVERAGE := build-fuzz-coverage
fuzz-coverage:
	$(MAKE) deps EXTRA_PACKAGES="$(FUZZ_PACKAGES)"
	cmake --preset fuzz-coverage >/dev/null
	cmake --build --preset fuzz-coverage
	rm -f $(FUZZ_COVERAGE)/replay.profraw
	LLVM_PROFILE_FILE=$(FUZZ_COVERAGE)/replay.profraw ./$(FUZZ_COVERAGE)/fuzz/orvane-fuzz-replay \
	  build-fuzz/corpus fuzz/corpus fuzz/regressions examples
	llvm-profdata merge -o $(FUZZ_COVERAGE)/replay.profdata $(FUZZ_COVERAGE)/replay.profraw
	llvm-cov report ./$(FUZZ_COVERAGE)/fuzz/orvane-fuzz-replay -instr-profile=$(FUZZ_COVERAGE)/replay.profdata \
	  src/model/project_file.cpp src/model/file_reasons.cpp src/engine

# Faults planted in a mirror of the tree (build-mutants), never in the tree
# itself: by default in the files the change touched, e.g.
#   make mutants MUTANTS_ARGS="--count 60 --seed 7 src/engine"
MUTANTS_ARGS ?=
mutants: deps
	python3 tools/mutants.py $(MUTANTS_ARGS)

clean:
	rm -rf build build-sanitize build-fuzz build-fuzz-coverage build-windows build-windows-qt build-mutants dist
