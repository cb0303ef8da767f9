#pragma once
// The statistics window's "导出CSV": the settled plans of a replay written as
// CSV, whole (a temporary file moved over the old one), and the line that
// tells the user how it went.

#include <filesystem>
#include <string>
#include <vector>

#include "stats/Money.h"
#include "stats/SettledPlansCsv.h"

namespace pk10 {

struct CsvExport {
    bool written = false;
    // "已导出 12 个计划到 <file>", or "无法写入 <file>：<reason>".
    std::string message;
};

CsvExport ExportSettledPlans(const std::filesystem::path& file,
                             const std::vector<SettledPlan>& plans, const MoneyRules& rules);

}  // namespace pk10
