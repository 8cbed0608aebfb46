#include "ui/memora_mainwindow_progressdialog.h"

#include "app/product.h"

#include "course/ocoursedownmgr.h"
#include "ui/dialogplacement.h"

#include <QEvent>
#include <QGuiApplication>
#include <QHash>
#include <QMessageBox>

#include <limits>

Memora_MainWindow_ProgressDialog::Memora_MainWindow_ProgressDialog(int mid,
                                                                   const QString &courseName,
                                                                   QWidget *parent)
    : QDialog(parent), m_downMgr(new OCourseDownMgr(this)), m_courseName(courseName)
{
    setupUi(this);
    setWindowTitle(Product::displayName());
    centreOverMainWindow(this);
    applyTexts();
    pBar_progress->setRange(0, 100);
    pBar_progress->setValue(0);
    connect(m_downMgr, &OCourseDownMgr::finished, this,
            &Memora_MainWindow_ProgressDialog::finalResutl);
    connect(m_downMgr, &OCourseDownMgr::updateDataReadProgress, this,
            &Memora_MainWindow_ProgressDialog::updateProgress);
    m_downMgr->download(mid);
}

Memora_MainWindow_ProgressDialog::~Memora_MainWindow_ProgressDialog() = default;

QString Memora_MainWindow_ProgressDialog::messageForCode(int code)
{
    static const QHash<int, const char *> messages{
        {1, QT_TR_NOOP("官方服务拒绝您的连接，请稍后重试 或 联系我们！")},
        {2, QT_TR_NOOP("官方服务器被关闭，请稍后重试 或 联系我们！")},
        {3, QT_TR_NOOP("连接不到官方服务器，请您检查网络！")},
        {4, QT_TR_NOOP("连接超时，请稍后重试……")},
        {5, QT_TR_NOOP("您放弃下载课本……")},
        {6, QT_TR_NOOP("SSL握手失败，请稍后重试……")},
        {7, QT_TR_NOOP("临时网络故障，请您检查网络！")},
        {99, QT_TR_NOOP("未知的网络错误，请下次重试……")},
        {101, QT_TR_NOOP("代理服务器连接被拒绝，请您检查网络！")},
        {102, QT_TR_NOOP("代理服务器连接关闭，请稍后重试……")},
        {103, QT_TR_NOOP("代理服务器未被发现，请您检查网络！")},
        {104, QT_TR_NOOP("代理服务器连接超时，请稍后重试……")},
        {105, QT_TR_NOOP("代理服务器需要身份验证……")},
        {199, QT_TR_NOOP("未知的代理错误！")},
        {201, QT_TR_NOOP("内容访问被拒绝，请联系我们！")},
    };
    return tr(messages.value(code, QT_TR_NOOP("未知网络错误，请联系我们！")));
}

void Memora_MainWindow_ProgressDialog::setMinVal(qint64 value)
{
    pBar_progress->setMinimum(int(value));
}

void Memora_MainWindow_ProgressDialog::setMaxVal(qint64 value)
{
    pBar_progress->setMaximum(int(value));
}

void Memora_MainWindow_ProgressDialog::setCurVal(qint64 value)
{
    pBar_progress->setValue(int(value));
}

void Memora_MainWindow_ProgressDialog::updateProgress(qint64 current, qint64 total)
{
    if (total <= 0)
        return;
    // Byte counts may pass the bar's int range: show them in KiB then.
    const int shift = total > std::numeric_limits<int>::max() ? 10 : 0;
    if (pBar_progress->maximum() != int(total >> shift))
        pBar_progress->setMaximum(int(total >> shift));
    pBar_progress->setValue(int(current >> shift));
}

void Memora_MainWindow_ProgressDialog::finalResutl(int code)
{
    if (code == 0) {
        accept();
        return;
    }
    QMessageBox::warning(this, Product::displayName(), messageForCode(code));
    m_downMgr->cancel();
    reject();
}

void Memora_MainWindow_ProgressDialog::on_pBtn_Cancel_clicked()
{
    // A transfer still running reports itself cancelled ("您放弃下载课本……").
    m_downMgr->cancel();
    reject();
}

void Memora_MainWindow_ProgressDialog::applyTexts()
{
    lab_courseNam->setText(tr("下载 %1 词库：").arg(m_courseName));
}

void Memora_MainWindow_ProgressDialog::changeEvent(QEvent *event)
{
    if (event->type() == QEvent::LanguageChange) {
        retranslateUi(this);
        applyTexts();
    }
    QDialog::changeEvent(event);
}
