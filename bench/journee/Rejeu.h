#pragma once

#include <QString>
#include <QStringList>
#include <functional>
#include <map>
#include <optional>
#include <tuple>

// The parcels and packing lines that a sequence of journaled terminal entries
// implies, computed apart from the program from the rules of the trade: an
// entry changes a row only when it is more recent than the row's last change,
// nothing is applied to a closed or unknown shipment.
namespace journee {

struct EntreeJournal {
    QString codeType;
    qint32 expedition = 0;
    // As journaled: a number, or a removal's three characters.
    QString colis;
    QString codeBarres;
    double poids = 0;
    int quantite = 0;
    QString moment;
};

struct ColisRejoue {
    std::optional<double> poids;
    // NULL: the row is never changed by an entry.
    std::optional<QString> miseAJour;
    bool operator==(const ColisRejoue&) const = default;
};

struct LigneRejouee {
    qint64 quantite = 0;
    std::optional<QString> miseAJour;
    bool operator==(const LigneRejouee&) const = default;
};

using CleColis = std::pair<qint32, int>;
using CleColisage = std::tuple<qint32, int, QString>;

struct EtatColis {
    std::map<CleColis, ColisRejoue> colis;
    std::map<CleColisage, LigneRejouee> colisage;
};

// True when the shipment takes no terminal data (closed or unknown).
using Fermee = std::function<bool(qint32)>;

void appliquer(EtatColis& etat, const EntreeJournal& e, const Fermee& fermee);

// One text per row that differs between the two states, at most `limite`
// texts; `total` receives the number of differing rows.
QStringList differences(const EtatColis& attendu, const EtatColis& reel, int limite,
                        qsizetype& total);

} // namespace journee
