-- The book: master data, documents, the money journal and users.
-- Tables are STRICT so that a text which is not a number never lands in a numeric column,
-- and every REAL is finite (a text such as 1e999 would convert to infinity, and a running
-- total that once holds it can never be moved back); a line's quantity and a journal amount
-- stay below 10^12, since the kept totals count them in millionths of a 64-bit integer and a
-- larger one would be cut short there;
-- text columns ignore the case of Latin letters for = and LIKE; dates are 'yyyy-MM-dd'.
PRAGMA application_id = 1447383883; -- 'VESK'
PRAGMA user_version = 6;

-- Master data ------------------------------------------------------------------------------

CREATE TABLE Fhouse (
  houseID   INTEGER PRIMARY KEY AUTOINCREMENT,
  houseName TEXT COLLATE NOCASE,
  resperson TEXT COLLATE NOCASE,
  phone     TEXT COLLATE NOCASE,
  address   TEXT COLLATE NOCASE,
  remark    TEXT COLLATE NOCASE
) STRICT;

CREATE TABLE Fprodcate (
  cateID   INTEGER PRIMARY KEY AUTOINCREMENT,
  cateName TEXT COLLATE NOCASE
) STRICT;

CREATE TABLE Fproduct (
  prodID   INTEGER PRIMARY KEY AUTOINCREMENT,
  cateID   INTEGER,
  prodBH   TEXT COLLATE NOCASE,
  prodName TEXT COLLATE NOCASE,
  type     TEXT COLLATE NOCASE,
  company  TEXT COLLATE NOCASE,
  unitName TEXT COLLATE NOCASE,
  inprice REAL CHECK (abs(inprice) < 9e999),
  outprice REAL CHECK (abs(outprice) < 9e999),
  remark   TEXT COLLATE NOCASE,
  field1   TEXT COLLATE NOCASE,
  field2   TEXT COLLATE NOCASE,
  sumCount REAL NOT NULL DEFAULT 0 CHECK (abs(sumCount) < 9e999)
) STRICT;
CREATE INDEX ixProductCate ON Fproduct(cateID);
-- A product scanned or typed by its code at the counter is found at once, not by reading them all.
CREATE INDEX ixProductCode ON Fproduct(prodBH);

CREATE TABLE FConfig (
  fieldName  TEXT NOT NULL UNIQUE COLLATE NOCASE,
  textValue  TEXT COLLATE NOCASE,
  sort       INTEGER,
  isShow     TEXT COLLATE NOCASE CHECK (isShow IN ('是', '否')),
  fieldwidth INTEGER
) STRICT;

CREATE TABLE Ftbconfig (
  mtop     INTEGER,
  mleft    INTEGER,
  house    TEXT COLLATE NOCASE CHECK (house IN ('是', '否')),
  orderID  TEXT COLLATE NOCASE CHECK (orderID IN ('是', '否')),
  compName TEXT COLLATE NOCASE CHECK (compName IN ('是', '否')),
  optdate  TEXT COLLATE NOCASE CHECK (optdate IN ('是', '否')),
  ys       TEXT COLLATE NOCASE CHECK (ys IN ('是', '否')),
  ss       TEXT COLLATE NOCASE CHECK (ss IN ('是', '否')),
  emp      TEXT COLLATE NOCASE CHECK (emp IN ('是', '否')),
  hj       TEXT COLLATE NOCASE CHECK (hj IN ('是', '否'))
) STRICT;

CREATE TABLE Ftitle (
  pur   TEXT COLLATE NOCASE,
  purT  TEXT COLLATE NOCASE,
  sale  TEXT COLLATE NOCASE,
  saleT TEXT COLLATE NOCASE,
  db    TEXT COLLATE NOCASE,
  bsby  TEXT COLLATE NOCASE
) STRICT;

