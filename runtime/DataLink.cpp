#include "DataLink.h"

#include "DataSet.h"
#include "DataSource.h"

#include <algorithm>

TDataLink::~TDataLink()
{
    if (dataSource_)
        dataSource_->removeDataLink(this);
}

void TDataLink::setDataSource(TDataSource* source)
{
    if (source == dataSource_)
        return;
    if (dataSource_)
        dataSource_->removeDataLink(this);
    dataSource_ = source;
    if (dataSource_)
        dataSource_->addDataLink(this);
    refreshState();
}

TDataSet* TDataLink::dataSet() const
{
    return dataSource_ ? dataSource_->dataSet() : nullptr;
}

void TDataLink::setReadOnly(bool readOnly)
{
    if (readOnly == readOnly_)
        return;
    readOnly_ = readOnly;
    refreshState();
}

void TDataLink::refreshState()
{
    const bool nowActive = dataSource_ && dataSource_->state() != TDataSetState::dsInactive;
    const bool nowEditing = nowActive && !readOnly_ && isEditingState(dataSource_->state());
    if (nowActive != active_) {
        active_ = nowActive;
        firstRecord_ = 0;
        if (active_)
            syncWindow();
        activeChanged();
    }
    if (nowEditing != editing_) {
        editing_ = nowEditing;
        editingChanged();
    }
}

void TDataLink::setBufferCount(int count)
{
    bufferCount_ = std::max(1, count);
    if (active_)
        syncWindow();
}

int TDataLink::syncWindow()
{
    const TDataSet* ds = dataSet();
    const int old = firstRecord_;
    const int current = ds ? ds->displayCurrent() : -1;
    if (current < 0) {
        firstRecord_ = 0;
    } else {
        if (current < firstRecord_)
            firstRecord_ = current;
        else if (current >= firstRecord_ + bufferCount_)
            firstRecord_ = current - bufferCount_ + 1;
        // No empty rows at the bottom while earlier records could fill them.
        firstRecord_ = std::max(0, std::min(firstRecord_, ds->displayCount() - bufferCount_));
    }
    return firstRecord_ - old;
}

int TDataLink::recordCount() const
{
    const TDataSet* ds = active_ ? dataSet() : nullptr;
    return ds ? std::clamp(ds->displayCount() - firstRecord_, 0, bufferCount_) : 0;
}

int TDataLink::activeRecord() const
{
    const TDataSet* ds = active_ ? dataSet() : nullptr;
    return ds && ds->displayCurrent() >= 0 ? ds->displayCurrent() - firstRecord_ : 0;
}

void TDataLink::setActiveRecord(int index)
{
    TDataSet* ds = active_ ? dataSet() : nullptr;
    if (!ds)
        return;
    const int record = firstRecord_ + index;
    ds->setDisplayRecord(record == ds->displayCurrent() ? -1 : record);
}

bool TDataLink::edit()
{
    // A dataset that cannot be modified is not asked: the control refuses the change quietly.
    const TDataSet* ds = dataSet();
    if (!readOnly_ && ds && ds->canModify())
        dataSource_->edit();
    return editing_;
}

void TDataLink::updateRecord()
{
    if (updating_)
        return;
    updating_ = true;
    try {
        updateData();
    } catch (...) {
        updating_ = false;
        throw;
    }
    updating_ = false;
}

void TDataLink::dataEvent(TDataEvent event, TField* field, int info)
{
    if (event == TDataEvent::UpdateState) {
        refreshState();
        return;
    }
    if (!active_)
        return;
    switch (event) {
    case TDataEvent::DataSetChange:
        syncWindow();
        dataSetChanged();
        break;
    case TDataEvent::DataSetScroll:
        dataSetScrolled(syncWindow());
        break;
    case TDataEvent::RecordChange:
    case TDataEvent::FieldChange:
        recordChanged(field);
        break;
    case TDataEvent::LayoutChange:
        layoutChanged();
        break;
    case TDataEvent::UpdateRecord:
        updateRecord();
        break;
    case TDataEvent::CheckBrowseMode:
        checkBrowseMode();
        break;
    case TDataEvent::UpdateState:
        break;
    }
    (void)info;
}
