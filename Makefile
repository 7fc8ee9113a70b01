# Thin wrapper over CMake: `make` builds everything (Release) into build/. Each target first
# installs what it needs and the machine lacks (tools/need), so a fresh Debian machine needs
# nothing but `make run` or `make test`.
BUILD_DIR ?= build
BUILD_TYPE ?= Release
JOBS ?= 2
NEED = sh tools/need

CONFIGURE = cmake -S . -B $(BUILD_DIR) -DCMAKE_BUILD_TYPE=$(BUILD_TYPE)
# The two programs (xboard and UCI) and the book only: playing needs no test framework.
BUILD_ENGINE = $(NEED) build && $(CONFIGURE) && cmake --build $(BUILD_DIR) -j $(JOBS) --target tarnek tarnek-uci book

.PHONY: all run test clean

# `make EXE=PATH` builds the UCI program alone and puts it at PATH, as a testing framework that
# builds engines from their source folders asks; `make` alone builds everything.
EXE ?=

all:
ifeq ($(EXE),)
	$(NEED) test
	$(CONFIGURE)
	cmake --build $(BUILD_DIR) -j $(JOBS)
else
	$(NEED) build
	$(CONFIGURE)
	cmake --build $(BUILD_DIR) -j $(JOBS) --target tarnek-uci
	mkdir -p "$(dir $(EXE))" && cp $(BUILD_DIR)/tarnek-uci "$(EXE)"
endif

run:
	$(BUILD_ENGINE)
	cd $(BUILD_DIR) && ./tarnek

test: all
	cd $(BUILD_DIR) && ctest --output-on-failure -j $(JOBS)

clean:
	rm -rf $(BUILD_DIR)

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

# Installation: the engine for xboard and for UCI GUIs, its opening book and their manual pages.
# PREFIX is where it runs from; DESTDIR, when given, is a staging root put in front of every
# installed path (but not of the paths that the manual pages and xboard's engine list name).
PREFIX ?= /usr/local
DESTDIR ?=
BINDIR = $(PREFIX)/bin
BOOKDIR = $(PREFIX)/share/tarnek
MAN6DIR = $(PREFIX)/share/man/man6
# A path as the right-hand side of a sed substitution.
sedPath = $(subst |,\|,$(subst &,\&,$(1)))

# The manual pages name the installed files as under the default prefix; installed, they name
# them under PREFIX (only paths below /usr/local/ change, not the prefix named as such).
MAN_PATHS = sed -e 's|/usr/local/|$(call sedPath,$(PREFIX))/|g'

# Registering with xboard: a line in its master settings that offers the engine to every user
# under the name Tarnek (xboard -fe Tarnek), started in the book's folder, where it reads
# "Tarnek.book". The line carries the date of installation, so that users who saved their
# settings before it see it too. An install to the system's own prefix, /usr or /usr/local,
# registers; one elsewhere touches no system file and prints the line instead. REGISTER=1
# registers any install, REGISTER=0 none; XBOARD_CONF=FILE on the command line registers in FILE
# instead of xboard's own settings. Registering replaces any Tarnek entry already there, wherever
# it points, so that the list never holds two; uninstall removes the entry when it names this
# install.
XBOARD_CONF ?= $(DESTDIR)/etc/xboard/xboard.conf
REGISTER ?=
SYSTEM_PREFIXES = /usr /usr/local
XBOARD_REGISTERS = $(if $(REGISTER),$(if $(filter 0 no,$(REGISTER)),0,1),$(if \
	$(filter $(patsubst %/,%,$(PREFIX)),$(SYSTEM_PREFIXES))$(filter-out file,$(origin XBOARD_CONF)),1,0))
XBOARD_ENTRY = sed -e 's|@BINDIR@|$(call sedPath,$(BINDIR))|g' -e 's|@BOOKDIR@|$(call sedPath,$(BOOKDIR))|g' \
	data/xboard-engine-entry.in
