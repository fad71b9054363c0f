#include "Peinture.h"

#include "base/Erreur.h"

#include <QBuffer>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <QSaveFile>

namespace tarvo::editions {
namespace {

const QString SourcePdf = QStringLiteral("Edition PDF");
constexpr int ResolutionPdf = 600;

QRectF echelle(const QRectF& r, double k) {
    return QRectF(r.x() * k, r.y() * k, r.width() * k, r.height() * k);
}

// The picture as large as its box allows, without distortion.
QRectF cadreImage(const QRectF& boite, const QSize& taille) {
    QSizeF s = taille;
    s.scale(boite.size(), Qt::KeepAspectRatio);
    return QRectF(boite.topLeft(), s);
}

[[noreturn]] void echec(const QString& fichier, const QString& raison) {
    throw ErreurTarvo(NumeroErreur::FichierIllisible, SourcePdf,
                      QStringLiteral("Impossible d'écrire le fichier PDF ") + fichier +
                          QStringLiteral(" : ") + raison);
}

} // namespace

void peindrePage(QPainter& peintre, const Document& document, qsizetype page) {
    const double k = peintre.device()->logicalDpiX() / 72.0;
    peintre.save();
    QPen stylo(Qt::black);
    stylo.setWidthF(0.5 * k);
    peintre.setPen(stylo);
    Style courant = Style::Normal;
    peintre.setFont(police(courant));
    for (const Element& e : document.pages.at(page).elements) {
        switch (e.genre) {
        case Element::Genre::Texte:
            if (e.style != courant) {
                courant = e.style;
                peintre.setFont(police(courant));
            }
            peintre.drawText(echelle(e.rect, k), static_cast<int>(e.alignement), e.texte);
            break;
        case Element::Genre::Trait:
            peintre.drawLine(e.rect.topLeft() * k, e.rect.bottomRight() * k);
            break;
        case Element::Genre::Image:
            peintre.drawImage(cadreImage(echelle(e.rect, k), e.image.size()), e.image);
            break;
        }
    }
    peintre.restore();
}

QByteArray documentPdf(const Document& document) {
    QByteArray octets;
    QBuffer tampon(&octets);
    tampon.open(QIODevice::WriteOnly);
    {
        QPdfWriter pdf(&tampon);
        pdf.setResolution(ResolutionPdf);
        pdf.setPageSize(QPageSize(QPageSize::A4));
        pdf.setPageMargins(QMarginsF(0, 0, 0, 0));
        pdf.setTitle(document.titre);
        pdf.setCreator(QStringLiteral("Tarvo"));
        QPainter peintre;
        if (!peintre.begin(&pdf))
            throw ErreurTarvo(NumeroErreur::FichierIllisible, SourcePdf,
                              QStringLiteral("Le document PDF n'a pas pu être commencé."));
        for (qsizetype n = 0; n < document.pages.size(); ++n) {
            if (n > 0)
                pdf.newPage();
            peindrePage(peintre, document, n);
        }
        if (!peintre.end())
            throw ErreurTarvo(NumeroErreur::FichierIllisible, SourcePdf,
                              QStringLiteral("Le document PDF n'a pas pu être terminé."));
    }
    return octets;
}

void ecrirePdf(const Document& document, const QString& fichier) {
    const QByteArray octets = documentPdf(document);
    QSaveFile f(fichier);
    if (!f.open(QIODevice::WriteOnly))
        echec(fichier, f.errorString());
    if (f.write(octets) != octets.size() || !f.flush()) {
        const QString raison = f.errorString();
        f.cancelWriting();
        echec(fichier, raison);
    }
    if (!f.commit())
        echec(fichier, f.errorString());
}

QImage imagePage(const Document& document, qsizetype page, double pointsParPouce) {
    const double k = pointsParPouce / 72.0;
    QImage image(qRound(document.taille.width() * k), qRound(document.taille.height() * k),
                 QImage::Format_RGB32);
    const int pointsParMetre = qRound(pointsParPouce / 0.0254);
    image.setDotsPerMeterX(pointsParMetre);
    image.setDotsPerMeterY(pointsParMetre);
    image.fill(Qt::white);
    QPainter peintre(&image);
    peintre.setRenderHint(QPainter::Antialiasing);
    peintre.setRenderHint(QPainter::TextAntialiasing);
    peindrePage(peintre, document, page);
    return image;
}

} // namespace tarvo::editions
