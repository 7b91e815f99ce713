# Velmaro: one command to run the program, one to run the tests.
# Both install what is missing (Debian 12), configure, build, and go.

BUILD      ?= build
BUILD_SAN  ?= build-sanitize
BUILD_FUZZ ?= build-fuzz
FUZZ_SECONDS ?= 60
JOBS       ?= $(shell nproc)
# Warnings as errors: CI sets WERROR=ON; a newcomer's newer compiler only warns.
WERROR     ?= OFF

# Debian packages the build, the tests and the program need.
PACKAGES = cmake ninja-build g++ pkg-config ccache clang-format qt6-base-dev libqcustomplot-dev qt6-qpa-plugins \
           fonts-liberation fonts-urw-base35 poppler-utils qt6-translations-l10n \
           desktop-file-utils appstream dpkg-dev file libzip-dev libxlsxwriter-dev libeigen3-dev \
           libboost-dev libfontconfig-dev
# The fuzzing build's compiler and its runtime; valgrind for memcheck and the benchmarks.
FUZZ_PACKAGES = clang libclang-rt-dev
VALGRIND_PACKAGES = valgrind

export CCACHE_BASEDIR := $(CURDIR)
export CCACHE_NOHASHDIR := 1

SUDO := $(shell [ "$$(id -u)" = 0 ] || echo sudo)

.PHONY: all deps deps-fuzz deps-valgrind build run test test-sanitize fuzz fuzz-run fuzz-run-large memcheck bench bench-build bench-profile clean package package-check

all: build

# Installs only the packages of $(1) that are missing, so a second run is silent.
define install
@missing=$$(for p in $(1); do \
	    dpkg-query -W -f='$${Status}\n' $$p 2>/dev/null | grep -q '^install ok installed' || echo $$p; \
	  done); \
	if [ -n "$$missing" ]; then \
	  echo "Instalando paquetes: $$missing"; \
	  $(SUDO) apt-get update -qq && \
	  DEBIAN_FRONTEND=noninteractive $(SUDO) apt-get install -y -qq --no-install-recommends $$missing >/dev/null; \
	fi
endef

deps:
	$(call install,$(PACKAGES))

deps-fuzz: deps
	$(call install,$(FUZZ_PACKAGES))

deps-valgrind: deps
	$(call install,$(VALGRIND_PACKAGES))

$(BUILD)/build.ninja: | deps
	@cmake -S . -B $(BUILD) -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DVELMARO_WERROR=$(WERROR) >/dev/null

build: deps $(BUILD)/build.ninja
	@cmake --build $(BUILD) -j $(JOBS)

# Starts the program from the repository folder, where velmaro.rtf lives.
run: build
	@./$(BUILD)/src/velmaro

test: build
	@cd $(BUILD) && QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j $(JOBS)

# The Debian package, with CPack: $(BUILD)/package/velmaro_<version>_<arch>.deb.
package: build
	@rm -f $(BUILD)/package/velmaro_*.deb
	@cd $(BUILD) && cpack -G DEB >/dev/null && ls package/velmaro_*.deb

# Unpacks the package into a temporary root (dpkg -x), checks its files and starts the
# unpacked program from /tmp until it has read its help document.
package-check: package
	@cd $(BUILD) && QT_QPA_PLATFORM=offscreen ctest --output-on-failure -R '^tst_installed$$'

$(BUILD_SAN)/build.ninja: | deps
	@cmake -S . -B $(BUILD_SAN) -G Ninja -DCMAKE_BUILD_TYPE=Debug -DVELMARO_SANITIZE=ON -DVELMARO_WERROR=$(WERROR) >/dev/null

