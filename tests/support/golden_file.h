#pragma once

#include <cstdlib>
#include <fstream>
#include <iterator>
#include <string>

#include <gtest/gtest.h>

// A text the program writes against its whole file under tests/data; or,
// with TESKORA_WRITE_COURSES set, the file rewritten, which never passes: the
// rewritten texts are to be read before a run without it.
inline void compareWithFile(const std::string& text, const std::string& path)
{
    const std::string file = std::string(TESKORA_TEST_DATA) + "/" + path;
    if (std::getenv("TESKORA_WRITE_COURSES")) {
        std::ofstream(file) << text;
        FAIL() << file << " rewritten: read the change, then run again without TESKORA_WRITE_COURSES";
    }
    std::ifstream expected(file);
    EXPECT_EQ(text, std::string(std::istreambuf_iterator<char>(expected), {}));
}
