#include "study/hotkeys.h"

#include "app/settings.h"
#include "study/memora_hotkeysmodel.h"

#include <QDebug>
#include <QFile>
#include <QHash>
#include <QSettings>
#include <QTextCodec>

// Resources compiled into a static library must be registered by name.
static void registerHotkeyResources()
{
    static bool done = false;
    if (!done) {
        Q_INIT_RESOURCE(study);
        done = true;
    }
}

namespace {

const char kAdvancedFile[] = ":/Setting/Resources/hotkeys.key";
const char kSimpleFile[] = ":/Setting/Resources/hotkeys_nor.key";
const char kAdvancedGroup[] = "HotkeysAdv";
const char kSimpleGroup[] = "HotkeysSim";

// One catalogue read from its resource: names, defaults and descriptions in file order.
struct Catalogue
{
    QStringList names;
    QStringList defaults;
    QStringList descriptions;
    QHash<QString, QString> defaultOf;
};

Catalogue readCatalogue(const char *path)
{
    registerHotkeyResources();
    Catalogue catalogue;
    QFile file(QString::fromLatin1(path));
    if (!file.open(QIODevice::ReadOnly)) {
        qWarning() << "hotkeys: cannot read the catalogue" << path;
        return catalogue;
    }
    QTextCodec *codec = QTextCodec::codecForName("GB18030");
    const QString text =
        codec ? codec->toUnicode(file.readAll()) : QString::fromLocal8Bit(file.readAll());
    for (QString line : text.split(QLatin1Char('\n'), Qt::SkipEmptyParts)) {
        if (line.endsWith(QLatin1Char('\r')))
            line.chop(1);
        const QStringList fields = line.split(QLatin1Char('|'));
        if (fields.size() < 3)
            continue;
        catalogue.names << fields.at(0);
        catalogue.defaults << fields.at(1);
        catalogue.descriptions << fields.at(2);
        catalogue.defaultOf.insert(fields.at(0), fields.at(1));
    }
    return catalogue;
}

// The catalogues are fixed resources: read each once.
const Catalogue &catalogue(bool simple)
{
    static const Catalogue advanced = readCatalogue(kAdvancedFile);
    static const Catalogue simpleSet = readCatalogue(kSimpleFile);
    return simple ? simpleSet : advanced;
}

QVariant stored(const QString &key, const QVariant &fallback)
{
    return g_pSettings ? g_pSettings->value(key, fallback) : fallback;
}

HotkeyLists load(bool simple)
{
    const Catalogue &c = catalogue(simple);
    const QString group = QLatin1String(simple ? kSimpleGroup : kAdvancedGroup);
    HotkeyLists lists;
    lists.names = c.names;
    lists.descriptions = c.descriptions;
    for (int i = 0; i < c.names.size(); ++i) {
        const QString &def = c.defaults.at(i);
        const QString v =
            stored(group + QLatin1Char('/') + c.names.at(i), QStringLiteral("NULL")).toString();
        if (v == QLatin1String("NULL") || v == def) {
            lists.keys << def;
            lists.states << HOTKEY_DEFAULT;
        } else if (v.isEmpty()) {
            lists.keys << QString();
            lists.states << HOTKEY_NONE;
        } else {
            lists.keys << v;
            lists.states << HOTKEY_CUSTOM;
        }
    }
    return lists;
}

HotkeyLists loadDefaults(bool simple)
{
    const Catalogue &c = catalogue(simple);
    HotkeyLists lists;
    lists.names = c.names;
    lists.keys = c.defaults;
    lists.descriptions = c.descriptions;
    for (int i = 0; i < c.names.size(); ++i)
        lists.states << HOTKEY_DEFAULT;
    return lists;
}

} // namespace

HotkeyLists loadHotkeysAdv()
{
    return load(false);
}

HotkeyLists loadHotkeysSim()
{
    return load(true);
}

HotkeyLists loadDefaultHotkeysAdv()
{
    return loadDefaults(false);
}

HotkeyLists loadDefaultHotkeysSim()
{
    return loadDefaults(true);
}

QString defaultHotkeyAdv(const QString &name)
{
    return catalogue(false).defaultOf.value(name);
}

QString defaultHotkeySim(const QString &name)
{
    return catalogue(true).defaultOf.value(name);
}

void saveHotkeys(const Memora_HotkeysModel *model, bool simple)
{
    if (!g_pSettings || !model)
        return;
    g_pSettings->beginGroup(QLatin1String(simple ? kSimpleGroup : kAdvancedGroup));
    for (int row = 0; row < model->rowCount(); ++row)
        g_pSettings->setValue(model->data(model->index(row, 0)).toString(),
                              model->data(model->index(row, 1)).toString());
    g_pSettings->endGroup();
}

namespace Hotkeys {

bool advancedMode()
{
    return stored(QStringLiteral("Advanced/SysMode"), 0).toInt() == 1;
}

QString keyText(const QString &name)
{
    const bool simple = !advancedMode();
    const QString group = QLatin1String(simple ? kSimpleGroup : kAdvancedGroup);
    return stored(group + QLatin1Char('/') + name, catalogue(simple).defaultOf.value(name))
        .toString();
}

QKeySequence sequence(const QString &text)
{
    if (text.trimmed().isEmpty())
        return QKeySequence();
    const QKeySequence seq = QKeySequence::fromString(text, QKeySequence::PortableText);
    for (int i = 0; i < seq.count(); ++i)
        if (seq[i].key() == Qt::Key_unknown)
            return QKeySequence();
    return seq;
}

} // namespace Hotkeys
