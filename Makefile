# Lumafolio: `make demo` to see it, `make check` to test it.
BUILD ?= build
PREFIX ?= /usr/local
JOBS ?= 2
CMAKE_FLAGS ?=
ASAN_BUILD ?= build-asan
FUZZ_BUILD ?= build-fuzz
FUZZ_SECONDS ?= 60

# Every Debian package the build, the tests and the demo need.
PACKAGES := cmake g++ make pkg-config clang-format \
	qt6-base-dev libgl-dev libsdl2-dev libsndfile1-dev libfluidsynth-dev timgm6mb-soundfont \
	libcdio-dev libcdio-paranoia-dev libxcb1-dev libxcb-screensaver0-dev libgtest-dev libgmock-dev libbenchmark-dev \
	xvfb xauth xdotool x11-utils x11-xserver-utils imagemagick sox libsox-fmt-mp3 lame trayer \
	xscreensaver xsecurelock xserver-xorg-core xserver-xorg-video-dummy \
	desktop-file-utils fonts-dejavu-core dbus mutter gnome-session-bin \
	libwayland-dev libwayland-bin wayland-protocols plasma-wayland-protocols qt6-base-private-dev \
	qt6-wayland sway wtype grim kwin-wayland \
	help2man dpkg-dev lintian appstream man-db dbus-x11

# Only `make fuzz` needs these: clang with libFuzzer.
PACKAGES_FUZZ := clang libclang-rt-14-dev

SUDO := $(shell [ "$$(id -u)" = 0 ] || echo sudo)

.PHONY: all deps deps-fuzz build check check-asan fuzz soak test demo install package format clean

all: build

deps deps-fuzz:
	@missing=$$(for p in $(if $(filter deps-fuzz,$@),$(PACKAGES_FUZZ),$(PACKAGES)); do \
		dpkg-query -W -f='$${Status}\n' $$p 2>/dev/null | grep -q '^install ok installed' || echo $$p; \
	done); \
	if [ -n "$$missing" ]; then \
		echo "Installing:" $$missing; \
		$(SUDO) apt-get update -qq && \
		DEBIAN_FRONTEND=noninteractive $(SUDO) apt-get install -y -qq --no-install-recommends $$missing; \
	fi

build:
	cmake -S . -B $(BUILD) -DCMAKE_INSTALL_PREFIX=$(PREFIX) $(CMAKE_FLAGS) >/dev/null
	cmake --build $(BUILD) -j$(JOBS)

test: build
	cd $(BUILD) && QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j$(JOBS)

check: deps
	$(MAKE) build CMAKE_FLAGS="-DLUMAFOLIO_WERROR=ON $(CMAKE_FLAGS)"
	$(MAKE) test

# The whole suite with AddressSanitizer and UndefinedBehaviorSanitizer; the first error ends the
# test that met it. Leaks are reported, except those inside third-party libraries listed in
# tools/sanitizers/lsan.supp.
check-asan: deps
	cmake -S . -B $(ASAN_BUILD) -DLUMAFOLIO_SANITIZE=address,undefined -DLUMAFOLIO_WERROR=ON \
		-DLUMAFOLIO_BUILD_BENCH=OFF $(CMAKE_FLAGS) >/dev/null
	cmake --build $(ASAN_BUILD) -j$(JOBS)
	cd $(ASAN_BUILD) && tools=$(CURDIR)/tools/sanitizers && \
		ASAN_OPTIONS=halt_on_error=1:detect_leaks=1:abort_on_error=0:detect_stack_use_after_return=1 \
		LSAN_OPTIONS=suppressions=$$tools/lsan.supp:print_suppressions=0 \
		UBSAN_OPTIONS=halt_on_error=1:print_stacktrace=1 \
		QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j$(JOBS)

# libFuzzer targets built with clang in $(FUZZ_BUILD), each run for FUZZ_SECONDS from its
# generated seed corpus; crash files land in $(FUZZ_BUILD)/crashes/<target>/.
fuzz: deps deps-fuzz
	FUZZ_SECONDS=$(FUZZ_SECONDS) JOBS=$(JOBS) tools/fuzz.sh $(FUZZ_BUILD)

# The cycling soak (bench/cycle): the real xscreensaver and xsecurelock start and stop the
# installed saver SOAK_XSCREENSAVER_CYCLES (1000) and SOAK_XSECURELOCK_CYCLES (200) times, and
# SOAK_KILL_CYCLES (10) savers are killed mid-show. `make check` does not run it.
soak: deps
	cmake -S . -B $(BUILD) -DCMAKE_INSTALL_PREFIX=$(PREFIX) $(CMAKE_FLAGS) >/dev/null
	cmake --build $(BUILD) -j$(JOBS) --target bench_cycle
	$(BUILD)/bench/cycle/bench_cycle

demo: deps build
	tools/demo.sh $(BUILD)

install: build
	cmake --install $(BUILD) --prefix $(PREFIX)

# The Debian package $(BUILD)/lumafolio_<version>_<arch>.deb, which
# `sudo apt install ./$(BUILD)/lumafolio_*.deb` installs.
package: deps
	$(MAKE) build
	cmake --build $(BUILD) --target package

format:
	find src tests bench -name '*.cpp' -o -name '*.h' | xargs clang-format -i

clean:
	rm -rf $(BUILD)
