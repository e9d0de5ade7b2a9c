# Velmora Chess: the two commands of the README, and the benchmarks.
JOBS  ?= $(shell nproc)
BUILD ?= build
ASAN  ?= build-asan
FUZZ  ?= build-fuzz
FUZZ_SECONDS ?= 60
FUZZ_JOBS ?= 1

.PHONY: all deps configure build test sanitize fuzz run bench clean install-fonts

all: build

# Every package; run, fuzz and bench install only their own group.
deps:
	./scripts/install-deps

configure: deps
	cmake -S . -B $(BUILD) -G Ninja -DCMAKE_BUILD_TYPE=Release -DVELMORA_TESTS=ON

build: configure
	cmake --build $(BUILD) -j $(JOBS)

# Every test, then the Qt-free core again under AddressSanitizer and UBSan.
test: build
	QT_QPA_PLATFORM=offscreen ctest --test-dir $(BUILD) --output-on-failure -j $(JOBS)
	$(MAKE) sanitize

sanitize: deps
	cmake -S . -B $(ASAN) -G Ninja -DCMAKE_BUILD_TYPE=Debug \
	      -DVELMORA_CORE_ONLY=ON -DVELMORA_SANITIZE=ON -DVELMORA_BENCH=OFF -DVELMORA_TESTS=ON
	cmake --build $(ASAN) -j $(JOBS)
	ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=print_stacktrace=1 \
	  ctest --test-dir $(ASAN) --output-on-failure -j $(JOBS)

# The libFuzzer targets (clang, ASan + UBSan), each fuzzed for FUZZ_SECONDS
# and then checked for time linear in its input; any finding fails.
fuzz:
	./scripts/install-deps fuzz
	cmake -S . -B $(FUZZ) -G Ninja -DCMAKE_BUILD_TYPE=Debug \
	      -DCMAKE_CXX_COMPILER=clang++ -DVELMORA_FUZZ=ON
	cmake --build $(FUZZ) -j $(JOBS)
	FUZZ_SECONDS=$(FUZZ_SECONDS) FUZZ_JOBS=$(FUZZ_JOBS) ./scripts/run-fuzz $(FUZZ)

# Only what the program needs: its packages, the program and its resources.
run:
	./scripts/install-deps program
	cmake -S . -B $(BUILD) -G Ninja -DCMAKE_BUILD_TYPE=Release
	cmake --build $(BUILD) -j $(JOBS) --target velmora
	./scripts/run-program $(BUILD)

bench:
	./scripts/install-deps bench
	cmake -S . -B $(BUILD) -G Ninja -DCMAKE_BUILD_TYPE=Release
	cmake --build $(BUILD) -j $(JOBS)
	@for b in $(BUILD)/bench/bench_*; do \
	  [ -f "$$b" ] && [ -x "$$b" ] || continue; echo "== $$b"; QT_QPA_PLATFORM=offscreen "$$b" || exit 1; done

# The program's fonts into the user's font folder, for other programs.
install-fonts:
	./scripts/install-deps program
	cmake -S . -B $(BUILD) -G Ninja -DCMAKE_BUILD_TYPE=Release
	cmake --build $(BUILD) --target velmora_font_files
	./scripts/install-fonts $(BUILD)/resources/fonts

clean:
	rm -rf $(BUILD) $(ASAN) $(FUZZ)
