#include "TForm9.h"

#include <QLabel>
#include <QVBoxLayout>

TForm9* Form9 = nullptr;

TForm9::TForm9(QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("Form9"));
    setWindowTitle(QStringLiteral("收入项目选择"));
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(new QLabel(QStringLiteral("此窗口尚在建设中。"), this));
}
