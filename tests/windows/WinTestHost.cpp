// A host window with the plug-in's editor in it, for the interaction test under wine: it runs
// a message loop with the host's idle calls and answers commands that the test script drops
// into a folder (one at a time):
//   command file "command", one line:   reply file "reply":
//     origin                              screen x y of the editor's top-left corner
//     set INDEX VALUE                     ok (the host sets a parameter; the call log is cleared)
//     get INDEX                           the parameter's value
//     calls                               the recorded host calls, then clears them
//     snapshot PATH                       the editor's picture through the plug-in's export: 1/0
//     quit
//   ofc_win_test_host.exe PLUGIN_DLL FOLDER TITLE

#include "WinPluginHost.h"

#include <cstdio>
#include <cstring>
#include <fstream>
#include <sstream>
#include <string>

namespace
{
AEffect* effect = nullptr;
PluginDll* plugin = nullptr;
HWND host = nullptr;
std::string folder;

std::string answer(const std::string& line)
{
    std::istringstream in(line);
    std::string verb;
    in >> verb;
    std::ostringstream out;
    if (verb == "origin")
    {
        HWND editor = editorWindowsIn(host, plugin->module()).empty()
                          ? nullptr
                          : editorWindowsIn(host, plugin->module()).front();
        POINT corner{0, 0};
        if (!editor || !ClientToScreen(editor, &corner)) return "none";
        out << corner.x << " " << corner.y;
    }
    else if (verb == "set")
    {
        int index = 0;
        float value = 0;
        in >> index >> value;
        effect->setParameter(effect, index, value);
        runMessages(60, effect);
        hostCalls().clear();
        out << "ok";
    }
    else if (verb == "get")
    {
        int index = 0;
        in >> index;
        char text[32];
        std::snprintf(text, sizeof(text), "%.6f", effect->getParameter(effect, index));
        out << text;
    }
    else if (verb == "calls")
    {
        out << describeCalls(hostCalls());
        hostCalls().clear();
    }
    else if (verb == "snapshot")
    {
        std::string path;
        std::getline(in >> std::ws, path);
        out << plugin->snapshot(effect, path.c_str(), 0);
    }
    else if (verb == "quit")
    {
        PostQuitMessage(0);
        out << "bye";
    }
    else
        out << "unknown";
    return out.str();
}

void pollCommand()
{
    const std::string commandPath = folder + "/command";
    std::ifstream command(commandPath);
    if (!command) return;
    std::string line;
    std::getline(command, line);
    command.close();
    DeleteFileA(commandPath.c_str());
    const std::string reply = answer(line);
    const std::string temporary = folder + "/reply.tmp";
    {
        std::ofstream out(temporary);
        out << reply << "\n";
    }
    MoveFileExA(temporary.c_str(), (folder + "/reply").c_str(), MOVEFILE_REPLACE_EXISTING);
}

void CALLBACK onTimer(HWND, UINT, UINT_PTR, DWORD)
{
    dispatch(effect, effEditIdle);
    pollCommand();
}
} // namespace

int main(int argc, char** argv)
{
    if (argc < 4)
    {
        std::fprintf(stderr, "usage: %s PLUGIN_DLL FOLDER TITLE\n", argv[0]);
        return 2;
    }
    PluginDll dll(argv[1]);
    plugin = &dll;
    folder = argv[2][0] == '/' ? std::string("Z:") + argv[2] : argv[2];
    if (!dll.isLoaded() || !dll.snapshot) return 3;
    effect = dll.createEffect();
    if (!effect) return 4;
    ERect* rect = nullptr;
    dispatch(effect, effEditGetRect, 0, 0, &rect);
    if (!rect) return 5;
    std::wstring title(argv[3], argv[3] + std::strlen(argv[3]));
    host =
        createHostWindow(title.c_str(), 40, 30, rect->right - rect->left, rect->bottom - rect->top);
    if (!host) return 6;
    SetForegroundWindow(host);
    if (dispatch(effect, effEditOpen, 0, 0, host) != 1) return 7;
    SetTimer(nullptr, 0, 20, &onTimer);
    MSG message;
    while (GetMessageW(&message, nullptr, 0, 0) > 0)
    {
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
    dispatch(effect, effEditClose);
    dispatch(effect, effClose);
    DestroyWindow(host);
    return 0;
}
