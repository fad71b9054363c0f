#include "Journee.h"

#include <QDateTime>
#include <QDir>
#include <QThread>
#include <algorithm>

namespace journee {
namespace {

QString premiereLigneUtile(const QByteArray& erreurs) {
    const QString texte = QString::fromUtf8(erreurs).trimmed();
    return texte.left(400).replace(u'\n', QStringLiteral(" | "));
}

} // namespace

Dossier::Dossier(const QString& r)
    : racine(QDir(r).absolutePath()), base(chemin(QStringLiteral("tarvo.db"))),
      data(chemin(QStringLiteral("terminal/DATA.TXT"))),
      terminal(chemin(QStringLiteral("terminal"))), archive(chemin(QStringLiteral("archive"))),
      spool(chemin(QStringLiteral("spool"))) {}

QString Dossier::chemin(const QString& nom) const {
    return QDir(racine).filePath(nom);
}

void Registre::noter(const QString& commande, const Issue& issue) {
    std::lock_guard garde(verrou_);
    ++total_;
    ParCommande& c = commandes_[commande];
    ++c.lancements;
    c.totalMs += issue.dureeMs;
    const QString ligne = issue.arguments.join(u' ');
    if (!issue.echecLancement.isEmpty()) {
        anomalies_
            << QStringLiteral("%1 : lancement impossible (%2)").arg(ligne, issue.echecLancement);
        return;
    }
    if (issue.bloque) {
        anomalies_ << QStringLiteral("%1 : ne s'est pas terminé en %2 s, arrêté")
                          .arg(ligne)
                          .arg(Lanceur::LimiteSecondes);
        return;
    }
    if (issue.tueParNous) {
        ++c.tues;
        return;
    }
    c.plusLongMs = std::max(c.plusLongMs, issue.dureeMs);
    if (issue.signal != 0) {
        anomalies_ << QStringLiteral("%1 : arrêté par le signal %2 ; erreurs : %3")
                          .arg(ligne)
                          .arg(issue.signal)
                          .arg(premiereLigneUtile(issue.erreurs));
    } else if (issue.statut == 0) {
        ++c.reussis;
    } else if (issue.statut == 1) {
        ++c.echecs;
        if (c.exemplesEchec.size() < 3)
            c.exemplesEchec << premiereLigneUtile(issue.erreurs);
    } else {
        anomalies_ << QStringLiteral("%1 : statut %2 ; erreurs : %3")
                          .arg(ligne)
                          .arg(issue.statut)
                          .arg(premiereLigneUtile(issue.erreurs));
    }
}

QStringList Registre::anomalies() const {
    std::lock_guard garde(verrou_);
    return anomalies_;
}

std::map<QString, Registre::ParCommande> Registre::parCommande() const {
    std::lock_guard garde(verrou_);
    return commandes_;
}

int Registre::total() const {
    std::lock_guard garde(verrou_);
    return total_;
}

void Catalogue::fixerExpeditions(std::vector<qint32> ouvertes) {
    std::lock_guard garde(verrou_);
    expeditions_ = std::move(ouvertes);
}

void Catalogue::fixerArticles(std::vector<QByteArray> codes) {
    std::lock_guard garde(verrou_);
    articles_ = std::move(codes);
}

std::vector<qint32> Catalogue::expeditions() const {
    std::lock_guard garde(verrou_);
    return expeditions_;
}

std::vector<QByteArray> Catalogue::articles() const {
    std::lock_guard garde(verrou_);
    return articles_;
}

Journee::Journee(const QString& racine, QString t)
    : dossier(racine), tarvoctl(std::move(t)), lanceur(dossier.chemin(QStringLiteral("sorties"))) {
    parametres.base = dossier.base;
}

Issue Journee::commande(const QStringList& arguments, const QString& entree) {
    const QString debut = QDateTime::currentDateTime().toString(QStringLiteral("HH:mm:ss.zzz"));
    const Issue issue = lanceur.executer(
        tarvoctl, QStringList{QStringLiteral("--dir"), dossier.racine} + compte + arguments,
        entree);
    registre.noter(arguments.value(0), issue);
    const QString issueTexte = issue.tueParNous ? QStringLiteral("tué")
                               : issue.signal   ? QStringLiteral("signal %1").arg(issue.signal)
                                                : QStringLiteral("statut %1").arg(issue.statut);
    const QByteArray ligne = QStringLiteral("%1 +%2 ms %3 : %4 | %5\n")
                                 .arg(debut)
                                 .arg(issue.dureeMs)
                                 .arg(arguments.join(u' '), issueTexte,
                                      QString::fromUtf8(issue.sortie + issue.erreurs).simplified())
                                 .toUtf8();
    std::lock_guard garde(verrouJournal_);
    if (!journal_.isOpen()) {
        journal_.setFileName(dossier.chemin(QStringLiteral("journee.log")));
        if (!journal_.open(QIODevice::Append))
            qFatal("Impossible d'écrire %s", qPrintable(journal_.fileName()));
    }
    if (journal_.write(ligne) != ligne.size() || !journal_.flush())
        qFatal("Impossible d'écrire %s", qPrintable(journal_.fileName()));
    return issue;
}

bool Journee::attendre(int millisecondes) const {
    for (int reste = millisecondes; reste > 0 && !fin; reste -= 50)
        QThread::msleep(static_cast<unsigned long>(std::min(reste, 50)));
    return !fin;
}

} // namespace journee
