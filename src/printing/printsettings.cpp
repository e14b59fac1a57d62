#include "printing/printsettings.h"

#include "core/dberror.h"
#include "core/sysdata.h"
#include "core/transaction.h"

namespace printing {

namespace {

const QString kYes = QStringLiteral("是");
const QString kNo = QStringLiteral("否");

QString flag(bool on) {
    return on ? kYes : kNo;
}

} // namespace

std::vector<FieldSetting> loadFieldSettings() {
    TQuery& q = sysData->QueryField;
    q.load(QStringLiteral(
        "SELECT fieldName,textValue,sort,isShow,fieldwidth FROM FConfig ORDER BY sort ASC"));
    q.open();
    std::vector<FieldSetting> list;
    for (; !q.eof(); q.next())
        list.push_back({q.field(u"fieldName").asText(), q.field(u"textValue").asText(),
                        q.field(u"fieldwidth").asText(), q.field(u"sort").asText(),
                        q.field(u"isShow").asText() == kYes});
    q.close();
    return list;
}

bool saveFieldList(const std::vector<FieldSetting>& list) {
    TQuery& q = sysData->QueryCommon;
    try {
        Transaction t(sysData->myCon);
        q.load(QStringLiteral("UPDATE FConfig SET sort=:sort,isShow=:isShow,"
                              "fieldwidth=:fieldwidth WHERE fieldName=:fieldName"));
        for (const FieldSetting& entry : list) {
            q.bind(u"sort", entry.sort.trimmed());
            q.bind(u"isShow", flag(entry.printed));
            q.bind(u"fieldwidth", entry.width.trimmed());
            q.bind(u"fieldName", entry.fieldName.trimmed());
            q.execute();
        }
        t.commit();
    } catch (const DbError&) {
        q.close();
        return false;
    }
    q.close();
    return true;
}

bool saveFieldCaption(const QString& fieldName, const QString& caption, int width) {
    TQuery& q = sysData->QueryCommon;
    q.load(QStringLiteral("UPDATE FConfig SET textValue=:textValue,fieldwidth=:fieldwidth WHERE "
                          "fieldName=:fieldName"));
    q.bind(u"textValue", caption);
    q.bind(u"fieldwidth", width);
    q.bind(u"fieldName", fieldName);
    const bool changed = q.execute() > 0;
    q.close();
    return changed;
}

const std::array<QString, kSwitches>& switchColumns() {
    static const std::array<QString, kSwitches> columns{"house", "orderID", "compName", "optdate",
                                                        "ys",    "ss",      "emp",      "hj"};
    return columns;
}

std::optional<TableSettings> loadTableSettings() {
    TQuery& q = sysData->QueryCommon;
    q.load(QStringLiteral("SELECT * FROM Ftbconfig"));
    q.open();
    std::optional<TableSettings> settings;
    for (; !q.eof(); q.next()) {
        settings.emplace();
        settings->top = q.field(u"mtop").asInteger();
        settings->left = q.field(u"mleft").asInteger();
        for (int i = 0; i < kSwitches; ++i)
            settings->switches[std::size_t(i)] =
                q.field(switchColumns()[std::size_t(i)]).asText() == kYes;
    }
    q.close();
    return settings;
}

bool saveTableSettings(const TableSettings& settings) {
    TQuery& q = sysData->QueryCommon;
    q.load(QStringLiteral("UPDATE Ftbconfig SET mtop=:mtop,mleft=:mleft,house=:house,"
                          "orderID=:orderID,compName=:compName,optdate=:optdate,ys=:ys,ss=:ss,"
                          "emp=:emp,hj=:hj"));
    q.bind(u"mtop", settings.top);
    q.bind(u"mleft", settings.left);
    for (int i = 0; i < kSwitches; ++i)
        q.bind(switchColumns()[std::size_t(i)], flag(settings.switches[std::size_t(i)]));
    const bool changed = q.execute() > 0;
    q.close();
    return changed;
}

const std::array<QString, kTitles>& titleColumns() {
    static const std::array<QString, kTitles> columns{"pur", "purT", "sale", "saleT", "db", "bsby"};
    return columns;
}

std::optional<Titles> loadTitles() {
    TQuery& q = sysData->QueryCommon;
    q.load(QStringLiteral("SELECT * FROM Ftitle"));
    q.open();
    std::optional<Titles> titles;
    for (; !q.eof(); q.next()) {
        titles.emplace();
        for (int i = 0; i < kTitles; ++i)
            (*titles)[std::size_t(i)] = q.field(titleColumns()[std::size_t(i)]).asText();
    }
    q.close();
    return titles;
}

bool saveTitles(const Titles& titles) {
    TQuery& q = sysData->QueryCommon;
    q.load(QStringLiteral("UPDATE Ftitle SET pur=:pur,purT=:purT,sale=:sale,saleT=:saleT,"
                          "db=:db,bsby=:bsby"));
    for (int i = 0; i < kTitles; ++i)
        q.bind(titleColumns()[std::size_t(i)], titles[std::size_t(i)]);
    const bool changed = q.execute() > 0;
    q.close();
    return changed;
}

bool isWholeNumber(QStringView text) {
    text = text.trimmed();
    qsizetype i = 0;
    if (!text.isEmpty() && (text[0] == u'+' || text[0] == u'-'))
        ++i;
    if (i == text.size())
        return false;
    for (; i < text.size(); ++i)
        if (text[i] < u'0' || text[i] > u'9')
            return false;
    return true;
}

std::optional<int> millimetres(QStringView text, int min, int max) {
    if (!isWholeNumber(text))
        return std::nullopt;
    bool ok = false;
    const long long value = text.trimmed().toLongLong(&ok);
    if (!ok || value < min || value > max)
        return std::nullopt;
    return int(value);
}

} // namespace printing
