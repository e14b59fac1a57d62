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
