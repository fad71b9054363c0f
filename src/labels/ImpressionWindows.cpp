#include "ImpressionWindows.h"

#include "base/Erreur.h"

#include <string>
#include <vector>
#include <windows.h>
#include <winspool.h>

namespace tarvo::etiquettes {
namespace {

const QString Source = QStringLiteral("Spouleur Windows");

[[noreturn]] void echecWindows(const QString& contexte) {
    const DWORD code = GetLastError();
    wchar_t* texte = nullptr;
    FormatMessageW(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM |
                       FORMAT_MESSAGE_IGNORE_INSERTS,
                   nullptr, code, 0, reinterpret_cast<LPWSTR>(&texte), 0, nullptr);
    const QString description =
        texte != nullptr ? QString::fromWCharArray(texte).trimmed() : QString::number(code);
    LocalFree(texte);
    throw ErreurTarvo(NumeroErreurImpression, Source,
                      contexte + QStringLiteral(" : ") + description);
}

// An open printer handle, closed whatever happens.
class Imprimante {
public:
    explicit Imprimante(const QString& nom) : nom_(nom.toStdWString()) {
        if (!OpenPrinterW(nom_.data(), &handle_, nullptr))
            echecWindows(QStringLiteral("Ouverture de l'imprimante %1 impossible").arg(nom));
    }
    ~Imprimante() { ClosePrinter(handle_); }
    Imprimante(const Imprimante&) = delete;
    Imprimante& operator=(const Imprimante&) = delete;
    HANDLE handle() const { return handle_; }

private:
    std::wstring nom_;
    HANDLE handle_ = nullptr;
};

} // namespace

QStringList ImpressionWindows::imprimantes() {
    const DWORD drapeaux = PRINTER_ENUM_LOCAL | PRINTER_ENUM_CONNECTIONS;
    DWORD taille = 0;
    DWORD nombre = 0;
    EnumPrintersW(drapeaux, nullptr, 4, nullptr, 0, &taille, &nombre);
    if (taille == 0)
        return {};
    std::vector<BYTE> tampon(taille);
    if (!EnumPrintersW(drapeaux, nullptr, 4, tampon.data(), taille, &taille, &nombre))
        echecWindows(QStringLiteral("Liste des imprimantes illisible"));
    const auto* infos = reinterpret_cast<const PRINTER_INFO_4W*>(tampon.data());
    QStringList noms;
    for (DWORD i = 0; i < nombre; ++i)
        noms << QString::fromWCharArray(infos[i].pPrinterName);
    return noms;
}

QString ImpressionWindows::identification(const QString& imprimante) {
    const Imprimante ouverte(imprimante);
    DWORD taille = 0;
    GetPrinterW(ouverte.handle(), 2, nullptr, 0, &taille);
    if (taille == 0)
        return {};
    std::vector<BYTE> tampon(taille);
    if (!GetPrinterW(ouverte.handle(), 2, tampon.data(), taille, &taille))
        return {};
    const auto* info = reinterpret_cast<const PRINTER_INFO_2W*>(tampon.data());
    return info->pPortName != nullptr ? QString::fromWCharArray(info->pPortName) : QString();
}

void ImpressionWindows::envoyer(const QString& imprimante, const QByteArray& octets,
                                const QString& titreTravail) {
    const Imprimante ouverte(imprimante);
    std::wstring titre = titreTravail.toStdWString();
    wchar_t typeDonnees[] = L"RAW";
    DOC_INFO_1W document{titre.data(), nullptr, typeDonnees};
    if (StartDocPrinterW(ouverte.handle(), 1, reinterpret_cast<LPBYTE>(&document)) == 0)
        echecWindows(QStringLiteral("Création du travail sur %1 impossible").arg(imprimante));
    DWORD ecrits = 0;
    const bool ok = StartPagePrinter(ouverte.handle()) &&
                    WritePrinter(ouverte.handle(), const_cast<char*>(octets.constData()),
                                 static_cast<DWORD>(octets.size()), &ecrits) &&
                    ecrits == static_cast<DWORD>(octets.size()) && EndPagePrinter(ouverte.handle());
    if (!ok) {
        EndDocPrinter(ouverte.handle());
        echecWindows(QStringLiteral("Envoi à %1 interrompu").arg(imprimante));
    }
    if (!EndDocPrinter(ouverte.handle()))
        echecWindows(QStringLiteral("Fin du travail sur %1 impossible").arg(imprimante));
}

} // namespace tarvo::etiquettes
