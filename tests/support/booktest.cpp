#include "support/booktest.h"

#include "core/clock.h"
#include "core/connection.h"
#include "core/dberror.h"
#include "core/schema.h"
#include "core/sysdata.h"
#include "core/ui/filedialogs.h"
#include "core/windowregistry.h"
#include "schema/serverschema.h"
#include "support/serverbook.h"

BookTest::BookTest() = default;
BookTest::~BookTest() = default;

void PrintTo(BookEngine engine, std::ostream* os) {
    *os << (engine == BookEngine::Server ? "server" : "embedded");
}

std::string engineName(const ::testing::TestParamInfo<BookEngine>& info) {
    return info.param == BookEngine::Server ? "Server" : "Embedded";
}

QString BookTest::cluster() const {
    return ServerBook::clusterConninfo();
}

void BookTest::SetUp() {
    ASSERT_TRUE(dir_.isValid());
    if (onServer()) {
        server_ = std::make_unique<ServerBook>(cluster());
        const std::string refused = schema::createOnServer(server_->conninfo().toStdString());
        ASSERT_EQ(refused, "");
        data_ = std::make_unique<TsysData>(TsysData::Server{server_->conninfo()});
    } else {
        schema::create(directory() + TsysData::fileName());
        data_ = std::make_unique<TsysData>(directory());
    }
    environment::setFixedNow(kNow);
    environment::setApplicationDirectory(directory());
    setMessages(&messages_);
    setModal(&modal_);
    setFileDialogs(&fileDialogs_);
    ASSERT_TRUE(data_->connect()) << data_->lastError().toStdString();
    sysData = data_.get();
}

void BookTest::TearDown() {
    modal_.expectAllShown();
    fileDialogs_.expectAllAnswered();
    messages_.expectAllAnswered();
    windows::clearOpeners();
    sysData = nullptr;
    data_.reset();
    server_.reset();
    setModal(nullptr);
    setFileDialogs(nullptr);
    setMessages(nullptr);
    environment::setFixedNow({});
    environment::setApplicationDirectory({});
}

std::unique_ptr<Connection> BookTest::anotherCounter() const {
    if (server_)
        return std::unique_ptr<Connection>(new Connection(Connection::server(server_->conninfo())));
    return std::make_unique<Connection>(directory() + TsysData::fileName());
}

void BookTest::exec(const QString& sql) {
    try {
        data_->myCon.run(sql.toUtf8().constData());
    } catch (const DbError& e) {
        throw DbError(e.text() + QStringLiteral(" in ") + sql);
    }
}

void BookTest::refuse(const QString& name, const QString& event, const QString& table,
                      const QString& when, const QString& message) {
    if (!onServer()) {
        exec(QStringLiteral("CREATE TRIGGER %1 BEFORE %2 ON %3 %4 BEGIN SELECT RAISE(ABORT, "
                            "'%5'); END")
                 .arg(name, event, table, when.isEmpty() ? QString() : "WHEN " + when, message));
        return;
    }
    exec(QStringLiteral("CREATE FUNCTION %1() RETURNS trigger LANGUAGE plpgsql AS $$ BEGIN "
                        "IF %2 THEN RAISE EXCEPTION '%3'; END IF; "
                        "IF TG_OP = 'DELETE' THEN RETURN OLD; END IF; RETURN NEW; END $$")
             .arg(name, when.isEmpty() ? QStringLiteral("true") : when, message));
    exec(QStringLiteral("CREATE TRIGGER %1 BEFORE %2 ON %3 FOR EACH ROW EXECUTE FUNCTION %1()")
             .arg(name, event, table));
}

void BookTest::allow(const QString& name, const QString& table) {
    if (!onServer()) {
        exec("DROP TRIGGER " + name);
        return;
    }
    exec(QStringLiteral("DROP TRIGGER %1 ON %2").arg(name, table));
    exec(QStringLiteral("DROP FUNCTION %1()").arg(name));
}

double BookTest::stockOf(long long product) {
    return number(QStringLiteral("SELECT sumCount FROM Fproduct WHERE prodID=%1").arg(product));
}

double BookTest::stockIn(long long house, long long product) {
    return number(QStringLiteral("SELECT sumCount FROM VInveHouse WHERE houseID=%1 AND prodID=%2")
                      .arg(house)
                      .arg(product));
}

QString BookTest::scalar(const QString& sql) {
    TQuery q(data_->myCon, QStringLiteral("scalar"));
    q.load(sql);
    q.open();
    if (q.eof() || q.result().columnCount() == 0)
        return QString();
    return q.result().text(0, 0);
}

QStringList BookTest::firstFields(const QString& sql) {
    TQuery q(data_->myCon, QStringLiteral("column"));
    q.load(sql);
    q.open();
    QStringList values;
    for (int row = 0; row < q.result().rowCount(); ++row)
        values << q.result().text(row, 0);
    return values;
}

QStringList BookTest::records(const QString& sql, QChar separator) {
    TQuery q(data_->myCon, QStringLiteral("rows"));
    q.load(sql);
    q.open();
    QStringList found;
    for (int row = 0; row < q.result().rowCount(); ++row) {
        QStringList fields;
        for (int c = 0; c < q.result().columnCount(); ++c)
            fields << q.result().text(row, c);
        found << fields.join(separator);
    }
    return found;
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
