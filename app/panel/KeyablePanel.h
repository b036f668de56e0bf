#pragma once

#include <QWidget>

namespace corvanite {

// The panel's window: frameless, above other windows, out of the task bar and window cycling,
// able to take keyboard focus. It reports losing focus and the Escape key; its owner decides
// whether that closes it.
class KeyablePanel : public QWidget {
    Q_OBJECT
public:
    explicit KeyablePanel(QWidget* parent = nullptr);

Q_SIGNALS:
    void focusLost();
    void cancelled();

protected:
    bool event(QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
};

} // namespace corvanite
