#include "ApercuEpl2.h"

#include "PoliceEpl2.h"
#include "base/Erreur.h"
#include "base/Windows1252.h"

#include <QBuffer>
#include <QPainter>
#include <QRegularExpression>
#include <QSaveFile>
#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <functional>
#include <zint.h>

namespace tarvo::etiquettes {
namespace {

// Dots added around the drawn content when the text sets no label size.
constexpr int Bord = 10;
// The largest picture, in dots each way (about 1.25 m): far beyond any label,
// and a bound on the memory and the coordinates a stray position can take.
constexpr int CoteMaximal = 10000;

struct Police {
    int largeur;
    int hauteur;
};
// Character cells of the resident fonts 1 to 5 at 203 dpi.
constexpr std::array<Police, 5> Polices = {{{8, 12}, {10, 16}, {12, 20}, {14, 24}, {32, 48}}};

// One command line: its name, the parameters before the quoted data, and the
// data with its escapes resolved.
struct Commande {
    QByteArray nom;
    QList<QByteArray> parametres;
    QByteArray donnees;
    bool aDesDonnees = false;
};

Commande decouper(const QByteArray& ligne) {
    Commande c;
    // Line and orientation commands have two-letter names; the others one.
    const bool deuxLettres = ligne.startsWith("LO") || ligne.startsWith("LE") ||
                             ligne.startsWith("LW") || ligne.startsWith("ZT") ||
                             ligne.startsWith("ZB");
    const qsizetype i = deuxLettres ? 2 : 1;
    c.nom = ligne.left(i);
    const qsizetype guillemet = ligne.indexOf('"', i);
    const QByteArray tete = ligne.mid(i, guillemet < 0 ? -1 : guillemet - i);
    c.parametres = tete.split(',');
    if (!c.parametres.isEmpty() && c.parametres.last().isEmpty() && guillemet >= 0)
        c.parametres.removeLast();
    if (guillemet >= 0) {
        c.aDesDonnees = true;
        for (qsizetype j = guillemet + 1; j < ligne.size(); ++j) {
            const char o = ligne.at(j);
            if (o == '\\' && j + 1 < ligne.size()) {
                c.donnees += ligne.at(++j);
                continue;
            }
            if (o == '"')
                break;
            c.donnees += o;
        }
    }
    return c;
}

int entier(const Commande& c, int index, bool* ok) {
    if (index >= c.parametres.size()) {
        *ok = false;
        return 0;
    }
    bool lu = false;
    const int valeur = c.parametres.at(index).trimmed().toInt(&lu);
    *ok = *ok && lu;
    return valeur;
}

// Drawing operations in label coordinates, and the area they cover.
class Dessin {
public:
    void ajouter(const QRectF& zone, std::function<void(QPainter&)> operation) {
        etendue_ = etendue_.united(zone);
        operations_.push_back(std::move(operation));
    }
    void effacer() {
        operations_.clear();
        etendue_ = {};
    }
    QRectF etendue() const { return etendue_; }
    void rendre(QPainter& peintre) const {
        for (const auto& operation : operations_)
            operation(peintre);
    }

private:
    std::vector<std::function<void(QPainter&)>> operations_;
    QRectF etendue_;
};

// The area covered by a rectangle drawn at (x, y) and turned by a quarter
// turns clockwise about that point, as the printer rotates fields.
QRectF tournee(int x, int y, qreal largeur, qreal hauteur, int quarts) {
    QTransform t;
    t.translate(x, y);
    t.rotate(90.0 * quarts);
    return t.mapRect(QRectF(0, 0, largeur, hauteur));
}

void dessinerTexte(QPainter& p, const QByteArray& octets, const Police& police, int mh, int mv,
                   bool inverse) {
    const qreal cw = police.largeur * mh;
    const qreal ch = police.hauteur * mv;
    const qreal px = cw / LargeurGlyphe;
    const qreal py = ch / HauteurGlyphe;
    const QColor encre = inverse ? Qt::white : Qt::black;
    if (inverse)
        p.fillRect(QRectF(0, 0, cw * static_cast<qreal>(octets.size()), ch), Qt::black);
    for (qsizetype n = 0; n < octets.size(); ++n) {
        const int code = static_cast<unsigned char>(octets.at(n));
        if (code < PremierGlyphe)
            continue;
        const auto& glyphe = GlyphesEpl2[static_cast<std::size_t>(code - PremierGlyphe)];
        const qreal gauche = static_cast<qreal>(n) * cw;
        for (int ligne = 0; ligne < HauteurGlyphe; ++ligne) {
            for (int colonne = 0; colonne < LargeurGlyphe; ++colonne) {
                if (glyphe[static_cast<std::size_t>(ligne)] & (0x80 >> colonne))
                    p.fillRect(QRectF(gauche + colonne * px, ligne * py, px, py), encre);
            }
        }
    }
}

// A bar code as zint encodes it: bar rectangles in modules from the first
// bar, and the human-readable text.
struct Barres {
    QList<QRectF> barres;
    int modules = 0;
    QByteArray texte;
};

std::optional<Barres> encoder(int symbologie, const QByteArray& donnees, QString* erreur) {
    std::unique_ptr<zint_symbol, void (*)(zint_symbol*)> symbole(ZBarcode_Create(),
                                                                 ZBarcode_Delete);
    symbole->symbology = symbologie;
    symbole->show_hrt = 0;
    symbole->input_mode = DATA_MODE;
    const int resultat = ZBarcode_Encode_and_Buffer_Vector(
        symbole.get(), reinterpret_cast<const unsigned char*>(donnees.constData()),
        static_cast<int>(donnees.size()), 0);
    if (resultat >= ZINT_ERROR || symbole->vector == nullptr ||
        symbole->vector->rectangles == nullptr) {
        *erreur = QString::fromLatin1(symbole->errtxt);
        return std::nullopt;
    }
    qreal gauche = 1e9;
    qreal droite = -1e9;
    for (auto* r = symbole->vector->rectangles; r != nullptr; r = r->next) {
        gauche = std::min<qreal>(gauche, r->x);
        droite = std::max<qreal>(droite, r->x + r->width);
    }
    Barres b;
    b.modules = symbole->width;
    // The first and the last module of these symbols are bars.
    const qreal unite = (droite - gauche) / symbole->width;
    for (auto* r = symbole->vector->rectangles; r != nullptr; r = r->next)
        b.barres << QRectF((r->x - gauche) / unite, 0, r->width / unite, 1);
    b.texte = QByteArray(reinterpret_cast<const char*>(symbole->text));
    return b;
}

class Interprete {
public:
    ApercuEtiquette interpreter(const QByteArray& texte);

private:
    void texte(const Commande& c);
    void codeBarre(const Commande& c);
    void boite(const Commande& c);
    void trait(const Commande& c);
    void anomalie(const QString& texte) { resultat_.anomalies << texte; }
    bool dansLApercu(int x, int y, std::initializer_list<int> tailles);

