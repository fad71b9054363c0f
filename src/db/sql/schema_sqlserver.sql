-- Tarvo installation script for SQL Server.
--
-- Run it once in the Sage 100 database (the one that holds F_DOCENTETE,
-- F_DOCLIGNE, F_ARTICLE...), by a login allowed to create tables, views,
-- triggers and procedures, with the file read as UTF-8, for example:
--     sqlcmd -S SERVER -d SAGEDB -E -f 65001 -i tarvo_sqlserver.sql
-- Tables are created only when missing; views, triggers and the procedure
-- are replaced, so the script can be run again after an update. Works on
-- SQL Server 2012 and later (the browsers page with OFFSET … FETCH).

SET ANSI_NULLS ON;
SET QUOTED_IDENTIFIER ON;
SET ANSI_PADDING ON;
GO

----------------------------------------------------------------------------
-- Tarvo's tables
----------------------------------------------------------------------------

IF OBJECT_ID(N'dbo.[Expédition]', N'U') IS NULL
CREATE TABLE dbo.[Expédition] (
    [No Expédition]       int IDENTITY(1, 1) NOT NULL,
    [Libellé 1]           varchar(69) COLLATE French_CI_AI NULL,
    [Libellé 2]           varchar(69) COLLATE French_CI_AI NULL,
    [No lieu livraison]   int NULL,
    Langue                smallint NULL,
    [Date création]       datetime NULL CONSTRAINT [DF_Expédition_Date création] DEFAULT (getdate()),
    [Date cloture]        datetime NULL,
    [Nbr colis théorique] int NOT NULL CONSTRAINT [DF_Expédition_Nbr colis théorique] DEFAULT (0),
    [Nbr colis réel]      int NOT NULL CONSTRAINT [DF_Expédition_Nbr colis réel] DEFAULT (0),
    Tare                  decimal(12, 3) NULL,
    [Poids Net]           decimal(12, 3) NULL,
    [Poids brut]          decimal(12, 3) NULL,
    Volume                decimal(12, 4) NULL,
    CONSTRAINT [PK_Expédition] PRIMARY KEY CLUSTERED ([No Expédition])
);
GO
IF NOT EXISTS (SELECT 1 FROM sys.indexes
                WHERE name = N'IX_Expédition_Date création'
                  AND object_id = OBJECT_ID(N'dbo.[Expédition]'))
CREATE INDEX [IX_Expédition_Date création] ON dbo.[Expédition] ([Date création]);
GO

-- No unique key: an order attached twice is reported by the order search
-- rather than refused here.
IF OBJECT_ID(N'dbo.[Liste commandes]', N'U') IS NULL
CREATE TABLE dbo.[Liste commandes] (
    [No Expédition]      int NOT NULL,
    [No commande SAGE]   varchar(13) COLLATE French_CI_AI NOT NULL,
    [Référence SAGE]     varchar(17) COLLATE French_CI_AI NULL,
    [Date livraison]     datetime NULL,
    Langue               smallint NULL,
    [No Client]          varchar(17) COLLATE French_CI_AI NULL,
    [Date création SAGE] datetime NULL,
    [No lieu livraison]  int NULL
);
GO
IF NOT EXISTS (SELECT 1 FROM sys.indexes
                WHERE name = N'IX_Liste commandes_No Expédition'
                  AND object_id = OBJECT_ID(N'dbo.[Liste commandes]'))
CREATE CLUSTERED INDEX [IX_Liste commandes_No Expédition]
    ON dbo.[Liste commandes] ([No Expédition]);
GO
IF NOT EXISTS (SELECT 1 FROM sys.indexes
                WHERE name = N'IX_Liste commandes_No commande SAGE'
                  AND object_id = OBJECT_ID(N'dbo.[Liste commandes]'))
CREATE INDEX [IX_Liste commandes_No commande SAGE]
    ON dbo.[Liste commandes] ([No commande SAGE]);
GO

IF OBJECT_ID(N'dbo.Colis', N'U') IS NULL
CREATE TABLE dbo.Colis (
    [No Expédition]    int NOT NULL,
    [No Colis]         int NOT NULL,
    [Poids colis]      decimal(12, 3) NULL,
    [Date mise à jour] datetime NULL,
    CONSTRAINT PK_Colis PRIMARY KEY CLUSTERED ([No Expédition], [No Colis])
);
GO

IF OBJECT_ID(N'dbo.Colisage', N'U') IS NULL
CREATE TABLE dbo.Colisage (
    [No Expédition]       int NOT NULL,
    [No Colis]            int NOT NULL,
    [Code barres Article] varchar(50) COLLATE French_CI_AI NOT NULL,
    [Quantité]            int NULL,
    [Date mise à jour]    datetime NULL,
    CONSTRAINT PK_Colisage
        PRIMARY KEY CLUSTERED ([No Expédition], [No Colis], [Code barres Article])
);
GO

