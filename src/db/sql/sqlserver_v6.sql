-- Schema 6: the weights of Sage's articles by bar code, and the index of
-- the preparation follow-up. Sage's F_ARTICLE holds AR_PoidsNet and
-- AR_PoidsBrut in the unit AR_UnitePoids (0 ton, 1 quintal, 2 kilogram,
-- 3 gram, 4 milligram); the view gives them in kilograms, NULL when not
-- given (0) or in an unknown unit. Asleep articles keep their weights.
IF OBJECT_ID(N'dbo.V_POIDS_ARTICLE', N'V') IS NOT NULL
    DROP VIEW dbo.V_POIDS_ARTICLE;
GO
CREATE VIEW dbo.V_POIDS_ARTICLE
AS
SELECT CAST(A.AR_CodeBarre AS varchar(50)) AS CodeBarre,
       A.AR_Ref                            AS AR_Ref,
       CAST(CASE WHEN A.AR_PoidsBrut > 0 THEN A.AR_PoidsBrut * CASE A.AR_UnitePoids
            WHEN 0 THEN 1000.0 WHEN 1 THEN 100.0 WHEN 2 THEN 1.0 WHEN 3 THEN 0.001
            WHEN 4 THEN 0.000001 END END AS float) AS PoidsBrut,
       CAST(CASE WHEN A.AR_PoidsNet > 0 THEN A.AR_PoidsNet * CASE A.AR_UnitePoids
            WHEN 0 THEN 1000.0 WHEN 1 THEN 100.0 WHEN 2 THEN 1.0 WHEN 3 THEN 0.001
            WHEN 4 THEN 0.000001 END END AS float) AS PoidsNet
  FROM dbo.F_ARTICLE A
 WHERE A.AR_Gamme1 = 0 AND A.AR_CodeBarre <> ''
UNION ALL
SELECT CAST(E.AE_CodeBarre AS varchar(50)),
       A.AR_Ref,
       CAST(CASE WHEN A.AR_PoidsBrut > 0 THEN A.AR_PoidsBrut * CASE A.AR_UnitePoids
            WHEN 0 THEN 1000.0 WHEN 1 THEN 100.0 WHEN 2 THEN 1.0 WHEN 3 THEN 0.001
            WHEN 4 THEN 0.000001 END END AS float),
       CAST(CASE WHEN A.AR_PoidsNet > 0 THEN A.AR_PoidsNet * CASE A.AR_UnitePoids
            WHEN 0 THEN 1000.0 WHEN 1 THEN 100.0 WHEN 2 THEN 1.0 WHEN 3 THEN 0.001
            WHEN 4 THEN 0.000001 END END AS float)
  FROM dbo.F_ARTENUMREF E
 INNER JOIN dbo.F_ARTICLE A ON A.AR_Ref = E.AR_Ref
 WHERE A.AR_Gamme1 <> 0 AND E.AE_CodeBarre <> '';
GO
IF NOT EXISTS (SELECT 1 FROM sys.indexes
                WHERE name = N'IX_Journal de saisie_Suivi'
                  AND object_id = OBJECT_ID(N'dbo.[Journal de saisie]'))
CREATE INDEX [IX_Journal de saisie_Suivi]
    ON dbo.[Journal de saisie] ([No Expédition], [Date saisie], [Date intégration]);
GO
