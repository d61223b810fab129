# The README's commands.  Every target installs what is missing first (tools/setup.sh).
SHELL := /bin/bash
JOBS  ?= $(shell nproc)
NATIVE := build/native
WIN    := build/win
FUZZ   := build/fuzz
EXE    := 阿禾青枫贴.exe
export LC_ALL := zh_CN.UTF-8

.PHONY: all setup native windows fuzz-build test test-native test-windows test-e2e test-fuzz \
        dist run bench soak assets clean

all: dist

setup:
	@bash tools/setup.sh

native: setup
	@cmake -S . -B $(NATIVE) -DCMAKE_BUILD_TYPE=Debug >/dev/null
	@cmake --build $(NATIVE) -j$(JOBS)

windows: setup
	@cmake -S . -B $(WIN) -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64.cmake -DCMAKE_BUILD_TYPE=Release >/dev/null
	@cmake --build $(WIN) -j$(JOBS)

fuzz-build: setup
	@CC=clang CXX=clang++ cmake -S . -B $(FUZZ) -DQF_FUZZ=ON -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
	@cmake --build $(FUZZ) -j$(JOBS)

dist: windows
	@mkdir -p dist
	@cp $(WIN)/app/$(EXE) dist/$(EXE)
	@echo "dist/$(EXE)"

test: native windows fuzz-build
	@bash tools/run-tests.sh

test-native: native
	@cd $(NATIVE) && ctest --output-on-failure -j$(JOBS)

test-windows: windows
	@tools/test-env.sh bash -c 'cd $(WIN) && ctest --output-on-failure -j$(JOBS)'

test-e2e: dist
	@tools/test-env.sh bash tests/e2e/run-all.sh

test-fuzz: fuzz-build
	@bash fuzz/run.sh 20

run: dist
	@bash tools/run-note.sh

bench: native dist
	@bash bench/run.sh

soak: native dist fuzz-build
	@bash tools/soak.sh

# Regenerates the committed assets (the tests check that they match).
assets: native
	@$(NATIVE)/tools/assetgen/assetgen assets

clean:
	rm -rf build dist
