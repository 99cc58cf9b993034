// One instance of the program per user at a time.
#pragma once

#include <filesystem>

namespace ls::app {

// Holds an exclusive lock on a file in the user's runtime folder for as long as it lives.
class SingleInstance {
  public:
    SingleInstance();
    ~SingleInstance();
    SingleInstance(const SingleInstance&) = delete;
    SingleInstance& operator=(const SingleInstance&) = delete;

    // Another instance holds the lock. Where no lock file can be made at all, the program
    // runs rather than refusing every start.
    bool otherInstanceRunning() const { return busy_; }
    // The lock file; the environment variable LIEFERSCHEIN_LOCK names another one (tests and
    // sites that run separate offices under one account).
    static std::filesystem::path lockFile();

  private:
    int fd_ = -1;
    bool busy_ = false;
};

}  // namespace ls::app
