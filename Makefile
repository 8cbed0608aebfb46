# Two entry points: `make run` builds and starts the trainer, `make test` builds and runs every test.
# `make package` builds the Debian package build/memora_<version>_amd64.deb.
BUILD_DIR ?= build
JOBS ?= $(shell nproc)

.PHONY: run test deps configure build bench package fuzz clean

run: build
	./$(BUILD_DIR)/bin/memora

test: build
	cd $(BUILD_DIR) && QT_QPA_PLATFORM=offscreen ctest --output-on-failure --repeat until-pass:2 -j$(JOBS)

bench: build
	@for b in $(BUILD_DIR)/bench/bench_*; do \
		if [ -f $$b ] && [ -x $$b ]; then QT_QPA_PLATFORM=offscreen $$b || exit 1; fi; \
	done

package: build
	cd $(BUILD_DIR) && cpack -G DEB
	@ls $(BUILD_DIR)/memora_*.deb

# The word-book fuzzer (clang + AddressSanitizer) in its own build folder, for FUZZ_SECONDS.
FUZZ_DIR ?= build-fuzz
FUZZ_SECONDS ?= 60
fuzz:
	cmake -S . -B $(FUZZ_DIR) -DMEMORA_FUZZ=ON -DCMAKE_CXX_COMPILER=clang++-14 -DCMAKE_BUILD_TYPE=RelWithDebInfo
	cmake --build $(FUZZ_DIR) -j$(JOBS)
	./fuzz/run-fuzz.sh $(FUZZ_DIR)/bin/fuzz_wordbook $(FUZZ_DIR)/fuzz-work $(FUZZ_SECONDS)

deps:
	./tools/install-deps.sh

configure: deps
	cmake -S . -B $(BUILD_DIR) -DCMAKE_BUILD_TYPE=RelWithDebInfo

build: configure
	cmake --build $(BUILD_DIR) -j$(JOBS)

clean:
	rm -rf $(BUILD_DIR) $(FUZZ_DIR)
