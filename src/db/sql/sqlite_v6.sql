-- Schema 6: the weights of Sage's articles (the columns of F_ARTICLE are
-- added by the upgrade code, only where the table lacks them), the view
-- that reads them by bar code, and the indexes of the preparation follow-up
-- and the parcels' weight check.
CREATE INDEX IF NOT EXISTS IX_F_ARTICLE_AR_CodeBarre ON F_ARTICLE (AR_CodeBarre);
CREATE INDEX IF NOT EXISTS IX_F_ARTENUMREF_AE_CodeBarre ON F_ARTENUMREF (AE_CodeBarre);
CREATE INDEX IF NOT EXISTS [IX_Journal de saisie_Suivi]
    ON [Journal de saisie] ([No Expédition], [Date saisie], [Date intégration]);

-- The weights of one unit of each bar code, in kilograms, NULL when Sage
-- gives none (0) or gives it in an unknown unit. Asleep articles keep their
-- weights: a parcel may hold one put to sleep since.
CREATE VIEW IF NOT EXISTS V_POIDS_ARTICLE AS
SELECT A.AR_CodeBarre AS CodeBarre,
       A.AR_Ref       AS AR_Ref,
       CASE WHEN A.AR_PoidsBrut > 0 THEN A.AR_PoidsBrut * CASE A.AR_UnitePoids
            WHEN 0 THEN 1000.0 WHEN 1 THEN 100.0 WHEN 2 THEN 1.0 WHEN 3 THEN 0.001
            WHEN 4 THEN 0.000001 END END AS PoidsBrut,
       CASE WHEN A.AR_PoidsNet > 0 THEN A.AR_PoidsNet * CASE A.AR_UnitePoids
            WHEN 0 THEN 1000.0 WHEN 1 THEN 100.0 WHEN 2 THEN 1.0 WHEN 3 THEN 0.001
            WHEN 4 THEN 0.000001 END END AS PoidsNet
  FROM F_ARTICLE A
 WHERE A.AR_Gamme1 = 0 AND A.AR_CodeBarre <> ''
UNION ALL
SELECT E.AE_CodeBarre,
       A.AR_Ref,
       CASE WHEN A.AR_PoidsBrut > 0 THEN A.AR_PoidsBrut * CASE A.AR_UnitePoids
            WHEN 0 THEN 1000.0 WHEN 1 THEN 100.0 WHEN 2 THEN 1.0 WHEN 3 THEN 0.001
            WHEN 4 THEN 0.000001 END END,
       CASE WHEN A.AR_PoidsNet > 0 THEN A.AR_PoidsNet * CASE A.AR_UnitePoids
            WHEN 0 THEN 1000.0 WHEN 1 THEN 100.0 WHEN 2 THEN 1.0 WHEN 3 THEN 0.001
            WHEN 4 THEN 0.000001 END END
  FROM F_ARTENUMREF E
  JOIN F_ARTICLE A ON A.AR_Ref = E.AR_Ref
 WHERE A.AR_Gamme1 <> 0 AND E.AE_CodeBarre <> '';
