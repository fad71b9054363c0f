#pragma once

#include "db/Base.h"

#include <QByteArray>
#include <QList>
#include <QMap>
#include <QString>
#include <QStringList>
#include <optional>

namespace tarvo {
struct Contexte;
}

namespace tarvo::catalogue {

// The letterhead of the packing list: the single row of [Informations
// société], its fifteen text fields and its logo.

// The captions of the company window, top to bottom, in the order of the
// columns of sql::InformationsSociete; the last is the logo's.
const QStringList& LegendesSociete();
constexpr int ColonneLogo = 15;

struct FicheSociete {
    // The fifteen text fields in caption order; a NULL reads as empty.
    QStringList champs;
    QByteArray logo;
};

// The table's first row; empty when the table has none. Raises ErreurTarvo.
std::optional<FicheSociete> LireSociete(const db::Base& base);
// Every row, in the table's order, for the company window. Raises ErreurTarvo.
QList<FicheSociete> LireSocietes(const db::Base& base);
// The statement both read with, for a failure's diagnostic.
const db::TexteSql& InstructionInformationsSociete();

// The question asked when the row being saved was changed by another
// workstation since "Modifier"; yes writes the person's changes over it.
extern const QString TexteFicheModifiee;
// Said when that row was deleted meanwhile: there is nothing to write over.
extern const QString TexteFicheSupprimee;

// The text fields a person changed in the form: rank in caption order, new
// text.
using ChangementsSociete = QMap<int, QString>;

struct ResultatMajSociete {
    enum class Etat { Enregistree, Modifiee, Supprimee };
    Etat etat = Etat::Enregistree;
    // Modifiee: the row's text fields as they are now.
    QStringList actuels;
};

// Writes `changements` into a row whose text fields still read `lus` (NULL
// as empty): the row as it was when the edit began. A row another
// workstation changed meanwhile is left as it is: the row now at rank `rang`
// of the form's rows is given back, or Supprimee when there is none. The
// check and the write are one statement. Raises ErreurTarvo.
ResultatMajSociete MajSociete(const db::Base& base, int rang, const QStringList& lus,
                              const ChangementsSociete& changements);

enum class IssueEnregistrement {
    Enregistree,
    // The person chose to drop the edit for the other workstation's row.
    Abandonnee,
    // Nothing written; the box said why.
    Refusee
};

// "Enregistrer" of the company window, as the person meets it: when another
// workstation changed the row meanwhile, asks whether to write the changes
// over it, and asks again should it change once more; a deleted row or a
// failure is said in a plain box.
IssueEnregistrement EnregistrerSociete(Contexte& ctx, int rang, QStringList lus,
                                       const ChangementsSociete& changements);

// The largest logo file accepted. A letterhead logo takes a few kilobytes;
// past this size the file is surely no logo and is refused unread.
constexpr qint64 TailleMaxLogo = 4 * 1024 * 1024;

// Raises ErreurTarvo unless the bytes load as a GIF, BMP, ICO, PNG or JPEG
// picture: the packing list could not print anything else. `nom` names the
// file in the message.
void VerifierImage(const QByteArray& octets, const QString& nom);

// The bytes of a logo file. Only a regular file of at most TailleMaxLogo
// bytes is opened: its kind and size are looked at first, since a device
// would be read without end and opening a named pipe waits for a writer.
// Raises ErreurTarvo naming the file.
QByteArray LireFichierLogo(const QString& fichier);

// Reads the picture file, checks it and stores its bytes, as they are, as
// the logo of the table's first row, or of a new row when the table has
// none. Gives the bytes stored. Raises ErreurTarvo; nothing is stored then.
QByteArray RemplacerLogo(Contexte& ctx, const QString& fichier);

// The same as the person meets it: "Logo chargé : " and the file's full
// name, or an exclamation box with the error number, " - " and the
// description. Gives the bytes stored, or an empty optional on failure.
std::optional<QByteArray> ChargerLogo(Contexte& ctx, const QString& fichier);

} // namespace tarvo::catalogue
