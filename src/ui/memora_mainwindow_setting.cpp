#include "ui/memora_mainwindow_setting.h"

#include "app/product.h"
#include "app/settings.h"
#include "speech/memora_mainwindow_settingstudy.h"
#include "study/hotkeys.h"
#include "study/memora_mainwindow_settinghotkeys.h"
#include "ui/memora_mainwindow_settingadvanced.h"
#include "ui/memora_mainwindow_settinggeneral.h"
#include "ui/memora_mainwindow_setttingthemes.h"

#include <QDebug>
#include <QSettings>

namespace {
enum class Kept
{
    Bool,
    Int,
    String
};

struct KeyRow
{
    const char *shortKey;
    const char *settingsKey;
    Kept kept;
};

QVariant kept(const QVariant &value, Kept type)
{
    switch (type) {
    case Kept::Bool:
        return value.toBool();
    case Kept::Int:
        return value.toInt();
    default:
        return value.toString();
    }
}

void fill(QHash<QString, QVariant> &table, std::initializer_list<KeyRow> rows)
{
    for (const KeyRow &row : rows)
        table.insert(
            QLatin1String(row.shortKey),
            kept(GlobalSettings::value(g_pSettings, QLatin1String(row.settingsKey)), row.kept));
}

// Writes the rows of table into group; a missing entry is written as the kept type's empty
// value.
void write(const char *group, const QHash<QString, QVariant> &table,
           std::initializer_list<std::pair<const char *, Kept>> keys)
{
    if (!g_pSettings)
        return;
    g_pSettings->beginGroup(QLatin1String(group));
    for (const auto &key : keys)
        g_pSettings->setValue(QLatin1String(key.first),
                              kept(table.value(QLatin1String(key.first)), key.second));
    g_pSettings->endGroup();
}
} // namespace

Memora_MainWindow_Setting::Memora_MainWindow_Setting(QWidget *parent) : QDialog(parent)
{
    setupUi(this);
    setWindowTitle(Product::displayName());
    fill(m_common, {{"Multi-User", "Common/Multi-User", Kept::Bool},
                    {"AutoUpdate", "Common/AutoUpdate", Kept::Bool},
                    {"AutoLogin", "LoginInfo/AutoLogin", Kept::Bool},
                    {"SendStatistics", "Common/SendStatistics", Kept::Bool}});
    fill(m_learn, {{"AutoSpeak", "Learn/AutoSpeak", Kept::Bool},
                   {"ExternalPlayer", "Learn/ExternalPlayer", Kept::Bool},
                   {"MplayerPath", "Learn/MplayerPath", Kept::String},
                   {"SpeechEngine", "Learn/SpeechEngine", Kept::Int},
                   {"Voice", "Learn/Voice", Kept::String},
                   {"VoicePath", "Learn/VoicePath", Kept::String},
                   {"Volume", "Learn/Volume", Kept::Int}});
    fill(m_advanced, {{"SysMode", "Advanced/SysMode", Kept::Int}});
    fill(m_themes,
         {{"MBGPath", "Themes/MBGPath", Kept::String}, {"MBGMode", "Themes/MBGMode", Kept::Bool}});

    m_general = new Memora_MainWindow_SettingGeneral(m_common);
    m_hotkeys = new Memora_MainWindow_SettingHotkeys;
    m_speech = new Memora_MainWindow_SettingStudy(m_learn);
    m_advancedPage = new Memora_MainWindow_settingAdvanced(m_advanced);
    m_themesPage = new Memora_MainWindow_SetttingThemes(m_themes);

    if (parent)
        move((parent->width() - width()) / 2 + parent->x(),
             (parent->height() - height()) / 2 + parent->y());
    qDebug() << QStringLiteral("进入 %1－系统设置……").arg(Product::shortName());

    const QStringList titles{QStringLiteral("常规"), QStringLiteral("语音"),
                             QStringLiteral("快捷键"), QStringLiteral("高级"),
                             QStringLiteral("界面")};
    liWi_settingList->addItems(titles);
    for (QWidget *page : {static_cast<QWidget *>(m_general), static_cast<QWidget *>(m_speech),
                          static_cast<QWidget *>(m_hotkeys), static_cast<QWidget *>(m_advancedPage),
                          static_cast<QWidget *>(m_themesPage)})
        stWi_settingContext->addWidget(page);
    connect(liWi_settingList, &QListWidget::currentRowChanged, stWi_settingContext,
            &QStackedWidget::setCurrentIndex);
    connect(m_advancedPage->coBox_studyMode, &QComboBox::currentIndexChanged,
            m_hotkeys->stackedWidget, &QStackedWidget::setCurrentIndex);
    m_hotkeys->stackedWidget->setCurrentIndex(m_advancedPage->coBox_studyMode->currentIndex());
    liWi_settingList->setCurrentRow(0);
}

Memora_MainWindow_Setting::~Memora_MainWindow_Setting()
{
    qDebug() << QStringLiteral("离开 %1－系统设置……").arg(Product::shortName());
}

void Memora_MainWindow_Setting::on_pBtn_OK_clicked()
{
    m_common = m_general->values();
    m_learn = m_speech->values();
    m_advanced = m_advancedPage->values();
    m_themes = m_themesPage->values();

    write("Common", m_common,
          {{"Multi-User", Kept::Bool}, {"AutoUpdate", Kept::Bool}, {"SendStatistics", Kept::Bool}});
    write("LoginInfo", m_common, {{"AutoLogin", Kept::Bool}});
    write("Learn", m_learn,
          {{"AutoSpeak", Kept::Bool},
           {"ExternalPlayer", Kept::Bool},
           {"MplayerPath", Kept::String},
           {"SpeechEngine", Kept::Int},
           {"Voice", Kept::String},
           {"VoicePath", Kept::String},
           {"Volume", Kept::Int}});
    saveHotkeys(m_hotkeys->advancedModel(), false);
    saveHotkeys(m_hotkeys->simpleModel(), true);
    write("Advanced", m_advanced, {{"SysMode", Kept::Int}});
    write("Themes", m_themes, {{"MBGPath", Kept::String}, {"MBGMode", Kept::Bool}});
    if (g_pSettings)
        g_pSettings->sync();
    accept();
}

void Memora_MainWindow_Setting::on_pBtn_OK_Cancel_clicked()
{
    close();
}
