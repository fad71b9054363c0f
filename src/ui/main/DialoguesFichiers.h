#pragma once

#include <QString>

class QApplication;
class QWidget;

namespace tarvo::ui {

// Makes every file dialog of the program Qt's own, which speaks the French of
// the loaded translations, and shows in it the dates and sizes the French way
// ("07/12/2026 09:05", "12 octets") whatever the workstation's language: the
// platform's dialog and Qt's file list follow the system's locale instead.
void franciserDialoguesFichiers(QApplication& application);

// The kinds of files the program saves; each kind remembers its own folder.
enum class GenreFichier { Pdf, Csv };

// The folder a save dialog of that kind opens in: the one the last file of
// that kind was saved in, else the person's documents folder, else their
// home folder.
QString dossierEnregistrement(GenreFichier genre);
// Remembers the folder of `fichier` for the next save of that kind.
void retenirDossierEnregistrement(GenreFichier genre, const QString& fichier);

// A save dialog of that kind, proposing `nom` in its folder, asking before it
// replaces a file. The path chosen, its folder remembered; empty when the
// person cancels.
QString choisirFichierEnregistrement(QWidget* proprietaire, const QString& titre,
                                     GenreFichier genre, const QString& nom);

} // namespace tarvo::ui
