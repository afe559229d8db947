// SPDX-License-Identifier: GPL-3.0-or-later
// The command families of sondrel-cli, in the order of the usage text. A new family is a class
// derived from PolecenieCli with a function that describes it (as RodzinaAnalizy does), and
// one line here.
#include "archiwum_cli.h"
#include "arkusze_cli.h"
#include "baza_cli.h"
#include "polecenia.h"
#include "wykresy_cli.h"

namespace sondrel {

const std::vector<RodzinaPolecen>& RodzinyPolecen() {
    static const std::vector<RodzinaPolecen> rodziny = {
        RodzinaAnalizy(),
        RodzinaWykresow(),
        RodzinaArchiwum(),
        RodzinaArkuszy(),
    };
    return rodziny;
}

} // namespace sondrel
