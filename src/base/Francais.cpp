#include "Francais.h"

namespace tarvo {

const QLocale& localeFrancaise() {
    static const QLocale locale = [] {
        QLocale l(QLocale::French, QLocale::France);
        l.setNumberOptions(QLocale::OmitGroupSeparator);
        return l;
    }();
    return locale;
}

void adopterLocaleFrancaise() {
    QLocale::setDefault(localeFrancaise());
}

QString nombreFrancais(double valeur) {
    return localeFrancaise().toString(valeur, 'f', QLocale::FloatingPointShortest);
}

} // namespace tarvo
