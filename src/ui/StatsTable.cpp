#include "ui/StatsTable.h"

#include <QHeaderView>
#include <QStringList>
#include <QTableWidget>
#include <array>

namespace pk10::ui {
namespace {

constexpr std::array<const char*, kStatsColumnCount> kColumnTitles = {
    "结算", "中", "挂", "命中率", "机会", "第1期中", "第2期中", "第3期中", "当前连续", "最长连挂"};

constexpr std::array<const char*, kSlotCount + 1> kRowTitles = {
    "第一名", "第二名", "第三名", "第四名", "第五名", "第六名",
    "第七名", "第八名", "第九名", "第十名", "合计"};

QString StreakText(const PlanStats& stats) {
    if (stats.currentStreak == 0) {
        return QStringLiteral("-");
    }
    return QString::number(stats.currentStreak) +
           (stats.currentStreakHits ? QString::fromUtf8(" 中") : QString::fromUtf8(" 挂"));
}

std::array<QString, kStatsColumnCount> RowTexts(const PlanStats& stats, bool total) {
    std::array<QString, kStatsColumnCount> texts;
    texts[kSettledColumn] = QString::number(stats.settled);
    texts[kHitsColumn] = QString::number(stats.hits);
    texts[kMissesColumn] = QString::number(stats.misses);
    texts[kRateColumn] = RateText(stats.HitRate().rate, stats.settled);
    texts[kChanceColumn] = RateText(kChanceHit, 1);
    texts[kPeriod1Column] = QString::number(stats.hitsByPeriod[0]);
    texts[kPeriod2Column] = QString::number(stats.hitsByPeriod[1]);
    texts[kPeriod3Column] = QString::number(stats.hitsByPeriod[2]);
    // No streak runs across Positions.
    texts[kStreakColumn] = total ? QStringLiteral("-") : StreakText(stats);
    texts[kLongestMissColumn] = QString::number(stats.longestMissStreak);
    return texts;
}

}  // namespace

QString RateText(double rate, int trials) {
    if (trials <= 0) {
        return QStringLiteral("-");
    }
    return QString::asprintf("%.1f %%", rate * 100.0);
}

QTableWidget* NewStatsTable(QWidget* parent) {
    auto* table = new QTableWidget(kSlotCount + 1, kStatsColumnCount, parent);
    QStringList columns;
    for (const char* title : kColumnTitles) {
        columns << QString::fromUtf8(title);
    }
    QStringList rows;
    for (const char* title : kRowTitles) {
        rows << QString::fromUtf8(title);
    }
    table->setHorizontalHeaderLabels(columns);
    table->setVerticalHeaderLabels(rows);
    table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    table->setSelectionMode(QAbstractItemView::NoSelection);
    table->setFocusPolicy(Qt::NoFocus);
    table->horizontalHeader()->setSectionResizeMode(QHeaderView::Stretch);
    // Rows as tall as the font needs, so all eleven fit without scrolling.
    const int rowHeight = table->fontMetrics().height() + 4;
    table->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    table->verticalHeader()->setDefaultSectionSize(rowHeight);
    for (int row = 0; row < table->rowCount(); ++row) {
        for (int column = 0; column < kStatsColumnCount; ++column) {
            auto* item = new QTableWidgetItem;
            item->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
            table->setItem(row, column, item);
        }
    }
    return table;
}

void FillStatsTable(QTableWidget& table, const StatsReport& report) {
    for (int row = 0; row <= kTotalRow; ++row) {
        const bool total = row == kTotalRow;
        const auto texts = RowTexts(total ? report.total : report.OfPosition(row + 1), total);
        for (int column = 0; column < kStatsColumnCount; ++column) {
            table.item(row, column)->setText(texts[static_cast<std::size_t>(column)]);
        }
    }
}

}  // namespace pk10::ui
