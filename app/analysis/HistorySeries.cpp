// SPDX-FileCopyrightText: 2026 The Corvanite developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/analysis/HistorySeries.h"

#include <algorithm>

namespace corvanite {

HistorySeries::HistorySeries(std::size_t capacity)
    : m_points(std::make_unique<HistoryPoint[]>(std::max<std::size_t>(capacity, 1)))
    , m_capacity(std::max<std::size_t>(capacity, 1))
{
}

void HistorySeries::append(HistoryPoint point)
{
    if (m_size < m_capacity) {
        m_points[(m_head + m_size) % m_capacity] = point;
        ++m_size;
        return;
    }
    m_points[m_head] = point;
    m_head = (m_head + 1) % m_capacity;
}

void HistorySeries::clear()
{
    m_head = 0;
    m_size = 0;
}

} // namespace corvanite
