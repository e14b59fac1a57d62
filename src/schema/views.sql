-- The saved queries the windows read as if they were tables.

-- Stock per warehouse and product, for every pair the documents moved. The signs are those
-- of posting, so that a product's quantities over all warehouses add up to Fproduct.sumCount;
-- the triggers of totals.sql keep FInveHouse current with every document line. Whole units
-- and millionths are divided apart: beyond 2^53 millionths (about 9e9 units) the millionths
-- alone are no exact double, and 999999999999 units would read 999999999999.0001.
CREATE VIEW VInveHouse AS
SELECT p.prodID, p.cateID, p.prodBH, p.prodName, p.type, p.unitName, p.inprice, p.outprice,
       p.company, s.houseID,
       CASE WHEN s.counted > 0 THEN s.qty / 1000000 + (s.qty % 1000000) / 1000000.0 END
         AS sumCount
FROM FInveHouse s
JOIN Fproduct p ON p.prodID = s.prodID;

-- A warehouse with rows here holds product records and may not be deleted.
CREATE VIEW Vinvepc AS
SELECT houseID, prodID, sumCount FROM VInveHouse;

-- Every money account with its balance, the sum of its journal rows (NULL when it has none),
-- kept current in FitemBalance by the triggers of totals.sql and summed over its slots.
CREATE VIEW VitemBank AS
SELECT i.itmID, i.itmName, i.remark,
       CASE WHEN b.counted > 0 THEN b.amount / 1000000 + (b.amount % 1000000) / 1000000.0 END
         AS je
FROM Fitem i
LEFT JOIN (SELECT itmID, CAST(SUM(amount) AS bigint) AS amount,
                  CAST(SUM(counted) AS bigint) AS counted
             FROM FitemBalance GROUP BY itmID) b ON b.itmID = i.itmID;

CREATE VIEW VtjSupplier AS
SELECT s.compName, o.optDate, o.orderID, '采购进货' AS orderType, o.acMoney, o.coMoney,
       o.acMoney - o.coMoney AS je, o.empName
  FROM OrderPur o JOIN Fsupplier s ON s.compID = o.compID
UNION ALL
SELECT s.compName, o.optDate, o.orderID, '采购退货', o.acMoney, o.coMoney,
       o.acMoney - o.coMoney, o.empName
  FROM OrderPurT o JOIN Fsupplier s ON s.compID = o.compID;

CREATE VIEW VtjSale AS
SELECT c.compName, o.optDate, o.orderID, '商品销售' AS orderType, o.acMoney, o.coMoney,
       o.acMoney - o.coMoney AS je, o.empName
  FROM OrderSale o JOIN Fcustomer c ON c.compID = o.compID
UNION ALL
SELECT c.compName, o.optDate, o.orderID, '顾客退货', o.acMoney, o.coMoney,
       o.acMoney - o.coMoney, o.empName
  FROM OrderSaleT o JOIN Fcustomer c ON c.compID = o.compID;

CREATE VIEW VSaleOrderD AS
SELECT p.prodID, p.prodBH, p.prodName, p.type, p.unitName, p.inprice, p.sumCount,
       d.pcount, d.sumMoney, h.optDate
FROM OrderSaleD d
JOIN OrderSale h ON h.orderID = d.orderID
JOIN Fproduct p ON p.prodID = d.prodID;

-- Every document header; stock-count corrections appear with their kind "盘点". The kinds are
-- text like the loss reports' column: arms of one type let the embedded engine merge the six
-- headers' date indexes for a list in date order, where it would otherwise sort every row.
CREATE VIEW VOrder AS
SELECT orderID, empName, CAST('采购进货' AS TEXT) AS orderType, optDate FROM OrderPur
UNION ALL SELECT orderID, empName, CAST('采购退货' AS TEXT), optDate FROM OrderPurT
UNION ALL SELECT orderID, empName, CAST('商品销售' AS TEXT), optDate FROM OrderSale
UNION ALL SELECT orderID, empName, CAST('顾客退货' AS TEXT), optDate FROM OrderSaleT
UNION ALL SELECT orderID, empName, CAST('库存调拨' AS TEXT), optDate FROM OrderDB
UNION ALL SELECT orderID, empName, orderType, optDate FROM OrderBsBy;

CREATE VIEW VorderDetail AS
SELECT d.orderID, p.prodBH, p.prodName, p.type, p.unitName, d.price, d.pcount, d.sumMoney, d.remark
FROM (
  SELECT orderID, prodID, price, pcount, sumMoney, remark FROM OrderPurD
  UNION ALL SELECT orderID, prodID, price, pcount, sumMoney, remark FROM OrderPurTD
  UNION ALL SELECT orderID, prodID, price, pcount, sumMoney, remark FROM OrderSaleD
  UNION ALL SELECT orderID, prodID, price, pcount, sumMoney, remark FROM OrderSaleTD
  UNION ALL SELECT orderID, prodID, price, pcount, sumMoney, remark FROM OrderDBD
  UNION ALL SELECT orderID, prodID, price, pcount, sumMoney, remark FROM OrderBsByD
) d
JOIN Fproduct p ON p.prodID = d.prodID;
