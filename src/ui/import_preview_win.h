#pragma once
// The window that shows what an import would add, before anything is added:
// every person of the file with a check box, the ticks the plan starts with,
// and the count of free places and ticks. It exchanges data only: the plan
// comes in, the ticks go out; the table is the caller's.
#include <windows.h>

#include <optional>
#include <string>
#include <vector>

#include "exchange/import_plan.h"

namespace quillora {

// Opens the preview over `mainWindow`, disabled while it is open, and runs
// its own message loop. Returns one tick per row of the plan after "IMPORT"
// (never more ticks than free places), nothing after "CANCEL", Esc or the
// close box. `heading` stands above the list.
std::optional<std::vector<bool>> RunImportPreview(HWND mainWindow, const ImportPlan& plan,
                                                  const std::string& heading);

}  // namespace quillora
