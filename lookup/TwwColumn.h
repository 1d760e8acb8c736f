#pragma once
// A column of the grid, known by its field name. The grid's dummy column stands for every
// index at or past the last column and ignores every change.

#include <string>

class TwwDBGrid;

class TwwColumn {
public:
    TwwColumn(TwwDBGrid* grid, std::string fieldName, bool dummy = false)
        : grid_(grid), fieldName_(std::move(fieldName)), dummy_(dummy)
    {
    }

    const std::string& FieldName() const { return fieldName_; }
    bool isDummy() const { return dummy_; }
    // The title: the field's display name (CP950).
    std::string DisplayLabel() const;
    // Sets the title; a longer title can widen the column.
    void setDisplayLabel(const std::string& label);

private:
    TwwDBGrid* grid_;
    std::string fieldName_;
    bool dummy_;
};
