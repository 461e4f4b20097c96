# The two commands a newcomer needs, the Windows package and fuzzing; see README.md.
.PHONY: run test dist fuzz

# Starts Wine's notepad and Sendlark with a demo item, and shows what arrived.
run:
	@tools/prerequisites.sh
	@cmake --preset windows >/dev/null
	@cmake --build --preset windows --target Sendlark textof
	@tools/demo.sh

# Builds all three configurations and runs every test: natively (the fuzz targets only
# replaying their saved inputs), then under Wine in Xvfb.
test:
	@tools/prerequisites.sh
	cmake --preset native
	cmake --build --preset native
	cmake --preset windows
	cmake --build --preset windows
	cmake --preset fuzz
	cmake --build --preset fuzz
	ctest --preset native
	ctest --preset fuzz
	xvfb-run -a -s "-screen 0 1280x1024x24 -nolisten tcp" ctest --preset windows

# Builds Sendlark.exe and SendlarkSetup.exe and packs them with the sample files into
# build/dist/Sendlark-<version>.zip, with the zip's checksum beside it.
dist:
	@tools/prerequisites.sh
	@cmake --preset windows >/dev/null
	@cmake --build --preset windows --target Sendlark SendlarkSetup
	@tools/dist.sh

# Fuzzes each target for FUZZ_SECONDS, starting from its seeds and saved regressions. What
# the fuzzer learns stays in build/fuzz/corpus/, an input that breaks a target lands in
# build/fuzz/artifacts/; copy it to fuzz/regressions/<target>/ once the fault is fixed. The
# targets keep their files in a temporary folder, several times faster in memory.
FUZZ_SECONDS ?= 60
FUZZ_TMPDIR ?= /dev/shm
FUZZ_TARGETS = config_lookup fields file_read command_text history config_save
fuzz:
	@tools/prerequisites.sh
	cmake --preset fuzz
	cmake --build --preset fuzz
	@for name in $(FUZZ_TARGETS); do \
	  mkdir -p build/fuzz/corpus/$$name build/fuzz/artifacts && \
	  TMPDIR=$(FUZZ_TMPDIR) build/fuzz/bin/fuzz_$$name -max_total_time=$(FUZZ_SECONDS) -max_len=4096 \
	    -print_final_stats=1 -artifact_prefix=build/fuzz/artifacts/$$name- \
	    build/fuzz/corpus/$$name $$(ls -d fuzz/corpus/$$name fuzz/regressions/$$name 2>/dev/null) \
	    || exit 1; \
	done
