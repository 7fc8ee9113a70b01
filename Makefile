# Thin wrapper over CMake (and, for testing frameworks, a build with the compiler alone): `make`
# builds everything (Release) into build/. Each target first installs what it needs and the
# machine lacks (tools/need), so a fresh Debian machine needs nothing but `make run` or `make test`.
BUILD_DIR ?= build
BUILD_TYPE ?= Release
JOBS ?= 2
NEED = sh tools/need

CONFIGURE = cmake -S . -B $(BUILD_DIR) -DCMAKE_BUILD_TYPE=$(BUILD_TYPE)
# The two programs (xboard and UCI) and the book only: playing needs no test framework.
BUILD_ENGINE = $(NEED) build && $(CONFIGURE) && cmake --build $(BUILD_DIR) -j $(JOBS) --target tarnek tarnek-uci book

.PHONY: all run test clean

# `make EXE=PATH` builds the UCI program alone and puts it at PATH, as a testing framework that
# builds engines from their source folders asks (see "Building with the compiler alone" below);
# `make` alone builds everything.
EXE ?=

ifeq ($(EXE),)
all:
	$(NEED) test
	$(CONFIGURE)
	cmake --build $(BUILD_DIR) -j $(JOBS)
else
all: $(EXE)
endif

run:
	$(BUILD_ENGINE)
	cd $(BUILD_DIR) && ./tarnek

test: all
	cd $(BUILD_DIR) && ctest --output-on-failure -j $(JOBS)

clean:
	rm -rf $(BUILD_DIR) $(EXE_DIR)

# Building with the compiler alone: `make EXE=PATH` compiles the UCI program with the flags of
# the CMake Release build, in EXE_DIR, without CMake, without installing anything, and as many
# files at a time as make's own -j allows. It takes the compiler from CXX, or from CC where a
# testing framework names the C driver of its compiler (clang gives clang++, gcc g++, cc c++), and
# puts CPPFLAGS, CXXFLAGS and LDFLAGS after its own flags, so that they win. A change of compiler
# or flags compiles everything again.
EXE_DIR ?= build-exe
cxxOfCc = $(if $(findstring ++,$(1)),$(1),$(if $(findstring clang,$(1)),$(subst clang,clang++,$(1)),$(if \
	$(findstring gcc,$(1)),$(subst gcc,g++,$(1)),$(if $(findstring icx,$(1)),$(subst icx,icpx,$(1)),$(patsubst \
	%cc,%c++,$(1))))))
ifeq ($(origin CXX),default)
ifneq ($(filter command line environment,$(origin CC)),)
CXX = $(call cxxOfCc,$(CC))
endif
endif
# The version the UCI program names itself with, as the CMake build gives it.
VERSION := $(shell sed -n 's/^project.Tarnek VERSION \([0-9.]*\).*/\1/p' CMakeLists.txt)
EXE_FLAGS = -std=c++20 -O3 -DNDEBUG -Wall -Wextra -ftls-model=local-exec -pthread -Isrc \
	-DTARNEK_VERSION='"$(VERSION)"'
EXE_COMPILE = $(CXX) $(EXE_FLAGS) $(CPPFLAGS) $(CXXFLAGS)

# The entry point linked: the UCI program's, or src/main.cpp for the xboard program.
EXE_MAIN ?= src/ucimain.cpp

ifneq ($(EXE),)
# Every source but the entry points, and the one chosen.
EXE_SOURCES := $(filter-out src/main.cpp src/ucimain.cpp,$(sort $(shell find src -name '*.cpp'))) $(EXE_MAIN)
EXE_OBJECTS := $(EXE_SOURCES:src/%.cpp=$(EXE_DIR)/%.o)
# The compile command of the last build: the objects depend on it, rewritten when it changed.
EXE_STAMP = $(EXE_DIR)/compile-command
ifneq ($(file <$(EXE_STAMP)),$(EXE_COMPILE))
$(shell mkdir -p $(EXE_DIR))
$(file >$(EXE_STAMP),$(EXE_COMPILE))
endif

$(EXE_DIR)/%.o: src/%.cpp $(EXE_STAMP)
	@mkdir -p $(@D)
	$(EXE_COMPILE) -MMD -MP -c $< -o $@

