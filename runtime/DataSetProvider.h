#pragma once
// A provider: runs its source's statement (or the client's command text, when allowed by
// poAllowCommandText) and hands every row to a client dataset.

#include "Component.h"
#include "DataPacket.h"

#include <string>

class IProviderSource;

enum TProviderOption : unsigned { poAllowCommandText = 0x1 };
using TProviderOptions = unsigned;

class TDataSetProvider : public TComponent {
public:
    explicit TDataSetProvider(TComponent* owner = nullptr);
    ~TDataSetProvider() override;
    const char* className() const noexcept override { return "TDataSetProvider"; }

    IProviderSource* dataSet() const { return source_; }
    // The source; a source that is also a component is forgotten when it is freed.
    void setDataSet(IProviderSource* source);
    TProviderOptions options() const { return options_; }
    void setOptions(TProviderOptions options) { options_ = options; }

    // Runs the statement in force and returns all rows. Fails with EDatabaseError when there
    // is no source, or when commandText is given but poAllowCommandText is not set.
    DataPacket fetch(const std::string& commandText);

    void notification(TComponent* component, Operation operation) override;

private:
    IProviderSource* source_ = nullptr;
    TComponent* sourceComponent_ = nullptr;
    TProviderOptions options_ = 0;
};
