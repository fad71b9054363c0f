#include "Connexion.h"

#include "Contexte.h"
#include "FormesMessages.h"
#include "Ini.h"
#include "SqlApplication.h"
#include "db/Base.h"
#include "db/CollationFrancaise.h"
#include "db/Schema.h"

#include <QAtomicInt>
#include <QDateTime>
#include <QDir>
#include <QFileInfo>
#include <QSqlError>

namespace tarvo {
namespace {

const QString SourceConnexion = QStringLiteral("Connexion");
const QString PiloteOdbcParDefaut = QStringLiteral("ODBC Driver 18 for SQL Server");

QString nomUnique(const QString& role) {
    static QAtomicInt compteur;
    return role + u'-' + QString::number(compteur.fetchAndAddRelaxed(1) + 1);
}

// An ODBC attribute value in braces, so that ';' or '=' in it cannot add attributes.
QString valeurOdbc(const QString& valeur) {
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
        throw ErreurTarvo(Erreur::depuisSql(db.lastError(), parametres.moteur == db::Moteur::SQLite
                                                                ? QStringLiteral("SQLite")
                                                                : QStringLiteral("ODBC")));
    try {
        // Before any statement: the schema's sorts and the upgrade need it.
        if (parametres.moteur == db::Moteur::SQLite)
            db::InstallerFrancais(db::PoigneeSQLite(db));
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

ParametresConnexion ParametresDepuisIni(Contexte& ctx, const QString& utilisateur,
                                        const QString& motDePasse) {
    const QString section = QStringLiteral("[DB]");
    ParametresConnexion p;
    const QString fournisseur = LireIni(ctx, QStringLiteral("PROVIDER"), section);
    p.moteur = fournisseur.compare(QStringLiteral("SQLITE"), Qt::CaseInsensitive) == 0
                   ? db::Moteur::SQLite
                   : db::Moteur::SqlServer;
    p.serveur = LireIni(ctx, QStringLiteral("SERVERNAME"), section);
    p.base = LireIni(ctx, QStringLiteral("DBNAME"), section);
    if (p.moteur == db::Moteur::SQLite && !p.base.isEmpty())
        p.base = QDir::cleanPath(QDir(ctx.dossierProgramme).absoluteFilePath(p.base));
    p.piloteOdbc = LireIni(ctx, QStringLiteral("ODBCDRIVER"), section);
    if (p.piloteOdbc.isEmpty())
        p.piloteOdbc = PiloteOdbcParDefaut;
    p.chiffrement = LireIni(ctx, QStringLiteral("ENCRYPT"), section);
    p.confianceCertificat = LireIni(ctx, QStringLiteral("TRUSTSERVERCERTIFICATE"), section);
    p.integre = ctx.modeSecurite == QStringLiteral("INTEG");
    p.utilisateur = utilisateur;
    p.motDePasse = motDePasse;
    return p;
}

bool ConnexionBase(Contexte& ctx, const QString& utilisateur, const QString& motDePasse) {
    ctx.cnx = std::make_unique<Connexion>(QStringLiteral("Cnx"));
    Erreur erreur;
    bool ouverte = false;
    try {
        const ParametresConnexion p = ParametresDepuisIni(ctx, utilisateur, motDePasse);
        if (p.moteur == db::Moteur::SQLite && !p.integre) {
            erreur = {NumeroErreur::Base, SourceConnexion,
                      QStringLiteral("La base embarquée (PROVIDER=SQLITE) n'a pas de comptes "
                                     "utilisateurs : aucun mot de passe ne peut y être vérifié. "
                                     "Indiquez SECURITYMODE=INTEG dans la section [DB] de ") +
                          NomFichierIni + u'.'};
        } else {
            ctx.cnx->ouvrir(p);
            db::MettreAJourSchema(*ctx.cnx);
            ouverte = true;
        }
    } catch (const ErreurTarvo& e) {
        // A schema refused leaves no connection half usable.
        ctx.cnx->fermer();
        erreur = e.erreur();
    }
    if (!ouverte)
        afficherErreurDetaillee(ctx, QStringLiteral("Problème de connexion"), erreur);
    return ouverte;
}

void init_dataenv_connection(Contexte& ctx) {
    if (!ctx.cnx || !ctx.cnx->estOuverte())
        throw ErreurTarvo(NumeroErreur::Base, SourceConnexion,
                          QStringLiteral("La connexion principale n'est pas ouverte."));
    ctx.conxReport = std::make_unique<Connexion>(QStringLiteral("ConxReport"));
    ctx.conxReport->ouvrir(ctx.cnx->parametres());
}

} // namespace tarvo
