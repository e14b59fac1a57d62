-- Totals kept current by triggers, so that stock per warehouse and account balances are read
-- in one lookup instead of being summed over every document line and journal row of the book.
-- Each trigger repeats, row by row, what VInveHouse and VitemBank would compute from scratch:
-- the same joins, the same signs. Quantities and amounts are added as whole millionths, so
-- that adding and later removing a row (voiding) leaves no binary rounding residue behind.
-- A value is turned into millionths as its whole units and its fraction apart: multiplied at
-- once, anything beyond 2^53 millionths (about 9e9) would land on the nearest even double.

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

CREATE TRIGGER trInveHouseEmpty AFTER UPDATE OF lines ON FInveHouse WHEN NEW.lines = 0 BEGIN
  DELETE FROM FInveHouse WHERE houseID = NEW.houseID AND prodID = NEW.prodID;
END;

-- A line counts once its header exists and as long as both do: a header inserted, deleted or
-- changed brings or takes its lines' quantities; a line does so while its header is there.
-- OrderPur and OrderPurD
CREATE TRIGGER trPurLineInsert AFTER INSERT ON OrderPurD BEGIN
  INSERT INTO FInveHouse(houseID, prodID, qty, lines, counted)
  SELECT h.houseID, NEW.prodID, coalesce(CAST(NEW.pcount AS INTEGER) * 1000000
           + CAST(round((NEW.pcount - CAST(NEW.pcount AS INTEGER)) * 1000000) AS INTEGER), 0), 1,
         NEW.pcount IS NOT NULL
    FROM OrderPur h WHERE h.orderID = NEW.orderID AND h.houseID IS NOT NULL
     AND NEW.prodID IS NOT NULL
  ON CONFLICT (houseID, prodID) DO UPDATE SET qty = qty + excluded.qty,
    lines = lines + excluded.lines, counted = counted + excluded.counted;
END;
CREATE TRIGGER trPurLineDelete AFTER DELETE ON OrderPurD BEGIN
  UPDATE FInveHouse SET qty = qty - coalesce(CAST(OLD.pcount AS INTEGER) * 1000000
           + CAST(round((OLD.pcount - CAST(OLD.pcount AS INTEGER)) * 1000000) AS INTEGER), 0),
         lines = lines - 1, counted = counted - (OLD.pcount IS NOT NULL)
    FROM OrderPur h WHERE h.orderID = OLD.orderID AND FInveHouse.houseID = h.houseID
     AND FInveHouse.prodID = OLD.prodID;
END;
CREATE TRIGGER trPurLineUpdate AFTER UPDATE OF orderID, prodID, pcount ON OrderPurD BEGIN
  UPDATE FInveHouse SET qty = qty - coalesce(CAST(OLD.pcount AS INTEGER) * 1000000
           + CAST(round((OLD.pcount - CAST(OLD.pcount AS INTEGER)) * 1000000) AS INTEGER), 0),
         lines = lines - 1, counted = counted - (OLD.pcount IS NOT NULL)
    FROM OrderPur h WHERE h.orderID = OLD.orderID AND FInveHouse.houseID = h.houseID
     AND FInveHouse.prodID = OLD.prodID;
  INSERT INTO FInveHouse(houseID, prodID, qty, lines, counted)
  SELECT h.houseID, NEW.prodID, coalesce(CAST(NEW.pcount AS INTEGER) * 1000000
           + CAST(round((NEW.pcount - CAST(NEW.pcount AS INTEGER)) * 1000000) AS INTEGER), 0), 1,
         NEW.pcount IS NOT NULL
    FROM OrderPur h WHERE h.orderID = NEW.orderID AND h.houseID IS NOT NULL
     AND NEW.prodID IS NOT NULL
  ON CONFLICT (houseID, prodID) DO UPDATE SET qty = qty + excluded.qty,
    lines = lines + excluded.lines, counted = counted + excluded.counted;
END;
CREATE TRIGGER trPurInsert AFTER INSERT ON OrderPur BEGIN
  INSERT INTO FInveHouse(houseID, prodID, qty, lines, counted)
  SELECT NEW.houseID, d.prodID, coalesce(CAST(d.pcount AS INTEGER) * 1000000
           + CAST(round((d.pcount - CAST(d.pcount AS INTEGER)) * 1000000) AS INTEGER), 0), 1,
         d.pcount IS NOT NULL
    FROM OrderPurD d WHERE d.orderID = NEW.orderID AND NEW.houseID IS NOT NULL
     AND d.prodID IS NOT NULL
  ON CONFLICT (houseID, prodID) DO UPDATE SET qty = qty + excluded.qty,
    lines = lines + excluded.lines, counted = counted + excluded.counted;
END;
CREATE TRIGGER trPurDelete AFTER DELETE ON OrderPur BEGIN
  UPDATE FInveHouse SET qty = qty - m.moved, lines = lines - m.n, counted = counted - m.c
    FROM (SELECT d.prodID, SUM(coalesce(CAST(d.pcount AS INTEGER) * 1000000
           + CAST(round((d.pcount - CAST(d.pcount AS INTEGER)) * 1000000) AS INTEGER), 0)) AS moved,
                 COUNT(*) AS n, COUNT(d.pcount) AS c
            FROM OrderPurD d WHERE d.orderID = OLD.orderID GROUP BY d.prodID) m
   WHERE FInveHouse.houseID = OLD.houseID AND FInveHouse.prodID = m.prodID;
