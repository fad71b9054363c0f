#pragma once

#include "colisage/FrappeClavier.h"
#include "colisage/PosteColisage.h"
#include "ui/main/TravailDeFond.h"

#include <QList>
#include <QThreadPool>
#include <QWidget>
#include <memory>

class QLabel;
class QLineEdit;
class QTableWidget;

namespace tarvo {
class Connexion;
struct Contexte;
} // namespace tarvo

namespace tarvo::colisage {

// What one scan brings back from its worker: where the bench now stands,
// the answer, and what to show.
struct ResultatScan {
    PosteColisage poste;
    Reponse reponse;
    VuePoste vue;
};

// « Poste de colisage »: a packer scans a shipment, its parcels and the
// articles put into them with a keyboard scanner, or types them. Each scan
// is answered with a colour and a sound; the shipment's lines show what is
// ordered, packed and left, the current parcel what it holds.
//
// Each scan is written off the window's thread: another workstation's
// integration may hold the database for a while, and the scans read
// meanwhile wait in order, none lost. The worker keeps its connection from
// one scan to the next, on a thread of its own: on a server a login, and the
// first use of each statement in a session, would each cost more than the
// packer may wait.
class FenetreColisage : public QWidget {
    Q_OBJECT
public:
    explicit FenetreColisage(Contexte& ctx, QWidget* parent = nullptr);
    ~FenetreColisage() override;

    // Hands one scan to the bench, as Enter in the entry field does.
    void scanner(const QString& ligne);
    // True while scans are being written or wait to be.
    bool occupee() const;

signals:
    // A scan was answered and the lines shown again.
    void repondu(colisage::Verdict verdict);

protected:
    bool eventFilter(QObject* objet, QEvent* evenement) override;

private:
    void construire();
    void preparer();
    void suivant();
    void montrer(const ResultatScan& resultat);
    void montrerReponse(Verdict verdict, const QString& message);
    void entreeValidee(QLineEdit* champ, qint64 moment);

    Contexte& ctx_;
    PosteColisage poste_;
    FrappeClavier frappe_;
    // Scans read and not yet written, each with its "accept beyond the
    // ordered quantity".
    QList<std::pair<QString, bool>> attente_;
    QThreadPool fil_;
    // Touched on fil_'s thread only.
    std::unique_ptr<Connexion> connexionDeFond_;
    ui::TravailDeFond<ResultatScan> travail_{&fil_};

    QLabel* expedition_ = nullptr;
    QLabel* reponse_ = nullptr;
    QLabel* colis_ = nullptr;
    QLineEdit* saisie_ = nullptr;
    QLineEdit* poids_ = nullptr;
    QTableWidget* lignes_ = nullptr;
    QTableWidget* contenu_ = nullptr;
};

} // namespace tarvo::colisage
