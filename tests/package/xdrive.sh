# Driving the real program from outside, as a person would, under a private Xvfb: waiting for
# its windows by their titles, typing, pressing keys, clicking at points inside a window and
# taking screenshots. Sourced by the package test and by the user guide's screenshot script.

# Starts Xvfb at 1024×768 on the first free display from :70 and exports DISPLAY. Any local
# user may connect (the program may run as another user); TCP stays off.
xdrive_start() {
  local n
  for n in $(seq 70 99); do
    [ -e "/tmp/.X11-unix/X$n" ] || [ -e "/tmp/.X$n-lock" ] || break
  done
  Xvfb ":$n" -screen 0 1024x768x24 -nolisten tcp -ac >/dev/null 2>&1 &
  XDRIVE_XVFB=$!
  for _ in $(seq 100); do
    [ -e "/tmp/.X11-unix/X$n" ] && break
    sleep 0.1
  done
  export DISPLAY=":$n"
}

xdrive_stop() {
  [ -n "${XDRIVE_XVFB:-}" ] && kill "$XDRIVE_XVFB" 2>/dev/null && wait "$XDRIVE_XVFB" 2>/dev/null
  XDRIVE_XVFB=""
}

# Prints the id of the visible window whose title starts with the text, waiting for it up to
# the given seconds (default 30); fails when it never shows.
xdrive_wait() {
  local title=$1 seconds=${2:-30} id
  for _ in $(seq $((seconds * 10))); do
    id=$(xdotool search --onlyvisible --name "^$title" 2>/dev/null | tail -1 || true)
    if [ -n "$id" ]; then
      xdotool windowfocus --sync "$id" 2>/dev/null || true
      sleep 0.3
      echo "$id"
      return 0
    fi
    sleep 0.1
  done
  echo "the window \"$title\" never showed" >&2
  return 1
}

# Waits until no visible window's title starts with the text.
xdrive_gone() {
  local title=$1
  for _ in $(seq 300); do
    xdotool search --onlyvisible --name "^$title" >/dev/null 2>&1 || return 0
    sleep 0.1
  done
  echo "the window \"$title\" never closed" >&2
  return 1
}

xdrive_type() { xdotool type --delay 40 -- "$1"; sleep 0.2; }
xdrive_key() { xdotool key --delay 120 "$@"; sleep 0.3; }

# Clicks (or double-clicks with a third argument of 2) at a point inside the window.
xdrive_click() {
  xdotool mousemove --window "$1" "$2" "$3" sleep 0.2 click --repeat "${4:-1}" --delay 80 1
  sleep 0.4
}

# Saves the window (or the whole screen) as a PNG.
xdrive_shot() { import -window "${2:-root}" "$1"; }
