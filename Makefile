# Two commands do all the set-up on a fresh Debian 12 machine:
#   make run    installs what is missing, builds, and starts the program
#   make test   installs what is missing, builds, and runs every test
# and, beside them, make package builds a Debian package.
BUILD_DIR := build
JOBS := $(shell nproc 2>/dev/null || echo 2)

.PHONY: all deps build run test package clean

all: build

deps:
	@./scripts/install-deps.sh

build: deps
	@cmake -S . -B $(BUILD_DIR) -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
	@cmake --build $(BUILD_DIR) -j $(JOBS)

# Before starting the program, make run checks that a display can be
# reached at all, so that it can add the hint that matters under sudo.
run: build
	@if [ -z "$$DISPLAY" ] && [ -z "$$WAYLAND_DISPLAY" ]; then \
	  echo "make run: there is no display to open the window on (neither DISPLAY nor WAYLAND_DISPLAY is set)."; \
	elif [ -z "$$DISPLAY" ] && [ -z "$$XDG_RUNTIME_DIR" ] && [ "$${WAYLAND_DISPLAY#/}" = "$$WAYLAND_DISPLAY" ]; then \
	  echo "make run: the Wayland display \"$$WAYLAND_DISPLAY\" cannot be reached (XDG_RUNTIME_DIR is not set)."; \
	else \
	  exec ./$(BUILD_DIR)/sortbars; \
	fi; \
	echo "Run it from a terminal inside your desktop session, or over 'ssh -X' from one."; \
	if [ -n "$$SUDO_USER" ]; then \
	  echo "Under sudo the display is not passed on: run 'make run' as yourself; it asks sudo only to install packages."; \
	fi; \
	exit 1

test: build
	cd $(BUILD_DIR) && ctest --output-on-failure -j $(JOBS)

# A Debian package of the program: build/sortbars_VERSION_ARCH.deb
package: build
	cd $(BUILD_DIR) && cpack -G DEB

clean:
	rm -rf $(BUILD_DIR)
