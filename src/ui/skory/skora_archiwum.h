// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The archive window's pictures: its menu panel "archiwummenu" (the heading "ARCHIWUM" with a
// small filing-drawer sign) on the framed windows' frame.

namespace sondrel::skora {

void DodajObrazkiArchiwum();

} // namespace sondrel::skora
