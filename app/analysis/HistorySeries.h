// SPDX-FileCopyrightText: 2026 The Corvanite developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "app/analysis/HistoryPoint.h"

#include <cstddef>
#include <memory>

namespace corvanite {

// A list of points, oldest first, that holds at most `capacity` of them: once full, each new
// point replaces the oldest. The storage is one block taken when the series is made, so a day
// of points costs no allocation per point and appending never moves the others.
class HistorySeries {
public:
    explicit HistorySeries(std::size_t capacity);

    std::size_t size() const { return m_size; }
    std::size_t capacity() const { return m_capacity; }
    bool isEmpty() const { return m_size == 0; }
    // The i-th point, oldest first; i must be below size().
    const HistoryPoint& at(std::size_t i) const { return m_points[(m_head + i) % m_capacity]; }
    const HistoryPoint& first() const { return at(0); }
    const HistoryPoint& last() const { return at(m_size - 1); }

    void append(HistoryPoint point);
    void clear();

    // The bytes this series keeps, whatever its fill.
    std::size_t storageBytes() const { return m_capacity * sizeof(HistoryPoint); }

    template <typename F> void forEach(F&& f) const
    {
        for (std::size_t i = 0; i < m_size; ++i)
            f(at(i));
    }

private:
    std::unique_ptr<HistoryPoint[]> m_points;
    std::size_t m_capacity;
    std::size_t m_head = 0; // index of the oldest point
    std::size_t m_size = 0;
};

} // namespace corvanite
