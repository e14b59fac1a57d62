#!/usr/bin/env bash
# The program as a shop gets it: builds the Debian package from the build folder, installs it
# with apt, starts /usr/bin/vesk as an ordinary user under Xvfb, logs in, posts a purchase,
# quits, starts again and finds it, then purges the package: the user's book stays.
# Needs root (a package is installed, a throw-away user made); without it, says so and skips
# (exit 77). Leaves the machine as it found it: package, user and its home removed.
#   package_test.sh BUILD_DIR
set -euo pipefail
build=$(cd "$1" && pwd)
here=$(cd "$(dirname "$0")" && pwd)
# shellcheck source=xdrive.sh
. "$here/xdrive.sh"

skip() {
  echo "SKIPPED: $*"
  exit 77
}
[ "$(id -u)" = 0 ] || skip "installing the package and making a user need root"
if dpkg-query -W -f='${Status}' vesk 2>/dev/null | grep -q "install ok installed"; then
  skip "vesk is installed on this machine already; the test leaves it alone"
fi
for tool in cpack apt-get useradd userdel runuser Xvfb xdotool import sqlite3; do
  command -v "$tool" >/dev/null || { echo "missing: $tool (scripts/deps.sh installs it)"; exit 1; }
done

work=$(mktemp -d)
user=vesktest$$
home=/home/$user
book=$home/.local/share/Vesk/vesk/kestdata.db
installed=no
made_user=no
vesk_pid=""
cleanup() {
  [ -n "$vesk_pid" ] && kill "$vesk_pid" 2>/dev/null || true
  xdrive_stop
  [ "$installed" = yes ] && DEBIAN_FRONTEND=noninteractive apt-get purge -y -qq vesk >/dev/null
  [ "$made_user" = yes ] && userdel --remove "$user" 2>/dev/null
  rm -rf "$work"
}
trap cleanup EXIT
fail() {
  echo "FAILED: $*"
  [ -n "${DISPLAY:-}" ] && xdrive_shot "$build/package-test-failure.png" 2>/dev/null &&
    echo "screen at the failure: $build/package-test-failure.png"
  [ -f "$work/vesk.log" ] && cat "$work/vesk.log"
  exit 1
}
step() { echo "== $*"; }

step "building the package"
(cd "$work" && cpack --config "$build/CPackConfig.cmake" -G DEB -B "$work/package" >/dev/null) ||
  fail "cpack"
deb=$(ls "$work"/package/vesk_*.deb)

step "installing $(basename "$deb")"
DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends "$deb" >/dev/null ||
  fail "apt-get install"
installed=yes
for f in /usr/bin/vesk /usr/share/vesk/kestdata.db /usr/share/applications/vesk.desktop \
  /usr/share/metainfo/vesk.metainfo.xml /usr/share/icons/hicolor/scalable/apps/vesk.svg \
  /usr/share/icons/hicolor/48x48/apps/vesk.png; do
  [ -f "$f" ] || fail "the package did not install $f"
done
grep -qx "Name=Vesk进销存软件" /usr/share/applications/vesk.desktop || fail "the menu entry's name"

useradd --create-home --home-dir "$home" --shell /bin/sh "$user"
made_user=yes
runtime=$work/runtime
mkdir -m 700 "$runtime" && chown "$user" "$runtime"
chmod 755 "$work"
xdrive_start

# Starts the installed program as the user, from the user's home, as the menu entry would.
launch() {
  (cd "$home" && exec runuser -u "$user" -- env -i HOME="$home" USER="$user" LANG=C.UTF-8 \
    PATH=/usr/bin:/bin DISPLAY="$DISPLAY" XDG_RUNTIME_DIR="$runtime" /usr/bin/vesk) \
    >"$work/vesk.log" 2>&1 &
  vesk_pid=$!
}
# Now and then (three times in some twenty runs, all under ctest) the program, as the
# user, could not connect to the display that had just answered root and still answered
# afterwards, and ended at once. Not understood; the program is started once more then, saying
# so, with what a connection as the user finds at that moment.
start() {
  launch
  for _ in $(seq 30); do
    kill -0 "$vesk_pid" 2>/dev/null || break
    sleep 0.1
  done
  if ! kill -0 "$vesk_pid" 2>/dev/null && grep -q "could not connect to display" "$work/vesk.log"; then
    echo "the program could not connect to $DISPLAY as $user; started again"
    runuser -u "$user" -- env -i PATH=/usr/bin:/bin DISPLAY="$DISPLAY" xdotool getdisplaygeometry ||
      echo "xdotool as $user could not connect either"
    launch
  fi
}
main=""
login() {
  xdrive_wait "登录" 90 >/dev/null || fail "no login window"
  xdrive_type "admin"
  xdrive_key Return
  main=$(xdrive_wait "Vesk进销存管理软件") || fail "no main window after the login"
}
quit() {
  xdrive_key alt+t x
  wait "$vesk_pid" || fail "the program ended with an error"
  vesk_pid=""
}
in_book() { runuser -u "$user" -- sqlite3 "$book" "$1"; }

step "first start: the user's book is made from the template"
start
login
quit
[ -f "$book" ] || fail "no book in the user's data folder"
[ "$(stat -c %U "$book")" = "$user" ] || fail "the book does not belong to the user"
[ ! -e /usr/bin/kestdata.db ] || fail "a book appeared beside the program"

# The goods to buy: a warehouse and a product, arranged in the user's book.
in_book "INSERT INTO Fhouse(houseName) VALUES ('一号仓库');
         INSERT INTO Fprodcate(cateName) VALUES ('日用品');
         INSERT INTO Fproduct(cateID, prodBH, prodName, unitName, inprice, outprice)
           VALUES (1, 'P001', '测试商品', '个', 10, 15);"

step "second start: a purchase of five"
start
login
xdrive_key alt+p i
pur=$(xdrive_wait "采购进货") || fail "no purchase window"
vesk_post_document "$pur" "查找供应商" 1 50 1:5 || fail "entering the purchase"
xdrive_gone "采购进货" || fail "the purchase window stayed open"
xdotool windowfocus --sync "$main"
quit
[ "$(in_book "SELECT count(*) FROM OrderPur")" = 1 ] || fail "the purchase is not in the book"
[ "$(in_book "SELECT sumCount FROM Fproduct WHERE prodBH='P001'")" = 5.0 ] ||
  fail "the stock did not rise by five"

step "third start: the purchase is there"
start
login
xdrive_key alt+q Return
query=$(xdrive_wait "采购单据查询") || fail "no purchase query"
xdrive_shot "$build/package-test-query.png" "$query"
xdrive_key Escape
xdotool windowfocus --sync "$main"
quit

step "purging the package: the user's book stays"
DEBIAN_FRONTEND=noninteractive apt-get purge -y -qq vesk >/dev/null || fail "apt-get purge"
installed=no
[ ! -e /usr/bin/vesk ] || fail "/usr/bin/vesk is still there"
[ "$(in_book "SELECT count(*) FROM OrderPur")" = 1 ] || fail "the user's book lost the purchase"
echo "the package installs, runs as a user, keeps the book across starts and removal"