END;
CREATE TRIGGER trPurUpdate AFTER UPDATE OF orderID, houseID ON OrderPur BEGIN
  UPDATE FInveHouse SET qty = qty - m.moved, lines = lines - m.n, counted = counted - m.c
    FROM (SELECT d.prodID, SUM(coalesce(CAST(d.pcount AS INTEGER) * 1000000
           + CAST(round((d.pcount - CAST(d.pcount AS INTEGER)) * 1000000) AS INTEGER), 0)) AS moved,
                 COUNT(*) AS n, COUNT(d.pcount) AS c
            FROM OrderPurD d WHERE d.orderID = OLD.orderID GROUP BY d.prodID) m
   WHERE FInveHouse.houseID = OLD.houseID AND FInveHouse.prodID = m.prodID;
  INSERT INTO FInveHouse(houseID, prodID, qty, lines, counted)
  SELECT NEW.houseID, d.prodID, coalesce(CAST(d.pcount AS INTEGER) * 1000000
           + CAST(round((d.pcount - CAST(d.pcount AS INTEGER)) * 1000000) AS INTEGER), 0), 1,
         d.pcount IS NOT NULL
    FROM OrderPurD d WHERE d.orderID = NEW.orderID AND NEW.houseID IS NOT NULL
     AND d.prodID IS NOT NULL
  ON CONFLICT (houseID, prodID) DO UPDATE SET qty = qty + excluded.qty,
    lines = lines + excluded.lines, counted = counted + excluded.counted;
END;

-- OrderPurT and OrderPurTD
CREATE TRIGGER trPurTLineInsert AFTER INSERT ON OrderPurTD BEGIN
  INSERT INTO FInveHouse(houseID, prodID, qty, lines, counted)
  SELECT h.houseID, NEW.prodID, -coalesce(CAST(NEW.pcount AS INTEGER) * 1000000
           + CAST(round((NEW.pcount - CAST(NEW.pcount AS INTEGER)) * 1000000) AS INTEGER), 0), 1,
         NEW.pcount IS NOT NULL
    FROM OrderPurT h WHERE h.orderID = NEW.orderID AND h.houseID IS NOT NULL
     AND NEW.prodID IS NOT NULL
  ON CONFLICT (houseID, prodID) DO UPDATE SET qty = qty + excluded.qty,
    lines = lines + excluded.lines, counted = counted + excluded.counted;
END;
CREATE TRIGGER trPurTLineDelete AFTER DELETE ON OrderPurTD BEGIN
  UPDATE FInveHouse SET qty = qty + coalesce(CAST(OLD.pcount AS INTEGER) * 1000000
           + CAST(round((OLD.pcount - CAST(OLD.pcount AS INTEGER)) * 1000000) AS INTEGER), 0),
         lines = lines - 1, counted = counted - (OLD.pcount IS NOT NULL)
    FROM OrderPurT h WHERE h.orderID = OLD.orderID AND FInveHouse.houseID = h.houseID
     AND FInveHouse.prodID = OLD.prodID;
END;
CREATE TRIGGER trPurTLineUpdate AFTER UPDATE OF orderID, prodID, pcount ON OrderPurTD BEGIN
  UPDATE FInveHouse SET qty = qty + coalesce(CAST(OLD.pcount AS INTEGER) * 1000000
           + CAST(round((OLD.pcount - CAST(OLD.pcount AS INTEGER)) * 1000000) AS INTEGER), 0),
         lines = lines - 1, counted = counted - (OLD.pcount IS NOT NULL)
    FROM OrderPurT h WHERE h.orderID = OLD.orderID AND FInveHouse.houseID = h.houseID
     AND FInveHouse.prodID = OLD.prodID;
  INSERT INTO FInveHouse(houseID, prodID, qty, lines, counted)
  SELECT h.houseID, NEW.prodID, -coalesce(CAST(NEW.pcount AS INTEGER) * 1000000
           + CAST(round((NEW.pcount - CAST(NEW.pcount AS INTEGER)) * 1000000) AS INTEGER), 0), 1,
         NEW.pcount IS NOT NULL
    FROM OrderPurT h WHERE h.orderID = NEW.orderID AND h.houseID IS NOT NULL
     AND NEW.prodID IS NOT NULL
  ON CONFLICT (houseID, prodID) DO UPDATE SET qty = qty + excluded.qty,
    lines = lines + excluded.lines, counted = counted + excluded.counted;
END;
CREATE TRIGGER trPurTInsert AFTER INSERT ON OrderPurT BEGIN
  INSERT INTO FInveHouse(houseID, prodID, qty, lines, counted)
  SELECT NEW.houseID, d.prodID, -coalesce(CAST(d.pcount AS INTEGER) * 1000000
           + CAST(round((d.pcount - CAST(d.pcount AS INTEGER)) * 1000000) AS INTEGER), 0), 1,
         d.pcount IS NOT NULL
    FROM OrderPurTD d WHERE d.orderID = NEW.orderID AND NEW.houseID IS NOT NULL
     AND d.prodID IS NOT NULL
  ON CONFLICT (houseID, prodID) DO UPDATE SET qty = qty + excluded.qty,
    lines = lines + excluded.lines, counted = counted + excluded.counted;
END;
CREATE TRIGGER trPurTDelete AFTER DELETE ON OrderPurT BEGIN
  UPDATE FInveHouse SET qty = qty - m.moved, lines = lines - m.n, counted = counted - m.c
    FROM (SELECT d.prodID, SUM(-coalesce(CAST(d.pcount AS INTEGER) * 1000000
           + CAST(round((d.pcount - CAST(d.pcount AS INTEGER)) * 1000000) AS INTEGER), 0)) AS moved,
                 COUNT(*) AS n, COUNT(d.pcount) AS c
            FROM OrderPurTD d WHERE d.orderID = OLD.orderID GROUP BY d.prodID) m
   WHERE FInveHouse.houseID = OLD.houseID AND FInveHouse.prodID = m.prodID;
