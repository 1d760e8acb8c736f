#include "DataSource.h"

#include "DataLink.h"
#include "DataSet.h"

#include <algorithm>

TDataSource::TDataSource(TComponent* owner) : TComponent(owner) {}

TDataSource::~TDataSource()
{
    setDataSet(nullptr);
    const std::vector<TDataLink*> links = links_;
    links_.clear();
    for (TDataLink* link : links)
        link->dataSourceDestroyed();
}

void TDataSource::setDataSet(TDataSet* dataSet)
{
    if (dataSet == dataSet_)
        return;
    // The links see the old dataset go before the new one comes, so that every bound control
    // lays itself out anew for the new dataset.
    if (TDataSet* old = dataSet_) {
        dataSet_ = nullptr;
        old->removeDataSource(this);
        old->removeFreeNotification(this);
        dataEvent(TDataEvent::UpdateState, nullptr, 0);
    }
    if (dataSet) {
        dataSet_ = dataSet;
        dataSet->addDataSource(this);
        dataSet->freeNotification(this);
        dataEvent(TDataEvent::UpdateState, nullptr, 0);
    }
}

void TDataSource::setEnabled(bool enabled)
{
    if (enabled == enabled_)
        return;
    enabled_ = enabled;
    dataEvent(TDataEvent::UpdateState, nullptr, 0);
}

TDataSetState TDataSource::state() const
{
    return dataSet_ && enabled_ ? dataSet_->state() : TDataSetState::dsInactive;
}

void TDataSource::edit()
{
    if (autoEdit_ && state() == TDataSetState::dsBrowse)
        dataSet_->edit();
}

void TDataSource::addDataLink(TDataLink* link)
{
    if (std::find(links_.begin(), links_.end(), link) == links_.end())
        links_.push_back(link);
}

void TDataSource::removeDataLink(TDataLink* link)
{
    links_.erase(std::remove(links_.begin(), links_.end(), link), links_.end());
}

void TDataSource::dataEvent(TDataEvent event, TField* field, int info)
{
    if (!enabled_ && event != TDataEvent::UpdateState)
        return;
    const std::vector<TDataLink*> links = links_;
    for (TDataLink* link : links)
        if (std::find(links_.begin(), links_.end(), link) != links_.end())
            link->dataEvent(event, field, info);
}

void TDataSource::notification(TComponent* component, Operation operation)
{
    if (operation == Operation::Remove && component && component == static_cast<TComponent*>(dataSet_))
        setDataSet(nullptr);
    TComponent::notification(component, operation);
}
