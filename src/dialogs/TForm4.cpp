#include "TForm4.h"

#include <QLabel>
#include <QVBoxLayout>

TForm4* Form4 = nullptr;

TForm4::TForm4(QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("Form4"));
    setWindowTitle(QStringLiteral("Zorvane帮助"));
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(new QLabel(QStringLiteral("此窗口尚在建设中。"), this));
}