END;
CREATE TRIGGER trPurTUpdate AFTER UPDATE OF orderID, houseID ON OrderPurT BEGIN
  UPDATE FInveHouse SET qty = qty - m.moved, lines = lines - m.n, counted = counted - m.c
    FROM (SELECT d.prodID, SUM(-coalesce(CAST(d.pcount AS INTEGER) * 1000000
           + CAST(round((d.pcount - CAST(d.pcount AS INTEGER)) * 1000000) AS INTEGER), 0)) AS moved,
                 COUNT(*) AS n, COUNT(d.pcount) AS c
            FROM OrderPurTD d WHERE d.orderID = OLD.orderID GROUP BY d.prodID) m
   WHERE FInveHouse.houseID = OLD.houseID AND FInveHouse.prodID = m.prodID;
  INSERT INTO FInveHouse(houseID, prodID, qty, lines, counted)
  SELECT NEW.houseID, d.prodID, -coalesce(CAST(d.pcount AS INTEGER) * 1000000
           + CAST(round((d.pcount - CAST(d.pcount AS INTEGER)) * 1000000) AS INTEGER), 0), 1,
         d.pcount IS NOT NULL
    FROM OrderPurTD d WHERE d.orderID = NEW.orderID AND NEW.houseID IS NOT NULL
     AND d.prodID IS NOT NULL
  ON CONFLICT (houseID, prodID) DO UPDATE SET qty = qty + excluded.qty,
    lines = lines + excluded.lines, counted = counted + excluded.counted;
END;

-- OrderSale and OrderSaleD
CREATE TRIGGER trSaleLineInsert AFTER INSERT ON OrderSaleD BEGIN
  INSERT INTO FInveHouse(houseID, prodID, qty, lines, counted)
  SELECT h.houseID, NEW.prodID, -coalesce(CAST(NEW.pcount AS INTEGER) * 1000000
           + CAST(round((NEW.pcount - CAST(NEW.pcount AS INTEGER)) * 1000000) AS INTEGER), 0), 1,
         NEW.pcount IS NOT NULL
    FROM OrderSale h WHERE h.orderID = NEW.orderID AND h.houseID IS NOT NULL
     AND NEW.prodID IS NOT NULL
  ON CONFLICT (houseID, prodID) DO UPDATE SET qty = qty + excluded.qty,
    lines = lines + excluded.lines, counted = counted + excluded.counted;
END;
CREATE TRIGGER trSaleLineDelete AFTER DELETE ON OrderSaleD BEGIN
  UPDATE FInveHouse SET qty = qty + coalesce(CAST(OLD.pcount AS INTEGER) * 1000000
           + CAST(round((OLD.pcount - CAST(OLD.pcount AS INTEGER)) * 1000000) AS INTEGER), 0),
         lines = lines - 1, counted = counted - (OLD.pcount IS NOT NULL)
    FROM OrderSale h WHERE h.orderID = OLD.orderID AND FInveHouse.houseID = h.houseID
     AND FInveHouse.prodID = OLD.prodID;
END;
CREATE TRIGGER trSaleLineUpdate AFTER UPDATE OF orderID, prodID, pcount ON OrderSaleD BEGIN
  UPDATE FInveHouse SET qty = qty + coalesce(CAST(OLD.pcount AS INTEGER) * 1000000
           + CAST(round((OLD.pcount - CAST(OLD.pcount AS INTEGER)) * 1000000) AS INTEGER), 0),
         lines = lines - 1, counted = counted - (OLD.pcount IS NOT NULL)
    FROM OrderSale h WHERE h.orderID = OLD.orderID AND FInveHouse.houseID = h.houseID
     AND FInveHouse.prodID = OLD.prodID;
  INSERT INTO FInveHouse(houseID, prodID, qty, lines, counted)
  SELECT h.houseID, NEW.prodID, -coalesce(CAST(NEW.pcount AS INTEGER) * 1000000
           + CAST(round((NEW.pcount - CAST(NEW.pcount AS INTEGER)) * 1000000) AS INTEGER), 0), 1,
         NEW.pcount IS NOT NULL
    FROM OrderSale h WHERE h.orderID = NEW.orderID AND h.houseID IS NOT NULL
     AND NEW.prodID IS NOT NULL
  ON CONFLICT (houseID, prodID) DO UPDATE SET qty = qty + excluded.qty,
    lines = lines + excluded.lines, counted = counted + excluded.counted;
END;
CREATE TRIGGER trSaleInsert AFTER INSERT ON OrderSale BEGIN
  INSERT INTO FInveHouse(houseID, prodID, qty, lines, counted)
  SELECT NEW.houseID, d.prodID, -coalesce(CAST(d.pcount AS INTEGER) * 1000000
           + CAST(round((d.pcount - CAST(d.pcount AS INTEGER)) * 1000000) AS INTEGER), 0), 1,
         d.pcount IS NOT NULL
    FROM OrderSaleD d WHERE d.orderID = NEW.orderID AND NEW.houseID IS NOT NULL
     AND d.prodID IS NOT NULL
  ON CONFLICT (houseID, prodID) DO UPDATE SET qty = qty + excluded.qty,
    lines = lines + excluded.lines, counted = counted + excluded.counted;
END;
CREATE TRIGGER trSaleDelete AFTER DELETE ON OrderSale BEGIN
  UPDATE FInveHouse SET qty = qty - m.moved, lines = lines - m.n, counted = counted - m.c
    FROM (SELECT d.prodID, SUM(-coalesce(CAST(d.pcount AS INTEGER) * 1000000
           + CAST(round((d.pcount - CAST(d.pcount AS INTEGER)) * 1000000) AS INTEGER), 0)) AS moved,
                 COUNT(*) AS n, COUNT(d.pcount) AS c
            FROM OrderSaleD d WHERE d.orderID = OLD.orderID GROUP BY d.prodID) m
   WHERE FInveHouse.houseID = OLD.houseID AND FInveHouse.prodID = m.prodID;
