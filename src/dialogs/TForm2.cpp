#include "TForm2.h"

#include <QLabel>
#include <QVBoxLayout>

TForm2* Form2 = nullptr;

TForm2::TForm2(QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("Form2"));
    setWindowTitle(QStringLiteral("支出项目选择"));
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(new QLabel(QStringLiteral("此窗口尚在建设中。"), this));
}