$(EXE): $(EXE_OBJECTS)
	@mkdir -p "$(@D)"
	$(CXX) $(EXE_FLAGS) $(CXXFLAGS) $(LDFLAGS) $(EXE_OBJECTS) -o "$@"

-include $(EXE_OBJECTS:.o=.d)
endif

# The Windows programs, cross-compiled with Debian's MinGW-w64 (its POSIX threads variant, which
# std::thread needs) by the build with the compiler alone: baseline x86-64, linked statically so
# that they need no DLL beyond Windows' own, in WINDOWS_DIR, then packed with the book and a short
# text into WINDOWS_ZIP. `windows-check` runs them under wine (tools/windows-check).
WINDOWS_DIR ?= build-windows
WINDOWS_CXX ?= x86_64-w64-mingw32-g++-posix
WINDOWS_NAME = tarnek-$(VERSION)-windows-x86-64
WINDOWS_ZIP = $(WINDOWS_DIR)/$(WINDOWS_NAME).zip
WINDOWS_BUILD = $(MAKE) --no-print-directory -j $(JOBS) EXE_DIR=$(WINDOWS_DIR)/objects CXX=$(WINDOWS_CXX) \
	CXXFLAGS="-march=x86-64 -mtune=generic" LDFLAGS=-static
.PHONY: windows windows-check
windows:
	$(NEED) windows
	$(BUILD_ENGINE)
	+$(WINDOWS_BUILD) EXE=$(WINDOWS_DIR)/$(WINDOWS_NAME)/tarnek-uci.exe
	+$(WINDOWS_BUILD) EXE=$(WINDOWS_DIR)/$(WINDOWS_NAME)/tarnek.exe EXE_MAIN=src/main.cpp
	cp $(BUILD_DIR)/Tarnek.book $(WINDOWS_DIR)/$(WINDOWS_NAME)/
	sed 's/$$/\r/' doc/windows.txt > $(WINDOWS_DIR)/$(WINDOWS_NAME)/README.txt
	rm -f $(WINDOWS_ZIP) && cd $(WINDOWS_DIR) && zip -q -r -X $(WINDOWS_NAME).zip $(WINDOWS_NAME)
	@echo $(abspath $(WINDOWS_ZIP))

# OpenBench's worker steps on the committed HEAD (tools/openbench-check): two copies of its source
# archive built at once with `make EXE=`, without CMake, and their benches read as the worker reads
# them and compared, with each other and with the commits' "Bench:" line.
.PHONY: openbench-check
openbench-check:
	$(NEED) build python3
	tools/openbench-check

# Deeper move-path counts of six reference positions against their published values; takes
# about a minute, so it is not part of `test`. Each entry: depth, expected count, position.
PERFT_CHECKS = \
	"6 119060324 rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/RNBQKBNR w KQkq -" \
	"5 193690690 r3k2r/p1ppqpb1/bn2pnp1/3PN3/1p2P3/2N2Q1p/PPPBBPPP/R3K2R w KQkq -" \
	"7 178633661 8/2p5/3p4/KP5r/1R3p1k/8/4P1P1/8 w - -" \
	"5 15833292 r3k2r/Pppp1ppp/1b3nbN/nP6/BBP1P3/q4N2/Pp1P2PP/R2Q1RK1 w kq -" \
	"5 89941194 rnbq1k1r/pp1Pbppp/2p5/8/2B5/8/PPP1NnPP/RNBQK2R w KQ -" \
	"5 164075551 r4rk1/1pp1qppp/p1np1n2/2b1p1B1/2B1P1b1/P1NP1N2/1PP1QPPP/R4RK1 w - -"

.PHONY: perft-check
perft-check: all
	@failed=0; for check in $(PERFT_CHECKS); do \
	  set -- $$check; depth=$$1; expected=$$2; shift 2; \
	  result=$$($(BUILD_DIR)/tarnek-perft $$depth "$$*" | tail -n 1); \
	  if [ "$$(echo "$$result" | cut -d' ' -f2)" = "$$expected" ]; then echo "ok    $$result    $$*"; \
	  else echo "FAIL  $$result, expected $$expected    $$*"; failed=1; fi; \
	done; exit $$failed