END;
CREATE TRIGGER trSaleUpdate AFTER UPDATE OF orderID, houseID ON OrderSale BEGIN
  UPDATE FInveHouse SET qty = qty - m.moved, lines = lines - m.n, counted = counted - m.c
    FROM (SELECT d.prodID, SUM(-coalesce(CAST(d.pcount AS INTEGER) * 1000000
           + CAST(round((d.pcount - CAST(d.pcount AS INTEGER)) * 1000000) AS INTEGER), 0)) AS moved,
                 COUNT(*) AS n, COUNT(d.pcount) AS c
            FROM OrderSaleD d WHERE d.orderID = OLD.orderID GROUP BY d.prodID) m
   WHERE FInveHouse.houseID = OLD.houseID AND FInveHouse.prodID = m.prodID;
  INSERT INTO FInveHouse(houseID, prodID, qty, lines, counted)
  SELECT NEW.houseID, d.prodID, -coalesce(CAST(d.pcount AS INTEGER) * 1000000
           + CAST(round((d.pcount - CAST(d.pcount AS INTEGER)) * 1000000) AS INTEGER), 0), 1,
         d.pcount IS NOT NULL
    FROM OrderSaleD d WHERE d.orderID = NEW.orderID AND NEW.houseID IS NOT NULL
     AND d.prodID IS NOT NULL
  ON CONFLICT (houseID, prodID) DO UPDATE SET qty = qty + excluded.qty,
    lines = lines + excluded.lines, counted = counted + excluded.counted;
END;

-- OrderSaleT and OrderSaleTD
CREATE TRIGGER trSaleTLineInsert AFTER INSERT ON OrderSaleTD BEGIN
  INSERT INTO FInveHouse(houseID, prodID, qty, lines, counted)
  SELECT h.houseID, NEW.prodID, coalesce(CAST(NEW.pcount AS INTEGER) * 1000000
           + CAST(round((NEW.pcount - CAST(NEW.pcount AS INTEGER)) * 1000000) AS INTEGER), 0), 1,
         NEW.pcount IS NOT NULL
    FROM OrderSaleT h WHERE h.orderID = NEW.orderID AND h.houseID IS NOT NULL
     AND NEW.prodID IS NOT NULL
  ON CONFLICT (houseID, prodID) DO UPDATE SET qty = qty + excluded.qty,
    lines = lines + excluded.lines, counted = counted + excluded.counted;
END;
CREATE TRIGGER trSaleTLineDelete AFTER DELETE ON OrderSaleTD BEGIN
  UPDATE FInveHouse SET qty = qty - coalesce(CAST(OLD.pcount AS INTEGER) * 1000000
           + CAST(round((OLD.pcount - CAST(OLD.pcount AS INTEGER)) * 1000000) AS INTEGER), 0),
         lines = lines - 1, counted = counted - (OLD.pcount IS NOT NULL)
    FROM OrderSaleT h WHERE h.orderID = OLD.orderID AND FInveHouse.houseID = h.houseID
     AND FInveHouse.prodID = OLD.prodID;
END;
CREATE TRIGGER trSaleTLineUpdate AFTER UPDATE OF orderID, prodID, pcount ON OrderSaleTD BEGIN
  UPDATE FInveHouse SET qty = qty - coalesce(CAST(OLD.pcount AS INTEGER) * 1000000
           + CAST(round((OLD.pcount - CAST(OLD.pcount AS INTEGER)) * 1000000) AS INTEGER), 0),
         lines = lines - 1, counted = counted - (OLD.pcount IS NOT NULL)
    FROM OrderSaleT h WHERE h.orderID = OLD.orderID AND FInveHouse.houseID = h.houseID
     AND FInveHouse.prodID = OLD.prodID;
  INSERT INTO FInveHouse(houseID, prodID, qty, lines, counted)
  SELECT h.houseID, NEW.prodID, coalesce(CAST(NEW.pcount AS INTEGER) * 1000000
           + CAST(round((NEW.pcount - CAST(NEW.pcount AS INTEGER)) * 1000000) AS INTEGER), 0), 1,
         NEW.pcount IS NOT NULL
    FROM OrderSaleT h WHERE h.orderID = NEW.orderID AND h.houseID IS NOT NULL
     AND NEW.prodID IS NOT NULL
  ON CONFLICT (houseID, prodID) DO UPDATE SET qty = qty + excluded.qty,
    lines = lines + excluded.lines, counted = counted + excluded.counted;
END;
CREATE TRIGGER trSaleTInsert AFTER INSERT ON OrderSaleT BEGIN
  INSERT INTO FInveHouse(houseID, prodID, qty, lines, counted)
  SELECT NEW.houseID, d.prodID, coalesce(CAST(d.pcount AS INTEGER) * 1000000
           + CAST(round((d.pcount - CAST(d.pcount AS INTEGER)) * 1000000) AS INTEGER), 0), 1,
         d.pcount IS NOT NULL
    FROM OrderSaleTD d WHERE d.orderID = NEW.orderID AND NEW.houseID IS NOT NULL
     AND d.prodID IS NOT NULL
  ON CONFLICT (houseID, prodID) DO UPDATE SET qty = qty + excluded.qty,
    lines = lines + excluded.lines, counted = counted + excluded.counted;
