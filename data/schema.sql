-- The game database: sixteen tables. Every text column compares without regard to case; rows that are
-- addressed or read newest-first by ID take an ID that grows with every insert and is never reused.

CREATE TABLE profile (
  version INTEGER DEFAULT 670,
  playerName TEXT COLLATE NOCASE DEFAULT '',
  budget_THB REAL DEFAULT 0, budget_GBP REAL DEFAULT 0, budget_JPY REAL DEFAULT 0,
  budget_SGD REAL DEFAULT 0, budget_USD REAL DEFAULT 0, budget_HKD REAL DEFAULT 0,
  joinDate TEXT COLLATE NOCASE DEFAULT '01/01/2500',
  debutDate TEXT COLLATE NOCASE DEFAULT '01/01/2012',
  autoUpdate INTEGER DEFAULT 1, enableLargeDB INTEGER DEFAULT 0, enableWizard INTEGER DEFAULT 0,
  autoSaveFreq INTEGER DEFAULT 1, speed INTEGER DEFAULT 0, timelineMode INTEGER DEFAULT 0,
  daycount INTEGER DEFAULT 0, clockTick INTEGER DEFAULT 0,
  rateExchange_Thai REAL DEFAULT 1, rateExchange_London REAL DEFAULT 49, rateExchange_Japan REAL DEFAULT 0.4,
  rateExchange_Singapore REAL DEFAULT 25, rateExchange_NewYork REAL DEFAULT 31,
  rateExchange_HongKong REAL DEFAULT 4,
  statHighestProfit_Symbol TEXT COLLATE NOCASE DEFAULT '',
  statHighestLoss_Symbol TEXT COLLATE NOCASE DEFAULT '',
  statLongestHolding_Symbol TEXT COLLATE NOCASE DEFAULT '',
  statHighestProfit_Val REAL DEFAULT 0, statHighestLoss_Val REAL DEFAULT 0, statLongestHolding_Val REAL DEFAULT 0,
  statHighestBudget REAL DEFAULT 0, statHighestPortVal REAL DEFAULT 0
);

CREATE TABLE stock (
  id INTEGER PRIMARY KEY AUTOINCREMENT,
  symbol TEXT COLLATE NOCASE NOT NULL UNIQUE,
  company TEXT COLLATE NOCASE DEFAULT '',
  marketTitle TEXT COLLATE NOCASE NOT NULL,
  vol REAL DEFAULT 0, par_value REAL DEFAULT 0,
  div_numdays INTEGER DEFAULT 0, div_perShare REAL DEFAULT 0, div_dayleft INTEGER DEFAULT 0,
  div_yield REAL DEFAULT 0,
  tradedAmount REAL DEFAULT 0, tradedVol REAL DEFAULT 0,
  currentPrice REAL DEFAULT 0, closeprice REAL DEFAULT 0, closepriceY REAL DEFAULT 0, openPrice REAL DEFAULT 0,
  todayhigh REAL DEFAULT 0, todaylow REAL DEFAULT 0, wk52high REAL DEFAULT 0, wk52low REAL DEFAULT 0,
  pe REAL DEFAULT 0, eps REAL DEFAULT 0, beta REAL DEFAULT 0,
  wishlist INTEGER DEFAULT 0, status INTEGER DEFAULT 0, trend INTEGER DEFAULT 0, popularity INTEGER DEFAULT 0,
  changeRecently INTEGER DEFAULT 0
);
CREATE INDEX stock_marketTitle ON stock (marketTitle);

CREATE TABLE company (
  company TEXT COLLATE NOCASE NOT NULL UNIQUE,
  symbol TEXT COLLATE NOCASE NOT NULL UNIQUE,
  sector INTEGER DEFAULT 0,
  balance REAL DEFAULT 0
);

CREATE TABLE market (
  title TEXT COLLATE NOCASE NOT NULL UNIQUE,
  wk52high REAL DEFAULT 0, wk52low REAL DEFAULT 0,
  cycleOpen INTEGER DEFAULT 0, cycleClose INTEGER DEFAULT 0,
  mktCap REAL DEFAULT 0
);

