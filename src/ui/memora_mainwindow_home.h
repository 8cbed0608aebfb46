#pragma once

#include "ui_memora_mainwindow_home.h"

#include "user/usermgr.h"

#include <QDateTime>
#include <QModelIndex>
#include <QWidget>

class LearnReportMgr;
class LearnSkillMgr;
class Memora_HomeChartPanel;

// The home tab: the learner's report, a study tip with buttons to leaf through the tips,
// and the courses being learned, studied by a double click or the study button. Beside the
// report, charts of the learner's progress that follow the course current in the table.
class Memora_MainWindow_Home : public QWidget, private Ui::Memora_MainWindow_Home
{
    Q_OBJECT

public:
    Memora_MainWindow_Home(const QDateTime &lastLoginTime, const QString &userName,
                           QWidget *parent = nullptr);
    ~Memora_MainWindow_Home() override;

    // Reloads the report, the first tip and the course table, selecting row 0.
    void refresh();
    // Makes the row current and selected, and its course the one the study button studies.
    void selectRow(int row);

    QString selectedCourseName() const { return m_courseName; }
    int selectedCourseId() const { return m_courseId; }
    int selectedCourseType() const { return m_courseType; }
    QTableView *courseTable() const { return tableView_homeCourseCovers; }
    QPushButton *studyButton() const { return pBtn_study; }
    Memora_HomeChartPanel *chartPanel() const { return m_charts; }
    QString reportText() const;
    QString tipText() const;

    // The seven report lines for the values given.
    static QString formatReport(int loginCount, const QDateTime &lastLoginTime,
                                const LearnReportMgr &report);

private Q_SLOTS:
    void on_tableView_homeCourseCovers_doubleClicked(const QModelIndex &index);
    void on_pBtn_prev_clicked();
    void on_pBtn_next_clicked();
    void on_tableView_homeCourseCovers_clicked(const QModelIndex &index);
    void on_pBtn_study_clicked();
    void sortSel(int column);

protected:
    void changeEvent(QEvent *event) override;

private:
    void selectCourseOfRow(int row);
    // Redraws the charts for the course of the table's current row (all courses when there
    // is none); unless forced, only when that course changed.
    void refreshCharts(bool force);
    void currentRowChanged();

    QString m_userName;
    QString m_courseName;
    QDateTime m_lastLoginTime;
    int m_courseId = 0;
    int m_courseType = 0;
    UserInfo m_userInfo;
    LearnReportMgr *m_report;
    LearnSkillMgr *m_tips;
    Memora_HomeChartPanel *m_charts;
    QString m_chartRecordPath;
};
