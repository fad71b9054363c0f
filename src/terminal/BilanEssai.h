#pragma once

#include <QList>
#include <QString>
#include <array>
#include <map>

namespace tarvo::terminal {

// What a trial integration would do, shipment by shipment: the line routines
// note each effect as they apply it inside the transaction that is then
// rolled back.
class BilanEssai {
public:
    enum class Effet {
        ColisCree,
        QuantiteModifiee,
        PoidsModifie,
        // The shipment is closed or unknown: its entries are only journaled.
        IgnoreeExpeditionFermee,
        // The row was changed by an entry as recent or more recent.
        IgnoreeNonPlusRecente,
        // A removal names a parcel or an article the shipment does not hold.
        IgnoreeAbsente,
        Nombre
    };

    struct ParExpedition {
        qint64 lignes = 0;
        std::array<qint64, static_cast<int>(Effet::Nombre)> effets{};
        qint64 effet(Effet e) const { return effets[static_cast<std::size_t>(e)]; }
    };

    struct Echec {
        QString fichier;
        qint64 ligne = 0;
        QString raison;
    };

    // `ligneEnCours`: the file ends with a line a terminal may still be
    // writing, left out of the check.
    void fichier(const QString& chemin, qint64 lignes, const QString& archiveDejaIntegree,
                 bool ligneEnCours = false);
    void ligne(qint32 noExpedition) { ++expeditions_[noExpedition].lignes; }
    void noter(qint32 noExpedition, Effet effet) {
        ++expeditions_[noExpedition].effets[static_cast<std::size_t>(effet)];
    }
    void echec(const QString& fichier, qint64 ligne, const QString& raison);
    // What a line would be taken with although it looks wrong.
    void avertissement(const QString& fichier, qint64 ligne, const QString& texte);

    const std::map<qint32, ParExpedition>& expeditions() const { return expeditions_; }
    const QList<Echec>& echecs() const { return echecs_; }
    const QList<Echec>& avertissements() const { return avertissements_; }
    bool vide() const { return fichiers_.isEmpty(); }

    // The report in French, CR LF between lines. `limite` bounds the shipment
    // and failure lines shown (0: all), for a box that must fit the screen.
    QString texte(int limite = 0) const;

private:
    struct Fichier {
        QString chemin;
        qint64 lignes = 0;
        QString archiveDejaIntegree;
        bool ligneEnCours = false;
    };
    QList<Fichier> fichiers_;
    std::map<qint32, ParExpedition> expeditions_;
    QList<Echec> echecs_;
    QList<Echec> avertissements_;
};

} // namespace tarvo::terminal
