-- What the query planner assumes about a book, fixed instead of measured: the proportions of
-- a business after some years (here ten years of a shop with 100,000 products). Without them
-- the planner walks a whole warehouse's stock to find one category's products in it, and every
-- purchase of a month to find those of suppliers whose names contain a fragment, rather than
-- starting from the few rows that match. A customer's sales are put at 200 rather than the 120
-- of an even spread: at 120 the planner read a month of sales customer by customer, all 5,000 of
-- them, instead of along the dates (7 ms instead of 2), while a name fragment still starts
-- from the customers it matches.
ANALYZE sqlite_schema;
INSERT INTO sqlite_stat1(tbl, idx, stat) VALUES
  ('Fproduct', 'ixProductCate', '100000 1000'),
  ('FInveHouse', 'sqlite_autoindex_FInveHouse_1', '1000000 100000 1'),
  ('Fsupplier', NULL, '2000'),
  ('Fcustomer', NULL, '5000'),
  ('OrderPur', 'ixPurDate', '200000 55 1 1'),
  ('OrderPur', 'ixPurCompDate', '200000 100 2'),
  ('OrderPurT', 'ixPurTDate', '20000 6 1 1'),
  ('OrderPurT', 'ixPurTCompDate', '20000 10 1'),
  ('OrderSale', 'ixSaleDate', '600000 165 1 1'),
  ('OrderSale', 'ixSaleCompDate', '600000 200 2'),
  ('OrderSaleT', 'ixSaleTDate', '20000 6 1 1'),
  ('OrderSaleT', 'ixSaleTCompDate', '20000 4 1');
