#pragma once

#include <QProcessEnvironment>
#include <QString>
#include <QStringList>

namespace tarvo::test {

struct ResultatTarvoctl {
    // -1 when the program crashed or did not end.
    int statut = -1;
    QString sortie;
    QString erreurs;
};

// Runs the real tarvoctl with no standard input, as a scheduler would.
ResultatTarvoctl
lancerTarvoctl(const QStringList& arguments,
               const QProcessEnvironment& environnement = QProcessEnvironment::systemEnvironment());
// The same, `entree` piped to its standard input, as a script would.
ResultatTarvoctl lancerTarvoctlAvecEntree(const QStringList& arguments, const QByteArray& entree);

} // namespace tarvo::test
