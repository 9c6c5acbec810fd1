# Korvale: the commands a developer and CI use.
JOBS ?= 2
ASAN_DIR := build/asan
REL_DIR := build/release
FUZZ_DIR := build/fuzz
SAMPLE_DIR := sample
# Seconds `make fuzz` gives each fuzz target.
FUZZ_SECONDS ?= 60

.PHONY: deps test build bench run package fuzz clean

deps:
	@scripts/install-deps.sh

# Sanitizer build plus every test suite.
test: deps
	cmake -S . -B $(ASAN_DIR) -DCMAKE_BUILD_TYPE=Debug -DKORVALE_SANITIZE=ON \
	  -DCMAKE_CXX_FLAGS_DEBUG="-O1 -g" >/dev/null
	cmake --build $(ASAN_DIR) -j$(JOBS)
	cd $(ASAN_DIR) && ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=print_stacktrace=1 \
	  QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j$(JOBS)

build: deps
	cmake -S . -B $(REL_DIR) -DCMAKE_BUILD_TYPE=Release -DKORVALE_TESTS=OFF -DKORVALE_BENCH=ON >/dev/null
	cmake --build $(REL_DIR) -j$(JOBS)

bench: build
	scripts/run-benchmarks.sh $(REL_DIR) $(SAMPLE_DIR)

# Every fuzz target (clang libFuzzer with the sanitizers) for FUZZ_SECONDS each; the corpora
# grow in $(FUZZ_DIR)/corpus, crashes land in $(FUZZ_DIR)/crashes.
fuzz: deps
	CXX=clang++-14 cmake -S . -B $(FUZZ_DIR) -DCMAKE_BUILD_TYPE=Debug -DKORVALE_SANITIZE=ON \
	  -DKORVALE_FUZZ=ON -DKORVALE_TESTS=OFF -DKORVALE_GUI=OFF -DCMAKE_CXX_FLAGS_DEBUG="-O1 -g" >/dev/null
	cmake --build $(FUZZ_DIR) -j$(JOBS) -t fuzzers
	scripts/run-fuzzers.sh $(FUZZ_DIR) $(FUZZ_SECONDS)

run: build
	scripts/run.sh $(REL_DIR) $(SAMPLE_DIR)

# The Debian package of the program (CPack), installed under /usr: build/package/korvale_*.deb.
PKG_DIR := build/package
package: deps
	cmake -S . -B $(PKG_DIR) -DCMAKE_BUILD_TYPE=Release -DKORVALE_TESTS=OFF \
	  -DCMAKE_INSTALL_PREFIX=/usr >/dev/null
	cmake --build $(PKG_DIR) -j$(JOBS)
	cd $(PKG_DIR) && cpack -G DEB

clean:
	rm -rf build
