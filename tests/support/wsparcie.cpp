// SPDX-License-Identifier: GPL-3.0-or-later
// Fixture writers for the tests live in this library.
