-- Embedded database: Tarvo's own tables, the Sage tables it reads and the
-- views that present Sage data in the shape the program needs.
-- Date-times are ISO text 'yyyy-MM-dd HH:mm:ss' (local time).
-- Text columns that are sorted, searched or matched are COLLATE FRANCAIS (see
-- db/CollationFrancaise.h): the server's case- and accent-insensitive order.
-- A unique key therefore holds one row for "abc" and "ABC", as on the server.
-- Date-times keep the binary order, which is already their chronological one
-- and costs nothing; so do the technical tables (fingerprints, numbers).
-- Every statement is IF NOT EXISTS: the schema upgrade runs this script again
-- to remake the tables it has set aside.
-- Quantities use NUMERIC affinity so that whole quantities come back as
-- integers; weights and volumes are REAL.

-- Process numbers of the connections open on this file, handed out by the
-- connection code (the equivalent of @@SPID).
CREATE TABLE IF NOT EXISTS tarvo_connexion (
    spid      INTEGER PRIMARY KEY AUTOINCREMENT,
    ouverture TEXT NOT NULL
);

-- One row per integrated terminal data file, committed with its lines: the
-- very file found again after a stop between the commit and its removal (same
-- SHA-256 of its bytes, same modification time in milliseconds since 1970 UTC)
-- is removed, not integrated a second time. A file written again is new.
CREATE TABLE IF NOT EXISTS tarvo_integration (
    empreinte        TEXT NOT NULL,
    modification     INTEGER NOT NULL,
    date_integration TEXT NOT NULL,
    archive          TEXT NOT NULL,
    PRIMARY KEY (empreinte, modification)
);

----------------------------------------------------------------------------
-- Tarvo's tables
----------------------------------------------------------------------------

CREATE TABLE IF NOT EXISTS [Expédition] (
    [No Expédition]       INTEGER PRIMARY KEY AUTOINCREMENT,
    [Libellé 1]           TEXT COLLATE FRANCAIS,
    [Libellé 2]           TEXT COLLATE FRANCAIS,
    [No lieu livraison]   INTEGER,
    Langue                INTEGER,
    [Date création]       TEXT DEFAULT (datetime('now', 'localtime')),
    [Date cloture]        TEXT,
    [Nbr colis théorique] INTEGER NOT NULL DEFAULT 0,
    [Nbr colis réel]      INTEGER NOT NULL DEFAULT 0,
    Tare                  REAL,
    [Poids Net]           REAL,
    [Poids brut]          REAL,
    Volume                REAL
);
CREATE INDEX IF NOT EXISTS [IX_Expédition_Date création] ON [Expédition] ([Date création]);

-- No unique key: the creation windows may attach an order twice, and the
-- order search reports it rather than the database refusing it.
CREATE TABLE IF NOT EXISTS [Liste commandes] (
    [No Expédition]       INTEGER NOT NULL,
    [No commande SAGE]    TEXT COLLATE FRANCAIS NOT NULL,
    [Référence SAGE]      TEXT COLLATE FRANCAIS,
    [Date livraison]      TEXT,
    Langue                INTEGER,
    [No Client]           TEXT COLLATE FRANCAIS,
    [Date création SAGE]  TEXT,
    [No lieu livraison]   INTEGER
);
CREATE INDEX IF NOT EXISTS [IX_Liste commandes_No Expédition] ON [Liste commandes] ([No Expédition]);
CREATE INDEX IF NOT EXISTS [IX_Liste commandes_No commande SAGE] ON [Liste commandes] ([No commande SAGE]);

CREATE TABLE IF NOT EXISTS Colis (
    [No Expédition]    INTEGER NOT NULL,
    [No Colis]         INTEGER NOT NULL,
    [Poids colis]      REAL,
    [Date mise à jour] TEXT,
    PRIMARY KEY ([No Expédition], [No Colis])
);

