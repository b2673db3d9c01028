#include "Format.h"

#include <QLocale>
#include <QRegularExpression>
#include <cmath>

namespace Format {

QString dateText(const QDate& date) {
    if (!date.isValid())
        return {};
    return QStringLiteral("%1-%2-%3").arg(date.year()).arg(date.month()).arg(date.day());
}

QDate parseDate(const QString& text) {
    static const QRegularExpression re(
        QStringLiteral(R"(^\s*(\d{4})[-/](\d{1,2})[-/](\d{1,2})(?:[ T]\d{1,2}:\d{2}(?::\d{2}(?:\.\d+)?)?)?\s*$)"));
    const auto m = re.match(text);
    if (!m.hasMatch())
        return {};
    return QDate(m.captured(1).toInt(), m.captured(2).toInt(), m.captured(3).toInt());
}

QString isoDate(const QDate& date) {
    return date.isValid() ? date.toString(QStringLiteral("yyyy-MM-dd")) : QString();
}

QString money(double value) {
    static const QLocale grouped(QLocale::English, QLocale::UnitedStates);
    return QStringLiteral("￥") + grouped.toString(value, 'f', 2) + QLatin1Char(' ');
}

QString general(double value) {
    if (value == 0)
        return QStringLiteral("0");
    return QString::number(value, 'g', 15);
}

double bankersRound(double value, int decimals) {
    // Divide by the unit (1, 0.01, ...) and multiply back; nearbyint rounds halves to even.
    const double unit = std::pow(10.0, -decimals);
    return std::nearbyint(value / unit) * unit;
}

QDate sentinelDate() {
    return QDate(1981, 7, 7);
}

} // namespace Format
