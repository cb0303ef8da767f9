#include "ui/MoneyTable.h"

#include <QStringList>
#include <QTableWidget>

#include "ui/StatsTable.h"

namespace pk10::ui {

QTableWidget* NewMoneyTable(QWidget* parent) {
    QTableWidget* table = NewStatsTable(parent);
    table->setColumnCount(kMoneyColumnCount);
    QStringList columns;
    for (const char* title : kMoneyColumnTitles) {
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
    const auto texts = MoneyTableTexts(plans, randomPlans);
    for (int row = 0; row < kStatsRowCount; ++row) {
        for (int column = 0; column < kMoneyColumnCount; ++column) {
            table.item(row, column)
                ->setText(QString::fromStdString(
                    texts[static_cast<std::size_t>(row)][static_cast<std::size_t>(column)]));
        }
    }
}

}  // namespace pk10::ui
