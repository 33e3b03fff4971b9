# Two commands do all the set-up on a fresh Debian 12 or 13 machine:
#   make run    installs what building and running need, builds, and starts the program
#   make test   installs that and the test tools, builds, and runs every test:
#               the program's, and the core's also built for Windows (run
#               under Wine) and for the browser (run under Node.js)
# and, beside them, make package builds a Debian package.
MAKEFLAGS += --no-print-directory
BUILD_DIR := build
JOBS := $(shell nproc 2>/dev/null || echo 2)
# Node.js finds emscripten's own modules (acorn) only here on Debian.
export NODE_PATH := /usr/share/nodejs

.PHONY: all build run test test-windows test-web web windows package clean

all: build

# The program alone: make run installs nothing that the tests need, so the
# tests are configured only by make test.
TESTS := OFF

build:
	@./scripts/install-deps.sh run
	@cmake -S . -B $(BUILD_DIR) -DCMAKE_BUILD_TYPE=RelWithDebInfo -DBUILD_TESTING=$(TESTS) >/dev/null
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

test:
	@./scripts/install-deps.sh run test windows web browser
	@$(MAKE) build TESTS=ON
	cd $(BUILD_DIR) && ctest --output-on-failure -j $(JOBS)
	@$(MAKE) test-windows test-web

# The core's tests, cross-built for Windows and run under Wine, and built
# for the browser and run under Node.js, with the page in Chromium, Firefox ESR
# and WebKitGTK.
test-windows test-web: test-%:
	@./scripts/install-deps.sh $(if $(filter web,$*),web browser,windows test)
	@cmake -S . -B $(BUILD_DIR)-$* -DCMAKE_TOOLCHAIN_FILE=cmake/$(if $(filter windows,$*),mingw-w64,emscripten).cmake >/dev/null
	@cmake --build $(BUILD_DIR)-$* -j $(JOBS)
	cd $(BUILD_DIR)-$* && ctest --output-on-failure -j $(JOBS)

# The program for the browser: build-web/sortbars.html, one file that works
# opened from disk, offline.
web:
	@./scripts/install-deps.sh web
	@cmake -S . -B $(BUILD_DIR)-web -DCMAKE_TOOLCHAIN_FILE=cmake/emscripten.cmake >/dev/null
	@cmake --build $(BUILD_DIR)-web -j $(JOBS) --target sortbars
	@echo "make web: wrote $(BUILD_DIR)-web/sortbars.html ($$(stat -c %s $(BUILD_DIR)-web/sortbars.html) bytes)"

# The program for Windows, cross-built with MinGW-w64: build-windows/
# sortbars.exe, a zip of it with the README and LICENSE, and an installer.
windows:
	@./scripts/install-deps.sh windows
	@cmake -S . -B $(BUILD_DIR)-windows -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64.cmake >/dev/null
	@cmake --build $(BUILD_DIR)-windows -j $(JOBS) --target windows_release
	@cd $(BUILD_DIR)-windows && for f in sortbars.exe sortbars-*-windows-x64.zip sortbars-*-setup.exe; do \
	  echo "make windows: wrote $(BUILD_DIR)-windows/$$f ($$(stat -c %s $$f) bytes)"; done

# A Debian package of the program: build/sortbars_VERSION_ARCH.deb
package: build
	cd $(BUILD_DIR) && cpack -G DEB

clean:
	rm -rf $(BUILD_DIR) $(BUILD_DIR)-windows $(BUILD_DIR)-web
