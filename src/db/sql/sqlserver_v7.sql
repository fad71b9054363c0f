-- Schema 7: the range control counts what Sage counts. Order lines hold
-- decimal quantities (cloth by the metre): the control views no longer round
-- their sums to whole numbers, and the work table keeps six decimals. The
-- views are made here, after every table they read, for an installation and
-- an upgrade alike; the procedure that fills the work table is recreated
-- after the steps.
IF EXISTS (SELECT 1 FROM INFORMATION_SCHEMA.COLUMNS
            WHERE TABLE_SCHEMA = 'dbo' AND TABLE_NAME = 'w_controle_qte_gamme'
              AND COLUMN_NAME = 'Qte_cde' AND DATA_TYPE <> 'decimal')
    ALTER TABLE dbo.w_controle_qte_gamme ALTER COLUMN Qte_cde decimal(38, 6);
IF EXISTS (SELECT 1 FROM INFORMATION_SCHEMA.COLUMNS
            WHERE TABLE_SCHEMA = 'dbo' AND TABLE_NAME = 'w_controle_qte_gamme'
              AND COLUMN_NAME = 'Qte_exp' AND DATA_TYPE <> 'decimal')
    ALTER TABLE dbo.w_controle_qte_gamme ALTER COLUMN Qte_exp decimal(38, 6);
IF EXISTS (SELECT 1 FROM INFORMATION_SCHEMA.COLUMNS
            WHERE TABLE_SCHEMA = 'dbo' AND TABLE_NAME = 'w_controle_qte_gamme'
              AND COLUMN_NAME = 'Difference' AND DATA_TYPE <> 'decimal')
    ALTER TABLE dbo.w_controle_qte_gamme ALTER COLUMN Difference decimal(38, 6);
GO

-- Every view that reads controle_qte_base goes before it, so that no view
-- is dropped while another still depends on it.
IF OBJECT_ID(N'dbo.controle_qte_gamme', N'V') IS NOT NULL
    DROP VIEW dbo.controle_qte_gamme;
GO
IF OBJECT_ID(N'dbo.controle_qte_art', N'V') IS NOT NULL
    DROP VIEW dbo.controle_qte_art;
GO
IF OBJECT_ID(N'dbo.[Controle qte]', N'V') IS NOT NULL
    DROP VIEW dbo.[Controle qte];
GO
IF OBJECT_ID(N'dbo.controle_qte_base', N'V') IS NOT NULL
    DROP VIEW dbo.controle_qte_base;
GO

-- Ordered against shipped quantities per shipment and bar code, the common
-- ground of the three control views. Ordered: the quantities still to deliver
-- on the order lines of the shipment's orders, matched to the bar code of
-- their range element; component lines of a composed article are left out
-- (the composed article is what is scanned), as are articles without a bar
-- code. Shipped: the packing lines of the shipment's parcels.
CREATE VIEW dbo.controle_qte_base
AS
SELECT Q.NoExp                          AS NoExp,
       Q.CodeBarre                      AS CodeBarre,
       SUM(Q.Qte_cde)                   AS Qte_cde,
       SUM(Q.Qte_exp)                   AS Qte_exp,
       SUM(Q.Ligne_cde)                 AS Lignes_cde,
       SUM(Q.Ligne_exp)                 AS Lignes_exp
  FROM (SELECT LC.[No Expédition] AS NoExp, CAST(V.CodeBarre AS varchar(50)) AS CodeBarre,
               D.DL_QtePL AS Qte_cde, 0 AS Qte_exp, 1 AS Ligne_cde, 0 AS Ligne_exp
          FROM dbo.[Liste commandes] LC
         INNER JOIN dbo.F_DOCLIGNE D ON D.DO_Piece = LC.[No commande SAGE]
                                    AND D.DO_Domaine = 0 AND D.DO_Type = 1
         INNER JOIN dbo.V_ARTICLE V ON V.AR_Ref = D.AR_Ref AND V.AG_No = D.AG_No1
         WHERE V.CodeBarre <> ''
           AND (D.AR_RefCompose IS NULL OR D.AR_RefCompose = D.AR_Ref)
        UNION ALL
        SELECT C.[No Expédition], C.[Code barres Article], 0, C.[Quantité], 0, 1
          FROM dbo.Colisage C) Q
 GROUP BY Q.NoExp, Q.CodeBarre;
