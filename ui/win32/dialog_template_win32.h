#pragma once

#include <windows.h>

#include <vector>

#include "res/dialog_template.h"

namespace zelvane::win32 {

// The dialog a template describes, as the in-memory DLGTEMPLATEEX that DialogBoxIndirectParamW and
// CreateDialogIndirectParamW take: the window program lays its dialogs out from the same data as the
// Linux one. The number list becomes a virtual list view, the overview pane an empty frame that the
// window fills with its own controls.
std::vector<WORD> BuildDialogTemplate(const res::DialogTemplate& dialog);

}  // namespace zelvane::win32
