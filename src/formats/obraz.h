// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The size of a question picture, read from its bytes. The reports need only the width and
// height of a picture (for the img tag), so the decoders read no more than the picture's header.
// Every picture is untrusted: damaged data gives nothing, never a crash.

#include <QByteArrayView>
#include <QString>
#include <optional>

namespace sondrel {

struct RozmiarObrazu {
    int szerokosc = 0;
    int wysokosc = 0;

    friend bool operator==(const RozmiarObrazu&, const RozmiarObrazu&) = default;
};

enum class RodzajObrazu { Jpeg, Gif, Bmp };

// The kind of picture by the extension of its name (from the last dot, letter case ignored):
// ".JPG", ".GIF" and ".BMP". Any other extension (".JPEG" included) or none gives nothing.
std::optional<RodzajObrazu> RodzajObrazuZNazwy(const QString& nazwa);

// JPEG: the frame size from the header (libjpeg reads up to the first scan).
std::optional<RozmiarObrazu> RozmiarJpeg(QByteArrayView dane);

// GIF: the logical screen size, the size the picture is drawn at.
std::optional<RozmiarObrazu> RozmiarGif(QByteArrayView dane);

// Windows bitmap with a core (12-byte) or an info (40 bytes or more) header; a negative height
// (rows stored top-down) gives its absolute value. Uncompressed pixel data must be all there.
std::optional<RozmiarObrazu> RozmiarBmp(QByteArrayView dane);

std::optional<RozmiarObrazu> RozmiarObrazuZDanych(RodzajObrazu rodzaj, QByteArrayView dane);

} // namespace sondrel
