# The two commands: `make run` starts the program, `make test` runs every
# test. Both first install what is missing (scripts/deps.sh, idempotent).
.PHONY: all deps native win32 fuzz-targets test test-native test-fuzz test-win32 run bench fuzz format clean

all: native win32

deps:
	@bash scripts/deps.sh

native: deps
	cmake --preset native >/dev/null
	cmake --build --preset native

win32: deps
	cmake --preset win32 >/dev/null
	cmake --build --preset win32

# The libFuzzer targets (clang): built by CMake's fuzz preset.
fuzz-targets: deps
	cmake --preset fuzz >/dev/null
	cmake --build --preset fuzz

test-native: native
	ctest --preset native

# Each fuzz target once over its corpus.
test-fuzz: fuzz-targets
	ctest --preset fuzz

test-win32: win32
	scripts/wine-session.sh build/win32 ctest --preset win32

test: test-native test-fuzz test-win32

run: win32
	bash scripts/run.sh

bench: native win32
	bash scripts/bench.sh

fuzz: fuzz-targets
	bash scripts/fuzz.sh $(FUZZ_SECONDS)

format:
	find src tests bench fuzz -name '*.cpp' -o -name '*.hpp' -o -name '*.h' | xargs clang-format -i

clean:
	rm -rf build
