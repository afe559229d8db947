// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The chart template (.ssw): the chart settings record written out as 944 bytes, little-endian,
// with no header. Texts are a length byte and 50 bytes of Windows-1250; padding and the unused
// tail of every text are written as zero; colours are 0x00BBGGRR.

#include "charts/ustawienia_wykresu.h"

#include <QByteArray>
#include <QString>
#include <optional>

namespace sondrel {

constexpr int RozmiarSzablonu = 944;

QByteArray BajtySzablonu(const UstawieniaWykresu& ustawienia);

// The record from the first 944 bytes (the rest is ignored); none when there are fewer. Any
// content is accepted: a text length above 50 is read as 50, any non-zero bool byte as true.
std::optional<UstawieniaWykresu> UstawieniaZSzablonu(QByteArrayView bajty);

// The files: saving goes through a temporary file and a rename. Loading reads into a scratch
// record; the live settings change only when the whole record was read, and then the kind the
// chart menu asked for is shown again with them. Both return false with a reason in Polish.
bool ZapiszWzorzecDoPliku(const StanWykresu& stan, const QString& sciezka, QString* blad = nullptr);
bool WczytajWzorzecZPliku(StanWykresu& stan, const QString& sciezka, QString* blad = nullptr);

} // namespace sondrel
