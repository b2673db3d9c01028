#include "ClickPanel.h"

#include <QMouseEvent>

void ClickPanel::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint())) {
        emit clicked();
        event->accept();
        return;
    }
    QFrame::mouseReleaseEvent(event);
}
