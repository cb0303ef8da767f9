#include "ui/StatsCharts.h"

#ifdef PK10_HAVE_CHARTS
#include <QBarCategoryAxis>
#include <QBarSeries>
#include <QBarSet>
#include <QChart>
#include <QChartView>
#include <QLegendMarker>
#include <QLineSeries>
#include <QScatterSeries>
#include <QValueAxis>
#endif

namespace pk10::ui {

#ifdef PK10_HAVE_CHARTS
namespace {

QString Text(const char* utf8) {
    return QString::fromUtf8(utf8);
}

// The chart of `view` emptied of its series and axes.
QChart* ClearedChart(QWidget* view) {
    auto* chartView = static_cast<QChartView*>(view);
    QChart* chart = chartView->chart();
    chart->removeAllSeries();
    for (QAbstractAxis* axis : chart->axes()) {
        chart->removeAxis(axis);
        delete axis;
    }
    return chart;
}

QBarCategoryAxis* CategoryAxis(int count, int first) {
    auto* axis = new QBarCategoryAxis;
    for (int i = 0; i < count; ++i) {
        axis->append(QString::number(first + i));
    }
    return axis;
}

// Half the width of an error bar's caps, in bars.
constexpr double kCapHalfWidth = 0.12;

QValueAxis* HiddenAxis(double low, double high) {
    auto* axis = new QValueAxis;
    axis->setRange(low, high);
    axis->setVisible(false);
    return axis;
}

void HideFromLegend(QChart* chart, QAbstractSeries* series) {
    for (QLegendMarker* marker : chart->legend()->markers(series)) {
        marker->setVisible(false);
    }
}

QList<QPointF> Points(const std::vector<ChartPoint>& points) {
    QList<QPointF> list;
    list.reserve(static_cast<qsizetype>(points.size()));
    for (const ChartPoint& point : points) {
        list.append(QPointF(point.x, point.y));
    }
    return list;
}

}  // namespace

bool ChartsAvailable() {
    return true;
}

QWidget* NewChartView(QWidget* parent) {
    auto* chart = new QChart;
    chart->setMargins(QMargins(2, 2, 2, 2));
    chart->legend()->setAlignment(Qt::AlignBottom);
    auto* view = new QChartView(chart, parent);
    view->setRenderHint(QPainter::Antialiasing);
    return view;
}

void ShowHitRates(QWidget* view, const HitRateFigures& figures) {
    if (view == nullptr) {
        return;
    }
    QChart* chart = ClearedChart(view);
    chart->setTitle(Text(kHitRateChartTitle));

    auto* rates = new QBarSet(Text(kHitRateSeriesText));
    for (const PositionRate& position : figures.positions) {
        *rates << position.rate * 100.0;
    }
    auto* bars = new QBarSeries;
    bars->append(rates);
    chart->addSeries(bars);

    // Each rate's 95 % interval as an error bar with caps, on the hidden axis
    // that spans the bars; a Position without plans has none.
    std::vector<QLineSeries*> errorBars;
    for (std::size_t index = 0; index < figures.positions.size(); ++index) {
        const PositionRate& position = figures.positions[index];
        if (!position.rated) {
            continue;
        }
        const double x = static_cast<double>(index);
        const double low = position.low * 100.0;
        const double high = position.high * 100.0;
        auto* bar = new QLineSeries;
        bar->append({QPointF(x - kCapHalfWidth, low), QPointF(x + kCapHalfWidth, low),
                     QPointF(x, low), QPointF(x, high), QPointF(x - kCapHalfWidth, high),
                     QPointF(x + kCapHalfWidth, high)});
        chart->addSeries(bar);
        bar->setPen(QPen(Qt::black, 1.2));  // after addSeries, which gives it the theme's colour
        HideFromLegend(chart, bar);
        errorBars.push_back(bar);
    }

    // Chance as a line across the ten bars, on a hidden axis that spans them.
    auto* chance = new QLineSeries;
    chance->setName(Text(kChanceSeriesText));
    chance->append(-0.5, figures.chance * 100.0);
    chance->append(kSlotCount - 0.5, figures.chance * 100.0);
    chart->addSeries(chance);

    auto* axisY = new QValueAxis;
    axisY->setRange(figures.axisLowPercent, 100.0);
    axisY->setLabelFormat(QStringLiteral("%.0f"));
    chart->addAxis(axisY, Qt::AlignLeft);
    auto* positions = CategoryAxis(kSlotCount, 1);
    chart->addAxis(positions, Qt::AlignBottom);
    QValueAxis* lineX = HiddenAxis(-0.5, kSlotCount - 0.5);
    chart->addAxis(lineX, Qt::AlignBottom);
    bars->attachAxis(positions);
    bars->attachAxis(axisY);
    chance->attachAxis(lineX);
    chance->attachAxis(axisY);
    for (QLineSeries* bar : errorBars) {
        bar->attachAxis(lineX);
        bar->attachAxis(axisY);
    }
}

void ShowMissStreaks(QWidget* view, const StreakFigures& figures) {
    if (view == nullptr) {
        return;
    }
    QChart* chart = ClearedChart(view);
    chart->setTitle(Text(kStreakChartTitle));
    auto* series = new QBarSeries;
    auto* engine = new QBarSet(Text(kEngineSeriesText));
    auto* random = new QBarSet(Text(kRandomSeriesText));
    for (const StreakBin& bin : figures.bins) {
        *engine << bin.engineRuns;
        *random << bin.randomRuns;
    }
    series->append(engine);
    series->append(random);
    chart->addSeries(series);
    auto* lengths = CategoryAxis(static_cast<int>(figures.bins.size()), 1);
    lengths->setTitleText(Text(kStreakAxisText));
    chart->addAxis(lengths, Qt::AlignBottom);
    auto* counts = new QValueAxis;
    counts->setRange(0.0, figures.highestRuns);
    counts->applyNiceNumbers();
    counts->setLabelFormat(QStringLiteral("%.0f"));
    chart->addAxis(counts, Qt::AlignLeft);
    series->attachAxis(lengths);
    series->attachAxis(counts);
}

void ShowMoneyCurves(QWidget* view, const MoneyCurveFigures& figures) {
    if (view == nullptr) {
        return;
    }
    QChart* chart = ClearedChart(view);
    chart->setTitle(Text(kMoneyChartTitle));
    if (figures.Empty()) {
        return;
    }
    auto* axisX = new QValueAxis;
    axisX->setTitleText(Text(kMoneyAxisText));
    axisX->setLabelFormat(QStringLiteral("%.0f"));
    auto* axisY = new QValueAxis;
    axisY->setLabelFormat(QStringLiteral("%.0f"));
    chart->addAxis(axisX, Qt::AlignBottom);
    chart->addAxis(axisY, Qt::AlignLeft);

    const auto add = [&](QXYSeries* series, const char* name, const QList<QPointF>& points) {
        series->setName(Text(name));
        series->replace(points);
        chart->addSeries(series);
        series->attachAxis(axisX);
        series->attachAxis(axisY);
    };
    add(new QLineSeries, kEngineSeriesText, Points(figures.engine));
    add(new QLineSeries, kRandomSeriesText, Points(figures.random));
    auto* expected = new QLineSeries;
    expected->setPen(QPen(Qt::black, 1.5, Qt::DashLine));
    add(expected, kExpectedSeriesText, Points(figures.expected));

    if (figures.hasDrawdown) {
        auto* marks = new QScatterSeries;
        marks->setColor(Qt::red);
        marks->setMarkerSize(9);
        add(marks, DrawdownText(figures.Drawdown()).c_str(),
            Points({figures.peak, figures.trough}));
    }
    axisX->setRange(0, figures.lastX);
    axisY->setRange(figures.lowY, figures.highY);
    axisY->applyNiceNumbers();
}

#else

bool ChartsAvailable() {
    return false;
}

QWidget* NewChartView(QWidget*) {
    return nullptr;
}

void ShowHitRates(QWidget*, const HitRateFigures&) {}

void ShowMissStreaks(QWidget*, const StreakFigures&) {}

void ShowMoneyCurves(QWidget*, const MoneyCurveFigures&) {}

#endif

}  // namespace pk10::ui
