#pragma once
// An in-memory dataset. It is filled through a provider from a command text, created from
// field definitions, or loaded from a dataset file, and can be saved to one.
//
// Rows live on after close() when nothing stands behind the dataset: a dataset created from
// field definitions or loaded from a file gets its posted rows back on the next open().
// A provider-backed dataset fetches anew at every open().

#include "DataSet.h"
#include "FieldDefs.h"

#include <optional>
#include <string>

class TDataSetProvider;

class TClientDataSet : public TDataSet {
public:
    explicit TClientDataSet(TComponent* owner = nullptr);
    ~TClientDataSet() override;
    const char* className() const noexcept override { return "TClientDataSet"; }

    // The provider: set directly, or named (a component of the same owner, looked up at open).
    TDataSetProvider* provider() const { return provider_; }
    void setProvider(TDataSetProvider* provider);
    const std::string& providerName() const { return providerName_; }
    void setProviderName(const std::string& name)
    {
        providerName_ = name;
        localData_ = false;
    }
    // The statement the provider runs instead of its source's own; set while closed.
    const std::string& commandText() const { return commandText_; }
    void setCommandText(const std::string& text);

    TFieldDefs& fieldDefs() { return fieldDefs_; }
    const TFieldDefs& fieldDefs() const { return fieldDefs_; }
    // Makes the empty table of fieldDefs() and opens it.
    void createDataSet();
    // A persistent field: the dataset exposes exactly its persistent fields, whatever
    // columns arrive. Declared while closed.
    TField* addField(const std::string& name, FieldType type, int size = 0, bool required = false,
                     const std::string& displayLabel = {});

    // Writes fields and posted rows (a pending edit is posted or cancelled first).
    void saveToFile(const std::string& path);
    // Replaces fields and rows with the file's and opens on the first record. The dataset
    // is left untouched when the file cannot be read.
    void loadFromFile(const std::string& path);

    void notification(TComponent* component, Operation operation) override;

protected:
    DataPacket internalOpen() override;
    void internalClose(DataPacket&& rows) override;
    bool internalRefresh(DataPacket& packet) override;

private:
    TDataSetProvider* resolveProvider() const;
    // The rows are the dataset's own (no provider configured, or created or loaded here).
    bool ownsRows() const;

    TDataSetProvider* provider_ = nullptr;
    std::string providerName_;
    std::string commandText_;
    TFieldDefs fieldDefs_;
    // Rows kept for the next open when no provider stands behind the dataset.
    std::optional<DataPacket> retained_;
    // The rows were created here or loaded from a file: the provider is not asked for them
    // until it or the command text is set again.
    bool localData_ = false;
};
