#include "CommandesColisage.h"

#include "app/Contexte.h"
#include "base/Erreur.h"
#include "base/FormesMessages.h"
#include "base/Prompts.h"
#include "colisage/PosteColisage.h"
#include "db/Base.h"

#include <QTextStream>

namespace tarvo::ctl {
namespace {

const QString Titre = QStringLiteral("Poste de colisage");

// One answer per line, its verdict first, for a script to read.
void ecrireReponse(QTextStream& sortie, const colisage::Reponse& r) {
    sortie << (r.acceptee() ? QStringLiteral("accepté : ") : QStringLiteral("refusé : "))
           << r.message << u'\n';
    sortie.flush();
}

// The scan of one line; beyond the ordered quantity the person is asked, as
// at the bench's window.
colisage::Reponse scanner(Contexte& ctx, db::Base& base, colisage::PosteColisage& poste,
                          const QString& ligne) {
    colisage::Reponse r = colisage::Scanner(base, ctx.horloge, poste, ligne);
    if (r.verdict == colisage::Verdict::QuantiteDepassee &&
        ctx.prompts.question(Prompts::Icone::Question, Titre,
                             r.message + QStringLiteral("\r\nAjouter quand même ?"), false))
        r = colisage::Scanner(base, ctx.horloge, poste, ligne, true);
    return r;
}

int colisage(Contexte& ctx, const QStringList& arguments) {
    if (arguments.size() != 1)
        throw ErreurUsage(QStringLiteral("colisage attend EXPEDITION."));
    const qint32 noExp = entierOuUsage(arguments.at(0), QStringLiteral("EXPEDITION"));
    QTextStream sortie(stdout);
    try {
        db::Base base(ctx.cnx.get());
        colisage::PosteColisage poste;
        const colisage::Reponse ouverture =
            colisage::Scanner(base, ctx.horloge, poste, QStringLiteral("EXP:%1").arg(noExp));
        ecrireReponse(sortie, ouverture);
        if (!ouverture.acceptee())
            return 1;
        QTextStream entree(stdin);
        QString ligne;
        while (entree.readLineInto(&ligne)) {
            if (ligne.trimmed().isEmpty())
                continue;
            ecrireReponse(sortie, scanner(ctx, base, poste, ligne));
        }
    } catch (const ErreurTarvo& e) {
        afficherErreurDetaillee(ctx, Titre, e.erreur());
        return 1;
    }
    return sortie.status() == QTextStream::Ok ? 0 : 1;
}

} // namespace

QList<Commande> commandesColisage() {
    return {{QStringLiteral("colisage"), QStringLiteral("EXPEDITION"),
             QStringLiteral("poste de colisage : lit une saisie par ligne sur l'entrée standard "
                            "(code-barres, COLIS:NN, COLIS:+, POIDS:12,5, ANNULER) et répond à "
                            "chacune"),
             Prealable::Base, colisage}};
}

} // namespace tarvo::ctl
