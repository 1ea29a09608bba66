// Every file zellmap writes is saved like the editor's maps: beside its
// target under a temporary name, synced, then renamed over the target.
#pragma once

#include "safesave.h"

using OutputFile = SafeSave;
