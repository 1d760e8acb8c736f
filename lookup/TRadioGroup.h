#pragma once
// A group of radio buttons laid out in columns, chosen by ItemIndex (-1: none).

#include "Component.h"

#include <QGroupBox>
#include <QStringList>
#include <vector>

class QRadioButton;

class TRadioGroup : public QGroupBox, public TComponent {
    Q_OBJECT
public:
    explicit TRadioGroup(QWidget* parent = nullptr, TComponent* owner = nullptr);
    const char* className() const noexcept override { return "TRadioGroup"; }

    void setItems(const QStringList& items, int columns);
    int ItemIndex() const;
    void setItemIndex(int index);
    QRadioButton* button(int index) const;
    int count() const { return static_cast<int>(buttons_.size()); }

private:
    std::vector<QRadioButton*> buttons_;
};
