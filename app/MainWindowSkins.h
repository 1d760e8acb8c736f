#pragma once
// The two skins of the main window's form data, packed by the build from the skin folders:
// the plain stored skin (INI lines and "Pictures") and the compressed one ("CompressedData").

class TbsStoredSkin;
class TbsCompressedStoredSkin;

namespace MainWindowSkins {

void storeStoredSkin(TbsStoredSkin& skin);
void storeCompressedSkin(TbsCompressedStoredSkin& skin);

}
