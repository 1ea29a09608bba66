// The files a random session's dialogs and drops choose from: small
// pictures, maps and Tiled maps, good ones and damaged ones of each kind,
// plus places a save may go (some of which it cannot).
#pragma once

#include <string>
#include <vector>

#include "scratchfolder.h"

struct SessionFiles {
    SessionFiles();

    ScratchFolder folder;
    std::vector<std::string> pictures;  // what Open Bitmap is meant for (good and bad)
    std::vector<std::string> maps;      // what File Open is meant for (good and bad)
    std::vector<std::string> others;    // a text file, a missing file, a folder
    std::vector<std::string> saves;     // where Save may be told to write
};
