#include "DataSetProvider.h"

#include "Exception.h"
#include "ProviderSource.h"

TDataSetProvider::TDataSetProvider(TComponent* owner) : TComponent(owner) {}

TDataSetProvider::~TDataSetProvider() = default;

void TDataSetProvider::setDataSet(IProviderSource* source)
{
    if (source == source_)
        return;
    if (sourceComponent_)
        sourceComponent_->removeFreeNotification(this);
    source_ = source;
    // Kept apart: while a source is being destroyed it can no longer be cast to its component.
    sourceComponent_ = dynamic_cast<TComponent*>(source);
    if (sourceComponent_)
        sourceComponent_->freeNotification(this);
}

DataPacket TDataSetProvider::fetch(const std::string& commandText)
{
    if (!source_)
        throw EDatabaseError(formatMessage("Provider %s has no DataSet", name()));
    if (!commandText.empty() && !(options_ & poAllowCommandText))
        throw EDatabaseError(formatMessage(
            "Provider %s does not accept a CommandText (poAllowCommandText is not in its Options)", name()));
    return source_->providerFetch(commandText);
}

void TDataSetProvider::notification(TComponent* component, Operation operation)
{
    if (operation == Operation::Remove && component && component == sourceComponent_) {
        source_ = nullptr;
        sourceComponent_ = nullptr;
    }
    TComponent::notification(component, operation);
}
