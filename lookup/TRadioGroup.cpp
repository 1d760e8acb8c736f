#include "TRadioGroup.h"

#include <QButtonGroup>
#include <QGridLayout>
#include <QRadioButton>

TRadioGroup::TRadioGroup(QWidget* parent, TComponent* owner) : QGroupBox(parent), TComponent(owner)
{
    auto* grid = new QGridLayout(this);
    grid->setContentsMargins(6, 2, 6, 2);
    grid->setSpacing(0);
}

void TRadioGroup::setItems(const QStringList& items, int columns)
{
    for (QRadioButton* button : buttons_)
        delete button;
    buttons_.clear();
    auto* grid = static_cast<QGridLayout*>(layout());
    const int perColumn = (static_cast<int>(items.size()) + columns - 1) / std::max(1, columns);
    for (int i = 0; i < items.size(); ++i) {
        auto* button = new QRadioButton(items[i], this);
        button->setAutoExclusive(true);
        grid->addWidget(button, i % std::max(1, perColumn), i / std::max(1, perColumn));
        buttons_.push_back(button);
    }
}

int TRadioGroup::ItemIndex() const
{
    for (size_t i = 0; i < buttons_.size(); ++i)
        if (buttons_[i]->isChecked())
            return static_cast<int>(i);
    return -1;
}

void TRadioGroup::setItemIndex(int index)
{
    if (index >= 0 && index < count()) {
        buttons_[static_cast<size_t>(index)]->setChecked(true);
        return;
    }
    for (QRadioButton* button : buttons_) {
        button->setAutoExclusive(false);
        button->setChecked(false);
        button->setAutoExclusive(true);
    }
}

QRadioButton* TRadioGroup::button(int index) const
{
    return index >= 0 && index < count() ? buttons_[static_cast<size_t>(index)] : nullptr;
}
