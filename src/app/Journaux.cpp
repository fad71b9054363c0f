#include "Journaux.h"

#include "Contexte.h"
#include "Windows1252.h"

#include <QFile>

namespace tarvo {
namespace {

const QString CRLF = QStringLiteral("\r\n");

void ajouterAuFichier(Contexte& ctx, const QString& nomFichier, const QString& texte) {
    QFile f(ctx.chemin(nomFichier));
    if (!f.open(QIODevice::WriteOnly | QIODevice::Append))
        throw ErreurTarvo(NumeroErreur::FichierIllisible, QStringLiteral("EcrireLog"),
                          QStringLiteral("Impossible d'écrire dans le fichier ") + f.fileName() +
                              QStringLiteral(" : ") + f.errorString());
    const QByteArray octets = Windows1252::encoder(texte);
    if (f.write(octets) != octets.size())
        throw ErreurTarvo(NumeroErreur::FichierIllisible, QStringLiteral("EcrireLog"),
                          QStringLiteral("Impossible d'écrire dans le fichier ") + f.fileName() +
                              QStringLiteral(" : ") + f.errorString());
}

} // namespace

QString horodatageJournal(const QDateTime& moment) {
    return moment.toString(QStringLiteral("dd/MM/yyyy HH:mm:ss"));
}

void EcrireLog(Contexte& ctx, const QString& nomFichier, const QString& texte) {
    ajouterAuFichier(ctx, nomFichier,
                     horodatageJournal(ctx.horloge.maintenant()) + u' ' + texte + CRLF);
}

void TraceDebug(Contexte& ctx, const QString& texte) {
    EcrireLog(ctx, FichierDebug, texte);
}

void TraceErreur(Contexte& ctx, const QString& message, qint32 numero, const QString& description) {
    const QString ligne =
        message + QStringLiteral(" Err=") + QString::number(numero) + u' ' + description;
    EcrireLog(ctx, FichierErreurs, ligne);
    ctx.prompts.message(Prompts::Icone::Aucune, QString(), ligne);
}

void trace_erreur_etat(Contexte& ctx, const QString& nomEtat, const QString& nomCommande,
                       const EchecEtat& echec) {
    const Erreur& e = echec.erreur;
    ctx.prompts.critique(
        QString(), QStringLiteral("Problème de connexion lors du calcul de l'état ") + nomEtat +
                       CRLF + QStringLiteral("Erreur n° : ") + QString::number(e.numero) + u' ' +
                       e.description + CRLF +
                       QStringLiteral("Informations détaillées dans le fichier ") + FichierErreurs);

    QString bloc;
    auto ligne = [&bloc](const QString& texte) { bloc += texte + CRLF; };
    ligne(horodatageJournal(ctx.horloge.maintenant()) +
          QStringLiteral(" Erreur lors du calcul du l'état ") + nomEtat);
    ligne(QStringLiteral("Erreur n° : ") + QString::number(e.numero));
    ligne(QStringLiteral("Source    : ") + e.source);
    ligne(QStringLiteral("LastDllError: ") + QString::number(echec.derniereErreurSysteme));
    ligne(QStringLiteral("Description : ") + e.description);
    ligne(QStringLiteral("Problème de connexion - Nb Erreur : ") +
          QString::number(echec.erreursConnexion.size()));
    for (qsizetype i = 0; i < echec.erreursConnexion.size(); ++i) {
        const ErreurFournisseur& f = echec.erreursConnexion[i];
        ligne(QStringLiteral("Erreur #    : ") + QString::number(i) + u' ' +
              QString::number(f.numero));
        ligne(QStringLiteral("Source      : ") + f.source);
        ligne(QStringLiteral("NativeError : ") + QString::number(f.erreurNative));
        ligne(QStringLiteral("Description : ") + f.description);
        ligne(QStringLiteral("SQLState    : ") + f.etatSql);
    }
    ligne(QString());
    ligne(QStringLiteral("DataEnv command     : ") + nomCommande);
    ligne(QStringLiteral("DataEnv CommandText : ") + echec.texteCommande);
    ligne(QStringLiteral("---------------"));
    ajouterAuFichier(ctx, FichierErreurs, bloc);
}

} // namespace tarvo
