# Veltran: `make run` builds and starts the game on the bundled content,
# `make test` builds and passes every test (plain and sanitizer builds).
JOBS ?= $(shell nproc)
BUILD ?= build
ASAN_BUILD ?= build-asan
CMAKE_FLAGS ?=

.PHONY: all deps build run install soak measure-x test test-plain test-asan test-release test-clang coverage deb deb-deps deb-check bench fuzz art books sounds music contact-sheet format clean windows windows-build windows-check web web-build web-run web-check

all: build

deps:
	@scripts/ensure-deps

RELEASE_BUILD ?= build-release

$(BUILD)/CMakeCache.txt: | deps
	cmake -S . -B $(BUILD) -DCMAKE_BUILD_TYPE=RelWithDebInfo -DVELTRAN_WERROR=ON $(CMAKE_FLAGS)

build: deps $(BUILD)/CMakeCache.txt
	cmake --build $(BUILD) -j $(JOBS)

run: build
	cd data && ../$(BUILD)/src/app/veltran

test: test-plain test-asan test-release test-clang

test-plain: build
	cd $(BUILD) && ctest --output-on-failure -j $(JOBS)

$(ASAN_BUILD)/CMakeCache.txt: | deps
	cmake -S . -B $(ASAN_BUILD) -DCMAKE_BUILD_TYPE=Debug -DVELTRAN_SANITIZE=ON -DVELTRAN_BENCH=OFF \
		-DVELTRAN_WERROR=ON $(CMAKE_FLAGS)

test-asan: deps $(ASAN_BUILD)/CMakeCache.txt
	cmake --build $(ASAN_BUILD) -j $(JOBS)
	cd $(ASAN_BUILD) && ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=print_stacktrace=1 \
		LSAN_OPTIONS=suppressions=$(CURDIR)/tests/lsan.supp \
		ctest --output-on-failure -j $(JOBS)

# The build a packager makes (Release, with the project's warnings as errors here
# so that no Release-only warning creeps in), the game and tools only.
test-release: deps
	cmake -S . -B $(RELEASE_BUILD) -DCMAKE_BUILD_TYPE=Release -DVELTRAN_WERROR=ON \
		-DVELTRAN_TESTS=OFF -DVELTRAN_BENCH=OFF $(CMAKE_FLAGS)
	cmake --build $(RELEASE_BUILD) -j $(JOBS)

# The second compiler: the whole tree (game, tools, tests, benchmarks) compiled with
# clang and warnings as errors, so that nothing one compiler takes and the other
# refuses can land. Compiled only; the tests run in the g++ builds above.
CLANG_BUILD ?= build-clang
test-clang: deps
	CXX=clang++ CC=clang cmake -S . -B $(CLANG_BUILD) -DCMAKE_BUILD_TYPE=Debug -DVELTRAN_WERROR=ON \
		-DCMAKE_CXX_FLAGS=-O0 $(CMAKE_FLAGS)
	cmake --build $(CLANG_BUILD) -j $(JOBS)

# Line coverage of src by the tests (gcovr): builds build-coverage with --coverage,
# runs every test and prints the summary (and build-coverage/coverage.txt).
COVERAGE_BUILD ?= build-coverage
coverage: deps
	@command -v gcovr > /dev/null || { [ "$$(id -u)" -eq 0 ] && apt-get install -y -qq gcovr > /dev/null; } \
		|| { echo "Run: sudo apt-get install -y gcovr"; exit 1; }
	cmake -S . -B $(COVERAGE_BUILD) -DCMAKE_BUILD_TYPE=Debug -DVELTRAN_BENCH=OFF \
		-DCMAKE_CXX_FLAGS=--coverage -DCMAKE_EXE_LINKER_FLAGS=--coverage $(CMAKE_FLAGS)
	cmake --build $(COVERAGE_BUILD) -j $(JOBS)
	find $(COVERAGE_BUILD) -name '*.gcda' -delete
	cd $(COVERAGE_BUILD) && ctest -j $(JOBS) > ctest.log || { tail -20 ctest.log; exit 1; }
	gcovr -r . --object-directory $(COVERAGE_BUILD) --filter 'src/' --filter '$(COVERAGE_BUILD)/cp1251/src/' \
		--exclude-unreachable-branches -j $(JOBS) --txt $(COVERAGE_BUILD)/coverage.txt --print-summary

