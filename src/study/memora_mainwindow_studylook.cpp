// The study window's presentation: help texts, skin, placement and the heights of the
// text areas inside the main display.

#include "study/memora_mainwindow_study.h"

#include "app/apppath.h"
#include "study/hotkeys.h"
#include "study/memora_mainwindow_learnanswer.h"
#include "study/memora_mainwindow_learnbiginfo.h"
#include "study/memora_mainwindow_learnoperate.h"
#include "study/memora_mainwindow_studyquestion.h"
#include "study/studygeometry.h"

#include <QApplication>
#include <QFontMetrics>
#include <QIcon>
#include <QScreen>
#include <QStyle>
#include <QTextDocument>

namespace {

QString keyOf(const char *action)
{
    return Hotkeys::keyText(QLatin1String(action));
}

} // namespace

void Memora_MainWindow_Study::installHelpTexts()
{
    const bool advanced = Hotkeys::advancedMode();
    tBtn_whatThis->setToolTip(tr("进入帮助模式"));
    if (advanced) {
        m_operate->pBtn_knowWell->setWhatsThis(
            tr("<h2><strong><font color=blue>掌握</color></strong></h2><p>表示已经完全掌握该单词</"
               "p><b>快捷键：<font color=#FF4D00>%1</b>")
                .arg(keyOf("KnowWell")));
        m_operate->pBtn_dim->setWhatsThis(
            tr("<h2><strong><font color=blue>模糊</color></strong></h2> "
               "<p>表示对该单词有印象</p><b>快捷键：<font color=#FF4D00>%1</b>")
                .arg(keyOf("Dim")));
        m_operate->pBtn_unknown->setWhatsThis(
            tr("<h2><strong><font color=blue>未知</color></strong></h2> "
               "<p>表示这是个全新的单词</p><b>快捷键：<font color=#FF4D00>%1</b>")
                .arg(keyOf("Unknown")));
    }
    m_operate->pBtn_plain->setWhatsThis(
        tr("<h2><strong><font color=blue>记得</color></strong></h2> "
           "<p>表示记得该单词</p><b>快捷键：<font color=#FF4D00>%1</b>")
            .arg(keyOf("Plain")));
    m_operate->pBtn_oblivious->setWhatsThis(
        tr("<h2><strong><font color=blue>忘记</color></strong></h2> "
           "<p>表示不记得该单词</p><b>快捷键：<font color=#FF4D00>%1</b>")
            .arg(keyOf("Oblivious")));
    m_operate->pBtn_right->setWhatsThis(
        tr("<h2><strong><font color=blue>正确</color></strong></h2> "
           "<p>表示刚才记忆正确</p><b>快捷键：<font color=#FF4D00>%1</b>")
            .arg(keyOf("Right")));
    m_operate->pBtn_error->setWhatsThis(
        tr("<h2><strong><font color=blue>错误</color></strong></h2> "
           "<p>表示刚才记忆有误</p><b>快捷键：<font color=#FF4D00>%1</b>")
            .arg(keyOf("Error")));
    m_operate->pBtn_next->setWhatsThis(
        tr("<h2><strong><font color=blue>学习下一单词</color></strong></h2><p>学习下一个单词</"
           "p><b>快捷键：<font color=#FF4D00>%1</b>")
            .arg(keyOf("Next")));
    tBtn_exit->setWhatsThis(
        (advanced ? tr("<h2><strong><font color=blue>退出</color></strong></h2><p>退出学习模块…</"
                       "p><b>快捷键：<font color=#FF4D00>%1</b>")
                  : tr("<h2><strong><font color=blue>返回</color></strong></h2><p>"
                       "退出学习模块，返回到主界面…</p><b>快捷键：<font color=#FF4D00>%1</b>"))
            .arg(keyOf("ExitLearn")));
    m_question->tBtn_speak->setWhatsThis(
        tr("<h2><strong><font color=blue>单词发音</color></strong></h2><p>播放当前单词的发音。</"
           "p><p><b>快捷键：<font color=#FF4D00>%1</color></b></"
           "p>现有系统提供“语音合成”、“有道语音”及“海词语音”三种单词发音形式，这需要在[系统设置]-"
           ">[语音]里设置！")
            .arg(keyOf("Speak")));
    m_example->setWhatsThis(
        (advanced
             ? tr("<h2><strong><font color=blue>例句</color></strong></h2><p>显示当前单词的例句</"
                  "p> <p>可通过<b>快捷键:<font color=#FF4D00>%1</color></b></p>隐藏或显示例句")
             : tr("<h2><strong><font color=blue>例句</color></strong></h2><p>显示当前单词的例句</"
                  "p><p> 可通过<b>快捷键:<font color=#FF4D00>%1</color></b></p>隐藏或显示例句"))
            .arg(keyOf("ShowEs")));
    stackedWidget_staticsInfo->setWhatsThis(
        tr("<h2><strong><font color=blue>统计信息</color></strong></h2><p>显示当前学习的统计信息</"
           "p> <p>可通过<b>快捷键:<font color=#FF4D00>%1</color></b></p>隐藏或显示统计信息")
            .arg(keyOf("ShowSI")));
    lab_tip->setWhatsThis(tr("<h2><strong><font color=blue>提示区</color></strong></h2> "
                             "请您根据提示的信息，做出相应的操作！"));
    lab_courseName->setWhatsThis(
        tr("<h2><strong><font color=blue>课程名</color></strong></h2>当前学习课程的名称！"));
    tBtn_infoMode->setWhatsThis(
        tr("<h2><strong><font "
           "color=blue>可选项</color></strong></h2>可选项是学习模块的一些学习辅助选项！"));
}

