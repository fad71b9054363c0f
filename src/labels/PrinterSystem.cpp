#include "PrinterSystem.h"

#include "ImpressionDossier.h"

#ifdef Q_OS_WIN
#include "ImpressionWindows.h"
#else
#include "ImpressionCups.h"
#endif

namespace tarvo::etiquettes {

std::unique_ptr<PrinterSystem> systemeImpression() {
    const QString spool = qEnvironmentVariable("TARVO_SPOOL_DIR");
    if (!spool.isEmpty())
        return std::make_unique<ImpressionDossier>(spool);
#ifdef Q_OS_WIN
    return std::make_unique<ImpressionWindows>();
#else
    return std::make_unique<ImpressionCups>();
#endif
}

} // namespace tarvo::etiquettes