CREATE TABLE IF NOT EXISTS Colisage (
    [No Expédition]       INTEGER NOT NULL,
    [No Colis]            INTEGER NOT NULL,
    [Code barres Article] TEXT COLLATE FRANCAIS NOT NULL,
    [Quantité]            INTEGER,
    [Date mise à jour]    TEXT,
    PRIMARY KEY ([No Expédition], [No Colis], [Code barres Article])
);

CREATE TABLE IF NOT EXISTS Article (
    [Code barres Article] TEXT COLLATE FRANCAIS NOT NULL PRIMARY KEY,
    [Libellé]             TEXT COLLATE FRANCAIS,
    Couleur               TEXT COLLATE FRANCAIS,
    lib_art_couleur       TEXT COLLATE FRANCAIS,
    AR_Ref                TEXT COLLATE FRANCAIS,
    AG_No                 INTEGER,
    date_ajout            TEXT
);

-- History of every integrated terminal line: it outlives its shipment.
CREATE TABLE IF NOT EXISTS [Journal de saisie] (
    [Code type ligne]     TEXT COLLATE FRANCAIS,
    [No Expédition]       INTEGER,
    [No Colis]            TEXT COLLATE FRANCAIS,
    [Code barres Article] TEXT COLLATE FRANCAIS,
    [Poids colis]         REAL,
    [Quantité]            INTEGER,
    [Date saisie]         TEXT,
    [Date intégration]    TEXT
);
CREATE INDEX IF NOT EXISTS [IX_Journal de saisie_No Expédition] ON [Journal de saisie] ([No Expédition]);
-- The preparation follow-up reads each open shipment's last entry and run
-- from the index alone.
CREATE INDEX IF NOT EXISTS [IX_Journal de saisie_Suivi]
    ON [Journal de saisie] ([No Expédition], [Date saisie], [Date intégration]);
-- The browsers filter and sort every column where the data is.
CREATE INDEX IF NOT EXISTS [IX_Journal de saisie_Code type ligne] ON [Journal de saisie] ([Code type ligne]);
CREATE INDEX IF NOT EXISTS [IX_Journal de saisie_No Colis] ON [Journal de saisie] ([No Colis]);
CREATE INDEX IF NOT EXISTS [IX_Journal de saisie_Code barres Article] ON [Journal de saisie] ([Code barres Article]);
CREATE INDEX IF NOT EXISTS [IX_Journal de saisie_Poids colis] ON [Journal de saisie] ([Poids colis]);
CREATE INDEX IF NOT EXISTS [IX_Journal de saisie_Quantité] ON [Journal de saisie] ([Quantité]);
CREATE INDEX IF NOT EXISTS [IX_Journal de saisie_Date saisie] ON [Journal de saisie] ([Date saisie]);
CREATE INDEX IF NOT EXISTS [IX_Journal de saisie_Date intégration] ON [Journal de saisie] ([Date intégration]);
CREATE INDEX IF NOT EXISTS [IX_Article_Libellé] ON Article ([Libellé]);
CREATE INDEX IF NOT EXISTS [IX_Article_Couleur] ON Article ([Couleur]);
CREATE INDEX IF NOT EXISTS [IX_Article_AR_Ref] ON Article ([AR_Ref]);

CREATE TABLE IF NOT EXISTS [Informations société] (
    [Nom société] TEXT,
    [Activité]    TEXT,
    [Adresse 1]   TEXT,
    [Adresse 2]   TEXT,
    [Code postal] TEXT,
    Ville         TEXT,
    Pays          TEXT,
    [Téléphone]   TEXT,
    Fax           TEXT,
    email         TEXT,
    Web           TEXT,
    Capital       TEXT,
    APE           TEXT,
    Siret         TEXT,
    RCS           TEXT,
    Logo          BLOB
);