# The Debian package: build-deb/veltran_VERSION_ARCH.deb, checked by lintian.
# deb-check also compares its files with make install's, and as root installs
# and removes it (CI runs it).
DEB_PACKAGES := debhelper dpkg-dev lintian cmake pkg-config libsdl2-dev libsdl2-mixer-dev libx11-dev libxext-dev
deb-deps:
	@missing=$$(for p in $(DEB_PACKAGES); do dpkg-query -W -f='$${Status}' $$p 2>/dev/null | \
		grep -q 'install ok installed' || echo $$p; done); \
	if [ -n "$$missing" ]; then \
		if [ "$$(id -u)" -eq 0 ]; then DEBIAN_FRONTEND=noninteractive apt-get install -y -qq $$missing > /dev/null; \
		else echo "Run: sudo apt-get install -y $$missing"; exit 1; fi; fi

deb: deb-deps
	scripts/make-deb

deb-check: deb
	scripts/deb-check

# The Windows edition, cross-built with mingw-w64 over SDL built from Debian's
# sources (cached outside the tree, see scripts/build-sdl): the portable zip and the
# installer in dist/. windows-check runs its tests and scripts under Wine, compares
# them with the Linux build, and installs and uninstalls it (CI runs it).
WINDOWS_BUILD ?= build-windows
windows-build:
	@scripts/ensure-deps windows
	@deps=$$(scripts/build-sdl windows) && \
	cmake -S . -B $(WINDOWS_BUILD) -DCMAKE_TOOLCHAIN_FILE=cmake/windows-x64.cmake \
		-DVELTRAN_WINDOWS_DEPS=$$deps -DCMAKE_PREFIX_PATH=$$deps -DCMAKE_BUILD_TYPE=Release \
		-DVELTRAN_WERROR=ON -DVELTRAN_BENCH=OFF $(CMAKE_FLAGS) > /dev/null && \
	cmake --build $(WINDOWS_BUILD) -j $(JOBS)

windows: windows-build
	scripts/windows-dist $(WINDOWS_BUILD) $$(scripts/build-sdl windows)

windows-check: windows build
	scripts/windows-check $(WINDOWS_BUILD) $(BUILD)

# The browser edition, built by emscripten over SDL built from Debian's sources
# (cached outside the tree, see scripts/build-sdl): a static site in
# $(WEB_BUILD)/site. web-run serves it on http://127.0.0.1:8080/; web-check plays
# scripts in headless Chromium against the Linux build and measures the first
# picture (CI runs it).
WEB_BUILD ?= build-web
WEB_PORT ?= 8080
web-build: export EMSDK_PYTHON = /usr/bin/python3
web-build: export NODE_PATH = /usr/share/nodejs
web-build:
	@scripts/ensure-deps web
	@deps=$$(scripts/build-sdl web) && \
	emcmake cmake -S . -B $(WEB_BUILD) -DCMAKE_BUILD_TYPE=Release -DVELTRAN_TESTS=OFF \
		-DVELTRAN_BENCH=OFF -DVELTRAN_WERROR=ON -DSDL2_DIR=$$deps/lib/cmake/SDL2 \
		-DSDL2_mixer_DIR=$$deps/lib/cmake/SDL2_mixer $(CMAKE_FLAGS) > /dev/null && \
	cmake --build $(WEB_BUILD) -j $(JOBS) --target veltran

web: web-build
	scripts/web-site $(WEB_BUILD) $$(scripts/build-sdl web) $(WEB_BUILD)/site

web-run: web
	scripts/web-serve $(WEB_BUILD)/site $(WEB_PORT)

web-check: web build
	scripts/web-check $(WEB_BUILD)/site $(BUILD)

# Installs the game: make install [PREFIX=/usr/local] [DESTDIR=staging folder].
PREFIX ?= /usr/local
install: deps
	cmake -S . -B $(RELEASE_BUILD) -DCMAKE_BUILD_TYPE=Release -DCMAKE_INSTALL_PREFIX=$(PREFIX) \
		-DVELTRAN_TESTS=OFF -DVELTRAN_BENCH=OFF $(CMAKE_FLAGS)
	cmake --build $(RELEASE_BUILD) -j $(JOBS) --target veltran
	DESTDIR=$(DESTDIR) cmake --install $(RELEASE_BUILD)

