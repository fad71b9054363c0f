#include "ServeurDeTest.h"

#include "SqlDeTest.h"
#include "Tarvoctl.h"
#include "base/Erreur.h"
#include "db/Base.h"
#include "db/Connexion.h"
#include "db/Dialecte.h"

#include <QAtomicInt>
#include <QCoreApplication>
#include <QFile>
#include <QRegularExpression>
#include <QSettings>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QStringList>

using namespace Qt::StringLiterals;

namespace tarvo::test {
namespace {

std::optional<ServeurEssai> lireServeur() {
    const QString info = QStringLiteral(TARVO_SERVEUR_INFO);
    if (!QFile::exists(info)) {
        if (qEnvironmentVariable("TARVO_EXIGER_SERVEUR") == u"1"_s)
            qFatal("Moteur T-SQL exigé (TARVO_EXIGER_SERVEUR=1) mais non démarré : %s absent.",
                   qPrintable(info));
        qInfo("Moteur T-SQL absent (../shared/babelfish) : les essais sur le serveur sont "
              "ignorés.");
        return std::nullopt;
    }
    const QSettings reglages(info, QSettings::IniFormat);
    // FreeTDS reads the port and the protocol from its environment when the
    // connection string names a host: what a site's profile or service sets.
    qputenv("TDSPORT", reglages.value(u"port"_s).toString().toUtf8());
    qputenv("TDSVER", "7.4");
    return ServeurEssai{u"127.0.0.1"_s, reglages.value(u"utilisateur"_s).toString(),
                        reglages.value(u"motDePasse"_s).toString()};
}

// A plain QtSql connection for the setup, outside the program's own code.
class ConnexionEssai {
public:
    explicit ConnexionEssai(const QString& base) {
        static QAtomicInt compteur;
        nom_ = u"ServeurEssai-"_s + QString::number(compteur.fetchAndAddRelaxed(1));
        QSqlDatabase db = QSqlDatabase::addDatabase(u"QODBC"_s, nom_);
        db.setDatabaseName(ChaineOdbc(ParametresServeur(base)));
        if (!db.open())
            qFatal("Connexion au moteur T-SQL impossible : %s", qPrintable(db.lastError().text()));
    }
    ~ConnexionEssai() {
        QSqlDatabase::database(nom_, false).close();
        QSqlDatabase::removeDatabase(nom_);
    }
    QSqlDatabase db() const { return QSqlDatabase::database(nom_, false); }
    void executer(const QString& sql) const {
        QSqlQuery q(db());
        q.setForwardOnly(true);
        if (!q.exec(sql))
            qFatal("Instruction refusée par le moteur T-SQL : %s\n%s",
                   qPrintable(q.lastError().text()), qPrintable(sql.left(2000)));
    }

private:
    QString nom_;
};

QString lireFichier(const QString& chemin) {
    QFile f(chemin);
    if (!f.open(QIODevice::ReadOnly))
        qFatal("Lecture impossible : %s", qPrintable(chemin));
    return QString::fromUtf8(f.readAll());
}

// What `tarvoctl schema-sqlserver` writes, read once per test program.
const QString& scriptInstallation() {
    static const QString script = [] {
        const ResultatTarvoctl r = lancerTarvoctl({u"schema-sqlserver"_s});
        if (r.statut != 0 || r.sortie.isEmpty())
            qFatal("tarvoctl schema-sqlserver a échoué : %s", qPrintable(r.erreurs));
        return r.sortie;
    }();
    return script;
}

// The server's columns of a table: name, and its type's name.
QList<std::pair<QString, QString>> colonnesServeur(const ConnexionEssai& c, const QString& table) {
    QSqlQuery q(c.db());
    q.setForwardOnly(true);
    q.prepare(u"SELECT COLUMN_NAME, DATA_TYPE FROM INFORMATION_SCHEMA.COLUMNS "
              "WHERE TABLE_SCHEMA = 'dbo' AND TABLE_NAME = ? ORDER BY ORDINAL_POSITION"_s);
    q.addBindValue(table);
    if (!q.exec())
        qFatal("Colonnes illisibles : %s", qPrintable(q.lastError().text()));
    QList<std::pair<QString, QString>> colonnes;
    while (q.next())
        colonnes.append({q.value(0).toString(), q.value(1).toString().toLower()});
    return colonnes;
}

bool aUneIdentite(const ConnexionEssai& c, const QString& table) {
    QSqlQuery q(c.db());
    q.setForwardOnly(true);
    q.prepare(u"SELECT COUNT(*) FROM sys.identity_columns WHERE object_id = OBJECT_ID(?)"_s);
    q.addBindValue(u"dbo.["_s + table + u']');
    return q.exec() && q.next() && q.value(0).toInt() > 0;
}

// A value of the embedded file in the type of the server's column.
QVariant convertir(const QVariant& valeur, const QString& type) {
    // A NULL goes as a text's, which the server takes in a column of any
    // type (an untyped one reaches it as binary).
    if (valeur.isNull())
        return QVariant(QMetaType(QMetaType::QString));
    if (type.contains(u"date"_s))
        return db::Dialecte::lireDateHeure(valeur);
    if (type == u"decimal"_s || type == u"numeric"_s || type == u"float"_s || type == u"real"_s)
        return valeur.toDouble();
    if (type.contains(u"int"_s))
        return valeur.toLongLong();
    if (type.contains(u"binary"_s))
        return valeur.toByteArray();
    return valeur.toString();
}

// Reads the embedded file the way the program does, through its own handle.
void copierTable(const db::Base& source, const ConnexionEssai& cible, const QString& table) {
    const QList<std::pair<QString, QString>> serveur = colonnesServeur(cible, table);
    if (serveur.isEmpty())
        return;
    db::Requete lecture = source.preparer(db::TexteSql(u"SELECT * FROM ["_s + table + u']'));
    QStringList colonnes;
    for (int i = 0; i < lecture.nombreColonnes(); ++i)
        colonnes << lecture.nomColonne(i);
    QStringList noms;
    QList<int> rangs;
    QStringList types;
    for (const auto& [nom, type] : serveur) {
        const int rang = static_cast<int>(colonnes.indexOf(nom));
        if (rang < 0)
            continue;
        noms << u'[' + nom + u']';
        rangs << rang;
        types << type;
    }
    const bool identite = aUneIdentite(cible, table);
    QSqlQuery insertion(cible.db());
    insertion.setForwardOnly(true);
    const QString texte = u"INSERT INTO dbo.["_s + table + u"] ("_s + noms.join(u", "_s) +
                          u") VALUES ("_s + QStringList(noms.size(), u"?"_s).join(u", "_s) + u')';
    if (!insertion.prepare(texte))
        qFatal("%s", qPrintable(insertion.lastError().text()));
    bool premiere = true;
    while (lecture.suivante()) {
        if (premiere && identite)
            cible.executer(u"SET IDENTITY_INSERT dbo.["_s + table + u"] ON"_s);
        premiere = false;
        for (int i = 0; i < rangs.size(); ++i)
            insertion.bindValue(i, convertir(lecture.valeur(rangs.at(i)), types.at(i)));
        if (!insertion.exec())
            qFatal("Copie de %s refusée : %s", qPrintable(table),
                   qPrintable(insertion.lastError().text()));
    }
    if (!premiere && identite)
        cible.executer(u"SET IDENTITY_INSERT dbo.["_s + table + u"] OFF"_s);
}

} // namespace

ParametresConnexion ParametresServeur(const QString& base) {
    const ServeurEssai& s = *ServeurEssaiDisponible();
    ParametresConnexion p;
    p.moteur = db::Moteur::SqlServer;
    p.serveur = s.hote;
    p.base = base;
    p.piloteOdbc = u"FreeTDS"_s;
    p.integre = false;
    p.utilisateur = s.utilisateur;
    p.motDePasse = s.motDePasse;
    return p;
}

QByteArray IniSurServeur(QByteArray ini, const QString& base) {
    ini.replace("PROVIDER=SQLITE\r\n", "PROVIDER=SQLSERVER\r\n");
    ini.replace("SECURITYMODE=INTEG\r\n", "SECURITYMODE=SQL\r\n");
    ini.replace("SERVERNAME=\r\n", "SERVERNAME=" + ServeurEssaiDisponible()->hote.toUtf8() +
                                       "\r\nODBCDRIVER=FreeTDS\r\n");
    ini.replace("DBNAME=tarvo.db\r\n", "DBNAME=" + base.toUtf8() + "\r\n");
    return ini;
}

const std::optional<ServeurEssai>& ServeurEssaiDisponible() {
    static const std::optional<ServeurEssai> serveur = lireServeur();
    return serveur;
}

void ExecuterScriptServeur(const QString& base, const QString& script) {
    const ConnexionEssai c(base);
    static const QRegularExpression separateur(u"^\\s*GO\\s*$"_s,
                                               QRegularExpression::MultilineOption |
                                                   QRegularExpression::CaseInsensitiveOption);
    for (const QString& lot : script.split(separateur)) {
        if (!lot.trimmed().isEmpty())
            c.executer(lot);
    }
}

QString CreerBaseServeur() {
    static QAtomicInt compteur;
    const QString nom = u"essai_%1_%2"_s.arg(QCoreApplication::applicationPid())
                            .arg(compteur.fetchAndAddRelaxed(1));
    ConnexionEssai(u"master"_s).executer(u"CREATE DATABASE "_s + nom);
    ExecuterScriptServeur(nom, lireFichier(QStringLiteral(TARVO_SQL_ESSAI "/sage_sqlserver.sql")));
    ExecuterScriptServeur(nom, scriptInstallation());
    return nom;
}

void CopierVersServeur(const QString& fichier, const QString& base) {
    Connexion cnx(u"CopieVersServeur"_s);
    ParametresConnexion parametres;
    parametres.base = fichier;
    try {
        cnx.ouvrir(parametres);
    } catch (const ErreurTarvo& e) {
        qFatal("Ouverture de %s impossible : %s", qPrintable(fichier),
               qPrintable(e.erreur().description));
    }
    QStringList tables;
    for (const QVariantList& rangee :
         rangees(cnx, u"SELECT name FROM sqlite_master WHERE type = 'table' "
                      "AND name NOT LIKE 'sqlite%' ORDER BY name"_s))
        tables << rangee.value(0).toString();
    const db::Base source(&cnx);
    const ConnexionEssai cible(base);
    cible.db().transaction();
    try {
        for (const QString& table : tables)
            copierTable(source, cible, table);
    } catch (const ErreurTarvo& e) {
        qFatal("Copie vers le serveur impossible : %s", qPrintable(e.erreur().description));
    }
    cible.db().commit();
}

} // namespace tarvo::test
