# Flimmer: `make run` starts the program under Wine, `make test` runs every test.
NATIVE := build/native
BENCH  := build/bench
WIN    := build/win
ASSETS := build/assets
JOBS   := $(shell nproc)
VERSION := $(shell cat VERSION)
SETUP  := out/Flimmer-Setup-$(VERSION).exe

.PHONY: all setup native assets windows installer run test unit e2e screens bench bench-e2e fuzz fuzz-smoke soak dist clean

all: windows

setup:
	@bash scripts/setup.sh

native:
	@cmake -S . -B $(NATIVE) -G Ninja -DCMAKE_BUILD_TYPE=Debug -DFLIMMER_SANITIZE=ON >/dev/null
	@cmake --build $(NATIVE) -j $(JOBS)

assets: native
	@$(NATIVE)/tools/skingen/flimmer-skingen $(ASSETS)

windows: assets
	@cmake -S . -B $(WIN) -G Ninja -DCMAKE_BUILD_TYPE=Release \
		-DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64.cmake -DFLIMMER_ASSETS=$(abspath $(ASSETS)) >/dev/null
	@cmake --build $(WIN) -j $(JOBS)

run: setup windows
	@WIN=$(WIN) bash scripts/run.sh

# The Windows installer of the program folder (NSIS); the end-to-end suite installs it.
installer: setup windows
	@mkdir -p out
	@python3 installer/file_lists.py $(WIN)/Flimmer $(WIN)/installer
	@makensis -V2 -WX -DVERSION=$(VERSION) -DLISTS=$(abspath $(WIN)/installer) \
		-DICON=$(abspath $(ASSETS)/resources/flimmer.ico) -DOUTFILE=$(abspath $(SETUP)) \
		installer/flimmer.nsi
	@echo "$(SETUP) ($$(stat -c %s $(SETUP)) bytes)"

unit: native
	@cd $(NATIVE) && ctest --output-on-failure -j $(JOBS)

e2e: windows installer
	@python3 tests/e2e/run.py

# Refreshes the screenshots in docs/screens from the end-to-end scenarios.
screens: setup windows
	@FLIMMER_UPDATE_SCREENS=1 python3 tests/e2e/run.py start_screen_appears_at_start_position \
		walk_the_road_of_screens recolour_then_save_in_four_formats \
		camera_preview_and_snapshots countdown_shows_three_two_one_and_shoots_the_shown_frame \
		mirror_and_padded_rows_snapshot_what_the_preview_shows live_effect_preview_and_snapshot \
		display_change_and_screen_switches_with_a_live_effect test_camera_choice \
		strip_of_four_distinct_frames perspective_buttons_turn_the_card_and_undo \
		gallery_effects_step_back_and_forward background_painted_in_and_one_colour_replaced \
		stickers_dragged_stamped_and_undone foreground_and_cover_keep_their_files \
		pen_draws_erases_and_keeps_its_width_and_colour

test: setup native windows installer
	@bash scripts/test.sh

bench: setup
	@bash scripts/setup.sh --bench
	@cmake -S . -B $(BENCH) -G Ninja -DCMAKE_BUILD_TYPE=Release -DFLIMMER_SANITIZE=OFF >/dev/null
	@cmake --build $(BENCH) -j $(JOBS) --target flimmer_bench
	@$(BENCH)/flimmer_bench

# Whole presses and the big photo's open, timed by the program itself under Wine.
bench-e2e: setup windows
	@python3 tests/e2e/bench_presses.py

# The core's fuzz targets (clang, libFuzzer, ASan, UBSan): a few minutes each (FUZZ_SECONDS),
# or about twelve seconds each for fuzz-smoke. Findings stay in out/fuzz/.
fuzz: setup
	@bash scripts/fuzz.sh

fuzz-smoke: setup
	@bash scripts/fuzz.sh --smoke

# The whole road pressed a thousand times under Wine; make test runs a shorter walk.
soak: setup windows
	@FLIMMER_SOAK_PRESSES=1000 python3 tests/e2e/run.py soak_the_whole_road

dist: setup windows installer
	@mkdir -p out
	@rm -f out/Flimmer.zip
	@cd $(WIN) && zip -q -r -X ../../out/Flimmer.zip Flimmer
	@echo "out/Flimmer.zip"

clean:
	rm -rf build out
