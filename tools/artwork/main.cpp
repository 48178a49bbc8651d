// Draws the editor's images and writes each as <dir>/<id>.png, and again at twice the size as
// <dir>/<id>@2x.png for high-resolution screens (the ids are resources/ImageIds.h's).
//
//   ofc-artwork <dir> [--preview <file.png>] [--preview-about <file.png>]
//
// The PNGs are committed under resources/; the build embeds them and never runs this program.
// Exits with 77 (and writes nothing) where the font the texts are set in is not installed.

#include "ArtworkSet.h"
#include "Draw.h"
#include "Preview.h"

#include <cairo.h>
#include <fontconfig/fontconfig.h>

#include <cstdio>
#include <cstring>
#include <exception>
#include <string>

namespace
{
int usage()
{
    std::fprintf(stderr, "usage: ofc-artwork <dir> [--preview <file.png>] "
                         "[--preview-about <file.png>]\n");
    return 2;
}

bool writeSet(const ArtworkSet& art, const std::string& dir, const char* suffix)
{
    for (const ImageSpec& image : kImageSpecs)
    {
        const std::string path = dir + "/" + std::to_string(image.id) + suffix + ".png";
        if (!art.at(image.id)->writePng(path))
        {
            std::fprintf(stderr, "ofc-artwork: cannot write %s\n", path.c_str());
            return false;
        }
    }
    return true;
}

int run(const std::string& dir, const std::string& previewPath, const std::string& aboutPath)
{
    if (!draw::familyInstalled())
    {
        std::fprintf(stderr,
                     "ofc-artwork: the font %s is not installed (Debian: fonts-liberation)\n",
                     draw::kFamily);
        return 77;
    }
    try
    {
        const ArtworkSet art = paintArtwork(1);
        if (!writeSet(art, dir, "")) return 1;
        if (!writeSet(paintArtwork(2), dir, "@2x")) return 1;
        if (!previewPath.empty() && !preview::write(art, previewPath, false)) return 1;
        if (!aboutPath.empty() && !preview::write(art, aboutPath, true)) return 1;
    }
    catch (const std::exception& e)
    {
        std::fprintf(stderr, "ofc-artwork: %s\n", e.what());
        return 1;
    }
    return 0;
}
} // namespace

int main(int argc, char** argv)
{
    if (argc < 2 || argv[1][0] == '-') return usage();
    const std::string dir = argv[1];
    std::string previewPath, aboutPath;
    for (int i = 2; i < argc; ++i)
    {
        const bool hasValue = i + 1 < argc;
        if (std::strcmp(argv[i], "--preview") == 0 && hasValue)
            previewPath = argv[++i];
        else if (std::strcmp(argv[i], "--preview-about") == 0 && hasValue)
            aboutPath = argv[++i];
        else
            return usage();
    }
    const int status = run(dir, previewPath, aboutPath);
    // Drop cairo's and fontconfig's caches so leak checkers see a clean exit.
    draw::releaseLayoutContext();
    cairo_debug_reset_static_data();
    FcFini();
    return status;
}
