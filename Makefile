# The two commands a newcomer needs, and the Windows package; see README.md.
.PHONY: run test dist

# Starts Wine's notepad and Sendlark with a demo item, and shows what arrived.
run:
	@tools/prerequisites.sh
	@cmake --preset windows >/dev/null
	@cmake --build --preset windows --target Sendlark textof
	@tools/demo.sh

# Builds both configurations and runs every test: natively, then under Wine in Xvfb.
test:
	@tools/prerequisites.sh
	cmake --preset native
	cmake --build --preset native
	cmake --preset windows
	cmake --build --preset windows
	ctest --preset native
	xvfb-run -a -s "-screen 0 1280x1024x24 -nolisten tcp" ctest --preset windows

# Builds Sendlark.exe and packs it with its sample files into build/dist/Sendlark-<version>.zip,
# with the zip's checksum beside it.
dist:
	@tools/prerequisites.sh
	@cmake --preset windows >/dev/null
	@cmake --build --preset windows --target Sendlark
	@tools/dist.sh
