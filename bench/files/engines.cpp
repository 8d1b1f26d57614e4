#include "engines.h"

#include <cstring>
#include <filesystem>
#include <sqlite3.h>
#include <stdexcept>

#include "app/customer/customer_file.h"
#include "runtime/files/keyed_file.h"
#include "runtime/files/transaction.h"
#include "runtime/files/view.h"
#include "runtime/sys/errors.h"

namespace bench {

Customer customerFor(int32_t number, int32_t total) {
    static const char* first[] = {"Smith", "jones", "Brown", "MILLER", "Davis", "garcia", "Wilson", "Moore"};
    uint32_t h = static_cast<uint32_t>(number) * 2654435761u;
    int32_t spread = total / 5 > 0 ? total / 5 : 1;
    Customer c;
    c.number = number;
    c.name = std::string(first[h % 8]) + " " + std::to_string((h >> 3) % static_cast<uint32_t>(spread * 4));
    return c;
}

namespace {

using namespace runtime::files;

void must(bool ok, const char* what) {
    if (!ok) {
        throw std::runtime_error(std::string(what) + ": error " + std::to_string(runtime::errorcode()) + " " +
                                 runtime::fileerror());
    }
}

class Keyed final : public Engine {
public:
    std::string name() const override { return "keyed file"; }
    void create(const std::string& path) override {
        view_.reset();
        file_ = std::make_unique<KeyedFile>(app::customerDeclaration(path), &rec_);
        must(file_->create(), "create");
        open(path);
    }
    void open(const std::string& path) override {
        if (!file_) {
            file_ = std::make_unique<KeyedFile>(app::customerDeclaration(path), &rec_);
        }
        must(file_->open(mode::ReadWrite | mode::DenyNone), "open");
        file_->send(durable_ ? "Sync=on" : "Sync=off");
        view_ = std::make_unique<View>(*file_);
        must(view_->setOrder("UPPER(CUS:NAME)") && view_->open(), "view");
    }
    void close() override {
        view_.reset();
        file_.reset();
    }
    void setDurable(bool durable) override {
        durable_ = durable;
        file_->send(durable ? "Sync=on" : "Sync=off");
    }
    void fill(const Customer& c) {
        file_->clear();
        rec_.CUSTNO = c.number;
        rec_.NAME = c.name;
        rec_.ADDRESS = "12 Long Street";
        rec_.CITY = "Springfield";
        rec_.STATE = "IL";
        rec_.ZIP.set(62701);
        rec_.PHONE.set(2175550100LL + c.number);
        rec_.CONTACT = "Front desk";
    }
    void bulkInsert(int32_t first, int32_t count, int32_t total) override {
        Transaction txn({file_.get()});
        must(txn.active(), "begin");
        for (int32_t i = 0; i < count; ++i) {
            fill(customerFor(first + i, total));
            must(file_->add(), "add");
        }
        must(txn.commit(), "commit");
    }
    void insertOne(const Customer& c) override {
        fill(c);
        must(file_->add(), "add");
    }
    void updateOne(int32_t number) override {
        rec_.CUSTNO = number;
        must(file_->get(0), "get");
        rec_.CITY = "Shelbyville";
        must(file_->put(), "put");
    }
    void deleteOne(int32_t number) override {
        rec_.CUSTNO = number;
        must(file_->get(0), "get");
        must(file_->erase(), "erase");
    }
    bool lookupNumber(int32_t number) override {
        rec_.CUSTNO = number;
        return file_->get(0);
    }
    bool lookupName(const std::string& name) override {
        rec_.NAME = name;
        return file_->get(1);
    }
    int64_t scanByName(int64_t rows) override {
        file_->set(1);
        int64_t n = 0;
        while (n < rows && file_->next()) {
            ++n;
        }
        return n;
    }
    int pageForward(const std::string& name) override {
        rec_.NAME = name;
        view_->resetTo(1);
        int n = 0;
        while (n < 20 && view_->next()) {
            ++n;
        }
        return n;
    }
    int pageBackward(const std::string& name) override {
        rec_.NAME = name;
        view_->resetTo(1);
        int n = 0;
        while (n < 20 && view_->previous()) {
            ++n;
        }
        return n;
    }
    uint64_t fileBytes(const std::string& path) override { return std::filesystem::file_size(path); }

private:
    app::CustomerRecord rec_{};
    std::unique_ptr<KeyedFile> file_;
    std::unique_ptr<View> view_;
    bool durable_ = true;
};

class Lite final : public Engine {
public:
    ~Lite() override { close(); }
    std::string name() const override { return "SQLite"; }
    void create(const std::string& path) override {
        std::filesystem::remove(path);
        std::filesystem::remove(path + "-wal");
        std::filesystem::remove(path + "-shm");
        connect(path);
        exec("CREATE TABLE customer(custno INTEGER PRIMARY KEY, name TEXT COLLATE NOCASE, address TEXT, "
             "city TEXT, state TEXT, zip INTEGER, phone INTEGER, contact TEXT)");
        exec("CREATE INDEX byname ON customer(name COLLATE NOCASE)");
        prepareAll();
    }
    void open(const std::string& path) override {
        connect(path);
        prepareAll();
    }
    void connect(const std::string& path) {
        if (sqlite3_open(path.c_str(), &db_) != SQLITE_OK) {
            throw std::runtime_error("sqlite open");
        }
        exec("PRAGMA journal_mode=WAL");
        exec("PRAGMA cache_size=-16384"); // the same 16 MB our file keeps
        setDurable(durable_);
    }
    void prepareAll() {
        insert_ = prepare("INSERT INTO customer VALUES(?,?,?,?,?,?,?,?)");
        update_ = prepare("UPDATE customer SET city=? WHERE custno=?");
        delete_ = prepare("DELETE FROM customer WHERE custno=?");
        byNumber_ = prepare("SELECT * FROM customer WHERE custno=?");
        byName_ = prepare("SELECT * FROM customer WHERE name=? LIMIT 1");
        scan_ = prepare("SELECT * FROM customer ORDER BY name LIMIT ?");
        forward_ = prepare("SELECT * FROM customer WHERE name>=? ORDER BY name LIMIT 20");
        backward_ = prepare("SELECT * FROM customer WHERE name<=? ORDER BY name DESC LIMIT 20");
    }
    void close() override {
        for (sqlite3_stmt* s : {insert_, update_, delete_, byNumber_, byName_, scan_, forward_, backward_}) {
            sqlite3_finalize(s);
        }
        insert_ = update_ = delete_ = byNumber_ = byName_ = scan_ = forward_ = backward_ = nullptr;
        if (db_) {
            sqlite3_close(db_);
            db_ = nullptr;
        }
    }
    void setDurable(bool durable) override {
        durable_ = durable;
        exec(durable ? "PRAGMA synchronous=FULL" : "PRAGMA synchronous=NORMAL");
    }
    void bulkInsert(int32_t first, int32_t count, int32_t total) override {
        exec("BEGIN");
        for (int32_t i = 0; i < count; ++i) {
            insertOne(customerFor(first + i, total));
        }
        exec("COMMIT");
    }
    void insertOne(const Customer& c) override {
        sqlite3_bind_int(insert_, 1, c.number);
        sqlite3_bind_text(insert_, 2, c.name.c_str(), -1, SQLITE_TRANSIENT);
        sqlite3_bind_text(insert_, 3, "12 Long Street", -1, SQLITE_STATIC);
        sqlite3_bind_text(insert_, 4, "Springfield", -1, SQLITE_STATIC);
        sqlite3_bind_text(insert_, 5, "IL", -1, SQLITE_STATIC);
        sqlite3_bind_int(insert_, 6, 62701);
        sqlite3_bind_int64(insert_, 7, 2175550100LL + c.number);
        sqlite3_bind_text(insert_, 8, "Front desk", -1, SQLITE_STATIC);
        step(insert_);
    }
    void updateOne(int32_t number) override {
        sqlite3_bind_text(update_, 1, "Shelbyville", -1, SQLITE_STATIC);
        sqlite3_bind_int(update_, 2, number);
        step(update_);
    }
    void deleteOne(int32_t number) override {
        sqlite3_bind_int(delete_, 1, number);
        step(delete_);
    }
    bool lookupNumber(int32_t number) override {
        sqlite3_bind_int(byNumber_, 1, number);
        return rows(byNumber_, 1) == 1;
    }
    bool lookupName(const std::string& name) override {
        sqlite3_bind_text(byName_, 1, name.c_str(), -1, SQLITE_TRANSIENT);
        return rows(byName_, 1) == 1;
    }
    int64_t scanByName(int64_t n) override {
        sqlite3_bind_int64(scan_, 1, n);
        return rows(scan_, n);
    }
    int pageForward(const std::string& name) override {
        sqlite3_bind_text(forward_, 1, name.c_str(), -1, SQLITE_TRANSIENT);
        return static_cast<int>(rows(forward_, 20));
    }
    int pageBackward(const std::string& name) override {
        sqlite3_bind_text(backward_, 1, name.c_str(), -1, SQLITE_TRANSIENT);
        return static_cast<int>(rows(backward_, 20));
    }
    uint64_t fileBytes(const std::string& path) override {
        exec("PRAGMA wal_checkpoint(TRUNCATE)");
        uint64_t size = std::filesystem::file_size(path);
        if (std::filesystem::exists(path + "-wal")) {
            size += std::filesystem::file_size(path + "-wal");
        }
        return size;
    }

private:
    void exec(const char* sql) {
        char* message = nullptr;
        if (sqlite3_exec(db_, sql, nullptr, nullptr, &message) != SQLITE_OK) {
            std::string text = message ? message : "";
            sqlite3_free(message);
            throw std::runtime_error(std::string(sql) + ": " + text);
        }
    }
    sqlite3_stmt* prepare(const char* sql) {
        sqlite3_stmt* s = nullptr;
        if (sqlite3_prepare_v2(db_, sql, -1, &s, nullptr) != SQLITE_OK) {
            throw std::runtime_error(std::string("prepare ") + sql);
        }
        return s;
    }
    void step(sqlite3_stmt* s) {
        int rc = sqlite3_step(s);
        sqlite3_reset(s);
        if (rc != SQLITE_DONE) {
            throw std::runtime_error(sqlite3_errmsg(db_));
        }
    }
    // Reads up to `limit` rows, touching each row's columns as a caller would.
    int64_t rows(sqlite3_stmt* s, int64_t limit) {
        int64_t n = 0;
        int64_t sink = 0;
        while (n < limit && sqlite3_step(s) == SQLITE_ROW) {
            for (int c = 0; c < 8; ++c) {
                sink += sqlite3_column_bytes(s, c);
            }
            ++n;
        }
        sqlite3_reset(s);
        return sink >= 0 ? n : 0;
    }

    sqlite3* db_ = nullptr;
    bool durable_ = true;
    sqlite3_stmt *insert_ = nullptr, *update_ = nullptr, *delete_ = nullptr, *byNumber_ = nullptr,
                 *byName_ = nullptr, *scan_ = nullptr, *forward_ = nullptr, *backward_ = nullptr;
};

} // namespace

std::unique_ptr<Engine> keyedFileEngine() {
    return std::make_unique<Keyed>();
}
std::unique_ptr<Engine> sqliteEngine() {
    return std::make_unique<Lite>();
}

} // namespace bench
