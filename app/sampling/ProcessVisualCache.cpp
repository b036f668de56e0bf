// SPDX-FileCopyrightText: 2026 The Corvanite developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/sampling/ProcessVisualCache.h"

#include <QDir>
#include <QFileInfo>

namespace corvanite {

namespace {

std::optional<QIcon> iconFor(const QString& iconName)
{
    if (iconName.isEmpty())
        return std::nullopt;
    if (QDir::isAbsolutePath(iconName))
        return QFileInfo::exists(iconName) ? std::optional<QIcon>(QIcon(iconName)) : std::nullopt;
    QIcon icon = QIcon::fromTheme(iconName);
    return icon.isNull() ? std::nullopt : std::optional<QIcon>(icon);
}

} // namespace

ProcessVisualCache::ProcessVisualCache(RunningApplications& applications)
    : m_applications(applications)
    , m_generation(applications.generation())
{
}

ProcessVisual ProcessVisualCache::lookup(qint32 pid, const QString& fallbackName)
{
    if (const quint64 now = m_applications.generation(); now != m_generation) {
        m_cache.clear();
        m_generation = now;
    }
    if (const auto it = m_cache.constFind(pid); it != m_cache.constEnd())
        return *it;
    ProcessVisual visual{fallbackName, std::nullopt};
    if (const std::optional<RunningApplication> app = m_applications.application(pid)) {
        if (!app->localizedName.isEmpty())
            visual.name = app->localizedName;
        visual.icon = iconFor(app->iconName);
    }
    m_cache.insert(pid, visual);
    return visual;
}

void ProcessVisualCache::prune(const QSet<qint32>& valid)
{
    m_cache.removeIf([&](auto it) { return !valid.contains(it.key()); });
}

} // namespace corvanite
