#pragma once

#include <QWidget>

// A small vertical bar from 0 to 100 whose position may be shown as vertical text. A position outside
// the range is kept as it is and drawn clamped.
class DayBar : public QWidget {
    Q_OBJECT
public:
    explicit DayBar(QWidget* parent = nullptr);

    double position() const { return m_position; }
    void setPosition(double position);
    bool showText() const { return m_showText; }
    void setShowText(bool show);
    // The text drawn when showText is on: the position as a whole number.
    QString text() const;

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    double m_position = 0;
    bool m_showText = false;
};
