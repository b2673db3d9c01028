#pragma once

#include <QDialog>

// The quick-entry window, shown modally from the entry page.
class TForm6 : public QDialog {
    Q_OBJECT
public:
    explicit TForm6(QWidget* parent = nullptr);
};

extern TForm6* Form6;
