#pragma once

#include <QFile>
#include <QString>

namespace tarvo::terminal {

// The terminal folder is shared: terminals, other workstations and people
// write to it. Tarvo reads there only regular files reached without a link,
// creates files only as new regular files, and never writes or deletes
// through a link.
namespace fichiers {

enum class Nature { Absent, Regulier, Autre };

// What the name itself is, without following a link: a link, a folder, a
// FIFO or a device are Autre.
Nature nature(const QString& chemin);

// Raises ErreurTarvo with `source`, naming the file and what to do with it,
// unless `chemin` is a regular file (a link is not).
void exigerOrdinaire(const QString& chemin, const QString& source);

// Opens `f` read-only on `chemin`, a regular file reached without a link.
// Raises ErreurTarvo with `source`, naming the file, otherwise.
void ouvrirEnLecture(QFile& f, const QString& chemin, const QString& source);

// Opens `f` write-only on `chemin` created as a new regular file. False when
// the name is taken, by anything (a dangling link included); raises
// ErreurTarvo with `source` for any other failure.
bool creerNouveau(QFile& f, const QString& chemin, const QString& source);

// Writes all of `octets`, or raises ErreurTarvo with `source` and the
// system's reason.
void ecrire(QFile& f, QByteArrayView octets, const QString& source);
// Writes what the file still buffers and asks the system to put it on disk;
// raises ErreurTarvo with `source` and the system's reason.
void mettreSurDisque(QFile& f, const QString& source);

// Appends `octets` to `chemin`, created when missing, never through a link.
// Raises ErreurTarvo with `source` and the system's reason.
void ajouter(const QString& chemin, QByteArrayView octets, const QString& source);

// Renames within one folder without replacing anything: false when `vers`
// is taken; raises ErreurTarvo with `source` for any other failure.
bool renommerSansRemplacer(const QString& depuis, const QString& vers, const QString& source);

// Whether another process has the open file `f` open for writing.
enum class Ecrivain { Aucun, Present, Inconnu };
Ecrivain ecrivain(QFile& f);

} // namespace fichiers
} // namespace tarvo::terminal
