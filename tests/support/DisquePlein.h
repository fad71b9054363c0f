#pragma once

#include <QString>

namespace tarvo::test {

// A tmpfs (64 KiB unless told, as mount's size option) mounted on a folder
// while the object lives, so that a test meets a really full disk, where
// writes fail only when the buffered bytes are flushed. Needs root.
class DisquePlein {
public:
    explicit DisquePlein(const QString& dossier, const QString& taille = QStringLiteral("64k"));
    ~DisquePlein();
    DisquePlein(const DisquePlein&) = delete;
    DisquePlein& operator=(const DisquePlein&) = delete;

    // Why the disk could not be mounted; empty when it is.
    const QString& erreur() const { return erreur_; }
    // Takes every free block left, in a file named "remplissage".
    void remplir() const;

private:
    QString dossier_;
    bool monte_ = false;
    QString erreur_;
};

} // namespace tarvo::test
