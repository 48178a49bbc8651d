#include "CBitmap.h"
#include "TestSupport.h"

#include <gtest/gtest.h>

#include <thread>
#include <vector>

// The toolkit's fonts are shared by every editor in the process, whichever thread it draws on.
TEST(Control, ReferencesTakenOnManyThreadsAtOnceAreAllCounted)
{
    int destroyed = 0;
    auto* view = new CountedView(CRect(0, 0, 1, 1), &destroyed);
    std::vector<std::thread> threads;
    for (int t = 0; t < 4; ++t)
        threads.emplace_back(
            [view]
            {
                for (int i = 0; i < 2000000; ++i)
                {
                    view->remember();
                    view->forget();
                }
            });
    for (std::thread& thread : threads)
        thread.join();
    EXPECT_EQ(view->getNbReference(), 1);
    EXPECT_EQ(destroyed, 0);
    view->forget();
    EXPECT_EQ(destroyed, 1);
}

// Every bitmap of one image resource shares one decoded copy while any of them lives, however
// many editors (on however many threads) load it; once all are gone the next one decodes anew.
TEST(Bitmap, ResourceImagesAreDecodedOncePerProcessAndShared)
{
    std::vector<CBitmap*> bitmaps(8, nullptr);
    std::vector<std::thread> loaders;
    for (auto& slot : bitmaps)
        loaders.emplace_back([&slot] { slot = new CBitmap(201); });
    for (auto& loader : loaders)
        loader.join();
    for (CBitmap* bitmap : bitmaps)
    {
        ASSERT_TRUE(bitmap->isLoaded());
        EXPECT_EQ(bitmap->getImage(), bitmaps.front()->getImage());
    }
    CBitmap other(202);
    EXPECT_NE(other.getImage(), bitmaps.front()->getImage());
    for (CBitmap* bitmap : bitmaps)
        bitmap->forget();
    CBitmap again(201);
    EXPECT_TRUE(again.isLoaded());
    EXPECT_EQ(again.getWidth(), 690);
}
