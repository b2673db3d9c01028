#pragma once

#include <QWidget>

class DataGrid;

// The one-row footer under a DataGrid's rows: each cell lines up with its column's header section and
// shows the grid's footer text for that column (a fixed label or a live sum).
class GridFooter : public QWidget {
    Q_OBJECT
public:
    explicit GridFooter(DataGrid* grid);

    // Where the footer cell of a column lies, in footer coordinates; empty when hidden or scrolled away.
    QRect cellRect(int column) const;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    DataGrid* m_grid;
};
