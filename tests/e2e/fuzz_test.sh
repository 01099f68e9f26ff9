#!/usr/bin/env bash
# Builds the libFuzzer targets of fuzz/ with clang++ (g++ cannot build them) and runs each from
# its committed seed corpus (fuzz/corpus/<target>). Args: bin dir, source dir.
#   FUZZ_SECONDS  run time of each target (default 5)
#   FUZZ_RUNS     run each target for this many inputs instead (the long run: see README.md)
#   FUZZ_TARGETS  the targets to run (default all of fuzz/*_fuzz.cpp)
#   FUZZ_WORK     keep programs, grown corpora, logs and any crash input in this folder
set -euo pipefail
bin_dir=$(cd "$1" && pwd)
src=$(cd "$2" && pwd)
# The rest of the core (whatever the state of the player pulls in) comes uninstrumented from the
# build's own core libraries, which CMake puts in the lib folder beside the bin folder.
libraries=()
for name in kirivane_player_core clavimap_core kirivane_common; do
  library="$bin_dir/../lib/lib$name.a"
  [[ -f "$library" ]] || { echo "missing $library: build $name first" >&2; exit 1; }
  libraries+=("$library")
done
command -v clang++ >/dev/null || { echo "clang++ is missing" >&2; exit 1; }
if [[ -n "${FUZZ_WORK:-}" ]]; then
  mkdir -p "$FUZZ_WORK"
  work=$(cd "$FUZZ_WORK" && pwd)
else
  work=$(mktemp -d)
  trap 'rm -rf "$work"' EXIT
fi
if [[ -n "${FUZZ_RUNS:-}" ]]; then
  budget=(-runs="$FUZZ_RUNS")
else
  budget=(-max_total_time="${FUZZ_SECONDS:-5}")
fi
if [[ -n "${FUZZ_TARGETS:-}" ]]; then
  read -r -a targets <<< "$FUZZ_TARGETS"
else
  targets=()
  for file in "$src"/fuzz/*_fuzz.cpp; do
    name=$(basename "$file")
    targets+=("${name%_fuzz.cpp}")
  done
fi

# The readers and writers under test, instrumented.
core_sources=(
  common/basic/code_page.cpp common/basic/cp932_table.cpp common/basic/path_kind.cpp
  common/basic/text_file.cpp common/basic/text_rules.cpp common/keymap/keymap_format.cpp
  editor/editor_key_map.cpp
  player/shell/drop_block.cpp player/state/language_table.cpp
  player/chords/chord_dialog_model.cpp player/chords/chord_list.cpp player/chords/chord_table.cpp
  player/input/key_map_loader.cpp
  player/performance/event_table.cpp player/performance/lyr_reader.cpp
  player/performance/number_fields.cpp player/performance/performance_file.cpp
  player/settings/ini_file.cpp player/settings/settings_chords.cpp
  player/settings/settings_file.cpp
  player/smf/meta_text.cpp player/smf/midi_reader.cpp player/smf/midi_writer.cpp
  player/smf/track_events.cpp
)
flags=(-std=c++20 -O1 -g -fsanitize=fuzzer,address,undefined -fno-sanitize-recover=undefined
       -I"$src")
export FUZZ_COMPILE_FLAGS="${flags[*]/-fsanitize=fuzzer,/-fsanitize=fuzzer-no-link,}"
mkdir -p "$work/objects"
# Two compilers at a time; each object is named after its path so equal file names stay apart.
printf '%s\n' "${core_sources[@]}" | xargs -P 2 -I{} bash -c '
  object="$0/objects/$(echo "{}" | tr / _).o"
  clang++ $FUZZ_COMPILE_FLAGS -c "$1/{}" -o "$object"' "$work" "$src"
objects=("$work"/objects/*.o)

# The longest input of each target: enough for every rule of its format (a language file's
# 360-line limit, several MIDI tracks), short enough to keep a long run fast.
max_len() {
  case "$1" in
    language | lyr) echo 1024 ;;
    smf | drop_block) echo 4096 ;;
    *) echo 512 ;;
  esac
}

status=0
for target in "${targets[@]}"; do
  clang++ "${flags[@]}" "$src/fuzz/${target}_fuzz.cpp" "${objects[@]}" \
    -Wl,--start-group "${libraries[@]}" -Wl,--end-group -o "$work/${target}_fuzz"
  rm -rf "$work/crashes_$target"
  mkdir -p "$work/corpus_$target" "$work/crashes_$target"
  echo "fuzzing $target (${budget[*]})"
  if ! "$work/${target}_fuzz" "${budget[@]}" -max_len="$(max_len "$target")" -rss_limit_mb=2048 \
      -artifact_prefix="$work/crashes_$target/" "$work/corpus_$target" \
      "$src/fuzz/corpus/$target" > "$work/$target.log" 2>&1; then
    tail -n 40 "$work/$target.log" >&2
    for crash in "$work/crashes_$target"/*; do
      [[ -e "$crash" ]] && { echo "input $crash:" >&2; xxd "$crash" | head -n 20 >&2; }
    done
    status=1
  else
    grep -E '^(#[0-9]+.*DONE|Done)' "$work/$target.log" | tail -n 1
  fi
done
exit $status
