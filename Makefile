# Two commands do all the set-up on a fresh Debian 12 or 13 machine:
#   make run    installs what building and running need, builds, and starts the program
#   make test   installs that and the test tools, builds, and runs every test:
#               the program's, and the core's also built for Windows (run
#               under Wine) and for the browser (run under Node.js)
# and, beside them, make package builds a Debian package, and make release
# every file a release ships, in dist/, with their checksums.
MAKEFLAGS += --no-print-directory
BUILD_DIR := build
JOBS := $(shell nproc 2>/dev/null || echo 2)
# Node.js finds emscripten's own modules (acorn) only here on Debian.
export NODE_PATH := /usr/share/nodejs

.PHONY: all build run test test-windows test-web test-release web windows package release clean

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
	@$(MAKE) test-windows test-web test-release

# The core's tests, cross-built for Windows and run under Wine, and built
# for the browser and run under Node.js, with the page in Chromium, Firefox ESR
# and WebKitGTK.
test-windows test-web: test-%:
	@./scripts/install-deps.sh $(if $(filter web,$*),web browser,windows test)
	@cmake -S . -B $(BUILD_DIR)-$* -DCMAKE_TOOLCHAIN_FILE=cmake/$(if $(filter windows,$*),mingw-w64,emscripten).cmake >/dev/null
	@cmake --build $(BUILD_DIR)-$* -j $(JOBS)
	cd $(BUILD_DIR)-$* && ctest --output-on-failure -j $(JOBS)

# Two builds of make release, from the commit checked out, in two folders
# with a different time, time zone, locale, umask, user and job count, must
# write the same bytes.
test-release:
	@./scripts/install-deps.sh run test windows web
	tests/release/test_reproducible.sh

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

# A Debian package of the program: build/sortbars_VERSION_ARCH.deb. CPack
# gives the folders it makes, and the package's own members, the modes the
# umask allows, so it runs under the usual one whatever the caller's.
package: build
	cd $(BUILD_DIR) && umask 022 && cpack -G DEB

# A release of the commit checked out, in dist/: the Debian package for this
# machine's architecture, sortbars.exe with its zip and installer, the page,
# the source as a tarball, and SHA256SUMS over them all. Built in folders of
# its own; any build of the same commit writes the same bytes.
VERSION := $(shell sed -n 's/^project(sortbars VERSION \([0-9.]*\) .*)/\1/p' CMakeLists.txt)
RELEASE_BUILD := build-release
release:
	@git rev-parse --git-dir >/dev/null 2>&1 || { echo "make release: a release is made from a git checkout"; exit 1; }
	@git diff --quiet HEAD && [ -z "$$(git ls-files --others --exclude-standard)" ] || \
	  { echo "make release: the checkout has changes that are not committed; a release is made of a commit"; exit 1; }
	@$(MAKE) package windows web BUILD_DIR=$(RELEASE_BUILD)
	@rm -rf dist && mkdir dist
	@cp $(RELEASE_BUILD)/sortbars_$(VERSION)_*.deb $(RELEASE_BUILD)-windows/sortbars.exe \
	  $(RELEASE_BUILD)-windows/sortbars-$(VERSION)-windows-x64.zip $(RELEASE_BUILD)-windows/sortbars-$(VERSION)-setup.exe \
	  $(RELEASE_BUILD)-web/sortbars.html dist/
	@git archive --format=tar --prefix=sortbars-$(VERSION)/ HEAD | gzip -9n >dist/sortbars-$(VERSION).tar.gz
	@cd dist && chmod 644 * && LC_ALL=C sha256sum $$(LC_ALL=C ls) >SHA256SUMS
	@echo "make release: wrote dist/ for $$(git rev-parse --short HEAD):" && sed 's/^/  /' dist/SHA256SUMS

clean:
	rm -rf $(BUILD_DIR) $(BUILD_DIR)-windows $(BUILD_DIR)-web $(RELEASE_BUILD) $(RELEASE_BUILD)-windows $(RELEASE_BUILD)-web dist
