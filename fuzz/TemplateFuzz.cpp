// SPDX-FileCopyrightText: 2026 The Corvanite developers
// SPDX-License-Identifier: GPL-3.0-or-later
// Translation templates with arbitrary arguments. The input is the template (UTF-8) up to the
// first NUL; the bytes after it choose the arguments' kinds and values.
#include "app/base/LocalizedFormatter.h"
#include "fuzz/FuzzSupport.h"

#include <cstdlib>
#include <cstring>

using namespace corvanite;

namespace {

QList<LArg> argumentsFrom(const std::uint8_t* data, std::size_t size)
{
    QList<LArg> args;
    std::size_t i = 0;
    while (i < size && args.size() < 12) {
        const std::uint8_t kind = data[i++] % 4;
        std::uint64_t raw = 0;
        const std::size_t take = std::min<std::size_t>(8, size - i);
        std::memcpy(&raw, data + i, take);
        i += take;
        switch (kind) {
        case 0:
            args.append(LArg(static_cast<long long>(raw)));
            break;
        case 1:
            args.append(LArg(static_cast<unsigned long long>(raw)));
            break;
        case 2: {
            double value = 0; // any bit pattern: NaN, infinities, denormals
            std::memcpy(&value, &raw, sizeof value);
            args.append(LArg(value));
            break;
        }
        default:
            args.append(LArg(QString::fromUtf8(reinterpret_cast<const char*>(data + i - take),
                                               qsizetype(take))));
            break;
        }
    }
    return args;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const auto* nul = static_cast<const std::uint8_t*>(std::memchr(data, 0, size));
    const std::size_t templateSize = nul ? std::size_t(nul - data) : size;
    const QString tmpl =
        QString::fromUtf8(reinterpret_cast<const char*>(data), qsizetype(templateSize));
    const std::size_t rest = nul ? size - templateSize - 1 : 0;
    const QList<LArg> args = argumentsFrom(nul ? nul + 1 : data + size, rest);

    for (const TemplateConversion& c : parseTemplate(tmpl)) {
        if (c.start < 0 || c.length < 1 || c.start + c.length > tmpl.size())
            std::abort();
    }
    static const QLocale locales[] = {QLocale::c(), QLocale(QStringLiteral("de_DE")),
                                      QLocale(QStringLiteral("ar_EG"))};
    for (const QLocale& locale : locales) {
        const QString out = formatTemplate(tmpl, args, locale);
        // Width and precision are capped: a template cannot ask for megabytes.
        if (out.size() > tmpl.size() * (kMaxTemplateWidth + 400) + 4096)
            std::abort();
    }
    return 0;
}
