-- uses: settlements.sql
-- Books of version 2 kept no record of settlements: what their balances lack against the
-- documents is what was settled before, recorded once to the cent so that the books check
-- starts from agreeing books.
INSERT INTO FSettle(compTable, compID, sumMoney, remark)
SELECT 'Fsupplier', compID, settled, '升级前的结算' FROM (
  SELECT s.compID, round(coalesce(d.due, 0) - s.exchMoney, 2) AS settled
  FROM Fsupplier s LEFT JOIN (
    SELECT compID, sum(due) AS due FROM (
      SELECT compID, coalesce(acMoney, 0) - coalesce(coMoney, 0) AS due FROM OrderPur
      UNION ALL SELECT compID, coalesce(coMoney, 0) - coalesce(acMoney, 0) FROM OrderPurT)
    GROUP BY compID) d ON d.compID = s.compID)
WHERE settled <> 0;
INSERT INTO FSettle(compTable, compID, sumMoney, remark)
SELECT 'Fcustomer', compID, settled, '升级前的结算' FROM (
  SELECT c.compID, round(coalesce(d.due, 0) - c.exchMoney, 2) AS settled
  FROM Fcustomer c LEFT JOIN (
    SELECT compID, sum(due) AS due FROM (
      SELECT compID, coalesce(acMoney, 0) - coalesce(coMoney, 0) AS due FROM OrderSale
      UNION ALL SELECT compID, coalesce(coMoney, 0) - coalesce(acMoney, 0) FROM OrderSaleT)
    GROUP BY compID) d ON d.compID = c.compID)
WHERE settled <> 0;
