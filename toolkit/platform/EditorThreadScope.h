#pragma once

#include <cstdint>

// What the platform needs set up on the thread that creates an editor, for the editor's whole
// life: OLE on Windows, nothing elsewhere. Only what this scope itself set up is taken down
// again, and only on the thread that set it up: a host that had already made its thread
// multi-threaded COM makes the set-up fail, and taking down what it did not set up would tear
// down the host's COM.
class EditorThreadScope
{
  public:
    EditorThreadScope();
    ~EditorThreadScope();
    EditorThreadScope(const EditorThreadScope&) = delete;
    EditorThreadScope& operator=(const EditorThreadScope&) = delete;
    bool isInitialised() const { return initialised; }

  private:
    bool initialised = false;
    [[maybe_unused]] uint32_t thread = 0; // used by the Windows scope only
};
