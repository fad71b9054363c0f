#pragma once

#include "Lanceur.h"
#include "db/Connexion.h"
#include "db/TexteSql.h"

#include <QByteArray>
#include <QFile>
#include <QString>
#include <atomic>
#include <map>
#include <mutex>
#include <vector>

// What the processes and threads of one warehouse day share.
namespace journee {

// The program folder and what lives in it.
struct Dossier {
    explicit Dossier(const QString& racine);
    QString chemin(const QString& nom) const;

    QString racine;
    QString base;
    QString data;
    QString terminal;
    QString archive;
    QString spool;
};

// Every tarvoctl run of the day, by command.
class Registre {
public:
    struct ParCommande {
        int lancements = 0;
        int reussis = 0;
        int echecs = 0;
        int tues = 0;
        qint64 plusLongMs = 0;
        qint64 totalMs = 0;
        // The first failure messages, as tarvoctl wrote them.
        QStringList exemplesEchec;
    };

    void noter(const QString& commande, const Issue& issue);
    // Runs that end the check of processes: a crash not of our making, an
    // exit status other than 0 and 1, a run that did not end.
    QStringList anomalies() const;
    std::map<QString, ParCommande> parCommande() const;
    int total() const;

private:
    mutable std::mutex verrou_;
    std::map<QString, ParCommande> commandes_;
    QStringList anomalies_;
    int total_ = 0;
};

// The open shipments and the articles the terminals scan, as read from the
// database now and then.
class Catalogue {
public:
    void fixerExpeditions(std::vector<qint32> ouvertes);
    void fixerArticles(std::vector<QByteArray> codes);
    std::vector<qint32> expeditions() const;
    std::vector<QByteArray> articles() const;

private:
    mutable std::mutex verrou_;
    std::vector<qint32> expeditions_;
    std::vector<QByteArray> articles_;
};

struct Journee {
    Journee(const QString& racine, QString tarvoctl);

    // tarvoctl --dir on the day's folder, noted in the register; `entree`
    // is its standard input, none when empty.
    Issue commande(const QStringList& arguments, const QString& entree = QString());
    // Sleeps in small steps; false once the day is over.
    bool attendre(int millisecondes) const;

    // The texts of the engine the day runs on.
    QString sql(const tarvo::db::TexteSql& texte) const { return texte.pour(parametres.moteur); }
    bool surServeur() const { return parametres.moteur == tarvo::db::Moteur::SqlServer; }

    Dossier dossier;
    QString tarvoctl;
    // Where the day's database is: the embedded file, or the server database
    // the day made; `compte` goes before every tarvoctl command there.
    tarvo::ParametresConnexion parametres;
    QStringList compte;
    Lanceur lanceur;
    Registre registre;
    Catalogue catalogue;
    // The packing bench's entries its runs answered as accepted, and its
    // runs killed (each may have committed one entry it did not answer).
    std::atomic<qint64> saisiesBanc{0};
    std::atomic<int> bancsTues{0};
    std::atomic<bool> fin{false};

private:
    // journee.log in the folder: every run with its start, end and outcome,
    // so that an anomaly can be traced to the commands around it.
    std::mutex verrouJournal_;
    QFile journal_;
};

} // namespace journee
