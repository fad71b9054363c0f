#pragma once

#include "BilanEssai.h"
#include "db/Base.h"

#include <QHash>
#include <QSet>
#include <QString>
#include <QStringList>
#include <array>
#include <optional>
#include <utility>

namespace tarvo::terminal {

// One row of [Journal de saisie], as a line routine saves it and hands it on.
struct LigneJournal {
    QString codeType;
    qint32 noExpedition = 0;
    // The parcel as the journal stores it: the number in decimal, or for a
    // removal the terminal's three characters unconverted.
    QString noColis;
    qint16 colis = 0;
    QString codeBarres;
    double poids = 0;
    qint16 quantite = 0;
    // yyyy-MM-dd HH:mm:ss
    QString dateSaisie;
};

// What the line routines share during one integration run: the statements,
// prepared once on first use and run again for every line, inside the run's
// transaction, and the run's date-time.
class Integration {
public:
    enum Preparee {
        JournalArticle,
        JournalPoids,
        DateClotureExpedition,
        CreerColisSansPoids,
        CreerColisAvecPoids,
        PeserColis,
        ColisExiste,
        SupprimerColisExpedition,
        SupprimerColis,
        CreerColisage,
        AjouterAuColisage,
        QuantiteColisageAnterieure,
        RetirerDuColisage,
        SupprimerColisage,
        ArticleConnu,
        NombreRequetes
    };

    // `dateIntegration` as the text yyyy-MM-dd HH:mm:ss.
    Integration(const db::Base& base, QString dateIntegration);

    db::Requete& requete(Preparee p);
    const QString& dateIntegration() const { return dateIntegration_; }

    // A trial run hands the report its lines note their effects in.
    void setBilan(BilanEssai* bilan) { bilan_ = bilan; }
    // Every journaled line passes here, with its shipment.
    void noterLigne(qint32 noExpedition) {
        ++lignes_;
        expeditions_.insert(noExpedition);
        if (bilan_)
            bilan_->ligne(noExpedition);
    }
    qint64 lignes() const { return lignes_; }
    const QSet<qint32>& expeditions() const { return expeditions_; }
    void noter(qint32 noExpedition, BilanEssai::Effet effet) {
        if (bilan_)
            bilan_->noter(noExpedition, effet);
    }

    // What the line being read is taken with although it looks wrong (a
    // number read in part, a negative quantity, an unknown article or
    // shipment): it goes in as the terminals' rules read it, and the person
    // is told. The caller takes them after each line.
    QStringList& avertissementsLigne() { return avertissements_; }
    QStringList prendreAvertissements() { return std::exchange(avertissements_, {}); }
    // True when the bar code is one of the article table's.
    bool articleConnu(const QString& codeBarres);

private:
    const db::Base& base_;
    QString dateIntegration_;
    BilanEssai* bilan_ = nullptr;
    qint64 lignes_ = 0;
    QSet<qint32> expeditions_;
    QStringList avertissements_;
    QHash<QString, bool> articlesVus_;
    std::array<std::optional<db::Requete>, NombreRequetes> requetes_;
};

} // namespace tarvo::terminal
