#include "GridFooter.h"

#include "DataGrid.h"

#include <QHeaderView>
#include <QPainter>

GridFooter::GridFooter(DataGrid* grid) : QWidget(grid), m_grid(grid) {
    setObjectName(QStringLiteral("footer"));
    setAutoFillBackground(true);
    setBackgroundRole(QPalette::Button);
}

QRect GridFooter::cellRect(int column) const {
    const QHeaderView* header = m_grid->horizontalHeader();
    if (header->isSectionHidden(column))
        return {};
    // The footer starts where the viewport starts, so header positions carry over unchanged.
    const int x = header->sectionViewportPosition(column);
    const QRect r(x, 0, header->sectionSize(column), height());
    return r.intersects(rect()) ? r : QRect();
}

void GridFooter::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.setPen(palette().color(QPalette::Mid));
    p.drawLine(0, 0, width(), 0);
    for (int c = 0; c < m_grid->model()->columnCount(); ++c) {
        const QRect r = cellRect(c);
        if (r.isEmpty())
            continue;
        p.setPen(palette().color(QPalette::Mid));
        p.drawLine(r.right(), 0, r.right(), height());
        const QString text = m_grid->footerText(c);
        if (text.isEmpty())
            continue;
        const GridColumn& col = m_grid->column(c);
        p.setPen(col.redText ? QColor(Qt::red) : palette().color(QPalette::ButtonText));
        const Qt::Alignment align = col.footerSum ? Qt::AlignRight : Qt::AlignLeft;
        p.drawText(r.adjusted(3, 1, -3, 0), align | Qt::AlignVCenter | Qt::TextSingleLine, text);
    }
}
