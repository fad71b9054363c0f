-- Schema 3: the journal and article browsers filter and sort any column
-- where the data is, on tables of a million rows: one index per column.
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