-- Work rows of the range control report, one set per connection (SPID);
-- the report prints them in id order.
CREATE TABLE IF NOT EXISTS w_controle_qte_gamme (
    SPID           INTEGER NOT NULL,
    NoExp          INTEGER,
    AR_Ref         TEXT COLLATE FRANCAIS,
    CodeBarre      TEXT COLLATE FRANCAIS,
    Libelle        TEXT COLLATE FRANCAIS,
    Design_couleur TEXT COLLATE FRANCAIS,
    Couleur_cde    TEXT COLLATE FRANCAIS,
    Couleur_exp    TEXT COLLATE FRANCAIS,
    Qte_cde        NUMERIC,
    Qte_exp        NUMERIC,
    Qte_cde_str    TEXT COLLATE FRANCAIS,
    Qte_exp_str    TEXT COLLATE FRANCAIS,
    Controle       TEXT COLLATE FRANCAIS,
    Difference     NUMERIC,
    EnGamme        INTEGER,
    id             INTEGER PRIMARY KEY AUTOINCREMENT
);
CREATE INDEX IF NOT EXISTS IX_w_controle_qte_gamme_SPID ON w_controle_qte_gamme (SPID);

-- Dependent rows go with their parent. Triggers rather than foreign keys:
-- they hold whatever the connection's foreign_keys setting, and they accept
-- packing rows whose parcel row is missing (older data, other tools) instead
-- of failing a whole terminal integration.
CREATE TRIGGER IF NOT EXISTS [TR_Colis_suppression] AFTER DELETE ON Colis
BEGIN
    DELETE FROM Colisage
     WHERE [No Expédition] = OLD.[No Expédition] AND [No Colis] = OLD.[No Colis];
END;

-- The entry journal is history and is kept.
CREATE TRIGGER IF NOT EXISTS [TR_Expédition_suppression] AFTER DELETE ON [Expédition]
BEGIN
    DELETE FROM [Liste commandes] WHERE [No Expédition] = OLD.[No Expédition];
    DELETE FROM Colisage WHERE [No Expédition] = OLD.[No Expédition];
    DELETE FROM Colis WHERE [No Expédition] = OLD.[No Expédition];
END;

----------------------------------------------------------------------------
-- Sage tables (the subset the views and the program read)
----------------------------------------------------------------------------

-- Third parties; CT_Type 0 = customer.
CREATE TABLE IF NOT EXISTS F_COMPTET (
    CT_Num        TEXT COLLATE FRANCAIS NOT NULL PRIMARY KEY,
    CT_Intitule   TEXT COLLATE FRANCAIS NOT NULL,
    CT_Type       INTEGER NOT NULL DEFAULT 0,
    CT_Classement TEXT COLLATE FRANCAIS,
    CT_Contact    TEXT COLLATE FRANCAIS,
    CT_Adresse    TEXT COLLATE FRANCAIS,
    CT_Complement TEXT COLLATE FRANCAIS,
    CT_CodePostal TEXT COLLATE FRANCAIS,
    CT_Ville      TEXT COLLATE FRANCAIS,
    CT_Pays       TEXT COLLATE FRANCAIS,
    CT_Telephone  TEXT COLLATE FRANCAIS,
    CT_EMail      TEXT COLLATE FRANCAIS,
    CT_Langue     INTEGER NOT NULL DEFAULT 0,
    CT_Sommeil    INTEGER NOT NULL DEFAULT 0
);

CREATE TABLE IF NOT EXISTS F_LIVRAISON (
    LI_No         INTEGER PRIMARY KEY,
    CT_Num        TEXT COLLATE FRANCAIS NOT NULL,
    LI_Intitule   TEXT COLLATE FRANCAIS,
    LI_Adresse    TEXT COLLATE FRANCAIS,
    LI_Complement TEXT COLLATE FRANCAIS,
    LI_CodePostal TEXT COLLATE FRANCAIS,
    LI_Ville      TEXT COLLATE FRANCAIS,
    LI_CodeRegion TEXT COLLATE FRANCAIS,
    LI_Pays       TEXT COLLATE FRANCAIS,
    LI_Contact    TEXT COLLATE FRANCAIS,
    LI_Telephone  TEXT COLLATE FRANCAIS,
    LI_EMail      TEXT COLLATE FRANCAIS,
    LI_Principal  INTEGER NOT NULL DEFAULT 0
);
CREATE INDEX IF NOT EXISTS IX_F_LIVRAISON_CT_Num ON F_LIVRAISON (CT_Num);

