#pragma once

#include <QByteArray>
#include <QString>
#include <QStringView>

namespace tarvo::Windows1252 {

// The files exchanged with terminals, the configuration file and the logs are
// 8-bit text in Windows-1252; they never go through the locale.
QString decoder(QByteArrayView octets);

// Characters Windows-1252 cannot hold become '?'.
QByteArray encoder(QStringView texte);
void ajouter(QByteArray& destination, QStringView texte);

} // namespace tarvo::Windows1252
