#pragma once

#include "TexteSql.h"

// The statements of the schema's upkeep.
namespace tarvo::db::sql {

// The schema version the database holds. The embedded database keeps it in
// its header (0: made before versions were kept); SQL Server in a table (none:
// installed before versions were kept, which is version 1).
extern const TexteSql VersionBase;
// The number of tables the database holds, whoever made them (the engine's
// own catalogue apart): none on a database nothing was installed in yet.
extern const TexteSql NombreTables;

// The move of the embedded database to the French order (schema 5), whose
// tables are set aside, made again by the installation script and refilled.
// Texts with "%1", "%2"…: identifiers of the schema's own tables, quoted by
// the caller; SQLite-only.
extern const TexteSql VuesEtDeclencheurs;
extern const TexteSql IndexDeTable;
extern const TexteSql TableExiste;
extern const TexteSql ColonnesTable;
extern const TexteSql AliasRowid;
extern const TexteSql ClePrimaireTexte;
extern const TexteSql SupprimerVue;
extern const TexteSql SupprimerDeclencheur;
extern const TexteSql SupprimerIndex;
extern const TexteSql SupprimerTable;
extern const TexteSql RenommerTable;
extern const TexteSql RecopierTable;
extern const TexteSql SequenceReprise;
extern const TexteSql SequenceAjustee;
extern const TexteSql DoublonsEnFrancais;

// The French order the embedded database's indexes were built in (the
// version of ICU's collator), kept in a table of one row; the indexes that
// use the order, and the key columns of one of them (:index). SQLite-only;
// ReconstruireIndex names the index in %1.
extern const TexteSql CreerTableOrdre;
extern const TexteSql TableOrdreExiste;
extern const TexteSql OrdreDesIndex;
extern const TexteSql NoterOrdre;
extern const TexteSql IndexEnFrancais;
extern const TexteSql ColonnesIndex;
extern const TexteSql ReconstruireIndex;

} // namespace tarvo::db::sql
