// SPDX-FileCopyrightText: 2026 The Corvanite developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QList>
#include <QWidget>

namespace corvanite {

// One small cell per core, tinted by its load; at most the first 16 cores.
class VitalsCoreStrip : public QWidget {
    Q_OBJECT
public:
    static constexpr int kMaxCores = 16;
    static constexpr int kHeight = 25;

    explicit VitalsCoreStrip(QWidget* parent = nullptr);

    // Takes the per-core loads; repaints only when they changed.
    void setCores(const QList<double>& perCore);
    const QList<double>& cores() const { return m_cores; }
    QString labelText() const;
    // Where each core's cell sits.
    QList<QRectF> cellRects() const;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QList<double> m_cores;
};

} // namespace corvanite
