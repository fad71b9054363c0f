#include "BilanEssai.h"

#include <QDir>

namespace tarvo::terminal {
namespace {

const QString CRLF = QStringLiteral("\r\n");

// "1 colis créé", "3 colis créés": the count and the word in agreement.
QString compte(qint64 n, const QString& singulier, const QString& pluriel) {
    return QString::number(n) + u' ' + (n > 1 ? pluriel : singulier);
}

QString ligneExpedition(qint32 numero, const BilanEssai::ParExpedition& p) {
    using E = BilanEssai::Effet;
    QStringList parties = {
        compte(p.lignes, QStringLiteral("ligne"), QStringLiteral("lignes")),
        compte(p.effet(E::ColisCree), QStringLiteral("colis créé"), QStringLiteral("colis créés")),
        compte(p.effet(E::QuantiteModifiee), QStringLiteral("quantité modifiée"),
               QStringLiteral("quantités modifiées")),
        compte(p.effet(E::PoidsModifie), QStringLiteral("poids modifié"),
               QStringLiteral("poids modifiés"))};
    const std::array<std::pair<E, QString>, 3> ignorees = {{
        {E::IgnoreeExpeditionFermee, QStringLiteral("expédition clôturée ou inconnue")},
        {E::IgnoreeNonPlusRecente, QStringLiteral("pas plus récente que la ligne")},
        {E::IgnoreeAbsente, QStringLiteral("colis ou article absent")},
    }};
    for (const auto& [effet, raison] : ignorees)
        if (p.effet(effet) > 0)
            parties << compte(p.effet(effet), QStringLiteral("saisie ignorée"),
                              QStringLiteral("saisies ignorées")) +
                           QStringLiteral(" (") + raison + u')';
    return QStringLiteral("Expédition %1 : ").arg(numero) + parties.join(QStringLiteral(", ")) +
           u'.';
}

} // namespace

void BilanEssai::fichier(const QString& chemin, qint64 lignes, const QString& archiveDejaIntegree,
                         bool ligneEnCours) {
    fichiers_.append({chemin, lignes, archiveDejaIntegree, ligneEnCours});
}

void BilanEssai::echec(const QString& fichier, qint64 ligne, const QString& raison) {
    echecs_.append({fichier, ligne, raison});
}

void BilanEssai::avertissement(const QString& fichier, qint64 ligne, const QString& texte) {
    avertissements_.append({fichier, ligne, texte});
}

QString BilanEssai::texte(int limite) const {
    QStringList lignes;
    lignes << QStringLiteral("Vérification seulement : rien n'a été écrit, archivé ni supprimé.");
    for (const Fichier& f : fichiers_) {
        QString l =
            QStringLiteral("Fichier %1 : %2.")
                .arg(QDir::toNativeSeparators(f.chemin),
                     compte(f.lignes, QStringLiteral("ligne lue"), QStringLiteral("lignes lues")));
        if (!f.archiveDejaIntegree.isEmpty())
            l += QStringLiteral(" Déjà intégré (archive : %1) : il serait supprimé sans être "
                                "intégré une seconde fois.")
                     .arg(QDir::toNativeSeparators(f.archiveDejaIntegree));
        if (f.ligneEnCours)
            l += QStringLiteral(" Sa dernière ligne, qu'un terminal écrit encore, n'est pas "
                                "vérifiée.");
        lignes << l;
    }
    const auto borne = [limite](qsizetype n) {
        return limite > 0 ? std::min<qsizetype>(n, limite) : n;
    };
    const auto nbExpeditions = static_cast<qsizetype>(expeditions_.size());
    qsizetype rang = 0;
    for (const auto& [numero, p] : expeditions_) {
        if (rang++ == borne(nbExpeditions))
            break;
        lignes << ligneExpedition(numero, p);
    }
    if (borne(nbExpeditions) < nbExpeditions)
        lignes << QStringLiteral("… et %1 autres expéditions.")
                      .arg(nbExpeditions - borne(nbExpeditions));
    // Under the heading of their file, each as « Ligne 7 : … ».
    QString fichierCourant;
    for (qsizetype i = 0; i < borne(avertissements_.size()); ++i) {
        const Echec& a = avertissements_[i];
        if (i == 0 || a.fichier != fichierCourant)
            lignes << QStringLiteral("Avertissements pour %1 (ces lignes seraient intégrées "
                                     "telles que lues) :")
                          .arg(QDir::toNativeSeparators(a.fichier));
        fichierCourant = a.fichier;
        lignes << QStringLiteral("Ligne %1 : %2").arg(QString::number(a.ligne), a.raison);
    }
    if (borne(avertissements_.size()) < avertissements_.size())
        lignes << QStringLiteral("… et %1 autres avertissements.")
                      .arg(avertissements_.size() - borne(avertissements_.size()));
    if (echecs_.isEmpty()) {
        lignes << QStringLiteral("Aucune ligne en erreur : l'intégration peut être lancée.");
    } else {
        lignes << QStringLiteral("Lignes en erreur (l'intégration s'arrêterait à la première "
                                 "sans rien intégrer) :");
        for (qsizetype i = 0; i < borne(echecs_.size()); ++i)
            lignes << QStringLiteral("Ligne %1 de %2 : %3")
                          .arg(echecs_[i].ligne)
                          .arg(QDir::toNativeSeparators(echecs_[i].fichier), echecs_[i].raison);
        if (borne(echecs_.size()) < echecs_.size())
            lignes << QStringLiteral("… et %1 autres lignes en erreur.")
                          .arg(echecs_.size() - borne(echecs_.size()));
    }
    return lignes.join(CRLF);
}

} // namespace tarvo::terminal
