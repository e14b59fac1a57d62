-- What the server book needs before the shared definition: what the embedded engine has
-- built in.
-- Text that ignores the case of Latin letters for = and LIKE, as COLLATE NOCASE does.
CREATE EXTENSION IF NOT EXISTS citext;

-- The book's application id and version: one row, in place of the embedded book's header.
CREATE TABLE VeskBook (
  onlyRow       boolean PRIMARY KEY DEFAULT true CHECK (onlyRow),
  applicationId integer NOT NULL,
  version       integer NOT NULL
);

-- Functions of the embedded engine that the program's statements use.
CREATE FUNCTION ifnull(anycompatible, anycompatible) RETURNS anycompatible
  LANGUAGE sql IMMUTABLE PARALLEL SAFE AS 'SELECT coalesce($1, $2)';

-- The server's default page costs are a spinning disk's, on which it would rather read a whole
-- table than a tenth of it out of order; a shop's server has a solid-state disk. The setting
-- is the book's database's own, and only its owner may make it: a book written by another
-- role plans as the server is set.
DO $$
BEGIN
  EXECUTE format('ALTER DATABASE %I SET random_page_cost = 1.1', current_database());
EXCEPTION WHEN insufficient_privilege THEN
  NULL;
END $$;
