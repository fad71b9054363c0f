-- Schema 4: the range control work table holds 64-bit quantities, so that
-- one article shipped by more than 32,767 pieces no longer aborts its report
-- (the procedure that fills it is recreated after the steps). Only the
-- columns still narrower integers: a new installation, or schema 7, already
-- has wider ones. They stay
-- nullable through the session's default rather than a NULL in ALTER
-- COLUMN, which some T-SQL engines cannot parse.
SET ANSI_NULL_DFLT_ON ON;
IF EXISTS (SELECT 1 FROM INFORMATION_SCHEMA.COLUMNS
            WHERE TABLE_SCHEMA = 'dbo' AND TABLE_NAME = 'w_controle_qte_gamme'
              AND COLUMN_NAME = 'Qte_cde' AND DATA_TYPE IN ('tinyint', 'smallint', 'int'))
    ALTER TABLE dbo.w_controle_qte_gamme ALTER COLUMN Qte_cde bigint;
IF EXISTS (SELECT 1 FROM INFORMATION_SCHEMA.COLUMNS
            WHERE TABLE_SCHEMA = 'dbo' AND TABLE_NAME = 'w_controle_qte_gamme'
              AND COLUMN_NAME = 'Qte_exp' AND DATA_TYPE IN ('tinyint', 'smallint', 'int'))
    ALTER TABLE dbo.w_controle_qte_gamme ALTER COLUMN Qte_exp bigint;
IF EXISTS (SELECT 1 FROM INFORMATION_SCHEMA.COLUMNS
            WHERE TABLE_SCHEMA = 'dbo' AND TABLE_NAME = 'w_controle_qte_gamme'
              AND COLUMN_NAME = 'Difference' AND DATA_TYPE IN ('tinyint', 'smallint', 'int'))
    ALTER TABLE dbo.w_controle_qte_gamme ALTER COLUMN Difference bigint;
GO
