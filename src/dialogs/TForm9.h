#pragma once

#include "ItemPicker.h"

// The income category and item picker: sleibie and sxiangmu; fills SelectedIncomeCategoryCode,
// ChosenIncomeItem and ChosenIncomeCategory, never the expense strings.
class TForm9 : public ItemPicker {
    Q_OBJECT
public:
    explicit TForm9(QWidget* parent = nullptr);

    // 确定: the same steps as a double-click on an item (BitBtn2 runs them).
    void BitBtn2Click() { DBGridEh2DblClick(); }
};

extern TForm9* Form9;