# The same suite under AddressSanitizer and UndefinedBehaviorSanitizer; any report fails.
# intercept_tls_get_addr=0: GCC 12's runtime sizes the TLS block of a library loaded at run
# time (libjpeg with Qt's JPEG plug-in, GnuTLS with the print plug-in) from a header that
# glibc 2.19 wrote and Debian's glibc does not. When malloc places such a block 16 bytes
# past a page boundary, the leak check at exit scans a made-up range and faults ("Tracer
# caught signal 11 ... LeakSanitizer has encountered a fatal error"). The blocks are heap
# chunks that glibc's thread vector points to, so the leak check still reaches them.
test-sanitize: deps $(BUILD_SAN)/build.ninja
	@cmake --build $(BUILD_SAN) -j $(JOBS)
	@cd $(BUILD_SAN) && QT_QPA_PLATFORM=offscreen \
	  ASAN_OPTIONS=detect_leaks=1:abort_on_error=1:halt_on_error=1:intercept_tls_get_addr=0 \
	  LSAN_OPTIONS=suppressions=$(CURDIR)/tests/lsan.supp:print_suppressions=0 \
	  UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 VELMARO_WALK_STEPS=400 \
	  ctest --output-on-failure -j $(JOBS)

# The rich-text reader, the readers of own data, the case file reader and the sheet
# readers (any file, .xlsx parts, .ods content) under libFuzzer (clang), over their seed
# corpora; FUZZ_SECONDS each.
$(BUILD_FUZZ)/build.ninja: | deps-fuzz
	@CC=clang CXX=clang++ cmake -S . -B $(BUILD_FUZZ) -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DVELMARO_FUZZ=ON >/dev/null

fuzz: deps-fuzz $(BUILD_FUZZ)/build.ninja
	@cmake --build $(BUILD_FUZZ) --target fuzz_rtfreader
	@cmake --build $(BUILD_FUZZ) --target fuzz_responsedata
	@cmake --build $(BUILD_FUZZ) --target fuzz_casefile
	@cmake --build $(BUILD_FUZZ) --target fuzz_csvsheet fuzz_xlsxsheet fuzz_odssheet

fuzz-run: fuzz
	@mkdir -p $(BUILD_FUZZ)/corpus
	@ASAN_OPTIONS=detect_leaks=0 UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
	  ./$(BUILD_FUZZ)/tests/fuzz/fuzz_rtfreader -max_total_time=$(FUZZ_SECONDS) -timeout=30 -rss_limit_mb=4096 \
	  -max_len=65536 -print_final_stats=1 -artifact_prefix=$(BUILD_FUZZ)/ \
	  $(BUILD_FUZZ)/corpus tests/data/rtf tests/fuzz/seeds
	@mkdir -p $(BUILD_FUZZ)/corpus-data
	@ASAN_OPTIONS=detect_leaks=0 UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
	  ./$(BUILD_FUZZ)/tests/fuzz/fuzz_responsedata -max_total_time=$(FUZZ_SECONDS) -timeout=30 -rss_limit_mb=4096 \
	  -max_len=65536 -print_final_stats=1 -artifact_prefix=$(BUILD_FUZZ)/ \
	  $(BUILD_FUZZ)/corpus-data tests/fuzz/seeds_data
	@mkdir -p $(BUILD_FUZZ)/corpus-case
	@ASAN_OPTIONS=detect_leaks=0 UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
	  ./$(BUILD_FUZZ)/tests/fuzz/fuzz_casefile -max_total_time=$(FUZZ_SECONDS) -timeout=30 -rss_limit_mb=4096 \
	  -max_len=262144 -print_final_stats=1 -artifact_prefix=$(BUILD_FUZZ)/case- \
	  $(BUILD_FUZZ)/corpus-case tests/fuzz/seeds_case
	@for reader in csv xlsx ods; do \
	  mkdir -p $(BUILD_FUZZ)/corpus-$$reader && \
	  ASAN_OPTIONS=detect_leaks=0 UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
	  ./$(BUILD_FUZZ)/tests/fuzz/fuzz_$${reader}sheet -max_total_time=$(FUZZ_SECONDS) -timeout=30 -rss_limit_mb=4096 \
	  -max_len=262144 -print_final_stats=1 -artifact_prefix=$(BUILD_FUZZ)/$$reader- \
	  $(BUILD_FUZZ)/corpus-$$reader tests/fuzz/seeds_sheets/$$reader || exit 1; \
	done
	@$(MAKE) --no-print-directory fuzz-run-large

