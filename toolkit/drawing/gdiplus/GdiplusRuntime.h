#pragma once

// GDI+ for the process while any lease (Canvas.h) is held. GDI+ must never be started or shut
// down under the loader lock, so nothing here runs from DllMain: the first editor frame starts
// it and the last one to close shuts it down.
namespace gdiplusruntime
{
// Replaces the startup call, for tests of a GDI+ that cannot start; null restores the real one.
using StartupFunction = bool (*)(unsigned long long& token);
void setStartupForTesting(StartupFunction startup);
// Number of leases now held (0: GDI+ is not running).
int leaseCount();
} // namespace gdiplusruntime
