#include "SqlSchema.h"

namespace tarvo::db::sql {

const TexteSql VersionBase{
    QStringLiteral("PRAGMA user_version"),
    QStringLiteral("SELECT CASE WHEN OBJECT_ID(N'dbo.tarvo_version', N'U') IS NULL THEN 1 "
                   "ELSE (SELECT MAX(version) FROM dbo.tarvo_version) END")};

const TexteSql NombreTables{
    QStringLiteral("SELECT COUNT(*) FROM sqlite_master WHERE type = 'table'"),
    QStringLiteral(
        "SELECT COUNT(*) FROM INFORMATION_SCHEMA.TABLES WHERE TABLE_TYPE = 'BASE TABLE'")};

const TexteSql VuesEtDeclencheurs{
    QStringLiteral("SELECT type, name FROM sqlite_master WHERE type IN ('view', 'trigger')")};
const TexteSql IndexDeTable{
    QStringLiteral("SELECT name, sql FROM sqlite_master WHERE type = 'index' AND tbl_name = :table "
                   "AND sql IS NOT NULL ORDER BY name")};
const TexteSql TableExiste{
    QStringLiteral("SELECT COUNT(*) FROM sqlite_master WHERE type = 'table' AND name = :table")};
const TexteSql ColonnesTable{
    QStringLiteral("SELECT name FROM pragma_table_info(:table) ORDER BY cid")};
// The column that is the table's row number (INTEGER PRIMARY KEY), if any.
const TexteSql AliasRowid{QStringLiteral(
    "SELECT name FROM pragma_table_info(:table) WHERE pk = 1 AND upper(type) = 'INTEGER' "
    "AND (SELECT COUNT(*) FROM pragma_table_info(:table) WHERE pk > 0) = 1")};
// The columns of the primary key, in key order.
const TexteSql ClePrimaireTexte{
    QStringLiteral("SELECT name FROM pragma_table_info(:table) WHERE pk > 0 ORDER BY pk")};
const TexteSql SupprimerVue{QStringLiteral("DROP VIEW %1")};
const TexteSql SupprimerDeclencheur{QStringLiteral("DROP TRIGGER %1")};
const TexteSql SupprimerIndex{QStringLiteral("DROP INDEX %1")};
const TexteSql SupprimerTable{QStringLiteral("DROP TABLE %1")};
const TexteSql RenommerTable{QStringLiteral("ALTER TABLE %1 RENAME TO %2")};
// %1 the new table, %2 the one set aside, %3 their common columns.
const TexteSql RecopierTable{
    QStringLiteral("INSERT INTO %1 (%3) SELECT %3 FROM %2 ORDER BY rowid")};
// The numbers an AUTOINCREMENT table gave are never given again, even those
// of rows deleted since.
const TexteSql SequenceReprise{QStringLiteral(
    "INSERT INTO sqlite_sequence (name, seq) SELECT :table, seq FROM sqlite_sequence "
    "WHERE name = :ancienne AND NOT EXISTS (SELECT 1 FROM sqlite_sequence WHERE name = :table)")};
const TexteSql SequenceAjustee{
    QStringLiteral("UPDATE sqlite_sequence SET seq = (SELECT MAX(seq) FROM sqlite_sequence "
                   "WHERE name IN (:table, :ancienne)) WHERE name = :table")};
// Up to ten keys of %1 that the French order makes one: %2 the key's columns
// each with COLLATE FRANCAIS, %3 the key written out.
const TexteSql DoublonsEnFrancais{QStringLiteral(
    "SELECT group_concat(%3, ' = ') FROM %1 GROUP BY %2 HAVING COUNT(*) > 1 LIMIT 10")};

const TexteSql CreerTableOrdre{QStringLiteral(
    "CREATE TABLE IF NOT EXISTS tarvo_ordre (nom TEXT PRIMARY KEY, version TEXT NOT NULL)")};
const TexteSql TableOrdreExiste{
    QStringLiteral("SELECT 1 FROM sqlite_master WHERE type = 'table' AND name = 'tarvo_ordre'")};
const TexteSql OrdreDesIndex{
    QStringLiteral("SELECT version FROM tarvo_ordre WHERE nom = 'FRANCAIS'")};
// :version
const TexteSql NoterOrdre{QStringLiteral(
    "INSERT OR REPLACE INTO tarvo_ordre (nom, version) VALUES ('FRANCAIS', :version)")};
// Each index once, with its table; those of PRIMARY KEY and UNIQUE
// constraints included.
const TexteSql IndexEnFrancais{QStringLiteral(
    "SELECT DISTINCT m.name, m.tbl_name FROM sqlite_master m, pragma_index_xinfo(m.name) x "
    "WHERE m.type = 'index' AND x.coll = 'FRANCAIS' COLLATE NOCASE "
    "ORDER BY m.tbl_name, m.name")};
// :index
const TexteSql ColonnesIndex{QStringLiteral(
    "SELECT name FROM pragma_index_xinfo(:index) WHERE key = 1 AND cid >= 0 ORDER BY seqno")};
const TexteSql ReconstruireIndex{QStringLiteral("REINDEX %1")};

} // namespace tarvo::db::sql