# Speed against an earlier commit: builds BASE in build-compare/, runs the bench of both
# alternately on one processor and prints the medians and their ratio (RUNS runs each).
# PERFT=1 also times the perft counts of the initial position and Kiwipete, and stockfish's.
RUNS ?= 5
.PHONY: bench-compare
bench-compare:
	@test -n "$(BASE)" || { echo "usage: make bench-compare BASE=<commit> [RUNS=5] [PERFT=1]"; exit 2; }
	tools/bench-compare $(BASE) --runs $(RUNS) $(if $(PERFT),--perft)

# Installation: the engine for xboard and for UCI GUIs, its opening book, their manual pages and
# the plugin files through which xboard offers both programs to every user.
# PREFIX is where it runs from; DESTDIR, when given, is a staging root put in front of every
# installed path (but not of the paths that the pages and plugin files name). The Debian package
# installs with BINDIR=/usr/games and BOOKDIR=/usr/share/games/tarnek.
PREFIX ?= /usr/local
DESTDIR ?=
BINDIR ?= $(PREFIX)/bin
BOOKDIR ?= $(PREFIX)/share/tarnek
MAN6DIR ?= $(PREFIX)/share/man/man6
PLUGINDIR ?= $(PREFIX)/share/games/plugins
# A path as the right-hand side of a sed substitution.
sedPath = $(subst |,\|,$(subst &,\&,$(1)))

# The manual pages name the installed files as under the default prefix; installed, they name
# them where they went.
INSTALLED_PATHS = sed -e 's|/usr/local/bin/|$(call sedPath,$(BINDIR))/|g' \
	-e 's|/usr/local/share/tarnek|$(call sedPath,$(BOOKDIR))|g' \
	-e 's|/usr/local/share/games/plugins|$(call sedPath,$(PLUGINDIR))|g'

# xboard's plugin files (`-autoInstall`, on in Debian's settings): at its start xboard adds every
# engine whose file in PLUGINDIR/xboard/ (xboard protocol) or PLUGINDIR/uci/ (UCI, through its
# adapter) is newer than the user's saved settings to the user's engine list. xboard reads
# /usr/share/games/plugins and /usr/local/share/games/plugins. The file names the command,
# started in the book's folder, and the variants played, after the header line xboard requires
# word for word; a logo of the same name may stand in PLUGINDIR/logos/.
pluginFile = printf 'plugin spec 0.0\ncd %s;%s\nchess\n' '$(BOOKDIR)' '$(BINDIR)/$(1)'
SYSTEM_PLUGINDIRS = /usr/share/games/plugins /usr/local/share/games/plugins
# The programs find the book beside them only in one of these two places.
BOOK_BESIDE = $(filter $(abspath $(BOOKDIR)),$(abspath $(BINDIR)/../share/games/tarnek $(BINDIR)/../share/tarnek))

$(BUILD_DIR)/tarnek $(BUILD_DIR)/tarnek-uci $(BUILD_DIR)/Tarnek.book:
	$(BUILD_ENGINE)

