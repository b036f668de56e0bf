// SPDX-FileCopyrightText: 2026 The Corvanite developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QList>
#include <QString>

namespace corvanite {

// The type of one argument a key is formatted with. Integer conversions (%d...) serve Integer,
// floating ones (%f...) Floating, and %@ String.
enum class LArgType { Integer, Floating, String };

// One localisation key and the arguments its call site passes. Keys without arguments are
// looked up with L(key) and shown as written (a "%" in them is literal).
struct L10nKeyInfo {
    QString key;
    QList<LArgType> arguments;
    // The template may leave some arguments out (it must still use positional forms then).
    bool mayOmitArguments = false;
};

// Every key the application looks up, in family order.
const QList<L10nKeyInfo>& l10nKeyCatalogue();
// The catalogue entry of `key`, or nullptr when the application never looks it up.
const L10nKeyInfo* findL10nKey(const QString& key);

// Empty when `text` can stand behind `info` in a table; otherwise what is wrong with it. A
// formatted key must use conversions of the right type for each argument, all sequential or
// all positional, with no lone "%"; every argument must appear unless the key allows omitting
// some. A key without arguments must hold no conversion and no "%%".
QString checkTranslation(const L10nKeyInfo& info, const QString& text);

} // namespace corvanite