GO

-- By bar code. [Qté Livrée] is the quantity to deliver (ordered), [Qté Exp]
-- the quantity shipped; Différence = shipped - ordered.
CREATE VIEW dbo.[Controle qte]
AS
SELECT B.NoExp                                          AS NoExp,
       B.CodeBarre                                      AS CB,
       COALESCE(V.design_couleur, A.lib_art_couleur, 'Article inconnu') AS [Libellé],
       B.Qte_exp                                        AS [Qté Exp],
       B.Qte_cde                                        AS [Qté Livrée],
       CASE WHEN B.Qte_exp = B.Qte_cde THEN 'OK' ELSE 'Quantité incorrecte' END AS Controle,
       B.Qte_exp - B.Qte_cde                            AS [Différence]
  FROM dbo.controle_qte_base B
  LEFT OUTER JOIN dbo.V_ARTICLE V ON V.CodeBarre = B.CodeBarre
  LEFT OUTER JOIN dbo.Article A ON A.[Code barres Article] = B.CodeBarre;
GO

-- By article reference: all range elements of an article together. Bar codes
-- unknown to Sage are resolved through Tarvo's article table, or gathered
-- under an empty reference.
CREATE VIEW dbo.controle_qte_art
AS
SELECT R.NoExp                                          AS NoExp,
       R.AR_Ref                                         AS AR_Ref,
       MAX(R.[Libellé])                                 AS [Libellé],
       SUM(R.Qte_exp)                                   AS [Qté Exp],
       SUM(R.Qte_cde)                                   AS [Qté Livrée],
       CASE WHEN SUM(R.Qte_exp) = SUM(R.Qte_cde) THEN 'OK' ELSE 'Quantité incorrecte' END
                                                        AS Controle,
       SUM(R.Qte_exp) - SUM(R.Qte_cde)                  AS [Différence]
  FROM (SELECT B.NoExp, COALESCE(V.AR_Ref, A.AR_Ref, '') AS AR_Ref,
               COALESCE(V.[Libellé], A.[Libellé], 'Article inconnu') AS [Libellé],
               B.Qte_cde, B.Qte_exp
          FROM dbo.controle_qte_base B
          LEFT OUTER JOIN dbo.V_ARTICLE V ON V.CodeBarre = B.CodeBarre
          LEFT OUTER JOIN dbo.Article A ON A.[Code barres Article] = B.CodeBarre) R
 GROUP BY R.NoExp, R.AR_Ref;
GO

-- By article and range element (one bar code each). Couleur_cde is the
-- colour when the element was ordered, Couleur_exp when it was shipped;
-- EnGamme 1 for an article managed in ranges.
CREATE VIEW dbo.controle_qte_gamme
AS
SELECT B.NoExp                                                   AS NoExp,
       COALESCE(V.AR_Ref, A.AR_Ref, '')                          AS AR_Ref,
       B.CodeBarre                                               AS CodeBarre,
       COALESCE(V.[Libellé], A.[Libellé], 'Article inconnu')     AS Libelle,
       COALESCE(V.design_couleur, A.lib_art_couleur, 'Article inconnu') AS Design_couleur,
       COALESCE(V.Couleur, A.Couleur, '')                        AS Couleur,
       CASE WHEN B.Lignes_cde > 0 THEN COALESCE(V.Couleur, A.Couleur, '') END AS Couleur_cde,
       CASE WHEN B.Lignes_exp > 0 THEN COALESCE(V.Couleur, A.Couleur, '') END AS Couleur_exp,
       B.Qte_cde                                                 AS Qte_cde,
       B.Qte_exp                                                 AS Qte_exp,
       CASE WHEN B.Qte_exp = B.Qte_cde THEN 'OK' ELSE 'Quantité incorrecte' END AS Controle,
       B.Qte_exp - B.Qte_cde                                     AS Difference,
       CASE WHEN COALESCE(V.AG_No, A.AG_No, 0) <> 0 THEN 1 ELSE 0 END AS EnGamme
  FROM dbo.controle_qte_base B
  LEFT OUTER JOIN dbo.V_ARTICLE V ON V.CodeBarre = B.CodeBarre
  LEFT OUTER JOIN dbo.Article A ON A.[Code barres Article] = B.CodeBarre;
GO
