# Sourced by random_session_test.sh: random_action MAIN_WINDOW OTHER_WINDOW does one random
# thing to the player through xdotool (X keycodes on a US layout, NumLock on) and prints the
# xdotool command it ran. Every key pressed is released within the same xdotool run: the server
# lets go of a key pressed through XTEST when the pressing client disconnects. All choices come
# from $RANDOM, so a seed replays the same choices.

# Typing keys of the standard key map: the rows Z..slash, A..apostrophe, Q..bracketright and
# 1..equal, and Space (the damper).
playing_keys=(52 53 54 55 56 57 58 59 60 61 38 39 40 41 42 43 44 45 46 47 48
  24 25 26 27 28 29 30 31 32 33 34 35 10 11 12 13 14 15 16 17 18 19 20 21 65)
# Keys that change how the keys play: F8/F9 and keypad -/+ octave, keypad * and / transpose,
# F6/F7 and keypad 0..9 and . chords, Page Up/Down and Up/Down instrument or controller, Space
# damper, F10 controller mode, F11 metronome.
changing_keys=(74 75 82 86 63 106 72 73 90 87 88 89 83 84 85 79 80 81 91 112 117 111 116 65 76 95)
mode_keys=(68 69 70)  # F2 128-key bar, F3 compact keyboard, F4 full window

pick() {  # one of the arguments
  local items=("$@")
  echo "${items[RANDOM % ${#items[@]}]}"
}
pause() { printf '0.%02d' $((RANDOM % ${1:-30} + 1)); }

# The display mode from the client height: 0 full window, 1 compact keyboard, 2 128-key bar.
display_mode() {
  local height
  height=$(xwininfo -id "$1" 2>/dev/null | awk '/Height:/ {print $2}')
  case $height in
    120) echo 1 ;;
    33) echo 2 ;;
    *) echo 0 ;;
  esac
}

# A point on the on-screen keyboard of mode $1, "x y" in client coordinates.
keyboard_point() {
  case $1 in
    0) echo $((14 + RANDOM % 440)) $((370 + RANDOM % 120)) ;;
    1) echo $((RANDOM % 440)) $((RANDOM % 120)) ;;
    *) echo $((33 + RANDOM % 600)) $((4 + RANDOM % 25)) ;;
  esac
}

# Steps (xdotool words) that play a mouse note or drag across the keyboard of window $1.
mouse_steps() {
  local window=$1 mode point moves
  mode=$(display_mode "$window")
  point=$(keyboard_point "$mode")
  steps=(mousemove --window "$window" $point mousedown 1)
  for ((moves = RANDOM % 5; moves > 0; moves--)); do
    point=$(keyboard_point "$mode")
    steps+=(sleep "$(pause 15)" mousemove --window "$window" $point)
  done
  ((RANDOM % 6 == 0)) && steps+=(mousemove --window "$window" 700 700)  # let go outside
  steps+=(sleep "$(pause 20)" mouseup 1)
}

# A step that may disturb held keys: a mode, octave, chord or transport key, a mouse note, or
# the focus going to the other window $2 and coming back.
disturbing_steps() {
  case $((RANDOM % 6)) in
    0) steps=(key "$(pick "${mode_keys[@]}")") ;;
    1 | 2) steps=(key "$(pick "${changing_keys[@]}")") ;;
    3) steps=(windowfocus "$2" sleep "$(pause)" key "$(pick "${playing_keys[@]}")"
      windowfocus "$1") ;;
    4) steps=(keydown 37 key 71 keyup 37) ;;  # Ctrl+F5: record
    *) mouse_steps "$1" ;;
  esac
}

# Holds one to four playing keys, a disturbing step perhaps in between, and releases them in
# another order.
phrase() {
  local window=$1 other=$2 count i j held=() words=()
  count=$((RANDOM % 4 + 1))
  for ((i = 0; i < count; i++)); do held+=("$(pick "${playing_keys[@]}")"); done
  for key in "${held[@]}"; do words+=(keydown "$key" sleep "$(pause)"); done
  if ((RANDOM % 3 == 0)); then
    disturbing_steps "$window" "$other"
    words+=("${steps[@]}" sleep "$(pause)")
  fi
  for ((i = count - 1; i > 0; i--)); do  # shuffled releases
    j=$((RANDOM % (i + 1)))
    key=${held[i]} held[i]=${held[j]} held[j]=$key
  done
  for key in "${held[@]}"; do words+=(keyup "$key" sleep "$(pause 15)"); done
  run "${words[@]}"
}

# Clicks on a control of the full window or of the compact keyboard's strip.
# The drum is clicked at its lower right corner: the controller lantern hangs over the rest.
click_control() {
  local window=$1 mode
  mode=$(display_mode "$window")
  ((mode == 2)) && { run key "$(pick "${mode_keys[@]}")"; return; }
  local -A full=([octave]="$((315 + RANDOM % 119)) 342" [transpose]="454 $((74 + RANDOM % 18))"
    [drum]="458 220" [reset]="43 541" [devices]="80 344" [switch]="178 344"
    [instrument]="390 $((24 + RANDOM % 46))")
  local -A strip=([octave]="$((522 + RANDOM % 68)) 97" [transpose]="648 $((54 + RANDOM % 14))"
    [drum]="466 99" [reset]="466 99" [devices]="520 22" [switch]="620 22"
    [instrument]="520 $((50 + RANDOM % 24))")
  local target point
  target=$(pick octave transpose drum reset devices switch instrument)
  if ((mode == 0)); then point=${full[$target]}; else point=${strip[$target]}; fi
  # The list is opened and left: another device would take the notes away from the capture
  # log. The device is switched off and on again, a key perhaps held meanwhile.
  if [[ $target == devices ]]; then
    run mousemove --window "$window" $point click 1 sleep 0.3 key "$(pick Down Up Down)" \
      sleep 0.1 key Escape sleep 0.3
  elif [[ $target == switch ]]; then
    key=$(pick "${playing_keys[@]}")
    run keydown "$key" sleep "$(pause)" mousemove --window "$window" $point click 1 \
      sleep "$(pause 50)" keyup "$key" sleep 0.1 click 1 sleep 0.3
  else
    run mousemove --window "$window" $point click 1 sleep "$(pause)"
  fi
}

run() {
  echo "xdotool $*"
  xdotool "$@" 2>&1
}

random_action() {
  local window=$1 other=$2
  [[ -n "$window" ]] || { sleep 0.2; return; }
  case $((RANDOM % 20)) in
    0 | 1 | 2 | 3 | 4 | 5 | 6 | 7) phrase "$window" "$other" ;;
    8 | 9) mouse_steps "$window" && run "${steps[@]}" ;;
    10) run key "$(pick "${mode_keys[@]}")" sleep 0.3 ;;
    11 | 12) run key "$(pick "${changing_keys[@]}")" ;;
    13) run keydown 37 key 71 keyup 37 sleep "$(pause)" ;;  # Ctrl+F5: record
    14) run key 71 sleep "$(pause)" ;;  # F5: play, or stop
    15) run windowfocus "$other" sleep "$(pause 50)" windowfocus "$window" ;;
    16 | 17) click_control "$window" ;;
    18) run keydown 9 sleep "$(pause)" keyup 9 ;;  # Escape
    *) run mousemove --window "$window" 300 40 click 3 sleep 0.3 key Escape ;;  # the menu
  esac
}
