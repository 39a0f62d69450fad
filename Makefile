# The two commands: `make run` starts the program, `make test` runs every
# test. Both first install what is missing (scripts/deps.sh, idempotent).
.PHONY: all deps native win32 win64 fuzz-targets test test-native test-fuzz test-win32 test-win64 test-windows test-dist dist dist-files install run bench fuzz format po clean

all: native win32 win64

deps:
	@bash scripts/deps.sh

native: deps
	cmake --preset native >/dev/null
	cmake --build --preset native

win32: deps
	cmake --preset win32 >/dev/null
	cmake --build --preset win32

win64: deps
	cmake --preset win64 >/dev/null
	cmake --build --preset win64

# The libFuzzer targets (clang): built by CMake's fuzz preset.
fuzz-targets: deps
	cmake --preset fuzz >/dev/null
	cmake --build --preset fuzz

# Every test sets the locale it needs itself (the C locale, unless it tests
# a language), so the caller's changes nothing: make runs them in German,
# as on a German desktop, so that one that forgets fails here. The locale
# is made with localedef, as a machine may have none but C.
GERMAN = LOCPATH=$(CURDIR)/build/locale LC_ALL=de_DE.UTF-8 LANGUAGE=de
build/locale/de_DE.UTF-8:
	mkdir -p build/locale
	localedef -i de_DE -f UTF-8 $@ >/dev/null 2>&1 || test -d $@

test-native: native build/locale/de_DE.UTF-8
	$(GERMAN) ctest --preset native

# Each fuzz target once over its corpus.
test-fuzz: fuzz-targets build/locale/de_DE.UTF-8
	$(GERMAN) ctest --preset fuzz

test-win32: win32 build/locale/de_DE.UTF-8
	$(GERMAN) scripts/wine-session.sh build/win32 ctest --preset win32

test-win64: win64 build/locale/de_DE.UTF-8
	$(GERMAN) scripts/wine-session.sh build/win64 ctest --preset win64

# The Windows tests of every architecture this machine can run: win64
# always; win32 in full where the machine runs 32-bit code natively, else a
# smoke run of the two 32-bit programs under emulation. VELMORA_64BIT_ONLY=1
# takes the second way anywhere. The line that says which is kept for the
# end of make test.
test-windows: win32 win64 build/locale/de_DE.UTF-8
	$(GERMAN) bash scripts/test-windows.sh

# What `make dist` makes, installed and removed as users would; signed with
# a throwaway certificate; and made again in another folder, to the same bytes.
test-dist: dist build/locale/de_DE.UTF-8
	$(GERMAN) scripts/wine-session.sh build/dist-check bash tests/dist/check_dist.sh
	$(GERMAN) scripts/wine-session.sh build/sign-check bash tests/dist/check_signing.sh
	$(GERMAN) bash tests/dist/check_reproducible.sh

test: test-native test-fuzz test-windows test-dist
	@cat build/windows-tests.txt

# The downloads, in dist/ (or DIST=folder): each Windows build's zip and MSI,
# the Debian packages of velmora-cli and of the library, the versions of the
# tools that made them (BUILDINFO), and the checksums of all these. The same
# commit and tools give the same bytes; signed when VELMORA_SIGN_PKCS12 is
# set (docs/releasing.md).
DIST ?= dist
# The certificate and its password may be named relative to this folder.
ifdef VELMORA_SIGN_PKCS12
export VELMORA_SIGN_PKCS12 := $(abspath $(VELMORA_SIGN_PKCS12))
endif
ifdef VELMORA_SIGN_PASSWORD_FILE
export VELMORA_SIGN_PASSWORD_FILE := $(abspath $(VELMORA_SIGN_PASSWORD_FILE))
endif
dist: native win32 win64
	$(MAKE) --no-print-directory dist-files

# The same from the builds configured, each building only what ships.
dist-files:
	rm -rf build/*/dist $(DIST)
	for b in build/native build/win*; do [ ! -f $$b/CMakeCache.txt ] || \
	  cmake --build $$b --target dist --parallel 2 || exit 1; done
	mkdir -p $(DIST)
	cp build/*/dist/* $(DIST)/
	bash scripts/buildinfo.sh $(DIST)/BUILDINFO
	cd $(DIST) && LC_ALL=C sh -c 'sha256sum * > SHA256SUMS'

# velmora-cli, its man page, its catalogues and its bash, fish and zsh
# completions, and the library's header, velmora.pc and CMake package files,
# into PREFIX (default /usr/local): cmake --install.
install: native
	cmake --install build/native $(if $(PREFIX),--prefix $(PREFIX))

# The build this machine runs natively: win32, or win64 where it runs no
# 32-bit code (scripts/run.sh says which).
run: win32 win64
	bash scripts/run.sh

bench: native win32 win64
	bash scripts/bench.sh

fuzz: fuzz-targets
	bash scripts/fuzz.sh $(FUZZ_SECONDS)

# The translation template po/velmora.pot from the sources, merged into each
# po/LANG.po (scripts/po.sh).
po:
	bash scripts/po.sh update

format:
	find include src tests bench fuzz -name '*.cpp' -o -name '*.hpp' -o -name '*.h' | xargs clang-format -i

clean:
	rm -rf build
