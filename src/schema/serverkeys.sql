-- Rows written with their keys (the seed rows, a book moved from the embedded engine) leave
-- the key generators behind: each starts after the highest key its table holds.
DO $$
DECLARE
  k record;
BEGIN
  FOR k IN SELECT table_name, column_name FROM information_schema.columns
            WHERE table_schema = current_schema() AND is_identity = 'YES' LOOP
    EXECUTE format('SELECT setval(pg_get_serial_sequence(%L, %L), coalesce(max(%I), 0) + 1, false) FROM %I',
                   k.table_name, k.column_name, k.column_name, k.table_name);
  END LOOP;
END $$;
