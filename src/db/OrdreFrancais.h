#pragma once

#include <string>
#include <string_view>

struct sqlite3;

// The French order itself, without Qt: the program builds it in, and the
// loadable SQLite extension (for the sqlite3 shell and database browsers)
// is made of it alone, so that both sort and compare alike.
namespace tarvo::db::ordre {

// Why ICU's French collator could not be opened; empty when it could.
const std::string& EchecIcu();

// ICU's version of its French collator and the revision of the rules this
// code adds over it: "ICU 153.112.24.32, règles 1". Only when EchecIcu() is
// empty.
std::string Version();

// The FRANCAIS order of two UTF-8 texts: negative, 0 or positive.
int Comparer(std::string_view a, std::string_view b);

// True when `texte` matches the LIKE `motif`; `echappement` is the ESCAPE
// character, 0 for none.
bool Comme(std::string_view motif, std::string_view texte, char32_t echappement);

// Installs the FRANCAIS collation and like() on one connection, and has it
// report SQLite's extended result codes. On failure returns SQLite's code
// and sets `*message` (from sqlite3_mprintf) to the reason.
int Installer(sqlite3* base, char** message);

} // namespace tarvo::db::ordre
