# make test   builds everything (Linux, Windows x64 and x86) and runs every test
# make run    the bundled example: in the window (wine64) with a display, else in the terminal
.PHONY: all deps native windows-x64 windows-x86 test test-native test-windows run bench clean

WINESERVER := /usr/lib/wine/wineserver

all: native windows-x64 windows-x86

deps:
	@tools/install-deps.sh

native: deps
	cmake --preset native >/dev/null
	cmake --build --preset native

windows-x64: deps
	cmake --preset windows-x64 >/dev/null
	cmake --build --preset windows-x64

windows-x86: deps
	cmake --preset windows-x86 >/dev/null
	cmake --build --preset windows-x86

test-native: native
	ctest --preset native

# Under Xvfb so that the window tests have a display; the Wine prefix lives in the build folder.
test-windows: windows-x64
	xvfb-run -a -s "-screen 0 1024x768x24" ctest --preset windows-x64; \
	status=$$?; WINEPREFIX=$(CURDIR)/build/windows-x64/wineprefix $(WINESERVER) -k 2>/dev/null; exit $$status

test: test-native test-windows windows-x86
	@echo "All tests passed (native and Windows x64 under Wine); Windows x86 built."

# The bundled example: the window when there is a display, otherwise the
# terminal converter with the bundled settings file.
run: $(if $(DISPLAY),run-window,run-terminal)

run-terminal: native
	build/native/cli/ravelo-convert --ini examples/RAVELO.INI examples/canais.dvb build/canais-convertido.dvb

# ravelo-convert against dd bs=64 and cp on 16 MiB (bench/README.md).
bench: native
	bench/run.sh

# ravelo-convert and its manual page under $(PREFIX) (bin/, share/man/man1/); DESTDIR is honoured.
PREFIX ?= /usr/local
.PHONY: install
install: native
	DESTDIR="$(DESTDIR)" cmake --install build/native --prefix "$(PREFIX)"

clean:
	rm -rf build dist

# Windows packages: dist/Ravelo-VERSION-x86.zip and -x64.zip, each with its
# SHA-256; the same commit gives the same bytes (tools/make-dist.sh).
.PHONY: dist run-window run-terminal
dist: windows-x64 windows-x86
	tools/make-dist.sh x64 build/windows-x64
	tools/make-dist.sh x86 build/windows-x86

# The window under wine64, in examples/ so that its RAVELO.INI is found. A prefix
# of its own, left to the desktop's window manager (the tests' prefix is not).
run-window: windows-x64
	cd examples && WINEPREFIX=$(CURDIR)/build/wineprefix-window WINEDEBUG=-all \
	  WINEDLLOVERRIDES="mscoree,mshtml=" /usr/lib/wine/wine64 $(CURDIR)/build/windows-x64/ui/Ravelo.exe
