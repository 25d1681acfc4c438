# The two set-up commands of README.md. Each installs what is missing, then builds.
.PHONY: demo test test-default test-sanitize test-tsan bench fuzz build format clean

demo: build
	./build/default/hosts/calyra/calyra tour

test: test-default test-sanitize test-tsan

build:
	./scripts/install-deps.sh
	cmake --preset default >/dev/null
	cmake --build --preset default

test-default: build
	ctest --preset default

test-sanitize:
	./scripts/install-deps.sh
	cmake --preset sanitize >/dev/null
	cmake --build --preset sanitize
	ctest --preset sanitize

# The link cache fills on a thread of its own while the host reads it.
test-tsan:
	./scripts/install-deps.sh
	cmake --preset tsan >/dev/null
	cmake --build --preset tsan
	TSAN_OPTIONS="suppressions=$(CURDIR)/tests/tsan.supp halt_on_error=1" ./build/tsan/tests/links/links_tests

bench: build
	./build/default/bench/calyra_bench

fuzz:
	./scripts/install-deps.sh
	cmake --preset fuzz >/dev/null
	cmake --build --preset fuzz
	./scripts/run-fuzzers.sh build/fuzz 20

format:
	git ls-files '*.h' '*.cpp' | xargs clang-format -i

clean:
	rm -rf build