.PHONY: install uninstall
install: $(BUILD_DIR)/tarnek $(BUILD_DIR)/tarnek-uci $(BUILD_DIR)/Tarnek.book
	install -d $(DESTDIR)$(BINDIR) $(DESTDIR)$(BOOKDIR) $(DESTDIR)$(MAN6DIR) \
	  $(DESTDIR)$(PLUGINDIR)/xboard $(DESTDIR)$(PLUGINDIR)/uci $(DESTDIR)$(PLUGINDIR)/logos
	install -m 0755 $(BUILD_DIR)/tarnek $(DESTDIR)$(BINDIR)/tarnek
	install -m 0755 $(BUILD_DIR)/tarnek-uci $(DESTDIR)$(BINDIR)/tarnek-uci
	install -m 0644 $(BUILD_DIR)/Tarnek.book $(DESTDIR)$(BOOKDIR)/Tarnek.book
	$(INSTALLED_PATHS) doc/tarnek.6 > $(DESTDIR)$(MAN6DIR)/tarnek.6
	$(INSTALLED_PATHS) doc/tarnek-uci.6 > $(DESTDIR)$(MAN6DIR)/tarnek-uci.6
	$(call pluginFile,tarnek) > $(DESTDIR)$(PLUGINDIR)/xboard/tarnek.eng
	$(call pluginFile,tarnek-uci) > $(DESTDIR)$(PLUGINDIR)/uci/tarnek-uci.eng
	install -m 0644 data/tarnek.png $(DESTDIR)$(PLUGINDIR)/logos/tarnek.png
	ln -sf tarnek.png $(DESTDIR)$(PLUGINDIR)/logos/tarnek-uci.png
	chmod 0644 $(DESTDIR)$(MAN6DIR)/tarnek.6 $(DESTDIR)$(MAN6DIR)/tarnek-uci.6 \
	  $(DESTDIR)$(PLUGINDIR)/xboard/tarnek.eng $(DESTDIR)$(PLUGINDIR)/uci/tarnek-uci.eng
	@$(if $(BOOK_BESIDE),,echo "Note: $(BOOKDIR) is not ../share/tarnek nor ../share/games/tarnek from $(BINDIR):"; \
	  echo "  the programs find the book only when started in that folder.";) \
	$(if $(filter $(patsubst %/,%,$(PLUGINDIR)),$(SYSTEM_PLUGINDIRS)), \
	  echo "xboard lists Tarnek and tarnek-uci for every user from its next start.", \
	  echo "xboard reads plugin files from $(SYSTEM_PLUGINDIRS) only; play it with:"; \
	  echo "  xboard -fcp $(BINDIR)/tarnek -fd $(BOOKDIR)")

# Removes what install put, the log that an engine started by root in the book's folder may have
# left there, and the folders install made that are left empty.
uninstall:
	rm -f $(DESTDIR)$(BINDIR)/tarnek $(DESTDIR)$(MAN6DIR)/tarnek.6
	rm -f $(DESTDIR)$(BINDIR)/tarnek-uci $(DESTDIR)$(MAN6DIR)/tarnek-uci.6
	rm -f $(DESTDIR)$(BOOKDIR)/Tarnek.book $(DESTDIR)$(BOOKDIR)/Tarnek.log
	rm -f $(DESTDIR)$(PLUGINDIR)/xboard/tarnek.eng $(DESTDIR)$(PLUGINDIR)/uci/tarnek-uci.eng
	rm -f $(DESTDIR)$(PLUGINDIR)/logos/tarnek.png $(DESTDIR)$(PLUGINDIR)/logos/tarnek-uci.png
	@if [ -d $(DESTDIR)$(BOOKDIR) ]; then rmdir $(DESTDIR)$(BOOKDIR) 2>/dev/null || echo "Kept $(DESTDIR)$(BOOKDIR): not empty"; fi
	@for folder in $(addprefix $(DESTDIR)$(PLUGINDIR)/,xboard uci logos) $(DESTDIR)$(PLUGINDIR) \
	  $(dir $(DESTDIR)$(PLUGINDIR)); do rmdir $$folder 2>/dev/null || true; done

# The Debian package, built with Debian's own tools from a copy of the source tree in DEB_DIR
# (so that nothing of the build lands in the tree or beside it), checked by lintian. The last line
# printed is the path of the package.
DEB_DIR ?= build-deb
DEB_VERSION = $(shell sed -n '1s/^tarnek .\([^ ]*\). .*/\1/p' debian/changelog)
DEB_FILE = $(DEB_DIR)/tarnek_$(DEB_VERSION)_$(shell dpkg --print-architecture).deb
.PHONY: deb deb-check
deb:
	$(NEED) deb
	rm -rf $(DEB_DIR) && mkdir -p $(DEB_DIR)/tarnek-$(DEB_VERSION)
	tar -c --exclude=./.git --exclude='./build*' --exclude='./obj-*' . | tar -x -C $(DEB_DIR)/tarnek-$(DEB_VERSION)
	cd $(DEB_DIR)/tarnek-$(DEB_VERSION) && dpkg-buildpackage -b -us -uc > ../build.log 2>&1 || \
	  { tail -n 40 ../build.log; exit 1; }
	lintian --tag-display-limit 0 $(DEB_FILE) > $(DEB_DIR)/lintian.txt 2>&1; status=$$?; \
	  grep -v 'root privileges' $(DEB_DIR)/lintian.txt || echo "lintian: nothing to report"; exit $$status
	@echo $(abspath $(DEB_FILE))

