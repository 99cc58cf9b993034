// A connection that counts the statements passed through to another one: the tests that
// hold the note to its statement budget use it.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "host/db/connection.hpp"

namespace ls::test {

class CountingConnection : public db::Connection {
  public:
    explicit CountingConnection(db::Connection& inner) : inner_(inner) {}
    db::Recordset execute(std::string_view sql) override {
        ++statements;
        return inner_.execute(sql);
    }
    db::Recordset execute(std::string_view sql, const std::vector<db::Value>& p) override {
        ++statements;
        return inner_.execute(sql, p);
    }
    std::string describe() const override { return inner_.describe(); }
    int statements = 0;

  private:
    db::Connection& inner_;
};

}  // namespace ls::test
