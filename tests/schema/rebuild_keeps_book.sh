#!/usr/bin/env bash
# A rebuild after the schema or the data module changed writes a new template, and leaves the
# book beside the program, with the documents in it, as it was. Builds a copy of the sources
# in a folder of its own, so that no developer's book is ever at stake.
set -euo pipefail
source_dir=$1
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
mkdir "$work/src"
cp -r "$source_dir/CMakeLists.txt" "$source_dir/cmake" "$work/src/"
cp -r "$source_dir/src" "$work/src/src"
launcher=()
command -v ccache >/dev/null && launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
generator=()
command -v ninja >/dev/null && generator=(-G Ninja)
cmake -S "$work/src" -B "$work/build" "${generator[@]}" "${launcher[@]}" -DVESK_TESTS=OFF >/dev/null
cmake --build "$work/build" --target book >/dev/null
book=$work/build/bin/kestdata.db
template=$work/build/share/vesk/kestdata.db
[ -f "$book" ] || { echo "FAIL: the first build put no book beside the program"; exit 1; }
cmp -s "$book" "$template" || { echo "FAIL: the new book is not the template"; exit 1; }

sqlite3 "$book" "INSERT INTO OrderPur(orderID, optdate, acMoney, coMoney) VALUES ('CJ-kept', '2026-01-02', 10, 10)"
before=$(sha256sum "$book" | cut -d' ' -f1)
template_before=$(stat -c %Y "$template")
sleep 1
touch "$work/src/src/schema/schema.sql" "$work/src/src/core/dates.cpp"
cmake --build "$work/build" --target book >/dev/null
[ "$(stat -c %Y "$template")" -gt "$template_before" ] ||
  { echo "FAIL: the template was not written again"; exit 1; }
[ "$(sha256sum "$book" | cut -d' ' -f1)" = "$before" ] ||
  { echo "FAIL: the rebuild changed the book beside the program"; exit 1; }
[ "$(sqlite3 "$book" "SELECT count(*) FROM OrderPur WHERE orderID='CJ-kept'")" = 1 ] ||
  { echo "FAIL: the document is gone"; exit 1; }
echo "ok: the rebuild wrote a new template and kept the book with its document"
