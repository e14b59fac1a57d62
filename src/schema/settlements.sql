-- Settlements: what each settlement took off a counterpart's balance. The balance itself is a
-- kept total; without this record the books check could not tell a settled balance from one
-- gone wrong.
CREATE TABLE FSettle (
  settleID  INTEGER PRIMARY KEY AUTOINCREMENT,
  compTable TEXT NOT NULL COLLATE NOCASE CHECK (compTable IN ('Fsupplier', 'Fcustomer')),
  compID    INTEGER NOT NULL,
  sumMoney  REAL NOT NULL CHECK (abs(sumMoney) < 1e12),
  remark    TEXT COLLATE NOCASE
) STRICT;
CREATE INDEX ixSettleComp ON FSettle(compTable, compID);
