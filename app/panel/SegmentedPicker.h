// SPDX-FileCopyrightText: 2026 The Corvanite developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QColor>
#include <QStringList>
#include <QWidget>

namespace corvanite {

// A compact segmented control: equal segments, the chosen one raised on a lighter pill.
class SegmentedPicker : public QWidget {
    Q_OBJECT
public:
    struct Look {
        QColor track;
        QColor selectedFill;
        QColor text;
        QColor selectedText;
        double corner = 6;
        bool condensed = false;
    };
    SegmentedPicker(QStringList titles, Look look, int width, QWidget* parent = nullptr);

    int currentIndex() const { return m_index; }
    void setCurrentIndex(int index);
    void setTitles(QStringList titles);
    // The widest title's width against one segment's room, for checks of long translations.
    double segmentWidth() const;
    QFont titleFont(bool selected) const;

Q_SIGNALS:
    void currentIndexChanged(int index);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;

private:
    QStringList m_titles;
    Look m_look;
    int m_index = 0;
};

} // namespace corvanite
