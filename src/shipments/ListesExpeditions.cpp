#include "ListesExpeditions.h"

#include "SqlExpeditions.h"
#include "app/Contexte.h"
#include "db/Base.h"
#include "db/TexteCellules.h"

#include <QDateTime>
#include <algorithm>

namespace tarvo {
namespace {

using db::Requete;
using db::TexteCellules;

// Reads the records forward only, turning each into its row as it comes: a
// forward-only read does not know the record count, so the progress bar goes
// from 0 straight to 100 (the whole load is short).
template <typename Liaisons, typename Ligne>
LignesListe charger(Contexte& ctx, const db::TexteSql& sql, Liaisons lier, Ligne ligne) {
    ctx.afficheProgression(0);
    LignesListe lignes;
    try {
        const db::Base base(ctx.cnx.get());
        Requete requete = base.preparer(sql);
        lier(requete);
        TexteCellules textes;
        while (requete.suivante())
            lignes.append(ligne(requete, textes));
    } catch (...) {
        ctx.afficheProgression(100);
        throw;
    }
    ctx.afficheProgression(100);
    return lignes;
}

void sansParametre(Requete&) {}

LigneListe ligneCommande(const Requete& q, TexteCellules& t) {
    return {{t.valeur(q.valeur(0)), t.valeur(q.valeur(1)), t.date(q.valeur(2)), t.date(q.valeur(3)),
             t.valeur(q.valeur(4)), t.valeur(q.valeur(5)), t.valeur(q.valeur(6))},
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
    return charger(ctx, expeditions::sql::CommandesDispo, sansParametre, ligneCommande);
}

LignesListe ChargeListCde(Contexte& ctx, LieuLivraison lieu) {
    return charger(
        ctx, expeditions::sql::CommandesDispoLieu,
        [lieu](Requete& r) { r.lier(u":noLieu", lieu.LI_No); }, ligneCommande);
}

LignesListe ChargeListCde(Contexte& ctx, NumeroExpedition expedition) {
    return charger(
        ctx, expeditions::sql::CommandesExpedition,
        [expedition](Requete& r) { r.lier(u":noExpedition", expedition.NoExp); }, ligneCommande);
}

LignesListe ChargeListClient(Contexte& ctx) {
    return charger(ctx, expeditions::sql::ClientsEnCommande, sansParametre,
                   [](const Requete& q, TexteCellules& t) {
                       return LigneListe{{t.valeur(q.valeur(0)), t.valeur(q.valeur(1)),
                                          t.valeur(q.valeur(3)), t.valeur(q.valeur(4)),
                                          t.valeur(q.valeur(5)), t.valeur(q.valeur(6))},
                                         static_cast<qint32>(q.entier(2)),
                                         false};
                   });
}

LignesListe ChargeListExp(Contexte& ctx, bool affClot) {
    const QString depuis =
        ctx.horloge.maintenant().addYears(-3).toString(db::Dialecte::FormatDateHeure);
    return charger(
        ctx, expeditions::sql::ListeExpeditions,
        [&](Requete& r) { r.lier(u":depuis", depuis).lier(u":avecCloses", affClot ? 1 : 0); },
        [](const Requete& q, TexteCellules& t) {
            const QVariant numero = q.valeur(0);
            const QVariant cloture = q.valeur(4);
            return LigneListe{{t.valeur(numero), t.valeur(q.valeur(1)), t.valeur(q.valeur(2)),
                               t.date(q.valeur(3)), t.date(cloture)},
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
