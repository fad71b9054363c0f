#include "Societe.h"

#include "SqlCatalogue.h"
#include "app/Contexte.h"
#include "base/Erreur.h"
#include "db/Connexion.h"
#include "db/Transaction.h"

#include <QBuffer>
#include <QFile>
#include <QFileInfo>
#include <QImageReader>

namespace tarvo::catalogue {
namespace {

const QString SourceLogo = QStringLiteral("Logo");

// A driver may bind a null text as NULL, which no field equals.
QString texteLie(const QString& texte) {
    return texte.isNull() ? QStringLiteral("") : texte;
}

FicheSociete ficheLue(const db::Requete& requete) {
    FicheSociete fiche;
    for (int colonne = 0; colonne < ColonneLogo; ++colonne)
        fiche.champs << requete.texte(colonne);
    fiche.logo = requete.octets(ColonneLogo);
    return fiche;
}

} // namespace

const QString TexteFicheModifiee = QStringLiteral(
    "La fiche a été modifiée sur un autre poste depuis que vous avez cliqué sur « Modifier ».\n\n"
    "Oui : enregistrer quand même vos modifications ; les champs que vous n'avez pas changés "
    "gardent les valeurs de l'autre poste.\n"
    "Non : abandonner vos modifications et afficher la fiche de l'autre poste.");

const QString TexteFicheSupprimee = QStringLiteral(
    "La fiche a été supprimée sur un autre poste depuis que vous avez cliqué sur « Modifier » : "
    "vos modifications ne peuvent pas être enregistrées. « Annuler » affiche les fiches "
    "restantes.");

const QStringList& LegendesSociete() {
    static const QStringList legendes{QStringLiteral("Nom société:"), QStringLiteral("Activité:"),
                                      QStringLiteral("Adresse 1:"),   QStringLiteral("Adresse 2:"),
                                      QStringLiteral("Code postal:"), QStringLiteral("Ville:"),
                                      QStringLiteral("Pays:"),        QStringLiteral("Téléphone:"),
                                      QStringLiteral("Fax:"),         QStringLiteral("email:"),
                                      QStringLiteral("Web:"),         QStringLiteral("Capital:"),
                                      QStringLiteral("APE:"),         QStringLiteral("Siret:"),
                                      QStringLiteral("RCS:"),         QStringLiteral("Logo:")};
    return legendes;
}

std::optional<FicheSociete> LireSociete(const db::Base& base) {
    db::Requete requete = base.preparer(sql::InformationsSociete);
    if (!requete.suivante())
        return std::nullopt;
    FicheSociete fiche = ficheLue(requete);
    requete.terminer();
    return fiche;
}

QList<FicheSociete> LireSocietes(const db::Base& base) {
    db::Requete requete = base.preparer(sql::InformationsSociete);
    QList<FicheSociete> fiches;
    while (requete.suivante())
        fiches.append(ficheLue(requete));
    return fiches;
}

const db::TexteSql& InstructionInformationsSociete() {
    return sql::InformationsSociete;
}

ResultatMajSociete MajSociete(const db::Base& base, int rang, const QStringList& lus,
                              const ChangementsSociete& changements) {
    if (changements.isEmpty())
        return {};
    db::Requete maj = base.preparer(sql::MajSocieteLue);
    for (int colonne = 0; colonne < ColonneLogo; ++colonne) {
        const QString numero = QString::number(colonne);
        maj.lier(QStringLiteral(":lu") + numero, texteLie(lus.value(colonne)));
        const QString nouveau = QStringLiteral(":nouveau") + numero;
        if (changements.contains(colonne))
            maj.lier(nouveau, texteLie(changements.value(colonne)));
        else
            maj.lierNul(nouveau);
    }
    if (maj.executer() > 0)
        return {};
    db::Requete lecture = base.preparer(sql::InformationsSociete);
    for (int ligne = 0; ligne <= rang; ++ligne) {
        if (!lecture.suivante())
            return {ResultatMajSociete::Etat::Supprimee, {}};
    }
    ResultatMajSociete resultat{ResultatMajSociete::Etat::Modifiee, {}};
    for (int colonne = 0; colonne < ColonneLogo; ++colonne)
        resultat.actuels << lecture.texte(colonne);
    lecture.terminer();
    return resultat;
}

IssueEnregistrement EnregistrerSociete(Contexte& ctx, int rang, QStringList lus,
                                       const ChangementsSociete& changements) {
    try {
        const db::Base base(ctx.cnx.get());
        for (;;) {
            const ResultatMajSociete resultat = MajSociete(base, rang, lus, changements);
            switch (resultat.etat) {
            case ResultatMajSociete::Etat::Enregistree:
                return IssueEnregistrement::Enregistree;
            case ResultatMajSociete::Etat::Supprimee:
                ctx.prompts.message(Prompts::Icone::Aucune, QString(), TexteFicheSupprimee);
                return IssueEnregistrement::Refusee;
            case ResultatMajSociete::Etat::Modifiee:
                if (!ctx.prompts.question(Prompts::Icone::Question, QString(), TexteFicheModifiee,
                                          false))
                    return IssueEnregistrement::Abandonnee;
                // Written over the row as it is now, unless it changes again.
                lus = resultat.actuels;
                break;
            }
        }
    } catch (const ErreurTarvo& e) {
        ctx.prompts.message(Prompts::Icone::Aucune, QString(), e.erreur().description);
        return IssueEnregistrement::Refusee;
    }
}

void VerifierImage(const QByteArray& octets, const QString& nom) {
    static const QList<QByteArray> formats{"gif", "bmp", "ico", "png", "jpeg"};
    QBuffer tampon;
    tampon.setData(octets);
    tampon.open(QIODevice::ReadOnly);
    QImageReader lecteur(&tampon);
    // The format is read from the bytes, never from the file's name.
    if (!formats.contains(lecteur.format()) || lecteur.read().isNull())
        throw ErreurTarvo(NumeroErreur::DonneeInvalide, SourceLogo,
                          QStringLiteral("Le fichier ") + nom +
                              QStringLiteral(" n'est pas une image GIF, BMP, ICO, PNG ou JPEG "
                                             "lisible : le logo n'a pas été modifié."));
}

QByteArray LireFichierLogo(const QString& fichier) {
    const auto refuser = [&fichier](qint64 numero, const QString& motif) {
        throw ErreurTarvo(numero, SourceLogo,
                          QStringLiteral("Le fichier ") + fichier + u' ' + motif +
                              QStringLiteral(" : le logo n'a pas été modifié."));
    };
    // Looked up without opening the file.
    const QFileInfo info(fichier);
    if (!info.exists())
        refuser(NumeroErreur::FichierIntrouvable, QStringLiteral("est introuvable"));
    if (info.isDir())
        refuser(NumeroErreur::FichierIllisible, QStringLiteral("est un dossier"));
    if (!info.isFile())
        refuser(NumeroErreur::FichierIllisible,
                QStringLiteral("n'est pas un fichier ordinaire (périphérique, tube ou socket)"));
    if (info.size() > TailleMaxLogo)
        refuser(NumeroErreur::DonneeInvalide,
                QStringLiteral("fait %1 octets, or un logo ne peut dépasser 4 Mio (%2 octets)")
                    .arg(info.size())
                    .arg(TailleMaxLogo));

    QFile f(fichier);
    if (!f.open(QIODevice::ReadOnly))
        refuser(NumeroErreur::FichierIllisible,
                QStringLiteral("ne peut pas être lu (") + f.errorString() + u')');
    // The file may have grown since it was looked at: one byte past the
    // limit is enough to know.
    const QByteArray octets = f.read(TailleMaxLogo + 1);
    if (f.error() != QFileDevice::NoError)
        refuser(NumeroErreur::FichierIllisible,
                QStringLiteral("ne peut pas être lu (") + f.errorString() + u')');
    if (octets.size() > TailleMaxLogo)
        refuser(NumeroErreur::DonneeInvalide,
                QStringLiteral("a grandi pendant la lecture au-delà de 4 Mio"));
    return octets;
}

QByteArray RemplacerLogo(Contexte& ctx, const QString& fichier) {
    const QByteArray octets = LireFichierLogo(fichier);
    VerifierImage(octets, fichier);

    db::Base base(ctx.cnx.get());
    db::Requete maj = base.preparer(sql::MajLogo);
    db::Transaction transaction(base);
    if (maj.lier(u":logo", octets).executer() == 0)
        base.preparer(sql::AjoutSocieteLogo).lier(u":logo", octets).executer();
    transaction.valider();
    return octets;
}

std::optional<QByteArray> ChargerLogo(Contexte& ctx, const QString& fichier) {
    try {
        const QByteArray octets = RemplacerLogo(ctx, fichier);
        ctx.prompts.message(Prompts::Icone::Aucune, QString(),
                            QStringLiteral("Logo chargé : ") +
                                QFileInfo(fichier).absoluteFilePath());
        return octets;
    } catch (const ErreurTarvo& e) {
        ctx.prompts.exclamation(QString(), QString::number(e.erreur().numero) +
                                               QStringLiteral(" - ") + e.erreur().description);
        return std::nullopt;
    }
}

} // namespace tarvo::catalogue
