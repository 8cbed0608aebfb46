#pragma once

#include "learn/learnchartdata.h"

#include <QWidget>

class QButtonGroup;
class QChart;
class QChartView;
class QLabel;
class QStackedWidget;
class QToolButton;

// The chart panel of the home page: three small bar charts of the learner's progress,
// one shown at a time and chosen with the buttons above them:
// "到期预测" words falling due on each of the next 14 days (the selected course, or all
// courses when none is selected), "每日学习" new and reviewed words of each of the last
// 30 days (all courses, stacked), "单词分布" where the selected course's words stand
// (new, each forgetting point, known well).
class Memora_HomeChartPanel : public QWidget
{
    Q_OBJECT

public:
    enum Chart
    {
        DueForecast = 0,
        DailyActivity = 1,
        WordStanding = 2
    };

    explicit Memora_HomeChartPanel(const QString &userName, QWidget *parent = nullptr);
    ~Memora_HomeChartPanel() override;

    // Reads the records again and redraws the chart shown; the others are redrawn when
    // they are shown (or asked for). selectedRecordPath: the learning record of the
    // selected course, empty when none is selected.
    void refresh(const QString &selectedRecordPath);

    const LearnChartData &data() const { return m_data; }
    int currentChart() const;
    void showChart(int chart);
    // The chart, drawn with the figures of the last refresh.
    QChart *chart(int chart);
    // Short label of a forgetting point: "5分", "12时", "1天".
    static QString pointLabel(int seconds);

private:
    void draw(int chart);
    void drawDueForecast();
    void drawDailyActivity();
    void drawWordStanding();

    LearnChartData m_data;
    QButtonGroup *m_buttons;
    QStackedWidget *m_stack;
    QList<QChartView *> m_views;
    QList<bool> m_stale;
};
