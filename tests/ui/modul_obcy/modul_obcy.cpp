// SPDX-License-Identifier: GPL-3.0-or-later
// A module of another build, in place of the HTML engine module: the program must refuse it
// without calling anything but its identity. BEZ_TOZSAMOSCI makes a module from before the
// identity existed (unversioned names only).
#include <cstdlib>

#ifdef BEZ_TOZSAMOSCI
extern "C" __attribute__((visibility("default"))) void* sondrel_utworz_silnik(void*) {
    std::abort();
}
#else
extern "C" __attribute__((visibility("default"))) const char* sondrel_silnik_tozsamosc() {
    return "sondrel 0.9.0 0123456789abcdef Qt 6.2.0 GNU 10.2.1";
}
#endif

// Called only by a program that skipped the check.
extern "C" __attribute__((visibility("default"))) const void* sondrel_silnik_funkcje() {
    std::abort();
}
