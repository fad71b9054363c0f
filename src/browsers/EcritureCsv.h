#pragma once

#include <QByteArray>
#include <QSaveFile>
#include <QString>
#include <QStringList>

namespace tarvo::navigateurs {

// A CSV file being written for a French spreadsheet: UTF-8 with BOM, ";"
// between the fields (already written by ChampCsv), CR LF. Nothing replaces
// the previous file until terminer() has written, flushed and committed it
// all; a writer dropped before that leaves the previous file as it was. Every
// failure raises ErreurTarvo ("Écriture impossible de …") under `source`.
class EcritureCsv {
public:
    EcritureCsv(const QString& fichier, QString source);
    ~EcritureCsv();
    EcritureCsv(const EcritureCsv&) = delete;
    EcritureCsv& operator=(const EcritureCsv&) = delete;

    void ligne(const QStringList& champs);
    void terminer();

private:
    static constexpr qsizetype Seuil = 1 << 20;
    [[noreturn]] void echec(const QString& detail) const;
    void vider();

    QString fichier_;
    QString source_;
    QSaveFile sortie_;
    QByteArray tampon_;
    bool fini_ = false;
};

} // namespace tarvo::navigateurs
