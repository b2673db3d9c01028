#include "Program.h"
#include "TForm5.h"

#include <QApplication>
#include <QFont>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Zorvane"));
    QFont font(QStringLiteral("WenQuanYi Zen Hei"), 10);
    QApplication::setFont(font);
    Program::createObjects();
    Form5->start();
    const int rc = QApplication::exec();
    Program::destroyObjects();
    return rc;
}
