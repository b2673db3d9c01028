#include "TForm2.h"

#include "TDM.h"
#include "TForm1.h"

TForm2* Form2 = nullptr;

namespace {

ItemPicker::Setup expenseSetup() {
    ItemPicker::Setup s;
    s.objectName = QStringLiteral("Form2");
    s.caption = QStringLiteral("支出项目选择");
    s.categories = DM ? DM->ADOQclass : nullptr;
    s.items = DM ? DM->ADOQuery : nullptr;
    s.itemTable = QStringLiteral("xiangmu");
    s.selectedCategoryCode = &SelectedExpenseCategoryCode;
    s.chosenItem = &ChosenExpenseItem;
    s.chosenCategory = &ChosenExpenseCategory;
    return s;
}

} // namespace

TForm2::TForm2(QWidget* parent) : ItemPicker(expenseSetup(), parent) {}
