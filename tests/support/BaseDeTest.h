#pragma once

#include "PromptsScriptes.h"
#include "app/Contexte.h"

#include <QTemporaryDir>
#include <memory>

namespace tarvo::test {

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