END;
CREATE TRIGGER trSaleTDelete AFTER DELETE ON OrderSaleT BEGIN
  UPDATE FInveHouse SET qty = qty - m.moved, lines = lines - m.n, counted = counted - m.c
    FROM (SELECT d.prodID, SUM(coalesce(CAST(d.pcount AS INTEGER) * 1000000
           + CAST(round((d.pcount - CAST(d.pcount AS INTEGER)) * 1000000) AS INTEGER), 0)) AS moved,
                 COUNT(*) AS n, COUNT(d.pcount) AS c
            FROM OrderSaleTD d WHERE d.orderID = OLD.orderID GROUP BY d.prodID) m
   WHERE FInveHouse.houseID = OLD.houseID AND FInveHouse.prodID = m.prodID;
END;
CREATE TRIGGER trSaleTUpdate AFTER UPDATE OF orderID, houseID ON OrderSaleT BEGIN
  UPDATE FInveHouse SET qty = qty - m.moved, lines = lines - m.n, counted = counted - m.c
    FROM (SELECT d.prodID, SUM(coalesce(CAST(d.pcount AS INTEGER) * 1000000
           + CAST(round((d.pcount - CAST(d.pcount AS INTEGER)) * 1000000) AS INTEGER), 0)) AS moved,
                 COUNT(*) AS n, COUNT(d.pcount) AS c
            FROM OrderSaleTD d WHERE d.orderID = OLD.orderID GROUP BY d.prodID) m
   WHERE FInveHouse.houseID = OLD.houseID AND FInveHouse.prodID = m.prodID;
  INSERT INTO FInveHouse(houseID, prodID, qty, lines, counted)
  SELECT NEW.houseID, d.prodID, coalesce(CAST(d.pcount AS INTEGER) * 1000000
           + CAST(round((d.pcount - CAST(d.pcount AS INTEGER)) * 1000000) AS INTEGER), 0), 1,
         d.pcount IS NOT NULL
    FROM OrderSaleTD d WHERE d.orderID = NEW.orderID AND NEW.houseID IS NOT NULL
     AND d.prodID IS NOT NULL
  ON CONFLICT (houseID, prodID) DO UPDATE SET qty = qty + excluded.qty,
    lines = lines + excluded.lines, counted = counted + excluded.counted;
END;

-- OrderBsBy and OrderBsByD
CREATE TRIGGER trBsByLineInsert AFTER INSERT ON OrderBsByD BEGIN
  INSERT INTO FInveHouse(houseID, prodID, qty, lines, counted)
  SELECT h.houseID, NEW.prodID, (CASE WHEN h.orderType = '报损' THEN -1 ELSE 1 END)
         * coalesce(CAST(NEW.pcount AS INTEGER) * 1000000
           + CAST(round((NEW.pcount - CAST(NEW.pcount AS INTEGER)) * 1000000) AS INTEGER), 0), 1,
         NEW.pcount IS NOT NULL
    FROM OrderBsBy h WHERE h.orderID = NEW.orderID AND h.houseID IS NOT NULL
     AND NEW.prodID IS NOT NULL
  ON CONFLICT (houseID, prodID) DO UPDATE SET qty = qty + excluded.qty,
    lines = lines + excluded.lines, counted = counted + excluded.counted;
END;
CREATE TRIGGER trBsByLineDelete AFTER DELETE ON OrderBsByD BEGIN
  UPDATE FInveHouse SET qty = qty - (CASE WHEN h.orderType = '报损' THEN -1 ELSE 1 END)
         * coalesce(CAST(OLD.pcount AS INTEGER) * 1000000
           + CAST(round((OLD.pcount - CAST(OLD.pcount AS INTEGER)) * 1000000) AS INTEGER), 0),
         lines = lines - 1, counted = counted - (OLD.pcount IS NOT NULL)
    FROM OrderBsBy h WHERE h.orderID = OLD.orderID AND FInveHouse.houseID = h.houseID
     AND FInveHouse.prodID = OLD.prodID;
END;
CREATE TRIGGER trBsByLineUpdate AFTER UPDATE OF orderID, prodID, pcount ON OrderBsByD BEGIN
  UPDATE FInveHouse SET qty = qty - (CASE WHEN h.orderType = '报损' THEN -1 ELSE 1 END)
         * coalesce(CAST(OLD.pcount AS INTEGER) * 1000000
           + CAST(round((OLD.pcount - CAST(OLD.pcount AS INTEGER)) * 1000000) AS INTEGER), 0),
         lines = lines - 1, counted = counted - (OLD.pcount IS NOT NULL)
    FROM OrderBsBy h WHERE h.orderID = OLD.orderID AND FInveHouse.houseID = h.houseID
     AND FInveHouse.prodID = OLD.prodID;
  INSERT INTO FInveHouse(houseID, prodID, qty, lines, counted)
  SELECT h.houseID, NEW.prodID, (CASE WHEN h.orderType = '报损' THEN -1 ELSE 1 END)
         * coalesce(CAST(NEW.pcount AS INTEGER) * 1000000
           + CAST(round((NEW.pcount - CAST(NEW.pcount AS INTEGER)) * 1000000) AS INTEGER), 0), 1,
         NEW.pcount IS NOT NULL
    FROM OrderBsBy h WHERE h.orderID = NEW.orderID AND h.houseID IS NOT NULL
     AND NEW.prodID IS NOT NULL
  ON CONFLICT (houseID, prodID) DO UPDATE SET qty = qty + excluded.qty,
    lines = lines + excluded.lines, counted = counted + excluded.counted;
