#pragma once

#include <QDialog>

// The About window.
class TForm3 : public QDialog {
    Q_OBJECT
public:
    explicit TForm3(QWidget* parent = nullptr);
};

extern TForm3* Form3;
