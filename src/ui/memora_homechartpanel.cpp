#include "ui/memora_homechartpanel.h"

#include <QBarCategoryAxis>
#include <QBarSeries>
#include <QBarSet>
#include <QButtonGroup>
#include <QCategoryAxis>
#include <QChart>
#include <QChartView>
#include <QCursor>
#include <QHBoxLayout>
#include <QLegend>
#include <QStackedBarSeries>
#include <QStackedWidget>
#include <QToolButton>
#include <QToolTip>
#include <QVBoxLayout>
#include <QValueAxis>

namespace {

// The main window's skin ("/images/main.qss"): ivory ground, sage lines, teal accents.
const QColor kGround(0xFD, 0xFC, 0xF8);
const QColor kGrid(0xE3, 0xEC, 0xE6);
const QColor kText(0x3E, 0x5A, 0x52);
const QColor kTeal(0x2E, 0x7D, 0x6B);
const QColor kSage(0x5F, 0xA5, 0x8F);
const QColor kPale(0xB9, 0xD1, 0xC5);

QFont smallFont(qreal scale)
{
    QFont font;
    font.setPointSizeF(font.pointSizeF() * scale);
    return font;
}

QBarSet *barSet(const QString &label, const QList<int> &values, const QColor &colour)
{
    auto *set = new QBarSet(label);
    for (int value : values)
        set->append(value);
    set->setColor(colour);
    set->setBorderColor(colour);
    // The exact count of a bar on hover: the axes only carry a few ticks.
    QObject::connect(set, &QBarSet::hovered, set, [set](bool status, int index) {
        if (status)
            QToolTip::showText(QCursor::pos(),
                               QStringLiteral("%1：%2").arg(set->label()).arg(int(set->at(index))));
        else
            QToolTip::hideText();
    });
    return set;
}

// Axis of counts from 0 to just above the highest bar, in at most four whole-number steps
// of 1, 2 or 5 times a power of ten.
QValueAxis *countAxis(int highest)
{
    int step = 1;
    for (int power = 1; highest > 4 * step; power *= 10) {
        for (int factor : {1, 2, 5}) {
            step = factor * power;
            if (highest <= 4 * step)
                break;
        }
    }
    const int intervals = highest == 0 ? 4 : (highest + step - 1) / step;
    auto *axis = new QValueAxis;
    axis->setRange(0, intervals * step);
    axis->setTickCount(intervals + 1);
    axis->setLabelFormat(QStringLiteral("%d"));
    axis->setLabelsFont(smallFont(0.8));
    axis->setLabelsColor(kText);
    axis->setGridLineColor(kGrid);
    axis->setLinePenColor(kGrid);
    return axis;
}

// Axis of count days from first, labelled only every few days so that the labels never
// crowd; "今天" marks today.
QCategoryAxis *dayAxis(const QDate &first, int count, int every, const QDate &today)
{
    auto *axis = new QCategoryAxis;
    axis->setLabelsPosition(QCategoryAxis::AxisLabelsPositionOnValue);
    axis->setStartValue(-0.5);
    for (int i = 0; i < count; i += every) {
        const QDate day = first.addDays(i);
        axis->append(day == today ? QObject::tr("今天") : day.toString(QStringLiteral("M/d")), i);
    }
    axis->setRange(-0.5, count - 0.5);
    axis->setLabelsFont(smallFont(0.8));
    axis->setLabelsColor(kText);
    axis->setGridLineVisible(false);
    axis->setLinePenColor(kGrid);
    return axis;
}

int highestOf(const QList<int> &values)
{
    int highest = 0;
    for (int value : values)
        highest = qMax(highest, value);
    return highest;
}

} // namespace

Memora_HomeChartPanel::Memora_HomeChartPanel(const QString &userName, QWidget *parent)
    : QWidget(parent), m_data(userName), m_buttons(new QButtonGroup(this)),
      m_stack(new QStackedWidget(this))
{
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(2);
    auto *bar = new QHBoxLayout;
    bar->setSpacing(2);
    const QStringList names = {tr("到期预测"), tr("每日学习"), tr("单词分布")};
    const QStringList tips = {tr("今后14天每天到期复习的单词数"),
                              tr("近30天每天学习的新词和复习的单词"),
                              tr("所选课程的单词：新词、各遗忘点上的单词、已掌握的单词")};
    for (int i = 0; i < names.size(); ++i) {
        auto *button = new QToolButton(this);
        button->setObjectName(QStringLiteral("tBtn_chart%1").arg(i));
        button->setText(names.at(i));
        button->setToolTip(tips.at(i));
        button->setCheckable(true);
        button->setAutoRaise(true);
        button->setStyleSheet(QStringLiteral(
            "QToolButton{padding:1px 6px;color:#3E5A52;}"
            "QToolButton:checked{background:#E8F1EC;color:#1F5A4D;font-weight:bold;}"));
        m_buttons->addButton(button, i);
        bar->addWidget(button);

        auto *chart = new QChart;
        chart->setBackgroundBrush(kGround);
        chart->setBackgroundPen(Qt::NoPen);
        chart->setBackgroundRoundness(4);
        chart->setMargins(QMargins(2, 2, 2, 2));
        chart->setTitleFont(smallFont(0.9));
        chart->setTitleBrush(kText);
        chart->setAnimationOptions(QChart::NoAnimation);
        chart->legend()->setFont(smallFont(0.8));
        chart->legend()->setLabelColor(kText);
        chart->legend()->setAlignment(Qt::AlignRight);
        auto *view = new QChartView(chart, m_stack);
        view->setObjectName(QStringLiteral("chartView_%1").arg(i));
        view->setRenderHint(QPainter::Antialiasing);
        view->setMinimumSize(200, 140);
        view->setStyleSheet(QStringLiteral("background: transparent; border: none;"));
        m_views << view;
        m_stale << true;
        m_stack->addWidget(view);
    }
    bar->addStretch();
    layout->addLayout(bar);
    layout->addWidget(m_stack, 1);
    connect(m_buttons, &QButtonGroup::idClicked, this, &Memora_HomeChartPanel::showChart);
    showChart(DueForecast);
}