END;
CREATE TRIGGER trBsByInsert AFTER INSERT ON OrderBsBy BEGIN
  INSERT INTO FInveHouse(houseID, prodID, qty, lines, counted)
  SELECT NEW.houseID, d.prodID, (CASE WHEN NEW.orderType = '报损' THEN -1 ELSE 1 END)
         * coalesce(CAST(d.pcount AS INTEGER) * 1000000
           + CAST(round((d.pcount - CAST(d.pcount AS INTEGER)) * 1000000) AS INTEGER), 0), 1,
         d.pcount IS NOT NULL
    FROM OrderBsByD d WHERE d.orderID = NEW.orderID AND NEW.houseID IS NOT NULL
     AND d.prodID IS NOT NULL
  ON CONFLICT (houseID, prodID) DO UPDATE SET qty = qty + excluded.qty,
    lines = lines + excluded.lines, counted = counted + excluded.counted;
END;
CREATE TRIGGER trBsByDelete AFTER DELETE ON OrderBsBy BEGIN
  UPDATE FInveHouse SET qty = qty - m.moved, lines = lines - m.n, counted = counted - m.c
    FROM (SELECT d.prodID, SUM((CASE WHEN OLD.orderType = '报损' THEN -1 ELSE 1 END)
         * coalesce(CAST(d.pcount AS INTEGER) * 1000000
           + CAST(round((d.pcount - CAST(d.pcount AS INTEGER)) * 1000000) AS INTEGER), 0)) AS moved,
                 COUNT(*) AS n, COUNT(d.pcount) AS c
            FROM OrderBsByD d WHERE d.orderID = OLD.orderID GROUP BY d.prodID) m
   WHERE FInveHouse.houseID = OLD.houseID AND FInveHouse.prodID = m.prodID;
END;
CREATE TRIGGER trBsByUpdate AFTER UPDATE OF orderID, houseID, orderType ON OrderBsBy BEGIN
  UPDATE FInveHouse SET qty = qty - m.moved, lines = lines - m.n, counted = counted - m.c
    FROM (SELECT d.prodID, SUM((CASE WHEN OLD.orderType = '报损' THEN -1 ELSE 1 END)
         * coalesce(CAST(d.pcount AS INTEGER) * 1000000
           + CAST(round((d.pcount - CAST(d.pcount AS INTEGER)) * 1000000) AS INTEGER), 0)) AS moved,
                 COUNT(*) AS n, COUNT(d.pcount) AS c
            FROM OrderBsByD d WHERE d.orderID = OLD.orderID GROUP BY d.prodID) m
   WHERE FInveHouse.houseID = OLD.houseID AND FInveHouse.prodID = m.prodID;
  INSERT INTO FInveHouse(houseID, prodID, qty, lines, counted)
  SELECT NEW.houseID, d.prodID, (CASE WHEN NEW.orderType = '报损' THEN -1 ELSE 1 END)
         * coalesce(CAST(d.pcount AS INTEGER) * 1000000
           + CAST(round((d.pcount - CAST(d.pcount AS INTEGER)) * 1000000) AS INTEGER), 0), 1,
         d.pcount IS NOT NULL
    FROM OrderBsByD d WHERE d.orderID = NEW.orderID AND NEW.houseID IS NOT NULL
     AND d.prodID IS NOT NULL
  ON CONFLICT (houseID, prodID) DO UPDATE SET qty = qty + excluded.qty,
    lines = lines + excluded.lines, counted = counted + excluded.counted;
END;

-- OrderDB and OrderDBD
CREATE TRIGGER trDBLineInsert AFTER INSERT ON OrderDBD BEGIN
  INSERT INTO FInveHouse(houseID, prodID, qty, lines, counted)
  SELECT h.houseOut, NEW.prodID, -coalesce(CAST(NEW.pcount AS INTEGER) * 1000000
           + CAST(round((NEW.pcount - CAST(NEW.pcount AS INTEGER)) * 1000000) AS INTEGER), 0), 1,
         NEW.pcount IS NOT NULL
    FROM OrderDB h WHERE h.orderID = NEW.orderID AND h.houseOut IS NOT NULL
     AND NEW.prodID IS NOT NULL
  ON CONFLICT (houseID, prodID) DO UPDATE SET qty = qty + excluded.qty,
    lines = lines + excluded.lines, counted = counted + excluded.counted;
  INSERT INTO FInveHouse(houseID, prodID, qty, lines, counted)
  SELECT h.houseIn, NEW.prodID, coalesce(CAST(NEW.pcount AS INTEGER) * 1000000
           + CAST(round((NEW.pcount - CAST(NEW.pcount AS INTEGER)) * 1000000) AS INTEGER), 0), 1,
         NEW.pcount IS NOT NULL
    FROM OrderDB h WHERE h.orderID = NEW.orderID AND h.houseIn IS NOT NULL
     AND NEW.prodID IS NOT NULL
  ON CONFLICT (houseID, prodID) DO UPDATE SET qty = qty + excluded.qty,
    lines = lines + excluded.lines, counted = counted + excluded.counted;
END;
CREATE TRIGGER trDBLineDelete AFTER DELETE ON OrderDBD BEGIN
  UPDATE FInveHouse SET qty = qty + coalesce(CAST(OLD.pcount AS INTEGER) * 1000000
           + CAST(round((OLD.pcount - CAST(OLD.pcount AS INTEGER)) * 1000000) AS INTEGER), 0),
         lines = lines - 1, counted = counted - (OLD.pcount IS NOT NULL)
    FROM OrderDB h WHERE h.orderID = OLD.orderID AND FInveHouse.houseID = h.houseOut
     AND FInveHouse.prodID = OLD.prodID;
  UPDATE FInveHouse SET qty = qty - coalesce(CAST(OLD.pcount AS INTEGER) * 1000000
           + CAST(round((OLD.pcount - CAST(OLD.pcount AS INTEGER)) * 1000000) AS INTEGER), 0),
         lines = lines - 1, counted = counted - (OLD.pcount IS NOT NULL)
    FROM OrderDB h WHERE h.orderID = OLD.orderID AND FInveHouse.houseID = h.houseIn
     AND FInveHouse.prodID = OLD.prodID;
