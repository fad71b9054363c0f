#include "OrdreFrancais.h"

// Built into the program, this calls SQLite directly; built into the
// loadable extension, through the table of entry points SQLite hands it: the
// shell or a database browser that loads it may carry its own SQLite.
#ifdef TARVO_EXTENSION_SQLITE
#include <sqlite3ext.h>
SQLITE_EXTENSION_INIT3
#else
#include <sqlite3.h>
#endif

#include <algorithm>
#include <array>
#include <cstdint>
#include <memory>
#include <numeric>
#include <string>
#include <unicode/uchar.h>
#include <unicode/ucol.h>
#include <unicode/unorm2.h>
#include <unicode/ustring.h>
#include <unicode/utf16.h>
#include <unicode/uversion.h>

namespace tarvo::db::ordre {
namespace {

const char* const NomCollation = "FRANCAIS";

// Raised whenever the comparison below changes what it makes of ICU's order
// (the ASCII ranks, the marks written apart): the indexes are then rebuilt
// as after an ICU upgrade.
constexpr int RevisionRegles = 1;

// ICU's French collator at primary strength (base letters only), and the
// rank it gives each ASCII character, 0 for those it ignores (control
// characters). Every ASCII character has one primary weight of its own, so
// comparing ranks character by character orders ASCII texts exactly as ICU
// does: both paths give one order, which an index needs.
struct Collateur {
    UCollator* icu = nullptr;
    const UNormalizer2* decomposition = nullptr;
    std::array<std::uint8_t, 128> rang{};
    std::string echec;

