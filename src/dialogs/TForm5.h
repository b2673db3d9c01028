#pragma once

#include <QDialog>

// The login window. Created first, it hands over to the main window: at once while no login is asked
// for, otherwise after a user name and password were checked.
class TForm5 : public QDialog {
    Q_OBJECT
public:
    explicit TForm5(QWidget* parent = nullptr);

    // Runs once the event loop has started.
    void start();

private:
    void handOver(const QString& userMarker);
};

extern TForm5* Form5;
