#include "DrawRecordNumber.h"

#include "DataGrid.h"

#include <QPainter>

QString recordNumberText(int row) {
    // The dataset's record number when that row is current.
    return QString::number(row + 1);
}

void DrawRecordNumber(const DataGrid& grid, int column, const QRect& rect, QPainter& painter, int row) {
    if (column != 0)
        return;
    painter.save();
    painter.fillRect(rect, DataGrid::recordNumberBackground());
    painter.setPen(grid.palette().color(QPalette::WindowText));
    painter.setFont(grid.font());
    painter.drawText(rect, Qt::AlignHCenter | Qt::AlignTop | Qt::TextSingleLine, recordNumberText(row));
    painter.restore();
}
