-- The Sage tables the tests' server databases hold, before Tarvo's
-- installation script creates its views on them: the subset Tarvo reads, with
-- Sage's own types (varchar, not Unicode) and the French case- and
-- accent-insensitive collation of a Sage database.

CREATE TABLE dbo.F_COMPTET (
    CT_Num        varchar(17) COLLATE French_CI_AI NOT NULL PRIMARY KEY,
    CT_Intitule   varchar(69) COLLATE French_CI_AI NOT NULL,
    CT_Type       smallint NOT NULL DEFAULT 0,
    CT_Classement varchar(17) COLLATE French_CI_AI NULL,
    CT_Contact    varchar(35) COLLATE French_CI_AI NULL,
    CT_Adresse    varchar(35) COLLATE French_CI_AI NULL,
    CT_Complement varchar(35) COLLATE French_CI_AI NULL,
    CT_CodePostal varchar(9) COLLATE French_CI_AI NULL,
    CT_Ville      varchar(35) COLLATE French_CI_AI NULL,
    CT_Pays       varchar(35) COLLATE French_CI_AI NULL,
    CT_Telephone  varchar(21) COLLATE French_CI_AI NULL,
    CT_EMail      varchar(69) COLLATE French_CI_AI NULL,
    CT_Langue     smallint NOT NULL DEFAULT 0,
    CT_Sommeil    smallint NOT NULL DEFAULT 0
);
GO

CREATE TABLE dbo.F_LIVRAISON (
    LI_No         int NOT NULL PRIMARY KEY,
    CT_Num        varchar(17) COLLATE French_CI_AI NOT NULL,
    LI_Intitule   varchar(35) COLLATE French_CI_AI NULL,
    LI_Adresse    varchar(35) COLLATE French_CI_AI NULL,
    LI_Complement varchar(35) COLLATE French_CI_AI NULL,
    LI_CodePostal varchar(9) COLLATE French_CI_AI NULL,
    LI_Ville      varchar(35) COLLATE French_CI_AI NULL,
    LI_CodeRegion varchar(25) COLLATE French_CI_AI NULL,
    LI_Pays       varchar(35) COLLATE French_CI_AI NULL,
    LI_Contact    varchar(35) COLLATE French_CI_AI NULL,
    LI_Telephone  varchar(21) COLLATE French_CI_AI NULL,
    LI_EMail      varchar(69) COLLATE French_CI_AI NULL,
    LI_Principal  smallint NOT NULL DEFAULT 0
);
GO

CREATE TABLE dbo.F_ARTICLE (
    AR_Ref         varchar(19) COLLATE French_CI_AI NOT NULL PRIMARY KEY,
    AR_Design      varchar(69) COLLATE French_CI_AI NOT NULL,
    FA_CodeFamille varchar(11) COLLATE French_CI_AI NULL,
    AR_Gamme1      int NOT NULL DEFAULT 0,
    AR_Gamme2      int NOT NULL DEFAULT 0,
    AR_Nomencl     smallint NOT NULL DEFAULT 0,
    AR_CodeBarre   varchar(19) COLLATE French_CI_AI NULL,
    AR_UniteVen    smallint NOT NULL DEFAULT 1,
    AR_PrixVen     numeric(24, 6) NOT NULL DEFAULT 0,
    AR_SuiviStock  smallint NOT NULL DEFAULT 2,
    AR_Sommeil     smallint NOT NULL DEFAULT 0,
    AR_PoidsNet    numeric(24, 6) NOT NULL DEFAULT 0,
    AR_PoidsBrut   numeric(24, 6) NOT NULL DEFAULT 0,
    AR_UnitePoids  smallint NOT NULL DEFAULT 2
);
GO

CREATE TABLE dbo.F_ARTGAMME (
    AG_No      int NOT NULL PRIMARY KEY,
    AR_Ref     varchar(19) COLLATE French_CI_AI NOT NULL,
    EG_Enumere varchar(21) COLLATE French_CI_AI NOT NULL,
    AG_Type    smallint NOT NULL DEFAULT 0
);
GO

CREATE TABLE dbo.F_ARTENUMREF (
    AR_Ref       varchar(19) COLLATE French_CI_AI NOT NULL,
    AG_No1       int NOT NULL DEFAULT 0,
    AG_No2       int NOT NULL DEFAULT 0,
    AE_Ref       varchar(19) COLLATE French_CI_AI NULL,
    AE_CodeBarre varchar(19) COLLATE French_CI_AI NULL,
    AE_Sommeil   smallint NOT NULL DEFAULT 0,
    PRIMARY KEY (AR_Ref, AG_No1, AG_No2)
);
GO

CREATE TABLE dbo.F_DOCENTETE (
    DO_Domaine  smallint NOT NULL DEFAULT 0,
    DO_Type     smallint NOT NULL,
    DO_Piece    varchar(13) COLLATE French_CI_AI NOT NULL,
    DO_Date     datetime NULL,
    DO_Ref      varchar(17) COLLATE French_CI_AI NULL,
    DO_Tiers    varchar(17) COLLATE French_CI_AI NULL,
    LI_No       int NULL,
    DO_DateLivr datetime NULL,
    DO_Langue   smallint NOT NULL DEFAULT 0,
    DO_Statut   smallint NOT NULL DEFAULT 0,
    DO_Expedit  smallint NOT NULL DEFAULT 1,
    DO_TotalHT  numeric(24, 6) NOT NULL DEFAULT 0,
    PRIMARY KEY (DO_Domaine, DO_Type, DO_Piece)
);
GO

CREATE TABLE dbo.F_DOCLIGNE (
    DL_No           int IDENTITY(1, 1) NOT NULL PRIMARY KEY,
    DO_Domaine      smallint NOT NULL DEFAULT 0,
    DO_Type         smallint NOT NULL,
    CT_Num          varchar(17) COLLATE French_CI_AI NULL,
    DO_Piece        varchar(13) COLLATE French_CI_AI NOT NULL,
    DO_Date         datetime NULL,
    DO_Ref          varchar(17) COLLATE French_CI_AI NULL,
    DL_Ligne        int NOT NULL,
    AR_Ref          varchar(19) COLLATE French_CI_AI NULL,
    DL_Design       varchar(69) COLLATE French_CI_AI NULL,
    DL_Qte          numeric(24, 6) NOT NULL DEFAULT 0,
    DL_QteBC        numeric(24, 6) NOT NULL DEFAULT 0,
    DL_QteBL        numeric(24, 6) NOT NULL DEFAULT 0,
    DL_QtePL        numeric(24, 6) NOT NULL DEFAULT 0,
    DL_PrixUnitaire numeric(24, 6) NOT NULL DEFAULT 0,
    DL_MontantHT    numeric(24, 6) NOT NULL DEFAULT 0,
    AG_No1          int NOT NULL DEFAULT 0,
    AG_No2          int NOT NULL DEFAULT 0,
    AR_RefCompose   varchar(19) COLLATE French_CI_AI NULL
);
GO
CREATE INDEX IX_F_DOCLIGNE_Piece ON dbo.F_DOCLIGNE (DO_Domaine, DO_Type, DO_Piece);
GO
