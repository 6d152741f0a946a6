# make run   - build the Windows program and start it under Wine
# make test  - every test: native, without SIMD, sanitizers, Windows build, end to end under Wine
# make bench - the search benchmark
# make screenshot - refresh docs/main-window.png from the end-to-end run
# make fuzz  - every fuzz target for FUZZ_SECONDS seconds each (default 600)
.PHONY: run test bench screenshot fuzz native win clean

run:
	bash scripts/run.sh

test:
	bash scripts/test.sh

bench:
	bash scripts/bench.sh

screenshot:
	E2E_ONLY='^screenshots$$' bash scripts/e2e.sh
	cp build/e2e/shots/main-window.png docs/main-window.png

fuzz:
	bash scripts/fuzz.sh run

native:
	bash scripts/build.sh native

win:
	bash scripts/build.sh win

clean:
	rm -rf build
