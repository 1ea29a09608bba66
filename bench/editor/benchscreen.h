// The screen every editor benchmark runs on: the offscreen platform with
// one 1920 x 1080 screen at 96 dpi, so that the main window and its panes
// have the same size in the start-up runs and in this process.
#pragma once

#include "scratchdir.h"

#include <string>

// Writes the screen's description into the folder; the value for
// QT_QPA_PLATFORM that selects it.
std::string OffscreenPlatformWithBenchScreen(const ScratchDir& folder);