# The built-in player for SOAK_MINUTES (20) of real time, headless, in the
# sanitizer build (not part of make test).
SOAK_MINUTES ?= 20
soak: deps $(ASAN_BUILD)/CMakeCache.txt
	cmake --build $(ASAN_BUILD) -j $(JOBS) --target veltran
	SOAK_MINUTES=$(SOAK_MINUTES) scripts/soak

# CPU and memory of the title, a still screen and the game on an X server without
# a GPU (Xvfb), both ways of presenting, beside quadrapassel when installed.
measure-x: build
	scripts/measure-x

bench: build
	@for b in $(BUILD)/bench/bench_*; do [ -x "$$b" ] && "$$b" || exit 1; done

TERMINUS ?= /usr/share/fonts/truetype/terminus/TerminusTTF-4.46.0.ttf
SYNODAL ?= ../shared/content-sources/synodal

# Regenerates the book files from the Synodal source text.
books: build
	$(BUILD)/tools/convert_synodal $(SYNODAL) data/HScripts

# Regenerates the palette, every picture and the desktop icons (needs
# fonts-terminus and FreeType).
art: build
	$(BUILD)/tools/make_art data $(TERMINUS) packaging/icons

# Regenerates the eight sound effects.
sounds: build
	$(BUILD)/tools/make_sounds data/SOUNDS

# Regenerates the cues and session tunes: needs fluidsynth, fluid-soundfont-gm and
# lame (apt-get install fluidsynth fluid-soundfont-gm lame), never needed to play.
SOUNDFONT ?= /usr/share/sounds/sf2/FluidR3_GM.sf2
music: build
	$(BUILD)/tools/make_music data $(SOUNDFONT) $(BUILD)/music_work

# A contact sheet of every picture, scaled 2x: build/contact_sheet.png.
contact-sheet:
	montage -label '%t' -filter point -resize 200% -background '#202020' -fill white \
		-geometry +4+4 -tile 6x data/images/*.bmp $(BUILD)/contact_sheet_pieces.png
	montage -filter point -resize 200% -background '#202020' -geometry +2+2 -tile 12x \
		data/images/Back_fons/*.bmp $(BUILD)/contact_sheet_backgrounds.png
	convert $(BUILD)/contact_sheet_pieces.png $(BUILD)/contact_sheet_backgrounds.png \
		-background '#202020' -append $(BUILD)/contact_sheet.png
	montage -label '%t' -pointsize 10 -background '#202020' -fill '#c0c0c0' -geometry +3+3 \
		-tile 12x data/images/Back_fons/*.bmp docs/screens/backgrounds.png
	@echo "wrote $(BUILD)/contact_sheet.png"

FUZZ_BUILD ?= build-fuzz
FUZZ_SECONDS ?= 60

# Fuzzes the book parser, the BMP, archive, WAV, save slot and reading record readers,
# FUZZ_SECONDS each, with clang's libFuzzer.
fuzz: deps
	CXX=clang++ cmake -S . -B $(FUZZ_BUILD) -DCMAKE_BUILD_TYPE=RelWithDebInfo -DVELTRAN_FUZZ=ON \
		-DVELTRAN_TESTS=OFF -DVELTRAN_BENCH=OFF
	cmake --build $(FUZZ_BUILD) -j $(JOBS) --target fuzz_hs_book fuzz_bmp fuzz_wad fuzz_wav fuzz_slot \
		fuzz_reading
	for t in hs_book:book bmp:bmp wad:wad wav:wav slot:slot reading:reading; do \
		name=$${t%%:*}; seeds=$${t##*:}; mkdir -p $(FUZZ_BUILD)/corpus_$$name; \
		$(FUZZ_BUILD)/fuzz/fuzz_$$name -max_total_time=$(FUZZ_SECONDS) -max_len=65536 \
			-artifact_prefix=$(FUZZ_BUILD)/ \
			$(FUZZ_BUILD)/corpus_$$name fuzz/seeds_$$seeds || exit 1; \
	done

format:
	find src tests bench tools -name '*.cpp' -o -name '*.h' | xargs clang-format -i

clean:
	rm -rf $(BUILD) $(ASAN_BUILD) $(RELEASE_BUILD) $(FUZZ_BUILD) $(WINDOWS_BUILD) $(WEB_BUILD) dist
