#include "Ini.h"

#include "Environnement.h"
#include "Erreur.h"
#include "Windows1252.h"

#include <QFile>

namespace tarvo {
namespace {

bool estEnTeteDeSection(const QString& ligne) {
    return ligne.startsWith(u'[') && ligne.endsWith(u']');
}

QString sansEspacesAutour(const QString& texte) {
    qsizetype debut = 0;
    qsizetype fin = texte.size();
    while (debut < fin && texte[debut] == u' ')
        ++debut;
    while (fin > debut && texte[fin - 1] == u' ')
        --fin;
    return texte.mid(debut, fin - debut);
}

// Reads one line; CR LF and a lone LF both end it.
bool lireLigne(QFile& fichier, QString& ligne) {
    QByteArray octets = fichier.readLine();
    if (octets.isEmpty())
        return false;
    if (octets.endsWith('\n'))
        octets.chop(1);
    if (octets.endsWith('\r'))
        octets.chop(1);
    ligne = Windows1252::decoder(octets);
    return true;
}

} // namespace

QString ValeurCle(const QString& cle, const QString& ligne, bool* trouve) {
    const bool correspond = ligne.startsWith(cle) && ligne.contains(u'=');
    if (trouve)
        *trouve = correspond;
    if (!correspond)
        return {};
    return sansEspacesAutour(ligne.mid(ligne.indexOf(u'=') + 1));
}

void AfficherSectionIntrouvable(Environnement& ctx, const SectionIniIntrouvable& e) {
    ctx.prompts.critique(QStringLiteral("Lecture du fichier INI"),
                         QStringLiteral("La section suivante est introuvable : ") + e.section());
}

QString LireIni(Environnement& ctx, const QString& cle, const QString& section,
                const QString& fichier) {
    const QString chemin = fichier.isEmpty() ? ctx.chemin(NomFichierIni) : fichier;
    QFile f(chemin);
    if (!f.open(QIODevice::ReadOnly))
        throw ErreurTarvo(NumeroErreur::FichierIntrouvable, QStringLiteral("LireIni"),
                          QStringLiteral("Fichier introuvable ou illisible : ") + chemin);

    QString ligne;
    bool finAtteinte = true;
    while (lireLigne(f, ligne)) {
        if (ligne == section) {
            finAtteinte = f.atEnd();
            break;
        }
    }
    // A header on the very last line counts as missing: there is nothing to read after it.
    if (finAtteinte)
        throw SectionIniIntrouvable(section);

    QString resultat;
    while (lireLigne(f, ligne)) {
        bool trouve = false;
        resultat = ValeurCle(cle, ligne, &trouve);
        if (trouve || ligne == cle)
            break;
        if (estEnTeteDeSection(ligne))
            break;
    }
    return resultat;
}

} // namespace tarvo