CREATE TABLE Fsupplier (
  compID    INTEGER PRIMARY KEY AUTOINCREMENT,
  compName  TEXT COLLATE NOCASE,
  conperson TEXT COLLATE NOCASE,
  phone     TEXT COLLATE NOCASE,
  address   TEXT COLLATE NOCASE,
  bankName  TEXT COLLATE NOCASE,
  bankCard  TEXT COLLATE NOCASE,
  exchMoney REAL NOT NULL DEFAULT 0 CHECK (abs(exchMoney) < 9e999),
  remark    TEXT COLLATE NOCASE
) STRICT;

CREATE TABLE Fcustomer (
  compID    INTEGER PRIMARY KEY AUTOINCREMENT,
  compName  TEXT COLLATE NOCASE,
  conperson TEXT COLLATE NOCASE,
  phone     TEXT COLLATE NOCASE,
  address   TEXT COLLATE NOCASE,
  bankName  TEXT COLLATE NOCASE,
  bankCard  TEXT COLLATE NOCASE,
  exchMoney REAL NOT NULL DEFAULT 0 CHECK (abs(exchMoney) < 9e999),
  remark    TEXT COLLATE NOCASE
) STRICT;

CREATE TABLE Femployee (
  empID   INTEGER PRIMARY KEY AUTOINCREMENT,
  empName TEXT COLLATE NOCASE,
  sex     TEXT COLLATE NOCASE,
  birth   TEXT COLLATE NOCASE,
  phone   TEXT COLLATE NOCASE,
  address TEXT COLLATE NOCASE,
  rewdis REAL CHECK (abs(rewdis) < 9e999),
  remark  TEXT COLLATE NOCASE
) STRICT;

-- Documents --------------------------------------------------------------------------------
-- A header's orderID is unique: voiding deletes lines and journal rows by code, so two
-- documents with one code would spoil each other.

CREATE TABLE OrderPur (
  orderID TEXT NOT NULL UNIQUE COLLATE NOCASE,
  houseID INTEGER,
  empName TEXT COLLATE NOCASE,
  compID  INTEGER,
  optDate TEXT COLLATE NOCASE CHECK (optDate GLOB '[0-9][0-9][0-9][0-9]-[0-9][0-9]-[0-9][0-9]'),
  acMoney REAL CHECK (abs(acMoney) < 9e999),
  coMoney REAL CHECK (abs(coMoney) < 9e999)
) STRICT;
CREATE TABLE OrderPurT (
  orderID TEXT NOT NULL UNIQUE COLLATE NOCASE,
  houseID INTEGER,
  empName TEXT COLLATE NOCASE,
  compID  INTEGER,
  optDate TEXT COLLATE NOCASE CHECK (optDate GLOB '[0-9][0-9][0-9][0-9]-[0-9][0-9]-[0-9][0-9]'),
  acMoney REAL CHECK (abs(acMoney) < 9e999),
  coMoney REAL CHECK (abs(coMoney) < 9e999)
) STRICT;
CREATE TABLE OrderSale (
  orderID TEXT NOT NULL UNIQUE COLLATE NOCASE,
  houseID INTEGER,
  empName TEXT COLLATE NOCASE,
  compID  INTEGER,
  optDate TEXT COLLATE NOCASE CHECK (optDate GLOB '[0-9][0-9][0-9][0-9]-[0-9][0-9]-[0-9][0-9]'),
  acMoney REAL CHECK (abs(acMoney) < 9e999),
  coMoney REAL CHECK (abs(coMoney) < 9e999)
) STRICT;
CREATE TABLE OrderSaleT (
  orderID TEXT NOT NULL UNIQUE COLLATE NOCASE,
  houseID INTEGER,
  empName TEXT COLLATE NOCASE,
  compID  INTEGER,
  optDate TEXT COLLATE NOCASE CHECK (optDate GLOB '[0-9][0-9][0-9][0-9]-[0-9][0-9]-[0-9][0-9]'),
  acMoney REAL CHECK (abs(acMoney) < 9e999),
  coMoney REAL CHECK (abs(coMoney) < 9e999)
) STRICT;
-- A period's documents: the date indexes also carry what the composite query lists, and the
-- trade statistics find a counterpart's documents of a period without reading the others.
CREATE INDEX ixPurDate ON OrderPur(optDate, orderID, empName);
CREATE INDEX ixPurTDate ON OrderPurT(optDate, orderID, empName);
CREATE INDEX ixSaleDate ON OrderSale(optDate, orderID, empName);
CREATE INDEX ixSaleTDate ON OrderSaleT(optDate, orderID, empName);
CREATE INDEX ixPurCompDate ON OrderPur(compID, optDate);
CREATE INDEX ixPurTCompDate ON OrderPurT(compID, optDate);
CREATE INDEX ixSaleCompDate ON OrderSale(compID, optDate);
CREATE INDEX ixSaleTCompDate ON OrderSaleT(compID, optDate);

