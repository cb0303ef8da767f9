#include "ui/StatsTable.h"

#include <QHeaderView>
#include <QStringList>
#include <QTableWidget>

namespace pk10::ui {

QTableWidget* NewStatsTable(QWidget* parent) {
    auto* table = new QTableWidget(kStatsRowCount, kStatsColumnCount, parent);
    QStringList columns;
    for (const char* title : kStatsColumnTitles) {
        columns << QString::fromUtf8(title);
    }
    QStringList rows;
    for (const char* title : kStatsRowTitles) {
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
    const auto texts = StatsTableTexts(report);
    for (int row = 0; row < kStatsRowCount; ++row) {
        for (int column = 0; column < kStatsColumnCount; ++column) {
            table.item(row, column)
                ->setText(QString::fromStdString(
                    texts[static_cast<std::size_t>(row)][static_cast<std::size_t>(column)]));
        }
    }
}

}  // namespace pk10::ui
