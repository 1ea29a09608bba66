#include "benchscreen.h"

#include <fstream>

std::string OffscreenPlatformWithBenchScreen(const ScratchDir& folder)
{
    const std::string screen = folder.File("screen.json");
    std::ofstream(screen) << R"({"screens": [{"name": "bench", "x": 0, "y": 0, "width": 1920, "height": 1080,)"
                             R"( "logicalDpi": 96, "logicalBaseDpi": 96, "dpr": 1}]})";
    return "offscreen:configfile=" + screen;
}
