#include "CommandeDeFond.h"

#include "Garde.h"
#include "app/Contexte.h"
#include "base/Feedback.h"
#include "db/Base.h"
#include "db/Connexion.h"

#include <QPushButton>

namespace tarvo::ui {
namespace {

// Status and progress from the work's thread, shown by the window on its
// own; what the window has not shown when it goes is dropped with it.
class FeedbackVersFenetre : public Feedback {
public:
    FeedbackVersFenetre(QObject* fenetre, Feedback& affichage)
        : fenetre_(fenetre), affichage_(affichage) {}
    void statut(const QString& texte) override {
        QMetaObject::invokeMethod(
            fenetre_, [this, texte] { affichage_.statut(texte); }, Qt::QueuedConnection);
    }
    void progression(int pourcentage) override {
        QMetaObject::invokeMethod(
            fenetre_, [this, pourcentage] { affichage_.progression(pourcentage); },
            Qt::QueuedConnection);
    }

private:
    QObject* fenetre_;
    Feedback& affichage_;
};

// The boxes of the work, kept until it ends and shown then on the window's
// thread. It asks nothing: a question is answered no, an input cancelled.
class BoitesDifferees : public Prompts {
public:
    struct Boite {
        Icone icone;
        QString titre;
        QString texte;
    };
    void message(Icone icone, const QString& titre, const QString& texte) override {
        boites.append({icone, titre, texte});
    }
    bool question(Icone, const QString&, const QString&, bool) override { return false; }
    Reponse questionAnnulable(Icone, const QString&, const QString&) override {
        return Reponse::Annuler;
    }
    std::optional<QString> saisie(const QString&, const QString&, const QString&) override {
        return std::nullopt;
    }
    QString choisirFichier(const QString&, const QString&) override { return {}; }

    QList<Boite> boites;
};

} // namespace

CommandeDeFond::CommandeDeFond(Contexte& ctx, QObject* fenetre, Feedback& affichage,
                               QPushButton* annuler)
    : ctx_(ctx), annuler_(annuler),
      relais_(std::make_shared<FeedbackVersFenetre>(fenetre, affichage)) {
    annuler_->hide();
    QObject::connect(annuler_, &QPushButton::clicked, annuler_, [this] {
        annuler_->setEnabled(false);
        travail_.demanderArret();
    });
}

CommandeDeFond::~CommandeDeFond() {
    if (travail_.enCours()) {
        travail_.demanderArret();
        travail_.attendreFin();
    }
}

bool CommandeDeFond::lancer(const TravailHorsFenetre& travail) {
    if (travail_.enCours())
        return false;
    // Raises when the window's connection is gone: the work opens its own
    // with the same settings.
    const db::Base ouverte(ctx_.cnx.get());
    const ParametresConnexion parametres = ctx_.cnx->parametres();
    const QString dossier = ctx_.dossierProgramme;
    const QString mode = ctx_.modeSecurite;
    const bool parGamme = ctx_.controleParGamme;
    const Clock* horloge = &ctx_.horloge;
    annuler_->setEnabled(true);
    annuler_->show();
    const auto fini = [this] { annuler_->hide(); };
    travail_.lancer(
        [=, relais = relais_](std::stop_token arret) -> std::optional<Conclusion> {
            BoitesDifferees boites;
            Contexte contexte(dossier, boites, *relais, *horloge);
            contexte.modeSecurite = mode;
            contexte.controleParGamme = parGamme;
            contexte.cnx = std::make_unique<Connexion>(QStringLiteral("Fond"));
            contexte.cnx->ouvrir(parametres);
            Conclusion conclusion = travail(contexte, std::move(arret));
            return [vues = std::move(boites.boites), conclusion](Contexte& ctx) {
                for (const BoitesDifferees::Boite& b : vues)
                    ctx.prompts.message(b.icone, b.titre, b.texte);
                if (conclusion)
                    conclusion(ctx);
            };
        },
        [this, fini](Conclusion conclusion) {
            fini();
            garde(ctx_, [this, &conclusion] { conclusion(ctx_); });
        },
        [this, fini](std::exception_ptr erreur) {
            fini();
            garde(ctx_, [erreur] { std::rethrow_exception(erreur); });
        });
    return true;
}

} // namespace tarvo::ui
