# Driving the real program from outside, as a person would, under a private Xvfb: waiting for
# its windows by their titles, typing, pressing keys, clicking at points inside a window and
# taking screenshots. Sourced by the package test and by the user guide's screenshot script.

# Starts Xvfb at 1024×768 on the first free display from :70 and exports DISPLAY. Any local
# user may connect (the program may run as another user); TCP stays off. The display is used
# once it answers a client, not when its socket appears: on a busy machine the program once
# started between the two and could not connect. A server that dies before it answers (its
# display taken meanwhile) gives way to the next display; a slow one is waited for up to half
# a minute.
xdrive_start() {
  local n
  for n in $(seq 70 99); do
    if [ -e "/tmp/.X11-unix/X$n" ] || [ -e "/tmp/.X$n-lock" ]; then continue; fi
    Xvfb ":$n" -screen 0 1024x768x24 -nolisten tcp -ac >/dev/null 2>&1 &
    XDRIVE_XVFB=$!
    for _ in $(seq 300); do
      if [ -e "/tmp/.X11-unix/X$n" ] && DISPLAY=":$n" xdotool getdisplaygeometry >/dev/null 2>&1; then
        export DISPLAY=":$n"
        return 0
      fi
      kill -0 "$XDRIVE_XVFB" 2>/dev/null || break
      sleep 0.1
    done
    xdrive_stop
  done
  echo "no display could be started" >&2
  return 1
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

# Points inside the program's windows at 1024×768 with the Noto CJK face, where a person
# clicks: the trade document window, and the first row of the pickers' lists.
VESK_HOUSE=(207 75)
VESK_FIND_COMP=(645 108)
VESK_SETTLED=(336 466)
VESK_SAVE=(948 466)
vesk_line() { echo 110 $((168 + 29 * ($1 - 1))); }     # the product code cell of line N
vesk_comp_row() { echo 100 $((82 + 27 * ($1 - 1))); }  # row N of the counterpart picker
vesk_prod_row() { echo 450 $((82 + 27 * ($1 - 1))); }  # row N of the product picker

# Fills and posts the trade document in the window: the first warehouse, the counterpart in
# the picker's given row, then one line per "ROW:QUANTITY" (the product in the picker's row),
# and the amount settled; answers the question and the message. A fifth argument "shoot:FILE"
# saves the filled window before posting.
#   vesk_post_document WINDOW PICKER_TITLE COUNTERPART_ROW SETTLED [shoot:FILE] ROW:QTY...
vesk_post_document() {
  local w=$1 picker=$2 comp=$3 settled=$4 shot="" line=1 p
  shift 4
  if [[ ${1:-} == shoot:* ]]; then
    shot=${1#shoot:}
    shift
  fi
  xdrive_click "$w" "${VESK_HOUSE[@]}"
  xdrive_key Return
  xdrive_click "$w" "${VESK_FIND_COMP[@]}"
  p=$(xdrive_wait "$picker") || return 1
  # shellcheck disable=SC2046
  xdrive_click "$p" $(vesk_comp_row "$comp") 2
  xdrive_gone "$picker" || return 1
  for item in "$@"; do
    xdotool windowfocus --sync "$w"
    # shellcheck disable=SC2046
    xdrive_click "$w" $(vesk_line "$line") 2
    p=$(xdrive_wait "查找商品") || return 1
    # shellcheck disable=SC2046
    xdrive_click "$p" $(vesk_prod_row "${item%%:*}") 2
    xdrive_gone "查找商品" || return 1
    xdrive_key ctrl+a
    xdrive_type "${item#*:}"
    xdrive_key Return
    line=$((line + 1))
  done
  xdrive_click "$w" "${VESK_SETTLED[@]}"
  xdrive_key ctrl+a
  xdrive_type "$settled"
  [ -n "$shot" ] && xdrive_shot "$shot" "$w"
  xdrive_click "$w" "${VESK_SAVE[@]}"
  xdrive_wait "信息提示" >/dev/null || return 1
  xdrive_key Return
  xdrive_wait "信息提示" >/dev/null || return 1
  xdrive_key Return
}
