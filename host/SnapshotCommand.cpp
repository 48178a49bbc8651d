// ofc-host snapshot: the plug-in's editor window as a PNG, drawn without a display.

#include "HostCommand.h"
#include "OutputFile.h"
#include "Platform.h"
#include "Snapshot.h"

#include <cstdio>

namespace
{
using namespace ofchost;

int runSnapshot(int argc, char** argv)
{
    SnapshotRequest request;
    SnapshotReport report;
    std::string error;
    if (!parseSnapshotArguments(argc, argv, request, error))
    {
        std::fprintf(stderr, "ofc-host snapshot: %s\n%s", error.c_str(), kSnapshotUsage);
        return kExitUsage;
    }
    if (request.help)
    {
        std::fputs(kSnapshotUsage, stdout);
        return kExitOk;
    }
    platform::catchInterruptions();
    if (!takeSnapshot(request, report, error))
    {
        std::fprintf(stderr, "ofc-host snapshot: %s\n", error.c_str());
        return report.interrupted ? kExitInterrupted + platform::interruption() : kExitFailed;
    }
    std::printf("Editor:     %d x %d\n", report.width, report.height);
    if (report.framesFed > 0)
        std::printf("Fed:        %lld frames at %g Hz, %u editor idle calls\n",
                    static_cast<long long>(report.framesFed), report.feedRate, report.idleCalls);
    std::printf("Written:    %s\n", request.pngPath.c_str());
    return kExitOk;
}

} // namespace

OFC_HOST_COMMAND(snapshot, "snapshot PLUGIN.so OUT.png [options]",
                 "draw the plug-in's editor off-screen into a PNG", runSnapshot);
