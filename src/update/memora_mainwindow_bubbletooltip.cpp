#include "update/memora_mainwindow_bubbletooltip.h"

#include "app/apppath.h"

#include <QCoreApplication>
#include <QGuiApplication>
#include <QMouseEvent>
#include <QPixmap>
#include <QScreen>
#include <QTimer>

Memora_MainWindow_BubbleTooltip::Memora_MainWindow_BubbleTooltip(const QString &title,
                                                                 QWidget *parent)
    : QDialog(parent, Qt::Tool | Qt::FramelessWindowHint)
{
    setupUi(this);
    setModal(true);
    setAutoFillBackground(true);
    setWindowOpacity(0.9);

    const QString picture = appPath(QStringLiteral("/images/popbox_bg.png"));
    const QPixmap background(picture);
    if (!background.isNull()) {
        setFixedSize(background.size());
        setMask(background.mask());
    }
    setStyleSheet(
        QStringLiteral("#main {background-image:url(%1);}QToolButton:hover{color:#a40000;}")
            .arg(appRelativePath(QStringLiteral("/images/popbox_bg.png"))));
    lab_title->setText(title);

    QScreen *screen = QGuiApplication::primaryScreen();
    m_desktop = screen ? screen->virtualGeometry() : QRect(0, 0, 1280, 800);
    const QRect available = screen ? screen->availableGeometry() : m_desktop;
    m_taskbarHeight = available.top() != 0 ? 0 : m_desktop.height() - available.height();
    m_x = m_desktop.right() - width() - 2;
    m_y = m_desktop.bottom() - m_taskbarHeight;

    m_popUpTimer = new QTimer(this);
    m_popDownTimer = new QTimer(this);
    m_stayTimer = new QTimer(this);
    m_stayTimer->setSingleShot(true);
    m_popUpTimer->setInterval(m_stepMs);
    m_popDownTimer->setInterval(m_stepMs);
    connect(m_popUpTimer, &QTimer::timeout, this, &Memora_MainWindow_BubbleTooltip::popUp);
    connect(m_popDownTimer, &QTimer::timeout, this, &Memora_MainWindow_BubbleTooltip::popDown);
    connect(m_stayTimer, &QTimer::timeout, this, &Memora_MainWindow_BubbleTooltip::exitMessageBox);
    move(m_x, m_y);
    m_popUpTimer->start();
    popUp();
}

Memora_MainWindow_BubbleTooltip::~Memora_MainWindow_BubbleTooltip()
{
    delete m_popUpTimer;
    delete m_popDownTimer;
    delete m_stayTimer;
}

int Memora_MainWindow_BubbleTooltip::shownY() const
{
    return m_desktop.bottom() - m_taskbarHeight - height();
}

bool Memora_MainWindow_BubbleTooltip::isStaying() const
{
    return m_stayTimer->isActive();
}

void Memora_MainWindow_BubbleTooltip::setUpdateButtonText(const QString &text)
{
    pBtn_update->setText(text);
}

void Memora_MainWindow_BubbleTooltip::on_pBtn_update_clicked()
{
    accept();
}

void Memora_MainWindow_BubbleTooltip::on_pBtn_cancel_clicked()
{
    reject();
}

void Memora_MainWindow_BubbleTooltip::popUp()
{
    if (m_y < shownY()) {
        m_popUpTimer->stop();
        return;
    }
    QCoreApplication::processEvents();
    --m_y;
    move(m_x, m_y);
}

void Memora_MainWindow_BubbleTooltip::popDown()
{
    if (m_y > m_desktop.bottom()) {
        m_popDownTimer->stop();
        close();
        return;
    }
    QCoreApplication::processEvents();
    ++m_y;
    move(m_x, m_y);
}

void Memora_MainWindow_BubbleTooltip::on_toolButton_clicked()
{
    close();
}

void Memora_MainWindow_BubbleTooltip::setMessage(const QString &mess)
{
    lab_message->setText(mess);
}

void Memora_MainWindow_BubbleTooltip::exitMessageBox()
{
    // A stay shorter than the slide up turns the notifier round where it is.
    m_popUpTimer->stop();
    m_popDownTimer->start(m_stepMs);
    popDown();
}

void Memora_MainWindow_BubbleTooltip::start_close(int time)
{
    m_stayMs = time;
    m_stayTimer->start(m_stayMs);
}

void Memora_MainWindow_BubbleTooltip::enterEvent(QEnterEvent *event)
{
    m_stayTimer->stop();
    if (m_popDownTimer->isActive() || m_popUpTimer->isActive()) {
        m_popDownTimer->stop();
        m_popUpTimer->stop();
        m_y = shownY();
        move(m_x, m_y);
    }
    QDialog::enterEvent(event);
}

void Memora_MainWindow_BubbleTooltip::leaveEvent(QEvent *event)
{
    m_stayTimer->start(m_stayMs);
    if (m_popDownTimer->isActive())
        m_popDownTimer->start(m_stepMs);
    if (m_popUpTimer->isActive())
        m_popUpTimer->stop();
    QDialog::leaveEvent(event);
}

void Memora_MainWindow_BubbleTooltip::mousePressEvent(QMouseEvent *event)
{
    if (event->button() == Qt::LeftButton) {
        m_dragOffset = event->globalPosition().toPoint() - frameGeometry().topLeft();
        m_dragging = true;
    }
    QDialog::mousePressEvent(event);
}

void Memora_MainWindow_BubbleTooltip::mouseMoveEvent(QMouseEvent *event)
{
    if (m_dragging && (event->buttons() & Qt::LeftButton))
        move(event->globalPosition().toPoint() - m_dragOffset);
    QDialog::mouseMoveEvent(event);
}

void Memora_MainWindow_BubbleTooltip::mouseReleaseEvent(QMouseEvent *event)
{
    m_dragging = false;
    QDialog::mouseReleaseEvent(event);
}
