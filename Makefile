# Lumafolio: `make demo` to see it, `make check` to test it.
BUILD ?= build
PREFIX ?= /usr/local
JOBS ?= 2
CMAKE_FLAGS ?=

# Every Debian package the build, the tests and the demo need.
PACKAGES := cmake g++ make pkg-config clang-format \
	qt6-base-dev libgl-dev libsdl2-dev libsndfile1-dev libfluidsynth-dev timgm6mb-soundfont \
	libcdio-dev libcdio-paranoia-dev libgtest-dev libgmock-dev libbenchmark-dev \
	xvfb xauth xdotool x11-utils imagemagick sox libsox-fmt-mp3 lame trayer \
	desktop-file-utils fonts-dejavu-core

SUDO := $(shell [ "$$(id -u)" = 0 ] || echo sudo)

.PHONY: all deps build check test demo install format clean

all: build

deps:
	@missing=$$(for p in $(PACKAGES); do \
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

demo: deps build
	tools/demo.sh $(BUILD)

install: build
	cmake --install $(BUILD) --prefix $(PREFIX)

format:
	find src tests bench -name '*.cpp' -o -name '*.h' | xargs clang-format -i

clean:
	rm -rf $(BUILD)
