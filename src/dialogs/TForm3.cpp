#include "TForm3.h"

#include <QLabel>
#include <QVBoxLayout>

TForm3* Form3 = nullptr;

TForm3::TForm3(QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("Form3"));
    setWindowTitle(QStringLiteral("关于Zorvane"));
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(new QLabel(QStringLiteral("此窗口尚在建设中。"), this));
}
