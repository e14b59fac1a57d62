-- Rows a new book must hold before the program first starts.

INSERT INTO Fitem(itmID, itmName, remark) VALUES (1, '现金', '');
INSERT INTO Fsupplier(compID, compName, conperson, phone, address, bankName, bankCard, exchMoney, remark)
  VALUES (1, '普通供应商', '', '', '', '', '', 0, '');
INSERT INTO Fcustomer(compID, compName, conperson, phone, address, bankName, bankCard, exchMoney, remark)
  VALUES (1, '普通客户', '', '', '', '', '', 0, '');

-- The administrator, with every permission code 0 to 34. The password is "admin", kept as its
-- Argon2id hash like every password.
INSERT INTO Users(UserID, UserName, pwd)
  VALUES (1, '管理员', '$argon2id$v=19$m=65536,t=2,p=1$aqeNBWHpHn9A3gX5tZP4iQ$cIYz7e0X1iYhOBf/ALLqgi9AOyEObZHB2j8bT9wWBbI');
WITH RECURSIVE code(n) AS (SELECT 0 UNION ALL SELECT n + 1 FROM code WHERE n < 34)
INSERT INTO perms(userID, perm) SELECT 1, n FROM code;

INSERT INTO FConfig(fieldName, textValue, sort, isShow, fieldwidth) VALUES
  ('prodBH',   '商品编号',  1, '是', 30),
  ('prodName', '商品名称',  2, '是', 40),
  ('type',     '规格/型号', 3, '是', 25),
  ('unitName', '单位',      4, '是', 12),
  ('company',  '厂家',      5, '否', 25),
  ('inprice',  '进价',      6, '是', 20),
  ('outprice', '售价',      7, '否', 20),
  ('pcount',   '数量',      8, '是', 15),
  ('pmoney',   '金额',      9, '是', 20),
  ('remark',   '备注',     10, '是', 25),
  ('field1',   '批号',     11, '否', 20),
  ('field2',   '有效期',   12, '否', 20);

INSERT INTO Ftbconfig(mtop, mleft, house, orderID, compName, optdate, ys, ss, emp, hj)
  VALUES (10, 10, '是', '是', '是', '是', '是', '是', '是', '是');

INSERT INTO Ftitle(pur, purT, sale, saleT, db, bsby)
  VALUES ('采购进货单', '采购退货单', '商品销售单', '顾客退货单', '库存调拨单', '报损报溢单');
