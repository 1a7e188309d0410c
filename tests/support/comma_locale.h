#pragma once

#include <gtest/gtest.h>

#include <clocale>

// Some hosts switch their whole process to the user's locale. This fixture does the same with one
// whose decimal point is a comma (built by the comma_locale CTest fixture, found through LOCPATH).
class CommaLocale : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_NE(std::setlocale(LC_ALL, "de_DE.UTF-8"), nullptr)
            << "de_DE.UTF-8 is not under LOCPATH; run the test through ctest";
        ASSERT_STREQ(std::localeconv()->decimal_point, ",");
    }
    void TearDown() override { std::setlocale(LC_ALL, "C"); }
};