# Every line of the settings that offers an engine by the name Tarnek, this install's or another.
XBOARD_ANY_ENTRY = /-installEngine[ \t]+\{"Tarnek"[ \t]/
# Keeps every line of the settings but this install's entry (whatever its date).
XBOARD_DROP_ENTRY = awk -v entry="$$($(XBOARD_ENTRY))" \
	'{ line = $$0; sub(/^-date [0-9]+ /, "-date @DATE@ ", line); if (line != entry) print }'

$(BUILD_DIR)/tarnek $(BUILD_DIR)/tarnek-uci $(BUILD_DIR)/Tarnek.book:
	$(BUILD_ENGINE)

.PHONY: install uninstall
install: $(BUILD_DIR)/tarnek $(BUILD_DIR)/tarnek-uci $(BUILD_DIR)/Tarnek.book
	install -d $(DESTDIR)$(BINDIR) $(DESTDIR)$(BOOKDIR) $(DESTDIR)$(MAN6DIR)
	install -m 0755 $(BUILD_DIR)/tarnek $(DESTDIR)$(BINDIR)/tarnek
	install -m 0755 $(BUILD_DIR)/tarnek-uci $(DESTDIR)$(BINDIR)/tarnek-uci
	install -m 0644 $(BUILD_DIR)/Tarnek.book $(DESTDIR)$(BOOKDIR)/Tarnek.book
	$(MAN_PATHS) doc/tarnek.6 > $(DESTDIR)$(MAN6DIR)/tarnek.6
	$(MAN_PATHS) doc/tarnek-uci.6 > $(DESTDIR)$(MAN6DIR)/tarnek-uci.6
	chmod 0644 $(DESTDIR)$(MAN6DIR)/tarnek.6 $(DESTDIR)$(MAN6DIR)/tarnek-uci.6
	@conf="$(XBOARD_CONF)"; entry=$$($(XBOARD_ENTRY) | sed -e "s|@DATE@|$$(date +%s)|"); \
	if [ "$(XBOARD_REGISTERS)" != 1 ]; then \
	  echo "Not registered with xboard: $(PREFIX) is not the system's prefix (make install REGISTER=1 registers it)."; \
	  echo "Play it with:  xboard -fcp $(BINDIR)/tarnek -fd $(BOOKDIR)"; \
	  echo "or list it for every user with this line in xboard's settings $$conf:"; \
	  echo "$$entry"; \
	elif [ ! -w "$$conf" ]; then \
	  echo "Not registered with xboard: no writable $$conf. The line xboard needs there:"; \
	  echo "$$entry"; \
	elif [ "$$(awk '$(XBOARD_ANY_ENTRY)' "$$conf" | wc -l)" -eq 1 ] && \
	     [ "$$($(XBOARD_DROP_ENTRY) "$$conf" | wc -l)" -ne "$$(wc -l < "$$conf")" ]; then \
	  echo "Already registered with xboard in $$conf: xboard -fe Tarnek starts it"; \
	else \
	  kept=$$(mktemp) && awk '!$(XBOARD_ANY_ENTRY)' "$$conf" > "$$kept" && \
	  { cat "$$kept"; echo "$$entry"; } > "$$conf" && rm -f "$$kept" && \
	  echo "Registered with xboard in $$conf: xboard -fe Tarnek starts it"; \
	fi

# Removes what install put, and the log an engine started from the book's folder left there.
uninstall:
	rm -f $(DESTDIR)$(BINDIR)/tarnek $(DESTDIR)$(MAN6DIR)/tarnek.6
	rm -f $(DESTDIR)$(BINDIR)/tarnek-uci $(DESTDIR)$(MAN6DIR)/tarnek-uci.6
	rm -f $(DESTDIR)$(BOOKDIR)/Tarnek.book $(DESTDIR)$(BOOKDIR)/Tarnek.log
	@if [ -d $(DESTDIR)$(BOOKDIR) ]; then rmdir $(DESTDIR)$(BOOKDIR) 2>/dev/null || echo "Kept $(DESTDIR)$(BOOKDIR): not empty"; fi
	@conf="$(XBOARD_CONF)"; \
	if [ "$(filter 0 no,$(REGISTER))" = "" ] && [ -w "$$conf" ]; then \
	  kept=$$(mktemp) && $(XBOARD_DROP_ENTRY) "$$conf" > "$$kept" && \
	  if ! cmp -s "$$kept" "$$conf"; then cat "$$kept" > "$$conf"; echo "Removed from xboard's $$conf"; fi; \
	  rm -f "$$kept"; \
	fi

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

# The suite in a Debug build, where the board's invariants are checked after every make, unmake,
# set-up and take-back (so are they in the sanitizer and fuzzing builds).
DEBUG_DIR ?= build-debug
.PHONY: test-debug
test-debug:
	$(NEED) test
	cmake -S . -B $(DEBUG_DIR) -DCMAKE_BUILD_TYPE=Debug
	cmake --build $(DEBUG_DIR) -j $(JOBS)
	cd $(DEBUG_DIR) && ctest --output-on-failure -j $(JOBS)

# The suite again under ThreadSanitizer (the engine thread and the command loop share the board
# and the events), in a folder of its own.
TSAN_DIR ?= build-tsan
.PHONY: test-tsan
test-tsan:
	$(NEED) test
	cmake -S . -B $(TSAN_DIR) -DCMAKE_BUILD_TYPE=RelWithDebInfo -DTARNEK_SANITIZE=thread
	cmake --build $(TSAN_DIR) -j $(JOBS)
	cd $(TSAN_DIR) && TSAN_OPTIONS="halt_on_error=1 exitcode=66" ctest --output-on-failure -j $(JOBS)

# The suite again under AddressSanitizer and UndefinedBehaviorSanitizer, in a folder of its own.
ASAN_DIR ?= build-asan
.PHONY: test-asan
test-asan:
	$(NEED) test
	cmake -S . -B $(ASAN_DIR) -DCMAKE_BUILD_TYPE=RelWithDebInfo -DTARNEK_SANITIZE=address
	cmake --build $(ASAN_DIR) -j $(JOBS)
	cd $(ASAN_DIR) && ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
	  ctest --output-on-failure -j $(JOBS)

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
