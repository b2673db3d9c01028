#pragma once

#include <QDialog>

class DataGrid;
class Dataset;
class QPushButton;

// The category and item picker: categories on the left, the items of the clicked category on the right.
// The expense picker (TForm2) and the income picker (TForm9) differ only in their tables and in the shared
// strings they fill. Created once at start and shown modally again and again, so it keeps its rows and its
// item list between uses.
class ItemPicker : public QDialog {
    Q_OBJECT
public:
    // The datasets a picker shows and the shared strings it fills.
    struct Setup {
        QString objectName;
        QString caption;
        Dataset* categories = nullptr; // fields id, bianma, leibie; opened by the data module
        Dataset* items = nullptr;      // fields id, bianma (full code), fbianma, zbianma, xiangmu
        QString itemTable;             // the table the items are read from
        QString* selectedCategoryCode = nullptr;
        QString* chosenItem = nullptr;
        QString* chosenCategory = nullptr;
    };

    ItemPicker(const Setup& setup, QWidget* parent);

    DataGrid* DBGridEh1;  // categories
    DataGrid* DBGridEh2;  // items of the category clicked last
    QPushButton* BitBtn1; // 取消
    QPushButton* BitBtn2; // 确定, the default button

    // A click on a category: lists its items.
    void DBGridEh1CellClick();
    // A double-click on an item, and 确定: takes the current item and category and closes with OK.
    void DBGridEh2DblClick();

protected:
    void showEvent(QShowEvent* event) override;

private:
    void buildGrids();
    void buildButtons();
    void loadItems();
    void choose();

    Setup m_setup;
};
