# Sourced by the scripts that run the player on a virtual display of their own.
#
# start_virtual_display SCRATCH_DIR [SCREEN]: starts Xvfb, exports DISPLAY and sets
# virtual_display_pid. Xvfb picks a free display number itself and writes it to the given
# descriptor when ready, so two runs never collide; -noreset keeps it from resetting (and
# dropping new connections) whenever its last client goes. Returns 1 when it does not start.
# It also gives the run a runtime folder of its own, so the players it starts never hand their
# files to a player of another run (one player per user listens in XDG_RUNTIME_DIR).
start_virtual_display() {
  local scratch=$1 screen=${2:-1280x1024x24}
  mkdir -p -m 700 "$scratch/runtime"
  export XDG_RUNTIME_DIR=$scratch/runtime
  Xvfb -displayfd 3 -screen 0 "$screen" -nolisten tcp -noreset 3>"$scratch/display" \
    >"$scratch/xvfb.log" 2>&1 &
  virtual_display_pid=$!
  for _ in $(seq 100); do
    [[ -s "$scratch/display" ]] && break
    sleep 0.1
  done
  local number
  number=$(tr -dc 0-9 <"$scratch/display")
  if [[ -z "$number" ]]; then
    echo "Xvfb did not start: $(cat "$scratch/xvfb.log")" >&2
    return 1
  fi
  export DISPLAY=":$number"
  unset XAUTHORITY
}
