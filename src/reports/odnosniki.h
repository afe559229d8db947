// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Links from a report to the files beside it (a test's picture, a chart, the frame's pictures),
// written and read by one rule, so that whatever writes a report and whatever copies it agree
// on the file a link names, whatever letters the name holds.
//
// Written: the name as UTF-8 with every byte other than an ASCII letter, a digit or one of
// "-._~" percent-encoded ("Bąk Mikołaj.png" is "B%C4%85k%20Miko%C5%82aj.png"). That is how a
// browser resolves a link's path whatever the page's own encoding, and it leaves nothing an
// attribute or the page's Windows-1250 would read otherwise.
// Read: the attribute as the page's text (Windows-1250, character references resolved), its
// percent-encoded bytes taken as UTF-8; so a link written with plain letters in the page (an
// older report, a test's own markup) names the same file. Percent-encoded bytes that are not
// UTF-8 are Windows-1250 bytes, as pages written on that code page encode them.

#include <QByteArray>
#include <QString>

namespace sondrel {

QString AdresPliku(const QString& plik);

// The file name a link names, from the attribute value's bytes as they stand in the page.
QString PlikZAdresu(const QByteArray& adres);

// Text of a page with its character references resolved: &amp; &lt; &gt; &quot; &apos; &nbsp;
// and numeric ones (&#261; &#x105;); one it does not know, or one of no character (NUL, a
// surrogate, beyond Unicode), stays as written.
QString BezOdwolanZnakow(const QString& tekst);

} // namespace sondrel