-- AR_Gamme1 <> 0: the article is managed in a range (colours), its bar codes
-- are those of its range elements in F_ARTENUMREF. AR_Nomencl 2 = composed.
-- The weights of one unit are 0 when not given, in AR_UnitePoids: 0 ton,
-- 1 quintal, 2 kilogram, 3 gram, 4 milligram.
CREATE TABLE IF NOT EXISTS F_ARTICLE (
    AR_Ref        TEXT COLLATE FRANCAIS NOT NULL PRIMARY KEY,
    AR_Design     TEXT COLLATE FRANCAIS NOT NULL,
    FA_CodeFamille TEXT COLLATE FRANCAIS,
    AR_Gamme1     INTEGER NOT NULL DEFAULT 0,
    AR_Gamme2     INTEGER NOT NULL DEFAULT 0,
    AR_Nomencl    INTEGER NOT NULL DEFAULT 0,
    AR_CodeBarre  TEXT COLLATE FRANCAIS,
    AR_UniteVen   INTEGER NOT NULL DEFAULT 1,
    AR_PrixVen    NUMERIC NOT NULL DEFAULT 0,
    AR_SuiviStock INTEGER NOT NULL DEFAULT 2,
    AR_Sommeil    INTEGER NOT NULL DEFAULT 0,
    AR_PoidsNet   NUMERIC NOT NULL DEFAULT 0,
    AR_PoidsBrut  NUMERIC NOT NULL DEFAULT 0,
    AR_UnitePoids INTEGER NOT NULL DEFAULT 2
);
CREATE INDEX IF NOT EXISTS IX_F_ARTICLE_AR_CodeBarre ON F_ARTICLE (AR_CodeBarre);

-- Range elements of an article; AG_Type 0 = first range.
CREATE TABLE IF NOT EXISTS F_ARTGAMME (
    AG_No      INTEGER PRIMARY KEY,
    AR_Ref     TEXT COLLATE FRANCAIS NOT NULL,
    EG_Enumere TEXT COLLATE FRANCAIS NOT NULL,
    AG_Type    INTEGER NOT NULL DEFAULT 0
);
CREATE INDEX IF NOT EXISTS IX_F_ARTGAMME_AR_Ref ON F_ARTGAMME (AR_Ref);

-- One row per range combination of an article, with its bar code.
CREATE TABLE IF NOT EXISTS F_ARTENUMREF (
    AR_Ref       TEXT COLLATE FRANCAIS NOT NULL,
    AG_No1       INTEGER NOT NULL DEFAULT 0,
    AG_No2       INTEGER NOT NULL DEFAULT 0,
    AE_Ref       TEXT COLLATE FRANCAIS,
    AE_CodeBarre TEXT COLLATE FRANCAIS,
    AE_Sommeil   INTEGER NOT NULL DEFAULT 0,
    PRIMARY KEY (AR_Ref, AG_No1, AG_No2)
);
CREATE INDEX IF NOT EXISTS IX_F_ARTENUMREF_AE_CodeBarre ON F_ARTENUMREF (AE_CodeBarre);

-- DO_Domaine 0 = sales; DO_Type 0 quote, 1 order, 2 picking, 3 delivery
-- note, 6 invoice.
CREATE TABLE IF NOT EXISTS F_DOCENTETE (
    DO_Domaine  INTEGER NOT NULL DEFAULT 0,
    DO_Type     INTEGER NOT NULL,
    DO_Piece    TEXT COLLATE FRANCAIS NOT NULL,
    DO_Date     TEXT,
    DO_Ref      TEXT COLLATE FRANCAIS,
    DO_Tiers    TEXT COLLATE FRANCAIS,
    LI_No       INTEGER,
    DO_DateLivr TEXT,
    DO_Langue   INTEGER NOT NULL DEFAULT 0,
    DO_Statut   INTEGER NOT NULL DEFAULT 0,
    DO_Expedit  INTEGER NOT NULL DEFAULT 1,
    DO_TotalHT  NUMERIC NOT NULL DEFAULT 0,
    PRIMARY KEY (DO_Domaine, DO_Type, DO_Piece)
);
CREATE INDEX IF NOT EXISTS IX_F_DOCENTETE_DO_Piece ON F_DOCENTETE (DO_Piece);

