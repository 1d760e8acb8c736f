#pragma once
// A skin kept uncompressed in a form's data: the INI text as lines (IniStrings) and the
// pictures as the binary value "Pictures" (layout in TbsSkinPictures.h). Filled once from a
// skin directory (LoadFromSkinFile, run by the skin packer) and read by TbsSkinData.

#include "Component.h"
#include "TbsSkinPictures.h"

#include <QByteArray>
#include <string>
#include <vector>

class TbsStoredSkin : public TComponent {
public:
    explicit TbsStoredSkin(TComponent* owner = nullptr) : TComponent(owner) {}
    const char* className() const noexcept override { return "TbsStoredSkin"; }

    // The file-name part of the INI file the skin was taken from; only informational at run
    // time (there is no form designer that would load from it).
    std::string FileName;
    // The INI text, one line per item.
    std::vector<std::string> IniStrings;
    // Main picture, inactive picture, mask (each may be null) and the numbered pictures.
    TbsSkinPictures Pictures;

    // Fills the component from a skin directory: the INI file at path into IniStrings (lines
    // as they are), then the pictures named in its [PICTURES] section, from the INI file's
    // directory. The INI text is not checked. A picture file that cannot be read raises
    // EFOpenError or EInvalidGraphic; the component is then left as it was.
    void LoadFromSkinFile(const std::string& path);

    // The "Pictures" value as streamed with the form (always written).
    QByteArray picturesData() const;
    // Reads a "Pictures" value: replaces the three pictures and the numbered list. A value
    // that is cut short raises EReadError, a bitmap that is not valid EInvalidGraphic; the
    // pictures are then left as they were.
    void setPicturesData(const QByteArray& data);
};