CREATE TABLE OrderPurD (
  orderID  TEXT COLLATE NOCASE,
  prodID   INTEGER,
  price REAL CHECK (abs(price) < 9e999),
  pcount REAL CHECK (abs(pcount) < 1e12),
  sumMoney REAL CHECK (abs(sumMoney) < 9e999),
  remark   TEXT COLLATE NOCASE
) STRICT;
CREATE TABLE OrderPurTD (
  orderID  TEXT COLLATE NOCASE,
  prodID   INTEGER,
  price REAL CHECK (abs(price) < 9e999),
  pcount REAL CHECK (abs(pcount) < 1e12),
  sumMoney REAL CHECK (abs(sumMoney) < 9e999),
  remark   TEXT COLLATE NOCASE
) STRICT;
CREATE TABLE OrderSaleD (
  orderID  TEXT COLLATE NOCASE,
  prodID   INTEGER,
  price REAL CHECK (abs(price) < 9e999),
  pcount REAL CHECK (abs(pcount) < 1e12),
  sumMoney REAL CHECK (abs(sumMoney) < 9e999),
  remark   TEXT COLLATE NOCASE
) STRICT;
CREATE TABLE OrderSaleTD (
  orderID  TEXT COLLATE NOCASE,
  prodID   INTEGER,
  price REAL CHECK (abs(price) < 9e999),
  pcount REAL CHECK (abs(pcount) < 1e12),
  sumMoney REAL CHECK (abs(sumMoney) < 9e999),
  remark   TEXT COLLATE NOCASE
) STRICT;
CREATE TABLE OrderDBD (
  orderID  TEXT COLLATE NOCASE,
  prodID   INTEGER,
  price REAL CHECK (abs(price) < 9e999),
  pcount REAL CHECK (abs(pcount) < 1e12),
  sumMoney REAL CHECK (abs(sumMoney) < 9e999),
  remark   TEXT COLLATE NOCASE
) STRICT;
CREATE TABLE OrderBsByD (
  orderID  TEXT COLLATE NOCASE,
  prodID   INTEGER,
  price REAL CHECK (abs(price) < 9e999),
  pcount REAL CHECK (abs(pcount) < 1e12),
  sumMoney REAL CHECK (abs(sumMoney) < 9e999),
  remark   TEXT COLLATE NOCASE
) STRICT;
CREATE INDEX ixPurDOrder ON OrderPurD(orderID);
CREATE INDEX ixPurTDOrder ON OrderPurTD(orderID);
-- The sale lines also carry what the product sales analysis sums, so that a month of sales
-- is read from the index alone.
CREATE INDEX ixSaleDOrder ON OrderSaleD(orderID, prodID, pcount, sumMoney);
CREATE INDEX ixSaleTDOrder ON OrderSaleTD(orderID);
CREATE INDEX ixDBDOrder ON OrderDBD(orderID);
CREATE INDEX ixBsByDOrder ON OrderBsByD(orderID);
-- No statement looks lines up by product: such an index would only cost every posting a
-- page write per line.

CREATE TABLE OrderDB (
  orderID  TEXT NOT NULL UNIQUE COLLATE NOCASE,
  houseOut INTEGER,
  empName  TEXT COLLATE NOCASE,
  houseIn  INTEGER,
  optDate  TEXT COLLATE NOCASE CHECK (optDate GLOB '[0-9][0-9][0-9][0-9]-[0-9][0-9]-[0-9][0-9]')
) STRICT;
CREATE INDEX ixDBDate ON OrderDB(optDate, orderID, empName);

