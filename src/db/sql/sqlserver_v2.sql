-- Schema 2: the integrated data files, so that a file found again after a
-- stop between its commit and its removal is not integrated twice.
IF OBJECT_ID(N'dbo.tarvo_integration', N'U') IS NULL
CREATE TABLE dbo.tarvo_integration (
    empreinte        char(64) NOT NULL,
    modification     bigint NOT NULL,
    date_integration datetime NOT NULL,
    archive          nvarchar(400) NOT NULL,
    CONSTRAINT PK_tarvo_integration PRIMARY KEY CLUSTERED (empreinte, modification)
);
GO
