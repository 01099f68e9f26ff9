#!/usr/bin/env bash
# Builds the libFuzzer targets of fuzz/ with clang++ (g++ cannot build them) and runs each for a
# few seconds from the committed seed corpus. Args: bin dir, source dir.
# FUZZ_SECONDS sets the run time of each target (default 5); see README.md for a longer run.
set -euo pipefail
bin_dir=$(cd "$1" && pwd)
src=$(cd "$2" && pwd)
# The rest of the core (whatever the state of the player pulls in) comes uninstrumented from the
# build's own core libraries, which CMake puts in the lib folder beside the bin folder.
core_libraries=("$bin_dir/../lib/libkirivane_player_core.a" "$bin_dir/../lib/libkirivane_common.a")
for library in "${core_libraries[@]}"; do
  [[ -f "$library" ]] || { echo "missing $library: build kirivane_player_core first" >&2; exit 1; }
done
seconds=${FUZZ_SECONDS:-5}
command -v clang++ >/dev/null || { echo "clang++ is missing" >&2; exit 1; }
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

core_sources=(
  player/shell/drop_block.cpp
  common/basic/code_page.cpp common/basic/cp932_table.cpp common/basic/text_file.cpp
  common/basic/text_rules.cpp
  player/performance/event_table.cpp player/performance/lyr_reader.cpp
  player/performance/number_fields.cpp player/performance/performance_file.cpp
  player/smf/meta_text.cpp player/smf/midi_reader.cpp player/smf/midi_writer.cpp
  player/smf/track_events.cpp
)
flags=(-std=c++20 -O1 -g -fsanitize=fuzzer,address,undefined -fno-sanitize-recover=undefined
       -I"$src")

# The file code instrumented, once; then one program per target.
objects=()
for source in "${core_sources[@]}"; do
  object="$work/$(basename "${source%.cpp}").o"
  clang++ "${flags[@]/-fsanitize=fuzzer,/-fsanitize=fuzzer-no-link,}" -c "$src/$source" \
    -o "$object"
  objects+=("$object")
done

status=0
for target in lyr smf drop_block; do
  clang++ "${flags[@]}" "$src/fuzz/${target}_fuzz.cpp" "${objects[@]}" "${core_libraries[@]}" \
    -o "$work/${target}_fuzz"
  mkdir -p "$work/corpus_$target"
  echo "fuzzing $target for ${seconds}s"
  if ! "$work/${target}_fuzz" -max_total_time="$seconds" -rss_limit_mb=2048 \
      -artifact_prefix="$work/" "$work/corpus_$target" "$src/fuzz/corpus/$target" \
      > "$work/$target.log" 2>&1; then
    tail -n 40 "$work/$target.log" >&2
    for crash in "$work"/crash-* "$work"/leak-* "$work"/timeout-* "$work"/oom-*; do
      [[ -e "$crash" ]] && { echo "input $crash:" >&2; xxd "$crash" | head -n 20 >&2; }
    done
    status=1
  else
    grep -E '^(#[0-9]+.*DONE|Done)' "$work/$target.log" | tail -n 1
  fi
done
exit $status
