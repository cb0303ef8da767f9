#include "ui/MoneyTable.h"

#include <QHeaderView>
#include <QStringList>
#include <QTableWidget>
#include <array>

#include "ui/StatsTable.h"

namespace pk10::ui {
namespace {

constexpr std::array<const char*, kMoneyColumnCount> kColumnTitles = {
    "计划",     "投注",   "返还",     "盈亏",     "盈亏率",  "期望盈亏",
    "最大回撤", "破产期", "随机盈亏", "随机回撤", "随机破产"};

QString Amount(std::int64_t amount) {
    return QString::fromStdString(AmountText(amount));
}

QString Ruin(const MoneyFigures& figures) {
    return figures.ruinPeriod ? QString::asprintf("%06d", *figures.ruinPeriod)
                              : QStringLiteral("-");
}

}  // namespace

QTableWidget* NewMoneyTable(QWidget* parent) {
    QTableWidget* table = NewStatsTable(parent);
    table->setColumnCount(kMoneyColumnCount);
    QStringList columns;
    for (const char* title : kColumnTitles) {
        columns << QString::fromUtf8(title);
    }
    table->setHorizontalHeaderLabels(columns);
    for (int row = 0; row < table->rowCount(); ++row) {
        for (int column = 0; column < kMoneyColumnCount; ++column) {
            if (table->item(row, column) == nullptr) {
                auto* item = new QTableWidgetItem;
                item->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
                table->setItem(row, column, item);
            }
        }
    }
    return table;
}

void FillMoneyTable(QTableWidget& table, const MoneyReport& plans, const MoneyReport& randomPlans) {
    for (int row = 0; row <= kTotalRow; ++row) {
        const bool total = row == kTotalRow;
        const MoneyFigures& f = total ? plans.total : plans.OfPosition(row + 1);
        const MoneyFigures& r = total ? randomPlans.total : randomPlans.OfPosition(row + 1);
        const std::array<QString, kMoneyColumnCount> texts = {
            QString::number(f.followed),
            Amount(f.turnover),
            Amount(f.returned),
            Amount(f.Result()),
            f.turnover == 0 ? QStringLiteral("-")
                            : QString::asprintf("%+.2f %%", f.ResultShare() * 100),
            Amount(f.expected),
            Amount(f.deepestDrawdown),
            Ruin(f),
            Amount(r.Result()),
            Amount(r.deepestDrawdown),
            Ruin(r)};
        for (int column = 0; column < kMoneyColumnCount; ++column) {
            table.item(row, column)->setText(texts[static_cast<std::size_t>(column)]);
        }
    }
}

}  // namespace pk10::ui
