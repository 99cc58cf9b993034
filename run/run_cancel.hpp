// Stopping a report run from outside: at the next statement or the next row.
#pragma once

#include <functional>
#include <stdexcept>
#include <string_view>

#include "host/db/connection.hpp"

namespace ls::run {

// Thrown through the section writers when the user cancels; the half-filled workbook is
// then discarded like after any other failure.
class RunCancelled : public std::runtime_error {
  public:
    RunCancelled() : std::runtime_error("Abgebrochen.") {}
};

// Passes every statement to the real connection, after asking whether to go on. The check
// may show progress and throws RunCancelled to stop.
class CheckedConnection : public db::Connection {
  public:
    using Check = std::function<void()>;
    CheckedConnection(db::Connection& inner, Check check)
        : inner_(inner), check_(std::move(check)) {}

    db::Recordset execute(std::string_view sql) override {
        check_();
        return inner_.execute(sql);
    }
    db::Recordset execute(std::string_view sql, const std::vector<db::Value>& parameters) override {
        check_();
        return inner_.execute(sql, parameters);
    }
    void beginRead() override { inner_.beginRead(); }
    void endRead() override { inner_.endRead(); }
    std::string describe() const override { return inner_.describe(); }

  private:
    db::Connection& inner_;
    Check check_;
};

}  // namespace ls::run
