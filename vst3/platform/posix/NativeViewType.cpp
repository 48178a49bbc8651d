#include "NativeViewType.h"

#include "Vst3View.h"

const char* nativeViewType()
{
    return vst3::kPlatformTypeX11EmbedWindowID;
}
