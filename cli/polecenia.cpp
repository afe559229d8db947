#include "polecenia.h"

#include <cstdio>

namespace sondrel {

namespace {
void PokazSkladnie() {
    std::fputs("Użycie:\n"
               "  sondrel-cli json [--test PLIK.skt] [--imie-najpierw] PLIK.sko...\n",
               stderr);
}
} // namespace

int UruchomCli(const QStringList& argumenty) {
    if (argumenty.isEmpty()) {
        PokazSkladnie();
        return 1;
    }
    PokazSkladnie();
    return 1;
}

} // namespace sondrel
