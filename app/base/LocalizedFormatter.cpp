// SPDX-FileCopyrightText: 2026 The Corvanite developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/base/LocalizedFormatter.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>
#include <optional>
#include <string>
#include <string_view>

namespace corvanite {

namespace {

using Kind = TemplateConversion::Kind;

bool isAsciiDigit(QChar c)
{
    return c >= QLatin1Char('0') && c <= QLatin1Char('9');
}

// Reads a run of ASCII digits at `pos`. Returns the number of digits; `value` saturates just
// above `cap` so that an absurd number is recognised without overflowing.
int readNumber(const QString& text, qsizetype& pos, int cap, int& value)
{
    int digits = 0;
    value = 0;
    while (pos < text.size() && isAsciiDigit(text[pos])) {
        if (value <= cap)
            value = value * 10 + (text[pos].unicode() - u'0');
        ++pos;
        ++digits;
    }
    return digits;
}

Kind kindOf(QChar c)
{
    switch (c.unicode()) {
    case u'@':
        return Kind::String;
    case u'd':
    case u'i':
    case u'u':
    case u'x':
    case u'X':
    case u'o':
        return Kind::Integer;
    case u'f':
    case u'F':
    case u'e':
    case u'E':
    case u'g':
    case u'G':
        return Kind::Floating;
    default:
        return Kind::Invalid;
    }
}

// Parses the conversion that starts with the '%' at `start`; Invalid when it is not one.
TemplateConversion parseOne(const QString& tmpl, qsizetype start)
{
    TemplateConversion conv;
    conv.start = start;
    const qsizetype n = tmpl.size();
    qsizetype pos = start + 1;
    if (pos < n && tmpl[pos] == QLatin1Char('%')) {
        conv.kind = Kind::Percent;
        conv.length = 2;
        return conv;
    }

    // "%N$": digits followed by '$' name the argument; digits without '$' are a width.
    {
        qsizetype probe = pos;
        int index = 0;
        if (readNumber(tmpl, probe, 1000, index) > 0 && probe < n &&
            tmpl[probe] == QLatin1Char('$')) {
            if (index < 1 || index > 1000)
                return conv;
            conv.positional = true;
            conv.argument = index - 1;
            pos = probe + 1;
        }
    }

    for (; pos < n; ++pos) {
        const char16_t c = tmpl[pos].unicode();
        if (c == u'-')
            conv.leftAlign = true;
        else if (c == u'+')
            conv.plusSign = true;
        else if (c == u' ')
            conv.spaceSign = true;
        else if (c == u'#')
            conv.alternate = true;
        else if (c == u'0')
            conv.zeroPad = true;
        else if (c == u'\'')
            conv.grouping = true;
        else
            break;
    }

    int number = 0;
    if (readNumber(tmpl, pos, kMaxTemplateWidth, number) > 0) {
        if (number > kMaxTemplateWidth)
            return conv;
        conv.width = number;
    }
    if (pos < n && tmpl[pos] == QLatin1Char('.')) {
        ++pos;
        readNumber(tmpl, pos, kMaxTemplateWidth, number);
        if (number > kMaxTemplateWidth)
            return conv;
        conv.precision = number;
    }

    // Length modifiers carry no meaning here: every integer argument is 64-bit.
    if (pos < n) {
        const char16_t c = tmpl[pos].unicode();
        if (c == u'h' || c == u'l') {
            ++pos;
            if (pos < n && tmpl[pos].unicode() == c)
                ++pos;
        } else if (c == u'L' || c == u'q' || c == u'z' || c == u'j' || c == u't') {
            ++pos;
        }
    }

    if (pos >= n)
        return conv;
    const Kind kind = kindOf(tmpl[pos]);
    if (kind == Kind::Invalid)
        return conv;
    conv.kind = kind;
    conv.conversion = tmpl[pos];
    conv.length = pos + 1 - start;
    return conv;
}

// The number symbols of a locale, read once per template.
struct NumberSymbols {
    explicit NumberSymbols(const QLocale& locale)
        : decimalPoint(locale.decimalPoint())
        , group(locale.groupSeparator())
        , minus(locale.negativeSign())
        , plus(locale.positiveSign())
    {
        const QList<uint> zeroCodes = locale.zeroDigit().toUcs4();
        zero = zeroCodes.isEmpty() ? U'0' : char32_t(zeroCodes.first());
    }

    QString digit(int d) const
    {
        const char32_t code = zero + char32_t(d);
        return QString::fromUcs4(&code, 1);
    }

    // ASCII digits and '.' in `ascii` become the locale's; everything else is copied.
    QString localise(std::string_view ascii, bool localDigits) const
    {
        QString out;
        out.reserve(qsizetype(ascii.size()));
        for (char c : ascii) {
            if (c >= '0' && c <= '9' && localDigits)
                out += digit(c - '0');
            else if (c == '.')
                out += decimalPoint;
            else
                out += QLatin1Char(c);
        }
        return out;
    }

