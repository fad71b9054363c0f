#include "Explication.h"

#include "SqlSuivi.h"
#include "db/Base.h"
#include "db/Requete.h"

#include <QMap>
#include <QSet>

namespace tarvo::suivi {
namespace {

const QString FormatMoment = QStringLiteral("dd/MM/yyyy HH:mm:ss");

// The all-articles and all-parcels entries of the terminals, compared as the
// integration compares them: the first three characters, case-sensitive.
bool estMarqueurTous(const QString& champ) {
    return champ.startsWith(QStringLiteral("<To")) || champ.startsWith(QStringLiteral("..."));
}

// Bar codes match as the packing lines' key does: without regard to case.
bool memeCode(const QString& a, const QString& b) {
    return QString::compare(a, b, Qt::CaseInsensitive) == 0;
}

// A removal's parcel text names a parcel when it is a 16-bit number.
std::optional<int> numeroColis(const QString& texte) {
    bool nombre = false;
    const int colis = texte.trimmed().toInt(&nombre);
    if (!nombre || colis < -32768 || colis > 32767)
        return std::nullopt;
    return colis;
}

struct Saisie {
    QString codeType, colis, codeBarres;
    qint64 quantite = 0;
    QDateTime dateSaisie, dateIntegration;
    QString archive;
};

QList<Saisie> lireJournal(const db::Base& base, qint32 noExp) {
    db::Requete r = base.preparer(sql::JournalExpedition);
    r.lier(u":noExpedition", noExp);
    QList<Saisie> saisies;
    while (r.suivante())
        saisies.append({r.texte(0), r.texte(1), r.texte(2), r.entier(3), r.dateHeure(4),
                        r.dateHeure(5), r.estNul(6) ? QString() : r.texte(6)});
    return saisies;
}

// The packing line of the explained bar code in one parcel, with the
// explanation's lines that built it.
struct LigneColisage {
    qint64 quantite = 0;
    QDateTime miseAJour;
    QList<qsizetype> sources;
};

class Rejeu {
public:
    explicit Rejeu(QString codeBarres) : code_(std::move(codeBarres)) {}

    void appliquer(const Saisie& s) {
        const QString& type = s.codeType;
        if (type == QStringLiteral("{EXPXA}") || type == QStringLiteral("{EXPFA}"))
            ajout(s);
        else if (type == QStringLiteral("{EXPFP}") || type == QStringLiteral("{EXPXP}"))
            colis_.insert(s.colis.toInt());
        else if (type == QStringLiteral("{EXPSA}"))
            retrait(s);
    }

    Explication resultat() const {
        Explication e{lignes_, 0};
        for (const LigneExpliquee& l : lignes_)
            e.quantitePreparee += l.contribution;
        return e;
    }

private:
    qsizetype noter(const Saisie& s, const QString& typeSaisie, qint64 contribution, Effet effet) {
        lignes_.append({s.dateSaisie, s.colis.trimmed(), s.codeType, typeSaisie, s.quantite,
                        contribution, s.dateIntegration, s.archive, effet});
        return lignes_.size() - 1;
    }

    // The line's entries stop counting, for the reason the last one gives.
    void effacer(LigneColisage& ligne, Effet effet) {
        for (const qsizetype i : ligne.sources) {
            lignes_[i].effet = effet;
            lignes_[i].contribution = 0;
        }
    }

    void ajout(const Saisie& s) {
        const int colis = s.colis.toInt();
        colis_.insert(colis);
        if (!memeCode(s.codeBarres, code_))
            return;
        const QString type = QStringLiteral("Ajout");
        auto ligne = lignes_colis_.find(colis);
        if (ligne == lignes_colis_.end()) {
            lignes_colis_.insert(
                colis, {s.quantite, s.dateSaisie, {noter(s, type, s.quantite, Effet::Compte)}});
        } else if (ligne->miseAJour < s.dateSaisie) {
            ligne->quantite += s.quantite;
            ligne->miseAJour = s.dateSaisie;
            ligne->sources.append(noter(s, type, s.quantite, Effet::Compte));
        } else {
            noter(s, type, 0, Effet::Remplacee);
        }
    }