-- On an order line DL_Qte is the quantity ordered, DL_QteBL what has been
-- delivered and DL_QtePL what remains to deliver. A composed article's line
-- carries its own reference in AR_RefCompose, its component lines the
-- composed article's reference.
CREATE TABLE IF NOT EXISTS F_DOCLIGNE (
    DL_No           INTEGER PRIMARY KEY AUTOINCREMENT,
    DO_Domaine      INTEGER NOT NULL DEFAULT 0,
    DO_Type         INTEGER NOT NULL,
    CT_Num          TEXT COLLATE FRANCAIS,
    DO_Piece        TEXT COLLATE FRANCAIS NOT NULL,
    DO_Date         TEXT,
    DO_Ref          TEXT COLLATE FRANCAIS,
    DL_Ligne        INTEGER NOT NULL,
    AR_Ref          TEXT COLLATE FRANCAIS,
    DL_Design       TEXT COLLATE FRANCAIS,
    DL_Qte          NUMERIC NOT NULL DEFAULT 0,
    DL_QteBC        NUMERIC NOT NULL DEFAULT 0,
    DL_QteBL        NUMERIC NOT NULL DEFAULT 0,
    DL_QtePL        NUMERIC NOT NULL DEFAULT 0,
    DL_PrixUnitaire NUMERIC NOT NULL DEFAULT 0,
    DL_MontantHT    NUMERIC NOT NULL DEFAULT 0,
    AG_No1          INTEGER NOT NULL DEFAULT 0,
    AG_No2          INTEGER NOT NULL DEFAULT 0,
    AR_RefCompose   TEXT COLLATE FRANCAIS
);
CREATE INDEX IF NOT EXISTS IX_F_DOCLIGNE_Piece ON F_DOCLIGNE (DO_Domaine, DO_Type, DO_Piece);
CREATE INDEX IF NOT EXISTS IX_F_DOCLIGNE_AR_Ref ON F_DOCLIGNE (AR_Ref);

----------------------------------------------------------------------------
-- Views
----------------------------------------------------------------------------

-- Active Sage articles with their bar codes: one row per article without
-- range (its own bar code, AG_No 0), one row per range element otherwise.
-- Articles without a bar code (services, carriage) come with an empty one.
CREATE VIEW IF NOT EXISTS V_ARTICLE AS
SELECT IFNULL(A.AR_CodeBarre, '') COLLATE FRANCAIS AS CodeBarre,
       A.AR_Ref                   AS AR_Ref,
       0                          AS AG_No,
       A.AR_Design                AS [Libellé],
       '' COLLATE FRANCAIS        AS Couleur,
       A.AR_Design                AS lib_art_couleur,
       A.AR_Design                AS design_couleur
  FROM F_ARTICLE A
 WHERE A.AR_Gamme1 = 0 AND A.AR_Sommeil = 0
UNION ALL
SELECT IFNULL(E.AE_CodeBarre, ''),
       A.AR_Ref,
       E.AG_No1,
       A.AR_Design,
       G.EG_Enumere,
       A.AR_Design || ' ' || G.EG_Enumere,
       A.AR_Design || ' - ' || G.EG_Enumere
  FROM F_ARTENUMREF E
  JOIN F_ARTICLE A ON A.AR_Ref = E.AR_Ref
  JOIN F_ARTGAMME G ON G.AG_No = E.AG_No1
 WHERE A.AR_Gamme1 <> 0 AND A.AR_Sommeil = 0 AND E.AE_Sommeil = 0;

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

