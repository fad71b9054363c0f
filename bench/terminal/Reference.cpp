#include "Reference.h"

#include "db/CollationFrancaise.h"
#include "terminal/SqlTerminal.h"

#include <QFile>
#include <cstdio>
#include <cstring>
#include <sqlite3.h>
#include <string>

namespace banc {
namespace {

using namespace tarvo::terminal;

void verifier(sqlite3* db, int rc) {
    if (rc != SQLITE_OK && rc != SQLITE_DONE && rc != SQLITE_ROW)
        qFatal("SQLite : %s", sqlite3_errmsg(db));
}

struct Requete {
    Requete(sqlite3* base, const tarvo::db::TexteSql& sql) : db(base) {
        const QByteArray t = sql.pour(tarvo::db::Moteur::SQLite).toUtf8();
        verifier(db,
                 sqlite3_prepare_v3(db, t.constData(), -1, SQLITE_PREPARE_PERSISTENT, &s, nullptr));
    }
    ~Requete() { sqlite3_finalize(s); }
    // The position of a named parameter, looked up once before the loop.
    int operator[](const char* nom) const {
        const int i = sqlite3_bind_parameter_index(s, nom);
        if (i == 0)
            qFatal("paramètre %s absent", nom);
        return i;
    }
    void texte(int i, const char* v, int n) { sqlite3_bind_text(s, i, v, n, SQLITE_TRANSIENT); }
    void texte(int i, const std::string& v) { texte(i, v.data(), static_cast<int>(v.size())); }
    void entier(int i, long long v) { sqlite3_bind_int64(s, i, v); }
    void reel(int i, double v) { sqlite3_bind_double(s, i, v); }
    int executer() {
        int rc;
        while ((rc = sqlite3_step(s)) == SQLITE_ROW) {
        }
        verifier(db, rc);
        sqlite3_reset(s);
        return sqlite3_changes(db);
    }
    sqlite3* db;
    sqlite3_stmt* s = nullptr;
};

long long entier(const std::string& l, std::size_t col, std::size_t n) {
    return std::atoll(l.substr(col - 1, n).c_str());
}

std::string moment(const std::string& l, std::size_t date, std::size_t heure) {
    return l.substr(date - 1, 10) + ' ' + l.substr(heure - 1, 8);
}

// Windows-1252 for the Latin-1 range the generated data uses.
void ajouter1252(std::string& sortie, const unsigned char* utf8, int n, std::size_t largeur) {
    std::size_t ecrits = 0;
    for (int i = 0; i < n && ecrits < largeur; ++i, ++ecrits) {
        unsigned char c = utf8[i];
        if (c >= 0xC2 && c <= 0xC3 && i + 1 < n)
            c = static_cast<unsigned char>(((c & 0x1F) << 6) | (utf8[++i] & 0x3F));
        sortie += static_cast<char>(c);
    }
    sortie.append(largeur - ecrits, ' ');
}

sqlite3* ouvrir(const QString& base) {
    sqlite3* db = nullptr;
    tarvo::db::InstallerFrancais();
    verifier(db, sqlite3_open(base.toUtf8().constData(), &db));
    verifier(db, sqlite3_exec(db, "PRAGMA journal_mode=WAL; PRAGMA foreign_keys=ON", nullptr,
                              nullptr, nullptr));
    return db;
}

struct Sortie {
    explicit Sortie(const QString& chemin) {
        f = std::fopen(chemin.toUtf8().constData(), "wb");
        std::setvbuf(f, nullptr, _IOFBF, 1 << 20);
    }
    ~Sortie() { std::fclose(f); }
    void ligne(const std::string& l) {
        std::fwrite(l.data(), 1, l.size(), f);
        std::fwrite("\r\n", 1, 2, f);
    }
    std::FILE* f;
};

} // namespace

void integrerBrut(const QString& base, const QString& data, const QString& archive) {
    sqlite3* db = ouvrir(base);
    verifier(db, sqlite3_exec(db, "BEGIN IMMEDIATE", nullptr, nullptr, nullptr));
    {
        Requete journalArticle(db, sql::JournalArticle), journalPoids(db, sql::JournalPoids),
            cloture(db, sql::DateClotureExpedition), colis(db, sql::CreerColisSansPoids),
            colisPoids(db, sql::CreerColisAvecPoids), peser(db, sql::PeserColis),
            colisage(db, sql::CreerColisage), ajouter(db, sql::AjouterAuColisage);
        const std::string integration = "2012-04-19 13:42:25";
        // Positions of the named parameters, as a program written straight on
        // the C API would keep them.
        const struct {
            int code, exp, colis, codeBarres, poids, quantite, saisie, integration;
        } ja{journalArticle[":codeType"],   journalArticle[":noExpedition"],
             journalArticle[":noColis"],    journalArticle[":codeBarres"],
             journalArticle[":poids"],      journalArticle[":quantite"],
             journalArticle[":dateSaisie"], journalArticle[":dateIntegration"]};
        const struct {
            int code, exp, colis, poids, saisie, integration;
        } jp{journalPoids[":codeType"],   journalPoids[":noExpedition"],
             journalPoids[":noColis"],    journalPoids[":poids"],
             journalPoids[":dateSaisie"], journalPoids[":dateIntegration"]};
        const int clExp = cloture[":noExpedition"];
        const struct {
            int exp, colis, saisie;
        } co{colis[":noExpedition"], colis[":colis"], colis[":dateSaisie"]};
        const struct {
            int exp, colis, poids, saisie;
        } cp{colisPoids[":noExpedition"], colisPoids[":colis"], colisPoids[":poids"],
             colisPoids[":dateSaisie"]};
        const struct {
            int exp, colis, poids, saisie;
        } pe{peser[":noExpedition"], peser[":colis"], peser[":poids"], peser[":dateSaisie"]};
        const struct {
            int exp, colis, codeBarres, quantite, saisie;
        } cg{colisage[":noExpedition"], colisage[":colis"], colisage[":codeBarres"],
             colisage[":quantite"], colisage[":dateSaisie"]},
            aj{ajouter[":noExpedition"], ajouter[":colis"], ajouter[":codeBarres"],
               ajouter[":quantite"], ajouter[":dateSaisie"]};
        std::FILE* f = std::fopen(data.toUtf8().constData(), "rb");
        std::string l;
        int c;
        bool fin = false;
        while (!fin) {
            l.clear();
            while ((c = std::fgetc(f)) != EOF && c != '\r')
                l += static_cast<char>(c);
            if (c == EOF) {
                fin = true;
                if (l.empty())
                    break;
            } else if ((c = std::fgetc(f)) != '\n' && c != EOF) {
                std::ungetc(c, f);
            }
            const std::size_t accolade = l.find('{');
            const std::string type = l.substr(accolade, 7);
            const bool article = type == "{EXPFA}" || type == "{EXPXA}";
            long long exp, col;
            std::string quand;
            if (type == "{EXPFA}" || type == "{EXPFP}")
                exp = entier(l, 5, 6);
            else if (type == "{EXPXA}")
                exp = entier(l, 5, 6);
            else
                exp = entier(l, 25, 6);
            std::string code;
            long long quantite = 0;
            double poids = 0;
            if (type == "{EXPFA}") {
                col = entier(l, 19, 2);
                quand = moment(l, 22, 33);
                code = l.substr(41, 13);
                quantite = entier(l, 56, 3);
            } else if (type == "{EXPXA}") {
                col = entier(l, 18, 3);
                quand = moment(l, 23, 34);
                code = l.substr(42, 13);
                quantite = entier(l, 57, 3);
            } else {
                col = type == "{EXPFP}" ? entier(l, 39, 2) : entier(l, 38, 3);
                quand = type == "{EXPFP}" ? moment(l, 13, 24) : moment(l, 1, 12);
                poids = std::atof(l.substr(41, l.find(',', 41) - 41).c_str());
            }
            const std::string noColis = std::to_string(col);
            if (article) {
                journalArticle.texte(ja.code, type);
                journalArticle.entier(ja.exp, exp);
                journalArticle.texte(ja.colis, noColis);
                journalArticle.texte(ja.codeBarres, code);
                journalArticle.reel(ja.poids, 0);
                journalArticle.entier(ja.quantite, quantite);
                journalArticle.texte(ja.saisie, quand);
                journalArticle.texte(ja.integration, integration);
                journalArticle.executer();
            } else {
                journalPoids.texte(jp.code, type);
                journalPoids.entier(jp.exp, exp);
                journalPoids.texte(jp.colis, noColis);
                journalPoids.reel(jp.poids, poids);
                journalPoids.texte(jp.saisie, quand);
                journalPoids.texte(jp.integration, integration);
                journalPoids.executer();
            }
            cloture.entier(clExp, exp);
            const bool ouverte = sqlite3_step(cloture.s) == SQLITE_ROW &&
                                 sqlite3_column_type(cloture.s, 0) == SQLITE_NULL;
            sqlite3_reset(cloture.s);
            if (!ouverte)
                continue;
            if (article) {
                colis.entier(co.exp, exp);
                colis.entier(co.colis, col);
                colis.texte(co.saisie, quand);
                colis.executer();
                colisage.entier(cg.exp, exp);
                colisage.entier(cg.colis, col);
                colisage.texte(cg.codeBarres, code);
                colisage.entier(cg.quantite, quantite);
                colisage.texte(cg.saisie, quand);
                if (colisage.executer() == 0) {
                    ajouter.entier(aj.quantite, quantite);
                    ajouter.texte(aj.saisie, quand);
                    ajouter.entier(aj.exp, exp);
                    ajouter.entier(aj.colis, col);
                    ajouter.texte(aj.codeBarres, code);
                    ajouter.executer();
                }
            } else {
                peser.reel(pe.poids, poids);
                peser.texte(pe.saisie, quand);
                peser.entier(pe.exp, exp);
                peser.entier(pe.colis, col);
                if (peser.executer() == 0) {
                    colisPoids.entier(cp.exp, exp);
                    colisPoids.entier(cp.colis, col);
                    colisPoids.reel(cp.poids, poids);
                    colisPoids.texte(cp.saisie, quand);
                    colisPoids.executer();
                }
            }
        }
        std::fclose(f);
    }
    QFile::remove(archive);
    QFile::copy(data, archive);
    verifier(db, sqlite3_exec(db, "COMMIT", nullptr, nullptr, nullptr));
    QFile::remove(data);
    sqlite3_close(db);
}

void fichierArticleBrut(const QString& base, const QString& sortie) {
    sqlite3* db = ouvrir(base);
    {
        Sortie f(sortie);
        f.ligne("<Tous>            Tous les Articles                       ");
        f.ligne("...               Tous les Articles                       ");
        Requete r(db, sql::ArticlesPourTerminal);
        std::string l;
        while (sqlite3_step(r.s) == SQLITE_ROW) {
            l.clear();
            ajouter1252(l, sqlite3_column_text(r.s, 0), sqlite3_column_bytes(r.s, 0), 18);
            ajouter1252(l, sqlite3_column_text(r.s, 1), sqlite3_column_bytes(r.s, 1), 40);
            f.ligne(l);
        }
    }
    sqlite3_close(db);
}

void fichierExpeditionBrut(const QString& base, const QString& sortie) {
    sqlite3* db = ouvrir(base);
    {
        Sortie f(sortie);
        Requete r(db, sql::ExpeditionsOuvertes);
        std::string libelles, l;
        char tampon[64];
        while (sqlite3_step(r.s) == SQLITE_ROW) {
            const long long n = sqlite3_column_int64(r.s, 0);
            libelles.clear();
            ajouter1252(libelles, sqlite3_column_text(r.s, 1), sqlite3_column_bytes(r.s, 1), 20);
            ajouter1252(libelles, sqlite3_column_text(r.s, 2), sqlite3_column_bytes(r.s, 2), 20);
            std::snprintf(tampon, sizeof tampon, "%-20lld", n);
            f.ligne(tampon + libelles);
            const long long colis = sqlite3_column_int64(r.s, 3);
            for (long long c = 1; c <= colis; ++c) {
                std::snprintf(tampon, sizeof tampon, "EXP:%6lld,COLIS:%3lld", n, c);
                f.ligne(tampon + libelles);
            }
        }
    }
    sqlite3_close(db);
}

} // namespace banc