IF OBJECT_ID(N'dbo.Article', N'U') IS NULL
CREATE TABLE dbo.Article (
    [Code barres Article] varchar(50) COLLATE French_CI_AI NOT NULL,
    [Libellé]             varchar(69) COLLATE French_CI_AI NULL,
    Couleur               varchar(21) COLLATE French_CI_AI NULL,
    lib_art_couleur       varchar(100) COLLATE French_CI_AI NULL,
    AR_Ref                varchar(19) COLLATE French_CI_AI NULL,
    AG_No                 int NULL,
    date_ajout            datetime NULL,
    CONSTRAINT PK_Article PRIMARY KEY CLUSTERED ([Code barres Article])
);
GO

-- History of every integrated terminal line: it outlives its shipment.
IF OBJECT_ID(N'dbo.[Journal de saisie]', N'U') IS NULL
CREATE TABLE dbo.[Journal de saisie] (
    [Code type ligne]     varchar(7) COLLATE French_CI_AI NULL,
    [No Expédition]       int NULL,
    [No Colis]            varchar(10) COLLATE French_CI_AI NULL,
    [Code barres Article] varchar(50) COLLATE French_CI_AI NULL,
    [Poids colis]         decimal(12, 3) NULL,
    [Quantité]            int NULL,
    [Date saisie]         datetime NULL,
    [Date intégration]    datetime NULL,
    -- Orders the rows as they were written: the browser's snapshot bound.
    [Id saisie]           bigint IDENTITY(1, 1) NOT NULL
);
GO
IF NOT EXISTS (SELECT 1 FROM sys.indexes
                WHERE name = N'IX_Journal de saisie_No Expédition'
                  AND object_id = OBJECT_ID(N'dbo.[Journal de saisie]'))