-- Sales orders with something left to deliver that no shipment holds yet.
CREATE VIEW IF NOT EXISTS [Commandes Dispo] AS
SELECT E.DO_Piece, E.DO_Ref, E.DO_Date, E.DO_DateLivr, E.DO_Tiers, C.CT_Intitule,
       E.LI_No, L.LI_Intitule, L.LI_Ville, L.LI_Pays
  FROM F_DOCENTETE E
  JOIN F_COMPTET C ON C.CT_Num = E.DO_Tiers
  LEFT JOIN F_LIVRAISON L ON L.LI_No = E.LI_No
 WHERE E.DO_Domaine = 0 AND E.DO_Type = 1
   AND EXISTS (SELECT 1 FROM F_DOCLIGNE D
                WHERE D.DO_Domaine = 0 AND D.DO_Type = 1 AND D.DO_Piece = E.DO_Piece
                  AND D.DL_QtePL > 0)
   AND NOT EXISTS (SELECT 1 FROM [Liste commandes] LC
                    WHERE LC.[No commande SAGE] = E.DO_Piece);

-- What a shipment takes from each sales order.
CREATE VIEW IF NOT EXISTS [Info Commande] AS
SELECT E.DO_Piece, E.DO_Ref, E.DO_Date, E.DO_DateLivr, E.DO_Tiers, E.DO_Langue,
       E.LI_No, L.LI_Intitule, L.LI_Ville
  FROM F_DOCENTETE E
  LEFT JOIN F_LIVRAISON L ON L.LI_No = E.LI_No
 WHERE E.DO_Domaine = 0 AND E.DO_Type = 1;

-- Ordered against shipped quantities per shipment and bar code, the common
-- ground of the three control views. Ordered: the quantities still to deliver
-- on the order lines of the shipment's orders, matched to the bar code of
-- their range element; component lines of a composed article are left out
-- (the composed article is what is scanned), as are articles without a bar
-- code. Shipped: the packing lines of the shipment's parcels.
CREATE VIEW IF NOT EXISTS controle_qte_base AS
SELECT Q.NoExp                              AS NoExp,
       Q.CodeBarre                          AS CodeBarre,
       SUM(Q.Qte_cde)                       AS Qte_cde,
       SUM(Q.Qte_exp)                       AS Qte_exp,
       SUM(Q.Ligne_cde)                     AS Lignes_cde,
       SUM(Q.Ligne_exp)                     AS Lignes_exp
  FROM (SELECT LC.[No Expédition] AS NoExp, V.CodeBarre AS CodeBarre,
               D.DL_QtePL AS Qte_cde, 0 AS Qte_exp, 1 AS Ligne_cde, 0 AS Ligne_exp
          FROM [Liste commandes] LC
          JOIN F_DOCLIGNE D ON D.DO_Piece = LC.[No commande SAGE]
                           AND D.DO_Domaine = 0 AND D.DO_Type = 1
          JOIN V_ARTICLE V ON V.AR_Ref = D.AR_Ref AND V.AG_No = D.AG_No1
         WHERE V.CodeBarre <> ''
           AND (D.AR_RefCompose IS NULL OR D.AR_RefCompose = D.AR_Ref)
        UNION ALL
        SELECT C.[No Expédition], C.[Code barres Article], 0, C.[Quantité], 0, 1
          FROM Colisage C) Q
 GROUP BY Q.NoExp, Q.CodeBarre;

