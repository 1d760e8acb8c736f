#pragma once
// A data source ties the controls' data links to a dataset. Giving it another dataset, or
// none, switches every bound control; when its dataset is freed, DataSet becomes empty.

#include "Component.h"
#include "DataSetState.h"

#include <vector>

class TDataSet;
class TDataLink;
class TField;

class TDataSource : public TComponent {
public:
    explicit TDataSource(TComponent* owner = nullptr);
    ~TDataSource() override;
    const char* className() const noexcept override { return "TDataSource"; }

    TDataSet* dataSet() const { return dataSet_; }
    void setDataSet(TDataSet* dataSet);
    bool enabled() const { return enabled_; }
    void setEnabled(bool enabled);
    // Editing in a bound control puts the dataset into edit state.
    bool autoEdit() const { return autoEdit_; }
    void setAutoEdit(bool autoEdit) { autoEdit_ = autoEdit; }
    // The dataset's state; inactive without a dataset or while disabled.
    TDataSetState state() const;
    void edit();

    const std::vector<TDataLink*>& dataLinks() const { return links_; }
    void addDataLink(TDataLink* link);
    void removeDataLink(TDataLink* link);

    // From the dataset: passes the notice to every data link.
    void dataEvent(TDataEvent event, TField* field, int info);

    void notification(TComponent* component, Operation operation) override;

private:
    TDataSet* dataSet_ = nullptr;
    std::vector<TDataLink*> links_;
    bool enabled_ = true;
    bool autoEdit_ = true;
};
