#include "TForm8.h"

#include <QLabel>
#include <QVBoxLayout>

TForm8* Form8 = nullptr;

TForm8::TForm8(QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("Form8"));
    setWindowTitle(QStringLiteral("修改"));
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(new QLabel(QStringLiteral("此窗口尚在建设中。"), this));
}
