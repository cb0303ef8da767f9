#include "app/CsvExport.h"

#include "app/StatsWindowText.h"
#include "io/FileWrite.h"
#include "io/PathText.h"

namespace pk10 {

CsvExport ExportSettledPlans(const std::filesystem::path& file,
                             const std::vector<SettledPlan>& plans, const MoneyRules& rules) {
    const int error = ReplaceFile(file, SettledPlansCsv(plans, rules));
    const std::string shown = PathUtf8(file);
    if (error != 0) {
        return {false, CannotWriteText(shown, FileErrorReason(error))};
    }
    return {true, ExportedText(plans.size(), shown)};
}

}  // namespace pk10
