#pragma once

#include <QWidget>

class QToolButton;
class QVBoxLayout;

// The navigation bar of the main window: groups with a caption, each a column of clickable items.
// A click on a group's caption folds the group.
class NavBar : public QWidget {
    Q_OBJECT
public:
    explicit NavBar(QWidget* parent = nullptr);

    // Returns the group's index.
    int addGroup(const QString& caption);
    // The item is a button named objectName; connect to its clicked signal.
    QToolButton* addItem(int group, const QString& objectName, const QString& caption);

private:
    struct Group {
        QToolButton* header;
        QWidget* body;
        QVBoxLayout* items;
    };
    QVBoxLayout* m_layout;
    QList<Group> m_groups;
};
