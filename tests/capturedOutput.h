// What a step of a test printed on standard output.
#pragma once

#include <gtest/gtest.h>

#include <string>

// Runs step and returns what it printed.
template <class Step>
std::string captured(Step step) {
    testing::internal::CaptureStdout();
    step();
    return testing::internal::GetCapturedStdout();
}
