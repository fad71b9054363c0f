#include "FenetreColisage.h"

#include "app/Contexte.h"
#include "base/Clock.h"
#include "base/Francais.h"
#include "base/Prompts.h"
#include "db/Base.h"
#include "db/Connexion.h"
#include "ui/main/Garde.h"

#include <QApplication>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableWidget>
#include <QTimer>
#include <QVBoxLayout>

namespace tarvo::colisage {
namespace {

const QString Titre = QStringLiteral("Poste de colisage");

// The colour a packer reads from the corner of an eye.
QString couleur(Verdict v) {
    switch (v) {
    case Verdict::Accepte:
        return QStringLiteral("#2e7d32");
    case Verdict::QuantiteDepassee:
    case Verdict::HorsCommande:
        return QStringLiteral("#ef6c00");
    default:
        return QStringLiteral("#c62828");
    }
}

// One beep for a scan taken, three for one refused: the packer need not look.
void signalSonore(Verdict v) {
    QApplication::beep();
    if (v == Verdict::Accepte)
        return;
    for (int i = 1; i < 3; ++i)
        QTimer::singleShot(150 * i, qApp, [] { QApplication::beep(); });
}

QTableWidget* grille(QWidget* parent, const QString& nom, const QStringList& entetes) {
    auto* g = new QTableWidget(0, int(entetes.size()), parent);
    g->setObjectName(nom);
    g->setHorizontalHeaderLabels(entetes);
    g->setEditTriggers(QAbstractItemView::NoEditTriggers);
    g->setSelectionMode(QAbstractItemView::NoSelection);
    // The scanner types into the entry field, whatever was clicked last.
    g->setFocusPolicy(Qt::NoFocus);
    g->verticalHeader()->hide();
    g->horizontalHeader()->setStretchLastSection(false);
    return g;
}

// Runs `travail` on the worker's connection for `parametres`, opened again
// when the workstation's settings changed since. A connection that failed
// once is not trusted with the next piece of work.
template <typename Travail>
auto surConnexionDeFond(std::unique_ptr<Connexion>& gardee, const ParametresConnexion& parametres,
                        Travail&& travail) {
    try {
        if (!gardee || gardee->parametres() != parametres) {
            gardee.reset();
            auto nouvelle = std::make_unique<Connexion>(QStringLiteral("Colisage"));
            nouvelle->ouvrir(parametres);
            gardee = std::move(nouvelle);
        }
        db::Base base(gardee.get());
        return travail(base);
    } catch (...) {
        gardee.reset();
        throw;
    }
}

void cellule(QTableWidget* g, int rang, int colonne, const QString& texte, bool nombre = false) {
    auto* c = new QTableWidgetItem(texte);
    if (nombre)
        c->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
    g->setItem(rang, colonne, c);
}

} // namespace

FenetreColisage::FenetreColisage(Contexte& ctx, QWidget* parent) : QWidget(parent), ctx_(ctx) {
    setObjectName(QStringLiteral("PosteColisage"));
    setWindowTitle(Titre);
    // One thread, never given back to the system: the worker's connection
    // belongs to the thread that opened it.
    fil_.setMaxThreadCount(1);
    fil_.setExpiryTimeout(-1);
    construire();
    resize(900, 560);
    montrerReponse(Verdict::Accepte,
                   QStringLiteral("Scannez un numéro d'expédition ou l'étiquette d'un colis."));
    preparer();
}

FenetreColisage::~FenetreColisage() {
    // A scan being written ends here, committed or not, before the
    // connection's settings and the clock it uses go; the connection closes
    // on the thread it belongs to.
    travail_.attendreFin();
    fil_.start([&gardee = connexionDeFond_] { gardee.reset(); });
    fil_.waitForDone();
}

// The login and the session's first statements are paid while the packer
// picks up the first parcel. A failure here is the first scan's to report.
void FenetreColisage::preparer() {
    if (!ctx_.cnx || !ctx_.cnx->estOuverte())
        return;
    fil_.start([parametres = ctx_.cnx->parametres(), &gardee = connexionDeFond_] {
        try {
            surConnexionDeFond(gardee, parametres,
                               [](const db::Base& base) { PreparerSeance(base); });
        } catch (...) {
            // The first scan opens the connection again and says why.
        }
    });
}

void FenetreColisage::construire() {
    auto* disposition = new QVBoxLayout(this);
    expedition_ = new QLabel(QStringLiteral("Aucune expédition"), this);
    expedition_->setObjectName(QStringLiteral("LblExpedition"));
    QFont grande = expedition_->font();
    grande.setPointSizeF(grande.pointSizeF() * 1.4);
    grande.setBold(true);
    expedition_->setFont(grande);
    disposition->addWidget(expedition_);

    auto* saisies = new QGridLayout;
    saisies->addWidget(new QLabel(QStringLiteral("Saisie :"), this), 0, 0);
    saisie_ = new QLineEdit(this);
    saisie_->setObjectName(QStringLiteral("TxtSaisie"));
    saisie_->setPlaceholderText(QStringLiteral("Code-barres, COLIS:NN, POIDS:12,5…"));
    saisie_->setFont(grande);
    saisies->addWidget(saisie_, 0, 1, 1, 3);
    saisies->addWidget(new QLabel(QStringLiteral("Poids (kg) :"), this), 1, 0);
    poids_ = new QLineEdit(this);
    poids_->setObjectName(QStringLiteral("TxtPoids"));
    poids_->setMaximumWidth(120);
    saisies->addWidget(poids_, 1, 1);
    const auto bouton = [this](const QString& nom, const QString& texte, const QString& scan) {
        auto* b = new QPushButton(texte, this);
        b->setObjectName(nom);
        b->setFocusPolicy(Qt::NoFocus);
        connect(b, &QPushButton::clicked, this, [this, scan] {
            scanner(scan.isEmpty() ? QStringLiteral("POIDS:") + poids_->text() : scan);
            saisie_->setFocus();
        });
        return b;
    };
    saisies->addWidget(bouton(QStringLiteral("BtPeser"), QStringLiteral("Peser"), QString()), 1, 2);
    auto* boutons = new QHBoxLayout;
    boutons->addWidget(bouton(QStringLiteral("BtColisSuivant"), QStringLiteral("Colis suivant"),
                              QStringLiteral("COLIS:+")));
    boutons->addWidget(bouton(QStringLiteral("BtAnnulerSaisie"),
                              QStringLiteral("Annuler la dernière saisie"),
                              QStringLiteral("ANNULER")));
    boutons->addStretch(1);
    saisies->addLayout(boutons, 2, 0, 1, 4);
    disposition->addLayout(saisies);

    reponse_ = new QLabel(this);
    reponse_->setObjectName(QStringLiteral("LblReponse"));
    reponse_->setWordWrap(true);
    reponse_->setMinimumHeight(48);
    reponse_->setFont(grande);
    disposition->addWidget(reponse_);

    lignes_ =
        grille(this, QStringLiteral("GrilleLignes"),
               {QStringLiteral("Code barres"), QStringLiteral("Désignation"),
                QStringLiteral("Commandé"), QStringLiteral("Colisé"), QStringLiteral("Reste")});
    lignes_->horizontalHeader()->setSectionResizeMode(1, QHeaderView::Stretch);
    disposition->addWidget(lignes_, 3);
    colis_ = new QLabel(this);
    colis_->setObjectName(QStringLiteral("LblColis"));
    disposition->addWidget(colis_);
    contenu_ = grille(
        this, QStringLiteral("GrilleColis"),
        {QStringLiteral("Code barres"), QStringLiteral("Désignation"), QStringLiteral("Quantité")});
    contenu_->horizontalHeader()->setSectionResizeMode(1, QHeaderView::Stretch);
    disposition->addWidget(contenu_, 2);

    saisie_->installEventFilter(this);
    poids_->installEventFilter(this);
    setFocusProxy(saisie_);
}

bool FenetreColisage::eventFilter(QObject* objet, QEvent* evenement) {
    auto* champ = qobject_cast<QLineEdit*>(objet);
    if (!champ || evenement->type() != QEvent::KeyPress)
        return QWidget::eventFilter(objet, evenement);
    auto* touche = static_cast<QKeyEvent*>(evenement);
    const auto moment = static_cast<qint64>(touche->timestamp());
    if (touche->key() == Qt::Key_Return || touche->key() == Qt::Key_Enter) {
        entreeValidee(champ, moment);
        return true;
    }
    for (QChar c : touche->text())
        if (c.isPrint())
            frappe_.touche(c, moment);
    return QWidget::eventFilter(objet, evenement);
}

// A scanner's code is a scan wherever it was typed: into the weight field it
// leaves that field as the packer left it. What a person typed is the entry
// field's scan, or the weight field's weight.
void FenetreColisage::entreeValidee(QLineEdit* champ, qint64 moment) {
    const std::optional<QString> lu = frappe_.entree(moment);
    QString texte = champ->text();
    if (lu && texte.endsWith(*lu)) {
        champ->setText(champ == poids_ ? texte.chopped(lu->size()) : QString());
        texte = *lu;
    } else if (champ == poids_) {
        texte = QStringLiteral("POIDS:") + texte;
        champ->clear();
    } else {
        champ->clear();
    }
    saisie_->setFocus();
    if (!texte.trimmed().isEmpty())
        scanner(texte);
}

void FenetreColisage::scanner(const QString& ligne) {
    attente_.append({ligne, false});
    if (!travail_.enCours())
        suivant();
}

bool FenetreColisage::occupee() const {
    return travail_.enCours() || !attente_.isEmpty();
}

void FenetreColisage::suivant() {
    if (attente_.isEmpty())
        return;
    ParametresConnexion parametres;
    if (!ui::garde(ctx_, [&] {
            const db::Base ouverte(ctx_.cnx.get());
            parametres = ctx_.cnx->parametres();
        })) {
        attente_.clear();
        return;
    }
    const auto [ligne, forcer] = attente_.takeFirst();
    const Clock& horloge = ctx_.horloge;
    travail_.lancer(
        [parametres, poste = poste_, ligne, forcer, &horloge,
         &gardee = connexionDeFond_](std::stop_token) mutable -> std::optional<ResultatScan> {
            return surConnexionDeFond(gardee, parametres, [&](db::Base& base) {
                ResultatScan r;
                r.reponse = Scanner(base, horloge, poste, ligne, forcer);
                r.vue = LireVuePoste(base, poste, r.reponse);
                r.poste = std::move(poste);
                return r;
            });
        },
        [this, ligne](ResultatScan r) {
            poste_ = r.poste;
            montrer(r);
            if (r.reponse.verdict == Verdict::QuantiteDepassee &&
                ctx_.prompts.question(
                    Prompts::Icone::Question, Titre,
                    r.reponse.message + QStringLiteral("\r\nAjouter quand même ?"), false))
                attente_.prepend({ligne, true});
            emit repondu(r.reponse.verdict);
            suivant();
        },
        [this](std::exception_ptr erreur) {
            // Nothing of that scan was written; the ones after it wait for
            // the packer, who reads the box first.
            attente_.clear();
            montrerReponse(Verdict::Refuse,
                           QStringLiteral("Saisie non enregistrée : erreur de la base."));
            ui::garde(ctx_, [erreur] { std::rethrow_exception(erreur); });
            emit repondu(Verdict::Refuse);
        });
}

void FenetreColisage::montrerReponse(Verdict verdict, const QString& message) {
    reponse_->setText(message);
    reponse_->setProperty("verdict", static_cast<int>(verdict));
    reponse_->setStyleSheet(QStringLiteral("QLabel { color: white; background: %1; padding: 6px; }")
                                .arg(couleur(verdict)));
}

void FenetreColisage::montrer(const ResultatScan& r) {
    montrerReponse(r.reponse.verdict, r.reponse.message);
    signalSonore(r.reponse.verdict);
    if (r.poste.expedition == 0)
        return;
    expedition_->setText(
        QStringLiteral("Expédition N° %1 — %2").arg(r.poste.expedition).arg(r.poste.libelle));
    lignes_->setRowCount(int(r.vue.lignes.size()));
    for (int i = 0; i < r.vue.lignes.size(); ++i) {
        const suivi::LigneArticle& l = r.vue.lignes.at(i);
        cellule(lignes_, i, 0, l.codeBarres);
        cellule(lignes_, i, 1, l.designation);
        cellule(lignes_, i, 2, QString::number(l.qteCommandee), true);
        cellule(lignes_, i, 3, QString::number(l.qtePreparee), true);
        cellule(lignes_, i, 4, QString::number(std::max<qint64>(0, -l.difference())), true);
        if (l.qtePreparee > l.qteCommandee)
            lignes_->item(i, 3)->setForeground(QColor(couleur(Verdict::QuantiteDepassee)));
        else if (l.qtePreparee == l.qteCommandee)
            lignes_->item(i, 4)->setForeground(QColor(couleur(Verdict::Accepte)));
    }
    lignes_->resizeColumnToContents(0);
    colis_->setText(r.vue.poids ? QStringLiteral("Colis %1 — %2 kg")
                                      .arg(r.poste.colis)
                                      .arg(nombreFrancais(*r.vue.poids))
                                : QStringLiteral("Colis %1 — non pesé").arg(r.poste.colis));
    contenu_->setRowCount(int(r.vue.contenu.size()));
    for (int i = 0; i < r.vue.contenu.size(); ++i) {
        const ContenuColis& c = r.vue.contenu.at(i);
        cellule(contenu_, i, 0, c.codeBarres);
        cellule(contenu_, i, 1, c.designation);
        cellule(contenu_, i, 2, QString::number(c.quantite), true);
    }
    contenu_->resizeColumnToContents(0);
}

} // namespace tarvo::colisage
