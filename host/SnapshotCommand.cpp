// ofc-host snapshot: the plug-in's editor window as a PNG, drawn without a display.

#include "HostCommand.h"
#include "Snapshot.h"

#include <cstdio>

namespace
{

int runSnapshot(int argc, char** argv)
{
    ofchost::SnapshotRequest request;
    ofchost::SnapshotReport report;
    std::string error;
    if (!ofchost::parseSnapshotArguments(argc, argv, request, error) ||
        !ofchost::takeSnapshot(request, report, error))
    {
        std::fprintf(stderr, "ofc-host snapshot: %s\n", error.c_str());
        return 1;
    }
    std::printf("Editor:     %d x %d\n", report.width, report.height);
    if (report.framesFed > 0)
        std::printf("Fed:        %lld frames at %g Hz, %u editor idle calls\n",
                    static_cast<long long>(report.framesFed), report.feedRate, report.idleCalls);
    std::printf("Written:    %s\n", request.pngPath.c_str());
    return 0;
}

} // namespace

OFC_HOST_COMMAND(snapshot,
                 "snapshot PLUGIN.so OUT.png [--program N|NAME] [--set Name=value ...] "
                 "[--feed FILE|demo] [--seconds S]",
                 "draw the plug-in's editor off-screen into a PNG", runSnapshot);
