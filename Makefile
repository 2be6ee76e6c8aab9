# The two set-up commands: `make run` starts the game, `make test` runs every test
# (plain, then against sdl12-compat, then under the sanitizers, then the whole
# game under valgrind).
BUILD ?= build
JOBS ?= $(shell nproc)

.PHONY: run test deps build clean sanitoi valgrind fuzz mediatarkistus kuvat deb metatiedot sdl12compat

# Quality checks (README, "Quality checks").
SANITOI_BUILD ?= build-sanitoi
FUZZ_BUILD ?= build-fuzz
SDL12COMPAT ?= $(BUILD)/sdl12-compat
SEKUNTEJA ?= 60
KERTOJA ?=
FUZZ_RAJA = $(if $(KERTOJA),-runs=$(KERTOJA),-max_total_time=$(SEKUNTEJA))
# The configuration files are small (the language file 230 bytes, the
# settings under 100): its inputs stop at 1 KiB, which still holds some 40
# lines, instead of libFuzzer's 4 KiB.
# Fuzz runs record no allocation stacks (13 % more executions per second); a
# finding is reproduced with full reports by running its target on the saved
# input with the default options.
FUZZ_YMPARISTO := ASAN_OPTIONS=malloc_context_size=0
# The readers fuzzed: fuzz/fuzz_<name>.cpp with its seed corpus in tests/data/korpus/<name>/.
FUZZERIT := config_file kartta hiscore
SANITOI_YMPARISTO := ASAN_OPTIONS=detect_leaks=1:strict_string_checks=1 \
  UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
  LSAN_OPTIONS=suppressions=$(CURDIR)/tools/lsan.supp:print_suppressions=0
VALGRIND := valgrind --tool=memcheck --leak-check=full --show-leak-kinds=definite,indirect \
  --errors-for-leak-kinds=definite,indirect --error-exitcode=99 \
  --suppressions=$(CURDIR)/tools/valgrind.supp

deps:
	@./tools/asenna_riippuvuudet.sh

build: deps
	@cmake -S . -B $(BUILD) -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
	@cmake --build $(BUILD) -j $(JOBS)

# A first run gets the default settings the build wrote with the game's own
# writer (music and effects on, a window); an existing file is kept.
run: build
	@[ -e asetukset.conf ] || [ -L asetukset.conf ] || cp $(BUILD)/oletusasetukset.conf asetukset.conf
	./$(BUILD)/hiekkatorni

test: build
	cd $(BUILD) && ctest --output-on-failure -j $(JOBS)
	@$(MAKE) --no-print-directory metatiedot
	@$(MAKE) --no-print-directory sdl12compat
	@$(MAKE) --no-print-directory sanitoi
	@$(MAKE) --no-print-directory valgrind

clean:
	rm -rf $(BUILD)

# The whole suite once more with the loader pointed at sdl12-compat (SDL 1.2
# over SDL2, the SDL 1.2 of newer distributions), unpacked from Debian's
# package into the build tree for this run only; the system's classic SDL
# stays as it is. The run stops if the tests would not load the compat library.
sdl12compat: build
	@./tools/asenna_riippuvuudet.sh libsdl2-2.0-0
	@kirjasto=$$(./tools/hae_sdl12compat.sh $(SDL12COMPAT)) && \
	  LD_LIBRARY_PATH=$$kirjasto ldd $(BUILD)/hiekkatorni_testit | grep -q "$$kirjasto/libSDL-1.2.so.0" || \
	  { echo "the tests do not load sdl12-compat from $$kirjasto"; exit 1; }; \
	  echo "== the whole suite against sdl12-compat ($$kirjasto)"; \
	  cd $(BUILD) && LD_LIBRARY_PATH=$$kirjasto ctest --output-on-failure -j $(JOBS)

# The whole test suite built with AddressSanitizer and UndefinedBehaviorSanitizer.
sanitoi: deps
	@cmake -S . -B $(SANITOI_BUILD) -DCMAKE_BUILD_TYPE=RelWithDebInfo -DHIEKKATORNI_SANITOI=ON \
	  -DHIEKKATORNI_BENCHMARK=OFF >/dev/null
	@cmake --build $(SANITOI_BUILD) -j $(JOBS)
	cd $(SANITOI_BUILD) && $(SANITOI_YMPARISTO) ctest --output-on-failure -j $(JOBS)

# valgrind memcheck of the headless whole game: 0 errors, nothing definitely
# or indirectly lost.
valgrind: build
	@./tools/asenna_riippuvuudet.sh valgrind
	$(VALGRIND) ./$(BUILD)/hiekkatorni_testit --gtest_filter='KokoPeli.*'