-- By bar code. [Qté Livrée] is the quantity to deliver (ordered), [Qté Exp]
-- the quantity shipped; Différence = shipped - ordered.
CREATE VIEW IF NOT EXISTS [Controle qte] AS
SELECT B.NoExp                                          AS NoExp,
       B.CodeBarre                                      AS CB,
       COALESCE(V.design_couleur, A.lib_art_couleur, 'Article inconnu') COLLATE FRANCAIS
                                                        AS [Libellé],
       B.Qte_exp                                        AS [Qté Exp],
       B.Qte_cde                                        AS [Qté Livrée],
       CASE WHEN B.Qte_exp = B.Qte_cde THEN 'OK' ELSE 'Quantité incorrecte' END AS Controle,
       B.Qte_exp - B.Qte_cde                            AS [Différence]
  FROM controle_qte_base B
  LEFT JOIN V_ARTICLE V ON V.CodeBarre = B.CodeBarre
  LEFT JOIN Article A ON A.[Code barres Article] = B.CodeBarre;

-- By article reference: all range elements of an article together. Bar codes
-- unknown to Sage are resolved through Tarvo's article table, or gathered
-- under an empty reference.
CREATE VIEW IF NOT EXISTS controle_qte_art AS
SELECT R.NoExp                                          AS NoExp,
       R.AR_Ref                                         AS AR_Ref,
       MAX(R.[Libellé]) COLLATE FRANCAIS                AS [Libellé],
       SUM(R.Qte_exp)                                   AS [Qté Exp],
       SUM(R.Qte_cde)                                   AS [Qté Livrée],
       CASE WHEN SUM(R.Qte_exp) = SUM(R.Qte_cde) THEN 'OK' ELSE 'Quantité incorrecte' END
                                                        AS Controle,
       SUM(R.Qte_exp) - SUM(R.Qte_cde)                  AS [Différence]
  FROM (SELECT B.NoExp, COALESCE(V.AR_Ref, A.AR_Ref, '') COLLATE FRANCAIS AS AR_Ref,
               COALESCE(V.[Libellé], A.[Libellé], 'Article inconnu') COLLATE FRANCAIS
                 AS [Libellé],
               B.Qte_cde, B.Qte_exp
          FROM controle_qte_base B
          LEFT JOIN V_ARTICLE V ON V.CodeBarre = B.CodeBarre
          LEFT JOIN Article A ON A.[Code barres Article] = B.CodeBarre) R
 GROUP BY R.NoExp, R.AR_Ref;

-- By article and range element (one bar code each). Couleur_cde is the
-- colour when the element was ordered, Couleur_exp when it was shipped;
-- EnGamme 1 for an article managed in ranges.
CREATE VIEW IF NOT EXISTS controle_qte_gamme AS
SELECT B.NoExp                                                   AS NoExp,
       COALESCE(V.AR_Ref, A.AR_Ref, '') COLLATE FRANCAIS         AS AR_Ref,
       B.CodeBarre                                               AS CodeBarre,
       COALESCE(V.[Libellé], A.[Libellé], 'Article inconnu') COLLATE FRANCAIS AS Libelle,
       COALESCE(V.design_couleur, A.lib_art_couleur, 'Article inconnu') COLLATE FRANCAIS
                                                                 AS Design_couleur,
       COALESCE(V.Couleur, A.Couleur, '') COLLATE FRANCAIS       AS Couleur,
       CASE WHEN B.Lignes_cde > 0 THEN COALESCE(V.Couleur, A.Couleur, '') END COLLATE FRANCAIS
                                                                 AS Couleur_cde,
       CASE WHEN B.Lignes_exp > 0 THEN COALESCE(V.Couleur, A.Couleur, '') END COLLATE FRANCAIS
                                                                 AS Couleur_exp,
       B.Qte_cde                                                 AS Qte_cde,
       B.Qte_exp                                                 AS Qte_exp,
       CASE WHEN B.Qte_exp = B.Qte_cde THEN 'OK' ELSE 'Quantité incorrecte' END AS Controle,
       B.Qte_exp - B.Qte_cde                                     AS Difference,
       CASE WHEN COALESCE(V.AG_No, A.AG_No, 0) <> 0 THEN 1 ELSE 0 END AS EnGamme
  FROM controle_qte_base B
  LEFT JOIN V_ARTICLE V ON V.CodeBarre = B.CodeBarre
  LEFT JOIN Article A ON A.[Code barres Article] = B.CodeBarre;
