#pragma once
// The data link of a control bound to one field (the data-bound memo): the control's text
// goes into the field when the control loses the focus, and the field's value comes back
// into the control whenever the record changes.

#include "DataLink.h"

#include <functional>
#include <string>

class TFieldDataLink : public TDataLink {
public:
    const std::string& fieldName() const { return fieldName_; }
    void setFieldName(const std::string& name);
    // The bound field, or nullptr while inactive or when the dataset has no such field.
    TField* field() const { return field_; }

    // The control shows the field's value again (the record moved or changed).
    std::function<void()> onDataChange;
    // The control writes its text into field() now.
    std::function<void()> onUpdateData;
    std::function<void()> onEditingChange;
    std::function<void()> onActiveChange;

    // The user changed the control's text: puts the dataset into edit state (an empty
    // dataset gets a new record) and marks the text as pending. False when the dataset
    // cannot be edited; the control should then refuse the change.
    bool beginChange();
    // The control loses the focus: pending text goes into the field.
    void focusLost();
    bool modified() const { return modified_; }

protected:
    void activeChanged() override;
    void dataSetChanged() override;
    void dataSetScrolled(int distance) override;
    void recordChanged(TField* field) override;
    void editingChanged() override;
    void layoutChanged() override;
    void updateData() override;

private:
    void bindField();
    void reload();

    std::string fieldName_;
    TField* field_ = nullptr;
    bool modified_ = false;
    bool writing_ = false;
};