    Dessin dessin_;
    ApercuEtiquette resultat_;
    int largeur_ = 0;
    int longueur_ = 0;
    // The leftmost and topmost positions of the fields left out of the
    // picture: the label is cut there too.
    qint64 gaucheHorsApercu_ = 0;
    qint64 hautHorsApercu_ = 0;
    QByteArray ligne_;
};

// The picture's size one way: as the text sets it, or the drawn extent and a
// border.
int cote(int impose, qreal etendue) {
    const qreal c = impose > 0 ? impose : std::ceil(etendue) + Bord;
    return static_cast<int>(std::clamp<qreal>(c, 1, CoteMaximal));
}

// A field placed or sized beyond any label is named, not drawn: its
// coordinates would overflow the painter's.
bool Interprete::dansLApercu(int x, int y, std::initializer_list<int> tailles) {
    const auto dedans = [](int v) { return std::abs(qint64{v}) <= CoteMaximal; };
    if (dedans(x) && dedans(y) && std::all_of(tailles.begin(), tailles.end(), dedans))
        return true;
    gaucheHorsApercu_ = std::min<qint64>(gaucheHorsApercu_, x);
    hautHorsApercu_ = std::min<qint64>(hautHorsApercu_, y);
    anomalie(QStringLiteral("Hors de l'aperçu : ") + Windows1252::decoder(ligne_));
    return false;
}

ApercuEtiquette Interprete::interpreter(const QByteArray& texte) {
    // Nothing after the NUL byte that ends a label reaches the printer's parser.
    const qsizetype nul = texte.indexOf('\0');
    for (QByteArray ligne : texte.left(nul < 0 ? texte.size() : nul).split('\n')) {
        if (ligne.endsWith('\r'))
            ligne.chop(1);
        ligne_ = ligne;
        if (ligne.isEmpty())
            continue;
        const Commande c = decouper(ligne);
        if (c.nom == "N") {
            dessin_.effacer();
            gaucheHorsApercu_ = 0;
            hautHorsApercu_ = 0;
        } else if (c.nom == "A") {
            this->texte(c);
        } else if (c.nom == "B") {
            codeBarre(c);
        } else if (c.nom == "X") {
            boite(c);
        } else if (c.nom == "LO" || c.nom == "LE" || c.nom == "LW") {
            trait(c);
        } else if (c.nom == "q") {
            bool ok = true;
            largeur_ = entier(c, 0, &ok);
        } else if (c.nom == "Q") {
            bool ok = true;
            longueur_ = entier(c, 0, &ok);
        } else if (c.nom == "P") {
            bool ok = true;
            resultat_.exemplaires = entier(c, 0, &ok);
        } else if (c.nom != "I" && c.nom != "ZT" && c.nom != "ZB" && c.nom != "S" && c.nom != "D") {
            anomalie(QStringLiteral("Commande non dessinée : ") + Windows1252::decoder(ligne));
        }
    }
    const QRectF etendue = dessin_.etendue();
    // The printer has no dot before x = 0 or y = 0: what lies there is lost,
    // as in the picture.
    const qreal gauche = std::min<qreal>(etendue.left(), static_cast<qreal>(gaucheHorsApercu_));
    const qreal haut = std::min<qreal>(etendue.top(), static_cast<qreal>(hautHorsApercu_));
    if (gauche < 0)
        anomalie(QStringLiteral("L'étiquette sera coupée : elle déborde à gauche de %1 point(s).")
                     .arg(std::ceil(-gauche), 0, 'f', 0));
    if (haut < 0)
        anomalie(QStringLiteral("L'étiquette sera coupée : elle déborde en haut de %1 point(s).")
                     .arg(std::ceil(-haut), 0, 'f', 0));
    const int largeur = cote(largeur_, etendue.right());
    const int hauteur = cote(longueur_, etendue.bottom());
    resultat_.image = QImage(largeur, hauteur, QImage::Format_RGB32);
    resultat_.image.fill(Qt::white);
    resultat_.image.setDotsPerMeterX(qRound(PointsParPouce / 0.0254));
    resultat_.image.setDotsPerMeterY(qRound(PointsParPouce / 0.0254));
    QPainter peintre(&resultat_.image);
    dessin_.rendre(peintre);
    return resultat_;
}

void Interprete::texte(const Commande& c) {
    bool ok = c.aDesDonnees;
    const int x = entier(c, 0, &ok);
    const int y = entier(c, 1, &ok);
    const int rotation = entier(c, 2, &ok);
    const int numeroPolice = entier(c, 3, &ok);
    const int mh = entier(c, 4, &ok);
    const int mv = entier(c, 5, &ok);
    const QByteArray mode = c.parametres.value(6).trimmed();
    if (!ok || numeroPolice < 1 || numeroPolice > 5 || rotation < 0 || rotation > 3 || mh < 1 ||
        mv < 1 || (mode != "N" && mode != "R")) {
        anomalie(QStringLiteral("Texte illisible : ") + Windows1252::decoder(ligne_));
        return;
    }
    if (!dansLApercu(x, y, {mh, mv}))
        return;
    const Police police = Polices[static_cast<std::size_t>(numeroPolice - 1)];
    const QByteArray octets = c.donnees;
    const bool inverse = mode == "R";
    const qreal largeur = police.largeur * mh * static_cast<qreal>(octets.size());
    dessin_.ajouter(tournee(x, y, largeur, police.hauteur * mv, rotation), [=](QPainter& p) {
        p.save();
        p.translate(x, y);
        p.rotate(90.0 * rotation);
        dessinerTexte(p, octets, police, mh, mv, inverse);
        p.restore();
    });
}

void Interprete::codeBarre(const Commande& c) {
    bool ok = c.aDesDonnees;
    const int x = entier(c, 0, &ok);
    const int y = entier(c, 1, &ok);
    const int rotation = entier(c, 2, &ok);
    const QByteArray type = c.parametres.value(3).trimmed();
    const int etroite = entier(c, 4, &ok);
    const int hauteur = entier(c, 6, &ok);
    const bool lisible = c.parametres.value(7).trimmed() == "B";
    if (!ok || etroite < 1 || hauteur < 1 || rotation < 0 || rotation > 3) {
        anomalie(QStringLiteral("Code barre illisible : ") + Windows1252::decoder(ligne_));
        return;
    }
    if (!dansLApercu(x, y, {etroite, hauteur}))
        return;
    int symbologie = 0;
    if (type == "E30")
        symbologie = BARCODE_EANX;
    else if (type == "1" || type == "1A" || type == "1B" || type == "1C")
        symbologie = BARCODE_CODE128;
    QString erreur = QStringLiteral("type %1 non pris en charge").arg(QString::fromLatin1(type));
    // EAN-13 takes 12 digits and its check digit, or 12 digits alone.
    static const QRegularExpression ean13(QStringLiteral("^\\d{12,13}$"));
    if (symbologie == BARCODE_EANX && !ean13.match(QString::fromLatin1(c.donnees)).hasMatch()) {
        symbologie = 0;
        erreur = QStringLiteral("EAN-13 : 12 ou 13 chiffres attendus");
    }
    const std::optional<Barres> barres =
        symbologie == 0 ? std::nullopt : encoder(symbologie, c.donnees, &erreur);
    if (!barres) {
        anomalie(QStringLiteral("Code barre non dessiné (%1) : %2")
                     .arg(erreur, Windows1252::decoder(c.donnees)));
        return;
    }
    // The human-readable line goes under the bars, in the cells of font 2.
    const Police chiffres = Polices[1];
    const qreal largeur = barres->modules * etroite;
    const qreal hauteurTotale = hauteur + (lisible ? chiffres.hauteur + 2 : 0);
    const QByteArray lisibles = barres->texte;
    dessin_.ajouter(tournee(x, y, largeur, hauteurTotale, rotation), [=](QPainter& p) {
        p.save();
        p.translate(x, y);
        p.rotate(90.0 * rotation);
        for (const QRectF& barre : barres->barres)
            p.fillRect(QRectF(barre.x() * etroite, 0, barre.width() * etroite, hauteur), Qt::black);
        if (lisible) {
            p.translate((largeur - chiffres.largeur * static_cast<qreal>(lisibles.size())) / 2,
                        hauteur + 2);
            dessinerTexte(p, lisibles, chiffres, 1, 1, false);
        }
        p.restore();
    });
}

void Interprete::boite(const Commande& c) {
    bool ok = true;
    const int x1 = entier(c, 0, &ok);
    const int y1 = entier(c, 1, &ok);
    const int epaisseur = entier(c, 2, &ok);
    const int x2 = entier(c, 3, &ok);
    const int y2 = entier(c, 4, &ok);
    if (!ok || epaisseur < 1 || x2 < x1 || y2 < y1) {
        anomalie(QStringLiteral("Cadre illisible : ") + Windows1252::decoder(ligne_));
        return;
    }
    if (!dansLApercu(x1, y1, {epaisseur, x2, y2}))
        return;
    const QRectF exterieur(x1, y1, x2 - x1, y2 - y1);
    dessin_.ajouter(exterieur, [=](QPainter& p) {
        const qreal e = std::min<qreal>(epaisseur, std::min(exterieur.width(), exterieur.height()));
        p.fillRect(QRectF(x1, y1, exterieur.width(), e), Qt::black);
        p.fillRect(QRectF(x1, y2 - e, exterieur.width(), e), Qt::black);
        p.fillRect(QRectF(x1, y1, e, exterieur.height()), Qt::black);
        p.fillRect(QRectF(x2 - e, y1, e, exterieur.height()), Qt::black);
    });
}

void Interprete::trait(const Commande& c) {
    bool ok = true;
    const int x = entier(c, 0, &ok);
    const int y = entier(c, 1, &ok);
    const int longueur = entier(c, 2, &ok);
    const int epaisseur = entier(c, 3, &ok);
    if (!ok || longueur < 1 || epaisseur < 1) {
        anomalie(QStringLiteral("Trait illisible : ") + Windows1252::decoder(ligne_));
        return;
    }
    if (!dansLApercu(x, y, {longueur, epaisseur}))
        return;
    const QRectF zone(x, y, longueur, epaisseur);
    const QByteArray nom = c.nom;
    dessin_.ajouter(zone, [=](QPainter& p) {
        p.save();
        if (nom == "LE")
            p.setCompositionMode(QPainter::RasterOp_SourceXorDestination);
        p.fillRect(zone, nom == "LW" ? Qt::white : (nom == "LE" ? Qt::white : Qt::black));
        p.restore();
    });
}

} // namespace

ApercuEtiquette ApercuEpl2(const QByteArray& texte) {
    return Interprete().interpreter(texte);
}

void EnregistrerApercu(const ApercuEtiquette& apercu, const QString& fichier) {
    const auto echec = [&fichier](const QString& raison) {
        throw ErreurTarvo(NumeroErreur::FichierIllisible, QStringLiteral("Aperçu"),
                          QStringLiteral("Écriture de l'aperçu impossible : ") + fichier + raison);
    };
    QByteArray png;
    QBuffer tampon(&png);
    if (!tampon.open(QIODevice::WriteOnly) || !apercu.image.save(&tampon, "PNG"))
        echec(QString());
    // Written beside the previous picture and put in its place only once
    // complete: a full disk must leave the previous one whole. A write kept
    // in a buffer fails only when flushed, hence the checked flush.
    QSaveFile sortie(fichier);
    if (!sortie.open(QIODevice::WriteOnly) || sortie.write(png) != png.size() || !sortie.flush()) {
        const QString raison = sortie.errorString();
        sortie.cancelWriting();
        echec(QStringLiteral(" (%1). Aucun fichier n'a été remplacé.").arg(raison));
    }
    if (!sortie.commit())
        echec(QStringLiteral(" (%1). Aucun fichier n'a été remplacé.").arg(sortie.errorString()));
}

} // namespace tarvo::etiquettes
