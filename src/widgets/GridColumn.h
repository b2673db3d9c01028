#pragma once

#include <QString>
#include <QStringList>

// How a column offers values from a list.
enum class PickKind {
    None,
    Closed,  // a drop-down that is not editable: the cell stores exactly the key of the item chosen
    Suggest, // an editable drop-down: the list only suggests, any text may be typed
};

// The settings of one grid column, kept as data so that every grid is set up the same way.
struct GridColumn {
    QString field; // empty for the record-number column
    QString title;
    QString footerText;     // a fixed label shown in the footer
    bool footerSum = false; // the footer shows the live sum of the field as money
    bool visible = true;
    bool readOnly = false;
    bool redText = false;
    bool money = false; // displayed as "￥#,###0.00 "
    PickKind pickKind = PickKind::None;
    QStringList pickKeys;    // Closed: the values stored, parallel to pickItems
    QStringList pickItems;   // the values shown in the drop-down
    bool editButton = false; // a "…" button that makes the grid emit editButtonClicked
    bool calculator = false; // the cell editor drops down a calculator
    int width = 80;

    // Column 0 of every grid.
    static GridColumn recordNumber() {
        return GridColumn{{},    QStringLiteral("序号"), {}, false, true,  true,  false,
                          false, PickKind::None,         {}, {},    false, false, 40};
    }
};
