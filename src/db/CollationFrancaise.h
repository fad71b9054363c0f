#pragma once

#include <QString>

namespace tarvo::db {

// The French order of the embedded database, the one the server's database
// collation gives (case- and accent-insensitive): "anneau" < "Écharpe" <
// "Zèbre", "ÉPONGE" = "éponge". The schema declares its text columns with
// it (COLLATE FRANCAIS), so that every sort, comparison, grouping and index
// of those columns follows it; a unique key holds one row for "abc" and
// "ABC", as on the server.
//
// ICU's collator for French at primary strength, not QCollator: QCollator
// cannot be told to ignore accents, and it compares UTF-16, where SQLite
// hands UTF-8 (an index build on a million rows compares some twenty million
// times). Texts of ASCII only, most of the data (codes, numbers, references),
// are compared through a table of ICU's own ranks without calling it. The
// order itself is in OrdreFrancais.h, shared with the loadable extension.
//
// Installs the FRANCAIS collation and a like() of the same rule ("%MÉTIS%"
// finds "Métis", with LIKE's "%", "_" and ESCAPE) on every SQLite connection
// the process opens from now on. A connection without them cannot read the
// schema's sorts ("no such collation sequence"), and not every connection on
// the file is opened by Tarvo's own code: an ODBC driver for SQLite or a
// benchmark's raw handle open theirs through the same libsqlite3. SQLite runs the entry point
// registered here on each of them as it opens, before its first statement; an open fails when the
// French order cannot be installed. It also has each report SQLite's extended result codes (787 for
// a foreign key, 2067 for a unique key), by which the program tells one refusal from another,
// whatever the driver. Call it before the first connection opens; later calls do nothing. Raises
// ErreurTarvo when SQLite refuses the entry point.
void InstallerFrancais();

// What the FRANCAIS order is made of: ICU's version of its French collator
// and the revision of this program's own rules over it. An index built
// under another version may be out of order (an ICU upgrade can move
// characters); the embedded database records the version its indexes were
// built in, and they are rebuilt when it changes.
QString VersionOrdreFrancais();

} // namespace tarvo::db
