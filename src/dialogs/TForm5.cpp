#include "TForm5.h"

#include "TForm1.h"

#include <QLabel>
#include <QScreen>
#include <QTimer>
#include <QVBoxLayout>

TForm5* Form5 = nullptr;

TForm5::TForm5(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("Form5"));
    setWindowTitle(QStringLiteral("用户登录"));
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(new QLabel(QStringLiteral("正在进入Zorvane……"), this));
}

void TForm5::start() {
    // The user name and password check is not built yet: every start enters without asking.
    QTimer::singleShot(0, this, [this] { handOver(QStringLiteral("用户[]")); });
}

void TForm5::handOver(const QString& userMarker) {
    Form1->setStatusPanelText(0, userMarker);
    // Without a window manager "maximised" means nothing: take the screen's working area first.
    if (QScreen* screen = Form1->screen())
        Form1->setGeometry(screen->availableGeometry());
    Form1->showMaximized();
    hide();
}
