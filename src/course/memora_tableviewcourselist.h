#pragma once

#include <QTableView>

// The table of courses on the home page and the course manager page. Only double clicks
// with the left button reach the view (and start a course); others are passed on.
class Memora_tableViewCourseList : public QTableView
{
    Q_OBJECT

public:
    explicit Memora_tableViewCourseList(QWidget *parent = nullptr);

protected:
    void mouseDoubleClickEvent(QMouseEvent *event) override;
};
