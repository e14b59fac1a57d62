#!/usr/bin/env bash
# Checks the book the build wrote beside the program, from outside, with the sqlite3 shell.
set -euo pipefail
book=$1
[ -f "$book" ] || { echo "no book at $book"; exit 1; }
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cp "$book" "$work/book.db"
q() { sqlite3 -batch -noheader "$work/book.db" "$1"; }
fail=0
expect() { # what, got, wanted
  if [ "$2" != "$3" ]; then echo "FAIL $1: got '$2', wanted '$3'"; fail=1; else echo "ok   $1"; fi
}
expect "tables" "$(q "SELECT COUNT(*) FROM sqlite_master WHERE type='table' AND name NOT LIKE 'sqlite%'")" 32
expect "views" "$(q "SELECT COUNT(*) FROM sqlite_master WHERE type='view'")" 8
expect "application id" "$(q "PRAGMA application_id")" 1447383883
expect "version" "$(q "PRAGMA user_version")" 6
expect "cash account" "$(q "SELECT itmName FROM Fitem WHERE itmID=1")" "现金"
expect "casual supplier" "$(q "SELECT compName FROM Fsupplier")" "普通供应商"
expect "casual customer" "$(q "SELECT compName FROM Fcustomer")" "普通客户"
expect "administrator" "$(q "SELECT UserName FROM Users")" "管理员"
expect "administrator permissions" "$(q "SELECT COUNT(DISTINCT perm) FROM perms WHERE userID=1")" 35
expect "field captions" "$(q "SELECT COUNT(*) FROM FConfig")" 12
expect "print header" "$(q "SELECT COUNT(*) FROM Ftbconfig")" 1
expect "titles" "$(q "SELECT pur FROM Ftitle")" "采购进货单"
expect "no documents" "$(q "SELECT COUNT(*) FROM VOrder")" 0
if q "INSERT INTO Fproduct(prodName,inprice) VALUES('x','abc')" 2>/dev/null; then
  echo "FAIL strict tables: a text reached a numeric column"; fail=1
else
  echo "ok   strict tables"
fi
exit $fail
