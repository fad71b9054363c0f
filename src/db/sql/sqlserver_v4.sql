-- Schema 4: the range control work table holds 64-bit quantities, so that
-- one article shipped by more than 32,767 pieces no longer aborts its report
-- (the procedure that fills it is recreated after the steps).
ALTER TABLE dbo.w_controle_qte_gamme ALTER COLUMN Qte_cde bigint NULL;
ALTER TABLE dbo.w_controle_qte_gamme ALTER COLUMN Qte_exp bigint NULL;
ALTER TABLE dbo.w_controle_qte_gamme ALTER COLUMN Difference bigint NULL;
GO
