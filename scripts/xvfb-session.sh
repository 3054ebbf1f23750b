# Shared by the scripts that drive the program in a display of their own: source it.

# Starts Xvfb at GEOMETRY, its log in LOG, and points DISPLAY at it; XVFB_PID is its process.
# Further arguments go to Xvfb. Scripts that drive the program pass -noreset: a server resets
# when its last client leaves, and one of xdotool's short connections ending just as the
# program connects would then refuse the program.
start_xvfb() {
  local geometry=$1 log=$2 number
  shift 2
  number=$(mktemp)
  exec 3<>"$number"
  Xvfb -displayfd 3 -screen 0 "$geometry" -nolisten tcp "$@" >"$log" 2>&1 &
  XVFB_PID=$!
  for _ in $(seq 50); do [[ -s "$number" ]] && break; sleep 0.1; done
  export DISPLAY=":$(head -n1 "$number")"
  exec 3>&-
  rm -f "$number"
  unset WAYLAND_DISPLAY QT_QPA_PLATFORM
}

# The id of the visible window whose name matches, waiting for it to appear.
window() {
  for _ in $(seq 100); do
    id=$(xdotool search --onlyvisible --name "$1" 2>/dev/null | head -n1 || true)
    [[ -n "$id" ]] && { echo "$id"; return 0; }
    sleep 0.1
  done
  echo "window '$1' did not appear" >&2
  return 1
}

# Clicks at a point given in design pixels (120 per inch) of a window; Xvfb has 96.
click() {
  xdotool mousemove --window "$1" $(($2 * 96 / 120)) $(($3 * 96 / 120)) click 1
  sleep 0.4
}

# The start of a script that drives the program in a display of its own: exits 77 (skipped)
# unless Xvfb, xdotool and xclip are there and CORPUS holds canon-ixus.jpg; makes a private
# folder WORK, removed with the program (APP_PID) and the server when the script ends; starts
# the server without resets.
begin_driven_session() {
  local corpus=$1 tool
  for tool in Xvfb xdotool xclip; do
    command -v "$tool" >/dev/null || { echo "$tool missing: skipped"; exit 77; }
  done
  [[ -f "$corpus/canon-ixus.jpg" ]] || { echo "no corpus: skipped"; exit 77; }
  work=$(mktemp -d)
  app_pid=""
  XVFB_PID=""
  trap end_driven_session EXIT
  start_xvfb 1280x1024x24 "$work/xvfb.log" -noreset
}

end_driven_session() {
  [[ -n "$app_pid" ]] && kill "$app_pid" 2>/dev/null || true
  [[ -n "$XVFB_PID" ]] && kill "$XVFB_PID" 2>/dev/null || true
  rm -rf "$work"
}

fail() {
  echo "FAIL: $*"
  exit 1
}
