#pragma once

#include <QPixmap>

namespace tarvo::ui {

// The program's picture, drawn: a parcel with a bar code, `taille` pixels square.
QPixmap logoTarvo(int taille);

} // namespace tarvo::ui
