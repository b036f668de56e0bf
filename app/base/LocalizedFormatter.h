// SPDX-FileCopyrightText: 2026 The Corvanite developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "app/base/LArg.h"

#include <QList>
#include <QLocale>
#include <QString>

namespace corvanite {

// One printf-style conversion found in a template, as `parseTemplate` reads it.
struct TemplateConversion {
    enum class Kind {
        Percent,  // "%%"
        String,   // "%@"
        Integer,  // d i u x X o
        Floating, // f F e E g G
        Invalid,  // a "%" that starts no conversion; it is kept as a literal "%"
    };

    Kind kind = Kind::Invalid;
    qsizetype start = 0;     // index of the '%'
    qsizetype length = 1;    // characters from the '%' through the conversion character
    int argument = -1;       // zero-based argument consumed; -1 for Percent and Invalid
    bool positional = false; // written as "%N$..."
    QChar conversion;
    bool leftAlign = false;
    bool plusSign = false;
    bool spaceSign = false;
    bool alternate = false;
    bool zeroPad = false;
    bool grouping = false; // the "'" flag
    int width = -1;
    int precision = -1;
};

// Width and precision beyond this are treated as a broken conversion, so a corrupt
// template cannot ask for megabytes of padding.
inline constexpr int kMaxTemplateWidth = 128;

// Every conversion of the template in order. A sequential conversion takes the next argument
// (counting only sequential ones); "%N$" takes argument N regardless of order.
QList<TemplateConversion> parseTemplate(const QString& tmpl);

// Formats a printf-style template: %@ (string), %d %i %u %x %X %o (with the length modifiers
// h hh l ll q z j t L accepted and ignored), %f %F %e %E %g %G with flags, width and precision,
// %% and positional forms such as %2$.1f. Numbers take the decimal separator, digits and signs
// of `locale`; there is no grouping unless a conversion asks for it with the "'" flag.
//
// A broken template never fails: a conversion without its argument, or with a string where a
// number is expected, is left in the output as written; a lone "%" stays a "%". Integers and
// doubles convert into each other (a double in %d is truncated toward zero); a number in %@ is
// written in the locale's shortest form.
QString formatTemplate(const QString& tmpl, const QList<LArg>& args, const QLocale& locale);

} // namespace corvanite
