-- Totals kept current by triggers, so that stock per warehouse and account balances are read
-- in one lookup instead of being summed over every document line and journal row of the book.
-- Each trigger repeats, row by row, what VInveHouse and VitemBank would compute from scratch:
-- the same joins, the same signs. Quantities and amounts are added as whole millionths, so
-- that adding and later removing a row (voiding) leaves no binary rounding residue behind.
-- The triggers of both engines are written from one description in totals.cpp.

-- Per warehouse and product that documents moved: the moved quantity in millionths, how many
-- document lines contribute (the row goes when none is left) and how many of those carry a
-- quantity (none: the quantity reads as NULL, like a SUM over NULLs).
CREATE TABLE FInveHouse (
  houseID INTEGER NOT NULL,
  prodID  INTEGER NOT NULL,
  qty     INTEGER NOT NULL,
  lines   INTEGER NOT NULL,
  counted INTEGER NOT NULL,
  PRIMARY KEY (houseID, prodID)
) STRICT, WITHOUT ROWID;

-- Per money account that has journal rows: the sum of its amounts in millionths and how many
-- rows carry an amount (none: the balance reads as NULL, like a SUM over no rows). An account's
-- sums are spread over slots, each transaction adding to one (see totals.cpp), and read summed
-- (VitemBank).
CREATE TABLE FitemBalance (
  itmID   INTEGER NOT NULL,
  slot    INTEGER NOT NULL,
  amount  INTEGER NOT NULL,
  counted INTEGER NOT NULL,
  PRIMARY KEY (itmID, slot)
) STRICT, WITHOUT ROWID;
