#include "Connexion.h"

#include "Base.h"
#include "CollationFrancaise.h"
#include "ErreurSql.h"
#include "SqlConnexion.h"
#include "base/Erreur.h"

#include <QAtomicInt>
#include <QDateTime>
#include <QDir>
#include <QFileInfo>
#include <QRegularExpression>
#include <QSqlError>

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
    QSqlDatabase::removeDatabase(nom_);
}

void Connexion::ouvrir(const ParametresConnexion& parametres, bool creerFichier) {
    fermer();
    parametres_ = parametres;
    // Before the first open of the process: every connection on the embedded
    // database, ours or a driver's, gets the French order as it opens.
    db::InstallerFrancais();
    QSqlDatabase db;
    if (parametres.moteur == db::Moteur::SQLite) {
        if (!creerFichier && !QFileInfo::exists(parametres.base))
            throw ErreurTarvo(NumeroErreur::FichierIntrouvable, SourceConnexion,
                              QStringLiteral("La base de données est introuvable : ") +
                                  parametres.base);
        db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), nom_);
        db.setDatabaseName(parametres.base);
        // Several workstations and tarvoctl share the file: wait for a lock
        // rather than fail at once.
        db.setConnectOptions(QStringLiteral("QSQLITE_BUSY_TIMEOUT=15000"));
    } else {
        db = QSqlDatabase::addDatabase(QStringLiteral("QODBC"), nom_);
        db.setDatabaseName(ChaineOdbc(parametres));
    }
    if (!db.open())
        throw ErreurTarvo(db::erreurDepuisSql(
            db.lastError(), parametres.moteur == db::Moteur::SQLite ? QStringLiteral("SQLite")
                                                                    : QStringLiteral("ODBC")));
    try {
        db::Base(this).executerScript(sql::ReglagesConnexion);
    } catch (const ErreurTarvo&) {
        db.close();
        throw;
    }
}

bool Connexion::estOuverte() const {
    return QSqlDatabase::contains(nom_) && QSqlDatabase::database(nom_, false).isOpen();
}

void Connexion::fermer() {
    if (!QSqlDatabase::contains(nom_))
        return;
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
    QSqlDatabase::database(nom_, false).close();
}

QSqlDatabase Connexion::base() const {
    return QSqlDatabase::database(nom_, false);
}

int Connexion::spid() {
    if (spid_ == 0)
        spid_ = static_cast<int>(db::Base(this).preparer(sql::NumeroConnexion).executerInsertion());
    return spid_;
}

} // namespace tarvo
