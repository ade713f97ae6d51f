# Two commands: `make run` and `make test`. Both install what is missing first.
BUILD    ?= build
NATIVE   := $(BUILD)/native
WIN      := $(BUILD)/win
WIN64    := $(BUILD)/win64
# Looked up when a build is configured, after deps has installed ccache.
LAUNCHER = $(shell command -v ccache >/dev/null 2>&1 && echo -DCMAKE_C_COMPILER_LAUNCHER=ccache -DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
# The compiler cache keys on paths relative to the checkout, so that clones
# in other folders (CI's fresh clone) reuse what an earlier build compiled.
export CCACHE_BASEDIR ?= $(CURDIR)
export CCACHE_NOHASHDIR ?= 1

.PHONY: run test deps native win win64 test-native test-win test-win64 clean

run: win
	bash tools/wine-bits.sh 32 || $(MAKE) win64
	bash tools/run.sh $(WIN)/app/Sorvenal.exe $(BUILD)/sorvenal.png

test: test-native test-win

deps:
	bash tools/bootstrap.sh

native: deps
	cmake -S . -B $(NATIVE) -G Ninja -DCMAKE_BUILD_TYPE=Debug \
	  -DCMAKE_C_COMPILER=clang-14 -DCMAKE_CXX_COMPILER=clang++-14 $(LAUNCHER) >/dev/null
	cmake --build $(NATIVE)

win: native
	cmake -S . -B $(WIN) -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
	  -DCMAKE_TOOLCHAIN_FILE=$(CURDIR)/cmake/mingw-i686.cmake \
	  -DSORVENAL_HOST_TOOLS=$(CURDIR)/$(NATIVE)/tools $(LAUNCHER) >/dev/null
	cmake --build $(WIN)

test-native: native
	cd $(NATIVE) && ctest --output-on-failure -j2

# Where 32-bit Wine cannot run (a kernel without 32-bit support), the Windows
# test programs that do not depend on the processor run as 64-bit programs.
test-win: win
	bash tools/test-win.sh $(WIN)
	bash tools/wine-bits.sh 32 || $(MAKE) test-win64

win64: native
	cmake -S . -B $(WIN64) -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
	  -DCMAKE_TOOLCHAIN_FILE=$(CURDIR)/cmake/mingw-x86_64.cmake \
	  -DSORVENAL_HOST_TOOLS=$(CURDIR)/$(NATIVE)/tools $(LAUNCHER) >/dev/null
	cmake --build $(WIN64)

test-win64: win64
	SORVENAL_WINE_BITS=64 bash tools/test-win.sh $(WIN64)

clean:
	rm -rf $(BUILD)
