#include "Windows1252.h"

#include <array>

namespace tarvo::Windows1252 {
namespace {

// 0x80..0x9F; zero marks the five bytes the code page leaves undefined, which
// decode to the C1 control of the same value as Windows itself does.
constexpr std::array<char16_t, 32> plageHaute = {
    0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0,      0x017D, 0,      0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178};

char versOctet(char16_t c) {
    if (c < 0x80 || (c >= 0xA0 && c <= 0xFF))
        return static_cast<char>(c);
    for (std::size_t i = 0; i < plageHaute.size(); ++i) {
        if (plageHaute[i] == c)
            return static_cast<char>(0x80 + i);
    }
    if (c >= 0x80 && c < 0xA0)
        return static_cast<char>(c);
    return '?';
}

} // namespace

QString decoder(QByteArrayView octets) {
    QString texte(octets.size(), Qt::Uninitialized);
    QChar* sortie = texte.data();
    for (qsizetype i = 0; i < octets.size(); ++i) {
        const auto o = static_cast<unsigned char>(octets[i]);
        char16_t c = o;
        if (o >= 0x80 && o < 0xA0 && plageHaute[o - 0x80] != 0)
            c = plageHaute[o - 0x80];
        sortie[i] = QChar(c);
    }
    return texte;
}

void ajouter(QByteArray& destination, QStringView texte) {
    const qsizetype debut = destination.size();
    destination.resize(debut + texte.size());
    char* sortie = destination.data() + debut;
    qsizetype n = 0;
    for (qsizetype i = 0; i < texte.size(); ++i) {
        const QChar c = texte[i];
        // A character outside the basic plane is one '?', not two.
        if (c.isLowSurrogate() && i > 0 && texte[i - 1].isHighSurrogate())
            continue;
        sortie[n++] = c.isHighSurrogate() ? '?' : versOctet(c.unicode());
    }
    destination.resize(debut + n);
}

QByteArray encoder(QStringView texte) {
    QByteArray octets;
    ajouter(octets, texte);
    return octets;
}

} // namespace tarvo::Windows1252