    QString decimalPoint;
    QString group;
    QString minus;
    QString plus;
    char32_t zero = U'0';
};

// Inserts the group separator every three digits of an ASCII digit run.
std::string groupDigits(std::string_view digits)
{
    std::string out;
    const size_t n = digits.size();
    for (size_t i = 0; i < n; ++i) {
        if (i > 0 && (n - i) % 3 == 0)
            out += ',';
        out += digits[i];
    }
    return out;
}

QString localiseGrouped(std::string_view ascii, const NumberSymbols& symbols)
{
    // ',' only appears here as the group mark inserted above.
    QString out;
    for (char c : ascii) {
        if (c == ',')
            out += symbols.group;
        else
            out += symbols.localise(std::string_view(&c, 1), true);
    }
    return out;
}

QString pad(const QString& sign, const QString& body, const TemplateConversion& conv,
            bool zeroAllowed, const NumberSymbols& symbols)
{
    const qsizetype used = sign.size() + body.size();
    if (conv.width <= used)
        return sign + body;
    const qsizetype fill = conv.width - used;
    if (conv.leftAlign)
        return sign + body + QString(fill, QLatin1Char(' '));
    if (conv.zeroPad && zeroAllowed)
        return sign + symbols.digit(0).repeated(fill) + body;
    return QString(fill, QLatin1Char(' ')) + sign + body;
}

QString signText(bool negative, const TemplateConversion& conv, const NumberSymbols& symbols)
{
    if (negative)
        return symbols.minus;
    if (conv.plusSign)
        return symbols.plus;
    if (conv.spaceSign)
        return QStringLiteral(" ");
    return {};
}

QString formatInteger(bool negative, quint64 magnitude, const TemplateConversion& conv,
                      const NumberSymbols& symbols)
{
    const char16_t c = conv.conversion.unicode();
    const int base = (c == u'x' || c == u'X') ? 16 : (c == u'o' ? 8 : 10);
    std::array<char, 80> buffer{};
    std::string digits;
    if (!(conv.precision == 0 && magnitude == 0)) {
        const auto result =
            std::to_chars(buffer.data(), buffer.data() + buffer.size(), magnitude, base);
        digits.assign(buffer.data(), result.ptr);
    }
    if (c == u'X') {
        for (char& d : digits)
            d = char(std::toupper(static_cast<unsigned char>(d)));
    }
    if (conv.precision > 0 && int(digits.size()) < conv.precision)
        digits.insert(0, size_t(conv.precision) - digits.size(), '0');

    QString prefix;
    if (conv.alternate && base == 8 && (digits.empty() || digits.front() != '0'))
        digits.insert(0, 1, '0');
    if (conv.alternate && base == 16 && magnitude != 0)
        prefix = c == u'X' ? QStringLiteral("0X") : QStringLiteral("0x");

    QString body;
    if (base == 10)
        body = conv.grouping ? localiseGrouped(groupDigits(digits), symbols)
                             : symbols.localise(digits, true);
    else
        body = QString::fromLatin1(digits.data(), qsizetype(digits.size()));
    // Hex and octal take no '+' or ' ' sign, and, as in printf, a precision turns zero padding off.
    const QString sign =
        base == 10 ? signText(negative, conv, symbols) : (negative ? symbols.minus : QString());
    return pad(sign + prefix, body, conv, conv.precision < 0, symbols);
}

QString formatFloating(double value, const TemplateConversion& conv, const NumberSymbols& symbols)
{
    const char16_t c = conv.conversion.unicode();
    const bool upper = c == u'F' || c == u'E' || c == u'G';
    if (!std::isfinite(value)) {
        QString body = std::isnan(value) ? QStringLiteral("nan") : QStringLiteral("inf");
        if (upper)
            body = body.toUpper();
        return pad(signText(!std::isnan(value) && value < 0, conv, symbols), body, conv, false,
                   symbols);
    }

    const int precision = conv.precision < 0 ? 6 : conv.precision;
    std::chars_format format = std::chars_format::fixed;
    if (c == u'e' || c == u'E')
        format = std::chars_format::scientific;
    else if (c == u'g' || c == u'G')
        format = std::chars_format::general;
    // Worst case: 309 integer digits, a point and kMaxTemplateWidth decimals.
    std::array<char, 512> buffer{};
    const auto result = std::to_chars(buffer.data(), buffer.data() + buffer.size(),
                                      std::fabs(value), format, precision);
    std::string ascii(buffer.data(), result.ptr);
    if (upper) {
        for (char& ch : ascii)
            ch = char(std::toupper(static_cast<unsigned char>(ch)));
    }
    if (conv.alternate && format != std::chars_format::general &&
        ascii.find('.') == std::string::npos) {
        const size_t exponent = ascii.find_first_of("eE");
        ascii.insert(exponent == std::string::npos ? ascii.size() : exponent, 1, '.');
    }

    // A value that rounds to zero shows no minus sign: "-0" says nothing useful on screen.
    const std::string_view mantissa = std::string_view(ascii).substr(0, ascii.find_first_of("eE"));
    const bool negative =
        std::signbit(value) && mantissa.find_first_of("123456789") != std::string_view::npos;

    QString body;
    if (conv.grouping) {
        const size_t intEnd = std::min(ascii.find_first_of(".eE"), ascii.size());
        body = localiseGrouped(groupDigits(std::string_view(ascii).substr(0, intEnd)), symbols) +
               symbols.localise(std::string_view(ascii).substr(intEnd), true);
    } else {
        body = symbols.localise(ascii, true);
    }
    return pad(signText(negative, conv, symbols), body, conv, true, symbols);
}

QString numberForString(const LArg& arg, const QLocale& locale, const NumberSymbols& symbols)
{
    std::array<char, 32> buffer{};
    switch (arg.kind()) {
    case LArg::Kind::Signed: {
        const qint64 v = arg.signedValue();
        const quint64 magnitude = v < 0 ? quint64(0) - quint64(v) : quint64(v);
        const auto r = std::to_chars(buffer.data(), buffer.data() + buffer.size(), magnitude);
        return (v < 0 ? symbols.minus : QString()) +
               symbols.localise(std::string_view(buffer.data(), size_t(r.ptr - buffer.data())),
                                true);
    }
    case LArg::Kind::Unsigned: {
        const auto r =
            std::to_chars(buffer.data(), buffer.data() + buffer.size(), arg.unsignedValue());
        return symbols.localise(std::string_view(buffer.data(), size_t(r.ptr - buffer.data())),
                                true);
    }
    case LArg::Kind::Floating: {
        QLocale plain = locale;
        plain.setNumberOptions(plain.numberOptions() | QLocale::OmitGroupSeparator);
        return plain.toString(arg.floatingValue(), 'g', QLocale::FloatingPointShortest);
    }
    case LArg::Kind::String:
        break;
    }
    return arg.stringValue();
}

// The rendered conversion, or nothing when the argument cannot serve it.
std::optional<QString> render(const TemplateConversion& conv, const LArg& arg,
                              const QLocale& locale, const NumberSymbols& symbols)
{
    switch (conv.kind) {
    case Kind::String: {
        const QString text = arg.kind() == LArg::Kind::String
                                 ? arg.stringValue()
                                 : numberForString(arg, locale, symbols);
        return pad(QString(), text, conv, false, symbols);
    }
    case Kind::Integer: {
        switch (arg.kind()) {
        case LArg::Kind::Signed: {
            const qint64 v = arg.signedValue();
            return formatInteger(v < 0, v < 0 ? quint64(0) - quint64(v) : quint64(v), conv,
                                 symbols);
        }
        case LArg::Kind::Unsigned:
            return formatInteger(false, arg.unsignedValue(), conv, symbols);
        case LArg::Kind::Floating: {
            const double t = std::trunc(arg.floatingValue());
            // 2^64 is exactly representable; anything at or past it (or NaN) has no integer.
            if (!(std::fabs(t) < 18446744073709551616.0))
                return std::nullopt;
            return formatInteger(t < 0, quint64(std::fabs(t)), conv, symbols);
        }
        case LArg::Kind::String:
            return std::nullopt;
        }
        return std::nullopt;
    }
    case Kind::Floating:
        if (!arg.isNumber())
            return std::nullopt;
        return formatFloating(arg.toDouble(), conv, symbols);
    case Kind::Percent:
    case Kind::Invalid:
        break;
    }
    return std::nullopt;
}

} // namespace

QList<TemplateConversion> parseTemplate(const QString& tmpl)
{
    QList<TemplateConversion> conversions;
    int nextSequential = 0;
    qsizetype pos = 0;
    while (pos < tmpl.size()) {
        pos = tmpl.indexOf(QLatin1Char('%'), pos);
        if (pos < 0)
            break;
        TemplateConversion conv = parseOne(tmpl, pos);
        if (conv.kind == Kind::Invalid) {
            conv = TemplateConversion{};
            conv.start = pos;
            conv.length = 1;
        } else if (conv.kind != Kind::Percent && !conv.positional) {
            conv.argument = nextSequential++;
        }
        pos = conv.start + conv.length;
        conversions.append(conv);
    }
    return conversions;
}

QString formatTemplate(const QString& tmpl, const QList<LArg>& args, const QLocale& locale)
{
    if (!tmpl.contains(QLatin1Char('%')))
        return tmpl;
    const NumberSymbols symbols(locale);
    QString out;
    out.reserve(tmpl.size() + 16);
    qsizetype copied = 0;
    for (const TemplateConversion& conv : parseTemplate(tmpl)) {
        out += QStringView(tmpl).mid(copied, conv.start - copied);
        copied = conv.start + conv.length;
        if (conv.kind == Kind::Percent || conv.kind == Kind::Invalid) {
            out += QLatin1Char('%');
            continue;
        }
        std::optional<QString> rendered;
        if (conv.argument >= 0 && conv.argument < args.size())
            rendered = render(conv, args[conv.argument], locale, symbols);
        if (rendered)
            out += *rendered;
        else
            out += QStringView(tmpl).mid(conv.start, conv.length);
    }
    out += QStringView(tmpl).mid(copied);
    return out;
}

} // namespace corvanite
