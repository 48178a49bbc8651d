// Opening and closing the editor window many times gives back every X connection, window,
// cairo surface, shared memory segment and heap block.

#include <gtest/gtest.h> // before the X headers, whose None and Bool macros clash

#include "FrameTestSupport.h"
#include "ProcessResources.h"
#include "X11TestFixture.h"

namespace
{
class X11WindowCycleTest : public X11TestFixture
{
  protected:
    void cycle(int times)
    {
        for (int i = 0; i < times; ++i)
        {
            ProbedFrame probed(parentHandle());
            probed.idle(); // paints and presents the whole window
            probed.left->setDirty(true);
            probed.idle(); // and a part of it
            host->click(probed.window(), 30, 30);
            probed.idle();
        }
        host->sync();
    }
};
} // namespace

TEST_F(X11WindowCycleTest, TwoHundredOpenCloseCyclesLeaveNothingBehind)
{
    // The first cycles fill the process-wide caches of Xlib, cairo and fontconfig.
    cycle(10);
    const size_t heapBefore = heapBytesInUse();
    const int descriptorsBefore = openFileDescriptors();
    const int segmentsBefore = sharedMemorySegments();

    cycle(200);

    EXPECT_EQ(openFileDescriptors(), descriptorsBefore);
    EXPECT_EQ(sharedMemorySegments(), segmentsBefore);
    EXPECT_TRUE(host->children(parent).empty());
    const size_t heapAfter = heapBytesInUse();
    const long long grown = static_cast<long long>(heapAfter) - static_cast<long long>(heapBefore);
    EXPECT_LT(grown, static_cast<long long>(heapMeasurementSlack()))
        << "heap grew by " << grown << " bytes over 200 cycles";
    EXPECT_FALSE(leakSanitizerFoundLeaks());
}
