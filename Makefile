# Velmora Chess: the two commands of the README, and the benchmarks.
JOBS  ?= $(shell nproc)
BUILD ?= build
ASAN  ?= build-asan

.PHONY: all deps configure build test sanitize run bench clean

all: build

deps:
	./scripts/install-deps

configure: deps
	cmake -S . -B $(BUILD) -G Ninja -DCMAKE_BUILD_TYPE=Release

build: configure
	cmake --build $(BUILD) -j $(JOBS)

# Every test, then the Qt-free core again under AddressSanitizer and UBSan.
test: build
	QT_QPA_PLATFORM=offscreen ctest --test-dir $(BUILD) --output-on-failure -j $(JOBS)
	$(MAKE) sanitize

sanitize: deps
	cmake -S . -B $(ASAN) -G Ninja -DCMAKE_BUILD_TYPE=Debug \
	      -DVELMORA_CORE_ONLY=ON -DVELMORA_SANITIZE=ON -DVELMORA_BENCH=OFF
	cmake --build $(ASAN) -j $(JOBS)
	ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=print_stacktrace=1 \
	  ctest --test-dir $(ASAN) --output-on-failure -j $(JOBS)

run: build
	./scripts/run-program $(BUILD)

bench: build
	@for b in $(BUILD)/bench/bench_*; do \
	  [ -f "$$b" ] && [ -x "$$b" ] || continue; echo "== $$b"; QT_QPA_PLATFORM=offscreen "$$b" || exit 1; done

clean:
	rm -rf $(BUILD) $(ASAN)
