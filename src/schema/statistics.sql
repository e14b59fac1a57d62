-- What the query planner assumes about a book, fixed instead of measured: a business's book
-- soon holds far more products than categories and far more warehouse-and-product stock rows
-- than warehouses. Without these figures the planner walks a whole warehouse's stock to find
-- one category's products in it, rather than the category's products and their stock rows.
ANALYZE sqlite_schema;
INSERT INTO sqlite_stat1(tbl, idx, stat) VALUES
  ('Fproduct', 'ixProductCate', '100000 1000'),
  ('FInveHouse', 'sqlite_autoindex_FInveHouse_1', '1000000 100000 1');