    void retrait(const Saisie& s) {
        const bool concerne = memeCode(s.codeBarres, code_);
        if (estMarqueurTous(s.colis)) {
            colis_.clear();
            supprimerLignes(s, lignes_colis_.keys(), QStringLiteral("Retrait de tous les colis"));
            return;
        }
        const std::optional<int> colis = numeroColis(s.colis);
        if (!colis || !colis_.contains(*colis)) {
            if (concerne)
                noter(s, QStringLiteral("Retrait"), 0, Effet::SansObjet);
            return;
        }
        if (estMarqueurTous(s.codeBarres)) {
            colis_.remove(*colis);
            supprimerLignes(s, {*colis}, QStringLiteral("Retrait du colis"));
            return;
        }
        if (!concerne)
            return;
        const QString type = QStringLiteral("Retrait");
        auto ligne = lignes_colis_.find(*colis);
        if (ligne == lignes_colis_.end()) {
            noter(s, type, 0, Effet::SansObjet);
        } else if (!(ligne->miseAJour < s.dateSaisie)) {
            noter(s, type, 0, Effet::Remplacee);
        } else if (ligne->quantite - s.quantite <= 0) {
            ligne->sources.append(noter(s, type, 0, Effet::Retiree));
            effacer(*ligne, Effet::Retiree);
            lignes_colis_.erase(ligne);
        } else {
            ligne->quantite -= s.quantite;
            ligne->miseAJour = s.dateSaisie;
            ligne->sources.append(noter(s, type, -s.quantite, Effet::Compte));
        }
    }

    // A parcel's deletion takes its packing lines with it; it is shown only
    // where it took the explained bar code.
    void supprimerLignes(const Saisie& s, const QList<int>& colis, const QString& type) {
        bool touche = false;
        for (const int c : colis) {
            auto ligne = lignes_colis_.find(c);
            if (ligne == lignes_colis_.end())
                continue;
            effacer(*ligne, Effet::ColisSupprime);
            lignes_colis_.erase(ligne);
            touche = true;
        }
        if (touche)
            noter(s, type, 0, Effet::ColisSupprime);
    }

    QString code_;
    QSet<int> colis_;
    QMap<int, LigneColisage> lignes_colis_;
    QList<LigneExpliquee> lignes_;
};

} // namespace

QString texteEffet(Effet effet) {
    switch (effet) {
    case Effet::Compte:
        return QStringLiteral("Compte");
    case Effet::Remplacee:
        return QStringLiteral("Remplacée par une saisie plus récente du même colis");
    case Effet::Retiree:
        return QStringLiteral("Retirée par une saisie de retrait");
    case Effet::ColisSupprime:
        return QStringLiteral("Colis supprimé");
    case Effet::SansObjet:
        return QStringLiteral("Sans objet");
    }
    return {};
}

Explication Expliquer(const db::Base& base, qint32 noExp, const QString& codeBarres) {
    Rejeu rejeu(codeBarres);
    for (const Saisie& s : lireJournal(base, noExp))
        rejeu.appliquer(s);
    return rejeu.resultat();
}

QString TexteLigneExpliquee(const LigneExpliquee& l) {
    const bool retrait = l.codeType == QStringLiteral("{EXPSA}");
    const qint64 signee = retrait ? -l.quantite : l.quantite;
    const QString quantite =
        (signee > 0 ? QStringLiteral("+") : QString()) + QString::number(signee);
    return QStringList{l.dateSaisie.toString(FormatMoment),
                       QStringLiteral("Colis ") + l.colis,
                       l.typeSaisie + QStringLiteral(" ") + l.codeType,
                       quantite,
                       l.dateIntegration.toString(FormatMoment),
                       l.archive,
                       texteEffet(l.effet)}
        .join(QStringLiteral(";"));
}

} // namespace tarvo::suivi
