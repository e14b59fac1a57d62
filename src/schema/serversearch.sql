-- The search boxes look for a fragment anywhere in a name: prodName LIKE '%宏达%'. No B-tree
-- serves a pattern that begins with "%", and the server's trigram index wants three characters
-- and, under the book's C text rules, takes no Chinese at all. So the names are indexed by
-- every character and every pair of characters they hold, and the program's statements ask
-- for the key's pairs beside the LIKE itself (core/pgdialect): the index finds the few names
-- that hold them, and the LIKE decides.

-- Every character and every pair of neighbouring characters of a name, with the case of Latin
-- letters folded as the book's text comparisons fold it.
CREATE FUNCTION vesk_pairs(name text) RETURNS text[]
  LANGUAGE sql IMMUTABLE STRICT PARALLEL SAFE AS $$
  SELECT coalesce(array_agg(DISTINCT substr(lower(name), i, n)), '{}')
  FROM generate_series(1, char_length(name)) AS i, generate_series(1, 2) AS n
  WHERE i + n - 1 <= char_length(name)
$$;

-- What every name matching a LIKE pattern holds: the pairs of each run of plain characters
-- between its wildcards (and escapes), or the character itself of a run of one.
CREATE FUNCTION vesk_like_pairs(pattern text) RETURNS text[]
  LANGUAGE sql IMMUTABLE STRICT PARALLEL SAFE AS $$
  SELECT coalesce(array_agg(DISTINCT substr(piece, i, least(char_length(piece), 2))), '{}')
  FROM regexp_split_to_table(lower(pattern), '[%_\\]') AS piece,
       generate_series(1, greatest(char_length(piece) - 1, 1)) AS i
  WHERE piece <> ''
$$;

CREATE INDEX ixProductNamePairs ON Fproduct USING gin (vesk_pairs(prodName));
CREATE INDEX ixProductCodePairs ON Fproduct USING gin (vesk_pairs(prodBH));
CREATE INDEX ixSupplierNamePairs ON Fsupplier USING gin (vesk_pairs(compName));
CREATE INDEX ixCustomerNamePairs ON Fcustomer USING gin (vesk_pairs(compName));

-- Every posted line updates its product's stock, and every trade document its counterpart's
-- balance. With room left on each page the new row version stays on the page, and no index,
-- these least of all, takes an entry for it.
ALTER TABLE Fproduct SET (fillfactor = 80);
ALTER TABLE Fsupplier SET (fillfactor = 80);
ALTER TABLE Fcustomer SET (fillfactor = 80);
