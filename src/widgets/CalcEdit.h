#pragma once

#include <QLineEdit>

class QFrame;
class QLabel;

// The editor of amount cells: a line edit whose drop-down button (or Alt+Down, F4) opens a small
// calculator. The calculator starts from the amount in the edit; "确定" or Enter puts its result back.
class CalcEdit : public QLineEdit {
    Q_OBJECT
public:
    explicit CalcEdit(QWidget* parent = nullptr);

    void showCalculator();
    void hideCalculator();
    bool calculatorVisible() const;
    // One key of the calculator: a digit, ".", "+", "-", "*", "/", "=", "C" (clear), "←" (back) or "确定".
    void pressKey(const QString& key);
    QString calculatorDisplay() const { return m_entry; }

signals:
    void calculated(const QString& text);

protected:
    void keyPressEvent(QKeyEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void buildPopup();
    void applyPending();
    void showEntry();
    static QString numberText(double value);

    QFrame* m_popup = nullptr;
    QLabel* m_display = nullptr;
    QString m_entry = QStringLiteral("0");
    double m_acc = 0.0;
    QChar m_op;
    bool m_fresh = true; // the next digit starts a new number
    bool m_error = false;
};
