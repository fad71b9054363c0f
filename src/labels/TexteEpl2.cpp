#include "TexteEpl2.h"

#include "base/Windows1252.h"

namespace tarvo::etiquettes {
namespace {

constexpr char Guillemet = '"';
constexpr qsizetype LongueurLigne = 35;

// Only spaces are trimmed: a tab or another blank is printable data.
QByteArray sansEspaces(const QByteArray& texte) {
    qsizetype debut = 0;
    qsizetype fin = texte.size();
    while (debut < fin && texte.at(debut) == ' ')
        ++debut;
    while (fin > debut && texte.at(fin - 1) == ' ')
        --fin;
    return texte.mid(debut, fin - debut);
}

// One command line: its text, then the line feed that separates commands.
void ligne(QByteArray& texte, const QByteArray& commande) {
    texte += commande;
    texte += '\n';
}

// Printable data: Windows-1252 bytes, escaped, between double quotes.
QByteArray entre(const QByteArray& donnees) {
    return Guillemet + echapperEpl2(donnees) + Guillemet;
}
QByteArray entre(const QString& texte) {
    return entre(Windows1252::encoder(texte));
}

QByteArray nombre(qint64 valeur) {
    return QByteArray::number(valeur);
}

// The opening every label shares: a line feed, clear the buffer, then the
// Windows-1252 character set with the French country code.
QByteArray debut(bool ligneVideApresN) {
    QByteArray texte("\nN\n");
    if (ligneVideApresN)
        texte += '\n';
    ligne(texte, "I8,A,033");
    return texte;
}

void fin(QByteArray& texte, const QByteArray& commandeImpression) {
    ligne(texte, commandeImpression);
    texte += '\n';
    texte += '\0';
}

} // namespace

LignesLibelle DecoupeLibelle(const QString& libelle) {
    const QByteArray texte = sansEspaces(Windows1252::encoder(libelle));
    if (texte.size() <= LongueurLigne)
        return {texte, {}};
    // Positions below are 1-based, as a person counts the characters.
    qsizetype coupure = 36;
    if (texte.at(35) != ' ') {
        const qsizetype espace = texte.left(LongueurLigne).lastIndexOf(' ');
        if (espace >= 0)
            coupure = espace + 1;
    }
    return {texte.left(coupure - 1), sansEspaces(texte.mid(coupure - 1, LongueurLigne))};
}

QByteArray echapperEpl2(const QByteArray& donnees) {
    QByteArray resultat;
    resultat.reserve(donnees.size());
    for (const char c : donnees) {
        // A line feed or another control byte would end the command early or
        // slip a command of its own into the label: it prints as a space.
        if (static_cast<unsigned char>(c) < 0x20) {
            resultat += ' ';
            continue;
        }
        if (c == '\\' || c == Guillemet)
            resultat += '\\';
        resultat += c;
    }
    return resultat;
}

QByteArray TexteEtiquetteArticle(VarianteArticle variante, int marge, const QString& codeBarre,
                                 const QString& libelle, int nombre) {
    const QByteArray m = etiquettes::nombre(marge);
    const LignesLibelle lignes = DecoupeLibelle(libelle);
    QByteArray texte = debut(variante == VarianteArticle::Navigateur);
    ligne(texte, "B" + m + ",10,0,E30,3,1,120,B," + entre(codeBarre.trimmed()));
    ligne(texte, "A" + m + ",150,0,1,1,1,N," + entre(lignes.ligne1));
    ligne(texte, "A" + m + ",165,0,1,1,1,N," + entre(lignes.ligne2));
    fin(texte, "P" + etiquettes::nombre(nombre));
    return texte;
}

QString NumeroExpeditionEtiquette(qint32 noExpedition) {
    return QString::number(noExpedition).trimmed().rightJustified(6, u' ');
}

QString DonneesCodeBarreColis(const QString& numeroExpedition, int noColis) {
    return QStringLiteral("EXP:") + numeroExpedition + QStringLiteral(",COLIS:") +
           QString::number(noColis).rightJustified(3, u' ');
}

QByteArray TexteEtiquetteColis(int marge, const QString& numeroExpedition, int noColis,
                               const AdresseLivraison& adresse) {
    const QByteArray donnees = entre(DonneesCodeBarreColis(numeroExpedition, noColis));
    // Computed wide: an unchecked margin never wraps round.
    const auto x = [marge](int decalage) { return nombre(qint64{marge} + decalage); };
    QByteArray texte = debut(true);
    ligne(texte, "B" + x(20) + ",10,0,1,2,2,150,N," + donnees);
    ligne(texte, "A" + x(-12) + ",190,0,3,2,2,N," + donnees);
    ligne(texte, "A" + x(0) + ",260,0,4,1,1,N," + entre(QStringLiteral("Adresse Livraison :")));
    int y = 300;
    for (const QString& ligneAdresse : adresse) {
        ligne(texte, "A" + x(0) + ',' + nombre(y) + ",0,4,1,1,N," + entre(ligneAdresse));
        y += 30;
    }
    ligne(texte,
          "A" + x(-20) + ",490,0,4,4,4,N," +
              entre(QStringLiteral("COLIS:") + QString::number(noColis).rightJustified(3, u' ')));
    const QByteArray gauche = x(CadreColisGauche);
    const QByteArray droit = x(CadreColisDroit);
    ligne(texte, "X" + gauche + ",0,2," + droit + ",610");
    ligne(texte, "X" + gauche + ",250,2," + droit + ",290");
    ligne(texte, "X" + gauche + ",450,2," + droit + ",452");
    fin(texte, "P1");
    return texte;
}

} // namespace tarvo::etiquettes
