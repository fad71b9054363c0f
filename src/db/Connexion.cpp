#include "Connexion.h"

#include "Base.h"
#include "CollationFrancaise.h"
#include "ErreurSql.h"
#include "SqlConnexion.h"
#include "base/Erreur.h"

#include <QAtomicInt>
#include <QFileInfo>
#include <QRegularExpression>
#include <QSqlError>
#include <sqlite3.h>

namespace tarvo {
namespace {

const QString SourceConnexion = QStringLiteral("Connexion");

QString nomUnique(const QString& role) {
    static QAtomicInt compteur;
    return role + u'-' + QString::number(compteur.fetchAndAddRelaxed(1) + 1);
}

// An ODBC attribute value, in braces when it holds what could end it or add
// attributes (';', braces, '=', spaces at an end). Only then: FreeTDS takes a
// braced password with its braces, and its login fails.
QString valeurOdbc(const QString& valeur) {
    static const QRegularExpression sure(QStringLiteral("^[^;{}=\\s](?:[^;{}=]*[^;{}=\\s])?$"));
    if (valeur.isEmpty() || sure.match(valeur).hasMatch())
        return valeur;
    QString echappee = valeur;
    echappee.replace(u'}', QStringLiteral("}}"));
    return u'{' + echappee + u'}';
}

} // namespace

QString ChaineOdbc(const ParametresConnexion& p) {
    QString chaine = QStringLiteral("DRIVER=") + valeurOdbc(p.piloteOdbc) +
                     QStringLiteral(";SERVER=") + valeurOdbc(p.serveur) +
                     QStringLiteral(";DATABASE=") + valeurOdbc(p.base) + u';';
    if (p.integre)
        chaine += QStringLiteral("Trusted_Connection=yes;");
    else
        chaine += QStringLiteral("UID=") + valeurOdbc(p.utilisateur) + QStringLiteral(";PWD=") +
                  valeurOdbc(p.motDePasse) + u';';
    if (!p.chiffrement.isEmpty())
        chaine += QStringLiteral("Encrypt=") + valeurOdbc(p.chiffrement) + u';';
    if (!p.confianceCertificat.isEmpty())
        chaine +=
            QStringLiteral("TrustServerCertificate=") + valeurOdbc(p.confianceCertificat) + u';';
    return chaine;
}

Connexion::Connexion(const QString& role) : nom_(nomUnique(role)) {}

Connexion::~Connexion() {
    fermer();
    if (QSqlDatabase::contains(nom_))
        QSqlDatabase::removeDatabase(nom_);
}

void Connexion::ouvrir(const ParametresConnexion& parametres, bool creerFichier) {
    if (parametres.moteur == db::Moteur::SqlServer) {
        ouvrirOdbc(parametres, ChaineOdbc(parametres));
        return;
    }
    fermer();
    parametres_ = parametres;
    if (!creerFichier && !QFileInfo::exists(parametres.base))
        throw ErreurTarvo(NumeroErreur::FichierIntrouvable, SourceConnexion,
                          QStringLiteral("La base de données est introuvable : ") +
                              parametres.base);
    ouvrirSQLite(creerFichier);
    regler();
}

void Connexion::ouvrirSQLite(bool creerFichier) {
    // The French order reaches every connection through SQLite's automatic
    // extension rather than one registration on this handle: the same entry
    // point serves the handles other code opens on the file through this
    // library (an ODBC driver for SQLite, a benchmark's raw handle), and
    // SQLite runs it before the open returns, so that no statement ever
    // runs without it.
    db::InstallerFrancais();
    // No mutex of the handle's own: a connection serves one thread at a
    // time (a worker opens its own), so SQLite's locking per call would only
    // cost.
    int drapeaux = SQLITE_OPEN_READWRITE | SQLITE_OPEN_NOMUTEX;
    if (creerFichier)
        drapeaux |= SQLITE_OPEN_CREATE;
    // SQLite names files in UTF-8 on every system.
    const QByteArray chemin = parametres_.base.toUtf8();
    sqlite3* poignee = nullptr;
    const int rc = sqlite3_open_v2(chemin.constData(), &poignee, drapeaux, nullptr);
    if (rc != SQLITE_OK) {
        const QString contexte =
            QStringLiteral("Impossible d'ouvrir la base de données ") + parametres_.base;
        // Without a handle (no memory left) only the code says why.
        const ErreurTarvo erreur =
            poignee ? db::echecSQLite(poignee, contexte)
                    : ErreurTarvo(Erreur{rc, QStringLiteral("SQLite"),
                                         contexte + QStringLiteral(" : ") +
                                             QString::fromUtf8(sqlite3_errstr(rc))},
                                  {rc});
        sqlite3_close_v2(poignee);
        throw erreur;
    }
    sqlite_ = poignee;
    // Several workstations and tarvoctl share the file: wait for a lock
    // rather than fail at once.
    sqlite3_busy_timeout(sqlite_, 15000);
}

void Connexion::ouvrirOdbc(const ParametresConnexion& parametres, const QString& chaine) {
    fermer();
    parametres_ = parametres;
    // An ODBC driver for SQLite opens its handle through the same library:
    // the schema's French order must reach it too.
    if (parametres.moteur == db::Moteur::SQLite)
        db::InstallerFrancais();
    QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QODBC"), nom_);
    db.setDatabaseName(chaine);
    if (!db.open())
        throw ErreurTarvo(db::erreurDepuisSql(db.lastError(), QStringLiteral("ODBC")));
    // An ODBC driver for SQLite takes one statement per call and the file is
    // already in WAL mode: whoever opens a file that way sets what else it
    // needs, one statement at a time.
    if (parametres.moteur == db::Moteur::SqlServer)
        regler();
}

void Connexion::regler() {
    try {
        db::Base(this).executerScript(sql::ReglagesConnexion);
    } catch (const ErreurTarvo&) {
        fermer();
        throw;
    }
}

bool Connexion::estOuverte() const {
    return sqlite_ ||
           (QSqlDatabase::contains(nom_) && QSqlDatabase::database(nom_, false).isOpen());
}

void Connexion::fermer() {
    // The embedded database's number is given back; the server's dies with
    // its process.
    if (spid_ != 0 && parametres_.moteur == db::Moteur::SQLite && estOuverte()) {
        try {
            db::Base(this).preparer(sql::FinConnexion).lier(u":spid", spid_).executer();
        } catch (const ErreurTarvo&) {
            // A number left behind is never given again: nothing is lost.
        }
    }
    spid_ = 0;
    if (sqlite_) {
        // A statement a caller still holds is finalised later: the handle
        // closes once the last one goes.
        sqlite3_close_v2(sqlite_);
        sqlite_ = nullptr;
    }
    if (QSqlDatabase::contains(nom_))
        QSqlDatabase::database(nom_, false).close();
}

QSqlDatabase Connexion::odbc() const {
    return QSqlDatabase::database(nom_, false);
}

int Connexion::spid() {
    if (spid_ == 0)
        spid_ = static_cast<int>(db::Base(this).preparer(sql::NumeroConnexion).executerInsertion());
    return spid_;
}

} // namespace tarvo
