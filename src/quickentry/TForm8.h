#pragma once

#include <QDialog>

// The dictionary rename dialog.
class TForm8 : public QDialog {
    Q_OBJECT
public:
    explicit TForm8(QWidget* parent = nullptr);
};

extern TForm8* Form8;
