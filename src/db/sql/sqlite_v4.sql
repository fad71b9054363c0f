-- Schema 4: nothing to change in the embedded database, whose integers are
-- already 64-bit; the step only records the version.
SELECT 1;