CREATE TABLE OrderBsBy (
  orderID   TEXT NOT NULL UNIQUE COLLATE NOCASE,
  houseID   INTEGER,
  empName   TEXT COLLATE NOCASE,
  orderType TEXT COLLATE NOCASE,
  optDate   TEXT COLLATE NOCASE CHECK (optDate GLOB '[0-9][0-9][0-9][0-9]-[0-9][0-9]-[0-9][0-9]')
) STRICT;
CREATE INDEX ixBsByDate ON OrderBsBy(optDate, orderID, empName, orderType);

CREATE TABLE OrderPD (
  orderID  TEXT NOT NULL UNIQUE COLLATE NOCASE,
  houseID  INTEGER,
  remark   TEXT COLLATE NOCASE,
  userName TEXT COLLATE NOCASE,
  optDate  TEXT COLLATE NOCASE CHECK (optDate GLOB '[0-9][0-9][0-9][0-9]-[0-9][0-9]-[0-9][0-9]')
) STRICT;
CREATE INDEX ixPDDate ON OrderPD(optDate);

CREATE TABLE OrderPDD (
  orderID TEXT COLLATE NOCASE,
  prodID  INTEGER,
  pcount REAL CHECK (abs(pcount) < 9e999),
  pdcount REAL CHECK (abs(pdcount) < 9e999),
  UNIQUE (orderID, prodID)
) STRICT;

-- Money ------------------------------------------------------------------------------------

CREATE TABLE Fitem (
  itmID   INTEGER PRIMARY KEY AUTOINCREMENT,
  itmName TEXT COLLATE NOCASE,
  remark  TEXT COLLATE NOCASE
) STRICT;

CREATE TABLE FitemBank (
  bankID    INTEGER PRIMARY KEY AUTOINCREMENT,
  optDate   TEXT COLLATE NOCASE CHECK (optDate GLOB '[0-9][0-9][0-9][0-9]-[0-9][0-9]-[0-9][0-9]'),
  orderCode TEXT COLLATE NOCASE,
  orderType TEXT COLLATE NOCASE,
  sumMoney REAL CHECK (abs(sumMoney) < 1e12),
  empName   TEXT COLLATE NOCASE,
  compName  TEXT COLLATE NOCASE,
  itmID     INTEGER,
  remark    TEXT COLLATE NOCASE
) STRICT;
CREATE INDEX ixBankOrder ON FitemBank(orderCode);
CREATE INDEX ixBankItemDate ON FitemBank(itmID, optDate);
CREATE INDEX ixBankDate ON FitemBank(optDate);
-- The business figures sum one kind over a range of days straight from the index.
CREATE INDEX ixBankTypeDate ON FitemBank(orderType, optDate, sumMoney);

-- Fixed assets -----------------------------------------------------------------------------

CREATE TABLE FassCate (
  cateID   INTEGER PRIMARY KEY AUTOINCREMENT,
  cateName TEXT COLLATE NOCASE
) STRICT;

CREATE TABLE Fasset (
  assID    INTEGER PRIMARY KEY AUTOINCREMENT,
  assName  TEXT COLLATE NOCASE,
  cateID   INTEGER,
  purPrice REAL CHECK (abs(purPrice) < 9e999),
  purDate  TEXT COLLATE NOCASE CHECK (purDate GLOB '[0-9][0-9][0-9][0-9]-[0-9][0-9]-[0-9][0-9]'),
  remark   TEXT COLLATE NOCASE
) STRICT;

-- Users ------------------------------------------------------------------------------------

CREATE TABLE Users (
  UserID   INTEGER PRIMARY KEY AUTOINCREMENT,
  UserName TEXT COLLATE NOCASE,
  pwd      TEXT
) STRICT;
CREATE INDEX ixUsersName ON Users(UserName);

CREATE TABLE perms (
  userID INTEGER,
  perm   INTEGER
) STRICT;
CREATE INDEX ixPermsUser ON perms(userID);
