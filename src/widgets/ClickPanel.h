#pragma once

#include <QFrame>

// A panel that reports a mouse click, as the strip between the navigation bar and the pages does.
class ClickPanel : public QFrame {
    Q_OBJECT
public:
    using QFrame::QFrame;

signals:
    void clicked();

protected:
    void mouseReleaseEvent(QMouseEvent* event) override;
};
