# Thin wrapper over CMake: `make` builds everything (Release) into build/.
BUILD_DIR ?= build
BUILD_TYPE ?= Release
JOBS ?= 2

.PHONY: all run test clean

all:
	cmake -S . -B $(BUILD_DIR) -DCMAKE_BUILD_TYPE=$(BUILD_TYPE)
	cmake --build $(BUILD_DIR) -j $(JOBS)

run: all
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