void Memora_MainWindow_Study::applySkin()
{
    setObjectName(QStringLiteral("main"));
    setStyleSheet(QStringLiteral("#main {background-image:url(%1)}")
                      .arg(appRelativePath(QStringLiteral("/images/bg_study.png"))));
    frame_tip->setObjectName(QStringLiteral("tip"));
    frame_tip->setStyleSheet(
        QStringLiteral("#tip {background-image:url(%1) round;\n }QToolButton:hover#tBtn_whatThis{"
                       "border-image:url(%2);}")
            .arg(appRelativePath(QStringLiteral("/images/bg_tipbar.png")),
                 appRelativePath(QStringLiteral("/images/buttonGlow.png"))));
    tBtn_whatThis->setIcon(QIcon(appPath(QStringLiteral("/images/help.png"))));
    lab_tip->setStyleSheet(QStringLiteral("background: transparent;"));
    frame_maindispaly_border->setObjectName(QStringLiteral("maindisplay"));
    frame_maindispaly_border->setStyleSheet(
        QStringLiteral("#maindisplay {border-image:url(%1) round;\nborder-width:20px;\n\n}")
            .arg(appRelativePath(QStringLiteral("/images/br_area.png"))));
    const QString area = QStringLiteral("border-image:url(%1) round;\nborder-width:0px;\n\n")
                             .arg(appRelativePath(QStringLiteral("/images/bg_area.png")));
    for (QWidget *stack :
         {static_cast<QWidget *>(stWi_answer), static_cast<QWidget *>(stWi_question),
          static_cast<QWidget *>(stWi_info), static_cast<QWidget *>(stWi_blank)})
        stack->setStyleSheet(area);
    frame_statebar->setObjectName(QStringLiteral("statebar"));
    frame_statebar->setStyleSheet(
        QStringLiteral("#statebar {border-image:url(%1) round;\nborder-width:0px;\n\n}")
            .arg(appRelativePath(QStringLiteral("/images/bg_area.png"))));
}

int Memora_MainWindow_Study::mainDisplayHeight() const
{
    const QScreen *screen = QGuiApplication::primaryScreen();
    const int height = screen ? screen->virtualGeometry().height() : 0;
    return StudyGeometry::mainDisplayHeight(height, m_fullScreen);
}

void Memora_MainWindow_Study::showStudyGUI()
{
    if (m_fullScreen) {
        // The whole screen also where no window manager honours the full-screen request.
        if (const QScreen *screen = QGuiApplication::primaryScreen())
            setGeometry(screen->geometry());
        showFullScreen();
        activateWindow();
        return;
    }
    if (isFullScreen())
        showNormal();
    const QScreen *screen = QGuiApplication::primaryScreen();
    if (screen) {
        const int titleBar = style()->pixelMetric(QStyle::PM_TitleBarHeight);
        setGeometry(StudyGeometry::windowGeometry(screen->virtualGeometry(),
                                                  screen->availableGeometry(), titleBar));
    }
    show();
    // The keys go to the drill at once, also after the study-parameter dialog had the focus.
    raise();
    activateWindow();
}

void Memora_MainWindow_Study::layoutPanels()
{
    if (!m_question)
        return;
    frame_maindisply->setFixedHeight(mainDisplayHeight());
    // The room inside the display's frames, less their margins and the gaps between the areas.
    const QMargins outer = vl_maindisplay->contentsMargins();
    const QMargins inner = vl_border->contentsMargins();
    const int available = frame_maindisply->height() - outer.top() - outer.bottom() - inner.top() -
                          inner.bottom() - 3 * vl_border->spacing();
    const int lineHeight = QFontMetrics(m_question->lab_word->font()).height();
    const int q = StudyGeometry::questionHeight(lineHeight, m_question->lab_word->text());
    stWi_question->setFixedHeight(q);
    m_question->lab_word->setFixedHeight(q);
    int used = q;

    QTextDocument *answer = m_answer->document();
    answer->setTextWidth(m_answer->teEdit_answerTxt->viewport()->width());
    const int a = int(answer->size().height());
    stWi_answer->setFixedHeight(a + 1);
    m_answer->teEdit_answerTxt->setFixedHeight(a);
    used += a + 1;

    QTextDocument *example = m_example->document();
    example->setTextWidth(m_example->teEdit_example->viewport()->width());
    const int e = int(example->size().height());
    if (e + used < available - 10) {
        stWi_info->setFixedHeight(e + 1);
        m_example->teEdit_example->setFixedHeight(e);
    } else {
        stWi_info->setFixedHeight(qMax(0, available - used - 9));
        m_example->teEdit_example->setFixedHeight(qMax(0, available - 10 - used));
    }
}

void Memora_MainWindow_Study::elideCourseName()
{
    // A long course name gives way to the statistics rather than widening the window past
    // its 723 pixels; the whole name is in the tool tip.
    const int room = m_fullScreen ? 400 : StudyGeometry::kWindowWidth - 620;
    lab_courseName->setMaximumWidth(room);
    lab_courseName->setText(
        lab_courseName->fontMetrics().elidedText(m_courseName, Qt::ElideRight, room));
}
