#include "ClientDataSet.h"

#include "DataSetProvider.h"
#include "DatasetFile.h"
#include "Exception.h"
#include "Field.h"

TClientDataSet::TClientDataSet(TComponent* owner) : TDataSet(owner) {}

TClientDataSet::~TClientDataSet()
{
    setProvider(nullptr);
}

void TClientDataSet::setProvider(TDataSetProvider* provider)
{
    if (provider == provider_)
        return;
    if (provider_)
        provider_->removeFreeNotification(this);
    provider_ = provider;
    if (provider_)
        provider_->freeNotification(this);
    localData_ = false;
}

void TClientDataSet::setCommandText(const std::string& text)
{
    commandText_ = text;
    localData_ = false;
}

void TClientDataSet::notification(TComponent* component, Operation operation)
{
    if (operation == Operation::Remove && component && component == static_cast<TComponent*>(provider_))
        provider_ = nullptr;
    TDataSet::notification(component, operation);
}

bool TClientDataSet::ownsRows() const
{
    return localData_ || (!provider_ && providerName_.empty());
}

TDataSetProvider* TClientDataSet::resolveProvider() const
{
    if (provider_)
        return provider_;
    if (providerName_.empty() || !owner())
        return nullptr;
    return dynamic_cast<TDataSetProvider*>(owner()->findComponent(providerName_));
}

TField* TClientDataSet::addField(const std::string& name, FieldType type, int size, bool required,
                                 const std::string& displayLabel)
{
    TField* field = addPersistentField({name, type, size, required});
    field->setDisplayLabel(displayLabel);
    return field;
}

void TClientDataSet::createDataSet()
{
    checkInactive();
    DataPacket empty;
    if (fieldDefs_.count() > 0) {
        empty.fields = fieldDefs_.toFieldDescs();
    } else {
        for (int i = 0; i < fieldCount(); ++i)
            empty.fields.push_back(field(i)->desc());
    }
    if (empty.fields.empty())
        throw EDatabaseError("Cannot create a dataset without field definitions");
    retained_ = std::move(empty);
    localData_ = true;
    open();
}

DataPacket TClientDataSet::internalOpen()
{
    if (retained_ && ownsRows()) {
        // A copy: should the fields not match, the rows are still there for the next try.
        return *retained_;
    }
    if (TDataSetProvider* provider = resolveProvider())
        return provider->fetch(commandText_);
    if (!providerName_.empty())
        throw EDatabaseError(formatMessage("Provider '%s' not found", providerName_));
    throw EDatabaseError("Missing data provider or data packet");
}

void TClientDataSet::internalClose(DataPacket&& rows)
{
    // Without a provider the rows are all there is: keep them for the next open.
    if (ownsRows())
        retained_ = std::move(rows);
    else
        retained_.reset();
}

bool TClientDataSet::internalRefresh(DataPacket& packet)
{
    if (localData_)
        return false;
    TDataSetProvider* provider = resolveProvider();
    if (!provider)
        return false;
    packet = provider->fetch(commandText_);
    return true;
}

void TClientDataSet::saveToFile(const std::string& path)
{
    checkBrowseMode();
    DatasetFile::save(path, packet());
}

void TClientDataSet::loadFromFile(const std::string& path)
{
    DataPacket loaded = DatasetFile::load(path); // fails before anything changes
    close();
    fieldDefs_.assign(loaded.fields);
    retained_ = std::move(loaded);
    localData_ = true;
    open();
}
