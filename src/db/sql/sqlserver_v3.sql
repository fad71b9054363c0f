-- Schema 3: the journal and article browsers filter and sort any column
-- where the data is, on tables of a million rows: one index per column.
-- The journal gets an identity column: the browser's snapshot is a bound
-- on it, and it orders rows of equal values.
IF COL_LENGTH(N'dbo.[Journal de saisie]', N'Id saisie') IS NULL
ALTER TABLE dbo.[Journal de saisie] ADD [Id saisie] bigint IDENTITY(1, 1) NOT NULL;
GO
IF NOT EXISTS (SELECT 1 FROM sys.indexes
                WHERE name = N'IX_Journal de saisie_Id saisie'
                  AND object_id = OBJECT_ID(N'dbo.[Journal de saisie]'))
CREATE UNIQUE INDEX [IX_Journal de saisie_Id saisie] ON dbo.[Journal de saisie] ([Id saisie]);
GO
IF NOT EXISTS (SELECT 1 FROM sys.indexes
                WHERE name = N'IX_Journal de saisie_Code type ligne'
                  AND object_id = OBJECT_ID(N'dbo.[Journal de saisie]'))
CREATE INDEX [IX_Journal de saisie_Code type ligne] ON dbo.[Journal de saisie] ([Code type ligne], [Id saisie]);
GO
IF NOT EXISTS (SELECT 1 FROM sys.indexes
                WHERE name = N'IX_Journal de saisie_No Colis'
                  AND object_id = OBJECT_ID(N'dbo.[Journal de saisie]'))
CREATE INDEX [IX_Journal de saisie_No Colis] ON dbo.[Journal de saisie] ([No Colis], [Id saisie]);
GO
IF NOT EXISTS (SELECT 1 FROM sys.indexes
                WHERE name = N'IX_Journal de saisie_Code barres Article'
                  AND object_id = OBJECT_ID(N'dbo.[Journal de saisie]'))
CREATE INDEX [IX_Journal de saisie_Code barres Article] ON dbo.[Journal de saisie] ([Code barres Article], [Id saisie]);
GO
IF NOT EXISTS (SELECT 1 FROM sys.indexes
                WHERE name = N'IX_Journal de saisie_Poids colis'
                  AND object_id = OBJECT_ID(N'dbo.[Journal de saisie]'))
CREATE INDEX [IX_Journal de saisie_Poids colis] ON dbo.[Journal de saisie] ([Poids colis], [Id saisie]);
GO
IF NOT EXISTS (SELECT 1 FROM sys.indexes
                WHERE name = N'IX_Journal de saisie_Quantité'
                  AND object_id = OBJECT_ID(N'dbo.[Journal de saisie]'))
CREATE INDEX [IX_Journal de saisie_Quantité] ON dbo.[Journal de saisie] ([Quantité], [Id saisie]);
GO
IF NOT EXISTS (SELECT 1 FROM sys.indexes
                WHERE name = N'IX_Journal de saisie_Date saisie'
                  AND object_id = OBJECT_ID(N'dbo.[Journal de saisie]'))
CREATE INDEX [IX_Journal de saisie_Date saisie] ON dbo.[Journal de saisie] ([Date saisie], [Id saisie]);
GO
IF NOT EXISTS (SELECT 1 FROM sys.indexes
                WHERE name = N'IX_Journal de saisie_Date intégration'
                  AND object_id = OBJECT_ID(N'dbo.[Journal de saisie]'))
CREATE INDEX [IX_Journal de saisie_Date intégration] ON dbo.[Journal de saisie] ([Date intégration], [Id saisie]);
GO
IF NOT EXISTS (SELECT 1 FROM sys.indexes
                WHERE name = N'IX_Article_Libellé'
                  AND object_id = OBJECT_ID(N'dbo.Article'))
CREATE INDEX [IX_Article_Libellé] ON dbo.Article ([Libellé]);
GO
IF NOT EXISTS (SELECT 1 FROM sys.indexes
                WHERE name = N'IX_Article_Couleur'
                  AND object_id = OBJECT_ID(N'dbo.Article'))
CREATE INDEX [IX_Article_Couleur] ON dbo.Article ([Couleur]);
GO
IF NOT EXISTS (SELECT 1 FROM sys.indexes
                WHERE name = N'IX_Article_AR_Ref'
                  AND object_id = OBJECT_ID(N'dbo.Article'))
CREATE INDEX [IX_Article_AR_Ref] ON dbo.Article ([AR_Ref]);
GO
