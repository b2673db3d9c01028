#include "TForm6.h"

#include <QLabel>
#include <QVBoxLayout>

TForm6* Form6 = nullptr;

TForm6::TForm6(QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("Form6"));
    setWindowTitle(QStringLiteral("快速录入"));
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(new QLabel(QStringLiteral("此窗口尚在建设中。"), this));
}
