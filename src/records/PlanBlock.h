#pragma once
// The plan block of a per-day file: a book's listed lines, newest first, each
// followed by "<br>", all on one line. Slot texts are stored exactly as the book
// holds them: a line that the settling ended with "\r\n" keeps its CR LF inside
// the block, and reading splits only at "<br>", so a book read back from its
// block writes the same block again.

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "plan/PlanState.h"

namespace pk10 {

inline constexpr std::string_view kPlanBlockSeparator = "<br>";

// Whether a Position's file lists slot 0 even when no slot holds a plan line
// (every Position but 1).
bool FileWritesSlotZero(int position);

// The block of `book`: slot `last`, "<br>", slot `last` - 1, "<br>", ... slot 0,
// "<br>", where `last` is the book's last listed slot with the slot-0 rule
// given; empty when nothing is listed.
std::string PlanBlock(const PlanBook& book, bool slotZeroAlways);

// The entries of a block, newest first: the texts before each "<br>", at most
// `maxEntries` of them (the newest). Text after the last "<br>" is no entry.
std::vector<std::string_view> SplitPlanBlock(std::string_view block, std::size_t maxEntries);

// Puts `newestFirst` into `book` oldest first: the last entry into slot 0, the
// first into slot size - 1. At most the book's listed slots are filled (the
// newest entries are kept); the other slots are left as they are.
void RestoreBook(PlanBook& book, const std::vector<std::string>& newestFirst);

// The entries of a per-day file's GBK bytes as UTF-8 texts, newest first, at
// most the listed slots of a book. An entry that is not valid GBK is left out.
std::vector<std::string> DecodeDayFileEntries(std::string_view gbk);

}  // namespace pk10
