#pragma once

#include "ui_memora_mainwindow_course.h"

#include <QModelIndex>
#include <QVariantList>
#include <QWidget>

class QTreeWidgetItem;

// The course tab: the category tree on the left, the courses of the selected category on
// the right, and the buttons for the kind of category below. It owns the process-wide
// category tree (g_pCourseCategoryMgr) and replaces it after every change to courses,
// categories or learning records.
class Memora_MainWindow_Course : public QWidget, private Ui::Memora_MainWindow_Course
{
    Q_OBJECT

public:
    explicit Memora_MainWindow_Course(const QString &userName, QWidget *parent = nullptr);
    ~Memora_MainWindow_Course() override;

    // Replaces the category tree object with a new one for the user.
    void reload();
    // Fills the tree widget again, keeping the selected category and course.
    void rebuildTree();
    // Makes the node with that id current; false when the tree has no such node.
    bool selectNode(int nodeId);

    int currentCourseId() const { return m_courseId; }
    QString currentCourseName() const { return m_courseName; }
    int currentMid() const { return m_mid; }
    int currentNodeId() const { return m_nodeId; }
    QTreeWidget *categoryTree() const { return treeWidet_courseCategory; }
    QTableView *courseTable() const { return tableView_courseList; }
    QPushButton *studyButton() const { return pBtn_study; }
    QPushButton *addCategoryButton() const { return pBtn_addCategory; }
    QPushButton *modifyCategoryButton() const { return pBtn_modifyCategory; }
    QPushButton *importButton() const { return pBtn_importCourse; }

    // The global course page (null when none exists).
    static Memora_MainWindow_Course *instance();

public Q_SLOTS:
    void currentItemChanged(QTreeWidgetItem *current, QTreeWidgetItem *previous);
    void currentRowChanged(const QModelIndex &current, const QModelIndex &previous);
    void sortSel(int column);
    // Selects the first row whose course has that mid.
    void sort(int mid);
    // Shows the button bar for a course of that mid; false when it must be downloaded.
    bool showStudyDown(int mid);

private Q_SLOTS:
    void on_tableView_courseList_doubleClicked(const QModelIndex &index);
    void on_pBtn_addCategory_clicked();
    void on_pBtn_modifyCategory_clicked();
    void on_pBtn_delUserCourse_clicked();
    void on_pBtn_importCourse_clicked();
    void on_pBtn_study_clicked();
    void on_pBtn_studyMyself_clicked();
    void on_pBtn_studyUser_clicked();
    void on_pBtn_down_clicked();
    void on_pBtn_delCourse_clicked();
    void on_pBtn_delUser_clicked();

protected:
    void changeEvent(QEvent *event) override;

private:
    struct SortChoice
    {
        int column = 0;
        Qt::SortOrder order = Qt::AscendingOrder;
    };

    void initialise();
    void startStudy();
    bool download(int mid);
    void selectCourseRow(int row);
    void connectSelectionModel();
    SortChoice &sortChoice(int catype);
    bool askYesNo(const QString &text);
    void warn(const QString &text);
    // The rows of the table; 0 without a model.
    int rowCount() const;

    QString m_userName;
    bool m_firstLoad = true;
    QString m_courseName;
    int m_courseId = 0;
    int m_mid = 0;
    int m_row = 0;
    int m_nodeId = 0;
    SortChoice m_sort[3];
};
