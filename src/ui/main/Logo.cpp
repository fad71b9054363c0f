#include "Logo.h"

#include <QPainter>
#include <QPainterPath>

namespace tarvo::ui {

QPixmap logoTarvo(int taille) {
    QPixmap image(taille, taille);
    image.fill(Qt::transparent);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.scale(taille / 100.0, taille / 100.0);

    // A parcel seen from the front and above.
    const QColor carton(196, 150, 92);
    const QColor ombre(160, 116, 64);
    p.setPen(QPen(QColor(90, 60, 25), 2.5));
    QPainterPath dessus;
    dessus.moveTo(10, 30);
    dessus.lineTo(40, 12);
    dessus.lineTo(90, 12);
    dessus.lineTo(62, 30);
    dessus.closeSubpath();
    p.setBrush(carton.lighter(115));
    p.drawPath(dessus);
    QPainterPath cote;
    cote.moveTo(62, 30);
    cote.lineTo(90, 12);
    cote.lineTo(90, 66);
    cote.lineTo(62, 88);
    cote.closeSubpath();
    p.setBrush(ombre);
    p.drawPath(cote);
    p.setBrush(carton);
    p.drawRect(QRectF(10, 30, 52, 58));

    // The label with its bar code.
    p.setPen(Qt::NoPen);
    p.setBrush(Qt::white);
    p.drawRect(QRectF(16, 50, 40, 30));
    p.setBrush(Qt::black);
    const double barres[] = {1.5, 0.8, 2.5, 0.8, 1.5, 2.5, 0.8, 1.5, 0.8, 2.5, 1.5, 0.8};
    double x = 19;
    for (int i = 0; i < 12; ++i) {
        if (i % 2 == 0)
            p.drawRect(QRectF(x, 53, barres[i], 22));
        x += barres[i] + 1.2;
    }
    return image;
}

} // namespace tarvo::ui
