#include "Prompts.h"

namespace tarvo {

Prompts::~Prompts() = default;

QString titreParDefaut() {
    return QStringLiteral("Tarvo");
}

} // namespace tarvo
