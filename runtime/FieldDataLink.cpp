#include "FieldDataLink.h"

#include "DataSet.h"
#include "Field.h"

void TFieldDataLink::setFieldName(const std::string& name)
{
    if (name == fieldName_)
        return;
    fieldName_ = name;
    bindField();
    reload();
}

void TFieldDataLink::bindField()
{
    TDataSet* ds = active() ? dataSet() : nullptr;
    field_ = ds && !fieldName_.empty() ? ds->findField(fieldName_) : nullptr;
}

void TFieldDataLink::reload()
{
    modified_ = false;
    if (onDataChange)
        onDataChange();
}

bool TFieldDataLink::beginChange()
{
    if (!field_)
        return false;
    if (!edit())
        return false;
    modified_ = true;
    return true;
}

void TFieldDataLink::focusLost()
{
    updateRecord();
}

void TFieldDataLink::activeChanged()
{
    bindField();
    reload();
    if (onActiveChange)
        onActiveChange();
}

void TFieldDataLink::dataSetChanged()
{
    reload();
}

void TFieldDataLink::dataSetScrolled(int)
{
    reload();
}

void TFieldDataLink::recordChanged(TField* field)
{
    if (!field || field == field_)
        reload();
}

void TFieldDataLink::editingChanged()
{
    if (onEditingChange)
        onEditingChange();
}

void TFieldDataLink::layoutChanged()
{
    bindField();
}

void TFieldDataLink::updateData()
{
    if (!modified_ || !field_)
        return;
    if (onUpdateData)
        onUpdateData();
    modified_ = false;
}
