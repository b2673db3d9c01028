#include "NavBar.h"

#include <QToolButton>
#include <QVBoxLayout>

NavBar::NavBar(QWidget* parent) : QWidget(parent), m_layout(new QVBoxLayout(this)) {
    m_layout->setContentsMargins(4, 4, 4, 4);
    m_layout->setSpacing(6);
    m_layout->addStretch(1);
    setAttribute(Qt::WA_StyledBackground);
    setStyleSheet(
        QStringLiteral("NavBar { background: #dfe8f3; }"
                       "QToolButton#navGroup { background: #4a78b0; color: white; font-weight: bold; border: none;"
                       " padding: 6px; text-align: left; }"
                       "QToolButton#navGroup:hover { background: #5a88c0; }"
                       "QToolButton.navItem { border: none; padding: 6px 10px; color: #1b2e45; }"
                       "QToolButton.navItem:hover { background: #c3d5ea; color: #0b3d91; }"));
}

int NavBar::addGroup(const QString& caption) {
    auto* header = new QToolButton(this);
    header->setObjectName(QStringLiteral("navGroup"));
    header->setText(caption);
    header->setToolButtonStyle(Qt::ToolButtonTextOnly);
    header->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
    header->setCheckable(true);
    header->setChecked(true);
    auto* body = new QWidget(this);
    auto* items = new QVBoxLayout(body);
    items->setContentsMargins(8, 2, 2, 2);
    items->setSpacing(2);
    connect(header, &QToolButton::toggled, body, &QWidget::setVisible);
    const int at = m_layout->count() - 1; // before the stretch
    m_layout->insertWidget(at, header);
    m_layout->insertWidget(at + 1, body);
    m_groups.append({header, body, items});
    return int(m_groups.size()) - 1;
}

QToolButton* NavBar::addItem(int group, const QString& objectName, const QString& caption) {
    const Group& g = m_groups.at(group);
    auto* item = new QToolButton(g.body);
    item->setObjectName(objectName);
    item->setProperty("class", QStringLiteral("navItem"));
    item->setText(caption);
    item->setToolButtonStyle(Qt::ToolButtonTextOnly);
    item->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
    item->setCursor(Qt::PointingHandCursor);
    g.items->addWidget(item);
    return item;
}
