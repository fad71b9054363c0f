#include "Societe.h"

#include "SqlCatalogue.h"
#include "app/Connexion.h"
#include "app/Contexte.h"
#include "app/Erreur.h"
#include "db/Transaction.h"

#include <QBuffer>
#include <QFile>
#include <QFileInfo>
#include <QImageReader>

namespace tarvo::catalogue {
namespace {

const QString SourceLogo = QStringLiteral("Logo");

} // namespace

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
    FicheSociete fiche;
    for (int colonne = 0; colonne < ColonneLogo; ++colonne)
        fiche.champs << requete.texte(colonne);
    fiche.logo = requete.octets(ColonneLogo);
    requete.terminer();
    return fiche;
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
