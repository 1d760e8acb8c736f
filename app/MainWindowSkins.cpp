#include "MainWindowSkins.h"

#include "TbsCompressedStoredSkin.h"
#include "TbsStoredSkin.h"

namespace MainWindowSkins {

// Until the packed skins are part of the build the window's skins stay empty, and every
// control draws its default face.
void storeStoredSkin(TbsStoredSkin& /*skin*/) {}
void storeCompressedSkin(TbsCompressedStoredSkin& /*skin*/) {}

}
