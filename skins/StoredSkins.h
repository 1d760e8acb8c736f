#pragma once
// The main window's two skins, packed at build time from skins/stored and skins/compressed.
// This is form data of the main window: the main window's form data fills its
// bsStoredSkin1 and bsCompressedStoredSkin1 from here, before the references of bsSkinData1
// are resolved (StoredSkin first, then CompressedStoredSkin), so that the compressed skin is
// the one in force:
//
//     StoredSkins::fill(*bsStoredSkin1);
//     StoredSkins::fill(*bsCompressedStoredSkin1);
//     load.reference("bsStoredSkin1", ...setStoredSkin...);
//     load.reference("bsCompressedStoredSkin1", ...setCompressedStoredSkin...);

#include <QByteArray>
#include <string>
#include <vector>

class TbsStoredSkin;
class TbsCompressedStoredSkin;

namespace StoredSkins {

// "FileName" of both components.
inline constexpr const char* kFileName = "SKIN.INI";

// The stored skin: its "Pictures" value and its INI text, one line per item.
QByteArray storedPictures();
std::vector<std::string> storedIniStrings();

// The compressed skin: its "CompressedData" value (a zlib stream).
QByteArray compressedData();

// Sets FileName and the streamed values of the two components. Raises the stream and
// graphics errors of the "Pictures" value (which cannot happen with the packed skin).
void fill(TbsStoredSkin& skin);
void fill(TbsCompressedStoredSkin& skin);

}