# The package built, then its files, its plugin files and its programs checked where they would
# be installed (tools/deb-check).
deb-check: deb
	sh tools/deb-check $(DEB_FILE)

# Matches in xboard under a virtual display against an engine from Debian (packages xboard, xvfb
# and the opponent: fairymax, phalanx or hoichess). `match` plays the longer match; `match-smoke`
# two short games, enough to show that the engine plays whole games in a real GUI. Both fail when
# the engine lost a game by an illegal move, a false claim, the clock, a crash or left it unfinished.
# `match-uci` and `match-uci-smoke` do the same with the UCI program, which xboard drives through
# its UCI adapter (package polyglot).
MATCH_OPPONENT ?= fairymax
MATCH_GAMES ?= 20
MATCH_TC ?= 1
MATCH_INC ?= 1

.PHONY: match match-smoke match-uci match-uci-smoke
match: all
	$(NEED) gui $(MATCH_OPPONENT)
	tools/xboard-match --engine $(BUILD_DIR)/tarnek --opponent $(MATCH_OPPONENT) \
	  --games $(MATCH_GAMES) --tc $(MATCH_TC) --inc $(MATCH_INC)

match-smoke: all
	$(NEED) gui fairymax
	tools/xboard-match --engine $(BUILD_DIR)/tarnek --opponent fairymax --games 2 --tc 0:10 --inc 0.1

match-uci: all
	$(NEED) uci-gui $(MATCH_OPPONENT)
	tools/xboard-match --uci --engine $(BUILD_DIR)/tarnek-uci --opponent $(MATCH_OPPONENT) \
	  --games $(MATCH_GAMES) --tc $(MATCH_TC) --inc $(MATCH_INC)

match-uci-smoke: all
	$(NEED) uci-gui fairymax
	tools/xboard-match --uci --engine $(BUILD_DIR)/tarnek-uci --opponent fairymax --games 2 --tc 0:10 --inc 0.1

# fastchess, the match runner for UCI programs, built from its source folder FASTCHESS_SRC (by
# default the copy in ../shared/ext/fastchess, when there is one) in a folder of its own, once:
# the source folder is only read. `compliance` runs its protocol check on the UCI program, in the
# build folder so that the program finds its book there. `match-fastchess` plays the UCI program
# against stockfish limited to FASTCHESS_ELO (0: full strength), with every mate score's line
# checked, and fails on a fault of the program's (tools/uci-match).
FASTCHESS_SRC ?= $(wildcard $(CURDIR)/../shared/ext/fastchess)
FASTCHESS_DIR ?= build-fastchess
FASTCHESS = $(FASTCHESS_DIR)/fastchess
FASTCHESS_GAMES ?= 20
FASTCHESS_TC ?= 10+0.1
FASTCHESS_ELO ?= 1650
# The goal that needs fastchess, to name in the line that asks for its source.
fastchessGoal = make $(or $(filter compliance match-fastchess,$(MAKECMDGOALS)),compliance)

$(FASTCHESS):
	$(if $(FASTCHESS_SRC),,$(error $(fastchessGoal) needs the fastchess source: $(fastchessGoal) FASTCHESS_SRC=/path/to/fastchess))
	$(if $(wildcard $(FASTCHESS_SRC)/app/Makefile),,$(error no fastchess source in $(FASTCHESS_SRC): $(fastchessGoal) FASTCHESS_SRC=/path/to/fastchess))
	$(NEED) build
	rm -rf $(FASTCHESS_DIR) && mkdir -p $(FASTCHESS_DIR)
	cp -R "$(FASTCHESS_SRC)/." $(FASTCHESS_DIR) && chmod -R u+w $(FASTCHESS_DIR)
	$(MAKE) -C $(FASTCHESS_DIR) -j $(JOBS) GIT_SHA= GIT_DATE=

.PHONY: compliance match-fastchess
compliance: $(FASTCHESS)
	$(BUILD_ENGINE)
	cd $(BUILD_DIR) && $(abspath $(FASTCHESS)) --compliance $(abspath $(BUILD_DIR))/tarnek-uci

match-fastchess: $(FASTCHESS)
	$(BUILD_ENGINE)
	$(NEED) stockfish python3
	tools/uci-match --fastchess $(FASTCHESS) --engine $(BUILD_DIR)/tarnek-uci --games $(FASTCHESS_GAMES) \
	  --tc $(FASTCHESS_TC) --elo $(FASTCHESS_ELO)

