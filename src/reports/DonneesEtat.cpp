#include "DonneesEtat.h"

#include "SqlEditions.h"
#include "base/Erreur.h"
#include "catalogue/Societe.h"
#include "db/Base.h"
#include "shipments/LecteursExpedition.h"

#include <QHash>

namespace tarvo::editions {
namespace {

QVariant valeurOuNul(const db::Requete& r, int colonne) {
    return r.estNul(colonne) ? QVariant() : r.valeur(colonne);
}

// The parent row and the orders, common to every command.
DonneesEtat parent(const db::Base& base, qint32 noExp) {
    DonneesEtat d;
    db::Requete r = base.preparer(sql::EnTeteExpedition);
    r.lier(u":noExpedition", noExp);
    if (!r.suivante())
        throw ErreurTarvo(NumeroErreur::DonneeInvalide, QStringLiteral("Editions"),
                          QStringLiteral("L'expédition n° %1 n'existe pas.").arg(noExp));
    EnTeteExpedition& e = d.expedition;
    e.noExpedition = static_cast<qint32>(r.entier(0));
    e.libelle1 = r.texte(1);
    e.libelle2 = r.texte(2);
    e.dateCreation = r.dateHeure(3);
    e.dateCloture = r.dateHeure(4);
    e.tare = valeurOuNul(r, 5);
    e.poidsBrut = valeurOuNul(r, 6);
    e.poidsNet = valeurOuNul(r, 7);
    e.volume = valeurOuNul(r, 8);
    e.ctNum = r.texte(9);
    e.liIntitule = r.texte(10);
    e.liAdresse = r.texte(11);
    e.liComplement = r.texte(12);
    e.liCodePostal = r.texte(13);
    e.liVille = r.texte(14);
    e.liPays = r.texte(15);

    for (const expeditions::CommandeDeLExpedition& c :
         expeditions::LireCommandesExpedition(base, noExp))
        d.commandes.append({c.noCommande, c.reference, c.dateCreation, c.dateLivraison});
    return d;
}

} // namespace

bool ExpeditionExiste(const db::Base& base, qint32 noExp) {
    db::Requete r = base.preparer(sql::EnTeteExpedition);
    r.lier(u":noExpedition", noExp);
    return r.suivante();
}

DonneesEtat BonExp(const db::Base& base, qint32 noExp) {
    return parent(base, noExp);
}

DonneesEtat ListeArticle(const db::Base& base, qint32 noExp) {
    DonneesEtat d = parent(base, noExp);
    db::Requete r = base.preparer(sql::DetailListeArticle);
    r.lier(u":noExpedition", noExp);
    while (r.suivante())
        d.articles.append({r.texte(0), r.texte(1), r.texte(2), valeurOuNul(r, 3)});
    return d;
}

DonneesEtat ColisageExp(const db::Base& base, qint32 noExp) {
    DonneesEtat d = parent(base, noExp);
    db::Requete colis = base.preparer(sql::ColisExpedition);
    colis.lier(u":noExpedition", noExp);
    while (colis.suivante())
        d.colis.append({static_cast<qint32>(colis.entier(0)), valeurOuNul(colis, 1), {}});

    // A content line whose bar code Sage does not know is not printed.
    QHash<QString, QString> libelles;
    db::Requete l = base.preparer(sql::LibellesColisage);
    l.lier(u":noExpedition", noExp);
    while (l.suivante())
        libelles.insert(l.texte(0), l.texte(1));

    // Both levels come in parcel order: one walk attaches each content row
    // to its parcel.
    db::Requete contenu = base.preparer(sql::ColisageExpedition);
    contenu.lier(u":noExpedition", noExp);
    qsizetype i = 0;
    while (contenu.suivante()) {
        const auto noColis = static_cast<qint32>(contenu.entier(0));
        while (i < d.colis.size() && d.colis[i].noColis < noColis)
            ++i;
        const auto libelle = libelles.constFind(contenu.texte(1));
        // A packing row without its parcel row has no parcel to print under.
        if (i == d.colis.size() || d.colis[i].noColis != noColis || libelle == libelles.cend())
            continue;
        d.colis[i].contenu.append({contenu.texte(1), *libelle, contenu.entier(2)});
    }

    // The letterhead as the company window edits it.
    if (const auto fiche = catalogue::LireSociete(base)) {
        const QStringList& c = fiche->champs;
        d.societe =
            Societe{c[0], c[2], c[3], c[4], c[5], c[6], c[7], c[8], c[9], c[10], fiche->logo};
    }
    return d;
}

DonneesEtat EtatControleArt(const db::Base& base, qint32 noExp) {
    DonneesEtat d = parent(base, noExp);
    db::Requete r = base.preparer(sql::ListeControleArt);
    r.lier(u":noExpedition", noExp);
    while (r.suivante())
        d.controleArt.append({r.texte(0), r.texte(1), valeurOuNul(r, 3), valeurOuNul(r, 2),
                              r.texte(4), valeurOuNul(r, 5)});
    return d;
}

DonneesEtat EtatControleArtGamme(const db::Base& base, qint32 noExp, qint32 spid) {
    DonneesEtat d = parent(base, noExp);
    db::Requete r = base.preparer(sql::ListeCtrlArtGamme);
    r.lier(u":spid", spid).lier(u":noExpedition", noExp);
    while (r.suivante())
        d.controleGamme.append({r.texte(0), r.texte(1), valeurOuNul(r, 2), valeurOuNul(r, 3),
                                r.texte(4), valeurOuNul(r, 5)});
    return d;
}

} // namespace tarvo::editions
