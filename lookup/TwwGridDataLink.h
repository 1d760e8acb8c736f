#pragma once
// The grid's data link: passes the dataset's notices to the grid and holds the field map
// (positions, in the dataset's field list, of the fields shown, in column order).

#include "DataLink.h"

#include <vector>

class TwwDBGrid;

class TwwGridDataLink : public TDataLink {
public:
    explicit TwwGridDataLink(TwwDBGrid& grid) : grid_(grid) {}

    std::vector<int>& fieldMap() { return fieldMap_; }
    const std::vector<int>& fieldMap() const { return fieldMap_; }

protected:
    void activeChanged() override;
    void layoutChanged() override;
    void dataSetChanged() override;
    void dataSetScrolled(int distance) override;
    void recordChanged(TField* field) override;
    void editingChanged() override;

private:
    TwwDBGrid& grid_;
    std::vector<int> fieldMap_;
};