END;
CREATE TRIGGER trDBLineUpdate AFTER UPDATE OF orderID, prodID, pcount ON OrderDBD BEGIN
  UPDATE FInveHouse SET qty = qty + coalesce(CAST(OLD.pcount AS INTEGER) * 1000000
           + CAST(round((OLD.pcount - CAST(OLD.pcount AS INTEGER)) * 1000000) AS INTEGER), 0),
         lines = lines - 1, counted = counted - (OLD.pcount IS NOT NULL)
    FROM OrderDB h WHERE h.orderID = OLD.orderID AND FInveHouse.houseID = h.houseOut
     AND FInveHouse.prodID = OLD.prodID;
  UPDATE FInveHouse SET qty = qty - coalesce(CAST(OLD.pcount AS INTEGER) * 1000000
           + CAST(round((OLD.pcount - CAST(OLD.pcount AS INTEGER)) * 1000000) AS INTEGER), 0),
         lines = lines - 1, counted = counted - (OLD.pcount IS NOT NULL)
    FROM OrderDB h WHERE h.orderID = OLD.orderID AND FInveHouse.houseID = h.houseIn
     AND FInveHouse.prodID = OLD.prodID;
  INSERT INTO FInveHouse(houseID, prodID, qty, lines, counted)
  SELECT h.houseOut, NEW.prodID, -coalesce(CAST(NEW.pcount AS INTEGER) * 1000000
           + CAST(round((NEW.pcount - CAST(NEW.pcount AS INTEGER)) * 1000000) AS INTEGER), 0), 1,
         NEW.pcount IS NOT NULL
    FROM OrderDB h WHERE h.orderID = NEW.orderID AND h.houseOut IS NOT NULL
     AND NEW.prodID IS NOT NULL
  ON CONFLICT (houseID, prodID) DO UPDATE SET qty = qty + excluded.qty,
    lines = lines + excluded.lines, counted = counted + excluded.counted;
  INSERT INTO FInveHouse(houseID, prodID, qty, lines, counted)
  SELECT h.houseIn, NEW.prodID, coalesce(CAST(NEW.pcount AS INTEGER) * 1000000
           + CAST(round((NEW.pcount - CAST(NEW.pcount AS INTEGER)) * 1000000) AS INTEGER), 0), 1,
         NEW.pcount IS NOT NULL
    FROM OrderDB h WHERE h.orderID = NEW.orderID AND h.houseIn IS NOT NULL
     AND NEW.prodID IS NOT NULL
  ON CONFLICT (houseID, prodID) DO UPDATE SET qty = qty + excluded.qty,
    lines = lines + excluded.lines, counted = counted + excluded.counted;
END;
CREATE TRIGGER trDBInsert AFTER INSERT ON OrderDB BEGIN
  INSERT INTO FInveHouse(houseID, prodID, qty, lines, counted)
  SELECT NEW.houseOut, d.prodID, -coalesce(CAST(d.pcount AS INTEGER) * 1000000
           + CAST(round((d.pcount - CAST(d.pcount AS INTEGER)) * 1000000) AS INTEGER), 0), 1,
         d.pcount IS NOT NULL
    FROM OrderDBD d WHERE d.orderID = NEW.orderID AND NEW.houseOut IS NOT NULL
     AND d.prodID IS NOT NULL
  ON CONFLICT (houseID, prodID) DO UPDATE SET qty = qty + excluded.qty,
    lines = lines + excluded.lines, counted = counted + excluded.counted;
  INSERT INTO FInveHouse(houseID, prodID, qty, lines, counted)
  SELECT NEW.houseIn, d.prodID, coalesce(CAST(d.pcount AS INTEGER) * 1000000
           + CAST(round((d.pcount - CAST(d.pcount AS INTEGER)) * 1000000) AS INTEGER), 0), 1,
         d.pcount IS NOT NULL
    FROM OrderDBD d WHERE d.orderID = NEW.orderID AND NEW.houseIn IS NOT NULL
     AND d.prodID IS NOT NULL
  ON CONFLICT (houseID, prodID) DO UPDATE SET qty = qty + excluded.qty,
    lines = lines + excluded.lines, counted = counted + excluded.counted;
END;
CREATE TRIGGER trDBDelete AFTER DELETE ON OrderDB BEGIN
  UPDATE FInveHouse SET qty = qty - m.moved, lines = lines - m.n, counted = counted - m.c
    FROM (SELECT d.prodID, SUM(-coalesce(CAST(d.pcount AS INTEGER) * 1000000
           + CAST(round((d.pcount - CAST(d.pcount AS INTEGER)) * 1000000) AS INTEGER), 0)) AS moved,
                 COUNT(*) AS n, COUNT(d.pcount) AS c
            FROM OrderDBD d WHERE d.orderID = OLD.orderID GROUP BY d.prodID) m
   WHERE FInveHouse.houseID = OLD.houseOut AND FInveHouse.prodID = m.prodID;
  UPDATE FInveHouse SET qty = qty - m.moved, lines = lines - m.n, counted = counted - m.c
    FROM (SELECT d.prodID, SUM(coalesce(CAST(d.pcount AS INTEGER) * 1000000
           + CAST(round((d.pcount - CAST(d.pcount AS INTEGER)) * 1000000) AS INTEGER), 0)) AS moved,
                 COUNT(*) AS n, COUNT(d.pcount) AS c
            FROM OrderDBD d WHERE d.orderID = OLD.orderID GROUP BY d.prodID) m
   WHERE FInveHouse.houseID = OLD.houseIn AND FInveHouse.prodID = m.prodID;
