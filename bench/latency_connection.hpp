// A connection wrapper that counts what a remote database would cost: statements, rows
// and round trips, and can wait a fixed time per round trip to play a slow network.
//
// Round trips: one per execute, whose answer brings the first batch of rows (as SQL
// Server's answer carries the first rows), and one per further batch of fetchRows rows.
// The strict count takes every batch, the first included, as a trip of its own.
#pragma once

#include <algorithm>
#include <chrono>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <thread>

#include "host/db/connection.hpp"

namespace ls::bench {

class LatencyConnection : public db::Connection {
  public:
    using Clock = std::chrono::steady_clock;

    // fetchRows: rows per fetch call (1 for a driver fetched row by row); delay: the time
    // each round trip waits, zero to only count.
    LatencyConnection(std::unique_ptr<db::Connection> inner, std::int64_t fetchRows,
                      std::chrono::milliseconds delay)
        : inner_(std::move(inner)), fetchRows_(fetchRows < 1 ? 1 : fetchRows), delay_(delay) {}

    db::Recordset execute(std::string_view sql) override {
        return count([&] { return inner_->execute(sql); });
    }
    db::Recordset execute(std::string_view sql, const std::vector<db::Value>& parameters) override {
        return count([&] { return inner_->execute(sql, parameters); });
    }
    void beginRead() override { inner_->beginRead(); }
    void endRead() override { inner_->endRead(); }
    std::string describe() const override { return inner_->describe(); }

    std::int64_t statements() const { return statements_; }
    std::int64_t rows() const { return rows_; }
    std::int64_t roundTrips() const { return roundTrips_; }
    std::int64_t strictRoundTrips() const { return strictRoundTrips_; }
    double databaseSeconds() const { return std::chrono::duration<double>(spent_).count(); }

  private:
    template <class Run>
    db::Recordset count(Run run) {
        const auto start = Clock::now();
        auto result = run();
        spent_ += Clock::now() - start;
        const auto rows = static_cast<std::int64_t>(result.rowCount());
        const std::int64_t batches = (rows + fetchRows_ - 1) / fetchRows_;
        const std::int64_t trips = 1 + std::max<std::int64_t>(0, batches - 1);
        ++statements_;
        rows_ += rows;
        roundTrips_ += trips;
        strictRoundTrips_ += 1 + batches;
        if (delay_.count() > 0) std::this_thread::sleep_for(delay_ * trips);
        return result;
    }

    std::unique_ptr<db::Connection> inner_;
    std::int64_t fetchRows_;
    std::chrono::milliseconds delay_;
    Clock::duration spent_{};
    std::int64_t statements_ = 0;
    std::int64_t rows_ = 0;
    std::int64_t roundTrips_ = 0;
    std::int64_t strictRoundTrips_ = 0;
};

}  // namespace ls::bench
