#include "Verrou.h"

#include "Base.h"
#include "ErreurSql.h"
#include "SqlVerrou.h"
#include "base/Erreur.h"
#include "base/FichierRegulier.h"
#include "db/Connexion.h"

#include <QFileInfo>
#include <QThread>
#include <sqlite3.h>

namespace tarvo::db {
namespace {

QString ressource(const QString& nom) {
    return QStringLiteral("tarvo-") + nom;
}

// The companion database, opened without waiting: a lock another process
// holds answers "busy" at once. Only a regular file reached without a link
// is ever the lock: a link would lock (or create) whatever it points to, a
// FIFO would hold the run.
sqlite3* ouvrirCompagnon(const QString& fichier) {
    fichiers::exigerOrdinaireOuAbsent(fichier, QStringLiteral("Verrou"));
    sqlite3* compagnon = nullptr;
    const int code =
        sqlite3_open_v2(fichier.toUtf8().constData(), &compagnon,
                        SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE | SQLITE_OPEN_NOFOLLOW, nullptr);
    if (code != SQLITE_OK) {
        const QString raison = QString::fromUtf8(sqlite3_errstr(code));
        sqlite3_close(compagnon);
        throw ErreurTarvo(NumeroErreur::Base, QStringLiteral("Verrou"),
                          QStringLiteral("Impossible d'ouvrir le fichier de verrou %1 : %2")
                              .arg(fichier, raison));
    }
    return compagnon;
}

} // namespace

QString FichierVerrou(const QString& fichierBase, const QString& nom) {
    // Named after the database file itself, whatever path led to it: two
    // programs that reach one database through different links or folders
    // share one lock.
    const QString reel = QFileInfo(fichierBase).canonicalFilePath();
    return (reel.isEmpty() ? fichierBase : reel) + QStringLiteral("-verrou-") + nom;
}

std::unique_ptr<Verrou> Verrou::essayer(Connexion& cnx, const QString& nom) {
    return demander(cnx, nom, std::chrono::milliseconds(0));
}

std::unique_ptr<Verrou> Verrou::attendre(Connexion& cnx, const QString& nom,
                                         std::chrono::milliseconds attente,
                                         const std::function<void(int)>& avancement) {
    if (cnx.moteur() == Moteur::SqlServer) {
        if (attente.count() > 0)
            avancement(0);
        return demander(cnx, nom, attente);
    }
    // The embedded engine's file lock has no wait of its own that could be
    // given up at a time: it is asked again until the time is out.
    const auto debut = std::chrono::steady_clock::now();
    for (;;) {
        if (auto verrou = essayer(cnx, nom))
            return verrou;
        const auto ecoule = std::chrono::duration_cast<std::chrono::milliseconds>(
            std::chrono::steady_clock::now() - debut);
        if (ecoule >= attente)
            return nullptr;
        avancement(static_cast<int>(ecoule.count() * 100 / attente.count()));
        QThread::msleep(50);
    }
}

std::unique_ptr<Verrou> Verrou::demander(Connexion& cnx, const QString& nom,
                                         std::chrono::milliseconds attente) {
    // Raises first when the connection is not open.
    const Base base(&cnx);
    if (cnx.moteur() == Moteur::SQLite) {
        sqlite3* compagnon = ouvrirCompagnon(FichierVerrou(cnx.parametres().base, nom));
        const int code = sqlite3_exec(compagnon, "BEGIN EXCLUSIVE", nullptr, nullptr, nullptr);
        if (code == SQLITE_OK)
            return std::unique_ptr<Verrou>(new Verrou(cnx, nom, compagnon));
        if (code == SQLITE_BUSY || code == SQLITE_LOCKED) {
            sqlite3_close(compagnon);
            return nullptr;
        }
        const ErreurTarvo erreur = echecSQLite(compagnon);
        sqlite3_close(compagnon);
        throw erreur;
    }
    Requete prendre = base.preparer(sql::PrendreVerrou);
    prendre.lier(u":ressource", ressource(nom)).lier(u":attente", qint64(attente.count()));
    const bool accorde = prendre.suivante() && prendre.entier(0) >= 0;
    prendre.terminer();
    return accorde ? std::unique_ptr<Verrou>(new Verrou(cnx, nom, nullptr)) : nullptr;
}

Verrou::Verrou(Connexion& cnx, QString nom, sqlite3* compagnon)
    : cnx_(cnx), nom_(std::move(nom)), compagnon_(compagnon) {}

Verrou::~Verrou() {
    if (compagnon_) {
        sqlite3_exec(compagnon_, "ROLLBACK", nullptr, nullptr, nullptr);
        sqlite3_close(compagnon_);
        return;
    }
    // A connection that is gone has released its session's locks with it.
    try {
        if (cnx_.estOuverte())
            Base(&cnx_).preparer(sql::RendreVerrou).lier(u":ressource", ressource(nom_)).executer();
    } catch (const ErreurTarvo&) {
    }
}

} // namespace tarvo::db