END;
CREATE TRIGGER trDBUpdate AFTER UPDATE OF orderID, houseOut, houseIn ON OrderDB BEGIN
  UPDATE FInveHouse SET qty = qty - m.moved, lines = lines - m.n, counted = counted - m.c
    FROM (SELECT d.prodID, SUM(-coalesce(CAST(d.pcount AS INTEGER) * 1000000
           + CAST(round((d.pcount - CAST(d.pcount AS INTEGER)) * 1000000) AS INTEGER), 0)) AS moved,
                 COUNT(*) AS n, COUNT(d.pcount) AS c
            FROM OrderDBD d WHERE d.orderID = OLD.orderID GROUP BY d.prodID) m
   WHERE FInveHouse.houseID = OLD.houseOut AND FInveHouse.prodID = m.prodID;
  UPDATE FInveHouse SET qty = qty - m.moved, lines = lines - m.n, counted = counted - m.c
    FROM (SELECT d.prodID, SUM(coalesce(CAST(d.pcount AS INTEGER) * 1000000
           + CAST(round((d.pcount - CAST(d.pcount AS INTEGER)) * 1000000) AS INTEGER), 0)) AS moved,
                 COUNT(*) AS n, COUNT(d.pcount) AS c
            FROM OrderDBD d WHERE d.orderID = OLD.orderID GROUP BY d.prodID) m
   WHERE FInveHouse.houseID = OLD.houseIn AND FInveHouse.prodID = m.prodID;
  INSERT INTO FInveHouse(houseID, prodID, qty, lines, counted)
  SELECT NEW.houseOut, d.prodID, -coalesce(CAST(d.pcount AS INTEGER) * 1000000
           + CAST(round((d.pcount - CAST(d.pcount AS INTEGER)) * 1000000) AS INTEGER), 0), 1,
         d.pcount IS NOT NULL
    FROM OrderDBD d WHERE d.orderID = NEW.orderID AND NEW.houseOut IS NOT NULL
     AND d.prodID IS NOT NULL
  ON CONFLICT (houseID, prodID) DO UPDATE SET qty = qty + excluded.qty,
    lines = lines + excluded.lines, counted = counted + excluded.counted;
  INSERT INTO FInveHouse(houseID, prodID, qty, lines, counted)
  SELECT NEW.houseIn, d.prodID, coalesce(CAST(d.pcount AS INTEGER) * 1000000
           + CAST(round((d.pcount - CAST(d.pcount AS INTEGER)) * 1000000) AS INTEGER), 0), 1,
         d.pcount IS NOT NULL
    FROM OrderDBD d WHERE d.orderID = NEW.orderID AND NEW.houseIn IS NOT NULL
     AND d.prodID IS NOT NULL
  ON CONFLICT (houseID, prodID) DO UPDATE SET qty = qty + excluded.qty,
    lines = lines + excluded.lines, counted = counted + excluded.counted;
END;

-- Per money account that has journal rows: the sum of its amounts in millionths and how many
-- rows carry an amount (none: the balance reads as NULL, like a SUM over no rows).
CREATE TABLE FitemBalance (
  itmID   INTEGER PRIMARY KEY,
  amount  INTEGER NOT NULL,
  counted INTEGER NOT NULL
) STRICT;

CREATE TRIGGER trBankInsert AFTER INSERT ON FitemBank WHEN NEW.itmID IS NOT NULL BEGIN
  INSERT INTO FitemBalance(itmID, amount, counted)
  VALUES (NEW.itmID, coalesce(CAST(NEW.sumMoney AS INTEGER) * 1000000
           + CAST(round((NEW.sumMoney - CAST(NEW.sumMoney AS INTEGER)) * 1000000) AS INTEGER), 0),
          NEW.sumMoney IS NOT NULL)
  ON CONFLICT (itmID) DO UPDATE SET amount = amount + excluded.amount,
    counted = counted + excluded.counted;
END;
CREATE TRIGGER trBankDelete AFTER DELETE ON FitemBank WHEN OLD.itmID IS NOT NULL BEGIN
  UPDATE FitemBalance
     SET amount = amount - coalesce(CAST(OLD.sumMoney AS INTEGER) * 1000000
           + CAST(round((OLD.sumMoney - CAST(OLD.sumMoney AS INTEGER)) * 1000000) AS INTEGER), 0),
         counted = counted - (OLD.sumMoney IS NOT NULL)
   WHERE itmID = OLD.itmID;
END;
CREATE TRIGGER trBankUpdate AFTER UPDATE OF itmID, sumMoney ON FitemBank BEGIN
  UPDATE FitemBalance
     SET amount = amount - coalesce(CAST(OLD.sumMoney AS INTEGER) * 1000000
           + CAST(round((OLD.sumMoney - CAST(OLD.sumMoney AS INTEGER)) * 1000000) AS INTEGER), 0),
         counted = counted - (OLD.sumMoney IS NOT NULL)
   WHERE itmID = OLD.itmID;
  INSERT INTO FitemBalance(itmID, amount, counted)
  SELECT NEW.itmID, coalesce(CAST(NEW.sumMoney AS INTEGER) * 1000000
           + CAST(round((NEW.sumMoney - CAST(NEW.sumMoney AS INTEGER)) * 1000000) AS INTEGER), 0),
         NEW.sumMoney IS NOT NULL
   WHERE NEW.itmID IS NOT NULL
  ON CONFLICT (itmID) DO UPDATE SET amount = amount + excluded.amount,
    counted = counted + excluded.counted;
END;
