// A fresh, empty working directory for each test, so that "configuration.dat" starts
// absent and nothing outside the test is touched.
#pragma once

#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <string>

class TempWorkDir {
  public:
    TempWorkDir() : old_(std::filesystem::current_path()) {
        std::string pattern =
            (std::filesystem::temp_directory_path() / "cogmireFlowXXXXXX").string();
        if (!mkdtemp(pattern.data())) ADD_FAILURE() << "mkdtemp failed";
        dir_ = pattern;
        std::filesystem::current_path(dir_);
    }
    ~TempWorkDir() {
        std::filesystem::current_path(old_);
        std::error_code ignored;
        std::filesystem::remove_all(dir_, ignored);
    }
    const std::filesystem::path &path() const { return dir_; }

  private:
    std::filesystem::path old_;
    std::filesystem::path dir_;
};
