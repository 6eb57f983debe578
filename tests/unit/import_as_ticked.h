#pragma once
// An import without the preview, for the tests, the fuzz targets and the
// benchmarks: everyone the file gives who can be added, ticked as the
// preview ticks them at first.
#include <vector>

#include "exchange/import_plan.h"

namespace quillora {

inline ImportSummary ImportAsTicked(BirthdayTable& table, const std::vector<ImportedBirthday>& birthdays,
                                    const CodePage& codePage) {
    const ImportPlan plan = PlanImport(table, birthdays, codePage);
    return AddTickedRows(table, plan, plan.InitialTicks());
}

}  // namespace quillora
