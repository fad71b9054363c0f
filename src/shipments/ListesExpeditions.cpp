#include "ListesExpeditions.h"

#include "CatalogueExpeditions.h"
#include "Requete.h"
#include "db/TexteCellules.h"
#include "app/Connexion.h"
#include "app/Contexte.h"

#include <QDateTime>
#include <QVariant>
#include <algorithm>

namespace tarvo {
namespace {

using expeditions::executer;
using db::TexteCellules;

// Reads the records forward only, turning each into its row as it comes: a
// forward-only read does not know the record count, so the progress bar goes
// from 0 straight to 100 (the whole load is short).
template <typename Ligne>
LignesListe charger(Contexte& ctx, const QString& sql, const QVariantList& valeurs, Ligne ligne) {
    ctx.afficheProgression(0);
    LignesListe lignes;
    try {
        QSqlQuery requete = executer(ctx, sql, valeurs);
        TexteCellules textes;
        while (requete.next())
            lignes.append(ligne(requete, textes));
    } catch (...) {
        ctx.afficheProgression(100);
        throw;
    }
    ctx.afficheProgression(100);
    return lignes;
}

LigneListe ligneCommande(const QSqlQuery& q, TexteCellules& t) {
    return {{t.valeur(q.value(0)), t.valeur(q.value(1)), t.date(q.value(2)), t.date(q.value(3)),
             t.valeur(q.value(4)), t.valeur(q.value(5)), t.valeur(q.value(6))},
            0,
            false};
}

} // namespace

LigneListe::LigneListe(std::initializer_list<QString> cellules, qint32 tag_, bool close_)
    : tag(tag_), close(close_) {
    assembler(cellules.begin(), static_cast<qsizetype>(cellules.size()));
}

void LigneListe::assembler(const QString* cellules, qsizetype nombre) {
    nombre = std::min<qsizetype>(nombre, MaxCellules);
    qsizetype taille = 0;
    for (qsizetype i = 0; i < nombre; ++i)
        taille += cellules[i].size();
    textes_.clear();
    textes_.reserve(taille);
    nombre_ = 0;
    for (qsizetype i = 0; i < nombre; ++i) {
        debuts_[static_cast<std::size_t>(nombre_++)] = static_cast<int>(textes_.size());
        textes_.append(cellules[i]);
    }
    debuts_[static_cast<std::size_t>(nombre_)] = static_cast<int>(textes_.size());
}

QStringView LigneListe::cellule(int colonne) const {
    if (colonne < 0 || colonne >= nombre_)
        return {};
    const int debut = debuts_[static_cast<std::size_t>(colonne)];
    return QStringView(textes_).mid(debut, debuts_[static_cast<std::size_t>(colonne) + 1] - debut);
}

QStringList LigneListe::cellules() const {
    QStringList liste;
    for (int i = 0; i < nombre_; ++i)
        liste.append(cellule(i).toString());
    return liste;
}

void LigneListe::changerCellule(int colonne, const QString& texte) {
    if (colonne < 0 || colonne >= MaxCellules)
        return;
    QStringList liste = cellules();
    while (liste.size() <= colonne)
        liste.append(QString());
    liste[colonne] = texte;
    assembler(liste.constData(), liste.size());
}

LignesListe ChargeListCde(Contexte& ctx) {
    return charger(ctx, SqlExpeditions::commandesDispo(ctx.cnx->moteur()), {}, ligneCommande);
}

LignesListe ChargeListCde(Contexte& ctx, LieuLivraison lieu) {
    return charger(ctx, SqlExpeditions::commandesDispoLieu(ctx.cnx->moteur()), {lieu.LI_No},
                   ligneCommande);
}

LignesListe ChargeListCde(Contexte& ctx, NumeroExpedition expedition) {
    return charger(ctx, SqlExpeditions::commandesExpedition(), {expedition.NoExp}, ligneCommande);
}

LignesListe ChargeListClient(Contexte& ctx) {
    return charger(ctx, SqlExpeditions::clientsEnCommande(ctx.cnx->moteur()), {},
                   [](const QSqlQuery& q, TexteCellules& t) {
                       return LigneListe{{t.valeur(q.value(0)), t.valeur(q.value(1)),
                                          t.valeur(q.value(3)), t.valeur(q.value(4)),
                                          t.valeur(q.value(5)), t.valeur(q.value(6))},
                                         q.value(2).toInt(),
                                         false};
                   });
}

LignesListe ChargeListExp(Contexte& ctx, bool affClot) {
    const QString depuis =
        ctx.horloge.maintenant().addYears(-3).toString(db::Dialecte::FormatDateHeure);
    return charger(ctx, SqlExpeditions::listeExpeditions(ctx.cnx->moteur(), affClot), {depuis},
                   [](const QSqlQuery& q, TexteCellules& t) {
                       const QVariant numero = q.value(0);
                       const QVariant cloture = q.value(4);
                       return LigneListe{{t.valeur(numero), t.valeur(q.value(1)),
                                          t.valeur(q.value(2)), t.date(q.value(3)),
                                          t.date(cloture)},
                                         numero.toInt(),
                                         !cloture.isNull()};
                   });
}

QStringList EntetesListeCde() {
    return {QStringLiteral("N° Commande"), QStringLiteral("Référence"),
            QStringLiteral("Date"),        QStringLiteral("Date livraison"),
            QStringLiteral("Client"),      QStringLiteral("Ville"),
            QStringLiteral("Pays")};
}

QStringList EntetesListeClient() {
    return {QStringLiteral("N° Client"),
            QStringLiteral("Client"),
            QStringLiteral("Lieu de livraison"),
            QStringLiteral("Ville"),
            QStringLiteral("Pays"),
            QStringLiteral("Nombre de commande")};
}

QStringList EntetesListeExp() {
    return {QStringLiteral("N° Expédition"), QStringLiteral("Libellé 1"),
            QStringLiteral("Libellé 2"), QStringLiteral("Date création"),
            QStringLiteral("Date cloture")};
}

} // namespace tarvo
