#pragma once

#include "PromptsScriptes.h"
#include "SqlDeTest.h"
#include "app/Contexte.h"

#include <QTemporaryDir>
#include <memory>

namespace tarvo::test {

// One way into the embedded database for a row of a both-path table: the
// engine's own handle; the generic QtSql layer, the way SQL Server is
// driven, through the ODBC driver manager and the SQLite ODBC driver, as on
// a site: named parameters bound by position, dates and accented text
// through a real driver; and the server path itself: the test's data copied
// into a database of the T-SQL engine, reached through unixODBC and FreeTDS
// with the server's texts.
struct VoieDeTest {
    // Added to the row's name: empty for the handle, " (ODBC)", " (serveur)".
    QByteArray nom;
    bool odbc = false;
    bool serveur = false;
};

// The ways a both-path table runs, ODBC only when its driver is installed,
// the server only when the suite started one (a message says once what is
// left out).
QList<VoieDeTest> Voies();
// The embedded engine's own handle and the server: for tests whose subject
// is what the statements do rather than how a driver carries them.
QList<VoieDeTest> VoiesDesMoteurs();

// A program folder of its own in a temporary directory: TARVOX.ini, the
// version file, terminal and archive folders, and on demand an embedded
// database built from the production schema script.
class BaseDeTest {
public:
    BaseDeTest();
    ~BaseDeTest();

    // Creates tarvo.db (with the demo data when asked) and opens Cnx on it.
    void creerBase(bool avecDemo = false);

    // Reopens Cnx on the same file through QODBC and the SQLite ODBC driver,
    // so that the generic path runs through a real ODBC driver manager and
    // driver as on a site (with the embedded database's texts). False when
    // the driver is missing.
    bool passerParOdbc();
    // Copies the embedded database into a new server database and reopens
    // Cnx (and ConxReport when open) on it, through TARVOX.ini keys a site
    // would write. False when no server runs.
    bool passerParServeur();
    // Takes `voie`: through ODBC or the server, reopens Cnx as above, once.
    // Call it once the test's data is written, before what is tested. False
    // when the driver fails to open, or for another way once Cnx left the
    // embedded file's own handle (a table sharing one database puts its
    // ODBC rows, then its server rows, last).
    bool prendre(const VoieDeTest& voie);
    // True once Cnx runs on the server.
    bool surServeur() const;

    QString chemin(const QString& nom) const;
    void ecrireFichier(const QString& nom, const QByteArray& contenu) const;
    QByteArray lireFichier(const QString& nom) const;
    // Replaces TARVOX.ini.
    void ecrireIni(const QByteArray& contenu) const;

    QTemporaryDir dossier;
    PromptsScriptes prompts;
    FeedbackEnregistre feedback;
    HorlogeFixe horloge;
    std::unique_ptr<Contexte> ctx;
};

// TARVOX.ini for a program folder `dossier`, on the embedded database tarvo.db.
QByteArray iniParDefaut(const QString& dossier);

} // namespace tarvo::test

Q_DECLARE_METATYPE(tarvo::test::VoieDeTest)
