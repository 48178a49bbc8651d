// Decoded images cost memory and time: an instance whose editor never opens must not pay for
// them, and open editors share one copy.

#include "EditorTestSupport.h"
#include "ImageIds.h"
#include "PluginFactory.h"
#include "drawing/CBitmap.h"

TEST(EditorImages, DecodedOnlyWhileAnEditorIsOpenAndOnceForAllOfThem)
{
    constexpr int kShown = image::kLast - image::kFirst + 1 - 3; // three are shown by no view
    VstTemplate* first = createPlugin(recordingHost);
    VstTemplate* second = createPlugin(recordingHost);
    ERect* size = nullptr;
    ASSERT_EQ(first->dispatcher(effEditGetRect, 0, 0, &size, 0), 1);
    EXPECT_EQ(CPoint(size->right, size->bottom), CPoint(690, 270));
    EXPECT_EQ(CBitmap::decodedResourceImages(), 0);
    first->getEditor()->open(nullptr);
    second->getEditor()->open(nullptr);
    EXPECT_EQ(CBitmap::decodedResourceImages(), kShown);
    first->getEditor()->close();
    EXPECT_EQ(CBitmap::decodedResourceImages(), kShown);
    delete second; // with its editor still open
    EXPECT_EQ(CBitmap::decodedResourceImages(), 0);
    delete first;
}