    Collateur() {
        UErrorCode etat = U_ZERO_ERROR;
        icu = ucol_open("fr", &etat);
        if (U_SUCCESS(etat))
            decomposition = unorm2_getNFDInstance(&etat);
        if (U_FAILURE(etat)) {
            echec = u_errorName(etat);
            return;
        }
        ucol_setStrength(icu, UCOL_PRIMARY);
        std::array<char, 128> ascii{};
        std::iota(ascii.begin(), ascii.end(), char{0});
        std::stable_sort(ascii.begin(), ascii.end(), [this](char a, char b) {
            UErrorCode e = U_ZERO_ERROR;
            return ucol_strcollUTF8(icu, &a, 1, &b, 1, &e) == UCOL_LESS;
        });
        std::uint8_t suivant = 0;
        for (std::size_t i = 0; i < ascii.size(); ++i) {
            UErrorCode e = U_ZERO_ERROR;
            const char c = ascii[i];
            if (ucol_strcollUTF8(icu, &c, 1, "", 0, &e) == UCOL_EQUAL)
                continue;
            const char precedent = i > 0 ? ascii[i - 1] : char{0};
            if (suivant == 0 || ucol_strcollUTF8(icu, &precedent, 1, &c, 1, &e) != UCOL_EQUAL)
                ++suivant;
            rang[static_cast<unsigned char>(c)] = suivant;
        }
    }
};

const Collateur& collateur() {
    static const Collateur c;
    return c;
}

int parIcu(const Collateur& c, std::string_view a, std::string_view b) {
    UErrorCode etat = U_ZERO_ERROR;
    return static_cast<int>(ucol_strcollUTF8(c.icu, a.data(), static_cast<int32_t>(a.size()),
                                             b.data(), static_cast<int32_t>(b.size()), &etat));
}

bool estAscii(unsigned char c) {
    return c < 0x80;
}

int comparer(const Collateur& c, std::string_view a, std::string_view b) {
    const auto* x = reinterpret_cast<const unsigned char*>(a.data());
    const auto* y = reinterpret_cast<const unsigned char*>(b.data());
    // Codes and numbers share long prefixes: identical ASCII bytes compare
    // alike whatever their rank, so they are passed over without ranking.
    const std::size_t plusCourt = std::min(a.size(), b.size());
    std::size_t i = 0;
    while (i < plusCourt && x[i] == y[i] && estAscii(x[i]))
        ++i;
    std::size_t j = i;
    for (;;) {
        while (i < a.size() && estAscii(x[i]) && c.rang[x[i]] == 0)
            ++i;
        while (j < b.size() && estAscii(y[j]) && c.rang[y[j]] == 0)
            ++j;
        const bool finA = i == a.size();
        const bool finB = j == b.size();
        if (finA && finB)
            return 0;
        if ((!finA && !estAscii(x[i])) || (!finB && !estAscii(y[j])))
            return parIcu(c, a, b);
        if (finA || finB)
            return finA ? -1 : 1;
        if (c.rang[x[i]] != c.rang[y[j]]) {
            // A mark written apart after the letter belongs to it.
            if ((i + 1 < a.size() && !estAscii(x[i + 1])) ||
                (j + 1 < b.size() && !estAscii(y[j + 1])))
                return parIcu(c, a, b);
            return c.rang[x[i]] < c.rang[y[j]] ? -1 : 1;
        }
        ++i;
        ++j;
    }
}

// The collator comes as the collation's argument: no look-up per comparison,
// which sorts and index searches make by the million.
int comparerSqlite(void* collateurFrancais, int n1, const void* p1, int n2, const void* p2) {
    return comparer(*static_cast<const Collateur*>(collateurFrancais),
                    {static_cast<const char*>(p1), static_cast<std::size_t>(n1)},
                    {static_cast<const char*>(p2), static_cast<std::size_t>(n2)});
}

// --- like() -------------------------------------------------------------

constexpr char32_t UnCaractere = 0x110000;
constexpr char32_t Suite = 0x110001;
constexpr char32_t Jamais = 0x110002;

// Appends what a character is compared as: lower case, without its accents
// (the marks of its canonical decomposition), the ligatures written out.
void plier(UChar32 c, std::u32string& sortie) {
    if (c < 0x80) {
        sortie.push_back(static_cast<char32_t>(c >= 'A' && c <= 'Z' ? c + 32 : c));
        return;
    }
    switch (c) {
    case 0x0152: // Œ
    case 0x0153: // œ
        sortie += U"oe";
        return;
    case 0x00C6: // Æ
    case 0x00E6: // æ
        sortie += U"ae";
        return;
    default:
        break;
    }
    UChar source[2];
    int32_t n = 0;
    if (c > 0xFFFF) {
        source[n++] = static_cast<UChar>(0xD7C0 + (c >> 10));
        source[n++] = static_cast<UChar>(0xDC00 | (c & 0x3FF));
    } else {
        source[n++] = static_cast<UChar>(c);
    }
    UChar decompose[16];
    UChar plie[32];
    UErrorCode etat = U_ZERO_ERROR;
    const int32_t m = unorm2_normalize(collateur().decomposition, source, n, decompose, 16, &etat);
    const int32_t k =
        U_SUCCESS(etat) ? u_strFoldCase(plie, 32, decompose, m, U_FOLD_CASE_DEFAULT, &etat) : 0;
    if (U_FAILURE(etat)) {
        sortie.push_back(static_cast<char32_t>(u_foldCase(c, U_FOLD_CASE_DEFAULT)));
        return;
    }
    for (int32_t i = 0; i < k; ++i) {
        UChar32 p = plie[i];
        if (U16_IS_LEAD(plie[i]) && i + 1 < k && U16_IS_TRAIL(plie[i + 1])) {
            p = 0x10000 + ((p - 0xD800) << 10) + (plie[i + 1] - 0xDC00);
            ++i;
        }
        if (u_charType(p) != U_NON_SPACING_MARK)
            sortie.push_back(static_cast<char32_t>(p));
    }
}

// The next character of UTF-8 text; a malformed byte stands for itself.
UChar32 suivant(std::string_view texte, int32_t& i) {
    const auto octet = [&texte](int32_t k) {
        return static_cast<UChar32>(static_cast<unsigned char>(texte[static_cast<std::size_t>(k)]));
    };
    const int32_t taille = static_cast<int32_t>(texte.size());
    const UChar32 premier = octet(i++);
    int suite = premier >= 0xF0 ? 3 : premier >= 0xE0 ? 2 : premier >= 0xC2 ? 1 : 0;
    if (premier < 0x80 || suite == 0 || premier > 0xF4 || i + suite > taille)
        return premier;
    UChar32 c = premier & (0x3F >> suite);
    for (int32_t k = i; k < i + suite; ++k) {
        if ((octet(k) & 0xC0) != 0x80)
            return premier;
        c = (c << 6) | (octet(k) & 0x3F);
    }
    i += suite;
    return c;
}

void plierTexte(std::string_view texte, std::u32string& sortie) {
    sortie.clear();
    for (int32_t i = 0; i < static_cast<int32_t>(texte.size());)
        plier(suivant(texte, i), sortie);
}

// The pattern folded like the texts, its wildcards as code points no text
// holds. An escape character at the very end matches nothing, as SQLite's
// own LIKE.
std::u32string plierMotif(std::string_view motif, char32_t echappement) {
    std::u32string sortie;
    for (int32_t i = 0; i < static_cast<int32_t>(motif.size());) {
        const UChar32 c = suivant(motif, i);
        if (echappement != 0 && static_cast<char32_t>(c) == echappement) {
            if (i >= static_cast<int32_t>(motif.size())) {
                sortie.push_back(Jamais);
                break;
            }
            plier(suivant(motif, i), sortie);
        } else if (c == '%') {
            if (sortie.empty() || sortie.back() != Suite)
                sortie.push_back(Suite);
        } else if (c == '_') {
            sortie.push_back(UnCaractere);
        } else {
            plier(c, sortie);
        }
    }
    return sortie;
}

// Wildcard matching with one step back to the last "%": linear for the
// patterns the program writes.
bool correspond(const std::u32string& motif, const std::u32string& texte) {
    std::size_t i = 0, j = 0, etoile = std::u32string::npos, reprise = 0;
    while (j < texte.size()) {
        if (i < motif.size() && (motif[i] == UnCaractere || motif[i] == texte[j])) {
            ++i;
            ++j;
        } else if (i < motif.size() && motif[i] == Suite) {
            etoile = i++;
            reprise = j;
        } else if (etoile != std::u32string::npos) {
            i = etoile + 1;
            j = ++reprise;
        } else {
            return false;
        }
    }
    while (i < motif.size() && motif[i] == Suite)
        ++i;
    return i == motif.size();
}

// A statement's pattern is folded once, not on every row.
struct MotifPlie {
    std::string source;
    char32_t echappement;
    std::u32string plie;
};

std::string_view texteDe(sqlite3_value* valeur) {
    const auto* octets = reinterpret_cast<const char*>(sqlite3_value_text(valeur));
    if (!octets)
        return {};
    return {octets, static_cast<std::size_t>(sqlite3_value_bytes(valeur))};
}

void fonctionLike(sqlite3_context* contexte, int nombre, sqlite3_value** valeurs) {
    // like(motif, texte[, echappement]): X LIKE Y ESCAPE Z calls like(Y, X, Z).
    for (int i = 0; i < nombre; ++i)
        if (sqlite3_value_type(valeurs[i]) == SQLITE_NULL)
            return;
    const std::string_view motif = texteDe(valeurs[0]);
    const std::string_view texte = texteDe(valeurs[1]);
    char32_t echappement = 0;
    if (nombre == 3) {
        const std::string_view e = texteDe(valeurs[2]);
        int32_t i = 0;
        if (!e.empty())
            echappement = static_cast<char32_t>(suivant(e, i));
        if (e.empty() || i != static_cast<int32_t>(e.size())) {
            sqlite3_result_error(contexte, "ESCAPE expression must be a single character", -1);
            return;
        }
    }
    auto* garde = static_cast<MotifPlie*>(sqlite3_get_auxdata(contexte, 0));
    std::unique_ptr<MotifPlie> local;
    if (!garde || garde->echappement != echappement || garde->source != motif) {
        local = std::make_unique<MotifPlie>(
            MotifPlie{std::string(motif), echappement, plierMotif(motif, echappement)});
        garde = local.get();
    }
    thread_local std::u32string textePlie;
    plierTexte(texte, textePlie);
    sqlite3_result_int(contexte, correspond(garde->plie, textePlie) ? 1 : 0);
    if (local)
        sqlite3_set_auxdata(contexte, 0, local.release(),
                            [](void* p) { delete static_cast<MotifPlie*>(p); });
}

} // namespace

const std::string& EchecIcu() {
    return collateur().echec;
}

std::string Version() {
    UVersionInfo version;
    ucol_getVersion(collateur().icu, version);
    char texte[U_MAX_VERSION_STRING_LENGTH];
    u_versionToString(version, texte);
    return std::string("ICU ") + texte + ", règles " + std::to_string(RevisionRegles);
}

int Comparer(std::string_view a, std::string_view b) {
    return comparer(collateur(), a, b);
}

bool Comme(std::string_view motif, std::string_view texte, char32_t echappement) {
    std::u32string textePlie;
    plierTexte(texte, textePlie);
    return correspond(plierMotif(motif, echappement), textePlie);
}

int Installer(sqlite3* base, char** message) {
    const Collateur& c = collateur();
    if (!c.echec.empty()) {
        *message = sqlite3_mprintf("L'ordre alphabétique français est indisponible (ICU : %s).",
                                   c.echec.c_str());
        return SQLITE_ERROR;
    }
    constexpr int drapeaux = SQLITE_UTF8 | SQLITE_DETERMINISTIC | SQLITE_INNOCUOUS;
    int code = sqlite3_create_collation_v2(base, NomCollation, SQLITE_UTF8,
                                           const_cast<Collateur*>(&c), comparerSqlite, nullptr);
    if (code == SQLITE_OK)
        code = sqlite3_create_function_v2(base, "like", 2, drapeaux, nullptr, fonctionLike, nullptr,
                                          nullptr, nullptr);
    if (code == SQLITE_OK)
        code = sqlite3_create_function_v2(base, "like", 3, drapeaux, nullptr, fonctionLike, nullptr,
                                          nullptr, nullptr);
    if (code == SQLITE_OK)
        code = sqlite3_extended_result_codes(base, 1);
    if (code != SQLITE_OK)
        *message = sqlite3_mprintf("Impossible d'installer l'ordre alphabétique français sur la "
                                   "connexion : %s",
                                   sqlite3_errmsg(base));
    return code;
}

} // namespace tarvo::db::ordre
