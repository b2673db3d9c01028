#pragma once

#include <QString>

class DataGrid;
class QPainter;
class QRect;

// The record number of a grid row as the record-number column shows it.
QString recordNumberText(int row);

// Draws the record number of the row in the record-number column (column 0): the decimal number centred
// horizontally on one line from the top of the cell, on a grey background. Does nothing for other columns,
// so a grid's draw hook may call it for every cell.
void DrawRecordNumber(const DataGrid& grid, int column, const QRect& rect, QPainter& painter, int row);