CREATE INDEX [IX_Journal de saisie_No Expédition] ON dbo.[Journal de saisie] ([No Expédition]);
GO
-- The later tables and indexes (the integrated files, the browsers' indexes)
-- come from the upgrade steps, appended to this script by the program, so
-- that an installation and an upgrade run the same texts.

IF OBJECT_ID(N'dbo.[Informations société]', N'U') IS NULL
CREATE TABLE dbo.[Informations société] (
    [Nom société] varchar(69) NULL,
    [Activité]    varchar(69) NULL,
    [Adresse 1]   varchar(69) NULL,
    [Adresse 2]   varchar(69) NULL,
    [Code postal] varchar(9) NULL,
    Ville         varchar(35) NULL,
    Pays          varchar(35) NULL,
    [Téléphone]   varchar(21) NULL,
    Fax           varchar(21) NULL,
    email         varchar(69) NULL,
    Web           varchar(69) NULL,
    Capital       varchar(35) NULL,
    APE           varchar(10) NULL,
    Siret         varchar(20) NULL,
    RCS           varchar(69) NULL,
    Logo          varbinary(max) NULL
);
GO

-- Work rows of the range control report, one set per connection (SPID);
-- the report prints them in id order.
IF OBJECT_ID(N'dbo.w_controle_qte_gamme', N'U') IS NULL
CREATE TABLE dbo.w_controle_qte_gamme (
    SPID           int NOT NULL,
    NoExp          int NULL,
    AR_Ref         varchar(19) COLLATE French_CI_AI NULL,
    CodeBarre      varchar(50) COLLATE French_CI_AI NULL,
    Libelle        varchar(69) COLLATE French_CI_AI NULL,
    Design_couleur varchar(100) COLLATE French_CI_AI NULL,
    Couleur_cde    varchar(21) COLLATE French_CI_AI NULL,
    Couleur_exp    varchar(21) COLLATE French_CI_AI NULL,
    Qte_cde        decimal(38, 6) NULL,
    Qte_exp        decimal(38, 6) NULL,
    Qte_cde_str    varchar(20) COLLATE French_CI_AI NULL,
    Qte_exp_str    varchar(20) COLLATE French_CI_AI NULL,
    Controle       varchar(30) COLLATE French_CI_AI NULL,
    Difference     decimal(38, 6) NULL,
    EnGamme        smallint NULL,
    id             int IDENTITY(1, 1) NOT NULL,
    CONSTRAINT PK_w_controle_qte_gamme PRIMARY KEY CLUSTERED (id)
);
GO
IF NOT EXISTS (SELECT 1 FROM sys.indexes
                WHERE name = N'IX_w_controle_qte_gamme_SPID'
                  AND object_id = OBJECT_ID(N'dbo.w_controle_qte_gamme'))
CREATE INDEX IX_w_controle_qte_gamme_SPID ON dbo.w_controle_qte_gamme (SPID, id);
GO

----------------------------------------------------------------------------
-- Dependent rows go with their parent. Triggers rather than foreign keys:
-- packing rows whose parcel row is missing (older data, other tools) stay
-- accepted instead of failing a whole terminal integration. The entry
-- journal is history and is kept.
----------------------------------------------------------------------------

IF OBJECT_ID(N'dbo.[TR_Colis_suppression]', N'TR') IS NOT NULL
    DROP TRIGGER dbo.[TR_Colis_suppression];
GO
CREATE TRIGGER dbo.[TR_Colis_suppression] ON dbo.Colis AFTER DELETE
AS
BEGIN
    SET NOCOUNT ON;
    DELETE C
      FROM dbo.Colisage C
     INNER JOIN deleted D
        ON D.[No Expédition] = C.[No Expédition] AND D.[No Colis] = C.[No Colis];
END;
GO

IF OBJECT_ID(N'dbo.[TR_Expédition_suppression]', N'TR') IS NOT NULL
    DROP TRIGGER dbo.[TR_Expédition_suppression];
GO
CREATE TRIGGER dbo.[TR_Expédition_suppression] ON dbo.[Expédition] AFTER DELETE
AS
BEGIN
    SET NOCOUNT ON;
    DELETE L
      FROM dbo.[Liste commandes] L
     INNER JOIN deleted D ON D.[No Expédition] = L.[No Expédition];
    DELETE C
      FROM dbo.Colisage C
     INNER JOIN deleted D ON D.[No Expédition] = C.[No Expédition];
    DELETE C
      FROM dbo.Colis C
     INNER JOIN deleted D ON D.[No Expédition] = C.[No Expédition];
END;
GO

----------------------------------------------------------------------------
-- Views over the Sage tables
----------------------------------------------------------------------------

-- Active Sage articles with their bar codes: one row per article without
-- range (its own bar code, AG_No 0), one row per range element otherwise
-- (bar code of F_ARTENUMREF). Articles without a bar code (services,
-- carriage) come with an empty one.
IF OBJECT_ID(N'dbo.V_ARTICLE', N'V') IS NOT NULL
    DROP VIEW dbo.V_ARTICLE;
GO
CREATE VIEW dbo.V_ARTICLE
AS
SELECT ISNULL(A.AR_CodeBarre, '')   AS CodeBarre,
       A.AR_Ref                     AS AR_Ref,
       0                            AS AG_No,
       A.AR_Design                  AS [Libellé],
       CAST('' AS varchar(21))      AS Couleur,
       CAST(A.AR_Design AS varchar(100)) AS lib_art_couleur,
       CAST(A.AR_Design AS varchar(100)) AS design_couleur
  FROM dbo.F_ARTICLE A
 WHERE A.AR_Gamme1 = 0 AND A.AR_Sommeil = 0
UNION ALL
SELECT ISNULL(E.AE_CodeBarre, ''),
       A.AR_Ref,
       E.AG_No1,
       A.AR_Design,
       G.EG_Enumere,
       A.AR_Design + ' ' + G.EG_Enumere,
       A.AR_Design + ' - ' + G.EG_Enumere
  FROM dbo.F_ARTENUMREF E
 INNER JOIN dbo.F_ARTICLE A ON A.AR_Ref = E.AR_Ref
 INNER JOIN dbo.F_ARTGAMME G ON G.AG_No = E.AG_No1
 WHERE A.AR_Gamme1 <> 0 AND A.AR_Sommeil = 0 AND E.AE_Sommeil = 0;
GO

-- Sales orders (domain 0, type 1) with something left to deliver that no
-- shipment holds yet.
IF OBJECT_ID(N'dbo.[Commandes Dispo]', N'V') IS NOT NULL
    DROP VIEW dbo.[Commandes Dispo];
GO
CREATE VIEW dbo.[Commandes Dispo]
AS
SELECT E.DO_Piece, E.DO_Ref, E.DO_Date, E.DO_DateLivr, E.DO_Tiers, C.CT_Intitule,
       E.LI_No, L.LI_Intitule, L.LI_Ville, L.LI_Pays
  FROM dbo.F_DOCENTETE E
 INNER JOIN dbo.F_COMPTET C ON C.CT_Num = E.DO_Tiers
  LEFT OUTER JOIN dbo.F_LIVRAISON L ON L.LI_No = E.LI_No
 WHERE E.DO_Domaine = 0 AND E.DO_Type = 1
   AND EXISTS (SELECT 1 FROM dbo.F_DOCLIGNE D
                WHERE D.DO_Domaine = 0 AND D.DO_Type = 1 AND D.DO_Piece = E.DO_Piece
                  AND D.DL_QtePL > 0)
   AND NOT EXISTS (SELECT 1 FROM dbo.[Liste commandes] LC
                    WHERE LC.[No commande SAGE] = E.DO_Piece);
GO

-- What a shipment takes from each sales order.
IF OBJECT_ID(N'dbo.[Info Commande]', N'V') IS NOT NULL
    DROP VIEW dbo.[Info Commande];
GO
CREATE VIEW dbo.[Info Commande]
AS
SELECT E.DO_Piece, E.DO_Ref, E.DO_Date, E.DO_DateLivr, E.DO_Tiers, E.DO_Langue,
       E.LI_No, L.LI_Intitule, L.LI_Ville
  FROM dbo.F_DOCENTETE E
  LEFT OUTER JOIN dbo.F_LIVRAISON L ON L.LI_No = E.LI_No
 WHERE E.DO_Domaine = 0 AND E.DO_Type = 1;
GO
