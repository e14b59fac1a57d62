#include "core/serversetting.h"

#include <QSettings>
#include <QUrl>
#include <libpq-fe.h>

namespace serversetting {

namespace {

const QString kKey = QStringLiteral("server/conninfo");

bool holdsPassword(const QString& conninfo) {
    char* error = nullptr;
    PQconninfoOption* options = PQconninfoParse(keyed(conninfo).toUtf8().constData(), &error);
    PQfreemem(error);
    bool found = false;
    for (PQconninfoOption* o = options; o && o->keyword; ++o)
        if (QByteArray(o->keyword) == "password" && o->val && *o->val)
            found = true;
    PQconninfoFree(options);
    return found;
}

// A value quoted as libpq reads it in a key=value string.
QString quoted(const QString& value) {
    QString text = value;
    text.replace(u'\\', QStringLiteral("\\\\")).replace(u'\'', QStringLiteral("\\'"));
    return u'\'' + text + u'\'';
}

} // namespace

// A bare word names a service of libpq's service file; everything else is a key=value string
// or a postgresql:// address as libpq reads them.
QString keyed(const QString& conninfo) {
    const QString text = conninfo.trimmed();
    if (text.isEmpty() || text.contains(u'=') || text.contains(u':') || text.contains(u' '))
        return text;
    return QStringLiteral("service=%1").arg(text);
}

QString withoutPassword(const QString& conninfo, QString* password) {
    password->clear();
    char* error = nullptr;
    PQconninfoOption* options = PQconninfoParse(keyed(conninfo).toUtf8().constData(), &error);
    PQfreemem(error);
    if (!options)
        return keyed(conninfo);
    QStringList kept;
    for (PQconninfoOption* o = options; o->keyword; ++o) {
        if (!o->val)
            continue;
        if (qstrcmp(o->keyword, "password") == 0)
            *password = QString::fromUtf8(o->val);
        else
            kept << QString::fromUtf8(o->keyword) + u'=' + quoted(QString::fromUtf8(o->val));
    }
    PQconninfoFree(options);
    return kept.join(u' ');
}

QString load() {
    return QSettings().value(kKey).toString().trimmed();
}

QString checkSyntax(const QString& conninfo) {
    if (conninfo.trimmed().isEmpty())
        return QString();
    char* error = nullptr;
    PQconninfoOption* options = PQconninfoParse(keyed(conninfo).toUtf8().constData(), &error);
    const QString reason = options ? QString() : QString::fromUtf8(error ? error : "").trimmed();
    PQfreemem(error);
    PQconninfoFree(options);
    return options || !reason.isEmpty() ? reason : QStringLiteral("无法识别");
}

QString save(const QString& conninfo) {
    const QString text = conninfo.trimmed();
    if (const QString reason = checkSyntax(text); !reason.isEmpty())
        return QStringLiteral("连接字符串有误：%1").arg(reason);
    if (holdsPassword(text))
        return QStringLiteral("连接字符串中不能写密码：请把密码写入密码文件（~/.pgpass），"
                              "或在连接时输入。");
    QSettings settings;
    if (text.isEmpty())
        settings.remove(kKey);
    else
        settings.setValue(kKey, text);
    settings.sync();
    if (settings.status() != QSettings::NoError)
        return QStringLiteral("无法写入设置文件：%1").arg(settings.fileName());
    return QString();
}

QString withPassword(const QString& conninfo, const QString& password) {
    const QString base = keyed(conninfo);
    if (base.startsWith(QStringLiteral("postgres")) && base.contains(QStringLiteral("://")))
        return base + (base.contains(u'?') ? u'&' : u'?') + QStringLiteral("password=") +
               QString::fromUtf8(QUrl::toPercentEncoding(password));
    return QStringLiteral("%1 password=%2").arg(base, quoted(password));
}

bool needsPassword(const QString& serverError) {
    return serverError.contains(kPasswordWanted) || serverError.contains(kPasswordNotTaken);
}

} // namespace serversetting
