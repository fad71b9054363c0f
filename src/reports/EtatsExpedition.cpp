#include "EtatsExpedition.h"

#include "base/Francais.h"

namespace tarvo::editions {
namespace {

constexpr double HauteurLigne = 13.0;

struct Colonne {
    QString titre;
    double x;
    double largeur;
    Qt::Alignment alignement = Qt::AlignLeft;
};

QString texteDate(const QDateTime& moment) {
    return moment.isValid() ? moment.toString(QStringLiteral("dd/MM/yyyy")) : QString();
}

// Whole numbers as they are, others the French way ("0,5"), whatever the
// system's locale. Quantities and weights have at most six decimals: what
// lies beyond is the binary rounding of a sum or a difference.
QString texteNombre(const QVariant& valeur) {
    if (!valeur.isValid() || valeur.isNull())
        return QString();
    bool ok = false;
    const double d = valeur.toDouble(&ok);
    if (!ok)
        return valeur.toString();
    return nombreFrancais(static_cast<double>(qRound64(d * 1e6)) / 1e6);
}

Bande ligne(const QList<Colonne>& colonnes, const QStringList& textes, Style style) {
    Bande b(HauteurLigne);
    for (qsizetype i = 0; i < colonnes.size() && i < textes.size(); ++i)
        b.texte(colonnes[i].x, 0, colonnes[i].largeur, HauteurLigne, textes[i], style,
                colonnes[i].alignement);
    return b;
}

// The column headings, underlined; kept with the first line under them.
Bande entetesColonnes(const QList<Colonne>& colonnes) {
    QStringList titres;
    for (const Colonne& c : colonnes)
        titres << c.titre;
    Bande b(HauteurLigne + 4);
    for (qsizetype i = 0; i < colonnes.size(); ++i)
        b.texte(colonnes[i].x, 2, colonnes[i].largeur, HauteurLigne, titres[i], Style::Gras,
                colonnes[i].alignement);
    b.trait(0, HauteurLigne + 3, LargeurUtile, HauteurLigne + 3);
    b.garderAvecSuivante = true;
    return b;
}

Bande titrePage(const QString& titre) {
    Bande b(30);
    b.texte(0, 0, LargeurUtile, 22, titre, Style::Titre, Qt::AlignHCenter);
    b.trait(0, 26, LargeurUtile, 26);
    return b;
}

// The shipment block of every report's group header.
Bande blocExpedition(const EnTeteExpedition& e) {
    Bande b(92);
    const double xValeur = 80;
    b.texte(0, 2, xValeur, 20, QStringLiteral("No Expédition:"), Style::Gras);
    b.texte(xValeur, 0, 150, 24, QString::number(e.noExpedition), Style::Numero);
    const QList<std::pair<QString, QString>> champs = {
        {QStringLiteral("Libellé 1:"), e.libelle1},
        {QStringLiteral("Libellé 2:"), e.libelle2},
        {QStringLiteral("Date création:"), texteDate(e.dateCreation)},
        {QStringLiteral("Date cloture:"), texteDate(e.dateCloture)},
    };
    double y = 28;
    for (const auto& [titre, valeur] : champs) {
        b.texte(0, y, xValeur, HauteurLigne, titre, Style::Gras);
        b.texte(xValeur, y, 190, HauteurLigne, valeur);
        y += 14;
    }
    // The address under its caption, as wide as the half page allows, so
    // that a full-length Sage address line prints on one line.
    const double xLieu = 280;
    const double largeur = LargeurUtile - xLieu;
    b.texte(xLieu, 2, largeur, HauteurLigne, QStringLiteral("Lieu de livraison :"), Style::Gras);
    const QStringList adresse = {e.liIntitule, e.liAdresse, e.liComplement,
                                 QStringList{e.liCodePostal, e.liVille}.join(u' ').trimmed(),
                                 e.liPays};
    // An empty part of the address leaves no gap.
    double yAdresse = 16;
    for (qsizetype i = 0; i < adresse.size(); ++i)
        if (!adresse[i].isEmpty()) {
            b.texte(xLieu, yAdresse, largeur, HauteurLigne, adresse[i],
                    i == 0 ? Style::Gras : Style::Normal);
            yAdresse += 14;
        }
    b.trait(0, 88, LargeurUtile, 88);
    return b;
}

Bande titreSection(const QString& titre) {
    Bande b(20);
    b.texte(0, 4, LargeurUtile, HauteurLigne, titre, Style::Gras);
    b.garderAvecSuivante = true;
    return b;
}

// "N°Commandes" with the shipment's order numbers beside it, one a line.
void listeCommandes(QList<Bande>& corps, const QList<CommandeExp>& commandes) {
    Bande premiere(HauteurLigne);
    premiere.texte(0, 0, 80, HauteurLigne, QStringLiteral("N°Commandes"), Style::Gras);
    if (!commandes.isEmpty())
        premiere.texte(80, 0, 200, HauteurLigne, commandes.first().noCommande);
    corps << premiere;
    for (qsizetype i = 1; i < commandes.size(); ++i)
        corps << Bande(HauteurLigne).texte(80, 0, 200, HauteurLigne, commandes[i].noCommande);
    corps << Bande(6);
}

// "Vos références" (the orders' references) and "Nos références" (their
// numbers), one order a line.
void references(QList<Bande>& corps, const QList<CommandeExp>& commandes) {
    const qsizetype lignes = qMax<qsizetype>(1, commandes.size());
    for (qsizetype i = 0; i < lignes; ++i) {
        Bande b(HauteurLigne);
        if (i == 0) {
            b.texte(0, 0, 80, HauteurLigne, QStringLiteral("Vos références"), Style::Gras);
            b.texte(280, 0, 90, HauteurLigne, QStringLiteral("Nos références"), Style::Gras);
        }
        if (i < commandes.size()) {
            b.texte(80, 0, 195, HauteurLigne, commandes[i].reference);
            b.texte(370, 0, LargeurUtile - 370, HauteurLigne, commandes[i].noCommande);
        }
        corps << b;
    }
    corps << Bande(6);
}

// The column headings, then the lines under them; a page that the lines go
// on to repeats the headings.
void details(Modele& m, const QList<Colonne>& colonnes, const QList<QStringList>& lignes,
             const QList<bool>& enGras = {}) {
    m.corps << entetesColonnes(colonnes);
    Bande reprise = entetesColonnes(colonnes);
    reprise.garderAvecSuivante = false;
    m.suites << QList<Bande>{reprise};
    const qsizetype suite = m.suites.size() - 1;
    for (qsizetype i = 0; i < lignes.size(); ++i) {
        Bande b = ligne(colonnes, lignes[i],
                        i < enGras.size() && enGras[i] ? Style::Gras : Style::Normal);
        b.suite = suite;
        // A subtotal line starts no page: the line above it goes along.
        b.garderAvecSuivante = i + 1 < enGras.size() && enGras[i + 1];
        m.corps << b;
    }
}

void bonExp(Modele& m, const DonneesEtat& d) {
    m.enTetePage = titrePage(QStringLiteral("BON D'EXPEDITION"));
    m.corps << blocExpedition(d.expedition);
    m.corps << titreSection(QStringLiteral("Liste des commandes de l'expédition :"));
    const QList<Colonne> colonnes = {{QStringLiteral("No commande SAGE"), 0, 110},
                                     {QStringLiteral("Référence SAGE"), 110, 190},
                                     {QStringLiteral("Date création SAGE"), 300, 110},
                                     {QStringLiteral("Date livraison"), 410, 113}};
    QList<QStringList> lignes;
    for (const CommandeExp& c : d.commandes)
        lignes << QStringList{c.noCommande, c.reference, texteDate(c.dateCreation),
                              texteDate(c.dateLivraison)};
    details(m, colonnes, lignes);
}

void listeArticles(Modele& m, const DonneesEtat& d) {
    m.enTetePage = titrePage(QStringLiteral("Liste articles de l'expédition n°") +
                             QString::number(d.expedition.noExpedition));
    m.corps << blocExpedition(d.expedition);
    m.corps << titreSection(QStringLiteral("Liste des articles de l'expédition :"));
    listeCommandes(m.corps, d.commandes);
    const QList<Colonne> colonnes = {{QStringLiteral("Code barres"), 0, 100},
                                     {QStringLiteral("Référence SAGE"), 102, 112},
                                     {QStringLiteral("Désignation"), 216, 262},
                                     {QStringLiteral("Qté"), 478, 45, Qt::AlignRight}};
    QList<QStringList> lignes;
    for (const ArticleCommande& a : d.articles)
        lignes << QStringList{a.codeBarres, a.reference, a.designation, texteNombre(a.qteCde)};
    details(m, colonnes, lignes);
}

QString titreControle(const DonneesEtat& d) {
    return QStringLiteral("Etat de contrôle de l'expédition n°") +
           QString::number(d.expedition.noExpedition);
}

QList<Colonne> colonnesControle(const QString& premiere) {
    return {{premiere, 0, 112},
            {QStringLiteral("Désignation"), 114, 126},
            {QStringLiteral("Qté commandée"), 240, 72, Qt::AlignRight},
            {QStringLiteral("Qté expédiée"), 314, 60, Qt::AlignRight},
            {QStringLiteral("Contrôle"), 380, 94},
            {QStringLiteral("Différence"), 475, 48, Qt::AlignRight}};
}

void controleArt(Modele& m, const DonneesEtat& d) {
    m.enTetePage = titrePage(titreControle(d));
    m.corps << blocExpedition(d.expedition);
    listeCommandes(m.corps, d.commandes);
    QList<QStringList> lignes;
    for (const LigneControleArt& l : d.controleArt)
        lignes << QStringList{l.reference,
                              l.libelle,
                              texteNombre(l.qteCommandee),
                              texteNombre(l.qteExpediee),
                              l.controle,
                              texteNombre(l.difference)};
    details(m, colonnesControle(QStringLiteral("CodeArticle")), lignes);
}

void controleGamme(Modele& m, const DonneesEtat& d) {
    m.enTetePage = titrePage(titreControle(d));
    m.corps << blocExpedition(d.expedition);
    listeCommandes(m.corps, d.commandes);
    QList<QStringList> lignes;
    QList<bool> sousTotaux;
    for (const LigneControleGamme& l : d.controleGamme) {
        lignes << QStringList{l.codeBarre,           l.designCouleur, texteNombre(l.qteCde),
                              texteNombre(l.qteExp), l.controle,      texteNombre(l.difference)};
        sousTotaux << (l.designCouleur == QStringLiteral("S/T"));
    }
    details(m, colonnesControle(QStringLiteral("Code Barre")), lignes, sousTotaux);
}

Bande enTeteSociete(const Societe& s, const QImage& logo) {
    Bande b(112);
    double x = 0;
    if (!logo.isNull()) {
        b.image(QRectF(0, 0, 140, 80), logo);
        x = 155;
    }
    const double largeur = LargeurUtile - x;
    b.texte(x, 0, largeur, 16, s.nom, Style::Titre);
    double y = 20;
    for (const QString& t :
         {s.adresse1, s.adresse2, QStringList{s.codePostal, s.ville}.join(u' ').trimmed(), s.pays})
        if (!t.isEmpty()) {
            b.texte(x, y, largeur, 12, t);
            y += 12;
        }
    const auto contact = [&](double xc, double yc, const QString& titre, const QString& valeur,
                             double largeurValeur) {
        b.texte(xc, yc, 40, 12, titre, Style::Gras);
        b.texte(xc + 40, yc, largeurValeur, 12, valeur);
    };
    contact(x, y, QStringLiteral("Tél:"), s.telephone, 120);
    contact(x + 170, y, QStringLiteral("Fax:"), s.fax, 120);
    contact(x, y + 12, QStringLiteral("e-m@il:"), s.email, largeur - 40);
    if (!s.web.isEmpty())
        b.texte(x, y + 24, largeur, 12, s.web);
    b.trait(0, 108, LargeurUtile, 108);
    return b;
}

void colisage(Modele& m, const DonneesEtat& d, const QImage& logo) {
    if (d.societe)
        m.enTeteEtat = enTeteSociete(*d.societe, logo);
    m.enTetePage = titrePage(QStringLiteral("Liste de colisage / Packing list"));
    m.corps << blocExpedition(d.expedition);
    references(m.corps, d.commandes);
    const QList<Colonne> colonnes = {{QStringLiteral("Code barres"), 0, 100},
                                     {QStringLiteral("Désignation"), 100, 343},
                                     {QStringLiteral("Qté Livrée"), 443, 80, Qt::AlignRight}};
    for (const ColisExp& c : d.colis) {
        Bande titre(20);
        titre.texte(0, 4, 55, HauteurLigne, QStringLiteral("No Colis:"), Style::Gras);
        titre.texte(55, 4, 60, HauteurLigne, QString::number(c.noColis), Style::Gras);
        // A parcel not weighed yet shows no weight, not a unit after nothing.
        if (!c.poids.isNull()) {
            titre.texte(150, 4, 65, HauteurLigne, QStringLiteral("Poids colis:"), Style::Gras);
            titre.texte(215, 4, 60, HauteurLigne, texteNombre(c.poids), Style::Normal,
                        Qt::AlignRight);
            titre.texte(278, 4, 20, HauteurLigne, QStringLiteral("kg"));
        }
        titre.garderAvecSuivante = true;
        const Bande entetes = entetesColonnes(colonnes);
        m.corps << titre << entetes;
        // A parcel that goes on to another page says which one it is there.
        Bande repriseTitre = titre;
        repriseTitre.garderAvecSuivante = false;
        Bande repriseEntetes = entetes;
        repriseEntetes.garderAvecSuivante = false;
        m.suites << QList<Bande>{repriseTitre, repriseEntetes};
        const qsizetype suite = m.suites.size() - 1;
        qint64 total = 0;
        for (qsizetype i = 0; i < c.contenu.size(); ++i) {
            const LigneColisage& l = c.contenu[i];
            Bande b = ligne(colonnes, {l.codeBarres, l.libelle, QString::number(l.quantite)},
                            Style::Normal);
            b.suite = suite;
            // The parcel's total is never printed without its last line.
            b.garderAvecSuivante = i + 1 == c.contenu.size();
            m.corps << b;
            total += l.quantite;
        }
        Bande pied(18);
        pied.trait(300, 1, LargeurUtile, 1);
        pied.texte(300, 3, 140, HauteurLigne, QStringLiteral("Total article colis :"), Style::Gras);
        pied.texte(443, 3, 80, HauteurLigne, QString::number(total), Style::Gras, Qt::AlignRight);
        pied.suite = suite;
        m.corps << pied;
    }
    Bande totaux(54);
    totaux.trait(0, 4, LargeurUtile, 4);
    const QList<std::pair<QString, QVariant>> poids = {
        {QStringLiteral("Tare:"), d.expedition.tare},
        {QStringLiteral("Poids brut:"), d.expedition.poidsBrut},
        {QStringLiteral("Poids Net:"), d.expedition.poidsNet},
        {QStringLiteral("Volume:"), d.expedition.volume}};
    double x = 0;
    for (const auto& [titre, valeur] : poids) {
        totaux.texte(x, 10, 60, HauteurLigne, titre, Style::Gras);
        totaux.texte(x + 60, 10, 60, HauteurLigne, texteNombre(valeur));
        x += 130;
    }
    totaux.texte(0, 30, 60, HauteurLigne, QStringLiteral("Nbr Colis:"), Style::Gras);
    totaux.texte(60, 30, 60, HauteurLigne, QString::number(d.colis.size()));
    m.corps << totaux;
}

} // namespace

Modele modeleEtat(Etat etat, const DonneesEtat& donnees, const QImage& logo,
                  const QDateTime& edition) {
    Modele m;
    m.dateEdition = texteDate(edition);
    switch (etat) {
    case Etat::BonExp:
        bonExp(m, donnees);
        break;
    case Etat::ListeArticleExp:
        listeArticles(m, donnees);
        break;
    case Etat::EtatControleExpGamme:
        controleGamme(m, donnees);
        break;
    case Etat::EtatControleExpArt:
        controleArt(m, donnees);
        break;
    case Etat::ColisageExp:
        colisage(m, donnees, logo);
        break;
    }
    return m;
}

} // namespace tarvo::editions
