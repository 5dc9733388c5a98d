#pragma once

// The five dialog templates of the program: the main dialog and its four tab pages. Each is
// plain data (see platform/core/dialog_template.h); building windows from them is the window
// system's job, and what the controls do is the pages' job.

#include "platform/core/dialog_template.h"

extern const DialogTemplate MainDialogTemplate;  // 1000
extern const DialogTemplate LogicPageTemplate;   // 2000
extern const DialogTemplate MathPageTemplate;    // 3000
extern const DialogTemplate ConvertPageTemplate; // 4000
extern const DialogTemplate AboutPageTemplate;   // 5000
