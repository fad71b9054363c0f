#include "Rejeu.h"

namespace journee {
namespace {

bool marqueurTous(const QString& champ) {
    return champ.startsWith(QStringLiteral("<To")) || champ.startsWith(QStringLiteral("..."));
}

bool plusRecente(const std::optional<QString>& miseAJour, const QString& moment) {
    return miseAJour && *miseAJour < moment;
}

// Removing a parcel takes its packing lines with it.
void supprimerColis(EtatColis& etat, qint32 exp, int colis) {
    etat.colis.erase({exp, colis});
    auto it = etat.colisage.lower_bound({exp, colis, QString()});
    while (it != etat.colisage.end() && std::get<0>(it->first) == exp &&
           std::get<1>(it->first) == colis)
        it = etat.colisage.erase(it);
}

void ajouterArticle(EtatColis& etat, const EntreeJournal& e, int colis) {
    etat.colis.try_emplace({e.expedition, colis}, ColisRejoue{std::nullopt, e.moment});
    const CleColisage cle{e.expedition, colis, e.codeBarres};
    const auto it = etat.colisage.find(cle);
    if (it == etat.colisage.end()) {
        etat.colisage.emplace(cle, LigneRejouee{e.quantite, e.moment});
    } else if (plusRecente(it->second.miseAJour, e.moment)) {
        it->second.quantite += e.quantite;
        it->second.miseAJour = e.moment;
    }
}

void peser(EtatColis& etat, const EntreeJournal& e, int colis) {
    const auto it = etat.colis.find({e.expedition, colis});
    if (it == etat.colis.end())
        etat.colis.emplace(CleColis{e.expedition, colis}, ColisRejoue{e.poids, e.moment});
    else if (plusRecente(it->second.miseAJour, e.moment))
        it->second = ColisRejoue{e.poids, e.moment};
}

void retirer(EtatColis& etat, const EntreeJournal& e) {
    if (marqueurTous(e.colis)) {
        QList<int> colis;
        for (const auto& [cle, valeur] : etat.colis)
            if (cle.first == e.expedition)
                colis << cle.second;
        for (int c : colis)
            supprimerColis(etat, e.expedition, c);
        return;
    }
    bool nombre = false;
    const int colis = e.colis.trimmed().toInt(&nombre);
    if (!nombre || !etat.colis.contains({e.expedition, colis}))
        return;
    if (marqueurTous(e.codeBarres)) {
        supprimerColis(etat, e.expedition, colis);
        return;
    }
    const auto it = etat.colisage.find({e.expedition, colis, e.codeBarres});
    if (it == etat.colisage.end() || !plusRecente(it->second.miseAJour, e.moment))
        return;
    if (it->second.quantite - e.quantite <= 0) {
        etat.colisage.erase(it);
        return;
    }
    it->second.quantite -= e.quantite;
    it->second.miseAJour = e.moment;
}

QString texte(const std::optional<QString>& t) {
    return t ? *t : QStringLiteral("NULL");
}

QString texte(const std::optional<double>& p) {
    return p ? QString::number(*p) : QStringLiteral("NULL");
}

} // namespace

void appliquer(EtatColis& etat, const EntreeJournal& e, const Fermee& fermee) {
    if (fermee(e.expedition))
        return;
    if (e.codeType == QStringLiteral("{EXPSA}")) {
        retirer(etat, e);
        return;
    }
    const int colis = e.colis.trimmed().toInt();
    if (e.codeType == QStringLiteral("{EXPFA}") || e.codeType == QStringLiteral("{EXPXA}"))
        ajouterArticle(etat, e, colis);
    else if (e.codeType == QStringLiteral("{EXPFP}") || e.codeType == QStringLiteral("{EXPXP}"))
        peser(etat, e, colis);
}

QStringList differences(const EtatColis& attendu, const EtatColis& reel, int limite,
                        qsizetype& total) {
    QStringList textes;
    total = 0;
    auto noter = [&](const QString& t) {
        if (++total <= limite)
            textes << t;
    };
    for (const auto& [cle, a] : attendu.colis) {
        const auto it = reel.colis.find(cle);
        const QString nom = QStringLiteral("Colis %1/%2").arg(cle.first).arg(cle.second);
        if (it == reel.colis.end())
            noter(nom + QStringLiteral(" : attendu (poids %1), absent").arg(texte(a.poids)));
        else if (!(it->second == a))
            noter(nom + QStringLiteral(" : attendu poids %1 au %2, trouvé poids %3 au %4")
                            .arg(texte(a.poids), texte(a.miseAJour), texte(it->second.poids),
                                 texte(it->second.miseAJour)));
    }
    for (const auto& [cle, r] : reel.colis)
        if (!attendu.colis.contains(cle))
            noter(QStringLiteral("Colis %1/%2 : présent (poids %3), non attendu")
                      .arg(cle.first)
                      .arg(cle.second)
                      .arg(texte(r.poids)));
    for (const auto& [cle, a] : attendu.colisage) {
        const auto it = reel.colisage.find(cle);
        const QString nom = QStringLiteral("Colisage %1/%2/%3")
                                .arg(std::get<0>(cle))
                                .arg(std::get<1>(cle))
                                .arg(std::get<2>(cle));
        if (it == reel.colisage.end())
            noter(nom + QStringLiteral(" : attendu quantité %1, absent").arg(a.quantite));
        else if (!(it->second == a))
            noter(nom + QStringLiteral(" : attendu quantité %1 au %2, trouvé %3 au %4")
                            .arg(a.quantite)
                            .arg(texte(a.miseAJour))
                            .arg(it->second.quantite)
                            .arg(texte(it->second.miseAJour)));
    }
    for (const auto& [cle, r] : reel.colisage)
        if (!attendu.colisage.contains(cle))
            noter(QStringLiteral("Colisage %1/%2/%3 : présent (quantité %4), non attendu")
                      .arg(std::get<0>(cle))
                      .arg(std::get<1>(cle))
                      .arg(std::get<2>(cle))
                      .arg(r.quantite));
    return textes;
}

} // namespace journee
