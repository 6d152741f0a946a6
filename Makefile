# make run   - build the Windows program and start it under Wine
# make test  - every test: native, without SIMD, sanitizers, Windows build, end to end under Wine
# make bench - the search benchmark
# make screenshot - refresh docs/main-window.png from the end-to-end run
# make web-screenshot - refresh docs/web.png from the browser tests
# make fuzz  - every fuzz target for FUZZ_SECONDS seconds each (default 600)
# make web   - the page in build/web; make web-run serves it on 127.0.0.1
# make bench-web - the benchmark's cases in headless Chromium beside the native engines
.PHONY: run test bench screenshot fuzz native win web web-run bench-web web-screenshot clean

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

web:
	bash scripts/build.sh web

web-run: web
	node web/serve.js build/web $${PORT:-8017}

bench-web:
	bash scripts/bench_web.sh

web-screenshot:
	bash scripts/build.sh native
	bash scripts/build.sh web
	bash scripts/web_test.sh
	cp build/web/shots/desktop.png docs/web.png

clean:
	rm -rf build
