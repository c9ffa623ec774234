# SPDX-License-Identifier: MIT
# make run            install what is missing, build, start Kalvora
# make test           install what is missing, build, run every test
# make test-sanitize  the same tests built with AddressSanitizer and UBSan
# make package        a Debian package in build/
# make fuzz           every fuzz target for FUZZ_SECONDS seconds (clang, libFuzzer)

BUILD_DIR    ?= build
SANITIZE_DIR ?= build-sanitize
FUZZ_DIR     ?= build-fuzz
FUZZ_SECONDS ?= 60
JOBS         ?= $(shell nproc)
CMAKE_FLAGS  ?=
DEPS         ?= all

.PHONY: all deps build run test test-sanitize package fuzz clean format

all: build

deps:
	@bash scripts/install-deps.sh $(DEPS)

# Running needs fewer packages than testing.
run: DEPS = run

build: deps
	cmake -S . -B $(BUILD_DIR) -G Ninja -DCMAKE_BUILD_TYPE=Release $(CMAKE_FLAGS)
	cmake --build $(BUILD_DIR) -j $(JOBS)

run: build
	./$(BUILD_DIR)/kalvora

test: build
	ctest --test-dir $(BUILD_DIR) --output-on-failure -j $(JOBS)

test-sanitize: deps
	cmake -S . -B $(SANITIZE_DIR) -G Ninja -DCMAKE_BUILD_TYPE=Debug -DKALVORA_SANITIZE=ON $(CMAKE_FLAGS)
	cmake --build $(SANITIZE_DIR) -j $(JOBS)
	ctest --test-dir $(SANITIZE_DIR) --output-on-failure -j $(JOBS)

package: build
	cd $(BUILD_DIR) && cpack
	@ls $(BUILD_DIR)/kalvora_*.deb

fuzz: deps
	CC=clang CXX=clang++ cmake -S . -B $(FUZZ_DIR) -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
	  -DKALVORA_FUZZ=ON -DKALVORA_TESTS=OFF $(CMAKE_FLAGS)
	cmake --build $(FUZZ_DIR) --target fuzz_all -j $(JOBS)
	bash scripts/run-fuzzers.sh $(FUZZ_DIR) $(FUZZ_SECONDS)

format:
	git ls-files '*.cpp' '*.h' | xargs clang-format -i

clean:
	rm -rf $(BUILD_DIR) $(SANITIZE_DIR) $(FUZZ_DIR)
