#pragma once

// The program's module: its dialog templates, icon, banner and strings, as the window
// system's resource tables. The program hands it to the window system when it starts it.

#include "platform/core/dialog_template.h"

extern const ModuleResources ProgramResources;
