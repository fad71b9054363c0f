#pragma once

#include "db/JeuEnregistrements.h"

#include <QDateTime>
#include <QList>
#include <QString>
#include <QStringList>
#include <functional>
#include <optional>
#include <stop_token>
#include <variant>
#include <vector>

namespace tarvo {
struct Environnement;
}

namespace tarvo::db {
class Base;
}

// The preparation follow-up: every shipment's preparation at a glance, with
// the range control's own figures.
namespace tarvo::suivi {

// Where a shipment's preparation stands, decided in this order:
// - Close: the shipment has a closing date;
// - Ecart: a line is prepared beyond its ordered quantity, or prepared
//   without being ordered;
// - NonCommencee: nothing is prepared;
// - Complete: every line is prepared as ordered (at least one line), and the
//   shipment has parcels, every one of them weighed; CompleteSuspects when
//   one of them is suspect, so that it does not pass for done;
// - EnCours: everything else.
// In the order a preparation goes through them, which is the sort's.
enum class EtatPreparation { NonCommencee, EnCours, Complete, CompleteSuspects, Ecart, Close };

// "Non commencée", "En cours", "Complète", "Complète, colis suspects",
// "Écart", "Close".
QString texteEtat(EtatPreparation etat);

// The tolerance of the parcels' weight check, in percent: `[CONTROLE]
// TolerancePoids` of TARVOX.ini, 10 when the section or the key is missing.
// A value that is no positive number (decimal point or comma) raises
// ErreurTarvo naming it.
double TolerancePoids(Environnement& env);

// One shipment of the follow-up. Quantities are those of the range control
// report: ordered from the order lines, prepared from the packing lines.
struct LigneSuivi {
    qint32 noExpedition = 0;
    QString libelle1;
    QDateTime dateCloture; // invalid while open
    qint64 commandes = 0;
    qint64 lignes = 0;
    qint64 qteCommandee = 0;
    qint64 qtePreparee = 0;
    // Lines whose prepared quantity differs from the ordered one.
    qint64 lignesEnEcart = 0;
    // Lines prepared beyond the ordered quantity, or prepared and not ordered.
    qint64 lignesEnSurplus = 0;
    qint64 colisTheoriques = 0;
    // The parcels the terminals made (Colis), and those with a weight.
    qint64 colisScannes = 0;
    qint64 colisPeses = 0;
    qint64 colisSuspects = 0;
    QDateTime derniereSaisie;      // invalid when no entry
    QDateTime derniereIntegration; // invalid when no entry
    EtatPreparation etat = EtatPreparation::NonCommencee;

    // The prepared share of the ordered quantity, in percent; none when
    // nothing is ordered.
    std::optional<double> pourcentPrepare() const;
};

// The rule of EtatPreparation applied to a row's figures.
EtatPreparation EtatDe(const LigneSuivi& ligne);

// The sums of the listed rows (a filtered view's rows, say).
struct TotauxSuivi {
    qint64 expeditions = 0;
    qint64 commandes = 0;
    qint64 lignes = 0;
    qint64 qteCommandee = 0;
    qint64 qtePreparee = 0;
    qint64 lignesEnEcart = 0;
    qint64 colisTheoriques = 0;
    qint64 colisScannes = 0;
    qint64 colisPeses = 0;
    qint64 colisSuspects = 0;
    std::optional<double> pourcentPrepare() const;
};

TotauxSuivi Totaliser(const QList<LigneSuivi>& lignes);
// The sums of the rows of `lignes` at ranks `rangs`.
TotauxSuivi Totaliser(const QList<LigneSuivi>& lignes, const std::vector<int>& rangs);

// The follow-up's columns by what they show; where each one stands is
// decided by TableSuivi alone.
enum class ColonneSuivi {
    NoExpedition,
    Etat,
    Libelle1,
    Commandes,
    Lignes,
    QteCommandee,
    QtePreparee,
    PourcentPrepare,
    LignesEnEcart,
    ColisTheoriques,
    ColisScannes,
    ColisPeses,
    ColisSuspects,
    DerniereSaisie,
    DerniereIntegration,
};

// What a sort compares in a cell: a number, or a text in UTF-8 compared in
// the French order of the database.
using CleTri = std::variant<double, QByteArray>;

// Negative, 0 or positive as `a` sorts before, with or after `b`.
int ComparerCles(const CleTri& a, const CleTri& b);

// Everything the window, the text output and the export know of a column.
struct DefinitionColonne {
    ColonneSuivi colonne;
    QString titre;
    // How a spreadsheet reads the cells; texts are aligned left, the rest
    // right.
    db::Genre genre;
    // The cell as the warehouse reads it: French numbers ("87,5"), dates
    // "dd/MM/yyyy HH:mm:ss", empty where there is no value.
    std::function<QString(const LigneSuivi&)> texte;
    // What a sort compares: numbers as numbers, moments in time order (a
    // missing one first), states in the order a preparation goes through.
    std::function<CleTri(const LigneSuivi&)> tri;
    // Under the column on the totals row.
    std::function<QString(const TotauxSuivi&)> total;
};

// The columns in the order they are shown and written.
const QList<DefinitionColonne>& TableSuivi();

// Where `colonne` stands in TableSuivi.
int RangColonne(ColonneSuivi colonne);

// The columns' captions, in the order of TableSuivi.
const QStringList& ColonnesSuivi();

// A row's cells, in the order of TableSuivi.
QStringList TextesLigne(const LigneSuivi& ligne);

// Every open shipment, and the closed ones too when `closes`, by number; the
// parcels' weight check uses `tolerance` (percent). One statement for all
// shipments. Raises ErreurTarvo on a database failure. Stops between two
// rows once `arret` is requested, with the rows read so far: the caller
// that asks for it drops them.
QList<LigneSuivi> LireSuivi(const db::Base& base, bool closes, double tolerance,
                            std::stop_token arret = {});

// The rows `affichees` brought up to date with `ouvertes`, the open shipments
// read again: an integration run changes only those, and reading five years
// of closed ones again after every run would take seconds. Closed rows are
// kept, open ones replaced, by number (a shipment opened again included). Empty when a shipment
// shown open is no longer among `ouvertes` (closed or deleted since): everything has to be read
// again then.
std::optional<QList<LigneSuivi>> RafraichirOuvertes(const QList<LigneSuivi>& affichees,
                                                    QList<LigneSuivi> ouvertes);

// The totals in the columns of TableSuivi: "Total" under the number, the
// count of shipments under the label, empty under the state and dates.
QStringList TextesTotaux(const TotauxSuivi& totaux);

// What changes with every integration run or entry on any workstation;
// cheap to read every few seconds. Raises ErreurTarvo on a database failure.
struct MarqueIntegration {
    qint64 fichiers = 0;
    QDateTime derniere;
    // The journal's last row: a bench's entry is part of no run.
    qint64 saisies = 0;
    bool operator==(const MarqueIntegration&) const = default;
};
MarqueIntegration LireMarqueIntegration(const db::Base& base);

} // namespace tarvo::suivi
