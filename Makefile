# The two commands of the README, and a few helpers for developers.
.PHONY: run test setup native windows bench fuzz clean

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

fuzz:
	@bash scripts/build.sh fuzz

clean:
	rm -rf build