# The Windows programs under wine (tools/windows-check): the bench's signature, the xboard
# handshake's bytes, the book and the log found as on Linux, and a match of the UCI program
# against stockfish through fastchess without a fault (WINDOWS_GAMES games; 0: no match).
WINDOWS_GAMES ?= 10
windows-check: windows $(if $(filter-out 0,$(WINDOWS_GAMES)),$(FASTCHESS))
	$(NEED) wine stockfish python3
	tools/windows-check --folder $(WINDOWS_DIR)/$(WINDOWS_NAME) --linux $(BUILD_DIR) --games $(WINDOWS_GAMES) \
	  --fastchess $(FASTCHESS)

# The whole suite in a build folder of its own: $(1) the folder, $(2) its CMake settings, $(3) what
# the tests' environment adds.
define SUITE_IN
	$(NEED) test
	cmake -S . -B $(1) $(2)
	cmake --build $(1) -j $(JOBS)
	cd $(1) && $(3) ctest --output-on-failure -j $(JOBS)
endef

# The suite in a Debug build, where the board's invariants are checked after every make, unmake,
# set-up and take-back, and the searches' at their entries (so are they in the sanitizer and
# fuzzing builds).
DEBUG_DIR ?= build-debug
.PHONY: test-debug
test-debug:
	$(call SUITE_IN,$(DEBUG_DIR),-DCMAKE_BUILD_TYPE=Debug,)

# The suite again under ThreadSanitizer (the search threads, the command loop and the UCI
# supervisor share the table, the game and the events).
TSAN_DIR ?= build-tsan
.PHONY: test-tsan
test-tsan:
	$(call SUITE_IN,$(TSAN_DIR),-DCMAKE_BUILD_TYPE=RelWithDebInfo -DTARNEK_SANITIZE=thread,TSAN_OPTIONS="halt_on_error=1 exitcode=66")

# The suite again under AddressSanitizer and UndefinedBehaviorSanitizer.
ASAN_DIR ?= build-asan
.PHONY: test-asan
test-asan:
	$(call SUITE_IN,$(ASAN_DIR),-DCMAKE_BUILD_TYPE=RelWithDebInfo -DTARNEK_SANITIZE=address,ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1)

# Coverage-guided fuzzing of both command loops and position set-up with clang's libFuzzer (Debian
# packages clang and libclang-rt-14-dev), for FUZZ_SECONDS each, from the seeds in fuzz/corpus
# (xboard) and fuzz/uci-corpus (UCI). New inputs it finds go to $(FUZZ_DIR)/corpus and
# $(FUZZ_DIR)/uci-corpus; a crash, a leak or a hang leaves its input in $(FUZZ_DIR)/findings and
# fails the target.
FUZZ_DIR ?= build-fuzz
FUZZ_SECONDS ?= 60
FUZZ_OPTIONS = -max_total_time=$(FUZZ_SECONDS) -timeout=20 -rss_limit_mb=4096 -max_len=1024 \
	-artifact_prefix=findings/ -print_final_stats=1
.PHONY: fuzz
fuzz:
	$(NEED) fuzz
	CXX=clang++ CC=clang cmake -S . -B $(FUZZ_DIR) -DCMAKE_BUILD_TYPE=RelWithDebInfo -DTARNEK_FUZZ=ON -DTARNEK_TESTS=OFF
	cmake --build $(FUZZ_DIR) -j $(JOBS) --target tarnek-fuzz tarnek-uci-fuzz tarnek-makebook book
	mkdir -p $(FUZZ_DIR)/corpus $(FUZZ_DIR)/uci-corpus $(FUZZ_DIR)/findings
	cd $(FUZZ_DIR) && ./tarnek-fuzz $(FUZZ_OPTIONS) -dict=$(CURDIR)/fuzz/protocol.dict corpus $(CURDIR)/fuzz/corpus
	cd $(FUZZ_DIR) && ./tarnek-uci-fuzz $(FUZZ_OPTIONS) -dict=$(CURDIR)/fuzz/uci.dict uci-corpus $(CURDIR)/fuzz/uci-corpus
