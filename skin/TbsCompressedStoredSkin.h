#pragma once
// A skin kept in a form's data as one zlib stream, the binary value "CompressedData".
// Its content, once inflated:
//   4 bytes  format version, signed little-endian, must be 1
//   ...      the "Pictures" layout (TbsSkinPictures.h)
//   ...      the INI text up to the end, each line ended by CR LF
// Filled once from a skin directory (CompressFromSkinFile, run by the skin packer) and read by
// TbsSkinData.

#include "Component.h"

#include <QByteArray>
#include <string>

class TbsCompressedStoredSkin : public TComponent {
public:
    explicit TbsCompressedStoredSkin(TComponent* owner = nullptr) : TComponent(owner) {}
    const char* className() const noexcept override { return "TbsCompressedStoredSkin"; }

    static constexpr int kFormatVersion = 1;

    // The file-name part of the INI file the skin was taken from; informational at run time.
    std::string FileName;

    // The "CompressedData" value: the zlib stream byte for byte, streamed unchanged.
    const QByteArray& compressedData() const { return data_; }
    void setCompressedData(const QByteArray& data) { data_ = data; }
    bool isEmpty() const { return data_.isEmpty(); }

    // Builds the data from a skin directory. When the INI text lacks one of [VERSION],
    // [PICTURES], [FORMINFO], [SKINOBJECTS], [SKINCONTROLS] nothing happens at all.
    // Otherwise the data is emptied first and rebuilt; a picture file that cannot be read
    // raises EFOpenError or EInvalidGraphic and leaves the data empty.
    void CompressFromSkinFile(const std::string& path);

    // Inflates the data (4,096 bytes at a time) and returns the content.
    // Raises EDecompressionError ("compression error") for corrupt data.
    QByteArray Decompress() const;

private:
    QByteArray data_;
};
