// The two engines under the same customer workload: our keyed file and SQLite.
#pragma once

#include <cstdint>
#include <memory>
#include <string>

namespace bench {

struct Customer {
    int32_t number = 0;
    std::string name;
};

// The customer with this number: deterministic names, a fifth of them shared.
Customer customerFor(int32_t number, int32_t total);

class Engine {
public:
    virtual ~Engine() = default;
    virtual std::string name() const = 0;
    virtual void create(const std::string& path) = 0;
    virtual void open(const std::string& path) = 0;
    virtual void close() = 0;
    virtual void setDurable(bool durable) = 0;
    virtual void bulkInsert(int32_t first, int32_t count, int32_t total) = 0;
    virtual void insertOne(const Customer& c) = 0;
    virtual void updateOne(int32_t number) = 0;
    virtual void deleteOne(int32_t number) = 0;
    virtual bool lookupNumber(int32_t number) = 0;
    virtual bool lookupName(const std::string& name) = 0;
    // Reads `rows` rows in name order from the first; returns the rows read.
    virtual int64_t scanByName(int64_t rows) = 0;
    // Reads up to 20 rows forward (or backward) from the first name >= (<=) `name`.
    virtual int pageForward(const std::string& name) = 0;
    virtual int pageBackward(const std::string& name) = 0;
    virtual uint64_t fileBytes(const std::string& path) = 0;
};

std::unique_ptr<Engine> keyedFileEngine();
std::unique_ptr<Engine> sqliteEngine();

} // namespace bench
