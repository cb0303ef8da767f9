#pragma once
// The statistics window's tables as report-view list views: a first column
// of row titles, then one right-aligned column per figure, every column as
// wide as the others.

#include <windows.h>

#include <string>
#include <vector>

namespace pk10::win {

using CellTexts = std::vector<std::vector<std::string>>;

// Gives `list` its columns (`headers` after the row titles' column) and a row
// per title, with empty cells.
void SetupList(HWND list, const std::vector<std::string>& headers,
               const std::vector<std::string>& rowTitles);
// Puts `rows` into the cells after the row titles.
void FillList(HWND list, const CellTexts& rows);

}  // namespace pk10::win
