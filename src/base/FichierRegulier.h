#pragma once

#include <QFile>
#include <QString>

namespace tarvo {

// The terminal folder, the program folder and the folders reports go to are
// shared: terminals, other workstations and people write to them. Tarvo
// reads there only regular files reached without a link, creates files only
// as new regular files, never writes or deletes through a link, and never
// opens a FIFO or a device, which could hold it forever.
namespace fichiers {

enum class Nature { Absent, Regulier, Autre };

// What the name itself is, without following a link: a link, a folder, a
// FIFO or a device are Autre.
Nature nature(const QString& chemin);

// Raises ErreurTarvo with `source`, naming the file and what to do with it,
// unless `chemin` is a regular file (a link is not).
void exigerOrdinaire(const QString& chemin, const QString& source);
// The same, but a name not taken yet passes: a file about to be written.
void exigerOrdinaireOuAbsent(const QString& chemin, const QString& source);

// Opens `f` read-only on `chemin`, a regular file reached without a link.
// Raises ErreurTarvo with `source`, naming the file, otherwise.
void ouvrirEnLecture(QFile& f, const QString& chemin, const QString& source);

// Opens `f` write-only on `chemin` created as a new regular file. False when
// the name is taken, by anything (a dangling link included); raises
// ErreurTarvo with `source` for any other failure.
bool creerNouveau(QFile& f, const QString& chemin, const QString& source);

// Writes all of `octets`, or raises ErreurTarvo with `source` and the
// system's reason.
// `chemin` names the file in the message (a file opened on a descriptor
// has no name of its own); `motsEchec` comes before it.
void ecrire(QFile& f, const QString& chemin, QByteArrayView octets, const QString& source,
            const QString& motsEchec = QStringLiteral("Impossible d'écrire le fichier "));
// Writes what the file still buffers and asks the system to put it on disk;
// raises ErreurTarvo with `source` and the system's reason.
void mettreSurDisque(QFile& f, const QString& chemin, const QString& source);

// Opens `f` for appending on `chemin`, created when missing, a regular file
// reached without a link. Raises ErreurTarvo with `source`, `motsEchec` (the
// failure's words, before the file's name) and the system's reason.
void ouvrirEnAjout(QFile& f, const QString& chemin, const QString& source,
                   const QString& motsEchec);
// Appends `octets` to `chemin` so opened, and puts them on disk. Raises
// ErreurTarvo with `source` and the system's reason.
void ajouter(const QString& chemin, QByteArrayView octets, const QString& source);

// Renames within one folder without replacing anything: false when `vers`
// is taken; raises ErreurTarvo with `source` for any other failure.
bool renommerSansRemplacer(const QString& depuis, const QString& vers, const QString& source);

// The size and last write of the open file `f` as they stand now (never a
// value kept from an earlier look): a writer's progress shows in them.
struct Etat {
    qint64 taille = 0;
    qint64 modificationNs = 0;
    bool operator==(const Etat&) const = default;
};
Etat etat(QFile& f);

// Replaces `vers` by `depuis` in one step (both in one folder). Raises
// ErreurTarvo with `source` and the system's reason.
void remplacer(const QString& depuis, const QString& vers, const QString& source);

// Whether another process has the open file `f` open for writing.
enum class Ecrivain { Aucun, Present, Inconnu };
Ecrivain ecrivain(QFile& f);

} // namespace fichiers
} // namespace tarvo
