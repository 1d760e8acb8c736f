#include "TbsSkinSectionData.h"

#include "TbsSkinIni.h"

void TbsSkinSectionData::LoadFromIni(const TbsSkinIni& ini)
{
    fields().load(ini, IDName);
}

void TbsSkinSectionData::SaveToIni(TbsSkinIni& ini)
{
    ini.eraseSection(IDName);
    fields().save(ini, IDName);
}

TbsSkinFields TbsSkinSectionData::fields() const
{
    TbsSkinFields list;
    // The list only points at the fields; callers on a const object only read through it.
    const_cast<TbsSkinSectionData*>(this)->describeFields(list);
    return list;
}