CREATE TABLE [index] (
  ID INTEGER PRIMARY KEY AUTOINCREMENT,
  MarketTitle TEXT COLLATE NOCASE,
  clock INTEGER DEFAULT 0, mktcap REAL DEFAULT 0, [index] REAL DEFAULT 0
);
CREATE INDEX index_MarketTitle ON [index] (MarketTitle);

CREATE TABLE price (
  ID INTEGER PRIMARY KEY AUTOINCREMENT,
  symbol TEXT COLLATE NOCASE,
  clock INTEGER DEFAULT 0, price REAL DEFAULT 0
);
CREATE INDEX price_symbol ON price (symbol);

CREATE TABLE dailyPrice (
  ID INTEGER PRIMARY KEY AUTOINCREMENT,
  symbol TEXT COLLATE NOCASE,
  high REAL DEFAULT 0, low REAL DEFAULT 0, open REAL DEFAULT 0, close REAL DEFAULT 0,
  tradedVol REAL DEFAULT 0, tradedAmount REAL DEFAULT 0
);
CREATE INDEX dailyPrice_symbol ON dailyPrice (symbol);

CREATE TABLE queue (
  ID INTEGER PRIMARY KEY AUTOINCREMENT,
  symbol TEXT COLLATE NOCASE, marketTitle TEXT COLLATE NOCASE,
  price REAL DEFAULT 0, qty REAL DEFAULT 0,
  isUserReq INTEGER DEFAULT 0, isBid INTEGER DEFAULT 0, isCompleted INTEGER DEFAULT 0,
  clockTick INTEGER DEFAULT 0
);

CREATE TABLE portfolio (
  symbol TEXT COLLATE NOCASE,
  avg_price REAL DEFAULT 0, vol REAL DEFAULT 0, heldlength INTEGER DEFAULT 0,
  marketTitle TEXT COLLATE NOCASE DEFAULT ''
);

CREATE TABLE belonging (
  ID INTEGER PRIMARY KEY AUTOINCREMENT,
  productID INTEGER DEFAULT 0, boughtValue REAL DEFAULT 0, currentValue REAL DEFAULT 0,
  instAvailable INTEGER DEFAULT 0, instMonthLeft INTEGER DEFAULT 0, instValue REAL DEFAULT 0,
  ageDays INTEGER DEFAULT 0
);

CREATE TABLE product (
  ID INTEGER PRIMARY KEY,
  brandname TEXT COLLATE NOCASE DEFAULT '', brandserie TEXT COLLATE NOCASE DEFAULT '',
  company TEXT COLLATE NOCASE DEFAULT '',
  saleprice REAL DEFAULT 0, category INTEGER DEFAULT 0
);

CREATE TABLE milestone (
  id INTEGER PRIMARY KEY,
  passed INTEGER DEFAULT 0, star INTEGER DEFAULT 0,
  type TEXT COLLATE NOCASE DEFAULT '', description TEXT COLLATE NOCASE DEFAULT ''
);

CREATE TABLE inbox (
  ID INTEGER PRIMARY KEY AUTOINCREMENT,
  isRead INTEGER DEFAULT 0,
  Message TEXT COLLATE NOCASE DEFAULT ''
);

CREATE TABLE factors (
  pol_stability REAL DEFAULT 0, pol_status INTEGER DEFAULT 0, pol_nextconsider INTEGER DEFAULT 0,
  heal_stability REAL DEFAULT 0, heal_status INTEGER DEFAULT 0, heal_nextconsider INTEGER DEFAULT 0,
  seas_stability REAL DEFAULT 0, seas_status INTEGER DEFAULT 0, seas_nextconsider INTEGER DEFAULT 0,
  ecoLevel REAL DEFAULT 0
);

CREATE TABLE companyFinance (
  ID INTEGER PRIMARY KEY AUTOINCREMENT,
  Company TEXT COLLATE NOCASE,
  balance REAL DEFAULT 0, incomes REAL DEFAULT 0, expenditures REAL DEFAULT 0
);

CREATE TABLE exchHistory (
  ID INTEGER PRIMARY KEY AUTOINCREMENT,
  rateExchange_Thai REAL DEFAULT 1, rateExchange_London REAL DEFAULT 0, rateExchange_Japan REAL DEFAULT 0,
  rateExchange_Singapore REAL DEFAULT 0, rateExchange_NewYork REAL DEFAULT 0,
  rateExchange_Hongkong REAL DEFAULT 0
);
