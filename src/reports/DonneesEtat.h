#pragma once

#include <QByteArray>
#include <QDateTime>
#include <QList>
#include <QString>
#include <QVariant>
#include <optional>

namespace tarvo::db {
class Base;
}

namespace tarvo::editions {

// The parent row of every report: the shipment with its delivery place.
// Null values (no delivery place, no closing date, no weight) stay null.
struct EnTeteExpedition {
    qint32 noExpedition = 0;
    QString libelle1;
    QString libelle2;
    QDateTime dateCreation;
    QDateTime dateCloture;
    QVariant tare;
    QVariant poidsBrut;
    QVariant poidsNet;
    QVariant volume;
    QString ctNum;
    QString liIntitule;
    QString liAdresse;
    QString liComplement;
    QString liCodePostal;
    QString liVille;
    QString liPays;
};

// One order attached to the shipment (CdeExp).
struct CommandeExp {
    QString noCommande;
    QString reference;
    QDateTime dateCreation;
    QDateTime dateLivraison;
};

// One row of DetailListeArticle.
struct ArticleCommande {
    QString codeBarres;
    QString reference;
    QString designation;
    QVariant qteCde;
};

// One content row of a parcel (Colisage).
struct LigneColisage {
    QString codeBarres;
    QString libelle;
    qint64 quantite = 0;
};

struct ColisExp {
    qint32 noColis = 0;
    QVariant poids;
    QList<LigneColisage> contenu;
};

// One row of ListeControleArt.
struct LigneControleArt {
    QString reference;
    QString libelle;
    QVariant qteCommandee;
    QVariant qteExpediee;
    QString controle;
    QVariant difference;
};

// One row of ListeCtrlArtGamme, as prepared for the report connection.
struct LigneControleGamme {
    QString codeBarre;
    QString designCouleur;
    QVariant qteCde;
    QVariant qteExp;
    QString controle;
    QVariant difference;
};

// The letterhead of the packing list.
struct Societe {
    QString nom;
    QString adresse1;
    QString adresse2;
    QString codePostal;
    QString ville;
    QString pays;
    QString telephone;
    QString fax;
    QString email;
    QString web;
    QByteArray logo;
};

// What one report reads: the parent row, the shipment's orders (the child of
// the delivery note, and the order lists of the other reports), and the
// child rows of its command.
struct DonneesEtat {
    EnTeteExpedition expedition;
    QList<CommandeExp> commandes;
    QList<ArticleCommande> articles;
    QList<ColisExp> colis;
    QList<LigneControleArt> controleArt;
    QList<LigneControleGamme> controleGamme;
    std::optional<Societe> societe;
};

// True when the shipment exists.
bool ExpeditionExiste(const db::Base& base, qint32 noExp);

// The data commands of the reports. Each raises ErreurTarvo on a database
// failure or when the shipment does not exist.
DonneesEtat BonExp(const db::Base& base, qint32 noExp);
DonneesEtat ListeArticle(const db::Base& base, qint32 noExp);
DonneesEtat ColisageExp(const db::Base& base, qint32 noExp);
DonneesEtat EtatControleArt(const db::Base& base, qint32 noExp);
// The range control rows prepared under `spid` for the shipment.
DonneesEtat EtatControleArtGamme(const db::Base& base, qint32 noExp, qint32 spid);

} // namespace tarvo::editions
