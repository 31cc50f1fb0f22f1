# The two commands of the README, and a few helpers for developers.
.PHONY: run test setup native windows cli dist dist-test bench bench-win fuzz fuzz-long campaign soak soak-undo clean

run:
	@bash scripts/run.sh

test:
	@bash scripts/test.sh

setup:
	@bash scripts/setup.sh

native:
	@bash scripts/build.sh native

windows:
	@bash scripts/build.sh windows

# The optimised command-line tool: build/release/ostrel-cli.
cli:
	@bash scripts/build.sh release

# For Windows users: build/dist/Ostrel-<version>.zip and Ostrel-<version>-setup.exe.
dist:
	@bash scripts/setup.sh
	@bash scripts/dist.sh

# The setup file installed, used, upgraded and uninstalled under Wine.
dist-test:
	@bash scripts/setup.sh
	@bash scripts/dist-test.sh

# Setup first: without libplist every file row would be skipped.
bench:
	@bash scripts/setup.sh
	@bash scripts/build.sh bench && bash scripts/bench.sh

# The main window's paint and the start-up timed under Wine (needs Google Benchmark
# cross-built by setup).
bench-win:
	@bash scripts/build.sh windows
	@test -f build/win/ostrel_paint_bench.exe || { echo "bench-win: ostrel_paint_bench.exe \
	  not built: run make setup, then configure build/win again"; exit 1; }
	@bash scripts/bench-win.sh

fuzz:
	@bash scripts/build.sh fuzz

# The kill test of the bank save: 200 SIGKILLs at random moments of a save loop.
soak:
	@bash scripts/build.sh native && build/native/ostrel_kill_soak 200

# Every fuzz target for up to 10 million inputs or 2 hours (see the README).
fuzz-long:
	@bash scripts/build.sh fuzz && bash scripts/fuzz-long.sh

# The fault-injection campaign of the device exchange (see the README).
campaign:
	@bash scripts/build.sh native && build/native/exchange_campaign

# The undo property run for a million steps (optimised build; SOAK_ARGS="--steps N --seed S").
soak-undo:
	@cmake -S . -B build/soak-undo -DCMAKE_BUILD_TYPE=Release >/dev/null
	@cmake --build build/soak-undo --target undo_soak -j$$(nproc)
	@cd build/soak-undo && ./undo_soak $(SOAK_ARGS)

clean:
	rm -rf build
