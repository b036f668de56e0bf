// SPDX-FileCopyrightText: 2026 The Corvanite developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "app/menubar/StatusImage.h"

#include <QIcon>
#include <QObject>
#include <QPoint>
#include <QRect>
#include <QString>

#include <functional>
#include <memory>
#include <optional>

class QMenu;

namespace corvanite {

// The application's entry in the desktop's status area. Platform implementations draw and
// publish it; the controller only says what to show and listens for clicks.
//
// Setters ignore values equal to the current ones, so a caller may re-apply its whole state
// on every tick without the item redrawing or notifying its host.
class StatusItem : public QObject {
    Q_OBJECT
public:
    explicit StatusItem(QObject* parent = nullptr);
    ~StatusItem() override;

    // False when the desktop offered no place for the item: nothing is shown anywhere.
    virtual bool hasButton() const { return true; }

    // The item's name, for hosts that list items by name.
    void setTitle(const QString& title);
    QString title() const { return m_title; }

    // The drawn status icon as a black template (the item tints it); null shows no icon.
    void setIcon(const QIcon& templateIcon);
    QIcon icon() const { return m_icon; }

    void setToolTip(const QString& toolTip);
    QString toolTip() const { return m_toolTip; }

    // The status text shown beside (or instead of) the icon, and the longest text expected, so
    // hosts can keep the item's width steady. Empty in icon mode.
    void setLabel(const QString& label, const QString& guide);
    QString label() const { return m_label; }
    QString labelGuide() const { return m_labelGuide; }

    // The same figures in compact columns, drawn into the image for hosts that show no text.
    void setCompactColumns(const CompactColumns& columns);
    CompactColumns compactColumns() const { return m_columns; }

    // Label, guide and columns of one tick at once, so the item draws once for all of them.
    void setStatusText(const QString& label, const QString& guide, const CompactColumns& columns);

    // Figures drawn with the compact, fixed-digit font.
    void setFixedDigits(bool fixedDigits);
    bool fixedDigits() const { return m_fixedDigits; }

    void setVisible(bool visible);
    bool isVisible() const { return m_visible; }

    // The item's rectangle on screen, when the host lets us know it.
    virtual std::optional<QRect> geometry() const { return std::nullopt; }

    // Builds the item's menu, for hosts that read the menu from the item instead of asking us to
    // pop it up. Each call builds it afresh.
    using MenuSource = std::function<std::unique_ptr<QMenu>()>;
    virtual void setMenuSource(MenuSource source) { m_menuSource = std::move(source); }

Q_SIGNALS:
    // Primary click, at the point the host reports (screen coordinates).
    void activateRequested(QPoint at);
    // Context click: the caller pops its menu at this point.
    void contextMenuRequested(QPoint at);

protected:
    // Text: the label, its guide and/or the compact columns (one tick's worth).
    enum class Aspect { Title, Icon, ToolTip, Text, Font, Visibility };
    // Called after a value really changed.
    virtual void changed(Aspect) {}

    MenuSource m_menuSource;

private:
    QString m_title;
    QIcon m_icon;
    QString m_toolTip;
    QString m_label;
    QString m_labelGuide;
    CompactColumns m_columns;
    bool m_fixedDigits = false;
    bool m_visible = true;
};

// Stands in when the desktop has no status area: every setter is accepted and nothing shows.
class AbsentStatusItem : public StatusItem {
    Q_OBJECT
public:
    using StatusItem::StatusItem;
    bool hasButton() const override { return false; }
};

} // namespace corvanite
