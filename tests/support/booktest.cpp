#include "support/booktest.h"

#include "core/clock.h"
#include "core/dberror.h"
#include "core/schema.h"
#include "core/sysdata.h"
#include "core/ui/filedialogs.h"
#include "core/windowregistry.h"

#include <sqlite3.h>

void BookTest::SetUp() {
    ASSERT_TRUE(dir_.isValid());
    schema::create(directory() + TsysData::fileName());
    environment::setFixedNow(kNow);
    environment::setApplicationDirectory(directory());
    setMessages(&messages_);
    setModal(&modal_);
    setFileDialogs(&fileDialogs_);
    data_ = std::make_unique<TsysData>(directory());
    ASSERT_TRUE(data_->connect()) << data_->myCon.lastError().toStdString();
    sysData = data_.get();
}

void BookTest::TearDown() {
    modal_.expectAllShown();
    fileDialogs_.expectAllAnswered();
    messages_.expectAllAnswered();
    windows::clearOpeners();
    sysData = nullptr;
    data_.reset();
    setModal(nullptr);
    setFileDialogs(nullptr);
    setMessages(nullptr);
    environment::setFixedNow({});
    environment::setApplicationDirectory({});
}

void BookTest::exec(const QString& sql) {
    char* error = nullptr;
    const QByteArray text = sql.toUtf8();
    if (sqlite3_exec(data_->myCon.handle(), text.constData(), nullptr, nullptr, &error) !=
        SQLITE_OK) {
        const QString message = QString::fromUtf8(error);
        sqlite3_free(error);
        throw DbError(message + QStringLiteral(" in ") + sql);
    }
}

QString BookTest::scalar(const QString& sql) {
    TQuery q(data_->myCon, QStringLiteral("scalar"));
    q.load(sql);
    q.open();
    if (q.eof() || q.result().columnCount() == 0)
        return QString();
    return q.result().text(0, 0);
}

long long BookTest::count(const QString& tableOrWhere) {
    return scalar(QStringLiteral("SELECT COUNT(*) FROM ") + tableOrWhere).toLongLong();
}

namespace {
QString quoted(const QString& text) {
    QString t = text;
    return u'\'' + t.replace(u'\'', QStringLiteral("''")) + u'\'';
}
} // namespace

long long BookTest::addHouse(const QString& name) {
    exec(QStringLiteral("INSERT INTO Fhouse(houseName,resperson,phone,address,remark) "
                        "VALUES(%1,'','','','')")
             .arg(quoted(name)));
    return scalar("SELECT last_insert_rowid()").toLongLong();
}

long long BookTest::addCategory(const QString& name) {
    exec(QStringLiteral("INSERT INTO Fprodcate(cateName) VALUES(%1)").arg(quoted(name)));
    return scalar("SELECT last_insert_rowid()").toLongLong();
}

long long BookTest::addProduct(const QString& name, long long cateID, const QString& inprice,
                               const QString& outprice) {
    exec(QStringLiteral("INSERT INTO Fproduct(cateID,prodBH,prodName,type,company,unitName,"
                        "inprice,outprice,remark,field1,field2) "
                        "VALUES(%1,%2,%3,'','','个',%4,%5,'','','')")
             .arg(cateID)
             .arg(quoted(QStringLiteral("BH-") + name), quoted(name), inprice, outprice));
    return scalar("SELECT last_insert_rowid()").toLongLong();
}

long long BookTest::addSupplier(const QString& name) {
    exec(QStringLiteral("INSERT INTO Fsupplier(compName,conperson,phone,address,bankName,"
                        "bankCard,remark) VALUES(%1,'','','','','','')")
             .arg(quoted(name)));
    return scalar("SELECT last_insert_rowid()").toLongLong();
}

long long BookTest::addCustomer(const QString& name) {
    exec(QStringLiteral("INSERT INTO Fcustomer(compName,conperson,phone,address,bankName,"
                        "bankCard,remark) VALUES(%1,'','','','','','')")
             .arg(quoted(name)));
    return scalar("SELECT last_insert_rowid()").toLongLong();
}

long long BookTest::addEmployee(const QString& name) {
    exec(QStringLiteral("INSERT INTO Femployee(empName,sex,birth,phone,address,rewdis,remark) "
                        "VALUES(%1,'男','','','',0,'')")
             .arg(quoted(name)));
    return scalar("SELECT last_insert_rowid()").toLongLong();
}
