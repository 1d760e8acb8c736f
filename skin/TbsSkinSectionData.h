#pragma once
// The common ground of the skin's data objects: one object per entry of [SKINOBJECTS] or
// [SKINCONTROLS], holding the values of its own section. Each class lists its keys once
// (describeFields, base class first); LoadFromIni and SaveToIni work from that list.

#include "TbsSkinFields.h"

#include <string>

class TbsSkinIni;

class TbsSkinSectionData {
public:
    explicit TbsSkinSectionData(std::string idName) : IDName(std::move(idName)) {}
    virtual ~TbsSkinSectionData() = default;
    TbsSkinSectionData(const TbsSkinSectionData&) = delete;
    TbsSkinSectionData& operator=(const TbsSkinSectionData&) = delete;

    // The section name, as the list entry wrote it before ":".
    std::string IDName;

    // The data class name ("TbsDataSkinPanelControl" ...).
    virtual const char* className() const = 0;

    // Reads the keys of the class chain from the section named IDName; a missing section
    // gives every field its default. Raises EConvertError for a rect or point without digits.
    virtual void LoadFromIni(const TbsSkinIni& ini);
    // Erases the section and writes the same keys back.
    virtual void SaveToIni(TbsSkinIni& ini);

    // The key list of this object, bound to its fields (read-only use on a const object).
    TbsSkinFields fields() const;

protected:
    virtual void describeFields(TbsSkinFields& fields) = 0;
};

#define TBS_SKIN_DATA_CLASS(Name)                                    \
public:                                                              \
    using Base::Base;                                                \
    const char* className() const override { return #Name; }        \
                                                                     \
protected:                                                           \
    void describeFields(TbsSkinFields& fields) override;
