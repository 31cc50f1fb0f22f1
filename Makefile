# The two commands of the README, and a few helpers for developers.
.PHONY: run test setup native windows bench bench-win fuzz soak-undo clean

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

bench:
	@bash scripts/build.sh bench && bash scripts/bench.sh

# The main window's paint timed under Wine (needs Google Benchmark cross-built by setup).
bench-win:
	@bash scripts/build.sh windows
	@test -f build/win/ostrel_paint_bench.exe || { echo "bench-win: ostrel_paint_bench.exe \
	  not built: run make setup, then configure build/win again"; exit 1; }
	@cd build/win && xvfb-run -a -s "-screen 0 1280x1024x24" ../../scripts/wine-run.sh ./ostrel_paint_bench.exe

fuzz:
	@bash scripts/build.sh fuzz

# The undo property run for a million steps (optimised build; SOAK_ARGS="--steps N --seed S").
soak-undo:
	@cmake -S . -B build/soak-undo -DCMAKE_BUILD_TYPE=Release >/dev/null
	@cmake --build build/soak-undo --target undo_soak -j$$(nproc)
	@cd build/soak-undo && ./undo_soak $(SOAK_ARGS)

clean:
	rm -rf build
