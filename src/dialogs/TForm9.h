#pragma once

#include <QDialog>

// The income category and item picker.
class TForm9 : public QDialog {
    Q_OBJECT
public:
    explicit TForm9(QWidget* parent = nullptr);
};

extern TForm9* Form9;
