# make run   - build the Windows program and start it under Wine
# make test  - every test: native, without SIMD, sanitizers, Windows build, end to end under Wine
# make bench - the search benchmark
# make fuzz  - every fuzz target for FUZZ_SECONDS seconds each (default 600)
.PHONY: run test bench fuzz native win clean

run:
	bash scripts/run.sh

test:
	bash scripts/test.sh

bench:
	bash scripts/bench.sh

fuzz:
	bash scripts/fuzz.sh run

native:
	bash scripts/build.sh native

win:
	bash scripts/build.sh win

clean:
	rm -rf build