# Help documents with pictures run to megabytes: fuzz-run also spends a quarter of its
# time on inputs up to 4 MB, grown from the seeds and from what earlier runs found.
fuzz-run-large: fuzz
	@mkdir -p $(BUILD_FUZZ)/corpus-large $(BUILD_FUZZ)/corpus
	@ASAN_OPTIONS=detect_leaks=0 UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
	  ./$(BUILD_FUZZ)/tests/fuzz/fuzz_rtfreader -max_total_time=$$(( ($(FUZZ_SECONDS) + 3) / 4 )) -timeout=60 \
	  -rss_limit_mb=4096 -malloc_limit_mb=4096 -max_len=4194304 -len_control=0 -print_final_stats=1 \
	  -artifact_prefix=$(BUILD_FUZZ)/large- \
	  $(BUILD_FUZZ)/corpus-large tests/data/rtf tests/fuzz/seeds $(BUILD_FUZZ)/corpus

# Under valgrind's memcheck: a short session (start, three scenarios, both charts, quit),
# the help document (reader, help area, preview), printing and the nitrogen cost
# assistant. Any invalid read or write, or memory definitely lost, fails.
MEMCHECK_TESTS = tests/tst_session tests/richtext/tst_rtfreader tests/tst_helpdocument \
                 tests/tst_printing tests/tst_nitrogenwindows
memcheck: build deps-valgrind
	@for t in $(MEMCHECK_TESTS); do \
	  echo "memcheck: $$t"; \
	  ( cd $(BUILD)/$$(dirname $$t) && QT_QPA_PLATFORM=offscreen VELMARO_TEST_DATA=$(CURDIR)/tests/data \
	    valgrind --tool=memcheck --leak-check=full --show-leak-kinds=definite \
	    --errors-for-leak-kinds=definite --error-exitcode=1 --num-callers=30 \
	    --suppressions=$(CURDIR)/tests/valgrind.supp ./$$(basename $$t) ) || exit 1; \
	done

clean:
	rm -rf $(BUILD) $(BUILD_SAN) $(BUILD_FUZZ) $(BUILD_BENCH)

# Benchmarks in a Release build of their own, headless: start-up (also on a 1920 x 1080
# screen, and in instructions under callgrind), "Graficar", pointer moves, the economic
# chart's activation and a session's peak memory (also on the large screen), each as a
# median against its budget (docs/performance.md). Fails when a measure is over budget.
BUILD_BENCH ?= build-bench

$(BUILD_BENCH)/build.ninja: | deps
	@cmake -S . -B $(BUILD_BENCH) -G Ninja -DCMAKE_BUILD_TYPE=Release >/dev/null

bench-build: deps-valgrind $(BUILD_BENCH)/build.ninja
	@cmake --build $(BUILD_BENCH) -j $(JOBS) --target velmaro_bench

bench: bench-build
	@QT_QPA_PLATFORM=offscreen ./$(BUILD_BENCH)/bench/velmaro_bench

# Where the start-up's instructions go: callgrind's count of the start-up probe, by
# function, callees included.
bench-profile: bench-build
	@QT_QPA_PLATFORM=offscreen valgrind --tool=callgrind --callgrind-out-file=$(BUILD_BENCH)/startup.callgrind \
	  ./$(BUILD_BENCH)/bench/velmaro_startup_probe 2>&1 | grep -E 'Collected'
	@callgrind_annotate --inclusive=yes $(BUILD_BENCH)/startup.callgrind 2>/dev/null | sed -n '20,80p' | cut -c1-150
