#pragma once

#include <string>

// How many GDI objects, USER objects and kernel handles this process holds. Wine answers 0
// for GetGuiResources and GetProcessHandleCount, so where those say nothing the counts come
// from what wine does keep: the process's GDI handle table (the PEB's shared handle table),
// the windows of the process, and the system's handle list filtered by our process id.
struct ProcessCounts
{
    long gdiObjects = 0;
    long userObjects = 0;
    long kernelHandles = 0;
};

class ProcessCounters
{
  public:
    ProcessCounters();
    ProcessCounts now() const;
    // Creates and frees a few objects of each kind and checks that every count follows, so a
    // count that cannot move never passes a leak check.
    bool selfCheck();
    // False where this process has no GDI handle table to count (32-bit wine).
    bool canCountGdiObjects() const { return gdiCountable; }
    std::string report() const { return sources + checkLog; }
    static std::string describe(const ProcessCounts& before, const ProcessCounts& after);

  private:
    bool systemGdi = false;
    bool systemUser = false;
    bool systemHandles = false;
    bool gdiCountable = true;
    std::string sources;
    std::string checkLog;
};