# Every reader under libFuzzer for SEKUNTEJA seconds each, or for KERTOJA
# executions each when that is given (make fuzz KERTOJA=10000000); each
# target reads its input as a file through the game's own file reading. New
# inputs collect in $(FUZZ_BUILD)/korpus/<name>/, findings in
# $(FUZZ_BUILD)/loydot/. The targets' own standard output (the refused saves'
# messages) is closed.
fuzz: deps
	@./tools/asenna_riippuvuudet.sh clang libclang-rt-14-dev
	@CXX=clang++ cmake -S . -B $(FUZZ_BUILD) -DCMAKE_BUILD_TYPE=RelWithDebInfo -DHIEKKATORNI_FUZZ=ON \
	  -DHIEKKATORNI_TESTIT=OFF -DHIEKKATORNI_BENCHMARK=OFF >/dev/null
	@cmake --build $(FUZZ_BUILD) -j $(JOBS) --target $(addprefix fuzz_,$(FUZZERIT))
	@mkdir -p $(FUZZ_BUILD)/loydot
	@for nimi in $(FUZZERIT); do \
	  mkdir -p $(FUZZ_BUILD)/korpus/$$nimi; \
	  pituus=; [ $$nimi != config_file ] || pituus=-max_len=1024; \
	  echo "== fuzz_$$nimi, $(FUZZ_RAJA) $$pituus"; \
	  $(FUZZ_YMPARISTO) ./$(FUZZ_BUILD)/fuzz_$$nimi $(FUZZ_RAJA) $$pituus -print_final_stats=1 \
	    -close_fd_mask=1 \
	    -artifact_prefix=$(FUZZ_BUILD)/loydot/$$nimi- \
	    $(FUZZ_BUILD)/korpus/$$nimi tests/data/korpus/$$nimi >$(FUZZ_BUILD)/fuzz_$$nimi.log 2>&1; \
	  tila=$$?; \
	  grep -E '^(Done|stat::number_of_executed_units|stat::average_exec_per_sec|stat::peak_rss)' \
	    $(FUZZ_BUILD)/fuzz_$$nimi.log; \
	  [ $$tila -eq 0 ] || { tail -n 40 $(FUZZ_BUILD)/fuzz_$$nimi.log; exit 1; }; \
	done

# A whole game with each media file removed in turn (slow, not in `make test`).
mediatarkistus: build
	./$(BUILD)/hiekkatorni_testit --gtest_also_run_disabled_tests \
	  --gtest_filter='Kestavyys.DISABLED_JokainenMediatiedostoVuorollaanPoissa'

# Writes the reference pictures of the screen tests anew (tests/data/kuvat/)
# after a deliberate change to what a screen shows; review them before
# committing.
kuvat: build
	HIEKKATORNI_PAIVITA_KUVAT=1 ./$(BUILD)/hiekkatorni_testit --gtest_filter='Kuvat.*'

# The installed menu entry and software-centre listing, checked by their
# validators (install into a scratch prefix, then validate what landed there).
metatiedot: build
	@./tools/asenna_riippuvuudet.sh appstream desktop-file-utils
	@rm -rf $(BUILD)/metatiedot && cmake --install $(BUILD) --prefix $(abspath $(BUILD))/metatiedot >/dev/null
	@tulos=$$(desktop-file-validate $(BUILD)/metatiedot/share/applications/*.desktop 2>&1); \
	  echo "desktop-file-validate: $${tulos:-no remarks}"; [ -z "$$tulos" ]
	appstreamcli validate --no-net --strict $(BUILD)/metatiedot/share/metainfo/*.metainfo.xml

# The Debian package hiekkatorni_<version>_amd64.deb in the project root, built
# in its own tree with Debian's hardening flags and checked by lintian.
DEB_BUILD ?= build-deb
deb: deps
	@./tools/asenna_riippuvuudet.sh dpkg-dev file lintian
	@export DEB_BUILD_MAINT_OPTIONS=hardening=+all; \
	  CXXFLAGS="$$(dpkg-buildflags --get CXXFLAGS) $$(dpkg-buildflags --get CPPFLAGS)" \
	  LDFLAGS="$$(dpkg-buildflags --get LDFLAGS)" \
	  cmake -S . -B $(DEB_BUILD) -DCMAKE_BUILD_TYPE=None -DCMAKE_INSTALL_PREFIX=/usr \
	  -DCMAKE_INSTALL_BINDIR=games -DHIEKKATORNI_DATA=share/games/hiekkatorni \
	  -DHIEKKATORNI_TESTIT=OFF -DHIEKKATORNI_BENCHMARK=OFF >/dev/null
	@cmake --build $(DEB_BUILD) -j $(JOBS) --target hiekkatorni oletusasetukset pakatut_ohjeet
	cd $(DEB_BUILD) && cpack -G DEB -D CPACK_OUTPUT_FILE_PREFIX=$(CURDIR)
	lintian --fail-on error,warning hiekkatorni_$$(sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' \
	  $(DEB_BUILD)/CMakeCache.txt)_$$(dpkg --print-architecture).deb
