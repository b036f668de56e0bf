// SPDX-FileCopyrightText: 2026 The Corvanite developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "app/panel/Paint.h"
#include "app/panel/PanelSkin.h"

#include <QPixmap>
#include <QPointer>
#include <QWidget>

#include <functional>

class QVariantAnimation;

namespace corvanite {

class PanelAnchor;
class SkinManager;
struct PanelServices;

// The panel's content: the chosen skin on the front face and the settings on the back, on the
// card with its arrow. A flip turns the card about its vertical axis, showing the front while
// the angle is at most 90 degrees and the back beyond.
class RootPanelView : public QWidget {
    Q_OBJECT
public:
    // Builds a skin's front face; a skin without one falls back to glass.
    using FaceFactory = std::function<QWidget*(const PanelServices&, QWidget* parent)>;

    RootPanelView(const PanelServices& services, SkinManager& skins, PanelAnchor& anchor,
                  bool windowed, QWidget* parent = nullptr);
    ~RootPanelView() override;

    void setFaceFactory(PanelSkin skin, FaceFactory factory);

    QWidget* frontFace() const { return m_front; }
    QWidget* backFace() const { return m_back; }
    bool isTurning() const;
    double angle() const { return m_angle; }
    // The rectangle the faces occupy: the card without its arrow strip.
    QRect faceRect() const;

    // The spring the turn follows: 0 at the start, settling at 1.
    static double spring(double progress);

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    void rebuildFaces();
    void turn(bool flipped, bool animated);
    void setAngle(double angle);
    QPixmap snapshot(QWidget* face) const;

    const PanelServices& m_services;
    SkinManager& m_skins;
    PanelAnchor& m_anchor;
    bool m_windowed;
    QHash<PanelSkin, FaceFactory> m_factories;
    QPointer<QWidget> m_front;
    QPointer<QWidget> m_back;
    double m_angle = 0;
    QVariantAnimation* m_animation;
    QPixmap m_frontShot;
    QPixmap m_backShot;
    Paint::Layer m_background;
};

} // namespace corvanite
