#include "HintTime.h"

#include <QApplication>
#include <QHelpEvent>
#include <QToolTip>
#include <QWidget>

namespace HintTime {
namespace {

class Filter : public QObject {
public:
    int ms = 0;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() != QEvent::ToolTip)
            return false;
        auto* w = qobject_cast<QWidget*>(watched);
        if (!w || w->toolTip().isEmpty())
            return false;
        auto* help = static_cast<QHelpEvent*>(event);
        QToolTip::showText(help->globalPos(), w->toolTip(), w, QRect(), ms);
        return true;
    }
};

Filter* filter = nullptr;

} // namespace

void install(int milliseconds) {
    if (!filter) {
        filter = new Filter;
        filter->setParent(qApp);
        qApp->installEventFilter(filter);
    }
    filter->ms = milliseconds;
}

int current() {
    return filter ? filter->ms : -1;
}

} // namespace HintTime