Memora_HomeChartPanel::~Memora_HomeChartPanel() = default;

int Memora_HomeChartPanel::currentChart() const
{
    return m_stack->currentIndex();
}

void Memora_HomeChartPanel::showChart(int chart)
{
    if (chart < 0 || chart >= m_views.size())
        return;
    draw(chart);
    m_stack->setCurrentIndex(chart);
    if (QAbstractButton *button = m_buttons->button(chart))
        button->setChecked(true);
}

QChart *Memora_HomeChartPanel::chart(int chart)
{
    if (chart < 0 || chart >= m_views.size())
        return nullptr;
    draw(chart);
    return m_views.at(chart)->chart();
}

void Memora_HomeChartPanel::draw(int chart)
{
    if (chart < 0 || chart >= m_stale.size() || !m_stale.at(chart))
        return;
    m_stale[chart] = false;
    if (chart == DueForecast)
        drawDueForecast();
    else if (chart == DailyActivity)
        drawDailyActivity();
    else
        drawWordStanding();
}

QString Memora_HomeChartPanel::pointLabel(int seconds)
{
    if (seconds > 0 && seconds % 86400 == 0)
        return tr("%1天").arg(seconds / 86400);
    if (seconds > 0 && seconds % 3600 == 0)
        return tr("%1时").arg(seconds / 3600);
    if (seconds > 0 && seconds % 60 == 0)
        return tr("%1分").arg(seconds / 60);
    return tr("%1秒").arg(seconds);
}

void Memora_HomeChartPanel::refresh(const QString &selectedRecordPath)
{
    m_data.refresh(selectedRecordPath);
    m_stale.fill(true);
    draw(currentChart());
}

namespace {

void clearChart(QChart *chart)
{
    chart->removeAllSeries();
    for (QAbstractAxis *axis : chart->axes()) {
        chart->removeAxis(axis);
        delete axis;
    }
}

void attach(QChart *chart, QAbstractSeries *series, QAbstractAxis *x, QAbstractAxis *y)
{
    chart->addSeries(series);
    chart->addAxis(x, Qt::AlignBottom);
    chart->addAxis(y, Qt::AlignLeft);
    series->attachAxis(x);
    series->attachAxis(y);
}

} // namespace

void Memora_HomeChartPanel::drawDueForecast()
{
    QChart *chart = m_views.at(DueForecast)->chart();
    clearChart(chart);
    chart->setTitle(m_data.forecastOfSelectedCourse() ? tr("所选课程今后14天到期的单词")
                                                      : tr("全部课程今后14天到期的单词"));
    const QList<int> due = m_data.dueForecast();
    auto *series = new QBarSeries;
    series->setBarWidth(0.7);
    series->append(barSet(tr("到期"), due, kTeal));
    chart->legend()->setVisible(false);
    const QDate first = m_data.firstForecastDay();
    attach(chart, series, dayAxis(first, LearnChartData::kForecastDays, 2, first),
           countAxis(highestOf(due)));
}

void Memora_HomeChartPanel::drawDailyActivity()
{
    QChart *chart = m_views.at(DailyActivity)->chart();
    clearChart(chart);
    chart->setTitle(tr("近30天每天学习的单词"));
    const QList<int> fresh = m_data.activityNew();
    const QList<int> reviewed = m_data.activityReviewed();
    QList<int> total;
    for (int i = 0; i < fresh.size(); ++i)
        total << fresh.at(i) + reviewed.at(i);
    auto *series = new QStackedBarSeries;
    series->setBarWidth(0.7);
    series->append(barSet(tr("新词"), fresh, kSage));
    series->append(barSet(tr("复习"), reviewed, kPale));
    chart->legend()->setVisible(true);
    const QDate today = m_data.firstForecastDay();
    attach(chart, series,
           dayAxis(m_data.firstActivityDay(), LearnChartData::kActivityDays, 7, today),
           countAxis(highestOf(total)));
}

void Memora_HomeChartPanel::drawWordStanding()
{
    QChart *chart = m_views.at(WordStanding)->chart();
    clearChart(chart);
    chart->legend()->setVisible(false);
    if (!m_data.hasSelectedCourse()) {
        chart->setTitle(tr("请先选择课程"));
        return;
    }
    chart->setTitle(tr("所选课程的单词分布"));
    const QList<int> standing = m_data.wordStanding();
    // Category labels must be unique: a forgetting point listed twice gets its step number.
    QStringList labels{tr("新词")};
    for (int i = 0; i < m_data.forgettingPoints().size(); ++i) {
        QString label = pointLabel(m_data.forgettingPoints().at(i));
        if (labels.contains(label))
            label += QStringLiteral("(%1)").arg(i + 1);
        labels << label;
    }
    labels << tr("掌握");
    auto *series = new QBarSeries;
    series->setBarWidth(0.7);
    series->append(barSet(tr("单词"), standing, kTeal));
    auto *axis = new QBarCategoryAxis;
    axis->append(labels);
    axis->setLabelsFont(smallFont(0.75));
    axis->setLabelsColor(kText);
    axis->setGridLineVisible(false);
    axis->setLinePenColor(kGrid);
    attach(chart, series, axis, countAxis(highestOf(standing)));
}
