#include "CalcEdit.h"

#include "Format.h"

#include <QAction>
#include <QFrame>
#include <QGridLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QPainter>
#include <QPixmap>
#include <QToolButton>
#include <cmath>

namespace {

QIcon arrowIcon() {
    QPixmap pm(12, 12);
    pm.fill(Qt::transparent);
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    p.setBrush(Qt::black);
    p.setPen(Qt::NoPen);
    p.drawPolygon(QPolygonF({QPointF(2, 4), QPointF(10, 4), QPointF(6, 9)}));
    return QIcon(pm);
}

const QStringList& keyRows() {
    static const QStringList keys = {"7", "8", "9", "/", "4", "5", "6", "*", "1",   "2",
                                     "3", "-", "0", ".", "=", "+", "C", "←", "确定"};
    return keys;
}

} // namespace

CalcEdit::CalcEdit(QWidget* parent) : QLineEdit(parent) {
    QAction* drop = addAction(arrowIcon(), QLineEdit::TrailingPosition);
    drop->setToolTip(QStringLiteral("计算器"));
    connect(drop, &QAction::triggered, this, &CalcEdit::showCalculator);
}

void CalcEdit::buildPopup() {
    // Parented to the edit so that the grid sees focus in the popup as focus still inside its editor.
    m_popup = new QFrame(this, Qt::Popup);
    m_popup->setFrameShape(QFrame::Box);
    auto* grid = new QGridLayout(m_popup);
    grid->setContentsMargins(3, 3, 3, 3);
    grid->setSpacing(2);
    m_display = new QLabel(m_popup);
    m_display->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    m_display->setFrameShape(QFrame::Panel);
    m_display->setFrameShadow(QFrame::Sunken);
    grid->addWidget(m_display, 0, 0, 1, 4);
    const QStringList& keys = keyRows();
    for (int i = 0; i < keys.size(); ++i) {
        auto* b = new QToolButton(m_popup);
        b->setText(keys[i]);
        b->setFocusPolicy(Qt::NoFocus);
        b->setMinimumSize(28, 24);
        const int span = keys[i] == QStringLiteral("确定") ? 2 : 1;
        grid->addWidget(b, 1 + i / 4, i % 4, 1, span);
        connect(b, &QToolButton::clicked, this, [this, k = keys[i]] { pressKey(k); });
    }
    m_popup->installEventFilter(this);
}

void CalcEdit::showCalculator() {
    if (!m_popup)
        buildPopup();
    QString t = text().trimmed();
    t.remove(QStringLiteral("￥")).remove(QLatin1Char(',')).remove(QLatin1Char(' '));
    bool ok = false;
    const double v = t.toDouble(&ok);
    m_entry = ok && std::isfinite(v) ? numberText(v) : QStringLiteral("0");
    m_acc = 0.0;
    m_op = QChar();
    m_fresh = true;
    m_error = false;
    showEntry();
    m_popup->adjustSize();
    m_popup->move(mapToGlobal(QPoint(0, height())));
    m_popup->show();
}

void CalcEdit::hideCalculator() {
    if (m_popup)
        m_popup->hide();
}

bool CalcEdit::calculatorVisible() const {
    return m_popup && m_popup->isVisible();
}

QString CalcEdit::numberText(double value) {
    return Format::general(Format::bankersRound(value, 10));
}

void CalcEdit::applyPending() {
    const double x = m_entry.toDouble();
    double r = x;
    if (m_op == QLatin1Char('+'))
        r = m_acc + x;
    else if (m_op == QLatin1Char('-'))
        r = m_acc - x;
    else if (m_op == QLatin1Char('*'))
        r = m_acc * x;
    else if (m_op == QLatin1Char('/'))
        r = x == 0.0 ? NAN : m_acc / x;
    m_op = QChar();
    m_error = !std::isfinite(r);
    m_acc = m_error ? 0.0 : r;
    m_entry = m_error ? QStringLiteral("错误") : numberText(r);
}

void CalcEdit::pressKey(const QString& key) {
    if (key.size() == 1 && (key[0].isDigit() || key[0] == QLatin1Char('.'))) {
        if (m_fresh || m_error)
            m_entry = key == QStringLiteral(".") ? QStringLiteral("0") : QString();
        m_fresh = m_error = false;
        if (key != QStringLiteral(".") || !m_entry.contains(QLatin1Char('.')))
            m_entry += key;
        if (m_entry.size() > 1 && m_entry.startsWith(QLatin1Char('0')) && m_entry[1] != QLatin1Char('.'))
            m_entry.remove(0, 1);
    } else if (key == QStringLiteral("+") || key == QStringLiteral("-") || key == QStringLiteral("*") ||
               key == QStringLiteral("/")) {
        if (!m_fresh || m_op.isNull())
            applyPending();
        m_op = key[0];
        m_fresh = true;
    } else if (key == QStringLiteral("=")) {
        applyPending();
        m_fresh = true;
    } else if (key == QStringLiteral("C")) {
        m_entry = QStringLiteral("0");
        m_acc = 0.0;
        m_op = QChar();
        m_fresh = true;
        m_error = false;
    } else if (key == QStringLiteral("←")) {
        if (!m_fresh && !m_error)
            m_entry.chop(1);
        if (m_entry.isEmpty() || m_entry == QStringLiteral("-"))
            m_entry = QStringLiteral("0");
    } else if (key == QStringLiteral("确定")) {
        applyPending();
        if (!m_error) {
            setText(m_entry);
            emit calculated(m_entry);
        }
        hideCalculator();
        setFocus();
        return;
    }
    showEntry();
}

void CalcEdit::showEntry() {
    if (m_display)
        m_display->setText(m_entry);
}

void CalcEdit::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_F4 || (event->key() == Qt::Key_Down && (event->modifiers() & Qt::AltModifier))) {
        showCalculator();
        return;
    }
    QLineEdit::keyPressEvent(event);
}

bool CalcEdit::eventFilter(QObject* watched, QEvent* event) {
    if (watched != m_popup || event->type() != QEvent::KeyPress)
        return QLineEdit::eventFilter(watched, event);
    const auto* key = static_cast<QKeyEvent*>(event);
    switch (key->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
        pressKey(QStringLiteral("确定"));
        return true;
    case Qt::Key_Escape:
        hideCalculator();
        setFocus();
        return true;
    case Qt::Key_Backspace:
        pressKey(QStringLiteral("←"));
        return true;
    case Qt::Key_Delete:
        pressKey(QStringLiteral("C"));
        return true;
    default:
        break;
    }
    const QString t = key->text();
    if (t.size() == 1 && QStringLiteral("0123456789.+-*/=").contains(t))
        pressKey(t);
    return true;
}
